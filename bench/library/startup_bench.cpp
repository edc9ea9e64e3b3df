// Start-up to the library window shown: the starter library, and a library of 10,000 items.
// Run from the build tree (it uses the program folder build/bin); it works in throw-away user folders.
#include "core/globals.h"
#include "core/settings.h"
#include "library/frm_code_lib.h"
#include "platform/dao/dao.h"
#include "platform/forms/form_registry.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void startAndStop(benchmark::State& state, const QString& lastDB) {
    vb::MsgBoxScript boxes;
    core::saveSetting(QStringLiteral("CompactOnExit"), vb::Variant(false));
    for (auto _ : state) {
        if (!lastDB.isEmpty()) core::saveSetting(QStringLiteral("LastDB"), vb::Variant(lastDB));
        auto& w = forms::defaultInstance<library::FrmCodeLib>();
        w.Show();
        QApplication::processEvents();
        state.PauseTiming();
        w.Unload(forms::vbAppTaskManager);
        forms::deleteUnloadedForms();
        state.ResumeTiming();
    }
    if (boxes.count() > 0) state.SkipWithError(boxes.last().text.toStdString().c_str());
}

void BM_StartWithStarterLibrary(benchmark::State& state) { startAndStop(state, QString()); }
BENCHMARK(BM_StartWithStarterLibrary)->Unit(benchmark::kMillisecond);

void BM_StartWith10000Items(benchmark::State& state) {
    static QTemporaryDir folder;
    const QString database = folder.filePath(QStringLiteral("dirovovivov.mdb"));
    if (!QFile::exists(database)) {
        QFile::copy(vb::joinPath(vb::programFolder(), QStringLiteral("dirovovivov.mdb")), database);
        QFile::setPermissions(database, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        dao::Workspace ws = dao::DBEngine::defaultWorkspace();
        dao::Database db = ws.openDatabase(database);
        dao::Recordset last = db.openRecordset(QStringLiteral("select max(id) as m from codeitems"), dao::dbOpenSnapshot);
        const int32_t base = last.value(QStringLiteral("m")).toLong();
        last.close();
        ws.beginTrans();
        // Every item after the first twenty hangs under one of the items made before it.
        for (int32_t i = 1; i <= 10000; ++i) {
            const int32_t parent = i <= 20 ? 0 : base + 1 + (i * 7919) % (i - 1);
            db.execute(QStringLiteral("insert into codeitems (id, parentid, description) values (?, ?, ?)"),
                       {vb::Variant(base + i), vb::Variant(parent), vb::Variant(QStringLiteral("条目 %1").arg(i))});
        }
        ws.commitTrans();
        db.close();
    }
    startAndStop(state, folder.path() + u'/');
}
BENCHMARK(BM_StartWith10000Items)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    for (const char* sub : {"data", "config", "runtime"}) QDir().mkpath(home.filePath(QString::fromLatin1(sub)));
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.filePath("runtime").toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vb::setProgramFolder(QStringLiteral(VEYRA_BENCH_PROGRAM_DIR));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
