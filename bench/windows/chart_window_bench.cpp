// Opening the chart window on a stored case up to the built chart: the window made and loaded, its
// calendar on the birth month, the chart built, the conclusion read from the work database; then
// closing it again, which stores the conclusion. Goal: under 50 ms for the opening.
#include "core/globals.h"
#include "core/work_database.h"
#include "platform/dao/dao.h"
#include "platform/forms/form_registry.h"
#include "platform/vb/folders.h"
#include "windows/frm_ba_zi.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

QTemporaryDir* gWorkFolder = nullptr;

void prepareWorkDatabase() {
    core::gWorkPath = gWorkFolder->path() + QStringLiteral("/");
    dao::Database db = dao::DBEngine::createDatabase(core::workDatabasePath(core::gWorkPath));
    db.execute(QString::fromUtf16(core::kCodeFilesTableDdl));
    db.execute(QStringLiteral("INSERT INTO codefiles (CodeID, NAME, xingbie, borntime, jielun) "
                              "VALUES (1, '甲', '男', '1990-6-6 8:15', '命宫紫微天府同宫。')"));
    db.close();
}

void BM_OpenChartWindow(benchmark::State& state) {
    vb::setProgramFolder(QStringLiteral(VEYRA_PROGRAM_DIR));
    const vb::Date birth = vb::Date::fromParts(1990, 6, 6, 8, 15);
    for (auto _ : state) {
        if (!windows::openCase(birth, true, 1, QStringLiteral("甲"))) {
            state.SkipWithError("the window did not open");
            return;
        }
        state.PauseTiming();
        forms::unloadInstance<windows::FrmBaZi>();
        forms::deleteUnloadedForms();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenChartWindow)->Unit(benchmark::kMillisecond);

// The window already open turns to another case: the shown conclusion stored, the calendar, chart
// and conclusion reloaded.
void BM_ReopenForAnotherCase(benchmark::State& state) {
    vb::setProgramFolder(QStringLiteral(VEYRA_PROGRAM_DIR));
    bool first = true;
    for (auto _ : state) {
        const vb::Date birth = first ? vb::Date::fromParts(1990, 6, 6, 8, 15) : vb::Date::fromParts(2001, 5, 9, 23, 30);
        windows::openCase(birth, first, first ? 1 : 0, QString());
        first = !first;
    }
    forms::unloadInstance<windows::FrmBaZi>();
    forms::deleteUnloadedForms();
}
BENCHMARK(BM_ReopenForAnotherCase)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir user;
    setenv("XDG_DATA_HOME", (user.path() + "/data").toUtf8().constData(), 1);
    setenv("XDG_CONFIG_HOME", (user.path() + "/config").toUtf8().constData(), 1);
    QApplication app(argc, argv);
    QTemporaryDir work;
    gWorkFolder = &work;
    prepareWorkDatabase();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    forms::unloadAll(forms::vbFormCode);
    forms::deleteUnloadedForms();
    core::gWorkDB = dao::Database();
    return 0;
}
