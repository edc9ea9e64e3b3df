// Damaged, cut-off and random input: the reader never crashes or hangs, keeps the text it could read,
// and whatever it read is written and read back unchanged.
#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"
#include "tests/rtf/document_description.h"
#include "tests/rtf/foreign_samples.h"

#include <QColor>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <random>

namespace {

using namespace Qt::StringLiterals;

qsizetype commonPrefix(const QString& a, const QString& b) {
    qsizetype n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

// What was read must survive a write and a read unchanged, the writer's RTF must be whole, and a
// second save writes the same bytes as the first.
void expectStable(const QTextDocument& doc, const QByteArray& input) {
    const QByteArray again = rtf::write(doc);
    QTextDocument copy;
    const rtf::ReadResult r = rtf::read(again, copy);
    ASSERT_TRUE(r.isRtf && r.complete) << input.toHex().constData();
    EXPECT_EQ(rtftest::describe(copy).toStdString(), rtftest::describe(doc).toStdString()) << input.toHex().constData();
    EXPECT_EQ(rtf::write(copy), again) << input.toHex().constData();
}

TEST(RtfDamage, CutOffAnywhereKeepsTheTextBeforeTheCut) {
    for (const char* sample : {rtftest::kWordPad, rtftest::kRichTextBox, rtftest::kWord, rtftest::kLibreOffice}) {
        const QByteArray full(sample);
        QTextDocument whole;
        ASSERT_TRUE(rtf::read(full, whole).complete);
        const QString wholeText = whole.toPlainText();
        for (qsizetype cut = 0; cut < full.size(); ++cut) {
            QTextDocument doc;
            const rtf::ReadResult r = rtf::read(full.left(cut), doc);
            EXPECT_EQ(r.isRtf, cut >= 5) << cut;
            if (!r.isRtf) continue;
            EXPECT_EQ(r.complete, cut > full.lastIndexOf('}')) << cut;
            // A cut inside a \uN or a double-byte character may spoil its last one or two characters.
            const QString text = doc.toPlainText();
            EXPECT_GE(commonPrefix(text, wholeText), text.size() - 2) << cut << " " << text.toStdString();
        }
    }
}

TEST(RtfDamage, RandomBytes) {
    std::mt19937 random(20240601);
    for (int round = 0; round < 300; ++round) {
        QByteArray input = "{\\rtf1 ";
        const int length = std::uniform_int_distribution<int>(0, 4096)(random);
        for (int i = 0; i < length; ++i) input += static_cast<char>(random() & 0xFF);
        QTextDocument doc;
        EXPECT_TRUE(rtf::read(input, doc).isRtf);
        expectStable(doc, input);
    }
}

TEST(RtfDamage, RandomTokenSoup) {
    // Pieces of real RTF in random order and nesting, so that the tables, lists and \uN fallbacks are
    // reached in every state rather than only by chance.
    const std::vector<QByteArray> pieces = {
        "{", "}", "{", "}", "\\par ", "\\pard", "\\plain", "\\b", "\\b0", "\\i", "\\ul", "\\ulnone", "\\strike",
        "\\fs21", "\\fs-5", "\\fs99999", "\\f0", "\\f1", "\\f7", "\\cf1", "\\cf9", "\\highlight2", "\\qc", "\\qr",
        "\\qj", "\\li720", "\\fi-360", "\\ri-99999", "\\tx1440", "\\tqr", "\\tab", "\\line", "\\u20013?",
        "\\u-10179", "\\u-8704", "\\uc0", "\\uc2", "\\uc99", "\\'d6\\'d0", "\\'d6", "\\'", "\\'zz", "\\", "\\*",
        "{\\fonttbl{\\f1\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}", "{\\f7\\fcharset204 Cyr;}", "\\fcharset128",
        "{\\colortbl;\\red255;\\green9\\blue9;", "{\\*\\pn\\pnlvlblt", "\\pnlvlbody\\pnucrm", "{\\pntext \\'b7}",
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc4}\\listid3}",
        "{\\*\\listoverridetable{\\listoverride\\listid3\\ls2",
        "\\ls2", "\\ls7", "\\ilvl3", "\\ilvl99", "{\\pict\\bin4 {{{{", "\\bin99999999", "{\\*\\unknown stuff",
        "\\sect", "\\page", "\\cell", "\\row", "\\v", "\\v0", "\\super", "\\sub", "\\nosupersub", "text ",
        "\xe4\xb8\xad", "\xff\xfe", QByteArray(1, '\0'), ";", "\\~", "\\_", "\\-", "\r\n", "\\\r\n",
        "\\abcdefghijklmnopqrstuvwxyzabcdefghijkl",
    };
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        QByteArray input = "{\\rtf1\\ansi\\ansicpg936";
        const int count = std::uniform_int_distribution<int>(0, 400)(random);
        for (int i = 0; i < count; ++i) input += pieces[random() % pieces.size()];
        if (random() % 2) input += "}";
        QTextDocument doc;
        EXPECT_TRUE(rtf::read(input, doc).isRtf);
        expectStable(doc, input);
    }
}

