#pragma once
// A value that may be Empty (never assigned), Null (no data, as a database field can be), or a
// boolean, integer, floating, text, date or byte value. Database fields and loosely typed inputs use it.
#include "platform/vb/date.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <variant>

namespace vb {

struct EmptyValue {
    friend bool operator==(EmptyValue, EmptyValue) { return true; }
};
struct NullValue {
    friend bool operator==(NullValue, NullValue) { return true; }
};

class Variant {
public:
    enum class Type { Empty, Null, Bool, Int, Long, Double, String, Date, Bytes };

    Variant() = default;
    Variant(EmptyValue) {}
    Variant(NullValue v) : value_(v) {}
    Variant(bool v) : value_(v) {}
    Variant(int16_t v) : value_(v) {}
    Variant(int v) : value_(static_cast<int32_t>(v)) {}
    Variant(long v) : Variant(static_cast<long long>(v)) {}
    Variant(long long v)
        : value_(v >= INT32_MIN && v <= INT32_MAX ? Storage(static_cast<int32_t>(v)) : Storage(static_cast<double>(v))) {}
    Variant(double v) : value_(v) {}
    Variant(const QString& v) : value_(v) {}
    Variant(const char16_t* v) : value_(QString::fromUtf16(v)) {}
    Variant(const char* v) : value_(QString::fromUtf8(v)) {}
    Variant(const Date& v) : value_(v) {}
    Variant(const QByteArray& v) : value_(v) {}

    static Variant null() { return Variant(NullValue{}); }

    Type type() const { return static_cast<Type>(value_.index()); }
    bool isEmpty() const { return type() == Type::Empty; }
    bool isNull() const { return type() == Type::Null; }
    bool isNumeric() const;

    // Conversions; each raises 94 (Invalid use of Null) for Null and 13 (Type mismatch) for a value
    // that does not convert, 6 (Overflow) for a number out of the target's range.
    QString toString() const;     // CStr
    int16_t toInt() const;        // CInt, half to even
    int32_t toLong() const;       // CLng, half to even
    double toDouble() const;      // CDbl
    bool toBool() const;          // CBool: numbers (non-zero), "True"/"False" in any case, numeric text
    Date toDate() const;          // CDate
    QByteArray toBytes() const;   // byte content of a long-binary value (text as UTF-16LE)

    // Text of the value as a caption shows it: Empty and Null give "".
    QString text() const;

    friend bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }

private:
    // The order of the alternatives is the order of Type.
    using Storage = std::variant<EmptyValue, NullValue, bool, int16_t, int32_t, double, QString, Date, QByteArray>;
    Storage value_;
};

// Round half to even, as the integer conversions do.
double roundHalfEven(double v);
// CInt / CLng of a plain number (raise 6 when out of range).
int16_t cint(double v);
int32_t clng(double v);
// Narrows to 16 bits, raising 6 (Overflow) outside -32768..32767.
int16_t checkedInt16(long long v);
// Val: the leading number of a text (blanks, tabs and line breaks anywhere ignored, "&H"/"&O"
// prefixes as signed 16- or 32-bit values), 0 when there is none; 6 (Overflow) for a number beyond
// the double range or a hex/octal number beyond 32 bits.
double val(const QString& text);
// The number a text converts to, as CDbl reads it: decimal with an optional exponent, or "&H"/"&O"
// hexadecimal or octal; blanks around it are ignored. False when the text is no number.
bool numberFromText(const QString& text, double* out);
// CStr of a double the way the runtime writes numbers: no trailing zeros, up to 15 significant digits,
// "1E+15" and "1E-05" for large and small magnitudes.
QString numberText(double v);
// CStr of a single-precision number: as numberText with up to 7 significant digits.
QString singleText(float v);

}  // namespace vb
