#include "values.h"

#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/rows/converter.h>
#include <glyphbox/rows/drawing.h>
#include <glyphbox/rows/svg.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace glyphbox::python {
namespace {

// The values each option takes, as the command line lists them.
constexpr std::array<std::string_view, 3> kCalendarNames = {"gregorian", "julian", "historical"};
constexpr std::array<std::string_view, 2> kSpellingNames = {"colonial", "modern"};
constexpr std::array<std::string_view, 2> kNumberingNames = {"0-19", "1-20"};

// The index of name among names, or the refusal the command line's option
// parser gives: "calendar: xyz not in {gregorian,julian,historical}".
template <std::size_t N>
std::size_t choiceOf(std::string_view option, std::string_view name,
                     const std::array<std::string_view, N>& names) {
  const auto found = std::find(names.begin(), names.end(), name);
  if (found != names.end()) {
    return static_cast<std::size_t>(found - names.begin());
  }
  std::string list;
  for (const std::string_view n : names) {
    list.append(list.empty() ? "" : ",").append(n);
  }
  throw Refusal(std::string(option) + ": " + maya::shown(name) + " not in {" + list + "}");
}

// A converter whose writer writes into its own buffer: a day's texts
// exactly as glyphbox-cli writes them, a column at a time or its plain line.
struct RowTexts {
  rows::Output out{-1, -1}; // never flushed: a line is taken from its buffer
  rows::Converter converter;
  std::vector<rows::Row> rows;
  explicit RowTexts(const rows::ConversionSettings& s) : converter(out, s) {}
};

// One converter for each settings in use. A converter builds the tables of
// its texts once; a program that goes through many correlations starts the
// cache afresh now and then.
constexpr std::size_t kMostConverters = 64;

RowTexts& rowTextsFor(const Settings& settings) {
  static std::map<std::tuple<std::int64_t, int, int, int>, std::unique_ptr<RowTexts>> cache;
  const auto key = settings.key();
  if (const auto found = cache.find(key); found != cache.end()) {
    return *found->second;
  }
  if (cache.size() >= kMostConverters) {
    cache.clear();
  }
  return *cache.emplace(key, std::make_unique<RowTexts>(settings.conversion())).first->second;
}

// The row of a day number under the settings, or why there is none.
std::string rowOf(RowTexts& t, std::int64_t count) {
  t.rows.clear();
  return t.converter.rowsFor(rows::Day{rows::Day::Kind::LongCount, count, {}, false}, t.rows);
}

// The converter holding the row of a day, which checkedDay made sure exists.
RowTexts& rowTextsOf(const Day& day) {
  RowTexts& t = rowTextsFor(day.settings);
  (void)rowOf(t, day.count);
  return t;
}

} // namespace

Refusal refusal(std::string_view what, std::string_view text, std::string_view reason) {
  return Refusal(std::string(what) + " \"" + maya::shown(text) + "\": " + std::string(reason));
}

maya::Calendar calendarOf(std::string_view name) {
  constexpr std::array<maya::Calendar, kCalendarNames.size()> kCalendars = {
      maya::Calendar::Gregorian, maya::Calendar::Julian, maya::Calendar::Historical};
  return kCalendars[choiceOf("calendar", name, kCalendarNames)];
}

maya::Spelling spellingOf(std::string_view name) {
  return choiceOf("spelling", name, kSpellingNames) == 0 ? maya::Spelling::Colonial
                                                         : maya::Spelling::Modern;
}

maya::HaabNumbering numberingOf(std::string_view name) {
  return choiceOf("haab_days", name, kNumberingNames) == 0 ? maya::HaabNumbering::Seating0
                                                           : maya::HaabNumbering::Window1;
}

std::string_view spellingName(maya::Spelling spelling) noexcept {
  return kSpellingNames[spelling == maya::Spelling::Colonial ? 0 : 1];
}

std::string_view numberingName(maya::HaabNumbering numbering) noexcept {
  return kNumberingNames[numbering == maya::HaabNumbering::Seating0 ? 0 : 1];
}

maya::Correlation correlationOf(std::string_view text) {
  if (text == "glyphbox") {
    throw Refusal("the module reads Long Counts at face value, which the window's own "
                  "arithmetic (glyphbox) has no reading for; use a correlation such as gmt");
  }
  const auto c = maya::parseCorrelation(text);
  if (!c) {
    throw Refusal(rows::unknownCorrelationMessage(text, false));
  }
  return c.value;
}

