#pragma once
// What an end by signal or by the desktop session's end could not store. The text itself goes into
// a recovery file of its own, under the configuration folder (or the runtime folder when that cannot
// take it); what failed and where its text lies goes into a notice that the next start shows once.
#include <QByteArray>
#include <QString>

namespace core {

// Writes `content` into a new recovery file named after `fileName`; `what` says whose text it is.
// Returns the file's path, empty when no folder took it (the failure goes to standard error).
QString keepUnsavedText(const QString& what, const QString& fileName, const QByteArray& content);

// Writes the notice of this end: the failures the end's boxes reported (vb::unattendedNotes) and
// the recovery files kept. Nothing when all went well.
void recordUnattendedEnd();

// The notice the last end left, once: it is removed as it is read. Empty when there is none.
QString takeLastEndNotice();

}  // namespace core
