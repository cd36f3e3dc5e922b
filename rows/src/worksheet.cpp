#include <glyphbox/rows/worksheet.h>

#include "row_writing.h"

#include <glyphbox/runtime/messages.h>

#include <glyphbox/maya/date_text.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/numerals.h>
#include <glyphbox/maya/pattern_text.h>

#include <algorithm>

namespace glyphbox::rows {
namespace {

using maya::equalsIgnoringCase;

constexpr bool isBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r'; }

constexpr bool isDigits(std::string_view s) noexcept {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// A part of a line: where it starts and how long it is.
struct Span {
  std::size_t offset = 0;
  std::size_t length = 0;
};

// The first word of line[from, end), or an empty span at `end`.
Span wordAt(std::string_view line, std::size_t from, std::size_t end) noexcept {
  while (from < end && isBlank(line[from])) {
    ++from;
  }
  std::size_t to = from;
  while (to < end && !isBlank(line[to])) {
    ++to;
  }
  return {from, to - from};
}

// A distance opens with its direction (+2.5.3, -823d), or counts days
// forward (823d). A Long Count date never carries a sign in a worksheet:
// a day before 0.0.0.0.0 is named by its date or JDN, or as monuments
// write it (12.19.13.4.0 8 Ahau 18 Zec).
bool isDistanceWord(std::string_view w) noexcept {
  if (w.front() == '+' || w.front() == '-') {
    return true;
  }
  return w.size() > 1 && (w.back() == 'd' || w.back() == 'D') &&
         isDigits(w.substr(0, w.size() - 1));
}

// A Long Count of fewer than five places without a sign: a distance number
// with no direction.
bool isUnsignedDistance(std::string_view w) noexcept {
  if (w.find('.') == std::string_view::npos ||
      w.find_first_not_of("0123456789.") != std::string_view::npos) {
    return false;
  }
  return std::count(w.begin(), w.end(), '.') + 1 < maya::kDatePlaces;
}

void refuse(AnsweredLine& a, std::string_view code, std::string problem, Span at) {
  a.kind = LineKind::Error;
  a.code = code;
  a.problem = std::move(problem);
  a.problemOffset = at.offset;
  a.problemLength = at.length;
}

// The note on a Long Count read in the era before 0.0.0.0.0: the
// converter's when every clue agrees there.
std::string eraBeforeWords(std::int64_t d, bool everyClueAgrees) {
  if (everyClueAgrees) {
    return eraBeforeNote(d);
  }
  return i18n::format(i18n::tr("read in the era before 0.0.0.0.0, as {}: more of its recorded "
                               "clues agree there than 13 baktuns later, at face value"),
                      maya::longCountText(d));
}

// The day a line's anchor names, or why it names none.
struct AnchorReading {
  std::optional<std::int64_t> day; // a Long Count's face value, or the day of a date or JDN
  bool longCount = false;
  Span span;
  std::string_view code;
  std::string problem;
};

AnchorReading readAnchor(std::string_view line, Span first, std::size_t end,
                         const ConversionSettings& settings) {
  AnchorReading r;
  r.span = first;
  const std::string_view w = line.substr(first.offset, first.length);
  // "JDN n" and a date with its era are one anchor of two words.
  const Span next = wordAt(line, first.offset + first.length, end);
  const std::string_view nextWord = line.substr(next.offset, next.length);
  const auto date = maya::readDateText(w);
  if ((equalsIgnoringCase(w, "JDN") && next.length > 0) ||
      (date && date->eraWord.empty() &&
       (equalsIgnoringCase(nextWord, "CE") || equalsIgnoringCase(nextWord, "BCE")))) {
    r.span.length = next.offset + next.length - first.offset;
  }
  Reading reading;
  readInput(line.substr(r.span.offset, r.span.length), settings, reading);
  if (!reading.day) {
    r.code = reading.code;
    r.problem = std::string(reading.reason);
    // Clues with no day before them: say so rather than list the input forms.
    const maya::RecordedClues clues = maya::readRecordedClues(
        line.substr(first.offset, end - first.offset), settings.numbering(false));
    if (r.code == "not_a_date" && clues.ok() && !clues.clues.empty()) {
      r.code = "no_day_named";
      r.problem = i18n::tr("the line records what a day has but names no day; a line starts "
                           "with a date, such as 9.12.11.5.18, or a distance, such as +2.5.3");
      r.span = {first.offset, end - first.offset};
    }
    return r;
  }
  r.longCount = reading.day->kind == Day::Kind::LongCount;
  r.day =
      r.longCount ? reading.day->value : reading.day->value - settings.reckoning.correlation.jdn;
  return r;
}

// Each clue's verdict on day d, what d has written as the settings write it.
std::vector<CheckedClue> checked(const maya::RecordedClues& clues, std::size_t base, std::int64_t d,
                                 const ConversionSettings& settings) {
  std::vector<CheckedClue> out;
  out.reserve(clues.clues.size());
  for (const maya::RecordedClue& c : clues.clues) {
    std::string computed =
        maya::clueValueText(c.kind, d, settings.spelling, settings.numbering(false));
    if (settings.mayaNumerals &&
        (c.kind == ClueKind::Tzolkin || c.kind == ClueKind::Haab || c.kind == ClueKind::Bearer)) {
      computed = row_writing::inNumerals(computed);
    }
    out.push_back(
        {c.kind, base + c.offset, c.length, maya::hasEveryClue(c.pattern, d), std::move(computed)});
  }
  return out;
}

} // namespace

Worksheet::Worksheet(const ConversionSettings& settings) : settings_(settings) {
  settings_.compare = false;
}

AnsweredLine Worksheet::answer(std::string_view line, long long number) {
  AnsweredLine a;
  a.number = number;
  a.text = std::string(line);
  // Any line that names no day breaks the chain: a distance below it would
  // otherwise count from a day the reader did not mean.
  const auto noDay = [&] {
    previous_.reset();
    previousLine_ = number;
    return a;
  };
  if (line.size() > kMaxWorksheetLine) {
    refuse(a, "line_too_long",
           i18n::format(i18n::tr("line too long: a worksheet line holds at most {} bytes"),
                        kMaxWorksheetLine),
           {0, line.size()});
    return noDay();
  }
  const std::size_t hash = line.find('#');
  if (hash != std::string_view::npos) {
    a.commentOffset = hash;
  }
  std::size_t end = std::min(hash, line.size());
  while (end > 0 && isBlank(line[end - 1])) {
    --end;
  }
  const Span first = wordAt(line, 0, end);
  if (first.length == 0) {
    return a; // blank, or a comment alone
  }
  const Span content{first.offset, end - first.offset};
  const std::string_view w = line.substr(first.offset, first.length);
  if (settings_.reckoning.window) {
    refuse(a, "window_reads_no_long_count",
           i18n::tr("the window's own arithmetic (glyphbox) has no face-value reading of a Long "
                    "Count, which a worksheet counts in; use a correlation such as gmt"),
           content);
    return noDay();
  }

  std::int64_t d = 0;
  std::size_t cluesFrom = 0;
  bool longCount = false;
  if (isDistanceWord(w)) {
    a.kind = LineKind::Distance;
    const maya::DistanceReading distance = maya::readDistance(w);
    if (!distance.days) {
      refuse(a, "bad_distance", distance.problem, first);
      return noDay();
    }
    if (!previous_) {
      refuse(a, "no_day_above",
             previousLine_ == 0
                 ? std::string(i18n::tr("a distance counts from the day of a line above it, and "
                                        "no line above names a day; start with a date, such as "
                                        "9.12.11.5.18"))
                 : i18n::format(i18n::tr("a distance counts from the day of the line above it, "
                                         "and line {} reaches no day"),
                                previousLine_),
             first);
      return noDay();
    }
    a.distance = *distance.days;
    d = *previous_ + *distance.days;
    cluesFrom = first.offset + first.length;
  } else {
    a.kind = LineKind::Anchor;
    if (isUnsignedDistance(w)) {
      refuse(a, "distance_without_sign",
             i18n::format(i18n::tr("a Long Count of fewer than five places is a distance, which a "
                                   "worksheet writes with its direction: +{0} or -{0}"),
                          w),
             first);
      return noDay();
    }
    AnchorReading anchor = readAnchor(line, first, end, settings_);
    if (!anchor.day) {
      refuse(a, anchor.code, std::move(anchor.problem), anchor.span);
      return noDay();
    }
    d = *anchor.day;
    longCount = anchor.longCount;
    cluesFrom = anchor.span.offset + anchor.span.length;
  }

  const maya::RecordedClues clues =
      maya::readRecordedClues(line.substr(cluesFrom, end - cluesFrom), settings_.numbering(false));
  if (clues.ok() && longCount) {
    const maya::LongCountReading reading = maya::readLongCountWithClues(d, clues.clues);
    if (reading.eraBefore) {
      d = reading.day;
      a.note = eraBeforeWords(d, maya::hasEveryClue(clues.pattern, d));
    }
  }
  if (d < -maya::kMaxDayNumber || d > maya::kMaxDayNumber) {
    refuse(a, "beyond_the_count",
           i18n::tr("the day lies beyond the 10^15 days either side of 0.0.0.0.0 that the count "
                    "reaches"),
           first);
    return noDay();
  }
  a.day = d;
  a.jdn = d + settings_.reckoning.correlation.jdn;
  previous_ = d;
  previousLine_ = number;
  dated_ = true;
  if (!maya::fromJdn(*a.jdn, settings_.calendar)) {
    refuse(a, "no_date", i18n::tr("the date of this day lies outside the supported years"),
           content);
    return a;
  }
  if (!clues.ok()) {
    refuse(a, "bad_clue", clues.problem, {cluesFrom + clues.problemOffset, clues.problemLength});
    return a;
  }
  a.clues = checked(clues, cluesFrom, d, settings_);
  if (!a.agrees()) {
    maya::NearestDays nearest = maya::nearestAgreeing(clues.pattern, d);
    if (!nearest.refusal.empty()) {
      const std::size_t from = a.clues.front().offset;
      const std::size_t to = a.clues.back().offset + a.clues.back().length;
      refuse(a, "clues_never_agree", std::move(nearest.refusal), {from, to - from});
      return a;
    }
    a.nearest = std::move(nearest.days);
  }
  return a;
}

std::vector<AnsweredLine> answerWorksheet(std::string_view text,
                                          const ConversionSettings& settings) {
  std::vector<AnsweredLine> answers;
  Worksheet sheet(settings);
  if (text.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  long long number = 0;
  while (!text.empty()) {
    const std::size_t stop = std::min(text.find_first_of("\r\n"), text.size());
    answers.push_back(sheet.answer(text.substr(0, stop), ++number));
    std::size_t next = stop + 1;
    if (stop < text.size() && text[stop] == '\r' && next < text.size() && text[next] == '\n') {
      ++next;
    }
    text.remove_prefix(std::min(next, text.size()));
  }
  return answers;
}

// ---- The texts of a day's columns ----

DayCells::DayCells(const ConversionSettings& settings, std::vector<Column> columns)
    : sink_(-1, -1), settings_([&] {
        ConversionSettings s = settings;
        s.format = OutputFormat::Plain;
        s.compare = false;
        s.columns = std::move(columns);
        return s;
      }()),
      converter_(sink_, settings_) {}

std::vector<std::string> DayCells::of(std::int64_t day) {
  const std::vector<Column>& columns = *settings_.columns;
  std::vector<std::string> cells(columns.size());
  rows_.clear();
  if (!converter_.rowsFor(Day{Day::Kind::LongCount, day, {}}, rows_).empty() || rows_.empty()) {
    return cells;
  }
  for (std::size_t i = 0; i < columns.size(); ++i) {
    cells[i] = converter_.writer().text(rows_.front(), columns[i]);
  }
  return cells;
}

std::vector<std::string> dayCells(std::int64_t day, const ConversionSettings& settings,
                                  const std::vector<Column>& columns) {
  return DayCells(settings, columns).of(day);
}

// ---- Writing the answers ----

std::vector<Column> worksheetColumns(const ConversionSettings& settings) {
  if (settings.columns) {
    return *settings.columns;
  }
  ConversionSettings s = settings;
  s.compare = false;
  std::vector<Column> columns = defaultColumns(s);
  if (settings.format == OutputFormat::Plain) {
    return columns;
  }
  columns.insert(columns.begin(), Column::Line);
  columns.insert(columns.end(), {Column::Distance, Column::Clues, Column::Agrees, Column::Nearest});
  return columns;
}

namespace {

ConversionSettings writerSettings(const ConversionSettings& settings) {
  ConversionSettings s = settings;
  s.compare = false;
  s.columns = worksheetColumns(settings);
  return s;
}

// A clue as written, its blanks made single spaces so that it stays one
// field of a row.
std::string clueWords(const AnsweredLine& line, const CheckedClue& clue) {
  std::string words;
  bool blank = false;
  for (const char c : std::string_view(line.text).substr(clue.offset, clue.length)) {
    if (isBlank(c)) {
      blank = true;
      continue;
    }
    if (blank) {
      words += ' ';
      blank = false;
    }
    words += c;
  }
  return words;
}

// The line as people read it back: control characters but the tab shown
// as \xNN, everything else as written.
std::string shownLine(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c < 0x20 && c != '\t') || c == 0x7f) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += ch;
    }
  }
  return out;
}

} // namespace

