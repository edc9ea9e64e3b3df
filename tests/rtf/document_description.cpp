#include "tests/rtf/document_description.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace rtftest {

namespace {

QString colorText(const QTextCharFormat& f, QTextFormat::Property p) {
    if (!f.hasProperty(p) || f.brushProperty(p).style() == Qt::NoBrush) return "auto";
    return f.brushProperty(p).color().name();
}

QString runFormat(const QTextCharFormat& f, const QFont& defaults) {
    QString family = f.fontFamilies().toStringList().value(0);
    if (family.isEmpty()) family = defaults.family();
    const double size = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : defaults.pointSizeF();
    const bool bold = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() > QFont::Medium : defaults.bold();
    const bool italic = f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : defaults.italic();
    const bool strike = f.hasProperty(QTextFormat::FontStrikeOut) ? f.fontStrikeOut() : defaults.strikeOut();
    return QStringLiteral("%1 %2%3%4%5%6 va%7 fg=%8 bg=%9")
        .arg(family)
        .arg(size)
        .arg(bold ? " b" : "")
        .arg(italic ? " i" : "")
        .arg(f.underlineStyle() != QTextCharFormat::NoUnderline ? QStringLiteral(" u%1").arg(f.underlineStyle()) : "")
        .arg(strike ? " s" : "")
        .arg(f.verticalAlignment())
        .arg(colorText(f, QTextFormat::ForegroundBrush), colorText(f, QTextFormat::BackgroundBrush));
}

}  // namespace

QString describe(const QTextDocument& document) {
    const QFont defaults = document.defaultFont();
    const double indentWidth = document.indentWidth();
    QString out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat bf = block.blockFormat();
        double left = bf.leftMargin() + bf.indent() * indentWidth;
        QString list = "-";
        if (const QTextList* l = block.textList()) {
            left += l->format().indent() * indentWidth;
            list = QString::number(l->format().style());
        }
        QString tabs;
        for (const auto& t : bf.tabPositions()) tabs += QStringLiteral(" %1:%2").arg(t.position).arg(t.type);
        out += QStringLiteral("P align=%1 left=%2 first=%3 right=%4 list=%5 tabs=[%6]\n")
                   .arg(int(bf.alignment() & Qt::AlignHorizontal_Mask))
                   .arg(left)
                   .arg(bf.textIndent())
                   .arg(bf.rightMargin())
                   .arg(list, tabs);
        if (block.length() <= 1) out += "  (empty) " + runFormat(block.charFormat(), defaults) + "\n";
        // Qt draws a list marker in the block's own format.
        else if (block.textList()) out += "  (marker) " + runFormat(block.charFormat(), defaults) + "\n";
        // Runs of equal formats, however the fragments are cut.
        QString lastFormat;
        QString text;
        auto flush = [&] {
            if (!text.isEmpty()) out += QStringLiteral("  [%1] %2\n").arg(text, lastFormat);
            text.clear();
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString format = runFormat(fragment.charFormat(), defaults);
            if (format != lastFormat) {
                flush();
                lastFormat = format;
            }
            text += fragment.text();
        }
        flush();
    }
    return out;
}

}  // namespace rtftest
