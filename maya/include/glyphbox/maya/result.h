#pragma once

// A value or the reason there is none, for the conversions of the scholarly
// calendar library. Errors are enums whose first enumerator, Ok (= 0), means
// success; the arithmetic never throws, the caller asks ok().
//
//   Result<std::int64_t, CivilError> r = toJdn(date, Calendar::Julian);
//   if (!r) { report(civilErrorMessage(r.error)); } else { use(r.value); }

namespace glyphbox::maya {

template <class T, class E> struct Result {
  T value{};     // meaningful only when ok()
  E error = E{}; // E{} (Ok) on success

  [[nodiscard]] constexpr bool ok() const noexcept { return error == E{}; }
  constexpr explicit operator bool() const noexcept { return ok(); }

  friend constexpr bool operator==(const Result&, const Result&) = default;
};

} // namespace glyphbox::maya
