#include <glyphbox/rows/svg.h>

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <string_view>

namespace glyphbox::rows {
namespace {

using paint::kFrameRadius;
using paint::kInk;
using paint::kPaper;
using paint::kStone;

// A number in at most two decimals, without trailing zeros: the same bytes in every locale.
void putNumber(std::string& out, double v) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 2).ptr;
  std::string_view s(buffer, static_cast<std::size_t>(end - buffer));
  s.remove_suffix(s.size() - 1 - s.find_last_not_of('0'));
  if (s.back() == '.') {
    s.remove_suffix(1);
  }
  out += s == "-0" ? "0" : s;
}

std::string number(double v) {
  std::string out;
  putNumber(out, v);
  return out;
}

void putAttribute(std::string& out, std::string_view name, double v) {
  out += ' ';
  out += name;
  out += "=\"";
  putNumber(out, v);
  out += '"';
}

// The length of the well-formed UTF-8 sequence at the start of s that XML
// 1.0 allows as a character, or 0.
std::size_t xmlCharacter(std::string_view s) {
  const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) { // of the controls XML allows tab, line feed and carriage return
    return lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r' ? 1 : 0;
  }
  const std::size_t n = lead >= 0xC2 && lead <= 0xDF   ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
  if (n == 0 || s.size() < n) {
    return 0;
  }
  for (std::size_t i = 1; i < n; ++i) {
    if ((byte(i) & 0xC0) != 0x80) {
      return 0;
    }
  }
  // Refused: overlong forms, the surrogates, code points past U+10FFFF, and U+FFFE and U+FFFF.
  const unsigned char second = byte(1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90) ||
      (lead == 0xEF && second == 0xBF && byte(2) >= 0xBE)) {
    return 0;
  }
  return n;
}

// Text as XML character data or an attribute value: the five special
// characters escaped, and what XML cannot hold (bytes that are no UTF-8,
// controls) replaced by U+FFFD, so that the document always parses.
void putEscaped(std::string& out, std::string_view text) {
  while (!text.empty()) {
    const std::size_t n = xmlCharacter(text);
    if (n == 0) {
      out += "\xEF\xBF\xBD";
      text.remove_prefix(1);
      continue;
    }
    switch (text[0]) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    case '\'':
      out += "&apos;";
      break;
    default:
      out.append(text.substr(0, n));
    }
    text.remove_prefix(n);
  }
}

void putRect(std::string& out, const Shape& s, double radius) {
  out += "<rect";
  putAttribute(out, "x", s.x);
  putAttribute(out, "y", s.y);
  putAttribute(out, "width", s.width);
  putAttribute(out, "height", s.height);
  putAttribute(out, "rx", radius);
  out += "/>\n";
}

void putShell(std::string& out, const Shape& s) {
  out += "<path d=\"";
  for (const PathStep& step : shellOutline(s)) {
    switch (step.op) {
    case PathStep::Op::Move:
      out += 'M';
      break;
    case PathStep::Op::Line:
      out += 'L';
      break;
    case PathStep::Op::Cubic:
      out += 'C';
      for (const double v : {step.x1, step.y1, step.x2, step.y2}) {
        putNumber(out, v);
        out += ' ';
      }
      break;
    case PathStep::Op::Close:
      out += 'Z';
      continue;
    }
    putNumber(out, step.x);
    out += ' ';
    putNumber(out, step.y);
  }
  out += "\"/>\n";
}

void putText(std::string& out, const Shape& s) {
  const bool middle = s.align == Shape::Align::Middle;
  out += "<text";
  putAttribute(out, "x", middle ? s.x + s.width / 2 : s.x);
  putAttribute(out, "y", s.y + kTextBaseline * s.height);
  putAttribute(out, "font-size", s.height);
  if (middle) {
    out += " text-anchor=\"middle\"";
  }
  out += '>';
  putEscaped(out, s.text);
  out += "</text>\n";
}

// The shapes of some kinds in a group that carries their common paint.
template <typename Put>
void putGroup(std::string& out, const Drawing& d, std::string_view paint,
              std::initializer_list<Shape::Kind> kinds, Put put) {
  bool open = false;
  for (const Shape& s : d.shapes) {
    if (std::find(kinds.begin(), kinds.end(), s.kind) == kinds.end()) {
      continue;
    }
    if (!open) {
      out += "<g ";
      out += paint;
      out += ">\n";
      open = true;
    }
    put(out, s);
  }
  if (open) {
    out += "</g>\n";
  }
}

} // namespace

std::string svgOf(const Drawing& d) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
  putAttribute(out, "width", d.width);
  putAttribute(out, "height", d.height);
  out += " viewBox=\"0 0 ";
  putNumber(out, d.width);
  out += ' ';
  putNumber(out, d.height);
  out += "\">\n<title>";
  putEscaped(out, d.title);
  out += "</title>\n<rect";
  putAttribute(out, "width", d.width);
  putAttribute(out, "height", d.height);
  out += " fill=\"";
  out += kPaper;
  out += "\"/>\n";

  const std::string ink(kInk);
  // Blocks first, so that what lies on them is painted over them.
  putGroup(out, d,
           "fill=\"" + std::string(kStone) + "\" stroke=\"" + ink + "\" stroke-width=\"" +
               number(paint::kFrameStroke) + "\"",
           {Shape::Kind::Frame},
           [](std::string& o, const Shape& s) { putRect(o, s, kFrameRadius); });
  putGroup(out, d, "fill=\"" + ink + "\"", {Shape::Kind::Bar, Shape::Kind::Dot},
           [](std::string& o, const Shape& s) {
             if (s.kind == Shape::Kind::Bar) {
               putRect(o, s, s.height * paint::kBarRadius);
               return;
             }
             o += "<circle";
             putAttribute(o, "cx", s.x + s.width / 2);
             putAttribute(o, "cy", s.y + s.height / 2);
             putAttribute(o, "r", s.width / 2);
             o += "/>\n";
           });
  putGroup(out, d,
           "fill=\"none\" stroke=\"" + ink + "\" stroke-width=\"" + number(paint::kShellStroke) +
               "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"",
           {Shape::Kind::Shell}, putShell);
  putGroup(out, d, "font-family=\"sans-serif\" fill=\"" + ink + "\"", {Shape::Kind::Text}, putText);
  out += "</svg>\n";
  return out;
}

} // namespace glyphbox::rows
