#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/civil.h>
#include <glyphbox/maya/correlation.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/names.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace glyphbox::maya;

// Pseudo-random days between JDN 0 and 5,000,000 (4713 BCE to 8977 CE), so
// that neither the branch predictor nor the compiler sees one date over and over.
std::vector<CivilDate> sampleDates(Calendar calendar) {
  std::vector<CivilDate> dates;
  std::int64_t jdn = 0;
  for (int i = 0; i < 4096; ++i) {
    jdn = (jdn * 1103515245 + 12345) % 5'000'000;
    dates.push_back(fromJdn(jdn, calendar).value);
  }
  return dates;
}

// One line's worth of work for a converter: a date to its JDN, then the Long
// Count and the Calendar Round written as text.
void BM_DateToLongCountAndCalendarRoundText(benchmark::State& state) {
  const auto calendar = static_cast<Calendar>(state.range(0));
  const std::vector<CivilDate> dates = sampleDates(calendar);
  char buffer[kMaxLongCountText + 1 + kMaxCalendarRoundText];
  std::size_t i = 0;
  for (auto _ : state) {
    const Result<std::int64_t, CivilError> jdn = toJdn(dates[i++ & 4095], calendar);
    const std::int64_t d = jdn.value - kGmtCorrelation;
    char* out = writeLongCount(buffer, d);
    *out++ = ' ';
    out = writeCalendarRound(out, d, Spelling::Colonial, HaabNumbering::Seating0);
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DateToLongCountAndCalendarRoundText)
    ->Arg(static_cast<int>(Calendar::Gregorian))
    ->Arg(static_cast<int>(Calendar::Julian))
    ->Arg(static_cast<int>(Calendar::Historical));

void BM_DateToJdn(benchmark::State& state) {
  const auto calendar = static_cast<Calendar>(state.range(0));
  const std::vector<CivilDate> dates = sampleDates(calendar);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(toJdn(dates[i++ & 4095], calendar));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DateToJdn)
    ->Arg(static_cast<int>(Calendar::Gregorian))
    ->Arg(static_cast<int>(Calendar::Julian))
    ->Arg(static_cast<int>(Calendar::Historical));

void BM_JdnToDate(benchmark::State& state) {
  const auto calendar = static_cast<Calendar>(state.range(0));
  std::int64_t jdn = 0;
  for (auto _ : state) {
    jdn = (jdn + 7919) % 5'000'000;
    benchmark::DoNotOptimize(fromJdn(jdn, calendar));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JdnToDate)
    ->Arg(static_cast<int>(Calendar::Gregorian))
    ->Arg(static_cast<int>(Calendar::Julian))
    ->Arg(static_cast<int>(Calendar::Historical));

void BM_ParseLongCount(benchmark::State& state) {
  const char* texts[] = {"9.12.11.5.18", "13.0.0.0.0", "-0.0.0.1.5", "12.19.19.17.19"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(parseLongCount(texts[i++ & 3]));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseLongCount);

} // namespace
