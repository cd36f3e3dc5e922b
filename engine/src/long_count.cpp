#include <glyphbox/engine/long_count.h>

#include <glyphbox/runtime/conversions.h>

#include <cmath>

namespace glyphbox::engine {
namespace {

// How many whole places fit into remaining, taking them off it. Integer
// division gives the same quotient as subtracting the place one at a time;
// counts below kLongCountLimit fit a 64-bit integer exactly.
double takePlace(long long& remaining, double placeDays) {
  const auto days = static_cast<long long>(placeDays);
  const long long places = remaining / days;
  remaining -= places * days;
  return static_cast<double>(places);
}

} // namespace

LongCount computeLongCount(double count) {
  runtime::checkFloat(count);
  if (count >= kLongCountLimit) {
    runtime::raiseOverflow();
  }
  if (count < 0) {
    runtime::raiseInvalidArgument("the Long Count needs a day count of 0 or more");
  }
  const double whole = std::floor(count);
  long long remaining = static_cast<long long>(whole);
  LongCount lc;
  lc.baktun = takePlace(remaining, kBaktunDays);
  if (lc.baktun == 0) {
    lc.baktun = kZeroBaktunShownAs;
  }
  lc.katun = takePlace(remaining, kKatunDays);
  lc.tun = takePlace(remaining, kTunDays);
  lc.uinal = takePlace(remaining, kUinalDays);
  // A fraction of a day (never produced by the day count) stays with the kins.
  lc.kin = static_cast<double>(remaining) + (count - whole);
  return lc;
}

char* LongCount::writeText(char* first, char* last) const noexcept {
  const double places[] = {baktun, katun, tun, uinal, kin};
  char* out = first;
  for (const double place : places) {
    if (out != first && out != last) {
      *out++ = '.';
    }
    out = runtime::writeDoubleText(out, last, place);
  }
  return out;
}

std::string LongCount::text() const {
  char buffer[kMaxTextLength];
  return std::string(buffer, writeText(buffer, buffer + sizeof buffer));
}

} // namespace glyphbox::engine
