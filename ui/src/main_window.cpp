#include <glyphbox/ui/main_window.h>

#include <glyphbox/assets.h>
#include <glyphbox/engine/maya_date.h>
#include <glyphbox/runtime/conversions.h>
#include <glyphbox/ui/control_style.h>
#include <glyphbox/ui/error_report.h>
#include <glyphbox/ui/geometry.h>
#include <glyphbox/ui/label_fitting.h>
#include <glyphbox/ui/window_names.h>
#include <glyphbox/ui/window_registry.h>
#include <glyphbox/ui/year_validator.h>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <vector>

namespace glyphbox::ui {
namespace {

// The client area and every control's place, in twips.
constexpr int kClientWidth = 4770;
constexpr int kClientHeight = 1950;

struct Placement {
  const char* name;
  int left, top, width, height;
};

constexpr Placement kPlacements[] = {
    {"YearLbl", 120, 120, 375, 255},  {"MonthLbl", 960, 120, 495, 255},
    {"DayLbl", 2280, 120, 375, 255},  {"EraLbl", 3120, 120, 375, 255},
    {"Year", 120, 360, 735, 285},     {"Month", 960, 360, 1215, 315},
    {"Day", 2280, 360, 735, 315},     {"CE", 3120, 360, 615, 315},
    {"BCE", 3840, 360, 615, 315},     {"CalcT", 120, 720, 1695, 255},
    {"CalcH", 2280, 720, 1695, 255},  {"GoBut", 120, 1080, 4575, 375},
    {"Label2", 120, 1560, 1095, 255}, {"LongCountLbl", 1200, 1560, 1095, 255},
    {"TZnum", 2400, 1560, 255, 255},  {"TZnam", 2760, 1560, 735, 255},
    {"HAnum", 3600, 1560, 255, 255},  {"HAnam", 3960, 1560, 615, 255},
};

// Colours as 0x00BBGGRR codes; 0x800000nn is a desktop system colour.
constexpr std::uint32_t kBlack = 0x00000000;
constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kMenuTextColour = 0x80000007;

// The widest Long Count a two-digit baktun can give, in the widest digits.
// Wider ones (baktuns of three to five digits) are shown in a smaller font.
constexpr char kWidestLongCount[] = "88.88.88.88.88";

// How many days or months an open drop-down list shows at once; the rest scroll.
constexpr int kVisibleListItems = 12;

} // namespace

// A label that shows a result. It tells assistive technology what it holds
// (its name and description, fixed) and, as its value, the result it shows now.
class ResultLabel : public QLabel {
  Q_OBJECT

public:
  using QLabel::QLabel;
};

namespace {

class ResultLabelAccessible : public QAccessibleWidget {
public:
  explicit ResultLabelAccessible(QLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}
  [[nodiscard]] QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) {
      return static_cast<const QLabel*>(widget())->text();
    }
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* resultLabelAccessible(const QString& /*className*/, QObject* object) {
  auto* label = qobject_cast<ResultLabel*>(object);
  return label != nullptr ? new ResultLabelAccessible(label) : nullptr;
}

QString fromView(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

template <std::size_t N> QStringList toStringList(const std::array<std::string_view, N>& names) {
  QStringList list;
  for (const auto name : names) {
    list << fromView(name);
  }
  return list;
}

template <typename Label = QLabel>
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text,
                  Qt::Alignment align = Qt::AlignLeft) {
  auto* label = new Label(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setAlignment(align | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  label->setAutoFillBackground(true); // labels paint their whole rectangle
  return label;
}

void setColours(QWidget* w, std::uint32_t background, std::uint32_t foreground) {
  const QPalette desktop = QApplication::palette();
  QPalette p = w->palette();
  p.setColor(QPalette::Window, colourFromCode(background, desktop));
  p.setColor(QPalette::WindowText, colourFromCode(foreground, desktop));
  w->setPalette(p);
  // Buttons paint with the button roles by default; these paint like labels.
  w->setBackgroundRole(QPalette::Window);
  w->setForegroundRole(QPalette::WindowText);
  w->setAutoFillBackground(true);
}

// The size a control needs to show `text` whole, as its style lays it out.
QSize neededSize(const QWidget* w, const QString& text) {
  const QFontMetrics fm(w->font());
  const QStyle* style = w->style();
  const int textWidth = fm.horizontalAdvance(text);
  const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
  if (qobject_cast<const QComboBox*>(w) != nullptr) {
    QComboBox probe;
    probe.setFont(w->font());
    probe.addItem(text);
    return QSize(probe.sizeHint().width(), fm.height() + 2 * frame);
  }
  if (const auto* check = qobject_cast<const QCheckBox*>(w)) {
    return QSize(style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check) +
                     style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, check) +
                     textWidth,
                 fm.height());
  }
  if (const auto* radio = qobject_cast<const QRadioButton*>(w)) {
    return QSize(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio) +
                     style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, radio) +
                     textWidth,
                 fm.height());
  }
  if (qobject_cast<const QPushButton*>(w) != nullptr) {
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
    return QSize(textWidth + 2 * margin, fm.height() + 2 * frame);
  }
  if (qobject_cast<const QLineEdit*>(w) != nullptr) {
    return QSize(0, fm.height() + 2 * frame);
  }
  return QSize(textWidth, fm.height());
}

} // namespace

