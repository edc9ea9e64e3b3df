// One evaluation of an expression with arithmetic, a memory name and string functions, from a new
// evaluator, as the calculator's equals button does it. Goal: well under a millisecond.
#include "calculator/comp_str.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Evaluate(benchmark::State& state) {
    const QString expression = QStringLiteral("(12.5+`3`)*LEN(\"abcdef\")-MID(\"abcdef\",2,3)/4&FORMAT(\"1234.5\",\"#,##0.00\")");
    for (auto _ : state) {
        calculator::CompStr comp;
        QObject::connect(&comp, &calculator::CompStr::GetGrid, [](QString&, QString& value) { value = QStringLiteral("37"); });
        comp.ErrorText.clear();
        QString text = expression;
        benchmark::DoNotOptimize(comp.GetExp(text));
    }
}
BENCHMARK(BM_Evaluate)->Unit(benchmark::kMicrosecond);

void BM_EvaluateLongSum(benchmark::State& state) {
    const QString expression = QStringLiteral("1+").repeated(3000) + QStringLiteral("1");
    for (auto _ : state) {
        calculator::CompStr comp;
        QString text = expression;
        benchmark::DoNotOptimize(comp.GetExp(text));
    }
}
BENCHMARK(BM_EvaluateLongSum)->Unit(benchmark::kMicrosecond);

}  // namespace
