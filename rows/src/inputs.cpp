#include <glyphbox/maya/date_text.h>
#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/rows/inputs.h>

#include <glyphbox/maya/long_count.h>
#include <glyphbox/runtime/messages.h>

#include "put_text.h"

#include <ctime>

namespace glyphbox::rows {
namespace {

using i18n::tr;
using maya::equalsIgnoringCase;

constexpr bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }

bool looksLikeLongCount(std::string_view s) noexcept {
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    s.remove_prefix(1);
  }
  return !s.empty() && s.find('.') != std::string_view::npos &&
         s.find_first_not_of("0123456789.") == std::string_view::npos;
}

std::string_view codeFor(InputError e) noexcept {
  switch (e) {
  case InputError::None:
    return "";
  case InputError::NotADate:
    return "not_a_date";
  case InputError::YearOutOfRange:
    return "year_out_of_range";
  case InputError::MonthOutOfRange:
    return "month_out_of_range";
  case InputError::DayOutOfRange:
    return "day_out_of_range";
  case InputError::UnknownEra:
    return "unknown_era";
  }
  return "";
}

// Every input form, for the refusal of an input that has none of them.
constexpr const char* kNotAnInput =
    i18n::N_("not a date; expected YEAR-MONTH-DAY (optionally CE or BCE), a Long Count such as "
             "9.12.11.5.18, JDN followed by a number, or today");

void refuse(Reading& r, std::string_view code, std::string_view reason) {
  r.day.reset();
  r.code = code;
  r.reason = reason;
}

// "day out of range; February of that year has 28 days", then `more`, in `room`.
std::string_view dayOutOfRange(std::string& room, int month, int days, std::string_view more = {}) {
  using put_text::put;
  if (i18n::translating()) {
    static constexpr std::array<const char*, 12> kMonths = {
        i18n::N_("January"),   i18n::N_("February"), i18n::N_("March"),    i18n::N_("April"),
        i18n::N_("May"),       i18n::N_("June"),     i18n::N_("July"),     i18n::N_("August"),
        i18n::N_("September"), i18n::N_("October"),  i18n::N_("November"), i18n::N_("December")};
    room = i18n::format(tr("day out of range; {} of that year has {} days"),
                        tr(kMonths[static_cast<std::size_t>(month - 1)]), days);
    room += more;
    return room;
  }
  constexpr std::size_t kLongest = 64; // "day out of range; September of that year has 30 days"
  if (room.size() < kLongest + more.size()) {
    room.resize(kLongest + more.size());
  }
  char* at = put(room.data(), "day out of range; ");
  at = put(at, engine::kMonthNames[static_cast<std::size_t>(month - 1)]);
  at = put(at, " of that year has ");
  at[0] = static_cast<char>('0' + days / 10);
  at[1] = static_cast<char>('0' + days % 10);
  at = put(at + 2, " days");
  at = put(at, more);
  return {room.data(), static_cast<std::size_t>(at - room.data())};
}

// "YEAR-MONTH-DAY [CE|BCE]" for a correlation: years 1 upward in either era,
// checked in the calendar's own leap rule.
void readCivilDate(std::string_view s, maya::Calendar calendar, Reading& r) {
  const auto text = maya::readDateText(s);
  if (!text) {
    return refuse(r, "not_a_date", tr(kNotAnInput));
  }
  const CivilReading c = civilDateOf(*text, calendar);
  switch (c.problem) {
  case CivilProblem::None:
    r.day = Day{Day::Kind::Jdn, c.jdn, {}};
    return;
  case CivilProblem::NoYearZero:
    return refuse(r, "year_out_of_range", tr("there is no year 0; 1 BCE is followed by 1 CE"));
  case CivilProblem::YearOutOfRange:
    return refuse(r, "year_out_of_range",
                  tr("year out of range; the year must be 1 to 999999999999"));
  case CivilProblem::MonthOutOfRange:
    return refuse(r, "month_out_of_range", tr("month out of range; the month must be 1 to 12"));
  case CivilProblem::UnknownEra:
    return refuse(r, "unknown_era", tr("unknown era; use CE or BCE"));
  case CivilProblem::DayOutOfRange: {
    const std::string more = calendar == maya::Calendar::Julian ? tr(" in the julian calendar")
                             : calendar == maya::Calendar::Historical
                                 ? tr(" in the historical calendar")
                                 : tr(" in the gregorian calendar");
    return refuse(r, "day_out_of_range", dayOutOfRange(r.room, text->month, c.days, more));
  }
  case CivilProblem::NoSuchDay:
    return refuse(r, c.error == maya::CivilError::InReformGap ? "missing_day" : "date_out_of_range",
                  tr(maya::civilErrorMessage(c.error).data()));
  }
}

