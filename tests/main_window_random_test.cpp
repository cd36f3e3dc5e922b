// A seeded random walk of user actions through the main window. After every
// action the window must be in a state its rules allow, and after every
// calculation it must show what the engine gives for the inputs on screen.
// Replay a failure with GLYPHBOX_SEED=<seed printed in the failure>.

#include "ui_test_main.h"

#include <glyphbox/engine/maya_date.h>
#include <glyphbox/runtime/conversions.h>
#include <glyphbox/runtime/error.h>
#include <glyphbox/ui/main_window.h>
#include <glyphbox/ui/window_names.h>
#include <glyphbox/ui/window_registry.h>

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <random>

namespace glyphbox::ui {
namespace {

constexpr int kActionsPerSeed = 2500;

class RandomUser {
public:
  RandomUser(MainWindow* window, std::uint32_t seed) : window_(window), random_(seed) {
    year_ = child<QLineEdit>("Year");
    month_ = child<QComboBox>("Month");
    day_ = child<QComboBox>("Day");
    go_ = child<QPushButton>("GoBut");
  }

  void act() {
    const QString yearBefore = year_->text();
    const int monthBefore = month_->currentIndex();
    const int dayBefore = day_->currentIndex();
    doSomething();
    // The shadow model of what the user has entered, kept apart from the window.
    if (month_->currentIndex() != monthBefore) {
      monthChosen_ = true;
      dayChosen_ = false;
    }
    if (year_->text() != yearBefore) {
      dayChosen_ = false;
    } else if (day_->currentIndex() != dayBefore && month_->currentIndex() == monthBefore) {
      dayChosen_ = true;
    }
  }

  void doSomething() {
    switch (pick(10)) {
    case 0:
    case 1:
    case 2:
      typeIntoYear();
      break;
    case 3:
      editYear();
      break;
    case 4:
      pasteIntoYear();
      break;
    case 5:
      useList(month_);
      break;
    case 6:
      useList(day_);
      break;
    case 7:
      QTest::mouseClick(child<QRadioButton>(pick(2) ? "CE" : "BCE"), Qt::LeftButton, {},
                        QPoint(4, 8));
      break;
    case 8:
      QTest::mouseClick(child<QCheckBox>(pick(2) ? "CalcT" : "CalcH"), Qt::LeftButton, {},
                        QPoint(4, 8));
      break;
    default:
      pressCalculate();
      break;
    }
  }

  // The rules that must hold whatever was done before.
  void checkState() {
    const QString text = year_->text();
    ASSERT_TRUE(std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; }))
        << text.toStdString();
    QString significant = text;
    while (significant.startsWith('0')) {
      significant.remove(0, 1);
    }
    ASSERT_TRUE(significant.size() < 10 ||
                (significant.size() == 10 && significant <= "2147483647"))
        << text.toStdString();
    if (!text.isEmpty()) {
      lastYear_ = text;
    }

    ASSERT_EQ(month_->currentIndex() >= 0, monthChosen_);
    ASSERT_EQ(day_->currentIndex() >= 0, dayChosen_);
    ASSERT_EQ(month_->isEnabled(), !text.isEmpty());
    ASSERT_EQ(day_->isEnabled(), monthChosen_);
    ASSERT_EQ(go_->isEnabled(), dayChosen_);
    if (monthChosen_) {
      const int y = lastYear_.isEmpty() ? 1 : lastYear_.toInt();
      const bool leap = !lastYear_.isEmpty() && engine::isGregorianLeapYear(y);
      ASSERT_EQ(day_->count(), engine::daysInMonth(month_->currentIndex() + 1,
                                                   leap ? engine::kTrue : engine::kFalse)
                                   .value());
    } else {
      ASSERT_EQ(day_->count(), 0);
    }
  }

  int calculations = 0;
  int reportedErrors = 0;

private:
  template <typename T> T* child(const char* name) {
    return window_->findChild<T*>(QLatin1String(name));
  }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  QString randomText(int maxLength) {
    static const QString kChars = QStringLiteral("0123456789000111222999a- .+e\u0663");
    QString s;
    for (int i = pick(maxLength + 1); i > 0; --i) {
      s += kChars[pick(static_cast<int>(kChars.size()))];
    }
    return s;
  }

  void typeIntoYear() {
    const QString s = randomText(3);
    for (const QChar c : s) {
      QTest::keyClick(year_, c.toLatin1() ? c.toLatin1() : 'x');
    }
  }

