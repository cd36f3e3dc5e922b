#include <glyphbox/maya/correlation.h>

#include <glyphbox/runtime/messages.h>

#include <charconv>

namespace glyphbox::maya {
namespace {

// U+00F6 and U+00D6, o and O with diaeresis, in UTF-8.
constexpr std::string_view kSmallODiaeresis = "\xC3\xB6";
constexpr std::string_view kCapitalODiaeresis = "\xC3\x96";

// Whether text names the preset called name (ASCII lower case): letters
// compared without case, and ö or Ö standing for o.
bool namesPreset(std::string_view text, std::string_view name) noexcept {
  std::size_t i = 0;
  for (const char expected : name) {
    if (i == text.size()) {
      return false;
    }
    const std::string_view rest = text.substr(i);
    if (expected == 'o' &&
        (rest.starts_with(kSmallODiaeresis) || rest.starts_with(kCapitalODiaeresis))) {
      i += kSmallODiaeresis.size();
      continue;
    }
    char c = rest[0];
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
    if (c != expected) {
      return false;
    }
    ++i;
  }
  return i == text.size();
}

} // namespace

std::optional<Correlation> findCorrelation(std::string_view name) noexcept {
  for (const Correlation& c : kCorrelations) {
    if (namesPreset(name, c.name)) {
      return c;
    }
  }
  return std::nullopt;
}

Result<Correlation, CorrelationError> parseCorrelation(std::string_view text) noexcept {
  if (text.empty()) {
    return {{}, CorrelationError::Empty};
  }
  if (const std::optional<Correlation> preset = findCorrelation(text)) {
    return {*preset, CorrelationError::Ok};
  }
  // from_chars takes '-' but not '+'.
  std::string_view digits = text;
  if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') {
    digits.remove_prefix(1);
  }
  std::int64_t jdn = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), jdn);
  if (end != digits.data() + digits.size() ||
      (ec != std::errc() && ec != std::errc::result_out_of_range)) {
    return {{}, CorrelationError::UnknownName};
  }
  if (ec == std::errc::result_out_of_range || jdn < -kMaxCorrelation || jdn > kMaxCorrelation) {
    return {{}, CorrelationError::OutOfRange};
  }
  for (const Correlation& c : kCorrelations) {
    if (c.jdn == jdn) {
      return {c, CorrelationError::Ok};
    }
  }
  return {Correlation{{}, jdn, {}}, CorrelationError::Ok};
}

// The range sentence below names the limit.
static_assert(kMaxCorrelation == 1'000'000'000'000);

std::string_view correlationErrorMessage(CorrelationError error) noexcept {
  using i18n::tr;
  switch (error) {
  case CorrelationError::Ok:
    return tr("no error");
  case CorrelationError::Empty:
    return tr("no correlation given");
  case CorrelationError::UnknownName:
    return tr("unknown correlation; give a name (gmt, gmt+1, lounsbury, martin-skidmore, "
              "martinez-hernandez, spinden, bowditch, makemson, bohm, fuls) or a whole number, "
              "the JDN of 0.0.0.0.0");
  case CorrelationError::OutOfRange:
    return tr("the correlation is out of range; it runs -1000000000000 to 1000000000000");
  }
  return tr("unknown error");
}

} // namespace glyphbox::maya
