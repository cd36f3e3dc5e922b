#include <glyphbox/maya/long_count.h>

#include <glyphbox/runtime/messages.h>

#include <charconv>

namespace glyphbox::maya {
namespace {

// Writes a place below the leading one: 0 to 19.
char* writeSmallPlace(char* out, std::int64_t v) noexcept {
  if (v >= 10) {
    *out++ = '1';
    v -= 10;
  }
  *out++ = static_cast<char>('0' + v);
  return out;
}

char* writePlaces(char* out, const LongCountPlaces& p) noexcept {
  if (p.negative) {
    *out++ = '-';
  }
  out = std::to_chars(out, out + 19, p.value[0]).ptr;
  for (int i = 1; i < p.count; ++i) {
    *out++ = '.';
    out = writeSmallPlace(out, p.value[static_cast<std::size_t>(i)]);
  }
  return out;
}

// Largest value a non-leading place may hold.
constexpr std::int64_t placeMax(int place) noexcept { return placeRadix(place) - 1; }

ParsedLongCount fail(LongCountError error, std::size_t offset = 0) noexcept {
  ParsedLongCount p;
  p.error = error;
  p.errorOffset = offset;
  return p;
}

ParsedLongCount parse(std::string_view text, bool allowPlus) noexcept {
  std::size_t i = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || (allowPlus && text[0] == '+'))) {
    negative = text[0] == '-';
    i = 1;
  }
  if (i == text.size()) {
    return fail(LongCountError::Empty);
  }

  // Place values are read left to right, before it is known which place each
  // is; kMaxPlaces fields at most, each checked once the count is known.
  std::array<std::int64_t, kMaxPlaces> fields{};
  int count = 0;
  while (true) {
    const std::size_t start = i;
    std::int64_t v = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      // Anything past kMaxDayNumber is too large in any place; stop growing there.
      if (v <= kMaxDayNumber) {
        v = v * 10 + (text[i] - '0');
      }
      ++i;
    }
    if (i == start) {
      // A point with nothing before it, or a character that is not a digit.
      if (i == text.size() || text[i] == '.') {
        return fail(LongCountError::EmptyPlace, i);
      }
      return fail(LongCountError::NotANumber, i);
    }
    if (count == kMaxPlaces) {
      return fail(LongCountError::TooManyPlaces);
    }
    fields[static_cast<std::size_t>(count++)] = v;
    if (i == text.size()) {
      break;
    }
    if (text[i] != '.') {
      return fail(LongCountError::NotANumber, i);
    }
    ++i;
    if (i == text.size()) {
      return fail(LongCountError::EmptyPlace, i);
    }
  }
  if (count < 2) {
    return fail(LongCountError::TooFewPlaces);
  }

  // fields[count - 1] is the kin (place 0), fields[0] the leading place.
  std::int64_t days = 0;
  for (int place = 0; place < count - 1; ++place) {
    const std::int64_t v = fields[static_cast<std::size_t>(count - 1 - place)];
    if (v > placeMax(place)) {
      ParsedLongCount p = fail(LongCountError::PlaceOutOfRange);
      p.errorPlace = place;
      p.errorValue = v;
      return p;
    }
    days += v * kPlaceValues[static_cast<std::size_t>(place)];
  }
  const int leading = count - 1;
  const std::int64_t lead = fields[0];
  const std::int64_t value = kPlaceValues[static_cast<std::size_t>(leading)];
  // days < value here, so lead * value + days <= kMaxDayNumber is tested without overflow.
  if (lead > (kMaxDayNumber - days) / value) {
    return fail(LongCountError::TooLarge);
  }
  days += lead * value;

  ParsedLongCount p;
  p.days = negative ? -days : days;
  p.places = count;
  return p;
}

} // namespace

ParsedLongCount parseLongCount(std::string_view text) noexcept { return parse(text, false); }

ParsedLongCount parseLongCountDistance(std::string_view text) noexcept { return parse(text, true); }

std::string longCountErrorMessage(const ParsedLongCount& parsed) {
  using i18n::format;
  using i18n::tr;
  switch (parsed.error) {
  case LongCountError::Ok:
    return tr("no error");
  case LongCountError::Empty:
    return tr("no Long Count given");
  case LongCountError::NotANumber:
    return format(tr("not a Long Count: character {} is not a digit or a point between places"),
                  parsed.errorOffset + 1);
  case LongCountError::EmptyPlace:
    return format(tr("not a Long Count: a place is missing at character {}"),
                  parsed.errorOffset + 1);
  case LongCountError::TooFewPlaces:
    return tr("too few places: a Long Count has 2 to 9");
  case LongCountError::TooManyPlaces:
    return tr("too many places: a Long Count has 2 to 9");
  case LongCountError::PlaceOutOfRange: {
    if (parsed.errorPlace < 0 || parsed.errorPlace >= kMaxPlaces) {
      return tr("a place is out of range");
    }
    const std::string_view name = kPlaceNames[static_cast<std::size_t>(parsed.errorPlace)];
    // The reader stops adding digits past kMaxDayNumber; such a value is named by its size.
    if (parsed.errorValue > kMaxDayNumber) {
      return format(tr("{0} of more than 16 digits is out of range; the {0} runs 0 to {1}"), name,
                    placeMax(parsed.errorPlace));
    }
    return format(tr("{0} {1} is out of range; the {0} runs 0 to {2}"), name, parsed.errorValue,
                  placeMax(parsed.errorPlace));
  }
  case LongCountError::TooLarge:
    return format(tr("the Long Count is too large; at most {} days either way"), kMaxDayNumber);
  }
  return tr("unknown error");
}

char* detail::writeLeadingPlace(char* out, std::int64_t value) noexcept {
  return std::to_chars(out, out + 19, value).ptr;
}

char* writeLongCount(char* out, std::int64_t d, int places) noexcept {
  return writePlaces(out, splitLongCount(d, places));
}

char* writeLongCountDistance(char* out, std::int64_t d) noexcept {
  return writePlaces(out, splitLongCount(d, distancePlaces(d)));
}

std::string longCountText(std::int64_t d) {
  char buffer[kMaxLongCountText];
  return std::string(buffer, writeLongCount(buffer, d));
}

std::string longCountText(std::int64_t d, int places) {
  char buffer[kMaxLongCountText];
  return std::string(buffer, writeLongCount(buffer, d, places));
}

std::string longCountDistanceText(std::int64_t d) {
  char buffer[kMaxLongCountText];
  return std::string(buffer, writeLongCountDistance(buffer, d));
}

} // namespace glyphbox::maya
