#include <glyphbox/testing/reference.h>

#include <glyphbox/engine/maya_date.h>
#include <glyphbox/runtime/conversions.h>

#include <cstdio>

namespace glyphbox::testing {

using rows::InputError;
using rows::Origin;
using rows::ParseResult;
namespace {

// The message of a refused date, built the plain way.
std::string message(Origin origin, std::string_view text, const std::string& reason) {
  std::string shown;
  for (std::size_t i = 0; i < text.size() && i < 60; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      shown += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      shown += escaped;
    }
  }
  if (text.size() > 60) {
    shown += "...";
  }
  const std::string where =
      (origin.kind == Origin::Kind::Line ? "line " : "argument ") + std::to_string(origin.number);
  return "glyphbox-cli: " + where + ": \"" + shown + "\": " + reason + "\n";
}

} // namespace

ReferenceResult referenceConvert(std::string_view text, Origin origin, ReferenceFormat format) {
  ReferenceResult result;
  const ParseResult parsed = rows::parseDate(text);
  if (parsed.error != InputError::None) {
    result.err = message(origin, text, rows::reasonFor(parsed));
    return result;
  }
  const rows::DateInput& d = parsed.date;
  engine::MayaDate maya;
  try {
    maya = engine::calculateMayaDate(runtime::valueOfText(d.yearText), d.era,
                                     engine::Int16(static_cast<std::int16_t>(d.month)),
                                     engine::Int16(static_cast<std::int16_t>(d.day)));
  } catch (const runtime::RuntimeError& e) {
    result.err = message(origin, text, std::string("cannot convert this date: ") + e.what());
    return result;
  }
  const std::string separator = format == ReferenceFormat::Tsv ? "\t" : "  ";
  std::string& line = result.out;
  if (format == ReferenceFormat::Tsv) {
    std::size_t firstDigit = 0;
    while (firstDigit + 1 < d.yearText.size() && d.yearText[firstDigit] == '0') {
      ++firstDigit;
    }
    line += d.yearText.substr(firstDigit);
    line += d.month < 10 ? "-0" : "-";
    line += std::to_string(d.month);
    line += d.day < 10 ? "-0" : "-";
    line += std::to_string(d.day);
    line += d.era == engine::Era::CE ? " CE\t" : " BCE\t";
    line += std::to_string(static_cast<long long>(maya.counts.dayCount));
    line += separator;
  }
  line += maya.longCount.text();
  line += separator;
  line += runtime::int16ToText(maya.tzolkin.number);
  line += ' ';
  line += maya.tzolkin.name;
  line += separator;
  line += runtime::int16ToText(maya.haab.day);
  line += ' ';
  line += maya.haab.name;
  line += '\n';
  return result;
}

} // namespace glyphbox::testing
