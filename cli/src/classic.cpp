#include <glyphbox/cli/classic.h>

#include "digits.h"
#include "long_count_text.h"
#include "put_text.h"
#include "quick_date.h"
#include <glyphbox/cli/scholarly.h>

#include <glyphbox/engine/long_count.h>
#include <glyphbox/engine/month_table.h>
#include <glyphbox/engine/tzolkin_haab.h>

#include <array>
#include <cstdio>
#include <cstring>

namespace glyphbox::cli {
namespace {

using digits::putInt;

constexpr std::int64_t kBaktun = 144000;
constexpr std::int64_t kUinal = 20;
// The window's fold and overflow, as the engine defines them.
static_assert(windowFoldedCount(static_cast<std::int64_t>(engine::kGreatCycle)) ==
              static_cast<std::int64_t>(engine::kGreatCycle));
static_assert(windowFoldedCount(static_cast<std::int64_t>(engine::kGreatCycle) + 1) == 1);
static_assert(!windowFoldedCount(static_cast<std::int64_t>(engine::kLongCountLimit) +
                                 static_cast<std::int64_t>(engine::kGreatCycle)));
// The window's anchor: 1 January 2000 CE is 12.19.6.15.1.
static_assert(windowDayCount(2000, engine::Era::CE, 1, 1) ==
              12 * 144000 + 19 * 7200 + 6 * 360 + 15 * 20 + 1);
constexpr std::int64_t floorMod(std::int64_t a, std::int64_t b) noexcept {
  const std::int64_t r = a % b;
  return r < 0 ? r + b : r;
}

// A short text padded to 16 bytes, so it can be copied in one move.
struct Piece {
  char text[15] = {};
  std::uint8_t size = 0;
};

Piece makePiece(std::string_view s) {
  Piece p;
  std::memcpy(p.text, s.data(), s.size());
  p.size = static_cast<std::uint8_t>(s.size());
  return p;
}

// Everything a converted line is assembled from.
struct Tables {
  std::array<Piece, 13 * 20> tzolkin; // "10 Imix", by (number - 1) x 20 + name index
  std::array<Piece, 365> haab;        // "9 Kankin", by the window's Haab position

  Tables() {
    char text[16];
    for (int n = 1; n <= 13; ++n) {
      for (std::size_t i = 0; i < 20; ++i) {
        const int len = std::snprintf(text, sizeof text, "%d %.*s", n,
                                      static_cast<int>(engine::kTzolkinNames[i].size()),
                                      engine::kTzolkinNames[i].data());
        tzolkin[static_cast<std::size_t>(n - 1) * 20 + i] =
            makePiece(std::string_view(text, static_cast<std::size_t>(len)));
      }
    }
    for (int p = 0; p < engine::kHaabYear; ++p) {
      // The same division as the window's: positions 360 to 364 are Uayeb.
      const int month = p / engine::kHaabMonthDays + 1;
      const int day = p - (month - 1) * engine::kHaabMonthDays + 1;
      const auto name = engine::kHaabMonthNames[static_cast<std::size_t>(month - 1)];
      const int len = std::snprintf(text, sizeof text, "%d %.*s", day,
                                    static_cast<int>(name.size()), name.data());
      haab[static_cast<std::size_t>(p)] =
          makePiece(std::string_view(text, static_cast<std::size_t>(len)));
    }
  }
};

const Tables& tables() {
  static const Tables t;
  return t;
}

using put_text::put;
using put_text::putPiece;

// Shown input and its escapes: at most this many bytes of it.
constexpr std::size_t kShownBytes = 60;
// The longest message: prefix, origin, the shown text with every byte
// escaped, and the longest reason.
constexpr std::size_t kMaxMessage = 64 + 24 + kShownBytes * 4 + 3 + 128;

char* putPrintable(char* at, std::string_view text) noexcept {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::size_t shown = text.size() < kShownBytes ? text.size() : kShownBytes;
  for (std::size_t i = 0; i < shown; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      *at++ = static_cast<char>(c);
    } else {
      *at++ = '\\';
      *at++ = 'x';
      *at++ = kHex[c >> 4];
      *at++ = kHex[c & 0xF];
    }
  }
  if (text.size() > kShownBytes) {
    at = put(at, std::string_view("..."));
  }
  return at;
}

char* putOrigin(char* at, Origin origin) noexcept {
  at = put(at, origin.kind == Origin::Kind::Line ? std::string_view("line ")
                                                 : std::string_view("argument "));
  return putInt(at, origin.number);
}

char* putMessage(char* at, Origin origin, std::string_view text, std::string_view reason1,
                 std::string_view reason2 = {}, std::string_view reason3 = {},
                 std::string_view reason4 = {}, std::string_view reason5 = {}) noexcept {
  at = put(at, std::string_view("glyphbox-cli: "));
  at = putOrigin(at, origin);
  at = put(at, std::string_view(": \""));
  at = putPrintable(at, text);
  at = put(at, std::string_view("\": "));
  at = put(at, reason1);
  at = put(at, reason2);
  at = put(at, reason3);
  at = put(at, reason4);
  at = put(at, reason5);
  *at++ = '\n';
  return at;
}

constexpr std::string_view kNotADate =
    "not a date; expected YEAR-MONTH-DAY, optionally followed by CE or BCE";
constexpr std::string_view kYearOutOfRange = "year out of range; the year must be 0 to 2147483647";
constexpr std::string_view kMonthOutOfRange = "month out of range; the month must be 1 to 12";
constexpr std::string_view kUnknownEra = "unknown era; use CE or BCE";
constexpr std::string_view kOverflow =
    "cannot convert this date: Overflow: a number is too large for the calculation";
constexpr std::string_view kTooLong = "line too long to be a date";

} // namespace

