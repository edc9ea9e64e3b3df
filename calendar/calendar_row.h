#pragma once
// One loaded row of table Calendar, as the engine keeps it: sixteen 16-bit fields.
#include <cstdint>

namespace calendar {

struct CalendarRow {
    int16_t Nian = 0;
    int16_t JieqiMonth = 0;
    int16_t JieqiDay = 0;
    int16_t Lmonth = 0;
    int16_t JieqiNday = 0;
    int16_t JieqiHour = 0;
    int16_t JieqiMinute = 0;
    int16_t ZhongqiDay = 0;
    int16_t ZhongqiMinute = 0;
    int16_t ZhongqiHour = 0;
    int16_t Ldays = 0;
    int16_t LdaysA = 0;
    int16_t LeapFlag = 0;  // 0 false, -1 true
    int16_t ThisyearJQD = 0;
    int16_t ThisyearJQH = 0;
    int16_t ThisyearJQM = 0;
};

}  // namespace calendar
