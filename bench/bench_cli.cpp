#include <glyphbox/cli/command.h>
#include <glyphbox/testing/reference.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kLines = 3'000'000;

// Realistic dates: years of four millennia around the epoch and now, every
// month and day, one in five BCE.
std::string realisticDates(int lines) {
  std::string text;
  char line[32];
  for (int i = 0; i < lines; ++i) {
    const int n = std::snprintf(line, sizeof line, "%d-%02d-%02d%s\n", 1 + (i * 7) % 4000,
                                1 + i % 12, 1 + i % 28, i % 5 == 0 ? " BCE" : "");
    text.append(line, static_cast<std::size_t>(n));
  }
  return text;
}

// Four in five lines refused, each for another reason.
std::string mostlyRefused(int lines) {
  static const char* const kBad[] = {"2000-13-01", "2001-02-29", "hello", "2000-01-01 AD"};
  std::string text;
  char line[32];
  for (int i = 0; i < lines; ++i) {
    if (i % 5 == 4) {
      const int n = std::snprintf(line, sizeof line, "%d-%02d-%02d\n", 1 + (i * 7) % 4000,
                                  1 + i % 12, 1 + i % 28);
      text.append(line, static_cast<std::size_t>(n));
    } else {
      text.append(kBad[i % 4]).append("\n");
    }
  }
  return text;
}

// A temporary file holding `text`, opened for reading.
int fileOf(const std::string& text) {
  std::FILE* f = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), f);
  std::fflush(f);
  return ::dup(fileno(f));
}

// The converter from a file of dates to /dev/null, as `glyphbox-cli < file > /dev/null`.
void runConverter(benchmark::State& state, const std::string& text, std::vector<const char*> argv,
                  int expected) {
  const int in = fileOf(text);
  const int out = ::open("/dev/null", O_WRONLY);
  for (auto _ : state) {
    ::lseek(in, 0, SEEK_SET);
    const int status = glyphbox::cli::run(static_cast<int>(argv.size()), argv.data(), in, out, out);
    if (status != expected) {
      state.SkipWithError("unexpected exit status");
    }
  }
  state.SetItemsProcessed(state.iterations() * kLines);
  ::close(out);
  ::close(in);
}

void BM_CliPlain(benchmark::State& state) {
  static const std::string text = realisticDates(kLines);
  runConverter(state, text, {"glyphbox-cli"}, 0);
}
BENCHMARK(BM_CliPlain)->Unit(benchmark::kMillisecond);

void BM_CliTsv(benchmark::State& state) {
  static const std::string text = realisticDates(kLines);
  runConverter(state, text, {"glyphbox-cli", "--tsv"}, 0);
}
BENCHMARK(BM_CliTsv)->Unit(benchmark::kMillisecond);

// The scholarly conversions: a correlation instead of the window's arithmetic.
void BM_CliGmtPlain(benchmark::State& state) {
  static const std::string text = realisticDates(kLines);
  runConverter(state, text, {"glyphbox-cli", "--correlation", "gmt"}, 0);
}
BENCHMARK(BM_CliGmtPlain)->Unit(benchmark::kMillisecond);

void BM_CliGmtTsv(benchmark::State& state) {
  static const std::string text = realisticDates(kLines);
  runConverter(state, text, {"glyphbox-cli", "--correlation", "gmt", "--tsv"}, 0);
}
BENCHMARK(BM_CliGmtTsv)->Unit(benchmark::kMillisecond);

void BM_CliJulianCsv(benchmark::State& state) {
  static const std::string text = realisticDates(kLines);
  runConverter(state, text,
               {"glyphbox-cli", "--correlation", "gmt", "--calendar", "julian", "--format", "csv"},
               0);
}
BENCHMARK(BM_CliJulianCsv)->Unit(benchmark::kMillisecond);

void BM_CliHistoricalJson(benchmark::State& state) {
  static const std::string text = realisticDates(kLines);
  runConverter(state, text,
               {"glyphbox-cli", "--correlation", "lounsbury", "--calendar", "historical",
                "--spelling", "modern", "--format", "json"},
               0);
}
BENCHMARK(BM_CliHistoricalJson)->Unit(benchmark::kMillisecond);

void BM_CliMostlyRefused(benchmark::State& state) {
  static const std::string text = mostlyRefused(kLines);
  runConverter(state, text, {"glyphbox-cli"}, 1);
}
BENCHMARK(BM_CliMostlyRefused)->Unit(benchmark::kMillisecond);

// The straightforward conversion the fast path replaced (the window's double
// arithmetic, texts built as strings, a message built per refused line), over
// the same inputs and written the same way: the "before" beside each "after".
void runReference(benchmark::State& state, const std::string& text,
                  glyphbox::testing::ReferenceFormat format) {
  std::FILE* out = std::fopen("/dev/null", "w");
  for (auto _ : state) {
    long long number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t end = text.find('\n', start);
      const auto r = glyphbox::testing::referenceConvert(
          std::string_view(text).substr(start, end - start),
          {glyphbox::rows::Origin::Kind::Line, ++number}, format);
      std::fwrite(r.out.data(), 1, r.out.size(), out);
      if (!r.err.empty()) {
        std::fflush(out);
        std::fwrite(r.err.data(), 1, r.err.size(), out);
      }
      start = end + 1;
    }
    std::fflush(out);
  }
  state.SetItemsProcessed(state.iterations() * kLines);
  std::fclose(out);
}

void BM_ReferencePlain(benchmark::State& state) {
  static const std::string text = realisticDates(kLines);
  runReference(state, text, glyphbox::testing::ReferenceFormat::Plain);
}
BENCHMARK(BM_ReferencePlain)->Unit(benchmark::kMillisecond);

void BM_ReferenceTsv(benchmark::State& state) {
  static const std::string text = realisticDates(kLines);
  runReference(state, text, glyphbox::testing::ReferenceFormat::Tsv);
}
BENCHMARK(BM_ReferenceTsv)->Unit(benchmark::kMillisecond);

void BM_ReferenceMostlyRefused(benchmark::State& state) {
  static const std::string text = mostlyRefused(kLines);
  runReference(state, text, glyphbox::testing::ReferenceFormat::Plain);
}
BENCHMARK(BM_ReferenceMostlyRefused)->Unit(benchmark::kMillisecond);

} // namespace
