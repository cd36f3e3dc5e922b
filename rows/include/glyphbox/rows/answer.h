#pragma once

// Inputs and patterns read for the commands that work with day numbers:
// the command line's find, add, diff and draw and the workbench read them
// through these, so the two never disagree. (A day's values, as the plain
// lines write them, are worksheet.h's dayCells.)
//
//   readDayNumber(text, settings)     -> DayNumberReading {d, or why not; eraBefore}
//   readFindPattern(words, numbering) -> FindReading {matcher and pattern, or why not}

#include <glyphbox/maya/search.h>
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

} // namespace glyphbox::rows
