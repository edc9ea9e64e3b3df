#include "calculator/comp_str.h"
#include "calculator/leading_number.h"
#include "platform/vb/date.h"

#include <QMap>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

using calculator::CompStr;

// Memory names the cases read: "10" holds 30 and "12" holds 28, as in the calculator.
struct Evaluation {
    QString result;
    QString rest;
    QString errorText;
    QStringList raised;
};

Evaluation evaluate(const QString& input) {
    CompStr comp;
    Evaluation e;
    const QMap<QString, QString> memory{{"10", "30"}, {"12", "28"}, {"1.5", "x"}};
    QObject::connect(&comp, &CompStr::GetGrid, [&](QString& name, QString& value) {
        e.raised.append(name);
        EXPECT_TRUE(value.isEmpty());
        value = memory.value(name);
    });
    e.rest = input;
    e.result = comp.GetExp(e.rest);
    e.errorText = comp.ErrorText;
    return e;
}

struct Case {
    const char* input;
    const char* result;
    const char* errorText = "";
    const char* rest = "";
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.input; }

class EvaluatorTable : public ::testing::TestWithParam<Case> {};

TEST_P(EvaluatorTable, ResultComplaintAndUnreadRest) {
    const Case& c = GetParam();
    const Evaluation e = evaluate(QString::fromUtf8(c.input));
    EXPECT_EQ(e.result, QString::fromUtf8(c.result));
    EXPECT_EQ(e.errorText, QString::fromUtf8(c.errorText));
    EXPECT_EQ(e.rest, QString::fromUtf8(c.rest));
}

INSTANTIATE_TEST_SUITE_P(Precedence, EvaluatorTable, ::testing::Values(
    Case{"2+3*4", "14"},
    Case{"2*3+4", "10"},
    Case{"1&2*3", "36"},
    Case{"2*3&4", "64"},
    Case{"10-2-3", "5"},
    Case{"8/2*2", "8"},
    Case{"1+2*3-4/2", "5"},
    Case{"2-3*4*2", "-22"},
    Case{"(2+3)*4", "20"},
    Case{" 2 + 3 * 4 ", "14"},
    Case{"007", "007"},
    Case{"1+2=3", "3", "", "=3"},
    Case{"1+2)", "3", "", ")"},
    Case{"1e3+1", "1", "", "e3+1"}));

INSTANTIATE_TEST_SUITE_P(Numbers, EvaluatorTable, ::testing::Values(
    Case{"1.2.3+1", "2.2"},
    Case{"-5", "-5"},
    Case{"+5", "+5"},
    Case{"3-5", "-2"},
    Case{"2*-3", "-6"},
    Case{"0.1+0.2", "0.3"},
    Case{"1/3", "0.333333333333333"},
    Case{"10000000*100000000", "1E+15"},
    Case{"1/10000", "0.0001"},
    Case{"1/100000", "1E-05"},
    Case{"\"1e3\"+1", "1001"},
    Case{"\"  7 apples\"*2", "14"},
    Case{"\"1e-400\"+1", "1"},
    Case{"3/0", "0", "除数为零"},
    Case{"3/\"x\"", "0", "除数为零"},
    Case{"\"1e308\"*10", "", "数值溢出"},
    Case{"\"1e999\"+1", "", "数值溢出"}));

INSTANTIATE_TEST_SUITE_P(Operands, EvaluatorTable, ::testing::Values(
    Case{"", "", "需要 )"},
    Case{"(1+2", "3", "需要 )"},
    Case{"((1+2)*3)", "9"},
    Case{"\"ab\"&\"cd\"", "abcd"},
    Case{"\"ab\"+1", "1"},
    Case{"\"abc", "abc"},
    Case{"\"a b\" & 1", "a b1"},
    Case{".5", "", "需要 )"},
    Case{"1+abc", "1", "需要 )"},
    Case{"FOO(1)", "", "需要 )", ")"},
    Case{"-(1+2)", "-", "符号后需要数字", "(1+2)"},
    Case{"- 5", "-", "符号后需要数字", "5"},
    Case{"`12`", "28"},
    Case{"`10`+1", "31"},
    Case{"` 12`", "", "需要 `", "2`"},
    Case{"`12", "28", "需要 `"},
    Case{"`12 `*2", "56"},
    Case{"`99`+1", "1"},
    Case{"``", ""},
    Case{"(`1+2", "", "需要 )"}));

