#include <glyphbox/workbench/problem_label.h>

#include <QEvent>

namespace glyphbox::workbench {

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
  // A deep red on light windows, a soft one on dark windows: both well apart
  // from the background they stand on.
  constexpr int kDarkBelow = 128;
  QPalette p = palette();
  const QColor colour = p.color(QPalette::Window).lightness() < kDarkBelow
                            ? QColor(0xff, 0x8a, 0x80)
                            : QColor(0xb0, 0x00, 0x20);
  if (p.color(QPalette::WindowText) != colour) {
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
  }
}

} // namespace glyphbox::workbench
