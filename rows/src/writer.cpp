#include <glyphbox/rows/writer.h>

#include "digits.h"
#include "put_text.h"
#include "row_writing.h"

#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/pattern_text.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace glyphbox::rows {
namespace {

using digits::putInt;
using put_text::put;
using put_text::putPiece;

// The length of the well-formed UTF-8 sequence at the start of s, or 0.
std::size_t utf8Length(std::string_view s) noexcept {
  const auto c = static_cast<unsigned char>(s[0]);
  const std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
  if (n == 0 || s.size() < n) {
    return 0;
  }
  for (std::size_t i = 1; i < n; ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      return 0;
    }
  }
  // No overlong forms, surrogates or code points beyond U+10FFFF.
  const auto c1 = static_cast<unsigned char>(s[1]);
  if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0) || (c == 0xF0 && c1 < 0x90) ||
      (c == 0xF4 && c1 >= 0x90)) {
    return 0;
  }
  return n;
}

// JSON string contents: quotes, backslashes and control characters escaped;
// UTF-8 text kept as it is, and a byte that is not part of any UTF-8
// character shown as U+FFFD, so the line is always valid JSON.
void appendJsonContent(std::string& out, std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20 || c == 0x7f) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04X", c);
      out += esc;
      ++i;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
    } else if (const std::size_t n = utf8Length(s.substr(i)); n > 0) {
      out.append(s.substr(i, n));
      i += n;
    } else {
      out += "\\uFFFD";
      ++i;
    }
  }
}

void appendJsonString(std::string& out, std::string_view s) {
  out += '"';
  appendJsonContent(out, s);
  out += '"';
}

// A text as a field of the format: JSON string contents, a CSV field
// quoted when it holds a comma, a quote or a line break, anything else as it is.
std::string fieldText(OutputFormat format, std::string_view s) {
  std::string out;
  if (format == OutputFormat::Json) {
    appendJsonContent(out, s);
  } else if (format == OutputFormat::Csv && s.find_first_of(",\"\r\n") != std::string_view::npos) {
    out += '"';
    for (const char c : s) {
      out.append(c == '"' ? 2 : 1, c);
    }
    out += '"';
  } else {
    out = s;
  }
  return out;
}

// Which columns JSON writes as strings (the rest are numbers, null or an object).
bool isJsonString(Column c) noexcept {
  return c != Column::DayCount && c != Column::Jdn && c != Column::Correlation;
}

// "gmt 584283", a bare number for a correlation that is no preset, or glyphbox.
std::string correlationLabel(const Reckoning& r) {
  if (r.window) {
    return "glyphbox";
  }
  const std::string jdn = std::to_string(r.correlation.jdn);
  return r.correlation.name.empty() ? jdn : std::string(r.correlation.name) + " " + jdn;
}

std::string correlationJson(const Reckoning& r) {
  if (r.window) {
    return "{\"name\":\"glyphbox\",\"jdn\":null}";
  }
  std::string json = "{\"name\":";
  if (r.correlation.name.empty()) {
    json += "null";
  } else {
    appendJsonString(json, r.correlation.name);
  }
  return json + ",\"jdn\":" + std::to_string(r.correlation.jdn) + "}";
}

// People read the correlation in a column of its own: padded to this width,
// and at least two blanks before what follows.
constexpr std::size_t kLabelWidth = 24;

std::string paddedLabel(std::string label) {
  label.append(label.size() < kLabelWidth ? kLabelWidth - label.size() : 2, ' ');
  return label;
}

RowWriter::Piece pieceOf(const std::string& text) {
  RowWriter::Piece p;
  const std::size_t n = std::min(text.size(), sizeof p.text);
  std::memcpy(p.text, text.data(), n);
  p.size = static_cast<std::uint8_t>(n);
  return p;
}

// Room for a message but its reason: prefix, origin, the shown text, the
// quotes and colons.
constexpr std::size_t kMessageRoom = 64 + 24 + maya::kMaxShownText + 8;

// "glyphbox-cli: line 3: "2000-13-01": month out of range; ...\n" into
// `message`, which keeps its room from one refusal to the next.
std::string_view putMessage(std::string& message, Origin origin, std::string_view text,
                            std::string_view reason) {
  if (message.size() < kMessageRoom + reason.size()) {
    message.resize(kMessageRoom + reason.size());
  }
  char* const start = message.data();
  char* at = put(start, "glyphbox-cli: ");
  at = put(at, origin.kind == Origin::Kind::Line ? std::string_view("line ")
                                                 : std::string_view("input "));
  at = putInt(at, origin.number);
  at = put(at, ": \"");
  at = maya::writeShown(at, text);
  at = put(at, "\": ");
  at = put(at, reason);
  *at++ = '\n';
  return {start, static_cast<std::size_t>(at - start)};
}

} // namespace

