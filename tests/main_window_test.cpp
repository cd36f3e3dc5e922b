#include "ui_test_main.h"

#include <glyphbox/engine/maya_date.h>
#include <glyphbox/ui/geometry.h>
#include <glyphbox/ui/main_window.h>
#include <glyphbox/ui/window_names.h>
#include <glyphbox/ui/window_registry.h>

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>

namespace glyphbox::ui {
namespace {

using glyphbox::testing::chooseItem;

class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    registry.define(QLatin1String(kMainWindow),
                    [](WindowRegistry& r) { return new MainWindow(r); });
    window = qobject_cast<MainWindow*>(registry.show(QLatin1String(kMainWindow)));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    year = child<QLineEdit>("Year");
    month = child<QComboBox>("Month");
    day = child<QComboBox>("Day");
    go = child<QPushButton>("GoBut");
  }

  template <typename T> T* child(const char* name) {
    T* w = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QString text(const char* label) { return child<QLabel>(label)->text(); }
  QStringList results() {
    return {text("LongCountLbl"), text("TZnum"), text("TZnam"), text("HAnum"), text("HAnam")};
  }

  void typeYear(const QString& digits) {
    year->setFocus();
    QTest::keyClicks(year, digits);
  }
  void clearYear() {
    year->setFocus();
    QTest::keyClick(year, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(year, Qt::Key_Backspace);
  }
  // Presses Calculate and waits for the delayed calculation to finish.
  void calculate() {
    QTest::mouseClick(go, Qt::LeftButton);
    auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
    EXPECT_TRUE(QTest::qWaitFor([timer] { return !timer->isActive(); }, 2000));
    QTest::qWait(20);
  }
  void tick(const char* name, bool on) {
    auto* box = child<QCheckBox>(name);
    if (box->isChecked() != on) {
      QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    }
    ASSERT_EQ(box->isChecked(), on);
  }
  void enterDate(const QString& y, const QString& m, const QString& d) {
    typeYear(y);
    chooseItem(month, m);
    chooseItem(day, d);
  }

  WindowRegistry registry;
  MainWindow* window = nullptr;
  QLineEdit* year = nullptr;
  QComboBox* month = nullptr;
  QComboBox* day = nullptr;
  QPushButton* go = nullptr;
};

TEST_F(MainWindowTest, StartsReadyForTheYear) {
  EXPECT_EQ(window->windowTitle(), "Glyphbox");
  EXPECT_TRUE(year->isEnabled());
  EXPECT_TRUE(year->text().isEmpty());
  EXPECT_EQ(window->focusWidget(), year);
  EXPECT_FALSE(month->isEnabled());
  EXPECT_EQ(month->currentIndex(), -1);
  QStringList months;
  for (int i = 0; i < month->count(); ++i) {
    months << month->itemText(i);
  }
  EXPECT_EQ(months, QStringList({"January", "February", "March", "April", "May", "June", "July",
                                 "August", "September", "October", "November", "December"}));
  EXPECT_FALSE(day->isEnabled());
  EXPECT_EQ(day->count(), 0);
  EXPECT_FALSE(go->isEnabled());
  EXPECT_TRUE(child<QRadioButton>("CE")->isChecked());
  EXPECT_FALSE(child<QRadioButton>("BCE")->isChecked());
  EXPECT_FALSE(child<QCheckBox>("CalcT")->isChecked());
  EXPECT_FALSE(child<QCheckBox>("CalcH")->isChecked());
  EXPECT_EQ(results(), QStringList({"", "", "", "", ""}));
  EXPECT_FALSE(window->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());

  const QList<QAction*> menu = window->menuBar()->actions();
  ASSERT_EQ(menu.size(), 1);
  EXPECT_EQ(menu.front()->text(), "About");
  EXPECT_EQ(menu.front()->menu(), nullptr);
}

TEST_F(MainWindowTest, LayoutIsTheTablesScaledUniformly) {
  const double s = window->layoutScale();
  EXPECT_GE(s, 1.0);
  EXPECT_EQ(child<QLabel>("YearLbl")->geometry(), twipsToPixels(120, 120, 375, 255, s));
  EXPECT_EQ(month->geometry(), twipsToPixels(960, 360, 1215, 315, s));
  EXPECT_EQ(go->geometry(), twipsToPixels(120, 1080, 4575, 375, s));
  EXPECT_EQ(child<QLabel>("HAnam")->geometry(), twipsToPixels(3960, 1560, 615, 255, s));
  EXPECT_EQ(window->centralWidget()->size(), twipsToPixels(4770, 1950, s));
  // Fixed size: nothing to resize or maximise.
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
}

// Every text a control can show must fit the room the style gives it.
TEST_F(MainWindowTest, EveryPossibleTextFitsItsControl) {
  auto fitsLabel = [&](const char* name, const QString& t) {
    QLabel* l = child<QLabel>(name);
    EXPECT_LE(l->fontMetrics().horizontalAdvance(t), l->width()) << name << ' ' << t.toStdString();
    EXPECT_LE(l->fontMetrics().height(), l->height()) << name;
  };
  for (const char* name : {"YearLbl", "MonthLbl", "DayLbl", "EraLbl", "Label2"}) {
    fitsLabel(name, child<QLabel>(name)->text());
  }
  fitsLabel("LongCountLbl", "88.88.88.88.88");
  fitsLabel("TZnum", "13");
  fitsLabel("HAnum", "20");
  for (const auto name : engine::kTzolkinNames) {
    fitsLabel("TZnam", QString::fromUtf8(name.data(), qsizetype(name.size())));
  }
  for (const auto name : engine::kHaabMonthNames) {
    fitsLabel("HAnam", QString::fromUtf8(name.data(), qsizetype(name.size())));
  }

  auto editField = [](QComboBox* box) {
    QStyleOptionComboBox opt;
    opt.initFrom(box);
    opt.editable = false;
    opt.frame = true;
    return box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField,
                                        box);
  };
  for (int i = 0; i < month->count(); ++i) {
    EXPECT_LE(month->fontMetrics().horizontalAdvance(month->itemText(i)), editField(month).width())
        << month->itemText(i).toStdString();
  }
  EXPECT_LE(day->fontMetrics().horizontalAdvance("31"), editField(day).width());

  for (const char* name : {"CalcT", "CalcH"}) {
    auto* box = child<QCheckBox>(name);
    QStyleOptionButton opt;
    opt.initFrom(box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, box);
    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), contents.width()) << name;
  }
  for (const char* name : {"CE", "BCE"}) {
    auto* radio = child<QRadioButton>(name);
    QStyleOptionButton opt;
    opt.initFrom(radio);
    const QRect contents =
        radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, radio);
    EXPECT_LE(radio->fontMetrics().horizontalAdvance(radio->text()), contents.width()) << name;
  }
}