MainWindow::MainWindow(WindowRegistry& registry, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      registry_(registry) {
  setWindowTitle(QStringLiteral("Glyphbox"));
  setWindowIcon(assets::applicationIcon());
  createMenu();
  createControls();
  describeControls();
  applyStyle();
  applyColours();
  applyLayout();
  applyTabOrder();
  connectHandlers();
  keepFixedAndCentred(this);
  Form_Load();
}

void MainWindow::createMenu() {
  mnuAbout = menuBar()->addAction(tr("About"));
  mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
}

void MainWindow::createControls() {
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  setCentralWidget(client_);

  YearLbl = makeLabel(client_, "YearLbl", QStringLiteral("Year"));
  MonthLbl = makeLabel(client_, "MonthLbl", QStringLiteral("Month"));
  DayLbl = makeLabel(client_, "DayLbl", QStringLiteral("Day"));
  EraLbl = makeLabel(client_, "EraLbl", QStringLiteral("Era"));

  Year = new QLineEdit(client_);
  Year->setObjectName(QStringLiteral("Year"));
  Year->setValidator(new YearValidator(Year));
  // No length limit: a paste goes to the validator whole, never cut to the
  // line edit's default 32767 characters (which could make it another number).
  Year->setMaxLength(std::numeric_limits<int>::max());

  Month = new QComboBox(client_);
  Month->setObjectName(QStringLiteral("Month"));
  for (const auto name : engine::kMonthNames) {
    Month->addItem(fromView(name));
  }
  Month->setCurrentIndex(-1); // Qt selects the first item added; start with none
  Month->setEnabled(false);

  Day = new QComboBox(client_);
  Day->setObjectName(QStringLiteral("Day"));
  Day->setEnabled(false);

  CE = new QRadioButton(QStringLiteral("CE"), client_);
  CE->setObjectName(QStringLiteral("CE"));
  BCE = new QRadioButton(QStringLiteral("BCE"), client_);
  BCE->setObjectName(QStringLiteral("BCE"));
  // Selected only once both exist: selecting an option takes the Tab stop away
  // from the other options of its group, so the group is entered at the
  // selected option from either side.
  CE->setChecked(true);

  CalcT = new QCheckBox(QStringLiteral("Calculate Tzolkin"), client_);
  CalcT->setObjectName(QStringLiteral("CalcT"));
  CalcH = new QCheckBox(QStringLiteral("Calculate Haab"), client_);
  CalcH->setObjectName(QStringLiteral("CalcH"));

  GoBut = new QPushButton(QStringLiteral("Calculate"), client_);
  GoBut->setObjectName(QStringLiteral("GoBut"));
  GoBut->setEnabled(false);
  // Not a default button (the window has none, so Enter in the year field
  // presses nothing); Enter on the focused button presses it, as Space does.
  GoBut->setAutoDefault(false);
  GoBut->installEventFilter(this);

  Label2 = makeLabel(client_, "Label2", QStringLiteral("Mayan Date :"));

  LongCountLbl = makeLabel<ResultLabel>(client_, "LongCountLbl", QString());
  TZnum = makeLabel<ResultLabel>(client_, "TZnum", QString(), Qt::AlignRight);
  TZnam = makeLabel<ResultLabel>(client_, "TZnam", QString());
  HAnum = makeLabel<ResultLabel>(client_, "HAnum", QString(), Qt::AlignRight);
  HAnam = makeLabel<ResultLabel>(client_, "HAnam", QString());

  // A one-shot delay: the calculation runs after the cleared labels are painted.
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(10);
}

void MainWindow::describeControls() {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(resultLabelAccessible);
    return true;
  }();
  Q_UNUSED(factoryInstalled);

  const struct {
    QWidget* widget;
    const char* name;
    const char* description;
  } descriptions[] = {
      {Year, "Year", "The Gregorian year to convert, a whole number from 0 to 2147483647"},
      {Month, "Month", "The month of the Gregorian date"},
      {Day, "Day", "The day of the month"},
      {CE, "Era: CE", "The year counts in the Common Era"},
      {BCE, "Era: BCE", "The year counts before the Common Era"},
      {CalcT, "Calculate Tzolkin", "Also show the Tzolkin date: a number and a day name"},
      {CalcH, "Calculate Haab", "Also show the Haab date: a day number and a month name"},
      {GoBut, "Calculate", "Converts the date into the Maya calendar"},
      {LongCountLbl, "Long Count",
       "The Long Count of the date: baktun, katun, tun, uinal and kin, joined by points"},
      {TZnum, "Tzolkin number", "The Tzolkin day number, 1 to 13"},
      {TZnam, "Tzolkin day name", "The Tzolkin day name, one of twenty"},
      {HAnum, "Haab day number", "The day of the Haab month"},
      {HAnam, "Haab month name", "The Haab month name, one of nineteen"},
  };
  for (const auto& d : descriptions) {
    d.widget->setAccessibleName(tr(d.name));
    d.widget->setAccessibleDescription(tr(d.description));
  }
}

