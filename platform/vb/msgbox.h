#pragma once
// The message-box service. Every message box of the program goes through MsgBox, so tests can answer
// the boxes in advance and read back what was shown; without a script a real QMessageBox is shown.
#include <QList>
#include <QString>

namespace vb {

// Buttons, icon and default button of a box, added together as the runtime numbers them.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
    vbApplicationModal = 0,
    vbSystemModal = 4096,
};

// The button that closed a box.
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// Shows `prompt` with the buttons and icon of `buttons`, titled `title` (the application's title when
// empty), and returns the button chosen. Closing the box without a button counts as Cancel where the
// box has one, else as its only or default button. Under a MsgBoxScript the script answers. On a
// display that no one can see (the "offscreen" and "minimal" platforms) an unscripted box is not
// shown: it takes its default button and is reported as a warning, so a headless run never waits.
// During an unattended end (unattended_end.h) no box is shown and no script answers: the text goes
// to standard error and to the end's notes, and the default button is taken.
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString());

// The modal QMessageBox itself, whatever the platform; MsgBox uses it on a real display.
int showMessageBoxDialog(const QString& title, const QString& prompt, int buttons);

// The title a box gets when none is given: the application's display name.
QString appTitle();

// The buttons a style offers, in the order they are shown, and the one answered by default.
QList<int> msgBoxButtons(int buttons);
int msgBoxDefaultButton(int buttons);

// One box as it was shown.
struct MsgBoxRecord {
    QString title;  // as displayed (the application's title when none was given)
    QString text;
    int buttons = 0;  // the style value passed
    int answer = 0;   // the result returned
};

// While a MsgBoxScript lives, no box is shown: each MsgBox call takes the next queued answer (the
// box's default button when the queue is empty) and is recorded. Scripts nest; the newest one
// answers. A queued answer that the box does not offer raises error 5, so a test cannot silently
// answer a question that was not asked.
class MsgBoxScript {
public:
    MsgBoxScript();
    ~MsgBoxScript();
    MsgBoxScript(const MsgBoxScript&) = delete;
    MsgBoxScript& operator=(const MsgBoxScript&) = delete;

    MsgBoxScript& answer(int result);
    int pendingAnswers() const { return static_cast<int>(answers_.size()); }

    const QList<MsgBoxRecord>& shown() const { return shown_; }
    int count() const { return static_cast<int>(shown_.size()); }
    const MsgBoxRecord& last() const { return shown_.back(); }
    void clear() { shown_.clear(); }

    // Used by MsgBox.
    int take(const QString& title, const QString& text, int buttons);

private:
    QList<int> answers_;
    QList<MsgBoxRecord> shown_;
    MsgBoxScript* previous_;
};

}  // namespace vb
