// The invariants of the Calendar table that the counting of SolarToLunar and the grid walk of
// LunarDateText rely on.
#include "tests/calendar/calendar_table.h"

#include <gtest/gtest.h>

#include <QDateTime>

namespace {

using caltest::TableRow;
using caltest::WalkedMonth;

constexpr int kRows = 1812;

class CalendarTable : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QString error;
        rows_ = caltest::loadCalendarRows(&error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        months_ = caltest::walkMonths(rows_);
    }
    static const TableRow& row(int id) { return rows_[static_cast<std::size_t>(id)]; }
    static QString where(int id) { return QStringLiteral("row %1 (%2-%3)").arg(id).arg(row(id).Nian).arg(row(id).JieqiMonth); }

    static inline std::vector<TableRow> rows_;
    static inline std::vector<WalkedMonth> months_;
};

QDateTime jieMoment(const TableRow& r) { return QDateTime(r.jieDate(), QTime(r.JieqiHour, r.JieqiMinute), Qt::UTC); }
QDateTime zhongqiMoment(const TableRow& r) {
    return QDateTime(r.zhongqiDate(), QTime(r.ZhongqiHour, r.ZhongqiMinute), Qt::UTC);
}

TEST_F(CalendarTable, HasOneRowForEveryMonthKeyFrom1882To2032) {
    ASSERT_EQ(rows_.size(), static_cast<std::size_t>(kRows + 1));
    for (int id = 1; id <= kRows; ++id) {
        EXPECT_EQ(row(id).id, id);
        EXPECT_EQ((row(id).Nian - 1882) * 12 + row(id).JieqiMonth, id) << where(id).toStdString();
        EXPECT_TRUE(row(id).JieqiMonth >= 1 && row(id).JieqiMonth <= 12) << where(id).toStdString();
    }
}

TEST_F(CalendarTable, EachTermFallsInItsRowsMonthAtAPlausibleSpacing) {
    for (int id = 1; id <= kRows; ++id) {
        const TableRow& r = row(id);
        ASSERT_TRUE(r.jieDate().isValid()) << where(id).toStdString();
        ASSERT_TRUE(r.zhongqiDate().isValid()) << where(id).toStdString();
        EXPECT_TRUE(r.JieqiHour >= 0 && r.JieqiHour < 24 && r.JieqiMinute >= 0 && r.JieqiMinute < 60);
        EXPECT_TRUE(r.ZhongqiHour >= 0 && r.ZhongqiHour < 24 && r.ZhongqiMinute >= 0 && r.ZhongqiMinute < 60);
        // Fifteen degrees of solar longitude take between 14.7 and 15.8 days.
        const qint64 half = jieMoment(r).secsTo(zhongqiMoment(r)) / 60;
        EXPECT_TRUE(half > 14.6 * 1440 && half < 15.8 * 1440) << where(id).toStdString() << " " << half;
        if (id < kRows) {
            const qint64 next = zhongqiMoment(r).secsTo(jieMoment(row(id + 1))) / 60;
            EXPECT_TRUE(next > 14.6 * 1440 && next < 15.8 * 1440) << where(id).toStdString() << " " << next;
        }
        const TableRow& february = row((r.Nian - 1882) * 12 + 2);
        EXPECT_EQ(r.ThisyearJQD, february.JieqiDay) << where(id).toStdString();
        EXPECT_EQ(r.ThisyearJQH, february.JieqiHour) << where(id).toStdString();
        EXPECT_EQ(r.ThisyearJQM, february.JieqiMinute) << where(id).toStdString();
    }
}

TEST_F(CalendarTable, LengthsMonthNumbersAndLunarDaysAreInRange) {
    for (int id = 1; id <= kRows; ++id) {
        const TableRow& r = row(id);
        EXPECT_TRUE(r.Ldays == 29 || r.Ldays == 30) << where(id).toStdString();
        EXPECT_TRUE(r.LdaysA == 0 || r.LdaysA == 29 || r.LdaysA == 30) << where(id).toStdString();
        EXPECT_TRUE(r.Lmonth >= 1 && r.Lmonth <= 12) << where(id).toStdString();
        EXPECT_TRUE(r.JieqiNday >= 1 && r.JieqiNday <= r.Ldays) << where(id).toStdString();
        EXPECT_FALSE(r.shifouCF && r.LdaysA != 0) << where(id).toStdString();
    }
}

TEST_F(CalendarTable, MonthStartsRunOnWithoutGapsFromTheNewYearOf1882) {
    EXPECT_EQ(row(3).monthStart(), QDate(1882, 2, 18));
    EXPECT_EQ(row(3).Lmonth, 1);
    EXPECT_FALSE(row(3).leap());
    EXPECT_EQ(row(3).LdaysA, 0) << "counting starts at row 3 with 正月 1882";
    for (int id = 2; id <= kRows; ++id) {
        const TableRow& prev = row(id - 1);
        const TableRow& r = row(id);
        if (r.shifouCF) {
            EXPECT_EQ(r.monthStart(), prev.monthStart()) << where(id).toStdString();
            EXPECT_EQ(r.Ldays, prev.Ldays) << where(id).toStdString();
            EXPECT_EQ(r.Lmonth, prev.Lmonth) << where(id).toStdString();
            EXPECT_EQ(r.leap(), prev.leap()) << where(id).toStdString();
        } else {
            EXPECT_EQ(prev.monthStart().addDays(prev.Ldays + r.LdaysA), r.monthStart()) << where(id).toStdString();
        }
    }
    // And the walk over Ldays and LdaysA alone puts every jie on its row's month and lunar day.
    for (int id = 3; id <= kRows; ++id) {
        const caltest::LunarDay d = caltest::lunarDayOf(months_, row(id).jieDate());
        EXPECT_EQ(d.month, row(id).Lmonth) << where(id).toStdString();
        EXPECT_EQ(d.leap, row(id).leap()) << where(id).toStdString();
        EXPECT_EQ(d.day, row(id).JieqiNday) << where(id).toStdString();
    }
}

