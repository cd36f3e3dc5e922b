#pragma once

// The inscription view: the worksheet of `glyphbox-cli inscription` in an
// editor, each line answered beside it as the user types (rows/worksheet.h
// answers; this view only shows), the recorded clues that disagree and the
// parts of refused lines marked in the text, explained in a tooltip; the
// worksheet opened and saved as the plain text the command line reads,
// recent files, a prompt before unsaved changes are lost, and the answered
// rows exported as CSV.

#include <glyphbox/rows/rows.h>
#include <glyphbox/rows/worksheet.h>

#include <QPlainTextEdit>
#include <QWidget>

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QSettings;

namespace glyphbox::workbench {

// The editor, with the answers painted in a margin beside each line.
class WorksheetEditor : public QPlainTextEdit {
  Q_OBJECT
  Q_DISABLE_COPY(WorksheetEditor)

public:
  explicit WorksheetEditor(QWidget* parent = nullptr);

  // What the margin shows beside each line (by block number): a text, and
  // whether it says something is wrong.
  struct Answer {
    QString text;
    QString details; // the tooltip
    bool wrong = false;
  };
  void setAnswers(std::vector<Answer> answers);
  [[nodiscard]] const std::vector<Answer>& answers() const { return answers_; }

  // A marked part of a line and why, for its tooltip.
  struct Mark {
    int block = 0;
    int from = 0; // in the block's text, as Qt counts characters
    int length = 0;
    QString why;
  };
  void setMarks(std::vector<Mark> marks);
  [[nodiscard]] const std::vector<Mark>& marks() const { return marks_; }
  // The tooltip at a point of the viewport, or an empty text.
  [[nodiscard]] QString toolTipAt(const QPoint& viewportPoint) const;
  // The width of the margin of answers: its share of the editor, widened so
  // that the widest answer shows whole while the text keeps its own share.
  [[nodiscard]] int marginWidth() const;

protected:
  void resizeEvent(QResizeEvent* event) override;
  bool viewportEvent(QEvent* event) override;

private:
  class Margin;
  void placeMargin();
  void paintMargin(QPaintEvent* event);

  Margin* margin_ = nullptr;
  std::vector<Answer> answers_;
  int widestAnswer_ = 0; // pixels, in the editor's font
  std::vector<Mark> marks_;
};

class InscriptionView : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY(InscriptionView)

public:
  // The most recent files kept.
  static constexpr int kRecentFiles = 8;

  // store: where the recent files are kept.
  InscriptionView(QSettings& store, QWidget* parent = nullptr);

  void setSettings(const rows::ConversionSettings& settings);

  [[nodiscard]] WorksheetEditor* editor() const { return editor_; }
  [[nodiscard]] const std::vector<rows::AnsweredLine>& answers() const { return answers_; }
  [[nodiscard]] QString filePath() const { return path_; }
  [[nodiscard]] bool isModified() const;

  [[nodiscard]] QAction* newAction() const { return new_; }
  [[nodiscard]] QAction* openAction() const { return open_; }
  [[nodiscard]] QAction* saveAction() const { return save_; }
  [[nodiscard]] QAction* saveAsAction() const { return saveAs_; }
  [[nodiscard]] QAction* exportAction() const { return export_; }
  [[nodiscard]] QMenu* recentMenu() const { return recent_; }

  // Reads the worksheet at path into the editor: an empty text, or why not.
  // Its byte-order mark and line ends are kept for saving.
  [[nodiscard]] QString openFile(const QString& path);
  // Writes the editor's text to path as the file it came from had it:
  // an empty text, or why not.
  [[nodiscard]] QString saveFile(const QString& path);
  // The answered rows as CSV: an empty text, or why not.
  [[nodiscard]] QString writeCsv(const QString& path) const;

  // Asks what to do with unsaved changes, when there are any: true when they
  // were saved or may be lost, false when the user would rather keep them.
  [[nodiscard]] bool maybeSave();

signals:
  // The file or its modified state changed: for the window's title.
  void documentChanged();

private:
  void createControls();
  void createActions();
  void placeControls();
  void connectHandlers();

  void textEdited();
  void newTriggered();
  void openTriggered();
  void saveTriggered();
  void saveAsTriggered();
  void exportTriggered();
  void recentTriggered(QAction* action);

  // Answers every line and shows the answers and marks.
  void answer();
  // Saves to the file's own path or asks for one: whether it was saved.
  bool save();
  void remember(const QString& path);
  void fillRecentMenu();
  void showProblem(const QString& problem);

  QSettings& store_;
  rows::ConversionSettings settings_;
  std::vector<rows::AnsweredLine> answers_;
  QString path_;
  bool byteOrderMark_ = false;
  QString lineEnd_ = QStringLiteral("\n");

  WorksheetEditor* editor_ = nullptr;
  QLabel* summary_ = nullptr;
  QLabel* problem_ = nullptr;
  QAction* new_ = nullptr;
  QAction* open_ = nullptr;
  QAction* save_ = nullptr;
  QAction* saveAs_ = nullptr;
  QAction* export_ = nullptr;
  QMenu* recent_ = nullptr;
};

} // namespace glyphbox::workbench
