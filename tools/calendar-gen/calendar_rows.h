#pragma once
// The rows of table Calendar: one per Gregorian month, ID = (year − 1882) × 12 + month.

#include "tools/calendar-gen/lunar_months.h"

#include <iosfwd>
#include <vector>

namespace calgen {

struct CalendarRow {
    int id = 0;
    int nian = 0;          // Gregorian year of the row's month
    int jieqiMonth = 0;    // Gregorian month 1–12
    int jieqiDay = 0;      // the jie term (节) of the month, UTC+8, minutes cut
    int jieqiHour = 0;
    int jieqiMinute = 0;
    int jieqiNday = 0;     // lunar day of the jie day, 1 = 初一 of the month that holds it
    int zhongqiDay = 0;    // the zhongqi term (中气) of the month
    int zhongqiHour = 0;
    int zhongqiMinute = 0;
    int lmonth = 0;        // number of the lunar month that holds the jie
    int ldays = 0;         // its length
    int ldaysA = 0;        // length of a month without jie between the previous row's month and this one, else 0
    bool leapFlag = false; // the month that holds the jie is a leap month
    bool shifouCF = false; // the month that holds the jie also holds the previous row's jie
    int thisyearjqd = 0;   // 立春 of the year `nian`: day of February, hour, minute
    int thisyearjqh = 0;
    int thisyearjqm = 0;
};

// Rows `firstId` … `lastId`; `months` must span the jie of the month before `firstId` to that of
// `lastId`. Throws when the months and terms do not fit the table's layout.
std::vector<CalendarRow> buildCalendarRows(const LunarMonths& months, int firstId, int lastId);

void writeCsv(std::ostream& out, const std::vector<CalendarRow>& rows);

}  // namespace calgen