WorksheetWriter::WorksheetWriter(Output& out, const ConversionSettings& settings)
    : out_(out), settings_(writerSettings(settings)), converter_(out, settings_) {}

void WorksheetWriter::write(const AnsweredLine& line) {
  if (settings_.format == OutputFormat::Plain) {
    writePlain(line);
    return;
  }
  if (line.kind == LineKind::Error) {
    refuse(line);
    return;
  }
  if (!line.day) {
    return;
  }
  if (!line.note.empty()) {
    // Worded again here: JSON's answers are worded in English, for standard output.
    converter_.writer().note({Origin::Kind::Line, line.number, 0}, line.text,
                             eraBeforeWords(*line.day, line.agrees()));
  }
  writeRow(*line.day, &line);
}

void WorksheetWriter::refuse(const AnsweredLine& line) {
  const Origin origin{Origin::Kind::Line, line.number, 0};
  if (settings_.format == OutputFormat::Json) {
    converter_.writer().refuse(origin, line.text, line.code, line.problem);
    return;
  }
  const std::string_view at = std::string_view(line.text).substr(
      std::min(line.problemOffset, line.text.size()), line.problemLength);
  out_.error(refusalMessage(origin, at, line.problem));
}

void WorksheetWriter::writeRow(std::int64_t day, const AnsweredLine* line,
                               std::string_view before) {
  rows_.clear();
  if (!converter_.rowsFor(Day{Day::Kind::LongCount, day, {}}, rows_).empty() || rows_.empty()) {
    return; // a day whose date lies outside the calendar's years has no row
  }
  out_.put(before);
  Row& row = rows_.front();
  if (line != nullptr) {
    fillCells(*line);
    row.cells = cells_.data();
    row.cellsSize = 0;
    for (const std::string& text : cellTexts_) {
      row.cellsSize += text.size();
    }
  }
  converter_.writer().row(row);
}

