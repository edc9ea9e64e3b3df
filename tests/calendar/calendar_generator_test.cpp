// The generator against published moments, stretches of the committed table regenerated, and the
// almanac corrections applied over the astronomy.
#include "tests/calendar/calendar_table.h"
#include "tools/calendar-gen/almanac_corrections.h"
#include "tools/calendar-gen/astro_events.h"
#include "tools/calendar-gen/calendar_rows.h"
#include "tools/calendar-gen/civil_time.h"
#include "tools/calendar-gen/lunar_months.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

double julianDay(int y, int m, int d) { return static_cast<double>(calgen::dayNumber({y, m, d})) - 0.5; }

QDateTime beijing(double jde) {
    const calgen::CivilMoment m = calgen::beijingTime(jde);
    return QDateTime(QDate(m.date.year, m.date.month, m.date.day), QTime(m.hour, m.minute), Qt::UTC);
}

struct Published {
    const char* what;
    double jde;       // the generator's moment
    const char* utc;  // as the almanacs give it, to the minute
};

TEST(CalendarGenerator, MeetsPublishedTermsAndNewMoonsToTheMinute) {
    auto newMoonNear = [](int y, int m, int d) { return calgen::newMoons(julianDay(y, m, d) - 1, julianDay(y, m, d) + 1).at(0); };
    const Published cases[] = {
        {"冬至 2000", calgen::zhongqiMoment(2000, 12), "2000-12-21 13:37"},
        {"春分 2024", calgen::zhongqiMoment(2024, 3), "2024-03-20 03:06"},
        {"夏至 2017", calgen::zhongqiMoment(2017, 6), "2017-06-21 04:24"},
        {"new moon 2000-01", newMoonNear(2000, 1, 6), "2000-01-06 18:14"},
        {"new moon 2017-08 (eclipse)", newMoonNear(2017, 8, 21), "2017-08-21 18:30"},
    };
    for (const Published& p : cases) {
        const QDateTime utc = QDateTime::fromString(QString::fromLatin1(p.utc), QStringLiteral("yyyy-MM-dd HH:mm"));
        const QDateTime expected(utc.date(), utc.time(), Qt::UTC);
        const qint64 minutes = expected.addSecs(8 * 3600).secsTo(beijing(p.jde)) / 60;
        EXPECT_LE(std::llabs(minutes), 1) << p.what << ": " << beijing(p.jde).toString(Qt::ISODate).toStdString();
    }
}

// The cells where generated rows differ from the committed table, as "row:column".
std::vector<std::string> differingCells(const std::vector<calgen::CalendarRow>& rows,
                                        const std::vector<caltest::TableRow>& table) {
    static const char* const kColumns[] = {"Nian", "JieqiMonth", "JieqiDay", "JieqiHour", "JieqiMinute", "JieqiNday",
                                           "ZhongqiDay", "ZhongqiHour", "ZhongqiMinute", "Lmonth", "Ldays", "LdaysA",
                                           "LeapFlag", "shifouCF", "thisyearjqd", "thisyearjqh", "thisyearjqm"};
    std::vector<std::string> cells;
    for (const calgen::CalendarRow& g : rows) {
        const caltest::TableRow& t = table.at(static_cast<std::size_t>(g.id));
        const int generated[] = {g.nian, g.jieqiMonth, g.jieqiDay, g.jieqiHour, g.jieqiMinute, g.jieqiNday,
                                 g.zhongqiDay, g.zhongqiHour, g.zhongqiMinute, g.lmonth, g.ldays, g.ldaysA,
                                 g.leapFlag, g.shifouCF, g.thisyearjqd, g.thisyearjqh, g.thisyearjqm};
        const int committed[] = {t.Nian, t.JieqiMonth, t.JieqiDay, t.JieqiHour, t.JieqiMinute, t.JieqiNday,
                                 t.ZhongqiDay, t.ZhongqiHour, t.ZhongqiMinute, t.Lmonth, t.Ldays, t.LdaysA,
                                 t.leap(), t.shifouCF, t.ThisyearJQD, t.ThisyearJQH, t.ThisyearJQM};
        static_assert(std::size(generated) == std::size(kColumns));
        for (std::size_t c = 0; c < std::size(generated); ++c)
            if (generated[c] != committed[c]) cells.push_back(std::to_string(g.id) + ":" + kColumns[c]);
    }
    return cells;
}

