#include "tools/calendar-gen/calendar_rows.h"

#include "tools/calendar-gen/astro_events.h"
#include "tools/calendar-gen/civil_time.h"

#include <ostream>
#include <stdexcept>
#include <string>

namespace calgen {

// How the columns are filled where the table's readers leave it open:
// - Lmonth, Ldays, LeapFlag and JieqiNday all describe the lunar month that holds the civil day
//   (UTC+8) of the row's jie; a leap month keeps the number of the month it repeats.
// - A lunar month holds at least one solar term. One that holds no jie lies between two rows; it is
//   given to the later row as LdaysA, and it is never a leap month (a month without zhongqi always
//   holds a jie), so LdaysA carries only a length.
// - When one lunar month holds the jie of two consecutive Gregorian months, both rows describe it
//   and the later one has shifouCF set, so that the counting over the rows takes it once.
// - Rows 1 and 2 (January and February 1882) describe months of the lunar year 1881 in the same way;
//   the counting starts at row 3, whose month is 正月 1882 (begun 1882-02-18).
// - thisyearjqd/h/m repeat, in every row of a year, the 立春 of that year (the jie of its February).
// - Booleans are written as the engine stores them: -1 true, 0 false.
std::vector<CalendarRow> buildCalendarRows(const LunarMonths& months, int firstId, int lastId) {
    auto yearOf = [](int id) { return 1882 + (id - 1) / 12; };
    auto monthOf = [](int id) { return (id - 1) % 12 + 1; };
    auto jieOf = [&](int id) { return beijingTime(jieMoment(yearOf(id), monthOf(id))); };

    std::vector<CalendarRow> rows;
    int previousMonth = months.indexOf(jieOf(firstId - 1).day);
    for (int id = firstId; id <= lastId; ++id) {
        const int year = yearOf(id);
        const int month = monthOf(id);
        const CivilMoment jie = jieOf(id);
        const CivilMoment zhongqi = beijingTime(zhongqiMoment(year, month));
        const CivilMoment lichun = beijingTime(jieMoment(year, 2));
        const std::string where = "row " + std::to_string(id);
        if (jie.date.year != year || jie.date.month != month) throw std::runtime_error(where + ": jie outside its month");
        if (zhongqi.date.year != year || zhongqi.date.month != month)
            throw std::runtime_error(where + ": zhongqi outside its month");

        const int index = months.indexOf(jie.day);
        const LunarMonth& lm = months.months()[index];
        CalendarRow r;
        r.id = id;
        r.nian = year;
        r.jieqiMonth = month;
        r.jieqiDay = jie.date.day;
        r.jieqiHour = jie.hour;
        r.jieqiMinute = jie.minute;
        r.jieqiNday = static_cast<int>(jie.day - lm.firstDay) + 1;
        r.zhongqiDay = zhongqi.date.day;
        r.zhongqiHour = zhongqi.hour;
        r.zhongqiMinute = zhongqi.minute;
        r.lmonth = lm.number;
        r.ldays = lm.length;
        r.leapFlag = lm.leap;
        r.thisyearjqd = lichun.date.day;
        r.thisyearjqh = lichun.hour;
        r.thisyearjqm = lichun.minute;
        switch (index - previousMonth) {
        case 0:
            r.shifouCF = true;
            break;
        case 1:
            break;
        case 2: {
            const LunarMonth& between = months.months()[index - 1];
            if (between.leap) throw std::runtime_error(where + ": a leap month without jie");
            r.ldaysA = between.length;
            break;
        }
        default:
            throw std::runtime_error(where + ": two lunar months without jie in a row");
        }
        previousMonth = index;
        rows.push_back(r);
    }
    return rows;
}

void writeCsv(std::ostream& out, const std::vector<CalendarRow>& rows) {
    out << "ID,Nian,JieqiMonth,JieqiDay,JieqiHour,JieqiMinute,JieqiNday,ZhongqiDay,ZhongqiHour,ZhongqiMinute,"
           "Lmonth,Ldays,LdaysA,LeapFlag,shifouCF,thisyearjqd,thisyearjqh,thisyearjqm\n";
    auto flag = [](bool b) { return b ? -1 : 0; };
    for (const CalendarRow& r : rows) {
        out << r.id << ',' << r.nian << ',' << r.jieqiMonth << ',' << r.jieqiDay << ',' << r.jieqiHour << ','
            << r.jieqiMinute << ',' << r.jieqiNday << ',' << r.zhongqiDay << ',' << r.zhongqiHour << ','
            << r.zhongqiMinute << ',' << r.lmonth << ',' << r.ldays << ',' << r.ldaysA << ',' << flag(r.leapFlag)
            << ',' << flag(r.shifouCF) << ',' << r.thisyearjqd << ',' << r.thisyearjqh << ',' << r.thisyearjqm
            << '\n';
    }
}

}  // namespace calgen
