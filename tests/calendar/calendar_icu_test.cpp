// Every day from 1882-02-18 to 2032-12-31 against ICU's Chinese calendar. The two disagree for two
// reasons, and each stretch where they do is listed with its reason and the moment that settles it,
// recomputed here; any other difference fails.
// - ICU's astronomy is coarser (it misses by up to a quarter of an hour), so where a new moon or a
//   zhongqi falls within minutes of midnight UTC+8 the two calendars put it on different days.
// - ICU reckons days in UTC+8 for every year; the official calendar reckoned them at the Beijing
//   meridian (UTC+7:45:40) until the end of 1928, so a new moon or zhongqi between 00:00 and 00:14:20
//   UTC+8 before 1929 falls on the day before, and so does the table's.
// A third reason brings two such months back to ICU's day: where the Qing almanac published another
// first day than the meridian gives, the table follows the almanac (the generator's corrections).
// Those months are listed apart, each with the moment that the meridian alone would have moved.
#include "tests/calendar/calendar_table.h"
#include "tools/calendar-gen/almanac_corrections.h"
#include "tools/calendar-gen/astro_events.h"
#include "tools/calendar-gen/civil_time.h"

#include <gtest/gtest.h>

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <QDate>

#include <cmath>
#include <memory>
#include <vector>