std::string printable(std::string_view text) {
  char buffer[kShownBytes * 4 + 4];
  return std::string(buffer, putPrintable(buffer, text));
}

std::string reasonFor(const ParseResult& parsed) {
  switch (parsed.error) {
  case InputError::None:
    return {};
  case InputError::NotADate:
    return std::string(kNotADate);
  case InputError::YearOutOfRange:
    return std::string(kYearOutOfRange);
  case InputError::MonthOutOfRange:
    return std::string(kMonthOutOfRange);
  case InputError::DayOutOfRange:
    return "day out of range; " +
           std::string(engine::kMonthNames[static_cast<std::size_t>(parsed.date.month - 1)]) +
           " of that year has " + std::to_string(parsed.date.daysInMonth) + " days";
  case InputError::UnknownEra:
    return std::string(kUnknownEra);
  }
  return {};
}

std::string refusalMessage(Origin origin, std::string_view text, std::string_view reason) {
  std::string message(kMaxMessage + reason.size(), '\0');
  char* end = putMessage(message.data(), origin, text, reason);
  message.resize(static_cast<std::size_t>(end - message.data()));
  return message;
}

ClassicConverter::ClassicConverter(Output& output, ClassicFormat format)
    : out_(output), format_(format), tables_(&tables()) {}

void ClassicConverter::writeHeader() {
  if (format_ == ClassicFormat::Tsv) {
    out_.put("date\tday_count\tlong_count\ttzolkin\thaab\n");
  }
}

void ClassicConverter::refuseTooLong(std::string_view start, Origin origin) {
  char message[kMaxMessage];
  out_.error(std::string_view(
      message, static_cast<std::size_t>(putMessage(message, origin, start, kTooLong) - message)));
}

// The common form, checked as the year field checks it: whatever this
// accepts, parseDate accepts with the same fields.
inline bool quickParse(std::string_view s, DateInput& d) noexcept {
  QuickDate q;
  if (!readQuickDate<10>(s, q) || q.year > kMaxYear) {
    return false;
  }
  // The year field's leap-year rule reads the year as typed, whatever the era.
  const auto y = static_cast<std::int32_t>(q.year);
  const bool leap = (y & 3) == 0 && (y % 100 != 0 || y % 400 == 0);
  static constexpr std::array<std::int8_t, 13> kDays = {0,  31, 28, 31, 30, 31, 30,
                                                        31, 31, 30, 31, 30, 31};
  const int days = kDays[static_cast<std::size_t>(q.month)] + (q.month == 2 && leap ? 1 : 0);
  if (q.day < 1 || q.day > days) {
    return false;
  }
  d.year = q.year;
  d.month = q.month;
  d.day = q.day;
  d.era = q.bce ? engine::Era::BCE : engine::Era::CE;
  d.daysInMonth = days;
  return true;
}

