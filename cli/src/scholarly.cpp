#include <glyphbox/cli/scholarly.h>

#include "digits.h"
#include "long_count_text.h"
#include "put_text.h"
#include "quick_date.h"

#include <glyphbox/engine/month_table.h>
#include <glyphbox/maya/long_count.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "text.h"

namespace glyphbox::cli {
namespace {

bool looksLikeLongCount(std::string_view s) noexcept;

using maya::Calendar;
using maya::HaabNumbering;

using maya::kBaktun;
using maya::kGreatCycle;

using text::equalsIgnoringCase;
using text::isBlank;
using text::isDigit;

// "2012-12-21 CE": the year as people write it, month and day in two digits.
std::string dateText(std::int64_t year, int month, int day, bool bce) {
  char text[48];
  const int n = std::snprintf(text, sizeof text, "%lld-%02d-%02d %s", static_cast<long long>(year),
                              month, day, bce ? "BCE" : "CE");
  return std::string(text, static_cast<std::size_t>(n));
}

std::string dateText(const maya::CivilDate& date) {
  const maya::EraYear y = maya::eraYearOf(date.year);
  return dateText(y.year, date.month, date.day, y.era == maya::Era::BCE);
}

std::string windowDateText(const DateInput& d) {
  return dateText(d.year, d.month, d.day, d.era == engine::Era::BCE);
}

std::string tzolkinText(const maya::Tzolkin& t, maya::Spelling spelling) {
  char text[maya::kMaxCalendarRoundText];
  return std::string(text, maya::writeTzolkin(text, t, spelling));
}

std::string haabText(const maya::Haab& h, maya::Spelling spelling) {
  char text[maya::kMaxCalendarRoundText];
  return std::string(text, maya::writeHaab(text, h, spelling));
}

// The Long Count as the window writes it: a count below one baktun shows 13.
std::string windowLongCount(std::int64_t folded) {
  std::string text = maya::longCountText(folded);
  if (folded < kBaktun) {
    text.replace(0, 1, "13");
  }
  return text;
}

// The row the window shows for a date typed into it, under the settings'
// spelling and Haab numbering. Nothing when its Long Count overflows.
std::optional<Row> windowRow(const DateInput& d, maya::Spelling spelling, HaabNumbering numbering) {
  const std::int64_t dayCount = windowDayCount(d.year, d.era, d.month, d.day);
  const std::optional<std::int64_t> count = windowFoldedCount(dayCount);
  if (!count) {
    return std::nullopt;
  }
  const std::int64_t folded = *count;
  Row row;
  row.date = windowDateText(d);
  row.dayCount = dayCount;
  row.longCount = windowLongCount(folded);
  // The number steps through the unfolded count, the name follows the kin.
  const maya::Tzolkin tz{maya::tzolkinOf(dayCount).number, static_cast<int>(folded % 20)};
  row.tzolkin = tzolkinText(tz, spelling);
  row.haab = haabText(maya::haabOf(dayCount, numbering), spelling);
  row.lord = maya::lordOfTheNight(dayCount);
  // The typed year is the astronomical one in CE and 1 - Y in BCE; the JDN
  // is given where that day exists in the proleptic Gregorian calendar.
  const std::int64_t astronomical = d.era == engine::Era::CE ? d.year : 1 - d.year;
  const auto jdn = maya::toJdn({astronomical, d.month, d.day}, Calendar::Gregorian);
  if (jdn) {
    row.jdn = jdn.value;
  }
  row.reckoning = Reckoning::ofWindow();
  row.calendar = Calendar::Gregorian;
  return row;
}

// The row of a day number under a correlation.
std::optional<Row> correlatedRow(std::int64_t jdn, const maya::Correlation& c, Calendar calendar,
                                 maya::Spelling spelling, HaabNumbering numbering) {
  const auto date = maya::fromJdn(jdn, calendar);
  if (!date) {
    return std::nullopt;
  }
  const std::int64_t d = jdn - c.jdn;
  Row row;
  row.date = dateText(date.value);
  row.dayCount = d;
  row.longCount = maya::longCountText(d);
  row.tzolkin = tzolkinText(maya::tzolkinOf(d), spelling);
  row.haab = haabText(maya::haabOf(d, numbering), spelling);
  row.lord = maya::lordOfTheNight(d);
  row.jdn = jdn;
  row.reckoning = Reckoning::of(c);
  row.calendar = calendar;
  return row;
}

// The window's date of a Gregorian day, typed as its year field takes it.
std::optional<DateInput> windowDateOfJdn(std::int64_t jdn) {
  const auto date = maya::fromJdn(jdn, Calendar::Gregorian);
  if (!date) {
    return std::nullopt;
  }
  const maya::EraYear y = maya::eraYearOf(date.value.year);
  if (y.year > kMaxYear) {
    return std::nullopt;
  }
  // The window's leap-year rule reads the year as typed, so it offers no
  // 29 February in years such as 1 BCE that are leap years only when
  // counted astronomically.
  if (date.value.month == 2 && date.value.day == 29 &&
      !engine::isGregorianLeapYear(static_cast<std::int32_t>(y.year))) {
    return std::nullopt;
  }
  DateInput d;
  d.year = y.year;
  d.era = y.era == maya::Era::CE ? engine::Era::CE : engine::Era::BCE;
  d.month = date.value.month;
  d.day = date.value.day;
  return d;
}

// Reads "YEAR-MONTH-DAY [CE|BCE]" for a correlation: years 1 upward in either
// era, checked in the calendar's own leap rule.
ScholarlyConverter::Reading readCivilDate(std::string_view s, Calendar calendar) {
  ScholarlyConverter::Reading r;
  std::size_t pos = 0;
  auto number = [&](std::int64_t& v) {
    const std::size_t start = pos;
    v = 0;
    while (pos < s.size() && isDigit(s[pos])) {
      if (v <= maya::kMaxYear) {
        v = v * 10 + (s[pos] - '0');
      }
      ++pos;
    }
    return pos > start;
  };
  std::int64_t year = 0;
  std::int64_t month = 0;
  std::int64_t day = 0;
  const bool form = number(year) && pos < s.size() && s[pos++] == '-' && number(month) &&
                    pos < s.size() && s[pos++] == '-' && number(day) &&
                    (pos == s.size() || isBlank(s[pos]));
  if (!form) {
    r.code = "not_a_date";
    r.reason = "not a date; expected YEAR-MONTH-DAY (optionally CE or BCE), a Long Count such "
               "as 9.12.11.5.18, JDN followed by a number, or today";
    return r;
  }
  const std::string_view eraWord = trimBlanks(s.substr(pos));
  maya::Era era = maya::Era::CE;
  if (year == 0) {
    r.code = "year_out_of_range";
    r.reason = "there is no year 0; 1 BCE is followed by 1 CE";
    return r;
  }
  if (year > maya::kMaxYear) {
    r.code = "year_out_of_range";
    r.reason = "year out of range; the year must be 1 to 999999999999";
    return r;
  }
  if (month < 1 || month > 12) {
    r.code = "month_out_of_range";
    r.reason = "month out of range; the month must be 1 to 12";
    return r;
  }
  if (!eraWord.empty()) {
    if (equalsIgnoringCase(eraWord, "BCE")) {
      era = maya::Era::BCE;
    } else if (!equalsIgnoringCase(eraWord, "CE")) {
      // The day is checked first when the era is known; here it cannot be.
      r.code = "unknown_era";
      r.reason = "unknown era; use CE or BCE";
      return r;
    }
  }
  const std::int64_t astronomical = maya::astronomicalYear(year, era).value;
  const int days = maya::daysInMonth(astronomical, static_cast<int>(month), calendar);
  if (day < 1 || day > days) {
    r.code = "day_out_of_range";
    r.reason = "day out of range; " +
               std::string(engine::kMonthNames[static_cast<std::size_t>(month - 1)]) +
               " of that year has " + std::to_string(days) + " days in the " +
               std::string(calendarName(calendar)) + " calendar";
    return r;
  }
  const auto jdn =
      maya::toJdn({astronomical, static_cast<int>(month), static_cast<int>(day)}, calendar);
  if (!jdn) {
    r.code = jdn.error == maya::CivilError::InReformGap ? "missing_day" : "date_out_of_range";
    r.reason = std::string(maya::civilErrorMessage(jdn.error));
    return r;
  }
  r.day = Day{Day::Kind::Jdn, jdn.value, {}};
  return r;
}

std::string_view codeFor(InputError e) {
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

// Today in the local time zone, as a JDN.
std::int64_t todayJdn() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return maya::toJdn({local.tm_year + 1900LL, local.tm_mon + 1, local.tm_mday}, Calendar::Gregorian)
      .value;
}

} // namespace

bool isOtherInputForm(std::string_view text) noexcept {
  const std::string_view s = trimBlanks(text);
  return equalsIgnoringCase(s, "today") ||
         (s.size() >= 3 && equalsIgnoringCase(s.substr(0, 3), "JDN")) || looksLikeLongCount(s);
}

namespace {

bool looksLikeLongCount(std::string_view s) noexcept {
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    s.remove_prefix(1);
  }
  return !s.empty() && s.find('.') != std::string_view::npos &&
         s.find_first_not_of("0123456789.") == std::string_view::npos;
}

// The length of the well-formed UTF-8 sequence at the start of s, or 0.
std::size_t utf8Length(std::string_view s) noexcept {
  const auto c = static_cast<unsigned char>(s[0]);
  const std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
  if (n == 0 || s.size() < n) {
    return 0;
  }
  for (std::size_t i = 1; i < n; ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      return 0;
    }
  }
  // No overlong forms, surrogates or code points beyond U+10FFFF.
  const auto c1 = static_cast<unsigned char>(s[1]);
  if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0) || (c == 0xF0 && c1 < 0x90) ||
      (c == 0xF4 && c1 >= 0x90)) {
    return 0;
  }
  return n;
}

