#include "search_internal.h"

#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/names.h>
#include <glyphbox/runtime/messages.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Compiling a pattern: every value is checked against its range, then the
// clues against each other; a pattern that can never match is refused with
// the calendar fact that rules it out, in words for the user, and the
// command-line tool prints those words as they are.

namespace glyphbox::maya {
namespace {

using namespace search_detail;
using i18n::format;
using i18n::tr;
using i18n::trc;

// ---- Telling the user what is wrong ----

// v with its digits in groups of three, as the user's language writes them: 18,980.
std::string grouped(i64 v) {
  std::string digits = std::to_string(v < 0 ? -v : v);
  const std::string_view separator = trc("digit group separator", ",");
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0)
      out += separator;
    out += digits[i];
  }
  return v < 0 ? "-" + out : out;
}

std::string longCountText(const LongCountPattern& lc) {
  std::string s = lc.negative ? "-" : "";
  for (int k = 0; k < lc.places; ++k) {
    if (k != 0)
      s += '.';
    s += lc.digits[k] ? std::to_string(*lc.digits[k]) : "*";
  }
  return s;
}

std::string quoted(const std::string& s) { return "'" + s + "'"; }

std::string listed(const std::vector<std::string>& items) {
  std::string s;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i != 0)
      s += i + 1 == items.size() ? trc("last in a list", " and ") : trc("in a list", ", ");
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
      return format(tr("a Long Count has 2 to 9 places, not {}"), lc.places);
    for (int k = 0; k < lc.places; ++k) {
      if (!lc.digits[k])
        continue;
      const int place = placeFromKin(lc.places, k);
      const std::string name(kPlaceNames[place]);
      if (*lc.digits[k] < 0)
        return format(tr("a Long Count place is never negative (the {} is {}); a minus goes "
                         "before the whole count"),
                      name, *lc.digits[k]);
      if (k == 0) {
        if ((static_cast<i128>(*lc.digits[k]) + 1) * kPlaceValues[place] > kSearchLimit)
          return format(tr("a leading {} of {} lies beyond the {} days this search reaches"), name,
                        *lc.digits[k], grouped(kSearchLimit));
      } else if (*lc.digits[k] >= placeRadix(place)) {
        return format(tr("the {} runs 0 to {}, not {}"), name, placeRadix(place) - 1,
                      *lc.digits[k]);
      }
    }
    const bool allZero = std::all_of(lc.digits.begin(), lc.digits.begin() + lc.places,
                                     [](const auto& d) { return d && *d == 0; });
    if (lc.negative && allZero)
      return format(tr("{} is no day: the days before 0.0.0.0.0 start at -0.0.0.0.1"),
                    quoted(longCountText(lc)));
  }
  if (p.tzolkinNumber && (*p.tzolkinNumber < 1 || *p.tzolkinNumber > kTrecena))
    return format(tr("the Tzolkin numbers run 1 to 13, not {}"), *p.tzolkinNumber);
  if (p.tzolkinName && (*p.tzolkinName < 0 || *p.tzolkinName >= kVeintena))
    return format(tr("the Tzolkin names are numbered 0 (Ahau) to 19 (Caunac), not {}"),
                  *p.tzolkinName);
  if (p.haabMonth && (*p.haabMonth < 1 || *p.haabMonth > kHaabMonths))
    return format(tr("the Haab months are numbered 1 (Pop) to 19 (Uayeb), not {}"), *p.haabMonth);
  if (p.haabDay) {
    const bool seating = p.numbering == HaabNumbering::Seating0;
    const int first = seating ? 0 : 1;
    const int last = first + kHaabMonthDays - 1;
    if (*p.haabDay < first || *p.haabDay > last)
      return format(seating ? tr("the Haab days run {} to {} counted from the seating, not {}")
                            : tr("the Haab days run {} to {} in the window's numbering, not {}"),
                    first, last, *p.haabDay);
    const int lastOfUayeb = first + kUayebDays - 1;
    if (p.haabMonth == kUayeb && *p.haabDay > lastOfUayeb)
      return format(
          seating ? tr("Uayeb has only five days, {} to {} counted from the seating, not {}")
                  : tr("Uayeb has only five days, {} to {} in the window's numbering, not {}"),
          first, lastOfUayeb, *p.haabDay);
  }
  if (p.lord && (*p.lord < 1 || *p.lord > kLordsOfTheNight))
    return format(tr("the Lords of the Night run G1 to G9, not {}"), lordText(*p.lord));
  if (p.bearerNumber && (*p.bearerNumber < 1 || *p.bearerNumber > kTrecena))
    return format(tr("a year bearer's number runs 1 to 13, not {}"), *p.bearerNumber);
  if (p.bearerName) {
    if (*p.bearerName < 0 || *p.bearerName >= kVeintena)
      return format(tr("the Tzolkin names are numbered 0 (Ahau) to 19 (Caunac), not {}"),
                    *p.bearerName);
    if (!bearsYears(*p.bearerName))
      return format(tr("{} never bears a year: every 0 Pop falls on Ik, Manik, Eb or Caban, "
                       "because a Haab year of 365 days moves the Tzolkin name on by 5"),
                    kColonialTzolkinNames[*p.bearerName]);
  }
  if (p.stationQuarter) {
    const int q = static_cast<int>(*p.stationQuarter);
    if (q < 0 || q >= kQuarters)
      return format(tr("the quarters of the 819-day count are East, South, West and North, not {}"),
                    q);
  }
  if (p.daysAfterStation && (*p.daysAfterStation < 0 || *p.daysAfterStation >= kStationDays))
    return format(tr("{}: a day lies 0 to {} days after its station, not {}"),
                  daysAfterStationText(*p.daysAfterStation), kStationDays - 1, *p.daysAfterStation);
  return std::nullopt;
}

