#include "platform/dao/statement_shape.h"

#include "platform/dao/name_match.h"
#include "platform/dao/sql_lexer.h"

#include <QStringView>

#include <array>
#include <utility>
#include <vector>

namespace dao::detail {

namespace {

// One pass over the text, without building tokens: a shape is asked for every snapshot that the
// handle has not kept, so it must cost far less than the statement it saves preparing. It reads
// literals, quoted names and comments as the SQL lexer does, so nothing inside them is taken.

bool isDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

// Words that end the WHERE clause at the statement's own level.
constexpr std::array kAfterWhere{"order", "group", "having", "union", "limit"};

// Whether the solid text before `at` ends in a comparison operator (=, <, >, <>, <=, >=, !=, ==), not a shift.
bool afterComparison(const QString& s, qsizetype at) {
    qsizetype i = at - 1;
    while (i >= 0 && s[i].isSpace()) --i;
    if (i < 0) return false;
    const QChar c = s[i];
    const QChar before = i > 0 ? s[i - 1] : QChar();
    if (c == QLatin1Char('=')) return true;
    if (c == QLatin1Char('<')) return before != QLatin1Char('<');
    if (c == QLatin1Char('>')) return before != QLatin1Char('>');
    return false;
}

// Whether the solid text from `at` on calls or qualifies what stands before it.
bool beforeCallOrDot(const QString& s, qsizetype at) {
    qsizetype i = at;
    while (i < s.size() && s[i].isSpace()) ++i;
    return i < s.size() && (s[i] == QLatin1Char('(') || s[i] == QLatin1Char('.'));
}

}  // namespace

StatementShape shapeOf(const QString& s) {
    StatementShape shape;
    const qsizetype n = s.size();
    std::vector<std::pair<qsizetype, qsizetype>> taken;
    int depth = 0;
    bool inWhere = false;
    bool first = true;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            const qsizetype j = s.indexOf(QLatin1Char('\n'), i);
            i = j < 0 ? n : j;
        } else if (c == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('*')) {
            const qsizetype j = s.indexOf(QLatin1String("*/"), i + 2);
            i = j < 0 ? n : j + 2;
        } else if (isNameStart(c)) {
            qsizetype j = i;
            while (j < n && isNameChar(s[j])) ++j;
            const QStringView w = QStringView(s).mid(i, j - i);
            if (first && !sameName(w, QLatin1String("select"))) return shape;
            if (depth == 0) {
                if (sameName(w, QLatin1String("where"))) inWhere = true;
                for (const char* end : kAfterWhere)
                    if (sameName(w, QLatin1String(end))) inWhere = false;
            }
            first = false;
            i = j;
        } else if (first) {
            return shape;
        } else if (isDigit(c) || (c == QLatin1Char('.') && i + 1 < n && isDigit(s[i + 1]))) {
            qsizetype j = i;
            while (j < n && isDigit(s[j])) ++j;
            // Decimals, exponents and hexadecimal numbers stay as written.
            bool whole = c != QLatin1Char('.');
            if (j < n && (s[j] == QLatin1Char('.') || s[j] == QLatin1Char('x') || s[j] == QLatin1Char('X'))) whole = false;
            if (j < n && (s[j] == QLatin1Char('e') || s[j] == QLatin1Char('E'))) {
                qsizetype k = j + 1;
                if (k < n && (s[k] == QLatin1Char('+') || s[k] == QLatin1Char('-'))) ++k;
                if (k < n && isDigit(s[k])) whole = false;
            }
            if (!whole) {
                while (j < n && (isNameChar(s[j]) || s[j] == QLatin1Char('.') ||
                                 ((s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')) &&
                                  (s[j - 1] == QLatin1Char('e') || s[j - 1] == QLatin1Char('E')))))
                    ++j;
            } else if (inWhere && j - i <= 9 && afterComparison(s, i) && !beforeCallOrDot(s, j)) {
                // Nine digits at most: every such number fits an int.
                taken.emplace_back(i, j);
            }
            i = j;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            i = quotedEnd(s, i, c, true);
        } else if (c == QLatin1Char('[')) {
            i = quotedEnd(s, i, QLatin1Char(']'), false);
        } else if (c == QLatin1Char('#') && dateEnd(s, i) > 0) {
            i = dateEnd(s, i);
        } else if (c == QLatin1Char('?')) {
            return shape;  // parameters of its own: bound by the caller
        } else {
            if (c == QLatin1Char('(')) ++depth;
            else if (c == QLatin1Char(')')) --depth;
            ++i;
        }
    }
    if (taken.empty()) return shape;

    shape.text.reserve(n + qsizetype(taken.size()));
    qsizetype from = 0;
    for (const auto& [b, e] : taken) {
        const QStringView digits = QStringView(s).mid(b, e - b);
        int v = 0;
        for (QChar d : digits) v = v * 10 + (d.unicode() - '0');
        shape.text.append(QStringView(s).mid(from, b - from));
        shape.text.append(QLatin1Char('?'));
        // "1790and" is a number and a word; the parameter keeps them apart.
        if (e < n && isNameChar(s[e])) shape.text.append(QLatin1Char(' '));
        shape.numbers.append(vb::Variant(v));
        from = e;
    }
    shape.text.append(QStringView(s).mid(from));
    return shape;
}

}  // namespace dao::detail
