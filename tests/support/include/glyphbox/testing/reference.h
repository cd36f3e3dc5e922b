#pragma once

#include <glyphbox/cli/classic.h>

#include <string>
#include <string_view>

namespace glyphbox::cli {

// The straightforward conversion of one date: the window's engine in double
// arithmetic, the texts built as the window builds its captions. It is what
// the fast path of ClassicConverter must reproduce byte for byte; tests and
// benchmarks use it, the converter never does.
struct ReferenceResult {
  std::string out; // the result line, or nothing
  std::string err; // the message, or nothing
};

[[nodiscard]] ReferenceResult referenceConvert(std::string_view text, Origin origin,
                                               ClassicFormat format);

} // namespace glyphbox::cli
