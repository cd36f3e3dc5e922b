#include <glyphbox/ui/label_fitting.h>

#include <QFontMetricsF>
#include <QLabel>

namespace glyphbox::ui {

void showFitted(QLabel* label, const QString& text) {
  const QFont inherited =
      label->parentWidget() != nullptr ? label->parentWidget()->font() : label->font();
  const auto fits = [&](const QFont& f) {
    return QFontMetricsF(f).horizontalAdvance(text) <= label->contentsRect().width();
  };
  QFont font = inherited;
  for (double size = inherited.pointSizeF() - 0.5;
       !fits(font) && size >= kSmallestResultPointSize && inherited.pointSizeF() > 0; size -= 0.5) {
    font.setPointSizeF(size);
  }
  label->setFont(font);
  label->setText(text);
  const bool smaller = font.pointSizeF() < inherited.pointSizeF();
  label->setToolTip(smaller || !fits(font) ? text : QString());
}

} // namespace glyphbox::ui
