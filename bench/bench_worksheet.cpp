// The inscription worksheet: 100,000 lines answered, by the library and by
// glyphbox-cli inscription from a file to /dev/null.

#include <glyphbox/cli/command.h>
#include <glyphbox/maya/clues.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/rows/worksheet.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace glyphbox;

constexpr int kLines = 100'000;

// A reading as epigraphers write them: an anchor with its Calendar Round
// every fifty lines, distance numbers of every size between, each with the
// clues of the day it reaches (Calendar Round, Lord, 819-day count, year
// bearer by turns), one in ten with a Haab day misread, and comments.
std::string realisticWorksheet(int lines) {
  const auto clue = [](maya::ClueKind kind, std::int64_t d) {
    return maya::clueValueText(kind, d, maya::Spelling::Colonial, maya::HaabNumbering::Seating0);
  };
  std::string text;
  std::int64_t d = 1'386'478; // 9.12.11.5.18
  for (int i = 0; i < lines; ++i) {
    std::string line;
    if (i % 50 == 0) {
      d = 1'300'000 + (static_cast<std::int64_t>(i) * 7'919) % 300'000;
      line = maya::longCountText(d);
    } else {
      const std::int64_t step = (static_cast<std::int64_t>(i) * 104'729) % 20'000 - 9'000;
      d += step;
      // Distances with their direction, largest place first or in days.
      line = step >= 0 ? "+" : "-";
      line += i % 2 == 0 ? maya::longCountDistanceText(step < 0 ? -step : step)
                         : std::to_string(step < 0 ? -step : step) + "d";
    }
    line += " " + clue(maya::ClueKind::Tzolkin, d);
    std::string haab = clue(maya::ClueKind::Haab, d);
    if (i % 10 == 3) { // a Haab day misread by five
      const std::size_t blank = haab.find(' ');
      haab = std::to_string((std::stoi(haab.substr(0, blank)) + 5) % 20) + haab.substr(blank);
    }
    line += " " + haab;
    switch (i % 4) {
    case 0:
      line += " " + clue(maya::ClueKind::Lord, d);
      break;
    case 1:
      line += " " + clue(maya::ClueKind::Since819, d) + " " + clue(maya::ClueKind::Quarter819, d);
      break;
    case 2:
      line += " " + clue(maya::ClueKind::Bearer, d);
      break;
    default:
      line += "   # the next clause";
      break;
    }
    text += line + "\n";
  }
  return text;
}

const std::string& worksheet() {
  static const std::string text = realisticWorksheet(kLines);
  return text;
}

// answerWorksheet alone: every line read, checked and its misreadings found.
void BM_WorksheetAnswers(benchmark::State& state) {
  const rows::ConversionSettings settings;
  const std::string& text = worksheet(); // written before the clock starts
  for (auto _ : state) {
    const std::vector<rows::AnsweredLine> answers = rows::answerWorksheet(text, settings);
    benchmark::DoNotOptimize(answers.data());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_WorksheetAnswers)->Unit(benchmark::kMillisecond);

// glyphbox-cli inscription FILE > /dev/null, in the plain lines and in JSON.
void runInscription(benchmark::State& state, std::vector<const char*> argv) {
  std::FILE* file = std::tmpfile();
  std::fwrite(worksheet().data(), 1, worksheet().size(), file);
  std::fflush(file);
  const int in = ::dup(fileno(file));
  const int out = ::open("/dev/null", O_WRONLY);
  for (auto _ : state) {
    ::lseek(in, 0, SEEK_SET);
    const int status = cli::run(static_cast<int>(argv.size()), argv.data(), in, out, out);
    if (status != cli::kExitRefused) { // the misread clues disagree
      state.SkipWithError("unexpected exit status");
    }
  }
  state.SetItemsProcessed(state.iterations() * kLines);
  ::close(out);
  ::close(in);
  std::fclose(file);
}

void BM_InscriptionPlain(benchmark::State& state) {
  runInscription(state, {"glyphbox-cli", "inscription"});
}
BENCHMARK(BM_InscriptionPlain)->Unit(benchmark::kMillisecond);

void BM_InscriptionJson(benchmark::State& state) {
  runInscription(state, {"glyphbox-cli", "inscription", "--format", "json"});
}
BENCHMARK(BM_InscriptionJson)->Unit(benchmark::kMillisecond);

} // namespace
