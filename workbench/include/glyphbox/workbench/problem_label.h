#pragma once

// A line that says why an input is refused, inline where the input is: in a
// colour that reads as a warning on light and dark palettes alike, never a box.

#include <QLabel>

namespace glyphbox::workbench {

// The colour of what is wrong: a deep red on light windows, a soft one on
// dark windows, both well apart from the background they stand on.
[[nodiscard]] QColor problemColour(const QPalette& palette);

class ProblemLabel : public QLabel {
  Q_OBJECT
  Q_DISABLE_COPY(ProblemLabel)

public:
  explicit ProblemLabel(QWidget* parent = nullptr);

protected:
  void changeEvent(QEvent* event) override;

private:
  void applyColour();
};

} // namespace glyphbox::workbench
