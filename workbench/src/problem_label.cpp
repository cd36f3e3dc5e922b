#include <glyphbox/workbench/problem_label.h>

#include <QEvent>

namespace glyphbox::workbench {

QColor problemColour(const QPalette& palette) {
  constexpr int kDarkBelow = 128; // a window colour this dark is a dark desktop's
  return palette.color(QPalette::Window).lightness() < kDarkBelow ? QColor(0xff, 0x8a, 0x80)
                                                                  : QColor(0xb0, 0x00, 0x20);
}

ProblemLabel::ProblemLabel(QWidget* parent) : QLabel(parent) {
  setWordWrap(true);
  setTextFormat(Qt::PlainText);
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  applyColour();
}

void ProblemLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
    applyColour();
  }
}

void ProblemLabel::applyColour() {
  QPalette p = palette();
  const QColor colour = problemColour(p);
  if (p.color(QPalette::WindowText) != colour) {
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
  }
}

} // namespace glyphbox::workbench
