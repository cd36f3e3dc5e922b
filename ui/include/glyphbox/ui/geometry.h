#pragma once

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QSize>

#include <cstdint>

class QWidget;

namespace glyphbox::ui {

// Window layouts are drawn in twips, 1/1440 inch: 15 twips make one logical
// pixel at 96 dots per inch. Qt scales logical pixels for high-DPI screens.
inline constexpr int kTwipsPerPixel = 15;

// A rectangle given in twips, in logical pixels, enlarged by `scale` (>= 1).
[[nodiscard]] QRect twipsToPixels(int left, int top, int width, int height, double scale = 1.0);
[[nodiscard]] QSize twipsToPixels(int width, int height, double scale = 1.0);

// Colours are 0x00BBGGRR values; 0x800000nn names system colour nn of the
// desktop's colour scheme, which is taken from `desktop`.
[[nodiscard]] QColor colourFromCode(std::uint32_t code, const QPalette& desktop);

// Places a top-level window, at its current size, in the middle of the screen.
void centreOnScreen(QWidget* window);

} // namespace glyphbox::ui