// JSON string contents: quotes, backslashes and control characters escaped;
// UTF-8 text kept as it is, and a byte that is not part of any UTF-8
// character shown as U+FFFD, so the line is always valid JSON.
void putJsonString(std::string& out, std::string_view s) {
  out += '"';
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20 || c == 0x7f) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04X", c);
      out += esc;
      ++i;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
    } else if (const std::size_t n = utf8Length(s.substr(i)); n > 0) {
      out.append(s.substr(i, n));
      i += n;
    } else {
      out += "\\uFFFD";
      ++i;
    }
  }
  out += '"';
}

// A CSV field, quoted when it holds a comma, a quote or a line break.
void putCsvField(std::string& out, std::string_view s) {
  if (s.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += s;
    return;
  }
  out += '"';
  for (const char c : s) {
    if (c == '"') {
      out += '"';
    }
    out += c;
  }
  out += '"';
}

std::string correlationLabel(const Reckoning& r) {
  if (r.window) {
    return "glyphbox";
  }
  if (r.correlation.name.empty()) {
    return std::to_string(r.correlation.jdn);
  }
  return std::string(r.correlation.name) + " " + std::to_string(r.correlation.jdn);
}

} // namespace

std::string_view calendarName(Calendar calendar) noexcept {
  switch (calendar) {
  case Calendar::Gregorian:
    return "gregorian";
  case Calendar::Julian:
    return "julian";
  case Calendar::Historical:
    return "historical";
  }
  return "";
}

