// A fixed, reproducible list of about 300,000 double bit patterns for checking a
// decimal expansion: random patterns of every kind, the rounding ties and their
// neighbours in the fields of the results block, exact 17-digit ties, powers of two
// and of ten, subnormals and the extremes, each in both signs.
#pragma once

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace hygrian::testing {

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15u;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }

 private:
  std::uint64_t state_;
};

inline constexpr std::uint64_t kDecimalPatternSeed = 0x4879677269616E31u;

// The double nearest the decimal text, as the C library reads it.
inline std::uint64_t BitsOfText(const char* text) {
  return std::bit_cast<std::uint64_t>(std::strtod(text, nullptr));
}

// Adds bits and its neighbours up to `spread` units in the last place either way,
// in both signs, keeping within the finite doubles.
inline void AddAround(std::vector<std::uint64_t>& out, std::uint64_t bits, int spread) {
  bits &= 0x7FFFFFFFFFFFFFFFu;
  for (int k = -spread; k <= spread; ++k) {
    const std::uint64_t b = bits + static_cast<std::uint64_t>(static_cast<std::int64_t>(k));
    if (b > 0x7FEFFFFFFFFFFFFFu) continue;  // wrapped below zero, or past the largest finite
    out.push_back(b);
    out.push_back(b | 0x8000000000000000u);
  }
}

inline std::vector<std::uint64_t> DecimalPatterns() {
  std::vector<std::uint64_t> out;
  out.reserve(320000);
  SplitMix64 random(kDecimalPatternSeed);
  char text[64];

  // Random finite patterns: any exponent, then the range the fields meet
  // (about 1e-6 to 1e4), then subnormals.
  for (int k = 0; k < 60000; ++k) {
    const std::uint64_t b = random.Next();
    if ((b & 0x7FF0000000000000u) != 0x7FF0000000000000u) out.push_back(b);
  }
  for (int k = 0; k < 60000; ++k) {
    const std::uint64_t b = random.Next();
    const std::uint64_t biased = 1003 + (b >> 52) % 40;  // 2^-20 .. 2^19
    out.push_back((b & 0x800FFFFFFFFFFFFFu) | (biased << 52));
  }
  for (int k = 0; k < 10000; ++k) out.push_back(random.Next() & 0x800FFFFFFFFFFFFFu);

  // Decimal ties of each field: k + 1/2 units of the last decimal shown, for 2, 3
  // and 4 decimals, and of the fourth significant digit of the exponent form.
  // Two decimals up to 120 (temperatures, humidity, enthalpy), three and four
  // decimals up to 4 and 0.4.
  for (int decimals = 2; decimals <= 4; ++decimals) {
    const int step = decimals == 2 ? 3 : 1;
    for (int k = 0; k < 4000 * step; k += step) {
      std::snprintf(text, sizeof text, "%de-%d", 10 * k + 5, decimals + 1);
      AddAround(out, BitsOfText(text), 1);
    }
  }
  for (int e = -12; e <= 6; ++e) {
    for (int k = 1000; k < 10000; k += 29) {
      std::snprintf(text, sizeof text, "%de%d", 10 * k + 5, e - 5);
      AddAround(out, BitsOfText(text), 1);
    }
  }

  // Exact ties at the seventeenth digit: n + 1/4 and n + 3/4 between 1e15 and 2^51
  // have eighteen digits, the last a 5; n + 1/2 just below 1e16 likewise ends in 5.
  for (int k = 0; k < 8000; ++k) {
    const double n = std::floor(1e15 + static_cast<double>(random.Next() % 1251799813685248u));
    out.push_back(std::bit_cast<std::uint64_t>(n + 0.25));
    out.push_back(std::bit_cast<std::uint64_t>(-(n + 0.75)));
  }
  // Small odd multiples of a negative power of two end in 5 at their last digit.
  for (int shift = 1; shift <= 70; ++shift) {
    for (std::uint64_t odd = 1; odd < 400; odd += 2) {
      out.push_back(std::bit_cast<std::uint64_t>(std::ldexp(static_cast<double>(odd), -shift)));
    }
  }

  // Powers of two and of ten with their neighbours.
  for (int e = -1074; e <= 1023; ++e)
    AddAround(out, std::bit_cast<std::uint64_t>(std::ldexp(1.0, e)), 2);
  for (int e = -323; e <= 308; ++e) {
    std::snprintf(text, sizeof text, "1e%d", e);
    AddAround(out, BitsOfText(text), 2);
    std::snprintf(text, sizeof text, "9.9999999999999999e%d", e);
    AddAround(out, BitsOfText(text), 1);
  }

  // The extremes.
  for (std::uint64_t b = 0; b < 64; ++b) AddAround(out, b, 0);
  AddAround(out, std::bit_cast<std::uint64_t>(DBL_MIN), 8);
  AddAround(out, std::bit_cast<std::uint64_t>(DBL_MAX), 0);
  for (std::uint64_t k = 1; k < 64; ++k)
    AddAround(out, std::bit_cast<std::uint64_t>(DBL_MAX) - k, 0);
  return out;
}

}  // namespace hygrian::testing
