// The pillar operations of the calendar engine: the day pillar of a late birth, the month pillar by
// the jie terms, the month pillars of a year stem (five tigers), the hour pillars of a day stem (five
// rats) and the ten-god names.
#include "calendar/calendar_engine.h"
#include "calendar/sexagenary.h"

#include <array>

namespace calendar {

namespace {

// Solar months counted from the 寅 month that begins at 立春.
constexpr std::array<const char16_t*, 12> kSolarMonths{u"一", u"二", u"三", u"四", u"五", u"六",
                                                       u"七", u"八", u"九", u"十", u"十一", u"十二"};

// The jie of Gregorian months 1 … 12, which open the solar months 十二, 一, 二 … 十一.
constexpr std::array<const char16_t*, 12> kJieByGregorianMonth{u"小寒", u"立春", u"惊蛰", u"清明", u"立夏", u"芒种",
                                                               u"小暑", u"立秋", u"白露", u"寒露", u"立冬", u"大雪"};

constexpr std::array<const char16_t*, 12> kDoubleHours{u"(23-1)", u"(1-3)", u"(3-5)", u"(5-7)", u"(7-9)", u"(9-11)",
                                                       u"(11-13)", u"(13-15)", u"(15-17)", u"(17-19)", u"(19-21)", u"(21-23)"};

// Rows: day stem 甲 … 癸; columns: the other stem 甲 … 癸.
constexpr std::array<const char16_t*, 10> kTenGods{
    u"比劫食伤财才杀官枭印", u"劫比伤食才财官杀印枭", u"枭印比劫食伤财才杀官", u"印枭劫比伤食才财官杀",
    u"杀官枭印比劫食伤财才", u"官杀印枭劫比伤食才财", u"财才杀官枭印比劫食伤", u"才财官杀印枭劫比伤食",
    u"食伤财才杀官枭印比劫", u"伤食才财官杀印枭劫比"};

// Position on the time line. Date values before 1899-12-30 count their whole days backwards but
// their time of day forwards, so two moments of one such day do not compare as plain values.
double timeline(const vb::Date& d) { return static_cast<double>(d.dayNumber()) + d.timeOfDay(); }

int solarMonthIndex(const QString& number) {
    for (std::size_t i = 0; i < kSolarMonths.size(); ++i)
        if (number == QStringView(kSolarMonths[i])) return static_cast<int>(i);
    return -1;
}

}  // namespace

QString CalendarEngine::DayStemOfMoment(const BirthMoment& birth) const {
    if (!birth.countsForNextDay()) return QString();
    // Derived from the civil day, so it is the next day's pillar however often it is asked.
    const long dayCount = CalendarDayCount(birth.countedDay());
    return pillarAt(static_cast<int>(dayCount % 10) + 3, static_cast<int>(dayCount % 12) + 11);
}

void CalendarEngine::MonthPillarBySolarTerms(const BirthMoment& birth) {
    if (!hasThreeRows()) {
        mHost.setCaption(CalendarCaption::Label1, QString());
        return;
    }
    const CalendarRow& cur = mRows[1];
    // The birth's own moment, not the day it counts for: a birth late on the eve of a jie day still
    // lies before the jie.
    const vb::Date moment = birth.moment();
    const vb::Date jie = vb::Date::fromParts(cur.Nian, cur.JieqiMonth, cur.JieqiDay, cur.JieqiHour, cur.JieqiMinute);
    const QString jieName = mHost.caption(CalendarCaption::Label7).left(2);
    QString number;
    for (std::size_t m = 0; m < kJieByGregorianMonth.size(); ++m) {
        if (jieName != QStringView(kJieByGregorianMonth[m])) continue;
        const int opened = static_cast<int>(m + 11) % 12;  // index into kSolarMonths of the month the jie opens
        number = QString::fromUtf16(kSolarMonths[static_cast<std::size_t>(timeline(moment) >= timeline(jie) ? opened : (opened + 11) % 12)]);
    }
    const QString yearStem = mHost.caption(CalendarCaption::Label3).left(1);
    mHost.setCaption(CalendarCaption::Label1, NianShangQiYue(yearStem, number) + QStringLiteral("月"));
}

void CalendarEngine::FillHourPillars(const BirthMoment& birth) {
    const int dayStem = stemPosition(mHost.caption(CalendarCaption::Label5).left(1));
    if (dayStem < 0) return;
    // 子 hour of 甲 and 己 days is 甲子, of 乙 and 庚 days 丙子, and so on by pairs.
    const int first = (dayStem % 5) * 2;
    QStringList entries;
    for (int k = 0; k < 12; ++k) entries << pillarAt(first + k, k) + QString::fromUtf16(kDoubleHours[static_cast<std::size_t>(k)]);
    mHost.setListEntries(CalendarList::HourPillars, entries);
    const int hour = birth.hour;
    mHost.setListIndex(CalendarList::HourPillars, hour >= 1 && hour <= 22 ? (hour + 1) / 2 : 0);
}

QString CalendarEngine::NianShangQiYue(const QString& yearStem, const QString& number) {
    const int stem = stemPosition(yearStem);
    if (stem < 0) return QString();
    // 寅 month of 甲 and 己 years is 丙寅, of 乙 and 庚 years 戊寅, and so on by pairs.
    const int first = (stem % 5) * 2 + 2;
    QStringList pillars;
    for (int k = 0; k < 12; ++k) pillars << pillarAt(first + k, k + 2);
    mHost.setListEntries(CalendarList::MonthPillars, pillars);
    const int month = solarMonthIndex(number);
    return month < 0 ? QString() : pillars[month];
}

QString CalendarEngine::TianGanTouChu(const QString& dayStem, const QString& otherStem) {
    const int day = stemPosition(dayStem);
    const int other = stemPosition(otherStem);
    if (day < 0 || other < 0) return QString();
    return QString(QChar(kTenGods[static_cast<std::size_t>(day)][other]));
}

}  // namespace calendar
