#pragma once
// An end of the program that no one watches: a signal or the desktop session's end asked for it.
// From its start no box waits for an answer: MsgBox writes what it would have shown to standard
// error, keeps it among the end's notes (so the next start can say it) and takes the box's default
// button.
#include <QString>
#include <QStringList>

namespace vb {

void beginUnattendedEnd();
bool unattendedEnd();

// What the boxes of the unattended end would have said, in order.
QStringList unattendedNotes();
void addUnattendedNote(const QString& note);

// Back to an ordinary run (for tests).
void resetUnattendedEnd();

}  // namespace vb
