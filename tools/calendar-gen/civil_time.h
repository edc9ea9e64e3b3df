#pragma once
// Civil dates and times. Solar-term moments are shown in China Standard Time (UTC+8) for every year;
// the calendar's days were reckoned at the Beijing meridian (116°25′ E, UTC+7:45:40) until the end of
// 1928 and at 120° E (UTC+8) from 1929.

namespace calgen {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Day numbers are Julian day numbers of the civil date (the day that begins at local midnight).
long dayNumber(const CivilDate& d);
CivilDate civilDate(long dayNumber);
int daysInMonth(int year, int month);

// A moment of dynamical time in UTC+8: the civil day, the time of day cut to the minute, and the
// seconds of the day for reporting.
struct CivilMoment {
    long day = 0;
    CivilDate date;
    int hour = 0;
    int minute = 0;
    double secondsOfDay = 0;
};

CivilMoment beijingTime(double jde);

// The day number of the civil day on which the official calendar of the time put the moment: by
// the Beijing meridian before 1929, by UTC+8 from 1929 on. A new moon or zhongqi between 00:00 and
// 00:14:20 UTC+8 before 1929 falls on the day before its UTC+8 day.
long calendarDay(double jde);

// The first day reckoned at 120° E.
inline constexpr long kFirstDayAt120East = 2425613;  // 1929-01-01

}  // namespace calgen
