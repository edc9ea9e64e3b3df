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

QString singleText(float v) {
    if (v == 0) return QStringLiteral("0");
    QString s = QString::number(static_cast<double>(v), 'g', 7);
    s.replace(QLatin1Char('e'), QLatin1Char('E'));
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
        const bool hexadecimal = s[1].toUpper() == QLatin1Char('H');
        const int base = hexadecimal ? 16 : 8;
        int n = 2;
        while (n < s.size() && QStringLiteral("0123456789ABCDEF").left(base).contains(s[n].toUpper())) ++n;
        QString digits = s.mid(2, n - 2);
        while (digits.size() > 1 && digits.startsWith(QLatin1Char('0'))) digits.remove(0, 1);
        if (digits.isEmpty()) return 0.0;
        // Up to 4 hex (6 octal) digits are a 16-bit value, up to 8 (11) a 32-bit one, both signed:
        // "&HFFFF" is -1.
        const qulonglong u = digits.toULongLong(nullptr, base);
        const int shortDigits = hexadecimal ? 4 : 6;
        const int longDigits = hexadecimal ? 8 : 11;
        if (digits.size() <= shortDigits && u <= 0xFFFF) return static_cast<int16_t>(static_cast<uint16_t>(u));
        if (digits.size() <= longDigits && u <= 0xFFFFFFFFull) return static_cast<int32_t>(static_cast<uint32_t>(u));
        raise(kOverflow);
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
    bool ok = false;
    const double r = num.toDouble(&ok);
    if (!ok || !std::isfinite(r)) {
        // A mantissa that reads but whose exponent is out of range; tiny values read as 0.
        if (std::isfinite(r) && r == 0) return 0.0;
        raise(kOverflow);
    }
    return r;
}

namespace {
// "&H1F" or "&O17" and nothing else: text that converts as a hexadecimal or octal number.
bool isRadixText(const QString& s) {
    if (s.size() < 3 || s[0] != QLatin1Char('&')) return false;
    const QChar kind = s[1].toUpper();
    const QString digits = kind == QLatin1Char('H') ? QStringLiteral("0123456789ABCDEF")
                           : kind == QLatin1Char('O') ? QStringLiteral("01234567")
                                                      : QString();
    if (digits.isEmpty()) return false;
    for (int i = 2; i < s.size(); ++i)
        if (!digits.contains(s[i].toUpper())) return false;
    return true;
}
}  // namespace

bool numberFromText(const QString& text, double* out) {
    const QString s = text.trimmed();
    bool ok = false;
    double d = s.toDouble(&ok);
    if (ok && !std::isfinite(d)) ok = false;  // "inf" and "nan" are no numbers here
    if (!ok && isRadixText(s)) {
        d = val(s);
        ok = true;
    }
    if (ok && out) *out = d;
    return ok;
}

bool Variant::isNumeric() const {
    switch (type()) {
    case Type::Bool:
    case Type::Int:
    case Type::Long:
    case Type::Double:
    case Type::Empty:
        return true;
    case Type::String:
        return numberFromText(std::get<QString>(value_), nullptr);
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
        double d = 0;
        if (numberFromText(s, &d)) return d;
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
        double d = 0;
        if (!numberFromText(s, &d)) raise(kTypeMismatch);
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
        double v = 0;
        if (numberFromText(std::get<QString>(value_), &v)) return Date(v);
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
