#include "tools/chartdump/birth_input.h"

#include "calendar/birth_moment.h"
#include "calendar/calendar_engine.h"
#include "calendar/calendar_host.h"
#include "chart/birth_inputs.h"
#include "core/conversions.h"
#include "core/globals.h"

#include <QRegularExpression>

namespace chartdump {

namespace {

bool parseSex(const QString& text, bool* isMale) {
    if (text == u"男" || text.compare(QLatin1String("male"), Qt::CaseInsensitive) == 0) {
        *isMale = true;
        return true;
    }
    if (text == u"女" || text.compare(QLatin1String("female"), Qt::CaseInsensitive) == 0) {
        *isMale = false;
        return true;
    }
    return false;
}

// A stem and a branch of one yin/yang: one of the sixty pairs.
bool isPillar(const QString& text) {
    if (text.size() != 2) return false;
    const int stem = core::StemToIndex(text.left(1));
    const int branch = core::BranchToIndex(text.mid(1, 1));
    return stem > 0 && branch > 0 && stem % 2 == branch % 2;
}

// The month a birth is charted in: the month itself, or for a leap month (闰四月) the month that
// follows it (五月), as the chart window charts every day of a leap month. "" for no month name.
QString chartedMonth(const QString& month) {
    const QString leap = QStringLiteral("闰");
    if (!month.startsWith(leap)) return core::LunarMonthToNumber(month) != 0 ? month : QString();
    const int repeated = core::LunarMonthToNumber(month.mid(leap.size()));
    return repeated != 0 ? core::LunarMonthName(repeated % 12 + 1) : QString();
}

}  // namespace

bool setLunarBirth(chart::ChartSurface& chart, const QStringList& args, bool* isMale, QString* error) {
    if (args.size() != 5) {
        *error = QStringLiteral("--lunar takes five arguments: year pillar, month, day, hour, sex");
        return false;
    }
    const QString& year = args[0];
    const QString month = chartedMonth(args[1]);
    const QString& day = args[2];
    const QString& hour = args[3];
    if (!isPillar(year)) *error = QStringLiteral("not a year pillar: %1").arg(year);
    else if (month.isEmpty()) *error = QStringLiteral("not a lunar month: %1").arg(args[1]);
    else if (core::LunarDayToNumber(day) == 0 || core::LunarMonthToNumber(day) != 0 || day == u"三一")
        *error = QStringLiteral("not a lunar day: %1").arg(day);
    else if (core::BranchToIndex(hour) == 0 && !isPillar(hour)) *error = QStringLiteral("not an hour: %1").arg(hour);
    else if (!parseSex(args[4], isMale)) *error = QStringLiteral("not a sex: %1").arg(args[4]);
    if (!error->isEmpty()) return false;
    chart::SetBirthCaptions(chart, 0, year, month, day, hour);
    return true;
}

bool setSolarBirth(chart::ChartSurface& chart, const QStringList& args, bool* isMale, QString* error) {
    static const QRegularExpression kMoment(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2})$"));
    const QRegularExpressionMatch m = args.size() == 2 ? kMoment.match(args[0]) : QRegularExpressionMatch();
    if (!m.hasMatch()) {
        *error = QStringLiteral("--solar takes YYYY-MM-DDTHH:MM and male or female");
        return false;
    }
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const int hour = m.captured(4).toInt(), minute = m.captured(5).toInt();
    if (!date.isValid() || hour > 23 || minute > 59) {
        *error = QStringLiteral("not a moment: %1").arg(args[0]);
        return false;
    }
    if (date < kFirstDay || date > kLastDay) {
        *error = QStringLiteral("outside the calendar (%1 to %2): %3")
                     .arg(kFirstDay.toString(Qt::ISODate), kLastDay.toString(Qt::ISODate), args[0]);
        return false;
    }
    if (!parseSex(args[1], isMale)) {
        *error = QStringLiteral("not a sex: %1").arg(args[1]);
        return false;
    }

    calendar::BirthMoment birth;
    birth.civilDay = vb::Date::fromQDate(date);
    birth.hour = hour;
    birth.minute = minute;
    const vb::Date day = birth.countedDay();
    core::gChartTime = day.addMinutes(hour * 60 + minute);

    // As the chart window's month grid does it before the build: the lunar description of the day,
    // the captions cut from it, the day's lunar text and the hour pillar of its day stem.
    calendar::MemoryCalendarHost host;
    calendar::CalendarEngine engine(host);
    engine.LoadCalendarRows(day);
    engine.LunarDateText();
    const QString description = engine.SolarToLunar(day);
    if (description.size() < 15) {
        *error = QStringLiteral("outside the calendar: %1").arg(args[0]);
        return false;
    }
    const QString yearCaption = description.mid(5, 3);
    QString dayCaption = description.mid(9, 3);
    const QString lateDay = engine.DayStemOfMoment(birth);
    if (!lateDay.isEmpty()) dayCaption = lateDay;
    host.setCaption(calendar::CalendarCaption::Label3, yearCaption);
    host.setCaption(calendar::CalendarCaption::Label5, dayCaption);
    QString dayName = engine.dayTexts()[static_cast<std::size_t>(day.day() - 1)];
    if (dayName.contains(u'月') || dayName.contains(u'闰')) dayName = QStringLiteral("初一");
    engine.FillHourPillars(birth);
    const QString hourPillar = host.listText(calendar::CalendarList::HourPillars).left(2);

    chart::SetBirthCaptions(chart, day.year(), yearCaption.left(2), description.mid(3, 2), dayName, hourPillar);
    return true;
}

}  // namespace chartdump
