// Compiled once per instruction set by Highway's foreach_target.h: each pass
// includes the generic -inl.h files inside its own namespace with its target's
// attributes, and the last (HWY_ONCE) adds the dispatching entry points.
#include "air/handbook/vector.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "air/handbook/relations.h"

// Highway 1.0.3 leaves AVX3_DL out of the dispatch targets even when the
// compiler's own baseline is AVX3_DL (-march=native on a CPU with AVX-VNNI and
// the Ice Lake AVX-512 extensions), then refuses to compile; asking for the
// target in that case only includes what the baseline already demands.
#if defined(__AVXVNNI__) && defined(__VAES__) && defined(__VPCLMULQDQ__) &&                \
    defined(__AVX512VBMI__) && defined(__AVX512VBMI2__) && defined(__AVX512VPOPCNTDQ__) && \
    defined(__AVX512BITALG__) && !defined(HWY_WANT_AVX3_DL)
#define HWY_WANT_AVX3_DL
#endif

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "air/handbook/vector.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#if HWY_TARGET == HWY_WASM
#include "air/handbook/wasm_vector.h"
#endif

HWY_BEFORE_NAMESPACE();
namespace hygrian::air::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

#if HWY_TARGET == HWY_WASM
// Highway's WASM target has no doubles: simd128's f64x2 directly.
using OneVector = WasmVector;
#else
// One SIMD vector of doubles: air/handbook/lanes.h's operations on Highway's vectors,
// each exact or correctly rounded as there (Min and Max through selects, so a
// NaN goes where it goes in a double).
struct OneVector {
  using D = hn::ScalableTag<double>;
  using V = hn::Vec<D>;
  using M = hn::Mask<D>;
  using DI = hn::RebindToSigned<D>;
  using DU = hn::RebindToUnsigned<D>;

  static V Set(double c) { return hn::Set(D(), c); }
  static M Uniform(bool b) { return hn::FirstN(D(), b ? hn::Lanes(D()) : 0); }
  static V Select(M m, V yes, V no) { return hn::IfThenElse(m, yes, no); }
  static M And(M a, M b) { return hn::And(a, b); }
  static M Or(M a, M b) { return hn::Or(a, b); }
  static M Not(M a) { return hn::Not(a); }
  static V Min(V a, V b) { return hn::IfThenElse(b < a, b, a); }
  static V Max(V a, V b) { return hn::IfThenElse(a < b, b, a); }
  static V Abs(V x) { return hn::Abs(x); }
  static bool Any(M m) { return !hn::AllFalse(D(), m); }
  static bool All(M m) { return hn::AllTrue(D(), m); }
  static V Pow2(V k) {
    const auto biased = hn::ConvertTo(DI(), k) + hn::Set(DI(), 1023);
    return hn::BitCast(D(), hn::ShiftLeft<52>(biased));
  }
  static V Exponent(V x) {
    const auto biased = hn::BitCast(DI(), hn::ShiftRight<52>(hn::BitCast(DU(), x)));
    return hn::ConvertTo(D(), biased - hn::Set(DI(), 1023));
  }
  static V Significand(V x) {
    const auto bits = hn::BitCast(DU(), x);
    const auto mantissa = hn::And(bits, hn::Set(DU(), 0x000fffffffffffffULL));
    return hn::BitCast(D(), hn::Or(mantissa, hn::Set(DU(), 0x3ff0000000000000ULL)));
  }
  static std::size_t Lanes() { return hn::Lanes(D()); }
  static V Load(const double* from) { return hn::LoadU(D(), from); }
  static void Store(V x, double* to) { hn::StoreU(x, D(), to); }
};
#endif

