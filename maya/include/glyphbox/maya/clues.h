#pragma once

// What a monument records for a day, checked against the day: the clues an
// epigrapher copies beside a date or a distance number (8 Ahau 18 Zec G9
// 819+20 819 South), each read with where it is written, and the arithmetic's
// verdict on each.
//
//   readRecordedClues(text, numbering) -> RecordedClues {each clue and its place, all as one
//                                                        Pattern, or the problem and its place}
//   hasEveryClue(pattern, d)           -> bool: d has every clue of the pattern
//   clueValueText(kind, d, spelling, numbering)
//                                      -> what d has, in the clue's notation: "18 Tzec",
//                                         "G8", "bearer 3 Ik", "819 South", "819+20"
//   readLongCountWithClues(faceValue, clues)
//                                      -> LongCountReading {day, eraBefore}
//   nearestAgreeing(pattern, d)        -> NearestDays {nearest days with every clue, or why
//                                         no day ever has them all}
//   clueKindName(kind)                 -> "tzolkin", "haab", "lord", "bearer", "819_quarter",
//                                         "819_since"
//
// The clues are those of a search pattern (pattern_text.h) but the Long
// Count, each kind at most once: a day has one of each.

#include <glyphbox/maya/names.h>
#include <glyphbox/maya/search.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace glyphbox::maya {

enum class ClueKind {
  Tzolkin,    // 8 Ahau, * Ahau, 8 *
  Haab,       // 18 Zec, * Zec, 18 *
  Lord,       // G1 to G9
  Bearer,     // bearer 8 Ik
  Quarter819, // 819 South: the quarter of the day's station of the 819-day count
  Since819,   // 819+20: the days since that station
};

[[nodiscard]] std::string_view clueKindName(ClueKind kind) noexcept;

// A clue as written: its kind, where its words are in the text read
// (text.substr(offset, length) is "18 Zec"), and the clue alone as a pattern.
struct RecordedClue {
  ClueKind kind = ClueKind::Tzolkin;
  std::size_t offset = 0;
  std::size_t length = 0;
  Pattern pattern;
};

struct RecordedClues {
  std::vector<RecordedClue> clues; // in the order they are written
  Pattern pattern;                 // every clue at once
  std::string problem;             // why the words are not clues; empty when they are
  std::size_t problemOffset = 0;   // the word at fault
  std::size_t problemLength = 0;
  [[nodiscard]] bool ok() const noexcept { return problem.empty(); }
};

// Reads text (which may be empty: no clues) as recorded clues, in any order
// and spelling, Haab days in `numbering`. Refuses a word that is no clue, a
// Long Count (the day is named apart) and a second clue of a kind. Values out
// of range (G10, 14 Ahau, 819+900) are read: they simply never agree, and
// nearestAgreeing says why.
[[nodiscard]] RecordedClues readRecordedClues(std::string_view text, HaabNumbering numbering);

// The clue of `kind` in `pattern`, alone.
[[nodiscard]] Pattern clueOf(const Pattern& pattern, ClueKind kind) noexcept;

// Whether day d has every clue of the pattern, its Long Count's places
// included, checked through the calendars' own functions (no search plan).
[[nodiscard]] bool hasEveryClue(const Pattern& pattern, std::int64_t d) noexcept;

// Longest text of clueValueText.
inline constexpr std::size_t kMaxClueValueText = 7 + kMaxCalendarRoundText;

// What day d has for a clue of `kind`, written in the clue's own notation:
// "8 Ahau", "18 Tzec", "G8", "bearer 3 Ik", "819 South", "819+20".
[[nodiscard]] std::string clueValueText(ClueKind kind, std::int64_t d, Spelling spelling,
                                        HaabNumbering numbering);

// The day a written Long Count names with the clues recorded beside it: its
// face value, or the day 13 baktuns earlier when more of the clues agree
// there, since monuments write the days of the era before 0.0.0.0.0 (whose
// count ended at 13.0.0.0.0 on the creation date) as if it were running on.
// Preconditions: faceValue >= 0 (the written count has no sign).
struct LongCountReading {
  std::int64_t day = 0;
  bool eraBefore = false;
};
[[nodiscard]] LongCountReading readLongCountWithClues(std::int64_t faceValue,
                                                      const std::vector<RecordedClue>& clues);

// The nearest days before and after d (d itself excluded) on which every
// clue of the pattern agrees, in increasing order: the likely readings of a
// date or a distance misread. Or, when no day has them all (4 Ahau 9 Cumku,
// G10, 819+900), the reason in words and no day.
struct NearestDays {
  std::vector<std::int64_t> days;
  std::string refusal;
};
[[nodiscard]] NearestDays nearestAgreeing(const Pattern& pattern, std::int64_t d);

} // namespace glyphbox::maya
