#include "console/fields.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "console/decimal.h"
#include "tests/decimal_patterns.h"
#include "tests/decimal_reference.h"

namespace hygrian {
namespace {

using testing::FormatExponent;
using testing::FormatFixed;
using testing::PlaceField;
using testing::PrintfDigits;
using testing::ReferenceExponent;
using testing::ReferenceFixed;
using testing::RoundDigits;
using testing::ToDecimalDigits;

// Expected digits come from the exact binary values written out in decimal by hand
// (e.g. 2.675 is 2.67499999999999982236431605997495353221893310546875).
struct DigitsCase {
  double value;
  bool negative;
  const char* digits;
  int exponent;
};

TEST(ToDecimalDigits, FirstSeventeenDigitsOfTheExactValueTiesUp) {
  const DigitsCase cases[] = {
      {0.5, false, "5", 0},
      {23.456, false, "23456", 2},
      {2.675, false, "26749999999999998", 1},
      {0.005, false, "50000000000000001", -2},
      {0.1, false, "10000000000000001", 0},  // ...0000|555 rounds up
      {1.0, false, "1", 1},
      {-100.0, true, "1", 3},
      {0.125, false, "125", 0},
      // Exactly ...62|5 after 17 digits: the tie goes up, not to the even 2.
      {2251799813685246.25, false, "22517998136852463", 16},
      {-2251799813685246.25, true, "22517998136852463", 16},
      {1234567890123456.25, false, "12345678901234563", 16},
      {1234567890123456.75, false, "12345678901234568", 16},
      // 9.99999999999999998819...e-15: seventeen nines carry into a new digit.
      {1e-14, false, "1", -13},
      {1e98, false, "1", 99},
      {1e99, false, "99999999999999997", 99},
      {0.0, false, "0", 0},
      {-0.0, false, "0", 0},
      {5e-324, false, "49406564584124654", -323},
      {-5e-324, true, "49406564584124654", -323},
      {DBL_MIN, false, "22250738585072014", -307},
      {DBL_MAX, false, "17976931348623157", 309},
  };
  for (const auto& c : cases) {
    const DecimalDigits d = ToDecimalDigits(c.value);
    EXPECT_EQ(d.View(), c.digits) << c.value;
    EXPECT_EQ(d.exponent, c.exponent) << c.value;
    EXPECT_EQ(d.negative, c.negative) << c.value;
  }
}

// Seventeen correctly rounded significant digits always identify the double, so
// parsing them back must give the same bits, for any bit pattern.
TEST(ToDecimalDigits, ReadsBackToTheSameDoubleForAnyBitPattern) {
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  for (int k = 0; k < 20000; ++k) {
    state += 0x9E3779B97F4A7C15u;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    z ^= z >> 31;
    if (k % 4 == 0) z &= 0x800FFFFFFFFFFFFFu;  // a quarter subnormal
    const auto x = std::bit_cast<double>(z);
    if (!(x - x == 0.0)) continue;  // infinities and NaNs are not formatted
    const DecimalDigits d = ToDecimalDigits(x);
    ASSERT_GE(d.count, 1u);
    ASSERT_LE(d.count, 17u);
    ASSERT_NE(d.digits[0], '0') << x;
    ASSERT_NE(d.digits[d.count - 1], '0') << x;
    const std::string text = std::string(d.negative ? "-0." : "0.") + std::string(d.View()) + "e" +
                             std::to_string(d.exponent);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(std::strtod(text.c_str(), nullptr)), z) << text;
  }
}

std::string Signed(const DecimalDigits& d) {
  return (d.negative ? "-" : "") + std::string(d.View());
}

// The digits of every pattern against glibc's exact expansion rounded half-up, so
// a difference names its value.
TEST(ToDecimalDigits, AgreesWithGlibcOnAllPatterns) {
  const std::vector<std::uint64_t> patterns = testing::DecimalPatterns();
  ASSERT_EQ(patterns.size(), 298796u);
  int mismatches = 0;
  for (const std::uint64_t bits : patterns) {
    const DecimalDigits ours = ToDecimalDigits(std::bit_cast<double>(bits));
    const DecimalDigits glibc = PrintfDigits(std::bit_cast<double>(bits));
    if (Signed(ours) == Signed(glibc) && ours.exponent == glibc.exponent) continue;
    ADD_FAILURE() << std::hex << bits << std::dec << ": " << Signed(ours) << " e" << ours.exponent
                  << " against " << Signed(glibc) << " e" << glibc.exponent;
    if (++mismatches == 10) break;
  }
}

// The 128-bit path against the full expansion, pattern by pattern, so a
// difference names its value.
TEST(ToDecimalDigits, AgreesWithTheFullExpansionOnAllPatterns) {
  int mismatches = 0;
  for (const std::uint64_t bits : testing::DecimalPatterns()) {
    const auto x = std::bit_cast<double>(bits);
    const DecimalDigits fast = ToDecimalDigits(x);
    const DecimalDigits full = ExpandDecimalDigits(x);
    if (Signed(fast) == Signed(full) && fast.exponent == full.exponent) continue;
    ADD_FAILURE() << std::hex << bits << std::dec << ": " << Signed(fast) << " e" << fast.exponent
                  << " against " << Signed(full) << " e" << full.exponent;
    if (++mismatches == 10) break;
  }
}

// The texts of every pattern in the fields of the results block (fixed, 2, 3 and 4
// decimals; exponent form, 4 digits), and of every 8th also in fixed fields of 0, 9
// and 20 decimals and exponent fields of 0 and 16 digits, against the texts composed
// digit by digit from glibc's digits.
TEST(FormatFixed, AgreesWithTheReferenceOnAllPatterns) {
  const std::vector<std::uint64_t> patterns = testing::DecimalPatterns();
  int mismatches = 0;
  const auto check = [&mismatches](const std::string& ours, const std::string& reference,
                                   double x) {
    if (ours == reference || mismatches >= 10) return;
    ++mismatches;
    ADD_FAILURE() << x << ": \"" << ours << "\" against \"" << reference << '"';
  };
  for (std::size_t k = 0; k < patterns.size(); ++k) {
    const auto x = std::bit_cast<double>(patterns[k]);
    const DecimalDigits digits = PrintfDigits(x);
    for (const int d : {2, 3, 4}) check(FormatFixed(x, d), ReferenceFixed(digits, d), x);
    check(FormatExponent(x, 4), ReferenceExponent(digits, 4), x);
    if (k % 8 != 0) continue;
    for (const int d : {0, 9, 20}) check(FormatFixed(x, d), ReferenceFixed(digits, d), x);
    for (const int d : {0, 16}) check(FormatExponent(x, d), ReferenceExponent(digits, d), x);
  }
}

struct RoundCase {
  const char* digits;
  int exponent;
  bool negative;
  int n;
  const char* roundedDigits;
  int roundedExponent;
  bool roundedNegative;
  bool carry;
};

DecimalDigits MakeDigits(std::string_view text, int exponent, bool negative) {
  DecimalDigits d;
  d.negative = negative;
  d.exponent = exponent;
  d.count = text.size();
  for (std::size_t k = 0; k < text.size(); ++k) d.digits[k] = text[k];
  return d;
}

TEST(RoundDigits, HalfUpOnTheDecimalDigits) {
  const RoundCase cases[] = {
      {"99999", 0, false, 2, "1", 1, false, true},
      {"999", 5, true, 2, "1", 6, true, true},
      {"12345", 0, false, 3, "123", 0, false, false},
      {"12355", 0, false, 3, "124", 0, false, false},
      {"12995", 0, false, 4, "13", 0, false, false},
      {"1204", 0, false, 3, "12", 0, false, false},
      {"123", 2, true, 3, "123", 2, true, false},
      {"123", 2, false, 7, "123", 2, false, false},
      // With no digit kept, a rounding up leaves "1" where it was.
      {"5", -2, false, 0, "1", -2, false, true},
      {"5", -2, true, 0, "1", -2, true, true},
      {"99", 0, false, 0, "1", 0, false, true},
      {"49", -2, true, 0, "", -2, false, false},
      {"0", 0, false, 0, "", 0, false, false},
  };
  for (const auto& c : cases) {
    DecimalDigits d = MakeDigits(c.digits, c.exponent, c.negative);
    EXPECT_EQ(RoundDigits(d, c.n), c.carry) << c.digits << " to " << c.n;
    EXPECT_EQ(d.View(), c.roundedDigits) << c.digits << " to " << c.n;
    EXPECT_EQ(d.exponent, c.roundedExponent) << c.digits << " to " << c.n;
    EXPECT_EQ(d.negative, c.roundedNegative) << c.digits << " to " << c.n;
  }
}

enum class Form { Fixed, Exponent };

struct FieldCase {
  Form form;
  int width;
  int decimals;  // fraction digits for the exponent form
  double value;
  const char* field;
};

std::string Field(const FieldCase& c) {
  const std::string text = c.form == Form::Fixed ? FormatFixed(c.value, c.decimals)
                                                 : FormatExponent(c.value, c.decimals);
  return PlaceField(text, c.width);
}

constexpr Form F = Form::Fixed;
constexpr Form E = Form::Exponent;

TEST(Fields, WorkedExamples) {
  const FieldCase cases[] = {
      {F, 6, 2, 23.456, " 23.46"},
      {F, 6, 2, 25, " 25.00"},
      {F, 6, 2, 0.5, "   .50"},
      {F, 6, 2, 0, "   .00"},
      {F, 6, 2, -5.5, " -5.50"},
      {F, 6, 2, -0.05, "  -.05"},
      {F, 6, 2, -0.001, "   .00"},
      {F, 6, 2, 0.005, "   .01"},
      {F, 6, 2, 0.125, "   .13"},
      {F, 6, 2, 2.675, "  2.67"},
      {F, 6, 2, -12.345, "-12.35"},
      {F, 6, 2, 9.999, " 10.00"},
      {F, 6, 2, -100, "******"},
      {F, 5, 2, 62.5, "62.50"},
      {F, 5, 2, 5.5, " 5.50"},
      {F, 5, 2, 100, "*****"},
      {F, 5, 2, 99.995, "*****"},
      {F, 7, 2, 50.123, "  50.12"},
      {F, 7, 2, 1234.567, "1234.57"},
      {F, 9, 4, 0.5, "    .5000"},
      {F, 9, 4, 0.99995, "   1.0000"},
      {F, 6, 3, 0.8567, "  .857"},
      {F, 6, 3, 12.3456, "12.346"},
      {F, 6, 3, 123.4, "******"},
      {E, 11, 4, 0.0123456, "  .1235E-01"},
      {E, 11, 4, 0.00731, "  .7310E-02"},
      {E, 11, 4, 0, "  .0000E+00"},
      {E, 11, 4, -0.5, " -.5000E+00"},
      {E, 11, 4, 9.99996, "  .1000E+02"},
      {E, 11, 4, 1e-101, "  .1000-100"},
  };
  for (const auto& c : cases) EXPECT_EQ(Field(c), c.field) << c.value;
}

TEST(Fields, EdgeCases) {
  const FieldCase cases[] = {
      // Relative humidity: 99.995 is stored just above, 99.994 just below.
      {F, 5, 2, 99.994, "99.99"},
      {F, 5, 2, 99.996, "*****"},
      // Temperatures: the 6-wide field holds -99.99 to 999.99 after rounding.
      {F, 6, 2, -99.99, "-99.99"},
      {F, 6, 2, 999.99, "999.99"},
      {F, 6, 2, -99.995, "******"},
      {F, 6, 2, 999.995, "******"},
      // Zero and negative zero in every field of the results block.
      {F, 6, 2, 0.0, "   .00"},
      {F, 5, 2, 0.0, "  .00"},
      {F, 7, 2, 0.0, "    .00"},
      {F, 9, 4, 0.0, "    .0000"},
      {F, 6, 3, 0.0, "  .000"},
      {E, 11, 4, 0.0, "  .0000E+00"},
      {F, 6, 2, -0.0, "   .00"},
      {F, 5, 2, -0.0, "  .00"},
      {F, 7, 2, -0.0, "    .00"},
      {F, 9, 4, -0.0, "    .0000"},
      {F, 6, 3, -0.0, "  .000"},
      {E, 11, 4, -0.0, "  .0000E+00"},
      // Half-up on the stored decimal digits; 1.005 is stored below 1.005.
      {F, 6, 2, 1.005, "  1.00"},
      {F, 6, 2, -0.004, "   .00"},
      {F, 6, 2, -0.005, "  -.01"},
      {F, 6, 2, 0.0049, "   .00"},
      {F, 6, 2, 1e-300, "   .00"},
      {F, 6, 2, -1e-300, "   .00"},
      // Exponents of three digits lose the letter; 1e99 rounds up into one.
      {E, 11, 4, 1.5e150, "  .1500+151"},
      {E, 11, 4, 1e99, "  .1000+100"},
      {E, 11, 4, 9.9e98, "  .9900E+99"},
      {E, 11, 4, 1e-99, "  .1000E-98"},
      {E, 11, 4, 5e-324, "  .4941-323"},
      {E, 11, 4, -DBL_MAX, " -.1798+309"},
      {E, 11, 4, -123.456, " -.1235E+03"},
      // No decimals: the point still shows, with nothing before it below 0.5.
      {F, 3, 0, 2.5, " 3."},
      {F, 3, 0, 0.5, " 1."},
      {F, 3, 0, 0.4, "  ."},
      {F, 3, 0, -0.4, "  ."},
  };
  for (const auto& c : cases) EXPECT_EQ(Field(c), c.field) << c.value;
}

struct TextCase {
  double value;
  int decimals;
  std::string text;
};

TEST(FormatFixed, AnyLengthAtMostSixteenSignificantDigits) {
  const TextCase cases[] = {
      {9.999, 2, "10.00"},
      {1234.567, 20, "1234.56700000000000000000"},
      // 0.1 is 0.1000000000000000055...; sixteen digits are kept, then zeros.
      {0.1, 20, ".10000000000000000000"},
      {2.0 / 3.0, 20, ".66666666666666660000"},
      {5e-324, 20, ".00000000000000000000"},
      {-5e-324, 20, ".00000000000000000000"},
      {DBL_MAX, 20, "1797693134862316" + std::string(293, '0') + "." + std::string(20, '0')},
      {-DBL_MAX, 20, "-1797693134862316" + std::string(293, '0') + "." + std::string(20, '0')},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text);
}

// A field is composed only into room for all of it; its length is known first.
TEST(ComposeField, NeedsRoomForTheWholeText) {
  const NumericField field = PrepareFixed(-12.345, 2);
  ASSERT_EQ(field.length, 6u);
  std::string out(12, '#');
  EXPECT_FALSE(ComposeField(field, std::span(out).first(5)));
  EXPECT_EQ(out, "############");
  EXPECT_TRUE(ComposeField(field, std::span(out).first(6)));
  EXPECT_EQ(out, "-12.35######");
  const NumericField exponent = PrepareExponent(1e-101, 4);
  ASSERT_EQ(exponent.length, 9u);
  EXPECT_TRUE(ComposeField(exponent, out));
  EXPECT_EQ(out, ".1000-100###");
}

struct PlaceCase {
  const char* text;
  int width;
  const char* field;
};

TEST(PlaceField, RightJustifiesOrFillsWithAsterisks) {
  const PlaceCase cases[] = {
      {".50", 6, "   .50"}, {"100.00", 5, "*****"}, {"100.00", 6, "100.00"},
      {"", 3, "   "},       {"-.05", 0, ""},        {"", 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(PlaceField(c.text, c.width), c.field);
}

}  // namespace
}  // namespace hygrian
