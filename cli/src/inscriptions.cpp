#include <glyphbox/cli/inscriptions.h>

#include <glyphbox/cli/converter.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/names.h>

#include <cstdio>

#include "text.h"

namespace glyphbox::cli {
namespace {

using text::lower;
bool isDigits(std::string_view s) noexcept {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

std::vector<std::string_view> wordsOf(std::string_view text) {
  std::vector<std::string_view> words;
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
      words.push_back(text.substr(start, i - start));
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
    return "a Long Count pattern has five to nine places";
  }
  lc.places = static_cast<int>(places.size());
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (places[i] == "*") {
      continue;
    }
    if (!isDigits(places[i]) || places[i].size() > 15) {
      return "each place of a Long Count pattern is a number or '*'";
    }
    lc.digits[i] = std::stoll(std::string(places[i]));
  }
  return {};
}

} // namespace

PatternReading readPattern(std::string_view text, maya::HaabNumbering numbering) {
  PatternReading r;
  maya::Pattern p;
  p.numbering = numbering;
  const std::vector<std::string_view> words = wordsOf(text);
  if (words.empty()) {
    r.problem = "the pattern is empty";
    return r;
  }
  bool haveTzolkin = false;
  bool haveHaab = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string_view w = words[i];
    const std::string quoted = "'" + printable(w) + "'";
    if (looksLikeLongCountPattern(w)) {
      if (p.longCount) {
        r.problem = "the pattern has two Long Counts";
        return r;
      }
      maya::LongCountPattern lc;
      if (std::string problem = readLongCountPattern(w, lc); !problem.empty()) {
        r.problem = quoted + ": " + problem;
        return r;
      }
      p.longCount = lc;
      continue;
    }
    if (w.size() >= 2 && lower(w[0]) == 'g' && isDigits(w.substr(1))) {
      p.lord = w.size() > 4 ? 99 : std::stoi(std::string(w.substr(1)));
      continue;
    }
    std::string lowered;
    for (const char c : w) {
      lowered += lower(c);
    }
    if (lowered == "bearer" || lowered == "year-bearer") {
      std::optional<int> number;
      if (i + 2 >= words.size() || !numberOrStar(words[i + 1], number)) {
        r.problem = "'bearer' is followed by a Tzolkin date, such as bearer 8 Ik";
        return r;
      }
      p.bearerNumber = number;
      if (words[i + 2] != "*") {
        const auto name = maya::parseTzolkinName(words[i + 2]);
        if (!name) {
          r.problem = "'" + printable(words[i + 2]) + "' is not a Tzolkin day name";
          return r;
        }
        p.bearerName = *name;
      }
      i += 2;
      continue;
    }
    std::optional<int> number;
    std::string_view name;
    if (numberOrStar(w, number)) {
      if (i + 1 >= words.size()) {
        r.problem = quoted + " needs a day name or a month after it, or '*'";
        return r;
      }
      name = words[++i];
    } else if (maya::parseTzolkinName(w) || maya::parseHaabMonth(w)) {
      name = w; // a name alone: any number or day with it
    } else {
      r.problem = quoted + " is not part of a pattern; use a Long Count such as 9.*.*.*.0, a "
                           "Tzolkin date (8 Ahau), a Haab date (13 Pop), a Lord (G9) or bearer "
                           "8 Ik";
      return r;
    }
    const auto tzolkin = maya::parseTzolkinName(name);
    const auto haab = maya::parseHaabMonth(name);
    bool isTzolkin = false;
    if (name == "*") {
      isTzolkin = !haveTzolkin && (!number || (*number >= 1 && *number <= 13));
    } else if (tzolkin) {
      isTzolkin = true;
    } else if (!haab) {
      r.problem = "'" + printable(name) + "' is neither a Tzolkin day name nor a Haab month";
      return r;
    }
    if (isTzolkin) {
      if (haveTzolkin) {
        r.problem = "the pattern has two Tzolkin dates";
        return r;
      }
      haveTzolkin = true;
      p.tzolkinNumber = number;
      if (tzolkin) {
        p.tzolkinName = *tzolkin;
      }
    } else {
      if (haveHaab) {
        r.problem = "the pattern has two Haab dates";
        return r;
      }
      haveHaab = true;
      p.haabDay = number;
      if (haab) {
        p.haabMonth = *haab;
      }
    }
  }
  r.pattern = p;
  return r;
}

