#include <glyphbox/rows/writer.h>

#include "digits.h"
#include "put_text.h"
#include "row_writing.h"

#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/count819.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/numerals.h>
#include <glyphbox/maya/pattern_text.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

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

} // namespace

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

void row_writing::appendJsonString(std::string& out, std::string_view s) {
  out += '"';
  appendJsonContent(out, s);
  out += '"';
}

// A text as a field of the format: JSON string contents, a CSV field
// quoted when it holds a comma, a quote or a line break, anything else as it is.
std::string row_writing::fieldText(OutputFormat format, std::string_view s) {
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

namespace {

using row_writing::appendJsonString;
using row_writing::fieldText;

// Which columns JSON writes as strings between quotes the pieces hold (the
// rest are numbers, an object, or write their own quotes, being null at times).
bool isJsonString(Column c) noexcept {
  return kColumns[static_cast<std::size_t>(c)].json == JsonKind::String;
}

// The place in the 260 days of the day with Tzolkin t: d = name (mod 20) and
// d = number - 4 (mod 13), joined by the Chinese remainder theorem (20 x 2 = 1
// mod 13, 13 x 17 = 1 mod 20).
constexpr std::size_t tzolkinPlace(maya::Tzolkin t) noexcept {
  const int a = (t.number - 1 - maya::kEpochTzolkinOffset + maya::kTrecena) % maya::kTrecena;
  return static_cast<std::size_t>((a * 40 + t.name * 221) % maya::kTzolkinDays);
}
static_assert(maya::tzolkinOf(static_cast<std::int64_t>(tzolkinPlace({7, 12}))) ==
              maya::Tzolkin{7, 12});

constexpr std::array<std::string_view, 7> kWeekdays = {
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"}; // JDN 0: Monday

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

// People read the correlation in a column of its own: as wide as the widest
// preset's label (any other correlation is a bare number, narrower still),
// and two blanks before what follows.
std::size_t labelWidth() {
  std::size_t widest = 0;
  for (const maya::Correlation& c : maya::kCorrelations) {
    widest = std::max(widest, correlationLabel(Reckoning::of(c)).size());
  }
  return widest + 2;
}

std::string paddedLabel(std::string label) {
  static const std::size_t width = labelWidth();
  label.append(label.size() + 2 < width ? width - label.size() : 2, ' ');
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
  at = put(at, origin.kind == Origin::Kind::Line ? i18n::tr("line ") : i18n::tr("input "));
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

namespace {

// The Tzolkin or Haab text of a cycle's place, in the numerals asked for.
char* putTzolkinText(char* at, const RowWriter::Layout& l, std::size_t place) noexcept {
  return l.numerals ? row_writing::putSpan(at, l.arena, l.tzolkinInNumerals[place])
                    : putPiece(at, l.tzolkin[place]);
}

char* putHaabText(char* at, const RowWriter::Layout& l, bool window, std::size_t place) noexcept {
  const int table = window ? 1 : 0;
  return l.numerals ? row_writing::putSpan(at, l.arena, l.haabInNumerals[table][place])
                    : putPiece(at, l.haab[table][place]);
}

} // namespace

std::string row_writing::inNumerals(std::string_view text) {
  const std::size_t first = std::min(text.find_first_of("0123456789"), text.size());
  std::int64_t n = 0;
  std::size_t i = first;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    n = n * 10 + (text[i] - '0');
  }
  if (i == first) {
    return std::string(text);
  }
  char number[maya::kMaxMayanNumeralText];
  return std::string(text.substr(0, first)) +
         std::string(number, maya::writeMayanNumeral(number, n)) + std::string(text.substr(i));
}

char* row_writing::putValueInNumerals(char* at, const Layout& l, Column column,
                                      const Row& row) noexcept {
  const std::int64_t d = row.dayCount;
  switch (column) {
  case Column::LongCount:
    return maya::writeLongCountInNumerals(at, row.window && row.longCount < maya::kBaktun
                                                  ? row.longCount + 13 * maya::kBaktun
                                                  : row.longCount);
  case Column::Tzolkin:
    return putTzolkinText(at, l, cyclePlace(d, maya::kTzolkinDays));
  case Column::Haab:
    return putHaabText(at, l, row.window, cyclePlace(d, maya::kHaabYear));
  default:
    return putValue(at, l, column, row);
  }
}

char* row_writing::putOtherValue(char* at, const Layout& l, Column column,
                                 const Row& row) noexcept {
  const std::int64_t d = row.dayCount;
  const maya::Station819 station = maya::station819Of(d);
  const auto quoted = [&](std::string_view text) {
    if (l.json) {
      *at++ = '"';
    }
    at = put(at, text);
    if (l.json) {
      *at++ = '"';
    }
    return at;
  };
  const auto civil = [&](maya::Calendar calendar) {
    const auto date = row.hasJdn ? maya::fromJdn(row.jdn, calendar)
                                 : maya::Result<maya::CivilDate, maya::CivilError>{};
    if (!row.hasJdn || !date) {
      return l.json ? put(at, "null") : at;
    }
    const maya::EraYear y = maya::eraYearOf(date.value.year);
    char text[48];
    char* end = putInt(text, y.year);
    end = putDashAndTwoDigits(end, date.value.month);
    end = putDashAndTwoDigits(end, date.value.day);
    end = put(end, y.era == maya::Era::BCE ? " BCE" : " CE");
    return quoted({text, static_cast<std::size_t>(end - text)});
  };
  switch (column) {
  case Column::Bearer:
    return putTzolkinText(at, l, tzolkinPlace(maya::yearBearerOf(d)));
  case Column::Since819:
    return putInt(at, station.since);
  case Column::Station819:
    at = putTzolkinText(at, l, cyclePlace(station.day, maya::kTzolkinDays));
    *at++ = ' ';
    return putHaabText(at, l, row.window, cyclePlace(station.day, maya::kHaabYear));
  case Column::Quarter819:
    at = put(at, maya::quarterName(station.quarter));
    at = put(at, " (");
    at = put(at, maya::quarterYucatec(station.quarter));
    return put(at, ")");
  case Column::Colour819:
    at = put(at, maya::colourName(station.quarter));
    at = put(at, " (");
    at = put(at, maya::colourYucatec(station.quarter));
    return put(at, ")");
  case Column::Number819:
    return putInt(at, station.number);
  case Column::Gregorian:
    return civil(maya::Calendar::Gregorian);
  case Column::Julian:
    return civil(maya::Calendar::Julian);
  case Column::Historical:
    return civil(maya::Calendar::Historical);
  case Column::Weekday:
    if (!row.hasJdn) {
      return l.json ? put(at, "null") : at;
    }
    return quoted(kWeekdays[static_cast<std::size_t>(maya::detail::floorMod(row.jdn, 7))]);
  case Column::Line:
  case Column::Distance:
  case Column::Clues:
  case Column::Agrees:
  case Column::Nearest:
    if (row.cells == nullptr) {
      return l.json ? put(at, "null") : at;
    }
    return put(at, row.cells[worksheetPlace(column)]);
  default:
    return at;
  }
}

ColumnReading readColumns(std::string_view list) {
  ColumnReading r;
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t end = std::min(list.find(',', start), list.size());
    const std::string_view name = list.substr(start, end - start);
    const auto found = std::find_if(kColumns.begin(), kColumns.end(),
                                    [&](const ColumnInfo& c) { return c.name == name; });
    if (found != kColumns.end()) {
      r.columns.push_back(found->column);
    } else if (name == k819Group.name) {
      r.columns.insert(r.columns.end(), k819Group.columns.begin(), k819Group.columns.end());
    } else {
      r.columns.clear();
      r.unknown = name;
      return r;
    }
    start = end + 1;
  }
  return r;
}

std::string columnsHelp(bool worksheet) {
  std::string help;
  const auto line = [&](std::string_view name, std::string_view what) {
    help += name;
    help.append(name.size() < 14 ? 14 - name.size() : 1, ' ');
    help += what;
    help += '\n';
  };
  for (const ColumnInfo& c : kColumns) {
    if (!isWorksheetColumn(c.column)) {
      line(c.name, i18n::tr(c.help.data()));
    }
  }
  line(k819Group.name, i18n::tr(k819Group.help.data()));
  for (const ColumnInfo& c : kColumns) {
    if (worksheet && isWorksheetColumn(c.column)) {
      line(c.name, i18n::tr(c.help.data()));
    }
  }
  return help;
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
  return {Date, DayCount, LongCount, Tzolkin, Haab, Lord, Jdn, Correlation, Calendar};
}

RowWriter::RowWriter(Output& out, const ConversionSettings& settings)
    : RowWriter(out, settings, settings.columns.value_or(defaultColumns(settings))) {}

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
  if (settings.mayaNumerals) {
    const auto spanOf = [&](const Piece& p) {
      return addText(row_writing::inNumerals({p.text, p.size}));
    };
    std::ranges::transform(tzolkin_, std::back_inserter(tzolkinInNumerals_), spanOf);
    for (const int table : {0, 1}) {
      std::ranges::transform(haab_[table], std::back_inserter(haabInNumerals_[table]), spanOf);
    }
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
  const bool omitTypedDate =
      format == OutputFormat::Plain && settings_.windowColumns() && !settings_.columns;
  const bool json = format == OutputFormat::Json;
  const std::string_view separator = format == OutputFormat::Plain ? "  "
                                     : format == OutputFormat::Tsv ? "\t"
                                                                   : ","; // CSV and JSON
  // Under --compare the plain labels are padded to one width, so that the
  // columns after them line up; a label that ends the line is not.
  const bool padLabels = format == OutputFormat::Plain && settings_.compare && !columns.empty() &&
                         columns.back() != Column::Correlation;
  // Outside --compare every row has the settings' correlation and calendar:
  // those columns are written once, into the pieces around the others.
  const auto labelOf = [&](const Reckoning& r) {
    if (json) {
      return correlationJson(r);
    }
    const std::string label = correlationLabel(r);
    return padLabels ? paddedLabel(label) : fieldText(format, label);
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
  bool afterLabel = false; // a padded correlation needs no separator after it
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const Column c = columns[i];
    if (i > 0 && !afterLabel) {
      piece += separator;
    }
    afterLabel = padLabels && c == Column::Correlation;
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
  shape_ = settings_.mayaNumerals ? Shape::Any
                                  : row_writing::shapeOf(format, columns_, separatorsOnly, gapsFit);
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
             omitTypedDate,
             settings_.mayaNumerals,
             tzolkinInNumerals_.data(),
             {haabInNumerals_[0].data(), haabInNumerals_[1].data()}};
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

std::string RowWriter::text(const Row& row, Column column) const {
  // The columns every row of a run shares are written into the pieces
  // around the others, not by the row.
  if (!settings_.compare && column == Column::Correlation) {
    return correlationLabel(settings_.reckoning);
  }
  if (!settings_.compare && column == Column::Calendar) {
    return std::string(calendarName(row.calendar));
  }
  if (isWorksheetColumn(column)) {
    return row.cells == nullptr ? std::string() : std::string(row.cells[worksheetPlace(column)]);
  }
  // Room for the widest value and the widest moves past its pieces.
  char text[1024];
  char* end = layout_.numerals ? row_writing::putValueInNumerals(text, layout_, column, row)
                               : row_writing::putValue(text, layout_, column, row);
  std::string value(text, end);
  if (column == Column::Correlation) { // padded for the plain line under --compare
    value.erase(value.find_last_not_of(' ') + 1);
  }
  return value;
}

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