TEST_F(MainWindowTest, FebruaryFollowsTheYearTypedDigitByDigit) {
  QSignalSpy changes(year, &QLineEdit::textChanged);
  typeYear("2");
  EXPECT_TRUE(month->isEnabled());
  chooseItem(month, "February");
  EXPECT_EQ(day->count(), 28); // 2 is not a leap year
  EXPECT_EQ(day->currentIndex(), -1);
  const struct {
    char digit;
    int days;
  } steps[] = {{'0', 29}, {'0', 28}, {'0', 29}}; // 20, 200, 2000
  for (const auto& step : steps) {
    chooseItem(day, "15");
    EXPECT_TRUE(go->isEnabled());
    QTest::keyClicks(year, QString(QLatin1Char(step.digit)));
    EXPECT_EQ(day->count(), step.days) << year->text().toStdString();
    EXPECT_EQ(day->itemText(day->count() - 1), QString::number(step.days));
    EXPECT_EQ(day->currentIndex(), -1);
    EXPECT_FALSE(go->isEnabled());
  }
  EXPECT_EQ(changes.count(), 4);
  QTest::keyClick(year, Qt::Key_Backspace);
  QTest::keyClicks(year, "1"); // 2001
  EXPECT_EQ(day->count(), 28);
}

TEST_F(MainWindowTest, ChoosingAnotherMonthDropsTheDay) {
  enterDate("1999", "January", "31");
  EXPECT_TRUE(go->isEnabled());
  chooseItem(month, "April");
  EXPECT_EQ(day->count(), 30);
  EXPECT_EQ(day->currentIndex(), -1);
  EXPECT_FALSE(go->isEnabled());
}

