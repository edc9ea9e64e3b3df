#pragma once
// The one error report of the windows: a message box, OK only, whose text is the error number, the
// description and the source, each after a blank, followed by the procedure's tag
// ("3024 Could not find file 'x'. DAO.Database frmCodeLib::Form_Load"). Every entry point from Qt
// that has no handling of its own reports through here, so no exception crosses the event loop.
#include "platform/vb/error.h"

#include <QString>

#include <exception>
#include <functional>

namespace forms {

// The report's text. `tag` is appended as it stands (the windows' tags carry their own leading blank).
QString errorReportText(const vb::Error& e, const QString& tag);

// Shows the report; `title` empty gives the application's title.
void reportError(const vb::Error& e, const QString& tag, const QString& title = QString());
void reportError(const std::exception& e, const QString& tag, const QString& title = QString());

// Runs `f`; an error escaping it is reported under `tag`. Returns false when one was.
bool reportErrors(const QString& tag, const std::function<void()>& f, const QString& title = QString());

}  // namespace forms
