// The picture of a day: the numerals' shapes, the layout's invariants, and
// the SVG written from it, checked by xmllint as a well-formed document.

#include <glyphbox/maya/numerals.h>
#include <glyphbox/rows/drawing.h>
#include <glyphbox/rows/svg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace glyphbox::rows {
namespace {

using Kind = Shape::Kind;

bool overlap(const Shape& a, const Shape& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// The shapes of the coefficient beside the glyph block labelled name, found
// by position: left of the block and within its height. The labelled blocks
// across the column (title, Lord, station) have nothing beside them.
std::vector<Shape> coefficientBeside(const Drawing& d, const std::string& name) {
  const Shape* block = nullptr;
  for (const Shape& s : d.shapes) {
    if (s.kind == Kind::Text && s.text == name) {
      for (const Shape& f : d.shapes) { // the last frame holding the label is its block
        if (f.kind == Kind::Frame && overlap(f, s) && f.x <= s.x) {
          block = &f;
        }
      }
    }
  }
  EXPECT_NE(block, nullptr) << name;
  std::vector<Shape> out;
  for (const Shape& s : d.shapes) {
    if (block != nullptr && s.x + s.width <= block->x && s.y >= block->y &&
        s.y + s.height <= block->y + block->height && s.kind != Kind::Frame) {
      out.push_back(s);
    }
  }
  return out;
}

int count(const std::vector<Shape>& shapes, Kind kind) {
  return static_cast<int>(std::count_if(shapes.begin(), shapes.end(),
                                        [kind](const Shape& s) { return s.kind == kind; }));
}

TEST(DrawDay, EveryNumberIsItsBarsAndDotsApartWithDotsAbove) {
  for (int n = 0; n <= 19; ++n) {
    DrawingInput in = dayInput(0, maya::Spelling::Colonial, maya::HaabNumbering::Seating0);
    in.places = {n, n, n, n, n};
    in.haabDay = n;
    const Drawing d = drawDay(in);
    for (const char* name : {"baktun", "katun", "tun", "uinal", "kin", "Cumku"}) {
      const std::vector<Shape> shapes = coefficientBeside(d, name);
      if (n == 0 && std::string(name) == "Cumku") { // the seating, not the shell
        ASSERT_EQ(shapes.size(), 1u);
        EXPECT_EQ(shapes[0].text, "seating");
        continue;
      }
      const maya::BarDot b = maya::barDotOf(n);
      EXPECT_EQ(count(shapes, Kind::Bar), b.bars) << n << ' ' << name;
      EXPECT_EQ(count(shapes, Kind::Dot), b.dots) << n << ' ' << name;
      EXPECT_EQ(count(shapes, Kind::Shell), b.shell ? 1 : 0) << n << ' ' << name;
      EXPECT_EQ(shapes.size(), static_cast<std::size_t>(b.bars + b.dots + b.shell)) << n;
      for (const Shape& s : shapes) {
        for (const Shape& t : shapes) {
          EXPECT_TRUE(&s == &t || !overlap(s, t)) << n << ' ' << name;
          if (s.kind == Kind::Dot && t.kind == Kind::Bar) {
            EXPECT_LE(s.y + s.height, t.y) << n << ' ' << name;
          }
        }
      }
    }
  }
}

TEST(DrawDay, StacksTheBase20DigitsOfALargeBaktunMostSignificantOnTop) {
  struct Case {
    std::int64_t baktun;
    int bars, dots, shells;
    Kind top, bottom;
  };
  const Case cases[] = {{20, 0, 1, 1, Kind::Dot, Kind::Shell},
                        {399, 6, 8, 0, Kind::Dot, Kind::Bar},
                        {400, 0, 1, 2, Kind::Dot, Kind::Shell},
                        {8000, 0, 1, 3, Kind::Dot, Kind::Shell},
                        {8005, 1, 1, 2, Kind::Dot, Kind::Bar}};
  for (const Case& c : cases) {
    DrawingInput in = dayInput(0, maya::Spelling::Colonial, maya::HaabNumbering::Seating0);
    in.places[0] = c.baktun;
    std::vector<Shape> shapes = coefficientBeside(drawDay(in), "baktun");
    EXPECT_EQ(count(shapes, Kind::Bar), c.bars) << c.baktun;
    EXPECT_EQ(count(shapes, Kind::Dot), c.dots) << c.baktun;
    EXPECT_EQ(count(shapes, Kind::Shell), c.shells) << c.baktun;
    ASSERT_FALSE(shapes.empty());
    std::sort(shapes.begin(), shapes.end(),
              [](const Shape& a, const Shape& b) { return a.y < b.y; });
    EXPECT_EQ(shapes.front().kind, c.top) << c.baktun;
    EXPECT_EQ(shapes.back().kind, c.bottom) << c.baktun;
  }
}

// Days of every kind: the creation date, the text's example, days before
// 0.0.0.0.0, seatings, a baktun of 20 and more, under both spellings and numberings.
const std::int64_t kDays[] = {0,
                              1'386'478,
                              1'872'000,
                              1'871'997,
                              -25,
                              -2'440,
                              20 * 144'000,
                              400 * 144'000 + 5,
                              7'999 * 144'000 + 143'999};

TEST(DrawDay, KeepsEveryShapeInsideOnWholeUnitsAndApart) {
  for (const std::int64_t d : kDays) {
    for (const auto spelling : {maya::Spelling::Colonial, maya::Spelling::Modern}) {
      for (const auto numbering : {maya::HaabNumbering::Seating0, maya::HaabNumbering::Window1}) {
        const Drawing drawing = drawDay(dayInput(d, spelling, numbering));
        EXPECT_EQ(drawing.title, maya::longCountText(d) + ' ' +
                                     maya::calendarRoundText(d, spelling, numbering) + " G" +
                                     std::to_string(maya::lordOfTheNight(d)));
        for (const Shape& s : drawing.shapes) {
          EXPECT_TRUE(s.x >= 0 && s.y >= 0 && s.x + s.width <= drawing.width &&
                      s.y + s.height <= drawing.height)
              << drawing.title << ": " << s.text;
          if (s.kind != Kind::Text) { // crisp at 1x and every whole scale
            EXPECT_TRUE(s.x == std::floor(s.x) && s.y == std::floor(s.y) &&
                        s.width == std::floor(s.width) && s.height == std::floor(s.height));
          }
          for (const Shape& t : drawing.shapes) {
            if (&s < &t && s.kind != Kind::Frame && t.kind != Kind::Frame) {
              EXPECT_FALSE(overlap(s, t)) << drawing.title << ": " << s.text << t.text;
            }
          }
        }
      }
    }
  }
  const DrawingInput in =
      dayInput(1'386'478, maya::Spelling::Colonial, maya::HaabNumbering::Seating0);
  EXPECT_EQ(in.station819, "East station + 733 days");
  EXPECT_EQ(drawDay(in).title, "9.12.11.5.18 6 Etznab 11 Yax G1");
}

// How often needle occurs in text.
int occurrences(const std::string& text, const std::string& needle) {
  int n = 0;
  for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
    ++n;
  }
  return n;
}

// Whether xmllint reads svg as a well-formed document.
bool wellFormed(const std::string& svg) {
  const std::string path =
      ::testing::TempDir() + "glyphbox_drawing_test_" + std::to_string(::getpid()) + ".svg";
  std::ofstream(path, std::ios::binary) << svg;
  return std::system(("xmllint --noout --nonet '" + path + "'").c_str()) == 0;
}

TEST(Svg, IsAWellFormedDocumentWithAnElementForEachShape) {
  ASSERT_EQ(std::system("command -v xmllint >/dev/null"), 0)
      << "xmllint is missing: scripts/install-deps installs libxml2-utils";
  for (const std::int64_t d : kDays) {
    const Drawing drawing =
        drawDay(dayInput(d, maya::Spelling::Modern, maya::HaabNumbering::Seating0));
    const std::string svg = svgOf(drawing);
    EXPECT_TRUE(wellFormed(svg)) << drawing.title;
    EXPECT_EQ(svg, svgOf(drawing));
    std::string title; // the modern names' glottal stops escaped
    for (const char c : drawing.title) {
      title += c == '\'' ? std::string("&apos;") : std::string(1, c);
    }
    EXPECT_EQ(occurrences(svg, "<title>" + title + "</title>"), 1) << svg;
    const std::vector<Shape>& s = drawing.shapes;
    EXPECT_EQ(occurrences(svg, "<rect "), count(s, Kind::Bar) + count(s, Kind::Frame) + 1);
    EXPECT_EQ(occurrences(svg, "<circle "), count(s, Kind::Dot));
    EXPECT_EQ(occurrences(svg, "<path "), count(s, Kind::Shell));
    EXPECT_EQ(occurrences(svg, "<text "), count(s, Kind::Text));
    const std::string size = std::to_string(static_cast<int>(drawing.width)) + ' ' +
                             std::to_string(static_cast<int>(drawing.height));
    EXPECT_EQ(occurrences(svg, "viewBox=\"0 0 " + size + "\""), 1) << svg;
  }
}

TEST(Svg, EscapesTextAndWritesNumbersShort) {
  Drawing drawing{100.5, 40.25, {}, "5 < 6 & \"7\" > '4'"};
  drawing.shapes.push_back({Kind::Text, 1.126, 2, 50, 12, "A&B<C>\x01\xFF", Shape::Align::Start});
  drawing.shapes.push_back({Kind::Dot, 10, 10, 12, 12, {}, Shape::Align::Start});
  const std::string svg = svgOf(drawing);
  EXPECT_TRUE(wellFormed(svg)) << svg;
  EXPECT_NE(svg.find("<title>5 &lt; 6 &amp; &quot;7&quot; &gt; &apos;4&apos;</title>"),
            std::string::npos)
      << svg;
  // The control and the stray byte, which XML cannot hold, become U+FFFD.
  EXPECT_NE(svg.find(">A&amp;B&lt;C&gt;\xEF\xBF\xBD\xEF\xBF\xBD</text>"), std::string::npos) << svg;
  EXPECT_NE(svg.find("viewBox=\"0 0 100.5 40.25\""), std::string::npos) << svg;
  EXPECT_NE(svg.find("<circle cx=\"16\" cy=\"16\" r=\"6\"/>"), std::string::npos) << svg;
  EXPECT_NE(svg.find("x=\"1.13\""), std::string::npos) << svg; // two decimals at most
}

} // namespace
} // namespace glyphbox::rows
