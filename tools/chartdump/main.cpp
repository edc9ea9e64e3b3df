// chartdump: builds one chart on the in-memory chart surface and prints it as one JSON object.
//
//   chartdump --lunar 甲子 正月 初一 子 男 [--db FILE] [--indent]
//   chartdump --solar 1990-06-06T12:30 male|female [--db FILE] [--indent]
//
// The rule database is zodazire.mdb in the program folder unless --db names another; every lookup,
// the calendar's too, reads that one file, and it must pass its check first. Exit status 0 for a
// built chart written out, 1 when the database fails its check, the build fails (the JSON then
// carries the error) or the output cannot be written, 2 for bad arguments.
#include "chart/chart_builder.h"
#include "chart/memory_chart_surface.h"
#include "core/globals.h"
#include "core/rule_database.h"
#include "platform/vb/error.h"
#include "tools/chartdump/birth_input.h"
#include "tools/chartdump/chart_json.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>

namespace {

int usage(const QString& why) {
    std::fprintf(stderr, "chartdump: %s\nusage: chartdump --lunar 甲子 正月 初一 子 男 | --solar YYYY-MM-DDTHH:MM male|female"
                         " [--db FILE] [--indent]\n",
                 why.toLocal8Bit().constData());
    return 2;
}

int failure(const QString& why) {
    std::fprintf(stderr, "chartdump: %s\n", why.toLocal8Bit().constData());
    return 1;
}

// Keeps the first failure's text; the surface would be told of it once.
class DumpSurface : public chart::MemoryChartSurface {
public:
    void reportBuildFailure(const QString& text) override {
        MemoryChartSurface::reportBuildFailure(text);
        if (error.isEmpty()) error = text;
    }
    QString error;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    bool indent = false;
    if (args.removeAll(QStringLiteral("--indent")) > 0) indent = true;
    if (args.count(QStringLiteral("--db")) > 1) return usage(QStringLiteral("--db given twice"));
    const int db = args.indexOf(QStringLiteral("--db"));
    if (db >= 0) {
        if (db + 1 >= args.size() || args[db + 1].isEmpty()) return usage(QStringLiteral("--db needs a file"));
        core::setRuleDatabasePath(QFileInfo(args[db + 1]).absoluteFilePath());
        args.remove(db, 2);
    }
    if (args.isEmpty()) return usage(QStringLiteral("no birth given"));

    DumpSurface chart;
    bool isMale = true;
    QString error;
    const QString form = args.takeFirst();
    if (form != QLatin1String("--lunar") && form != QLatin1String("--solar"))
        return usage(QStringLiteral("unknown form %1").arg(form));
    bool ok = false;
    try {
        core::CheckRuleDatabase(core::ruleDatabasePath());
        if (form == QLatin1String("--lunar")) ok = chartdump::setLunarBirth(chart, args, &isMale, &error);
        else ok = chartdump::setSolarBirth(chart, args, &isMale, &error);
    } catch (const vb::Error& e) {
        return failure(QStringLiteral("error %1: %2").arg(e.number()).arg(e.description()));
    }
    if (!ok) return usage(error);

    core::gIsMale = isMale;
    const bool built = chart::RefreshChart(chart);
    const QJsonDocument doc(chartdump::chartToJson(chart, chart.error));
    QByteArray json = doc.toJson(indent ? QJsonDocument::Indented : QJsonDocument::Compact);
    if (!indent) json += '\n';
    const bool written = std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout) ==
                             static_cast<std::size_t>(json.size()) &&
                         std::fflush(stdout) == 0;
    if (!written) return failure(QStringLiteral("cannot write the chart to standard output"));
    return built ? 0 : 1;
}