// Stations fall every 819 days, and 819 = 7 x 9 x 13: every station falls on
// the same Tzolkin number and under the same Lord of the Night, so a day n
// days after a station has both fixed, whichever station it follows.
std::optional<std::string> stationConflict(const Pattern& p) {
  if (!p.daysAfterStation)
    return std::nullopt;
  const int n = *p.daysAfterStation;
  const i64 station = -kStationBaseOffset; // the station of the base; any other does as well
  const std::string label = quoted(daysAfterStationText(n));
  const int number = tzolkinOf(station + n).number;
  if (p.tzolkinNumber && *p.tzolkinNumber != number)
    return format(tr("{} and {} never fall on the same day: a day {} days after a station is "
                     "always numbered {} in the Tzolkin, because every station falls on a day "
                     "numbered {} (13 divides 819)"),
                  label, quoted(tzolkinText(p)), n, number, tzolkinOf(station).number);
  const int lord = lordOfTheNight(station + n);
  const std::string underLord =
      format(tr("a day {} days after a station is always under {}, because every station falls "
                "under {} (9 divides 819)"),
             n, lordText(lord), lordText(lordOfTheNight(station)));
  if (p.lord && *p.lord != lord)
    return format(tr("{} and {} never fall on the same day: {}"), label, quoted(lordText(*p.lord)),
                  underLord);
  // Fixed places down to the kin from the uinal up fix the Lord as well (as
  // in knownConflict).
  if (p.longCount && !p.lord) {
    const LongCountPattern& lc = *p.longCount;
    const auto block = kinBlock(lc);
    if (block && block->modulus % kLordsOfTheNight == 0) {
      const int lcLord = lordOfTheNight(lc.negative ? -block->residue : block->residue);
      const std::string lcText = quoted(longCountText(lc));
      if (lcLord != lord)
        return format(tr("{0} and {1} never fall on the same day: every day that matches {0} is "
                         "under {2}, and {3}"),
                      lcText, label, lordText(lcLord), underLord);
    }
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
    const std::string kinWords =
        !kinName      ? std::string()
        : lc.negative ? format(tr("a kin of {} before 0.0.0.0.0 always falls on {}"),
                               *lc.digits[lc.places - 1], kColonialTzolkinNames[*kinName])
                      : format(tr("a kin of {} always falls on {}"), *lc.digits[lc.places - 1],
                               kColonialTzolkinNames[*kinName]);
    if (kinName && name && *kinName != *name)
      return format(tr("{} and {} never fall on the same day: {}"), lcText, quoted(tzolkinText(p)),
                    kinWords);
    if (kinName && !name) {
      name = kinName;
      nameLabel = lcText;
      because = kinWords;
    }
    // Fixed places down to the kin from the tun up fix d modulo a multiple
    // of 360, and 360 is a multiple of 9: the Lord of the Night is fixed too.
    const auto block = kinBlock(lc);
    if (block && p.lord && block->modulus % kLordsOfTheNight == 0) {
      const int lord = lordOfTheNight(lc.negative ? -block->residue : block->residue);
      if (lord != *p.lord)
        return format(tr("{0} and {1} never fall on the same day: every day that matches {0} is "
                         "under {2}"),
                      lcText, quoted(lordText(*p.lord)), lordText(lord));
    }
  }
  // The Haab day's number stands for its position, as in haabDaysMeeting.
  if (name && p.haabDay && !canMeet(*name, *p.haabDay)) {
    const std::string meets =
        format(tr("{} meets only the Haab days {} (the names and the Haab days both step by one "
                  "a day, 20 names against 365 days, so they stay in step modulo 5)"),
               kColonialTzolkinNames[*name], haabDaysMeeting(*name, p.numbering));
    if (nameLabel.empty()) {
      return format(tr("{} and {} never fall on the same day: {}"), quoted(tzolkinText(p)),
                    quoted(haabText(p)), meets);
    }
    return format(tr("{} and {} never fall on the same day: {}, and {}"), nameLabel,
                  quoted(haabText(p)), because, meets);
  }
  return stationConflict(p);
}

