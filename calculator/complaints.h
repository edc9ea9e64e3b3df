#pragma once
// The evaluator's complaints, as the user reads them under the result.
namespace calculator {

inline constexpr char16_t kNeedCloseParen[] = u"需要 )";
inline constexpr char16_t kNeedBackquote[] = u"需要 `";
inline constexpr char16_t kDivisionByZero[] = u"除数为零";
inline constexpr char16_t kSignNeedsNumber[] = u"符号后需要数字";
inline constexpr char16_t kNestedTooDeep[] = u"嵌套超过 1000 层";
inline constexpr char16_t kNumberOverflow[] = u"数值溢出";
inline constexpr char16_t kFormatNotSupported[] = u"Format 不支持此格式";

}  // namespace calculator
