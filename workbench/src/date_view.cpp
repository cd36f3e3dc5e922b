#include <glyphbox/workbench/date_view.h>

#include <glyphbox/maya/count819.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/rows/drawing.h>
#include <glyphbox/rows/inputs.h>
#include <glyphbox/rows/svg.h>
#include <glyphbox/workbench/day_picture.h>
#include <glyphbox/workbench/guarded.h>
#include <glyphbox/workbench/problem_label.h>

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace glyphbox::workbench {
namespace {

using rows::Column;

// Every value of a day, in reading order: the Maya calendar's first, then
// the Western calendars'. Each is a column of the command line's table,
// written by its writer; a new value is one entry here.
struct ValueField {
  Column column;
  const char* label;
};
constexpr ValueField kValues[] = {
    {Column::LongCount, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Long Count")},
    {Column::Tzolkin, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Tzolkin")},
    {Column::Haab, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Haab")},
    {Column::Lord, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Lord of the Night")},
    {Column::Bearer, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Year bearer")},
    {Column::Station819, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "819-day station")},
    {Column::Since819,
     QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Days since the station")},
    {Column::Quarter819, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Station's quarter")},
    {Column::Colour819, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Station's colour")},
    {Column::Number819, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Station of the 20")},
    {Column::Jdn, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Julian Day Number")},
    {Column::DayCount, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Days since 0.0.0.0.0")},
    {Column::Gregorian, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Gregorian")},
    {Column::Julian, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Julian")},
    {Column::Historical, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Historical")},
    {Column::Weekday, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Weekday")},
};
constexpr std::size_t kMayaValues = 10; // the first kMayaValues are the Maya calendar's

// The steps, in the order of their buttons: each period backwards, then forwards.
struct Step {
  std::int64_t days;
  const char* text;
  const char* name;
  QKeyCombination key;
};
const std::array<Step, 8> kSteps = {{
    {-maya::kKatun, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Previous katun"),
     "previousKatun", Qt::ALT | Qt::SHIFT | Qt::Key_PageUp},
    {-maya::kTun, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Previous tun"), "previousTun",
     Qt::ALT | Qt::Key_PageUp},
    {-maya::kUinal, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Previous uinal"),
     "previousUinal", Qt::ALT | Qt::SHIFT | Qt::Key_Left},
    {-1, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Previous kin"), "previousKin",
     Qt::ALT | Qt::Key_Left},
    {1, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Next kin"), "nextKin",
     Qt::ALT | Qt::Key_Right},
    {maya::kUinal, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Next uinal"), "nextUinal",
     Qt::ALT | Qt::SHIFT | Qt::Key_Right},
    {maya::kTun, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Next tun"), "nextTun",
     Qt::ALT | Qt::Key_PageDown},
    {maya::kKatun, QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Next katun"), "nextKatun",
     Qt::ALT | Qt::SHIFT | Qt::Key_PageDown},
}};
// What the step buttons show: the period, with an arrow for the direction.
constexpr std::array<const char*, 8> kStepButtonTexts = {
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "<< katun"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "< tun"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "< uinal"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "< kin"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "kin >"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "uinal >"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "tun >"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "katun >>")};

QString qText(const std::string& s) { return QString::fromStdString(s); }

// The values worded rather than counted, which the command line writes in
// English for scripts: here in the user's language, the Yucatec names kept.
[[maybe_unused]] constexpr const char* kWordedValues[] = {
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "East (likin)"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "South (nohol)"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "West (chikin)"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "North (xaman)"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "red (chak)"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "yellow (kan)"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "black (ek)"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "white (sak)"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Monday"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Tuesday"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Wednesday"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Thursday"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Friday"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Saturday"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Sunday")};
// The picture's words.
constexpr std::array<const char*, maya::kQuarters> kQuarterWords = {
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "East"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "South"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "West"),
    QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "North")};
struct PictureWords {
  const char* initialSeries = QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Initial Series");
  const char* beforeCreation =
      QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "before 0.0.0.0.0");
  const char* seating = QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "seating");
  const char* lordOfTheNight =
      QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "Lord of the Night");
  const char* station819 = QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "819-day count");
  const char* oneDay = QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "%1 station + 1 day");
  const char* days = QT_TRANSLATE_NOOP("glyphbox::workbench::DateView", "%1 station + %2 days");
};

bool isWorded(Column c) {
  return c == Column::Quarter819 || c == Column::Colour819 || c == Column::Weekday;
}

// The most an input line takes: the command line refuses longer lines.
constexpr int kMaxInput = 4096;

// The picture of day d with its words in the user's language.
rows::DrawingInput pictureInput(std::int64_t d, const rows::ConversionSettings& s) {
  rows::DrawingInput in =
      rows::dayInput(d, s.spelling, s.haabDays.value_or(maya::HaabNumbering::Seating0));
  const auto words = [](const char* text) { return DateView::tr(text); };
  const PictureWords w;
  in.words.initialSeries = words(w.initialSeries).toStdString();
  in.words.beforeCreation = words(w.beforeCreation).toStdString();
  in.words.seating = words(w.seating).toStdString();
  in.words.lordOfTheNight = words(w.lordOfTheNight).toStdString();
  in.words.station819 = words(w.station819).toStdString();
  const maya::Station819 station = maya::station819Of(d);
  const QString quarter = words(kQuarterWords[static_cast<std::size_t>(station.quarter)]);
  in.station819 = (station.since == 1 ? words(w.oneDay).arg(quarter)
                                      : words(w.days).arg(quarter).arg(station.since))
                      .toStdString();
  return in;
}

} // namespace

DateView::DateView(QWidget* parent) : QWidget(parent) {
  createControls();
  createActions();
  placeControls();
  connectHandlers();
  setSettings(settings_);
}

DateView::~DateView() = default;

void DateView::createControls() {
  input_ = new QLineEdit(this);
  input_->setObjectName(QStringLiteral("dateInput"));
  input_->setMaxLength(kMaxInput);
  input_->setClearButtonEnabled(true);
  input_->setAccessibleName(tr("Date"));
  input_->setPlaceholderText(
      tr("2012-12-21, 3114-08-11 BCE, 9.12.11.5.18 6 Etznab 11 Yax, JDN 2451545 or today"));
  input_->setToolTip(tr("A date of the chosen Western calendar (YEAR-MONTH-DAY, CE or BCE), a "
                        "Long Count with what the monument records for the day if you like, "
                        "JDN and a Julian Day Number, or today"));
  problem_ = new ProblemLabel(this);
  problem_->setObjectName(QStringLiteral("dateProblem"));
  problem_->setAccessibleName(tr("Date problem"));

  for (const ValueField& f : kValues) {
    auto* value = new QLineEdit(this);
    value->setObjectName(QString::fromLatin1(rows::columnName(f.column).data()) +
                         QStringLiteral("Value"));
    value->setReadOnly(true);
    value->setFrame(false);
    // Text to select and copy, on the window's own background.
    value->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    value->setAccessibleName(tr(f.label));
    values_.push_back(value);
    auto* label = new QLabel(tr("%1:").arg(tr(f.label)), this);
    label->setBuddy(value);
    valueLabels_.push_back(label);
  }
  picture_ = new DayPicture(this);
  picture_->setObjectName(QStringLiteral("dayPicture"));
  picture_->setAccessibleName(tr("The day as a monument writes it"));
}

void DateView::createActions() {
  for (std::size_t i = 0; i < kSteps.size(); ++i) {
    const Step& s = kSteps[i];
    auto* action = new QAction(tr(s.text), this);
    action->setObjectName(QString::fromLatin1(s.name));
    action->setShortcut(QKeySequence(s.key));
    // The button shows the short text, the menu the whole one.
    action->setIconText(tr(kStepButtonTexts[i]));
    action->setToolTip(
        tr("%1 (%2)").arg(tr(s.text), action->shortcut().toString(QKeySequence::NativeText)));
    stepActions_.push_back(action);
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setObjectName(QString::fromLatin1(s.name) + QStringLiteral("Button"));
    button->setAccessibleName(tr(s.text));
    button->setFocusPolicy(Qt::StrongFocus);
    stepButtons_.push_back(button);
  }
  savePicture_ = new QAction(tr("Save &Picture..."), this);
  savePicture_->setObjectName(QStringLiteral("savePicture"));
  savePicture_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
  savePictureButton_ = new QToolButton(this);
  savePictureButton_->setDefaultAction(savePicture_);
  savePictureButton_->setObjectName(QStringLiteral("savePictureButton"));
  savePictureButton_->setAccessibleName(tr("Save picture"));
  savePictureButton_->setFocusPolicy(Qt::StrongFocus);
}

void DateView::placeControls() {
  const auto group = [this](const QString& title, std::size_t from, std::size_t to) {
    auto* box = new QGroupBox(title, this);
    auto* form = new QFormLayout(box);
    for (std::size_t i = from; i < to; ++i) {
      form->addRow(valueLabels_[i], values_[i]);
    }
    return box;
  };
  auto* values = new QHBoxLayout;
  values->addWidget(group(tr("Maya calendar"), 0, kMayaValues), 1);
  values->addWidget(group(tr("Western calendars"), kMayaValues, values_.size()), 1);

  auto* steps = new QHBoxLayout;
  for (QToolButton* b : stepButtons_) {
    steps->addWidget(b);
  }
  steps->addStretch();
  steps->addWidget(savePictureButton_);

  auto* left = new QVBoxLayout;
  left->addWidget(input_);
  left->addWidget(problem_);
  left->addLayout(values);
  left->addLayout(steps);
  left->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 3);
  layout->addWidget(picture_, 2);

  // Reading order: the input, each group top to bottom, the steps, the picture's button.
  QWidget* previous = input_;
  const auto next = [&previous](QWidget* w) {
    setTabOrder(previous, w);
    previous = w;
  };
  for (QLineEdit* v : values_) {
    next(v);
  }
  for (QToolButton* b : stepButtons_) {
    next(b);
  }
  next(savePictureButton_);
}

void DateView::connectHandlers() {
  connectGuarded(input_, &QLineEdit::textChanged, this, &DateView::inputEdited);
  for (std::size_t i = 0; i < kSteps.size(); ++i) {
    const std::int64_t days = kSteps[i].days;
    QObject::connect(stepActions_[i], &QAction::triggered, this,
                     [this, days] { guard(this, [&] { step(days); }); });
  }
  connectGuarded(savePicture_, &QAction::triggered, this, &DateView::savePictureTriggered);
}

void DateView::inputEdited() { answer(); }

void DateView::savePictureTriggered() {
  if (!picture_->drawing()) {
    return;
  }
  QString filter = tr("SVG picture (*.svg)");
  const QString path = QFileDialog::getSaveFileName(
      this, tr("Save Picture"), QString(), tr("SVG picture (*.svg);;PNG image (*.png)"), &filter);
  if (path.isEmpty()) {
    return;
  }
  const bool png = filter.contains(QLatin1String("*.png"));
  const QString file = QFileInfo(path).suffix().isEmpty()
                           ? path + (png ? QLatin1String(".png") : QLatin1String(".svg"))
                           : path;
  if (const QString problem = writePicture(file); !problem.isEmpty()) {
    problem_->setText(tr("Cannot save the picture: %1").arg(problem));
  }
}

void DateView::setSettings(const rows::ConversionSettings& settings) {
  settings_ = settings;
  std::vector<Column> columns;
  for (const ValueField& f : kValues) {
    columns.push_back(f.column);
  }
  cells_ = std::make_unique<rows::DayCells>(settings_, std::move(columns));
  answer();
}

void DateView::showDay(std::int64_t d) { input_->setText(qText(maya::longCountText(d))); }

void DateView::step(std::int64_t days) {
  if (day_) {
    showDay(*day_ + days);
  }
}

void DateView::answer() {
  const QString text = input_->text();
  const std::optional<std::int64_t> before = day_;
  day_.reset();
  std::vector<std::string> cells;
  QString problem;
  if (!rows::trimBlanks(text.toStdString()).empty()) {
    const rows::DayNumber reading = rows::readDayNumber(text.toStdString(), settings_);
    // The Long Count comes first, and only a day without a row lacks it.
    if (!reading.day) {
      problem = qText(reading.problem);
    } else if (cells = cells_->of(*reading.day); cells.front().empty()) {
      problem = tr("the date of this day lies outside the supported years");
      cells.clear();
    } else {
      day_ = reading.day;
      if (reading.eraBefore) {
        problem = qText(rows::eraBeforeNote(*reading.day));
      }
    }
  }
  problem_->setText(problem);
  showValues(cells);
  if (day_ && *day_ >= -maya::kMaxDayNumber && *day_ <= maya::kMaxDayNumber) {
    picture_->setDrawing(rows::drawDay(pictureInput(*day_, settings_)));
  } else {
    picture_->setDrawing(std::nullopt);
  }
  for (QAction* a : stepActions_) {
    a->setEnabled(day_.has_value());
  }
  savePicture_->setEnabled(day_.has_value());
  if (before != day_) {
    emit dayChanged();
  }
}

void DateView::showValues(const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < values_.size(); ++i) {
    const bool worded = i < cells.size() && isWorded(kValues[i].column);
    values_[i]->setText(i >= cells.size() ? QString()
                        : worded          ? tr(cells[i].c_str())
                                          : qText(cells[i]));
    values_[i]->setCursorPosition(0);
  }
}

QString DateView::valuesText() const {
  QString text;
  if (day_) {
    for (std::size_t i = 0; i < values_.size(); ++i) {
      text += tr("%1: %2").arg(tr(kValues[i].label), values_[i]->text()) + QLatin1Char('\n');
    }
  }
  return text;
}

QString DateView::writePicture(const QString& path) const {
  if (!picture_->drawing()) {
    return tr("no day to draw");
  }
  const rows::Drawing& drawing = *picture_->drawing();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return file.errorString();
  }
  if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
    // Twice the drawing's size: sharp on the screens of today, and every edge on a whole pixel.
    constexpr double kPngScale = 2;
    if (!pictureImage(drawing, kPngScale, PictureColours::ofPaper()).save(&file, "PNG")) {
      file.cancelWriting();
      return tr("the image could not be encoded");
    }
  } else {
    const std::string svg = rows::svgOf(drawing);
    file.write(svg.data(), static_cast<qint64>(svg.size()));
  }
  if (!file.commit()) {
    return file.errorString();
  }
  return {};
}

} // namespace glyphbox::workbench
