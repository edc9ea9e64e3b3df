#pragma once
// Writes a QTextDocument as RTF that rich-edit controls, Word and LibreOffice open and that the
// reader of this folder reads back to the same document: text and its font, size, bold, italic,
// underline, strike-out, super- and subscript, text and highlight colours; every paragraph's
// alignment, indents, tab stops and bullet or number. Characters beyond ASCII are written as \uN
// with their code page 936 bytes as the fallback, so readers without Unicode still see Chinese text.
#include <QByteArray>

class QTextDocument;

namespace rtf {

QByteArray write(const QTextDocument& document);

}  // namespace rtf
