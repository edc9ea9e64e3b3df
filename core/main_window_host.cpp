#include "core/main_window_host.h"

namespace core {

namespace {
MainWindowHost* gHost = nullptr;
}

MainWindowHost* mainWindowHost() { return gHost; }

void setMainWindowHost(MainWindowHost* host) { gHost = host; }

MainWindowHourglass::MainWindowHourglass() {
    if (gHost) gHost->setMousePointer(11);
}

MainWindowHourglass::~MainWindowHourglass() {
    if (gHost) gHost->setMousePointer(0);
}

}  // namespace core
