#include "search_internal.h"

#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/names.h>

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <string>
#include <vector>

namespace glyphbox::maya {

namespace {

using namespace search_detail;

// Place k of a pattern with `places` places, k = 0 being the leading place,
// as long_count.h numbers places: from the kin, 0 = kin.
constexpr int placeFromKin(int places, int k) noexcept { return places - 1 - k; }

// Every modulus a clue can have divides this: the alautun (2^15 3^2 5^7)
// times the 13 and 73 of the Calendar Round, so every period fits in 64 bits.
constexpr i64 kLargestPeriod = std::lcm(kAlautun, i64{kCalendarRound});
static_assert(kLargestPeriod == kAlautun * kTrecena * 73 && kLargestPeriod % kLordsOfTheNight == 0);
static_assert(kLargestPeriod < kSearchLimit / 1000);

std::string grouped(i64 v) {
  std::string digits = std::to_string(v < 0 ? -v : v);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0)
      out += ',';
    out += digits[i];
  }
  return v < 0 ? "-" + out : out;
}

// ---- Plans ----

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

// The same days mirrored, d -> -d: searching it forwards searches the
// original backwards.
Plan reflect(const Plan& plan) {
  Plan out;
  out.range = {-plan.range.last, -plan.range.first};
  out.lattice.modulus = plan.lattice.modulus;
  out.lattice.residues.clear();
  for (const i64 r : plan.lattice.residues)
    out.lattice.residues.push_back(floorMod(-r, plan.lattice.modulus));
  std::sort(out.lattice.residues.begin(), out.lattice.residues.end());
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

// The Tzolkin name a pattern's kin place forces: the kin of d >= 0 is
// d mod 20, the kin of a day before 0.0.0.0.0 counts backwards.
std::optional<int> nameFromKin(const LongCountPattern& lc) {
  const auto& kin = lc.digits[lc.places - 1];
  if (!kin)
    return std::nullopt;
  return static_cast<int>(lc.negative ? floorMod(-*kin, kVeintena) : *kin);
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

struct KinBlock {
  int first = 0;   // pattern place where the fixed places down to the kin start
  i64 modulus = 1; // value of the place above it
  i64 residue = 0; // |d| mod modulus
};

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

// ---- Telling the user what is wrong ----

std::string longCountText(const LongCountPattern& lc) {
  std::string s = lc.negative ? "-" : "";
  for (int k = 0; k < lc.places; ++k) {
    if (k != 0)
      s += '.';
    s += lc.digits[k] ? std::to_string(*lc.digits[k]) : "*";
  }
  return s;
}

std::string tzolkinText(const Pattern& p) {
  if (p.tzolkinNumber && p.tzolkinName)
    return std::to_string(*p.tzolkinNumber) + " " +
           std::string(kColonialTzolkinNames[*p.tzolkinName]);
  if (p.tzolkinName)
    return std::string(kColonialTzolkinNames[*p.tzolkinName]);
  return "Tzolkin number " + std::to_string(*p.tzolkinNumber);
}

std::string haabText(const Pattern& p) {
  if (p.haabMonth && p.haabDay)
    return std::to_string(*p.haabDay) + " " +
           std::string(kColonialHaabMonthNames[*p.haabMonth - 1]);
  if (p.haabMonth)
    return std::string(kColonialHaabMonthNames[*p.haabMonth - 1]);
  return "Haab day " + std::to_string(*p.haabDay);
}

std::string bearerText(const Pattern& p) {
  if (p.bearerNumber && p.bearerName)
    return "year bearer " + std::to_string(*p.bearerNumber) + " " +
           std::string(kColonialTzolkinNames[*p.bearerName]);
  if (p.bearerName)
    return "year bearer " + std::string(kColonialTzolkinNames[*p.bearerName]);
  return "year bearer number " + std::to_string(*p.bearerNumber);
}

std::string quoted(const std::string& s) { return "'" + s + "'"; }

std::string lordText(int lord) {
  std::string s(1, 'G');
  s += std::to_string(lord);
  return s;
}

std::string listed(const std::vector<std::string>& items) {
  std::string s;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i != 0)
      s += i + 1 == items.size() ? " and " : ", ";
    s += items[i];
  }
  return s;
}

// The Haab days (in the pattern's numbering) that can fall on Tzolkin name n.
std::string haabDaysMeeting(int name, HaabNumbering numbering) {
  std::vector<std::string> days;
  const int first = numbering == HaabNumbering::Seating0 ? 0 : 1;
  // A day's number and its Haab position agree modulo 5 (months of 20 days,
  // a year of 365), so the number can stand for the position.
  for (int day = first; day < first + kHaabMonthDays; ++day)
    if (canMeet(name, day))
      days.push_back(std::to_string(day));
  return listed(days);
}

