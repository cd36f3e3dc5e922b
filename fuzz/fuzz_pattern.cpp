// Fuzzes the search patterns: any text is read by readPattern, and what it
// reads is compiled. A refusal must say why; an accepted pattern must agree,
// day by day over a few short windows, with the clues checked one by one
// through the calendars' own functions, and its walks, counts and steps
// (forEachMatch, count, next, prev) must agree with matches().

#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/count819.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/maya/search.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

namespace {

using namespace glyphbox::maya;

// Every clue of the pattern, checked on day d without the search's plan.
bool hasEveryClue(const Pattern& p, std::int64_t d) {
  if (d < -kSearchLimit || d > kSearchLimit) // never searched
    return false;
  if (p.longCount) {
    const LongCountPattern& lc = *p.longCount;
    const LongCountPlaces places = splitLongCount(d, lc.places);
    if (lc.negative != (d < 0))
      return false;
    for (int k = 0; k < lc.places; ++k)
      if (lc.digits[k] && *lc.digits[k] != places.value[k])
        return false;
  }
  const Tzolkin tz = tzolkinOf(d);
  if ((p.tzolkinNumber && *p.tzolkinNumber != tz.number) ||
      (p.tzolkinName && *p.tzolkinName != tz.name))
    return false;
  const Haab haab = haabOf(d, p.numbering);
  if ((p.haabMonth && *p.haabMonth != haab.month) || (p.haabDay && *p.haabDay != haab.day))
    return false;
  if (p.lord && *p.lord != lordOfTheNight(d))
    return false;
  const Tzolkin bearer = yearBearerOf(d);
  if ((p.bearerNumber && *p.bearerNumber != bearer.number) ||
      (p.bearerName && *p.bearerName != bearer.name))
    return false;
  const Station819 station = station819Of(d);
  if ((p.stationQuarter && *p.stationQuarter != station.quarter) ||
      (p.daysAfterStation && *p.daysAfterStation != station.since))
    return false;
  return true;
}

// A window of days: matches() against the clues, and the queries against matches().
void checkWindow(const Pattern& p, const Matcher& m, std::int64_t first) {
  constexpr std::int64_t kDays = 48;
  const std::int64_t last = first + kDays - 1;
  std::vector<std::int64_t> expected;
  for (std::int64_t d = first; d <= last; ++d) {
    const bool matches = m.matches(d);
    if (matches != hasEveryClue(p, d))
      std::abort();
    if (matches)
      expected.push_back(d);
  }
  std::vector<std::int64_t> listed;
  forEachMatch(m, {first, last}, [&listed](std::int64_t d) {
    listed.push_back(d);
    return true;
  });
  if (listed != expected || count(m, {first, last}) != static_cast<std::int64_t>(expected.size()))
    std::abort();
  const std::optional<std::int64_t> after = next(m, first);
  const std::optional<std::int64_t> upTo = prev(m, last);
  if (!expected.empty()) {
    if (after != expected.front() || upTo != expected.back())
      std::abort();
    return;
  }
  if ((after && (*after <= last || !m.matches(*after))) ||
      (upTo && (*upTo >= first || !m.matches(*upTo))))
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // Both numberings of the Haab days, by the parity of the length.
  const HaabNumbering numbering = size % 2 == 0 ? HaabNumbering::Seating0 : HaabNumbering::Window1;
  const PatternReading reading = readPattern(text, numbering);
  if (!reading.pattern) {
    if (reading.problem.empty())
      std::abort();
    return 0;
  }
  const CompileResult compiled = compile(*reading.pattern);
  if (!compiled.ok()) {
    if (compiled.refusal.empty())
      std::abort();
    return 0;
  }
  const Pattern& p = *reading.pattern;
  const Matcher& m = *compiled.matcher;
  // Around 0.0.0.0.0, at both ends of the pattern's own range, and at a day
  // the text chooses, within a few thousand years either side.
  std::uint64_t hash = 14'695'981'039'346'656'037u;
  for (const std::uint8_t byte : text)
    hash = (hash ^ byte) * 1'099'511'628'211u;
  const DayRange range = searchRange(p);
  for (const std::int64_t first : {std::int64_t{-24}, range.first - 24, range.last - 24,
                                   static_cast<std::int64_t>(hash % 4'000'000) - 2'000'000})
    checkWindow(p, m, first);
  return 0;
}
