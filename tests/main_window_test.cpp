#include "ui_test_main.h"

#include <glyphbox/engine/maya_date.h>
#include <glyphbox/runtime/error.h>
#include <glyphbox/ui/geometry.h>
#include <glyphbox/ui/label_fitting.h>
#include <glyphbox/ui/main_window.h>
#include <glyphbox/ui/window_names.h>
#include <glyphbox/ui/window_registry.h>
#include <glyphbox/ui/year_validator.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QWindow>

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

TEST_F(MainWindowTest, ResultTooWideForItsLabelIsSmallerAndWholeInTheTooltip) {
  enterDate("5000000", "January", "1"); // a five-digit baktun
  calculate();
  QLabel* longCount = child<QLabel>("LongCountLbl");
  ASSERT_FALSE(longCount->text().isEmpty());
  EXPECT_LE(longCount->fontMetrics().horizontalAdvance(longCount->text()), longCount->width());
  EXPECT_LT(longCount->font().pointSizeF(), window->centralWidget()->font().pointSizeF());
  EXPECT_EQ(longCount->toolTip(), longCount->text());

  clearYear();
  enterDate("2000", "January", "1");
  calculate();
  EXPECT_EQ(longCount->text(), "12.19.6.15.1");
  EXPECT_EQ(longCount->toolTip(), ""); // fits: no tooltip left over
  EXPECT_EQ(longCount->font().pointSizeF(), window->centralWidget()->font().pointSizeF());
}

// The largest year of `era` whose 31 December the engine can still convert.
double largestConvertibleYear(engine::Era era) {
  double fits = 0;
  double fails = 1e9;
  while (fails - fits > 1) {
    const double mid = std::floor((fits + fails) / 2);
    try {
      (void)engine::calculateMayaDate(mid, era, runtime::Int16(12), runtime::Int16(31));
      fits = mid;
    } catch (const runtime::RuntimeError&) {
      fails = mid;
    }
  }
  return fits;
}