void WorksheetWriter::fillCells(const AnsweredLine& line) {
  const OutputFormat format = settings_.format;
  const bool json = format == OutputFormat::Json;
  const auto field = [&](std::string_view s) { return row_writing::fieldText(format, s); };
  const auto longCount = [&](std::int64_t d) {
    return settings_.mayaNumerals ? maya::longCountInNumerals(d) : maya::longCountText(d);
  };
  const auto cell = [&](Column c) -> std::string& { return cellTexts_[worksheetPlace(c)]; };

  cell(Column::Line) = std::to_string(line.number);

  std::string& distance = cell(Column::Distance);
  if (line.kind == LineKind::Distance) {
    distance = maya::distanceText(line.distance);
    distance = json ? "\"" + distance + "\"" : field(distance);
  } else {
    distance = json ? "null" : "";
  }

  std::string& clues = cell(Column::Clues);
  clues.clear();
  if (json) {
    clues = "[";
    for (const CheckedClue& c : line.clues) {
      clues += clues.size() > 1 ? ",{\"clue\":" : "{\"clue\":";
      row_writing::appendJsonString(clues, clueWords(line, c));
      clues += ",\"kind\":\"" + std::string(clueKindName(c.kind)) +
               "\",\"offset\":" + std::to_string(c.offset) +
               ",\"length\":" + std::to_string(c.length) +
               ",\"agrees\":" + (c.agrees ? "true" : "false") + ",\"computed\":";
      row_writing::appendJsonString(clues, c.computed);
      clues += "}";
    }
    clues += "]";
  } else {
    std::string verdicts;
    for (const CheckedClue& c : line.clues) {
      verdicts += verdicts.empty() ? "" : "; ";
      verdicts += clueWords(line, c);
      verdicts += c.agrees ? " agrees" : " disagrees: " + c.computed;
    }
    clues = field(verdicts);
  }

  if (line.clues.empty()) {
    cell(Column::Agrees) = json ? "null" : "";
  } else {
    cell(Column::Agrees) = line.agrees() ? (json ? "true" : "yes") : (json ? "false" : "no");
  }

  std::string nearest;
  for (const std::int64_t d : line.nearest) {
    nearest += nearest.empty() ? "" : json ? "," : " ";
    if (json) {
      row_writing::appendJsonString(nearest, longCount(d));
    } else {
      nearest += longCount(d);
    }
  }
  cell(Column::Nearest) = json ? "[" + nearest + "]" : field(nearest);

  for (std::size_t i = 0; i < kWorksheetColumns; ++i) {
    cells_[i] = cellTexts_[i];
  }
}

