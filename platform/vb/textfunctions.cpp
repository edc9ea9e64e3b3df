#include "platform/vb/textfunctions.h"

#include "platform/vb/codepage936.h"
#include "platform/vb/error.h"

namespace vb {

namespace {

QString inBase(const Variant& v, int base) {
    if (v.isNull()) raise(kInvalidUseOfNull);
    if (v.type() == Variant::Type::Int || v.type() == Variant::Type::Bool)
        return QString::number(static_cast<uint16_t>(v.toInt()), base).toUpper();
    return QString::number(static_cast<uint32_t>(v.toLong()), base).toUpper();
}

void checkCode(long code) {
    if (code < -32768 || code > 65535) raise(kInvalidProcedureCall);
}

}  // namespace

QString str(double v) {
    const QString s = numberText(v);
    return v < 0 ? s : QLatin1Char(' ') + s;
}

QString hex(const Variant& v) { return inBase(v, 16); }

QString oct(const Variant& v) { return inBase(v, 8); }

int16_t asc(const QString& text) {
    if (text.isEmpty()) raise(kInvalidProcedureCall);
    return ansiCode(text.front());
}

int16_t ascW(const QString& text) {
    if (text.isEmpty()) raise(kInvalidProcedureCall);
    return static_cast<int16_t>(text.front().unicode());
}

QString chr(long code) {
    checkCode(code);
    return fromAnsiCode(static_cast<int16_t>(static_cast<uint16_t>(code & 0xFFFF)));
}

QString chrW(long code) {
    checkCode(code);
    return QString(QChar(static_cast<char16_t>(code & 0xFFFF)));
}

}  // namespace vb
