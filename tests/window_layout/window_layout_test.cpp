// Every window opened as a user opens it, at its opening size, on a 1600 × 1000 screen: each visible
// control lies inside its window's client area (or on the window's scroll surface), no caption is
// wider than the control that shows it, and the window lies on the screen.
#include "calculator/frm_ji_suan_qi.h"
#include "core/code_item.h"
#include "core/globals.h"
#include "library/ctl_code_details.h"
#include "library/ctl_file_details.h"
#include "library/frm_about.h"
#include "library/frm_add_bookmark.h"
#include "library/frm_calendar.h"
#include "library/frm_find.h"
#include "library/frm_help.h"
#include "library/frm_library_folder.h"
#include "library/frm_options.h"
#include "library/frm_splash.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/listview.h"
#include "tests/library_menus/menus_fixture.h"
#include "tests/support/qt_print.h"
#include "windows/chart_cells_widget.h"
#include "windows/frm_ba_zi.h"
#include "windows/frm_bzzs.h"
#include "windows/frm_fang_da.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <functional>

namespace {

QString nameOf(const QWidget* w) {
    QString name = w->objectName();
    if (name.isEmpty()) name = QString::fromLatin1(w->metaObject()->className());
    if (const QWidget* p = w->parentWidget(); p && !w->isWindow()) return nameOf(p) + u'/' + name;
    return name;
}

QString plain(QString text) { return text.remove(u'&'); }

// The faults of one window: controls outside their parent (a scroll surface's children are
// measured against the surface), cut captions, a window off the screen.
QStringList layoutFaults(const forms::Form& form, const QStringList& surfaces) {
    QStringList faults;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    if (!screen.contains(form.frameGeometry()))
        faults << QStringLiteral("%1 lies off the screen").arg(form.objectName());
    for (QWidget* w : form.client()->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&form) || w->isWindow()) continue;
        QWidget* parent = w->parentWidget();
        if (!surfaces.contains(w->objectName()) && !parent->rect().contains(w->geometry()))
            faults << QStringLiteral("%1 lies outside %2 (%3,%4 %5×%6 in %7×%8)")
                          .arg(nameOf(w), nameOf(parent))
                          .arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height())
                          .arg(parent->width()).arg(parent->height());
        const QFontMetrics fm = w->fontMetrics();
        auto cut = [&](const QString& caption, int room) {
            if (!caption.trimmed().isEmpty() && fm.horizontalAdvance(caption) > room)
                faults << QStringLiteral("%1 cuts \"%2\"").arg(nameOf(w), caption);
        };
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
            // A wrapping label may take more lines where it is high enough for them.
            const QRect room = label->contentsRect();
            if (label->wordWrap() && fm.horizontalAdvance(label->text()) > room.width()) {
                const QRect need = fm.boundingRect(room, Qt::TextWordWrap, label->text());
                if (need.height() > room.height())
                    faults << QStringLiteral("%1 cuts \"%2\"").arg(nameOf(w), label->text());
            } else {
                cut(label->text(), label->contentsRect().width());
            }
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            if (check->sizeHint().width() > check->width()) cut(check->text(), 0);
        } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            if (radio->sizeHint().width() > radio->width()) cut(radio->text(), 0);
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            cut(plain(button->text()), button->width() - 6);
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            cut(group->title(), group->width() - 12);
        }
    }
    return faults;
}

struct Opening {
    const char* window;
    std::function<forms::Form*(MenusTest&)> open;
    QStringList surfaces;  // controls that scroll inside the window
};

void PrintTo(const Opening& o, std::ostream* os) { *os << o.window; }

class WindowLayoutTest : public MenusTest, public ::testing::WithParamInterface<Opening> {
public:
    using MenusTest::bar;
    using MenusTest::focusEditor;
    using MenusTest::trigger;
    using MenusTest::w;
    // Shows the item titled `title`, as a click on its node does.
    void selectNode(const QString& title) {
        MenusTest::selectNode(title);
        w().tvCodeItems_NodeClick(w().tvCodeItems()->currentItem());
        QCoreApplication::processEvents();
    }
    // The case list of the item shown, with two cases, through a click on its tab.
    void showCaseList() {
        const int item = w().ctlCodeItemDetails()->item()->Key().toInt();
        for (const char* name : {"欧阳修远", "李四"})
            core::gWorkDB.execute(QStringLiteral("insert into codefiles (codeid, name, xingbie, borntime, why) values (?, ?, '男', '1990-6-6 8:15', ?)"),
                                  {vb::Variant(item), vb::Variant(QString::fromUtf8(name)), vb::Variant(QStringLiteral("问事业前程"))});
        QTabBar* tabs = w().ctlCodeItemDetails()->tbsTabs();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCoreApplication::processEvents();
    }
};

