// The check of the rule database at start-up and in the dump tools: every table's digest recomputed
// and compared. Goal: under 20 ms.
#include "core/rule_database.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CheckRuleDatabase(benchmark::State& state) {
    const QString path = QStringLiteral(VEYRA_PROGRAM_DIR "/zodazire.mdb");
    for (auto _ : state) core::CheckRuleDatabase(path);
}
BENCHMARK(BM_CheckRuleDatabase)->Unit(benchmark::kMillisecond);

}  // namespace
