// The item tree of a generated library of 10,000 items, five levels deep with uneven branching, and of
// a chain of 30,000 items each under the one before (goal: refilled in 1 s).
#include "core/globals.h"
#include "library/frm_code_lib.h"
#include "platform/dao/dao.h"
#include "platform/forms/common_dialog.h"
#include "platform/vb/msgbox.h"

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kItems = 10000;
constexpr int kChainDepth = 30000;

enum class Shape { Branching, Chain };

// A work folder holding a copy of the shipped database with generated items.
class Library {
public:
    explicit Library(Shape shape = Shape::Branching, int items = kItems) {
        QFile::copy(QStringLiteral(VEYRA_BUILD_PROGRAM_DIR "/dirovovivov.mdb"), dir_.filePath("dirovovivov.mdb"));
        core::gWorkPath = dir_.path() + u'/';
        core::gWorkDB = dao::DBEngine::defaultWorkspace().openDatabase(dir_.filePath("dirovovivov.mdb"));
        const int base = maxId();
        core::gWorkDB.execute("delete from codeitems");
        QRandomGenerator random(42);
        dao::Workspace ws = dao::DBEngine::defaultWorkspace();
        ws.beginTrans();
        QList<int> ids;
        for (int i = 0; i < items; ++i) {
            // Most items go under one of the recent ones, so the tree grows deep as well as wide.
            int parent = ids.isEmpty() || i % 50 == 0 ? 0 : ids[random.bounded(qMax(0, ids.size() - 200), ids.size())];
            if (shape == Shape::Chain) parent = ids.isEmpty() ? 0 : ids.back();
            core::gWorkDB.execute("insert into codeitems (parentid, description) values (?, ?)",
                                  {parent, QStringLiteral("条目 %1 紫微斗数").arg(random.bounded(100000))});
            ids.append(base + i + 1);  // ids are never given out again, so they follow the old highest
        }
        ws.commitTrans();
        lastId_ = maxId();
        if (lastId_ != base + items) qFatal("unexpected ids in the generated library");
    }
    // The shared connection goes with the folder.
    ~Library() { core::gWorkDB = dao::Database(); }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    static int maxId() {
        dao::Recordset rs = core::gWorkDB.openRecordset("select max(id) from codeitems", dao::dbOpenSnapshot);
        return rs.field(0).value().toLong();
    }
    QString file(const QString& name) const { return dir_.filePath(name); }
    int lastId() const { return lastId_; }

private:
    QTemporaryDir dir_;
    int lastId_ = 0;
};

void BM_FillTree(benchmark::State& state) {
    Library library;
    auto window = std::make_unique<library::FrmCodeLib>();
    window->EnableLibraryCommands(true);
    window->show();
    for (auto _ : state) {
        window->FillTree();
        benchmark::DoNotOptimize(window->tvCodeItems()->topLevelItemCount());
    }
    state.counters["items"] = kItems;
}
BENCHMARK(BM_FillTree)->Unit(benchmark::kMillisecond);

void BM_RefillDeepChain(benchmark::State& state) {
    Library library(Shape::Chain, kChainDepth);
    auto window = std::make_unique<library::FrmCodeLib>();
    window->EnableLibraryCommands(true);
    window->show();
    window->FillTree();
    for (auto _ : state) {
        window->ClearItemTree();
        window->FillTree();
        benchmark::DoNotOptimize(window->tvCodeItems()->topLevelItemCount());
    }
    state.counters["depth"] = kChainDepth;
}
BENCHMARK(BM_RefillDeepChain)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ExportAndImportWholeLibrary(benchmark::State& state) {
    Library library;
    auto window = std::make_unique<library::FrmCodeLib>();
    window->EnableLibraryCommands(true);
    window->show();
    window->FillTree();
    vb::MsgBoxScript boxes;
    forms::DialogScript dialogs;
    for (auto _ : state) {
        window->tvCodeItems()->setCurrentItem(window->nodeByKey(QStringLiteral("ROOT")));
        dialogs.answer(forms::DialogAnswer::save(library.file("all.vcl")));
        window->ExportCodeItems();
        dialogs.answer(forms::DialogAnswer::open(library.file("all.vcl")));
        window->ImportCodeItems();
        state.PauseTiming();
        core::gWorkDB.execute("delete from codeitems where id > ?", {library.lastId()});
        window->FillTree();
        state.ResumeTiming();
    }
    if (boxes.count() != state.iterations() || !boxes.last().text.contains(QString::number(kItems)))
        state.SkipWithError("the import did not report every item");
}
BENCHMARK(BM_ExportAndImportWholeLibrary)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
