// chartdump: builds one chart on the in-memory chart surface and prints it as one JSON object.
//
//   chartdump --lunar 甲子 正月 初一 子 男 [--db FILE] [--indent]
//   chartdump --solar 1990-06-06T12:30 male|female [--db FILE] [--indent]
//
// The rule database is zodazire.mdb in the program folder unless --db names another. Exit status 0
// for a built chart, 1 when the build failed (the JSON then carries the error), 2 for bad arguments.
#include "chart/chart_builder.h"
#include "chart/memory_chart_surface.h"
#include "chart/rule_database.h"
#include "core/globals.h"
#include "platform/vb/folders.h"
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
    const int db = args.indexOf(QStringLiteral("--db"));
    if (db >= 0) {
        if (db + 1 >= args.size()) return usage(QStringLiteral("--db needs a file"));
        const QString file = QFileInfo(args[db + 1]).absoluteFilePath();
        chart::setRuleDatabasePath(file);
        vb::setProgramFolder(QFileInfo(file).absolutePath());  // the calendar reads zodazire.mdb there
        args.remove(db, 2);
    }
    if (args.isEmpty()) return usage(QStringLiteral("no birth given"));

    DumpSurface chart;
    bool isMale = true;
    QString error;
    const QString form = args.takeFirst();
    bool ok = false;
    try {
        if (form == QLatin1String("--lunar")) ok = chartdump::setLunarBirth(chart, args, &isMale, &error);
        else if (form == QLatin1String("--solar")) ok = chartdump::setSolarBirth(chart, args, &isMale, &error);
        else return usage(QStringLiteral("unknown form %1").arg(form));
    } catch (const vb::Error& e) {
        std::fprintf(stderr, "chartdump: %s\n", e.what());
        return 1;
    }
    if (!ok) return usage(error);

    core::gIsMale = isMale;
    const bool built = chart::RefreshChart(chart);
    const QJsonDocument doc(chartdump::chartToJson(chart, chart.error));
    const QByteArray json = doc.toJson(indent ? QJsonDocument::Indented : QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    if (!indent) std::fputc('\n', stdout);
    return built ? 0 : 1;
}
