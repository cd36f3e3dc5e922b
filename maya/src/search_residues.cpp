#include "search_internal.h"

#include <algorithm>
#include <numeric>
#include <tuple>

// Residue arithmetic: the days a clue allows are those whose remainder by
// the clue's cycle lies in a set (a lattice) or in a few intervals; clues
// are combined without walking through the days.

namespace glyphbox::maya::search_detail {

// Combines two residue sets by the Chinese remainder theorem; the result
// may be empty when they have no common day.
ResidueSet intersect(const ResidueSet& a, const ResidueSet& b) {
  const i64 g = std::gcd(a.modulus, b.modulus);
  const i64 m = a.modulus / g * b.modulus;
  ResidueSet out{m, {}};
  // x = ra + a.modulus * k; need a.modulus * k = rb - ra (mod b.modulus).
  const i64 bg = b.modulus / g;
  // Inverse of a.modulus / g modulo b.modulus / g by the extended Euclid.
  i64 inv = 0;
  {
    i64 r0 = (a.modulus / g) % bg, r1 = bg, s0 = 1, s1 = 0;
    while (r1 != 0) {
      const i64 q = r0 / r1;
      std::tie(r0, r1) = std::pair{r1, r0 - q * r1};
      std::tie(s0, s1) = std::pair{s1, s0 - q * s1};
    }
    inv = bg == 1 ? 0 : floorMod(s0, bg);
  }
  for (const i64 ra : a.residues) {
    for (const i64 rb : b.residues) {
      const i64 diff = rb - ra;
      if (floorMod(diff, g) != 0)
        continue;
      const i64 k = static_cast<i64>(static_cast<i128>(floorMod(diff / g, bg)) * inv % bg);
      out.residues.push_back(
          static_cast<i64>((static_cast<i128>(ra) + static_cast<i128>(a.modulus) * k) % m));
    }
  }
  std::sort(out.residues.begin(), out.residues.end());
  out.residues.erase(std::unique(out.residues.begin(), out.residues.end()), out.residues.end());
  return out;
}

// Adds d mod m in [lo, lo + length - 1] (taken mod m) as sorted pieces.
void addInterval(IntervalClue& c, i64 lo, i64 length) {
  lo = floorMod(lo, c.modulus);
  const i64 hi = lo + length - 1;
  if (hi < c.modulus) {
    c.intervals.emplace_back(lo, hi);
  } else {
    c.intervals.emplace_back(lo, c.modulus - 1);
    c.intervals.emplace_back(0, hi - c.modulus);
  }
}

void normalize(IntervalClue& c) {
  std::sort(c.intervals.begin(), c.intervals.end());
  std::vector<std::pair<i64, i64>> merged;
  for (const auto& iv : c.intervals) {
    if (!merged.empty() && iv.first <= merged.back().second + 1)
      merged.back().second = std::max(merged.back().second, iv.second);
    else
      merged.push_back(iv);
  }
  c.intervals = std::move(merged);
}

// The lattice days that also satisfy an interval clue, as a lattice modulo
// both moduli. Used for the Haab month and the year bearer, whose moduli
// (365, 18,980) are small: a lattice that never meets them is then seen by
// the residue arithmetic at once, instead of by a walk through a period.
ResidueSet fold(const ResidueSet& lattice, const IntervalClue& clue) {
  const i64 m = std::lcm(lattice.modulus, clue.modulus);
  const i64 step = lattice.modulus;
  const std::vector<i64>& residues = lattice.residues;
  ResidueSet out{m, {}};
  if (residues.empty())
    return out;
  // The clue's intervals over [0, m), in increasing order, and in each the
  // lattice's days in increasing order: the residues come out sorted, and
  // only the days kept are visited.
  for (i64 period = 0; period < m; period += clue.modulus) {
    for (const auto& [lo, hi] : clue.intervals) {
      const i64 first = period + lo;
      const i64 last = period + hi;
      i64 base = first - floorMod(first, step);
      auto r = std::lower_bound(residues.begin(), residues.end(), first - base);
      for (;;) {
        if (r == residues.end()) {
          base += step;
          r = residues.begin();
        }
        if (base + *r > last)
          break;
        out.residues.push_back(base + *r);
        ++r;
      }
    }
  }
  return out;
}

} // namespace glyphbox::maya::search_detail
