#pragma once

#include <stdexcept>

namespace glyphbox::runtime {

// The run-time errors the calendar arithmetic and the conversions can raise.
// The numbers are the classic BASIC error numbers users may know from other tools.
enum class ErrorKind : int {
  Overflow = 6,
  FloatingPoint = 11,
  TypeMismatch = 13,
};

// The one error type of the system: every failure of a conversion or of the
// checked arithmetic is reported as a RuntimeError, and the front ends turn it
// into words in exactly one place each.
class RuntimeError : public std::runtime_error {
public:
  explicit RuntimeError(ErrorKind kind);

  [[nodiscard]] ErrorKind kind() const noexcept { return kind_; }
  [[nodiscard]] int number() const noexcept { return static_cast<int>(kind_); }

private:
  ErrorKind kind_;
};

// A short plain-words description of an error kind ("Overflow", ...).
[[nodiscard]] const char* describe(ErrorKind kind) noexcept;

[[noreturn]] void raiseOverflow();
[[noreturn]] void raiseFloatingPoint();
[[noreturn]] void raiseTypeMismatch();

} // namespace glyphbox::runtime
