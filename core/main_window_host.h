#pragma once
// What the core's shared procedures need of the main (library) window, so that they run without it:
// the window registers itself when it is created; tests register a stand-in.
class QWidget;

namespace core {

class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;

    // The window's own pointer: 0 the default, 11 the hourglass.
    virtual void setMousePointer(int pointer) = 0;
    virtual int mousePointer() const = 0;
    // Owner of the dialogs that the shared procedures show.
    virtual QWidget* ownerWidget() = 0;
    // Unloads the window with its own unload handling (it closes the other windows and saves the
    // layout and options).
    virtual void unloadWindow() = 0;
};

// The registered main window, or null when there is none (early start-up, tests).
MainWindowHost* mainWindowHost();
// Registers `host` (null to unregister). The host must unregister itself before it is destroyed.
void setMainWindowHost(MainWindowHost* host);

// Sets the main window's pointer to the hourglass for the guard's lifetime and back to the default
// afterwards, also when the guarded work fails. Does nothing without a main window.
class MainWindowHourglass {
public:
    MainWindowHourglass();
    ~MainWindowHourglass();
    MainWindowHourglass(const MainWindowHourglass&) = delete;
    MainWindowHourglass& operator=(const MainWindowHourglass&) = delete;
};

}  // namespace core
