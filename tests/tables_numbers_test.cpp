#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <string>

#include "tables/numbers.h"

namespace hygrian::tables {
namespace {

using S = NumberStatus;

// Expected values are written as bit patterns or as exact binary fractions, so
// that the test does not lean on the parser under test.
struct ParseRow {
  std::string text;
  S status;
  std::uint64_t bits;  // checked when status is Ok
};

constexpr std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

TEST(ParseNumber, Syntax) {
  const ParseRow rows[] = {
      {"0", S::Ok, Bits(0.0)},
      {"-0", S::Ok, Bits(-0.0)},
      {"+0.0", S::Ok, Bits(0.0)},
      {"25", S::Ok, Bits(25.0)},
      {"+25", S::Ok, Bits(25.0)},
      {"-12.5", S::Ok, Bits(-12.5)},
      {".5", S::Ok, Bits(0.5)},
      {"5.", S::Ok, Bits(5.0)},
      {"2.5e1", S::Ok, Bits(25.0)},
      {"25E-1", S::Ok, Bits(2.5)},
      {"1e+3", S::Ok, Bits(1000.0)},
      {"0.1", S::Ok, 0x3FB999999999999AULL},
      {"0.30000000000000004", S::Ok, 0x3FD3333333333334ULL},
      // The halfway case between 1 and the next double rounds to even.
      {"1.00000000000000011102230246251565404236316680908203125", S::Ok, Bits(1.0)},
      {"1.000000000000000111022302462515654042363166809082031251", S::Ok, 0x3FF0000000000001ULL},
      // Blanks around the text and one pair of quotes come off.
      {"  7 ", S::Ok, Bits(7.0)},
      {"\t7\t", S::Ok, Bits(7.0)},
      {"\"7\"", S::Ok, Bits(7.0)},
      {" \"-7.25\" ", S::Ok, Bits(-7.25)},
      {"", S::Empty, 0},
      {"   ", S::Empty, 0},
      {"\"\"", S::Empty, 0},
      {" \"\" ", S::Empty, 0},
      {"\" 7\"", S::NotANumber, 0},
      {"\"7", S::NotANumber, 0},
      {"\"\"7\"\"", S::NotANumber, 0},
      {".", S::NotANumber, 0},
      {"+", S::NotANumber, 0},
      {"-", S::NotANumber, 0},
      {"+-1", S::NotANumber, 0},
      {"--1", S::NotANumber, 0},
      {"1e", S::NotANumber, 0},
      {"1e+", S::NotANumber, 0},
      {"e5", S::NotANumber, 0},
      {".e5", S::NotANumber, 0},
      {"1.5+2", S::NotANumber, 0},
      {"1d3", S::NotANumber, 0},
      {"1D3", S::NotANumber, 0},
      {"1.2.3", S::NotANumber, 0},
      {"1 2", S::NotANumber, 0},
      {"1,5", S::NotANumber, 0},
      {"inf", S::NotANumber, 0},
      {"-infinity", S::NotANumber, 0},
      {"nan", S::NotANumber, 0},
      {"0x10", S::NotANumber, 0},
      {"0x1p3", S::NotANumber, 0},
      {"١", S::NotANumber, 0},
      {"12abc", S::NotANumber, 0},
  };
  for (const ParseRow& row : rows) {
    const Number got = ParseNumber(row.text);
    EXPECT_EQ(got.status, row.status) << '"' << row.text << '"';
    if (row.status == S::Ok) {
      EXPECT_EQ(Bits(got.value), row.bits) << '"' << row.text << '"';
    }
  }
}

TEST(ParseNumber, OverflowIsOutOfRangeAndUnderflowRounds) {
  constexpr double MinSubnormal = std::numeric_limits<double>::denorm_min();
  constexpr double Max = std::numeric_limits<double>::max();
  const ParseRow rows[] = {
      {"1e400", S::OutOfRange, 0},
      {"-1e400", S::OutOfRange, 0},
      {"1.8e308", S::OutOfRange, 0},
      {"1e99999999999999999999999", S::OutOfRange, 0},
      {"100000000000000000000000000000000e300", S::OutOfRange, 0},
      {"1.7976931348623157e308", S::Ok, Bits(Max)},
      // Below half the least subnormal: zero, with the sign.
      {"1e-400", S::Ok, Bits(0.0)},
      {"-1e-400", S::Ok, Bits(-0.0)},
      {"2e-324", S::Ok, Bits(0.0)},
      {"0.0000000000000000000000000000001e-300", S::Ok, Bits(0.0)},
      {"1e-99999999999999999999999", S::Ok, Bits(0.0)},
      {"3e-324", S::Ok, Bits(MinSubnormal)},
      {"4.9406564584124654e-324", S::Ok, Bits(MinSubnormal)},
      {"-5e-324", S::Ok, Bits(-MinSubnormal)},
      {"0e99999", S::Ok, Bits(0.0)},
  };
  for (const ParseRow& row : rows) {
    const Number got = ParseNumber(row.text);
    EXPECT_EQ(got.status, row.status) << row.text;
    if (row.status == S::Ok) {
      EXPECT_EQ(Bits(got.value), row.bits) << row.text;
    }
  }
}

TEST(FormatNumber, ShortestAndSignificantDigits) {
  const struct {
    double value;
    int digits;
    std::string text;
  } rows[] = {
      {25.0, 0, "25"},
      {0.5, 0, "0.5"},
      {-0.0, 0, "-0"},
      {0.1, 0, "0.1"},
      {101.325, 0, "101.325"},
      {0.00001, 0, "1e-05"},
      {1e21, 0, "1e+21"},
      {123456789012.0, 0, "123456789012"},
      {56.99999999999999, 0, "56.99999999999999"},
      {0x1.0000000000001p0, 0, "1.0000000000000002"},
      {-1.7976931348623157e308, 0, "-1.7976931348623157e+308"},
      {4.9406564584124654e-324, 0, "5e-324"},
      {63.48314519856817, 4, "63.48"},
      {63.48314519856817, 1, "6e+01"},
      {0.012598996062522676, 3, "0.0126"},
      {0.1, 17, "0.10000000000000001"},
      {25.0, 17, "25"},
      {-2.2250738585072014e-308, 17, "-2.2250738585072014e-308"},
  };
  for (const auto& row : rows) {
    std::array<char, kNumberTextSize> buffer{};
    char* end = FormatNumber(buffer.data(), row.value, row.digits);
    EXPECT_EQ(std::string(buffer.data(), end), row.text) << row.digits;
  }
}

}  // namespace
}  // namespace hygrian::tables
