#include "platform/vb/codepage936.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace vb {

namespace {

// One iconv conversion, restarted for every call; the descriptor is opened once per direction.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; on a sequence it cannot convert, appends `replacement` and skips `skip` input
    // bytes.
    QByteArray run(const QByteArray& in, const QByteArray& replacement, size_t skip) {
        QByteArray out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.constData());
        size_t srcLeft = static_cast<size_t>(in.size());
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<qsizetype>(dst - buffer));
            if (r != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (truncated at the end): replace and step over.
            out.append(replacement);
            const size_t step = std::min(skip, srcLeft);
            src += step;
            srcLeft -= step;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

Converter& toGbk() {
    static Converter c("CP936", "UTF-16LE");
    return c;
}
Converter& fromGbk() {
    static Converter c("UTF-16LE", "CP936");
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
