#include <glyphbox/workbench/settings_bar.h>

#include <glyphbox/workbench/guarded.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>

namespace glyphbox::workbench {
namespace {

// The item of the correlation picker that takes a JDN of one's own: after
// the presets, with no preset name as its data.
constexpr int kPresets = static_cast<int>(maya::kCorrelations.size());

// How the choices are stored: words that stay when the program's language changes.
const QString kGroup = QStringLiteral("choices");
const QString kCorrelationKey = QStringLiteral("correlation");
const QString kCalendarKey = QStringLiteral("calendar");
const QString kSpellingKey = QStringLiteral("spelling");
const QString kNumberingKey = QStringLiteral("haab-days");

// The choices of the other pickers: the word the command line's option
// takes for each (stored as it is), what the picker shows, and the value.
struct Choice {
  const char* word;
  const char* label;
  int value;
};
constexpr Choice kCalendars[] = {
    {"gregorian", QT_TRANSLATE_NOOP("glyphbox::workbench::SettingsBar", "Gregorian"),
     static_cast<int>(maya::Calendar::Gregorian)},
    {"julian", QT_TRANSLATE_NOOP("glyphbox::workbench::SettingsBar", "Julian"),
     static_cast<int>(maya::Calendar::Julian)},
    {"historical", QT_TRANSLATE_NOOP("glyphbox::workbench::SettingsBar", "Historical"),
     static_cast<int>(maya::Calendar::Historical)},
};
constexpr Choice kSpellings[] = {
    {"colonial", QT_TRANSLATE_NOOP("glyphbox::workbench::SettingsBar", "Colonial (Ahau, Cumku)"),
     static_cast<int>(maya::Spelling::Colonial)},
    {"modern", QT_TRANSLATE_NOOP("glyphbox::workbench::SettingsBar", "Modern (Ajaw, Kumk'u)"),
     static_cast<int>(maya::Spelling::Modern)},
};
constexpr Choice kNumberings[] = {
    {"0-19", QT_TRANSLATE_NOOP("glyphbox::workbench::SettingsBar", "0-19 (seating)"),
     static_cast<int>(maya::HaabNumbering::Seating0)},
    {"1-20", QT_TRANSLATE_NOOP("glyphbox::workbench::SettingsBar", "1-20"),
     static_cast<int>(maya::HaabNumbering::Window1)},
};

template <std::size_t N> void addChoices(QComboBox* box, const Choice (&choices)[N]) {
  for (const Choice& c : choices) {
    box->addItem(SettingsBar::tr(c.label), QString::fromLatin1(c.word));
  }
}

// The value of the choice a picker shows.
template <std::size_t N> int valueOf(const QComboBox* box, const Choice (&choices)[N]) {
  const int i = box->currentIndex();
  return choices[i >= 0 && i < static_cast<int>(N) ? i : 0].value;
}

QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

SettingsBar::SettingsBar(QWidget* parent) : QWidget(parent) {
  createControls();
  describeControls();
  connectHandlers();
  readControls();
}

void SettingsBar::createControls() {
  correlation_ = new QComboBox(this);
  for (const maya::Correlation& c : maya::kCorrelations) {
    correlation_->addItem(tr("%1 (%2)").arg(text(c.name)).arg(c.jdn), text(c.name));
    correlation_->setItemData(correlation_->count() - 1, text(c.note), Qt::ToolTipRole);
  }
  correlation_->addItem(tr("Custom JDN"), QString());
  customJdn_ = new QLineEdit(this);
  customJdn_->setMaxLength(24);
  customJdn_->setPlaceholderText(tr("JDN of 0.0.0.0.0"));
  // Wide enough for the placeholder whole, however long the language makes it.
  const QFontMetrics metrics = customJdn_->fontMetrics();
  customJdn_->setMinimumWidth(metrics.horizontalAdvance(customJdn_->placeholderText()) +
                              4 * metrics.averageCharWidth());
  customJdn_->setEnabled(false);
  customProblem_ = new QLabel(this);
  customProblem_->setObjectName(QStringLiteral("customProblem"));
  customProblem_->setForegroundRole(QPalette::BrightText);

  calendar_ = new QComboBox(this);
  addChoices(calendar_, kCalendars);
  calendar_->setItemData(2, tr("Julian up to 4 October 1582, Gregorian from 15 October 1582"),
                         Qt::ToolTipRole);
  spelling_ = new QComboBox(this);
  addChoices(spelling_, kSpellings);
  numbering_ = new QComboBox(this);
  addChoices(numbering_, kNumberings);

  correlationLabel_ = new QLabel(tr("&Correlation:"), this);
  calendarLabel_ = new QLabel(tr("Ca&lendar:"), this);
  spellingLabel_ = new QLabel(tr("S&pelling:"), this);
  numberingLabel_ = new QLabel(tr("&Haab days:"), this);
  correlationLabel_->setBuddy(correlation_);
  calendarLabel_->setBuddy(calendar_);
  spellingLabel_->setBuddy(spelling_);
  numberingLabel_->setBuddy(numbering_);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* w : {static_cast<QWidget*>(correlationLabel_), static_cast<QWidget*>(correlation_),
                     static_cast<QWidget*>(customJdn_), static_cast<QWidget*>(customProblem_)}) {
    layout->addWidget(w);
  }
  layout->addSpacing(12);
  for (auto [label, box] : {std::pair{calendarLabel_, calendar_},
                            {spellingLabel_, spelling_},
                            {numberingLabel_, numbering_}}) {
    layout->addWidget(label);
    layout->addWidget(box);
    layout->addSpacing(12);
  }
  layout->addStretch();
  // Reading order, left to right.
  setTabOrder(correlation_, customJdn_);
  setTabOrder(customJdn_, calendar_);
  setTabOrder(calendar_, spelling_);
  setTabOrder(spelling_, numbering_);
}

void SettingsBar::describeControls() {
  correlation_->setObjectName(QStringLiteral("correlation"));
  customJdn_->setObjectName(QStringLiteral("customJdn"));
  calendar_->setObjectName(QStringLiteral("calendar"));
  spelling_->setObjectName(QStringLiteral("spelling"));
  numbering_->setObjectName(QStringLiteral("numbering"));
  correlation_->setAccessibleName(tr("Correlation"));
  correlation_->setToolTip(
      tr("The JDN of 0.0.0.0.0: a Long Count's day is its day count plus this number"));
  customJdn_->setAccessibleName(tr("Custom correlation JDN"));
  calendar_->setAccessibleName(tr("Western calendar"));
  spelling_->setAccessibleName(tr("Spelling of the names"));
  numbering_->setAccessibleName(tr("Haab day numbering"));
  numbering_->setToolTip(tr("0-19 counts a month's days from its seating, as scholars do; "
                            "1-20 as the Glyphbox window does"));
  customProblem_->setAccessibleName(tr("Custom correlation problem"));
}

void SettingsBar::connectHandlers() {
  connectGuarded(correlation_, &QComboBox::currentIndexChanged, this,
                 &SettingsBar::correlationChosen);
  connectGuarded(customJdn_, &QLineEdit::textEdited, this, &SettingsBar::customJdnEdited);
  for (QComboBox* box : {calendar_, spelling_, numbering_}) {
    connectGuarded(box, &QComboBox::currentIndexChanged, this, &SettingsBar::otherChosen);
  }
}

void SettingsBar::correlationChosen() {
  customJdn_->setEnabled(correlation_->currentIndex() == kPresets);
  readControls();
}

void SettingsBar::customJdnEdited() { readControls(); }

void SettingsBar::otherChosen() { readControls(); }

void SettingsBar::readControls() {
  rows::ConversionSettings s;
  const int index = correlation_->currentIndex();
  customProblem_->clear();
  if (index >= 0 && index < kPresets) {
    s.reckoning = rows::Reckoning::of(maya::kCorrelations[static_cast<std::size_t>(index)]);
  } else {
    const auto parsed = maya::parseCorrelation(customJdn_->text().trimmed().toStdString());
    if (parsed) {
      customCorrelation_ = parsed.value;
    } else if (!customJdn_->text().trimmed().isEmpty()) {
      customProblem_->setText(
          tr("not a JDN: %1").arg(text(maya::correlationErrorMessage(parsed.error))));
    }
    s.reckoning = rows::Reckoning::of(customCorrelation_);
  }
  s.calendar = static_cast<maya::Calendar>(valueOf(calendar_, kCalendars));
  s.spelling = static_cast<maya::Spelling>(valueOf(spelling_, kSpellings));
  s.haabDays = static_cast<maya::HaabNumbering>(valueOf(numbering_, kNumberings));
  const bool same = s.reckoning.correlation == settings_.reckoning.correlation &&
                    s.calendar == settings_.calendar && s.spelling == settings_.spelling &&
                    s.haabDays == settings_.haabDays;
  settings_ = s;
  if (!same) {
    emit changed();
  }
}

void SettingsBar::restore(const QSettings& store) {
  const auto choose = [](QComboBox* box, const QVariant& data) {
    if (const int i = box->findData(data); i >= 0) {
      box->setCurrentIndex(i);
    }
  };
  const QString correlation = store.value(kGroup + '/' + kCorrelationKey).toString();
  if (const auto preset = maya::findCorrelation(correlation.toStdString())) {
    choose(correlation_, text(preset->name));
  } else if (!correlation.isEmpty() && maya::parseCorrelation(correlation.toStdString())) {
    customJdn_->setText(correlation);
    correlation_->setCurrentIndex(kPresets);
  }
  choose(calendar_, store.value(kGroup + '/' + kCalendarKey));
  choose(spelling_, store.value(kGroup + '/' + kSpellingKey));
  choose(numbering_, store.value(kGroup + '/' + kNumberingKey));
  readControls();
}

void SettingsBar::save(QSettings& store) const {
  const maya::Correlation& c = settings_.reckoning.correlation;
  store.setValue(kGroup + '/' + kCorrelationKey,
                 c.name.empty() ? QString::number(c.jdn) : text(c.name));
  store.setValue(kGroup + '/' + kCalendarKey, calendar_->currentData());
  store.setValue(kGroup + '/' + kSpellingKey, spelling_->currentData());
  store.setValue(kGroup + '/' + kNumberingKey, numbering_->currentData());
}

QWidget* SettingsBar::firstControl() const { return correlation_; }
QWidget* SettingsBar::lastControl() const { return numbering_; }

} // namespace glyphbox::workbench
