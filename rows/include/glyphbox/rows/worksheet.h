#pragma once

// The inscription worksheet: a reading written as an epigrapher writes it,
// one line per date or step, each line answered with the day it reaches and
// a verdict on every clue the monument records for that day.
//
//   answerWorksheet(text, settings)   -> std::vector<AnsweredLine>, one per line of text
//   Worksheet sheet(settings);
//   sheet.answer(line, number)        -> AnsweredLine, for lines given one at a time, in order
//   sheet.dated()                     -> bool: whether any line so far named a day
//   dayCells(day, settings, columns)  -> std::vector<std::string>: the columns' texts of a day
//   WorksheetWriter writer(out, settings);
//   writer.header(); writer.write(answered)
//                                     -> the answers in the settings' format, as glyphbox-cli
//                                        inscription writes them
//   clueKindName(kind)                -> "tzolkin", "haab", "lord", "bearer", "819_quarter",
//                                        "819_since"
//
// The lines of a worksheet:
//
//   12.19.13.4.0 8 Ahau 18 Zec 819+20 819 South   # Temple of the Cross
//   -20d 1 Ahau 18 Zotz 819+0 819 South           # back to the station
//   9.12.11.5.18 6 Etznab 11 Yax
//   +2.5.3 10 Imix 4 Muan G5
//
// - An anchor names a day in any input form of the converter (a Long Count,
//   a date of the settings' calendar, JDN n, today), read under the settings'
//   correlation. A Long Count is read at face value; when the clues recorded
//   with it agree better 13 baktuns earlier, it is that day of the era before
//   0.0.0.0.0, as monuments write it (12.19.13.4.0 8 Ahau 18 Zec is
//   -0.0.6.14.0), and the line's note says so.
// - A distance is signed and written largest place first (+2.5.3, -1.0.0) or
//   in days (-823d, +20d; 823d without a sign counts forward). It counts from
//   the day of the nearest dated line above it: the last anchor or distance
//   that reached a day. A distance with no day above it is an error.
// - Either may be followed by what the monument records for the day reached:
//   a Tzolkin date (8 Ahau, * Ahau, 8 *), a Haab date (18 Zec), a Lord of the
//   Night (G1 to G9), a year bearer (bearer 8 Ik), the quarter of the day's
//   819-day station (819 South, 819 nohol) and the days since that station
//   (819+20; 819+0 is the station itself), in any order and any spelling, at
//   most one of each kind.
// - '#' starts a comment, to the end of the line. Blank lines and comments
//   answer nothing.
//
// Every function here is total: whatever the bytes, each line is answered,
// and a line that cannot be read is an Error line whose problem says why in
// one sentence. Nothing throws but std::bad_alloc.

#include <glyphbox/maya/clues.h>
#include <glyphbox/rows/converter.h>
#include <glyphbox/rows/output.h>
#include <glyphbox/rows/rows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphbox::rows {

// The longest line a worksheet reads, as the converter's lines; a longer one
// is refused without being read further.
inline constexpr std::size_t kMaxWorksheetLine = 4096;

enum class LineKind {
  Blank,    // nothing but blanks and a comment, if any
  Anchor,   // a day named in an input form
  Distance, // a signed distance from the day of the dated line above
  Error,    // refused: `problem` says why
};

// The kinds of clue a line records, at most one of each (maya/clues.h):
// Tzolkin (8 Ahau, * Ahau, 8 *), Haab (18 Zec), Lord (G1 to G9), Bearer
// (bearer 8 Ik), Quarter819 (819 South: the quarter of the day's station of
// the 819-day count) and Since819 (819+20: the days since that station);
// clueKindName(kind) names them in row formats and JSON.
using ClueKind = maya::ClueKind;
using maya::clueKindName;

// A recorded clue and whether the day reached has it.
struct CheckedClue {
  ClueKind kind = ClueKind::Tzolkin;
  std::size_t offset = 0; // where the clue is written in the line, in bytes
  std::size_t length = 0; // and its length: line.substr(offset, length) is "18 Zec"
  bool agrees = false;
  // What the arithmetic gives for the day reached, in the clue's own notation,
  // as the settings write it (spelling, Haab numbering, numerals): "18 Tzec",
  // "8 Ahau", "G8", "bearer 3 Ik", "819 South", "819+20". Set whether or not
  // the clue agrees.
  std::string computed;
};

// One line answered.
struct AnsweredLine {
  long long number = 0; // the line's number, from 1
  LineKind kind = LineKind::Blank;
  std::string text;                         // the line as written, without its line end
  std::optional<std::size_t> commentOffset; // where its '#' is, if it has one

  // The day the line reaches (Anchor and Distance lines), in days since
  // 0.0.0.0.0 at face value, and its JDN under the settings' correlation
  // (jdn = day + correlation). An Error line may still reach a day, when only
  // its clues were refused: the lines below count from it.
  std::optional<std::int64_t> day;
  std::optional<std::int64_t> jdn;
  std::int64_t distance = 0; // Distance: the days added to the day above

