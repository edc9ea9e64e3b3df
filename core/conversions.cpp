#include "core/conversions.h"

#include "platform/vb/codepage936.h"
#include "platform/vb/variant.h"

#include <array>

namespace core {

namespace {

constexpr std::array<const char16_t*, 10> kStems{u"甲", u"乙", u"丙", u"丁", u"戊",
                                                 u"己", u"庚", u"辛", u"壬", u"癸"};
constexpr std::array<const char16_t*, 12> kBranches{u"子", u"丑", u"寅", u"卯", u"辰", u"巳",
                                                    u"午", u"未", u"申", u"酉", u"戌", u"亥"};
constexpr std::array<const char16_t*, 12> kMonths{u"正月", u"二月", u"三月", u"四月", u"五月", u"六月",
                                                  u"七月", u"八月", u"九月", u"十月", u"冬月", u"腊月"};
constexpr std::array<const char16_t*, 31> kDays{
    u"初一", u"初二", u"初三", u"初四", u"初五", u"初六", u"初七", u"初八", u"初九", u"初十", u"十一",
    u"十二", u"十三", u"十四", u"十五", u"十六", u"十七", u"十八", u"十九", u"二十", u"廿一", u"廿二",
    u"廿三", u"廿四", u"廿五", u"廿六", u"廿七", u"廿八", u"廿九", u"三十", u"三一"};
constexpr std::array<const char16_t*, 10> kDigits{u"Ｏ", u"一", u"二", u"三", u"四",
                                                  u"五", u"六", u"七", u"八", u"九"};

template <std::size_t N>
int indexIn(const std::array<const char16_t*, N>& names, const QString& text) {
    for (std::size_t i = 0; i < N; ++i)
        if (text == QStringView(names[i])) return static_cast<int>(i) + 1;
    return 0;
}

template <std::size_t N>
QString nameAt(const std::array<const char16_t*, N>& names, int number) {
    return number >= 1 && number <= static_cast<int>(N) ? QString::fromUtf16(names[number - 1]) : QString();
}

}  // namespace

int16_t StemToIndex(const QString& stem) { return static_cast<int16_t>(indexIn(kStems, stem)); }

int16_t BranchToIndex(const QString& branch) { return static_cast<int16_t>(indexIn(kBranches, branch)); }

int32_t LunarMonthToNumber(const QString& month) { return indexIn(kMonths, month); }

int16_t LunarDayToNumber(const QString& day) {
    // 冬月 and 腊月 are tested first, as the month-name column of the day list can hold them.
    if (day == QStringView(kMonths[10])) return 11;
    if (day == QStringView(kMonths[11])) return 12;
    return static_cast<int16_t>(indexIn(kDays, day));
}

QString DigitToChinese(int16_t digit) { return digit >= 0 && digit <= 9 ? nameAt(kDigits, digit + 1) : QString(); }

QString StemName(int index) { return nameAt(kStems, index); }
QString BranchName(int index) { return nameAt(kBranches, index); }
QString LunarMonthName(int number) { return nameAt(kMonths, number); }
QString LunarDayName(int number) { return number <= 30 ? nameAt(kDays, number) : QString(); }

QString ReverseText(const QString& text) {
    const int16_t n = vb::checkedInt16(text.size());
    QString result;
    result.reserve(n);
    for (int i = n - 1; i >= 0; --i) result.append(text[i]);
    return result;
}

QString UnscrambleText(const QString& text) {
    const QString t = ReverseText(text);
    QString result;
    result.reserve(t.size());
    for (QChar c : t) {
        const int16_t code = vb::ansiCode(c);
        result += vb::fromAnsiCode(static_cast<int16_t>(code ^ kScrambleKey));
    }
    return result;
}

}  // namespace core
