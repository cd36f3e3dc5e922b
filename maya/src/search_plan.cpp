#include "search_internal.h"

#include <glyphbox/maya/long_count.h>

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <optional>
#include <vector>

// Plans: a pattern turned into a lattice of residues and a few interval
// clues (the Long Count's fixed places above the kin, which hold for runs of
// days), and the walks that find, list and count the days of a plan without
// visiting them one by one.

namespace glyphbox::maya {
namespace search_detail {
namespace {

// Every modulus a clue can have divides this: the alautun (2^15 3^2 5^7)
// times the 13 and 73 of the Calendar Round and the 7 of the 819-day count
// (7 x 9 x 13, its quarters 4 x 819), so every period fits in 64 bits.
constexpr i64 kLargestPeriod =
    std::lcm(std::lcm(kAlautun, i64{kCalendarRound}), i64{kQuarters} * kStationDays);
static_assert(kLargestPeriod == kAlautun * kTrecena * 73 * 7 &&
              kLargestPeriod % kLordsOfTheNight == 0);
static_assert(kLargestPeriod % (i64{kQuarters} * kStationDays) == 0);
static_assert(kLargestPeriod < kSearchLimit / 1000);

// ---- Walking a plan ----

// The first match in [from, to] and the end of the run of interval clues
// that holds from it (lattice days inside the run all match).
std::optional<std::pair<i64, i64>> firstRun(const Plan& plan, i64 from, i64 to) noexcept {
  if (plan.lattice.residues.empty())
    return std::nullopt;
  i64 x = std::max(from, plan.range.first);
  const i64 last = std::min(to, plan.range.last);
  while (x <= last) {
    x = latticeCeil(plan.lattice, x);
    if (x > last)
      break;
    i64 end = last;
    bool holds = true;
    for (const IntervalClue& c : plan.intervalClues) {
      const auto [ok, v] = probe(c, x);
      if (!ok) {
        x = v;
        holds = false;
        break;
      }
      end = std::min(end, v);
    }
    if (holds)
      return std::pair{x, end};
  }
  return std::nullopt;
}

i64 countFrom(const Plan& plan, std::size_t level, i64 from, i64 to) noexcept;

// Matches in [from, to] when the interval clues above `level` hold all
// through it: each stretch where the clue at `level` holds is counted by
// the clues below it.
i64 countStretches(const Plan& plan, std::size_t level, i64 from, i64 to) noexcept {
  if (level == plan.intervalClues.size())
    return latticeCount(plan.lattice, from, to);
  const IntervalClue& clue = plan.intervalClues[level];
  i64 total = 0;
  for (i64 x = from; x <= to;) {
    const auto [holds, v] = probe(clue, x);
    if (!holds) {
      x = v;
      continue;
    }
    const i64 end = std::min(v, to);
    total += countFrom(plan, level + 1, x, end);
    if (end == to)
      break;
    x = end + 1;
  }
  return total;
}

// The matches of the clues from `level` on repeat every levelPeriods[level]
// days: a long span is counted as whole periods plus the rest. Applied at
// every level, a fixed katun inside a million years costs a few periods of
// the uinal below it, not every uinal.
i64 countFrom(const Plan& plan, std::size_t level, i64 from, i64 to) noexcept {
  const i64 period = plan.levelPeriods[level];
  const i128 length = static_cast<i128>(to) - from + 1;
  if (length >= 2 * static_cast<i128>(period)) {
    const i64 periods = static_cast<i64>(length / period);
    const i64 restStart = from + periods * period;
    return periods * countStretches(plan, level, from, from + period - 1) +
           countStretches(plan, level, restStart, to);
  }
  return countStretches(plan, level, from, to);
}

i64 planCount(const Plan& plan, i64 from, i64 to) noexcept {
  from = std::max(from, plan.range.first);
  to = std::min(to, plan.range.last);
  if (from > to || plan.lattice.residues.empty())
    return 0;
  return countFrom(plan, 0, from, to);
}

bool planMatches(const Plan& plan, i64 d) noexcept {
  if (d < plan.range.first || d > plan.range.last)
    return false;
  if (!std::binary_search(plan.lattice.residues.begin(), plan.lattice.residues.end(),
                          floorMod(d, plan.lattice.modulus)))
    return false;
  return std::all_of(plan.intervalClues.begin(), plan.intervalClues.end(),
                     [d](const IntervalClue& c) { return probe(c, d).first; });
}

// The first match on or after `from`: inside the plan's range every period
// holds a match, so one period is as far as it needs to look.
std::optional<i64> firstMatch(const Plan& plan, i64 from) noexcept {
  from = std::max(from, plan.range.first);
  const i64 to = from > kSearchLimit - plan.period ? kSearchLimit : from + plan.period - 1;
  const auto run = firstRun(plan, from, to);
  if (!run)
    return std::nullopt;
  return run->first;
}

} // namespace

// ---- Building a plan ----

namespace {

// Orders the interval clues coarsest first, so a walk makes its longest
// jumps first, and gives each level the period of the clues from it on.
void setPeriods(Plan& plan) {
  std::sort(plan.intervalClues.begin(), plan.intervalClues.end(),
            [](const IntervalClue& a, const IntervalClue& b) { return a.modulus > b.modulus; });
  plan.levelPeriods.assign(plan.intervalClues.size() + 1, plan.lattice.modulus);
  for (std::size_t level = plan.intervalClues.size(); level-- > 0;)
    plan.levelPeriods[level] =
        std::lcm(plan.levelPeriods[level + 1], plan.intervalClues[level].modulus);
  plan.period = plan.levelPeriods.front();
}

std::optional<DayRange> longCountRange(const LongCountPattern& lc) noexcept {
  if (!lc.digits[0])
    return std::nullopt;
  const i128 value = kPlaceValues[placeFromKin(lc.places, 0)];
  const i128 first = *lc.digits[0] * value;
  const i128 last = std::min<i128>(first + value - 1, kSearchLimit);
  const i128 lo = std::min<i128>(first, kSearchLimit);
  if (!lc.negative)
    return DayRange{static_cast<i64>(lo), static_cast<i64>(last)};
  return DayRange{static_cast<i64>(-last), static_cast<i64>(std::min<i128>(-lo, -1))};
}

// A fixed Tzolkin name fixes the kin, so it joins the kin place: that lets
// the residue arithmetic see it together with the uinal and tun above it.
Pattern withNameInKin(Pattern p) {
  if (p.longCount && p.tzolkinName && !p.longCount->digits[p.longCount->places - 1]) {
    const i64 n = *p.tzolkinName;
    p.longCount->digits[p.longCount->places - 1] =
        p.longCount->negative ? floorMod(-n, kVeintena) : n;
  }
  return p;
}

} // namespace

// The same days mirrored, d -> -d: searching it forwards searches the
// original backwards.
Plan reflect(const Plan& plan) {
  Plan out;
  out.range = {-plan.range.last, -plan.range.first};
  out.lattice.modulus = plan.lattice.modulus;
  // -r mod m turns the sorted residues round: 0 stays first, the others
  // come in reverse order.
  const std::vector<i64>& residues = plan.lattice.residues;
  out.lattice.residues.clear();
  out.lattice.residues.reserve(residues.size());
  if (!residues.empty() && residues.front() == 0)
    out.lattice.residues.push_back(0);
  for (auto r = residues.rbegin(); r != residues.rend() && *r != 0; ++r)
    out.lattice.residues.push_back(plan.lattice.modulus - *r);
  for (const IntervalClue& c : plan.intervalClues) {
    IntervalClue m{c.modulus, {}};
    for (const auto& [lo, hi] : c.intervals)
      addInterval(m, -hi, hi - lo + 1);
    normalize(m);
    out.intervalClues.push_back(std::move(m));
  }
  out.period = plan.period;
  out.levelPeriods = plan.levelPeriods;
  return out;
}

// The Tzolkin name a pattern's kin place forces: the kin of d >= 0 is
// d mod 20, the kin of a day before 0.0.0.0.0 counts backwards.
std::optional<int> nameFromKin(const LongCountPattern& lc) {
  const auto& kin = lc.digits[lc.places - 1];
  if (!kin)
    return std::nullopt;
  return static_cast<int>(lc.negative ? floorMod(-*kin, kVeintena) : *kin);
}

// The fixed places that run down to the kin fix |d| modulo the place above them.
std::optional<KinBlock> kinBlock(const LongCountPattern& lc) {
  int j = lc.places;
  while (j - 1 >= 1 && lc.digits[j - 1])
    --j;
  if (j == lc.places)
    return std::nullopt;
  KinBlock b{j, kPlaceValues[placeFromKin(lc.places, j - 1)], 0};
  for (int k = j; k < lc.places; ++k)
    b.residue += *lc.digits[k] * kPlaceValues[placeFromKin(lc.places, k)];
  return b;
}

// Preconditions: the pattern passed validation.
Plan buildPlan(const Pattern& raw) {
  const Pattern p = withNameInKin(raw);
  Plan plan;
  auto single = [&plan](i64 modulus, i64 residue) {
    plan.lattice = intersect(plan.lattice, ResidueSet{modulus, {floorMod(residue, modulus)}});
  };
  // 0.0.0.0.0 is 4 Ahau 8 Cumku, G9: the Tzolkin number n falls on the days
  // d = n - 1 - 3 (mod 13), the name on d = name (mod 20), Lord Gk on
  // d = k (mod 9), and Haab position h on d = h - 348 (mod 365).
  if (p.tzolkinNumber)
    single(kTrecena, *p.tzolkinNumber - 1 - kEpochTzolkinOffset);
  if (p.tzolkinName)
    single(kVeintena, *p.tzolkinName);
  if (p.lord)
    single(kLordsOfTheNight, *p.lord);
  // Stations fall on the days d with d + 3 = 0 (mod 819), so the days n days
  // after one are d = n - 3 (mod 819).
  if (p.daysAfterStation)
    single(kStationDays, *p.daysAfterStation - kStationBaseOffset);

  if (p.haabMonth && p.haabDay) {
    single(kHaabYear, *haabPosition({*p.haabMonth, *p.haabDay}, p.numbering) - kEpochHaabPosition);
  } else if (p.haabDay) {
    // The same day number in every month that has it (Uayeb has only five).
    ResidueSet days{kHaabYear, {}};
    for (int month = 1; month <= kHaabMonths; ++month)
      if (const auto position = haabPosition({month, *p.haabDay}, p.numbering))
        days.residues.push_back(floorMod(*position - kEpochHaabPosition, kHaabYear));
    std::sort(days.residues.begin(), days.residues.end());
    plan.lattice = intersect(plan.lattice, days);
  } else if (p.haabMonth) {
    IntervalClue month{kHaabYear, {}};
    const int length = *p.haabMonth == kUayeb ? kUayebDays : kHaabMonthDays;
    const int firstDay = p.numbering == HaabNumbering::Seating0 ? 0 : 1;
    addInterval(month, *haabPosition({*p.haabMonth, firstDay}, p.numbering) - kEpochHaabPosition,
                length);
    normalize(month);
    plan.lattice = fold(plan.lattice, month);
  }

  if (p.bearerNumber || p.bearerName) {
    // Year y, counted from the year holding 0.0.0.0.0, runs from its 0 Pop,
    // day 365y - 348, for 365 days; its bearer is the Tzolkin date of that
    // 0 Pop, and the bearers repeat after 52 years.
    IntervalClue years{kCalendarRound, {}};
    for (i64 y = 0; y < kYearBearerCycle; ++y) {
      const i64 newYear = kHaabYear * y - kEpochHaabPosition;
      const Tzolkin bearer = tzolkinOf(newYear);
      if (p.bearerNumber && bearer.number != *p.bearerNumber)
        continue;
      if (p.bearerName && bearer.name != *p.bearerName)
        continue;
      addInterval(years, newYear, kHaabYear);
    }
    normalize(years);
    plan.lattice = fold(plan.lattice, years);
  }

  if (p.stationQuarter) {
    // Station s covers the 819 days from d = 819 s - 3 and stands in
    // quarter s mod 4: the days of quarter q are d + 3 in [819 q, 819 q + 818]
    // modulo 4 x 819. Folded like the Haab month, so that a lattice that
    // never meets it is seen at once.
    IntervalClue quarter{i64{kQuarters} * kStationDays, {}};
    addInterval(quarter,
                i64{kStationDays} * static_cast<int>(*p.stationQuarter) - kStationBaseOffset,
                kStationDays);
    normalize(quarter);
    plan.lattice = fold(plan.lattice, quarter);
  }

  if (p.longCount) {
    const LongCountPattern& lc = *p.longCount;
    const i64 sign = lc.negative ? -1 : 1;
    plan.range = lc.negative ? DayRange{-kSearchLimit, -1} : DayRange{0, kSearchLimit};
    if (const auto natural = longCountRange(lc))
      plan.range = *natural;
    const auto block = kinBlock(lc);
    if (block)
      single(block->modulus, sign * block->residue);
    // Each run of fixed places above the kin block: |d| modulo the place
    // above the run lies in one interval as long as the run's lowest place.
    const int end = block ? block->first - 1 : lc.places;
    for (int k = 1; k < end;) {
      if (!lc.digits[k]) {
        ++k;
        continue;
      }
      const int top = k;
      i64 low = 0;
      for (; k < end && lc.digits[k]; ++k)
        low += *lc.digits[k] * kPlaceValues[placeFromKin(lc.places, k)];
      const i64 length = kPlaceValues[placeFromKin(lc.places, k - 1)];
      IntervalClue clue{kPlaceValues[placeFromKin(lc.places, top - 1)], {}};
      addInterval(clue, lc.negative ? -(low + length - 1) : low, length);
      normalize(clue);
      plan.intervalClues.push_back(std::move(clue));
    }
  }

  setPeriods(plan);
  return plan;
}

// ---- Whether a pattern matches any day ----

namespace {

// Fixed Long Count places whose blocks are longer than the period of
// everything below them cannot decide whether a match exists: each such
// block holds a whole period of the rest. Dropping them keeps the search
// for a first match short even for patterns with huge periods.
Pattern withoutCoarsePlaces(Pattern p) {
  if (!p.longCount)
    return p;
  LongCountPattern& lc = p.longCount.value();
  Pattern rest = p;
  rest.longCount = LongCountPattern{lc.negative, lc.places, {}};
  const i64 restPeriod = buildPlan(rest).period;
  i64 below = restPeriod;
  for (int k = lc.places - 1; k >= 0; --k) {
    if (!lc.digits[k])
      continue;
    const i64 value = kPlaceValues[placeFromKin(lc.places, k)];
    // Strictly longer: a block before 0.0.0.0.0 may lose the day 0 itself.
    if (value > below) {
      for (int up = 0; up <= k; ++up)
        lc.digits[up].reset();
      break;
    }
    if (k > 0)
      below = std::lcm(restPeriod, kPlaceValues[placeFromKin(lc.places, k - 1)]);
  }
  return p;
}

// The residues modulo 360 of the days a Long Count pattern can name: the
// tun and every place above it are multiples of 360 days, so only the uinal
// and the kin count (a leading uinal runs through all 18 values).
std::vector<i64> longCountResiduesMod360(const LongCountPattern& lc) {
  static_assert(kTun == 360);
  const auto& kin = lc.digits[lc.places - 1];
  const auto& uinal = lc.digits[lc.places - 2];
  std::vector<i64> out;
  for (i64 u = 0; u < kTun / kUinal; ++u) {
    if (uinal && floorMod(*uinal, kTun / kUinal) != u)
      continue;
    for (i64 k = 0; k < kUinal; ++k) {
      if (kin && *kin != k)
        continue;
      out.push_back(floorMod((lc.negative ? -1 : 1) * (kUinal * u + k), kTun));
    }
  }
  return out;
}

} // namespace

// Preconditions: the pattern passed validation.
bool hasMatch(const Pattern& pattern) {
  const Pattern p = withoutCoarsePlaces(withNameInKin(pattern));
  if (p.longCount && p.longCount->digits[0]) {
    // A leading place that is still fixed bounds a range shorter than the
    // period of the rest: look through it.
    const Plan plan = buildPlan(p);
    return firstRun(plan, plan.range.first, plan.range.last).has_value();
  }
  // Unbounded: the other clues form a lattice modulo a divisor of 1,195,740
  // (13, 20, 365, 9, 18,980, 819, 3,276), the Long Count's places a set
  // modulo a number of the form 2^a 3^b 5^c; they share at most a factor
  // dividing 180, which in turn divides 360. By the Chinese remainder theorem a common day
  // exists exactly when the two sets agree modulo that common factor.
  Pattern rest = p;
  rest.longCount.reset();
  const ResidueSet lattice = buildPlan(rest).lattice;
  if (lattice.residues.empty())
    return false;
  if (!p.longCount)
    return true;
  const i64 g = std::gcd(lattice.modulus, kTun);
  std::vector<bool> seen(static_cast<std::size_t>(g), false);
  for (const i64 r : lattice.residues)
    seen[static_cast<std::size_t>(r % g)] = true;
  const auto lcResidues = longCountResiduesMod360(*p.longCount);
  return std::any_of(lcResidues.begin(), lcResidues.end(),
                     [&](i64 t) { return seen[static_cast<std::size_t>(t % g)]; });
}

} // namespace search_detail

// ---- The queries of search.h ----

using search_detail::firstMatch;
using search_detail::firstRun;
using search_detail::i64;
using search_detail::latticeCeil;
using search_detail::longCountRange;
using search_detail::Plan;
using search_detail::planCount;
using search_detail::planMatches;

bool Matcher::matches(std::int64_t day) const noexcept { return planMatches(forward_, day); }

std::optional<std::int64_t> next(const Matcher& matcher, std::int64_t from) noexcept {
  return firstMatch(MatcherAccess::forward(matcher), std::max(from, -kSearchLimit));
}

std::optional<std::int64_t> prev(const Matcher& matcher, std::int64_t from) noexcept {
  const i64 mirrored = -std::clamp(from, -kSearchLimit - 1, kSearchLimit);
  const auto day = firstMatch(MatcherAccess::backward(matcher), mirrored);
  if (!day)
    return std::nullopt;
  return -*day;
}

void forEachMatch(const Matcher& matcher, DayRange range,
                  const std::function<bool(std::int64_t)>& visit) {
  const Plan& plan = MatcherAccess::forward(matcher);
  i64 from = std::max(range.first, -kSearchLimit);
  const i64 to = std::min(range.last, kSearchLimit);
  while (from <= to) {
    const auto run = firstRun(plan, from, to);
    if (!run)
      return;
    for (i64 d = run->first; d <= run->second; d = latticeCeil(plan.lattice, d + 1))
      if (!visit(d))
        return;
    from = run->second + 1;
  }
}

std::int64_t count(const Matcher& matcher, DayRange range) noexcept {
  return planCount(MatcherAccess::forward(matcher), std::max(range.first, -kSearchLimit),
                   std::min(range.last, kSearchLimit));
}

std::optional<DayRange> naturalRange(const Pattern& pattern) noexcept {
  if (!pattern.longCount)
    return std::nullopt;
  const LongCountPattern& lc = *pattern.longCount;
  if (lc.places < 2 || lc.places > kMaxLongCountPlaces || !lc.digits[0] || *lc.digits[0] < 0)
    return std::nullopt;
  return longCountRange(lc);
}

DayRange searchRange(const Pattern& pattern) noexcept {
  if (const auto natural = naturalRange(pattern))
    return *natural;
  if (pattern.longCount && pattern.longCount->negative)
    return {-kDefaultRange.last, -1};
  return kDefaultRange;
}

} // namespace glyphbox::maya
