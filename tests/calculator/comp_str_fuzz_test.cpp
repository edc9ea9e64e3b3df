// Random and deeply nested input: every evaluation returns, leaves a suffix of its input unread and
// complains, if at all, with one of the evaluator's own texts.
#include "calculator/comp_str.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

#include <array>
#include <random>

namespace {

using calculator::CompStr;

constexpr std::array kTokens{
    u"0", u"1", u"7", u"42", u"1.5", u"1.2.3", u"1e308", u"9999999999", u"-1", u"+", u"-", u"*", u"/",
    u"&", u"(", u")", u"\"", u"\"ab\"", u"\" 12 \"", u"`", u"`12`", u"`39.5`", u"`", u",", u" ", u"  ",
    u"=", u".", u"LEFT(", u"mid(", u"Right (", u"FORMAT(", u"\"0.00\"", u"\"yyyy-mm-dd\"", u"\"@@\"",
    u"Chr(", u"ASC(", u"LEN(", u"DATE()", u"TRIM(", u"VAL(", u"CSTR(", u"x", u"中", u"\t", u"\n",
};

constexpr std::array kOpeners{u"(", u"LEN(", u"MID(\"abc\",", u"1+(", u"FORMAT(", u"-(", u"`"};

const QSet<QString>& knownComplaints() {
    static const QSet<QString> known{
        "需要 )", "需要 `", "除数为零", "符号后需要数字", "嵌套超过 1000 层", "数值溢出", "Format 不支持此格式",
        "Left 参数不足需要 ，", "Mid 参数不足需要 ，", "Format 参数不足需要 ，", "Right 参数不足需要 ，",
        "Asc 参数无效", "Chr 参数无效", "Left 参数无效", "Mid 参数无效", "Right 参数无效", "Format 参数无效",
    };
    return known;
}

QString randomSoup(std::mt19937& rng, int maxTokens) {
    QString s;
    const int n = std::uniform_int_distribution<int>(0, maxTokens)(rng);
    for (int i = 0; i < n; ++i) {
        if (std::uniform_int_distribution<int>(0, 19)(rng) == 0) {
            // Any code unit at all: control characters, lone surrogates, NUL.
            s += QChar(static_cast<char16_t>(std::uniform_int_distribution<int>(0, 0xFFFF)(rng)));
        } else {
            s += QStringView(kTokens[std::uniform_int_distribution<size_t>(0, kTokens.size() - 1)(rng)]);
        }
    }
    return s;
}

QString deepInput(std::mt19937& rng) {
    const QStringView opener = kOpeners[std::uniform_int_distribution<size_t>(0, kOpeners.size() - 1)(rng)];
    const int depth = std::uniform_int_distribution<int>(1, 10000)(rng);
    return opener.toString().repeated(depth) + randomSoup(rng, 10) + QString(")").repeated(depth / 2);
}

TEST(EvaluatorFuzz, EveryInputGivesAResult) {
    const unsigned seed = 20261210;
    std::mt19937 rng(seed);
    CompStr comp;
    QObject::connect(&comp, &CompStr::GetGrid, [&](QString& name, QString& value) {
        value = name.size() % 2 ? name : QStringLiteral("中文") + name;
    });
    for (int i = 0; i < 100000; ++i) {
        const QString input = i % 10 == 0 ? deepInput(rng) : randomSoup(rng, 40);
        comp.ErrorText.clear();
        QString rest = input;
        const QString result = comp.GetExp(rest);
        ASSERT_TRUE(input.endsWith(rest)) << "seed " << seed << " input " << i;
        if (!comp.ErrorText.isEmpty()) {
            ASSERT_TRUE(knownComplaints().contains(comp.ErrorText))
                << "seed " << seed << " input " << i << ": " << comp.ErrorText.toStdString();
        }
        // Nothing grows without bound: a result is built from the input's own texts and numbers.
        ASSERT_LE(result.size(), input.size() * 8 + 64) << "seed " << seed << " input " << i;
    }
}

TEST(EvaluatorFuzz, TenThousandLevelsStopWithTheNestingComplaint) {
    for (const char16_t* opener : kOpeners) {
        // A backquote does not nest, and a sign before a parenthesis ends the expression.
        if (QStringView(opener) == u"`" || QStringView(opener) == u"-(") continue;
        CompStr comp;
        QString text = QStringView(opener).toString().repeated(10000) + "1" + QString(")").repeated(10000);
        EXPECT_EQ(comp.GetExp(text), "");
        EXPECT_EQ(comp.ErrorText, "嵌套超过 1000 层");
        EXPECT_EQ(text, "");
    }
}

}  // namespace
