#include "tools/calendar-gen/civil_time.h"

#include "tools/calendar-gen/delta_t.h"

#include <cmath>

namespace calgen {

long dayNumber(const CivilDate& d) {
    // Fliegel and Van Flandern, Gregorian calendar.
    const long a = (14 - d.month) / 12;
    const long y = d.year + 4800 - a;
    const long m = d.month + 12 * a - 3;
    return d.day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

CivilDate civilDate(long jdn) {
    const long a = jdn + 32044;
    const long b = (4 * a + 3) / 146097;
    const long c = a - 146097 * b / 4;
    const long d = (4 * c + 3) / 1461;
    const long e = c - 1461 * d / 4;
    const long m = (5 * e + 2) / 153;
    CivilDate out;
    out.day = static_cast<int>(e - (153 * m + 2) / 5 + 1);
    out.month = static_cast<int>(m + 3 - 12 * (m / 10));
    out.year = static_cast<int>(100 * b + d - 4800 + m / 10);
    return out;
}

int daysInMonth(int year, int month) {
    const int nextYear = month == 12 ? year + 1 : year;
    const int nextMonth = month == 12 ? 1 : month + 1;
    return static_cast<int>(dayNumber({nextYear, nextMonth, 1}) - dayNumber({year, month, 1}));
}

namespace {

double universalTime(double jde) { return jde - deltaTSeconds(decimalYear(jde)) / 86400.0; }

// Local mean time of the Beijing meridian, 116°25′ E: 7 h 45 min 40 s ahead of Greenwich.
constexpr double kBeijingMeridianOffsetDays = (7 * 3600 + 45 * 60 + 40) / 86400.0;

}  // namespace

long calendarDay(double jde) {
    const double ut = universalTime(jde);
    const long at120East = static_cast<long>(std::floor(ut + 8.0 / 24.0 + 0.5));
    if (at120East >= kFirstDayAt120East) return at120East;
    return static_cast<long>(std::floor(ut + kBeijingMeridianOffsetDays + 0.5));
}

CivilMoment beijingTime(double jde) {
    const double ut = universalTime(jde);
    const double local = ut + 8.0 / 24.0 + 0.5;  // days counted from the local midnight of day 0
    CivilMoment m;
    m.day = static_cast<long>(std::floor(local));
    m.secondsOfDay = (local - static_cast<double>(m.day)) * 86400.0;
    // Cut, never round: 23:59:59.6 stays on its day at 23:59.
    const int wholeMinutes = static_cast<int>(std::floor(m.secondsOfDay / 60.0));
    m.hour = wholeMinutes / 60;
    m.minute = wholeMinutes % 60;
    m.date = civilDate(m.day);
    return m;
}

}  // namespace calgen