void WorksheetWriter::writePlain(const AnsweredLine& line) {
  // A line too long to read is shown by its start, as messages show it.
  text_ = line.text.size() > kMaxWorksheetLine ? maya::shown(line.text) : shownLine(line.text);
  text_ += '\n';
  out_.put(text_);
  if (line.day) {
    writeRow(*line.day, &line, "  ");
  }
  if (line.kind == LineKind::Error) {
    refuse(line);
    return;
  }
  text_.clear();
  if (!line.note.empty()) {
    text_ += "  " + line.note + "\n";
  }
  for (const CheckedClue& c : line.clues) {
    text_ += "  " +
             (c.agrees ? i18n::format(i18n::tr("{}: agrees"), clueWords(line, c))
                       : i18n::format(i18n::tr("{}: disagrees: the arithmetic gives {}"),
                                      clueWords(line, c), c.computed)) +
             "\n";
  }
  out_.put(text_);
  for (const std::int64_t d : line.nearest) {
    const std::int64_t away = d - *line.day;
    writeRow(d, nullptr,
             "  " +
                 i18n::format(away < 0 ? i18n::tr("every clue agrees {} earlier:")
                                       : i18n::tr("every clue agrees {} later:"),
                              maya::longCountDistanceText(away < 0 ? -away : away)) +
                 "  ");
  }
}

} // namespace glyphbox::rows
