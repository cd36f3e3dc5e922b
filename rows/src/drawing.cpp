#include <glyphbox/maya/count819.h>
#include <glyphbox/maya/numerals.h>
#include <glyphbox/rows/drawing.h>

#include <algorithm>
#include <string_view>

namespace glyphbox::rows {
namespace {

using Kind = Shape::Kind;

// The numerals' proportions: a bar four times as long as it is high, dots a
// little smaller than the bar is high so that four stand apart above it.
constexpr double kBarWidth = 64;
constexpr double kBarHeight = 16;
constexpr double kBarGap = 4;
constexpr double kDot = 12;
constexpr double kDotPitch = 16;
// A digit's cell: three bars and a row of dots fill it exactly.
constexpr double kCellHeight = kDot + kBarGap + 3 * kBarHeight + 2 * kBarGap;
static_assert(kCellHeight == 72);
constexpr double kDigitGap = 8; // between the stacked base-20 digits of one number
constexpr double kShellWidth = 48;
constexpr double kShellHeight = 32;

// The column: margins, the coefficient on the left and its glyph block.
constexpr double kMargin = 32;
constexpr double kBorderInset = 8; // the column's border, inside the margin
constexpr double kBlockGap = 16;   // between a coefficient and its block
constexpr double kBlockWidth = 136;
constexpr double kContentWidth = kBarWidth + kBlockGap + kBlockWidth;
constexpr double kWidth = kContentWidth + 2 * kMargin;
constexpr double kRowGap = 12;
constexpr double kSectionGap = 28; // between the Long Count and the Calendar Round
constexpr double kBlockPadding = 8;

constexpr double kTitleSize = 20;
constexpr double kNameSize = 18;
constexpr double kCaptionSize = 12;
constexpr double kStationSize = 14;
constexpr double kNoteHeight = 56; // a block across the column
constexpr double kLineGap = 6;     // between its two lines

constexpr std::array<std::string_view, maya::kDatePlaces> kPeriodNames = {"baktun", "katun", "tun",
                                                                          "uinal", "kin"};

// The characters of UTF-8 text: its bytes but the continuation bytes.
double characters(std::string_view text) {
  return static_cast<double>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// A label centred on (cx, cy), its size cut down where it would not fit maxWidth.
Shape label(std::string_view text, double cx, double cy, double size, double maxWidth) {
  const double n = std::max(1.0, characters(text));
  size = std::min(size, maxWidth / (n * kTextAdvance));
  const double width = n * kTextAdvance * size;
  // The middle of a line of capitals and small letters lies about 0.36 of the
  // size above the baseline.
  const double top = cy - (kTextBaseline - 0.36) * size;
  return {Kind::Text, cx - width / 2, top, width, size, std::string(text), Shape::Align::Middle};
}

Shape box(Kind kind, double x, double y, double width, double height) {
  return {kind, x, y, width, height, {}, Shape::Align::Start};
}

// A number 0 to 19 in a digit's cell whose top left corner is (x, top):
// bars stacked from the bottom up, dots in a row above them, all centred.
void addDigit(std::vector<Shape>& out, double x, double top, int n) {
  const maya::BarDot b = maya::barDotOf(n);
  const double cx = x + kBarWidth / 2;
  if (b.shell) {
    out.push_back(box(Kind::Shell, cx - kShellWidth / 2, top + (kCellHeight - kShellHeight) / 2,
                      kShellWidth, kShellHeight));
    return;
  }
  const double barsHeight = b.bars * kBarHeight + std::max(0, b.bars - 1) * kBarGap;
  const double height = barsHeight + (b.dots > 0 ? kDot + (b.bars > 0 ? kBarGap : 0) : 0);
  const double bottom = top + (kCellHeight + height) / 2;
  for (int i = 0; i < b.bars; ++i) {
    const double y = bottom - kBarHeight - i * (kBarHeight + kBarGap);
    out.push_back(box(Kind::Bar, x, y, kBarWidth, kBarHeight));
  }
  const double span = (b.dots - 1) * kDotPitch + kDot;
  for (int i = 0; i < b.dots; ++i) {
    out.push_back(box(Kind::Dot, cx - span / 2 + i * kDotPitch, bottom - height, kDot, kDot));
  }
}

// The height a number takes: one digit's cell for each base-20 digit.
double coefficientHeight(std::int64_t n) {
  const int digits = maya::base20Digits(n).size();
  return digits * kCellHeight + (digits - 1) * kDigitGap;
}

// Any number not negative, its base-20 digits stacked, the most significant on top.
void addCoefficient(std::vector<Shape>& out, double x, double top, std::int64_t n) {
  for (const int digit : maya::base20Digits(n)) {
    addDigit(out, x, top, digit);
    top += kCellHeight + kDigitGap;
  }
}

// The seating of a Haab month, its day 0: monuments write a sign of its own,
// not the shell of zero, so it is drawn as a small labelled block.
void addSeating(std::vector<Shape>& out, double x, double top, std::string_view word) {
  constexpr double height = 32;
  const double y = top + (kCellHeight - height) / 2;
  out.push_back(box(Kind::Frame, x, y, kBarWidth, height));
  out.push_back(label(word, x + kBarWidth / 2, y + height / 2, kCaptionSize, kBarWidth - 8));
}

// The column being laid out, row by row from the top.
class Column {
public:
  Drawing drawing;
  double y = kMargin;

  // A glyph block holding name, beside the coefficient that addLeft draws
  // in a row of rowHeight. The block is as high as the row, so that the
  // stacked digits of a large number stand beside one block.
  template <typename AddLeft> void row(std::string_view name, double rowHeight, AddLeft addLeft) {
    const double blockX = kMargin + kBarWidth + kBlockGap;
    drawing.shapes.push_back(box(Kind::Frame, blockX, y, kBlockWidth, rowHeight));
    addLeft(drawing.shapes, kMargin, y);
    drawing.shapes.push_back(label(name, blockX + kBlockWidth / 2, y + rowHeight / 2, kNameSize,
                                   kBlockWidth - 2 * kBlockPadding));
    y += rowHeight + kRowGap;
  }

  void numberRow(std::string_view name, std::int64_t n) {
    row(name, coefficientHeight(n),
        [n](std::vector<Shape>& out, double x, double top) { addCoefficient(out, x, top, n); });
  }

  // A block across the whole column: one line of text, or two.
  void wideBlock(std::string_view first, double firstSize, std::string_view second = {},
                 double secondSize = 0) {
    drawing.shapes.push_back(box(Kind::Frame, kMargin, y, kContentWidth, kNoteHeight));
    const double cx = kMargin + kContentWidth / 2;
    const double middle = y + kNoteHeight / 2;
    const double maxWidth = kContentWidth - 2 * kBlockPadding;
    if (second.empty()) {
      drawing.shapes.push_back(label(first, cx, middle, firstSize, maxWidth));
    } else {
      const double half = (firstSize + kLineGap + secondSize) / 2;
      drawing.shapes.push_back(
          label(first, cx, middle - half + firstSize / 2, firstSize, maxWidth));
      drawing.shapes.push_back(
          label(second, cx, middle + half - secondSize / 2, secondSize, maxWidth));
    }
    y += kNoteHeight;
  }
};

std::string titleOf(const DrawingInput& in) {
  std::string title = in.negative ? "-" : "";
  for (std::size_t i = 0; i < in.places.size(); ++i) {
    if (i > 0) {
      title += '.';
    }
    title += std::to_string(in.places[i]);
  }
  title += ' ' + std::to_string(in.tzolkinNumber) + ' ' + in.tzolkinName;
  title += ' ' + std::to_string(in.haabDay) + ' ' + in.haabMonth;
  if (!in.lord.empty()) {
    title += ' ' + in.lord;
  }
  return title;
}

} // namespace

DrawingInput dayInput(std::int64_t d, maya::Spelling spelling, maya::HaabNumbering numbering) {
  DrawingInput in;
  const maya::LongCountPlaces split = maya::splitLongCount(d, maya::kDatePlaces);
  std::copy_n(split.value.begin(), in.places.size(), in.places.begin());
  in.negative = split.negative;
  const maya::Tzolkin tzolkin = maya::tzolkinOf(d);
  in.tzolkinNumber = tzolkin.number;
  in.tzolkinName = maya::tzolkinName(tzolkin.name, spelling);
  const maya::Haab haab = maya::haabOf(d, numbering);
  in.haabDay = haab.day;
  in.haabMonth = maya::haabMonthName(haab.month, spelling);
  in.lord = "G" + std::to_string(maya::lordOfTheNight(d));
  const maya::Station819 station = maya::station819Of(d);
  in.station819 = std::string(maya::quarterName(station.quarter)) + " station + " +
                  std::to_string(station.since) + (station.since == 1 ? " day" : " days");
  return in;
}

Drawing drawDay(const DrawingInput& in) {
  Column c;
  c.drawing.title = titleOf(in);
  std::vector<Shape>& shapes = c.drawing.shapes;
  shapes.push_back(
      box(Kind::Frame, kBorderInset, kBorderInset, 0, 0)); // sized when the height is known

  if (in.negative) {
    c.wideBlock(in.words.initialSeries, kTitleSize, in.words.beforeCreation, kCaptionSize);
  } else {
    c.wideBlock(in.words.initialSeries, kTitleSize);
  }
  c.y += 2 * kRowGap;
  for (std::size_t i = 0; i < in.places.size(); ++i) {
    c.numberRow(kPeriodNames[i], in.places[i]);
  }
  c.y += kSectionGap - kRowGap;
  c.numberRow(in.tzolkinName, in.tzolkinNumber);
  if (in.haabDay == 0) {
    c.row(in.haabMonth, kCellHeight, [&in](std::vector<Shape>& out, double x, double top) {
      addSeating(out, x, top, in.words.seating);
    });
  } else {
    c.numberRow(in.haabMonth, in.haabDay);
  }
  // The Lord and the station have no numeral of their own to stand beside:
  // each has a block across the column, captioned for the reader.
  c.y += kSectionGap - kRowGap;
  if (!in.lord.empty()) {
    c.wideBlock(in.words.lordOfTheNight, kCaptionSize, in.lord, kNameSize);
    c.y += kRowGap;
  }
  if (!in.station819.empty()) {
    c.wideBlock(in.words.station819, kCaptionSize, in.station819, kStationSize);
    c.y += kRowGap;
  }
  c.y += kMargin - kRowGap;

  c.drawing.width = kWidth;
  c.drawing.height = c.y;
  shapes.front().width = kWidth - 2 * kBorderInset;
  shapes.front().height = c.y - 2 * kBorderInset;
  return std::move(c.drawing);
}

std::vector<PathStep> shellOutline(const Shape& s) {
  using Op = PathStep::Op;
  // A point of the box, from fractions of its width and height.
  const auto at = [&s](double fx, double fy) {
    return std::pair{s.x + fx * s.width, s.y + fy * s.height};
  };
  std::vector<PathStep> steps;
  const auto move = [&](double fx, double fy) {
    const auto [x, y] = at(fx, fy);
    steps.push_back({Op::Move, 0, 0, 0, 0, x, y});
  };
  const auto curve = [&](double ax, double ay, double bx, double by, double fx, double fy) {
    const auto [x1, y1] = at(ax, ay);
    const auto [x2, y2] = at(bx, by);
    const auto [x, y] = at(fx, fy);
    steps.push_back({Op::Cubic, x1, y1, x2, y2, x, y});
  };
  // The outline: an ellipse of four quarter arcs (0.2761 = 0.5523 / 2, the
  // control distance of a circle's quarter in Bezier curves, in halves).
  constexpr double k = 0.2761;
  move(0, 0.5);
  curve(0, 0.5 - k, 0.5 - k, 0, 0.5, 0);
  curve(0.5 + k, 0, 1, 0.5 - k, 1, 0.5);
  curve(1, 0.5 + k, 0.5 + k, 1, 0.5, 1);
  curve(0.5 - k, 1, 0, 0.5 + k, 0, 0.5);
  steps.push_back({Op::Close, 0, 0, 0, 0, 0, 0});
  // The lip, an arch across the upper half, and the grooves that hang from it.
  move(0.14, 0.66);
  curve(0.32, 0.3, 0.68, 0.3, 0.86, 0.66);
  for (const auto& [fx, fy] : {std::pair{0.34, 0.43}, {0.5, 0.39}, {0.66, 0.43}}) {
    move(fx, fy); // on the arch
    const auto [x, y] = at(fx, 0.8);
    steps.push_back({Op::Line, 0, 0, 0, 0, x, y});
  }
  return steps;
}

} // namespace glyphbox::rows
