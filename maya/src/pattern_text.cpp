#include <glyphbox/maya/pattern_text.h>

#include <glyphbox/maya/clues.h>
#include <glyphbox/maya/date_text.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/names.h>

#include "search_internal.h"

#include <glyphbox/runtime/messages.h>

#include <algorithm>
#include <vector>

namespace glyphbox::maya {
namespace {

using i18n::format;
using i18n::N_;
using i18n::tr;

bool isDigits(std::string_view s) noexcept {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// A word of a text and where it starts in it.
struct Word {
  std::string_view text;
  std::size_t offset = 0;
};

std::vector<Word> wordsOf(std::string_view text) {
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
      ++i;
    }
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') {
      ++i;
    }
    if (i > start) {
      words.push_back({text.substr(start, i - start), start});
    }
  }
  return words;
}

// A number of up to four digits, or '*' (nothing); false when neither.
bool numberOrStar(std::string_view w, std::optional<int>& value) {
  if (w == "*") {
    value.reset();
    return true;
  }
  if (!isDigits(w) || w.size() > 4) {
    return false;
  }
  value = std::stoi(std::string(w));
  return true;
}

bool looksLikeLongCountPattern(std::string_view w) {
  if (!w.empty() && w.front() == '-') {
    w.remove_prefix(1);
  }
  return w.find('.') != std::string_view::npos &&
         w.find_first_not_of("0123456789.*") == std::string_view::npos;
}

std::string readLongCountPattern(std::string_view w, maya::LongCountPattern& lc) {
  lc = {};
  if (w.front() == '-') {
    lc.negative = true;
    w.remove_prefix(1);
  }
  std::vector<std::string_view> places;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= w.size(); ++i) {
    if (i == w.size() || w[i] == '.') {
      places.push_back(w.substr(start, i - start));
      start = i + 1;
    }
  }
  if (places.size() < 5 || places.size() > 9) {
    return tr("a Long Count pattern has five to nine places");
  }
  lc.places = static_cast<int>(places.size());
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (places[i] == "*") {
      continue;
    }
    if (!isDigits(places[i]) || places[i].size() > 15) {
      return tr("each place of a Long Count pattern is a number or '*'");
    }
    lc.digits[i] = std::stoll(std::string(places[i]));
  }
  return {};
}

// The quarter a word names, in English or Yucatec, in any letter case.
std::optional<Quarter> quarterOf(std::string_view w) {
  const auto same = [w](std::string_view name) {
    return w.size() == name.size() &&
           std::equal(w.begin(), w.end(), name.begin(),
                      [](char a, char b) { return (a | 0x20) == (b | 0x20); });
  };
  for (int q = 0; q < kQuarters; ++q) {
    if (same(kQuarterNames[q]) || same(kQuarterYucatec[q])) {
      return static_cast<Quarter>(q);
    }
  }
  return std::nullopt;
}

// A word of the user's between single quotes, as messages show it.
std::string quoted(std::string_view word) {
  std::string q(1, '\'');
  q += shown(word);
  q += '\'';
  return q;
}

// The text without the blanks (space, tab, CR) around it.
std::string_view trimmed(std::string_view s) noexcept {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) {
    s.remove_prefix(1);
  }
  while (!s.empty() && blank(s.back())) {
    s.remove_suffix(1);
  }
  return s;
}

} // namespace

