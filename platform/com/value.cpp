#include "platform/com/value.h"

#include "platform/com/unknown.h"

#include <cmath>
#include <limits>

namespace com {

VarType Value::type() const {
    switch (v_.index()) {
    case 0: return VarType::Empty;
    case 1: return VarType::Null;
    case 2: return VarType::I2;
    case 3: return VarType::I4;
    case 4: return VarType::UI4;
    case 5: return VarType::I8;
    case 6: return VarType::R4;
    case 7: return VarType::R8;
    case 8: return VarType::Bool;
    default: return VarType::BStr;
    }
}

namespace {

// The value as a double when it is a number (Booleans as -1/0, Empty as 0, text parsed).
bool asNumber(const Value& v, double* out) {
    switch (v.type()) {
    case VarType::Empty: *out = 0; return true;
    case VarType::Null: return false;
    case VarType::BStr: {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        if (!ok) return false;
        *out = d;
        return true;
    }
    default: *out = v.toDouble(); return true;
    }
}

template <class T>
int32_t narrow(double d, Value* out) {
    const double r = std::nearbyint(d);  // the default rounding mode rounds half to even
    if (!std::isfinite(r) || r < double(std::numeric_limits<T>::min()) || r > double(std::numeric_limits<T>::max()))
        return DISP_E_OVERFLOW;
    *out = Value(static_cast<T>(r));
    return S_OK;
}

}  // namespace

int32_t Value::changeType(VarType to, Value* out) const {
    if (type() == to) {
        *out = *this;
        return S_OK;
    }
    if (to == VarType::BStr) {
        if (type() == VarType::Null) return DISP_E_TYPEMISMATCH;
        if (type() == VarType::Bool) {
            *out = Value(QString(std::get<bool>(v_) ? QStringLiteral("True") : QStringLiteral("False")));
            return S_OK;
        }
        *out = Value(toString());
        return S_OK;
    }
    if (to == VarType::Empty) {
        *out = Value();
        return S_OK;
    }
    double d = 0;
    if (type() == VarType::BStr) {
        const QString t = std::get<QString>(v_).trimmed();
        if (to == VarType::Bool && t.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) d = -1;
        else if (to == VarType::Bool && t.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) d = 0;
        else if (!asNumber(*this, &d)) return DISP_E_TYPEMISMATCH;
    } else if (!asNumber(*this, &d)) {
        return DISP_E_TYPEMISMATCH;
    }
    switch (to) {
    case VarType::I2: return narrow<int16_t>(d, out);
    case VarType::I4: return narrow<int32_t>(d, out);
    case VarType::UI4: return narrow<uint32_t>(d, out);
    case VarType::I8: return narrow<int64_t>(d, out);
    case VarType::R4:
        if (std::isfinite(d) && std::fabs(d) > double(std::numeric_limits<float>::max())) return DISP_E_OVERFLOW;
        *out = Value(static_cast<float>(d));
        return S_OK;
    case VarType::R8: *out = Value(d); return S_OK;
    case VarType::Bool: *out = Value(d != 0); return S_OK;
    default: return DISP_E_TYPEMISMATCH;
    }
}

int16_t Value::toInt16(bool* ok) const {
    Value r;
    const bool good = changeType(VarType::I2, &r) == S_OK;
    if (ok) *ok = good;
    return good ? std::get<int16_t>(r.v_) : 0;
}
int32_t Value::toInt32(bool* ok) const {
    Value r;
    const bool good = changeType(VarType::I4, &r) == S_OK;
    if (ok) *ok = good;
    return good ? std::get<int32_t>(r.v_) : 0;
}
uint32_t Value::toUInt32(bool* ok) const {
    Value r;
    const bool good = changeType(VarType::UI4, &r) == S_OK;
    if (ok) *ok = good;
    return good ? std::get<uint32_t>(r.v_) : 0;
}
int64_t Value::toInt64(bool* ok) const {
    Value r;
    const bool good = changeType(VarType::I8, &r) == S_OK;
    if (ok) *ok = good;
    return good ? std::get<int64_t>(r.v_) : 0;
}
double Value::toDouble(bool* ok) const {
    if (ok) *ok = true;
    switch (type()) {
    case VarType::Empty: return 0;
    case VarType::I2: return std::get<int16_t>(v_);
    case VarType::I4: return std::get<int32_t>(v_);
    case VarType::UI4: return std::get<uint32_t>(v_);
    case VarType::I8: return double(std::get<int64_t>(v_));
    case VarType::R4: return std::get<float>(v_);
    case VarType::R8: return std::get<double>(v_);
    case VarType::Bool: return std::get<bool>(v_) ? -1 : 0;
    default: {
        double d = 0;
        const bool good = type() == VarType::BStr && asNumber(*this, &d);
        if (ok) *ok = good;
        return good ? d : 0;
    }
    }
}
bool Value::toBool(bool* ok) const {
    Value r;
    const bool good = changeType(VarType::Bool, &r) == S_OK;
    if (ok) *ok = good;
    return good && std::get<bool>(r.v_);
}
QString Value::toString(bool* ok) const {
    if (ok) *ok = type() != VarType::Null;
    switch (type()) {
    case VarType::Empty:
    case VarType::Null: return {};
    case VarType::BStr: return std::get<QString>(v_);
    case VarType::Bool: return std::get<bool>(v_) ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::R4: return QString::number(double(std::get<float>(v_)), 'g', 7);
    case VarType::R8: return QString::number(std::get<double>(v_), 'g', 15);
    case VarType::I8: return QString::number(std::get<int64_t>(v_));
    case VarType::UI4: return QString::number(std::get<uint32_t>(v_));
    default: return QString::number(toInt64());
    }
}

bool Value::sameValue(const Value& a, const Value& b) {
    if (a.type() == VarType::Bool || b.type() == VarType::Bool) {
        bool okA = false, okB = false;
        const bool x = a.toBool(&okA), y = b.toBool(&okB);
        return okA && okB && x == y;
    }
    if (a.type() == VarType::BStr || b.type() == VarType::BStr) return a.type() == b.type() && a == b;
    if (a.type() == VarType::Null || b.type() == VarType::Null) return a.type() == b.type();
    return a.toDouble() == b.toDouble();
}

}  // namespace com
