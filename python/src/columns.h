#pragma once

// The values of many days at once, for the module's NumPy functions: each
// value of the maya library's cycles, day by day, into arrays of integers,
// in one pass without Python.
//
//   ColumnGroup                     which values: the Long Count, Tzolkin, Haab, ...
//   DayColumns                      where each value goes (null: not asked for)
//   fillDayColumns(values, n, offset, columns) -> the index of the first value refused, or n

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace glyphbox::python {

// The values asked for together, by the name the module's `fields` takes.
enum class ColumnGroup { LongCount, Tzolkin, Haab, Lord, Bearer, Count819 };
inline constexpr std::array<std::string_view, 6> kColumnGroupNames = {
    "long_count", "tzolkin", "haab", "lord", "bearer", "819"};

// The arrays, each of n values; a group's arrays are all given or all null.
struct DayColumns {
  // The Long Count: the places of |d|, baktun first (the baktun unbounded),
  // and the sign of d: -1 before 0.0.0.0.0, else 1, so that
  // d = sign x (baktun x 144000 + katun x 7200 + tun x 360 + uinal x 20 + kin).
  std::int64_t* baktun = nullptr;
  std::int32_t* katun = nullptr;
  std::int32_t* tun = nullptr;
  std::int32_t* uinal = nullptr;
  std::int32_t* kin = nullptr;
  std::int32_t* sign = nullptr;
  std::int32_t* tzolkinNumber = nullptr; // 1 to 13
  std::int32_t* tzolkinName = nullptr;   // 0 (Ahau) to 19
  std::int32_t* haabMonth = nullptr;     // 1 (Pop) to 19 (Uayeb)
  std::int32_t* haabDay = nullptr;       // 0 to 19, the seating being 0
  std::int32_t* lord = nullptr;          // 1 to 9 for G1 to G9
  std::int32_t* bearerNumber = nullptr;  // the Tzolkin of the year's 0 Pop
  std::int32_t* bearerName = nullptr;
  std::int32_t* since819 = nullptr;   // days since the 819-day station, 0 to 818
  std::int32_t* quarter819 = nullptr; // its quarter, 0 East, 1 South, 2 West, 3 North
  std::int32_t* number819 = nullptr;  // its place among 20 stations, 1 to 20
};

// Writes the values of day d = values[i] - offset for every i below n.
// Preconditions: |offset| <= maya::kMaxCorrelation. Stops at the first value
// with |values[i]| beyond maya::kMaxDayNumber and returns its index; returns
// n when every value was written.
[[nodiscard]] std::size_t fillDayColumns(const std::int64_t* values, std::size_t n,
                                         std::int64_t offset, const DayColumns& columns) noexcept;

} // namespace glyphbox::python