// "JDN 2451545": a whole number of at most 15 digits, with an optional sign.
void readJdn(std::string_view number, Reading& r) {
  std::int64_t jdn = 0;
  bool negative = false;
  std::size_t i = 0;
  if (i < number.size() && (number[i] == '-' || number[i] == '+')) {
    negative = number[i++] == '-';
  }
  const std::size_t digitsStart = i;
  while (i < number.size() && isDigit(number[i]) && jdn <= maya::kMaxDayNumber) {
    jdn = jdn * 10 + (number[i++] - '0');
  }
  if (i == digitsStart || i != number.size() || jdn > maya::kMaxDayNumber) {
    return refuse(r, "not_a_jdn",
                  tr("not a Julian Day Number; expected JDN followed by a whole number of at "
                     "most 15 digits"));
  }
  r.day = Day{Day::Kind::Jdn, negative ? -jdn : jdn, {}};
}

// A Long Count with what the monument records for its day: at face value,
// or in the era before 0.0.0.0.0 when only there the clues agree. The
// window's own arithmetic writes no Long Count at face value, so it reads none.
void readInscriptionDate(std::string_view s, const ConversionSettings& settings, Reading& r) {
  if (settings.reckoning.window && !settings.compare) {
    return refuse(r, "window_reads_no_clues",
                  tr("the window's own arithmetic (--correlation glyphbox) reads no Calendar "
                     "Round with a Long Count; use a correlation such as gmt"));
  }
  const maya::InscriptionDate date = maya::readInscriptionDate(s, settings.numbering(false));
  if (!date.days) {
    r.room = date.problem;
    return refuse(r, "clues_disagree", r.room);
  }
  r.day = Day{Day::Kind::LongCount, *date.days, {}, date.eraBefore};
}

// Today in the local time zone, as a JDN.
std::int64_t todayJdn() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return maya::toJdn({local.tm_year + 1900LL, local.tm_mon + 1, local.tm_mday},
                     maya::Calendar::Gregorian)
      .value;
}

} // namespace

std::string_view trimBlanks(std::string_view s) noexcept {
  while (!s.empty() && maya::isDateBlank(s.front())) {
    s.remove_prefix(1);
  }
  while (!s.empty() && maya::isDateBlank(s.back())) {
    s.remove_suffix(1);
  }
  return s;
}

ParseResult parseDate(std::string_view text) noexcept {
  if (const auto t = maya::readDateText(text)) {
    return windowDateOf(*t);
  }
  ParseResult r;
  r.error = InputError::NotADate;
  return r;
}

std::string_view reasonFor(const ParseResult& parsed, std::string& room) {
  switch (parsed.error) {
  case InputError::None:
    return {};
  case InputError::NotADate:
    return tr(kNotAnInput);
  case InputError::YearOutOfRange:
    return tr("year out of range; the year must be 0 to 2147483647");
  case InputError::MonthOutOfRange:
    return tr("month out of range; the month must be 1 to 12");
  case InputError::DayOutOfRange:
    return dayOutOfRange(room, parsed.date.month, parsed.date.daysInMonth);
  case InputError::UnknownEra:
    return tr("unknown era; use CE or BCE");
  }
  return {};
}