TEST(RtfDamage, DamagedFontNamesAreCleanedWhenRead) {
    struct Case {
        const char* name;
        QByteArray table;  // the font table's entry of font 1
        QString family;
    };
    const Case cases[] = {
        {"leading blanks", "{\\f1\\fnil \\'20\\'20  Arial;}", u"Arial"_s},
        {"a semicolon as a hex byte", "{\\f1\\fnil Ari\\'3bal;}", u"Arial"_s},
        {"a semicolon as a character", "{\\f1\\fnil Ari\\u59?al;}", u"Arial"_s},
        {"control bytes", "{\\f1\\fnil \\'01Ar\\'09ial\\'7f;}", u"Arial"_s},
        {"ideographic blanks around a Chinese name", "{\\f1\\fcharset134 \\'a1\\'a1\\'cb\\'ce\\'cc\\'e5\\'a1\\'a1;}", u"宋体"_s},
        {"no-break space inside", "{\\f1\\fnil Noto\\u160?Serif;}", u"Noto Serif"_s},
    };
    for (const Case& c : cases) {
        const QByteArray input = "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil Base;}" + c.table + "}\\f1 text}";
        QTextDocument doc;
        ASSERT_TRUE(rtf::read(input, doc).complete) << c.name;
        const QTextCharFormat format = doc.begin().begin().fragment().charFormat();
        EXPECT_EQ(format.fontFamilies().toStringList().value(0).toStdString(), c.family.toStdString()) << c.name;
        expectStable(doc, input);
    }
}

TEST(RtfDamage, HostileStructures) {
    struct Case {
        const char* name;
        QByteArray rtf;
        QString text;
        bool complete;
        // Nothing passed over: text after the document's group or cut-off binary data is not.
        bool whole = complete;
    };
    const QByteArray deep(200000, '{');
    const QByteArray undeep(200000, '}');
    const Case cases[] = {
        {"deep nesting", "{\\rtf1 " + deep + "deep" + undeep + "}", "deep", true},
        {"never closed", "{\\rtf1 " + deep + "open", "open", false},
        {"closes too often", "{\\rtf1 a}}}}} ignored", "a", true, false},
        {"a stray brace before text", "{\\rtf1 a}b\\par c}", "a", true, false},
        {"blanks and NULs after the end", QByteArray("{\\rtf1 a}\r\n \0\0", 14), "a", true, true},
        {"huge numbers", "{\\rtf1\\fs2147483647999 \\li-99999999999 \\u99999999 \\tx9999999999 x}", "x", true},
        {"binary beyond the end", "{\\rtf1 a\\bin2147483647 bcd}", "a", false},
        {"negative binary", "{\\rtf1 a\\bin-5 bcd}", "abcd", true},
        {"escape at the end", "{\\rtf1 a\\", "a", false},
        {"hex at the end", "{\\rtf1 a\\'", "a", false},
        {"endless word", "{\\rtf1 " + QByteArray(100000, 'x').prepend('\\') + " y}", "y", true},
        {"skip count beyond the text", "{\\rtf1\\uc99999\\u20013 abc}", u"中"_s, true},
        {"lone surrogates", "{\\rtf1\\uc0\\u-10179 a\\u-8704 b}", u"\uFFFDa\uFFFDb"_s, true},
        {"control characters", "{\\rtf1 a\\'00\\'01\\'0d\\'0a\\u13?\\u8233?b}", "ab", true},
        {"document markers", "{\\rtf1 a\\u-560?\\u-559?\\u-4?\\u-1?b}", "ab", true},
    };
    for (const auto& c : cases) {
        QTextDocument doc;
        const rtf::ReadResult r = rtf::read(c.rtf, doc);
        EXPECT_TRUE(r.isRtf) << c.name;
        EXPECT_EQ(r.complete, c.complete) << c.name;
        EXPECT_EQ(r.whole, c.whole) << c.name;
        EXPECT_EQ(doc.toPlainText().toStdString(), c.text.toStdString()) << c.name;
        expectStable(doc, c.rtf.left(200));
    }
}

TEST(RtfDamage, ManyFontsAndColours) {
    QByteArray rtf = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 5000; ++i) rtf += "{\\f" + QByteArray::number(i) + " Font" + QByteArray::number(i) + ";}";
    rtf += "}{\\colortbl;";
    for (int i = 0; i < 5000; ++i) rtf += "\\red" + QByteArray::number(i % 256) + "\\green1\\blue2;";
    rtf += "}\\f4999\\cf4999 last}";
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(rtf, doc).complete);
    EXPECT_EQ(doc.toPlainText(), "last");
    const QTextCharFormat f = doc.begin().begin().fragment().charFormat();
    EXPECT_EQ(f.fontFamilies().toStringList().value(0), "Font4999");
    EXPECT_EQ(f.foreground().color(), QColor(4998 % 256, 1, 2));
}

}  // namespace
