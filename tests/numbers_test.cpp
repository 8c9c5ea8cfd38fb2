#include "console/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace hygrian {
namespace {

using E = NumberError;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct IntegerRow {
  std::string text;
  std::int32_t value;  // ignored unless error is None
  E error;
};

void CheckIntegers(const std::vector<IntegerRow>& rows) {
  for (const IntegerRow& row : rows) {
    const IntegerValue got = ParseInteger(row.text);
    EXPECT_EQ(got.error, row.error) << '"' << row.text << '"';
    if (row.error == E::None) {
      EXPECT_EQ(got.value, row.value) << '"' << row.text << '"';
    }
  }
}

TEST(ParseInteger, Decimal) {
  CheckIntegers({
      {"0", 0, E::None},
      {"+7", 7, E::None},
      {"-7", -7, E::None},
      {"-", 0, E::None},
      {"+", 0, E::None},
      {"", 0, E::None},
      {"2147483647", kMax, E::None},
      {"000000000002147483647", kMax, E::None},
      {"-2147483647", -kMax, E::None},
      {"-2147483648", kMin, E::None},
      {"2147483648", 0, E::IntegerOverflow},
      {"+2147483648", 0, E::IntegerOverflow},
      {"-2147483649", 0, E::IntegerOverflow},
      // Only the exact text is the minimum; with a leading zero it takes the
      // ordinary path and its magnitude does not fit.
      {"-02147483648", 0, E::IntegerOverflow},
      {"21474836470", 0, E::IntegerOverflow},
      {"99999999999999999999", 0, E::IntegerOverflow},
      {"1.0", 0, E::InvalidInteger},
      {"1E0", 0, E::InvalidInteger},
      {"+-1", 0, E::InvalidInteger},
      {"--1", 0, E::InvalidInteger},
      {" 1", 0, E::InvalidInteger},
      {"1 ", 0, E::InvalidInteger},
      {"abc", 0, E::InvalidInteger},
      {"1-", 0, E::InvalidInteger},
  });
}

TEST(ParseInteger, EndOfFileByteEndsADecimal) {
  CheckIntegers({
      {"12\x1A", 12, E::None},
      {"-12\x1A"
       "34",
       -12, E::None},
      {"\x1A"
       "junk",
       0, E::None},
      {"-\x1A", 0, E::None},
      // After a radix marker only the end of the text ends the digits.
      {"16#1\x1A", 0, E::InvalidInteger},
  });
}

TEST(ParseInteger, Radix) {
  CheckIntegers({
      {"16#1F", 31, E::None},
      {"#1f", 31, E::None},
      {"0#5", 5, E::None},
      {"00#ff", 255, E::None},
      {"#", 0, E::None},
      {"-#", 0, E::None},
      {"8#", 0, E::None},
      {"8#777", 511, E::None},
      {"3#12", 5, E::None},
      {"36#z", 35, E::None},
      {"36#Zz", 1295, E::None},
      {"-16#1", -1, E::None},
      {"+2#101", 5, E::None},
      {"2#102", 0, E::InvalidInteger},
      {"8#8", 0, E::InvalidInteger},
      {"16#g", 0, E::InvalidInteger},
      {"#G", 0, E::InvalidInteger},
      {"16#1.0", 0, E::InvalidInteger},
      {"16#-1", 0, E::InvalidInteger},
      {"1#0", 0, E::IllegalRadix},
      {"1#", 0, E::IllegalRadix},
      {"37#1", 0, E::IllegalRadix},
      {"40#", 0, E::IllegalRadix},
      {"-1#1", 0, E::IllegalRadix},
      {"16#1#2", 0, E::MultipleRadix},
      {"16##", 0, E::MultipleRadix},
      {"##", 0, E::MultipleRadix},
      {"2#1#", 0, E::MultipleRadix},
      // A bad digit is reported before a later marker.
      {"16#1G#", 0, E::InvalidInteger},
      // The radix itself overflows before the marker is reached.
      {"99999999999#1", 0, E::IntegerOverflow},
  });
}

TEST(ParseInteger, RadixRangeWrapsToTwosComplement) {
  CheckIntegers({
      {"16#7FFFFFFF", kMax, E::None},
      {"16#80000000", kMin, E::None},
      {"-16#80000000", kMin, E::None},
      {"16#FFFFFFFF", -1, E::None},
      {"-16#FFFFFFFF", 1, E::None},
      {"16#0000000000FFFFFFFF", -1, E::None},
      {"16#100000000", 0, E::IntegerOverflow},
      {"16#FFFFFFFF0", 0, E::IntegerOverflow},
      {"2#11111111111111111111111111111111", -1, E::None},
      {"2#100000000000000000000000000000000", 0, E::IntegerOverflow},
      {"8#37777777777", -1, E::None},
      {"8#40000000000", 0, E::IntegerOverflow},
      // 36^6 - 1 = 2176782335 still fits 32 bits.
      {"36#ZZZZZZ", -2118184961, E::None},
      {"36#ZZZZZZZ", 0, E::IntegerOverflow},
      // 4294967295 in radix 36, and one more: the last step wraps without
      // passing the limit check (119304647 * 36 + 4 = 2^32).
      {"36#1Z141Z3", -1, E::None},
      {"36#1Z141Z4", 0, E::IntegerOverflow},
      // Radix 10 after a marker keeps the signed range.
      {"10#2147483647", kMax, E::None},
      {"-10#2147483647", -kMax, E::None},
      {"10#2147483648", 0, E::IntegerOverflow},
      {"-10#2147483648", 0, E::IntegerOverflow},
      {"10#21474836470", 0, E::IntegerOverflow},
  });
}

struct RealRow {
  std::string text;
  double value;  // compared by bit pattern; ignored unless error is None
  E error;
};

void CheckReals(const std::vector<RealRow>& rows) {
  for (const RealRow& row : rows) {
    const RealValue got = ParseReal(row.text);
    EXPECT_EQ(got.error, row.error) << '"' << row.text << '"';
    if (row.error == E::None) {
      EXPECT_EQ(std::bit_cast<std::uint64_t>(got.value), std::bit_cast<std::uint64_t>(row.value))
          << '"' << row.text << "\" gave " << got.value;
    }
  }
}

TEST(ParseReal, Forms) {
  CheckReals({
      {".5", 0.5, E::None},          {"5.", 5.0, E::None},
      {"25", 25.0, E::None},         {"-3", -3.0, E::None},
      {"+3.25", 3.25, E::None},      {"2.5E1", 25.0, E::None},
      {"1D-1", 0.1, E::None},        {"1d5", 1e5, E::None},
      {"1e-5", 1e-5, E::None},       {"1E+5", 1e5, E::None},
      {"1.5+2", 150.0, E::None},     {"1.5-2", 0.015, E::None},
      {".5-1", 0.05, E::None},       {"5.+1", 50.0, E::None},
      {"1000e-3", 1.0, E::None},     {"0.001e3", 1.0, E::None},
      {"0.1", 0.1, E::None},         {"123.456", 123.456, E::None},
      {"00012.5000", 12.5, E::None}, {"0", 0.0, E::None},
      {"-0", -0.0, E::None},         {"-0.000e5", -0.0, E::None},
      {"0e999999999", 0.0, E::None}, {"0.0e-99999999999999999999", 0.0, E::None},
  });
}

TEST(ParseReal, Syntax) {
  CheckReals({
      {"", 0, E::InvalidReal},      {".", 0, E::InvalidReal},     {"+", 0, E::InvalidReal},
      {"-", 0, E::InvalidReal},     {"-.", 0, E::InvalidReal},    {"ABC", 0, E::InvalidReal},
      {"e5", 0, E::InvalidReal},    {".e5", 0, E::InvalidReal},   {"+e5", 0, E::InvalidReal},
      {"1E", 0, E::InvalidReal},    {"1e+", 0, E::InvalidReal},   {"1e-", 0, E::InvalidReal},
      {"1.5+", 0, E::InvalidReal},  {"1.5-", 0, E::InvalidReal},  {"1.2.3", 0, E::InvalidReal},
      {"1..2", 0, E::InvalidReal},  {"1E+-5", 0, E::InvalidReal}, {"1e1+2", 0, E::InvalidReal},
      {"1e5x", 0, E::InvalidReal},  {"1e5.0", 0, E::InvalidReal}, {"1e1e1", 0, E::InvalidReal},
      {"1f5", 0, E::InvalidReal},   {"1x", 0, E::InvalidReal},    {"++1", 0, E::InvalidReal},
      {"+-1", 0, E::InvalidReal},   {" 1", 0, E::InvalidReal},    {"1 ", 0, E::InvalidReal},
      {"1,5", 0, E::InvalidReal},   {"#1", 0, E::InvalidReal},    {"1E 5", 0, E::InvalidReal},
      {"inf", 0, E::InvalidReal},   {"nan", 0, E::InvalidReal},   {"0x10", 0, E::InvalidReal},
      {"1\x1A", 0, E::InvalidReal},
  });
}

TEST(ParseReal, Overflow) {
  CheckReals({
      {"1E400", 0, E::RealOutOfRange},
      {"-1E400", 0, E::RealOutOfRange},
      {"1e309", 0, E::RealOutOfRange},
      {"1e308", 1e308, E::None},
      {"100000e303", 1e308, E::None},
      {"0.00000001e316", 1e308, E::None},
      {"0.01e311", 0, E::RealOutOfRange},
      {"0.1e311", 0, E::RealOutOfRange},
      {"1.7976931348623157e308", std::numeric_limits<double>::max(), E::None},
      {"-1.7976931348623157e308", -std::numeric_limits<double>::max(), E::None},
      // Below the midpoint to 2^1024 (1.797693134862315807937...e308).
      {"1.7976931348623158e308", std::numeric_limits<double>::max(), E::None},
      {"1.7976931348623159e308", 0, E::RealOutOfRange},
      {"1e999999999999999999", 0, E::RealOutOfRange},
      {"1e99999999999999999999999999999999999999", 0, E::RealOutOfRange},
      {"0.0000000000000000000000000000001e999999999", 0, E::RealOutOfRange},
  });
}

TEST(ParseReal, UnderflowIsSilent) {
  CheckReals({
      {"1E-400", 0.0, E::None},
      {"-1e-400", -0.0, E::None},
      {"1e-324", 0.0, E::None},
      {"-1e-330", -0.0, E::None},
      {"1e-999999999999999999", 0.0, E::None},
      {"4.9e-324", 0x1p-1074, E::None},
      {"-4.9e-324", -0x1p-1074, E::None},
      // Either side of half the smallest subnormal, 2.4703282292062327208...e-324.
      {"2.4703282292062327e-324", 0.0, E::None},
      {"2.4703282292062328e-324", 0x1p-1074, E::None},
      {"1e-320", 0x7E8p-1074, E::None},
      {"2.2250738585072009e-308", 0xFFFFFFFFFFFFFp-1074, E::None},
      {"2.2250738585072014e-308", std::numeric_limits<double>::min(), E::None},
      {"10000000000e-318", 1e-308, E::None},
  });
}

// 1 + 2^-53, exactly halfway between 1 and the next double.
const std::string kHalfAboveOne = "1.00000000000000011102230246251565404236316680908203125";
constexpr double kNextAboveOne = 1.0 + 0x1p-52;

TEST(ParseReal, LongTexts) {
  CheckReals({
      {"1" + std::string(249, '0'), 1e249, E::None},
      {"0." + std::string(250, '0') + "1", 1e-251, E::None},
      {std::string(250, '0') + "1.5", 1.5, E::None},
      {"-" + std::string(250, '9') + "e-250", -1.0, E::None},
      {"1" + std::string(300, '0') + "e-301", 0.1, E::None},
      // A tie rounds to even; any later non-zero digit, however far out, breaks it.
      {kHalfAboveOne, 1.0, E::None},
      {kHalfAboveOne + "0000", 1.0, E::None},
      {kHalfAboveOne + std::string(190, '0') + "1", kNextAboveOne, E::None},
      {kHalfAboveOne + std::string(1000, '0'), 1.0, E::None},
      {kHalfAboveOne + std::string(1000, '0') + "1", kNextAboveOne, E::None},
      {"1.00000000000000011102230246251565404236316680908203124" + std::string(1000, '9'), 1.0,
       E::None},
      {std::string(250, '1') + "x", 0, E::InvalidReal},
  });
}

}  // namespace
}  // namespace hygrian
