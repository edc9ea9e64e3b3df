// The calendar engine over the rule database: every day of the supported range against the table's
// own day walk, the worked examples, and the mended faults.
#include "calendar/calendar_engine.h"
#include "calendar/sexagenary.h"
#include "core/conversions.h"
#include "tests/calendar/calendar_table.h"
#include "tests/calendar/rule_database.h"

#include <gtest/gtest.h>

#include <QDate>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using namespace Qt::StringLiterals;
using calendar::BirthMoment;
using calendar::CalendarCaption;
using calendar::CalendarEngine;
using calendar::CalendarList;
using calendar::MemoryCalendarHost;

vb::Date day(int y, int m, int d) { return vb::Date::fromParts(y, m, d); }
QDate qdate(const vb::Date& d) { return d.toQDate(); }
BirthMoment at(const vb::Date& civil, int hour, int minute) { return BirthMoment{civil, hour, minute}; }

const QString kLeapNames[] = {u"闰一"_s, u"闰二"_s, u"闰三"_s, u"闰四"_s, u"闰五"_s, u"闰六"_s,
                                      u"闰七"_s, u"闰八"_s, u"闰九"_s, u"闰十"_s, u"闰冬"_s, u"闰腊"_s};

// The pillar of place k of a cycle that starts at (stem, branch).
QString pillarFrom(int stem, int branch, long k) {
    return calendar::pillarAt(stem + static_cast<int>(k % 60), branch + static_cast<int>(k % 60));
}

class CalendarEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        caltest::useRuleDatabase();
        QString error;
        rows_ = caltest::loadCalendarRows(&error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        months_ = caltest::walkMonths(rows_);
        // Month count of each walked month: non-leap months from 正月 1882 (0); a leap month has the
        // count of the month it repeats.
        long count = -1;
        for (const caltest::WalkedMonth& m : months_) {
            if (!m.leap) ++count;
            counts_.push_back(count);
        }
    }

    // What the month grid does on a repaint of the birth's counted day.
    QString repaint(const BirthMoment& birth) {
        engine_.LoadCalendarRows(birth.countedDay());
        engine_.LunarDateText();
        const QString text = engine_.SolarToLunar(birth.countedDay());
        host_.setCaption(CalendarCaption::Label3, text.mid(5, 3));
        const QString late = engine_.DayStemOfMoment(birth);
        host_.setCaption(CalendarCaption::Label5, late.isEmpty() ? text.mid(9, 3) : late);
        engine_.FillHourPillars(birth);
        return text;
    }

    QString expectedGridText(const QDate& d) const {
        const caltest::LunarDay ld = caltest::lunarDayOf(months_, d);
        if (ld.day != 1) return core::LunarDayName(ld.day);
        return ld.leap ? kLeapNames[ld.month - 1] : core::LunarMonthName(ld.month);
    }

    QString expectedDescription(const QDate& d) const {
        const caltest::LunarDay ld = caltest::lunarDayOf(months_, d);
        const long m = counts_[static_cast<std::size_t>(ld.monthIndex)];
        const long y = m / 12;  // lunar years from 1882
        // A date in a leap month takes the name of the month after it.
        const int name = ld.leap ? ld.month % 12 + 1 : ld.month;
        const QString yearPillar = pillarFrom(8, 6, y);  // 1882 壬午
        const long dayCount = QDate(1882, 2, 18).daysTo(d);
        return pillarFrom(8, 2, m) + u"月"_s + core::LunarMonthName(name) + yearPillar + u"年"_s +
               calendar::zodiacAnimal(6 + static_cast<int>(y % 12)) + pillarFrom(4, 0, dayCount) + u"日"_s +
               calendar::nayin(8 + static_cast<int>(y % 10), 6 + static_cast<int>(y % 12));
    }

    static inline std::vector<caltest::TableRow> rows_;
    static inline std::vector<caltest::WalkedMonth> months_;
    static inline std::vector<long> counts_;
    MemoryCalendarHost host_;
    CalendarEngine engine_{host_};
};

