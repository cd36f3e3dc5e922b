// The date view driven as a user drives it: every input form typed, every
// picker changed by the keyboard, the day stepped by keys and buttons, and
// every value checked against glyphbox-cli's own answer for the same input.

#include "workbench_test_support.h"

#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/numerals.h>
#include <glyphbox/rows/answer.h>
#include <glyphbox/workbench/date_view.h>
#include <glyphbox/workbench/day_picture.h>
#include <glyphbox/workbench/settings_bar.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QToolButton>

namespace glyphbox::workbench {
namespace {

using glyphbox::testing::chooseItem;

class DateViewTest : public glyphbox::testing::WorkbenchTest {
protected:
  void SetUp() override {
    WorkbenchTest::SetUp();
    view = window->dateView();
    input = view->input();
    problem = child<QLabel>(QStringLiteral("dateProblem"));
  }

  // Every value field the view shows, by the command line's column name.
  std::vector<std::pair<std::string, QLineEdit*>> valueFields() const {
    std::vector<std::pair<std::string, QLineEdit*>> fields;
    for (const rows::ColumnInfo& c : rows::kColumns) {
      const QString name = QString::fromLatin1(c.name.data(), c.name.size()) + "Value";
      if (auto* field = window->findChild<QLineEdit*>(name)) {
        fields.emplace_back(std::string(c.name), field);
      }
    }
    return fields;
  }

  // Types input and checks every value, or the refusal, against
  // glyphbox-cli under options.
  void expectAsCli(const QString& text, const std::vector<std::string>& options) {
    retype(input, text);
    std::string names;
    for (const auto& [name, field] : valueFields()) {
      names += (names.empty() ? "" : ",") + name;
    }
    const auto cli = glyphbox::testing::cliAnswer(options, text.toStdString(), names);
    for (const auto& [name, field] : valueFields()) {
      EXPECT_EQ(field->text().toStdString(), cli.fields.empty() ? "" : cli.field(name))
          << text.toStdString() << " " << name;
    }
    EXPECT_EQ(problem->text().toStdString(), cli.reason) << text.toStdString();
    EXPECT_EQ(view->day().has_value(), !cli.fields.empty()) << text.toStdString();
  }

