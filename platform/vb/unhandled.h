#pragma once
// Errors that no handler caught. They are shown to the user and the program goes on; no exception
// may cross Qt's event loop.
#include "platform/vb/error.h"

#include <QString>

#include <exception>
#include <functional>

namespace vb {

// "Run-time error '53':\n\nFile not found", the text shown for an unhandled error.
QString unhandledErrorText(const Error& e);

// The program's error for any exception: a vb::Error as it is, out of memory as 7, anything else as
// 51 (Internal error) with the exception's own text.
Error toError(const std::exception& e);

// Shows the error in a message box (OK only, critical icon, the application's title).
void showUnhandledError(const Error& e);
void showUnhandledError(const std::exception& e);

// Runs `f` and shows any error that escapes it; returns false when one did. Event entry points that
// have no handler of their own wrap their work in this.
bool runGuarded(const std::function<void()>& f);

}  // namespace vb
