#include "core/application.h"

#include "platform/forms/qt_translation.h"
#include "platform/vb/pointer_display.h"
#include "platform/vb/unhandled.h"

namespace core {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    vb::installPointerDisplay();
    forms::installQtTranslation();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    vb::runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace core
