#pragma once

// Correlations between the Long Count and the Julian Day Number.
//
//   kCorrelations                   the named presets, gmt first
//   findCorrelation(name)           -> std::optional<Correlation>  (any case; "böhm" too)
//   parseCorrelation(text)          -> Result<Correlation, CorrelationError>  (a name or a number)
//   correlationErrorMessage(error)  -> std::string_view
//
// A correlation is the JDN of 0.0.0.0.0: JDN = d + correlation.jdn. Sources
// give different labels to the same number, so a tool should always print
// the number with the name.

#include <glyphbox/maya/result.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace glyphbox::maya {

struct Correlation {
  std::string_view name; // the preset's name, lower case; empty for a number that is no preset
  std::int64_t jdn = 0;  // JDN of 0.0.0.0.0
  std::string_view note; // who proposed it and why, empty for a number that is no preset

  friend constexpr bool operator==(const Correlation&, const Correlation&) = default;
};

// Goodman-Martinez-Thompson, the consensus correlation.
inline constexpr std::int64_t kGmtCorrelation = 584'283;

inline constexpr std::array<Correlation, 10> kCorrelations = {{
    {"gmt", kGmtCorrelation,
     "Goodman-Martinez-Thompson, the consensus; supported by radiocarbon dating of a Tikal "
     "lintel (Kennett et al. 2013, Scientific Reports 3:1597)"},
    {"gmt+1", 584'284, "\"modified Thompson 1\""},
    {"lounsbury", 584'285,
     "Lounsbury, also called \"astronomical\" or \"modified GMT\"; 13.0.0.0.0 = 23 Dec 2012"},
    {"martin-skidmore", 584'286,
     "Martin and Skidmore 2012, PARI Journal 13(2); 13.0.0.0.0 = 24 Dec 2012"},
    {"martinez-hernandez", 584'281,
     "Martinez Hernandez, two days before GMT; 13.0.0.0.0 = 19 Dec 2012"},
    {"spinden", 489'384, "Spinden"},
    {"bowditch", 394'483, "Bowditch"},
    {"makemson", 489'138, "Makemson"},
    {"bohm", 622'261, "B\xC3\xB6hm and B\xC3\xB6hm 2013"},
    {"fuls", 660'208, "Fuls et al."},
}};

// Numbers accepted as a correlation: any JDN within a million million days
// of the JDN origin, which covers every proposal by far and keeps
// d + correlation inside 64 bits for every Long Count that parses.
inline constexpr std::int64_t kMaxCorrelation = 1'000'000'000'000;

enum class CorrelationError {
  Ok,
  Empty,       // no text
  UnknownName, // neither a preset name nor a whole number
  OutOfRange,  // a whole number beyond +-kMaxCorrelation
};

// The preset called name, in any letter case; "böhm" (ö or Ö in UTF-8) is bohm.
[[nodiscard]] std::optional<Correlation> findCorrelation(std::string_view name) noexcept;

// A preset name (as findCorrelation) or a whole number in decimal with an
// optional sign. A number equal to a preset's JDN gives that preset;
// another number gives a Correlation with an empty name and note.
[[nodiscard]] Result<Correlation, CorrelationError>
parseCorrelation(std::string_view text) noexcept;

// A sentence for the user, e.g. "unknown correlation; give a name (gmt, ...) or a number".
[[nodiscard]] std::string_view correlationErrorMessage(CorrelationError error) noexcept;

} // namespace glyphbox::maya
