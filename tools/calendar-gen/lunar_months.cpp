#include "tools/calendar-gen/lunar_months.h"

#include "tools/calendar-gen/astro_events.h"
#include "tools/calendar-gen/civil_time.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

namespace calgen {

LunarMonths::LunarMonths(int firstYear, int lastYear) {
    const double from = static_cast<double>(dayNumber({firstYear, 10, 1}));
    const double to = static_cast<double>(dayNumber({lastYear + 1, 2, 1}));
    const std::vector<double> moons = newMoons(from, to);
    for (std::size_t i = 0; i + 1 < moons.size(); ++i) {
        LunarMonth m;
        m.newMoonJde = moons[i];
        m.firstDay = calendarDay(moons[i]);
        m.length = static_cast<int>(calendarDay(moons[i + 1]) - m.firstDay);
        if (m.length != 29 && m.length != 30) throw std::runtime_error("lunar month of " + std::to_string(m.length) + " days");
        months_.push_back(m);
    }

    for (int y = firstYear; y <= lastYear + 1; ++y)
        for (int mo = 1; mo <= 12; ++mo) zhongqiDays_.insert(calendarDay(zhongqiMoment(y, mo)));
    for (LunarMonth& m : months_) m.hasZhongqi = holdsZhongqi(m);

    auto containing = [this](long day) {
        const auto it = std::upper_bound(months_.begin(), months_.end(), day,
                                         [](long d, const LunarMonth& m) { return d < m.firstDay; });
        if (it == months_.begin()) throw std::runtime_error("day before the first month");
        const int i = static_cast<int>(it - months_.begin()) - 1;
        if (day >= months_[i].firstDay + months_[i].length) throw std::runtime_error("day after the last month");
        return i;
    };

    for (int y = firstYear; y < lastYear; ++y) {
        const int a = containing(calendarDay(zhongqiMoment(y, 12)));
        const int b = containing(calendarDay(zhongqiMoment(y + 1, 12)));
        int leap = -1;
        if (b - a == 13) {
            for (int i = a + 1; i < b && leap < 0; ++i)
                if (!months_[i].hasZhongqi) leap = i;
            if (leap < 0) throw std::runtime_error("thirteen months without a month lacking zhongqi");
        } else if (b - a != 12) {
            throw std::runtime_error("not 12 or 13 months between two winter solstices");
        }
        months_[a].number = 11;
        months_[a].leap = false;
        for (int i = a + 1; i < b; ++i) {
            months_[i].leap = i == leap;
            months_[i].number = months_[i].leap ? months_[i - 1].number : months_[i - 1].number % 12 + 1;
        }
        if (months_[b - 1].number != 10) throw std::runtime_error("lunar year does not close with 十月");
    }
}

bool LunarMonths::holdsZhongqi(const LunarMonth& m) const {
    const auto it = zhongqiDays_.lower_bound(m.firstDay);
    return it != zhongqiDays_.end() && *it < m.firstDay + m.length;
}

int LunarMonths::find(int year, int number, bool leap) const {
    for (std::size_t i = 0; i < months_.size(); ++i) {
        const LunarMonth& first = months_[i];
        if (first.number != 1 || first.leap || civilDate(first.firstDay).year != year) continue;
        for (std::size_t j = i; j < months_.size() && j < i + 13; ++j) {
            if (j > i && months_[j].number == 1 && !months_[j].leap) break;
            if (months_[j].number == number && months_[j].leap == leap) return static_cast<int>(j);
        }
        return -1;
    }
    return -1;
}

void LunarMonths::moveFirstDay(int index, long day) {
    if (index <= 0 || index >= static_cast<int>(months_.size()))
        throw std::runtime_error("no month before the one to move");
    LunarMonth& before = months_[index - 1];
    LunarMonth& moved = months_[index];
    const long shift = day - moved.firstDay;
    const int beforeLength = before.length + static_cast<int>(shift);
    const int movedLength = moved.length - static_cast<int>(shift);
    const std::string where = "the month begun " + std::to_string(moved.firstDay);
    if (beforeLength < 29 || beforeLength > 30 || movedLength < 29 || movedLength > 30)
        throw std::runtime_error(where + ": moving it leaves a month of other than 29 or 30 days");
    // The days that change months: a solar term on one of them would change months too.
    const long from = std::min(moved.firstDay, day);
    const long to = std::max(moved.firstDay, day);
    const auto zhongqi = zhongqiDays_.lower_bound(from);
    if (zhongqi != zhongqiDays_.end() && *zhongqi < to) throw std::runtime_error(where + ": moving it moves a zhongqi into another month");
    for (int y = civilDate(from).year - 1; y <= civilDate(to).year; ++y)
        for (int mo = 1; mo <= 12; ++mo) {
            const long jie = calendarDay(jieMoment(y, mo));
            if (jie >= from && jie < to) throw std::runtime_error(where + ": moving it moves a jie into another month");
        }
    before.length = beforeLength;
    moved.firstDay = day;
    moved.length = movedLength;
}

int LunarMonths::indexOf(long day) const {
    const auto it = std::upper_bound(months_.begin(), months_.end(), day,
                                     [](long d, const LunarMonth& m) { return d < m.firstDay; });
    if (it == months_.begin()) throw std::runtime_error("day before the first lunar month");
    const int i = static_cast<int>(it - months_.begin()) - 1;
    if (day >= months_[i].firstDay + months_[i].length || months_[i].number == 0)
        throw std::runtime_error("day outside the numbered lunar months");
    return i;
}

}  // namespace calgen
