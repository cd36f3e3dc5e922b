#include <glyphbox/workbench/search_view.h>

#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/maya/search.h>
#include <glyphbox/rows/inputs.h>
#include <glyphbox/workbench/csv_export.h>
#include <glyphbox/workbench/guarded.h>
#include <glyphbox/workbench/problem_label.h>

#include <QAction>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace glyphbox::workbench {
namespace {

QString qText(const std::string& s) { return QString::fromStdString(s); }

// The most rows one may ask for: a hundred times the default.
constexpr int kMaxLimit = 1'000'000;

// The header of a column: what it holds, in a few words.
const char* headerOf(rows::Column c) {
  switch (c) {
  case rows::Column::Date:
    return QT_TRANSLATE_NOOP("glyphbox::workbench::MatchModel", "Date");
  case rows::Column::LongCount:
    return QT_TRANSLATE_NOOP("glyphbox::workbench::MatchModel", "Long Count");
  case rows::Column::Tzolkin:
    return QT_TRANSLATE_NOOP("glyphbox::workbench::MatchModel", "Tzolkin");
  case rows::Column::Haab:
    return QT_TRANSLATE_NOOP("glyphbox::workbench::MatchModel", "Haab");
  case rows::Column::Lord:
    return QT_TRANSLATE_NOOP("glyphbox::workbench::MatchModel", "Lord");
  default:
    return QT_TRANSLATE_NOOP("glyphbox::workbench::MatchModel", "Value");
  }
}

} // namespace

MatchModel::MatchModel(QObject* parent) : QAbstractTableModel(parent) {}

MatchModel::~MatchModel() = default;

void MatchModel::setMatches(std::vector<std::int64_t> days,
                            const rows::ConversionSettings& settings) {
  beginResetModel();
  days_ = std::move(days);
  rows::ConversionSettings plain = settings;
  plain.format = rows::OutputFormat::Plain;
  plain.columns.reset();
  columns_ = rows::defaultColumns(plain);
  cells_ = std::make_unique<rows::DayCells>(settings, columns_);
  cachedRow_ = -1;
  endResetModel();
}

int MatchModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(days_.size());
}

int MatchModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant MatchModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
    return {};
  }
  if (index.row() != cachedRow_) {
    cached_ = cells_->of(days_[static_cast<std::size_t>(index.row())]);
    cachedRow_ = index.row();
  }
  return qText(cached_[static_cast<std::size_t>(index.column())]);
}

QVariant MatchModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) {
    return {};
  }
  if (orientation == Qt::Vertical) {
    return section + 1;
  }
  return tr(headerOf(columns_[static_cast<std::size_t>(section)]));
}

SearchView::SearchView(QWidget* parent) : QWidget(parent) {
  createControls();
  placeControls();
  connectHandlers();
  setSettings(settings_);
}

void SearchView::createControls() {
  pattern_ = new QLineEdit(this);
  pattern_->setObjectName(QStringLiteral("pattern"));
  pattern_->setAccessibleName(tr("Pattern"));
  pattern_->setClearButtonEnabled(true);
  pattern_->setPlaceholderText(tr("9.*.*.*.* 8 Ahau 13 Pop"));
  pattern_->setToolTip(
      tr("The clues, in any order: a Long Count with * places (9.*.*.*.0), a Tzolkin date "
         "(8 Ahau, * Ahau, 8 *), a Haab date (13 Pop, * Pop, 0 *), a Lord of the Night "
         "(G9), a year bearer (bearer 8 Ik), an 819-day quarter (819 South) and the days "
         "after the station (819+20)"));
  from_ = new QLineEdit(this);
  from_->setObjectName(QStringLiteral("from"));
  from_->setAccessibleName(tr("From"));
  from_->setPlaceholderText(tr("0.0.0.0.0, or the Long Count's own range"));
  to_ = new QLineEdit(this);
  to_->setObjectName(QStringLiteral("to"));
  to_->setAccessibleName(tr("To"));
  to_->setPlaceholderText(tr("19.19.19.17.19"));
  limit_ = new QSpinBox(this);
  limit_->setObjectName(QStringLiteral("limit"));
  limit_->setAccessibleName(tr("List at most"));
  limit_->setRange(1, kMaxLimit);
  limit_->setValue(kDefaultLimit);
  limit_->setGroupSeparatorShown(true);
  problem_ = new ProblemLabel(this);
  problem_->setObjectName(QStringLiteral("searchProblem"));
  problem_->setAccessibleName(tr("Search problem"));
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("searchSummary"));
  summary_->setAccessibleName(tr("Matches"));
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  model_ = new MatchModel(this);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("matches"));
  table_->setAccessibleName(tr("Matching days"));
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setAlternatingRowColors(true);
  table_->setWordWrap(false);
  // Rows of one height, and columns sized by hand: nothing measures every row.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  table_->horizontalHeader()->setDefaultSectionSize(
      fontMetrics().horizontalAdvance(QStringLiteral("3114-08-11 BCE")) + 24);
  table_->horizontalHeader()->setStretchLastSection(true);

  open_ = new QAction(tr("&Open Match in Date View"), this);
  open_->setObjectName(QStringLiteral("openMatch"));
  open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
  open_->setEnabled(false);
  export_ = new QAction(tr("&Export Matches as CSV..."), this);
  export_->setObjectName(QStringLiteral("exportMatches"));
  export_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
  export_->setEnabled(false);
}

