// Dumps what the calendar engine shows for each day from FROM to TO, one JSON object per line:
// date, desc (the description at 12:00), grid (the day's text in the month grid), label7 … label10
// (the solar-term captions), monthPillarByJie (the month pillar by the jie at 12:00) and dayPillar.
//
//   calendump FROM TO [PROGRAM_FOLDER]     dates as YYYY-MM-DD; the folder holds zodazire.mdb
//                                          (default: the build's program folder)
#include "calendar/calendar_engine.h"
#include "platform/vb/error.h"
#include "platform/vb/folders.h"

#include <QCoreApplication>
#include <QDate>
#include <QTextStream>

#include <cstdio>

namespace {

QString jsonString(const QString& s) {
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20) out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else out += c;
    }
    return out + QLatin1Char('"');
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QDate from = args.size() > 2 ? QDate::fromString(args[1], Qt::ISODate) : QDate();
    const QDate to = args.size() > 2 ? QDate::fromString(args[2], Qt::ISODate) : QDate();
    if (args.size() < 3 || args.size() > 4 || !from.isValid() || !to.isValid()) {
        std::fprintf(stderr, "usage: calendump FROM TO [PROGRAM_FOLDER]   (dates as YYYY-MM-DD)\n");
        return 2;
    }
    vb::setProgramFolder(args.size() == 4 ? args[3] : QStringLiteral(VEYRA_PROGRAM_DIR));

    using calendar::CalendarCaption;
    calendar::MemoryCalendarHost host;
    calendar::CalendarEngine engine(host);
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    try {
        QDate loaded;
        for (QDate d = from; d <= to; d = d.addDays(1)) {
            const vb::Date day = vb::Date::fromQDate(d);
            if (!loaded.isValid() || loaded.year() != d.year() || loaded.month() != d.month()) {
                engine.LoadCalendarRows(day);
                engine.LunarDateText();
                loaded = d;
            }
            const QString desc = engine.SolarToLunar(day);
            const QStringList terms{host.caption(CalendarCaption::Label7), host.caption(CalendarCaption::Label8),
                                    host.caption(CalendarCaption::Label9), host.caption(CalendarCaption::Label10)};
            host.setCaption(CalendarCaption::Label3, desc.mid(5, 3));
            engine.MonthPillarBySolarTerms(calendar::BirthMoment{day, 12, 0});
            out << "{\"date\":" << jsonString(d.toString(Qt::ISODate)) << ",\"desc\":" << jsonString(desc)
                << ",\"grid\":" << jsonString(engine.dayTexts()[static_cast<std::size_t>(d.day() - 1)])
                << ",\"label7\":" << jsonString(terms[0]) << ",\"label8\":" << jsonString(terms[1])
                << ",\"label9\":" << jsonString(terms[2]) << ",\"label10\":" << jsonString(terms[3])
                << ",\"monthPillarByJie\":" << jsonString(host.caption(CalendarCaption::Label1).left(2))
                << ",\"dayPillar\":" << jsonString(desc.mid(9, 2)) << "}\n";
        }
    } catch (const vb::Error& e) {
        out.flush();
        std::fprintf(stderr, "calendump: error %d: %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
    return 0;
}
