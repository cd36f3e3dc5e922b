#pragma once

// The notations of inscriptions read from text: search patterns, distance
// numbers, and user text shown safely in a message.
//
//   readPattern(words, numbering)  -> PatternReading {Pattern or the problem}
//   readDistance(text)             -> DistanceReading {days or the problem}
//   distanceText(days)             -> "+2.5.3", "-1.0.0", "0.0"
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
// * Pop, 0 *), a Lord of the Night (G9) and a year bearer (bearer 8 Ik).
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

// The most of a user's text a message shows, and the room writeShown needs.
inline constexpr std::size_t kShownBytes = 60;
inline constexpr std::size_t kMaxShownText = kShownBytes * 4 + 3;

// Writes text as a message shows it at out and returns the end.
char* writeShown(char* out, std::string_view text) noexcept;
[[nodiscard]] std::string shown(std::string_view text);

} // namespace glyphbox::maya
