// Dumps what the calendar engine shows for each day from FROM to TO, one JSON object per line:
// date, desc (the description at 12:00), grid (the day's text in the month grid), label7 … label10
// (the solar-term captions), monthPillarByJie (the month pillar by the jie at 12:00) and dayPillar.
//
//   calendump FROM TO [PROGRAM_FOLDER | --db FILE]
//
// Dates as YYYY-MM-DD, FROM not after TO, both from 1882-03-01 to 2031-12-31. The rule database is
// zodazire.mdb in PROGRAM_FOLDER (default: the build's program folder) or the file --db names; it must
// pass its check first. Exit status 0 when every day was written, 1 when the database fails its check
// or a lookup fails or the output cannot be written, 2 for bad arguments.
#include "calendar/calendar_engine.h"
#include "core/rule_database.h"
#include "platform/vb/error.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

const QDate kFirstDay(1882, 3, 1);
const QDate kLastDay(2031, 12, 31);

int usage(const QString& why) {
    std::fprintf(stderr,
                 "calendump: %s\nusage: calendump FROM TO [PROGRAM_FOLDER | --db FILE]   (dates as YYYY-MM-DD, "
                 "1882-03-01 to 2031-12-31)\n",
                 qPrintable(why));
    return 2;
}

int failure(const QString& why) {
    std::fprintf(stderr, "calendump: %s\n", qPrintable(why));
    return 1;
}

QString jsonString(const QString& s) {
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20) out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else out += c;
    }
    return out + QLatin1Char('"');
}

bool write(const QByteArray& bytes) {
    return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) ==
           static_cast<std::size_t>(bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    QString database = QDir(QStringLiteral(VEYRA_PROGRAM_DIR)).filePath(QString::fromUtf16(core::kRuleDatabaseName));
    const int db = args.indexOf(QStringLiteral("--db"));
    if (db >= 0) {
        if (db + 1 >= args.size() || args[db + 1].isEmpty()) return usage(QStringLiteral("--db needs a file"));
        database = args[db + 1];
        args.remove(db, 2);
        if (args.size() > 2) return usage(QStringLiteral("give either a program folder or --db"));
    }
    if (args.size() < 2 || args.size() > 3) return usage(QStringLiteral("give FROM and TO"));
    if (args.size() == 3) {
        if (args[2].isEmpty()) return usage(QStringLiteral("empty program folder"));
        database = QDir(args[2]).filePath(QString::fromUtf16(core::kRuleDatabaseName));
    }
    const QDate from = QDate::fromString(args[0], Qt::ISODate);
    const QDate to = QDate::fromString(args[1], Qt::ISODate);
    if (!from.isValid() || !to.isValid()) return usage(QStringLiteral("not a date: %1").arg(from.isValid() ? args[1] : args[0]));
    if (from > to) return usage(QStringLiteral("FROM %1 lies after TO %2").arg(args[0], args[1]));
    if (from < kFirstDay || to > kLastDay)
        return usage(QStringLiteral("%1 lies outside the calendar").arg(from < kFirstDay ? args[0] : args[1]));
    core::setRuleDatabasePath(QFileInfo(database).absoluteFilePath());

    using calendar::CalendarCaption;
    calendar::MemoryCalendarHost host;
    calendar::CalendarEngine engine(host);
    try {
        core::CheckRuleDatabase(core::ruleDatabasePath());
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
            const QString line =
                QStringLiteral("{\"date\":") + jsonString(d.toString(Qt::ISODate)) + QStringLiteral(",\"desc\":") +
                jsonString(desc) + QStringLiteral(",\"grid\":") +
                jsonString(engine.dayTexts()[static_cast<std::size_t>(d.day() - 1)]) + QStringLiteral(",\"label7\":") +
                jsonString(terms[0]) + QStringLiteral(",\"label8\":") + jsonString(terms[1]) +
                QStringLiteral(",\"label9\":") + jsonString(terms[2]) + QStringLiteral(",\"label10\":") +
                jsonString(terms[3]) + QStringLiteral(",\"monthPillarByJie\":") +
                jsonString(host.caption(CalendarCaption::Label1).left(2)) + QStringLiteral(",\"dayPillar\":") +
                jsonString(desc.mid(9, 2)) + QStringLiteral("}\n");
            if (!write(line.toUtf8())) return failure(QStringLiteral("cannot write to standard output"));
        }
    } catch (const vb::Error& e) {
        std::fflush(stdout);
        return failure(QStringLiteral("error %1: %2").arg(e.number()).arg(e.description()));
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) return failure(QStringLiteral("cannot write to standard output"));
    return 0;
}
