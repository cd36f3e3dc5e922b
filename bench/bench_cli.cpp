#include <glyphbox/cli/converter.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// Dates from standard input to standard output: a temporary file of dates
// stands in for the pipe, and the output goes to /dev/null.
void BM_CliThroughput(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  std::FILE* in = std::tmpfile();
  for (int i = 0; i < lines; ++i) {
    std::fprintf(in, "%d-%02d-%02d%s\n", 1 + (i * 7) % 4000, 1 + i % 12, 1 + i % 28,
                 i % 5 == 0 ? " BCE" : "");
  }
  std::FILE* out = std::fopen("/dev/null", "w");
  for (auto _ : state) {
    std::rewind(in);
    const char* argv[] = {"glyphbox-cli"};
    const int status = glyphbox::cli::run(1, argv, in, out, stderr);
    if (status != 0) {
      state.SkipWithError("converter refused a date");
    }
  }
  state.SetItemsProcessed(state.iterations() * lines);
  std::fclose(out);
  std::fclose(in);
}
BENCHMARK(BM_CliThroughput)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace
