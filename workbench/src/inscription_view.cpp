#include <glyphbox/workbench/inscription_view.h>

#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/workbench/csv_export.h>
#include <glyphbox/workbench/guarded.h>
#include <glyphbox/workbench/problem_label.h>

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QSettings>
#include <QTextBlock>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace glyphbox::workbench {
namespace {

const QString kRecentKey = QStringLiteral("recent/files");
const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// The margin of answers takes this share of the editor's width, and no less
// than it needs for a plain row; it widens up to the larger share when an
// answer needs it (a longer language's words), so the text is cut only in a
// narrow window.
constexpr double kMarginShare = 0.48;
constexpr double kMarginLargestShare = 0.66;
constexpr int kMarginMinimum = 320;
constexpr int kMarginPadding = 8;

QString qText(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A part of a line given in bytes, as Qt counts the characters of the same text.
std::pair<int, int> charactersOf(const std::string& line, std::size_t offset, std::size_t length) {
  const std::size_t from = std::min(offset, line.size());
  const std::size_t to = std::min(from + length, line.size());
  return {static_cast<int>(qText(std::string_view(line).substr(0, from)).size()),
          static_cast<int>(qText(std::string_view(line).substr(from, to - from)).size())};
}

} // namespace

// ---- The editor and its margin of answers ----

class WorksheetEditor::Margin : public QWidget {
public:
  explicit Margin(WorksheetEditor& editor) : QWidget(&editor), editor_(editor) {
    setObjectName(QStringLiteral("answers"));
  }

protected:
  void paintEvent(QPaintEvent* event) override { editor_.paintMargin(event); }
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ToolTip) {
      auto* help = static_cast<QHelpEvent*>(event);
      const QTextCursor at = editor_.cursorForPosition(QPoint(0, help->pos().y()));
      const auto block = static_cast<std::size_t>(at.blockNumber());
      const auto& answers = editor_.answers_;
      if (block < answers.size() && !answers[block].details.isEmpty()) {
        QToolTip::showText(help->globalPos(), answers[block].details, this);
      } else {
        QToolTip::hideText();
      }
      return true;
    }
    return QWidget::event(event);
  }

private:
  WorksheetEditor& editor_;
};

WorksheetEditor::WorksheetEditor(QWidget* parent)
    : QPlainTextEdit(parent), margin_(new Margin(*this)) {
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabChangesFocus(true); // the keyboard leaves the editor as it leaves a line
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
    if (dy != 0) {
      margin_->scroll(0, dy);
    } else {
      margin_->update(0, rect.y(), margin_->width(), rect.height());
    }
  });
  placeMargin();
}

int WorksheetEditor::marginWidth() const {
  const int share = static_cast<int>(width() * kMarginShare);
  const int largest = static_cast<int>(width() * kMarginLargestShare);
  return std::max({kMarginMinimum, share, std::min(widestAnswer_ + 2 * kMarginPadding, largest)});
}

void WorksheetEditor::placeMargin() {
  const int w = marginWidth();
  setViewportMargins(0, 0, w, 0);
  const QRect r = contentsRect();
  margin_->setGeometry(r.right() - w + 1, r.top(), w, r.height());
}

void WorksheetEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  placeMargin();
}

void WorksheetEditor::setAnswers(std::vector<Answer> answers) {
  answers_ = std::move(answers);
  int widest = 0;
  for (const Answer& a : answers_) {
    widest = std::max(widest, fontMetrics().horizontalAdvance(a.text));
  }
  if (widest != widestAnswer_) {
    widestAnswer_ = widest;
    placeMargin();
  }
  margin_->update();
}

void WorksheetEditor::setMarks(std::vector<Mark> marks) {
  marks_ = std::move(marks);
  QList<QTextEdit::ExtraSelection> selections;
  for (const Mark& m : marks_) {
    QTextEdit::ExtraSelection s;
    s.cursor = QTextCursor(document()->findBlockByNumber(m.block));
    s.cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, m.from);
    s.cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, std::max(1, m.length));
    s.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    s.format.setUnderlineColor(problemColour(palette()));
    s.format.setToolTip(m.why);
    selections.push_back(s);
  }
  setExtraSelections(selections);
}