TEST_F(CalendarEngineTest, EveryDayFrom1882To2031AgreesWithTheTablesDayWalk) {
    for (QDate first(1882, 3, 1); first <= QDate(2031, 12, 1); first = first.addMonths(1)) {
        engine_.LoadCalendarRows(vb::Date::fromQDate(first));
        ASSERT_EQ(engine_.rows().size(), 3u) << first.toString(Qt::ISODate).toStdString();
        engine_.LunarDateText();
        for (int g = 1; g <= 32; ++g) {
            const QDate d = first.addDays(g - 1);
            ASSERT_EQ(engine_.dayTexts()[static_cast<std::size_t>(g - 1)], expectedGridText(d))
                << "grid of " << d.toString(Qt::ISODate).toStdString();
        }
        const caltest::TableRow& row = rows_[static_cast<std::size_t>((first.year() - 1882) * 12 + first.month())];
        const QDateTime jie(row.jieDate(), QTime(row.JieqiHour, row.JieqiMinute));
        for (QDate d = first; d.month() == first.month(); d = d.addDays(1)) {
            const QString text = engine_.SolarToLunar(vb::Date::fromQDate(d));
            ASSERT_EQ(text, expectedDescription(d)) << d.toString(Qt::ISODate).toStdString();
            ASSERT_EQ(host_.caption(CalendarCaption::Label1), text.left(3));

            // Month pillar by the jie at noon, with the year stem the description shows.
            host_.setCaption(CalendarCaption::Label3, text.mid(5, 3));
            engine_.MonthPillarBySolarTerms(at(vb::Date::fromQDate(d), 12, 0));
            const int opened = (first.month() + 10) % 12;  // solar month (0 = 一, the 寅 month) the jie opens
            const int solarMonth = QDateTime(d, QTime(12, 0)) >= jie ? opened : (opened + 11) % 12;
            const int yearStem = calendar::stemPosition(text.mid(5, 1));
            ASSERT_EQ(host_.caption(CalendarCaption::Label1),
                      calendar::pillarAt((yearStem % 5) * 2 + 2 + solarMonth, solarMonth + 2) + u"月"_s)
                << d.toString(Qt::ISODate).toStdString();
        }
    }
}

TEST_F(CalendarEngineTest, WorkedExamplesOfTheLunarConversion) {
    struct Case {
        vb::Date date;
        QString description;
    };
    const Case cases[] = {
        {day(1882, 3, 1), u"壬寅月正月壬午年马己亥日杨柳木"_s},  // first supported day, month count 0
        {day(1882, 3, 18), u"壬寅月正月壬午年马丙辰日杨柳木"_s},  // last day of 正月 1882
        {day(1900, 1, 1), u"丁丑月腊月己亥年猪甲戌日平地木"_s},
        {day(1949, 10, 1), u"癸酉月八月己丑年牛甲子日霹雷火"_s},
        {day(2000, 1, 1), u"丙子月冬月己卯年兔戊午日城墙土"_s},
        {day(2020, 5, 23), u"辛巳月五月庚子年鼠丙寅日壁上土"_s},  // 初一 of 闰四月: the next month's name
        {day(2019, 1, 5), u"甲子月冬月戊戌年狗壬寅日平地木"_s},   // a month holding two jie (shifouCF)
        {day(2019, 1, 20), u"乙丑月腊月戊戌年狗丁巳日平地木"_s},
        {day(1886, 3, 5), u"庚寅月正月丙戌年狗甲子日屋上土"_s},
        {day(1886, 3, 6), u"辛卯月二月丙戌年狗乙丑日屋上土"_s},
    };
    for (const Case& c : cases) {
        const QString text = repaint(at(c.date, 12, 0));
        EXPECT_EQ(text, c.description) << qdate(c.date).toString(Qt::ISODate).toStdString();
        EXPECT_EQ(text, expectedDescription(qdate(c.date)));
    }

    // Terms and their captions, without leading zeros; 闰 on the grid.
    repaint(at(day(1882, 3, 10), 12, 0));
    EXPECT_EQ(host_.caption(CalendarCaption::Label7), u"惊蛰："_s);
    EXPECT_EQ(host_.caption(CalendarCaption::Label8), u"春分："_s);
    EXPECT_EQ(host_.caption(CalendarCaption::Label9), u"5日   23:48"_s);
    EXPECT_EQ(host_.caption(CalendarCaption::Label10), u"21日  1:4"_s);
    repaint(at(day(2020, 5, 1), 12, 0));
    EXPECT_EQ(engine_.dayTexts()[22], u"闰四"_s);
    EXPECT_EQ(engine_.dayTexts()[23], u"初二"_s);

    // A month number outside 1…12 keeps the names and still rewrites the captions.
    repaint(at(day(1882, 3, 10), 12, 0));
    engine_.SolarTermText(13);
    EXPECT_EQ(engine_.jieName(), u"惊蛰"_s);
    EXPECT_EQ(host_.caption(CalendarCaption::Label9), u"5日   23:48"_s);
    engine_.LunarMonthName(0);
    EXPECT_EQ(engine_.lunarMonthName(), u"正月"_s);
}

