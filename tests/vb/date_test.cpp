// The date type: serials around 1899-12-30 (negative ones too), date functions and text forms.
#include "tests/support/error_number.h"
#include "platform/vb/date.h"
#include "platform/vb/error.h"

#include "tests/vb/print.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vb;

namespace {

using testenv::errorOf;

struct SerialCase {
    double serial;
    const char* text;  // the general text form
};

// Before day 0 the whole part counts backwards while the fraction runs forward through the day.
const SerialCase kSerials[] = {
    {0, "00:00:00"},
    {1, "1899-12-31"},
    {-1, "1899-12-29"},
    {2, "1900-01-01"},
    {0.25, "06:00:00"},
    {-0.25, "06:00:00"},
    {-1.25, "1899-12-29 06:00:00"},
    {-1.75, "1899-12-29 18:00:00"},
    {-2.5, "1899-12-28 12:00:00"},
    {36526, "2000-01-01"},
    {36526.5, "2000-01-01 12:00:00"},
    {-657434, "0100-01-01"},
    {2958465.99998843, "9999-12-31 23:59:59"},
    {-2.9999999999, "1899-12-29"},  // rounds up to the next calendar day, not back
    {36526.99999999, "2000-01-02"},
};

TEST(VbDateSerial, TextOfSerialsAroundTheEpoch) {
    for (const auto& c : kSerials) {
        SCOPED_TRACE(c.serial);
        EXPECT_EQ(Date(c.serial).text(), QString::fromLatin1(c.text));
    }
}

TEST(VbDateSerial, TimeRoundingUpMovesForwardInTheCalendar) {
    EXPECT_EQ(Date(-1.9999999999).toQDate(), QDate(1899, 12, 30));
    EXPECT_EQ(Date(-0.9999999999).toQDate(), QDate(1899, 12, 31));
    EXPECT_EQ(Date(-1.9999999999).hour(), 0);
}

TEST(VbDateSerial, OrderFollowsTheMomentOnBothSidesOfTheEpoch) {
    // Serials before 1899-12-30 run backwards within a day; the order must not.
    const vb::Date morning = vb::Date::fromParts(1882, 3, 1, 6, 0);
    const vb::Date noon = vb::Date::fromParts(1882, 3, 1, 12, 0);
    const vb::Date lateEve = vb::Date::fromParts(1882, 2, 28, 23, 59);
    EXPECT_LT(lateEve, morning);
    EXPECT_LT(morning, noon);
    EXPECT_LT(noon, vb::Date::fromParts(1899, 12, 30, 0, 0));
    EXPECT_LT(vb::Date::fromParts(1899, 12, 29, 23, 0), vb::Date::fromParts(1899, 12, 30, 1, 0));
    EXPECT_EQ(morning, vb::Date::fromParts(1882, 3, 1, 6, 0));
}

TEST(VbDateSerial, PartsRoundTripThroughTheSerial) {
    struct PartsCase {
        int y, mo, d, h, mi, s;
        double serial;
    };
    const PartsCase cases[] = {
        {1899, 12, 30, 0, 0, 0, 0},       {1899, 12, 29, 6, 0, 0, -1.25}, {1899, 12, 30, 18, 0, 0, 0.75},
        {1900, 3, 1, 0, 0, 0, 61},        {1882, 2, 18, 0, 0, 0, -6524},  {2001, 5, 31, 23, 30, 0, 37042 + 23.5 / 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.serial);
        const Date d = Date::fromParts(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_NEAR(d.serial(), c.serial, 1e-9);
        EXPECT_EQ(d.year(), c.y);
        EXPECT_EQ(d.month(), c.mo);
        EXPECT_EQ(d.day(), c.d);
        EXPECT_EQ(d.hour(), c.h);
        EXPECT_EQ(d.minute(), c.mi);
        EXPECT_EQ(d.second(), c.s);
    }
}

TEST(VbDateSerial, MonthAndDayRunOverIntoNeighbours) {
    struct OverCase {
        int y, m, d;
        const char* text;
    };
    const OverCase cases[] = {
        {2001, 13, 1, "2002-01-01"}, {2001, 0, 1, "2000-12-01"},  {2001, -12, 1, "1999-12-01"},
        {2001, 3, 0, "2001-02-28"},  {2000, 3, 0, "2000-02-29"},  {2001, 1, 32, "2001-02-01"},
        {2001, 2, -1, "2001-01-30"}, {2001, 25, 1, "2003-01-01"}, {1, 1, 1, "2001-01-01"},
        {99, 12, 31, "1999-12-31"},  {29, 1, 1, "2029-01-01"},    {30, 1, 1, "1930-01-01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(dateSerial(c.y, c.m, c.d).text(), QString::fromLatin1(c.text));
    }
    EXPECT_EQ(errorOf([] { dateSerial(10000, 1, 1); }), kInvalidProcedureCall);
    EXPECT_EQ(timeSerial(25, 0, 0).text(), QStringLiteral("1899-12-31 01:00:00"));
    EXPECT_EQ(timeSerial(0, -1, 0).text(), QStringLiteral("1899-12-29 23:59:00"));
    EXPECT_EQ(Date::fromParts(2001, 5, 31, 24, 0, 0).text(), QStringLiteral("2001-06-01"));
}

TEST(VbDateFunctions, WeekdayCountsFromTheFirstDayOfTheWeek) {
    const Date sunday = Date::fromParts(2015, 2, 1);
    EXPECT_EQ(sunday.weekday(), 1);
    EXPECT_EQ(weekday(sunday.addDays(6)), 7);
    EXPECT_EQ(weekday(sunday, vbMonday), 7);
    EXPECT_EQ(weekday(sunday.addDays(1), vbMonday), 1);
    EXPECT_EQ(weekday(sunday, vbUseSystemDayOfWeek), 1);
    EXPECT_EQ(Date(0).weekday(), 7);      // 1899-12-30 was a Saturday
    EXPECT_EQ(Date(-1.5).weekday(), 6);   // and 1899-12-29 a Friday
    EXPECT_EQ(Date::fromParts(2001, 5, 31).weekday(), 5);
}

TEST(VbDateFunctions, DateAddByInterval) {
    struct AddCase {
        const char* interval;
        double n;
        Date from;
        const char* text;
    };
    const Date may31 = Date::fromParts(2001, 5, 31, 23, 30, 0);
    const AddCase cases[] = {
        {"n", 30, may31, "2001-06-01"},
        {"n", -1, Date(0), "1899-12-29 23:59:00"},
        {"h", 1, Date(-1.25), "1899-12-29 07:00:00"},
        {"h", 18, Date(-1.25), "00:00:00"},
        {"d", 1, may31, "2001-06-01 23:30:00"},
        {"d", 1, Date(-1.25), "06:00:00"},
        {"D", -1, Date(0.25), "1899-12-29 06:00:00"},
        {"ww", 1, Date::fromParts(2015, 2, 1), "2015-02-08"},
        {"w", -7, Date::fromParts(2015, 2, 8), "2015-02-01"},
        {"m", -1, Date::fromParts(2001, 3, 31), "2001-02-28"},
        {"m", 1, Date::fromParts(2001, 1, 31, 9, 5, 0), "2001-02-28 09:05:00"},
        {"m", 12, Date::fromParts(2000, 2, 29), "2001-02-28"},
        {"yyyy", 1, Date::fromParts(2000, 2, 29), "2001-02-28"},
        {"q", 1, Date::fromParts(2001, 11, 30), "2002-02-28"},
        {"s", 61, Date(0), "00:01:01"},
        {"d", 1.5, Date(0), "1900-01-01"},  // the count rounds half to even
        {"d", 2.5, Date(0), "1900-01-01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.interval) + " " + std::to_string(c.n) + " -> " + c.text);
        EXPECT_EQ(dateAdd(QString::fromLatin1(c.interval), c.n, c.from).text(), QString::fromLatin1(c.text));
    }
    EXPECT_EQ(errorOf([] { dateAdd(QStringLiteral("x"), 1, Date(0)); }), kInvalidProcedureCall);
    EXPECT_EQ(errorOf([] { dateAdd(QStringLiteral("yyyy"), 9000, Date::fromParts(2000, 1, 1)); }), kInvalidProcedureCall);
    EXPECT_EQ(Date(-1.25).addMinutes(-360).text(), QStringLiteral("1899-12-29"));
}

TEST(VbDateFunctions, DateDiffCountsBoundaries) {
    const Date a = Date::fromParts(2001, 1, 1, 23, 59, 0);
    const Date b = Date::fromParts(2001, 1, 2, 0, 1, 0);
    EXPECT_EQ(dateDiff(QStringLiteral("d"), a, b), 1);
    EXPECT_EQ(dateDiff(QStringLiteral("n"), a, b), 2);
    EXPECT_EQ(dateDiff(QStringLiteral("h"), a, b), 1);
    EXPECT_EQ(dateDiff(QStringLiteral("s"), a, b), 120);
    EXPECT_EQ(dateDiff(QStringLiteral("m"), Date::fromParts(2000, 12, 31), Date::fromParts(2001, 1, 1)), 1);
    EXPECT_EQ(dateDiff(QStringLiteral("yyyy"), Date::fromParts(2000, 12, 31), Date::fromParts(2001, 1, 1)), 1);
    EXPECT_EQ(dateDiff(QStringLiteral("d"), Date::fromParts(1882, 2, 18), Date::fromParts(1882, 2, 18)) + 1, 1);
    EXPECT_EQ(dateDiff(QStringLiteral("d"), Date(-1.75), Date(0.25)), 1);
    // Saturday to the next Sunday crosses one first day of the week, but is no whole week.
    EXPECT_EQ(dateDiff(QStringLiteral("ww"), Date::fromParts(2015, 1, 31), Date::fromParts(2015, 2, 1)), 1);
    EXPECT_EQ(dateDiff(QStringLiteral("w"), Date::fromParts(2015, 1, 31), Date::fromParts(2015, 2, 1)), 0);
    EXPECT_EQ(dateDiff(QStringLiteral("d"), b, a), -1);
}

TEST(VbDateFunctions, DaysInMonthAndWeekOfYear) {
    EXPECT_EQ(Date::daysInMonth(2000, 2), 29);
    EXPECT_EQ(Date::daysInMonth(1900, 2), 28);
    EXPECT_EQ(Date::daysInMonth(2001, 12), 31);
    EXPECT_EQ(weekOfYear(Date::fromParts(2015, 1, 1)), 1);
    EXPECT_EQ(weekOfYear(Date::fromParts(2015, 1, 4)), 2);  // 1 January 2015 was a Thursday
    EXPECT_EQ(weekOfYear(Date::fromParts(2015, 1, 4), vbMonday, vbFirstFourDays), 1);
    EXPECT_EQ(weekOfYear(Date::fromParts(2015, 12, 31), vbMonday, vbFirstFourDays), 53);
    EXPECT_EQ(weekOfYear(Date::fromParts(2014, 12, 29), vbMonday, vbFirstFourDays), 1);
    EXPECT_EQ(weekOfYear(Date::fromParts(2015, 1, 3), vbSunday, vbFirstFullWeek), 52);
}

TEST(VbDateText, FormsAreLocaleFree) {
    const Date d = Date::fromParts(2001, 5, 3, 9, 5, 0);
    EXPECT_EQ(d.dateText(), QStringLiteral("2001-05-03"));
    EXPECT_EQ(d.timeText(), QStringLiteral("09:05:00"));
    EXPECT_EQ(d.dateTimeText(), QStringLiteral("2001-05-03 09:05:00"));
    EXPECT_EQ(d.datePart().text(), QStringLiteral("2001-05-03"));
}

TEST(VbDateText, ParseReadsTheFormsTheProgramWrites) {
    struct ParseCase {
        const char* text;
        const char* general;  // nullptr: no date
    };
    const ParseCase cases[] = {
        {"2001-05-03", "2001-05-03"},
        {"2001-5-3 9:5", "2001-05-03 09:05:00"},
        {"2001-5-3 9:0:11", "2001-05-03 09:00:11"},
        {"2001/5/31 23:30", "2001-05-31 23:30:00"},
        {"1801-01-01", "1801-01-01"},
        {" 1899-12-29 06:00:00 ", "1899-12-29 06:00:00"},
        {"23:30", "23:30:00"},
        {"2001-2-29", nullptr},
        {"2001-5-3 24:00", nullptr},
        {"2001-5-3 9:60", nullptr},
        {"abc", nullptr},
        {"", nullptr},
        {"5-3-2001", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Date d(123);
        const bool ok = Date::parse(QString::fromLatin1(c.text), &d);
        EXPECT_EQ(ok, c.general != nullptr);
        if (c.general) {
            EXPECT_EQ(d.text(), QString::fromLatin1(c.general));
        }
    }
}

TEST(VbDateText, TextAndParseRoundTrip) {
    for (double s : {0.0, 0.5, -1.25, -657434.5, 36526.0, 37042.979166666664, 2958465.0}) {
        SCOPED_TRACE(s);
        Date back;
        ASSERT_TRUE(Date::parse(Date(s).text(), &back));
        EXPECT_NEAR(back.serial(), s, 1e-6);
    }
}

}  // namespace
