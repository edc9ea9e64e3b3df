// RTF as other programs write it: a Chinese WordPad, a rich-text box of the old program's kind,
// Word with its list tables and LibreOffice. The samples are written by hand in those programs'
// manner.
#include "platform/rtf/rtf_reader.h"
#include "tests/rtf/foreign_samples.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using namespace rtftest;

QStringList blockTexts(const QTextDocument& doc) {
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) out << b.text();
    return out;
}

// The format of the first character of `text` in the document.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& text) {
    const QTextCursor found = doc.find(text);
    if (found.isNull()) {
        ADD_FAILURE() << "not found: " << text.toStdString();
        return {};
    }
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

QString family(const QTextCharFormat& f) { return f.fontFamilies().toStringList().value(0); }

QTextDocument* load(QTextDocument& doc, const char* rtf) {
    const rtf::ReadResult r = rtf::read(QByteArray(rtf), doc);
    EXPECT_TRUE(r.isRtf);
    EXPECT_TRUE(r.complete);
    return &doc;
}

TEST(RtfForeign, WordPadChinese) {
    QTextDocument doc;
    load(doc, kWordPad);
    EXPECT_EQ(blockTexts(doc), (QStringList{u"紫微斗数 Zi Wei"_s, u"命宫"_s, u"太阳"_s, u"太阴"_s, u"a\tb\tc"_s}));

    EXPECT_EQ(family(formatOf(doc, u"紫"_s)), u"宋体"_s);
    EXPECT_EQ(formatOf(doc, u"紫"_s).fontPointSize(), 11);
    EXPECT_EQ(family(formatOf(doc, u"Zi"_s)), u"Calibri"_s);

    const QTextBlock title = doc.findBlockByNumber(1);
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(formatOf(doc, u"命"_s).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(doc, u"命"_s).fontPointSize(), 16);

    for (int n : {2, 3}) {
        const QTextBlock b = doc.findBlockByNumber(n);
        ASSERT_NE(b.textList(), nullptr) << n;
        EXPECT_EQ(b.textList()->format().style(), QTextListFormat::ListDisc);
        EXPECT_EQ(b.textList()->count(), 2) << "both bullets belong to one list";
        // The marker is drawn in the block's format: that of its text, not the document's default.
        EXPECT_EQ(family(b.charFormat()), u"宋体"_s) << n;
        EXPECT_EQ(b.charFormat().fontPointSize(), 11) << n;
    }
    EXPECT_EQ(doc.findBlockByNumber(2).charFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(doc.findBlockByNumber(4).textList(), nullptr);
    EXPECT_EQ(formatOf(doc, u"阳"_s).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatOf(doc, u"阴"_s).foreground().color(), QColor(0, 0, 255));
    EXPECT_TRUE(formatOf(doc, u"阴"_s).fontUnderline());

    const auto tabs = doc.findBlockByNumber(4).blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 2);
    EXPECT_EQ(tabs[0].position, 96);
    EXPECT_EQ(tabs[0].type, QTextOption::LeftTab);
    EXPECT_EQ(tabs[1].position, 384);
    EXPECT_EQ(tabs[1].type, QTextOption::RightTab);
}

TEST(RtfForeign, RichTextBoxPage) {
    QTextDocument doc;
    load(doc, kRichTextBox);
    EXPECT_EQ(blockTexts(doc), (QStringList{u"命宫主星：紫微"_s, u"Note 😀 あ\u2028next"_s, u""_s}));
    EXPECT_EQ(formatOf(doc, u"命"_s).fontPointSize(), 9);
    EXPECT_EQ(family(formatOf(doc, u"命"_s)), u"宋体"_s);
    EXPECT_EQ(formatOf(doc, u"紫"_s).foreground().color(), QColor(128, 0, 128));
    EXPECT_EQ(formatOf(doc, u"紫"_s).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(doc, u"命"_s).fontWeight(), QFont::Normal);
    EXPECT_TRUE(formatOf(doc, u"Note"_s).fontItalic());
    EXPECT_FALSE(formatOf(doc, u"あ"_s).fontItalic());

    const QTextBlockFormat indented = doc.findBlockByNumber(1).blockFormat();
    EXPECT_EQ(indented.leftMargin(), 24);
    EXPECT_EQ(indented.rightMargin(), 12);
    EXPECT_EQ(indented.textIndent(), -12);
}

