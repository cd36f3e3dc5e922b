#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/numerals.h>

namespace glyphbox::maya {

std::string mayanNumeral(std::int64_t n) {
  char buffer[kMaxMayanNumeralText];
  return std::string(buffer, writeMayanNumeral(buffer, n));
}

std::string longCountInNumerals(std::int64_t d) {
  const LongCountPlaces places = splitLongCount(d, kDatePlaces);
  // A sign, the leading place in up to fifteen digits, four one-digit places and their points.
  char buffer[kMaxMayanNumeralText + 4 * (1 + kMayanNumeralBytes)];
  char* out = buffer;
  if (places.negative) {
    *out++ = '-';
  }
  for (int i = 0; i < places.count; ++i) {
    if (i > 0) {
      *out++ = '.';
    }
    out = writeMayanNumeral(out, places.value[static_cast<std::size_t>(i)]);
  }
  return std::string(buffer, out);
}

} // namespace glyphbox::maya
