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

    Date addDays(double days) const;
    Date addMinutes(int minutes) const;
    Date addMonths(int months) const;  // day clamped to the month's end, time kept

    // Text forms, locale free: "yyyy-MM-dd", "yyyy-MM-dd hh:mm:ss" (time part omitted when 0:00:00
    // in text()), "hh:mm:ss".
    QString text() const;
    QString dateText() const;
    QString dateTimeText() const;
    QString timeText() const;
    // Reads the forms above (also "yyyy/M/d", "yyyy-M-d h:mm" and "h:mm"); false when it is no date.
    static bool parse(const QString& text, Date* out);

    friend constexpr auto operator<=>(const Date&, const Date&) = default;

private:
    double serial_ = 0;
};

}  // namespace vb
