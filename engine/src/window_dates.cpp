#include <glyphbox/engine/window_dates.h>

#include <glyphbox/maya/civil.h>
#include <glyphbox/maya/long_count.h>

#include <algorithm>

namespace glyphbox::engine {
namespace {

constexpr std::int64_t kCycle = maya::kGreatCycle;
static_assert(static_cast<double>(kCycle) == kGreatCycle);

// The day count of 28 February 1 CE, the last day of the window's shifted,
// March-based year -1: the years since then are about 400 / 146097 a day.
constexpr std::int64_t kYearsCountedFrom = windowDayCount(1, Era::CE, 2, 28);
static_assert(kYearsCountedFrom == 1'137'199);

// Day counts the single fold brings to the folded count c: c itself, c plus
// one cycle, and c less whole cycles for counts before the epoch, down to `first`.
void addUnfolded(std::int64_t c, std::int64_t first, std::vector<std::int64_t>& counts) {
  if (c <= kCycle) {
    counts.push_back(c);
  }
  if (c > 0) {
    counts.push_back(c + kCycle);
  }
  if (c < kCycle) {
    for (std::int64_t d = c - kCycle; d >= first; d -= kCycle) {
      counts.push_back(d);
    }
  }
}

// Every date of the years around the one holding day count d (near enough:
// its neighbours catch the days where the count repeats or skips at the turn
// from February to March) whose window day count is d.
void addDatesOf(std::int64_t d, std::vector<WindowDate>& dates) {
  const std::int64_t approx = (d - kYearsCountedFrom) * 400 / 146'097;
  for (const Era era : {Era::CE, Era::BCE}) {
    const std::int64_t centre = era == Era::CE ? approx + 1 : -approx;
    const std::int64_t firstYear = std::max<std::int64_t>(centre - 3, era == Era::CE ? 0 : 1);
    const std::int64_t lastYear = std::min(centre + 3, kWindowSearchYears);
    for (std::int64_t year = firstYear; year <= lastYear; ++year) {
      for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= windowDaysInMonth(year, month); ++day) {
          if (windowDayCount(year, era, month, day) == d) {
            dates.push_back({year, month, day, era});
          }
        }
      }
    }
  }
}

} // namespace

std::optional<WindowDate> windowDateOfJdn(std::int64_t jdn) noexcept {
  const auto date = maya::fromJdn(jdn, maya::Calendar::Gregorian);
  if (!date) {
    return std::nullopt;
  }
  const maya::EraYear y = maya::eraYearOf(date.value.year);
  if (y.year > kMaxYear || date.value.day > windowDaysInMonth(y.year, date.value.month)) {
    return std::nullopt;
  }
  return WindowDate{y.year, date.value.month, date.value.day,
                    y.era == maya::Era::CE ? Era::CE : Era::BCE};
}

std::vector<WindowDate> windowDatesOf(std::int64_t longCountDays) {
  std::vector<WindowDate> dates;
  if (longCountDays < 0) {
    return dates;
  }
  // The window writes a count below one baktun with baktun 13, so 13.x.x.x.x
  // is both its face value and that value less 13 baktuns.
  std::vector<std::int64_t> folded = {longCountDays};
  if (longCountDays / maya::kBaktun == 13) {
    folded.push_back(longCountDays - 13 * maya::kBaktun);
  } else if (longCountDays < maya::kBaktun) {
    return dates; // a baktun of 0 is never shown
  }
  const std::int64_t first = windowDayCount(kWindowSearchYears, Era::BCE, 1, 1);
  const std::int64_t last = windowDayCount(kWindowSearchYears, Era::CE, 12, 31);
  std::vector<std::int64_t> counts;
  for (const std::int64_t c : folded) {
    addUnfolded(c, first, counts);
  }
  for (const std::int64_t d : counts) {
    if (d >= first && d <= last) {
      addDatesOf(d, dates);
    }
  }
  const auto key = [](const WindowDate& w) {
    return std::pair{windowDayCount(w.year, w.era, w.month, w.day), w.era == Era::CE};
  };
  std::stable_sort(dates.begin(), dates.end(),
                   [&](const WindowDate& a, const WindowDate& b) { return key(a) < key(b); });
  return dates;
}

} // namespace glyphbox::engine
