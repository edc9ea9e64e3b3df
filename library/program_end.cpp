#include "library/program_end.h"

#include "core/recovery.h"
#include "library/frm_code_lib.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/program_end.h"
#include "platform/vb/termination_signals.h"

#include <QApplication>
#include <QSessionManager>

namespace library {

namespace {

void endThroughUnload(int mode) {
    forms::endFromOutside([mode] {
        if (auto* main = forms::loadedInstance<FrmCodeLib>()) main->Unload(mode);
        else QCoreApplication::exit(0);
        core::recordUnattendedEnd();
    });
}

}  // namespace

void endThroughUnloadFromOutside(QApplication& app) {
    vb::onTerminationSignals(&app, [](int) { endThroughUnload(forms::vbAppTaskManager); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [](QSessionManager&) { endThroughUnload(forms::vbAppWindows); });
}

}  // namespace library