std::string refusalMessage(Origin origin, std::string_view text, std::string_view reason) {
  std::string message;
  return std::string(putMessage(message, origin, text, reason));
}

std::string_view calendarName(maya::Calendar calendar) noexcept {
  switch (calendar) {
  case maya::Calendar::Gregorian:
    return "gregorian";
  case maya::Calendar::Julian:
    return "julian";
  case maya::Calendar::Historical:
    return "historical";
  }
  return "";
}

std::vector<Column> defaultColumns(const ConversionSettings& s) {
  using enum Column;
  if (s.format == OutputFormat::Plain) {
    if (s.windowColumns()) {
      return {Date, LongCount, Tzolkin, Haab};
    }
    if (s.compare) {
      return {Correlation, Date, LongCount, Tzolkin, Haab, Lord};
    }
    return {Date, LongCount, Tzolkin, Haab, Lord};
  }
  if (s.windowColumns()) {
    return {Date, DayCount, LongCount, Tzolkin, Haab};
  }
  std::vector<Column> all;
  for (const ColumnInfo& c : kColumns) {
    all.push_back(c.column);
  }
  return all;
}

RowWriter::RowWriter(Output& out, const ConversionSettings& settings)
    : RowWriter(out, settings, defaultColumns(settings)) {}

RowWriter::RowWriter(Output& out, const ConversionSettings& settings, std::vector<Column> columns)
    : out_(out), settings_(settings) {
  const OutputFormat format = settings.format;
  const maya::Spelling spelling = settings.spelling;
  // The cycles repeat every 260, 365 and 9 days: each table holds one whole
  // cycle's texts, by the day count's place in it.
  char text[maya::kMaxCalendarRoundText];
  tzolkin_.resize(maya::kTzolkinDays);
  for (int r = 0; r < maya::kTzolkinDays; ++r) {
    const std::string_view t(text, maya::writeTzolkin(text, maya::tzolkinOf(r), spelling));
    tzolkin_[static_cast<std::size_t>(r)] = pieceOf(fieldText(format, t));
  }
  for (const bool window : {false, true}) {
    auto& haab = haab_[window ? 1 : 0];
    haab.resize(maya::kHaabYear);
    for (int r = 0; r < maya::kHaabYear; ++r) {
      const maya::Haab h = maya::haabOf(r, settings.numbering(window));
      haab[static_cast<std::size_t>(r)] =
          pieceOf(fieldText(format, std::string_view(text, maya::writeHaab(text, h, spelling))));
    }
  }
  for (int r = 0; r < maya::kLordsOfTheNight; ++r) {
    lords_[static_cast<std::size_t>(r)] = static_cast<char>('0' + maya::lordOfTheNight(r));
  }
  build(std::move(columns));
}

RowWriter::Span RowWriter::addText(std::string_view text) {
  // Every span is followed by room for its widest move.
  constexpr std::size_t kWidestMove = 128;
  const Span span{static_cast<std::uint32_t>(arena_.size()),
                  static_cast<std::uint32_t>(text.size())};
  arena_.insert(arena_.end(), text.begin(), text.end());
  arena_.resize(arena_.size() + kWidestMove, '\0');
  return span;
}

