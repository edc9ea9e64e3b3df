#pragma once
// The program's one date type: a day number counted from 1899-12-30 with the time as its fraction.
// Before that day the whole part counts days backwards while the fraction still runs forward through
// the day (-1.25 is 1899-12-29 06:00), so a value is split as trunc() and |fraction|.
#include <QDate>
#include <QDateTime>
#include <QString>

#include <compare>

namespace vb {

class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(double serial) : serial_(serial) {}

    constexpr double serial() const { return serial_; }

    // From calendar parts; the time parts may run over (hour 24 is the next day) as in DateSerial.
    static Date fromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static Date fromQDate(const QDate& d);
    static Date fromQDateTime(const QDateTime& dt);  // local wall time, no zone conversion
    static Date today();
    static Date now();

    QDate toQDate() const;
    QDateTime toQDateTime() const;  // in Qt::LocalTime wall time as stored

    int year() const { return toQDate().year(); }
    int month() const { return toQDate().month(); }
    int day() const { return toQDate().day(); }
    int hour() const;
    int minute() const;
    int second() const;
    // 1 = Sunday ... 7 = Saturday.
    int weekday() const;

    long dayNumber() const;    // the whole day, for both signs
    double timeOfDay() const;  // 0 <= t < 1
    Date datePart() const { return Date(static_cast<double>(dayNumber())); }

    int dayOfYear() const;

    Date addDays(double days) const;
    Date addSeconds(long long seconds) const;
    Date addMinutes(int minutes) const;
    Date addMonths(int months) const;  // day clamped to the month's end, time kept
    Date addYears(int years) const { return addMonths(years * 12); }

    static int daysInMonth(int year, int month);

    // Text forms, locale free: "yyyy-MM-dd", "yyyy-MM-dd hh:mm:ss", "hh:mm:ss". text() is the general
    // form: the date alone when the time is 0:00:00, the time alone when the day is 1899-12-30 (day
    // 0), both otherwise.
    QString text() const;
    QString dateText() const;
    QString dateTimeText() const;
    QString timeText() const;
    // Reads the forms above, also with one-digit parts and "/" or "." between the date parts
    // ("2001-5-3 9:5", "2001/5/3 9:0:11", "h:mm"); false when it is no date.
    static bool parse(const QString& text, Date* out);

    // Ordered by moment, not by serial: before 1899-12-30 a later time of the same day has a serial
    // nearer zero, so comparing serials would put 23:00 before 12:00.
    friend constexpr bool operator==(const Date&, const Date&) = default;
    friend std::partial_ordering operator<=>(const Date& a, const Date& b) { return a.moment() <=> b.moment(); }
    // The moment on one continuous scale (days since 1899-12-30, time as its fraction).
    double moment() const;

private:
    double serial_ = 0;
};

// The first day of the week for weekday, dateDiff and week numbers.
enum FirstDayOfWeek : int {
    vbUseSystemDayOfWeek = 0,  // taken as Sunday
    vbSunday = 1,
    vbMonday = 2,
    vbTuesday = 3,
    vbWednesday = 4,
    vbThursday = 5,
    vbFriday = 6,
    vbSaturday = 7,
};

// The first week of the year for week numbers.
enum FirstWeekOfYear : int {
    vbUseSystem = 0,       // taken as vbFirstJan1
    vbFirstJan1 = 1,       // the week that holds 1 January
    vbFirstFourDays = 2,   // the first week with at least four days in the year
    vbFirstFullWeek = 3,   // the first whole week of the year
};

// DateSerial: years 0..29 are 2000..2029 and 30..99 are 1930..1999; month and day run over into
// neighbouring months and years. Raises 5 outside the years 100..9999.
Date dateSerial(int year, int month, int day);
// TimeSerial: the time on day 0; parts run over (TimeSerial(25, 0, 0) is day 1, 1:00).
Date timeSerial(int hour, int minute, int second);

// Weekday(d, firstDay): 1 for the first day of the week ... 7.
int weekday(const Date& d, int firstDayOfWeek = vbSunday);

// The week of the year (1..54) holding d.
int weekOfYear(const Date& d, int firstDayOfWeek = vbSunday, int firstWeekOfYear = vbFirstJan1);

// DateAdd(interval, number, d) with the intervals "yyyy", "q", "m", "y", "d", "w", "ww", "h", "n",
// "s" (any case); `number` is rounded to a whole number, halves to even. Raises 5 for another
// interval or a result outside the years 100..9999.
Date dateAdd(const QString& interval, double number, const Date& d);

// DateDiff(interval, d1, d2): the number of interval boundaries from d1 to d2 ("d" counts
// midnights, "ww" the first days of the week, "w" whole weeks of days, "h" hour starts ...).
long long dateDiff(const QString& interval, const Date& d1, const Date& d2, int firstDayOfWeek = vbSunday);

}  // namespace vb
