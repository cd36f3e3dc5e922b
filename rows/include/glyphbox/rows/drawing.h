#pragma once

// The picture of a day as a monument writes it, described without any
// painter: shapes in abstract units (1 unit = 1 pixel at 1x), which the SVG
// writer, Qt's painter or a notebook draws alike.
//
//   dayInput(d, spelling, numbering) -> DrawingInput  what a monument records of day d
//   drawDay(input)                   -> Drawing       the shapes of its Initial Series column
//   shellOutline(shell)              -> std::vector<PathStep>  the strokes of the zero sign
//
// The column reads top to bottom as on a stela: the introductory "Initial
// Series" block, one row per period (its coefficient in bars and dots on the
// left, the period's name in a glyph block on the right), then the Tzolkin
// and the Haab of the Calendar Round, the Lord of the Night and, when given,
// the 819-day station. Every edge of a bar, dot and block lies on a whole
// unit, so the picture is crisp at 1x and at every whole scale.

#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/names.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace glyphbox::rows {

struct Shape {
  enum class Kind {
    Bar,   // a filled bar, five units of a numeral; rounded ends
    Dot,   // a filled round dot, one unit; width == height is its diameter
    Shell, // the zero sign, drawn with shellOutline within the box
    Text,  // a label: see below
    Frame, // an outlined block: the column's border and its glyph blocks
  };
  enum class Align {
    Start,  // the text begins at x
    Middle, // the text is centred on x + width / 2
  };
  Kind kind = Kind::Bar;
  double x = 0, y = 0, width = 0, height = 0;
  // Text: the label, in UTF-8. Its font size is height, its em box runs from
  // y to y + height and its baseline lies at y + kTextBaseline * height.
  // width is an estimate of its advance (kTextAdvance per character), made
  // to keep it within its block; a painter measures with its own font.
  std::string text;
  Align align = Align::Start;
};

inline constexpr double kTextBaseline = 0.8;
inline constexpr double kTextAdvance = 0.62; // a generous average for sans-serif faces

struct Drawing {
  double width = 0, height = 0;
  std::vector<Shape> shapes; // in painting order: blocks before what lies on them
  std::string title;         // for accessibility: "9.12.11.5.18 6 Etznab 11 Yax G1"
};

// What a monument records of a day.
struct DrawingInput {
  // The five Long Count places, baktun first. Only the baktun may exceed 19
  // (a larger place is drawn in stacked base-20 digits, most significant
  // on top, as any larger number would be).
  std::array<std::int64_t, maya::kDatePlaces> places{};
  // A day before 0.0.0.0.0: the places are those of its distance from it,
  // as the Long Count writers give them after their minus sign.
  bool negative = false;
  int tzolkinNumber = 1; // 1 to 13
  std::string tzolkinName;
  int haabDay = 0; // 0 to 19, or 1 to 20 in the window's count; 0 is the month's seating
  std::string haabMonth;
  std::string lord;       // "G1" to "G9"
  std::string station819; // "East station + 733 days", or empty for none
  // The picture's own words; a window may give them in its user's language.
  struct Words {
    std::string initialSeries = "Initial Series";
    std::string beforeCreation = "before 0.0.0.0.0";
    std::string seating = "seating"; // a Haab month's day 0
    std::string lordOfTheNight = "Lord of the Night";
    std::string station819 = "819-day count";
  } words;
};

// Preconditions: |d| <= maya::kMaxDayNumber.
[[nodiscard]] DrawingInput dayInput(std::int64_t d, maya::Spelling spelling,
                                    maya::HaabNumbering numbering);

// Preconditions: places and numbers not negative.
[[nodiscard]] Drawing drawDay(const DrawingInput& in);

// One step of an outline: to (x, y), in a straight line or a cubic Bezier
// curve through the control points (x1, y1) and (x2, y2).
struct PathStep {
  enum class Op { Move, Line, Cubic, Close };
  Op op = Op::Move;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0, x = 0, y = 0;
};

// The strokes of the shell sign that fill a Shell shape's box: its outline
// and the lines across it, to be stroked, not filled.
[[nodiscard]] std::vector<PathStep> shellOutline(const Shape& shell);

} // namespace glyphbox::rows
