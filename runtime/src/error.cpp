#include <glyphbox/runtime/error.h>

namespace glyphbox::runtime {

const char* describe(ErrorKind kind) noexcept {
  switch (kind) {
  case ErrorKind::InvalidArgument:
    return "Invalid argument: a value outside what the calculation is defined for";
  case ErrorKind::Overflow:
    return "Overflow: a number is too large for the calculation";
  case ErrorKind::FloatingPoint:
    return "Floating-point error: a calculation left the range of numbers";
  case ErrorKind::TypeMismatch:
    return "Type mismatch: the text is not a whole number";
  }
  return "Unknown error";
}

const char* nameOf(ErrorKind kind) noexcept {
  switch (kind) {
  case ErrorKind::InvalidArgument:
    return "Invalid argument";
  case ErrorKind::Overflow:
    return "Overflow";
  case ErrorKind::FloatingPoint:
    return "Floating-point error";
  case ErrorKind::TypeMismatch:
    return "Type mismatch";
  }
  return "Unknown error";
}

RuntimeError::RuntimeError(ErrorKind kind) : std::runtime_error(describe(kind)), kind_(kind) {}

RuntimeError::RuntimeError(ErrorKind kind, const std::string& detail)
    : std::runtime_error(std::string(nameOf(kind)) + ": " + detail), kind_(kind) {}

void raiseOverflow() { throw RuntimeError(ErrorKind::Overflow); }
void raiseFloatingPoint() { throw RuntimeError(ErrorKind::FloatingPoint); }
void raiseTypeMismatch() { throw RuntimeError(ErrorKind::TypeMismatch); }
void raiseInvalidArgument(const std::string& detail) {
  throw RuntimeError(ErrorKind::InvalidArgument, detail);
}
void raiseOverflow(const std::string& detail) { throw RuntimeError(ErrorKind::Overflow, detail); }

} // namespace glyphbox::runtime