std::optional<std::string> rangeError(const Pattern& p) {
  if (p.longCount) {
    const LongCountPattern& lc = *p.longCount;
    if (lc.places < 2 || lc.places > kMaxLongCountPlaces)
      return "a Long Count has 2 to 9 places, not " + std::to_string(lc.places);
    for (int k = 0; k < lc.places; ++k) {
      if (!lc.digits[k])
        continue;
      const int place = placeFromKin(lc.places, k);
      const std::string name(kPlaceNames[place]);
      if (*lc.digits[k] < 0)
        return "a Long Count place is never negative (the " + name + " is " +
               std::to_string(*lc.digits[k]) +
               "); a minus goes before the "
               "whole count";
      if (k == 0) {
        if ((static_cast<i128>(*lc.digits[k]) + 1) * kPlaceValues[place] > kSearchLimit)
          return "a leading " + name + " of " + std::to_string(*lc.digits[k]) +
                 " lies beyond the " + grouped(kSearchLimit) + " days this search reaches";
      } else if (*lc.digits[k] >= placeRadix(place)) {
        return "the " + name + " runs 0 to " + std::to_string(placeRadix(place) - 1) + ", not " +
               std::to_string(*lc.digits[k]);
      }
    }
    const bool allZero = std::all_of(lc.digits.begin(), lc.digits.begin() + lc.places,
                                     [](const auto& d) { return d && *d == 0; });
    if (lc.negative && allZero)
      return quoted(longCountText(lc)) +
             " is no day: the days before 0.0.0.0.0 start at -0.0.0.0.1";
  }
  if (p.tzolkinNumber && (*p.tzolkinNumber < 1 || *p.tzolkinNumber > kTrecena))
    return "the Tzolkin numbers run 1 to 13, not " + std::to_string(*p.tzolkinNumber);
  if (p.tzolkinName && (*p.tzolkinName < 0 || *p.tzolkinName >= kVeintena))
    return "the Tzolkin names are numbered 0 (Ahau) to 19 (Caunac), not " +
           std::to_string(*p.tzolkinName);
  if (p.haabMonth && (*p.haabMonth < 1 || *p.haabMonth > kHaabMonths))
    return "the Haab months are numbered 1 (Pop) to 19 (Uayeb), not " +
           std::to_string(*p.haabMonth);
  if (p.haabDay) {
    const bool seating = p.numbering == HaabNumbering::Seating0;
    const int first = seating ? 0 : 1;
    const std::string how = seating ? "counted from the seating" : "in the window's numbering";
    const int last = first + kHaabMonthDays - 1;
    if (*p.haabDay < first || *p.haabDay > last)
      return "the Haab days run " + std::to_string(first) + " to " + std::to_string(last) + " " +
             how + ", not " + std::to_string(*p.haabDay);
    const int lastOfUayeb = first + kUayebDays - 1;
    if (p.haabMonth == kUayeb && *p.haabDay > lastOfUayeb)
      return "Uayeb has only five days, " + std::to_string(first) + " to " +
             std::to_string(lastOfUayeb) + " " + how + ", not " + std::to_string(*p.haabDay);
  }
  if (p.lord && (*p.lord < 1 || *p.lord > kLordsOfTheNight))
    return "the Lords of the Night run G1 to G9, not " + lordText(*p.lord);
  if (p.bearerNumber && (*p.bearerNumber < 1 || *p.bearerNumber > kTrecena))
    return "a year bearer's number runs 1 to 13, not " + std::to_string(*p.bearerNumber);
  if (p.bearerName) {
    if (*p.bearerName < 0 || *p.bearerName >= kVeintena)
      return "the Tzolkin names are numbered 0 (Ahau) to 19 (Caunac), not " +
             std::to_string(*p.bearerName);
    if (!bearsYears(*p.bearerName))
      return std::string(kColonialTzolkinNames[*p.bearerName]) +
             " never bears a year: every 0 Pop falls on Ik, Manik, Eb or Caban, because a Haab "
             "year of 365 days moves the Tzolkin name on by 5";
  }
  return std::nullopt;
}

// Conflicts that one line of calendar arithmetic explains.
std::optional<std::string> knownConflict(const Pattern& p) {
  std::optional<int> name = p.tzolkinName;
  std::string nameLabel;
  std::string because;
  if (p.longCount) {
    const LongCountPattern& lc = *p.longCount;
    const auto kinName = nameFromKin(lc);
    const std::string lcText = quoted(longCountText(lc));
    const std::string kinWords = kinName ? "a kin of " + std::to_string(*lc.digits[lc.places - 1]) +
                                               (lc.negative ? " before 0.0.0.0.0" : "") +
                                               " always falls on " +
                                               std::string(kColonialTzolkinNames[*kinName])
                                         : "";
    if (kinName && name && *kinName != *name)
      return lcText + " and " + quoted(tzolkinText(p)) + " never fall on the same day: " + kinWords;
    if (kinName && !name) {
      name = kinName;
      nameLabel = lcText;
      because = kinWords + ", and " + std::string(kColonialTzolkinNames[*kinName]) + " ";
    }
    // Fixed places down to the kin from the tun up fix d modulo a multiple
    // of 360, and 360 is a multiple of 9: the Lord of the Night is fixed too.
    const auto block = kinBlock(lc);
    if (block && p.lord && block->modulus % kLordsOfTheNight == 0) {
      const int lord = lordOfTheNight(lc.negative ? -block->residue : block->residue);
      if (lord != *p.lord)
        return lcText + " and " + quoted(lordText(*p.lord)) +
               " never fall on the same day: every day that matches " + lcText + " is under " +
               lordText(lord);
    }
  }
  // The Haab day's number stands for its position, as in haabDaysMeeting.
  if (name && p.haabDay && !canMeet(*name, *p.haabDay)) {
    if (nameLabel.empty()) {
      nameLabel = quoted(tzolkinText(p));
      because = std::string(kColonialTzolkinNames[*name]) + " ";
    }
    return nameLabel + " and " + quoted(haabText(p)) + " never fall on the same day: " + because +
           "meets only the Haab days " + haabDaysMeeting(*name, p.numbering) +
           " (the names and the Haab days both step by one a day, 20 names against 365 days, "
           "so they stay in step modulo 5)";
  }
  return std::nullopt;
}

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