// Refusals and the other input forms are rare: kept out of line, so the
// conversion itself needs no room for a message.
bool ClassicConverter::refuse(const ParseResult& parsed, std::string_view text, Origin origin) {
  const DateInput& date = parsed.date;
  if (parsed.error == InputError::NotADate && otherForms_ != nullptr && isOtherInputForm(text)) {
    return otherForms_(otherContext_, text, origin);
  }
  char message[kMaxMessage];
  char* end = message;
  switch (parsed.error) {
  case InputError::DayOutOfRange: {
    char days[16]; // room for the digit writer's wide store
    const std::string_view month = engine::kMonthNames[static_cast<std::size_t>(date.month - 1)];
    end = putMessage(
        message, origin, text, "day out of range; ", month, " of that year has ",
        std::string_view(days, static_cast<std::size_t>(putInt(days, date.daysInMonth) - days)),
        " days");
    break;
  }
  case InputError::YearOutOfRange:
    end = putMessage(message, origin, text, kYearOutOfRange);
    break;
  case InputError::MonthOutOfRange:
    end = putMessage(message, origin, text, kMonthOutOfRange);
    break;
  case InputError::UnknownEra:
    end = putMessage(message, origin, text, kUnknownEra);
    break;
  case InputError::None: // a day count past the Long Count's 16-bit baktun
    end = putMessage(message, origin, text, kOverflow);
    break;
  default:
    end = putMessage(message, origin, text, kNotADate);
    break;
  }
  out_.error(std::string_view(message, static_cast<std::size_t>(end - message)));
  return false;
}

bool ClassicConverter::convert(std::string_view text, Origin origin) {
  ParseResult parsed;
  if (!quickParse(text, parsed.date)) {
    parsed = parseDate(text);
    if (parsed.error != InputError::None) {
      return refuse(parsed, text, origin);
    }
  }
  const DateInput& date = parsed.date;
  const std::int64_t dayCount = windowDayCount(date.year, date.era, date.month, date.day);
  const std::optional<std::int64_t> folded = windowFoldedCount(dayCount);
  if (!folded) {
    return refuse(parsed, text, origin);
  }
  const std::int64_t count = *folded;

  const Tables& t = *static_cast<const Tables*>(tables_);
  const std::int64_t baktun = count / kBaktun;
  const auto dayInBaktun = static_cast<std::uint32_t>(count - baktun * kBaktun);
  const auto kin = static_cast<std::size_t>(dayInBaktun % kUinal);
  const auto number = floorMod(dayCount + 3, 13);
  const auto haabPosition = floorMod(dayCount + engine::kHaabEpochPosition, engine::kHaabYear);

  constexpr std::size_t kMaxLine = 256;
  char* at = out_.reserve(kMaxLine);
  const char separator = format_ == ClassicFormat::Tsv ? '\t' : ' ';
  if (format_ == ClassicFormat::Tsv) {
    // The year without leading zeros: its value, which fits 32 bits.
    at = digits::putUnsigned32(at, static_cast<std::uint32_t>(date.year));
    // "-MM-DD": always six bytes.
    at[0] = '-';
    std::memcpy(at + 1, digits::kDigitPairs + date.month * 2, 2);
    at[3] = '-';
    std::memcpy(at + 4, digits::kDigitPairs + date.day * 2, 2);
    at += 6;
    static constexpr char kEras[2][8] = {" CE\t", " BCE\t"};
    const bool bce = date.era == engine::Era::BCE;
    std::memcpy(at, kEras[bce ? 1 : 0], 8);
    at += bce ? 5 : 4;
    at = putInt(at, dayCount);
    *at++ = '\t';
  }
  // The baktun of a count below one baktun is written 13.
  at = baktun == 0 ? put(at, std::string_view("13")) : putInt(at, baktun);
  at = long_count_text::putLowerPlaces(at, dayInBaktun);
  *at++ = separator;
  if (separator == ' ') {
    *at++ = ' ';
  }
  at = putPiece(at, t.tzolkin[static_cast<std::size_t>(number * 20 + kin)]);
  *at++ = separator;
  if (separator == ' ') {
    *at++ = ' ';
  }
  at = putPiece(at, t.haab[static_cast<std::size_t>(haabPosition)]);
  *at++ = '\n';
  out_.commit(at);
  return true;
}

} // namespace glyphbox::cli
