// Percentile searches: the engine's search (whole-number stage by bisection) against the
// literal step search, per call, at the largest sample size and at small ones.
#include <benchmark/benchmark.h>

#include "bench/literal_search.h"
#include "stats/distributions.h"

namespace {

// Arguments: degrees of freedom, probability in thousandths.
void Degrees(benchmark::internal::Benchmark* b) {
  for (int n : {4, 99, 999, 29999}) {
    b->Args({n, 50});
    b->Args({n, 950});
  }
}

void BM_ChiSquarePercentile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const double p = state.range(1) * 0.001;
  for (auto _ : state) benchmark::DoNotOptimize(ChiSquarePercentile(n, p));
}
BENCHMARK(BM_ChiSquarePercentile)->Apply(Degrees)->Unit(benchmark::kMicrosecond);

void BM_LiteralChiSquarePercentile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const double p = state.range(1) * 0.001;
  for (auto _ : state) benchmark::DoNotOptimize(LiteralChiSquarePercentile(n, p));
}
BENCHMARK(BM_LiteralChiSquarePercentile)->Apply(Degrees)->Unit(benchmark::kMicrosecond);

void BM_StudentTPercentile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const double p = state.range(1) * 0.001;
  for (auto _ : state) benchmark::DoNotOptimize(StudentTPercentile(n, p));
}
BENCHMARK(BM_StudentTPercentile)->Apply(Degrees)->Unit(benchmark::kMicrosecond);

void BM_LiteralStudentTPercentile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const double p = state.range(1) * 0.001;
  for (auto _ : state) benchmark::DoNotOptimize(LiteralStudentTPercentile(n, p));
}
BENCHMARK(BM_LiteralStudentTPercentile)->Apply(Degrees)->Unit(benchmark::kMicrosecond);

// One whole analysis-sized tail evaluation, the unit of both searches' cost.
void BM_ChiSquareUpperTail(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ChiSquareUpperTail(n, n + 0.5));
}
BENCHMARK(BM_ChiSquareUpperTail)->Arg(999)->Arg(29999)->Unit(benchmark::kMicrosecond);

}  // namespace