QString WorksheetEditor::toolTipAt(const QPoint& viewportPoint) const {
  const QTextCursor at = cursorForPosition(viewportPoint);
  const int block = at.blockNumber();
  const int column = at.positionInBlock();
  // The character under the point lies before or after the cursor's gap.
  const QRect gap = cursorRect(at);
  const int character = viewportPoint.x() < gap.left() ? column - 1 : column;
  for (const Mark& m : marks_) {
    if (m.block == block && character >= m.from && character < m.from + std::max(1, m.length)) {
      return m.why;
    }
  }
  return {};
}

bool WorksheetEditor::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (const QString tip = toolTipAt(help->pos()); !tip.isEmpty()) {
      QToolTip::showText(help->globalPos(), tip, viewport());
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QPlainTextEdit::viewportEvent(event);
}

void WorksheetEditor::paintMargin(QPaintEvent* event) {
  QPainter painter(margin_);
  painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawLine(0, event->rect().top(), 0, event->rect().bottom());
  const QColor normal = palette().color(QPalette::Text);
  const QColor wrong = problemColour(palette());
  const int textWidth = margin_->width() - 2 * kMarginPadding;
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
    if (box.top() > event->rect().bottom()) {
      break;
    }
    const auto n = static_cast<std::size_t>(block.blockNumber());
    if (!block.isVisible() || n >= answers_.size() || answers_[n].text.isEmpty()) {
      continue;
    }
    painter.setPen(answers_[n].wrong ? wrong : normal);
    painter.drawText(QRectF(kMarginPadding, box.top(), textWidth, box.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(answers_[n].text, Qt::ElideRight, textWidth));
  }
}

// ---- The view ----

InscriptionView::InscriptionView(QSettings& store, QWidget* parent)
    : QWidget(parent), store_(store) {
  createControls();
  createActions();
  placeControls();
  connectHandlers();
  fillRecentMenu();
  answer();
}

void InscriptionView::createControls() {
  editor_ = new WorksheetEditor(this);
  editor_->setObjectName(QStringLiteral("worksheet"));
  editor_->setAccessibleName(tr("Worksheet"));
  editor_->setPlaceholderText(
      tr("One date or distance a line, with what the monument records for the day:\n"
         "9.12.11.5.18 6 Etznab 11 Yax G1   # Palenque\n"
         "+2.5.3 10 Imix 4 Muan\n"
         "-1.0.0 1 Imix 9 Muan"));
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("worksheetSummary"));
  summary_->setWordWrap(true);
  problem_ = new ProblemLabel(this);
  problem_->setObjectName(QStringLiteral("worksheetProblem"));
  problem_->setAccessibleName(tr("Worksheet problem"));
}

void InscriptionView::createActions() {
  const auto action = [this](const QString& text, const QString& name, const QKeySequence& key) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    a->setShortcut(key);
    return a;
  };
  new_ = action(tr("&New Worksheet"), QStringLiteral("newWorksheet"), QKeySequence::New);
  open_ = action(tr("&Open Worksheet..."), QStringLiteral("openWorksheet"), QKeySequence::Open);
  save_ = action(tr("&Save Worksheet"), QStringLiteral("saveWorksheet"), QKeySequence::Save);
  saveAs_ = action(tr("Save Worksheet &As..."), QStringLiteral("saveWorksheetAs"),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  export_ = action(tr("E&xport Answers as CSV..."), QStringLiteral("exportAnswers"),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X));
  recent_ = new QMenu(tr("Open &Recent"), this);
  recent_->setObjectName(QStringLiteral("recentFiles"));
}

void InscriptionView::placeControls() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(editor_, 1);
  layout->addWidget(problem_);
  layout->addWidget(summary_);
}

void InscriptionView::connectHandlers() {
  connectGuarded(editor_, &QPlainTextEdit::textChanged, this, &InscriptionView::textEdited);
  connect(editor_->document(), &QTextDocument::modificationChanged, this,
          &InscriptionView::documentChanged);
  connectGuarded(new_, &QAction::triggered, this, &InscriptionView::newTriggered);
  connectGuarded(open_, &QAction::triggered, this, &InscriptionView::openTriggered);
  connectGuarded(save_, &QAction::triggered, this, &InscriptionView::saveTriggered);
  connectGuarded(saveAs_, &QAction::triggered, this, &InscriptionView::saveAsTriggered);
  connectGuarded(export_, &QAction::triggered, this, &InscriptionView::exportTriggered);
  connectGuarded(recent_, &QMenu::triggered, this, &InscriptionView::recentTriggered);
}

