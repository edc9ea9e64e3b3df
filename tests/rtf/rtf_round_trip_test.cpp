// Documents written as RTF and read back must come back the same, for every format the editor
// offers and for text in and outside code page 936.
#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"
#include "tests/rtf/document_description.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <functional>
#include <ostream>

namespace {

using namespace Qt::StringLiterals;

struct Style {
    QString family = {};
    double points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QColor color = {};
    QColor highlight = {};
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
};

QTextCharFormat format(const Style& s) {
    QTextCharFormat f;
    if (!s.family.isEmpty()) f.setFontFamilies({s.family});
    if (s.points > 0) f.setFontPointSize(s.points);
    if (s.bold) f.setFontWeight(QFont::Bold);
    if (s.italic) f.setFontItalic(true);
    if (s.underline) f.setFontUnderline(true);
    if (s.strike) f.setFontStrikeOut(true);
    if (s.color.isValid()) f.setForeground(s.color);
    if (s.highlight.isValid()) f.setBackground(s.highlight);
    if (s.vertical != QTextCharFormat::AlignNormal) f.setVerticalAlignment(s.vertical);
    return f;
}

QTextBlockFormat aligned(Qt::Alignment a) {
    QTextBlockFormat b;
    b.setAlignment(a);
    return b;
}

// Items as the editor makes them: a paragraph typed after another takes the text's format as its own.
void bullets(QTextCursor& c, const QStringList& items, QTextListFormat::Style style = QTextListFormat::ListDisc,
             const QTextCharFormat& text = {}) {
    QTextListFormat lf;
    lf.setStyle(style);
    lf.setIndent(1);
    if (text.isValid()) c.setBlockCharFormat(text);
    c.insertText(items.front(), text);
    QTextList* list = c.createList(lf);
    for (qsizetype i = 1; i < items.size(); ++i) {
        c.insertBlock(c.blockFormat(), text);
        c.insertText(items[i], text);
        list->add(c.block());
    }
}

struct Case {
    const char* name;
    std::function<void(QTextCursor&)> build;
};

const Case kCases[] = {
    {"empty", [](QTextCursor&) {}},
    {"latin", [](QTextCursor& c) { c.insertText("The quick brown fox jumps over the lazy dog."); }},
    {"chinese in SimSun 10.5",
     [](QTextCursor& c) {
         c.insertText(u"紫微斗数命宫，太阳太阴。"_s, format({.family = u"宋体"_s, .points = 10.5}));
     }},
    {"mixed styles",
     [](QTextCursor& c) {
         c.insertText("plain ", format({.family = "Arial", .points = 12}));
         c.insertText(u"粗体"_s, format({.family = u"黑体"_s, .points = 12, .bold = true}));
         c.insertText(" italic", format({.family = "Arial", .points = 9, .italic = true}));
         c.insertText(u" 下划线"_s, format({.family = u"宋体"_s, .points = 14, .underline = true}));
         c.insertText(" struck", format({.family = "Arial", .points = 12, .strike = true}));
         c.insertText(
             " all",
             format(
                 {.family = "Arial", .points = 70, .bold = true, .italic = true, .underline = true, .strike = true}));
         c.insertText(" tiny", format({.family = "Arial", .points = 6}));
     }},
    {"colours",
     [](QTextCursor& c) {
         c.insertText("red ", format({.color = QColor(255, 0, 0)}));
         c.insertText("auto ", format({}));
         c.insertText("blue on yellow ", format({.color = QColor(0, 0, 255), .highlight = QColor(255, 255, 0)}));
         c.insertText(u"紫色"_s, format({.color = QColor(128, 0, 128)}));
         c.insertText(" red again", format({.color = QColor(255, 0, 0)}));
     }},
    {"alignments",
     [](QTextCursor& c) {
         c.insertText("left");
         c.insertBlock(aligned(Qt::AlignHCenter));
         c.insertText(u"居中"_s);
         c.insertBlock(aligned(Qt::AlignRight));
         c.insertText("right");
         c.insertBlock(aligned(Qt::AlignJustify));
         c.insertText("justified text that runs on");
         c.insertBlock(aligned(Qt::AlignLeft));
         c.insertText("left again");
     }},
    {"indents",
     [](QTextCursor& c) {
         QTextBlockFormat b;
         b.setLeftMargin(30);
         b.setRightMargin(20);
         b.setTextIndent(15);
         c.setBlockFormat(b);
         c.insertText("indented first line");
         QTextBlockFormat hanging;
         hanging.setLeftMargin(40);
         hanging.setTextIndent(-10);
         c.insertBlock(hanging);
         c.insertText("hanging indent");
     }},
    {"tab stops",
     [](QTextCursor& c) {
         QTextBlockFormat b;
         b.setTabPositions({QTextOption::Tab(100, QTextOption::LeftTab), QTextOption::Tab(200, QTextOption::CenterTab),
                            QTextOption::Tab(300, QTextOption::RightTab),
                            QTextOption::Tab(400, QTextOption::DelimiterTab, QLatin1Char('.'))});
         c.setBlockFormat(b);
         c.insertText(u"a\t中\tright\t3.14"_s);
     }},
    {"bullets",
     [](QTextCursor& c) {
         c.insertText("before");
         c.insertBlock(QTextBlockFormat());
         bullets(c, {u"太阳"_s, u"太阴"_s, "third"});
         c.insertBlock(QTextBlockFormat());
         c.insertText("between");
         c.insertBlock(aligned(Qt::AlignHCenter));
         bullets(c, {"centred bullet"});
     }},
    {"bullets in a large coloured font",
     [](QTextCursor& c) {
         bullets(c, {u"紫微"_s, u"天府"_s}, QTextListFormat::ListDisc,
                 format({.family = u"宋体"_s, .points = 20, .color = QColor(0, 0, 255)}));
         c.insertBlock(QTextBlockFormat(), format({}));
         c.insertText("after");
     }},
    {"numbered list",
     [](QTextCursor& c) {
         bullets(c, {"one", "two", "three"}, QTextListFormat::ListDecimal);
     }},
    {"line breaks and empty paragraphs",
     [](QTextCursor& c) {
         c.insertText(u"first line\u2028second line"_s);
         c.insertBlock();
         c.insertBlock();
         c.insertText("after an empty paragraph");
         c.insertBlock();
     }},
    {"special characters",
     [](QTextCursor& c) {
         c.insertText(u"back\\slash {braces} non\u00A0breaking \u2014 \u201Cquoted\u201D \u20AC 丂 "_s);
         c.insertText(u"한국어 العربية 😀 \uFFFD ½ é ü"_s);
     }},
    {"font names",
     [](QTextCursor& c) {
         c.insertText("a", format({.family = "Microsoft YaHei"}));
         c.insertText("b", format({.family = u"宋体"_s}));
         c.insertText("c", format({.family = u"Noto 한글"_s}));
         c.insertText("d", format({.family = "Odd{name}\\x"}));
     }},
    {"super and subscript",
     [](QTextCursor& c) {
         c.insertText("x");
         c.insertText("2", format({.vertical = QTextCharFormat::AlignSuperScript}));
         c.insertText(" H");
         c.insertText("2", format({.vertical = QTextCharFormat::AlignSubScript}));
         c.insertText("O");
     }},
    {"empty paragraph keeps its format",
     [](QTextCursor& c) {
         c.insertText("text");
         c.insertBlock(QTextBlockFormat(), format({.family = u"黑体"_s, .points = 20, .bold = true}));
         c.insertBlock(QTextBlockFormat(), format({}));
         c.insertText("end");
     }},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class RtfRoundTrip : public ::testing::TestWithParam<Case> {};

TEST_P(RtfRoundTrip, ReadsBackTheSameDocument) {
    QTextDocument original;
    QTextCursor cursor(&original);
    GetParam().build(cursor);

    const QByteArray rtf = rtf::write(original);
    QTextDocument copy;
    const rtf::ReadResult result = rtf::read(rtf, copy);
    EXPECT_TRUE(result.isRtf);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(rtftest::describe(copy).toStdString(), rtftest::describe(original).toStdString()) << rtf.constData();
    EXPECT_EQ(rtf::write(copy), rtf) << "writing what was read gives the same bytes";
    if (qEnvironmentVariableIsSet("VEYRA_DUMP_RTF"))
        std::printf("%s\n%s\n", rtf.constData(), qPrintable(rtftest::describe(copy)));
}

TEST_P(RtfRoundTrip, WritesOnlyAscii) {
    QTextDocument original;
    QTextCursor cursor(&original);
    GetParam().build(cursor);
    for (char c : rtf::write(original)) EXPECT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7F)) << int(c);
}

INSTANTIATE_TEST_SUITE_P(Documents, RtfRoundTrip, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name;
    for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
});

TEST(RtfWriter, ChineseFallbackIsCodePage936) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(u"中文"_s, format({.family = u"宋体"_s}));
    const QByteArray rtf = rtf::write(doc);
    // Readers without Unicode see the GBK bytes; 宋体 in the font table is written the same way.
    EXPECT_TRUE(rtf.contains("\\uc2\\u20013\\'d6\\'d0\\u25991\\'ce\\'c4")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\fcharset134 \\'cb\\'ce\\'cc\\'e5;")) << rtf.constData();
}

}  // namespace
