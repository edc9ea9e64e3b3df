#pragma once
// The last line of error handling: an error that no handler caught is shown to the user with its
// number and text, and the program goes on.
#include <QApplication>

#include <exception>

namespace vb {
class Error;
}

namespace core {

// The runtime's text of an error: "Run-time error 'N':" and the description.
QString unhandledErrorText(int number, const QString& description);
void ShowUnhandledError(const vb::Error& error);
void ShowUnhandledError(const std::exception& error);

// Runs `work`; an error escaping it is shown instead of crossing the event loop. True when it ran
// through.
template <typename Work>
bool RunGuarded(Work&& work);

// The program's application object: no exception from an event handler crosses Qt's event loop.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace core

#include "platform/vb/error.h"

template <typename Work>
bool core::RunGuarded(Work&& work) {
    try {
        work();
        return true;
    } catch (const vb::Error& e) {
        ShowUnhandledError(e);
    } catch (const std::exception& e) {
        ShowUnhandledError(e);
    }
    return false;
}
