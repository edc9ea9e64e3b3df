#include "platform/vb/date.h"

#include "platform/vb/error.h"
#include "platform/vb/variant.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdlib>

namespace vb {

namespace {
// 1899-12-30 as a Julian day: a constant, so dates made during static initialisation are right.
constexpr qint64 kEpochJulianDay = 2415019;
constexpr QDate kEpoch = QDate::fromJulianDay(kEpochJulianDay);
constexpr long long kSecondsPerDay = 86400;

// A date as calendar days from 1899-12-30 and whole seconds into that day (0 .. 86399).
struct DaySeconds {
    long long days;
    long long seconds;
};

long long floorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

DaySeconds split(double serial) {
    const double whole = std::trunc(serial);
    long long days = static_cast<long long>(whole);
    long long seconds = std::llround(std::fabs(serial - whole) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        // A time that rounds up to midnight belongs to the next calendar day, whatever the sign.
        seconds = 0;
        ++days;
    }
    return {days, seconds};
}

// Before 1899-12-30 the whole part counts days backwards and the fraction still runs forward.
Date join(long long days, long long seconds) {
    days += floorDiv(seconds, kSecondsPerDay);
    seconds -= floorDiv(seconds, kSecondsPerDay) * kSecondsPerDay;
    const double fraction = static_cast<double>(seconds) / kSecondsPerDay;
    return Date(days < 0 ? static_cast<double>(days) - fraction : static_cast<double>(days) + fraction);
}

void checkRange(const Date& d) {
    const int y = d.year();
    if (y < 100 || y > 9999) raise(kInvalidProcedureCall);
}

int sundayBased(int firstDayOfWeek) { return firstDayOfWeek == vbUseSystemDayOfWeek ? vbSunday : firstDayOfWeek; }

// Calendar days from 1899-12-30 of the first day of the week that holds day `days`.
long long weekStart(long long days, int firstDayOfWeek) {
    const int wd = weekday(Date(static_cast<double>(days)), firstDayOfWeek);
    return days - (wd - 1);
}
}  // namespace

Date Date::fromParts(int year, int month, int day, int hour, int minute, int second) {
    // Month and day run over like DateSerial: month 13 is January of the next year, day 0 the last of
    // the previous month.
    int y = year + (month - 1) / 12;
    int m = (month - 1) % 12;
    if (m < 0) {
        m += 12;
        --y;
    }
    const QDate first(y, m + 1, 1);
    const long long days = kEpoch.daysTo(first) + (day - 1);
    return join(days, static_cast<long long>(hour) * 3600 + static_cast<long long>(minute) * 60 + second);
}

Date Date::fromQDate(const QDate& d) { return Date(static_cast<double>(kEpoch.daysTo(d))); }

Date Date::fromQDateTime(const QDateTime& dt) {
    const QTime t = dt.time();
    return fromParts(dt.date().year(), dt.date().month(), dt.date().day(), t.hour(), t.minute(), t.second());
}

Date Date::today() { return fromQDate(QDate::currentDate()); }

Date Date::now() { return fromQDateTime(QDateTime::currentDateTime()); }

double Date::moment() const { return static_cast<double>(dayNumber()) + timeOfDay(); }

long Date::dayNumber() const { return static_cast<long>(std::trunc(serial_)); }

double Date::timeOfDay() const { return std::fabs(serial_ - std::trunc(serial_)); }

QDate Date::toQDate() const { return kEpoch.addDays(split(serial_).days); }

QDateTime Date::toQDateTime() const {
    const DaySeconds ds = split(serial_);
    return QDateTime(kEpoch.addDays(ds.days), QTime(0, 0).addSecs(static_cast<int>(ds.seconds)));
}

int Date::hour() const { return static_cast<int>(split(serial_).seconds / 3600); }
int Date::minute() const { return static_cast<int>(split(serial_).seconds / 60 % 60); }
int Date::second() const { return static_cast<int>(split(serial_).seconds % 60); }
int Date::weekday() const { return vb::weekday(*this, vbSunday); }
int Date::dayOfYear() const { return toQDate().dayOfYear(); }

int Date::daysInMonth(int year, int month) { return QDate(year, month, 1).daysInMonth(); }

Date Date::addDays(double days) const {
    // Work on a continuous scale so that crossing 1899-12-30 keeps the time of day.
    const DaySeconds ds = split(serial_);
    const double continuous = static_cast<double>(ds.days) + static_cast<double>(ds.seconds) / kSecondsPerDay + days;
    const double whole = std::floor(continuous);
    return join(static_cast<long long>(whole), std::llround((continuous - whole) * kSecondsPerDay));
}

Date Date::addSeconds(long long seconds) const {
    const DaySeconds ds = split(serial_);
    return join(ds.days, ds.seconds + seconds);
}

Date Date::addMinutes(int minutes) const { return addSeconds(static_cast<long long>(minutes) * 60); }

Date Date::addMonths(int months) const {
    const DaySeconds ds = split(serial_);
    const QDate d = kEpoch.addDays(ds.days).addMonths(months);
    return join(kEpoch.daysTo(d), ds.seconds);
}

QString Date::dateText() const { return toQDate().toString(QStringLiteral("yyyy-MM-dd")); }

QString Date::timeText() const { return toQDateTime().time().toString(QStringLiteral("hh:mm:ss")); }

QString Date::dateTimeText() const { return dateText() + QLatin1Char(' ') + timeText(); }

QString Date::text() const {
    const DaySeconds ds = split(serial_);
    if (ds.days == 0) return timeText();
    return ds.seconds == 0 ? dateText() : dateTimeText();
}

bool Date::parse(const QString& text, Date* out) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(?:(\d{4})[-/.](\d{1,2})[-/.](\d{1,2}))?\s*(?:(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(4).isEmpty())) return false;
    int y = 1899, mo = 12, d = 30;
    if (!m.captured(1).isEmpty()) {
        y = m.captured(1).toInt();
        mo = m.captured(2).toInt();
        d = m.captured(3).toInt();
        if (!QDate::isValid(y, mo, d)) return false;
    }
    int h = 0, mi = 0, s = 0;
    if (!m.captured(4).isEmpty()) {
        h = m.captured(4).toInt();
        mi = m.captured(5).toInt();
        s = m.captured(6).isEmpty() ? 0 : m.captured(6).toInt();
        if (h > 23 || mi > 59 || s > 59) return false;
    }
    if (out) *out = fromParts(y, mo, d, h, mi, s);
    return true;
}

