#include <glyphbox/maya/search.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace glyphbox::maya;
using i64 = std::int64_t;

// ---- An independent reading of the calendar, one day at a time ----

constexpr i64 kValue[9] = {23'040'000'000, 1'152'000'000, 57'600'000, 2'880'000, 144'000,
                           7'200,          360,           20,         1};
constexpr i64 kBase[9] = {20, 20, 20, 20, 20, 20, 20, 18, 20};

i64 mod(i64 a, i64 m) { return ((a % m) + m) % m; }

int tzolkinNumber(i64 d) { return static_cast<int>(mod(d + 3, 13) + 1); }
int tzolkinName(i64 d) { return static_cast<int>(mod(d, 20)); }

// Month and day of d in the given numbering.
std::pair<int, int> haab(i64 d, HaabNumbering numbering) {
  if (numbering == HaabNumbering::Seating0) {
    const i64 p = mod(d + 348, 365);
    return {static_cast<int>(p / 20 + 1), static_cast<int>(p % 20)};
  }
  const i64 q = mod(d + 347, 365);
  return {static_cast<int>(q / 20 + 1), static_cast<int>(q % 20 + 1)};
}

bool bruteMatches(const Pattern& p, i64 d) {
  if (p.longCount) {
    const LongCountPattern& lc = *p.longCount;
    if (lc.negative != (d < 0))
      return false;
    const i64 e = d < 0 ? -d : d;
    for (int k = 0; k < lc.places; ++k) {
      const int g = 9 - lc.places + k;
      const i64 digit = k == 0 ? e / kValue[g] : (e / kValue[g]) % kBase[g];
      if (lc.digits[k] && *lc.digits[k] != digit)
        return false;
    }
  }
  if (p.tzolkinNumber && *p.tzolkinNumber != tzolkinNumber(d))
    return false;
  if (p.tzolkinName && *p.tzolkinName != tzolkinName(d))
    return false;
  if (p.haabMonth || p.haabDay) {
    const auto [month, day] = haab(d, p.numbering);
    if (p.haabMonth && *p.haabMonth != month)
      return false;
    if (p.haabDay && *p.haabDay != day)
      return false;
  }
  if (p.lord && *p.lord != mod(d - 1, 9) + 1)
    return false;
  if (p.bearerNumber || p.bearerName) {
    // Walk back to the most recent 0 Pop.
    i64 b = d;
    while (mod(b + 348, 365) != 0)
      --b;
    if (p.bearerNumber && *p.bearerNumber != tzolkinNumber(b))
      return false;
    if (p.bearerName && *p.bearerName != tzolkinName(b))
      return false;
  }
  const Station819 station = station819Of(d);
  if (p.stationQuarter && *p.stationQuarter != station.quarter)
    return false;
  if (p.daysAfterStation && *p.daysAfterStation != station.since)
    return false;
  return true;
}

std::string describe(const Pattern& p) {
  std::ostringstream s;
  if (p.longCount) {
    s << "lc=" << (p.longCount->negative ? "-" : "");
    for (int k = 0; k < p.longCount->places; ++k) {
      if (k)
        s << '.';
      if (p.longCount->digits[k])
        s << *p.longCount->digits[k];
      else
        s << '*';
    }
    s << ' ';
  }
  auto field = [&s](const char* name, const std::optional<int>& v) {
    if (v)
      s << name << '=' << *v << ' ';
  };
  field("tzNumber", p.tzolkinNumber);
  field("tzName", p.tzolkinName);
  field("haabMonth", p.haabMonth);
  field("haabDay", p.haabDay);
  if (p.haabDay || p.haabMonth)
    s << (p.numbering == HaabNumbering::Seating0 ? "(seating 0) " : "(window 1) ");
  field("lord", p.lord);
  field("bearerNumber", p.bearerNumber);
  field("bearerName", p.bearerName);
  if (p.stationQuarter)
    s << "quarter=" << static_cast<int>(*p.stationQuarter) << ' ';
  field("daysAfterStation", p.daysAfterStation);
  return s.str();
}

// Period of the clues as the reference states them, and whether a fixed
// leading place bounds the pattern.
i64 referencePeriod(const Pattern& p) {
  i64 period = 1;
  if (p.tzolkinNumber)
    period = std::lcm(period, i64{13});
  if (p.tzolkinName)
    period = std::lcm(period, i64{20});
  if (p.haabMonth || p.haabDay)
    period = std::lcm(period, i64{365});
  if (p.lord)
    period = std::lcm(period, i64{9});
  if (p.bearerName || p.bearerNumber)
    period = std::lcm(period, i64{18'980});
  if (p.daysAfterStation)
    period = std::lcm(period, i64{819});
  if (p.stationQuarter)
    period = std::lcm(period, i64{4 * 819});
  if (p.longCount) {
    for (int k = 1; k < p.longCount->places; ++k) {
      if (p.longCount->digits[k]) {
        period = std::lcm(period, kValue[9 - p.longCount->places + k - 1]);
        break;
      }
    }
  }
  return period;
}

Pattern randomPattern(std::mt19937_64& rng) {
  auto chance = [&rng](double p) { return std::uniform_real_distribution<>(0, 1)(rng) < p; };
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); };
  Pattern p;
  if (chance(0.6)) {
    LongCountPattern lc;
    lc.places = chance(0.6) ? 5 : pick(2, 9);
    lc.negative = chance(0.35);
    for (int k = 0; k < lc.places; ++k) {
      if (!chance(k == 0 ? 0.3 : 0.35))
        continue;
      const int g = 9 - lc.places + k;
      // Small digits so that patterns of few places still bound short ranges.
      lc.digits[k] = k == 0 ? pick(0, 3) : pick(0, static_cast<int>(kBase[g]) - 1);
    }
    p.longCount = lc;
  }
  if (chance(0.3))
    p.tzolkinNumber = pick(1, 13);
  // A few names and days only, so that clues often collide.
  if (chance(0.4))
    p.tzolkinName = pick(0, 4);
  p.numbering = chance(0.5) ? HaabNumbering::Seating0 : HaabNumbering::Window1;
  if (chance(0.35))
    p.haabMonth = chance(0.3) ? 19 : pick(1, 18);
  if (chance(0.35)) {
    const int first = p.numbering == HaabNumbering::Seating0 ? 0 : 1;
    p.haabDay = first + (p.haabMonth == 19 ? pick(0, 4) : pick(0, 19));
  }
  if (chance(0.3))
    p.lord = pick(1, 9);
  if (chance(0.15))
    p.bearerNumber = pick(1, 13);
  if (chance(0.15))
    p.bearerName = 2 + 5 * pick(0, 3);
  return p;
}

std::vector<i64> bruteList(const Pattern& p, i64 first, i64 last) {
  std::vector<i64> out;
  for (i64 d = first; d <= last; ++d)
    if (bruteMatches(p, d))
      out.push_back(d);
  return out;
}

std::vector<i64> searchList(const Matcher& m, DayRange range) {
  std::vector<i64> out;
  forEachMatch(m, range, [&out](i64 d) {
    out.push_back(d);
    return true;
  });
  return out;
}

std::uint64_t testSeed() {
  if (const char* env = std::getenv("GLYPHBOX_SEED"))
    return std::strtoull(env, nullptr, 10);
  return 20'261'209;
}

// randomPattern with the clues of the 819-day count, which meet the Tzolkin
// number and the Lord (819 = 7 x 9 x 13) and, through the quarters (4 x 819),
// the Tzolkin name.
Pattern randomStationPattern(std::mt19937_64& rng) {
  Pattern p = randomPattern(rng);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); };
  const int which = pick(1, 3); // quarter, days after the station, or both
  if (which & 1)
    p.stationQuarter = static_cast<Quarter>(pick(0, 3));
  if (which & 2)
    p.daysAfterStation = pick(0, 1) ? pick(0, 818) : pick(0, 30);
  return p;
}

