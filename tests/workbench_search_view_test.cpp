// The search view driven as a user drives it, its list checked against
// `glyphbox-cli find` for the same pattern, range and limit.

#include "workbench_test_support.h"

#include <glyphbox/maya/long_count.h>
#include <glyphbox/workbench/date_view.h>
#include <glyphbox/workbench/search_view.h>

#include <QAction>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

#include <sstream>

namespace glyphbox::workbench {
namespace {

class SearchViewTest : public glyphbox::testing::WorkbenchTest {
protected:
  void SetUp() override {
    WorkbenchTest::SetUp();
    QTest::keyClick(window.get(), Qt::Key_3, Qt::ControlModifier);
    view = window->searchView();
    ASSERT_EQ(window->views()->currentWidget(), view);
    problem = child<QLabel>(QStringLiteral("searchProblem"));
    summary = child<QLabel>(QStringLiteral("searchSummary"));
  }

  // The view's rows as find's plain lines, two blanks between the columns.
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    const auto* model = view->table()->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      std::string line;
      for (int c = 0; c < model->columnCount(); ++c) {
        line += (c > 0 ? "  " : "") + model->index(r, c).data().toString().toStdString();
      }
      out.push_back(line);
    }
    return out;
  }

  static std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
      out.push_back(line);
    }
    return out;
  }

  SearchView* view = nullptr;
  QLabel* problem = nullptr;
  QLabel* summary = nullptr;
};

TEST_F(SearchViewTest, PatternsAndRangesListWhatFindLists) {
  struct {
    const char* pattern;
    const char* from;
    const char* to;
  } const cases[] = {
      {"9.*.*.*.* 8 Ahau 13 Pop", "", ""},
      {"4 Ahau 8 Cumku", "9.0.0.0.0", "10.0.0.0.0"},
      {"bearer 8 Ik G4 819 South", "", "2000-01-01"},
      {"819+20 * Ahau", "JDN 2000000", "JDN 2010000"},
      {"12.19.13.4.0 8 Ahau 18 Zec", "", ""}, // the era before 0.0.0.0.0, with its note
  };
  for (const auto& c : cases) {
    retype(child<QLineEdit>(QStringLiteral("from")), QString::fromUtf8(c.from));
    retype(child<QLineEdit>(QStringLiteral("to")), QString::fromUtf8(c.to));
    retype(view->patternInput(), QString::fromUtf8(c.pattern));
    std::vector<std::string> args = {"find"};
    if (*c.from != '\0') {
      args.insert(args.end(), {"--from", c.from});
    }
    if (*c.to != '\0') {
      args.insert(args.end(), {"--to", c.to});
    }
    args.push_back(c.pattern);
    const auto cli = testing_process::runCli(args);
    EXPECT_EQ(lines(), linesOf(cli.out)) << c.pattern;
    EXPECT_EQ(view->total(), static_cast<std::int64_t>(linesOf(cli.out).size())) << c.pattern;
    // find's note on standard error, when it has one, is the view's.
    const std::size_t note = cli.err.find("\": ");
    EXPECT_EQ(problem->text().toStdString(),
              note == std::string::npos ? "" : cli.err.substr(note + 3, cli.err.size() - note - 4))
        << c.pattern;
  }
}

TEST_F(SearchViewTest, AListOfMoreThanTheLimitIsCutAndSaysSo) {
  retype(view->patternInput(), QStringLiteral("* Ahau"));
  EXPECT_EQ(view->table()->model()->rowCount(), SearchView::kDefaultLimit);
  EXPECT_EQ(view->total(), 144000); // every 20th day of 2,880,000
  EXPECT_TRUE(summary->text().contains(QStringLiteral("10,000"))) << summary->text().toStdString();
  EXPECT_TRUE(summary->text().contains(QStringLiteral("144,000"))) << summary->text().toStdString();
  // The last row listed is find's last line under the same limit.
  const auto cli = testing_process::runCli({"find", "--limit", "10000", "* Ahau"});
  EXPECT_EQ(lines().back(), linesOf(cli.out).back());
  EXPECT_NE(cli.err.find("the list stops at 10000 of 144000"), std::string::npos) << cli.err;

  auto* limit = child<QSpinBox>(QStringLiteral("limit"));
  limit->setFocus();
  limit->selectAll();
  QTest::keyClicks(limit, QStringLiteral("3"));
  EXPECT_EQ(view->table()->model()->rowCount(), 3);
  QTest::keyClick(limit, Qt::Key_Up);
  EXPECT_EQ(view->table()->model()->rowCount(), 4);

  retype(view->patternInput(), QStringLiteral("9.12.11.5.18"));
  EXPECT_EQ(summary->text(), QStringLiteral("One matching day."));
}