std::vector<DateInput> windowDatesOf(std::int64_t longCountDays) {
  std::vector<DateInput> dates;
  if (longCountDays < 0) {
    return dates;
  }
  // The window writes a count below one baktun with baktun 13, so 13.x.x.x.x
  // is both its face value and that value less 13 baktuns.
  std::vector<std::int64_t> folded = {longCountDays};
  if (longCountDays / kBaktun == 13) {
    folded.push_back(longCountDays - 13 * kBaktun);
  } else if (longCountDays < kBaktun) {
    return dates; // a baktun of 0 is never shown
  }
  const std::int64_t first = windowDayCount(kWindowSearchYears, engine::Era::BCE, 1, 1);
  const std::int64_t last = windowDayCount(kWindowSearchYears, engine::Era::CE, 12, 31);
  std::vector<std::int64_t> counts;
  for (const std::int64_t c : folded) {
    // Day counts the single fold brings to c: c itself, c plus one cycle,
    // and c less whole cycles for counts before the epoch.
    if (c <= kGreatCycle) {
      counts.push_back(c);
    }
    if (c > 0) {
      counts.push_back(c + kGreatCycle);
    }
    if (c < kGreatCycle) {
      for (std::int64_t d = c - kGreatCycle; d >= first; d -= kGreatCycle) {
        counts.push_back(d);
      }
    }
  }
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (const std::int64_t d : counts) {
    if (d < first || d > last) {
      continue;
    }
    // The year of the day count, near enough; its neighbours catch the days
    // where February meets March.
    const std::int64_t approx = (d - 1137199) * 400 / 146097; // 1137199: day count of 1 Mar 0 CE
    for (const engine::Era era : {engine::Era::CE, engine::Era::BCE}) {
      const std::int64_t centre = era == engine::Era::CE ? approx + 1 : -approx;
      for (std::int64_t year = centre - 3; year <= centre + 3; ++year) {
        if (year < (era == engine::Era::CE ? 0 : 1) || year > kWindowSearchYears) {
          continue;
        }
        const bool leap = engine::isGregorianLeapYear(static_cast<std::int32_t>(year));
        for (int month = 1; month <= 12; ++month) {
          const int days = month == 2 && !leap ? 28 : kDays[month - 1];
          for (int day = 1; day <= days; ++day) {
            if (windowDayCount(year, era, month, day) == d) {
              DateInput date;
              date.year = year;
              date.month = month;
              date.day = day;
              date.era = era;
              dates.push_back(date);
            }
          }
        }
      }
    }
  }
  std::sort(dates.begin(), dates.end(), [](const DateInput& a, const DateInput& b) {
    const auto da = windowDayCount(a.year, a.era, a.month, a.day);
    const auto db = windowDayCount(b.year, b.era, b.month, b.day);
    if (da != db) {
      return da < db;
    }
    return (a.era == engine::Era::BCE) > (b.era == engine::Era::BCE);
  });
  return dates;
}

