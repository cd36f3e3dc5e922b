#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/numerals.h>

namespace glyphbox::maya {

std::string mayanNumeral(std::int64_t n) {
  char buffer[kMaxMayanNumeralText];
  return std::string(buffer, writeMayanNumeral(buffer, n));
}

char* writeLongCountInNumerals(char* out, std::int64_t d) noexcept {
  const LongCountPlaces places = splitLongCount(d, kDatePlaces);
  if (places.negative) {
    *out++ = '-';
  }
  for (int i = 0; i < places.count; ++i) {
    if (i > 0) {
      *out++ = '.';
    }
    out = writeMayanNumeral(out, places.value[static_cast<std::size_t>(i)]);
  }
  return out;
}

std::string longCountInNumerals(std::int64_t d) {
  char buffer[kMaxLongCountNumeralText];
  return std::string(buffer, writeLongCountInNumerals(buffer, d));
}

} // namespace glyphbox::maya