template <class F>
forms::Form* shown() {
    F* f = forms::loadedInstance<F>();
    return f && f->isVisible() ? f : nullptr;
}

// A modal dialog is measured while it is shown, then closed.
template <class F>
forms::Form* measuredModal(MenusTest& t, const std::function<void()>& open, QStringList* faults) {
    (void)t;
    bool seen = false;
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, faults, &seen] {
        for (forms::Form* f : forms::openForms()) {
            if (auto* form = qobject_cast<F*>(f); form && form->isVisible()) {
                timer->stop();
                timer->deleteLater();
                seen = true;
                *faults = layoutFaults(*form, {});
                form->Unload();
                return;
            }
        }
    });
    timer->start();
    open();
    EXPECT_TRUE(seen);
    return nullptr;
}

TEST_P(WindowLayoutTest, EveryControlLiesInsideItsWindowUncut) {
    const Opening& o = GetParam();
    forms::Form* form = o.open(*this);
    ASSERT_NE(form, nullptr) << o.window;
    QTest::qWait(50);
    const QStringList faults = layoutFaults(*form, o.surfaces);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n');
}

// A window opened by its menu entry of the library window.
template <class F>
std::function<forms::Form*(MenusTest&)> byMenu(const char* entry) {
    return [entry](MenusTest& t) -> forms::Form* {
        static_cast<WindowLayoutTest&>(t).trigger(QString::fromLatin1(entry));
        return shown<F>();
    };
}

forms::Form* chartWindow(MenusTest&) {
    windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 0, QStringLiteral("欧阳九个字的名字啊"));
    return shown<windows::FrmBaZi>();
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowLayoutTest,
    ::testing::Values(
        Opening{"frmCodeLib", [](MenusTest& t) -> forms::Form* { return &static_cast<WindowLayoutTest&>(t).w(); },
                {"txtScroll"}},
        Opening{"frmCodeLib, a page with the formatting bar", [](MenusTest& t) -> forms::Form* {
                    auto& o = static_cast<WindowLayoutTest&>(t);
                    o.selectNode(QStringLiteral("十四主星"));
                    o.focusEditor(true);
                    QCoreApplication::processEvents();
                    EXPECT_TRUE(o.bar().isVisibleTo(&o.w()));
                    return &o.w();
                }, {"txtScroll"}},
        Opening{"frmCodeLib, case list", [](MenusTest& t) -> forms::Form* {
                    auto& o = static_cast<WindowLayoutTest&>(t);
                    o.selectNode(QStringLiteral("十四主星"));
                    o.showCaseList();
                    // The list, the conclusion and the reason all have room in the stored layout.
                    for (const char* pane : {"lvFiles", "splittertxt2", "splittertxt1"}) {
                        const auto* w = o.w().findChild<QWidget*>(QString::fromLatin1(pane));
                        EXPECT_TRUE(w && w->isVisibleTo(&o.w()) && w->height() > 20) << pane;
                    }
                    return &o.w();
                },
                // The marquee scrolls inside its caption.
                {"txtScroll", "LblScroll"}},
        Opening{"frmBaZi", chartWindow, {"picbox"}},
        Opening{"frmFangDa", [](MenusTest& t) -> forms::Form* {
                    chartWindow(t);
                    forms::loadedInstance<windows::FrmBaZi>()->MnuZS_Click();
                    return shown<windows::FrmFangDa>();
                }, {}},
        Opening{"frmBZzs", byMenu<windows::FrmBZzs>("MnuBZZS"), {}},
        Opening{"frmcalendar", [](MenusTest&) -> forms::Form* {
                    library::showFrmcalendar(2);
                    return shown<library::FrmCalendar>();
                }, {}},
        Opening{"frmJiSuanQi", byMenu<calculator::FrmJiSuanQi>("MnuJiSuan"), {}},
        Opening{"frmFind", byMenu<library::FrmFind>("mnuFind"), {}},
        Opening{"frmNew", byMenu<library::FrmNew>("mnuNewDatabase"), {}},
        Opening{"frmbak", byMenu<library::FrmBak>("MNUBAK"), {}},
        Opening{"frmHelp", byMenu<library::FrmHelp>("MnuHeLp"), {}},
        Opening{"frmSplash", [](MenusTest&) -> forms::Form* {
                    forms::defaultInstance<library::FrmSplash>().Show();
                    return shown<library::FrmSplash>();
                }, {}}));