Date dateSerial(int year, int month, int day) {
    if (year >= 0 && year <= 29) year += 2000;
    else if (year >= 30 && year <= 99) year += 1900;
    const long long monthYear = year + floorDiv(month - 1LL, 12);
    if (monthYear < 1 || monthYear > 10000) raise(kInvalidProcedureCall);
    const Date d = Date::fromParts(year, month, day);
    checkRange(d);
    return d;
}

Date timeSerial(int hour, int minute, int second) {
    return join(0, static_cast<long long>(hour) * 3600 + static_cast<long long>(minute) * 60 + second);
}

int weekday(const Date& d, int firstDayOfWeek) {
    const int sunday1 = d.toQDate().dayOfWeek() % 7 + 1;  // Sunday 1 .. Saturday 7
    return (sunday1 - sundayBased(firstDayOfWeek) + 7) % 7 + 1;
}

int weekOfYear(const Date& d, int firstDayOfWeek, int firstWeekOfYear) {
    const QDate qd = d.toQDate();
    const long long day = kEpoch.daysTo(qd);
    // The first day of week 1 of a year.
    auto week1Start = [&](int year) {
        const long long jan1 = kEpoch.daysTo(QDate(year, 1, 1));
        const long long start = weekStart(jan1, firstDayOfWeek);
        const long long daysInYearInFirstWeek = start + 7 - jan1;
        switch (firstWeekOfYear) {
        case vbFirstFourDays:
            return daysInYearInFirstWeek >= 4 ? start : start + 7;
        case vbFirstFullWeek:
            return start == jan1 ? start : start + 7;
        default:
            return start;
        }
    };
    long long start = week1Start(qd.year());
    if (day < start) start = week1Start(qd.year() - 1);
    else if (firstWeekOfYear != vbFirstJan1 && firstWeekOfYear != vbUseSystem && day >= week1Start(qd.year() + 1))
        return 1;
    return static_cast<int>((day - start) / 7 + 1);
}

Date dateAdd(const QString& interval, double number, const Date& d) {
    const QString i = interval.trimmed().toLower();
    const long long n = clng(number);
    // Any count beyond these bounds leaves the years 100..9999 whatever the start.
    auto months = [&](long long per) {
        if (std::llabs(n) > 120000 / per) raise(kInvalidProcedureCall);
        return d.addMonths(static_cast<int>(n * per));
    };
    auto seconds = [&](long long per) {
        if (std::llabs(n) > 4000000LL * kSecondsPerDay / per) raise(kInvalidProcedureCall);
        return d.addSeconds(n * per);
    };
    Date r;
    if (i == QLatin1String("yyyy")) r = months(12);
    else if (i == QLatin1String("q")) r = months(3);
    else if (i == QLatin1String("m")) r = months(1);
    else if (i == QLatin1String("y") || i == QLatin1String("d") || i == QLatin1String("w")) r = seconds(kSecondsPerDay);
    else if (i == QLatin1String("ww")) r = seconds(7 * kSecondsPerDay);
    else if (i == QLatin1String("h")) r = seconds(3600);
    else if (i == QLatin1String("n")) r = seconds(60);
    else if (i == QLatin1String("s")) r = seconds(1);
    else raise(kInvalidProcedureCall);
    checkRange(r);
    return r;
}

long long dateDiff(const QString& interval, const Date& d1, const Date& d2, int firstDayOfWeek) {
    const QString i = interval.trimmed().toLower();
    const DaySeconds a = split(d1.serial());
    const DaySeconds b = split(d2.serial());
    const QDate qa = kEpoch.addDays(a.days);
    const QDate qb = kEpoch.addDays(b.days);
    const long long sa = a.days * kSecondsPerDay + a.seconds;
    const long long sb = b.days * kSecondsPerDay + b.seconds;
    if (i == QLatin1String("yyyy")) return qb.year() - qa.year();
    if (i == QLatin1String("q")) return (qb.year() * 4LL + (qb.month() - 1) / 3) - (qa.year() * 4LL + (qa.month() - 1) / 3);
    if (i == QLatin1String("m")) return (qb.year() * 12LL + qb.month()) - (qa.year() * 12LL + qa.month());
    if (i == QLatin1String("y") || i == QLatin1String("d")) return b.days - a.days;
    if (i == QLatin1String("w")) return (b.days - a.days) / 7;
    if (i == QLatin1String("ww"))
        return (weekStart(b.days, firstDayOfWeek) - weekStart(a.days, firstDayOfWeek)) / 7;
    if (i == QLatin1String("h")) return floorDiv(sb, 3600) - floorDiv(sa, 3600);
    if (i == QLatin1String("n")) return floorDiv(sb, 60) - floorDiv(sa, 60);
    if (i == QLatin1String("s")) return sb - sa;
    raise(kInvalidProcedureCall);
}

}  // namespace vb
