// Glyphbox Workbench's speed as a user feels it, on Qt's offscreen platform:
// the window built, shown and painted; one keystroke answered and the view
// repainted; a search of the whole default range listed and its table painted.

#include <glyphbox/workbench/date_view.h>
#include <glyphbox/workbench/search_view.h>
#include <glyphbox/workbench/workbench_window.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QSettings>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

using glyphbox::workbench::WorkbenchWindow;

QString scratchSettings() {
  return QDir::temp().filePath(
      QStringLiteral("glyphbox_bench_%1.conf").arg(QCoreApplication::applicationPid()));
}

// A window as a user's first run opens it, painted once.
std::unique_ptr<WorkbenchWindow> openWindow(QSettings& store) {
  auto window = std::make_unique<WorkbenchWindow>(store);
  window->show();
  while (!window->windowHandle()->isExposed()) {
    QApplication::processEvents();
  }
  window->repaint();
  return window;
}

// From nothing to a window shown and painted, settings read; the toolkit
// itself is started once, before.
void BM_WindowShown(benchmark::State& state) {
  QSettings store(scratchSettings(), QSettings::IniFormat);
  for (auto _ : state) {
    auto window = openWindow(store);
    benchmark::DoNotOptimize(window.get());
    state.PauseTiming();
    window.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WindowShown)->Unit(benchmark::kMillisecond);

// One keystroke answered (the input read, every value written, the picture
// laid out) and the view repainted, values and picture: a key typed at the
// end of an input, then erased, by turns, both answered in full.
void BM_KeystrokeAnswered(benchmark::State& state, const char* text, char key) {
  QSettings store(scratchSettings(), QSettings::IniFormat);
  auto window = openWindow(store);
  QLineEdit* input = window->dateView()->input();
  input->setText(QString::fromLatin1(text));
  input->setFocus();
  bool typed = false;
  for (auto _ : state) {
    if (typed) {
      QTest::keyClick(input, Qt::Key_Backspace);
    } else {
      QTest::keyClick(input, key);
    }
    typed = !typed;
    window->dateView()->repaint();
  }
  if (!window->dateView()->day()) {
    state.SkipWithError("the input names no day");
  }
}
BENCHMARK_CAPTURE(BM_KeystrokeAnswered, long_count, "9.12.11.5.1", '8')
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeystrokeAnswered, gregorian_date, "2012-12-2", '1')
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeystrokeAnswered, inscription_date, "9.12.11.5.18 6 Etznab 11 Yax G1", ' ')
    ->Unit(benchmark::kMillisecond);

// A pattern typed whole (one change of the pattern line) over the whole
// default range, 0.0.0.0.0 to 19.19.19.17.19: compiled, counted, listed up
// to the 10,000 rows of the default limit, and the table painted.
void BM_SearchListed(benchmark::State& state, const char* pattern) {
  QSettings store(scratchSettings(), QSettings::IniFormat);
  auto window = openWindow(store);
  window->showView(WorkbenchWindow::View::Search);
  QLineEdit* input = window->searchView()->patternInput();
  int rows = 0;
  std::int64_t matches = 0;
  for (auto _ : state) {
    input->setText(QString::fromLatin1(pattern));
    window->searchView()->table()->repaint();
    state.PauseTiming();
    rows = window->searchView()->table()->model()->rowCount();
    matches = window->searchView()->total();
    input->clear();
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["matches"] = static_cast<double>(matches);
}
// Every 20th day: 144,000 matches, the list cut at 10,000.
BENCHMARK_CAPTURE(BM_SearchListed, every_ahau, "* Ahau")->Unit(benchmark::kMillisecond);
// A Calendar Round: 151 days in the range.
BENCHMARK_CAPTURE(BM_SearchListed, calendar_round, "4 Ahau 8 Cumku")->Unit(benchmark::kMillisecond);
// Four clues of different periods.
BENCHMARK_CAPTURE(BM_SearchListed, four_clues, "* Ahau 8 Cumku G9 819 East")
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  QFile::remove(scratchSettings());
  return 0;
}
