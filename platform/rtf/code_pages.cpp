#include "platform/rtf/code_pages.h"

#include "platform/vb/code_page_converter.h"
#include "platform/vb/codepage936.h"

#include <array>

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

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

QString CodePageDecoder::decode(const QByteArray& bytes, int codePage) {
    if (bytes.isEmpty()) return {};
    if (codePage == kCodePageGbk) return vb::fromCp936(bytes);
    auto& slot = converters_[codePage];
    if (!slot) slot = std::make_unique<vb::CodePageConverter>("UTF-16LE", iconvName(codePage).constData());
    if (!slot->valid()) return QString::fromLatin1(bytes);
    // An invalid or cut-off sequence: one replacement character, then on after its first byte.
    const QByteArray out = slot->run(bytes, QByteArray("\xFD\xFF", 2), 1);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(out.constData()), out.size() / 2);
}

}  // namespace rtf
