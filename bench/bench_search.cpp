#include <glyphbox/maya/search.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <stdexcept>

namespace {

using namespace glyphbox::maya;

Matcher compiled(const Pattern& p) {
  CompileResult r = compile(p);
  if (!r.ok())
    throw std::logic_error(r.refusal);
  return *r.matcher;
}

LongCountPattern fivePlaces(std::optional<std::int64_t> baktun) {
  LongCountPattern lc;
  lc.digits[0] = baktun;
  return lc;
}

// A million Haab years either side of 0.0.0.0.0.
constexpr DayRange kMillionYears{-365'000'000, 365'000'000};

// 9.*.*.*.* 8 Ahau 13 Pop: compile and list every match in baktun 9.
void BM_BaktunNineCalendarRoundList(benchmark::State& state) {
  Pattern p;
  p.longCount = fivePlaces(9);
  p.tzolkinNumber = 8, p.tzolkinName = 0, p.haabMonth = 1, p.haabDay = 13;
  for (auto _ : state) {
    const Matcher m = compiled(p);
    std::int64_t sum = 0;
    forEachMatch(m, searchRange(p), [&sum](std::int64_t d) {
      sum += d;
      return true;
    });
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_BaktunNineCalendarRoundList)->Unit(benchmark::kMicrosecond);

Pattern everyDayUnderG9() {
  Pattern p;
  p.longCount = fivePlaces(std::nullopt);
  p.lord = 9;
  return p;
}

// *.*.*.*.* G9 over the default range: count all 320,000 matches.
void BM_LordCountDefaultRange(benchmark::State& state) {
  const Pattern p = everyDayUnderG9();
  for (auto _ : state) {
    const Matcher m = compiled(p);
    benchmark::DoNotOptimize(count(m, kDefaultRange));
  }
}
BENCHMARK(BM_LordCountDefaultRange)->Unit(benchmark::kMicrosecond);

// *.*.*.*.* G9: list the first 10,000 matches.
void BM_LordListFirst10000(benchmark::State& state) {
  const Pattern p = everyDayUnderG9();
  for (auto _ : state) {
    const Matcher m = compiled(p);
    int seen = 0;
    std::int64_t sum = 0;
    forEachMatch(m, kDefaultRange, [&](std::int64_t d) {
      sum += d;
      return ++seen < 10'000;
    });
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_LordListFirst10000)->Unit(benchmark::kMicrosecond);

Pattern creationCalendarRound() {
  Pattern p;
  p.tzolkinNumber = 4, p.tzolkinName = 0, p.haabMonth = 18, p.haabDay = 8;
  return p;
}

// 4 Ahau 8 Cumku alone, counted over two million years.
void BM_CalendarRoundCountMillionYears(benchmark::State& state) {
  const Pattern p = creationCalendarRound();
  for (auto _ : state) {
    const Matcher m = compiled(p);
    benchmark::DoNotOptimize(count(m, kMillionYears));
  }
}
BENCHMARK(BM_CalendarRoundCountMillionYears)->Unit(benchmark::kMicrosecond);

// 4 Ahau 8 Cumku: the matches around a day a million years ahead.
void BM_CalendarRoundNextPrevMillionYears(benchmark::State& state) {
  const Matcher m = compiled(creationCalendarRound());
  for (auto _ : state) {
    benchmark::DoNotOptimize(next(m, kMillionYears.last));
    benchmark::DoNotOptimize(prev(m, kMillionYears.last));
  }
}
BENCHMARK(BM_CalendarRoundNextPrevMillionYears)->Unit(benchmark::kNanosecond);

// Haab day 0 of any month with the name Ik, counted over the default range.
void BM_HaabDayWithNameCountDefaultRange(benchmark::State& state) {
  Pattern p;
  p.haabDay = 0, p.tzolkinName = 2;
  for (auto _ : state) {
    const Matcher m = compiled(p);
    benchmark::DoNotOptimize(count(m, kDefaultRange));
  }
}
BENCHMARK(BM_HaabDayWithNameCountDefaultRange)->Unit(benchmark::kMicrosecond);

// A harder shape for the walk: a fixed katun and uinal with a Haab month
// and a Lord, whose matches come in short runs, over the default range.
void BM_ScatteredPlacesCountDefaultRange(benchmark::State& state) {
  Pattern p;
  p.longCount = fivePlaces(std::nullopt);
  p.longCount->digits[1] = 3;
  p.longCount->digits[3] = 5;
  p.haabMonth = 7;
  p.lord = 4;
  for (auto _ : state) {
    const Matcher m = compiled(p);
    benchmark::DoNotOptimize(count(m, kDefaultRange));
  }
}
BENCHMARK(BM_ScatteredPlacesCountDefaultRange)->Unit(benchmark::kMicrosecond);

} // namespace
