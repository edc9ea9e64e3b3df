#include "platform/vb/variant.h"

#include "platform/vb/error.h"

#include <cmath>
#include <limits>

namespace vb {

double roundHalfEven(double v) {
    const double r = std::nearbyint(v);  // default rounding mode is to nearest, ties to even
    return r;
}

int16_t checkedInt16(long long v) {
    if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max()) raise(kOverflow);
    return static_cast<int16_t>(v);
}

int16_t cint(double v) {
    if (!std::isfinite(v)) raise(kOverflow);
    const double r = roundHalfEven(v);
    if (r < -32768.0 || r > 32767.0) raise(kOverflow);
    return static_cast<int16_t>(r);
}

int32_t clng(double v) {
    if (!std::isfinite(v)) raise(kOverflow);
    const double r = roundHalfEven(v);
    if (r < -2147483648.0 || r > 2147483647.0) raise(kOverflow);
    return static_cast<int32_t>(r);
}

QString numberText(double v) {
    if (v == 0) return QStringLiteral("0");
    QString s = QString::number(v, 'g', 15);
    if (s.contains(QLatin1Char('e'))) {
        // The runtime writes exponents as E+nn.
        s.replace(QLatin1Char('e'), QLatin1Char('E'));
    }
    return s;
}

double val(const QString& text) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            s.append(c);
    if (s.startsWith(QLatin1String("&H"), Qt::CaseInsensitive) ||
        s.startsWith(QLatin1String("&O"), Qt::CaseInsensitive)) {
        const int base = s[1].toUpper() == QLatin1Char('H') ? 16 : 8;
        int n = 2;
        while (n < s.size() && QStringLiteral("0123456789ABCDEF").left(base).contains(s[n].toUpper())) ++n;
        bool ok = false;
        const qlonglong r = s.mid(2, n - 2).toLongLong(&ok, base);
        return ok ? static_cast<double>(r) : 0.0;
    }
    int i = 0;
    const int len = s.size();
    auto digit = [&](int k) { return k < len && s[k].isDigit() && s[k].unicode() < 128; };
    if (i < len && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) ++i;
    const int mantStart = i;
    while (digit(i)) ++i;
    if (i < len && s[i] == QLatin1Char('.')) {
        ++i;
        while (digit(i)) ++i;
    }
    if (i == mantStart || (i == mantStart + 1 && s[mantStart] == QLatin1Char('.'))) return 0.0;
    int end = i;
    if (i < len && (s[i] == QLatin1Char('E') || s[i] == QLatin1Char('e') || s[i] == QLatin1Char('D') ||
                    s[i] == QLatin1Char('d'))) {
        int j = i + 1;
        if (j < len && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-'))) ++j;
        if (digit(j)) {
            while (digit(j)) ++j;
            end = j;
        }
    }
    QString num = s.left(end);
    num.replace(QLatin1Char('D'), QLatin1Char('E')).replace(QLatin1Char('d'), QLatin1Char('E'));
    return num.toDouble();
}

bool Variant::isNumeric() const {
    switch (type()) {
    case Type::Bool:
    case Type::Int:
    case Type::Long:
    case Type::Double:
    case Type::Empty:
        return true;
    case Type::String: {
        bool ok = false;
        std::get<QString>(value_).trimmed().toDouble(&ok);
        return ok;
    }
    default:
        return false;
    }
}

QString Variant::toString() const {
    switch (type()) {
    case Type::Empty:
        return QString();
    case Type::Null:
        raise(kInvalidUseOfNull);
    case Type::Bool:
        return std::get<bool>(value_) ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Int:
        return QString::number(std::get<int16_t>(value_));
    case Type::Long:
        return QString::number(std::get<int32_t>(value_));
    case Type::Double:
        return numberText(std::get<double>(value_));
    case Type::String:
        return std::get<QString>(value_);
    case Type::Date:
        return std::get<Date>(value_).text();
    case Type::Bytes:
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(std::get<QByteArray>(value_).constData()),
                                  std::get<QByteArray>(value_).size() / 2);
    }
    return QString();
}

QString Variant::text() const { return isNull() ? QString() : toString(); }

double Variant::toDouble() const {
    switch (type()) {
    case Type::Empty:
        return 0;
    case Type::Null:
        raise(kInvalidUseOfNull);
    case Type::Bool:
        return std::get<bool>(value_) ? -1 : 0;
    case Type::Int:
        return std::get<int16_t>(value_);
    case Type::Long:
        return std::get<int32_t>(value_);
    case Type::Double:
        return std::get<double>(value_);
    case Type::Date:
        return std::get<Date>(value_).serial();
    case Type::String: {
        const QString s = std::get<QString>(value_).trimmed();
        bool ok = false;
        const double d = s.toDouble(&ok);
        if (ok) return d;
        if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return -1;
        if (s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return 0;
        Date dt;
        if (Date::parse(s, &dt)) return dt.serial();
        raise(kTypeMismatch);
    }
    case Type::Bytes:
        raise(kTypeMismatch);
    }
    return 0;
}

int16_t Variant::toInt() const { return cint(toDouble()); }

int32_t Variant::toLong() const { return clng(toDouble()); }

bool Variant::toBool() const {
    if (type() == Type::String) {
        const QString s = std::get<QString>(value_).trimmed();
        if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
        if (s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
        bool ok = false;
        const double d = s.toDouble(&ok);
        if (!ok) raise(kTypeMismatch);
        return d != 0;
    }
    if (type() == Type::Bool) return std::get<bool>(value_);
    return toDouble() != 0;
}

Date Variant::toDate() const {
    switch (type()) {
    case Type::Date:
        return std::get<Date>(value_);
    case Type::String: {
        Date d;
        if (Date::parse(std::get<QString>(value_), &d)) return d;
        bool ok = false;
        const double v = std::get<QString>(value_).trimmed().toDouble(&ok);
        if (ok) return Date(v);
        raise(kTypeMismatch);
    }
    default:
        return Date(toDouble());
    }
}

QByteArray Variant::toBytes() const {
    switch (type()) {
    case Type::Bytes:
        return std::get<QByteArray>(value_);
    case Type::Null:
        raise(kInvalidUseOfNull);
    case Type::Empty:
        return QByteArray();
    default: {
        const QString s = toString();
        return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
    }
    }
}

}  // namespace vb
