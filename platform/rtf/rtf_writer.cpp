#include "platform/rtf/rtf_writer.h"

#include "platform/vb/codepage936.h"
#include "platform/vb/twips.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace rtf {

namespace {

constexpr double kTwipsPerPixel = vb::kTwipsPerPixel;  // as a double: the divisions are exact
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;

struct UnderlineWord {
    QTextCharFormat::UnderlineStyle style;
    const char* word;
};
constexpr std::array kUnderlineWords{
    UnderlineWord{QTextCharFormat::SingleUnderline, "\\ul"},
    UnderlineWord{QTextCharFormat::DashUnderline, "\\uldash"},
    UnderlineWord{QTextCharFormat::DotLine, "\\uld"},
    UnderlineWord{QTextCharFormat::DashDotLine, "\\uldashd"},
    UnderlineWord{QTextCharFormat::DashDotDotLine, "\\uldashdd"},
    UnderlineWord{QTextCharFormat::WaveUnderline, "\\ulwave"},
};

struct NumberingWord {
    QTextListFormat::Style style;
    const char* word;
};
constexpr std::array kNumberingWords{
    NumberingWord{QTextListFormat::ListDecimal, "\\pndec"},
    NumberingWord{QTextListFormat::ListLowerAlpha, "\\pnlcltr"},
    NumberingWord{QTextListFormat::ListUpperAlpha, "\\pnucltr"},
    NumberingWord{QTextListFormat::ListLowerRoman, "\\pnlcrm"},
    NumberingWord{QTextListFormat::ListUpperRoman, "\\pnucrm"},
};

const char* numberingWord(QTextListFormat::Style style) {
    for (const auto& n : kNumberingWords)
        if (n.style == style) return n.word;
    return nullptr;  // a bullet
}

int twips(double pixels) { return static_cast<int>(std::lround(pixels * kTwipsPerPixel)); }

// A run's formats with the document's defaults filled in.
struct RunFormat {
    QString family;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    QTextCharFormat::UnderlineStyle underline = QTextCharFormat::NoUnderline;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
    QColor foreground;
    QColor background;
};

QColor brushColor(const QTextCharFormat& f, QTextFormat::Property property) {
    if (!f.hasProperty(property)) return {};
    const QBrush brush = f.brushProperty(property);
    if (brush.style() == Qt::NoBrush) return {};
    return brush.color().toRgb();
}

RunFormat effectiveFormat(const QTextCharFormat& f, const QFont& defaults) {
    RunFormat r;
    r.family = f.fontFamilies().toStringList().value(0);
    if (r.family.isEmpty()) r.family = defaults.family();
    double points = defaults.pointSizeF() > 0 ? defaults.pointSizeF() : defaults.pixelSize() * 0.75;
    if (f.hasProperty(QTextFormat::FontPointSize)) {
        points = f.fontPointSize();
    } else if (f.hasProperty(QTextFormat::FontPixelSize)) {
        points = f.intProperty(QTextFormat::FontPixelSize) * 0.75;
    }
    r.halfPoints = std::clamp(static_cast<int>(std::lround(points * 2)), kMinHalfPoints, kMaxHalfPoints);
    r.bold = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() > QFont::Medium : defaults.bold();
    r.italic = f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : defaults.italic();
    r.strike = f.hasProperty(QTextFormat::FontStrikeOut) ? f.fontStrikeOut() : defaults.strikeOut();
    if (f.hasProperty(QTextFormat::TextUnderlineStyle)) {
        r.underline = f.underlineStyle();
    } else if (f.hasProperty(QTextFormat::FontUnderline)) {
        r.underline = f.fontUnderline() ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline;
    } else {
        r.underline = defaults.underline() ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline;
    }
    r.vertical = f.verticalAlignment();
    r.foreground = brushColor(f, QTextFormat::ForegroundBrush);
    r.background = brushColor(f, QTextFormat::BackgroundBrush);
    return r;
}

void appendHexByte(QByteArray& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\'";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

class Writer {
public:
    explicit Writer(const QTextDocument& document) : document_(document), defaults_(document.defaultFont()) {}

    QByteArray run();

private:
    int fontIndex(const QString& family);
    int colorIndex(const QColor& color);
    void collect(const QTextCharFormat& format);

    void writeFontName(const QString& name);
    void writeBlock(const QTextBlock& block);
    void writeListMarker(const QTextBlock& block, const QTextList& list);
    void writeRunFormat(const QTextCharFormat& format);
    void writeText(const QString& text);
    void writeUnicode(char16_t unit, const QByteArray& fallback);
    const QByteArray& fallbackBytes(char16_t c);

    const QTextDocument& document_;
    const QFont defaults_;
    QByteArray out_;
    QStringList fonts_;
    std::vector<QColor> colors_;  // colour table entries from index 1
    bool bullets_ = false;
    int symbolFont_ = -1;
    QByteArray lastRunFormat_;
    int unicodeSkip_ = 1;
    QHash<char16_t, QByteArray> fallbacks_;
};

int Writer::fontIndex(const QString& family) {
    const qsizetype i = fonts_.indexOf(family);
    if (i >= 0) return static_cast<int>(i);
    fonts_.append(family);
    return static_cast<int>(fonts_.size() - 1);
}

int Writer::colorIndex(const QColor& color) {
    if (!color.isValid()) return 0;
    const QRgb rgb = color.rgb();
    for (std::size_t i = 0; i < colors_.size(); ++i)
        if (colors_[i].rgb() == rgb) return static_cast<int>(i + 1);
    colors_.push_back(color);
    return static_cast<int>(colors_.size());
}

void Writer::collect(const QTextCharFormat& format) {
    const RunFormat r = effectiveFormat(format, defaults_);
    fontIndex(r.family);
    colorIndex(r.foreground);
    colorIndex(r.background);
}

QByteArray Writer::run() {
    fontIndex(defaults_.family());  // \f0, the default font
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
        if (block.length() <= 1) collect(block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) collect(it.fragment().charFormat());
        if (const QTextList* list = block.textList(); list && !numberingWord(list->format().style())) bullets_ = true;
    }

    out_ = "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1\\deflang1033\\deflangfe2052";
    out_ += "{\\fonttbl";
    for (qsizetype i = 0; i < fonts_.size(); ++i) {
        out_ += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset134 ";
        const int skip = unicodeSkip_;  // a \\uc inside the group ends with it
        writeFontName(fonts_[i]);
        unicodeSkip_ = skip;
        out_ += ";}";
    }
    if (bullets_) {
        symbolFont_ = static_cast<int>(fonts_.size());
        out_ += "{\\f" + QByteArray::number(symbolFont_) + "\\fnil\\fcharset2 Symbol;}";
    }
    out_ += "}\r\n";
    if (!colors_.empty()) {
        out_ += "{\\colortbl ;";
        for (const QColor& c : colors_)
            out_ += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue" +
                    QByteArray::number(c.blue()) + ";";
        out_ += "}\r\n";
    }
    out_ += "\\viewkind4\r\n";
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) writeBlock(block);
    out_ += "}\r\n";
    return out_;
}