  DateView* view = nullptr;
  QLineEdit* input = nullptr;
  QLabel* problem = nullptr;
};

TEST_F(DateViewTest, OpensWithTheInputLineFocusedAndNoDay) {
  EXPECT_EQ(QApplication::focusWidget(), input);
  EXPECT_FALSE(view->day());
  EXPECT_GE(valueFields().size(), 16u);
  for (QAction* step : view->stepActions()) {
    EXPECT_FALSE(step->isEnabled()) << step->objectName().toStdString();
  }
}

TEST_F(DateViewTest, EveryInputFormTypedShowsTheValuesTheCommandLineGives) {
  for (const char* text : {"2012-12-21", "3114-08-11 BCE", "683-8-29", "9.12.11.5.18",
                           "9.12.11.5.18 6 Etznab 11 Yax G1", "12.19.13.4.0 8 Ahau 18 Zec",
                           "13.0.0.0.0 4 Ahau 8 Cumku", "19.19.19.17.19", "1.0.0.0.0.0",
                           "JDN 2451545", "jdn 0", "today", "-0.0.0.1.5", "  2000-02-29  "}) {
    expectAsCli(QString::fromUtf8(text), {});
    EXPECT_TRUE(view->day()) << text;
  }
}

TEST_F(DateViewTest, EachPickerChangedAnswersAgainAsTheCommandLineWithThatOption) {
  auto* correlation = child<QComboBox>(QStringLiteral("correlation"));
  auto* calendar = child<QComboBox>(QStringLiteral("calendar"));
  auto* spelling = child<QComboBox>(QStringLiteral("spelling"));
  auto* numbering = child<QComboBox>(QStringLiteral("numbering"));
  EXPECT_EQ(correlation->currentText(), QStringLiteral("gmt (584283)"));
  // Every preset shows its number; each gives the command line's answer.
  for (const maya::Correlation& c : maya::kCorrelations) {
    chooseItem(
        correlation,
        QStringLiteral("%1 (%2)").arg(QString::fromUtf8(c.name.data(), c.name.size())).arg(c.jdn));
    expectAsCli(QStringLiteral("2012-12-21"), {"--correlation", std::string(c.name)});
  }
  chooseItem(correlation, QStringLiteral("gmt (584283)"));
  chooseItem(calendar, QStringLiteral("Julian"));
  expectAsCli(QStringLiteral("2012-12-08"), {"--calendar", "julian"});
  chooseItem(calendar, QStringLiteral("Historical"));
  expectAsCli(QStringLiteral("1582-10-15"), {"--calendar", "historical"});
  expectAsCli(QStringLiteral("1582-10-10"), {"--calendar", "historical"}); // refused: no such day
  chooseItem(spelling, QStringLiteral("Modern (Ajaw, Kumk'u)"));
  expectAsCli(QStringLiteral("13.0.6.6.7"), {"--calendar", "historical", "--spelling", "modern"});
  chooseItem(numbering, QStringLiteral("1-20"));
  expectAsCli(QStringLiteral("13.0.6.6.7"),
              {"--calendar", "historical", "--spelling", "modern", "--haab-days", "1-20"});
}

TEST_F(DateViewTest, ACustomJdnIsACorrelationAndAWrongOneIsSaidBesideIt) {
  auto* correlation = child<QComboBox>(QStringLiteral("correlation"));
  auto* custom = child<QLineEdit>(QStringLiteral("customJdn"));
  auto* customProblem = child<QLabel>(QStringLiteral("customProblem"));
  EXPECT_FALSE(custom->isEnabled());
  chooseItem(correlation, QStringLiteral("Custom JDN"));
  ASSERT_TRUE(custom->isEnabled());
  retype(custom, QStringLiteral("500000"));
  ASSERT_EQ(custom->text(), QStringLiteral("500000"));
  ASSERT_EQ(window->settingsBar()->settings().reckoning.correlation.jdn, 500000);
  ASSERT_EQ(window->statusBar()->currentMessage(), QString());
  expectAsCli(QStringLiteral("9.12.11.5.18"), {"--correlation", "500000"});
  retype(custom, QStringLiteral("x5"));
  EXPECT_FALSE(customProblem->text().isEmpty());
  expectAsCli(QStringLiteral("9.12.11.5.18"), {"--correlation", "500000"}); // the last good one
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(DateViewTest, StepsByKeysAndButtonsMoveTheDayByEachPeriod) {
  retype(input, QStringLiteral("9.12.11.5.18"));
  const std::int64_t start = *view->day();
  struct {
    QKeyCombination key;
    const char* button;
    std::int64_t days;
  } const steps[] = {
      {Qt::ALT | Qt::Key_Right, "nextKinButton", 1},
      {Qt::ALT | Qt::Key_Left, "previousKinButton", -1},
      {Qt::ALT | Qt::SHIFT | Qt::Key_Right, "nextUinalButton", maya::kUinal},
      {Qt::ALT | Qt::SHIFT | Qt::Key_Left, "previousUinalButton", -maya::kUinal},
      {Qt::ALT | Qt::Key_PageDown, "nextTunButton", maya::kTun},
      {Qt::ALT | Qt::Key_PageUp, "previousTunButton", -maya::kTun},
      {Qt::ALT | Qt::SHIFT | Qt::Key_PageDown, "nextKatunButton", maya::kKatun},
      {Qt::ALT | Qt::SHIFT | Qt::Key_PageUp, "previousKatunButton", -maya::kKatun},
  };
  std::int64_t expected = start;
  for (const auto& s : steps) {
    QTest::keyClick(QApplication::focusWidget(), s.key.key(), s.key.keyboardModifiers());
    expected += s.days;
    ASSERT_TRUE(view->day()) << s.button;
    EXPECT_EQ(*view->day(), expected) << s.button << " by key";
    QTest::mouseClick(child<QToolButton>(QString::fromLatin1(s.button)), Qt::LeftButton);
    expected += s.days;
    EXPECT_EQ(*view->day(), expected) << s.button;
    EXPECT_EQ(input->text().toStdString(), maya::longCountText(expected)) << s.button;
  }
  // A day before 0.0.0.0.0 and back.
  retype(input, QStringLiteral("0.0.0.0.0"));
  QTest::keyClick(input, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(input->text(), QStringLiteral("-0.0.0.0.1"));
  EXPECT_EQ(*view->day(), -1);
  QTest::keyClick(input, Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(*view->day(), 0);
}

TEST_F(DateViewTest, EveryRefusedInputIsSaidInlineAsTheCommandLineSaysIt) {
  for (const char* text : {"2000-13-01", "2000-02-30", "0-01-01", "2000-01-01 AD", "9.12",
                           "9.12.11.5.18 7 Etznab 16 Yax G2", "9.12.11.18.0", "JDN", "JDN x",
                           "tomorrow", "4 Ahau 8 Cumku", "99999999999999999999-01-01",
                           "\xC3\xA9t\xC3\xA9", "1.2.3.4.5.6.7.8.9.10"}) {
    retype(input, QString::fromUtf8(text));
    const auto cli = glyphbox::testing::cliAnswer({}, text, "long_count");
    ASSERT_TRUE(cli.fields.empty()) << text;
    EXPECT_EQ(problem->text().toStdString(), cli.reason) << text;
    EXPECT_FALSE(view->day()) << text;
    EXPECT_FALSE(view->picture()->drawing()) << text;
    for (const auto& [name, field] : valueFields()) {
      EXPECT_TRUE(field->text().isEmpty()) << text << " " << name;
    }
    EXPECT_FALSE(view->savePictureAction()->isEnabled()) << text;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << text;
  }
  // Blanks are no input and no refusal.
  retype(input, QStringLiteral("   "));
  EXPECT_TRUE(problem->text().isEmpty());
}

TEST_F(DateViewTest, TheValuesAreSelectableAndCopied) {
  retype(input, QStringLiteral("13.0.0.0.0"));
  auto* longCount = child<QLineEdit>(QStringLiteral("long_countValue"));
  EXPECT_TRUE(longCount->isReadOnly());
  longCount->setFocus();
  QTest::keyClick(longCount, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(longCount, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("13.0.0.0.0"));
  QTest::keyClick(longCount, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  const QString all = QApplication::clipboard()->text();
  EXPECT_TRUE(all.startsWith(QStringLiteral("Long Count: 13.0.0.0.0\nTzolkin: 4 Ahau\n")))
      << all.toStdString();
  EXPECT_TRUE(all.contains(QStringLiteral("Weekday: Friday\n"))) << all.toStdString();
}

TEST_F(DateViewTest, TheDrawingHasTheBarsDotsAndShellsOfEveryNumber) {
  for (const char* text : {"9.12.11.5.18", "13.0.0.0.0", "12.19.13.4.0 8 Ahau 18 Zec", "0.0.0.0.0",
                           "19.19.19.17.19", "1.0.0.0.0.0"}) {
    retype(input, QString::fromUtf8(text));
    ASSERT_TRUE(view->day()) << text;
    const std::int64_t d = *view->day();
    const maya::LongCountPlaces places = maya::splitLongCount(d, maya::kDatePlaces);
    const maya::Tzolkin tzolkin = maya::tzolkinOf(d);
    const maya::Haab haab = maya::haabOf(d, maya::HaabNumbering::Seating0);
    // The numbers a monument writes: every base-20 digit of each place, and
    // the Calendar Round's (a Haab day 0 is the month's seating, no numeral).
    std::vector<int> digits;
    for (int i = 0; i < maya::kDatePlaces; ++i) {
      const std::int64_t place = places.value[static_cast<std::size_t>(i)];
      for (const int digit : maya::base20Digits(place)) {
        digits.push_back(digit);
      }
    }
    digits.push_back(tzolkin.number);
    if (haab.day != 0) {
      digits.push_back(haab.day);
    }
    int bars = 0, dots = 0, shells = 0;
    for (const int n : digits) {
      const maya::BarDot b = maya::barDotOf(n);
      bars += b.bars;
      dots += b.dots;
      shells += b.shell ? 1 : 0;
    }
    const auto& drawing = view->picture()->drawing();
    ASSERT_TRUE(drawing) << text;
    const auto count = [&](rows::Shape::Kind kind) {
      return std::count_if(drawing->shapes.begin(), drawing->shapes.end(),
                           [kind](const rows::Shape& s) { return s.kind == kind; });
    };
    EXPECT_EQ(count(rows::Shape::Kind::Bar), bars) << text;
    EXPECT_EQ(count(rows::Shape::Kind::Dot), dots) << text;
    EXPECT_EQ(count(rows::Shape::Kind::Shell), shells) << text;
    EXPECT_EQ(drawing->title.substr(0, drawing->title.find(' ')),
              maya::longCountText(d, maya::kDatePlaces))
        << text;
  }
}

TEST_F(DateViewTest, ThePictureIsSavedAsTheCommandLinesSvgOrAsPng) {
  retype(input, QStringLiteral("9.12.11.5.18"));
  const QString svg = QDir::temp().filePath(
      QStringLiteral("glyphbox_picture_%1.svg").arg(QCoreApplication::applicationPid()));
  const QString png = QString(svg).replace(QStringLiteral(".svg"), QStringLiteral(".png"));
  ASSERT_EQ(view->writePicture(svg), QString());
  ASSERT_EQ(view->writePicture(png), QString());
  const auto cli = testing_process::runCli({"draw", "9.12.11.5.18"});
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), cli.out);
  const QImage image(png);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), static_cast<int>(2 * view->picture()->drawing()->width));
  EXPECT_FALSE(view->writePicture(QStringLiteral("/nonexistent/folder/p.svg")).isEmpty());
  QFile::remove(svg);
  QFile::remove(png);
}

} // namespace
} // namespace glyphbox::workbench
