// The program's entry point: the start procedure, the library window, and the one way the program
// ends, whatever asks for it.
#include "calendar/widgets/prev_instance.h"
#include "core/application.h"
#include "core/startup.h"
#include "library/frm_code_lib.h"
#include "platform/forms/form_registry.h"
#include "platform/vb/termination_signals.h"

#include <QSessionManager>

int main(int argc, char** argv) {
    core::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veyra"));
    QApplication::setOrganizationName(QStringLiteral("veyraww"));
    QApplication::setQuitOnLastWindowClosed(false);
    // Take the running-copy lock now, so that a copy started later finds this one when its
    // calendar control starts.
    calendar::registerInstance();

    auto endThroughUnload = [](int mode) {
        if (auto* main = forms::loadedInstance<library::FrmCodeLib>()) main->Unload(mode);
        else QCoreApplication::exit(0);
    };
    vb::onTerminationSignals(&app, [&](int) { endThroughUnload(forms::vbAppTaskManager); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [&](QSessionManager&) { endThroughUnload(forms::vbAppWindows); });

    // Unloading the library window ends the program.
    if (!core::Main([] {
            auto& main = forms::defaultInstance<library::FrmCodeLib>();
            QObject::connect(&main, &forms::Form::unloaded, QCoreApplication::instance(), &QCoreApplication::quit,
                             Qt::QueuedConnection);
            main.Show();
        }))
        return 1;
    const int status = QApplication::exec();
    // Windows go before the application object does.
    forms::unloadAll(forms::vbAppWindows);
    forms::deleteUnloadedForms();
    return status;
}
