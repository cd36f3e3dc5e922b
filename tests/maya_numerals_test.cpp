#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/numerals.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace glyphbox::maya {
namespace {

// The code points of UTF-8 text, decoded here rather than by the writer's
// own byte arithmetic. A malformed sequence decodes to -1.
std::vector<long> codePoints(const std::string& text) {
  std::vector<long> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
    } else if ((lead & 0xF8) == 0xF0 && i + 3 < text.size()) {
      long cp = lead & 0x07;
      for (std::size_t k = 1; k <= 3; ++k) {
        cp = cp << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      }
      out.push_back(cp);
      i += 4;
    } else {
      out.push_back(-1);
      ++i;
    }
  }
  return out;
}

constexpr long kZero = 0x1D2E0;

TEST(BarDot, EveryNumberIsItsFivesAndUnits) {
  for (int n = 0; n <= 19; ++n) {
    const BarDot b = barDotOf(n);
    EXPECT_EQ(b.bars * 5 + b.dots, n) << n;
    EXPECT_TRUE(b.bars >= 0 && b.bars <= 3 && b.dots >= 0 && b.dots <= 4) << n;
    EXPECT_EQ(b.shell, n == 0) << n;
  }
}

TEST(Base20, DigitsReadBackAndLeadWithANonzeroDigit) {
  std::vector<std::int64_t> values = {INT64_MAX, INT64_MIN + 1, kMaxDayNumber, -kMaxDayNumber};
  for (std::int64_t n = -450; n <= 8'500; ++n) {
    values.push_back(n);
  }
  for (const std::int64_t n : values) {
    const Base20Digits digits = base20Digits(n);
    std::uint64_t value = 0;
    for (const int digit : digits) {
      ASSERT_LT(digit, 20) << n;
      value = value * 20 + static_cast<std::uint64_t>(digit);
    }
    EXPECT_EQ(value, n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n));
    EXPECT_TRUE(digits[0] != 0 || (n == 0 && digits.size() == 1)) << n;
  }
  struct Case {
    std::int64_t n;
    std::vector<int> digits;
  };
  const Case cases[] = {{0, {0}},         {19, {19}},    {20, {1, 0}},        {399, {19, 19}},
                        {400, {1, 0, 0}}, {-21, {1, 1}}, {8000, {1, 0, 0, 0}}};
  for (const Case& c : cases) {
    const Base20Digits digits = base20Digits(c.n);
    EXPECT_EQ(std::vector<int>(digits.begin(), digits.end()), c.digits) << c.n;
  }
  // 2^63 needs all fifteen digits the writers make room for.
  EXPECT_EQ(base20Digits(INT64_MIN).size(), kMaxBase20Digits);
}

TEST(MayanNumeral, WritesOneCodePointOfFourBytesPerDigit) {
  for (int n = 0; n <= 19; ++n) {
    const std::string text = mayanNumeral(n);
    EXPECT_EQ(text.size(), 4u) << n;
    EXPECT_EQ(codePoints(text), std::vector<long>{kZero + n}) << n;
  }
  struct Case {
    std::int64_t n;
    std::vector<long> codePoints;
  };
  const Case cases[] = {
      {20, {kZero + 1, kZero}},
      {399, {kZero + 19, kZero + 19}},
      {8000, {kZero + 1, kZero, kZero, kZero}},
      {-21, {'-', kZero + 1, kZero + 1}},
      {1'872'000, {kZero + 11, kZero + 14, kZero, kZero, kZero}}, // 11.14.0.0.0 in base 20
  };
  for (const Case& c : cases) {
    EXPECT_EQ(codePoints(mayanNumeral(c.n)), c.codePoints) << c.n;
  }
  // The longest text fills the stated room exactly.
  char buffer[kMaxMayanNumeralText];
  EXPECT_EQ(writeMayanNumeral(buffer, INT64_MIN) - buffer, kMaxMayanNumeralText);
}

TEST(LongCountInNumerals, WritesEachPlaceOfTheLongCount) {
  struct Case {
    std::int64_t d;
    std::vector<long> codePoints;
  };
  const Case cases[] = {
      {1'386'478, // 9.12.11.5.18
       {kZero + 9, '.', kZero + 12, '.', kZero + 11, '.', kZero + 5, '.', kZero + 18}},
      {-25, // -0.0.0.1.5
       {'-', kZero, '.', kZero, '.', kZero, '.', kZero + 1, '.', kZero + 5}},
      {20 * kBaktun + 1, // 20.0.0.0.1: the baktun in two digits
       {kZero + 1, kZero, '.', kZero, '.', kZero, '.', kZero, '.', kZero + 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(codePoints(longCountInNumerals(c.d)), c.codePoints) << longCountText(c.d);
  }
}

} // namespace
} // namespace glyphbox::maya