// Several vectors as one number: every operation on each, so each step of a
// relation has that many independent chains of operations in flight (a
// relation is a long chain of dependent operations, whose latency one vector
// leaves idle). Lane for lane the same operations: the same bits.
inline constexpr std::size_t kInFlight = 4;
struct Group {
  std::array<OneVector::V, kInFlight> v;
};
struct GroupMask {
  std::array<OneVector::M, kInFlight> m;
};
template <class Each>
HWY_INLINE Group MakeGroup(Each each) {
  return {{each(0), each(1), each(2), each(3)}};
}
template <class Each>
HWY_INLINE GroupMask MakeMask(Each each) {
  return {{each(0), each(1), each(2), each(3)}};
}
HWY_INLINE Group operator+(Group x, Group y) {
  return MakeGroup([&](std::size_t k) { return x.v[k] + y.v[k]; });
}
HWY_INLINE Group operator-(Group x, Group y) {
  return MakeGroup([&](std::size_t k) { return x.v[k] - y.v[k]; });
}
HWY_INLINE Group operator*(Group x, Group y) {
  return MakeGroup([&](std::size_t k) { return x.v[k] * y.v[k]; });
}
HWY_INLINE Group operator/(Group x, Group y) {
  return MakeGroup([&](std::size_t k) { return x.v[k] / y.v[k]; });
}
HWY_INLINE GroupMask operator<(Group x, Group y) {
  return MakeMask([&](std::size_t k) { return x.v[k] < y.v[k]; });
}
HWY_INLINE GroupMask operator>(Group x, Group y) {
  return MakeMask([&](std::size_t k) { return x.v[k] > y.v[k]; });
}
HWY_INLINE GroupMask operator<=(Group x, Group y) {
  return MakeMask([&](std::size_t k) { return x.v[k] <= y.v[k]; });
}
HWY_INLINE GroupMask operator>=(Group x, Group y) {
  return MakeMask([&](std::size_t k) { return x.v[k] >= y.v[k]; });
}
HWY_INLINE GroupMask operator==(Group x, Group y) {
  return MakeMask([&](std::size_t k) { return x.v[k] == y.v[k]; });
}
HWY_INLINE GroupMask operator!=(Group x, Group y) {
  return MakeMask([&](std::size_t k) { return x.v[k] != y.v[k]; });
}

struct VectorLanes {
  using V = Group;
  using M = GroupMask;
  using L = OneVector;

  static V Set(double c) {
    return MakeGroup([c](std::size_t) { return L::Set(c); });
  }
  static M Uniform(bool b) {
    return MakeMask([b](std::size_t) { return L::Uniform(b); });
  }
  static V Select(M m, V yes, V no) {
    return MakeGroup([&](std::size_t k) { return L::Select(m.m[k], yes.v[k], no.v[k]); });
  }
  static M And(M x, M y) {
    return MakeMask([&](std::size_t k) { return L::And(x.m[k], y.m[k]); });
  }
  static M Or(M x, M y) {
    return MakeMask([&](std::size_t k) { return L::Or(x.m[k], y.m[k]); });
  }
  static M Not(M x) {
    return MakeMask([&](std::size_t k) { return L::Not(x.m[k]); });
  }
  static V Min(V x, V y) {
    return MakeGroup([&](std::size_t k) { return L::Min(x.v[k], y.v[k]); });
  }
  static V Max(V x, V y) {
    return MakeGroup([&](std::size_t k) { return L::Max(x.v[k], y.v[k]); });
  }
  static V Abs(V x) {
    return MakeGroup([&](std::size_t k) { return L::Abs(x.v[k]); });
  }
  static bool Any(M m) {
    bool any = false;
    for (const OneVector::M& one : m.m) any = any || L::Any(one);
    return any;
  }
  static bool All(M m) {
    bool all = true;
    for (const OneVector::M& one : m.m) all = all && L::All(one);
    return all;
  }
  static V Pow2(V x) {
    return MakeGroup([&](std::size_t k) { return L::Pow2(x.v[k]); });
  }
  static V Exponent(V x) {
    return MakeGroup([&](std::size_t k) { return L::Exponent(x.v[k]); });
  }
  static V Significand(V x) {
    return MakeGroup([&](std::size_t k) { return L::Significand(x.v[k]); });
  }

  // The lanes of the group: kInFlight L::Lanes() states from `from`.
  static std::size_t Width() { return kInFlight * L::Lanes(); }
  static V Load(const double* from) {
    return MakeGroup([from](std::size_t k) { return L::Load(from + k * L::Lanes()); });
  }
  static void Store(V x, double* to) {
    for (std::size_t k = 0; k < kInFlight; ++k) L::Store(x.v[k], to + k * L::Lanes());
  }
};

}  // namespace hygrian::air::HWY_NAMESPACE

