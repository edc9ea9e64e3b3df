// Name conversions, text reversal and the annotation scrambling.
#include "core/conversions.h"
#include "platform/vb/codepage936.h"
#include "platform/vb/error.h"
#include "tests/support/test_env.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

using namespace core;

namespace {

struct NameCase {
    const char16_t* text;
    int stem, branch, month, day;
};

// Each text against all four conversions: a name of one table is no name of the others.
const NameCase kNames[] = {
    {u"甲", 1, 0, 0, 0},        {u"癸", 10, 0, 0, 0},      {u"子", 0, 1, 0, 0},
    {u"亥", 0, 12, 0, 0},       {u"子 ", 0, 0, 0, 0},      {u"", 0, 0, 0, 0},
    {u"正月", 0, 0, 1, 0},      {u"冬月", 0, 0, 11, 11},   {u"腊月", 0, 0, 12, 12},
    {u"十一月", 0, 0, 0, 0},    {u"十二", 0, 0, 0, 12},    {u"初一", 0, 0, 0, 1},
    {u"廿九", 0, 0, 0, 29},     {u"三十", 0, 0, 0, 30},    {u"三一", 0, 0, 0, 31},
    {u"二十", 0, 0, 0, 20},     {u"甲子", 0, 0, 0, 0},     {u"乙", 2, 0, 0, 0},
};

TEST(NameConversions, EveryTableOnEveryText) {
    for (const auto& c : kNames) {
        const QString t = QString::fromUtf16(c.text);
        EXPECT_EQ(StemToIndex(t), c.stem) << t.toStdString();
        EXPECT_EQ(BranchToIndex(t), c.branch) << t.toStdString();
        EXPECT_EQ(LunarMonthToNumber(t), c.month) << t.toStdString();
        EXPECT_EQ(LunarDayToNumber(t), c.day) << t.toStdString();
    }
}

TEST(NameConversions, NamesAndNumbersAreInverse) {
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(StemToIndex(StemName(i)), i);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(BranchToIndex(BranchName(i)), i);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(LunarMonthToNumber(LunarMonthName(i)), i);
    for (int i = 1; i <= 30; ++i) EXPECT_EQ(LunarDayToNumber(LunarDayName(i)), i);
    for (int bad : {0, 13, -1}) EXPECT_TRUE(BranchName(bad).isEmpty());
    EXPECT_TRUE(StemName(11).isEmpty());
    EXPECT_TRUE(LunarDayName(31).isEmpty()) << "31 is only ever read, never written";
}

TEST(DigitToChinese, NumeralsAndOutOfRange) {
    EXPECT_EQ(DigitToChinese(0), QString::fromUtf16(u"Ｏ"));
    EXPECT_EQ(DigitToChinese(0)[0].unicode(), 0xFF2F) << "the full-width letter O, not a digit";
    EXPECT_EQ(DigitToChinese(1), QString::fromUtf16(u"一"));
    EXPECT_EQ(DigitToChinese(9), QString::fromUtf16(u"九"));
    EXPECT_TRUE(DigitToChinese(10).isEmpty());
    EXPECT_TRUE(DigitToChinese(-1).isEmpty());
}

TEST(ReverseText, ReversesAndBoundsTheLength) {
    EXPECT_EQ(ReverseText(QString::fromUtf16(u"甲乙丙")), QString::fromUtf16(u"丙乙甲"));
    EXPECT_EQ(ReverseText(QString()), QString());
    EXPECT_EQ(ReverseText(QString(32767, QChar('x'))).size(), 32767);
    try {
        ReverseText(QString(32768, QChar('x')));
        FAIL() << "a text longer than 32767 characters overflows";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::kOverflow);
    }
}

TEST(UnscrambleText, OneCharacterFlipsTheLowByteOfItsCode) {
    EXPECT_EQ(UnscrambleText(QString()), QString());
    const QChar c(u'命');
    const QString out = UnscrambleText(QString(c));
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(vb::ansiCode(out[0]), static_cast<int16_t>(vb::ansiCode(c) ^ kScrambleKey));
    EXPECT_EQ(UnscrambleText(QStringLiteral("A")), QString(QChar('A' ^ kScrambleKey)));
}

// Every character that the authored texts use must survive scrambling and unscrambling, or the
// build would store a text that reads back wrong.
TEST(UnscrambleText, RoundTripsEveryCharacterOfTheAuthoredTexts) {
    QSet<QChar> chars;
    for (QChar c : QStringLiteral("ABCabc0123456789 .,;:!?()-\r\n\t")) chars.insert(c);
    // The stored texts, and the chart's vocabulary (every cell of the rule tables) they talk about.
    const struct {
        const char* folder;
        const char* pattern;
    } sources[] = {{"/data/texts", "*"}, {"/data/rules", "*.csv"}, {"/data/annotations", "*"}};
    for (const auto& source : sources) {
        QDirIterator it(testenv::sourceDir() + source.folder, {source.pattern}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly)) continue;
            for (QChar c : QString::fromUtf8(f.readAll())) chars.insert(c);
        }
    }
    QString failures;
    for (QChar c : chars) {
        if (c.isSurrogate() || c == QChar(0xFEFF)) continue;
        const QString once = UnscrambleText(QString(c));
        if (UnscrambleText(once) != QString(c)) failures += c;
    }
    EXPECT_TRUE(failures.isEmpty()) << "characters that do not survive: " << failures.toStdString();
    const QString text = QString::fromUtf16(u"紫微斗数：命宫在子，身宫在午。");
    EXPECT_EQ(UnscrambleText(UnscrambleText(text)), text);
}

}  // namespace