void MainWindow::applyStyle() {
  // Focus marks the user can see on black, and drop-down lists that scroll.
  auto* style = new ControlStyle;
  style->setParent(this); // created after the controls, so deleted after them
  for (QWidget* w : std::initializer_list<QWidget*>{CE, BCE, CalcT, CalcH}) {
    w->setStyle(style);
    QPalette p = w->palette();
    p.setColor(QPalette::Highlight, QColor::fromRgb(kFocusMarkColour));
    w->setPalette(p);
  }
  for (QComboBox* list : {Month, Day}) {
    list->setStyle(style);
    list->setMaxVisibleItems(kVisibleListItems);
  }
}

void MainWindow::applyColours() {
  setColours(client_, kBlack, kWhite);
  for (QWidget* w :
       std::initializer_list<QWidget*>{YearLbl, MonthLbl, DayLbl, EraLbl, CE, BCE, CalcH, Label2,
                                       LongCountLbl, TZnum, TZnam, HAnum, HAnam}) {
    setColours(w, kBlack, kWhite);
  }
  setColours(CalcT, kMenuTextColour, kWhite);
}

double MainWindow::requiredScale() const {
  struct Need {
    const QWidget* widget;
    QStringList texts;
  };
  const QStringList tzolkinNames = toStringList(engine::kTzolkinNames);
  const QStringList haabNames = toStringList(engine::kHaabMonthNames);
  const QStringList monthNames = toStringList(engine::kMonthNames);
  const std::vector<Need> needs = {
      {YearLbl, {YearLbl->text()}},
      {MonthLbl, {MonthLbl->text()}},
      {DayLbl, {DayLbl->text()}},
      {EraLbl, {EraLbl->text()}},
      {Year, {QString()}}, // a long year scrolls; only its height counts
      {Month, monthNames},
      {Day, {QStringLiteral("31")}},
      {CE, {CE->text()}},
      {BCE, {BCE->text()}},
      {CalcT, {CalcT->text()}},
      {CalcH, {CalcH->text()}},
      {GoBut, {GoBut->text()}},
      {Label2, {Label2->text()}},
      {LongCountLbl, {QLatin1String(kWidestLongCount)}},
      {TZnum, {QStringLiteral("13")}},
      {TZnam, tzolkinNames},
      {HAnum, {QStringLiteral("20")}},
      {HAnam, haabNames},
  };
  double scale = 1.0;
  for (const auto& need : needs) {
    const auto* placement =
        std::find_if(std::begin(kPlacements), std::end(kPlacements), [&](const Placement& p) {
          return need.widget->objectName() == QLatin1String(p.name);
        });
    const QSize available = twipsToPixels(placement->width, placement->height);
    for (const QString& text : need.texts) {
      const QSize needed = neededSize(need.widget, text);
      scale = std::max({scale, double(needed.width()) / available.width(),
                        double(needed.height()) / available.height()});
    }
  }
  return scale;
}

void MainWindow::applyLayout() {
  scale_ = requiredScale();
  for (const auto& p : kPlacements) {
    auto* w = client_->findChild<QWidget*>(QLatin1String(p.name), Qt::FindDirectChildrenOnly);
    w->setGeometry(twipsToPixels(p.left, p.top, p.width, p.height, scale_));
  }
  client_->setFixedSize(twipsToPixels(kClientWidth, kClientHeight, scale_));
  // Fixed size: the frame cannot resize it and there is nothing to maximise.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setWindowFlag(Qt::WindowMinimizeButtonHint, false);
}

