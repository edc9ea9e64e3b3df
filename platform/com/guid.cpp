#include "platform/com/guid.h"

#include <cctype>

namespace com {

QString Guid::toString() const {
    QString s = QStringLiteral("{%1-%2-%3-").arg(data1, 8, 16, QLatin1Char('0'))
                    .arg(data2, 4, 16, QLatin1Char('0'))
                    .arg(data3, 4, 16, QLatin1Char('0'));
    for (int i = 0; i < 8; ++i) {
        if (i == 2) s += QLatin1Char('-');
        s += QStringLiteral("%1").arg(data4[i], 2, 16, QLatin1Char('0'));
    }
    s += QLatin1Char('}');
    return s.toUpper();
}

bool Guid::parse(const QString& text, Guid* out) {
    QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('{')) && t.endsWith(QLatin1Char('}'))) t = t.mid(1, t.size() - 2);
    if (t.size() != 36) return false;
    const QByteArray a = t.toLatin1();
    for (int i = 0; i < 36; ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const char c = a[i];
        if (dash ? c != '-' : !std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    auto field = [&](int at, int digits) { return a.mid(at, digits).toULongLong(nullptr, 16); };
    Guid g;
    g.data1 = static_cast<uint32_t>(field(0, 8));
    g.data2 = static_cast<uint16_t>(field(9, 4));
    g.data3 = static_cast<uint16_t>(field(14, 4));
    g.data4[0] = static_cast<uint8_t>(field(19, 2));
    g.data4[1] = static_cast<uint8_t>(field(21, 2));
    for (int i = 0; i < 6; ++i) g.data4[2 + i] = static_cast<uint8_t>(field(24 + 2 * i, 2));
    if (out) *out = g;
    return true;
}

}  // namespace com
