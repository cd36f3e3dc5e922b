#include <glyphbox/rows/converter.h>

#include "row_writing.h"

#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/runtime/messages.h>

#include <cstring>

namespace glyphbox::rows {
namespace {

using maya::Calendar;

// The row the window shows for a date typed into it; false when its Long
// Count overflows. The JDN is given where that day exists in the proleptic
// Gregorian calendar: the typed year is the astronomical one in CE and
// 1 - Y in BCE, and the year field's leap-year rule offers a 29 February
// (in 1 BCE, say) that the astronomical year does not have.
[[gnu::always_inline]] inline bool windowRow(const engine::WindowDate& d, bool withJdn, Row& row) {
  const std::int64_t dayCount = engine::windowDayCount(d.year, d.era, d.month, d.day);
  const std::optional<std::int64_t> folded = engine::windowFoldedCount(dayCount);
  if (!folded) {
    return false;
  }
  row.date = {d.year, d.month, d.day, d.era == engine::Era::BCE};
  row.dayCount = dayCount;
  row.longCount = *folded;
  if (withJdn) {
    const std::int64_t astronomical = d.era == engine::Era::CE ? d.year : 1 - d.year;
    const auto jdn = maya::toJdn({astronomical, d.month, d.day}, Calendar::Gregorian);
    row.jdn = jdn.value;
    row.hasJdn = jdn.ok();
  }
  row.window = true;
  row.calendar = Calendar::Gregorian;
  return true;
}

// The row of a day number under a correlation; false when its date lies
// outside the calendar's years.
bool correlatedRow(std::int64_t jdn, const maya::Correlation& c, Calendar calendar, Row& row) {
  const auto date = maya::fromJdn(jdn, calendar);
  if (!date) {
    return false;
  }
  const maya::EraYear y = maya::eraYearOf(date.value.year);
  row.date = {y.year, date.value.month, date.value.day, y.era == maya::Era::BCE};
  row.dayCount = jdn - c.jdn;
  row.longCount = row.dayCount;
  row.jdn = jdn;
  row.hasJdn = true;
  row.correlation = &c;
  row.calendar = calendar;
  return true;
}

constexpr const char* kOverflow =
    i18n::N_("cannot convert this date: Overflow: a number is too large for the calculation");

} // namespace

Converter::Converter(Output& out, const ConversionSettings& settings)
    : settings_(settings), writer_(out, settings), quick_(quickPathFor(writer_, settings_)) {}

// One quick path for each shape and reckoning; none under --compare, whose
// rows are several for each input.
Converter::QuickPath Converter::quickPathFor(const RowWriter& writer,
                                             const ConversionSettings& s) noexcept {
  using enum RowWriter::Shape;
  const auto pick = [&]<RowWriter::Shape S>() -> QuickPath {
    if (s.compare) {
      return nullptr;
    }
    return s.reckoning.window ? &Converter::convertQuickly<S, true>
                              : &Converter::convertQuickly<S, false>;
  };
  switch (writer.shape()) {
  case WindowPlain:
    return pick.template operator()<WindowPlain>();
  case WindowTsv:
    return pick.template operator()<WindowTsv>();
  case Plain:
    return pick.template operator()<Plain>();
  case AllTsv:
    return pick.template operator()<AllTsv>();
  case AllCsv:
    return pick.template operator()<AllCsv>();
  case AllJson:
    return pick.template operator()<AllJson>();
  case Any:
    break;
  }
  return pick.template operator()<Any>();
}

bool Converter::convert(std::string_view text, Origin origin) {
  return (quickOn_ && quick_ != nullptr && (this->*quick_)(text)) || convertGenerally(text, origin);
}

// A date (see maya::readDateText), checked as its reckoning
// checks it. Returns false, having written nothing, for anything else: the
// general readers then word the fault.
template <RowWriter::Shape S, bool Window> bool Converter::convertQuickly(std::string_view s) {
  const auto text = maya::readDateText(s);
  if (!text) {
    return false;
  }
  Row row;
  if constexpr (Window) {
    const ParseResult parsed = windowDateOf(*text);
    if (parsed.error != InputError::None || !windowRow(parsed.date, writer_.needsJdn(), row)) {
      return false;
    }
    row.typedDate = true;
  } else {
    const CivilReading civil = civilDateOf(*text, settings_.calendar);
    if (civil.problem != CivilProblem::None) {
      return false;
    }
    const bool bce = maya::equalsIgnoringCase(text->eraWord, "BCE");
    row.date = {text->year, text->month, text->day, bce};
    row.dayCount = civil.jdn - settings_.reckoning.correlation.jdn;
    row.longCount = row.dayCount;
    row.jdn = civil.jdn;
    row.hasJdn = true;
    row.correlation = &settings_.reckoning.correlation;
    row.calendar = settings_.calendar;
  }
  if (text->written != 0) { // typed as it is written
    row.writtenDate = {text->yearText.data(), text->written};
  }
  writer_.rowIn<S>(row);
  return true;
}

std::string Converter::rowsFor(const Day& day, std::vector<Row>& rows) const {
  const bool withJdn = writer_.needsJdn();
  auto addWindow = [&](const engine::WindowDate& d) {
    Row row;
    if (windowRow(d, withJdn, row)) {
      rows.push_back(row);
      return true;
    }
    return false;
  };
  auto addCorrelated = [&](const maya::Correlation& c) {
    const std::int64_t jdn = day.kind == Day::Kind::LongCount ? day.value + c.jdn : day.value;
    Row row;
    if (correlatedRow(jdn, c, settings_.calendar, row)) {
      rows.push_back(row);
      return true;
    }
    return false;
  };
  auto addWindowRows = [&]() -> std::string {
    switch (day.kind) {
    case Day::Kind::WindowDate:
      if (addWindow(day.window)) {
        rows.back().typedDate = true;
        return {};
      }
      return i18n::tr(kOverflow);
    case Day::Kind::Jdn: {
      const auto d = engine::windowDateOfJdn(day.value);
      if (!d) {
        return i18n::tr("the window cannot show this day: its year lies beyond 2147483647, or it "
                        "is a 29 February the window's leap-year rule (which reads the year as "
                        "typed) does not offer");
      }
      return addWindow(*d) ? std::string() : std::string(i18n::tr(kOverflow));
    }
    case Day::Kind::LongCount: {
      const auto dates = engine::windowDatesOf(day.value);
      for (const engine::WindowDate& d : dates) {
        addWindow(d);
      }
      return dates.empty() ? i18n::tr("the window shows this Long Count on no date of the years "
                                      "9999 BCE to 9999 CE")
                           : std::string();
    }
    }
    return {};
  };

  if (settings_.compare) {
    for (const maya::Correlation& c : maya::kCorrelations) {
      addCorrelated(c);
    }
    addWindowRows(); // the window's rows, where it has any
    return rows.empty() ? i18n::tr("this day lies outside every calendar's range") : std::string();
  }
  if (settings_.reckoning.window) {
    return addWindowRows();
  }
  if (!addCorrelated(settings_.reckoning.correlation)) {
    return i18n::tr("the date of this day lies outside the supported years");
  }
  return {};
}

bool Converter::convertGenerally(std::string_view text, Origin origin) {
  // JSON carries a refusal's words on standard output, in English in every
  // locale; plain, TSV and CSV write them on standard error, for people.
  std::optional<i18n::EnglishMessages> english;
  if (settings_.format == OutputFormat::Json) {
    english.emplace();
  }
  readInput(text, settings_, reading_);
  if (!reading_.day) {
    writer_.refuse(origin, text, reading_.code, reading_.reason);
    return false;
  }
  rows_.clear();
  const std::string refusal = rowsFor(*reading_.day, rows_);
  english.reset(); // the note below is standard error's
  for (const Row& row : rows_) {
    writer_.row(row);
  }
  if (!refusal.empty()) {
    writer_.refuse(origin, text, "no_date", refusal);
    return false;
  }
  if (reading_.day->eraBefore) {
    writer_.note(origin, text, eraBeforeNote(reading_.day->value));
  }
  return true;
}

void Converter::refuseTooLong(std::string_view start, Origin origin) {
  constexpr const char* kTooLong = i18n::N_("line too long to be a date");
  writer_.refuse(origin, start, "line_too_long",
                 settings_.format == OutputFormat::Json ? kTooLong : i18n::tr(kTooLong));
}

} // namespace glyphbox::rows