// --- RowWriter -------------------------------------------------------------------

RowWriter::RowWriter(Output& out, OutputFormat format, bool compare, bool classicColumns)
    : out_(out), format_(format), compare_(compare), classic_(classicColumns) {}

void RowWriter::header() {
  switch (format_) {
  case OutputFormat::Tsv:
    out_.put(
        classic_
            ? "date\tday_count\tlong_count\ttzolkin\thaab\n"
            : "date\tday_count\tlong_count\ttzolkin\thaab\tlord\tjdn\tcorrelation\tcalendar\n");
    break;
  case OutputFormat::Csv:
    out_.put("date,day_count,long_count,tzolkin,haab,lord,jdn,correlation,calendar\r\n");
    break;
  default:
    break;
  }
}

void RowWriter::row(const Row& row) {
  std::string line;
  const std::string lord = "G" + std::to_string(row.lord);
  const std::string jdn = row.jdn ? std::to_string(*row.jdn) : std::string();
  const std::string label = correlationLabel(row.reckoning);
  switch (format_) {
  case OutputFormat::Plain: {
    if (classic_) {
      // The window's own line; the date leads where the input did not name it.
      if (!row.typedDate) {
        line += row.date + "  ";
      }
      line += row.longCount + "  " + row.tzolkin + "  " + row.haab + "\n";
      break;
    }
    if (compare_) {
      line += label;
      line.append(label.size() < 24 ? 24 - label.size() : 2, ' ');
    }
    line += row.date + "  " + row.longCount + "  " + row.tzolkin + "  " + row.haab + "  " + lord;
    line += '\n';
    break;
  }
  case OutputFormat::Tsv:
    if (classic_) {
      line = row.date + '\t' + std::to_string(row.dayCount) + '\t' + row.longCount + '\t' +
             row.tzolkin + '\t' + row.haab + '\n';
      break;
    }
    line = row.date + '\t' + std::to_string(row.dayCount) + '\t' + row.longCount + '\t' +
           row.tzolkin + '\t' + row.haab + '\t' + lord + '\t' + jdn + '\t' + label + '\t' +
           std::string(calendarName(row.calendar)) + '\n';
    break;
  case OutputFormat::Csv: {
    const std::string fields[] = {row.date,
                                  std::to_string(row.dayCount),
                                  row.longCount,
                                  row.tzolkin,
                                  row.haab,
                                  lord,
                                  jdn,
                                  label,
                                  std::string(calendarName(row.calendar))};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
      if (i > 0) {
        line += ',';
      }
      putCsvField(line, fields[i]);
    }
    line += "\r\n";
    break;
  }
  case OutputFormat::Json: {
    line = "{\"date\":";
    putJsonString(line, row.date);
    line += ",\"day_count\":" + std::to_string(row.dayCount) + ",\"long_count\":";
    putJsonString(line, row.longCount);
    line += ",\"tzolkin\":";
    putJsonString(line, row.tzolkin);
    line += ",\"haab\":";
    putJsonString(line, row.haab);
    line += ",\"lord\":\"" + lord + "\",\"jdn\":" + (row.jdn ? jdn : std::string("null"));
    line += ",\"correlation\":{\"name\":";
    if (row.reckoning.window) {
      line += "\"glyphbox\",\"jdn\":null}";
    } else {
      if (row.reckoning.correlation.name.empty()) {
        line += "null";
      } else {
        putJsonString(line, row.reckoning.correlation.name);
      }
      line += ",\"jdn\":" + std::to_string(row.reckoning.correlation.jdn) + "}";
    }
    line += ",\"calendar\":\"" + std::string(calendarName(row.calendar)) + "\"}\n";
    break;
  }
  }
  out_.put(line);
}

