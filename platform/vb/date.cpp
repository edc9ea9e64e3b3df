#include "platform/vb/date.h"

#include <QRegularExpression>

#include <cmath>

namespace vb {

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kSecondsPerDay = 86400.0;

double serialFrom(long days, double fraction) {
    return days < 0 ? static_cast<double>(days) - fraction : static_cast<double>(days) + fraction;
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
    long days = kEpoch.daysTo(first) + (day - 1);
    long total = static_cast<long>(hour) * 3600 + static_cast<long>(minute) * 60 + second;
    long extraDays = total / 86400;
    total %= 86400;
    if (total < 0) {
        total += 86400;
        --extraDays;
    }
    days += extraDays;
    return Date(serialFrom(days, total / kSecondsPerDay));
}

Date Date::fromQDate(const QDate& d) { return Date(static_cast<double>(kEpoch.daysTo(d))); }

Date Date::fromQDateTime(const QDateTime& dt) {
    const QTime t = dt.time();
    return fromParts(dt.date().year(), dt.date().month(), dt.date().day(), t.hour(), t.minute(), t.second());
}

Date Date::today() { return fromQDate(QDate::currentDate()); }

Date Date::now() {
    QDateTime n = QDateTime::currentDateTime();
    return fromQDateTime(n);
}

long Date::dayNumber() const { return static_cast<long>(std::trunc(serial_)); }

double Date::timeOfDay() const { return std::fabs(serial_ - std::trunc(serial_)); }

QDate Date::toQDate() const {
    // A time that rounds up to a whole day belongs to the next day.
    long days = dayNumber();
    if (std::lround(timeOfDay() * kSecondsPerDay) >= 86400) days += serial_ < 0 ? -1 : 1;
    return kEpoch.addDays(days);
}

QDateTime Date::toQDateTime() const {
    long secs = std::lround(timeOfDay() * kSecondsPerDay);
    if (secs >= 86400) secs = 0;
    return QDateTime(toQDate(), QTime(0, 0).addSecs(static_cast<int>(secs)));
}

int Date::hour() const { return toQDateTime().time().hour(); }
int Date::minute() const { return toQDateTime().time().minute(); }
int Date::second() const { return toQDateTime().time().second(); }
int Date::weekday() const { return toQDate().dayOfWeek() % 7 + 1; }

Date Date::addDays(double days) const {
    // Work on a continuous scale so that crossing 1899-12-30 keeps the time of day.
    const QDateTime dt = toQDateTime();
    const double continuous = kEpoch.daysTo(dt.date()) + dt.time().msecsSinceStartOfDay() / 86400000.0 + days;
    const double whole = std::floor(continuous);
    const long secs = std::lround((continuous - whole) * kSecondsPerDay);
    return fromParts(1899, 12, 30 + static_cast<int>(whole), 0, 0, static_cast<int>(secs));
}

Date Date::addMinutes(int minutes) const { return addDays(minutes / 1440.0); }

Date Date::addMonths(int months) const {
    const QDateTime dt = toQDateTime();
    const QDate d = dt.date().addMonths(months);
    const QTime t = dt.time();
    return fromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

QString Date::dateText() const { return toQDate().toString(QStringLiteral("yyyy-MM-dd")); }

QString Date::timeText() const { return toQDateTime().time().toString(QStringLiteral("hh:mm:ss")); }

QString Date::dateTimeText() const { return dateText() + QLatin1Char(' ') + timeText(); }

QString Date::text() const {
    return toQDateTime().time() == QTime(0, 0) ? dateText() : dateTimeText();
}

bool Date::parse(const QString& text, Date* out) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(?:(\d{4})[-/.](\d{1,2})[-/.](\d{1,2}))?\s*(?:(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
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

}  // namespace vb