namespace {

// What a text of clues stands for: a search pattern, or what a monument
// records for one day (no Long Count, since the day is named apart, and no
// clue twice, since a day has one of each). The words' problems name
// which of the two they are.
enum class ClueText { Pattern, Recorded };

// A clue as it is written: its kind (nothing for a Long Count) and its
// first and last word.
struct CluePlace {
  std::optional<ClueKind> kind;
  std::size_t first = 0;
  std::size_t last = 0;
};

struct WordsReading {
  PatternReading reading;
  std::vector<Word> words;
  std::vector<CluePlace> places;
  std::size_t failedWord = 0; // where a problem was found
};

// Reads the words of text as clues, each in the form readPattern takes.
WordsReading readClueWords(std::string_view text, HaabNumbering numbering, ClueText as) {
  WordsReading out;
  PatternReading& r = out.reading;
  Pattern p;
  p.numbering = numbering;
  out.words = wordsOf(text);
  const std::vector<Word>& words = out.words;
  const bool recorded = as == ClueText::Recorded;
  // A clue given twice: a pattern's words, or a line's that records a day.
  const auto twice = [recorded](const char* pattern, const char* line) {
    return std::string(tr(recorded ? line : pattern));
  };
  if (words.empty()) {
    if (recorded) {
      r.pattern = p;
    } else {
      r.problem = tr("the pattern is empty");
    }
    return out;
  }
  bool haveTzolkin = false;
  bool haveHaab = false;
  std::size_t i = 0;
  const auto fail = [&](std::string problem) {
    r.problem = std::move(problem);
    out.failedWord = i;
    return out;
  };
  const auto found = [&](std::optional<ClueKind> kind, std::size_t first) {
    out.places.push_back({kind, first, i});
  };
  for (; i < words.size(); ++i) {
    const std::size_t first = i;
    const std::string_view w = words[i].text;
    const std::string quotedWord = quoted(w);
    if (looksLikeLongCountPattern(w)) {
      if (recorded) {
        return fail(format(tr("{} is a second day: a line names one day, by a date or a "
                              "distance, and then what the monument records for it"),
                           quotedWord));
      }
      if (p.longCount) {
        return fail(tr("the pattern has two Long Counts"));
      }
      LongCountPattern lc;
      if (std::string problem = readLongCountPattern(w, lc); !problem.empty()) {
        return fail(quotedWord + ": " + problem);
      }
      p.longCount = lc;
      found(std::nullopt, first);
      continue;
    }
    if (w.size() >= 2 && (w[0] | 0x20) == 'g' && isDigits(w.substr(1))) {
      if (recorded && p.lord) {
        return fail(twice(N_("the pattern has two Lords of the Night"),
                          N_("the line records two Lords of the Night")));
      }
      p.lord = w.size() > 4 ? 99 : std::stoi(std::string(w.substr(1)));
      found(ClueKind::Lord, first);
      continue;
    }
    if (equalsIgnoringCase(w, "BEARER") || equalsIgnoringCase(w, "YEAR-BEARER")) {
      std::optional<int> number;
      if (i + 2 >= words.size() || !numberOrStar(words[i + 1].text, number)) {
        return fail(tr("'bearer' is followed by a Tzolkin date, such as bearer 8 Ik"));
      }
      if (recorded && (p.bearerNumber || p.bearerName)) {
        return fail(
            twice(N_("the pattern has two year bearers"), N_("the line records two year bearers")));
      }
      p.bearerNumber = number;
      if (words[i + 2].text != "*") {
        const auto name = parseTzolkinName(words[i + 2].text);
        if (!name) {
          i += 2;
          return fail(format(tr("{} is not a Tzolkin day name"), quoted(words[i].text)));
        }
        p.bearerName = *name;
      }
      i += 2;
      found(ClueKind::Bearer, first);
      continue;
    }
    // The 819-day count: 819 and a quarter (819 South), or the days after
    // the station (819+20). A number before a quarter is never a Tzolkin or
    // Haab date, so 819 South cannot be read as one.
    if (w == "819" && i + 1 < words.size()) {
      if (const auto quarter = quarterOf(words[i + 1].text)) {
        if (p.stationQuarter) {
          return fail(twice(N_("the pattern has two quarters of the 819-day count"),
                            N_("the line records two quarters of the 819-day count")));
        }
        p.stationQuarter = *quarter;
        ++i;
        found(ClueKind::Quarter819, first);
        continue;
      }
    }
    if (w.substr(0, 4) == "819+") {
      std::string_view days = w.substr(4);
      if (!isDigits(days)) {
        return fail(quotedWord + ": " +
                    tr("the days after a station are a number, such as 819+20"));
      }
      if (p.daysAfterStation) {
        return fail(twice(N_("the pattern has two counts of days after a station"),
                          N_("the line records two counts of days after a station")));
      }
      days.remove_prefix(std::min(days.find_first_not_of('0'), days.size() - 1));
      // compile() says why a number that fits is out of range; one too long
      // for an int is told here in the same words.
      if (days.size() > 9) {
        return fail(quotedWord + ": " + tr("a day lies 0 to 818 days after its station"));
      }
      p.daysAfterStation = std::stoi(std::string(days));
      found(ClueKind::Since819, first);
      continue;
    }
    std::optional<int> number;
    std::string_view name;
    if (numberOrStar(w, number)) {
      if (i + 1 >= words.size()) {
        return fail(format(tr("{} needs a day name or a month after it, or '*'"), quotedWord));
      }
      name = words[++i].text;
    } else if (parseTzolkinName(w) || parseHaabMonth(w)) {
      name = w; // a name alone: any number or day with it
    } else if (recorded) {
      return fail(format(tr("{} is no clue; what a monument records for a day is a Tzolkin "
                            "date (8 Ahau), a Haab date (18 Zec), a Lord (G9), bearer 8 Ik, 819 "
                            "South or 819+20"),
                         quotedWord));
    } else {
      return fail(format(tr("{} is not part of a pattern; use a Long Count such as 9.*.*.*.0, a "
                            "Tzolkin date (8 Ahau), a Haab date (13 Pop), a Lord (G9) or bearer "
                            "8 Ik"),
                         quotedWord));
    }
    const auto tzolkin = parseTzolkinName(name);
    const auto haab = parseHaabMonth(name);
    bool isTzolkin = false;
    if (name == "*") {
      isTzolkin = !haveTzolkin && (!number || (*number >= 1 && *number <= 13));
    } else if (tzolkin) {
      isTzolkin = true;
    } else if (!haab) {
      return fail(format(tr("{} is neither a Tzolkin day name nor a Haab month"), quoted(name)));
    }
    if (isTzolkin) {
      if (haveTzolkin) {
        return fail(twice(N_("the pattern has two Tzolkin dates"),
                          N_("the line records two Tzolkin dates")));
      }
      haveTzolkin = true;
      p.tzolkinNumber = number;
      if (tzolkin) {
        p.tzolkinName = *tzolkin;
      }
      found(ClueKind::Tzolkin, first);
    } else {
      if (haveHaab) {
        return fail(
            twice(N_("the pattern has two Haab dates"), N_("the line records two Haab dates")));
      }
      haveHaab = true;
      p.haabDay = number;
      if (haab) {
        p.haabMonth = *haab;
      }
      found(ClueKind::Haab, first);
    }
  }
  r.pattern = p;
  return out;
}

} // namespace

