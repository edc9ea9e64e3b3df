#pragma once
// The automation value that dispatch calls, property bags and tagged stream values carry: a type tag
// with the platform's numbering (VT_I2 = 2, VT_UI4 = 19 ...) and the value.
#include <QString>

#include <cstdint>
#include <variant>

namespace com {

enum class VarType : uint16_t {
    Empty = 0,
    Null = 1,
    I2 = 2,
    I4 = 3,
    R4 = 4,
    R8 = 5,
    BStr = 8,
    Bool = 11,
    UI4 = 19,
    I8 = 20,
};

class Value {
public:
    Value() = default;
    static Value null() {
        Value v;
        v.v_ = NullTag{};
        return v;
    }
    Value(int16_t v) : v_(v) {}
    Value(int32_t v) : v_(v) {}
    Value(uint32_t v) : v_(v) {}
    Value(int64_t v) : v_(v) {}
    Value(float v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(bool v) : v_(v) {}
    Value(const QString& v) : v_(v) {}
    Value(const char* v) : v_(QString::fromUtf8(v)) {}

    VarType type() const;
    bool isEmpty() const { return type() == VarType::Empty; }

    // The value converted to another type, as the platform's coercion does: numbers between numeric
    // types with range checks (DISP_E_OVERFLOW), text parsed as a number (DISP_E_TYPEMISMATCH when it is
    // none), Booleans as -1 and 0, numbers to text in decimal. Reals round half to even.
    int32_t changeType(VarType to, Value* out) const;

    // Shorthands; `ok` is false when the conversion fails (the result is then 0 / empty / false).
    int16_t toInt16(bool* ok = nullptr) const;
    int32_t toInt32(bool* ok = nullptr) const;
    uint32_t toUInt32(bool* ok = nullptr) const;
    int64_t toInt64(bool* ok = nullptr) const;
    double toDouble(bool* ok = nullptr) const;
    bool toBool(bool* ok = nullptr) const;
    QString toString(bool* ok = nullptr) const;

    // Same type and value.
    friend bool operator==(const Value& a, const Value& b) { return a.v_ == b.v_; }

    // Equal as the extender write compares: numbers as numbers, Booleans as true or false, text exactly.
    static bool sameValue(const Value& a, const Value& b);

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
    };
    std::variant<std::monostate, NullTag, int16_t, int32_t, uint32_t, int64_t, float, double, bool, QString> v_;
};

}  // namespace com