std::vector<caltest::TableRow> committedTable() {
    QString error;
    auto table = caltest::loadCalendarRows(&error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return table;
}

int firstId(int year) { return (year - 1882) * 12 + 1; }
int lastId(int year) { return (year - 1882) * 12 + 12; }

TEST(CalendarGenerator, RegeneratesTheCommittedRowsOf2018To2020) {
    const auto table = committedTable();
    ASSERT_FALSE(table.empty());
    const calgen::LunarMonths months(2016, 2022);
    const auto rows = calgen::buildCalendarRows(months, firstId(2018), lastId(2020));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(lastId(2020) - firstId(2018) + 1));
    EXPECT_EQ(differingCells(rows, table), std::vector<std::string>{});
    bool sawRepeat = false;
    bool sawWithoutJie = false;
    for (const calgen::CalendarRow& g : rows) {
        sawRepeat = sawRepeat || g.shifouCF;
        sawWithoutJie = sawWithoutJie || g.ldaysA != 0;
    }
    EXPECT_TRUE(sawRepeat) << "the stretch holds the repeated month of January 2019";
    EXPECT_TRUE(sawWithoutJie);
}

// The almanac's first days change the lengths of the corrected month and the one before, and the
// lunar day of the jie they hold: nothing else, and no solar term.
TEST(CalendarGenerator, TheAlmanacCorrectionsMoveOnlyTheirOwnMonths) {
    const auto table = committedTable();
    ASSERT_FALSE(table.empty());
    struct Span {
        int year;
        std::vector<std::string> astronomyDiffers;
    };
    const Span spans[] = {
        {1887, {"63:Ldays", "64:JieqiNday", "64:Ldays"}},
        {1906, {"292:Ldays", "293:JieqiNday", "293:Ldays"}},
    };
    for (const Span& span : spans) {
        calgen::LunarMonths months(span.year - 2, span.year + 2);
        const auto astronomical = calgen::buildCalendarRows(months, firstId(span.year - 1), lastId(span.year + 1));
        EXPECT_EQ(differingCells(astronomical, table), span.astronomyDiffers) << span.year;
        EXPECT_EQ(calgen::applyAlmanacCorrections(months), 1) << span.year;
        const auto corrected = calgen::buildCalendarRows(months, firstId(span.year - 1), lastId(span.year + 1));
        EXPECT_EQ(differingCells(corrected, table), std::vector<std::string>{}) << span.year;
    }
}

TEST(CalendarGenerator, ACorrectionThatWouldMoveASolarTermOrMakeABadLengthIsRefused) {
    calgen::LunarMonths months(1886, 1888);
    const int march = months.find(1887, 3, false);
    ASSERT_GT(march, 0);
    EXPECT_EQ(months.find(1887, 5, true), -1);
    const long first = months.months()[static_cast<std::size_t>(march)].firstDay;
    EXPECT_THROW(months.moveFirstDay(march, first + 2), std::runtime_error);  // 二月 of 31 days
    EXPECT_THROW(months.moveFirstDay(march, first - 1), std::runtime_error);  // 二月 of 28 days
    EXPECT_EQ(months.months()[static_cast<std::size_t>(march)].firstDay, first) << "a refused move changes nothing";
    // 立春 1905 falls on 正月初一 (1905-02-04, after a 腊月 of 29 days): a 正月 begun a day later would
    // leave its jie to 腊月.
    calgen::LunarMonths months1905(1904, 1906);
    const int newYear = months1905.find(1905, 1, false);
    ASSERT_GT(newYear, 0);
    ASSERT_EQ(months1905.months()[static_cast<std::size_t>(newYear)].firstDay, calgen::dayNumber({1905, 2, 4}));
    ASSERT_EQ(months1905.months()[static_cast<std::size_t>(newYear) - 1].length, 29);
    EXPECT_THROW(months1905.moveFirstDay(newYear, calgen::dayNumber({1905, 2, 5})), std::runtime_error);
    // 夏至 2001 falls on 五月初一 (2001-06-21, after a leap 四月 of 29 days): a 五月 begun a day later
    // would give the leap month a zhongqi.
    calgen::LunarMonths months2001(2000, 2002);
    const int fifth = months2001.find(2001, 5, false);
    ASSERT_GT(fifth, 0);
    ASSERT_EQ(months2001.months()[static_cast<std::size_t>(fifth)].firstDay, calgen::dayNumber({2001, 6, 21}));
    ASSERT_TRUE(months2001.months()[static_cast<std::size_t>(fifth) - 1].leap);
    ASSERT_EQ(months2001.months()[static_cast<std::size_t>(fifth) - 1].length, 29);
    EXPECT_THROW(months2001.moveFirstDay(fifth, calgen::dayNumber({2001, 6, 22})), std::runtime_error);
}

}  // namespace
