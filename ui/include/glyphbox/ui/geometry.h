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

// Places a top-level window so that its whole frame (title bar and border
// included, as far as they are known yet) sits in the middle of the screen.
void centreOnScreen(QWidget* window);

// Makes a top-level window of fixed size keep its place and size whoever asks:
// it is centred when first shown and once more when the window manager's frame
// becomes known (the frame moves the client area down and right), and any
// resize that does not come from the program is undone. Without a window
// manager nothing enforces the size hints, so the window must do it itself.
void keepFixedAndCentred(QWidget* window);

} // namespace glyphbox::ui
