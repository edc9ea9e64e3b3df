// The program's entry point.
#include "core/startup.h"
#include "core/application.h"
#include "calendar/widgets/prev_instance.h"
#include "library/frm_code_lib.h"

int main(int argc, char** argv) {
    core::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veyra"));
    QApplication::setOrganizationName(QStringLiteral("veyraww"));
    // Take the running-copy lock now, so that a copy started later finds this one when its
    // calendar control starts.
    calendar::registerInstance();
    if (!core::Main([] { library::frmCodeLib().show(); })) return 1;
    const int status = QApplication::exec();
    // Windows go before the application object does.
    library::releaseFrmCodeLib();
    return status;
}
