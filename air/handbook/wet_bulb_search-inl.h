// The handbook model's wet-bulb search written once over the number type of
// air/handbook/lanes.h: which side of the 0 degrees C plateau, the bracket and the
// start (PlanWetBulb), then Newton's steps with the psychrometric equation's
// exact slope, each lane keeping its own bracket and stopping on its own
// (StartWetBulb, StepWetBulb). The scalar wet-bulb (air/handbook/wet_bulb.cpp)
// steps one lane until it stops; the array entry point steps all lanes a fixed
// number of times and finishes the lanes still going with the scalar wet-bulb,
// which repeats the same steps: the same bits either way.
// Included once per number type, without a guard: see air/handbook/one_lane.h and
// air/handbook/vector.cpp.

#include <limits>

namespace hygrian::air::HYGRIAN_LANES {

namespace wet_bulb {
// degrees C: the deepest the bracket goes; dry air at -100 degrees C has its
// wet-bulb a little below -100.
inline constexpr double kFloor = -150.0;
inline constexpr int kMostSteps = 200;
// The most steps the lanes of a vector take together (the scalar search
// finishes a lane not settled by then): everyday wet-bulbs settle in a few from
// the cubic start, in 3 to 6 from the top where there is none.
inline constexpr int kLaneSteps = 6;
inline constexpr double kTolerance = 1e-13;  // K, the last Newton step
// Newton's error after a step s is about M s^2 where M = |r''| / 2r' of the
// residual r: below 0.15 per K from -100 to 200 degrees C (Ws grows by at most
// 20 % a kelvin). So a step below 5e-7 K, once the steps shrink as Newton's do
// (each below a hundredth of the one before), leaves an error below 4e-14 K.
inline constexpr double kLastStep = 5e-7;  // K
inline constexpr double kQuadratic = 0.01;
// Saturated air's residual at its dry-bulb is 0 but for rounding, which may
// leave it this much (relative to W) either side: its wet-bulb is the dry-bulb.
inline constexpr double kRounding = 1e-12;
// K: a root this close above the bracket's low end may lie below it (the end
// was a dew point taken to be below the root): search again from the floor.
inline constexpr double kAboveLow = 1e-9;
}  // namespace wet_bulb

// The psychrometric equation's W at wet-bulb x over the wick (ice or water),
// with its slope. `liquid`: the wick is liquid water below 0 degrees C too,
// supercooled (Hardy's set of f for it); else water's set at every x, where
// only x >= 0 has a water wick.
template <class L>
Sloped<L> WetBulbPoint(typename L::V t, typename L::V x, typename L::V P, typename L::M ice,
                       typename L::M liquid) {
  const typename L::M supercooled = L::And(liquid, x < L::Set(0.0));
  return WetBulbHumidityRatioAndSlope<L>(t, x, P, ice, SaturationInAir<L>(x, P, ice, supercooled));
}

// What a lane does: an answer without a search (`early`: the dry-bulb for
// saturated air, NaN for supersaturated, 0 on the plateau), or a search for the
// root of the wick's equation minus W in (low, high], the residual negative at
// low and atHigh at high, Newton's steps from start if it is inside. `ice`
// and `liquid` say the wick's phase as WetBulbPoint takes them.
template <class L>
struct WetBulbPlan {
  typename L::M early;
  typename L::V value;
  typename L::M ice, liquid;
  typename L::V low, high;
  Sloped<L> atHigh;
  typename L::V start;
};

// f p_ws at 0 degrees C on the piece of the wick's saturation below it: ice
// under the ice convention, supercooled water under water's.
template <class L>
HYGRIAN_LANES_INLINE Saturation<L> SaturationBelowZero(typename L::V P, typename L::M overIce) {
  return SaturationFromParts<L>(handbook::AtZero(true), handbook::AtSeam(Phase::Water, true),
                                overIce, P);
}

// Air at t with humidity ratio W at P whose dew point under the convention
// (overIce) is below (NaN if none), and atDryBulb = f p_ws at t under it.
// Under the ice convention the wick is ice at and below 0 and water above;
// under water's it is liquid water at every temperature (no ice wick). Where
// the bracket reaches across 0 (above 0, unless the dew point says the root
// is too) the wick's saturation changes piece at 0, and W against the
// equation's two values there decides the side: the pieces' ends are ice's
// and water's under the ice convention, with 0 itself between them (the
// plateau, a wick partly frozen); under water's, supercooled water's and
// water's, f's two sets a few parts in a million apart: a W up to the
// supercooled end has its root below 0, one past it above, and where the
// ends leave a gap (above about 500 kPa) the wet-bulb is 0. The start is where
// the chord from the dew point to the dry-bulb crosses zero (below the root,
// the residual being convex), or closer, where the inverse cubic through the
// two ends and their slopes does, where the dew point is over the wick's own
// saturation.
template <class L>
WetBulbPlan<L> PlanWetBulb(typename L::V t, typename L::V W, typename L::V P, typename L::V below,
                           typename L::M overIce, Saturation<L> atDryBulb) {
  using V = typename L::V;
  using M = typename L::M;
  namespace c = wet_bulb;
  const V zero = L::Set(0.0);
  const V floor = L::Set(c::kFloor);
  const V nan = L::Set(std::numeric_limits<double>::quiet_NaN());
  const V triple = L::Set(handbook::kTriplePoint);
  const M waterMask = L::Uniform(false);
  const M overWater = L::Not(overIce);
  const V low = L::Select(below < t, below, floor);
  const M plateau = L::And(t > zero, L::Not(below >= zero));
  // The two ends at 0: water's, and the piece's below (ice, or supercooled water).
  Sloped<L> water0{zero, zero};
  Sloped<L> lower0{zero, zero};
  if (L::Any(plateau)) {
    water0 =
        WetBulbHumidityRatioAndSlope<L>(t, zero, P, waterMask, SaturationAtZero<L>(P, waterMask));
    lower0 =
        WetBulbHumidityRatioAndSlope<L>(t, zero, P, overIce, SaturationBelowZero<L>(P, overIce));
  }
  const M plateauBelow = L::And(
      plateau, L::Or(L::And(overIce, W < water0.value), L::And(overWater, W <= lower0.value)));
  const M plateauZero =
      L::And(L::And(plateau, L::Not(plateauBelow)), L::Or(W <= lower0.value, W <= water0.value));
  const M wickIce = L::And(overIce, L::Or(plateauBelow, L::And(L::Not(plateau), t <= zero)));
  // The wick's saturation at t is the one under the convention there.
  const M known = L::Or(L::Or(t > triple, L::And(t <= zero, overIce)), overWater);
  Sloped<L> atT = WetBulbHumidityRatioAndSlope<L>(t, t, P, wickIce, atDryBulb);
  if (!L::All(known)) {
    const Sloped<L> own = WetBulbPoint<L>(t, t, P, wickIce, overWater);
    atT = {L::Select(known, atT.value, own.value), L::Select(known, atT.slope, own.slope)};
  }
  const V residual = atT.value - W;
  const M saturated = L::Abs(residual) <= L::Set(c::kRounding) * W;
  const M supersaturated = atT.value < W;
  const M sameSaturation = L::Or(L::Or(below > triple, L::And(below < zero, overIce)),
                                 L::And(overWater, below == below));
  const M finite = atT.value - atT.value == zero;
  // The chord: at the dew point over the wick's own phase Ws is W itself.
  const V atDew = PsychrometricHumidityRatio<L>(t, below, W, wickIce) - W;
  const V chord = below - atDew * (t - below) / (residual - atDew);
  const M chordStart = L::And(L::And(sameSaturation, finite), L::Not(plateau));
  // Closer: x as a cubic in the residual through the two ends of the bracket
  // with the residual's slopes there (inverse Hermite interpolation, at a
  // residual of 0), where both are known: the dew point (over the wick's own
  // phase) or 0 on the plateau's water side, and the dry-bulb or 0 on its
  // lower side. The chord, or the top, where the cubic falls outside.
  const M plateauWater = L::And(L::And(plateau, L::Not(plateauBelow)), L::Not(plateauZero));
  const V x0 = L::Select(plateauWater, zero, below);
  const V r0 = L::Select(plateauWater, water0.value - W, atDew);
  const V s0 =
      L::Select(plateauWater, water0.slope, PsychrometricSlopeAtDewPoint<L>(t, below, W, wickIce));
  const V x1 = L::Select(plateauBelow, zero, t);
  const V r1 = L::Select(plateauBelow, lower0.value - W, residual);
  const V s1 = L::Select(plateauBelow, lower0.slope, atT.slope);
  const V span = r1 - r0;
  const V u = (zero - r0) / span;
  const V rest = L::Set(1.0) - u;
  const V cubic = x0 + (x1 - x0) * (u * u * (L::Set(3.0) - L::Set(2.0) * u)) +
                  span * u * (rest * rest / s0 - u * rest / s1);
  const M cubicStart = L::Or(L::Or(chordStart, plateauWater), L::And(plateauBelow, sameSaturation));
  const M inside = L::And(cubic > x0, cubic < x1);

  WetBulbPlan<L> plan;
  const M found = L::And(L::Not(plateauBelow), L::Not(plateauZero));
  plan.early = L::Or(plateauZero, L::And(found, L::Or(saturated, supersaturated)));
  plan.value = L::Select(plateauZero, zero, L::Select(saturated, t, nan));
  plan.ice = wickIce;
  plan.liquid = overWater;
  plan.low = L::Select(plateauBelow, L::Min(low, zero), L::Select(plateau, zero, low));
  plan.high = L::Select(plateauBelow, zero, t);
  plan.atHigh = {L::Select(plateauBelow, lower0.value, atT.value),
                 L::Select(plateauBelow, lower0.slope, atT.slope)};
  plan.start = L::Select(L::And(cubicStart, inside), cubic, L::Select(chordStart, chord, floor));
  return plan;
}

// One search for the root of the wick's equation minus W.
template <class L>
struct WetBulbSearch {
  typename L::V x, low, high;
  Sloped<L> at;
  typename L::M done;
  typename L::V before;  // the last step's size
};

template <class L>
WetBulbSearch<L> StartWetBulb(typename L::V t, typename L::V P, const WetBulbPlan<L>& plan) {
  const typename L::M inside = L::And(plan.start > plan.low, plan.start < plan.high);
  WetBulbSearch<L> s{plan.high,   plan.low,   plan.high,
                     plan.atHigh, plan.early, L::Set(std::numeric_limits<double>::infinity())};
  if (L::Any(L::And(inside, L::Not(plan.early)))) {
    const Sloped<L> at = WetBulbPoint<L>(t, plan.start, P, plan.ice, plan.liquid);
    s.x = L::Select(inside, plan.start, s.x);
    s.at = {L::Select(inside, at.value, s.at.value), L::Select(inside, at.slope, s.at.slope)};
  }
  return s;
}

// One Newton step in every lane not done: a bisection where the step would
// leave the bracket or the residual is infinite; done at a zero residual, at an
// end of the bracket (adjacent doubles, or a Newton step that rounds to
// nothing), after a step below the tolerance, or after a small step that
// shrank quadratically (the error left is then below 4e-14 K).
template <class L>
void StepWetBulb(WetBulbSearch<L>& s, typename L::V t, typename L::V W, typename L::V P,
                 typename L::M ice, typename L::M liquid) {
  using V = typename L::V;
  const V zero = L::Set(0.0);
  const V r = s.at.value - W;
  const auto isZero = r == zero;
  const auto going = L::And(L::Not(s.done), L::Not(isZero));
  const auto negative = r < zero;
  s.low = L::Select(L::And(going, negative), s.x, s.low);
  s.high = L::Select(L::And(going, L::Not(negative)), s.x, s.high);
  const V middle = L::Set(0.5) * (s.low + s.high);
  const auto finite = r - r == zero;
  const V newton = L::Select(finite, s.x - r / s.at.slope, middle);
  // A Newton step below the tolerance is taken even where it reaches an end
  // of the bracket (it then ends the search there): a bisection would only
  // halve the bracket, step after step, around a root already found.
  const auto tiny = L::And(finite, L::Abs(newton - s.x) < L::Set(wet_bulb::kTolerance));
  const auto inside = L::Or(L::And(newton > s.low, newton < s.high), tiny);
  const V next = L::Select(inside, newton, middle);
  const auto atEnd = L::Or(next == s.low, next == s.high);
  const auto stepping = L::And(going, L::Not(atEnd));
  const V step = L::Abs(next - s.x);
  const auto small = step < L::Set(wet_bulb::kTolerance);
  const auto quadratic =
      L::And(step < L::Set(wet_bulb::kLastStep), step < L::Set(wet_bulb::kQuadratic) * s.before);
  const auto last = L::And(stepping, L::Or(small, quadratic));
  const auto more = L::And(stepping, L::Not(last));
  s.x = L::Select(stepping, next, s.x);
  s.before = L::Select(stepping, step, s.before);
  // The residual at the new point only where the search goes on.
  if (L::Any(more)) {
    const Sloped<L> at = WetBulbPoint<L>(t, s.x, P, ice, liquid);
    s.at = {L::Select(more, at.value, s.at.value), L::Select(more, at.slope, s.at.slope)};
  }
  s.done = L::Or(L::Or(s.done, isZero), L::Or(L::And(going, atEnd), last));
}

// Whether a search's root sits where its bracket's low end may have been wrong.
template <class L>
typename L::M SearchAgainFromFloor(typename L::V x, const WetBulbPlan<L>& plan) {
  namespace c = wet_bulb;
  return L::Not(L::Or(x - plan.low > L::Set(c::kAboveLow), L::Not(plan.low > L::Set(c::kFloor))));
}

}  // namespace hygrian::air::HYGRIAN_LANES