// The modal dialogs, measured while they are up.
class ModalLayoutTest : public WindowLayoutTest {};

TEST_F(ModalLayoutTest, TheOptionsAboutAndBookmarkDialogsFitToo) {
    QStringList faults;
    measuredModal<library::FrmOptions>(*this, [this] { trigger(QStringLiteral("mnuSettings")); }, &faults);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n');
    measuredModal<library::FrmAbout>(*this, [this] { trigger(QStringLiteral("mnuAbout")); }, &faults);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n');
    selectNode(QStringLiteral("十四主星"));
    measuredModal<library::FrmAddBookmark>(*this, [this] { trigger(QStringLiteral("MnuBMadd")); }, &faults);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n');
}

// The new-case dialog comes up over the library window that asked for it.
TEST_F(ModalLayoutTest, TheNewCaseDialogOpensCentredOnTheLibraryWindow) {
    w().move(500, 300);
    library::showFrmcalendar(2);
    forms::Form* dialog = shown<library::FrmCalendar>();
    ASSERT_NE(dialog, nullptr);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(dialog->frameGeometry()));
    QRect centred = dialog->frameGeometry();
    centred.moveCenter(w().frameGeometry().center());
    ASSERT_TRUE(screen.contains(centred)) << "the fixture leaves room for the dialog round the window's centre";
    const QPoint offset = dialog->frameGeometry().center() - w().frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

// The case list's columns fit what they show once the list is filled.
TEST_F(ModalLayoutTest, TheCaseListsColumnsFitTheirContents) {
    selectNode(QStringLiteral("十四主星"));
    showCaseList();
    forms::ListView* list = w().ctlFileDetails1()->lvFiles();
    ASSERT_GT(list->itemCount(), 1);
    for (int c = 0; c + 1 < list->columnCount(); ++c) {
        const QFontMetrics fm = list->fontMetrics();
        int needed = list->header()->fontMetrics().horizontalAdvance(list->headerItem()->text(c).trimmed());
        for (int r = 0; r < list->topLevelItemCount(); ++r)
            needed = std::max(needed, fm.horizontalAdvance(list->topLevelItem(r)->text(c)));
        EXPECT_GE(list->columnWidth(c), needed) << "column " << c;
    }
}

// The chart window's first view holds the whole chart: every palace with its stem and name.
TEST_F(ModalLayoutTest, TheChartWindowShowsAllTwelvePalacesInItsFirstView) {
    windows::FrmBaZi* chart = static_cast<windows::FrmBaZi*>(chartWindow(*this));
    ASSERT_NE(chart, nullptr);
    QTest::qWait(50);
    const QRect view = chart->client()->rect().adjusted(0, 0, -chart->VScroll()->width(), -chart->HScroll()->height());
    for (int p = 0; p < chart::kPalaceCount; ++p) {
        for (QWidget* part : {static_cast<QWidget*>(chart->picMain()->palaceCell(p)),
                              static_cast<QWidget*>(chart->picMain()->label(chart::Control::lblSEG, p)),
                              static_cast<QWidget*>(chart->picMain()->label(chart::Control::lblSEGtg, p))}) {
            const QRect shownAt(part->mapTo(chart->client(), QPoint(0, 0)), part->size());
            EXPECT_TRUE(view.contains(shownAt)) << nameOf(part).toStdString() << " of palace " << p;
        }
    }
}

}  // namespace
