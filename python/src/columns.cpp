#include "columns.h"

#include <glyphbox/maya/cycles.h>

#include <algorithm>

namespace glyphbox::python {
namespace {

// Days are taken a chunk at a time: first apart into the sign, the baktun,
// the day within the baktun and the place in maya::kCommonPeriod, then
// each group asked for is written from those in a loop of its own, which
// the compiler runs on several days at once.
constexpr std::size_t kChunk = 1024;

struct Chunk {
  alignas(64) std::int64_t baktun[kChunk];
  alignas(64) std::int32_t sign[kChunk];
  alignas(64) std::uint32_t dayInBaktun[kChunk];
  alignas(64) std::uint32_t place[kChunk];
};

// Days within maya::kSmallDay either way, the usual ones, in 32 bits.
[[gnu::always_inline]] inline void splitSmall(const std::int64_t* values, std::size_t m,
                                              std::int64_t offset, Chunk& k) noexcept {
  constexpr auto baktunDays = static_cast<std::uint32_t>(maya::kBaktun);
  for (std::size_t i = 0; i < m; ++i) {
    const auto d = static_cast<std::int32_t>(values[i] - offset);
    const std::uint32_t magnitude =
        d < 0 ? 0U - static_cast<std::uint32_t>(d) : static_cast<std::uint32_t>(d);
    const std::uint32_t baktun = magnitude / baktunDays;
    k.baktun[i] = baktun;
    k.dayInBaktun[i] = magnitude - baktun * baktunDays;
    k.sign[i] = d < 0 ? -1 : 1;
    k.place[i] = maya::commonPlaceOfSmall(d);
  }
}

// Any days within maya::kMaxDayNumber of the offset, in 64 bits.
[[gnu::always_inline]] inline void splitAny(const std::int64_t* values, std::size_t m,
                                            std::int64_t offset, Chunk& k) noexcept {
  for (std::size_t i = 0; i < m; ++i) {
    const std::int64_t d = values[i] - offset;
    const auto magnitude = static_cast<std::uint64_t>(d < 0 ? -d : d);
    const std::uint64_t baktun = magnitude / maya::kBaktun;
    k.baktun[i] = static_cast<std::int64_t>(baktun);
    k.dayInBaktun[i] = static_cast<std::uint32_t>(magnitude - baktun * maya::kBaktun);
    k.sign[i] = d < 0 ? -1 : 1;
    k.place[i] = maya::commonPlace(d);
  }
}

} // namespace

// Compiled twice, for every x86-64 and for those with AVX2 (eight days at
// once); the loader picks the one the processor runs.
[[gnu::target_clones("avx2", "default")]] std::size_t fillDayColumns(const std::int64_t* values,
                                                                     std::size_t n,
                                                                     std::int64_t offset,
                                                                     const DayColumns& c) noexcept {
  Chunk k;
  for (std::size_t start = 0; start < n; start += kChunk) {
    const std::size_t m = std::min(kChunk, n - start);
    const std::int64_t* v = values + start;
    std::int64_t lowest = v[0];
    std::int64_t highest = v[0];
    for (std::size_t i = 1; i < m; ++i) {
      lowest = std::min(lowest, v[i]);
      highest = std::max(highest, v[i]);
    }
    if (lowest < -maya::kMaxDayNumber || highest > maya::kMaxDayNumber) {
      for (std::size_t i = 0; i < m; ++i) {
        if (v[i] < -maya::kMaxDayNumber || v[i] > maya::kMaxDayNumber) {
          return start + i;
        }
      }
    }
    if (lowest - offset > -maya::kSmallDay && highest - offset < maya::kSmallDay) {
      splitSmall(v, m, offset, k);
    } else {
      splitAny(v, m, offset, k);
    }
    if (c.baktun != nullptr) {
      std::copy_n(k.baktun, m, c.baktun + start);
      std::copy_n(k.sign, m, c.sign + start);
      std::int32_t* const katun = c.katun + start;
      std::int32_t* const tun = c.tun + start;
      std::int32_t* const uinal = c.uinal + start;
      std::int32_t* const kin = c.kin + start;
      for (std::size_t i = 0; i < m; ++i) {
        const maya::LowerPlaces places = maya::lowerPlacesOf(k.dayInBaktun[i]);
        katun[i] = places.katun;
        tun[i] = places.tun;
        uinal[i] = places.uinal;
        kin[i] = places.kin;
      }
    }
    if (c.tzolkinNumber != nullptr) {
      std::int32_t* const number = c.tzolkinNumber + start;
      std::int32_t* const name = c.tzolkinName + start;
      for (std::size_t i = 0; i < m; ++i) {
        const maya::Tzolkin t = maya::tzolkinOfPlace(k.place[i]);
        number[i] = t.number;
        name[i] = t.name;
      }
    }
    if (c.haabMonth != nullptr) {
      std::int32_t* const month = c.haabMonth + start;
      std::int32_t* const day = c.haabDay + start;
      for (std::size_t i = 0; i < m; ++i) {
        const maya::Haab h = maya::haabFromPosition(maya::haabPositionOfPlace(k.place[i]),
                                                    maya::HaabNumbering::Seating0);
        month[i] = h.month;
        day[i] = h.day;
      }
    }
    if (c.lord != nullptr) {
      std::int32_t* const lord = c.lord + start;
      for (std::size_t i = 0; i < m; ++i) {
        lord[i] = maya::lordOfPlace(k.place[i]);
      }
    }
    if (c.bearerNumber != nullptr) {
      std::int32_t* const number = c.bearerNumber + start;
      std::int32_t* const name = c.bearerName + start;
      for (std::size_t i = 0; i < m; ++i) {
        const maya::Tzolkin b = maya::bearerOfPlace(k.place[i]);
        number[i] = b.number;
        name[i] = b.name;
      }
    }
    if (c.since819 != nullptr) {
      std::int32_t* const since = c.since819 + start;
      std::int32_t* const quarter = c.quarter819 + start;
      std::int32_t* const number = c.number819 + start;
      for (std::size_t i = 0; i < m; ++i) {
        const maya::StationPlace s = maya::station819OfPlace(k.place[i]);
        since[i] = s.since;
        quarter[i] = static_cast<std::int32_t>(s.quarter);
        number[i] = s.number;
      }
    }
  }
  return n;
}

} // namespace glyphbox::python