TEST_F(CalendarEngineTest, WorkedExamplesOfThePillars) {
    // 23:00 opens the next day.
    repaint(at(day(2000, 1, 1), 12, 0));
    EXPECT_EQ(engine_.DayStemOfMoment(at(day(2000, 1, 1), 22, 59)), u""_s);
    EXPECT_EQ(engine_.DayStemOfMoment(at(day(2000, 1, 1), 23, 0)), u"己未"_s);
    EXPECT_EQ(engine_.DayStemOfMoment(at(day(2000, 1, 1), 23, 59)), u"己未"_s);
    EXPECT_EQ(engine_.DayStemOfMoment(at(day(1882, 2, 17), 23, 0)), u"戊子"_s);

    // Hour pillars: 子 hour for hours 0 and 23.
    struct HourCase {
        int hour;
        int index;
    };
    for (const HourCase& h : {HourCase{0, 0}, HourCase{1, 1}, HourCase{2, 1}, HourCase{12, 6}, HourCase{22, 11}, HourCase{23, 0}}) {
        host_.setCaption(CalendarCaption::Label5, u"甲子日"_s);
        engine_.FillHourPillars(at(day(2000, 1, 1), h.hour, 0));
        EXPECT_EQ(host_.listIndex(CalendarList::HourPillars), h.index) << h.hour;
    }
    const QStringList hours = host_.listEntries(CalendarList::HourPillars);
    ASSERT_EQ(hours.size(), 12);
    EXPECT_EQ(hours.first(), u"甲子(23-1)"_s);
    EXPECT_EQ(hours.last(), u"乙亥(21-23)"_s);
    host_.setCaption(CalendarCaption::Label5, u"癸亥日"_s);
    engine_.FillHourPillars(at(day(2000, 1, 1), 5, 0));
    EXPECT_EQ(host_.listText(CalendarList::HourPillars), u"乙卯(5-7)"_s);
    host_.setCaption(CalendarCaption::Label5, u"子"_s);
    engine_.FillHourPillars(at(day(2000, 1, 1), 9, 0));
    EXPECT_EQ(host_.listText(CalendarList::HourPillars), u"乙卯(5-7)"_s) << "not a stem: the list stays";

    // Five tigers.
    EXPECT_EQ(engine_.NianShangQiYue(u"甲"_s, u"十二"_s), u"丁丑"_s);
    EXPECT_EQ(host_.listEntries(CalendarList::MonthPillars).first(), u"丙寅"_s);
    EXPECT_EQ(host_.listEntries(CalendarList::MonthPillars).last(), u"丁丑"_s);
    EXPECT_EQ(engine_.NianShangQiYue(u"戊"_s, u"一"_s), u"甲寅"_s);
    EXPECT_EQ(host_.listEntries(CalendarList::MonthPillars).last(), u"乙丑"_s);
    EXPECT_EQ(engine_.NianShangQiYue(u"丁"_s, u"一"_s), u"壬寅"_s);
    EXPECT_EQ(host_.listEntries(CalendarList::MonthPillars).last(), u"癸丑"_s);
    EXPECT_EQ(engine_.NianShangQiYue(u"乙"_s, u"十三"_s), u""_s);
    EXPECT_EQ(host_.listEntries(CalendarList::MonthPillars).first(), u"戊寅"_s) << "the list is still refilled";
    EXPECT_EQ(engine_.NianShangQiYue(u"子"_s, u"一"_s), u""_s);
    EXPECT_EQ(host_.listEntries(CalendarList::MonthPillars).first(), u"戊寅"_s) << "no stem: the list stays";

    // The month by the jie changes at its minute: 立春 2024 is 2-4 16:27.
    repaint(at(day(2024, 2, 4), 12, 0));
    host_.setCaption(CalendarCaption::Label3, u"甲辰年"_s);
    engine_.MonthPillarBySolarTerms(at(day(2024, 2, 4), 16, 26));
    EXPECT_EQ(host_.caption(CalendarCaption::Label1), u"丁丑月"_s);
    engine_.MonthPillarBySolarTerms(at(day(2024, 2, 4), 16, 27));
    EXPECT_EQ(host_.caption(CalendarCaption::Label1), u"丙寅月"_s);

    // Ten gods.
    EXPECT_EQ(CalendarEngine::TianGanTouChu(u"甲"_s, u"乙"_s), u"劫"_s);
    EXPECT_EQ(CalendarEngine::TianGanTouChu(u"乙"_s, u"甲"_s), u"劫"_s);
    EXPECT_EQ(CalendarEngine::TianGanTouChu(u"癸"_s, u"壬"_s), u"劫"_s);
    EXPECT_EQ(CalendarEngine::TianGanTouChu(u"甲"_s, u"甲"_s), u"比"_s);
    EXPECT_EQ(CalendarEngine::TianGanTouChu(u"甲"_s, u"庚"_s), u"杀"_s);
    EXPECT_EQ(CalendarEngine::TianGanTouChu(u"丙"_s, u"壬"_s), u"杀"_s);
    EXPECT_EQ(CalendarEngine::TianGanTouChu(u"甲"_s, u"子"_s), u""_s);
}