void RowWriter::refuse(Origin origin, std::string_view text, std::string_view code,
                       std::string_view reason) {
  if (format_ != OutputFormat::Json) {
    out_.error(refusalMessage(origin, text, reason));
    return;
  }
  std::string line = "{\"input\":";
  putJsonString(line, text);
  line += origin.kind == Origin::Kind::Line ? ",\"line\":" : ",\"argument\":";
  line += std::to_string(origin.number);
  line += ",\"error\":{\"code\":";
  putJsonString(line, code);
  line += ",\"message\":";
  putJsonString(line, reason);
  line += "}}\n";
  out_.put(line);
}

// --- ScholarlyConverter -------------------------------------------------------------

ScholarlyConverter::ScholarlyConverter(Output& out, const ConversionSettings& settings)
    : out_(out), settings_(settings), writer_(out, settings.format, settings.compare,
                                              settings.reckoning.window && !settings.compare &&
                                                  (settings.format == OutputFormat::Plain ||
                                                   settings.format == OutputFormat::Tsv)) {
  fastEligible_ = !settings.reckoning.window && !settings.compare;
  fast_ = fastEligible_;
  if (!fastEligible_) {
    return;
  }
  // Every name and row end of the presets and numbers fits its fixed size;
  // should one not, the general path writes the rows rather than a cut one.
  bool fits = true;
  const auto fill = [&fits](auto& fixed, const std::string& text) {
    fits = fits && text.size() <= sizeof fixed.text;
    if (fits) {
      fixed.size = static_cast<std::uint8_t>(text.size());
      std::copy(text.begin(), text.end(), fixed.text);
    }
  };
  const HaabNumbering numbering = settings.haabDays.value_or(HaabNumbering::Seating0);
  // The three cycles repeat every 260, 365 and 9 days: each table holds the
  // names of one whole cycle, by the day count's remainder.
  tzolkin_.resize(maya::kTzolkinDays);
  for (int r = 0; r < maya::kTzolkinDays; ++r) {
    fill(tzolkin_[static_cast<std::size_t>(r)], tzolkinText(maya::tzolkinOf(r), settings.spelling));
  }
  haab_.resize(maya::kHaabYear);
  for (int r = 0; r < maya::kHaabYear; ++r) {
    fill(haab_[static_cast<std::size_t>(r)],
         haabText(maya::haabOf(r, numbering), settings.spelling));
  }
  for (int r = 0; r < maya::kLordsOfTheNight; ++r) {
    lords_[static_cast<std::size_t>(r)] = static_cast<char>('0' + maya::lordOfTheNight(r));
  }
  label_ = correlationLabel(settings.reckoning);
  const std::string calendar(calendarName(settings.calendar));
  std::string json = ",\"correlation\":{\"name\":";
  if (settings.reckoning.correlation.name.empty()) {
    json += "null";
  } else {
    putJsonString(json, settings.reckoning.correlation.name);
  }
  json += ",\"jdn\":" + std::to_string(settings.reckoning.correlation.jdn) + "},\"calendar\":\"" +
          calendar + "\"}\n";
  fill(tsvTail_, '\t' + label_ + '\t' + calendar + '\n');
  fill(csvTail_, ',' + label_ + ',' + calendar + "\r\n");
  fill(jsonTail_, json);
  fastEligible_ = fits;
  fast_ = fastEligible_;
}

