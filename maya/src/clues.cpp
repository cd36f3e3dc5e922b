#include <glyphbox/maya/clues.h>

#include <glyphbox/maya/count819.h>
#include <glyphbox/maya/long_count.h>

#include <algorithm>

namespace glyphbox::maya {

// The clues of the 819-day count are written with the count's length.
static_assert(kStationDays == 819);

std::string_view clueKindName(ClueKind kind) noexcept {
  switch (kind) {
  case ClueKind::Tzolkin:
    return "tzolkin";
  case ClueKind::Haab:
    return "haab";
  case ClueKind::Lord:
    return "lord";
  case ClueKind::Bearer:
    return "bearer";
  case ClueKind::Quarter819:
    return "819_quarter";
  case ClueKind::Since819:
    return "819_since";
  }
  return "";
}

Pattern clueOf(const Pattern& pattern, ClueKind kind) noexcept {
  Pattern one;
  one.numbering = pattern.numbering;
  switch (kind) {
  case ClueKind::Tzolkin:
    one.tzolkinNumber = pattern.tzolkinNumber;
    one.tzolkinName = pattern.tzolkinName;
    break;
  case ClueKind::Haab:
    one.haabDay = pattern.haabDay;
    one.haabMonth = pattern.haabMonth;
    break;
  case ClueKind::Lord:
    one.lord = pattern.lord;
    break;
  case ClueKind::Bearer:
    one.bearerNumber = pattern.bearerNumber;
    one.bearerName = pattern.bearerName;
    break;
  case ClueKind::Quarter819:
    one.stationQuarter = pattern.stationQuarter;
    break;
  case ClueKind::Since819:
    one.daysAfterStation = pattern.daysAfterStation;
    break;
  }
  return one;
}

bool hasEveryClue(const Pattern& p, std::int64_t d) noexcept {
  // Each value against the day's own; a value out of range never equals one.
  const auto differs = [](const std::optional<int>& clue, int value) {
    return clue && *clue != value;
  };
  if (p.longCount) {
    const LongCountPattern& lc = *p.longCount;
    if (lc.places < 2 || lc.places > kMaxPlaces || lc.negative != (d < 0) || d == INT64_MIN) {
      return false;
    }
    const LongCountPlaces places = splitLongCount(d, lc.places);
    for (int k = 0; k < lc.places; ++k) {
      const auto at = static_cast<std::size_t>(k);
      if (lc.digits[at] && *lc.digits[at] != places.value[at]) {
        return false;
      }
    }
  }
  const Tzolkin tzolkin = tzolkinOf(d);
  const Haab haab = haabOf(d, p.numbering);
  const Tzolkin bearer = yearBearerOf(d);
  const Station819 station = station819Of(d);
  return !differs(p.tzolkinNumber, tzolkin.number) && !differs(p.tzolkinName, tzolkin.name) &&
         !differs(p.haabMonth, haab.month) && !differs(p.haabDay, haab.day) &&
         !differs(p.lord, lordOfTheNight(d)) && !differs(p.bearerNumber, bearer.number) &&
         !differs(p.bearerName, bearer.name) &&
         !(p.stationQuarter && *p.stationQuarter != station.quarter) &&
         !differs(p.daysAfterStation, station.since);
}

std::string clueValueText(ClueKind kind, std::int64_t d, Spelling spelling,
                          HaabNumbering numbering) {
  char text[kMaxClueValueText];
  char* end = text;
  const auto put = [&end](std::string_view s) { end = std::copy(s.begin(), s.end(), end); };
  switch (kind) {
  case ClueKind::Tzolkin:
    end = writeTzolkin(text, tzolkinOf(d), spelling);
    break;
  case ClueKind::Haab:
    end = writeHaab(text, haabOf(d, numbering), spelling);
    break;
  case ClueKind::Lord:
    put("G");
    *end++ = static_cast<char>('0' + lordOfTheNight(d));
    break;
  case ClueKind::Bearer:
    put("bearer ");
    end = writeTzolkin(end, yearBearerOf(d), spelling);
    break;
  case ClueKind::Quarter819:
    put("819 ");
    put(quarterName(station819Of(d).quarter));
    break;
  case ClueKind::Since819:
    put("819+");
    put(std::to_string(station819Of(d).since));
    break;
  }
  return {text, end};
}

LongCountReading readLongCountWithClues(std::int64_t faceValue,
                                        const std::vector<RecordedClue>& clues) {
  const auto agreeing = [&](std::int64_t d) {
    return std::count_if(clues.begin(), clues.end(),
                         [d](const RecordedClue& c) { return hasEveryClue(c.pattern, d); });
  };
  const std::int64_t earlier = faceValue - kGreatCycle;
  if (faceValue >= 0 && agreeing(earlier) > agreeing(faceValue)) {
    return {earlier, true};
  }
  return {faceValue, false};
}

NearestDays nearestAgreeing(const Pattern& pattern, std::int64_t d) {
  NearestDays nearest;
  const CompileResult compiled = compile(pattern);
  if (!compiled.ok()) {
    nearest.refusal = compiled.refusal;
    return nearest;
  }
  if (const auto before = d > -kSearchLimit ? prev(*compiled.matcher, d - 1) : std::nullopt) {
    nearest.days.push_back(*before);
  }
  if (const auto after = d < kSearchLimit ? next(*compiled.matcher, d + 1) : std::nullopt) {
    nearest.days.push_back(*after);
  }
  return nearest;
}

} // namespace glyphbox::maya
