// One refresh of the month grid: the three-row load, the day texts and the description of the
// selected day, each opening the rule database as the grid does on every repaint. Goals: a month shown
// again under 20 µs, its first showing under 200 µs.
// A month shown again is served from the rows the database layer kept; the first showing runs the
// queries.
#include "calendar/calendar_engine.h"
#include "platform/dao/dao.h"
#include "platform/dao/jet_sql.h"
#include "platform/dao/statement_shape.h"
#include "platform/vb/folders.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>

#include <sqlite3.h>

namespace {

// Each benchmark selects a day of the year given as its argument; the count runs over the rows
// before that month, so late years cost the most.
struct Bench {
    calendar::MemoryCalendarHost host;
    calendar::CalendarEngine engine{host};
    vb::Date selected;

    explicit Bench(benchmark::State& state) : selected(vb::Date::fromParts(static_cast<int>(state.range(0)), 11, 17)) {
        const QString folder = QStringLiteral(VEYRA_PROGRAM_DIR);
        if (!QFileInfo::exists(folder + QStringLiteral("/zodazire.mdb"))) state.SkipWithError("no rule database");
        vb::setProgramFolder(folder);
    }
};

void MonthGridRefresh(benchmark::State& state) {
    Bench b(state);
    for (auto _ : state) {
        b.engine.LoadCalendarRows(b.selected);
        b.engine.LunarDateText();
        benchmark::DoNotOptimize(b.engine.SolarToLunar(b.selected));
    }
}
BENCHMARK(MonthGridRefresh)->Arg(1900)->Arg(1960)->Arg(2031)->Unit(benchmark::kMicrosecond);

// The first refresh of a month: every iteration shows another month of the year given and the eleven
// years before it, so the engine's kept rows never serve it.
void MonthGridRefreshFirstTime(benchmark::State& state) {
    Bench b(state);
    int step = 0;
    for (auto _ : state) {
        const vb::Date day = b.selected.addMonths(-(step++ % 144));
        b.engine.LoadCalendarRows(day);
        b.engine.LunarDateText();
        benchmark::DoNotOptimize(b.engine.SolarToLunar(day));
        if (step % 144 == 0) {
            // Starting the walk again must find nothing kept: write nothing, but change the file's state.
            state.PauseTiming();
            dao::DBEngine::closeIdleHandles();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(MonthGridRefreshFirstTime)->Arg(1900)->Arg(2031)->Unit(benchmark::kMicrosecond);

// Its two database parts apart.
void LoadCalendarRows(benchmark::State& state) {
    Bench b(state);
    for (auto _ : state) b.engine.LoadCalendarRows(b.selected);
}
BENCHMARK(LoadCalendarRows)->Arg(2031)->Unit(benchmark::kMicrosecond);

void SolarToLunar(benchmark::State& state) {
    Bench b(state);
    b.engine.LoadCalendarRows(b.selected);
    for (auto _ : state) benchmark::DoNotOptimize(b.engine.SolarToLunar(b.selected));
}
BENCHMARK(SolarToLunar)->Arg(1900)->Arg(2031)->Unit(benchmark::kMicrosecond);

// The floor under a first showing: SQLite alone running the month-counting statement, prepared once
// and bound to each month of the walk, on its own read-only handle. What a first showing costs above
// this is the engine's and the database layer's.
void MonthCountingStatementInSqlite(benchmark::State& state) {
    Bench b(state);
    const int id = calendar::CalendarMonthKey(b.selected);
    const auto shape = dao::detail::shapeOf(calendar::MonthCountingSql(id));
    const QByteArray sql = dao::detail::translateJetSql(shape.text).sql.toUtf8();
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_open_v2(VEYRA_PROGRAM_DIR "/zodazire.mdb", &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_close(db);
        return;
    }
    // The month key is the first number of the shape; the others stay as the text gives them.
    for (int i = 1; i < shape.numbers.size(); ++i) sqlite3_bind_int(st, i + 1, shape.numbers[i].toInt());
    int step = 0;
    for (auto _ : state) {
        sqlite3_bind_int(st, 1, id - (step++ % 144));
        sqlite3_step(st);
        benchmark::DoNotOptimize(sqlite3_column_int(st, 1));
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
}
BENCHMARK(MonthCountingStatementInSqlite)->Arg(1900)->Arg(2031)->Unit(benchmark::kMicrosecond);

}  // namespace
