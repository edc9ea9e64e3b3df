#include "platform/rtf/rtf_tokenizer.h"

#include <algorithm>
#include <climits>

namespace rtf {

namespace {

Token make(Token::Kind kind) {
    Token t;
    t.kind = kind;
    return t;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Control words are at most 32 letters; longer runs of letters still belong to the word but do not
// make it any longer, so no unknown word can grow without bound.
constexpr qsizetype kMaxWordLength = 32;
// A parameter has at most ten digits; further digits are consumed and ignored.
constexpr int kMaxParameterDigits = 10;

}  // namespace

Token Tokenizer::next() {
    while (pos_ < data_.size()) {
        const char c = data_[pos_];
        switch (c) {
        case '{':
            ++pos_;
            return make(Token::Kind::GroupStart);
        case '}':
            ++pos_;
            return make(Token::Kind::GroupEnd);
        case '\\':
            return controlWord();
        case '\r':
        case '\n':
            ++pos_;  // line breaks of the file are not text
            continue;
        default:
            return textRun();
        }
    }
    return make(Token::Kind::End);
}

qsizetype Tokenizer::skip(qsizetype count) {
    const qsizetype n = std::clamp<qsizetype>(count, 0, data_.size() - pos_);
    pos_ += n;
    return n;
}

bool Tokenizer::onlyBlanksLeft() const {
    for (qsizetype i = pos_; i < data_.size(); ++i) {
        const char c = data_[i];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\0') return false;
    }
    return true;
}

Token Tokenizer::controlWord() {
    ++pos_;  // the backslash
    if (pos_ >= data_.size()) return make(Token::Kind::End);
    const char c = data_[pos_];
    if (isLetter(c)) {
        const qsizetype start = pos_;
        while (pos_ < data_.size() && isLetter(data_[pos_])) ++pos_;
        Token t = make(Token::Kind::ControlWord);
        t.text = data_.sliced(start, std::min(pos_ - start, kMaxWordLength));
        bool negative = false;
        if (pos_ + 1 < data_.size() && data_[pos_] == '-' && isDigit(data_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        if (pos_ < data_.size() && isDigit(data_[pos_])) {
            long long value = 0;
            int digits = 0;
            while (pos_ < data_.size() && isDigit(data_[pos_])) {
                if (digits++ < kMaxParameterDigits) value = value * 10 + (data_[pos_] - '0');
                ++pos_;
            }
            if (negative) value = -value;
            t.hasParameter = true;
            t.parameter = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
        }
        if (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
        return t;
    }
    ++pos_;
    switch (c) {
    case '\'': {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < data_.size()) {
            const int h = hexValue(data_[pos_]);
            if (h < 0) break;
            value = value * 16 + h;
            ++digits;
            ++pos_;
        }
        if (digits == 0) {  // a stray \' carries no byte; the reader ignores the symbol
            Token t = make(Token::Kind::ControlSymbol);
            t.symbol = '\'';
            return t;
        }
        Token t = make(Token::Kind::HexByte);
        t.parameter = value;
        return t;
    }
    case '\\':
    case '{':
    case '}': {
        Token t = make(Token::Kind::Text);
        t.text = data_.sliced(pos_ - 1, 1);
        return t;
    }
    case '\r':
    case '\n': {
        // A backslash before a line break is a paragraph mark.
        Token t = make(Token::Kind::ControlWord);
        t.text = "par";
        return t;
    }
    default: {
        Token t = make(Token::Kind::ControlSymbol);
        t.symbol = c;
        return t;
    }
    }
}

Token Tokenizer::textRun() {
    const qsizetype start = pos_;
    while (pos_ < data_.size()) {
        const char c = data_[pos_];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n') break;
        ++pos_;
    }
    Token t = make(Token::Kind::Text);
    t.text = data_.sliced(start, pos_ - start);
    return t;
}

}  // namespace rtf
