#include <glyphbox/rows/answer.h>

#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/rows/inputs.h>

#include <algorithm>

namespace glyphbox::rows {
namespace {

// A whole Long Count with clues that never meet it at face value may be
// an inscription's date of the era before 0.0.0.0.0: that day, if so.
std::optional<std::int64_t> eraBeforeDay(const maya::Pattern& p, std::string_view words,
                                         maya::HaabNumbering numbering) {
  const auto& lc = p.longCount;
  if (!lc || lc->negative || lc->places < maya::kDatePlaces ||
      !std::all_of(lc->digits.begin(), lc->digits.begin() + lc->places,
                   [](const auto& place) { return place.has_value(); })) {
    return std::nullopt;
  }
  // The Long Count first, as an inscription writes it, then the clues.
  std::string longCount;
  std::string clues;
  for (std::size_t i = 0; i < words.size();) {
    const std::size_t end = std::min(words.find(' ', i), words.size());
    const std::string_view word = words.substr(i, end - i);
    (longCount.empty() && word.find('.') != std::string_view::npos ? longCount : clues) +=
        std::string(word) + " ";
    i = end + 1;
  }
  const maya::InscriptionDate date = maya::readInscriptionDate(longCount + clues, numbering);
  return date.eraBefore ? date.days : std::nullopt;
}

} // namespace

DayNumberReading readDayNumber(std::string_view text, const ConversionSettings& settings) {
  DayNumberReading r;
  Reading reading;
  readInput(text, settings, reading);
  if (!reading.day) {
    r.problem = std::string(reading.reason);
    return r;
  }
  r.day = reading.day->kind == Day::Kind::LongCount
              ? reading.day->value
              : reading.day->value - settings.reckoning.correlation.jdn;
  r.eraBefore = reading.day->eraBefore;
  return r;
}

FindReading readFindPattern(std::string_view words, maya::HaabNumbering numbering) {
  FindReading r;
  const maya::PatternReading reading = maya::readPattern(words, numbering);
  if (!reading.pattern) {
    r.problem = reading.problem;
    return r;
  }
  r.pattern = *reading.pattern;
  maya::CompileResult compiled = maya::compile(r.pattern);
  if (const auto day = compiled.ok() ? std::nullopt : eraBeforeDay(r.pattern, words, numbering)) {
    // The Long Count of that day in place of the one written.
    const maya::LongCountPlaces places = maya::splitLongCount(*day, maya::kDatePlaces);
    r.pattern.longCount = maya::LongCountPattern{places.negative, maya::kDatePlaces, {}};
    for (int k = 0; k < maya::kDatePlaces; ++k) {
      r.pattern.longCount->digits[static_cast<std::size_t>(k)] =
          places.value[static_cast<std::size_t>(k)];
    }
    compiled = maya::compile(r.pattern);
    r.eraBefore = day;
  }
  if (!compiled.ok()) {
    r.problem = compiled.refusal;
    return r;
  }
  r.matcher = std::move(compiled.matcher);
  return r;
}

} // namespace glyphbox::rows