PatternReading readPattern(std::string_view text, HaabNumbering numbering) {
  return readClueWords(text, numbering, ClueText::Pattern).reading;
}

RecordedClues readRecordedClues(std::string_view text, HaabNumbering numbering) {
  WordsReading read = readClueWords(text, numbering, ClueText::Recorded);
  RecordedClues r;
  if (!read.reading.pattern) {
    r.problem = std::move(read.reading.problem);
    const Word& at = read.words[std::min(read.failedWord, read.words.size() - 1)];
    r.problemOffset = at.offset;
    r.problemLength = at.text.size();
    return r;
  }
  r.pattern = *read.reading.pattern;
  for (const CluePlace& place : read.places) {
    const Word& first = read.words[place.first];
    const Word& last = read.words[place.last];
    r.clues.push_back(
        {*place.kind, first.offset, last.offset + last.text.size() - first.offset, {}});
    r.clues.back().pattern = clueOf(r.pattern, *place.kind);
  }
  return r;
}

DistanceReading readDistance(std::string_view text) {
  DistanceReading r;
  std::string_view s = trimmed(text);
  if (!s.empty() && (s.back() == 'd' || s.back() == 'D')) {
    s.remove_suffix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
      negative = s.front() == '-';
      s.remove_prefix(1);
    }
    if (!isDigits(s) || s.size() > 15) {
      r.problem = tr("a distance in days is a whole number followed by d, such as -823d");
      return r;
    }
    const std::int64_t days = std::stoll(std::string(s));
    r.days = negative ? -days : days;
    return r;
  }
  const ParsedLongCount lc = parseLongCountDistance(s);
  if (!lc) {
    // A bare number has one place: say what it lacks rather than count places.
    r.problem = format(tr("{}; a distance is written largest place first, such as +2.5.3, or in "
                          "days, such as -823d"),
                       lc.error == LongCountError::TooFewPlaces
                           ? std::string(tr("a number alone is no distance"))
                           : longCountErrorMessage(lc));
    return r;
  }
  r.days = lc.days;
  return r;
}

