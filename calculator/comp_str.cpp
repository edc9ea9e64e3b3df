#include "calculator/comp_str.h"

#include "calculator/builtin_functions.h"
#include "calculator/complaints.h"
#include "calculator/leading_number.h"
#include "platform/vb/variant.h"

#include <cmath>

namespace calculator {

namespace {

bool isDigit(int ch) { return ch >= '0' && ch <= '9'; }
bool isSign(int ch) { return ch == '+' || ch == '-'; }

}  // namespace

QString CompStr::GetExp(QString& exp) {
    // Nested readers share one cursor; the caller's text is cut once at the end instead of character
    // by character, which would make long input quadratic.
    mText = exp;
    mPos = 0;
    mDepth = 0;
    mStopped = false;
    QString result = Expression();
    exp = mText.mid(mPos);
    mText.clear();
    if (mStopped) return QString();
    return result;
}

QString CompStr::Expression() {
    if (mStopped) return QString();
    if (mDepth > kMaxNesting) {
        // Past this depth the recursion would only eat stack; give up on the whole expression.
        Complain(kNestedTooDeep);
        mStopped = true;
        mPos = mText.size();
        return QString();
    }
    ++mDepth;
    QString acc = ReadOperand();
    QString op1 = ReadOperator();
    while (!op1.isEmpty() && !mStopped) {
        QString b = ReadOperand();
        QString op2 = ReadOperator();
        while ((op2 == QLatin1String("*") || op2 == QLatin1String("/")) &&
               (op1 == QLatin1String("+") || op1 == QLatin1String("-")) && !mStopped) {
            const QString c = ReadOperand();
            b = Compute(b, op2, c);
            op2 = ReadOperator();
        }
        acc = Compute(acc, op1, b);
        op1 = op2;
    }
    --mDepth;
    return acc;
}

int CompStr::GetChar() {
    if (mPos >= mText.size()) return kEnd;
    return mText[mPos++].unicode();
}

void CompStr::UngetChar(int ch) {
    if (ch != kEnd && mPos > 0) --mPos;
}

void CompStr::SkipBlanks() {
    while (mPos < mText.size() && mText[mPos] == QLatin1Char(' ')) ++mPos;
}

QString CompStr::ReadNumber() {
    const qsizetype start = mPos;
    int ch = GetChar();
    while (isDigit(ch) || ch == '.') ch = GetChar();
    UngetChar(ch);
    return mText.mid(start, mPos - start);
}

QString CompStr::ReadString() {
    const qsizetype close = mText.indexOf(QLatin1Char('"'), mPos);
    const qsizetype end = close < 0 ? mText.size() : close;
    QString s = mText.mid(mPos, end - mPos);
    mPos = close < 0 ? end : close + 1;
    return s;
}

QString CompStr::ReadOperator() {
    SkipBlanks();
    const int ch = GetChar();
    switch (ch) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '&':
        return QString(QChar(ch));
    default:
        UngetChar(ch);
        return QString();
    }
}

QString CompStr::ReadGridValue() {
    // Names follow the backquote directly: a run of digits and points.
    QString name = ReadNumber();
    QString value;
    if (!name.isEmpty()) emit GetGrid(name, value);
    SkipBlanks();
    if (GetChar() != '`') Complain(kNeedBackquote);
    return value;
}

QString CompStr::ReadFunction() {
    const qsizetype open = mText.indexOf(QLatin1Char('('), mPos);
    const qsizetype end = open < 0 ? mText.size() : open;
    const QString name = TrimBlanks(mText.mid(mPos, end - mPos)).toUpper();
    mPos = open < 0 ? end : open + 1;

    QString result;
    if (const BuiltinFunction* f = FindBuiltinFunction(name)) {
        FunctionArgs args;
        bool secondMissing = false;
        if (f->arguments != Arguments::None) args.first = Expression();
        if (f->arguments == Arguments::Two || f->arguments == Arguments::TwoOrThree) {
            SkipBlanks();
            if (GetChar() != ',') {
                // The character is taken even so: a ")" here counts as the missing comma.
                Complain(f->missingSecond);
                secondMissing = true;
            } else {
                args.second = Expression();
                if (f->arguments == Arguments::TwoOrThree) {
                    SkipBlanks();
                    const int ch = GetChar();
                    if (ch == ',') {
                        args.third = Expression();
                        args.hasThird = true;
                    } else {
                        UngetChar(ch);
                    }
                }
            }
        }
        if (!mStopped && (!secondMissing || f->withoutSecond == WithoutSecond::EmptySecond)) {
            const FunctionResult r = f->apply(args);
            result = r.value;
            if (!r.complaint.isEmpty()) Complain(r.complaint);
        }
    }
    SkipBlanks();
    if (GetChar() != ')') Complain(kNeedCloseParen);
    return result;
}

QString CompStr::ReadOperand() {
    SkipBlanks();
    const int ch = GetChar();
    if (ch == '"') return ReadString();
    if (ch == '(') {
        QString value = Expression();
        SkipBlanks();
        if (GetChar() != ')') Complain(kNeedCloseParen);
        return value;
    }
    if (isSign(ch) || isDigit(ch)) {
        const QString run = ReadNumber();
        // A sign belongs only to digits written right after it; alone it is an operand of value 0,
        // which silently drops a parenthesised or spaced term ("-(1+2)" gives "-").
        if (isSign(ch) && run.isEmpty()) Complain(kSignNeedsNumber);
        return QChar(ch) + run;
    }
    if (ch == '`') return ReadGridValue();
    UngetChar(ch);
    return ReadFunction();
}

QString CompStr::Compute(const QString& a, const QString& op, const QString& b) {
    if (op == QLatin1String("&")) return a + b;
    if (op != QLatin1String("+") && op != QLatin1String("-") && op != QLatin1String("*") && op != QLatin1String("/"))
        return a;
    const std::optional<double> x = LeadingNumber(a);
    const std::optional<double> y = LeadingNumber(b);
    if (!x || !y) {
        Complain(kNumberOverflow);
        return QString();
    }
    double r = 0;
    switch (op[0].unicode()) {
    case '+':
        r = *x + *y;
        break;
    case '-':
        r = *x - *y;
        break;
    case '*':
        r = *x * *y;
        break;
    default:
        if (*y == 0) {
            Complain(kDivisionByZero);
            return QStringLiteral("0");
        }
        r = *x / *y;
        break;
    }
    if (!std::isfinite(r)) {
        Complain(kNumberOverflow);
        return QString();
    }
    return vb::numberText(r);
}

void CompStr::Complain(const QString& text) {
    if (!mStopped) ErrorText = text;
}

}  // namespace calculator
