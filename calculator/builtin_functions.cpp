#include "calculator/builtin_functions.h"

#include "calculator/complaints.h"
#include "calculator/leading_number.h"
#include "platform/vb/date.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "platform/vb/textfunctions.h"
#include "platform/vb/variant.h"

#include <array>
#include <optional>

namespace calculator {

namespace {

FunctionResult ok(QString value) { return {std::move(value), QString()}; }
FunctionResult refused(const char16_t* complaint) { return {QString(), QString::fromUtf16(complaint)}; }
FunctionResult invalidArgument(const char* function) {
    return {QString(), QString::fromLatin1(function) + QStringLiteral(" 参数无效")};
}

// A count argument, or the complaint that it cannot be one.
struct Count {
    long value = 0;
    std::optional<FunctionResult> failure;
};
Count count(const QString& text) {
    const std::optional<long> n = LeadingCount(text);
    if (!n) return {0, refused(kNumberOverflow)};
    return {*n, std::nullopt};
}

FunctionResult Asc(const FunctionArgs& a) {
    // The code of an empty text is undefined; the runtime would raise.
    if (a.first.isEmpty()) return invalidArgument("Asc");
    return ok(QString::number(vb::asc(a.first)));
}

FunctionResult Chr(const FunctionArgs& a) {
    const Count code = count(a.first);
    if (code.failure) return *code.failure;
    if (code.value < -32768 || code.value > 65535) return invalidArgument("Chr");
    const QString c = vb::chr(code.value);
    // "?" stands for a code that names no character of the code page.
    if (c == QLatin1String("?") && code.value != '?') return invalidArgument("Chr");
    return ok(c);
}

FunctionResult Cstr(const FunctionArgs& a) { return ok(a.first); }

FunctionResult Today(const FunctionArgs&) {
    return ok(vb::format(vb::Variant(vb::Date::today()), QStringLiteral("Short Date")));
}

FunctionResult Format(const FunctionArgs& a) {
    if (!vb::formatIsReadable(a.second)) return {a.first, QString::fromUtf16(kFormatNotSupported)};
    int firstDay = vb::vbSunday;
    if (a.hasThird) {
        double day = 0;
        if (!vb::numberFromText(a.third, &day)) return invalidArgument("Format");
        day = vb::roundHalfEven(day);
        if (day < static_cast<int>(vb::vbUseSystemDayOfWeek) || day > static_cast<int>(vb::vbSaturday))
            return invalidArgument("Format");
        firstDay = static_cast<int>(day);
    }
    try {
        return ok(vb::format(vb::Variant(a.first), a.second, firstDay, vb::vbFirstJan1));
    } catch (const vb::Error&) {
        return invalidArgument("Format");
    }
}

FunctionResult Left(const FunctionArgs& a) {
    const Count n = count(a.second);
    if (n.failure) return *n.failure;
    if (n.value < 0) return invalidArgument("Left");
    return ok(a.first.left(n.value));
}

FunctionResult Len(const FunctionArgs& a) { return ok(QString::number(a.first.size())); }

FunctionResult Mid(const FunctionArgs& a) {
    const Count start = count(a.second);
    if (start.failure) return *start.failure;
    if (start.value < 1) return invalidArgument("Mid");
    if (start.value > a.first.size()) return ok(QString());
    if (!a.hasThird) return ok(a.first.mid(start.value - 1));
    const Count length = count(a.third);
    if (length.failure) return *length.failure;
    if (length.value < 0) return invalidArgument("Mid");
    return ok(a.first.mid(start.value - 1, length.value));
}

FunctionResult Right(const FunctionArgs& a) {
    const Count n = count(a.second);
    if (n.failure) return *n.failure;
    if (n.value < 0) return invalidArgument("Right");
    return ok(a.first.right(n.value));
}

FunctionResult Trim(const FunctionArgs& a) { return ok(TrimBlanks(a.first)); }

FunctionResult Val(const FunctionArgs& a) { return ok(a.first); }

constexpr std::array kFunctions{
    BuiltinFunction{u"ASC", Arguments::One, nullptr, WithoutSecond::Empty, Asc},
    BuiltinFunction{u"CHR", Arguments::One, nullptr, WithoutSecond::Empty, Chr},
    BuiltinFunction{u"CSTR", Arguments::One, nullptr, WithoutSecond::Empty, Cstr},
    BuiltinFunction{u"DATE", Arguments::None, nullptr, WithoutSecond::Empty, Today},
    BuiltinFunction{u"FORMAT", Arguments::TwoOrThree, u"Format 参数不足需要 ，", WithoutSecond::EmptySecond, Format},
    BuiltinFunction{u"LEFT", Arguments::Two, u"Left 参数不足需要 ，", WithoutSecond::Empty, Left},
    BuiltinFunction{u"LEN", Arguments::One, nullptr, WithoutSecond::Empty, Len},
    BuiltinFunction{u"MID", Arguments::TwoOrThree, u"Mid 参数不足需要 ，", WithoutSecond::Empty, Mid},
    BuiltinFunction{u"RIGHT", Arguments::Two, u"Right 参数不足需要 ，", WithoutSecond::Empty, Right},
    BuiltinFunction{u"TRIM", Arguments::One, nullptr, WithoutSecond::Empty, Trim},
    BuiltinFunction{u"VAL", Arguments::One, nullptr, WithoutSecond::Empty, Val},
};

}  // namespace

QString TrimBlanks(const QString& text) {
    qsizetype from = 0, to = text.size();
    while (from < to && text[from] == QLatin1Char(' ')) ++from;
    while (to > from && text[to - 1] == QLatin1Char(' ')) --to;
    return text.mid(from, to - from);
}

const BuiltinFunction* FindBuiltinFunction(const QString& name) {
    for (const auto& f : kFunctions)
        if (name == QStringView(f.name)) return &f;
    return nullptr;
}

}  // namespace calculator
