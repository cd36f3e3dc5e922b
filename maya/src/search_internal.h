#pragma once

// What the parts of the search share; not installed. The search lives in
// three files:
//
//   search_residues.cpp  residue arithmetic: lattices of residues combined by
//                        the Chinese remainder theorem, and interval clues
//                        (the lookups a walk makes at every step are inline
//                        below)
//   search_plan.cpp      plans: a pattern as a lattice and interval clues,
//                        the walks that find and count their days, and the
//                        queries of search.h (next, prev, forEachMatch, count)
//   search_compile.cpp   compile(): a pattern checked, refused in words, or
//                        turned into a Matcher
//
// Days are 64-bit day numbers counted from 0.0.0.0.0, as in search.h.

#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/civil.h>
#include <glyphbox/maya/search.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <utility>

namespace glyphbox::maya {

// Reaches into a Matcher to build and read its plans.
struct MatcherAccess {
  static Matcher make(const Pattern& pattern, search_detail::Plan forward,
                      search_detail::Plan backward) {
    Matcher m;
    m.pattern_ = pattern;
    m.forward_ = std::move(forward);
    m.backward_ = std::move(backward);
    return m;
  }
  static const search_detail::Plan& forward(const Matcher& m) { return m.forward_; }
  static const search_detail::Plan& backward(const Matcher& m) { return m.backward_; }
};

namespace search_detail {

using i64 = std::int64_t;
// Products of a day and a period can pass 64 bits before they are reduced.
__extension__ typedef __int128 i128;

using maya::detail::floorDiv;
using maya::detail::floorMod;

// ---- Residue arithmetic (search_residues.cpp and inline here) ----

// The days in both residue sets, by the Chinese remainder theorem; empty
// when they have none in common.
[[nodiscard]] ResidueSet intersect(const ResidueSet& a, const ResidueSet& b);

// The walks through a plan call the next four at every step, so they are
// defined here, where the walks can inline them.

// The first day >= x on the lattice. Preconditions: the lattice is not empty.
inline i64 latticeCeil(const ResidueSet& s, i64 x) noexcept {
  const i64 r = floorMod(x, s.modulus);
  const auto it = std::lower_bound(s.residues.begin(), s.residues.end(), r);
  if (it != s.residues.end())
    return x + (*it - r);
  return x + (s.modulus - r) + s.residues.front();
}

// Lattice days in (-inf, x], up to a constant that cancels in differences.
inline i64 latticeRank(const ResidueSet& s, i64 x) noexcept {
  const i64 r = floorMod(x, s.modulus);
  const auto below = std::upper_bound(s.residues.begin(), s.residues.end(), r);
  return floorDiv(x, s.modulus) * static_cast<i64>(s.residues.size()) +
         static_cast<i64>(below - s.residues.begin());
}

inline i64 latticeCount(const ResidueSet& s, i64 first, i64 last) noexcept {
  return latticeRank(s, last) - latticeRank(s, first - 1);
}

// For an interval clue at day x: {true, last day of the run of days holding
// from x} or {false, the next day >= x that holds}.
inline std::pair<bool, i64> probe(const IntervalClue& c, i64 x) noexcept {
  const i64 r = floorMod(x, c.modulus);
  auto it = std::upper_bound(c.intervals.begin(), c.intervals.end(), r,
                             [](i64 v, const auto& iv) { return v < iv.first; });
  if (it != c.intervals.begin() && std::prev(it)->second >= r)
    return {true, x + (std::prev(it)->second - r)};
  if (it != c.intervals.end())
    return {false, x + (it->first - r)};
  return {false, x + (c.modulus - r) + c.intervals.front().first};
}

// Adds d mod m in [lo, lo + length - 1] (taken mod m) as sorted pieces.
void addInterval(IntervalClue& c, i64 lo, i64 length);

// Sorts the intervals and merges those that touch or overlap.
void normalize(IntervalClue& c);

// The lattice days that also satisfy an interval clue, as a lattice modulo
// both moduli; for clues of small modulus (the Haab month, the year bearer).
[[nodiscard]] ResidueSet fold(const ResidueSet& lattice, const IntervalClue& clue);

// ---- Plans (search_plan.cpp) ----

// Place k of a pattern with `places` places, k = 0 being the leading place,
// as long_count.h numbers places: from the kin, 0 = kin.
[[nodiscard]] constexpr int placeFromKin(int places, int k) noexcept { return places - 1 - k; }

// The Tzolkin name a pattern's kin place forces, if it is fixed.
[[nodiscard]] std::optional<int> nameFromKin(const LongCountPattern& lc);

struct KinBlock {
  int first = 0;   // pattern place where the fixed places down to the kin start
  i64 modulus = 1; // value of the place above it
  i64 residue = 0; // |d| mod modulus
};

// The fixed places that run down to the kin, if the kin is fixed.
[[nodiscard]] std::optional<KinBlock> kinBlock(const LongCountPattern& lc);

// The plan of a pattern. Preconditions: every value of the pattern is in
// range (compile checks that first).
[[nodiscard]] Plan buildPlan(const Pattern& raw);

// The plan of the same days mirrored, d -> -d.
[[nodiscard]] Plan reflect(const Plan& plan);

// Whether some day satisfies every clue. Preconditions as buildPlan.
[[nodiscard]] bool hasMatch(const Pattern& pattern);

// The clues of a pattern as messages name them: "8 Ahau", "13 Pop",
// "year bearer 8 Ik", "G9", "819 South", "819+20".
std::string tzolkinText(const Pattern& p);
std::string haabText(const Pattern& p);
std::string bearerText(const Pattern& p);
std::string lordText(int lord);
std::string quarterText(Quarter quarter);
// The quarter in the words of a sentence in the user's language: "South".
std::string quarterWords(Quarter quarter);
std::string daysAfterStationText(int days);

} // namespace search_detail
} // namespace glyphbox::maya
