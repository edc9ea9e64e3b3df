#pragma once
// The evaluator's eleven built-in functions: how many arguments each reads and what it makes of them.
#include <QString>

namespace calculator {

enum class Arguments {
    None,        // the name is followed by an empty pair of parentheses
    One,
    Two,         // the second is required
    TwoOrThree,  // the second is required, the third optional
};

// What a function gives when its required second argument is missing.
enum class WithoutSecond {
    Empty,         // an empty result
    EmptySecond,   // runs with an empty second argument
};

struct FunctionArgs {
    QString first;
    QString second;
    QString third;
    bool hasThird = false;
};

// A function's result; `complaint` is set when the arguments are unusable (the result is then empty).
struct FunctionResult {
    QString value;
    QString complaint;
};

struct BuiltinFunction {
    const char16_t* name;  // upper case
    Arguments arguments;
    const char16_t* missingSecond;  // the complaint for a missing second argument
    WithoutSecond withoutSecond;
    FunctionResult (*apply)(const FunctionArgs&);
};

// The function of an upper-cased, trimmed name; nullptr for any other name.
const BuiltinFunction* FindBuiltinFunction(const QString& name);

// The text without leading and trailing blanks (spaces only: tabs and line breaks stay).
QString TrimBlanks(const QString& text);

}  // namespace calculator
