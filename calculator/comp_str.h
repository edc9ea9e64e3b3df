#pragma once
// CompStr: evaluates a one-line expression written as text and returns its value as text. Numbers,
// quoted strings, + - * / &, parentheses, the built-in functions and backquoted memory names, whose
// values the owner gives through GetGrid. Every value is carried as text; arithmetic reads the number
// at the front of each text only when an operator is applied.
//
// Two precedence levels: * and / bind tighter than a + or - before them; everything else, & included,
// goes strictly left to right. A syntax fault never stops an evaluation: it is noted in ErrorText and
// reading goes on, so every input gives some result text.
#include <QObject>
#include <QString>

namespace calculator {

class CompStr : public QObject {
    Q_OBJECT

public:
    explicit CompStr(QObject* parent = nullptr) : QObject(parent) {}

    // The last complaint of an evaluation; a later one overwrites an earlier one. Never cleared here:
    // the owner empties it before evaluating.
    QString ErrorText;

    // Evaluates the expression at the front of `exp` and returns its value; `exp` is left holding the
    // unread rest (from the first character that cannot continue the expression, such as ")" or "=").
    QString GetExp(QString& exp);

    // How deep parentheses and function arguments may nest; deeper input stops the evaluation with an
    // empty result.
    static constexpr int kMaxNesting = 1000;

signals:
    // A backquoted name was read; `value` arrives empty and what the handler leaves in it is the
    // operand's value. Connect directly: the handler must run before the evaluation goes on.
    void GetGrid(QString& name, QString& value);

private:
    static constexpr int kEnd = -1;  // GetChar at the end of the text

    QString Expression();
    int GetChar();
    void UngetChar(int ch);
    void SkipBlanks();
    QString ReadNumber();
    QString ReadString();
    QString ReadOperator();
    QString ReadGridValue();
    QString ReadFunction();
    QString ReadOperand();
    QString Compute(const QString& a, const QString& op, const QString& b);
    void Complain(const QString& text);
    void Complain(const char16_t* text) { Complain(QString::fromUtf16(text)); }

    // The text being read and the position of its first unread character.
    QString mText;
    qsizetype mPos = 0;
    int mDepth = 0;
    bool mStopped = false;  // nesting ran too deep: everything left unwinds without a word
};

}  // namespace calculator
