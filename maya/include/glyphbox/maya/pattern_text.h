#pragma once

// The notations of inscriptions read from text: search patterns, distance
// numbers, and user text shown safely in a message.
//
//   readPattern(words, numbering)  -> PatternReading {Pattern or the problem}
//   readDistance(text)             -> DistanceReading {days or the problem}
//   distanceText(days)             -> "+2.5.3", "-1.0.0", "0.0"
//   readInscriptionDate(text, numbering)
//                                  -> InscriptionDate {day, or the clue that disagrees}
//   readSearchPattern(words, numbering)
//                                  -> SearchPattern {matcher, or the problem; the era before}
//   shown(text), writeShown(out, text)
//                                  -> text with control characters, quotes, backslashes and
//                                     bytes outside ASCII escaped (\xNN), cut after 60 bytes

#include <glyphbox/maya/search.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphbox::maya {

// A search pattern read from its words: a Long Count with '*' places
// (9.*.*.*.0), a Tzolkin date (8 Ahau, * Ahau, 8 *), a Haab date (13 Pop,
// * Pop, 0 *), a Lord of the Night (G9), a year bearer (bearer 8 Ik), the
// quarter of the day's 819-day station (819 South, or Yucatec 819 nohol, in
// any letter case) and the days after that station (819+20).
// The first number-and-'*' pair is the Tzolkin's when its number can be one
// (1 to 13) and no Tzolkin was given yet; otherwise it is the Haab's.
struct PatternReading {
  std::optional<Pattern> pattern;
  std::string problem; // why the words are no pattern
};
[[nodiscard]] PatternReading readPattern(std::string_view words, HaabNumbering numbering);

// A distance, written largest place first like a Long Count (+2.5.3,
// -1.0.0) or in days (-823d); the sign is optional.
struct DistanceReading {
  std::optional<std::int64_t> days;
  std::string problem;
};
[[nodiscard]] DistanceReading readDistance(std::string_view text);

// A distance as a Long Count of at least two places, with its sign: "+2.5.3".
[[nodiscard]] std::string distanceText(std::int64_t days);

// A Long Count followed by what the monument records for that day, as an
// inscription writes it: "9.12.11.5.18 6 Etznab 11 Yax", "12.19.13.4.0 8 Ahau
// 18 Zec". The Long Count is read at face value when the clues (Tzolkin,
// Haab, Lord, year bearer) agree with it there. Monuments write the days of
// the era before 0.0.0.0.0 the same way (the creation date itself is
// 13.0.0.0.0 4 Ahau 8 Cumku), so when the clues agree only 13 baktuns
// earlier, that day is meant and eraBefore says so. Otherwise the problem
// names each clue that disagrees and what the day has instead.
struct InscriptionDate {
  std::optional<std::int64_t> days;
  bool eraBefore = false;
  std::string problem;
};
[[nodiscard]] InscriptionDate readInscriptionDate(std::string_view text, HaabNumbering numbering);

// A pattern as a search reads it: readPattern, then compile. A whole Long
// Count whose clues never meet it at face value but agree 13 baktuns earlier
// names that day of the era before 0.0.0.0.0, as readInscriptionDate reads
// it: the pattern then holds that day's Long Count in place of the one
// written, and eraBefore the day.
struct SearchPattern {
  Pattern pattern;                // as compiled
  std::optional<Matcher> matcher; // nothing when the words are refused
  std::optional<std::int64_t> eraBefore;
  std::string problem; // why they were refused
};
[[nodiscard]] SearchPattern readSearchPattern(std::string_view words, HaabNumbering numbering);

// The most of a user's text a message shows, and the room writeShown needs.
inline constexpr std::size_t kShownBytes = 60;
inline constexpr std::size_t kMaxShownText = kShownBytes * 4 + 3;

// Writes text as a message shows it at out and returns the end.
char* writeShown(char* out, std::string_view text) noexcept;
[[nodiscard]] std::string shown(std::string_view text);

} // namespace glyphbox::maya
