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
#include <string_view>

namespace glyphbox::rows {

// How the picture is painted: the SVG's colours and strokes, which any other
// painter of a drawing takes to match it.
namespace paint {
inline constexpr std::string_view kInk = "#2b2118";   // a dark brown, as of ink on stone
inline constexpr std::string_view kPaper = "#fdfbf6"; // the background
inline constexpr std::string_view kStone = "#f2ede1"; // inside the blocks
inline constexpr double kFrameRadius = 6;
inline constexpr double kFrameStroke = 2;
inline constexpr double kShellStroke = 3;
inline constexpr double kBarRadius = 0.25; // of the bar's height: rounded ends
} // namespace paint

[[nodiscard]] std::string svgOf(const Drawing& drawing);

} // namespace glyphbox::rows