std::string reasonFor(const ParseResult& parsed) {
  std::string room;
  return std::string(reasonFor(parsed, room));
}

bool isOtherInputForm(std::string_view text) noexcept {
  const std::string_view s = trimBlanks(text);
  return equalsIgnoringCase(s, "TODAY") ||
         (s.size() >= 3 && equalsIgnoringCase(s.substr(0, 3), "JDN")) ||
         looksLikeLongCount(s.substr(0, s.find_first_of(" \t")));
}

void readInput(std::string_view text, const ConversionSettings& settings, Reading& r) {
  const std::string_view s = trimBlanks(text);
  // Dates first, the form nearly every input has: no other form reads as one.
  if (settings.reckoning.window && !settings.compare) {
    const ParseResult parsed = parseDate(s);
    if (parsed.error == InputError::None) {
      r.day = Day{Day::Kind::WindowDate, 0, parsed.date};
      return;
    }
    refuse(r, codeFor(parsed.error), reasonFor(parsed, r.room));
  } else {
    readCivilDate(s, settings.calendar, r);
  }
  if (r.day || r.code != "not_a_date") {
    return;
  }
  if (equalsIgnoringCase(s, "TODAY")) {
    r.day = Day{Day::Kind::Jdn, todayJdn(), {}};
    return;
  }
  if (s.size() >= 3 && equalsIgnoringCase(s.substr(0, 3), "JDN") &&
      (s.size() == 3 || maya::isDateBlank(s[3]) || isDigit(s[3]) || s[3] == '-' || s[3] == '+')) {
    return readJdn(trimBlanks(s.substr(3)), r);
  }
  const std::size_t blank = s.find_first_of(" \t");
  if (blank != std::string_view::npos && looksLikeLongCount(s.substr(0, blank))) {
    return readInscriptionDate(s, settings, r);
  }
  if (looksLikeLongCount(s)) {
    const maya::ParsedLongCount lc = maya::parseLongCount(s);
    if (!lc) {
      r.room = maya::longCountErrorMessage(lc);
      return refuse(r, "bad_long_count", r.room);
    }
    if (lc.places < maya::kDatePlaces) {
      return refuse(r, "too_few_places",
                    tr("a Long Count of fewer than five places is a distance, not a date"));
    }
    r.day = Day{Day::Kind::LongCount, lc.days, {}};
  }
}

DayNumber readDayNumber(std::string_view text, const ConversionSettings& settings) {
  DayNumber n;
  Reading reading;
  readInput(text, settings, reading);
  if (!reading.day) {
    n.problem = std::string(reading.reason);
    return n;
  }
  n.day = reading.day->kind == Day::Kind::LongCount
              ? reading.day->value
              : reading.day->value - settings.reckoning.correlation.jdn;
  n.eraBefore = reading.day->eraBefore;
  return n;
}

std::string unknownCorrelationMessage(std::string_view text, bool offerWindow) {
  std::string list = offerWindow ? "glyphbox" : "";
  for (const auto& c : maya::kCorrelations) {
    list.append(list.empty() ? "" : ", ").append(c.name);
    list.append(" (").append(std::to_string(c.jdn)).append(")");
  }
  return i18n::format(
      tr("unknown correlation \"{}\"; use {}, or a whole number (the JDN of 0.0.0.0.0)"),
      maya::shown(text), list);
}

std::string eraBeforeNote(std::int64_t d) {
  if (d == 0) {
    return tr("read as the creation date, 0.0.0.0.0, which monuments write as 13.0.0.0.0: its "
              "Calendar Round falls there and not 13 baktuns later");
  }
  return i18n::format(tr("read in the era before 0.0.0.0.0, as {}: its Calendar Round falls "
                         "there and not 13 baktuns later, at face value"),
                      maya::longCountText(d));
}

} // namespace glyphbox::rows
