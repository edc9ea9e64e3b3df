#include "platform/vb/unattended_end.h"

namespace vb {

namespace {

struct State {
    bool unattended = false;
    QStringList notes;
};

State& state() {
    static State s;
    return s;
}

}  // namespace

void beginUnattendedEnd() { state().unattended = true; }

bool unattendedEnd() { return state().unattended; }

QStringList unattendedNotes() { return state().notes; }

void addUnattendedNote(const QString& note) { state().notes.append(note); }

void resetUnattendedEnd() { state() = State{}; }

}  // namespace vb