TEST_F(MainWindowTest, CalculatesWithTheRequestedCounts) {
  struct Case {
    bool tzolkin;
    bool haab;
    QStringList shown;
  };
  const Case cases[] = {
      {true, true, {"12.19.6.15.1", "10", "Imix", "9", "Kankin"}},
      {false, false, {"12.19.6.15.1", "", "", "", ""}},
      {true, false, {"12.19.6.15.1", "10", "Imix", "", ""}},
      {false, true, {"12.19.6.15.1", "", "", "9", "Kankin"}},
  };
  enterDate("2000", "January", "1");
  for (const auto& c : cases) {
    tick("CalcT", c.tzolkin);
    tick("CalcH", c.haab);
    calculate();
    EXPECT_EQ(results(), c.shown);
  }
}

TEST_F(MainWindowTest, CalculatesBeforeTheEpochInTheOtherEra) {
  tick("CalcT", true);
  tick("CalcH", true);
  enterDate("3114", "August", "11");
  QTest::mouseClick(child<QRadioButton>("BCE"), Qt::LeftButton, {}, QPoint(4, 8));
  EXPECT_FALSE(child<QRadioButton>("CE")->isChecked());
  calculate();
  EXPECT_EQ(results(), QStringList({"12.19.19.17.18", "2", "Etznab", "6", "Cumku"}));
}

TEST_F(MainWindowTest, ResultTooWideForItsLabelIsWholeInTheTooltip) {
  enterDate("5000000", "January", "1"); // a five-digit baktun
  calculate();
  QLabel* longCount = child<QLabel>("LongCountLbl");
  ASSERT_FALSE(longCount->text().isEmpty());
  EXPECT_GT(longCount->fontMetrics().horizontalAdvance(longCount->text()), longCount->width());
  EXPECT_EQ(longCount->toolTip(), longCount->text());

  clearYear();
  enterDate("2000", "January", "1");
  calculate();
  EXPECT_EQ(longCount->text(), "12.19.6.15.1");
  EXPECT_EQ(longCount->toolTip(), ""); // fits: no tooltip left over
}

