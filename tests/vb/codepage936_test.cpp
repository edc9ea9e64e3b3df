// Code page 936: text round trips, "?" for what the code page lacks, character codes as the runtime
// gives them (lead byte high, signed 16 bits).
#include "tests/support/error_number.h"
#include "platform/vb/codepage936.h"
#include "platform/vb/error.h"
#include "platform/vb/textfunctions.h"

#include "tests/vb/print.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vb;

namespace {

using testenv::errorOf;

TEST(VbCodePage936, ChineseTextRoundTrips) {
    const QString text = QStringLiteral("紫微斗数 命宫 甲乙丙丁 子丑寅卯，农历1882–2031年！Ｏ一二");
    const QByteArray bytes = toCp936(text);
    EXPECT_EQ(fromCp936(bytes), text);
    EXPECT_EQ(toCp936(QStringLiteral("中文")), QByteArray("\xD6\xD0\xCE\xC4"));
    EXPECT_EQ(toCp936(QStringLiteral("abc 123")), QByteArray("abc 123"));
    EXPECT_EQ(fromCp936(QByteArray()), QString());
}

TEST(VbCodePage936, UnmappableCharactersBecomeQuestionMarks) {
    struct Case {
        const char16_t* text;
        const char* bytes;
    };
    const Case cases[] = {
        {u"a😀b", "a??b"},         // outside the BMP: one "?" per UTF-16 unit
        {u"\u3400", "?"},          // CJK extension A, not in GBK
        {u"\u9FA6中", "?\xD6\xD0"},  // after the GBK range of unified ideographs
        {u"\uAC00", "?"},          // Hangul
        {u"\xD800", "?"},          // a lone surrogate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        EXPECT_EQ(toCp936(QString::fromUtf16(c.text)), QByteArray(c.bytes));
    }
}

TEST(VbCodePage936, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(fromCp936(QByteArray("a\xD6")), QStringLiteral("a\uFFFD"));  // lead byte cut off
    EXPECT_EQ(fromCp936(QByteArray("\xFF" "a")), QStringLiteral("\uFFFDa"));
}

struct CodeCase {
    const char16_t* character;
    int code;
};

// Double-byte codes are signed 16-bit values with the lead byte high.
const CodeCase kCodes[] = {
    {u"A", 65},
    {u"中", static_cast<int16_t>(0xD6D0)},  // -10544
    {u"甲", static_cast<int16_t>(0xBCD7)},
    {u"亥", static_cast<int16_t>(0xBAA5)},
    {u"Ｏ", static_cast<int16_t>(0xA3CF)},
    {u"\u3400", 63},
};

TEST(VbCodePage936, AnsiCodesAndBack) {
    for (const auto& c : kCodes) {
        const QChar ch = QString::fromUtf16(c.character)[0];
        SCOPED_TRACE(c.code);
        EXPECT_EQ(ansiCode(ch), c.code);
        EXPECT_EQ(asc(QString::fromUtf16(c.character)), c.code);
        if (c.code != 63) {
            EXPECT_EQ(fromAnsiCode(static_cast<int16_t>(c.code)), QString(ch));
        }
    }
    EXPECT_EQ(ansiCode(QChar(u'中')), -10544);
    // A code whose low byte was changed (as unscrambling does) may name another character or none.
    EXPECT_EQ(fromAnsiCode(static_cast<int16_t>(0xD6D1)), QStringLiteral("盅"));
    EXPECT_EQ(fromAnsiCode(static_cast<int16_t>(0xD67F)), QStringLiteral("?"));
    EXPECT_EQ(fromAnsiCode(static_cast<int16_t>(0x00D6)), QStringLiteral("?"));  // a lone lead byte
    EXPECT_EQ(fromAnsiCode(0), QString(QChar(0)));
}

TEST(VbTextFunctions, AscChrAndTheirWideForms) {
    EXPECT_EQ(asc(QStringLiteral("中国")), -10544);
    EXPECT_EQ(ascW(QStringLiteral("中")), 0x4E2D);
    EXPECT_EQ(ascW(QString(QChar(0xFFFF))), -1);
    EXPECT_EQ(chr(65), QStringLiteral("A"));
    EXPECT_EQ(chr(-10544), QStringLiteral("中"));
    EXPECT_EQ(chr(0xD6D0), QStringLiteral("中"));
    EXPECT_EQ(chrW(0x4E2D), QStringLiteral("中"));
    EXPECT_EQ(chrW(-1), QString(QChar(0xFFFF)));
    EXPECT_EQ(errorOf([] { asc(QString()); }), kInvalidProcedureCall);
    EXPECT_EQ(errorOf([] { ascW(QString()); }), kInvalidProcedureCall);
    EXPECT_EQ(errorOf([] { chr(65536); }), kInvalidProcedureCall);
    EXPECT_EQ(errorOf([] { chrW(-32769); }), kInvalidProcedureCall);
}

}  // namespace
