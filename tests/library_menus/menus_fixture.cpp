#include "tests/library_menus/menus_fixture.h"

#include "core/globals.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QInputMethodEvent>
#include <QTest>
#include <QTreeWidget>

void MenusTest::SetUp() {
    window_ = &start();
    ASSERT_TRUE(core::gWorkDB.isOpen());
    window_->Show();
}

void MenusTest::trigger(const QString& name) {
    QAction* a = entry(name);
    ASSERT_NE(a, nullptr) << name.toStdString();
    a->trigger();
}

void MenusTest::focusEditor(bool in, Qt::FocusReason reason) {
    QFocusEvent event(in ? QEvent::FocusIn : QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(&editor(), &event);
}

void MenusTest::commit(const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(&editor(), &event);
}

void MenusTest::select(const QString& text) {
    const qsizetype at = editor().text().indexOf(text);
    ASSERT_GE(at, 0) << text.toStdString();
    editor().setSelStart(static_cast<int>(at));
    editor().setSelLength(static_cast<int>(text.size()));
}

void MenusTest::type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &release);
    }
}

void MenusTest::click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }

void MenusTest::selectNode(const QString& title) {
    for (QTreeWidgetItemIterator it(w().tvCodeItems()); *it; ++it) {
        if ((*it)->text(0) == title) {
            w().tvCodeItems()->setCurrentItem(*it);
            return;
        }
    }
    FAIL() << "no node " << title.toStdString();
}
