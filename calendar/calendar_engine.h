#pragma once
// The calendar engine: the lunar date, solar terms and sexagenary pillars of a day, counted over
// table Calendar of the rule database. Each host (the calendar control, the chart window) holds its
// own engine; the engine keeps the loaded rows and day texts and writes the host's captions and
// pillar lists through CalendarHost. No engine shares anything with another.
//
// Every load and conversion opens the rule database in the program folder anew and closes it before
// it returns. Database failures pass to the caller as vb::Error.
#include "calendar/birth_moment.h"
#include "calendar/calendar_host.h"
#include "calendar/calendar_row.h"
#include "platform/vb/date.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace calendar {

class CalendarEngine {
public:
    explicit CalendarEngine(CalendarHost& host);

    // --- Lunar conversion ---

    // Replaces the rows with those of the month before, the month of and the month after
    // `chartTime`; outside the table fewer than three rows load, and the operations below then give
    // empty results.
    void LoadCalendarRows(const vb::Date& chartTime);
    // Fills the day texts of Gregorian days 1 to 32 of the loaded month; run once after each load.
    void LunarDateText();
    // 正月 … 腊月 for 1 … 12; any other number leaves the name as it was.
    void LunarMonthName(int16_t number);
    // The 15-character description of `d` (whose month must be the loaded one); writes the month
    // pillar into Label1 and the solar terms through SolarTermText.
    QString SolarToLunar(const vb::Date& d);
    // Term names of Gregorian month `n` and the captions Label7 … Label10 from the current row.
    void SolarTermText(int16_t n);

    // --- Pillars ---

    // The day pillar a birth at 23:00 or later takes: that of the day after its civil day; the
    // empty text before 23:00.
    QString DayStemOfMoment(const BirthMoment& birth) const;
    // Label1 := the month pillar by the jie of the loaded month (Label7) and the year stem of Label3,
    // compared at the birth's own moment; refills the month-pillar list.
    void MonthPillarBySolarTerms(const BirthMoment& birth);
    // The twelve hour pillars of the day stem of Label5 into the hour-pillar list, the birth's hour
    // selected.
    void FillHourPillars(const BirthMoment& birth);
    // The month pillar of solar month `number` ("一" … "十二") of a year with `yearStem`; refills the
    // month-pillar list with that year's twelve.
    QString NianShangQiYue(const QString& yearStem, const QString& number);
    // The ten-god name of `otherStem` seen from `dayStem`.
    static QString TianGanTouChu(const QString& dayStem, const QString& otherStem);

    // --- State ---

    // mRows(1) … mRows(n) as rows()[0] … rows()[n − 1].
    const std::vector<CalendarRow>& rows() const { return mRows; }
    const std::array<QString, 32>& dayTexts() const { return mDayTexts; }
    const QString& lunarMonthName() const { return mLunarMonthName; }
    const QString& jieName() const { return mJieName; }
    const QString& zhongqiName() const { return mZhongqiName; }

private:
    bool hasThreeRows() const { return mRows.size() >= 3; }

    CalendarHost& mHost;
    std::vector<CalendarRow> mRows;
    std::array<QString, 32> mDayTexts;
    QString mLunarMonthName;
    QString mJieName;
    QString mZhongqiName;
};

// The day count of a date: 1 for 1882-02-18, counting whole days only.
long CalendarDayCount(const vb::Date& d);
// The month key of table Calendar: (year − 1882) × 12 + month.
int CalendarMonthKey(const vb::Date& d);
// The statement that counts the months of each length and the leap months in the rows before month
// key `id`, from which SolarToLunar reckons the month count.
QString MonthCountingSql(int id);

}  // namespace calendar
