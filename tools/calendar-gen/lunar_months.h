#pragma once
// The lunar months and their numbers and leap marks by GB/T 33661-2017: a month runs from the civil
// day of one new moon to the day before the next, days reckoned as the official calendar of the time
// did (calendarDay); the month that holds the winter solstice (冬至) is 十一月; when thirteen months lie
// from one 十一月 to the next, the first of them that holds no zhongqi is the leap month and repeats
// the number of the month before it.

#include <set>
#include <vector>

namespace calgen {

struct LunarMonth {
    long firstDay = 0;     // day number of 初一
    double newMoonJde = 0;  // the conjunction that begins it
    int length = 0;        // 29 or 30
    int number = 0;        // 1 (正月) … 12 (腊月); 0 outside the numbered span
    bool leap = false;
    bool hasZhongqi = false;
};

class LunarMonths {
public:
    // Months numbered for every lunar year whose 十一月 begins between the winter solstices of
    // `firstYear` and `lastYear` (Gregorian years).
    LunarMonths(int firstYear, int lastYear);

    const std::vector<LunarMonth>& months() const { return months_; }
    // Index of the month that holds `day`; throws when `day` lies outside the numbered span.
    int indexOf(long day) const;
    // Index of month `number` (the leap one when `leap`) of the lunar year whose 正月 begins in
    // Gregorian year `year`; -1 when the span does not number it.
    int find(int year, int number, bool leap) const;

    // Lets month `index` begin on `day` instead, as a published almanac has it: the month before it
    // ends the day before. Both months must keep 29 or 30 days and their solar terms, so that the
    // numbers and the leap month stay as the rule gave them; throws otherwise.
    void moveFirstDay(int index, long day);

private:
    std::vector<LunarMonth> months_;
    std::set<long> zhongqiDays_;
    bool holdsZhongqi(const LunarMonth& m) const;
};

}  // namespace calgen