std::string distanceText(std::int64_t days) {
  char text[kMaxLongCountText + 2];
  char* end = writeLongCountDistance(text, days);
  std::string s(text, end);
  return days > 0 ? "+" + s : s;
}

namespace {

// The clues of `p` that day d does not have, each named with what d has
// instead (and, for the Haab, what the day 13 baktuns earlier has: the one
// clue in which the two readings of a Long Count differ).
std::string disagreements(const Pattern& p, std::string_view longCount, std::int64_t d) {
  using namespace search_detail;
  char text[kMaxCalendarRoundText];
  std::string out;
  const auto add = [&](const std::string& clue, std::string_view instead) {
    out += out.empty() ? "" : "; ";
    out += format(tr("{} disagrees with {}, which falls on {}"), quoted(clue), longCount, instead);
  };
  const Tzolkin tz = tzolkinOf(d);
  if ((p.tzolkinNumber && *p.tzolkinNumber != tz.number) ||
      (p.tzolkinName && *p.tzolkinName != tz.name)) {
    add(tzolkinText(p), std::string_view(text, writeTzolkin(text, tz, Spelling::Colonial)));
  }
  const Haab haab = haabOf(d, p.numbering);
  if ((p.haabMonth && *p.haabMonth != haab.month) || (p.haabDay && *p.haabDay != haab.day)) {
    const Haab earlier = haabOf(d - kGreatCycle, p.numbering);
    const std::string onDay(text, writeHaab(text, haab, Spelling::Colonial));
    add(haabText(p), format(tr("{}, and 13 baktuns earlier on {}"), onDay,
                            std::string_view(text, writeHaab(text, earlier, Spelling::Colonial))));
  }
  if (p.lord && *p.lord != lordOfTheNight(d)) {
    add(lordText(*p.lord), lordText(lordOfTheNight(d)));
  }
  const Tzolkin bearer = yearBearerOf(d);
  if ((p.bearerNumber && *p.bearerNumber != bearer.number) ||
      (p.bearerName && *p.bearerName != bearer.name)) {
    add(bearerText(p),
        format(tr("year bearer {}"),
               std::string_view(text, writeTzolkin(text, bearer, Spelling::Colonial))));
  }
  const Station819 station = station819Of(d);
  const std::string stationWords = format(tr("a day {} days after a station in the {}"),
                                          station.since, quarterWords(station.quarter));
  if (p.daysAfterStation && *p.daysAfterStation != station.since) {
    add(daysAfterStationText(*p.daysAfterStation), stationWords);
  }
  if (p.stationQuarter && *p.stationQuarter != station.quarter) {
    add(quarterText(*p.stationQuarter), stationWords);
  }
  return out;
}

} // namespace

