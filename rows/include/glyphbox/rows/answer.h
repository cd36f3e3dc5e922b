#pragma once

// Answers for front ends that show a day rather than write it: the command
// line's commands and the workbench read inputs and patterns, and take
// rows' values apart, through these, so the two never disagree.
//
//   readDayNumber(text, settings)   -> DayNumberReading {d, or why not; eraBefore}
//   readFindPattern(words, numbering) -> FindReading {matcher and pattern, or why not}
//   RowTexts(settings).rowOf(d)     -> the row of day d under the settings
//   RowTexts(settings).text(row, c) -> one column's value, as plain lines write it

#include <glyphbox/maya/search.h>
#include <glyphbox/rows/converter.h>
#include <glyphbox/rows/output.h>
#include <glyphbox/rows/rows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphbox::rows {

// The day number (days since 0.0.0.0.0) an input of any form names under
// the settings' correlation: a Long Count at face value, a date or JDN less
// the correlation. eraBefore: a Long Count with its Calendar Round read in
// the era before 0.0.0.0.0 (eraBeforeNote words it).
// Preconditions: the settings' reckoning is a correlation, not the window's.
struct DayNumberReading {
  std::optional<std::int64_t> day;
  bool eraBefore = false;
  std::string problem; // why there is no day, in words
};
[[nodiscard]] DayNumberReading readDayNumber(std::string_view text,
                                             const ConversionSettings& settings);

// A pattern of clues as find reads it: the words read as a pattern and
// compiled. A whole Long Count whose clues agree only 13 baktuns earlier
// names the day of the era before 0.0.0.0.0, as in conversion: the pattern
// then holds that day's Long Count and eraBefore the day.
struct FindReading {
  std::optional<maya::Matcher> matcher;
  maya::Pattern pattern;
  std::optional<std::int64_t> eraBefore;
  std::string problem; // why the words find nothing, when there is no matcher
};
[[nodiscard]] FindReading readFindPattern(std::string_view words, maya::HaabNumbering numbering);

// The rows of days under settings, and their values one column at a time,
// as the plain lines write them. Not copyable: the converter writes to a
// sink of its own, which never receives anything.
class RowTexts {
public:
  explicit RowTexts(const ConversionSettings& settings);
  RowTexts(const RowTexts&) = delete;
  RowTexts& operator=(const RowTexts&) = delete;

  // The row of day d, or nothing when its date lies outside the calendar's years.
  // Preconditions: the settings' reckoning is a correlation.
  [[nodiscard]] std::optional<Row> rowOf(std::int64_t d) const;
  // "13.0.0.0.0", "4 Ahau", "East (likin)", "2012-12-21 CE", "gmt 584283".
  [[nodiscard]] std::string text(const Row& row, Column column) const;

  [[nodiscard]] const ConversionSettings& settings() const noexcept {
    return converter_.settings();
  }

private:
  Output sink_;
  Converter converter_;
};

} // namespace glyphbox::rows