TEST_F(SearchViewTest, ARefusedPatternOrRangeIsSaidInlineAsFindSaysIt) {
  for (const char* pattern : {"4 Ahau 9 Cumku", "9.*", "G10", "bearer 8", "819 Up", "14 Ahau",
                              "9.*.*.18.*", "8 Ahau 8 Ahau", "\xC3\xA9", "9.12.11.5.18 7 Etznab"}) {
    retype(view->patternInput(), QString::fromUtf8(pattern));
    const auto cli = testing_process::runCli({"find", pattern});
    const std::size_t at = cli.err.find("\": ");
    ASSERT_NE(at, std::string::npos) << pattern << cli.err;
    EXPECT_EQ(problem->text().toStdString(), cli.err.substr(at + 3, cli.err.size() - at - 4))
        << pattern;
    EXPECT_EQ(view->table()->model()->rowCount(), 0) << pattern;
    EXPECT_FALSE(view->exportAction()->isEnabled()) << pattern;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << pattern;
  }
  retype(view->patternInput(), QStringLiteral("4 Ahau"));
  retype(child<QLineEdit>(QStringLiteral("from")), QStringLiteral("2000-13-01"));
  EXPECT_TRUE(problem->text().startsWith(QStringLiteral("From: month")))
      << problem->text().toStdString();
  retype(child<QLineEdit>(QStringLiteral("from")), QStringLiteral("10.0.0.0.0"));
  retype(child<QLineEdit>(QStringLiteral("to")), QStringLiteral("9.0.0.0.0"));
  EXPECT_FALSE(problem->text().isEmpty());
  EXPECT_EQ(view->table()->model()->rowCount(), 0);
}

TEST_F(SearchViewTest, EnterOrADoubleClickOpensTheMatchInTheDateView) {
  retype(view->patternInput(), QStringLiteral("9.*.*.*.* 8 Ahau 13 Pop"));
  QTableView* table = view->table();
  table->setFocus();
  QTest::keyClick(table, Qt::Key_Down);
  QTest::keyClick(table, Qt::Key_Down);
  const std::int64_t third = view->matches().days()[2];
  QTest::keyClick(table, Qt::Key_Return);
  EXPECT_EQ(window->views()->currentWidget(), window->dateView());
  EXPECT_EQ(window->dateView()->day(), third);
  EXPECT_EQ(window->dateView()->input()->text().toStdString(), maya::longCountText(third));

  QTest::keyClick(window.get(), Qt::Key_3, Qt::ControlModifier);
  const QRect cell = table->visualRect(table->model()->index(0, 1));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(window->dateView()->day(), view->matches().days()[0]);
}

TEST_F(SearchViewTest, TheListIsExportedAsFindsCsv) {
  retype(view->patternInput(), QStringLiteral("* Ahau 8 Cumku G9"));
  const QString path = QDir::temp().filePath(
      QStringLiteral("glyphbox_matches_%1.csv").arg(QCoreApplication::applicationPid()));
  ASSERT_EQ(view->writeCsv(path), QString());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const auto cli = testing_process::runCli({"find", "--format", "csv", "* Ahau 8 Cumku G9"});
  EXPECT_EQ(file.readAll().toStdString(), cli.out);
  QFile::remove(path);
}

} // namespace
} // namespace glyphbox::workbench