namespace {

using put_text::put;
using put_text::putPiece;
using put_text::putShort;

// The Long Count of d, with the place values as constants so the divisions
// become multiplications, and the lower four places from tables.
[[gnu::always_inline]] inline char* putLongCount(char* at, std::int64_t d) noexcept {
  constexpr std::int64_t kTwentyBaktuns = 20 * maya::kBaktun;
  if (d >= 0 && d < kTwentyBaktuns) {
    // Every date of the last five millennia under any usual correlation,
    // in 32-bit arithmetic. A baktun below 20 is written here, not by the
    // digit writer, which costs more on every row: the second byte is
    // stored either way and overwritten when the baktun has one digit.
    const auto u = static_cast<std::uint32_t>(d);
    const std::uint32_t baktun = u / long_count_text::kBaktunDays;
    const bool twoDigits = baktun >= 10;
    at[0] = twoDigits ? '1' : static_cast<char>('0' + baktun);
    at[1] = static_cast<char>('0' + baktun - 10);
    at += twoDigits ? 2 : 1;
    return long_count_text::putLowerPlaces(at, u - baktun * long_count_text::kBaktunDays);
  }
  if (d < 0) {
    return maya::writeLongCount(at, d);
  }
  const std::int64_t baktun = d / maya::kBaktun;
  at = digits::putInt(at, baktun);
  return long_count_text::putLowerPlaces(at,
                                         static_cast<std::uint32_t>(d - baktun * maya::kBaktun));
}

// "-MM": a dash and two digits.
inline char* putDashAndTwoDigits(char* at, int v) noexcept {
  *at = '-';
  std::memcpy(at + 1, digits::kDigitPairs + v * 2, 2);
  return at + 3;
}

// d mod m in [0, m), for d of either sign: the index of d in a cycle of m
// days. The usual day counts, positive and within 32 bits, take an unsigned
// remainder, a multiply and a shift.
inline std::size_t floorMod(std::int64_t d, std::int64_t m) noexcept {
  if (d >= 0 && d <= std::int64_t{UINT32_MAX}) {
    return static_cast<std::uint32_t>(d) % static_cast<std::uint32_t>(m);
  }
  const std::int64_t r = d % m;
  return static_cast<std::size_t>(r < 0 ? r + m : r);
}

constexpr std::array<std::int8_t, 13> kMonthDays = {0,  31, 28, 31, 30, 31, 30,
                                                    31, 31, 30, 31, 30, 31};

// Years that <chrono> and date/julian.h hold as they are, well inside their
// 16 bits: a date of these needs no shift by whole cycles.
constexpr std::int64_t kDirectYears = 30000;

// The JDN of a date of the direct years, or nothing when the day does not
// exist. The calendars' leap rules are applied here, so the libraries'
// checks are not run twice. Preconditions: |year| < kDirectYears, month 1
// to 12, and not 1582 in the historical calendar (the reform's gap).
inline std::optional<std::int64_t> directJdn(std::int64_t astronomical, int month, int day,
                                             Calendar calendar) noexcept {
  const auto y = static_cast<int>(astronomical);
  const bool julian =
      calendar == Calendar::Julian || (calendar == Calendar::Historical && y < 1582);
  const bool leap = (y & 3) == 0 && (julian || y % 100 != 0 || y % 400 == 0);
  const int days = kMonthDays[static_cast<std::size_t>(month)] + (month == 2 && leap ? 1 : 0);
  if (day < 1 || day > days) {
    return std::nullopt;
  }
  const auto m = static_cast<unsigned>(month);
  const auto dd = static_cast<unsigned>(day);
  const std::int64_t sysDays =
      julian ? date::sys_days{julian::year_month_day{julian::year{y}, julian::month{m},
                                                     julian::day{dd}}}
                   .time_since_epoch()
                   .count()
             : std::chrono::sys_days{std::chrono::year_month_day{std::chrono::year{y},
                                                                 std::chrono::month{m},
                                                                 std::chrono::day{dd}}}
                   .time_since_epoch()
                   .count();
  return sysDays + maya::kSysDaysEpochJdn;
}

} // namespace