maya::Correlation correlationOf(std::int64_t jdn) { return correlationOf(std::to_string(jdn)); }

std::string correlationLabel(const maya::Correlation& c) {
  const std::string jdn = std::to_string(c.jdn);
  return c.name.empty() ? jdn : std::string(c.name) + " " + jdn;
}

rows::ConversionSettings Settings::conversion() const {
  rows::ConversionSettings s;
  s.reckoning = rows::Reckoning::of(correlation);
  s.calendar = calendar;
  s.spelling = spelling;
  s.haabDays = numbering;
  return s;
}

DayOfText dayOfText(std::string_view text, const Settings& settings, std::string_view what) {
  const rows::DayNumber n = rows::readDayNumber(text, settings.conversion());
  if (!n.day) {
    throw refusal(what, text, n.problem);
  }
  DayOfText r{checkedDay(*n.day, settings, what, text), {}};
  if (n.eraBefore) {
    r.note = std::string(what) + " \"" + maya::shown(text) + "\": " + rows::eraBeforeNote(*n.day);
  }
  return r;
}

Day checkedDay(std::int64_t count, const Settings& settings, std::string_view what,
               std::string_view shown) {
  std::int64_t jdn = 0;
  if (__builtin_add_overflow(count, settings.correlation.jdn, &jdn)) {
    maya::ParsedLongCount tooLarge;
    tooLarge.error = maya::LongCountError::TooLarge;
    throw refusal(what, shown, maya::longCountErrorMessage(tooLarge));
  }
  // The converter refuses exactly the days whose date its calendar lacks;
  // it words the refusal.
  if (!maya::fromJdn(jdn, settings.calendar).ok()) {
    throw refusal(what, shown, rowOf(rowTextsFor(settings), count));
  }
  return Day{count, settings};
}

Day dayOfCount(std::int64_t count, const Settings& settings) {
  const std::string shown = std::to_string(count);
  if (count < -maya::kMaxDayNumber || count > maya::kMaxDayNumber) {
    // As a Long Count of that many days is refused.
    maya::ParsedLongCount tooLarge;
    tooLarge.error = maya::LongCountError::TooLarge;
    throw refusal("day count", shown, maya::longCountErrorMessage(tooLarge));
  }
  return checkedDay(count, settings, "day count", shown);
}

Day dayOfJdn(std::int64_t jdn, const Settings& settings) {
  const std::int64_t count = jdn - settings.correlation.jdn;
  if (jdn >= -maya::kMaxDayNumber && jdn <= maya::kMaxDayNumber &&
      maya::fromJdn(jdn, settings.calendar).ok()) {
    return Day{count, settings};
  }
  // As glyphbox-cli refuses the input "JDN n".
  return dayOfText("JDN " + std::to_string(jdn), settings, "input").day;
}

std::array<std::string, kDayColumns> fieldsOf(const Day& day) {
  RowTexts& t = rowTextsOf(day);
  std::array<std::string, kDayColumns> fields;
  for (std::size_t i = 0; i < kDayColumns; ++i) {
    fields[i] = t.converter.writer().text(t.rows.front(), rows::kColumns[i].column);
  }
  return fields;
}

std::string fieldOf(const Day& day, rows::Column column) {
  RowTexts& t = rowTextsOf(day);
  return t.converter.writer().text(t.rows.front(), column);
}

std::string plainLineOf(const Day& day) {
  RowTexts& t = rowTextsOf(day);
  t.converter.writer().row(t.rows.front());
  std::string_view line = t.out.take();
  line.remove_suffix(line.ends_with('\n') ? 1 : 0);
  return std::string(line);
}

std::string svgOf(const Day& day) {
  return rows::svgOf(
      rows::drawDay(rows::dayInput(day.count, day.settings.spelling, day.settings.numbering)));
}

std::string tzolkinText(const maya::Tzolkin& tzolkin, maya::Spelling spelling) {
  char text[maya::kMaxCalendarRoundText];
  return {text, maya::writeTzolkin(text, tzolkin, spelling)};
}

std::string haabText(const maya::Haab& haab, maya::Spelling spelling) {
  char text[maya::kMaxCalendarRoundText];
  return {text, maya::writeHaab(text, haab, spelling)};
}

} // namespace glyphbox::python