void MainWindow::applyTabOrder() {
  // Disabled controls are skipped by Tab; the era group is one stop.
  const QWidget* order[] = {Month, Year, GoBut, CE, BCE, Day, CalcT, CalcH};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    QWidget::setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
  }
  for (QLabel* label : client_->findChildren<QLabel*>()) {
    label->setFocusPolicy(Qt::NoFocus);
  }
  // Only the selected era option is a tab stop, so Tab and Shift+Tab both
  // enter the group at it; the arrow keys still move between the options.
  const auto selectedEraIsTheStop = [this] {
    CE->setFocusPolicy(CE->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    BCE->setFocusPolicy(BCE->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
  };
  selectedEraIsTheStop();
  connect(CE, &QRadioButton::toggled, this, selectedEraIsTheStop);
  Year->setFocus();
}

void MainWindow::connectHandlers() {
  connectHandler(Year, &QLineEdit::textChanged, this, &MainWindow::Year_Change);
  connectHandler(Month, &QComboBox::activated, this, &MainWindow::Month_Click);
  connectHandler(Day, &QComboBox::activated, this, &MainWindow::Day_Click);
  connectHandler(GoBut, &QPushButton::clicked, this, &MainWindow::GoBut_Click);
  connectHandler(Timer1, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
  connectHandler(mnuAbout, &QAction::triggered, this, &MainWindow::mnuAbout_Click);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == GoBut && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat() &&
        GoBut->isEnabled()) {
      GoBut->click();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  runGuarded(this, [this] { Form_Unload(); });
  event->accept();
  registry_.unload(objectName()); // gone from the registry now, not when deleted
}

// --- Handlers -------------------------------------------------------------------

void MainWindow::Form_Load() {
  // Placed centred on the screen, the way the window opens every time.
  adjustSize();
  centreOnScreen(this);
}

void MainWindow::Year_Change() {
  const QString text = Year->text();
  if (!text.isEmpty()) {
    calendar_.applyYearText(text.toStdString());
    Month->setEnabled(true);
  } else {
    Month->setEnabled(false); // its selection, if any, stays
  }
  Month_Click();
  Day_Click();
}

void MainWindow::Month_Click() {
  const QString text = Month->currentText();
  calendar_.applyMonthText(text.toStdString());
  if (!text.isEmpty()) {
    Day->clear();
    for (int i = 1; i <= calendar_.daysInMonth.value(); ++i) {
      Day->insertItem(i - 1, QString::number(i));
    }
    Day->setCurrentIndex(-1); // refilled with no day chosen
    Day->setEnabled(true);
  } else {
    Day->setEnabled(false);
  }
  Day_Click();
}

void MainWindow::Day_Click() {
  const QString text = Day->currentText();
  if (!text.isEmpty()) {
    DayNum = runtime::roundToInt16(runtime::valueOfText(text.toStdString()));
    GoBut->setEnabled(true);
  } else {
    GoBut->setEnabled(false);
  }
}

void MainWindow::GoBut_Click() {
  for (QLabel* label : {TZnum, TZnam, HAnum, HAnam, LongCountLbl}) {
    showResult(label, QString());
  }
  if (!Timer1->isActive()) { // pressed again within the delay: still one calculation
    Timer1->start();
  }
}

void MainWindow::Timer1_Timer() {
  // Disabled first, so the timer fires once per press even if the calculation fails.
  Timer1->stop();
  CalculateMayanDate();
}

void MainWindow::mnuAbout_Click() { registry_.show(QLatin1String(kThinkingForm)); }

void MainWindow::Form_Unload() {
  registry_.unload(QLatin1String(kAboutForm));
  registry_.unload(QLatin1String(kSplashForm));
  registry_.unload(QLatin1String(kThinkingForm));
}

// --- Helpers ----------------------------------------------------------------------

void MainWindow::CalculateMayanDate() {
  const double yearValue = runtime::valueOfText(Year->text().toStdString());
  DayNum = runtime::roundToInt16(runtime::valueOfText(Day->currentText().toStdString()));
  const engine::Era era = CE->isChecked() ? engine::Era::CE : engine::Era::BCE;

  // Computed whole before anything is shown: a failure leaves the labels empty.
  const engine::MayaDate date =
      engine::calculateMayaDate(yearValue, era, calendar_.monthNum, DayNum);

  showResult(LongCountLbl, QString::fromStdString(date.longCount.text()));
  if (CalcT->isChecked()) {
    showResult(TZnum, QString::number(date.tzolkin.number.value()));
    showResult(TZnam, fromView(date.tzolkin.name));
  }
  if (CalcH->isChecked()) {
    showResult(HAnum, QString::number(date.haab.day.value()));
    showResult(HAnam, fromView(date.haab.name));
  }
}

void MainWindow::showResult(QLabel* label, const QString& text) {
  // A Long Count with a baktun of three or more digits is wider than the
  // label: it is shown whole in a smaller font, and whole in the tooltip.
  showFitted(label, text);
}

} // namespace glyphbox::ui

#include "main_window.moc"