// In this order: each uses the ones before it.
#define HYGRIAN_LANES HWY_NAMESPACE
// The relations inline into the kernels: a group of vectors is too large an
// argument to pass through memory at every call (exp and ln stay calls).
#define HYGRIAN_LANES_INLINE HWY_INLINE
// clang-format off
#include "air/handbook/exp_log-inl.h"
#include "air/handbook/relations-inl.h"
#include "air/handbook/dew_point_search-inl.h"
#include "air/handbook/wet_bulb_search-inl.h"
#include "air/handbook/decision-inl.h"
// clang-format on
#undef HYGRIAN_LANES
#undef HYGRIAN_LANES_INLINE

namespace hygrian::air::HWY_NAMESPACE {
namespace {

using L = VectorLanes;
using V = L::V;
using M = L::M;

// The dew points of vapour pressures p in fixed steps, on the piece and in the
// bracket DewPoint (air/handbook/dew_point.cpp) chooses, as it takes them; NaN
// in the lanes whose steps did not settle, at or below -100 degrees C, p not
// positive.
V DewPoints(V p, V P, bool overIce) {
  namespace c = dew_point;
  const Phase over = overIce ? Phase::Ice : Phase::Water;
  const M overIceMask = L::Uniform(overIce);
  const V seam = L::Set(overIce ? handbook::kTriplePoint : 0.0);
  M lower = p <= L::Set(c::kBelowSeam);
  M upper = p >= L::Set(c::kAboveSeam);
  M gap = L::Uniform(false);  // between the pieces: the seam itself
  const M near = L::Not(L::Or(lower, upper));
  if (L::Any(near)) {
    const M all = L::Uniform(true);
    const handbook::ZeroParts& below = handbook::AtSeam(over, true);
    const handbook::ZeroParts& above = handbook::AtSeam(over, false);
    lower = L::Or(lower, L::And(near, p <= SaturationFromParts<L>(below, below, all, P).pressure));
    const M rest = L::And(near, L::Not(lower));
    const M aboveSeam = SaturationFromParts<L>(above, above, all, P).pressure < p;
    upper = L::Or(upper, L::And(rest, aboveSeam));
    gap = L::And(rest, L::Not(aboveSeam));
  }
  const V low = L::Select(lower, L::Set(handbook::kLowest), seam);
  const V high = L::Select(lower, seam, L::Set(handbook::kHighest));
  DewPointSearch<L> s = StartDewPoint<L>(p, L::And(lower, overIceMask),
                                         L::And(lower, L::Not(overIceMask)), low, high);
  s.done = L::Or(s.done, gap);
  for (int i = 0; i < c::kLaneSteps && !L::All(s.done); ++i) StepDewPoint<L>(s, P);
  const M inside = L::Or(L::Or(upper, gap), L::And(lower, s.t > L::Set(c::kLowestFound)));
  const M settled = L::And(L::And(s.done, inside), p > L::Set(0.0));
  return L::Select(settled, L::Select(gap, seam, s.t),
                   L::Set(std::numeric_limits<double>::quiet_NaN()));
}

// A state every lane may compute harmlessly, in place of the values screened out.
double QuietValue(double State::*kind) {
  if (kind == &State::wetBulb) return 15.0;
  if (kind == &State::dewPoint) return 10.0;
  if (kind == &State::relativeHumidity) return 50.0;
  return 0.01;
}
constexpr double kQuietDryBulb = 20.0;
constexpr double kQuietPressure = 101.325;

V Flag(M m) { return L::Select(m, L::Set(1.0), L::Set(0.0)); }

}  // namespace

void ForwardBlock(handbook::Block& b, std::size_t count, double State::*kind, bool overIce) {
  for (std::size_t i = 0; i < count; i += L::Width()) {
    const M screened =
        ScreenPasses<L>(L::Load(b.t + i), L::Load(b.value + i), L::Load(b.P + i), kind);
    const V t = L::Select(screened, L::Load(b.t + i), L::Set(kQuietDryBulb));
    const V value = L::Select(screened, L::Load(b.value + i), L::Set(QuietValue(kind)));
    const V P = L::Select(screened, L::Load(b.P + i), L::Set(kQuietPressure));
    L::Store(t, b.t + i);
    L::Store(value, b.value + i);
    L::Store(P, b.P + i);
    L::Store(Flag(screened), b.screened + i);
    const PairForward<L> f = ForwardOfPair<L>(t, value, P, kind, overIce);
    L::Store(f.p, b.p + i);
    L::Store(f.W, b.W + i);
    L::Store(f.saturation, b.saturation + i);
    L::Store(f.atDryBulb.value, b.logValue + i);
    L::Store(f.atDryBulb.slope, b.logSlope + i);
    L::Store(f.saturated, b.saturated + i);
    L::Store(f.relativeHumidity, b.relativeHumidity + i);
    L::Store(f.enthalpy, b.enthalpy + i);
    L::Store(f.volume, b.volume + i);
    const V dewPoint = kind == &State::dewPoint ? L::Set(std::numeric_limits<double>::quiet_NaN())
                                                : DewPoints(f.p, P, overIce);
    L::Store(dewPoint, b.dewPoint + i);
  }
}

void WetBulbBlock(handbook::Block& b, std::size_t count, bool overIce) {
  for (std::size_t i = 0; i < count; i += L::Width()) {
    const V t = L::Load(b.t + i);
    const V W = L::Load(b.W + i);
    const V P = L::Load(b.P + i);
    const Saturation<L> atDryBulb{{L::Load(b.logValue + i), L::Load(b.logSlope + i)},
                                  L::Load(b.saturation + i)};
    const WetBulbPlan<L> plan =
        PlanWetBulb<L>(t, W, P, L::Load(b.dewPoint + i), L::Uniform(overIce), atDryBulb);
    WetBulbSearch<L> s = StartWetBulb<L>(t, P, plan);
    for (int k = 0; k < wet_bulb::kLaneSteps && !L::All(s.done); ++k) {
      StepWetBulb<L>(s, t, W, P, plan.ice, plan.liquid);
    }
    const M settled = L::Or(plan.early, L::And(s.done, L::Not(SearchAgainFromFloor<L>(s.x, plan))));
    L::Store(L::Select(plan.early, plan.value, s.x), b.wetBulb + i);
    L::Store(L::Select(settled, L::Set(1.0), L::Set(0.0)), b.wetBulbKnown + i);
  }
}

void PlainBlock(handbook::Block& b, std::size_t count, double State::*kind) {
  const V one = L::Set(1.0);
  for (std::size_t i = 0; i < count; i += L::Width()) {
    const V t = L::Load(b.t + i);
    const V P = L::Load(b.P + i);
    const V p = L::Load(b.p + i);
    const V W = L::Load(b.W + i);
    const V dewPoint = L::Load(b.dewPoint + i);
    // A given wet-bulb is screened; another is found where the lanes settled it.
    M found = L::Uniform(true);
    if (kind != &State::wetBulb) {
      const V wetBulb = L::Load(b.wetBulb + i);
      found = L::And(L::Load(b.wetBulbKnown + i) == one, wetBulb == wetBulb);
    }
    const M refused =
        IsRefused<L>(kind, p, W, P, L::Load(b.relativeHumidity + i), L::Load(b.saturated + i));
    const M above =
        AboveSaturation<L>(kind, t, L::Load(b.value + i), p, L::Load(b.saturation + i), found);
    // Screened, not refused, a dew point found, not above saturation: Ok.
    const M plain = L::And(L::And(L::Load(b.screened + i) == one, L::Not(refused)),
                           L::And(dewPoint == dewPoint, L::Not(above)));
    L::Store(Flag(plain), b.plain + i);
  }
}

const char* TargetName() { return hwy::TargetName(HWY_TARGET); }

}  // namespace hygrian::air::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace hygrian::air {
HWY_EXPORT(ForwardBlock);
HWY_EXPORT(WetBulbBlock);
HWY_EXPORT(PlainBlock);
HWY_EXPORT(TargetName);

namespace handbook {

void ForwardLanes(Block& block, std::size_t count, double State::*second, bool overIce) {
  HWY_DYNAMIC_DISPATCH(ForwardBlock)(block, count, second, overIce);
}

void WetBulbLanes(Block& block, std::size_t count, bool overIce) {
  HWY_DYNAMIC_DISPATCH(WetBulbBlock)(block, count, overIce);
}

void PlainLanes(Block& block, std::size_t count, double State::*second) {
  HWY_DYNAMIC_DISPATCH(PlainBlock)(block, count, second);
}

const char* VectorTarget() { return HWY_DYNAMIC_DISPATCH(TargetName)(); }

}  // namespace handbook
}  // namespace hygrian::air
#endif
