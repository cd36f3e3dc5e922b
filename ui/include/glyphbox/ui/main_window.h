#pragma once

#include <glyphbox/engine/month_table.h>

#include <QMainWindow>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace glyphbox::ui {

class WindowRegistry;

// The main window, "main": the user types a year, picks era, month and day in
// that order, presses Calculate and reads the Long Count, Tzolkin and Haab.
// The order is enforced only through which controls are enabled.
class MainWindow : public QMainWindow {
  Q_OBJECT
  Q_DISABLE_COPY(MainWindow)

public:
  explicit MainWindow(WindowRegistry& registry, QWidget* parent = nullptr);

  // The uniform factor the table's layout was enlarged by so that every text
  // fits the default font; 1 when the table's geometry suffices.
  [[nodiscard]] double layoutScale() const { return scale_; }
  [[nodiscard]] const engine::CalendarState& calendarState() const { return calendar_; }

protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter on the focused Calculate button presses it.
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // Construction.
  void createMenu();
  void createControls();
  void describeControls();
  void applyStyle();
  void applyColours();
  void applyLayout();
  void applyTabOrder();
  void connectHandlers();
  [[nodiscard]] double requiredScale() const;

  // Handlers, one per control event.
  void Form_Load();
  void Year_Change();
  void Month_Click();
  void Day_Click();
  void GoBut_Click();
  void Timer1_Timer();
  void mnuAbout_Click();
  void Form_Unload();

  // Helpers.
  void CalculateMayanDate();
  void showResult(QLabel* label, const QString& text);

  WindowRegistry& registry_;
  double scale_ = 1.0;

  // State kept for the window's lifetime.
  engine::CalendarState calendar_; // MonthNum, DaysInMonth, LeapYear
  runtime::Int16 DayNum = 0;

  // Controls.
  QAction* mnuAbout = nullptr;
  QWidget* client_ = nullptr;
  QLabel* YearLbl = nullptr;
  QLabel* MonthLbl = nullptr;
  QLabel* DayLbl = nullptr;
  QLabel* EraLbl = nullptr;
  QLineEdit* Year = nullptr;
  QComboBox* Month = nullptr;
  QComboBox* Day = nullptr;
  QRadioButton* CE = nullptr;
  QRadioButton* BCE = nullptr;
  QCheckBox* CalcT = nullptr;
  QCheckBox* CalcH = nullptr;
  QPushButton* GoBut = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* LongCountLbl = nullptr;
  QLabel* TZnum = nullptr;
  QLabel* TZnam = nullptr;
  QLabel* HAnum = nullptr;
  QLabel* HAnam = nullptr;
  QTimer* Timer1 = nullptr;
};

} // namespace glyphbox::ui
