#include <glyphbox/runtime/error.h>

namespace glyphbox::runtime {

const char* describe(ErrorKind kind) noexcept {
  switch (kind) {
  case ErrorKind::Overflow:
    return "Overflow: a number is too large for the calculation";
  case ErrorKind::FloatingPoint:
    return "Floating-point error: a calculation left the range of numbers";
  case ErrorKind::TypeMismatch:
    return "Type mismatch: the text is not a whole number";
  }
  return "Unknown error";
}

RuntimeError::RuntimeError(ErrorKind kind) : std::runtime_error(describe(kind)), kind_(kind) {}

void raiseOverflow() { throw RuntimeError(ErrorKind::Overflow); }
void raiseFloatingPoint() { throw RuntimeError(ErrorKind::FloatingPoint); }
void raiseTypeMismatch() { throw RuntimeError(ErrorKind::TypeMismatch); }

} // namespace glyphbox::runtime