TEST_F(CalendarEngineTest, ABirthAt23CountsForTheNextDayExactlyOnce) {
    // 23:30 on the eve of 立春 2024 (2-4 16:27): the next day's lunar date and day pillar, the month
    // of the birth's own moment.
    const BirthMoment birth = at(day(2024, 2, 3), 23, 30);
    for (int repaintRun = 0; repaintRun < 3; ++repaintRun) {
        const QString text = repaint(birth);
        EXPECT_EQ(text, expectedDescription(QDate(2024, 2, 4)));
        EXPECT_EQ(host_.caption(CalendarCaption::Label5), expectedDescription(QDate(2024, 2, 4)).mid(9, 2));
        EXPECT_EQ(host_.listText(CalendarList::HourPillars).left(2), u"壬子"_s) << "子 hour of a 丁 day";
        engine_.MonthPillarBySolarTerms(birth);
        EXPECT_EQ(host_.caption(CalendarCaption::Label1), u"乙丑月"_s) << "still before 立春";
    }
    EXPECT_EQ(birth.countedDay(), day(2024, 2, 4));
    EXPECT_EQ(BirthMoment::fromTimeText(day(2001, 5, 31), u"23-30"_s).countedDay(), day(2001, 6, 1));
    EXPECT_EQ(BirthMoment::fromTimeText(day(2001, 5, 31), u"22-59"_s).countedDay(), day(2001, 5, 31));
    EXPECT_EQ(BirthMoment::fromTimeText(day(2001, 5, 31), u"7-5"_s).moment(), vb::Date::fromParts(2001, 5, 31, 7, 5));
}

TEST_F(CalendarEngineTest, TheLastSupportedDayAt23FindsItsNextMonth) {
    const BirthMoment birth = at(day(2031, 12, 31), 23, 0);
    const QString text = repaint(birth);
    EXPECT_EQ(engine_.rows().size(), 3u);
    EXPECT_EQ(text, expectedDescription(QDate(2032, 1, 1)));
}

TEST_F(CalendarEngineTest, OutsideTheTableTheResultsAreEmpty) {
    for (const vb::Date& d : {day(1882, 1, 10), day(1882, 2, 20), day(2033, 2, 1), day(1850, 6, 1)}) {
        host_.setCaption(CalendarCaption::Label1, u"x"_s);
        engine_.LoadCalendarRows(d);
        engine_.LunarDateText();
        const QString text = engine_.SolarToLunar(d);
        EXPECT_EQ(text, u""_s) << qdate(d).toString(Qt::ISODate).toStdString();
        EXPECT_EQ(host_.caption(CalendarCaption::Label1), u""_s);
        host_.setCaption(CalendarCaption::Label1, u"x"_s);
        engine_.MonthPillarBySolarTerms(at(d, 12, 0));
        if (engine_.rows().size() < 3) {
            EXPECT_EQ(host_.caption(CalendarCaption::Label1), u""_s);
            for (const QString& t : engine_.dayTexts()) EXPECT_EQ(t, u""_s);
        }
    }
}

}  // namespace