enum class Clue { LongCount, Tzolkin, Haab, Lord, Bearer, DaysAfterStation, Quarter };

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
  case Clue::DaysAfterStation:
    return p.daysAfterStation.has_value();
  case Clue::Quarter:
    return p.stationQuarter.has_value();
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
  case Clue::DaysAfterStation:
    p.daysAfterStation.reset();
    break;
  case Clue::Quarter:
    p.stationQuarter.reset();
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
  case Clue::DaysAfterStation:
    return daysAfterStationText(*p.daysAfterStation);
  case Clue::Quarter:
    return quarterText(*p.stationQuarter);
  }
  return {};
}

// Names a smallest set of clues that still has no common day: each clue is
// left out in turn and stays out when the rest still never meet.
std::string conflictMessage(const Pattern& p) {
  constexpr std::array kClues{Clue::LongCount, Clue::Tzolkin,          Clue::Haab,   Clue::Lord,
                              Clue::Bearer,    Clue::DaysAfterStation, Clue::Quarter};
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
    return format(tr("{} matches no day"), names.front());
  // A fixed leading place bounds the days, so there is no cycle to speak of.
  if (core.longCount && core.longCount->digits[0])
    return format(tr("{0} never fall on the same day: none of the days {1} names has them all"),
                  listed(names), names.front());
  return format(tr("{} never fall on the same day: no day of their common cycle of {} days has "
                   "them all"),
                listed(names), grouped(plan.period));
}

} // namespace

namespace search_detail {

std::string tzolkinText(const Pattern& p) {
  if (p.tzolkinNumber && p.tzolkinName)
    return std::to_string(*p.tzolkinNumber) + " " +
           std::string(kColonialTzolkinNames[*p.tzolkinName]);
  if (p.tzolkinName)
    return std::string(kColonialTzolkinNames[*p.tzolkinName]);
  return format(tr("Tzolkin number {}"), *p.tzolkinNumber);
}

std::string haabText(const Pattern& p) {
  if (p.haabMonth && p.haabDay)
    return std::to_string(*p.haabDay) + " " +
           std::string(kColonialHaabMonthNames[*p.haabMonth - 1]);
  if (p.haabMonth)
    return std::string(kColonialHaabMonthNames[*p.haabMonth - 1]);
  return format(tr("Haab day {}"), *p.haabDay);
}

std::string bearerText(const Pattern& p) {
  if (p.bearerNumber && p.bearerName)
    return format(tr("year bearer {} {}"), *p.bearerNumber, kColonialTzolkinNames[*p.bearerName]);
  if (p.bearerName)
    return format(tr("year bearer {}"), kColonialTzolkinNames[*p.bearerName]);
  return format(tr("year bearer number {}"), *p.bearerNumber);
}

std::string lordText(int lord) {
  std::string s(1, 'G');
  s += std::to_string(lord);
  return s;
}

std::string quarterText(Quarter quarter) {
  return std::to_string(kStationDays) + " " + std::string(quarterName(quarter));
}

std::string quarterWords(Quarter quarter) {
  // The sentences' words for the quarters; the table in count819.h keeps
  // the English ones that the rows write.
  static constexpr std::array<const char*, kQuarters> kWords = {
      i18n::N_("East"), i18n::N_("South"), i18n::N_("West"), i18n::N_("North")};
  return tr(kWords[static_cast<std::size_t>(quarter)]);
}

std::string daysAfterStationText(int days) {
  return std::to_string(kStationDays) + "+" + std::to_string(days);
}

} // namespace search_detail

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

} // namespace glyphbox::maya