void InscriptionView::setSettings(const rows::ConversionSettings& settings) {
  settings_ = settings;
  answer();
}

bool InscriptionView::isModified() const { return editor_->document()->isModified(); }

void InscriptionView::textEdited() { answer(); }

void InscriptionView::answer() {
  answers_ = rows::answerWorksheet(editor_->toPlainText().toStdString(), settings_);
  // The plain line's columns of each day reached, as the command line writes them.
  rows::ConversionSettings plain = settings_;
  plain.format = rows::OutputFormat::Plain;
  plain.columns.reset();
  rows::DayCells cells(settings_, rows::defaultColumns(plain));
  const auto rowText = [&cells](std::int64_t day) {
    QStringList parts;
    for (const std::string& cell : cells.of(day)) {
      parts << qText(cell);
    }
    return parts.join(QStringLiteral("  "));
  };

  std::vector<WorksheetEditor::Answer> shown;
  std::vector<WorksheetEditor::Mark> marks;
  int dated = 0;
  int disagreeing = 0;
  int refused = 0;
  for (const rows::AnsweredLine& line : answers_) {
    WorksheetEditor::Answer a;
    const int block = static_cast<int>(line.number - 1);
    QStringList details;
    if (!line.note.empty()) {
      details << qText(line.note);
    }
    if (line.kind == rows::LineKind::Error) {
      ++refused;
      a.text = qText(line.problem);
      a.wrong = true;
      details.prepend(qText(line.problem));
      const auto [from, length] = charactersOf(line.text, line.problemOffset, line.problemLength);
      marks.push_back({block, from, length, qText(line.problem)});
    } else if (line.day) {
      ++dated;
      a.text = rowText(*line.day);
    }
    for (const rows::CheckedClue& c : line.clues) {
      const QString written = qText(std::string_view(line.text).substr(c.offset, c.length));
      if (c.agrees) {
        details << tr("%1: agrees").arg(written);
        continue;
      }
      const QString why =
          tr("%1: disagrees: the arithmetic gives %2").arg(written, qText(c.computed));
      details << why;
      const auto [from, length] = charactersOf(line.text, c.offset, c.length);
      marks.push_back({block, from, length, why});
    }
    if (!line.agrees()) {
      ++disagreeing;
      a.wrong = true;
      a.text = tr("%1  (a clue disagrees)").arg(a.text);
    }
    for (const std::int64_t d : line.nearest) {
      const std::int64_t apart = d - line.day.value_or(d);
      const std::string distance = maya::distanceText(apart < 0 ? -apart : apart).substr(1);
      details << (apart < 0 ? tr("every clue agrees %1 earlier: %2")
                            : tr("every clue agrees %1 later: %2"))
                     .arg(qText(distance), rowText(d));
    }
    a.details = details.join(QLatin1Char('\n'));
    shown.push_back(std::move(a));
  }
  editor_->setAnswers(std::move(shown));
  editor_->setMarks(std::move(marks));
  summary_->setText(tr("Lines reaching a day: %1. With a clue that disagrees: %2. Refused: %3.")
                        .arg(dated)
                        .arg(disagreeing)
                        .arg(refused));
  export_->setEnabled(dated > 0);
}

QString InscriptionView::openFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return file.errorString();
  }
  QByteArray bytes = file.readAll();
  byteOrderMark_ = bytes.startsWith(kByteOrderMark);
  if (byteOrderMark_) {
    bytes.remove(0, kByteOrderMark.size());
  }
  // The file's own line ends, the first it uses, are written back when it is saved.
  const qsizetype cr = bytes.indexOf('\r');
  const qsizetype lf = bytes.indexOf('\n');
  lineEnd_ = cr < 0 || (lf >= 0 && lf < cr)                   ? QStringLiteral("\n")
             : cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? QStringLiteral("\r\n")
                                                              : QStringLiteral("\r");
  QString text = QString::fromUtf8(bytes);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  editor_->setPlainText(text);
  editor_->document()->setModified(false);
  path_ = path;
  remember(path);
  showProblem(QString());
  emit documentChanged();
  return {};
}