INSTANTIATE_TEST_SUITE_P(Functions, EvaluatorTable, ::testing::Values(
    Case{"LEFT(\"abcdef\",2)", "ab"},
    Case{"left(\"abcdef\",2)", "ab"},
    Case{"Left (\"abcdef\" , 2)", "ab"},
    Case{" lEfT ( \"abcdef\", 2 ) ", "ab"},
    Case{"LEFT(\"abc\")", "", "需要 )"},
    Case{"LEFT(\"abc\"))", "", "Left 参数不足需要 ，"},
    Case{"RIGHT(\"abc\"))", "", "Right 参数不足需要 ，"},
    Case{"MID(\"abc\"))", "", "Mid 参数不足需要 ，"},
    Case{"FORMAT(\"12\"))", "12", "Format 参数不足需要 ，"},
    Case{"LEFT(\"abc\",99)", "abc"},
    Case{"LEFT(\"abc\",-1)", "", "Left 参数无效"},
    Case{"LEFT(\"abc\",\"1e20\")", "", "数值溢出"},
    Case{"RIGHT(\"abcdef\",2)", "ef"},
    Case{"RIGHT(\"abc\",-2)", "", "Right 参数无效"},
    Case{"MID(\"abcdef\",2)", "bcdef"},
    Case{"MID(\"abcdef\", 2 , 3 )", "bcd"},
    Case{"MID(\"abcdef\",2.5,1.5)", "bc"},
    Case{"MID(\"abc\",9)", ""},
    Case{"MID(\"abc\",1,99)", "abc"},
    Case{"MID(\"abc\",0)", "", "Mid 参数无效"},
    Case{"MID(\"abc\",2,-1)", "", "Mid 参数无效"},
    Case{"MID(\"abc\",2;1)", "bc", "需要 )", "1)"},
    Case{"LEN(\"abc\")", "3"},
    Case{"LEN(\"中文\")", "2"},
    Case{"LEN(\"\")", "0"},
    Case{"LEN(\"abc\")*2", "6"},
    Case{"1+LEN(\"ab\")", "3"},
    Case{"LEFT(MID(\"abcdef\",2),LEN(\"xy\"))", "bc"},
    Case{"ASC(\"A\")", "65"},
    Case{"ASC(\"中\")", "-10544"},
    Case{"ASC(\"\")", "", "Asc 参数无效"},
    Case{"CHR(65)", "A"},
    Case{"CHR(65.5)", "B"},
    Case{"CHR(66.5)", "B"},
    Case{"CHR(-10544)", "中"},
    Case{"CHR(70000)", "", "Chr 参数无效"},
    Case{"CHR(129)", "", "Chr 参数无效"},
    Case{"CHR(\"1e30\")", "", "数值溢出"},
    Case{"CSTR(12)", "12"},
    Case{"CSTR(1+1)&\"x\"", "2x"},
    Case{"VAL(\"x1\")", "x1"},
    Case{"TRIM(\"  a b  \")", "a b"},
    Case{"TRIM(\"\ta \")", "\ta"},
    Case{"NOSUCH(\"a\")", "", "需要 )", "a\")"},
    Case{"\tLEN(\"a\")", "", "需要 )", "a\")"}));

INSTANTIATE_TEST_SUITE_P(Format, EvaluatorTable, ::testing::Values(
    Case{"FORMAT(\"1234.5\",\"#,##0.00\")", "1,234.50"},
    Case{"FORMAT(\"1234.567\",\"0.00\")", "1234.57"},
    Case{"FORMAT(\"2.5\",\"0\")", "3"},
    Case{"FORMAT(\"0.256\",\"0.00%\")", "25.60%"},
    Case{"FORMAT(\"0.256\",\"0%\")", "26%"},
    Case{"FORMAT(\"1234.5\",\"0.00E+00\")", "1.23E+03"},
    Case{"FORMAT(\"2024-01-05\",\"yyyy-mm-dd\")", "2024-01-05"},
    Case{"FORMAT(\"45296\",\"yyyy-mm-dd\")", "2024-01-05"},
    Case{"FORMAT(\"13:05:09\",\"hh:nn:ss\")", "13:05:09"},
    Case{"FORMAT(\"1234.5\",\"General Number\")", "1234.5"},
    Case{"FORMAT(\"1234.5\",\"Fixed\")", "1234.50"},
    Case{"FORMAT(\"1234.5\",\"standard\")", "1,234.50"},
    Case{"FORMAT(\"0.5\",\"Percent\")", "50.00%"},
    Case{"FORMAT(\"2024-1-5\",\"Short Date\")", "2024-01-05"},
    Case{"FORMAT(\"2024-1-5\",\"Long Date\")", "2024年1月5日"},
    Case{"FORMAT(\"abc\",\"0.00\")", "abc"},
    Case{"FORMAT(\"5\",\"0\",2)", "5"},
    Case{"FORMAT(\"5\",\"0\",\"x\")", "", "Format 参数无效"},
    Case{"FORMAT(\"5\",\"0\",9)", "", "Format 参数无效"}));

