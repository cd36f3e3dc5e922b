#pragma once

// The Long Count as a 64-bit day number d, counted from 0.0.0.0.0.
//
//   parseLongCount(text)            -> ParsedLongCount  ("9.12.11.5.18", "-0.0.0.1.5", 2 to 9
//   places) parseLongCountDistance(text)    -> ParsedLongCount  (also a leading '+')
//   longCountErrorMessage(parsed)   -> std::string      ("uinal 18 is out of range; ...")
//   splitLongCount(d, places)       -> LongCountPlaces  (sign and places, largest first)
//   writeLongCount(out, d)          -> char*            five places, "13.0.0.0.0", no allocation
//   writeLongCount(out, d, places)  -> char*            a chosen number of places (1 to 9)
//   writeLongCountDistance(out, d)  -> char*            largest nonzero place first: 823 -> "2.5.3"
//   longCountText(d), longCountText(d, places), longCountDistanceText(d) -> std::string
//
// A Long Count is read at face value: d = sum of place x place value, so
// 0.0.0.0.0 is day 0 and 13.0.0.0.0 is day 1,872,000. A day before
// 0.0.0.0.0 is written with a minus sign before the whole count: d = -25 is
// "-0.0.0.1.5". The leading place of a written count may exceed 19 (a
// five-place 20.0.0.0.0 is one piktun).

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace glyphbox::maya {

// Place values in days, from the kin up: 20 of each place make the next,
// except the tun, which is 18 uinals.
inline constexpr std::int64_t kKin = 1;
inline constexpr std::int64_t kUinal = 20 * kKin;
inline constexpr std::int64_t kTun = 18 * kUinal;
inline constexpr std::int64_t kKatun = 20 * kTun;
inline constexpr std::int64_t kBaktun = 20 * kKatun;
inline constexpr std::int64_t kPiktun = 20 * kBaktun;
inline constexpr std::int64_t kKalabtun = 20 * kPiktun;
inline constexpr std::int64_t kKinchiltun = 20 * kKalabtun;
inline constexpr std::int64_t kAlautun = 20 * kKinchiltun;
static_assert(kTun == 360 && kKatun == 7'200 && kBaktun == 144'000 && kPiktun == 2'880'000);
static_assert(kKalabtun == 57'600'000 && kKinchiltun == 1'152'000'000);
static_assert(kAlautun == 23'040'000'000);

// Places are numbered from the kin: place 0 is the kin, place 8 the alautun.
inline constexpr int kMaxPlaces = 9;
inline constexpr int kDatePlaces = 5; // baktun.katun.tun.uinal.kin
inline constexpr std::array<std::int64_t, kMaxPlaces> kPlaceValues = {
    kKin, kUinal, kTun, kKatun, kBaktun, kPiktun, kKalabtun, kKinchiltun, kAlautun};
inline constexpr std::array<std::string_view, kMaxPlaces> kPlaceNames = {
    "kin", "uinal", "tun", "katun", "baktun", "piktun", "kalabtun", "kinchiltun", "alautun"};

// How many of a place make the next one up: 20, except 18 uinals to the tun.
[[nodiscard]] constexpr std::int64_t placeRadix(int place) noexcept { return place == 1 ? 18 : 20; }

// The great cycle of 13 baktuns; 13.0.0.0.0 read at face value.
inline constexpr std::int64_t kGreatCycle = 13 * kBaktun;
static_assert(kGreatCycle == 1'872'000);

// Day numbers a Long Count may reach either way: 10^15 days, some 2.7 million
// million years, so that a correlation can be added without leaving 64 bits.
inline constexpr std::int64_t kMaxDayNumber = 1'000'000'000'000'000;
static_assert(kMaxDayNumber < INT64_MAX / 8);

// Longest text any writer below produces, for any d but INT64_MIN: a sign,
// at most 19 digits of the leading place, and up to eight ".NN" places.
inline constexpr int kMaxLongCountText = 1 + 19 + 8 * 3;

enum class LongCountError {
  Ok,
  Empty,           // no text, or only a sign
  NotANumber,      // a character other than a digit and the points between places
  EmptyPlace,      // two points together, or a point at either end
  TooFewPlaces,    // fewer than 2 places
  TooManyPlaces,   // more than 9 places
  PlaceOutOfRange, // a non-leading place above its range (uinal 0-17, others 0-19)
  TooLarge,        // |d| above kMaxDayNumber
};

// What a parse found: the day number, or the error and where it is.
struct ParsedLongCount {
  std::int64_t days = 0; // d, when ok()
  LongCountError error = LongCountError::Ok;
  int places = 0;              // places read (when ok(), 2 to 9)
  int errorPlace = -1;         // PlaceOutOfRange: the place (0 = kin); else -1
  std::int64_t errorValue = 0; // PlaceOutOfRange: the value written there
  std::size_t errorOffset = 0; // NotANumber, EmptyPlace: offset of the fault in the text

  [[nodiscard]] constexpr bool ok() const noexcept { return error == LongCountError::Ok; }
  constexpr explicit operator bool() const noexcept { return ok(); }
};

// Reads a Long Count date: 2 to 9 places of decimal digits joined by '.',
// optionally preceded by '-' (a day before 0.0.0.0.0), with no blanks. The
// uinal must be 0 to 17 and every other place but the first 0 to 19; the
// first place may be any value that keeps |d| <= kMaxDayNumber.
[[nodiscard]] ParsedLongCount parseLongCount(std::string_view text) noexcept;

// As parseLongCount, for a distance in days, which may also carry a '+'.
[[nodiscard]] ParsedLongCount parseLongCountDistance(std::string_view text) noexcept;

// One sentence naming what is wrong and why, e.g. "uinal 18 is out of range;
// the uinal runs 0 to 17" or "too few places: a Long Count has 2 to 9".
[[nodiscard]] std::string longCountErrorMessage(const ParsedLongCount& parsed);

// A day number split into places, largest first: value[0] is the leading
// place and holds whatever does not fit the places below it, value[count - 1]
// is the kin; the sign is apart.
struct LongCountPlaces {
  bool negative = false;
  int count = 0;
  std::array<std::int64_t, kMaxPlaces> value{};
};

// Preconditions: places in [1, 9], d > INT64_MIN. |d| is split into places
// places, the leading one unbounded.
[[nodiscard]] constexpr LongCountPlaces splitLongCount(std::int64_t d, int places) noexcept {
  LongCountPlaces out;
  out.negative = d < 0;
  out.count = places;
  std::int64_t rest = d < 0 ? -d : d;
  for (int place = 0; place < places - 1; ++place) {
    const std::int64_t radix = placeRadix(place);
    out.value[static_cast<std::size_t>(places - 1 - place)] = rest % radix;
    rest /= radix;
  }
  out.value[0] = rest;
  return out;
}

// The fewest places that write |d| with a nonzero leading place, at least 2
// (so that the text reads back with parseLongCountDistance). Preconditions:
// d > INT64_MIN.
[[nodiscard]] constexpr int distancePlaces(std::int64_t d) noexcept {
  const std::int64_t magnitude = d < 0 ? -d : d;
  int places = 2;
  while (places < kMaxPlaces && magnitude >= kPlaceValues[static_cast<std::size_t>(places)]) {
    ++places;
  }
  return places;
}

namespace detail {

// The four lower places of a Long Count, written from two small tables: a
// day within its baktun (0 to 143999) is 400 katun-tun pairs of 360 days
// each, and a day within those 360 is a uinal-kin pair. Each entry is
// padded to eight bytes, so it is copied in one move.
inline constexpr std::uint32_t kBaktunDays = static_cast<std::uint32_t>(kBaktun);
inline constexpr std::uint32_t kTunDays = static_cast<std::uint32_t>(kTun);
inline constexpr std::uint32_t kUinalDays = static_cast<std::uint32_t>(kUinal);
inline constexpr std::uint32_t kTunsInBaktun = kBaktunDays / kTunDays; // 20 katuns of 20 tuns

// ".K.T" or ".U.K": two places, each 0 to 19, each after a dot.
struct PlacePair {
  char text[7] = {};
  std::uint8_t size = 0;
};
static_assert(sizeof(PlacePair) == 8);

constexpr PlacePair placePair(std::uint32_t first, std::uint32_t second) noexcept {
  PlacePair p;
  std::uint8_t n = 0;
  for (const std::uint32_t place : {first, second}) {
    p.text[n++] = '.';
    if (place >= 10) {
      p.text[n++] = '1';
    }
    p.text[n++] = static_cast<char>('0' + place % 10);
  }
  p.size = n;
  return p;
}

struct Tables {
  std::array<PlacePair, kTunsInBaktun> katunTun{}; // by the tun within the baktun
  std::array<PlacePair, kTunDays> uinalKin{};      // by the day within the tun
};

constexpr Tables makeTables() noexcept {
  Tables t;
  for (std::uint32_t i = 0; i < kTunsInBaktun; ++i) {
    t.katunTun[i] = placePair(i / 20, i % 20);
  }
  for (std::uint32_t i = 0; i < kTunDays; ++i) {
    t.uinalKin[i] = placePair(i / kUinalDays, i % kUinalDays);
  }
  return t;
}

inline constexpr Tables kTables = makeTables();
static_assert(kTables.katunTun[399].size == 6 && kTables.uinalKin[359].text[5] == '9');

// ".katun.tun.uinal.kin" of a day within its baktun. Precondition:
// dayInBaktun < kBaktunDays. Stores up to 16 bytes from `at`.
[[gnu::always_inline]] inline char* putLowerPlaces(char* at, std::uint32_t dayInBaktun) noexcept {
  const std::uint32_t tuns = dayInBaktun / kTunDays;
  const PlacePair& high = kTables.katunTun[tuns];
  const PlacePair& low = kTables.uinalKin[dayInBaktun - tuns * kTunDays];
  std::memcpy(at, &high, sizeof high);
  at += high.size;
  std::memcpy(at, &low, sizeof low);
  return at + low.size;
}

// The leading place of a Long Count, any size.
char* writeLeadingPlace(char* out, std::int64_t value) noexcept;

} // namespace detail

// Writes d as a five-place Long Count ("9.12.11.5.18", "-0.0.0.1.5",
// "20.0.0.0.0" for one piktun) at out and returns the end; no terminating
// NUL. out must have room for kMaxLongCountText characters, all of which it
// may store to. Any d but INT64_MIN. Inline, for writers of many rows.
[[gnu::always_inline]] inline char* writeLongCount(char* out, std::int64_t d) noexcept {
  if (d < 0) {
    *out++ = '-';
    d = -d;
  }
  if (d >= 20 * kBaktun) {
    const std::int64_t baktun = d / kBaktun;
    out = detail::writeLeadingPlace(out, baktun);
    return detail::putLowerPlaces(out, static_cast<std::uint32_t>(d - baktun * kBaktun));
  }
  // The days of the last eight millennia either way: a baktun of one or two
  // digits, in 32-bit arithmetic. The second byte is stored either way and
  // overwritten when the baktun has one digit.
  const auto u = static_cast<std::uint32_t>(d);
  const std::uint32_t baktun = u / detail::kBaktunDays;
  const bool twoDigits = baktun >= 10;
  out[0] = twoDigits ? '1' : static_cast<char>('0' + baktun);
  out[1] = static_cast<char>('0' + baktun - 10);
  out += twoDigits ? 2 : 1;
  return detail::putLowerPlaces(out, u - baktun * detail::kBaktunDays);
}

// As writeLongCount with places places (1 to 9), the leading one unbounded.
char* writeLongCount(char* out, std::int64_t d, int places) noexcept;

// Writes a distance: the largest nonzero place first, at least two places,
// e.g. 823 -> "2.5.3", 5 -> "0.5", -20 -> "-1.0". No '+' for positive values.
char* writeLongCountDistance(char* out, std::int64_t d) noexcept;

[[nodiscard]] std::string longCountText(std::int64_t d);
[[nodiscard]] std::string longCountText(std::int64_t d, int places);
[[nodiscard]] std::string longCountDistanceText(std::int64_t d);

} // namespace glyphbox::maya