void Writer::writeFontName(const QString& name) {
    bool ascii = true;
    for (QChar c : name) ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7F;
    if (ascii) {
        writeText(name);
        return;
    }
    // Rich-edit controls and Word read a font name as bytes of its character set.
    const QByteArray bytes = vb::toCp936(name);
    if (vb::fromCp936(bytes) == name) {
        for (char b : bytes) appendHexByte(out_, static_cast<unsigned char>(b));
    } else {
        writeText(name);
    }
}

void Writer::writeBlock(const QTextBlock& block) {
    const QTextBlockFormat bf = block.blockFormat();
    out_ += "\\pard";
    const double indentWidth = document_.indentWidth();
    double left = bf.leftMargin() + bf.indent() * indentWidth;
    double first = bf.textIndent();
    if (const QTextList* list = block.textList()) {
        writeListMarker(block, *list);
        // The marker hangs in the list's indent, left of the text.
        left += list->format().indent() * indentWidth;
        first = first > 0 ? first : -indentWidth;
    }
    if (twips(first) != 0) out_ += "\\fi" + QByteArray::number(twips(first));
    if (twips(left) != 0) out_ += "\\li" + QByteArray::number(twips(left));
    if (twips(bf.rightMargin()) != 0) out_ += "\\ri" + QByteArray::number(twips(bf.rightMargin()));
    const Qt::Alignment align = bf.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter) {
        out_ += "\\qc";
    } else if (align & (Qt::AlignRight | Qt::AlignTrailing)) {
        out_ += "\\qr";
    } else if (align & Qt::AlignJustify) {
        out_ += "\\qj";
    }
    for (const QTextOption::Tab& tab : bf.tabPositions()) {
        switch (tab.type) {
        case QTextOption::RightTab:
            out_ += "\\tqr";
            break;
        case QTextOption::CenterTab:
            out_ += "\\tqc";
            break;
        case QTextOption::DelimiterTab:
            out_ += "\\tqdec";
            break;
        case QTextOption::LeftTab:
            break;
        }
        out_ += "\\tx" + QByteArray::number(twips(tab.position));
    }
    out_ += ' ';
    if (block.length() <= 1) writeRunFormat(block.charFormat());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        writeRunFormat(fragment.charFormat());
        writeText(fragment.text());
    }
    out_ += "\\par\r\n";
}

