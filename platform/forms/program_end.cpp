#include "platform/forms/program_end.h"

#include "platform/vb/unattended_end.h"

#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QTimer>

namespace forms {

namespace {

constexpr int kRetryMs = 20;

bool gMainLoopRunning = false;
bool gEndAsked = false;
std::function<void()> gPendingEnd;

// Inside the main event loop itself, not inside a loop a dialog or a wait runs within it.
bool calm() {
    return gMainLoopRunning && QThread::currentThread()->loopLevel() == 1 && !QApplication::activeModalWidget() &&
           !QApplication::activePopupWidget();
}

void tryEnd() {
    if (!gPendingEnd) return;
    if (!calm()) {
        closeModalWindows();
        QTimer::singleShot(kRetryMs, QCoreApplication::instance(), tryEnd);
        return;
    }
    const std::function<void()> end = std::exchange(gPendingEnd, nullptr);
    end();
}

}  // namespace

int execMainLoop() {
    gMainLoopRunning = true;
    const int status = QApplication::exec();
    gMainLoopRunning = false;
    return status;
}

void endFromOutside(std::function<void()> end) {
    vb::beginUnattendedEnd();
    if (gEndAsked) return;
    gEndAsked = true;
    gPendingEnd = std::move(end);
    tryEnd();
}

void closeModalWindows() {
    QList<QWidget*> tried;
    while (QWidget* w = QApplication::activeModalWidget()) {
        if (tried.contains(w)) break;  // one that will not close
        tried.append(w);
        if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
        else w->hide();
    }
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

}  // namespace forms