// The common form of a date under a correlation (see readQuickDate), with a
// year of at most twelve digits and no leading zero, since the general path
// writes the year without them. Returns false, having written nothing, for
// anything else.
bool ScholarlyConverter::convertQuickly(std::string_view s) {
  QuickDate q;
  if (!readQuickDate<12>(s, q) || q.leadingZero || q.year < 1) {
    return false;
  }
  const Calendar calendar = settings_.calendar;
  const std::int64_t astronomical = q.bce ? 1 - q.year : q.year;
  std::int64_t jdn = 0;
  if (astronomical > -kDirectYears && astronomical < kDirectYears &&
      (calendar != Calendar::Historical || astronomical != 1582)) {
    const auto direct = directJdn(astronomical, q.month, q.day, calendar);
    if (!direct) {
      return false;
    }
    jdn = *direct;
  } else {
    if (q.day < 1 || q.day > maya::daysInMonth(astronomical, q.month, calendar)) {
      return false;
    }
    const auto general = maya::toJdn({astronomical, q.month, q.day}, calendar);
    if (!general) {
      return false;
    }
    jdn = general.value;
  }
  const std::int64_t d = jdn - settings_.reckoning.correlation.jdn;
  const Piece& tzolkin = tzolkin_[floorMod(d, maya::kTzolkinDays)];
  const Piece& haab = haab_[floorMod(d, maya::kHaabYear)];
  const char lord = lords_[floorMod(d, maya::kLordsOfTheNight)];

  char* at = out_.reserve(512);
  const OutputFormat format = settings_.format;
  if (format == OutputFormat::Json) {
    at = put(at, "{\"date\":\"");
  }
  if (q.padded) { // typed as it is written: the year has no leading zero
    at = putShort(at, s.data(), q.dateLength);
  } else {
    at = digits::putInt(at, q.year);
    at = putDashAndTwoDigits(at, q.month);
    at = putDashAndTwoDigits(at, q.day);
  }
  static constexpr char kEras[2][8] = {" CE", " BCE"};
  std::memcpy(at, kEras[q.bce ? 1 : 0], 8);
  at += q.bce ? 4 : 3;
  switch (format) {
  case OutputFormat::Plain:
    at = put(at, "  ");
    at = putLongCount(at, d);
    at = put(at, "  ");
    at = putPiece(at, tzolkin);
    at = put(at, "  ");
    at = putPiece(at, haab);
    at = put(at, "  G");
    *at++ = lord;
    *at++ = '\n';
    break;
  case OutputFormat::Tsv:
  case OutputFormat::Csv: {
    const char sep = format == OutputFormat::Tsv ? '\t' : ',';
    *at++ = sep;
    at = digits::putInt(at, d);
    *at++ = sep;
    at = putLongCount(at, d);
    *at++ = sep;
    at = putPiece(at, tzolkin);
    *at++ = sep;
    at = putPiece(at, haab);
    *at++ = sep;
    *at++ = 'G';
    *at++ = lord;
    *at++ = sep;
    at = digits::putInt(at, jdn);
    at = putPiece(at, sep == '\t' ? tsvTail_ : csvTail_);
    break;
  }
  case OutputFormat::Json:
    at = put(at, "\",\"day_count\":");
    at = digits::putInt(at, d);
    at = put(at, ",\"long_count\":\"");
    at = putLongCount(at, d);
    at = put(at, "\",\"tzolkin\":\"");
    at = putPiece(at, tzolkin);
    at = put(at, "\",\"haab\":\"");
    at = putPiece(at, haab);
    at = put(at, "\",\"lord\":\"G");
    *at++ = lord;
    at = put(at, "\",\"jdn\":");
    at = digits::putInt(at, jdn);
    at = putPiece(at, jsonTail_);
    break;
  }
  out_.commit(at);
  return true;
}

