#include "platform/rtf/code_pages.h"

#include "platform/vb/codepage936.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace rtf {

namespace {

struct CharsetCodePage {
    int charset;
    int codePage;
};

// The Windows character sets that RTF files name in \fcharset.
constexpr std::array kCharsetCodePages{
    CharsetCodePage{0, 1252},    // ANSI
    CharsetCodePage{2, 1252},    // Symbol: its bytes are read as Western text
    CharsetCodePage{77, 10000},  // Mac Roman
    CharsetCodePage{128, 932},   // Shift JIS
    CharsetCodePage{129, 949},   // Hangul
    CharsetCodePage{130, 1361},  // Johab
    CharsetCodePage{134, 936},   // GB2312 / GBK
    CharsetCodePage{136, 950},   // Big5
    CharsetCodePage{161, 1253},  // Greek
    CharsetCodePage{162, 1254},  // Turkish
    CharsetCodePage{163, 1258},  // Vietnamese
    CharsetCodePage{177, 1255},  // Hebrew
    CharsetCodePage{178, 1256},  // Arabic
    CharsetCodePage{186, 1257},  // Baltic
    CharsetCodePage{204, 1251},  // Cyrillic
    CharsetCodePage{222, 874},   // Thai
    CharsetCodePage{238, 1250},  // Eastern European
    CharsetCodePage{255, 437},   // OEM
};

QByteArray iconvName(int codePage) {
    switch (codePage) {
    case 10000:
        return "MACINTOSH";
    case 1361:
        return "JOHAB";
    default:
        return "CP" + QByteArray::number(codePage);
    }
}

}  // namespace

int codePageOfCharset(int charset, int documentCodePage) {
    for (const auto& entry : kCharsetCodePages)
        if (entry.charset == charset) return entry.codePage;
    return documentCodePage;
}

class CodePageDecoder::Converter {
public:
    explicit Converter(int codePage) : cd_(iconv_open("UTF-16LE", iconvName(codePage).constData())) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    QString run(const QByteArray& in) {
        QByteArray out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.constData());
        size_t left = static_cast<size_t>(in.size());
        char buffer[4096];
        while (left > 0) {
            char* dst = buffer;
            size_t room = sizeof buffer;
            const size_t r = iconv(cd_, &src, &left, &dst, &room);
            out.append(buffer, static_cast<qsizetype>(dst - buffer));
            if (r != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) continue;
            // An invalid or cut-off sequence: one replacement character, then go on after its first byte.
            out.append("\xFD\xFF", 2);
            ++src;
            --left;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(out.constData()), out.size() / 2);
    }

private:
    iconv_t cd_;
};

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

QString CodePageDecoder::decode(const QByteArray& bytes, int codePage) {
    if (bytes.isEmpty()) return {};
    if (codePage == kCodePageGbk) return vb::fromCp936(bytes);
    auto& slot = converters_[codePage];
    if (!slot) slot = std::make_unique<Converter>(codePage);
    if (!slot->valid()) return QString::fromLatin1(bytes);
    return slot->run(bytes);
}

}  // namespace rtf
