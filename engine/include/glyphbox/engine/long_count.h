#pragma once

#include <glyphbox/maya/long_count.h>

#include <string>

namespace glyphbox::engine {

// Place values of the Long Count, in days: the scholarly library's, as the
// doubles the window's arithmetic works in.
inline constexpr double kKatunDays = static_cast<double>(maya::kKatun); // 20 tuns
inline constexpr double kTunDays = static_cast<double>(maya::kTun);     // 18 uinals
inline constexpr double kUinalDays = static_cast<double>(maya::kUinal); // 20 kins
inline constexpr double kBaktunDays = static_cast<double>(maya::kBaktun);
static_assert(kBaktunDays == 20 * kKatunDays && kKatunDays == 20 * kTunDays &&
              kTunDays == 18 * kUinalDays);

// One great cycle: 13 baktuns, the span the day count is folded into.
inline constexpr double kGreatCycle = static_cast<double>(maya::kGreatCycle);
static_assert(kGreatCycle == 13 * kBaktunDays);

// A place counter is a 16-bit number: a count of 144000 x 32768 days or more
// does not fit in the baktun place.
inline constexpr double kLongCountLimit = kBaktunDays * 32768.0;

// The baktun of a count below one baktun is written 13, the number the
// current great cycle began with; the other places show 0.
inline constexpr double kZeroBaktunShownAs = 13.0;

struct LongCount {
  double baktun = 0;
  double katun = 0;
  double tun = 0;
  double uinal = 0;
  double kin = 0; // 0 to 19 for any count from 0 up

  // "12.19.6.15.1": the five places joined by points, no blanks.
  [[nodiscard]] std::string text() const;
  // Writes text() into [first, last) and returns its end; the buffer must
  // hold kMaxTextLength characters.
  static constexpr int kMaxTextLength = 5 * 32;
  char* writeText(char* first, char* last) const noexcept;

  friend bool operator==(const LongCount&, const LongCount&) = default;
};

// The Long Count of a folded day count: any number from 0 up to below
// kLongCountLimit (a fraction of a day stays with the kins). Raises the
// invalid-argument error for a negative count (the fold never gives one),
// the overflow error from kLongCountLimit up and the floating-point error
// when count is not finite.
[[nodiscard]] LongCount computeLongCount(double count);

} // namespace glyphbox::engine