  std::vector<CheckedClue> clues; // in the order they are written
  // When a clue disagrees: the nearest days before and after the day reached
  // on which every recorded clue of the line agrees, the likely readings of a
  // misread date or distance; in increasing order, at most two, fewer when the
  // search range holds none on a side.
  std::vector<std::int64_t> nearest;

  // How the line was read, when it says more than its words (a day of the
  // era before 0.0.0.0.0); else empty.
  std::string note;
  std::string problem;   // Error: why, one sentence naming the fault
  std::string_view code; // Error: the fault's code for JSON ("bad_distance", "no_day_above")
  // Error: the part of the line at fault (the whole line without its
  // comment when no part is to blame), so a message can quote it and a
  // window can mark it.
  std::size_t problemOffset = 0;
  std::size_t problemLength = 0;

  // Whether every recorded clue agrees (true when the line records none).
  [[nodiscard]] bool agrees() const noexcept {
    for (const CheckedClue& c : clues) {
      if (!c.agrees) {
        return false;
      }
    }
    return true;
  }
};

// Answers a worksheet's lines one at a time, in order, remembering the day
// the distances count from.
//
// Preconditions: none. The settings' reckoning should be a correlation: the
// window's own arithmetic (glyphbox) reads no Long Count at face value, so
// under it every anchor and distance is refused with that reason. The
// settings' format, columns and compare do not change the answers.
class Worksheet {
public:
  explicit Worksheet(const ConversionSettings& settings);

  // The answer to `line` (without its line end), the line numbered `number`.
  // A line longer than kMaxWorksheetLine is refused as too long.
  [[nodiscard]] AnsweredLine answer(std::string_view line, long long number);

  // Whether a line answered so far reached a day; a worksheet where none
  // does names nothing to check.
  [[nodiscard]] bool dated() const noexcept { return dated_; }

private:
  ConversionSettings settings_;
  std::optional<std::int64_t> previous_; // the day of the last dated line
  long long previousLine_ = 0;           // that line's number, 0 before any
  bool dated_ = false;
};

// Every line of text answered; lines end at LF, CR LF or a lone CR, and a
// leading UTF-8 byte-order mark is not part of the first line, as the
// converter reads its input. An empty text has no lines.
[[nodiscard]] std::vector<AnsweredLine> answerWorksheet(std::string_view text,
                                                        const ConversionSettings& settings);

// The texts of the given columns for day d (days since 0.0.0.0.0 under the
// settings' correlation), exactly as the plain format writes them: for a
// window or a module that lays them out itself. A column whose value the day
// lacks (a date outside the calendar's years) is empty.
[[nodiscard]] std::vector<std::string>
dayCells(std::int64_t day, const ConversionSettings& settings, const std::vector<Column>& columns);

// The same, for many days: the writer's tables are built once.
class DayCells {
public:
  DayCells(const ConversionSettings& settings, std::vector<Column> columns);
  [[nodiscard]] std::vector<std::string> of(std::int64_t day);

private:
  Output sink_;
  ConversionSettings settings_;
  Converter converter_;
  std::vector<Row> rows_;
};

// The columns a worksheet's rows have under the settings: those of
// --fields, or in plain the conversion's plain line, and in the other
// formats the line's number, the conversion's columns, then the line's
// distance, clues, verdict and nearest agreeing days.
[[nodiscard]] std::vector<Column> worksheetColumns(const ConversionSettings& settings);

// Writes answered lines in the settings' format. Plain, for people: each
// line as written, then, indented, the day it reaches in the plain columns,
// a note on how it was read, a verdict on each clue ("13 Zec: disagrees: the
// arithmetic gives 18 Tzec") and the nearest days that agree with every
// clue. TSV, CSV and JSON: one row per line that reaches a day, in
// worksheetColumns. A refused line is a message on standard error naming
// the line and the part at fault, or in JSON an error object in its place.
class WorksheetWriter {
public:
  WorksheetWriter(Output& out, const ConversionSettings& settings);

  void header() { converter_.writeHeader(); }
  void write(const AnsweredLine& line);

private:
  // The row of a day, after `before`; with a line's own columns when line is given.
  void writeRow(std::int64_t day, const AnsweredLine* line, std::string_view before = {});
  // The line's own columns, as the format writes them, into cells_.
  void fillCells(const AnsweredLine& line);
  void writePlain(const AnsweredLine& line);
  void refuse(const AnsweredLine& line);

  Output& out_;
  ConversionSettings settings_;
  Converter converter_;
  std::vector<Row> rows_;
  std::array<std::string, kWorksheetColumns> cellTexts_;
  std::array<std::string_view, kWorksheetColumns> cells_;
  std::string text_;
};

} // namespace glyphbox::rows