void Writer::writeListMarker(const QTextBlock& block, const QTextList& list) {
    // {\pntext} carries the marker for readers without numbering; {\*\pn} is the numbering itself.
    if (const char* numbering = numberingWord(list.format().style())) {
        out_ += "{\\pntext\\f0 ";
        const int skip = unicodeSkip_;  // a \\uc inside the group ends with it
        writeText(list.itemText(block));
        unicodeSkip_ = skip;
        out_ += "\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1";
        out_ += numbering;
        out_ += "{\\pntxta .}}";
    } else {
        const QByteArray f = QByteArray::number(symbolFont_);
        out_ += "{\\pntext\\f" + f + "\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf" + f + "\\pnindent0{\\pntxtb\\'b7}}";
    }
}

void Writer::writeRunFormat(const QTextCharFormat& format) {
    const RunFormat r = effectiveFormat(format, defaults_);
    QByteArray w = "\\plain\\f" + QByteArray::number(fontIndex(r.family)) + "\\fs" + QByteArray::number(r.halfPoints);
    if (r.bold) w += "\\b";
    if (r.italic) w += "\\i";
    if (r.strike) w += "\\strike";
    for (const auto& u : kUnderlineWords)
        if (u.style == r.underline) w += u.word;
    if (r.vertical == QTextCharFormat::AlignSuperScript) w += "\\super";
    if (r.vertical == QTextCharFormat::AlignSubScript) w += "\\sub";
    if (const int c = colorIndex(r.foreground)) w += "\\cf" + QByteArray::number(c);
    if (const int c = colorIndex(r.background)) w += "\\highlight" + QByteArray::number(c);
    w += ' ';
    if (w == lastRunFormat_) return;
    out_ += w;
    lastRunFormat_ = w;
}

const QByteArray& Writer::fallbackBytes(char16_t c) {
    auto it = fallbacks_.find(c);
    if (it == fallbacks_.end()) {
        const QString s(QChar{c});
        QByteArray bytes = vb::toCp936(s);
        if (bytes == "?" || vb::fromCp936(bytes) != s) bytes.clear();  // not in the code page
        it = fallbacks_.insert(c, bytes);
    }
    return *it;
}

void Writer::writeUnicode(char16_t unit, const QByteArray& fallback) {
    const int skip = fallback.isEmpty() ? 1 : static_cast<int>(fallback.size());
    if (skip != unicodeSkip_) {
        out_ += "\\uc" + QByteArray::number(skip);
        unicodeSkip_ = skip;
    }
    out_ += "\\u" + QByteArray::number(static_cast<int16_t>(unit));
    if (fallback.isEmpty()) {
        out_ += '?';
    } else {
        for (char b : fallback) appendHexByte(out_, static_cast<unsigned char>(b));
    }
}

void Writer::writeText(const QString& text) {
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        switch (c) {
        case u'\\':
        case u'{':
        case u'}':
            out_ += '\\';
            out_ += static_cast<char>(c);
            continue;
        case u'\t':
            out_ += "\\tab ";
            continue;
        case u'\u2028':
            out_ += "\\line ";
            continue;
        case u'\u00A0':
            out_ += "\\~";
            continue;
        case u'\uFFFC':  // an embedded object: not kept in RTF
            continue;
        default:
            break;
        }
        if (c < 0x20 || c == 0x7F || (c >= 0xFDD0 && c <= 0xFDEF)) continue;
        if (c < 0x7F) {
            out_ += static_cast<char>(c);
        } else if (ch.isSurrogate()) {
            writeUnicode(c, {});
        } else {
            writeUnicode(c, fallbackBytes(c));
        }
    }
}

}  // namespace

QByteArray write(const QTextDocument& document) { return Writer(document).run(); }

}  // namespace rtf