QString InscriptionView::saveFile(const QString& path) {
  QString text = editor_->toPlainText();
  if (lineEnd_ != QLatin1String("\n")) {
    text.replace(QLatin1Char('\n'), lineEnd_);
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return file.errorString();
  }
  file.write((byteOrderMark_ ? kByteOrderMark : QByteArray()) + text.toUtf8());
  if (!file.commit()) {
    return file.errorString();
  }
  editor_->document()->setModified(false);
  path_ = path;
  remember(path);
  emit documentChanged();
  return {};
}

QString InscriptionView::writeCsv(const QString& path) const {
  return writeWorksheetCsv(path, settings_, answers_);
}

bool InscriptionView::maybeSave() {
  if (!isModified()) {
    return true;
  }
  QMessageBox box(
      QMessageBox::Warning, tr("Unsaved Changes"),
      path_.isEmpty()
          ? tr("The worksheet has changes that are not saved.")
          : tr("The worksheet %1 has changes that are not saved.").arg(QFileInfo(path_).fileName()),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setObjectName(QStringLiteral("unsavedChanges"));
  box.setInformativeText(tr("Save them first?"));
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
  case QMessageBox::Save:
    return save();
  case QMessageBox::Discard:
    return true;
  default:
    return false;
  }
}

bool InscriptionView::save() {
  QString path = path_;
  if (path.isEmpty()) {
    path = QFileDialog::getSaveFileName(this, tr("Save Worksheet"), QString(),
                                        tr("Worksheets (*.txt);;All files (*)"));
    if (path.isEmpty()) {
      return false;
    }
  }
  const QString problem = saveFile(path);
  showProblem(problem.isEmpty() ? QString() : tr("Cannot save the worksheet: %1").arg(problem));
  return problem.isEmpty();
}

void InscriptionView::newTriggered() {
  if (!maybeSave()) {
    return;
  }
  editor_->clear();
  editor_->document()->setModified(false);
  path_.clear();
  byteOrderMark_ = false;
  lineEnd_ = QStringLiteral("\n");
  showProblem(QString());
  emit documentChanged();
}

void InscriptionView::openTriggered() {
  if (!maybeSave()) {
    return;
  }
  const QString path = QFileDialog::getOpenFileName(this, tr("Open Worksheet"), QString(),
                                                    tr("Worksheets (*.txt);;All files (*)"));
  if (!path.isEmpty()) {
    if (const QString problem = openFile(path); !problem.isEmpty()) {
      showProblem(tr("Cannot open %1: %2").arg(QFileInfo(path).fileName(), problem));
    }
  }
}

void InscriptionView::saveTriggered() { (void)save(); }

void InscriptionView::saveAsTriggered() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Save Worksheet As"), path_,
                                                    tr("Worksheets (*.txt);;All files (*)"));
  if (!path.isEmpty()) {
    if (const QString problem = saveFile(path); !problem.isEmpty()) {
      showProblem(tr("Cannot save the worksheet: %1").arg(problem));
    }
  }
}

void InscriptionView::exportTriggered() {
  const QString path =
      QFileDialog::getSaveFileName(this, tr("Export Answers"), QString(), tr("CSV file (*.csv)"));
  if (!path.isEmpty()) {
    if (const QString problem = writeCsv(path); !problem.isEmpty()) {
      showProblem(tr("Cannot export the answers: %1").arg(problem));
    }
  }
}

void InscriptionView::recentTriggered(QAction* action) {
  const QString path = action->data().toString();
  if (path.isEmpty() || !maybeSave()) {
    return;
  }
  if (const QString problem = openFile(path); !problem.isEmpty()) {
    showProblem(tr("Cannot open %1: %2").arg(QFileInfo(path).fileName(), problem));
  }
}

void InscriptionView::remember(const QString& path) {
  QStringList files = store_.value(kRecentKey).toStringList();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kRecentFiles) {
    files.removeLast();
  }
  store_.setValue(kRecentKey, files);
  fillRecentMenu();
}

void InscriptionView::fillRecentMenu() {
  recent_->clear();
  const QStringList files = store_.value(kRecentKey).toStringList();
  for (int i = 0; i < files.size(); ++i) {
    // Each by its number, for the keyboard, and its name; the whole path in its tip.
    QAction* a = recent_->addAction(
        tr("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName().replace('&', "&&")));
    a->setData(files[i]);
    a->setToolTip(files[i]);
  }
  recent_->setEnabled(!files.isEmpty());
}

void InscriptionView::showProblem(const QString& problem) { problem_->setText(problem); }

} // namespace glyphbox::workbench
