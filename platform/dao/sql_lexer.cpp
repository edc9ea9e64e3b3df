#include "platform/dao/sql_lexer.h"

namespace dao::detail {

namespace {
bool isDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }
bool isHexDigit(QChar c) { return isDigit(c) || (c.toLower().unicode() >= 'a' && c.toLower().unicode() <= 'f'); }
}  // namespace

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$') || c.unicode() >= 0x80; }
bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_') || c.unicode() >= 0x80; }

qsizetype quotedEnd(const QString& s, qsizetype i, QChar close, bool doubling) {
    for (qsizetype j = i + 1; j < s.size(); ++j) {
        if (s[j] != close) continue;
        if (doubling && j + 1 < s.size() && s[j + 1] == close) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return s.size();
}

qsizetype dateEnd(const QString& s, qsizetype i) {
    for (qsizetype j = i + 1; j < s.size(); ++j) {
        const QChar c = s[j];
        if (c == QLatin1Char('#')) return j > i + 1 ? j + 1 : -1;
        if (!(isDigit(c) || c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char(':') ||
              c == QLatin1Char(' ') || c == QLatin1Char('.') || QStringLiteral("APMapm").contains(c)))
            return -1;
    }
    return -1;
}

Tokens tokenize(const QString& s) {
    Tokens out;
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto push = [&](TokenKind k, qsizetype end) {
        out.append(Token{k, s.mid(i, end - i)});
        i = end;
    };
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            qsizetype j = i;
            while (j < n && s[j].isSpace()) ++j;
            push(TokenKind::Space, j);
        } else if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            qsizetype j = s.indexOf(QLatin1Char('\n'), i);
            push(TokenKind::Space, j < 0 ? n : j);
        } else if (c == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('*')) {
            qsizetype j = s.indexOf(QLatin1String("*/"), i + 2);
            push(TokenKind::Space, j < 0 ? n : j + 2);
        } else if (isNameStart(c)) {
            qsizetype j = i;
            while (j < n && isNameChar(s[j])) ++j;
            push(TokenKind::Word, j);
        } else if (isDigit(c) || (c == QLatin1Char('.') && i + 1 < n && isDigit(s[i + 1]))) {
            qsizetype j = i;
            if (c == QLatin1Char('0') && j + 2 < n && (s[j + 1] == QLatin1Char('x') || s[j + 1] == QLatin1Char('X')) &&
                isHexDigit(s[j + 2])) {
                j += 2;
                while (j < n && isHexDigit(s[j])) ++j;
            } else {
                while (j < n && isDigit(s[j])) ++j;
                if (j < n && s[j] == QLatin1Char('.')) {
                    ++j;
                    while (j < n && isDigit(s[j])) ++j;
                }
                if (j < n && (s[j] == QLatin1Char('e') || s[j] == QLatin1Char('E'))) {
                    qsizetype k = j + 1;
                    if (k < n && (s[k] == QLatin1Char('+') || s[k] == QLatin1Char('-'))) ++k;
                    if (k < n && isDigit(s[k])) {
                        while (k < n && isDigit(s[k])) ++k;
                        j = k;
                    }
                }
            }
            push(TokenKind::Number, j);
        } else if (c == QLatin1Char('\'')) {
            push(TokenKind::String, quotedEnd(s, i, c, true));
        } else if (c == QLatin1Char('"')) {
            push(TokenKind::DoubleQuoted, quotedEnd(s, i, c, true));
        } else if (c == QLatin1Char('[')) {
            push(TokenKind::Bracketed, quotedEnd(s, i, QLatin1Char(']'), false));
        } else if (c == QLatin1Char('`')) {
            push(TokenKind::Backticked, quotedEnd(s, i, c, true));
        } else if (c == QLatin1Char('#') && dateEnd(s, i) > 0) {
            push(TokenKind::DateLiteral, dateEnd(s, i));
        } else if (c == QLatin1Char('?')) {
            push(TokenKind::Parameter, i + 1);
        } else {
            static const char* const kPairs[] = {"<>", "<=", ">=", "==", "!=", "||", "<<", ">>"};
            qsizetype end = i + 1;
            for (const char* p : kPairs)
                if (s.mid(i, 2) == QLatin1String(p)) end = i + 2;
            push(TokenKind::Symbol, end);
        }
    }
    return out;
}

QString joinTokens(const Tokens& tokens) {
    QString out;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (i > 0 && tokens[i - 1].kind == TokenKind::Number &&
            (tokens[i].kind == TokenKind::Word || tokens[i].kind == TokenKind::Number) && !tokens[i].text.isEmpty() &&
            !tokens[i].text[0].isSpace())
            out.append(QLatin1Char(' '));
        out.append(tokens[i].text);
    }
    return out;
}

int nextSolid(const Tokens& tokens, int from) {
    int i = from;
    while (i < tokens.size() && tokens[i].kind == TokenKind::Space) ++i;
    return i;
}

int matchingParen(const Tokens& tokens, int open) {
    int depth = 0;
    for (int i = open; i < tokens.size(); ++i) {
        if (tokens[i].isSymbol('(')) ++depth;
        else if (tokens[i].isSymbol(')') && --depth == 0) return i;
    }
    return -1;
}

QString nameOf(const Token& token) {
    switch (token.kind) {
    case TokenKind::Bracketed:
    case TokenKind::Backticked:
    case TokenKind::DoubleQuoted: return token.text.mid(1, token.text.size() - 2);
    default: return token.text;
    }
}

}  // namespace dao::detail