// Preconditions: the pattern passed validation.
bool hasMatch(const Pattern& pattern) {
  const Pattern p = withoutCoarsePlaces(withNameInKin(pattern));
  if (p.longCount && p.longCount->digits[0]) {
    // A leading place that is still fixed bounds a range shorter than the
    // period of the rest: look through it.
    const Plan plan = buildPlan(p);
    return firstRun(plan, plan.range.first, plan.range.last).has_value();
  }
  // Unbounded: the other clues form a lattice modulo a divisor of 170,820
  // (13, 20, 365, 9, 18,980), the Long Count's places a set modulo a number
  // of the form 2^a 3^b 5^c; they share at most a factor dividing 180, which
  // in turn divides 360. By the Chinese remainder theorem a common day
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

enum class Clue { LongCount, Tzolkin, Haab, Lord, Bearer };

bool has(const Pattern& p, Clue c) {
  switch (c) {
  case Clue::LongCount:
    return p.longCount.has_value();
  case Clue::Tzolkin:
    return p.tzolkinNumber || p.tzolkinName;
  case Clue::Haab:
    return p.haabMonth || p.haabDay;
  case Clue::Lord:
    return p.lord.has_value();
  case Clue::Bearer:
    return p.bearerNumber || p.bearerName;
  }
  return false;
}

void drop(Pattern& p, Clue c) {
  switch (c) {
  case Clue::LongCount:
    p.longCount.reset();
    break;
  case Clue::Tzolkin:
    p.tzolkinNumber.reset();
    p.tzolkinName.reset();
    break;
  case Clue::Haab:
    p.haabMonth.reset();
    p.haabDay.reset();
    break;
  case Clue::Lord:
    p.lord.reset();
    break;
  case Clue::Bearer:
    p.bearerNumber.reset();
    p.bearerName.reset();
    break;
  }
}

std::string text(const Pattern& p, Clue c) {
  switch (c) {
  case Clue::LongCount:
    return longCountText(*p.longCount);
  case Clue::Tzolkin:
    return tzolkinText(p);
  case Clue::Haab:
    return haabText(p);
  case Clue::Lord:
    return lordText(*p.lord);
  case Clue::Bearer:
    return bearerText(p);
  }
  return {};
}

// Names a smallest set of clues that still has no common day: each clue is
// left out in turn and stays out when the rest still never meet.
std::string conflictMessage(const Pattern& p) {
  constexpr std::array kClues{Clue::LongCount, Clue::Tzolkin, Clue::Haab, Clue::Lord, Clue::Bearer};
  Pattern core = p;
  for (const Clue c : kClues) {
    if (!has(core, c))
      continue;
    Pattern without = core;
    drop(without, c);
    if (!hasMatch(without))
      core = without;
  }
  std::vector<std::string> names;
  for (const Clue c : kClues)
    if (has(core, c))
      names.push_back(quoted(text(core, c)));
  const Plan plan = buildPlan(core);
  if (names.size() == 1)
    return names.front() + " matches no day";
  const std::string clues = listed(names) + " never fall on the same day: ";
  // A fixed leading place bounds the days, so there is no cycle to speak of.
  if (core.longCount && core.longCount->digits[0])
    return clues + "none of the days " + names.front() + " names has them all";
  return clues + "no day of their common cycle of " + grouped(plan.period) + " days has them all";
}

} // namespace

bool Matcher::matches(std::int64_t day) const noexcept { return planMatches(forward_, day); }

CompileResult compile(const Pattern& pattern) {
  if (auto error = rangeError(pattern))
    return {std::nullopt, std::move(*error)};
  if (auto error = knownConflict(pattern))
    return {std::nullopt, std::move(*error)};
  if (!hasMatch(pattern))
    return {std::nullopt, conflictMessage(pattern)};
  Plan forward = buildPlan(pattern);
  Plan backward = reflect(forward);
  return {MatcherAccess::make(pattern, std::move(forward), std::move(backward)), {}};
}

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
