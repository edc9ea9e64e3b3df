// One whole chart build on the in-memory surface, the rule database opened and closed by every step
// and lookup as a build does it. Goal: under 1 ms.
#include "chart/birth_inputs.h"
#include "chart/chart_builder.h"
#include "chart/memory_chart_surface.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "core/globals.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

void BM_BuildChart(benchmark::State& state) {
    core::setRuleDatabasePath(QStringLiteral(VEYRA_PROGRAM_DIR "/zodazire.mdb"));
    chart::MemoryChartSurface surface;
    chart::SetBirthCaptions(surface, 1990, "庚午", "五月", "十四", "壬午");
    core::gIsMale = true;
    if (!chart::RefreshChart(surface)) {
        state.SkipWithError(surface.reportedFailures().join('\n').toLocal8Bit().constData());
        return;
    }
    for (auto _ : state) {
        chart::BuildChart(surface);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildChart)->Unit(benchmark::kMillisecond);

// The unit a build repeats about sixty times for brightness and as often for transformations: one
// opening of the rule database, one single-row statement, one closing.
void BM_LookupBrightness(benchmark::State& state) {
    core::setRuleDatabasePath(QStringLiteral(VEYRA_PROGRAM_DIR "/zodazire.mdb"));
    for (auto _ : state) benchmark::DoNotOptimize(chart::LookupBrightness(QStringLiteral("紫微"), 6));
}
BENCHMARK(BM_LookupBrightness)->Unit(benchmark::kMicrosecond);

}  // namespace