// The whole format language of the runtime's Format; the third argument is the first day of the
// week (0 the system's, taken as Sunday; 1 Sunday … 7 Saturday). 2024-01-05 is a Friday, 2024-01-07
// a Sunday. A format text cannot hold a double quote here, so literals are escaped with "\".
INSTANTIATE_TEST_SUITE_P(FormatLanguage, EvaluatorTable, ::testing::Values(
    Case{"FORMAT(\"2024-1-5\",\"yyyy年m月d日\")", "2024年1月5日"},
    Case{"FORMAT(\"2024-1-5\",\"m/d/yy\")", "1/5/24"},
    Case{"FORMAT(\"2024-1-5\",\"mmm d, yyyy\")", "Jan 5, 2024"},
    Case{"FORMAT(\"2024-1-5\",\"mmmm q y\")", "January 1 5"},
    Case{"FORMAT(\"2024-1-5 13:05\",\"hh:mm\")", "13:05"},
    Case{"FORMAT(\"2024-1-5 13:05\",\"h:nn AM/PM\")", "1:05 PM"},
    Case{"FORMAT(\"2024-1-5 13:05:09\",\"Long Time\")", "13:05:09"},
    Case{"FORMAT(\"2024-1-5\",\"\\d\\a\\y d\")", "day 5"},
    Case{"FORMAT(\"2024-1-5\",\"ddd\")", "Fri"},
    Case{"FORMAT(\"2024-1-5\",\"dddd\")", "Friday"},
    Case{"FORMAT(\"45296\",\"ddd\")", "Fri"},
    Case{"FORMAT(\"5\",\"ddd\")", "Thu"},
    Case{"FORMAT(\"2024-1-5\",\"w\")", "6"},
    Case{"FORMAT(\"2024-1-5\",\"w\",0)", "6"},
    Case{"FORMAT(\"2024-1-5\",\"w\",2)", "5"},
    Case{"FORMAT(\"2024-1-5\",\"w\",7)", "7"},
    Case{"FORMAT(\"2024-1-7\",\"ww\")", "2"},
    Case{"FORMAT(\"2024-1-7\",\"ww\",1)", "2"},
    Case{"FORMAT(\"2024-1-7\",\"ww\",2)", "1"},
    Case{"FORMAT(\"3.14159\",\"#.##\")", "3.14"},
    Case{"FORMAT(\"0.5\",\"#.##\")", ".5"},
    Case{"FORMAT(\"1234567\",\"#,##0\")", "1,234,567"},
    Case{"FORMAT(\"7\",\"000\")", "007"},
    Case{"FORMAT(\"12345\",\"0.0E+0\")", "1.2E+4"},
    Case{"FORMAT(\"1234.5\",\"¥#,##0.00\")", "¥1,234.50"},
    Case{"FORMAT(\"1234.5\",\"Currency\")", "¥1,234.50"},
    Case{"FORMAT(\"-5\",\"0;(0)\")", "(5)"},
    Case{"FORMAT(\"0\",\"0;(0);\\零\")", "零"},
    Case{"FORMAT(\"1\",\"Yes/No\")", "Yes"},
    Case{"FORMAT(\"abc\",\">\")", "ABC"},
    Case{"FORMAT(\"5551234\",\"@@@-@@@@\")", "555-1234"},
    // What the language cannot read keeps the value and says so.
    Case{"FORMAT(\"5\",\"0 kg\")", "5", "Format 不支持此格式"},
    Case{"FORMAT(\"5\",\"abc\")", "5", "Format 不支持此格式"},
    Case{"FORMAT(\"2024-1-5\",\"yyyy tt\")", "2024-1-5", "Format 不支持此格式"},
    Case{"FORMAT(\"5\",\"0\\\")", "5", "Format 不支持此格式"},
    Case{"FORMAT(\"5\",\"0;0;0;0;0\")", "5", "Format 不支持此格式"},
    Case{"FORMAT(\"5\",\"Long Tim\")", "5", "Format 不支持此格式"}));