DistanceReading readDistance(std::string_view text) {
  DistanceReading r;
  std::string_view s = trimBlanks(text);
  if (!s.empty() && (s.back() == 'd' || s.back() == 'D')) {
    s.remove_suffix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
      negative = s.front() == '-';
      s.remove_prefix(1);
    }
    if (!isDigits(s) || s.size() > 15) {
      r.problem = "a distance in days is a whole number followed by d, such as -823d";
      return r;
    }
    const std::int64_t days = std::stoll(std::string(s));
    r.days = negative ? -days : days;
    return r;
  }
  const maya::ParsedLongCount lc = maya::parseLongCountDistance(s);
  if (!lc) {
    r.problem = maya::longCountErrorMessage(lc) +
                "; a distance is written largest place first, such as +2.5.3, or in days, "
                "such as -823d";
    return r;
  }
  r.days = lc.days;
  return r;
}

std::string distanceText(std::int64_t days) {
  char text[maya::kMaxLongCountText + 2];
  char* end = maya::writeLongCountDistance(text, days);
  std::string s(text, end);
  return days > 0 ? "+" + s : s;
}

namespace {

// find, add and diff read a Long Count at face value: the window's own
// arithmetic has no such reading, so they take the consensus correlation.
ConversionSettings faceValue(ConversionSettings s) {
  if (s.reckoning.window) {
    s.reckoning = Reckoning::of(*maya::findCorrelation("gmt"));
  }
  s.compare = false;
  return s;
}

// The day number an input names under the settings' correlation.
struct DayReading {
  std::optional<std::int64_t> day;
  std::string problem;
};
DayReading dayOf(const ConversionSettings& s, std::string_view text) {
  DayReading r;
  Reading reading;
  readInput(text, s, reading);
  if (!reading.day) {
    r.problem = std::string(reading.reason);
    return r;
  }
  r.day = reading.day->kind == Day::Kind::LongCount
              ? reading.day->value
              : reading.day->value - s.reckoning.correlation.jdn;
  return r;
}

int refuseWith(Output& out, const std::string& what, std::string_view text,
               const std::string& reason) {
  out.error("glyphbox-cli: " + what + " \"" + printable(text) + "\": " + reason + "\n");
  return finishRun(out, 0, true);
}

} // namespace

int runFind(Output& out, const ConversionSettings& given, const FindOptions& o) {
  const ConversionSettings s = faceValue(given);
  Converter converter(out, s);
  const maya::HaabNumbering numbering = s.haabDays.value_or(maya::HaabNumbering::Seating0);
  std::string words;
  for (const auto& w : o.patternWords) {
    words += (words.empty() ? "" : " ") + w;
  }
  const PatternReading reading = readPattern(words, numbering);
  if (!reading.pattern) {
    return refuseWith(out, "pattern", words, reading.problem);
  }
  const maya::CompileResult compiled = maya::compile(*reading.pattern);
  if (!compiled.ok()) {
    return refuseWith(out, "pattern", words, compiled.refusal);
  }
  const maya::Matcher& matcher = *compiled.matcher;

  auto day = [&](const std::string& text, const char* option, std::int64_t& value) {
    const DayReading r = dayOf(s, text);
    if (!r.day) {
      refuseWith(out, option, text, r.problem);
      return false;
    }
    value = *r.day;
    return true;
  };
  std::vector<std::int64_t> matches;
  std::int64_t total = 0;
  if (!o.after.empty() || !o.before.empty()) {
    std::int64_t at = 0;
    const bool forward = !o.after.empty();
    if (!day(forward ? o.after : o.before, forward ? "--after" : "--before", at)) {
      return kExitRefused;
    }
    std::optional<std::int64_t> m = at;
    for (long long n = 0; n < o.count; ++n) {
      m = forward ? maya::next(matcher, *m + 1) : maya::prev(matcher, *m - 1);
      if (!m) {
        break;
      }
      matches.push_back(*m);
    }
    if (!forward) {
      std::reverse(matches.begin(), matches.end());
    }
    total = static_cast<std::int64_t>(matches.size());
  } else {
    maya::DayRange range = maya::searchRange(*reading.pattern);
    if (!o.from.empty() && !day(o.from, "--from", range.first)) {
      return kExitRefused;
    }
    if (!o.to.empty() && !day(o.to, "--to", range.last)) {
      return kExitRefused;
    }
    if (range.first > range.last) {
      out.error("glyphbox-cli: the range is empty: --from " + printable(o.from) +
                " lies after --to " + printable(o.to) + "\n");
      return finishRun(out, 0, true);
    }
    total = maya::count(matcher, range);
    if (!o.countOnly) {
      maya::forEachMatch(matcher, range, [&](std::int64_t d) {
        matches.push_back(d);
        return static_cast<long long>(matches.size()) < o.limit;
      });
    }
  }
  if (o.countOnly) {
    out.put(s.format == OutputFormat::Json ? "{\"count\":" + std::to_string(total) + "}\n"
                                           : std::to_string(total) + "\n");
    return finishRun(out, 0, false);
  }
  converter.writeHeader();
  std::vector<Row> rows;
  for (const std::int64_t d : matches) {
    rows.clear();
    (void)converter.rowsFor(Day{Day::Kind::LongCount, d, {}}, rows);
    for (const Row& row : rows) {
      converter.writer().row(row);
    }
  }
  if (matches.empty()) {
    out.error("glyphbox-cli: no day in the range matches \"" + printable(words) + "\"\n");
    return finishRun(out, 0, true);
  }
  if (total > static_cast<std::int64_t>(matches.size())) {
    out.error("glyphbox-cli: the list stops at " + std::to_string(matches.size()) + " of " +
              std::to_string(total) + " matching days; use --limit N for more, or " +
              "--count-only\n");
  }
  return finishRun(out, 0, false);
}