InscriptionDate readInscriptionDate(std::string_view text, HaabNumbering numbering) {
  InscriptionDate r;
  const std::string_view s = trimmed(text);
  const std::size_t blank = std::min(s.find_first_of(" \t"), s.size());
  const std::string_view longCount = s.substr(0, blank);
  const ParsedLongCount lc = parseLongCount(longCount);
  if (!lc) {
    r.problem = longCountErrorMessage(lc);
    return r;
  }
  if (lc.places < kDatePlaces) {
    r.problem = tr("a Long Count of fewer than five places is a distance, not a date");
    return r;
  }
  const PatternReading clues = readPattern(s.substr(blank), numbering);
  if (!clues.pattern) {
    r.problem = clues.problem;
    return r;
  }
  if (clues.pattern->longCount) {
    r.problem = tr("a date has one Long Count");
    return r;
  }
  const CompileResult compiled = compile(*clues.pattern);
  if (!compiled.ok()) {
    r.problem = compiled.refusal;
    return r;
  }
  if (compiled.matcher->matches(lc.days)) {
    r.days = lc.days;
  } else if (lc.days >= 0 && compiled.matcher->matches(lc.days - kGreatCycle)) {
    r.days = lc.days - kGreatCycle;
    r.eraBefore = true;
  } else {
    r.problem = disagreements(*clues.pattern, longCount, lc.days);
  }
  return r;
}

namespace {

// The day of the era before 0.0.0.0.0 that a whole Long Count with clues
// names when the clues never meet it at face value, if they meet it there.
std::optional<std::int64_t> eraBeforeDay(const Pattern& p, std::string_view words,
                                         HaabNumbering numbering) {
  const auto& lc = p.longCount;
  if (!lc || lc->negative || lc->places < kDatePlaces ||
      !std::all_of(lc->digits.begin(), lc->digits.begin() + lc->places,
                   [](const auto& place) { return place.has_value(); })) {
    return std::nullopt;
  }
  // The Long Count first, as an inscription writes it, then the clues.
  std::string longCount;
  std::string clues;
  for (const Word& word : wordsOf(words)) {
    (longCount.empty() && word.text.find('.') != std::string_view::npos ? longCount : clues) +=
        std::string(word.text) + " ";
  }
  const InscriptionDate date = readInscriptionDate(longCount + clues, numbering);
  return date.eraBefore ? date.days : std::nullopt;
}

} // namespace

SearchPattern readSearchPattern(std::string_view words, HaabNumbering numbering) {
  SearchPattern r;
  PatternReading reading = readPattern(words, numbering);
  if (!reading.pattern) {
    r.problem = std::move(reading.problem);
    return r;
  }
  r.pattern = *reading.pattern;
  CompileResult compiled = compile(r.pattern);
  if (!compiled.ok()) {
    r.eraBefore = eraBeforeDay(r.pattern, words, numbering);
  }
  if (r.eraBefore) {
    // The Long Count of that day in place of the one written.
    const LongCountPlaces places = splitLongCount(*r.eraBefore, kDatePlaces);
    r.pattern.longCount = LongCountPattern{places.negative, kDatePlaces, {}};
    for (std::size_t k = 0; k < static_cast<std::size_t>(kDatePlaces); ++k) {
      r.pattern.longCount->digits[k] = places.value[k];
    }
    compiled = compile(r.pattern);
  }
  if (!compiled.ok()) {
    r.problem = std::move(compiled.refusal);
    return r;
  }
  r.matcher = std::move(compiled.matcher);
  return r;
}

char* writeShown(char* out, std::string_view text) noexcept {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::size_t shownBytes = std::min(text.size(), kShownBytes);
  for (std::size_t i = 0; i < shownBytes; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      *out++ = static_cast<char>(c);
    } else {
      *out++ = '\\';
      *out++ = 'x';
      *out++ = kHex[c >> 4];
      *out++ = kHex[c & 0xF];
    }
  }
  if (text.size() > kShownBytes) {
    out = std::copy_n("...", 3, out);
  }
  return out;
}

std::string shown(std::string_view text) {
  char buffer[kMaxShownText];
  return std::string(buffer, writeShown(buffer, text));
}

} // namespace glyphbox::maya
