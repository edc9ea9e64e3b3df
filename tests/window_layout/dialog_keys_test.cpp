// Dialogs answer the keyboard as dialogs do: Esc presses 取消 or closes, Enter presses the default
// button; modal dialogs open centred on, and transient for, their owner, with nothing to minimise or
// maximise; the new-case dialog starts on 姓名 and tabs in reading order.
#include "calculator/frm_ji_suan_qi.h"
#include "library/frm_about.h"
#include "library/frm_add_bookmark.h"
#include "library/frm_calendar.h"
#include "library/frm_find.h"
#include "library/frm_help.h"
#include "library/frm_library_folder.h"
#include "library/frm_options.h"
#include "platform/forms/form_registry.h"
#include "tests/library_menus/menus_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include <functional>

namespace {

struct ModelessDialog {
    const char* window;
    const char* menuEntry;  // opens it; empty: the case list's new case
    std::function<forms::Form*()> shown;
};

void PrintTo(const ModelessDialog& d, std::ostream* os) { *os << d.window; }

template <class F>
forms::Form* visible() {
    F* f = forms::loadedInstance<F>();
    return f && f->isVisible() && !f->isUnloaded() ? f : nullptr;
}

class DialogKeysTest : public MenusTest, public ::testing::WithParamInterface<ModelessDialog> {};

TEST_P(DialogKeysTest, EscClosesTheDialog) {
    const ModelessDialog& d = GetParam();
    if (*d.menuEntry) trigger(QString::fromLatin1(d.menuEntry));
    else library::showFrmcalendar(2);
    forms::Form* form = d.shown();
    ASSERT_NE(form, nullptr);
    QWidget* focus = form->focusWidget() ? form->focusWidget() : form;
    QTest::keyClick(focus, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(d.shown(), nullptr) << d.window << " is still open";
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogKeysTest,
    ::testing::Values(ModelessDialog{"frmfind", "mnuFind", visible<library::FrmFind>},
                      ModelessDialog{"frmNew", "mnuNewDatabase", visible<library::FrmNew>},
                      ModelessDialog{"frmbak", "MNUBAK", visible<library::FrmBak>},
                      ModelessDialog{"frmJiSuanQi", "MnuJiSuan", visible<calculator::FrmJiSuanQi>},
                      ModelessDialog{"frmHelp", "MnuHeLp", visible<library::FrmHelp>},
                      ModelessDialog{"frmcalendar", "", visible<library::FrmCalendar>}));

using DialogTest = MenusTest;

TEST_F(DialogTest, EnterPressesTheDefaultButton) {
    trigger(QStringLiteral("mnuFind"));
    auto* find = forms::loadedInstance<library::FrmFind>();
    ASSERT_NE(find, nullptr);
    QSignalSpy findNext(find->Command1(), &QPushButton::clicked);
    find->Text1()->setText(QStringLiteral("紫微"));
    QTest::keyClick(find->Text1(), Qt::Key_Return);
    EXPECT_EQ(findNext.count(), 1) << "查找下一个";

    library::showFrmcalendar(2);
    auto* newCase = forms::loadedInstance<library::FrmCalendar>();
    QSignalSpy ok(newCase->cmdok(), &QPushButton::clicked);
    QTest::keyClick(newCase->txtnume(), Qt::Key_Enter);
    EXPECT_EQ(ok.count(), 1) << "确定";
}

TEST_F(DialogTest, TheNewCaseDialogStartsOnTheNameAndTabsInReadingOrder) {
    library::showFrmcalendar(2);
    auto* d = forms::loadedInstance<library::FrmCalendar>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->focusWidget(), d->txtnume());
    QStringList order;
    QWidget* w = d->txtnume();
    for (int i = 0; i < 7; ++i, w = w->nextInFocusChain()) {
        while (!(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
        order << w->objectName();
    }
    EXPECT_EQ(order, (QStringList{"txtnume", "opXingbie1", "opXingbie2", "txtborntime", "txtWhy", "txtaddress", "txttel"}));
}

// A modal dialog as it shows: its frame's buttons, its owner, its place; then Esc closes it.
template <class F>
void checkModal(MenusTest& t, const QString& menuEntry, forms::Form& owner) {
    bool seen = false;
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [&, timer] {
        for (forms::Form* f : forms::openForms()) {
            auto* form = qobject_cast<F*>(f);
            if (!form || !form->isVisible()) continue;
            timer->stop();
            timer->deleteLater();
            seen = true;
            EXPECT_FALSE(form->windowFlags() & Qt::WindowMinimizeButtonHint) << menuEntry.toStdString();
            EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint) << menuEntry.toStdString();
            EXPECT_EQ(form->windowHandle()->transientParent(), owner.windowHandle()) << menuEntry.toStdString();
            const QPoint offset = form->frameGeometry().center() - owner.frameGeometry().center();
            EXPECT_LE(offset.manhattanLength(), 4) << menuEntry.toStdString() << " is centred on its owner";
            QTest::keyClick(form->focusWidget() ? form->focusWidget() : form, Qt::Key_Escape);
            return;
        }
    });
    timer->start();
    QAction* a = owner.findChild<QAction*>(menuEntry);
    ASSERT_NE(a, nullptr);
    a->trigger();  // returns when the dialog has closed
    EXPECT_TRUE(seen) << menuEntry.toStdString();
    (void)t;
}

TEST_F(DialogTest, ModalDialogsAreDialogsOfTheirOwnerAndEscClosesThem) {
    checkModal<library::FrmOptions>(*this, QStringLiteral("mnuSettings"), w());
    checkModal<library::FrmAbout>(*this, QStringLiteral("mnuAbout"), w());
    selectNode(QStringLiteral("十四主星"));
    w().tvCodeItems_NodeClick(w().tvCodeItems()->currentItem());
    checkModal<library::FrmAddBookmark>(*this, QStringLiteral("MnuBMadd"), w());
}

}  // namespace
