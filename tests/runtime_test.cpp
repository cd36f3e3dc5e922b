#include <glyphbox/runtime/conversions.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace glyphbox::runtime {
namespace {

std::optional<ErrorKind> errorOf(auto&& call) {
  try {
    call();
  } catch (const RuntimeError& e) {
    return e.kind();
  }
  return std::nullopt;
}

TEST(ValueOfText, ReadsTheNumberATextBeginsWith) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"", 0},
      {"abc", 0},
      {"2000", 2000},
      {"  2000", 2000},
      {"0002000", 2000},
      {"2000abc", 2000},
      {"-12", -12},
      {"+7", 7},
      {"31", 31},
      {"1.5", 1.5},
      {".5", 0.5},
      {"5.", 5},
      {"-", 0},
      {".", 0},
      {"1e3", 1000},
      {"1E+3x", 1000},
      {"2D2", 200},
      {"1e", 1},
      {"1e-400", 0},
      {"2147483647", 2147483647},
      {"123456789012345678", 123456789012345678.0},
      {"00000000000000000000002000", 2000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(valueOfText(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(ValueOfText, NumberTooLargeForADoubleOverflows) {
  EXPECT_EQ(errorOf([] { (void)valueOfText("1e400"); }), ErrorKind::Overflow);
  EXPECT_EQ(errorOf([] { (void)valueOfText(std::string(400, '9')); }), ErrorKind::Overflow);
  EXPECT_EQ(errorOf([] { (void)valueOfText("0.0001e309"); }), std::nullopt);
}

TEST(RoundToInt16, RoundsHalvesToEvenWithinRange) {
  struct Case {
    double in;
    std::int16_t out;
  };
  const Case cases[] = {{0.5, 0},         {1.5, 2},         {2.5, 2},          {-2.5, -2},
                        {-0.5, 0},        {2.4999, 2},      {31, 31},          {32767, 32767},
                        {32767.4, 32767}, {-32768, -32768}, {-32768.5, -32768}};
  for (const auto& c : cases) {
    EXPECT_EQ(roundToInt16(c.in).value(), c.out) << c.in;
  }
}

TEST(RoundToInt16, OutsideTheRangeOverflows) {
  for (const double v :
       {32767.5, 32768.0, -32768.51, -32769.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(errorOf([v] { (void)roundToInt16(v); }), ErrorKind::Overflow) << v;
  }
}

TEST(TextToInt32, AcceptsWholeNumbersInRange) {
  struct Case {
    const char* text;
    std::int32_t value;
  };
  const Case cases[] = {{"0", 0},
                        {"2000", 2000},
                        {" 2000 ", 2000},
                        {"0002000", 2000},
                        {"+5", 5},
                        {"-4", -4},
                        {"2147483647", 2147483647},
                        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
                        {"000000000000000000002147483647", 2147483647}};
  for (const auto& c : cases) {
    EXPECT_EQ(textToInt32(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(TextToInt32, RefusesOtherTexts) {
  struct Case {
    const char* text;
    ErrorKind kind;
  };
  const Case cases[] = {{"", ErrorKind::TypeMismatch},
                        {"-", ErrorKind::TypeMismatch},
                        {"12a", ErrorKind::TypeMismatch},
                        {"1 2", ErrorKind::TypeMismatch},
                        {"1.5", ErrorKind::TypeMismatch},
                        {"abc", ErrorKind::TypeMismatch},
                        {"2147483648", ErrorKind::Overflow},
                        {"-2147483649", ErrorKind::Overflow},
                        {"99999999999999999999999", ErrorKind::Overflow}};
  for (const auto& c : cases) {
    EXPECT_EQ(errorOf([&] { (void)textToInt32(c.text); }), c.kind) << '"' << c.text << '"';
  }
}

TEST(DoubleToText, WritesWholeNumbersPlainly) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {{0, "0"},
                        {-0.0, "0"},
                        {13, "13"},
                        {-5000, "-5000"},
                        {0.5, "0.5"},
                        {1867261, "1867261"},
                        {4789201, "4789201"},
                        {123456789012345.0, "123456789012345"}};
  for (const auto& c : cases) {
    EXPECT_EQ(doubleToText(c.value), c.text) << c.value;
  }
}

TEST(Int16, ArithmeticRaisesOverflowInsteadOfWrapping) {
  EXPECT_EQ((Int16(32766) + Int16(1)).value(), 32767);
  EXPECT_EQ((Int16(-32767) - Int16(1)).value(), -32768);
  EXPECT_EQ((Int16(-7) / Int16(2)).value(), -3); // truncates toward zero
  EXPECT_EQ(errorOf([] { (void)(Int16(32767) + Int16(1)); }), ErrorKind::Overflow);
  EXPECT_EQ(errorOf([] { (void)(Int16(-32768) - Int16(1)); }), ErrorKind::Overflow);
  EXPECT_EQ(errorOf([] { (void)(Int16(153) * Int16(215)); }), ErrorKind::Overflow);
  EXPECT_EQ(errorOf([] { (void)(Int16(-32768) / Int16(-1)); }), ErrorKind::Overflow);
  EXPECT_EQ(int16ToText(Int16(-32768)), "-32768");
}

TEST(CheckFloat, RaisesTheFloatingPointErrorForNonFiniteValues) {
  EXPECT_EQ(checkFloat(1.5), 1.5);
  EXPECT_EQ(errorOf([] { (void)checkFloat(std::numeric_limits<double>::infinity()); }),
            ErrorKind::FloatingPoint);
  EXPECT_EQ(errorOf([] { (void)checkFloat(std::nan("")); }), ErrorKind::FloatingPoint);
}

TEST(RuntimeError, CarriesNumberAndPlainMessage) {
  const RuntimeError e(ErrorKind::Overflow);
  EXPECT_EQ(e.number(), 6);
  EXPECT_NE(std::string(e.what()).find("Overflow"), std::string::npos);
  EXPECT_EQ(RuntimeError(ErrorKind::TypeMismatch).number(), 13);
}

} // namespace
} // namespace glyphbox::runtime