TEST(Evaluator, DateGivesTodayInShortDateForm) {
    const QString today = vb::Date::today().dateText();
    EXPECT_EQ(evaluate("DATE()").result, today);
    EXPECT_EQ(evaluate("date ( )&\"!\"").result, today + "!");
    const Evaluation bare = evaluate("DATE");
    EXPECT_EQ(bare.result, today);
    EXPECT_EQ(bare.errorText, "需要 )");
}

TEST(Evaluator, GetGridIsRaisedOnlyForANameRightAfterTheBackquote) {
    EXPECT_EQ(evaluate("`12`").raised, QStringList{"12"});
    EXPECT_EQ(evaluate("`10`+`1.5`").raised, (QStringList{"10", "1.5"}));
    EXPECT_TRUE(evaluate("` 12`").raised.isEmpty());
    EXPECT_TRUE(evaluate("``").raised.isEmpty());
}

TEST(Evaluator, ErrorTextIsLeftToTheOwner) {
    CompStr comp;
    comp.ErrorText = "earlier";
    QString text = "1+1";
    EXPECT_EQ(comp.GetExp(text), "2");
    EXPECT_EQ(comp.ErrorText, "earlier");
    // One instance evaluates again with nothing carried over but the complaint.
    text = "(2";
    EXPECT_EQ(comp.GetExp(text), "2");
    EXPECT_EQ(comp.ErrorText, "需要 )");
    text = "2*3";
    EXPECT_EQ(comp.GetExp(text), "6");
    EXPECT_EQ(comp.ErrorText, "需要 )");
}

TEST(Evaluator, NestingStopsPastTheLimit) {
    const int limit = CompStr::kMaxNesting;
    struct Deep {
        QString open, close;
    };
    for (const Deep& d : {Deep{"(", ")"}, Deep{"LEN(", ")"}, Deep{"1+(", ")"}}) {
        const QString atLimit = d.open.repeated(limit) + "1" + d.close.repeated(limit);
        const Evaluation ok = evaluate(atLimit);
        EXPECT_EQ(ok.errorText, "") << d.open.toStdString();
        EXPECT_FALSE(ok.result.isEmpty()) << d.open.toStdString();

        const QString past = d.open.repeated(limit + 1) + "1" + d.close.repeated(limit + 1) + "+1";
        const Evaluation stopped = evaluate(past);
        EXPECT_EQ(stopped.result, "") << d.open.toStdString();
        EXPECT_EQ(stopped.errorText, "嵌套超过 1000 层") << d.open.toStdString();
        EXPECT_EQ(stopped.rest, "") << d.open.toStdString();
    }
    // Ten thousand levels unwind as quickly, and the next evaluation of the instance starts afresh.
    CompStr comp;
    QString text = QString("(").repeated(10000) + "1";
    EXPECT_EQ(comp.GetExp(text), "");
    text = "1+1";
    EXPECT_EQ(comp.GetExp(text), "2");
}

struct NumberCase {
    const char* text;
    double value;
};

TEST(LeadingNumber, ReadsTheNumberAtTheFront) {
    const NumberCase cases[] = {
        {"12", 12},        {"  -3.5x", -3.5}, {"+.5", 0.5},    {"1.2.3", 1.2},  {"1e3", 1000},
        {"1E-2", 0.01},    {"2e", 2},         {"2e+", 2},      {"abc", 0},      {"", 0},
        {"-", 0},          {".", 0},          {"1 2", 1},      {"&H10", 0},     {"1e-400", 0},
        {"\t7", 7},        {"39.5", 39.5},
    };
    for (const auto& c : cases) {
        const auto v = calculator::LeadingNumber(QString::fromUtf8(c.text));
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
    }
    EXPECT_FALSE(calculator::LeadingNumber(u"1e400").has_value());
    EXPECT_FALSE(calculator::LeadingNumber(u"-1e400").has_value());
}

TEST(LeadingNumber, CountsRoundHalvesToEvenAndFitIn32Bits) {
    EXPECT_EQ(calculator::LeadingCount(u"2.5"), 2);
    EXPECT_EQ(calculator::LeadingCount(u"3.5"), 4);
    EXPECT_EQ(calculator::LeadingCount(u"-0.5"), 0);
    EXPECT_EQ(calculator::LeadingCount(u"2147483647"), 2147483647L);
    EXPECT_FALSE(calculator::LeadingCount(u"2147483648").has_value());
    EXPECT_FALSE(calculator::LeadingCount(u"1e400").has_value());
}

}  // namespace
