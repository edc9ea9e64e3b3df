#pragma once
// The number written at the front of a text, the way the evaluator's arithmetic and the calculator's
// memory names read operands: leading blanks skipped, an optional sign, digits with at most one
// decimal point ("." always), an optional exponent; anything else ends the number, and a text
// without one reads as 0.
#include <QStringView>

#include <optional>

namespace calculator {

// Empty when the number is too large for a double (overflow); a number too small to hold reads as 0.
std::optional<double> LeadingNumber(QStringView text);

// A count for the string functions: the leading number to the nearest integer, halves to even.
// Empty when it does not fit in 32 bits.
std::optional<long> LeadingCount(QStringView text);

}  // namespace calculator
