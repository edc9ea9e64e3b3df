// Conversions of the runtime's loosely typed values: rounding, truth words, Val, Null and mismatch.
#include "tests/support/error_number.h"
#include "platform/vb/error.h"
#include "platform/vb/textfunctions.h"
#include "platform/vb/variant.h"

#include "tests/vb/print.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace vb;

namespace {

using testenv::errorOf;

// The error number a call raises, 0 when it raises none.
struct RoundCase {
    double in;
    int expected;  // 0 with overflow set means: raises 6
    bool overflow;
};

const RoundCase kCIntCases[] = {
    {0.5, 0, false},      {1.5, 2, false},     {2.5, 2, false},      {3.5, 4, false},
    {-0.5, 0, false},     {-1.5, -2, false},   {-2.5, -2, false},    {2.4999, 2, false},
    {2.5001, 3, false},   {32767.4, 32767, false}, {32767.5, 0, true}, {-32768.5, -32768, false},
    {-32768.6, 0, true},  {1e10, 0, true},
};

TEST(VbRounding, CIntHalvesToEvenAndOverflowsOutside16Bits) {
    for (const auto& c : kCIntCases) {
        SCOPED_TRACE(c.in);
        if (c.overflow) {
            EXPECT_EQ(errorOf([&] { cint(c.in); }), kOverflow);
            EXPECT_EQ(errorOf([&] { Variant(c.in).toInt(); }), kOverflow);
        } else {
            EXPECT_EQ(cint(c.in), c.expected);
            EXPECT_EQ(Variant(c.in).toInt(), c.expected);
        }
    }
}

TEST(VbRounding, CLngHalvesToEvenOver32Bits) {
    EXPECT_EQ(clng(2147483646.5), 2147483646);
    EXPECT_EQ(clng(-2147483648.5), -2147483648LL);
    EXPECT_EQ(clng(0.5), 0);
    EXPECT_EQ(clng(-1.5), -2);
    EXPECT_EQ(errorOf([] { clng(2147483647.5); }), kOverflow);
    EXPECT_EQ(errorOf([] { clng(std::numeric_limits<double>::infinity()); }), kOverflow);
    EXPECT_EQ(errorOf([] { clng(std::nan("")); }), kOverflow);
    EXPECT_EQ(Variant(QStringLiteral(" 2.5 ")).toLong(), 2);
}

TEST(VbRounding, CheckedInt16NarrowsOrRaisesOverflow) {
    EXPECT_EQ(checkedInt16(32767), 32767);
    EXPECT_EQ(checkedInt16(-32768), -32768);
    EXPECT_EQ(errorOf([] { checkedInt16(32768); }), kOverflow);
    EXPECT_EQ(errorOf([] { checkedInt16(-32769); }), kOverflow);
}

struct BoolCase {
    Variant in;
    bool expected;
    int error;
};

TEST(VbConversions, CBoolOfTruthWordsNumbersAndNonsense) {
    const BoolCase cases[] = {
        {QStringLiteral("True"), true, 0},   {QStringLiteral("false"), false, 0}, {QStringLiteral(" TRUE "), true, 0},
        {QStringLiteral("0"), false, 0},     {QStringLiteral("-1"), true, 0},     {QStringLiteral("0.0"), false, 0},
        {QStringLiteral("2.5"), true, 0},    {QStringLiteral("yes"), false, kTypeMismatch},
        {QStringLiteral(""), false, kTypeMismatch}, {Variant(), false, 0},       {Variant(0), false, 0},
        {Variant(-1), true, 0},              {Variant(0.001), true, 0},           {Variant::null(), false, kInvalidUseOfNull},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in.text().toStdString());
        if (c.error) {
            EXPECT_EQ(errorOf([&] { c.in.toBool(); }), c.error);
        } else {
            EXPECT_EQ(c.in.toBool(), c.expected);
        }
    }
}

