// The handbook model's dew-point search written once over the number type of
// air/handbook/lanes.h: Newton's method on ln(f p_ws) - ln p inside a bracket, one step
// at a time, each lane keeping its own bracket and stopping on its own. The
// scalar dew point (air/handbook/dew_point.cpp) steps one lane until it stops;
// the array entry point steps all lanes together until all have stopped or a
// fixed number of times, and finishes the lanes still going with the scalar dew
// point, which repeats the same steps: the same bits either way.
// Included once per number type, without a guard: see air/handbook/one_lane.h and
// air/handbook/vector.cpp.

#include <limits>

namespace hygrian::air::HYGRIAN_LANES {

namespace dew_point {
inline constexpr double kTolerance = 1e-12;  // K, the error left
inline constexpr int kMostSteps = 200;       // bisection alone needs about 60
// The most steps the lanes of a vector take together (most dew points settle
// in 2 or 3).
inline constexpr int kLaneSteps = 3;
// Newton's error after a step s is about M s^2 where M = |g''| / 2g' of
// g = ln(f p_ws): at most 0.0061 per K from -100 to 200 degrees C and 10 to
// 1,000 kPa. So a step below sqrt(1e-12 / 0.0065) K leaves an error below
// 1e-12 K, once the steps shrink as Newton's do (each at most a hundredth of
// the one before; where f's sets meet they shrink only linearly).
inline constexpr double kLastStep = 1.24e-5;  // K
inline constexpr double kQuadratic = 0.01;
// ln(0.6112 kPa * 1.004): Magnus's pressure divided by a typical enhancement
// factor (a step of Newton's less near sea level).
inline constexpr double kLogMagnusPressure = -0.4883390198602889;
// Bounds of f p_ws at the seam between the two pieces (kPa): the pure pressure
// there is 0.611213 (water, 0 degrees C) or 0.611657 (the triple point), and f
// is at least 1 and below 1.05 up to 1,000 kPa. Only between them is the
// saturation pressure at the seam computed.
inline constexpr double kBelowSeam = 0.6112;
inline constexpr double kAboveSeam = 0.6117 * 1.05;
// degrees C: a root found above this is inside the range; at or below it,
// within rounding of the lowest saturation pressure or drier than the range.
inline constexpr double kLowestFound = handbook::kLowest + 1e-6;
}  // namespace dew_point

// One search: the root of ln(f p_ws) - target between low and high on the
// branch (ice, supercooled), the residual taken to be negative at low and
// positive at high. `before` is the last step's size.
template <class L>
struct DewPointSearch {
  typename L::V target, t, low, high, before;
  typename L::M ice, supercooled, done;
};

// Magnus's inverse as the first guess: t = b y / (a - y), y = ln(p / 0.6112
// kPa), with WMO's constants over water and over ice; the middle of the
// bracket where it falls outside.
template <class L>
DewPointSearch<L> StartDewPoint(typename L::V p, typename L::M ice, typename L::M supercooled,
                                typename L::V low, typename L::V high) {
  using V = typename L::V;
  const V target = Log<L>(p);
  const V y = target - L::Set(dew_point::kLogMagnusPressure);
  const V a = L::Select(ice, L::Set(22.46), L::Set(17.62));
  const V b = L::Select(ice, L::Set(272.62), L::Set(243.12));
  const V guess = b * y / (a - y);
  const V t = L::Select(L::And(guess > low, guess < high), guess, L::Set(0.5) * (low + high));
  const V infinity = L::Set(std::numeric_limits<double>::infinity());
  return {target, t, low, high, infinity, ice, supercooled, L::Not(t == t)};
}

// One Newton step in every lane not done (a bisection where it would leave the
// bracket); a lane is done at a zero residual, a step below the tolerance, at
// an end of the bracket, or at a small step that shrank quadratically.
template <class L>
void StepDewPoint(DewPointSearch<L>& s, typename L::V P) {
  using V = typename L::V;
  namespace c = dew_point;
  const Sloped<L> at = LogSaturationInAir<L>(s.t, P, s.ice, s.supercooled);
  const V g = at.value - s.target;
  const auto zero = g == L::Set(0.0);
  const auto going = L::And(L::Not(s.done), L::Not(zero));
  const auto negative = g < L::Set(0.0);
  s.low = L::Select(L::And(going, negative), s.t, s.low);
  s.high = L::Select(L::And(going, L::Not(negative)), s.t, s.high);
  const V newton = s.t - g / at.slope;
  const V middle = L::Set(0.5) * (s.low + s.high);
  const V next = L::Select(L::And(newton > s.low, newton < s.high), newton, middle);
  const V step = L::Abs(next - s.t);
  s.t = L::Select(going, next, s.t);
  const auto small = L::Or(step < L::Set(c::kTolerance), L::Or(next == s.low, next == s.high));
  const auto quadratic =
      L::And(step < L::Set(c::kLastStep), step < L::Set(c::kQuadratic) * s.before);
  s.before = L::Select(going, step, s.before);
  s.done = L::Or(s.done, L::Or(zero, L::And(going, L::Or(small, quadratic))));
}

}  // namespace hygrian::air::HYGRIAN_LANES
