#pragma once

// Searching the Maya calendars: which days have a given Long Count shape,
// Tzolkin, Haab, Lord of the Night, year bearer or place in the 819-day
// count. Days are counted from 0.0.0.0.0 (day 0) and may be negative. A
// pattern is compiled once, which refuses patterns that are malformed or can
// never match, and is then enumerated by modular arithmetic rather than day
// by day.

#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/count819.h>
#include <glyphbox/maya/long_count.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace glyphbox::maya {

// Alautun down to kin: the most places a Long Count pattern may have.
inline constexpr int kMaxLongCountPlaces = kMaxPlaces;

// A Long Count with some places left open ('*'). digits[0] is the leading
// place; only the first `places` entries are used. A five-place pattern has
// the baktun as its leading place, a nine-place one the alautun. The leading
// place is unbounded, the uinal runs 0 to 17 and every other place 0 to 19.
// `negative` marks a count before 0.0.0.0.0: -0.0.0.1.5 is day -25.
struct LongCountPattern {
  bool negative = false;
  int places = 5; // 2..9
  std::array<std::optional<std::int64_t>, kMaxLongCountPlaces> digits{};
};

// Haab days are numbered as HaabNumbering (calendar_round.h) says: from the
// seating (0 to 19, Uayeb 0 to 4) or 1 to 20 (Uayeb 1 to 5) as the window shows.

// Every clue is optional; a day matches when it satisfies all given clues.
struct Pattern {
  std::optional<LongCountPattern> longCount;
  std::optional<int> tzolkinNumber; // 1..13
  std::optional<int> tzolkinName;   // 0 (Ahau) .. 19 (Caunac)
  std::optional<int> haabMonth;     // 1 (Pop) .. 19 (Uayeb)
  std::optional<int> haabDay;       // in `numbering`
  HaabNumbering numbering = HaabNumbering::Seating0;
  std::optional<int> lord;         // 1..9 for G1..G9
  std::optional<int> bearerNumber; // year bearer's Tzolkin number, 1..13
  std::optional<int> bearerName;   // year bearer's Tzolkin name index
  // The 819-day count (count819.h): the quarter in which the day's station
  // stands, and how many days after its station the day falls.
  std::optional<Quarter> stationQuarter;
  std::optional<int> daysAfterStation; // 0..818
};

// A closed range of day numbers, first <= last.
struct DayRange {
  std::int64_t first = 0;
  std::int64_t last = 0;
  friend bool operator==(const DayRange&, const DayRange&) = default;
};

// 0.0.0.0.0 .. 19.19.19.17.19: every day a five-place Long Count with a
// baktun below 20 can write.
inline constexpr DayRange kDefaultRange{0, 2'879'999};

// Days beyond +-kSearchLimit (about 2.7 million billion years) are never
// searched: it keeps every sum of a day and a period inside 64 bits.
inline constexpr std::int64_t kSearchLimit = 1'000'000'000'000'000'000;

namespace search_detail {

// The days d with d mod modulus in `residues` (sorted, each in [0, modulus)).
struct ResidueSet {
  std::int64_t modulus = 1;
  std::vector<std::int64_t> residues{0};
};

// The days d with d mod modulus in one of `intervals` (sorted, disjoint,
// inclusive, each inside [0, modulus)).
struct IntervalClue {
  std::int64_t modulus = 1;
  std::vector<std::pair<std::int64_t, std::int64_t>> intervals;
};

// A compiled pattern: the days of `range` on the lattice that satisfy every
// interval clue. The clues are ordered by falling modulus; levelPeriods[i]
// is the period of the lattice and the clues from i on, so all moduli
// divide `period` == levelPeriods[0].
struct Plan {
  DayRange range{-kSearchLimit, kSearchLimit};
  ResidueSet lattice;
  std::vector<IntervalClue> intervalClues;
  std::vector<std::int64_t> levelPeriods{1};
  std::int64_t period = 1;
};

} // namespace search_detail

// A pattern that compile() accepted; it matches at least one day.
class Matcher {
public:
  // True when `day` satisfies every clue.
  [[nodiscard]] bool matches(std::int64_t day) const noexcept;
  // The matches repeat with this period inside the pattern's own range.
  [[nodiscard]] std::int64_t period() const noexcept { return forward_.period; }
  [[nodiscard]] const Pattern& pattern() const noexcept { return pattern_; }

private:
  friend struct MatcherAccess;
  Pattern pattern_;
  search_detail::Plan forward_;
  search_detail::Plan backward_; // the same days reflected, d -> -d, for searching backwards
};

// Either a matcher or the reason the pattern was refused, in words for the user.
struct CompileResult {
  std::optional<Matcher> matcher;
  std::string refusal;
  [[nodiscard]] bool ok() const noexcept { return matcher.has_value(); }
};

// Accepts a pattern when every value is in range and at least one day
// satisfies all clues; otherwise says which value or which clues are at fault.
[[nodiscard]] CompileResult compile(const Pattern& pattern);

// The first match on or after `from` / the last on or before it, or nothing
// when there is none within +-kSearchLimit.
[[nodiscard]] std::optional<std::int64_t> next(const Matcher& matcher, std::int64_t from) noexcept;
[[nodiscard]] std::optional<std::int64_t> prev(const Matcher& matcher, std::int64_t from) noexcept;

// Calls visit(day) for each match in `range`, in increasing order, until
// visit returns false.
void forEachMatch(const Matcher& matcher, DayRange range,
                  const std::function<bool(std::int64_t)>& visit);

// The number of matches in `range`; whole periods are counted at once, so
// ranges of millions of years cost no more than one period.
[[nodiscard]] std::int64_t count(const Matcher& matcher, DayRange range) noexcept;

// The days a Long Count pattern with a fixed leading place can name:
// 9.*.*.*.* is [9 x 144000, 10 x 144000 - 1], -9.*.*.*.* the mirror image.
// Nothing when there is no Long Count or its leading place is open.
[[nodiscard]] std::optional<DayRange> naturalRange(const Pattern& pattern) noexcept;

// Where to search when no range is given: the natural range when there is
// one, else kDefaultRange, mirrored (-19.19.19.17.19 .. -0.0.0.0.1) for a
// pattern before 0.0.0.0.0.
[[nodiscard]] DayRange searchRange(const Pattern& pattern) noexcept;

} // namespace glyphbox::maya