int runAdd(Output& out, const ConversionSettings& given, const std::vector<std::string>& args) {
  const ConversionSettings s = faceValue(given);
  Converter converter(out, s);
  if (args.size() < 2) {
    out.error("glyphbox-cli: add needs a date and at least one distance, such as add "
              "9.12.11.5.18 +2.5.3\n");
    out.flush();
    return kExitUsage;
  }
  DayReading start = dayOf(s, args[0]);
  if (!start.day) {
    return refuseWith(out, "date", args[0], start.problem);
  }
  std::int64_t d = *start.day;
  converter.writeHeader();
  for (std::size_t i = 1; i < args.size(); ++i) {
    const DistanceReading distance = readDistance(args[i]);
    if (!distance.days) {
      return refuseWith(out, "distance", args[i], distance.problem);
    }
    d += *distance.days;
    std::vector<Row> rows;
    const std::string problem = converter.rowsFor(Day{Day::Kind::LongCount, d, {}}, rows);
    if (!problem.empty()) {
      return refuseWith(out, "distance", args[i], problem);
    }
    for (const Row& row : rows) {
      converter.writer().row(row);
    }
  }
  return finishRun(out, 0, false);
}

int runDiff(Output& out, const ConversionSettings& given, const std::vector<std::string>& args) {
  const ConversionSettings s = faceValue(given);
  Converter converter(out, s);
  if (args.size() != 2) {
    out.error("glyphbox-cli: diff needs two dates, such as diff 9.12.11.5.18 9.12.13.11.1\n");
    out.flush();
    return kExitUsage;
  }
  std::int64_t days[2] = {};
  for (int i = 0; i < 2; ++i) {
    const DayReading r = dayOf(s, args[static_cast<std::size_t>(i)]);
    if (!r.day) {
      return refuseWith(out, "date", args[static_cast<std::size_t>(i)], r.problem);
    }
    days[i] = *r.day;
  }
  const std::int64_t distance = days[1] - days[0];
  const std::string text = distanceText(distance);
  switch (s.format) {
  case OutputFormat::Plain:
    out.put(text + "  " + std::to_string(distance) + " days\n");
    break;
  case OutputFormat::Tsv:
    out.put("distance\tdays\n" + text + "\t" + std::to_string(distance) + "\n");
    break;
  case OutputFormat::Csv:
    out.put("distance,days\r\n" + text + "," + std::to_string(distance) + "\r\n");
    break;
  case OutputFormat::Json:
    out.put("{\"distance\":\"" + text + "\",\"days\":" + std::to_string(distance) + "}\n");
    break;
  }
  return finishRun(out, 0, false);
}

} // namespace glyphbox::cli
