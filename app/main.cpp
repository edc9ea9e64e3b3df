// The program's entry point: the start procedure, the library window, and the one way the program
// ends, whatever asks for it.
#include "calendar/widgets/prev_instance.h"
#include "core/application.h"
#include "core/startup.h"
#include "library/frm_code_lib.h"
#include "library/program_end.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/program_end.h"

int main(int argc, char** argv) {
    core::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veyra"));
    QApplication::setOrganizationName(QStringLiteral("veyraww"));
    QApplication::setQuitOnLastWindowClosed(false);
    // Take the running-copy lock now, so that a copy started later finds this one when its
    // calendar control starts.
    calendar::registerInstance();

    library::endThroughUnloadFromOutside(app);

    // Unloading the library window ends the program.
    if (!core::Main([] {
            auto& main = forms::defaultInstance<library::FrmCodeLib>();
            QObject::connect(&main, &forms::Form::unloaded, QCoreApplication::instance(), &QCoreApplication::quit,
                             Qt::QueuedConnection);
            main.Show();
        }))
        return 1;
    const int status = forms::execMainLoop();
    // Windows go before the application object does.
    forms::unloadAll(forms::vbAppWindows);
    forms::deleteUnloadedForms();
    return status;
}
