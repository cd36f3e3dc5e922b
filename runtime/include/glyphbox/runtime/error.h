#pragma once

#include <stdexcept>
#include <string>

namespace glyphbox::runtime {

// The run-time errors the calendar arithmetic and the conversions can raise.
// The numbers are the classic BASIC error numbers users may know from other tools.
enum class ErrorKind : int {
  InvalidArgument = 5, // "Invalid procedure call or argument"
  Overflow = 6,
  FloatingPoint = 11,
  TypeMismatch = 13,
};

// The one error type of the system: every failure of a conversion or of the
// checked arithmetic is reported as a RuntimeError, and the front ends turn it
// into words in exactly one place each.
class RuntimeError : public std::runtime_error {
public:
  // what() is describe(kind).
  explicit RuntimeError(ErrorKind kind);
  // what() is the kind's name and the detail: "Overflow: the date lies too far ...".
  RuntimeError(ErrorKind kind, const std::string& detail);

  [[nodiscard]] ErrorKind kind() const noexcept { return kind_; }
  [[nodiscard]] int number() const noexcept { return static_cast<int>(kind_); }

private:
  ErrorKind kind_;
};

// A short plain-words description of an error kind ("Overflow: a number is
// too large for the calculation", ...).
[[nodiscard]] const char* describe(ErrorKind kind) noexcept;
// The kind's name alone ("Overflow").
[[nodiscard]] const char* nameOf(ErrorKind kind) noexcept;

[[noreturn]] void raiseOverflow();
[[noreturn]] void raiseFloatingPoint();
[[noreturn]] void raiseTypeMismatch();
// An argument outside what a function is defined for; the detail says which.
[[noreturn]] void raiseInvalidArgument(const std::string& detail);
[[noreturn]] void raiseOverflow(const std::string& detail);

} // namespace glyphbox::runtime
