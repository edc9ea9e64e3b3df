#pragma once
// Small shared text and file procedures: replacing text, testing whether a file can be read, and
// splitting a text into words; releasing the pointer and closing the main window.
#include <QList>
#include <QString>

namespace core {

// Replaces every occurrence of `find` in `text` (case-sensitive). With `wholeWord` only occurrences
// that start the text or follow a blank and end the text or precede a blank are replaced; only the
// blank separates words. An empty `find` changes nothing, and the search goes on after each inserted
// replacement, so a replacement that contains `find` is never searched again.
void ReplaceAll(QString& text, const QString& find, const QString& replacement, bool wholeWord);

// True when `path` names a file that can be opened for reading now; false for a missing file, a
// folder, a pipe or device, an empty path or a file that cannot be read. Nothing is read or written.
bool FileExists(const QString& path);

// One word of a text, as SplitWords returns it.
class word {
public:
    int Length() const { return static_cast<int>(value_.size()); }
    QString LowerCase() const { return value_.toLower(); }
    QString UpperCase() const { return value_.toUpper(); }
    const QString& Value() const { return value_; }
    void setValue(const QString& value) { value_ = value; }

private:
    QString value_;
};

// Normalises `text` in place (outer blanks trimmed, each CR LF pair turned into two blanks before its
// LF, every run of blanks, CRs and LFs after a delimiter removed, and such a run at the start) and
// splits it after each delimiter: every piece but the last ends with its delimiter. The program
// passes one blank; a longer delimiter works as one unit, an empty one splits nothing. Pending
// window events run after each word.
QList<word> SplitWords(QString& text, const QString& delimiter);

// Lifts any confinement of the mouse pointer: the widget that grabbed the mouse lets it go.
void ReleaseCursor();

// Closes the main window through its own unload handling, then lets pending window events run.
// Does nothing when no main window is registered.
void UnloadMainForm();

}  // namespace core
