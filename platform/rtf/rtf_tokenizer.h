#pragma once
// Splits RTF bytes into groups, control words, control symbols, hex bytes and text runs. Every call
// of next() consumes at least one byte until the end, so a reader over it always finishes, whatever
// the input holds.
#include <QByteArrayView>

namespace rtf {

struct Token {
    enum class Kind {
        End,            // no input left
        GroupStart,     // {
        GroupEnd,       // }
        ControlWord,    // \word or \wordN
        ControlSymbol,  // \ followed by one non-letter (\~ \- \_ \* \| \:)
        HexByte,        // \'hh: one byte in `parameter`
        Text,           // a run of literal bytes (with \\ \{ \} already unescaped)
    };
    Kind kind = Kind::End;
    QByteArrayView text;  // the word of a control word; the bytes of a text run
    char symbol = 0;      // the character of a control symbol
    bool hasParameter = false;
    int parameter = 0;    // clamped to the 32-bit range
};

class Tokenizer {
public:
    explicit Tokenizer(QByteArrayView data) : data_(data) {}

    Token next();
    // Skips up to `count` bytes of binary data (after \binN); returns how many were skipped.
    qsizetype skip(qsizetype count);
    bool atEnd() const { return pos_ >= data_.size(); }
    // Only blanks, line breaks and NUL bytes are left.
    bool onlyBlanksLeft() const;

private:
    Token controlWord();
    Token textRun();

    QByteArrayView data_;
    qsizetype pos_ = 0;
};

}  // namespace rtf
