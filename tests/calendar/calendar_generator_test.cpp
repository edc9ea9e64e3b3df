// The generator against published moments, and a stretch of the committed table regenerated.
#include "tests/calendar/calendar_table.h"
#include "tools/calendar-gen/astro_events.h"
#include "tools/calendar-gen/calendar_rows.h"
#include "tools/calendar-gen/civil_time.h"
#include "tools/calendar-gen/lunar_months.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <cstdlib>

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

TEST(CalendarGenerator, RegeneratesTheCommittedRowsOf2018To2020) {
    QString error;
    const auto table = caltest::loadCalendarRows(&error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const calgen::LunarMonths months(2016, 2022);
    const int first = (2018 - 1882) * 12 + 1;
    const int last = (2020 - 1882) * 12 + 12;
    const auto rows = calgen::buildCalendarRows(months, first, last);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(last - first + 1));
    bool sawRepeat = false;
    bool sawWithoutJie = false;
    for (const calgen::CalendarRow& g : rows) {
        const caltest::TableRow& t = table.at(static_cast<std::size_t>(g.id));
        const int generated[] = {g.nian, g.jieqiMonth, g.jieqiDay, g.jieqiHour, g.jieqiMinute, g.jieqiNday,
                                 g.zhongqiDay, g.zhongqiHour, g.zhongqiMinute, g.lmonth, g.ldays, g.ldaysA,
                                 g.leapFlag, g.shifouCF, g.thisyearjqd, g.thisyearjqh, g.thisyearjqm};
        const int committed[] = {t.Nian, t.JieqiMonth, t.JieqiDay, t.JieqiHour, t.JieqiMinute, t.JieqiNday,
                                 t.ZhongqiDay, t.ZhongqiHour, t.ZhongqiMinute, t.Lmonth, t.Ldays, t.LdaysA,
                                 t.leap(), t.shifouCF, t.ThisyearJQD, t.ThisyearJQH, t.ThisyearJQM};
        for (std::size_t c = 0; c < std::size(generated); ++c)
            EXPECT_EQ(generated[c], committed[c]) << "row " << g.id << " column " << c;
        sawRepeat = sawRepeat || g.shifouCF;
        sawWithoutJie = sawWithoutJie || g.ldaysA != 0;
    }
    EXPECT_TRUE(sawRepeat) << "the stretch holds the repeated month of January 2019";
    EXPECT_TRUE(sawWithoutJie);
}

}  // namespace
