#include <glyphbox/engine/maya_date.h>
#include <glyphbox/testing/stepping.h>

#include <benchmark/benchmark.h>

namespace {

using namespace glyphbox::engine;
namespace stepping = glyphbox::testing::stepping;

// Read through a volatile so the compiler cannot fold the calculation away.
volatile double gYear = 2000.0;

// A full calculation of 1 January 2000 CE as the program does it.
void BM_FullCalculationDirect(benchmark::State& state) {
  for (auto _ : state) {
    const double year = gYear;
    MayaDate m = calculateMayaDate(year, Era::CE, Int16(1), Int16(1));
    benchmark::DoNotOptimize(m);
  }
}
BENCHMARK(BM_FullCalculationDirect);

// The same date with the Tzolkin and Haab found by stepping day by day from
// the epoch, the definition the direct computation is checked against.
void BM_FullCalculationStepping(benchmark::State& state) {
  for (auto _ : state) {
    const double year = gYear;
    const DayCounts counts = computeDayCounts(year, Era::CE, Int16(1), Int16(1));
    const LongCount lc = computeLongCount(counts.cycleDayCount);
    TzolkinDate tz = stepping::steppedTzolkin(counts.dayCount, lc.kin);
    HaabDate haab = stepping::steppedHaab(counts.dayCount);
    benchmark::DoNotOptimize(tz);
    benchmark::DoNotOptimize(haab);
  }
}
BENCHMARK(BM_FullCalculationStepping)->Unit(benchmark::kMillisecond);

} // namespace