void SearchView::placeControls() {
  auto* form = new QFormLayout;
  const auto add = [&](const QString& text, QWidget* field) {
    auto* label = new QLabel(text, this);
    label->setBuddy(field);
    form->addRow(label, field);
  };
  add(tr("&Pattern:"), pattern_);
  auto* range = new QHBoxLayout;
  range->addWidget(from_, 1);
  auto* toLabel = new QLabel(tr("&to"), this);
  toLabel->setBuddy(to_);
  range->addWidget(toLabel);
  range->addWidget(to_, 1);
  auto* fromLabel = new QLabel(tr("&From:"), this);
  fromLabel->setBuddy(from_);
  form->addRow(fromLabel, range);
  add(tr("List at &most:"), limit_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(problem_);
  layout->addWidget(summary_);
  layout->addWidget(table_, 1);
  setTabOrder(pattern_, from_);
  setTabOrder(from_, to_);
  setTabOrder(to_, limit_);
  setTabOrder(limit_, table_);
}

void SearchView::connectHandlers() {
  for (QLineEdit* edit : {pattern_, from_, to_}) {
    connectGuarded(edit, &QLineEdit::textChanged, this, &SearchView::criteriaEdited);
  }
  connectGuarded(limit_, &QSpinBox::valueChanged, this, &SearchView::criteriaEdited);
  connectGuarded(table_, &QTableView::activated, this, &SearchView::rowActivated);
  connectGuarded(open_, &QAction::triggered, this, &SearchView::openTriggered);
  connectGuarded(export_, &QAction::triggered, this, &SearchView::exportTriggered);
}

void SearchView::setSettings(const rows::ConversionSettings& settings) {
  settings_ = settings;
  search();
}

void SearchView::criteriaEdited() { search(); }

void SearchView::rowActivated(const QModelIndex& index) {
  if (index.isValid()) {
    emit openDay(model_->days()[static_cast<std::size_t>(index.row())]);
  }
}

void SearchView::openTriggered() { rowActivated(table_->currentIndex()); }

void SearchView::exportTriggered() {
  const QString path =
      QFileDialog::getSaveFileName(this, tr("Export Matches"), QString(), tr("CSV file (*.csv)"));
  if (path.isEmpty()) {
    return;
  }
  if (const QString problem = writeCsv(path); !problem.isEmpty()) {
    problem_->setText(tr("Cannot export the matches: %1").arg(problem));
  }
}

QString SearchView::writeCsv(const QString& path) const {
  return workbench::writeCsv(path, settings_, model_->days());
}

void SearchView::refuse(const QString& problem) {
  problem_->setText(problem);
  summary_->clear();
  total_ = 0;
  model_->setMatches({}, settings_);
  open_->setEnabled(false);
  export_->setEnabled(false);
}

void SearchView::search() {
  const std::string words = pattern_->text().simplified().toStdString();
  if (words.empty()) {
    refuse(QString());
    summary_->setText(tr("Type a pattern of clues, such as 9.*.*.*.* 8 Ahau 13 Pop."));
    return;
  }
  const maya::SearchPattern reading =
      maya::readSearchPattern(words, settings_.haabDays.value_or(maya::HaabNumbering::Seating0));
  if (!reading.matcher) {
    return refuse(qText(reading.problem));
  }
  maya::DayRange range = maya::searchRange(reading.pattern);
  const auto readEnd = [&](QLineEdit* edit, const QString& name, std::int64_t& day) {
    if (edit->text().trimmed().isEmpty()) {
      return true;
    }
    const rows::DayNumber r = rows::readDayNumber(edit->text().toStdString(), settings_);
    if (!r.day) {
      refuse(tr("%1: %2").arg(name, qText(r.problem)));
      return false;
    }
    day = *r.day;
    return true;
  };
  if (!readEnd(from_, tr("From"), range.first) || !readEnd(to_, tr("To"), range.last)) {
    return;
  }
  if (range.first > range.last) {
    return refuse(tr("The range is empty: its first day lies after its last."));
  }
  total_ = maya::count(*reading.matcher, range);
  std::vector<std::int64_t> days;
  const auto limit = static_cast<std::size_t>(limit_->value());
  days.reserve(std::min(limit, static_cast<std::size_t>(total_)));
  maya::forEachMatch(*reading.matcher, range, [&](std::int64_t d) {
    days.push_back(d);
    return days.size() < limit;
  });
  const auto listed = static_cast<std::int64_t>(days.size());
  model_->setMatches(std::move(days), settings_);
  problem_->setText(reading.eraBefore ? qText(rows::eraBeforeNote(*reading.eraBefore)) : QString());
  const QLocale locale;
  if (listed == 0) {
    summary_->setText(tr("No day in the range matches."));
  } else if (total_ > listed) {
    summary_->setText(tr("The list stops at %1 of %2 matching days; raise \"List at most\" for "
                         "more.")
                          .arg(locale.toString(static_cast<qlonglong>(listed)),
                               locale.toString(static_cast<qlonglong>(total_))));
  } else {
    summary_->setText(
        listed == 1 ? tr("One matching day.")
                    : tr("%1 matching days.").arg(locale.toString(static_cast<qlonglong>(listed))));
  }
  open_->setEnabled(listed > 0);
  export_->setEnabled(listed > 0);
}

} // namespace glyphbox::workbench
