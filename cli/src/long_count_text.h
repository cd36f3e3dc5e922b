#pragma once

// The four lower places of a Long Count, written from two small tables:
// a day within its baktun (0 to 143999) is 400 katun-tun pairs of 360 days
// each, and a day within those 360 is a uinal-kin pair. Each entry is
// padded to eight bytes, so it is copied in one move.

#include <array>
#include <cstdint>
#include <cstring>

namespace glyphbox::cli::long_count_text {

inline constexpr std::uint32_t kBaktunDays = 144000;
inline constexpr std::uint32_t kTunDays = 360;
inline constexpr std::uint32_t kUinalDays = 20;
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

} // namespace glyphbox::cli::long_count_text
