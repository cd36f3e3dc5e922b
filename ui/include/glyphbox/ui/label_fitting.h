#pragma once

#include <QString>

class QLabel;

namespace glyphbox::ui {

// The smallest point size a result is ever shown in: still legible.
inline constexpr double kSmallestResultPointSize = 7.0;

// Shows `text` in `label` whole: in the label's inherited font when it fits,
// otherwise in the largest smaller size (in half points, down to
// kSmallestResultPointSize) that fits. A text shown smaller than the window's
// font, or still too wide, is also put whole into the label's tooltip.
void showFitted(QLabel* label, const QString& text);

} // namespace glyphbox::ui
