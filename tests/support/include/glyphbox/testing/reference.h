#pragma once

// The straightforward conversion of one date in the window's own reckoning:
// the window's engine in double arithmetic, the texts built as the window
// builds its captions. The converter must write the same bytes for every
// date; tests, fuzzers and benchmarks use it, the product never does.

#include <glyphbox/rows/inputs.h>

#include <string>
#include <string_view>

namespace glyphbox::testing {

enum class ReferenceFormat { Plain, Tsv };

struct ReferenceResult {
  std::string out; // the result line, or nothing
  std::string err; // the message, or nothing
};

[[nodiscard]] ReferenceResult referenceConvert(std::string_view text, rows::Origin origin,
                                               ReferenceFormat format);

} // namespace glyphbox::testing
