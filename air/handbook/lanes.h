// The number type of one lane: the operations the generic relations and solvers
// (air/handbook/*-inl.h) need beyond + - * / and comparisons, for a plain
// double. air/handbook/vector.cpp gives the same for SIMD vectors (and
// air/handbook/wasm_vector.h in WebAssembly), so one template body serves both;
// every operation here is exact or correctly rounded, so a lane of a vector and
// a double give the same bits.
//
//   Lanes::Select(x < 0.0, -x, x) is |x|; Lanes::Pow2(3.0) is 8.0.
#pragma once

#include <cstdint>

#include "air/handbook/bits.h"

namespace hygrian::air {

struct Lanes {
  using V = double;  // a number
  using M = bool;    // a comparison's outcome

  static V Set(double c) { return c; }
  static M Uniform(bool b) { return b; }  // the same outcome in every lane
  static V Select(M m, V yes, V no) { return m ? yes : no; }
  static M And(M a, M b) { return a && b; }
  static M Or(M a, M b) { return a || b; }
  static M Not(M a) { return !a; }
  static V Min(V a, V b) { return b < a ? b : a; }
  static V Max(V a, V b) { return a < b ? b : a; }
  static V Abs(V x) { return BitCast<double>(BitCast<std::uint64_t>(x) & kMagnitude); }
  static bool Any(M m) { return m; }
  static bool All(M m) { return m; }

  // 2^k for a whole k (as a double) in [-1022, 1023], from the exponent bits.
  static V Pow2(V k) {
    const auto biased = static_cast<std::uint64_t>(static_cast<std::int64_t>(k) + kBias);
    return BitCast<double>(biased << kMantissaBits);
  }
  // The unbiased binary exponent of a positive normal x, as a double.
  static V Exponent(V x) {
    const auto biased = static_cast<std::int64_t>(BitCast<std::uint64_t>(x) >> kMantissaBits);
    return static_cast<double>(biased - kBias);
  }
  // x with its exponent replaced by 0: a positive normal x's significand in [1, 2).
  static V Significand(V x) {
    const std::uint64_t bits = BitCast<std::uint64_t>(x);
    return BitCast<double>((bits & kMantissaMask) | kOneBits);
  }

  static constexpr int kMantissaBits = 52;
  static constexpr std::int64_t kBias = 1023;
  static constexpr std::uint64_t kMagnitude = 0x7fffffffffffffffULL;
  static constexpr std::uint64_t kMantissaMask = 0x000fffffffffffffULL;
  static constexpr std::uint64_t kOneBits = 0x3ff0000000000000ULL;  // 1.0
};

}  // namespace hygrian::air