TEST(VbConversions, CStrWritesTheRuntimeTexts) {
    EXPECT_EQ(Variant(true).toString(), QStringLiteral("True"));
    EXPECT_EQ(Variant(false).toString(), QStringLiteral("False"));
    EXPECT_EQ(Variant(static_cast<int16_t>(-5)).toString(), QStringLiteral("-5"));
    EXPECT_EQ(Variant(2.5).toString(), QStringLiteral("2.5"));
    EXPECT_EQ(Variant(0.1 + 0.2).toString(), QStringLiteral("0.3"));
    EXPECT_EQ(Variant(1e15).toString(), QStringLiteral("1E+15"));
    EXPECT_EQ(Variant(123456789012345.0).toString(), QStringLiteral("123456789012345"));
    EXPECT_EQ(Variant(0.00001).toString(), QStringLiteral("1E-05"));
    EXPECT_EQ(Variant(-0.0).toString(), QStringLiteral("0"));
    EXPECT_EQ(Variant().toString(), QString());
    EXPECT_EQ(singleText(2055.f), QStringLiteral("2055"));
    EXPECT_EQ(singleText(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(Variant(Date(0.5)).toString(), QStringLiteral("12:00:00"));
}

TEST(VbConversions, NullRaisesInvalidUseOfNullButShowsAsEmptyText) {
    const Variant n = Variant::null();
    EXPECT_EQ(errorOf([&] { n.toString(); }), kInvalidUseOfNull);
    EXPECT_EQ(errorOf([&] { n.toInt(); }), kInvalidUseOfNull);
    EXPECT_EQ(errorOf([&] { n.toLong(); }), kInvalidUseOfNull);
    EXPECT_EQ(errorOf([&] { n.toDouble(); }), kInvalidUseOfNull);
    EXPECT_EQ(errorOf([&] { n.toDate(); }), kInvalidUseOfNull);
    EXPECT_EQ(errorOf([&] { n.toBytes(); }), kInvalidUseOfNull);
    EXPECT_EQ(n.text(), QString());
    EXPECT_TRUE(n.isNull());
    EXPECT_FALSE(n.isEmpty());
    EXPECT_FALSE(n == Variant());
}

TEST(VbConversions, EmptyReadsAsZeroAndEmptyText) {
    const Variant e;
    EXPECT_TRUE(e.isEmpty());
    EXPECT_EQ(e.toInt(), 0);
    EXPECT_EQ(e.toDouble(), 0);
    EXPECT_FALSE(e.toBool());
    EXPECT_EQ(e.text(), QString());
}

TEST(VbConversions, TextThatIsNoNumberIsATypeMismatch) {
    for (const char* s : {"abc", "", "12abc", "1,5x", "&H", "&H1G", "inf", "nan", "0x1F"}) {
        SCOPED_TRACE(s);
        EXPECT_EQ(errorOf([&] { Variant(s).toInt(); }), kTypeMismatch);
        EXPECT_EQ(errorOf([&] { Variant(s).toDouble(); }), kTypeMismatch);
    }
    EXPECT_EQ(errorOf([] { Variant(QByteArray("ab")).toDouble(); }), kTypeMismatch);
    EXPECT_EQ(errorOf([] { Variant("70000").toInt(); }), kOverflow);
    EXPECT_EQ(Variant(" 42 ").toInt(), 42);
    EXPECT_EQ(Variant("&H1F").toInt(), 31);
    EXPECT_EQ(Variant("&HFFFF").toInt(), -1);
    EXPECT_EQ(Variant("&o17").toLong(), 15);
    EXPECT_TRUE(Variant("&H1F").isNumeric());
    EXPECT_FALSE(Variant("inf").isNumeric());
    EXPECT_TRUE(Variant("&H1").toBool());
    EXPECT_EQ(Variant("true").toInt(), -1);
    EXPECT_EQ(Variant("2001-5-3").toDouble(), Date::fromParts(2001, 5, 3).serial());
}

struct ValCase {
    const char* in;
    double expected;
};

TEST(VbVal, ReadsTheLeadingNumber) {
    const ValCase cases[] = {
        {"  12abc", 12},   {"&H1F", 31},     {"&h1f", 31},       {"&HFFFF", -1},     {"&H8000", -32768},
        {"&H10000", 65536}, {"&HFFFFFFFF", -1}, {"&O17", 15},    {"&O177777", -1},   {"&H", 0},
        {"1e3", 1000},     {"1E+3x", 1000},  {"1e", 1},          {"2D2", 200},       {".5", 0.5},
        {"-.5", -0.5},     {"-", 0},         {"", 0},            {"+7", 7},          {"1 2 3", 123},
        {"\t4\n5", 45},    {"1.2.3", 1.2},   {"abc", 0},         {"-12.5e-1", -1.25}, {"1,234", 1},
        {"1e-400", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_DOUBLE_EQ(val(QString::fromUtf8(c.in)), c.expected);
    }
}

TEST(VbVal, OverflowBeyondTheRanges) {
    EXPECT_EQ(errorOf([] { val(QStringLiteral("1e400")); }), kOverflow);
    EXPECT_EQ(errorOf([] { val(QStringLiteral("&H123456789")); }), kOverflow);
}

TEST(VbTextFunctions, StrHexOct) {
    EXPECT_EQ(str(5), QStringLiteral(" 5"));
    EXPECT_EQ(str(-5), QStringLiteral("-5"));
    EXPECT_EQ(str(0.5), QStringLiteral(" 0.5"));
    EXPECT_EQ(hex(Variant(255)), QStringLiteral("FF"));
    EXPECT_EQ(hex(Variant(static_cast<int16_t>(-1))), QStringLiteral("FFFF"));
    EXPECT_EQ(hex(Variant(-1)), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(hex(Variant(true)), QStringLiteral("FFFF"));
    EXPECT_EQ(hex(Variant(255.5)), QStringLiteral("100"));
    EXPECT_EQ(hex(Variant(254.5)), QStringLiteral("FE"));
    EXPECT_EQ(oct(Variant(8)), QStringLiteral("10"));
    EXPECT_EQ(errorOf([] { hex(Variant::null()); }), kInvalidUseOfNull);
    EXPECT_EQ(errorOf([] { hex(Variant(1e12)); }), kOverflow);
}

}  // namespace
