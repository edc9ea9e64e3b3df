#include "platform/vb/codepage936.h"

#include "platform/vb/code_page_converter.h"

namespace vb {

namespace {

CodePageConverter& toGbk() {
    static CodePageConverter c("CP936", "UTF-16LE");
    return c;
}
CodePageConverter& fromGbk() {
    static CodePageConverter c("UTF-16LE", "CP936");
    return c;
}

}  // namespace

QByteArray toCp936(const QString& text) {
    // UTF-16 input: an unmappable unit is two bytes (a surrogate pair is taken unit by unit and gives
    // "??", as the Windows conversion does).
    const QByteArray in(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return toGbk().run(in, QByteArrayLiteral("?"), 2);
}

QString fromCp936(const QByteArray& bytes) {
    const QByteArray out = fromGbk().run(bytes, QByteArray("\xFD\xFF", 2), 1);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(out.constData()), out.size() / 2);
}

int16_t ansiCode(QChar c) {
    const QByteArray b = toCp936(QString(c));
    if (b.size() >= 2)
        return static_cast<int16_t>((static_cast<uint8_t>(b[0]) << 8) | static_cast<uint8_t>(b[1]));
    if (b.size() == 1) return static_cast<uint8_t>(b[0]);
    return '?';
}

QString fromAnsiCode(int16_t code) {
    const uint16_t u = static_cast<uint16_t>(code);
    QByteArray b;
    if (u > 0xFF) {
        b.append(static_cast<char>(u >> 8));
        b.append(static_cast<char>(u & 0xFF));
    } else {
        b.append(static_cast<char>(u));
    }
    const QString s = fromCp936(b);
    if (s.size() != 1 || s[0] == QChar(0xFFFD)) return QStringLiteral("?");
    return s;
}

}  // namespace vb
