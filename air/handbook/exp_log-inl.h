// exp and ln written once over the number type of air/handbook/lanes.h (a double, or a
// SIMD vector of doubles), from + - * /, comparisons, selects and exponent-bit
// scaling only: every step is exact or correctly rounded and none is fused, so
// a double and each lane of every instruction set give the same bits. Within 1
// ulp of a correctly rounded result (tests/exp_log_test.cpp measures them
// against the C library over dense grids).
//
//   Exp<Lanes>(1.0) is 2.718281828459045; Log<Lanes>(10.0) is 2.302585092994046.
// Included once per number type, without a guard: see air/handbook/one_lane.h and
// air/handbook/vector.cpp.

#include <limits>

namespace hygrian::air::HYGRIAN_LANES {

// Argument reduction and polynomials as in Sun's fdlibm (e_exp.c, e_log.c, 1993):
// ln 2 split so that k ln2Hi is exact for |k| < 2^20, and their Remez minimax
// coefficients, quoted as published.
namespace exp_log {
inline constexpr double kLn2Hi = 6.93147180369123816490e-01;  // 32 trailing zero bits
inline constexpr double kLn2Lo = 1.90821492927058770002e-10;  // ln 2 - kLn2Hi
inline constexpr double kInverseLn2 = 1.44269504088896338700e+00;
// Whole numbers below 2^51 in size are x + kRound - kRound, rounded to nearest.
inline constexpr double kRound = 6755399441055744.0;  // 1.5 * 2^52
// exp(r) on |r| <= ln2 / 2 as 1 + r + r c / (2 - c), c = r - r^2 P(r^2).
inline constexpr double kP1 = 1.66666666666666019037e-01;
inline constexpr double kP2 = -2.77777777770155933842e-03;
inline constexpr double kP3 = 6.61375632143793436117e-05;
inline constexpr double kP4 = -1.65339022054652515390e-06;
inline constexpr double kP5 = 4.13813679705723846039e-08;
inline constexpr double kLargest = 7.09782712893383973096e+02;    // ln of the largest double
inline constexpr double kSmallest = -7.45133219101941108420e+02;  // below: 0
// ln(1 + f) = 2 artanh(s), s = f / (2 + f): f - s (f - R(s^2)) with R's terms
// s^2 Lg1 + ... + s^14 Lg7, for sqrt(1/2) <= 1 + f < sqrt(2).
inline constexpr double kLg1 = 6.666666666666735130e-01;
inline constexpr double kLg2 = 3.999999999940941908e-01;
inline constexpr double kLg3 = 2.857142874366239149e-01;
inline constexpr double kLg4 = 2.222219843214978396e-01;
inline constexpr double kLg5 = 1.818357216161805012e-01;
inline constexpr double kLg6 = 1.531383769920937332e-01;
inline constexpr double kLg7 = 1.479819860511658591e-01;
inline constexpr double kSqrt2 = 1.41421356237309504880;
inline constexpr double kSmallestNormal = 2.2250738585072014e-308;  // 2^-1022
inline constexpr double kTwoTo54 = 18014398509481984.0;
}  // namespace exp_log

// e^x: +infinity above ln of the largest double, 0 below ln of the smallest
// subnormal, NaN for NaN; subnormal results rounded once.
template <class L>
typename L::V Exp(typename L::V x) {
  using V = typename L::V;
  namespace c = exp_log;
  const auto k = [](double value) { return L::Set(value); };
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  // In range, and 0 for NaN, so that n below is a whole number 2^n can be made of.
  const V inRange = L::Min(L::Max(x, k(c::kSmallest - 1.0)), k(c::kLargest + 1.0));
  const V clamped = L::Select(x != x, k(0.0), inRange);
  const V n = (clamped * k(c::kInverseLn2) + k(c::kRound)) - k(c::kRound);
  const V hi = clamped - n * k(c::kLn2Hi);  // exact
  const V lo = n * k(c::kLn2Lo);
  const V r = hi - lo;
  const V t = r * r;
  const V poly =
      t * (k(c::kP1) + t * (k(c::kP2) + t * (k(c::kP3) + t * (k(c::kP4) + t * k(c::kP5)))));
  const V corr = r - poly;
  const V y = k(1.0) - ((lo - (r * corr) / (k(2.0) - corr)) - hi);
  // y 2^n rounded once: 2^n itself where it is a normal double; else in two
  // exact factors, so that a subnormal result is rounded only once too (both
  // give the same bits where both can).
  const auto normal = L::And(n >= k(-1022.0), n <= k(1023.0));
  V scaled = y * L::Pow2(L::Select(normal, n, k(0.0)));
  if (!L::All(normal)) {
    const V half = (n * k(0.5) + k(c::kRound)) - k(c::kRound);
    scaled = L::Select(normal, scaled, y * L::Pow2(half) * L::Pow2(n - half));
  }
  const V bounded = L::Select(x > k(c::kLargest), k(kInfinity), scaled);
  const V result = L::Select(x < k(c::kSmallest), k(0.0), bounded);
  return L::Select(x != x, x, result);
}

// ln x: -infinity at 0, NaN below 0 and for NaN, +infinity at +infinity.
template <class L>
typename L::V Log(typename L::V x) {
  using V = typename L::V;
  namespace c = exp_log;
  const auto k = [](double value) { return L::Set(value); };
  const auto subnormal = x < k(c::kSmallestNormal);
  const V normal = L::Select(subnormal, x * k(c::kTwoTo54), x);
  V e = L::Exponent(normal) - L::Select(subnormal, k(54.0), k(0.0));
  V m = L::Significand(normal);
  const auto above = m > k(c::kSqrt2);
  m = L::Select(above, m * k(0.5), m);
  e = L::Select(above, e + k(1.0), e);
  const V f = m - k(1.0);
  const V s = f / (k(2.0) + f);
  const V z = s * s;
  const V w = z * z;
  const V odd = w * (k(c::kLg2) + w * (k(c::kLg4) + w * k(c::kLg6)));
  const V even = z * (k(c::kLg1) + w * (k(c::kLg3) + w * (k(c::kLg5) + w * k(c::kLg7))));
  const V R = odd + even;
  const V halfSquare = k(0.5) * f * f;
  const V result =
      e * k(c::kLn2Hi) - ((halfSquare - (s * (halfSquare + R) + e * k(c::kLn2Lo))) - f);
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  V special = L::Select(x == k(0.0), k(-kInfinity), result);
  special = L::Select(x == k(kInfinity), x, special);
  const V nan = k(std::numeric_limits<double>::quiet_NaN());
  return L::Select(L::Or(x < k(0.0), x != x), nan, special);
}

}  // namespace hygrian::air::HYGRIAN_LANES