TEST_F(MainWindowTest, EveryLongCountUpToTheOverflowLimitIsShownWhole) {
  QLabel* longCount = child<QLabel>("LongCountLbl");
  auto fitsWhole = [&](const QString& shown) {
    EXPECT_LE(QFontMetricsF(longCount->font()).horizontalAdvance(shown), longCount->width())
        << shown.toStdString();
    EXPECT_LE(QFontMetricsF(longCount->font()).height(), longCount->height());
    EXPECT_GE(longCount->font().pointSizeF(), kSmallestResultPointSize) << shown.toStdString();
  };
  const struct {
    double year;
    bool bce;
  } dates[] = {{12000000, false},
               {largestConvertibleYear(engine::Era::CE), false},
               {largestConvertibleYear(engine::Era::BCE), true},
               {999999, false}};
  for (const auto& d : dates) {
    clearYear();
    enterDate(QString::number(d.year, 'f', 0), "December", "31");
    QTest::mouseClick(child<QRadioButton>(d.bce ? "BCE" : "CE"), Qt::LeftButton, {}, QPoint(4, 8));
    calculate();
    ASSERT_FALSE(longCount->text().isEmpty()) << d.year;
    fitsWhole(longCount->text());
    const bool smaller =
        longCount->font().pointSizeF() < window->centralWidget()->font().pointSizeF();
    EXPECT_EQ(longCount->toolTip(), smaller ? longCount->text() : QString()) << d.year;
  }

  // Beyond the dates tried: a text at least as wide as any the engine can
  // give. The baktun is below 32768 (five digits, the first at most 3); every
  // other place is below 20.
  QChar widest = '0';
  QChar widestLeading = '1';
  const QFontMetricsF fm(longCount->font());
  for (char c = '0'; c <= '9'; ++c) {
    if (fm.horizontalAdvance(QChar(c)) > fm.horizontalAdvance(widest)) {
      widest = QChar(c);
    }
    if (c >= '1' && c <= '3' &&
        fm.horizontalAdvance(QChar(c)) > fm.horizontalAdvance(widestLeading)) {
      widestLeading = QChar(c);
    }
  }
  const QString place = QStringLiteral("1") + widest;
  const QString bound =
      widestLeading + QString(4, widest) + '.' + place + '.' + place + '.' + place + '.' + place;
  showFitted(longCount, bound);
  fitsWhole(bound);
  EXPECT_EQ(longCount->toolTip(), bound);
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

TEST_F(MainWindowTest, PastedYearIsExactlyThePastedNumberOrRefusedWhole) {
  const struct {
    QString before;
    QString pasted;
    QString after;
  } cases[] = {
      {"", QString(1000000, '0') + "2000", "2000"},
      {"", QString(40000, '0'), "0"},
      {"", QString(1000000, '1'), ""},    // far too large: refused whole
      {"19", QString(100000, '0'), "19"}, // would be a huge number: refused
      {"", QString(YearValidator::kLongestYearText + 1, '0') + "7", "7"},
      {"", QString(YearValidator::kLongestYearText - 1, '0') + "7",
       QString(YearValidator::kLongestYearText - 1, '0') + "7"},
      {"", "0002147483647", "0002147483647"}, // short texts keep their zeros
  };
  for (const auto& c : cases) {
    clearYear();
    typeYear(c.before);
    QGuiApplication::clipboard()->setText(c.pasted);
    QTest::keyClick(year, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(year->text().size(), c.after.size()) << c.pasted.size();
    EXPECT_EQ(year->text(), c.after) << c.pasted.size();
  }
  // The pasted 2000 is what the calculation reads.
  clearYear();
  QGuiApplication::clipboard()->setText(QString(1000000, '0') + "2000");
  QTest::keyClick(year, Qt::Key_V, Qt::ControlModifier);
  chooseItem(month, "January");
  chooseItem(day, "1");
  calculate();
  EXPECT_EQ(text("LongCountLbl"), "12.19.6.15.1");
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

TEST_F(MainWindowTest, EnterPressesTheFocusedCalculateButtonOnly) {
  if (!QTest::qWaitForWindowActive(window)) {
    GTEST_SKIP() << "this platform does not activate windows";
  }
  enterDate("2000", "January", "1");
  QSignalSpy pressed(go, &QPushButton::clicked);
  QTest::mouseClick(year, Qt::LeftButton);
  QTest::keyClick(year, Qt::Key_Return); // no default button: nothing happens
  QTest::keyClick(year, Qt::Key_Enter);
  EXPECT_EQ(pressed.count(), 0);
  QTest::keyClick(year, Qt::Key_Tab);
  ASSERT_EQ(window->focusWidget(), go);
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
    const int before = pressed.count();
    QTest::keyClick(go, key);
    EXPECT_EQ(pressed.count(), before + 1) << key;
    auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
    EXPECT_TRUE(QTest::qWaitFor([timer] { return !timer->isActive(); }, 2000));
    EXPECT_EQ(text("LongCountLbl"), "12.19.6.15.1") << key;
  }
}

TEST_F(MainWindowTest, EraGroupIsOneTabStopEnteredAtTheSelectedOption) {
  if (!QTest::qWaitForWindowActive(window)) {
    GTEST_SKIP() << "this platform does not activate windows";
  }
  auto* ce = child<QRadioButton>("CE");
  auto* bce = child<QRadioButton>("BCE");
  enterDate("2000", "January", "1");
  auto focusAfter = [&](QWidget* from, Qt::Key key) {
    from->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(from, key);
    return window->focusWidget() ? window->focusWidget()->objectName() : QString();
  };
  // As the window starts (CE selected, neither option touched), then after
  // choosing BCE, then CE again.
  for (QRadioButton* selected : {ce, bce, ce}) {
    if (!selected->isChecked()) {
      QTest::mouseClick(selected, Qt::LeftButton, {}, QPoint(4, 8));
    }
    ASSERT_TRUE(selected->isChecked());
    const QString name = selected->objectName();
    EXPECT_EQ(focusAfter(go, Qt::Key_Tab), name) << "forward into the group";
    EXPECT_EQ(focusAfter(day, Qt::Key_Backtab), name) << "backward into the group";
    EXPECT_EQ(focusAfter(selected, Qt::Key_Tab), "Day") << "one stop forward";
    EXPECT_EQ(focusAfter(selected, Qt::Key_Backtab), "GoBut") << "one stop backward";
  }
}

TEST_F(MainWindowTest, KeepsItsSizeWhenTheWindowSystemResizesIt) {
  const QSize fixed = window->size();
  ASSERT_EQ(window->minimumSize(), fixed);
  ASSERT_EQ(window->maximumSize(), fixed);
  for (const QSize asked : {QSize(600, 300), QSize(100, 50), fixed + QSize(1, 0)}) {
    window->windowHandle()->resize(asked); // as a desktop without a window manager would
    // The window drawn and the native window it is drawn in both keep the size.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->size() == fixed && window->windowHandle()->size() == fixed; }, 1000))
        << asked.width() << 'x' << asked.height();
    EXPECT_EQ(window->windowHandle()->size(), fixed);
    EXPECT_EQ(window->centralWidget()->size(), twipsToPixels(4770, 1950, window->layoutScale()));
  }
}

// WCAG's contrast ratio of a colour against black.
double contrastWithBlack(QColor c) {
  auto linear = [](double v) {
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  const double luminance =
      0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  return (luminance + 0.05) / 0.05;
}

TEST_F(MainWindowTest, FocusMarkOnTheBlackControlsStandsOutFromBlack) {
  if (!QTest::qWaitForWindowActive(window)) {
    GTEST_SKIP() << "this platform does not activate windows";
  }
  for (const char* name : {"CE", "CalcT", "CalcH"}) {
    auto* control = child<QWidget>(name);
    year->setFocus(Qt::TabFocusReason);
    const QImage unfocused = control->grab().toImage();
    control->setFocus(Qt::TabFocusReason); // as the Tab key gives it
    ASSERT_TRUE(control->hasFocus()) << name;
    const QImage focused = control->grab().toImage();
    ASSERT_EQ(focused.size(), unfocused.size());
    // The pixels the focus mark changed; the brightest must read on black.
    int changed = 0;
    double best = 1.0;
    for (int y = 0; y < focused.height(); ++y) {
      for (int x = 0; x < focused.width(); ++x) {
        if (focused.pixel(x, y) != unfocused.pixel(x, y)) {
          ++changed;
          best = std::max(best, contrastWithBlack(focused.pixelColor(x, y)));
        }
      }
    }
    EXPECT_GE(changed, 10) << name << ": no visible focus mark";
    EXPECT_GE(best, 4.5) << name;
    EXPECT_GE(contrastWithBlack(control->palette().color(QPalette::Highlight)), 4.5) << name;
  }
}

TEST_F(MainWindowTest, AccessibleNamesAndDescriptionsSayWhatEachControlHolds) {
  const struct {
    const char* object;
    const char* name;
  } controls[] = {
      {"Year", "Year"},
      {"Month", "Month"},
      {"Day", "Day"},
      {"CE", "Era: CE"},
      {"BCE", "Era: BCE"},
      {"CalcT", "Calculate Tzolkin"},
      {"CalcH", "Calculate Haab"},
      {"GoBut", "Calculate"},
      {"LongCountLbl", "Long Count"},
      {"TZnum", "Tzolkin number"},
      {"TZnam", "Tzolkin day name"},
      {"HAnum", "Haab day number"},
      {"HAnam", "Haab month name"},
  };
  QStringList descriptions;
  for (const auto& c : controls) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(child<QWidget>(c.object));
    ASSERT_NE(a, nullptr) << c.object;
    EXPECT_EQ(a->text(QAccessible::Name), c.name) << c.object;
    const QString description = a->text(QAccessible::Description);
    EXPECT_FALSE(description.isEmpty()) << c.object;
    EXPECT_FALSE(descriptions.contains(description)) << c.object;
    descriptions << description;
  }
  // The result labels keep their names and give the result as their value.
  tick("CalcT", true);
  tick("CalcH", true);
  enterDate("2000", "January", "1");
  calculate();
  for (const char* label : {"LongCountLbl", "TZnum", "TZnam", "HAnum", "HAnam"}) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(child<QLabel>(label));
    EXPECT_EQ(a->text(QAccessible::Value), text(label)) << label;
  }
  EXPECT_EQ(
      QAccessible::queryAccessibleInterface(child<QLabel>("LongCountLbl"))->text(QAccessible::Name),
      "Long Count");
}

// Creates the main window under each of the toolkit's styles in turn, and
// puts the application's style back afterwards.
class StyleScope {
public:
  explicit StyleScope(const QString& name) : previous_(QApplication::style()->name()) {
    QApplication::setStyle(QStyleFactory::create(name));
  }
  ~StyleScope() { QApplication::setStyle(QStyleFactory::create(previous_)); }
  StyleScope(const StyleScope&) = delete;
  StyleScope& operator=(const StyleScope&) = delete;

private:
  QString previous_;
};

TEST(MainWindowStyles, OpenDayListShowsAboutADozenDaysAndScrolls) {
  for (const QString& styleName : {QStringLiteral("Fusion"), QStringLiteral("Windows")}) {
    ASSERT_TRUE(QStyleFactory::keys().contains(styleName, Qt::CaseInsensitive))
        << styleName.toStdString();
    StyleScope scope(styleName);
    WindowRegistry registry;
    registry.define(QLatin1String(kMainWindow),
                    [](WindowRegistry& r) { return new MainWindow(r); });
    auto* window = qobject_cast<MainWindow*>(registry.show(QLatin1String(kMainWindow)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    auto* year = window->findChild<QLineEdit*>(QStringLiteral("Year"));
    auto* month = window->findChild<QComboBox*>(QStringLiteral("Month"));
    auto* day = window->findChild<QComboBox*>(QStringLiteral("Day"));
    QTest::keyClicks(year, "2000");
    glyphbox::testing::chooseItem(month, "January");
    ASSERT_EQ(day->count(), 31);
    day->showPopup();
    QAbstractItemView* list = day->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 1000));
    const int rowHeight = list->sizeHintForRow(0);
    ASSERT_GT(rowHeight, 0);
    const double rowsShown = double(list->viewport()->height()) / rowHeight;
    EXPECT_GE(rowsShown, 10) << styleName.toStdString();
    EXPECT_LE(rowsShown, 14) << styleName.toStdString();
    EXPECT_GT(list->verticalScrollBar()->maximum(), 0) << styleName.toStdString();
    EXPECT_LT(list->window()->height(), 20 * rowHeight) << styleName.toStdString();
    day->hidePopup();
    registry.unload(QLatin1String(kMainWindow));
  }
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
