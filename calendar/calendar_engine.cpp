#include "calendar/calendar_engine.h"

#include "calendar/sexagenary.h"
#include "core/conversions.h"
#include "core/rule_database.h"
#include "platform/dao/dao.h"

#include <array>

namespace calendar {

namespace {

struct TermNames {
    const char16_t* jie;
    const char16_t* zhongqi;
};
// By Gregorian month 1 … 12.
constexpr std::array<TermNames, 12> kTerms{{{u"小寒", u"大寒"}, {u"立春", u"雨水"}, {u"惊蛰", u"春分"},
                                            {u"清明", u"谷雨"}, {u"立夏", u"小满"}, {u"芒种", u"夏至"},
                                            {u"小暑", u"大暑"}, {u"立秋", u"处暑"}, {u"白露", u"秋分"},
                                            {u"寒露", u"霜降"}, {u"立冬", u"小雪"}, {u"大雪", u"冬至"}}};

// The first day of a lunar month carries the month's name; a leap month's name is 闰 and the first
// character of the number (一 for 正月).
QString monthOpeningText(const CalendarRow& row) {
    const int n = row.Lmonth >= 1 && row.Lmonth <= 11 ? row.Lmonth : 12;
    if (row.LeapFlag == 0) return core::LunarMonthName(n);
    return QStringLiteral("闰") + (n == 1 ? core::DigitToChinese(1) : core::LunarMonthName(n).left(1));
}

QString lunarDayText(const CalendarRow& row, int day) {
    if (day == 1) return monthOpeningText(row);
    if (day == 31) return QStringLiteral("三一");
    return core::LunarDayName(day);
}

vb::Date firstDayOfTable() { return vb::Date::fromParts(1882, 2, 18); }

// 初一 of the month that holds a row's jie.
long monthStartDay(const CalendarRow& r) {
    return vb::Date::fromParts(r.Nian, r.JieqiMonth, r.JieqiDay).dayNumber() - (r.JieqiNday - 1);
}

}  // namespace

long CalendarDayCount(const vb::Date& d) { return d.dayNumber() - firstDayOfTable().dayNumber() + 1; }

int CalendarMonthKey(const vb::Date& d) { return (d.year() - 1882) * 12 + d.month(); }

QString MonthCountingSql(int id) {
    return QStringLiteral("Select Count(*) as TotalCount, ") +
           QStringLiteral("Count(iif([Ldays]=29 and not [shifouCF], 1,null)) as tCount, ") +
           QStringLiteral("Count(iif([Ldays]=30and not [shifouCF], 1,null)) as pCount ,") +
           QStringLiteral("Count(iif([Ldaysa]=30, 1,null)) as qCount ,") +
           QStringLiteral("Count(iif([leapflag], 1,null)) as qqCount ,") +
           QStringLiteral("Count(iif([Ldaysa]=29, 1,null)) as rCount ") +
           QStringLiteral("From calendar where [id]<") + QString::number(id) + QStringLiteral("and  [id]>2");
}

CalendarEngine::CalendarEngine(CalendarHost& host) : mHost(host) {}

void CalendarEngine::LoadCalendarRows(const vb::Date& chartTime) {
    const int id = CalendarMonthKey(chartTime);
    const QString sql = QStringLiteral("SELECT Nian , JieqiMonth,JieqiDay,Lmonth,") +
                        QStringLiteral(" JieqiNday , JieqiHour , JieqiMinute,ZhongqiDay,") +
                        QStringLiteral("ZhongqiMinute, ZhongqiHour, Ldays, thisyearjqd,thisyearjqh, thisyearjqm, LdaysA,") +
                        QStringLiteral("LeapFlag FROM Calendar WHERE  ID=") + QString::number(id - 1) +
                        QStringLiteral("or id=") + QString::number(id) + QStringLiteral("or id=") +
                        QString::number(id + 1) + QStringLiteral("  ORDER BY ID ");
    dao::Workspace ws = dao::DBEngine::defaultWorkspace();
    dao::Database db = core::OpenRuleDatabase(ws);
    dao::Recordset rs = db.openRecordset(sql, dao::dbOpenSnapshot);
    std::vector<CalendarRow> rows;
    for (; !rs.eof(); rs.moveNext()) {
        CalendarRow r;
        r.Nian = rs[QStringLiteral("Nian")].toInt();
        r.JieqiMonth = rs[QStringLiteral("JieqiMonth")].toInt();
        r.JieqiDay = rs[QStringLiteral("JieqiDay")].toInt();
        r.Lmonth = rs[QStringLiteral("Lmonth")].toInt();
        r.JieqiNday = rs[QStringLiteral("JieqiNday")].toInt();
        r.JieqiHour = rs[QStringLiteral("JieqiHour")].toInt();
        r.JieqiMinute = rs[QStringLiteral("JieqiMinute")].toInt();
        r.ZhongqiDay = rs[QStringLiteral("ZhongqiDay")].toInt();
        r.ZhongqiMinute = rs[QStringLiteral("ZhongqiMinute")].toInt();
        r.ZhongqiHour = rs[QStringLiteral("ZhongqiHour")].toInt();
        r.Ldays = rs[QStringLiteral("Ldays")].toInt();
        r.LdaysA = rs[QStringLiteral("LdaysA")].toInt();
        r.LeapFlag = rs[QStringLiteral("LeapFlag")].toBool() ? -1 : 0;
        r.ThisyearJQD = rs[QStringLiteral("thisyearjqd")].toInt();
        r.ThisyearJQH = rs[QStringLiteral("thisyearjqh")].toInt();
        r.ThisyearJQM = rs[QStringLiteral("thisyearjqm")].toInt();
        rows.push_back(r);
    }
    rs.close();
    db.close();
    ws.close();
    mRows = std::move(rows);
}

void CalendarEngine::LunarDateText() {
    if (!hasThreeRows()) {
        mDayTexts.fill(QString());
        return;
    }
    CalendarRow& prev = mRows[0];
    CalendarRow& cur = mRows[1];
    CalendarRow& next = mRows[2];
    // A month without jie before or after the current one stands in for the neighbouring row's.
    if (cur.LdaysA != 0) {
        prev.Ldays = cur.LdaysA;
        prev.Lmonth = static_cast<int16_t>(prev.Lmonth + 1 == 13 ? 1 : prev.Lmonth + 1);
    }
    if (next.LdaysA != 0) {
        next.Ldays = next.LdaysA;
        next.Lmonth = static_cast<int16_t>(cur.Lmonth + 1 > 12 ? 1 : cur.Lmonth + 1);
    }
    const int off = cur.JieqiNday - cur.JieqiDay;
    std::size_t row = off >= 0 ? 1 : 0;
    int lunarDay = off >= 0 ? 1 + off : prev.Ldays + 1 + off;
    int g = 0;
    while (g <= 31 && row <= 2) {
        while (g <= 31 && lunarDay <= mRows[row].Ldays) {
            ++g;
            if (lunarDay >= 1 && lunarDay <= 31) mDayTexts[static_cast<std::size_t>(g - 1)] = lunarDayText(mRows[row], lunarDay);
            ++lunarDay;
        }
        ++row;
        lunarDay = 1;
    }
}

void CalendarEngine::LunarMonthName(int16_t number) {
    if (number >= 1 && number <= 12) mLunarMonthName = core::LunarMonthName(number);
}

QString CalendarEngine::SolarToLunar(const vb::Date& d) {
    const int id = CalendarMonthKey(d);
    // The counting starts with row 3 (正月 1882); before it, and where the table ends, there is
    // nothing to count from, and no caption keeps another month's values.
    if (!hasThreeRows() || id < 3) {
        for (auto c : {CalendarCaption::Label1, CalendarCaption::Label7, CalendarCaption::Label8,
                       CalendarCaption::Label9, CalendarCaption::Label10})
            mHost.setCaption(c, QString());
        return QString();
    }
    const long dayCount = CalendarDayCount(d);
    const QString sql = MonthCountingSql(id);
    long t = 0, p = 0, q = 0, qq = 0, r = 0;
    {
        dao::Workspace ws = dao::DBEngine::defaultWorkspace();
        dao::Database db = core::OpenRuleDatabase(ws);
        dao::Recordset rs = db.openRecordset(sql, dao::dbOpenSnapshot);
        t = rs.field(1).value().toLong();
        p = rs.field(2).value().toLong();
        q = rs.field(3).value().toLong();
        qq = rs.field(4).value().toLong();
        r = rs.field(5).value().toLong();
        rs.close();
        db.close();
    }

    const CalendarRow& prev = mRows[0];
    const CalendarRow& cur = mRows[1];
    const CalendarRow& next = mRows[2];
    // A current row that repeats the previous row's month (shifouCF) has that month counted already
    // among the rows before it; it must not be added a second time.
    const bool repeatsPrevious = cur.LdaysA == 0 && monthStartDay(cur) == monthStartDay(prev);
    long S = 29 * t + 30 * p + 30 * q + 29 * r + cur.LdaysA + (repeatsPrevious ? 0 : cur.Ldays);
    long M = t + p + q + r - qq + (cur.LdaysA != 0 ? 1 : 0) - (repeatsPrevious ? 1 : 0);
    const long R = S - dayCount;
    const auto after = [](int m) { return m + 1 == 13 ? 1 : m + 1; };
    int L = 0;
    if (R >= 0 && R < cur.Ldays) {
        if (cur.LeapFlag != 0) {
            M -= 1;
            L = after(cur.Lmonth);
        } else {
            L = cur.Lmonth;
        }
    } else if (R >= cur.Ldays) {
        M -= 1;
        L = prev.LeapFlag != 0 ? cur.Lmonth : (cur.Lmonth - 1 == 0 ? 12 : cur.Lmonth - 1);
    } else if (next.LeapFlag != 0 || cur.LeapFlag != 0) {
        L = after(cur.Lmonth);
    } else {
        M += 1;
        L = after(cur.Lmonth);
    }

    // 正月 1882 is month count 0, 壬寅; the lunar year 1882 is year count 1, 壬午.
    const QString monthPillar = pillarAt(static_cast<int>(M) + 8, static_cast<int>(M) + 2);
    mHost.setCaption(CalendarCaption::Label1, monthPillar + QStringLiteral("月"));
    LunarMonthName(static_cast<int16_t>(L));
    const int Y = static_cast<int>(M / 12 + 1);
    const int yearStem = Y + 7;
    const int yearBranch = Y + 5;
    // 1882-02-18, day count 1, is 戊子.
    const QString dayPillar = pillarAt(static_cast<int>(dayCount % 10) + 3, static_cast<int>(dayCount % 12) + 11);

    const QString text = monthPillar + QStringLiteral("月") + mLunarMonthName + pillarAt(yearStem, yearBranch) +
                         QStringLiteral("年") + zodiacAnimal(yearBranch) + dayPillar + QStringLiteral("日") +
                         nayin(yearStem, yearBranch);
    SolarTermText(cur.JieqiMonth);
    return text;
}

void CalendarEngine::SolarTermText(int16_t n) {
    if (n >= 1 && n <= 12) {
        mJieName = QString::fromUtf16(kTerms[static_cast<std::size_t>(n - 1)].jie);
        mZhongqiName = QString::fromUtf16(kTerms[static_cast<std::size_t>(n - 1)].zhongqi);
    }
    mHost.setCaption(CalendarCaption::Label7, mJieName + QStringLiteral("："));
    mHost.setCaption(CalendarCaption::Label8, mZhongqiName + QStringLiteral("："));
    if (!hasThreeRows()) {
        mHost.setCaption(CalendarCaption::Label9, QString());
        mHost.setCaption(CalendarCaption::Label10, QString());
        return;
    }
    const CalendarRow& cur = mRows[1];
    mHost.setCaption(CalendarCaption::Label9, QString::number(cur.JieqiDay) + QStringLiteral("日") +
                                                  QStringLiteral("   ") + QString::number(cur.JieqiHour) +
                                                  QStringLiteral(":") + QString::number(cur.JieqiMinute));
    mHost.setCaption(CalendarCaption::Label10, QString::number(cur.ZhongqiDay) + QStringLiteral("日") +
                                                   QStringLiteral("  ") + QString::number(cur.ZhongqiHour) +
                                                   QStringLiteral(":") + QString::number(cur.ZhongqiMinute));
}

}  // namespace calendar