TEST_F(MainWindowTest, ColoursAreWhiteOnBlackWithTheMenuTextColourBehindCalcT) {
  for (const char* name : {"YearLbl", "Label2", "LongCountLbl", "HAnam"}) {
    auto* label = child<QLabel>(name);
    EXPECT_TRUE(label->autoFillBackground()) << name;
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::black)) << name;
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white)) << name;
  }
  auto* calcT = child<QCheckBox>("CalcT");
  EXPECT_EQ(calcT->palette().color(calcT->backgroundRole()),
            QApplication::palette().color(QPalette::WindowText));
  EXPECT_EQ(window->centralWidget()->palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(MainWindowTest, RefusesYearTextThatIsNotAYear) {
  QSignalSpy changes(year, &QLineEdit::textChanged);
  typeYear("12a-3 x");
  EXPECT_EQ(year->text(), "123");
  EXPECT_EQ(changes.count(), 3);

  clearYear();
  typeYear("21474836479"); // an eleventh digit
  EXPECT_EQ(year->text(), "2147483647");
  clearYear();
  typeYear("2147483648");
  EXPECT_EQ(year->text(), "214748364");
  clearYear();
  typeYear("0002147483647"); // leading zeros are fine
  EXPECT_EQ(year->text(), "0002147483647");

  clearYear();
  changes.clear();
  for (const QString& pasted :
       {QStringLiteral("abc"), QStringLiteral("-5"), QStringLiteral("20 00"),
        QStringLiteral("2147483648"), QStringLiteral("\u0662\u0660")}) {
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(year, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(year->text(), "") << pasted.toStdString();
  }
  EXPECT_EQ(changes.count(), 0);
  QGuiApplication::clipboard()->setText(QStringLiteral("1996"));
  QTest::keyClick(year, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(year->text(), "1996");
  EXPECT_TRUE(month->isEnabled());
}

TEST_F(MainWindowTest, OverflowIsReportedAndTheWindowStaysUsable) {
  tick("CalcT", true);
  tick("CalcH", true);
  enterDate("99999999", "January", "1");
  calculate();
  auto* box = window->findChild<QMessageBox*>(QStringLiteral("errorReport"));
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_TRUE(box->text().contains("Overflow")) << box->text().toStdString();
  EXPECT_EQ(results(), QStringList({"", "", "", "", ""}));
  EXPECT_FALSE(window->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
  QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return window->findChild<QMessageBox*>(QStringLiteral("errorReport")) == nullptr; }));
  EXPECT_TRUE(window->isVisible());

  clearYear();
  enterDate("2000", "January", "1");
  calculate();
  EXPECT_EQ(results(), QStringList({"12.19.6.15.1", "10", "Imix", "9", "Kankin"}));
}

TEST_F(MainWindowTest, EmptiedYearKeepsMonthAndCalculatesYearZero) {
  enterDate("2000", "March", "5");
  clearYear();
  EXPECT_FALSE(month->isEnabled());
  EXPECT_EQ(month->currentText(), "March");
  EXPECT_TRUE(day->isEnabled());
  EXPECT_EQ(day->count(), 31);
  EXPECT_EQ(day->currentIndex(), -1);
  EXPECT_FALSE(go->isEnabled());
  chooseItem(day, "5");
  EXPECT_TRUE(go->isEnabled());
  calculate();
  const auto expected =
      engine::calculateMayaDate(0, engine::Era::CE, runtime::Int16(3), runtime::Int16(5));
  EXPECT_EQ(text("LongCountLbl").toStdString(), expected.longCount.text());
}

TEST_F(MainWindowTest, TabVisitsOnlyEnabledControlsInOrder) {
  auto tabOrderFromYear = [&] {
    QStringList visited;
    year->setFocus();
    for (int i = 0; i < 8; ++i) {
      QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window,
                      Qt::Key_Tab);
      QWidget* focus = window->focusWidget();
      visited << (focus ? focus->objectName() : QString());
      if (focus == year) {
        break;
      }
    }
    return visited;
  };
  if (!QTest::qWaitForWindowActive(window)) {
    GTEST_SKIP() << "this platform does not activate windows";
  }
  EXPECT_EQ(tabOrderFromYear(), QStringList({"CE", "CalcT", "CalcH", "Year"}));
  enterDate("2000", "May", "1");
  EXPECT_EQ(tabOrderFromYear(),
            QStringList({"GoBut", "CE", "Day", "CalcT", "CalcH", "Month", "Year"}));
}

TEST(WindowRegistryTest, ShowsUnloadsAndEndsWithTheLastWindow) {
  WindowRegistry registry;
  int created = 0;
  registry.define("a", [&](WindowRegistry&) {
    ++created;
    auto* w = new QWidget;
    auto* t = new QTimer(w);
    t->start(1000);
    return w;
  });
  registry.define("b", [&](WindowRegistry&) { return new QWidget; });
  QSignalSpy ended(&registry, &WindowRegistry::allWindowsUnloaded);

  QWidget* a = registry.show("a");
  EXPECT_EQ(registry.show("a"), a); // one instance per name
  EXPECT_EQ(created, 1);
  EXPECT_TRUE(a->isVisible());
  registry.show("b");
  EXPECT_EQ(registry.loadedCount(), 2);

  QTimer* timer = a->findChild<QTimer*>();
  registry.unload("a");
  EXPECT_FALSE(timer->isActive()); // timers die with the window at once
  EXPECT_FALSE(registry.isLoaded("a"));
  registry.unload("a"); // unloading an absent window does nothing
  EXPECT_EQ(ended.count(), 0);

  QWidget* again = registry.show("a");
  EXPECT_EQ(created, 2); // created afresh
  EXPECT_NE(registry.find("a"), nullptr);
  again->close(); // closed by the desktop
  EXPECT_TRUE(QTest::qWaitFor([&] { return !registry.isLoaded("a"); }));
  EXPECT_FALSE(registry.isLoaded("a"));
  registry.unload("b");
  EXPECT_EQ(ended.count(), 1);
}

} // namespace
} // namespace glyphbox::ui

GLYPHBOX_QT_TEST_MAIN
