#include "core/unhandled_error.h"

#include "platform/vb/msgbox.h"

#include <new>

namespace core {

QString unhandledErrorText(int number, const QString& description) {
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(number).arg(description);
}

void ShowUnhandledError(const vb::Error& error) {
    vb::MsgBox(unhandledErrorText(error.number(), error.description()), vb::vbCritical);
}

void ShowUnhandledError(const std::exception& error) {
    // 51 is the runtime's "Internal error"; a failed allocation is its own error 7.
    const int number = dynamic_cast<const std::bad_alloc*>(&error) ? int(vb::kOutOfMemory) : 51;
    vb::MsgBox(unhandledErrorText(number, QString::fromLocal8Bit(error.what())), vb::vbCritical);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace core