namespace {

enum class Event { NewMoon, Zhongqi };
enum class Reason { IcuAstronomy, BeijingMeridian };

struct KnownDifference {
    const char* first;  // the stretch of days on which ICU disagrees
    const char* last;
    Event event;
    const char* moment;  // UTC+8, seconds cut
    Reason reason;
};

// ICU starts the month a day early or late, or (for a zhongqi) places the leap month one month
// off. For 1987 and 2012–2030 the official calendars agree with the table; before 1929 the meridian
// decides (the new year of 1896 among them).
constexpr KnownDifference kKnownDifferences[] = {
    {"1890-01-21", "1890-04-18", Event::Zhongqi, "1890-02-18 23:58:56", Reason::IcuAstronomy},  // 雨水: leap 二月, not 腊月
    {"1896-02-13", "1896-03-13", Event::NewMoon, "1896-02-14 00:12:30", Reason::BeijingMeridian},  // 正月初一 on 02-13
    {"1897-07-29", "1897-08-27", Event::NewMoon, "1897-07-29 23:57:45", Reason::IcuAstronomy},
    {"1917-03-23", "1917-05-20", Event::Zhongqi, "1917-04-21 00:17:27", Reason::IcuAstronomy},  // 谷雨: leap 二月, not 三月
    {"1922-06-25", "1922-08-22", Event::Zhongqi, "1922-07-24 00:19:42", Reason::IcuAstronomy},  // 大暑: leap 五月, not 六月
    {"1954-02-03", "1954-03-04", Event::NewMoon, "1954-02-03 23:55:22", Reason::IcuAstronomy},
    {"1955-02-22", "1955-03-23", Event::NewMoon, "1955-02-22 23:54:16", Reason::IcuAstronomy},
    {"1987-07-26", "1987-09-22", Event::Zhongqi, "1987-08-24 00:09:51", Reason::IcuAstronomy},  // 处暑: leap 六月, not 七月
    {"1999-01-17", "1999-02-15", Event::NewMoon, "1999-01-17 23:46:04", Reason::IcuAstronomy},
    {"2012-08-17", "2012-09-15", Event::NewMoon, "2012-08-17 23:54:25", Reason::IcuAstronomy},
    {"2018-11-07", "2018-12-06", Event::NewMoon, "2018-11-08 00:02:02", Reason::IcuAstronomy},
    {"2027-02-06", "2027-03-07", Event::NewMoon, "2027-02-06 23:56:06", Reason::IcuAstronomy},
    {"2030-02-02", "2030-03-03", Event::NewMoon, "2030-02-03 00:07:31", Reason::IcuAstronomy},
};

// The months whose first day the published almanac gives one day after the meridian's: the table
// has the almanac's day, which is ICU's, so they are no difference; the stretch the meridian alone
// would have made is given with its new moon.
struct AlmanacMonth {
    const char* first;  // 初一 as published
    const char* last;   // the last day of the stretch the meridian alone would differ on
    const char* moment;  // the new moon, UTC+8, seconds cut
};
constexpr AlmanacMonth kAlmanacMonths[] = {
    {"1887-03-25", "1887-04-22", "1887-03-25 00:09:42"},  // 丁亥年三月: 二月 of 30 days
    {"1906-04-24", "1906-05-22", "1906-04-24 00:06:25"},  // 丙午年四月: 三月 of 30 days
};

QString momentText(double jde) {
    const calgen::CivilMoment m = calgen::beijingTime(jde);
    const int s = static_cast<int>(std::floor(m.secondsOfDay));
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(m.date.year, 4, 10, QLatin1Char('0'))
        .arg(m.date.month, 2, 10, QLatin1Char('0'))
        .arg(m.date.day, 2, 10, QLatin1Char('0'))
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

double julianDay(const QDate& d) { return static_cast<double>(d.toJulianDay()) - 0.5; }

struct Stretch {
    QDate first, last;
};

QDate isoDate(const char* text) { return QDate::fromString(QString::fromLatin1(text), Qt::ISODate); }

std::unique_ptr<icu::Calendar> icuChineseCalendar(UErrorCode& status) {
    return std::unique_ptr<icu::Calendar>(icu::Calendar::createInstance(icu::TimeZone::createTimeZone("GMT"),
                                                                        icu::Locale("zh@calendar=chinese"), status));
}

struct IcuDay {
    int month = 0;
    bool leap = false;
    int day = 0;
};

IcuDay icuDayOf(icu::Calendar& cal, const QDate& d, UErrorCode& status) {
    // Noon of the civil day; the calendar's own zone is GMT, so the day is d.
    const UDate noon = (static_cast<double>(d.toJulianDay() - 2440588) * 86400.0 + 43200.0) * 1000.0;
    cal.setTime(noon, status);
    return {cal.get(UCAL_MONTH, status) + 1, cal.get(UCAL_IS_LEAP_MONTH, status) != 0, cal.get(UCAL_DATE, status)};
}

TEST(CalendarAgainstIcu, DiffersOnlyOnTheListedDaysNearMidnightEvents) {
    QString error;
    const auto rows = caltest::loadCalendarRows(&error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const auto months = caltest::walkMonths(rows);

    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Calendar> icuCal = icuChineseCalendar(status);
    ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);

    std::vector<Stretch> differences;
    const QDate last(2032, 12, 31);
    for (QDate d(1882, 2, 18); d <= last; d = d.addDays(1)) {
        const caltest::LunarDay ours = caltest::lunarDayOf(months, d);
        ASSERT_GT(ours.day, 0) << d.toString(Qt::ISODate).toStdString();
        const IcuDay icu = icuDayOf(*icuCal, d, status);
        ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
        if (icu.month == ours.month && icu.leap == ours.leap && icu.day == ours.day) continue;
        if (!differences.empty() && differences.back().last.addDays(1) == d) differences.back().last = d;
        else differences.push_back({d, d});
    }

    std::vector<Stretch> expected;
    for (const KnownDifference& k : kKnownDifferences)
        expected.push_back({isoDate(k.first), isoDate(k.last)});
    QStringList found;
    for (const Stretch& s : differences) found << s.first.toString(Qt::ISODate) + " .. " + s.last.toString(Qt::ISODate);
    ASSERT_EQ(differences.size(), expected.size()) << found.join('\n').toStdString();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(differences[i].first, expected[i].first) << found.join('\n').toStdString();
        EXPECT_EQ(differences[i].last, expected[i].last) << found.join('\n').toStdString();
    }
}

TEST(CalendarAgainstIcu, EachListedMomentBearsOutItsReason) {
    for (const KnownDifference& k : kKnownDifferences) {
        const QString listed = QString::fromLatin1(k.moment);
        const QDate day = QDate::fromString(listed.left(10), Qt::ISODate);
        double jde = 0;
        if (k.event == Event::NewMoon) {
            const auto moons = calgen::newMoons(julianDay(day) - 2, julianDay(day) + 2);
            ASSERT_EQ(moons.size(), 1u) << k.moment;
            jde = moons.front();
        } else {
            // The zhongqi of the Gregorian month it falls in.
            jde = calgen::zhongqiMoment(day.year(), day.month());
        }
        EXPECT_EQ(momentText(jde).toStdString(), listed.toStdString());
        const calgen::CivilMoment utc8 = calgen::beijingTime(jde);
        if (k.reason == Reason::IcuAstronomy) {
            EXPECT_LT(std::min(utc8.secondsOfDay, 86400.0 - utc8.secondsOfDay), 20 * 60.0) << k.moment;
            EXPECT_EQ(calgen::calendarDay(jde), utc8.day) << k.moment << ": the meridian does not move it";
        } else {
            EXPECT_LT(utc8.date.year, 1929) << k.moment;
            EXPECT_LT(utc8.secondsOfDay, 14 * 60 + 20.0) << k.moment;
            EXPECT_EQ(calgen::calendarDay(jde), utc8.day - 1) << k.moment << ": the Beijing meridian puts it a day earlier";
        }
    }
}

TEST(CalendarAgainstIcu, TheAlmanacsMonthsMeetIcuWhereTheMeridianAloneWouldNot) {
    const auto corrections = calgen::almanacCorrections();
    ASSERT_EQ(corrections.size(), std::size(kAlmanacMonths));
    QString error;
    const auto months = caltest::walkMonths(caltest::loadCalendarRows(&error));
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Calendar> icuCal = icuChineseCalendar(status);
    ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    for (std::size_t i = 0; i < corrections.size(); ++i) {
        const AlmanacMonth& a = kAlmanacMonths[i];
        const calgen::CivilDate& published = corrections[i].firstDay;
        const QDate first = isoDate(a.first);
        ASSERT_EQ(first, QDate(published.year, published.month, published.day)) << a.first;
        const caltest::LunarDay ours = caltest::lunarDayOf(months, first);
        EXPECT_EQ(ours.month, corrections[i].month) << a.first;
        EXPECT_EQ(ours.day, 1) << a.first;
        // ICU's month begins on the almanac's day and runs to the end of the stretch with ours.
        for (QDate d = first.addDays(-1); d <= isoDate(a.last).addDays(1); d = d.addDays(1)) {
            const caltest::LunarDay day = caltest::lunarDayOf(months, d);
            const IcuDay icu = icuDayOf(*icuCal, d, status);
            ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
            EXPECT_TRUE(icu.month == day.month && icu.leap == day.leap && icu.day == day.day) << d.toString(Qt::ISODate).toStdString();
        }
        EXPECT_EQ(icuDayOf(*icuCal, first, status).day, 1) << a.first;
        // The new moon falls just after midnight UTC+8, which the meridian puts on the day before.
        const auto moons = calgen::newMoons(julianDay(first) - 2, julianDay(first) + 2);
        ASSERT_EQ(moons.size(), 1u) << a.first;
        EXPECT_EQ(momentText(moons.front()).toStdString(), std::string(a.moment));
        const calgen::CivilMoment utc8 = calgen::beijingTime(moons.front());
        EXPECT_EQ(utc8.day, calgen::dayNumber(published)) << a.first;
        EXPECT_EQ(calgen::calendarDay(moons.front()), utc8.day - 1) << a.first << ": the meridian alone puts it a day earlier";
    }
}

}  // namespace
