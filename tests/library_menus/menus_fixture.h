#pragma once
// The library window started on the shipped starter library, with helpers to reach its editor,
// formatting bar and menus and to act on them as a user does.
#include "library/formatting_bar.h"
#include "library/frm_code_lib.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/richtextbox.h"
#include "tests/library/library_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

class MenusTest : public LibraryWindowTest {
protected:
    void SetUp() override;

    library::FrmCodeLib& w() { return *window_; }
    forms::RichTextBox& editor() { return *window_->txtCode(); }
    library::FormattingBar& bar() { return *window_->picPicture1(); }
    QAction* entry(const QString& name) { return window_->menuEntry(name); }
    void trigger(const QString& name);

    // The editor gains or loses the focus for `reason`.
    void focusEditor(bool in, Qt::FocusReason reason = Qt::OtherFocusReason);
    // Text committed by an input method, as typing a Chinese character gives it.
    void commit(const QString& text);
    // Selects `text`'s first occurrence in the editor.
    void select(const QString& text);
    // Types `text` into `widget` key by key (any script).
    static void type(QWidget* widget, const QString& text);
    // A left click on a formatting-bar button.
    static void click(QWidget* button);

    // Runs `act` on the form of class F as soon as it is shown (for modal dialogs).
    template <class F>
    static void whenShown(std::function<void(F&)> act) {
        auto* timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
            for (forms::Form* f : forms::openForms()) {
                if (auto* form = qobject_cast<F*>(f); form && form->isVisible()) {
                    timer->stop();
                    timer->deleteLater();
                    act(*form);
                    return;
                }
            }
        });
        timer->start();
    }

    // Selects the tree node whose item is titled `title`.
    void selectNode(const QString& title);

private:
    library::FrmCodeLib* window_ = nullptr;
};
