#pragma once
// A lexer for the SQL texts the program writes: enough to rewrite Jet forms without touching what
// sits inside literals and quoted names.
#include <QList>
#include <QString>

namespace dao::detail {

enum class TokenKind {
    Space,        // blanks and comments
    Word,         // keyword or plain name
    Number,
    String,       // '...'
    DoubleQuoted, // "..." (a text literal in Jet SQL)
    Bracketed,    // [name]
    Backticked,   // `name`
    DateLiteral,  // #...#
    Parameter,    // ?
    Symbol,       // operators and punctuation
};

struct Token {
    TokenKind kind;
    QString text;
    bool is(TokenKind k, const char* t) const { return kind == k && text == QLatin1String(t); }
    bool isWord(const char* w) const { return kind == TokenKind::Word && text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0; }
    bool isSymbol(char c) const { return kind == TokenKind::Symbol && text.size() == 1 && text[0] == QLatin1Char(c); }
};

using Tokens = QList<Token>;

Tokens tokenize(const QString& sql);

// How the lexer reads characters, for scanners that must read a text as it does.
bool isNameChar(QChar c);
bool isNameStart(QChar c);
// Index just past a literal that starts at `i` and is delimited by `close` (doubled to escape it when
// `doubling`), or the text's end when it is not closed.
qsizetype quotedEnd(const QString& s, qsizetype i, QChar close, bool doubling);
// Index just past a #...# date literal at `i` (date and time characters on one line), or -1.
qsizetype dateEnd(const QString& s, qsizetype i);
// Joins tokens back into text, separating a number from a word glued to it ("2or" -> "2 or").
QString joinTokens(const Tokens& tokens);
// Index of the next token at or after `from` that is not a Space, or tokens.size().
int nextSolid(const Tokens& tokens, int from);
// Index of the parenthesis closing the one at `open`, or -1.
int matchingParen(const Tokens& tokens, int open);
// The name a Word, Bracketed, Backticked or DoubleQuoted token stands for.
QString nameOf(const Token& token);

}  // namespace dao::detail