ScholarlyConverter::Reading ScholarlyConverter::read(std::string_view text) const {
  const std::string_view s = trimBlanks(text);
  Reading r;
  if (equalsIgnoringCase(s, "today")) {
    r.day = Day{Day::Kind::Jdn, todayJdn(), {}};
    return r;
  }
  if (s.size() >= 3 && equalsIgnoringCase(s.substr(0, 3), "JDN") &&
      (s.size() == 3 || isBlank(s[3]) || isDigit(s[3]) || s[3] == '-' || s[3] == '+')) {
    const std::string_view number = trimBlanks(s.substr(3));
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
      r.code = "not_a_jdn";
      r.reason = "not a Julian Day Number; expected JDN followed by a whole number of at most "
                 "15 digits";
      return r;
    }
    r.day = Day{Day::Kind::Jdn, negative ? -jdn : jdn, {}};
    return r;
  }
  if (looksLikeLongCount(s)) {
    const maya::ParsedLongCount lc = maya::parseLongCount(s);
    if (!lc) {
      r.code = "bad_long_count";
      r.reason = maya::longCountErrorMessage(lc);
      return r;
    }
    if (lc.places < maya::kDatePlaces) {
      r.code = "too_few_places";
      r.reason = "a Long Count of fewer than five places is a distance, not a date";
      return r;
    }
    r.day = Day{Day::Kind::LongCount, lc.days, {}};
    return r;
  }
  if (settings_.reckoning.window && !settings_.compare) {
    const ParseResult parsed = parseDate(s);
    if (parsed.error != InputError::None) {
      r.code = codeFor(parsed.error);
      r.reason = reasonFor(parsed);
      return r;
    }
    r.day = Day{Day::Kind::WindowDate, 0, parsed.date};
    return r;
  }
  return readCivilDate(s, settings_.calendar);
}

std::string ScholarlyConverter::rowsFor(const Day& day, std::vector<Row>& rows) const {
  const auto numbering = [&](bool window) {
    return settings_.haabDays.value_or(window ? HaabNumbering::Window1 : HaabNumbering::Seating0);
  };
  const maya::Spelling spelling = settings_.spelling;
  auto addWindow = [&](const DateInput& d) {
    if (auto row = windowRow(d, spelling, numbering(true))) {
      rows.push_back(std::move(*row));
      return true;
    }
    return false;
  };
  auto addCorrelated = [&](const maya::Correlation& c) {
    const std::int64_t jdn = day.kind == Day::Kind::LongCount ? day.value + c.jdn : day.value;
    if (auto row = correlatedRow(jdn, c, settings_.calendar, spelling, numbering(false))) {
      rows.push_back(std::move(*row));
      return true;
    }
    return false;
  };
  auto addWindowRows = [&]() -> std::string {
    switch (day.kind) {
    case Day::Kind::WindowDate:
      if (addWindow(day.window)) {
        rows.back().typedDate = true;
      }
      return !rows.empty()
                 ? std::string()
                 : "cannot convert this date: Overflow: a number is too large for the calculation";
    case Day::Kind::Jdn: {
      const auto d = windowDateOfJdn(day.value);
      if (!d) {
        return "the window cannot show this day: its year lies beyond 2147483647, or it is a "
               "29 February the window's leap-year rule (which reads the year as typed) does "
               "not offer";
      }
      return addWindow(*d) ? std::string()
                           : "cannot convert this date: Overflow: a number is too large for "
                             "the calculation";
    }
    case Day::Kind::LongCount: {
      const auto dates = windowDatesOf(day.value);
      for (const DateInput& d : dates) {
        addWindow(d);
      }
      return dates.empty() ? "the window shows this Long Count on no date of the years 9999 BCE "
                             "to 9999 CE"
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
    return rows.empty() ? "this day lies outside every calendar's range" : std::string();
  }
  if (settings_.reckoning.window) {
    return addWindowRows();
  }
  if (!addCorrelated(settings_.reckoning.correlation)) {
    return "the date of this day lies outside the supported years";
  }
  return {};
}

bool ScholarlyConverter::convert(std::string_view text, Origin origin) {
  return (fast_ && convertQuickly(text)) || convertGenerally(text, origin);
}

bool ScholarlyConverter::convertGenerally(std::string_view text, Origin origin) {
  const Reading reading = read(text);
  if (!reading.day) {
    writer_.refuse(origin, text, reading.code, reading.reason);
    return false;
  }
  std::vector<Row> rows;
  const std::string refusal = rowsFor(*reading.day, rows);
  for (const Row& row : rows) {
    writer_.row(row);
  }
  if (!refusal.empty()) {
    writer_.refuse(origin, text, "no_date", refusal);
    return false;
  }
  return true;
}

void ScholarlyConverter::refuseTooLong(std::string_view start, Origin origin) {
  writer_.refuse(origin, start, "line_too_long", "line too long to be a date");
}

} // namespace glyphbox::cli