  void editYear() {
    static const Qt::Key kKeys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home,
                                    Qt::Key_End,       Qt::Key_Left,   Qt::Key_Right};
    QTest::keyClick(year_, kKeys[pick(6)]);
    if (pick(20) == 0) { // now and then the whole text goes
      QTest::keyClick(year_, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(year_, Qt::Key_Backspace);
    }
  }

  void pasteIntoYear() {
    QGuiApplication::clipboard()->setText(randomText(12));
    QTest::keyClick(year_, Qt::Key_V, Qt::ControlModifier);
  }

  void useList(QComboBox* box) {
    static const Qt::Key kKeys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_End,
                                    Qt::Key_PageDown};
    QTest::keyClick(box, kKeys[pick(5)]);
  }

  void pressCalculate() {
    if (!go_->isEnabled()) {
      QTest::mouseClick(go_, Qt::LeftButton); // nothing may happen
      return;
    }
    // What the engine says for the inputs on screen, computed before the press.
    std::optional<engine::MayaDate> expected;
    try {
      expected = engine::calculateMayaDate(
          runtime::valueOfText(year_->text().toStdString()),
          child<QRadioButton>("CE")->isChecked() ? engine::Era::CE : engine::Era::BCE,
          runtime::Int16(static_cast<std::int16_t>(month_->currentIndex() + 1)),
          runtime::roundToInt16(runtime::valueOfText(day_->currentText().toStdString())));
    } catch (const runtime::RuntimeError&) {
    }
    QTest::mouseClick(go_, Qt::LeftButton);
    auto* timer = window_->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_TRUE(QTest::qWaitFor([timer] { return !timer->isActive(); }, 2000));
    ++calculations;

    const QStringList shown = {label("LongCountLbl"), label("TZnum"), label("TZnam"),
                               label("HAnum"), label("HAnam")};
    auto* box = window_->findChild<QMessageBox*>(QStringLiteral("errorReport"));
    if (!expected) {
      ASSERT_NE(box, nullptr) << "an error must be reported";
      ASSERT_EQ(shown, QStringList({"", "", "", "", ""}));
      ++reportedErrors;
      box->close();
      QTest::qWait(0);
      return;
    }
    ASSERT_EQ(box, nullptr);
    const bool t = child<QCheckBox>("CalcT")->isChecked();
    const bool h = child<QCheckBox>("CalcH")->isChecked();
    const QStringList want = {
        QString::fromStdString(expected->longCount.text()),
        t ? QString::number(expected->tzolkin.number.value()) : QString(),
        t ? QString::fromUtf8(expected->tzolkin.name.data(),
                              qsizetype(expected->tzolkin.name.size()))
          : QString(),
        h ? QString::number(expected->haab.day.value()) : QString(),
        h ? QString::fromUtf8(expected->haab.name.data(), qsizetype(expected->haab.name.size()))
          : QString()};
    ASSERT_EQ(shown, want);
  }

  QString label(const char* name) { return child<QLabel>(name)->text(); }

  MainWindow* window_;
  std::mt19937 random_;
  QLineEdit* year_;
  QComboBox* month_;
  QComboBox* day_;
  QPushButton* go_;
  QString lastYear_;
  bool monthChosen_ = false;
  bool dayChosen_ = false;
};

std::vector<std::uint32_t> seeds() {
  bool ok = false;
  const auto fromEnvironment = qEnvironmentVariableIntValue("GLYPHBOX_SEED", &ok);
  if (ok) {
    return {static_cast<std::uint32_t>(fromEnvironment)};
  }
  return {1, 2, 3};
}

TEST(MainWindowRandomWalk, EveryStateAndResultFollowsTheRules) {
  for (const std::uint32_t seed : seeds()) {
    SCOPED_TRACE("GLYPHBOX_SEED=" + std::to_string(seed));
    WindowRegistry registry;
    registry.define(QLatin1String(kMainWindow),
                    [](WindowRegistry& r) { return new MainWindow(r); });
    auto* window = qobject_cast<MainWindow*>(registry.show(QLatin1String(kMainWindow)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    RandomUser user(window, seed);
    for (int i = 0; i < kActionsPerSeed; ++i) {
      SCOPED_TRACE("action " + std::to_string(i));
      user.act();
      if (::testing::Test::HasFatalFailure()) {
        return;
      }
      user.checkState();
      if (::testing::Test::HasFatalFailure()) {
        return;
      }
    }
    EXPECT_GT(user.calculations, 20) << "the walk should reach many calculations";
    std::printf("seed %u: %d calculations, %d reported errors\n", seed, user.calculations,
                user.reportedErrors);
  }
}

} // namespace
} // namespace glyphbox::ui

GLYPHBOX_QT_TEST_MAIN