TEST_F(CalendarTable, LunarYearsHaveTwelveMonthsAndALeapMonthOnlyByTheRule) {
    // Does a walked month hold a zhongqi of the table?
    std::vector<bool> hasZhongqi(months_.size(), false);
    for (int id = 3; id <= kRows; ++id) {
        const caltest::LunarDay d = caltest::lunarDayOf(months_, row(id).zhongqiDate());
        if (d.monthIndex >= 0) hasZhongqi[static_cast<std::size_t>(d.monthIndex)] = true;
    }
    std::vector<std::size_t> elevenths;
    for (std::size_t i = 1; i < months_.size(); ++i) {
        const WalkedMonth& m = months_[i];
        const WalkedMonth& before = months_[i - 1];
        EXPECT_EQ(m.number, m.leap ? before.number : before.number % 12 + 1) << m.first.toString(Qt::ISODate).toStdString();
        if (m.leap) {
            EXPECT_FALSE(hasZhongqi[i]) << "leap month with zhongqi " << m.first.toString(Qt::ISODate).toStdString();
        }
        if (m.number == 11 && !m.leap) elevenths.push_back(i);
    }
    ASSERT_GE(elevenths.size(), 150u);
    for (std::size_t k = 0; k + 1 < elevenths.size(); ++k) {
        const std::size_t a = elevenths[k];
        const std::size_t b = elevenths[k + 1];
        ASSERT_TRUE(b - a == 12 || b - a == 13) << months_[a].first.toString(Qt::ISODate).toStdString();
        std::size_t expectedLeap = 0;
        if (b - a == 13)
            for (std::size_t i = a + 1; i < b && expectedLeap == 0; ++i)
                if (!hasZhongqi[i]) expectedLeap = i;
        for (std::size_t i = a + 1; i < b; ++i)
            EXPECT_EQ(months_[i].leap, i == expectedLeap) << months_[i].first.toString(Qt::ISODate).toStdString();
    }
    // Twelve non-leap months from each 正月 to the next.
    int nonLeap = 0;
    for (std::size_t i = 1; i < months_.size(); ++i) {
        if (!months_[i].leap) ++nonLeap;
        if (months_[i].number == 1 && !months_[i].leap) {
            EXPECT_EQ(nonLeap, 12) << months_[i].first.toString(Qt::ISODate).toStdString();
            nonLeap = 0;
        }
    }
}

TEST_F(CalendarTable, WinterSolsticeFallsInTheEleventhMonth) {
    for (int id = 12; id <= kRows; id += 12) {
        const caltest::LunarDay d = caltest::lunarDayOf(months_, row(id).zhongqiDate());
        EXPECT_EQ(d.month, 11) << where(id).toStdString();
        EXPECT_FALSE(d.leap) << where(id).toStdString();
    }
}

// The counting of SolarToLunar and the grid walk keep LeapFlag of the neighbouring row for a month
// without jie; that is sound only because such a month never borders a leap month.
TEST_F(CalendarTable, MonthsWithoutJieAndRepeatedMonthsAreNeverLeapNeighbours) {
    int repeated = 0;
    int withoutJie = 0;
    for (int id = 2; id <= kRows; ++id) {
        if (row(id).LdaysA != 0) {
            ++withoutJie;
            EXPECT_FALSE(row(id - 1).leap()) << where(id).toStdString();
            EXPECT_FALSE(row(id).leap()) << where(id).toStdString();
        }
        if (row(id).shifouCF) {
            ++repeated;
            EXPECT_FALSE(row(id).leap()) << where(id).toStdString();
        }
    }
    EXPECT_GT(withoutJie, 0);
    EXPECT_GT(repeated, 0);
}

// Two months begin a day later than the new moon at the Beijing meridian, as the Qing almanacs of
// those years published them; the months around them keep their days.
TEST_F(CalendarTable, TheAlmanacsMonthsOf1887And1906) {
    struct Month {
        int number;
        bool leap;
        const char* first;
        int length;
    };
    const Month cases[] = {
        {1, false, "1887-01-24", 30}, {2, false, "1887-02-23", 30}, {3, false, "1887-03-25", 29},
        {4, false, "1887-04-23", 30}, {2, false, "1906-02-23", 30}, {3, false, "1906-03-25", 30},
        {4, false, "1906-04-24", 29}, {4, true, "1906-05-23", 30},
    };
    for (const Month& m : cases) {
        const QDate first = QDate::fromString(QString::fromLatin1(m.first), Qt::ISODate);
        const caltest::LunarDay d = caltest::lunarDayOf(months_, first);
        ASSERT_GE(d.monthIndex, 0) << m.first;
        const WalkedMonth& walked = months_[static_cast<std::size_t>(d.monthIndex)];
        EXPECT_EQ(walked.first, first) << m.first;
        EXPECT_EQ(walked.number, m.number) << m.first;
        EXPECT_EQ(walked.leap, m.leap) << m.first;
        EXPECT_EQ(walked.length, m.length) << m.first;
    }
}

}  // namespace
