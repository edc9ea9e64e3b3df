#pragma once
// Reads RTF into a QTextDocument: the font and colour tables; bold, italic, underline, strike-out,
// sizes, text and highlight colours, super- and subscript; alignment, indents, tab stops and bullet
// or numbered paragraphs (both the \pn form and Word's list tables); \par, \line, \tab and the
// special characters; text as \'xx bytes in the code page of the font's character set (or of
// \ansicpg) and as \uN with its fallback skipped. Groups and destinations it does not know are
// skipped. Damaged input is read as far as it goes: the reader keeps the text it could read, never
// fails and takes time in proportion to the input.
#include <QByteArrayView>

class QTextDocument;

namespace rtf {

struct ReadResult {
    bool isRtf = false;     // the data starts as RTF does; otherwise the document was left alone
    bool complete = false;  // the outermost group was closed, so nothing was cut off
    // Complete, and nothing of the data was passed over unread: no text after the outermost group
    // closed (a stray "}"), no binary data (\binN) running past the end.
    bool whole = false;
};

// True when the data starts (after blanks) with "{\rtf".
bool looksLikeRtf(QByteArrayView data);

// Replaces the document's content with the RTF `data`. Data that is not RTF leaves it unchanged.
// The undo history of the document is cleared.
ReadResult read(QByteArrayView data, QTextDocument& document);

}  // namespace rtf
