// The Python module beside python3-convertdate, in one run: Python embedded
// here runs both, each the way a Python program calls it, and Google
// Benchmark times them. At the end the rates are compared with the targets:
// the NumPy conversion of a million JDNs to the Long Count and the Calendar
// Round at least 200 times the dates per second of convertdate in a Python
// loop, and one scalar conversion at least 5 times faster than convertdate's.

#include <benchmark/benchmark.h>
#include <pybind11/embed.h>

#include <malloc.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace py = pybind11;

namespace {

constexpr long long kArrayDays = 1'000'000;

// What each benchmark runs, in Python. The days are those of the Long Count
// from 0.0.0.0.0 to 19.19.19.17.19 under gmt, where convertdate gives a Long
// Count; convertdate takes the Julian Date of the day's midnight, JDN - 0.5.
constexpr const char* kSetup = R"py(
import sys
sys.path.insert(0, PACKAGE_DIR)
import numpy as np
import glyphbox
from convertdate import mayan

GMT = 584283
jdns = np.random.default_rng(2026).integers(GMT, GMT + 2_880_000, DAYS)
jdn_list = [int(j) for j in jdns]
one = jdn_list[0]
LONG_COUNT_AND_CALENDAR_ROUND = ["long_count", "tzolkin", "haab"]

def convertdate_loop():
    for j in jdn_list:
        jd = j - 0.5
        mayan.from_jd(jd), mayan.to_tzolkin(jd), mayan.to_haab(jd)

def convertdate_scalar(n):
    jd = one - 0.5
    for _ in range(n):
        mayan.from_jd(jd), mayan.to_tzolkin(jd), mayan.to_haab(jd)

def glyphbox_arrays():
    return glyphbox.from_jdn(jdns, fields=LONG_COUNT_AND_CALENDAR_ROUND)

def glyphbox_arrays_all():
    return glyphbox.from_jdn(jdns)

def glyphbox_scalar(n):
    values_from_jdn = glyphbox.values_from_jdn
    for _ in range(n):
        values_from_jdn(one)

def glyphbox_day(n):
    from_jdn = glyphbox.Day.from_jdn
    for _ in range(n):
        from_jdn(one)

def glyphbox_day_texts(n):
    from_jdn = glyphbox.Day.from_jdn
    for _ in range(n):
        d = from_jdn(one)
        d.long_count, d.tzolkin, d.haab
)py";

constexpr long long kScalarCalls = 10'000;

py::object function(const char* name) { return py::module_::import("__main__").attr(name); }

// A benchmark of a Python function of no arguments handling `items` dates a call.
void runPython(benchmark::State& state, const char* name, long long items, bool freshMemory) {
  const py::object f = function(name);
  for (auto _ : state) {
    if (freshMemory) {
      // Memory freed by the run before goes back to the system, so this run
      // gets new pages from it, as a program's first conversion does.
      state.PauseTiming();
      malloc_trim(0);
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(f().ptr());
  }
  state.SetItemsProcessed(state.iterations() * items);
}

void runScalar(benchmark::State& state, const char* name) {
  const py::object f = function(name);
  for (auto _ : state) {
    f(kScalarCalls);
  }
  state.SetItemsProcessed(state.iterations() * kScalarCalls);
}

void BM_ConvertdateLoop(benchmark::State& state) {
  runPython(state, "convertdate_loop", kArrayDays, false);
}
void BM_GlyphboxFromJdn(benchmark::State& state) {
  runPython(state, "glyphbox_arrays", kArrayDays, false);
}
void BM_GlyphboxFromJdnFreshMemory(benchmark::State& state) {
  runPython(state, "glyphbox_arrays", kArrayDays, true);
}
void BM_GlyphboxFromJdnAllFields(benchmark::State& state) {
  runPython(state, "glyphbox_arrays_all", kArrayDays, false);
}
void BM_ConvertdateScalar(benchmark::State& state) { runScalar(state, "convertdate_scalar"); }
void BM_GlyphboxValuesFromJdn(benchmark::State& state) { runScalar(state, "glyphbox_scalar"); }
void BM_GlyphboxDayFromJdn(benchmark::State& state) { runScalar(state, "glyphbox_day"); }
void BM_GlyphboxDayTexts(benchmark::State& state) { runScalar(state, "glyphbox_day_texts"); }

// The reporter of the console, which also keeps each benchmark's rate.
class RateKeeper : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (const auto found = run.counters.find("items_per_second"); found != run.counters.end()) {
        rates[run.run_name.function_name] = found->second.value;
      }
    }
  }
  std::map<std::string, double> rates;
};

} // namespace

BENCHMARK(BM_ConvertdateLoop)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GlyphboxFromJdn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlyphboxFromJdnFreshMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlyphboxFromJdnAllFields)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertdateScalar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlyphboxValuesFromJdn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlyphboxDayFromJdn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlyphboxDayTexts)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  // NumPy's arrays of a million days are megabytes each. glibc hands such
  // blocks back to the system when they are freed and maps new ones for
  // the next, so every run would time the system's page faults (which some
  // virtual machines make slower than the conversion itself); kept, they
  // are reused, as in any program that converts more than once. The fresh
  // memory benchmark gives them back on purpose.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);

  benchmark::Initialize(&argc, argv);
  const py::scoped_interpreter python;
  py::dict globals = py::module_::import("__main__").attr("__dict__");
  globals["PACKAGE_DIR"] = GLYPHBOX_PYTHON_PACKAGE_DIR;
  globals["DAYS"] = kArrayDays;
  py::exec(kSetup, globals);

  RateKeeper reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  const auto ratio = [&](const char* ours, const char* theirs, double target) {
    const auto a = reporter.rates.find(ours);
    const auto b = reporter.rates.find(theirs);
    if (a == reporter.rates.end() || b == reporter.rates.end() || b->second <= 0) {
      return;
    }
    const double times = a->second / b->second;
    if (target > 0) {
      std::printf("%-30s %8.1f x %-22s (target %g x: %s)\n", ours, times, theirs, target,
                  times >= target ? "met" : "NOT MET");
    } else {
      std::printf("%-30s %8.1f x %s\n", ours, times, theirs);
    }
  };
  std::printf("\nDates per second against python3-convertdate:\n");
  ratio("BM_GlyphboxFromJdn", "BM_ConvertdateLoop", 200);
  ratio("BM_GlyphboxFromJdnFreshMemory", "BM_ConvertdateLoop", 0);
  ratio("BM_GlyphboxFromJdnAllFields", "BM_ConvertdateLoop", 0);
  ratio("BM_GlyphboxValuesFromJdn", "BM_ConvertdateScalar", 5);
  ratio("BM_GlyphboxDayFromJdn", "BM_ConvertdateScalar", 0);
  ratio("BM_GlyphboxDayTexts", "BM_ConvertdateScalar", 0);
  benchmark::Shutdown();
  return 0;
}