// Compares every search with a walk over the days, for random patterns.
void compareRandomPatternsWithDayByDayWalk(Pattern (*generate)(std::mt19937_64&), int rounds,
                                           int minRefusalsConfirmed, int minAccepted) {
  const std::uint64_t seed = testSeed();
  std::mt19937_64 rng(seed);
  constexpr i64 kExhaustiveLimit = 200'000; // longest domain walked to confirm a refusal
  constexpr i64 kWindow = 2'500;
  int refusalsConfirmed = 0;
  int accepted = 0;
  for (int round = 0; round < rounds; ++round) {
    const Pattern p = generate(rng);
    SCOPED_TRACE("GLYPHBOX_SEED=" + std::to_string(seed) + " round " + std::to_string(round) +
                 ": " + describe(p));
    const CompileResult compiled = compile(p);

    // The whole domain in which the pattern's matches repeat, when short.
    const i64 period = referencePeriod(p);
    const bool before = p.longCount && p.longCount->negative;
    std::optional<DayRange> domain;
    if (const auto natural = naturalRange(p);
        natural && natural->last - natural->first < kExhaustiveLimit)
      domain = natural;
    else if (!natural && period <= kExhaustiveLimit)
      domain = before ? DayRange{-period, -1} : DayRange{0, period - 1};
    const auto all = domain ? bruteList(p, domain->first, domain->last) : std::vector<i64>{};

    if (!compiled.ok()) {
      EXPECT_FALSE(compiled.refusal.empty());
      if (domain) {
        EXPECT_TRUE(all.empty()) << "refused, but day " << all.front()
                                 << " matches: " << compiled.refusal;
        ++refusalsConfirmed;
      } else {
        // Too long to walk whole; a stretch of it must still be empty.
        const i64 from = naturalRange(p) ? naturalRange(p)->first : (before ? -30'000 : 0);
        const auto some = bruteList(p, from, from + 29'999);
        EXPECT_TRUE(some.empty()) << "refused, but day " << some.front() << " matches";
      }
      continue;
    }
    ++accepted;
    const Matcher& m = *compiled.matcher;
    if (domain) {
      ASSERT_FALSE(all.empty()) << "accepted, but no day of a whole period matches";
      EXPECT_EQ(count(m, *domain), static_cast<i64>(all.size()));
    }

    // A window near the start of the pattern's range or anywhere around 0.
    i64 first = std::uniform_int_distribution<i64>(-4'000'000, 4'000'000)(rng);
    if (const auto natural = naturalRange(p); natural && (round % 2 == 0))
      first = natural->first - kWindow / 2;
    else if (round % 3 == 0)
      first = -kWindow / 2;
    const i64 last = first + kWindow - 1;
    const auto expected = bruteList(p, first, last);
    EXPECT_EQ(searchList(m, {first, last}), expected);
    EXPECT_EQ(count(m, {first, last}), static_cast<i64>(expected.size()));
    for (i64 d = first; d <= first + 40; ++d)
      ASSERT_EQ(m.matches(d), bruteMatches(p, d)) << d;

    const auto after = next(m, first);
    const auto upTo = prev(m, last);
    if (!expected.empty()) {
      EXPECT_EQ(after, expected.front());
      EXPECT_EQ(upTo, expected.back());
    } else {
      if (after) {
        EXPECT_GT(*after, last);
      }
      if (upTo) {
        EXPECT_LT(*upTo, first);
      }
    }
    if (after) {
      EXPECT_TRUE(bruteMatches(p, *after)) << *after;
    }
    if (upTo) {
      EXPECT_TRUE(bruteMatches(p, *upTo)) << *upTo;
    }

    // Counting by whole periods agrees with counting one period at a time.
    if (domain && !naturalRange(p)) {
      const i64 periods = 1'000'003;
      const i64 start = domain->first - (before ? (periods - 1) * period : 0);
      EXPECT_EQ(count(m, {start, start + periods * period - 1}),
                periods * static_cast<i64>(all.size()));
    }
  }
  // Guards against a generator that stopped producing the interesting cases.
  std::printf("refusals confirmed %d, accepted %d\n", refusalsConfirmed, accepted);
  EXPECT_GT(refusalsConfirmed, minRefusalsConfirmed);
  EXPECT_GT(accepted, minAccepted);
}

TEST(SearchRandom, AgreesWithDayByDayWalk) {
  compareRandomPatternsWithDayByDayWalk(randomPattern, 300, 20, 150);
}

TEST(SearchRandom, AgreesWithDayByDayWalkWithThe819DayCount) {
  compareRandomPatternsWithDayByDayWalk(randomStationPattern, 300, 20, 90);
}

// ---- Refusals ----

Pattern longCount(std::vector<std::optional<i64>> digits, bool negative = false) {
  LongCountPattern lc;
  lc.negative = negative;
  lc.places = static_cast<int>(digits.size());
  for (std::size_t k = 0; k < digits.size() && k < lc.digits.size(); ++k)
    lc.digits[k] = digits[k];
  Pattern p;
  p.longCount = lc;
  return p;
}

constexpr auto any = std::nullopt;

struct Refused {
  const char* what;
  Pattern pattern;
  const char* reason; // a part of the refusal
};

Pattern with(Pattern p, void (*set)(Pattern&)) {
  set(p);
  return p;
}

TEST(SearchCompile, RefusesEveryKindOfImpossibleOrMalformedPattern) {
  const std::vector<Refused> cases{
      {"uinal 18", longCount({9, any, any, 18, any}), "the uinal runs 0 to 17"},
      {"katun 20", longCount({9, 20, any, any, any}), "the katun runs 0 to 19"},
      {"one place", longCount({5}), "2 to 9 places"},
      {"negative place", longCount({9, -1, any, any, any}), "never negative"},
      {"leading place too large", longCount({100'000'000'000'000'000, any}), "beyond"},
      {"minus zero", longCount({0, 0, 0, 0, 0}, true), "is no day"},
      {"Tzolkin 14", with({}, [](Pattern& p) { p.tzolkinNumber = 14; }),
       "the Tzolkin numbers run 1 to 13"},
      {"Tzolkin 0", with({}, [](Pattern& p) { p.tzolkinNumber = 0; }), "run 1 to 13"},
      {"name 20", with({}, [](Pattern& p) { p.tzolkinName = 20; }), "0 (Ahau) to 19 (Caunac)"},
      {"month 20", with({}, [](Pattern& p) { p.haabMonth = 20; }), "1 (Pop) to 19 (Uayeb)"},
      {"Haab day 20 from the seating", with({}, [](Pattern& p) { p.haabDay = 20; }),
       "the Haab days run 0 to 19"},
      {"Haab day 0 in the window's numbering",
       with({},
            [](Pattern& p) {
              p.haabDay = 0;
              p.numbering = HaabNumbering::Window1;
            }),
       "the Haab days run 1 to 20"},
      {"5 Uayeb from the seating",
       with({},
            [](Pattern& p) {
              p.haabMonth = 19;
              p.haabDay = 5;
            }),
       "Uayeb has only five days, 0 to 4"},
      {"6 Uayeb in the window's numbering",
       with({},
            [](Pattern& p) {
              p.haabMonth = 19;
              p.haabDay = 6;
              p.numbering = HaabNumbering::Window1;
            }),
       "Uayeb has only five days, 1 to 5"},
      {"G10", with({}, [](Pattern& p) { p.lord = 10; }), "the Lords of the Night run G1 to G9"},
      {"G0", with({}, [](Pattern& p) { p.lord = 0; }), "G1 to G9, not G0"},
      {"bearer number 14", with({}, [](Pattern& p) { p.bearerNumber = 14; }), "runs 1 to 13"},
      {"Ahau as year bearer", with({}, [](Pattern& p) { p.bearerName = 0; }),
       "Ahau never bears a year"},
      {"Ahau 9 Cumku",
       with({},
            [](Pattern& p) {
              p.tzolkinName = 0;
              p.haabMonth = 18;
              p.haabDay = 9;
            }),
       "'Ahau' and '9 Cumku' never fall on the same day: Ahau meets only the Haab days 3, 8, 13 "
       "and 18"},
      {"Ik 4 Pop in the window's numbering",
       with({},
            [](Pattern& p) {
              p.tzolkinNumber = 1;
              p.tzolkinName = 2;
              p.haabMonth = 1;
              p.haabDay = 4;
              p.numbering = HaabNumbering::Window1;
            }),
       "'1 Ik' and '4 Pop' never fall on the same day: Ik meets only the Haab days 5, 10, 15 "
       "and 20"},
      {"kin against name",
       with(longCount({9, any, any, any, 5}), [](Pattern& p) { p.tzolkinName = 0; }),
       "'9.*.*.*.5' and 'Ahau' never fall on the same day: a kin of 5 always falls on Chicchan"},
      {"kin before the creation date",
       with(longCount({any, any, any, any, 5}, true), [](Pattern& p) { p.tzolkinName = 5; }),
       "a kin of 5 before 0.0.0.0.0 always falls on Men"},
      {"kin against Haab day",
       with(longCount({any, any, any, any, 0}),
            [](Pattern& p) {
              p.haabMonth = 18;
              p.haabDay = 9;
            }),
       "'*.*.*.*.0' and '9 Cumku' never fall on the same day: a kin of 0 always falls on Ahau, "
       "and Ahau meets only"},
      {"lord fixed by uinal and kin",
       with(longCount({any, any, any, 0, 0}), [](Pattern& p) { p.lord = 1; }),
       "'*.*.*.0.0' and 'G1' never fall on the same day: every day that matches '*.*.*.0.0' is "
       "under G9"},
      {"lord fixed by uinal and name",
       with(longCount({any, any, any, 0, any}),
            [](Pattern& p) {
              p.tzolkinName = 0;
              p.lord = 1;
            }),
       "'*.*.*.0.*', 'Ahau' and 'G1' never fall on the same day"},
      {"bearer against Calendar Round",
       with({},
            [](Pattern& p) {
              p.tzolkinNumber = 4;
              p.tzolkinName = 0;
              p.haabMonth = 18;
              p.haabDay = 8;
              p.bearerNumber = 1;
              p.bearerName = 2;
            }),
       "'4 Ahau', '8 Cumku' and 'year bearer 1 Ik' never fall on the same day: no day of their "
       "common cycle of 18,980 days"},
      {"Calendar Round against bearer beside a Long Count of nine places",
       with(longCount({any, 0, any, any, 4, 12, any, any, any}),
            [](Pattern& p) {
              p.tzolkinNumber = 2;
              p.haabMonth = 6;
              p.haabDay = 16;
              p.bearerNumber = 4;
            }),
       "'Tzolkin number 2', '16 Xul' and 'year bearer number 4' never fall on the same day"},
      {"Calendar Round outside a short range",
       with(longCount({0, 0, 0, any, any}),
            [](Pattern& p) {
              p.tzolkinNumber = 4;
              p.tzolkinName = 0;
              p.haabMonth = 14;
              p.haabDay = 3;
            }),
       "'0.0.0.*.*', '4 Ahau' and '3 Kankin' never fall on the same day: none of the days "
       "'0.0.0.*.*' names has them all"},
      {"a lord beside a name and a day that never meet",
       with({},
            [](Pattern& p) {
              p.tzolkinName = 1;
              p.haabDay = 0;
              p.lord = 3;
            }),
       "'Imix' and 'Haab day 0' never fall on the same day"},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.what);
    const CompileResult r = compile(c.pattern);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.refusal.find(c.reason), std::string::npos) << r.refusal;
  }
}

// The refusals of the 819-day clues, word for word as the command line prints them.
TEST(SearchCompile, RefusesThe819DayCluesInWords) {
  const std::vector<std::pair<Pattern, std::string>> cases{
      {with({}, [](Pattern& p) { p.daysAfterStation = 900; }),
       "819+900: a day lies 0 to 818 days after its station, not 900"},
      {with({}, [](Pattern& p) { p.daysAfterStation = -1; }),
       "819+-1: a day lies 0 to 818 days after its station, not -1"},
      {with({}, [](Pattern& p) { p.stationQuarter = static_cast<Quarter>(4); }),
       "the quarters of the 819-day count are East, South, West and North, not 4"},
      {with({},
            [](Pattern& p) {
              p.daysAfterStation = 20;
              p.tzolkinNumber = 5, p.tzolkinName = 0;
            }),
       "'819+20' and '5 Ahau' never fall on the same day: a day 20 days after a station is always "
       "numbered 8 in the Tzolkin, because every station falls on a day numbered 1 (13 divides "
       "819)"},
      {with({},
            [](Pattern& p) {
              p.daysAfterStation = 0;
              p.tzolkinNumber = 13;
            }),
       "'819+0' and 'Tzolkin number 13' never fall on the same day: a day 0 days after a station "
       "is always numbered 1 in the Tzolkin, because every station falls on a day numbered 1 (13 "
       "divides 819)"},
      {with({},
            [](Pattern& p) {
              p.daysAfterStation = 20;
              p.lord = 5;
            }),
       "'819+20' and 'G5' never fall on the same day: a day 20 days after a station is always "
       "under G8, because every station falls under G6 (9 divides 819)"},
      {with(longCount({any, any, any, 0, 0}), [](Pattern& p) { p.daysAfterStation = 20; }),
       "'*.*.*.0.0' and '819+20' never fall on the same day: every day that matches '*.*.*.0.0' "
       "is under G9, and a day 20 days after a station is always under G8, because every station "
       "falls under G6 (9 divides 819)"},
      {with(longCount({any, any, any, 1, 0}, true), [](Pattern& p) { p.daysAfterStation = 5; }),
       "'-*.*.*.1.0' and '819+5' never fall on the same day: every day that matches '-*.*.*.1.0' "
       "is under G7, and a day 5 days after a station is always under G2, because every station "
       "falls under G6 (9 divides 819)"},
      {with({},
            [](Pattern& p) {
              p.daysAfterStation = 20;
              p.stationQuarter = Quarter::East;
              p.tzolkinName = 0;
            }),
       "'Ahau', '819+20' and '819 East' never fall on the same day: no day of their common cycle "
       "of 16,380 days has them all"},
      {with(longCount({0, 0, 0, 1, any}), [](Pattern& p) { p.stationQuarter = Quarter::North; }),
       "'0.0.0.1.*' and '819 North' never fall on the same day: none of the days '0.0.0.1.*' "
       "names has them all"},
  };
  for (const auto& [pattern, refusal] : cases)
    EXPECT_EQ(compile(pattern).refusal, refusal) << describe(pattern);
}

TEST(SearchCompile, AcceptsTheEdgesOfEveryRange) {
  const std::vector<Pattern> cases{
      longCount({9, 19, 19, 17, 19}),
      longCount({any, any, any, any, any, any, any, any, 19}, true),
      with({}, [](Pattern& p) { p.haabMonth = 19, p.haabDay = 4; }),
      with({},
           [](Pattern& p) {
             p.haabMonth = 19, p.haabDay = 5, p.numbering = HaabNumbering::Window1;
           }),
      with({}, [](Pattern& p) { p.haabDay = 20, p.numbering = HaabNumbering::Window1; }),
      with({}, [](Pattern& p) { p.lord = 9, p.tzolkinNumber = 13, p.tzolkinName = 19; }),
      with({}, [](Pattern& p) { p.bearerNumber = 13, p.bearerName = 17; }),
      with({}, [](Pattern& p) { p.daysAfterStation = 0, p.stationQuarter = Quarter::East; }),
      with({}, [](Pattern& p) { p.daysAfterStation = 818, p.stationQuarter = Quarter::North; }),
      Pattern{},
  };
  for (const Pattern& p : cases)
    EXPECT_TRUE(compile(p).ok()) << describe(p);
}

// ---- Anchors ----

Matcher accepted(const Pattern& p) {
  CompileResult r = compile(p);
  EXPECT_TRUE(r.ok()) << r.refusal;
  return *r.matcher;
}

TEST(SearchAnchors, BaktunNineWithEightAhauThirteenPopHolds9_8_9_13_0) {
  Pattern p = longCount({9, any, any, any, any});
  p.tzolkinNumber = 8, p.tzolkinName = 0, p.haabMonth = 1, p.haabDay = 13;
  const Matcher m = accepted(p);
  constexpr i64 k9_8_9_13_0 = 9 * 144'000 + 8 * 7'200 + 9 * 360 + 13 * 20;
  static_assert(k9_8_9_13_0 == 1'357'100);
  ASSERT_EQ(naturalRange(p), (DayRange{1'296'000, 1'439'999}));
  const auto days = searchList(m, searchRange(p));
  EXPECT_NE(std::find(days.begin(), days.end(), k9_8_9_13_0), days.end());
  EXPECT_EQ(count(m, searchRange(p)), static_cast<i64>(days.size()));
  for (std::size_t i = 1; i < days.size(); ++i)
    EXPECT_EQ(days[i] - days[i - 1], 18'980);
  EXPECT_EQ(m.matches(k9_8_9_13_0 + 18'980 * 5), false); // past the end of baktun 9
}

TEST(SearchAnchors, KatunEndingsOfBaktunNine) {
  const Matcher m = accepted(longCount({9, any, 0, 0, 0}));
  std::vector<i64> expected;
  for (i64 k = 0; k < 20; ++k)
    expected.push_back(9 * 144'000 + k * 7'200);
  EXPECT_EQ(searchList(m, kDefaultRange), expected);
}

TEST(SearchAnchors, CalendarRoundOfTheCreationDateReturnsEvery18980Days) {
  Pattern p;
  p.tzolkinNumber = 4, p.tzolkinName = 0, p.haabMonth = 18, p.haabDay = 8;
  const Matcher m = accepted(p);
  EXPECT_EQ(next(m, 0), 0);
  EXPECT_EQ(next(m, 1), 18'980);
  EXPECT_EQ(prev(m, -1), -18'980);
  EXPECT_EQ(prev(m, 18'979), 0);
  // 13.0.0.0.0 is 4 Ahau 3 Kankin, not 8 Cumku.
  EXPECT_FALSE(m.matches(1'872'000));
  // A million years and more, whole periods at once.
  EXPECT_EQ(count(m, {0, i64{18'980} * 20'000'000 - 1}), 20'000'000);
}

TEST(SearchAnchors, ReferenceDatesMatchTheirOwnDescriptions) {
  struct Vector {
    std::vector<std::optional<i64>> lc;
    int number, name, month, day, lord;
  };
  const std::vector<Vector> vectors{
      {{0, 0, 0, 0, 0}, 4, 0, 18, 8, 9},      {{9, 8, 9, 13, 0}, 8, 0, 1, 13, 8},
      {{13, 0, 0, 0, 0}, 4, 0, 14, 3, 9},     {{12, 19, 11, 6, 13}, 4, 13, 4, 16, 7},
      {{13, 0, 6, 6, 7}, 3, 7, 19, 0, 1},     {{19, 19, 19, 17, 19}, 9, 19, 7, 12, 8},
      {{9, 17, 19, 13, 16}, 5, 16, 9, 14, 6},
  };
  for (const Vector& v : vectors) {
    Pattern p = longCount(v.lc);
    p.tzolkinNumber = v.number, p.tzolkinName = v.name, p.haabMonth = v.month, p.haabDay = v.day;
    p.lord = v.lord;
    const Matcher m = accepted(p);
    i64 d = 0;
    for (int k = 0; k < 5; ++k)
      d += *v.lc[k] * kValue[4 + k];
    EXPECT_EQ(searchList(m, {d - 20'000, d + 20'000}), std::vector<i64>{d}) << describe(p);
  }
}

// 9.8.9.13.0, 8 Ahau 13 Pop, falls 20 days after a station of the South; so
// does -0.0.6.14.0, 8 Ahau 18 Tzec, the latest such day before 0.0.0.0.0.
TEST(SearchAnchors, TheStationsOfTheSouthHoldTheirDays) {
  Pattern baktun = longCount({9, any, any, any, any});
  baktun.stationQuarter = Quarter::South, baktun.tzolkinNumber = 8, baktun.tzolkinName = 0;
  const auto days = searchList(accepted(baktun), searchRange(baktun));
  EXPECT_NE(std::find(days.begin(), days.end(), 1'357'100), days.end());

  Pattern round;
  round.daysAfterStation = 20, round.stationQuarter = Quarter::South;
  round.tzolkinNumber = 8, round.tzolkinName = 0, round.haabMonth = 5, round.haabDay = 18;
  EXPECT_EQ(prev(accepted(round), -1), -(6 * 360 + 14 * 20));
}

// Every match of a walk over six cycles of 16,380 days around 0.0.0.0.0,
// with the 819-day clues alone and beside each other kind of clue, against
// the count of the days one at a time; next and prev step from match to match.
TEST(SearchStation819, WalksCountsAndStepsAgreeWithTheDayByDayCount) {
  const std::vector<Pattern> cases{
      with({}, [](Pattern& p) { p.stationQuarter = Quarter::South; }),
      with({}, [](Pattern& p) { p.daysAfterStation = 20; }),
      with({}, [](Pattern& p) { p.daysAfterStation = 0, p.stationQuarter = Quarter::East; }),
      with({}, [](Pattern& p) { p.stationQuarter = Quarter::North, p.lord = 4; }),
      with({}, [](Pattern& p) { p.stationQuarter = Quarter::West, p.haabMonth = 19; }),
      with({},
           [](Pattern& p) {
             p.daysAfterStation = 818, p.haabDay = 1, p.numbering = HaabNumbering::Window1;
           }),
      with({},
           [](Pattern& p) {
             p.daysAfterStation = 20, p.stationQuarter = Quarter::South;
             p.tzolkinNumber = 8, p.tzolkinName = 0;
           }),
      with({}, [](Pattern& p) { p.stationQuarter = Quarter::East, p.bearerName = 17; }),
      with(longCount({any, any, any, any, 0}),
           [](Pattern& p) { p.stationQuarter = Quarter::West; }),
      with(longCount({any, any, any, 3, any}, true), [](Pattern& p) { p.daysAfterStation = 400; }),
      with(longCount({0, any, any, any, any}),
           [](Pattern& p) { p.stationQuarter = Quarter::North, p.daysAfterStation = 7; }),
  };
  const DayRange range{-3 * 16'380 - 11, 3 * 16'380 + 7};
  for (const Pattern& p : cases) {
    SCOPED_TRACE(describe(p));
    const Matcher m = accepted(p);
    const auto days = searchList(m, range);
    ASSERT_EQ(days, bruteList(p, range.first, range.last));
    EXPECT_EQ(count(m, range), static_cast<i64>(days.size()));
    for (std::size_t i = 1; i < days.size(); ++i) {
      ASSERT_EQ(next(m, days[i - 1] + 1), days[i]);
      ASSERT_EQ(prev(m, days[i] - 1), days[i - 1]);
    }
  }
}

TEST(SearchAnchors, TheCreationDatesYearIsBorneBySevenEb) {
  Pattern p;
  p.bearerNumber = 7, p.bearerName = 12;
  const Matcher m = accepted(p);
  // 0 Pop of that year is 348 days before 8 Cumku; 4 Uayeb ends it.
  EXPECT_EQ(prev(m, 0), 0);
  EXPECT_EQ(searchList(m, {-400, 400}).front(), -348);
  EXPECT_EQ(searchList(m, {-400, 400}).back(), 16);
}

TEST(SearchAnchors, BothHaabNumberingsNameTheSameDays) {
  // The seating's 0 Pop is the window's 5 Uayeb; its 0 Uayeb the window's 20 Cumku.
  const std::vector<std::pair<std::pair<int, int>, std::pair<int, int>>> same{
      {{1, 0}, {19, 5}}, {{19, 0}, {18, 20}}, {{18, 8}, {18, 8}}, {{2, 1}, {2, 1}}};
  for (const auto& [seating, window] : same) {
    Pattern a, b;
    a.haabMonth = seating.first, a.haabDay = seating.second;
    b.haabMonth = window.first, b.haabDay = window.second;
    b.numbering = HaabNumbering::Window1;
    EXPECT_EQ(searchList(accepted(a), {-800, 800}), searchList(accepted(b), {-800, 800}))
        << describe(a) << " / " << describe(b);
  }
}

TEST(SearchRanges, NaturalRangesMirrorBeforeTheCreationDate) {
  EXPECT_EQ(naturalRange(longCount({9, any, any, any, any})), (DayRange{1'296'000, 1'439'999}));
  EXPECT_EQ(naturalRange(longCount({9, any, any, any, any}, true)),
            (DayRange{-1'439'999, -1'296'000}));
  EXPECT_EQ(naturalRange(longCount({0, any, any, any, any}, true)), (DayRange{-143'999, -1}));
  EXPECT_EQ(naturalRange(longCount({2, any})), (DayRange{40, 59}));
  EXPECT_EQ(naturalRange(longCount({any, 3, any, any, any})), std::nullopt);
  EXPECT_EQ(searchRange(longCount({any, 3, any, any, any})), kDefaultRange);
  EXPECT_EQ(searchRange(longCount({any, 3, any, any, any}, true)), (DayRange{-2'879'999, -1}));
  EXPECT_EQ(kDefaultRange, (DayRange{0, 19 * 144'000 + 19 * 7'200 + 19 * 360 + 17 * 20 + 19}));
}

TEST(SearchRanges, CountsReachTheEndsOfTheSearchableDays) {
  const Matcher after = accepted(longCount({any, any, any, any, any}));
  EXPECT_EQ(count(after, {-kSearchLimit, kSearchLimit}), kSearchLimit + 1);
  EXPECT_EQ(next(after, -kSearchLimit), 0);
  EXPECT_EQ(prev(after, std::numeric_limits<i64>::max()), kSearchLimit);
  EXPECT_EQ(prev(after, std::numeric_limits<i64>::min()), std::nullopt);
  const Matcher before = accepted(longCount({any, any, any, any, any}, true));
  EXPECT_EQ(count(before, {std::numeric_limits<i64>::min(), 0}), kSearchLimit);
  EXPECT_EQ(next(before, 0), std::nullopt);
  EXPECT_EQ(prev(before, 0), -1);
}

// Counting skips whole periods at every level of the Long Count; listing
// walks every run. Over long ranges both must agree.
TEST(SearchCount, WholePeriodsAgreeWithListingOverLongRanges) {
  std::vector<Pattern> cases;
  cases.push_back(with(longCount({any, 2, any, 9, any}), [](Pattern& p) { p.haabMonth = 14; }));
  cases.push_back(
      with(longCount({any, any, any, any, any, 3, any, 5, any}), [](Pattern& p) { p.lord = 4; }));
  cases.push_back(with(longCount({any, any, any, any, any, 3, any, 5, any}, true),
                       [](Pattern& p) { p.bearerName = 7; }));
  cases.push_back(with(longCount({any, 7, any, 1, any, 6}), [](Pattern& p) {
    p.haabDay = 4;
    p.numbering = HaabNumbering::Window1;
  }));
  for (const Pattern& p : cases) {
    const Matcher m = accepted(p);
    for (const DayRange range : {DayRange{-100'000'000, 100'000'000}, DayRange{-37, 54'321'987}}) {
      i64 listed = 0;
      forEachMatch(m, range, [&listed](i64) { return ++listed, true; });
      EXPECT_EQ(count(m, range), listed) << describe(p);
    }
  }
}

TEST(SearchList, StopsWhenTheVisitorSaysSo) {
  Pattern p;
  p.lord = 9;
  const Matcher m = accepted(p);
  std::vector<i64> seen;
  forEachMatch(m, kDefaultRange, [&seen](i64 d) {
    seen.push_back(d);
    return seen.size() < 3;
  });
  EXPECT_EQ(seen, (std::vector<i64>{0, 9, 18}));
}

} // namespace
