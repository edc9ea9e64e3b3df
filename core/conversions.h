#pragma once
// Conversions between the Chinese names the chart shows and the numbers the rule tables are indexed
// by. Every comparison is exact and of the whole text: a trailing blank or a traditional variant
// does not match and gives 0.
#include <QString>

#include <cstdint>

namespace core {

int16_t StemToIndex(const QString& stem);           // 甲 1 … 癸 10
int16_t BranchToIndex(const QString& branch);       // 子 1 … 亥 12
int32_t LunarMonthToNumber(const QString& month);   // 正月 1 … 冬月 11, 腊月 12
int16_t LunarDayToNumber(const QString& day);       // 初一 1 … 三十 30, 三一 31; also 冬月 11, 腊月 12
QString DigitToChinese(int16_t digit);              // 0 "Ｏ", 1 一 … 9 九; "" outside 0..9

// The names by number (1-based), for the code that writes them.
QString StemName(int index);         // "" outside 1..10
QString BranchName(int index);       // "" outside 1..12
QString LunarMonthName(int number);  // 正月 … 腊月; "" outside 1..12
QString LunarDayName(int number);    // 初一 … 三十; "" outside 1..30

// Raise 6 (Overflow) for a text of more than 32767 characters.
QString ReverseText(const QString& text);
// The readable form of a stored annotation text. The routine is its own inverse: the build scrambles
// the authored texts with it.
QString UnscrambleText(const QString& text);

// The key byte of UnscrambleText. It only touches the low byte of a character's code page 936 code;
// 0x7F keeps ASCII within ASCII and maps the trail bytes of the simplified-Chinese rows onto each other.
inline constexpr int kScrambleKey = 0x7F;

}  // namespace core
