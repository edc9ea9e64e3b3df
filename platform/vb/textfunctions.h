#pragma once
// The runtime's small text functions over numbers and character codes.
#include "platform/vb/variant.h"

#include <QString>

#include <cstdint>

namespace vb {

// Str: the number's text with a leading blank for a number that is not negative (Str(5) is " 5").
QString str(double v);

// Hex / Oct: the value rounded to a whole number (halves to even); a 16-bit value (Int, Bool) gives
// at most 4 hex digits in two's complement ("FFFF" for -1), anything else a 32-bit value ("FFFFFFFF").
// Raises 94 for Null, 6 beyond 32 bits.
QString hex(const Variant& v);
QString oct(const Variant& v);

// Asc: the code page 936 code of the first character (see ansiCode); AscW: its UTF-16 code as a
// signed 16-bit value. Both raise 5 for an empty text.
int16_t asc(const QString& text);
int16_t ascW(const QString& text);

// Chr: the character of a code page 936 code ("?" for a code that names none); ChrW: the UTF-16
// character of a code. Both take -32768..65535 and raise 5 outside.
QString chr(long code);
QString chrW(long code);

}  // namespace vb
