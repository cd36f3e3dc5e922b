#pragma once

// A drawing written as a standalone SVG 1.1 document.
//
//   svgOf(drawing) -> std::string
//
// The viewBox is the drawing's size in its units, as are the width and
// height, so 1 unit is 1 pixel at 1x. Bars are rounded rects, dots circles,
// the shell a stroked path, frames outlined rects and labels <text> in a
// sans-serif face, dark on a light background; the drawing's title is the
// document's <title>. The same drawing gives the same bytes: numbers are
// written with std::to_chars in at most two decimals, whatever the locale.

#include <glyphbox/rows/drawing.h>

#include <string>

namespace glyphbox::rows {

[[nodiscard]] std::string svgOf(const Drawing& drawing);

} // namespace glyphbox::rows