TEST(RtfForeign, WordListTables) {
    QTextDocument doc;
    load(doc, kWord);
    EXPECT_EQ(blockTexts(doc), (QStringList{u"Word 紫微"_s, u"天"_s, u"one"_s}));
    EXPECT_EQ(family(formatOf(doc, u"Word"_s)), u"Times New Roman"_s);
    EXPECT_EQ(formatOf(doc, u"Word"_s).fontPointSize(), 10.5);
    EXPECT_EQ(family(formatOf(doc, u"紫"_s)), u"宋体"_s) << "the alternative name is skipped";
    EXPECT_EQ(formatOf(doc, u"紫"_s).fontWeight(), QFont::Bold);
    EXPECT_EQ(doc.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);

    const QTextList* bullet = doc.findBlockByNumber(1).textList();
    ASSERT_NE(bullet, nullptr);
    EXPECT_EQ(bullet->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(formatOf(doc, u"天"_s).foreground().color(), QColor(255, 0, 0));
    const QTextList* numbered = doc.findBlockByNumber(2).textList();
    ASSERT_NE(numbered, nullptr);
    EXPECT_EQ(numbered->format().style(), QTextListFormat::ListDecimal);
}

TEST(RtfForeign, LibreOfficeWriter) {
    QTextDocument doc;
    load(doc, kLibreOffice);
    EXPECT_EQ(blockTexts(doc), (QStringList{u"Libre struck中文"_s, u"Indented italic"_s}));
    EXPECT_EQ(doc.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(family(formatOf(doc, u"Libre"_s)), u"Liberation Serif"_s);
    EXPECT_EQ(formatOf(doc, u"Libre"_s).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(doc, u"Libre"_s).background().color(), QColor(255, 255, 0));
    EXPECT_TRUE(formatOf(doc, u"struck"_s).fontStrikeOut());
    EXPECT_EQ(family(formatOf(doc, u"中"_s)), u"Noto Sans CJK SC"_s);
    EXPECT_TRUE(formatOf(doc, u"Indented"_s).fontItalic());
    EXPECT_NEAR(doc.findBlockByNumber(1).blockFormat().leftMargin(), 567 / 15.0, 1e-9);
}

// LibreOffice gives Chinese text its bold, italic and size as the associated properties of a
// double-byte run; Word writes associated properties for right-to-left text, which are not ours.
TEST(RtfForeign, AssociatedPropertiesApplyToDoubleByteRunsOnly) {
    QTextDocument doc;
    load(doc,
         "{\\rtf1\\ansi{\\fonttbl{\\f5\\froman Liberation Serif;}}"
         "\\pard\\plain\\rtlch\\af9\\afs24\\ab\\ai \\ltrch\\dbch\\af10 "
         "{\\hich\\af5\\loch\\f5\\dbch\\afs18\\ab\\dbch \\u32043\\'3f\\u24494\\'3f}"
         "{\\dbch\\ai \\u21629\\'3f}"
         "{\\loch\\f5\\ab plain}"
         "{\\rtlch\\fcs1 \\ab\\af0 \\ltrch\\fcs0 \\b Word}"
         "{\\rtlch\\fcs1 \\ab \\ltrch\\fcs0 rtl}\\par}");
    ASSERT_EQ(blockTexts(doc), (QStringList{u"紫微命plainWordrtl"_s}));
    EXPECT_EQ(formatOf(doc, u"紫"_s).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(doc, u"紫"_s).fontPointSize(), 9);
    EXPECT_TRUE(formatOf(doc, u"命"_s).fontItalic());
    EXPECT_NE(formatOf(doc, u"命"_s).fontWeight(), QFont::Bold) << "each run starts from the paragraph's state";
    EXPECT_NE(formatOf(doc, u"plain"_s).fontWeight(), QFont::Bold) << "a single-byte run takes no associated bold";
    EXPECT_FALSE(formatOf(doc, u"plain"_s).fontItalic()) << "nor the right-to-left italic of the paragraph";
    EXPECT_EQ(formatOf(doc, u"Word"_s).fontWeight(), QFont::Bold);
    EXPECT_NE(formatOf(doc, u"rtl"_s).fontWeight(), QFont::Bold);
}

// Pieces that rich-edit controls and Word put into pages: pictures with binary data, fields,
// tables, hidden text, escaped characters and the special-character words.
TEST(RtfForeign, PicturesFieldsTablesAndSpecials) {
    struct Sample {
        const char* rtf;
        QStringList blocks;
    };
    const Sample samples[] = {
        {"{\\rtf1 before{\\pict\\wmetafile8\\picw100\\pich100\\bin6 ab{}\\c}after\\par}", {"beforeafter"}},
        {"{\\rtf1 {\\*\\shppict{\\pict\\pngblip 89504e47}}{\\nonshppict{\\pict\\wmetafile8 0100}}text}", {"text"}},
        {"{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}{\\field{\\*\\fldinst{HYPERLINK \"http://x\"}}"
         "{\\fldrslt{\\ul\\cf1 link}}} done}",
         {"link done"}},
        {"{\\rtf1\\trowd\\cellx1000\\cellx2000\\intbl A\\cell B\\cell\\row\\pard after\\par}", {"A\tB\t", "after"}},
        {"{\\rtf1 shown{\\v hidden}\\v also hidden\\v0  again}", {"shown again"}},
        {"{\\rtf1 \\{\\}\\\\ \\~\\_\\-x\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}",
         {u"{}\\ \u00A0\u2011x\u2014\u2013\u2018\u2019\u201C\u201D\u2022"_s}},
        {"{\\rtf1\\uc0\\u20013\\u25991 x\\uc1\\u22825 ?y}", {u"中文x天y"_s}},
        {"{\\rtf1 one\\page two\\par\\sect three}", {"one", "two", "three"}},
        {"{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80}", {u"café €"_s}},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial Cyr;}}\\f0 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}", {u"Привет"_s}},
        {"{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}", {u"中文"_s}},
    };
    for (const auto& s : samples) {
        QTextDocument doc;
        load(doc, s.rtf);
        EXPECT_EQ(blockTexts(doc), s.blocks) << s.rtf;
    }
}

TEST(RtfForeign, NotRtfLeavesTheDocumentAlone) {
    QTextDocument doc;
    QTextCursor(&doc).insertText("keep me");
    for (const char* data : {"", "plain text", "{\\rt", "\xEF\xBB\xBF{\\rtf1 bom}", "<html>{\\rtf1}</html>"}) {
        const rtf::ReadResult r = rtf::read(QByteArray(data), doc);
        EXPECT_FALSE(r.isRtf) << data;
        EXPECT_EQ(doc.toPlainText(), "keep me") << data;
    }
    EXPECT_TRUE(rtf::looksLikeRtf("\r\n  {\\rtf1}"));
}

}  // namespace