void RowWriter::build(std::vector<Column> columns) {
  const OutputFormat format = settings_.format;
  // The window's own plain line names the date only when the input did not.
  const bool omitTypedDate = format == OutputFormat::Plain && settings_.windowColumns() &&
                             columns == defaultColumns(settings_);
  const bool json = format == OutputFormat::Json;
  const std::string_view separator = format == OutputFormat::Plain ? "  "
                                     : format == OutputFormat::Tsv ? "\t"
                                                                   : ","; // CSV and JSON
  // Outside --compare every row has the settings' correlation and calendar:
  // those columns are written once, into the pieces around the others.
  const auto labelOf = [&](const Reckoning& r) {
    if (json) {
      return correlationJson(r);
    }
    const std::string label = correlationLabel(r);
    return format == OutputFormat::Plain ? paddedLabel(label) : fieldText(format, label);
  };
  const auto constantText = [&](Column c) -> std::optional<std::string> {
    if (settings_.compare || (c != Column::Correlation && c != Column::Calendar)) {
      return std::nullopt;
    }
    return c == Column::Calendar ? fieldText(format, calendarName(settings_.calendar))
                                 : labelOf(settings_.reckoning);
  };
  // Under --compare each row has its own: every preset and the window.
  labels_.clear();
  if (settings_.compare) {
    for (const maya::Correlation& c : maya::kCorrelations) {
      labels_.emplace_back(Reckoning::of(c), addText(labelOf(Reckoning::of(c))));
    }
    labels_.emplace_back(Reckoning::ofWindow(), addText(labelOf(Reckoning::ofWindow())));
  }
  constexpr std::size_t kLargestValue = 96; // the widest value a column writes
  std::string piece = json ? "{" : "";
  bool afterLabel = false; // the padded correlation needs no separator after it
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const Column c = columns[i];
    if (i > 0 && !afterLabel) {
      piece += separator;
    }
    afterLabel = format == OutputFormat::Plain && c == Column::Correlation;
    if (json) {
      piece += "\"" + std::string(columnName(c)) + "\":" + (isJsonString(c) ? "\"" : "");
    }
    needsJdn_ = needsJdn_ || c == Column::Jdn;
    if (const auto constant = constantText(c)) {
      piece += *constant;
    } else {
      between_.push_back(addText(piece));
      columns_.push_back(c);
      maxRow_ += piece.size() + kLargestValue;
      piece.clear();
    }
    if (json && isJsonString(c)) {
      piece += "\"";
    }
  }
  piece += json ? "}\n" : format == OutputFormat::Csv ? "\r\n" : "\n";
  between_.push_back(addText(piece));
  maxRow_ += piece.size() + 128; // and the widest move past the end
  // The pieces before each column, as short pieces when they fit; and
  // whether they are the format's separator alone (then the row starts
  // with nothing and no column written once lies between the others).
  gaps_.clear();
  bool gapsFit = true;
  bool separatorsOnly = true;
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const std::string text(arena_.data() + between_[i].offset, between_[i].size);
    gapsFit = gapsFit && text.size() <= sizeof Piece::text;
    separatorsOnly = separatorsOnly && text == (i == 0 ? std::string_view() : separator);
    gaps_.push_back(pieceOf(text));
  }
  shape_ = row_writing::shapeOf(format, columns_, separatorsOnly, gapsFit);
  layout_ = {columns_.data(),
             columns_.size(),
             between_.data(),
             gaps_.data(),
             arena_.data(),
             tzolkin_.data(),
             {haab_[0].data(), haab_[1].data()},
             lords_.data(),
             labels_.data(),
             labels_.size(),
             json,
             omitTypedDate};
  // The header's names: the columns asked for, not only the ones written per row.
  header_.clear();
  if (format == OutputFormat::Tsv || format == OutputFormat::Csv) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      header_ += i > 0 ? separator : std::string_view();
      header_ += columnName(columns[i]);
    }
    header_ += format == OutputFormat::Csv ? "\r\n" : "\n";
  }
}

void RowWriter::header() { out_.put(header_); }

void RowWriter::row(const Row& row) {
  switch (shape_) {
  case Shape::WindowPlain:
    return rowIn<Shape::WindowPlain>(row);
  case Shape::WindowTsv:
    return rowIn<Shape::WindowTsv>(row);
  case Shape::Plain:
    return rowIn<Shape::Plain>(row);
  case Shape::AllTsv:
    return rowIn<Shape::AllTsv>(row);
  case Shape::AllCsv:
    return rowIn<Shape::AllCsv>(row);
  case Shape::AllJson:
    return rowIn<Shape::AllJson>(row);
  case Shape::Any:
    return rowIn<Shape::Any>(row);
  }
}

void RowWriter::note(Origin origin, std::string_view text, std::string_view words) {
  out_.error(putMessage(message_, origin, text, words));
}

void RowWriter::refuse(Origin origin, std::string_view text, std::string_view code,
                       std::string_view reason) {
  if (settings_.format != OutputFormat::Json) {
    out_.error(putMessage(message_, origin, text, reason));
    return;
  }
  message_.clear();
  message_ += "{\"input\":";
  appendJsonString(message_, text);
  message_ += origin.kind == Origin::Kind::Line ? ",\"line\":" : ",\"argument\":";
  message_ += std::to_string(origin.kind == Origin::Kind::Line ? origin.number : origin.argument);
  message_ += ",\"error\":{\"code\":";
  appendJsonString(message_, code);
  message_ += ",\"message\":";
  appendJsonString(message_, reason);
  message_ += "}}\n";
  out_.put(message_);
}

} // namespace glyphbox::rows
