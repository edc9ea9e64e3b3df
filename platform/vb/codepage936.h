#pragma once
// Code page 936 (simplified Chinese, GBK), the code page of the texts the program stores as "ANSI".
#include <QByteArray>
#include <QString>

namespace vb {

// Text to CP936 bytes; a character the code page lacks becomes "?".
QByteArray toCp936(const QString& text);
// CP936 bytes to text; an invalid byte sequence becomes U+FFFD.
QString fromCp936(const QByteArray& bytes);

// A character's code in the code page: the two-byte code (lead byte high) as a signed 16-bit value
// for a double-byte character, the byte for a single-byte one, '?' (63) for an unmapped character.
int16_t ansiCode(QChar c);
// The character of a code as ansiCode gives it; "?" when the code names none.
QString fromAnsiCode(int16_t code);

}  // namespace vb
