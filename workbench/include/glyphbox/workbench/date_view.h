#pragma once

// The date view: one input line that takes every input form of the command
// line, answered as the user types; every value of the day, each selectable
// and copyable; the day drawn as a monument writes it; steps of a kin, a
// uinal, a tun and a katun; and the picture saved as SVG or PNG.

#include <glyphbox/rows/rows.h>
#include <glyphbox/rows/worksheet.h>

#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QToolButton;

namespace glyphbox::workbench {

class DayPicture;

class DateView : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY(DateView)

public:
  explicit DateView(QWidget* parent = nullptr);
  ~DateView() override;

  // Answers the input again under other settings.
  void setSettings(const rows::ConversionSettings& settings);
  // Shows day d: its Long Count in the input line, answered.
  void showDay(std::int64_t d);

  // The day the input names, when it names one that has a row.
  [[nodiscard]] std::optional<std::int64_t> day() const { return day_; }
  [[nodiscard]] QLineEdit* input() const { return input_; }
  [[nodiscard]] DayPicture* picture() const { return picture_; }
  // The steps, backwards and forwards by each period, and "Save picture".
  [[nodiscard]] const std::vector<QAction*>& stepActions() const { return stepActions_; }
  [[nodiscard]] QAction* savePictureAction() const { return savePicture_; }

  // Every value shown, a line each: "Long Count: 9.12.11.5.18"; empty without a day.
  [[nodiscard]] QString valuesText() const;

  // Writes the picture to path, as PNG when its suffix is .png and SVG
  // otherwise. Returns an empty text, or why it could not be written.
  [[nodiscard]] QString writePicture(const QString& path) const;

signals:
  // The input names a day, or stops naming one.
  void dayChanged();

private:
  void createControls();
  void createActions();
  void placeControls();
  void connectHandlers();

  void inputEdited();
  void savePictureTriggered();

  // Reads the input under the settings and writes every value, or says why
  // there is none.
  void answer();
  void step(std::int64_t days);
  // Writes the values, or clears them when there are none.
  void showValues(const std::vector<std::string>& cells);

  rows::ConversionSettings settings_;
  std::unique_ptr<rows::DayCells> cells_; // the values' texts, as the plain lines write them
  std::optional<std::int64_t> day_;

  QLineEdit* input_ = nullptr;
  QLabel* problem_ = nullptr;
  std::vector<QLineEdit*> values_; // one per entry of the view's table of values
  std::vector<QLabel*> valueLabels_;
  DayPicture* picture_ = nullptr;
  std::vector<QAction*> stepActions_;
  std::vector<QToolButton*> stepButtons_;
  QAction* savePicture_ = nullptr;
  QToolButton* savePictureButton_ = nullptr;
};

} // namespace glyphbox::workbench
