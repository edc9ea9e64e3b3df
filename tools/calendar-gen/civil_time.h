#pragma once
// Civil dates and times of China Standard Time (UTC+8), the time of the calendar for every year.

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

}  // namespace calgen
