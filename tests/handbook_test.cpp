// The handbook model: every reference row of tests/data/given.csv to its
// tolerance, and over a grid of states the properties of its inverses (dew
// point, wet-bulb, the four pairs) and of its NaNs.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <tuple>

#include "air/handbook/lanes.h"
#include "air/handbook/one_lane.h"
#include "air/handbook/relations.h"
#include "hygrian/outcomes.h"
#include "hygrian/pairs.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"
#include "tests/reference_rows.h"

namespace hygrian {
namespace {

TEST(HandbookReference, EveryGivenRowWithinItsTolerance) {
  const auto rows = reference::ReadRows(HYGRIAN_GIVEN_CSV);
  ASSERT_EQ(rows.size(), 132U);
  for (const reference::Row& row : rows) {
    const reference::Evaluation e = reference::Evaluate(row);
    if (!e.computed) continue;  // the standard temperature: not the library's
    EXPECT_LE(std::fabs(e.deviation), e.tolerance)
        << row.quantity << " at " << row.t << " degC, " << row.P << " kPa: " << e.model
        << " against " << row.value << " (" << row.source << ")";
  }
}

using Compute = Result (*)(double, double, double, Options) noexcept;
constexpr double kAny = std::numeric_limits<double>::quiet_NaN();  // no value checked
constexpr double kNaN = -1.0;                                      // the field must be NaN

// The outcomes, and the states the calculator's relations get wrong. Values:
// RP-1485 Table A.11 (200 degrees C); the 0 degrees C plateau's ends at 5
// degrees C, 1.7715 and 2.0053 g/kg (reference sheet); the rest are statuses.
struct Outcome {
  Compute compute;
  double t, second, P;
  Options options;
  Status status;
  double State::*field;
  double expected, tolerance;
};
// clang-format off
const Outcome kOutcomes[] = {
    {FromDryBulbHumidityRatio, 200, 0.5, 101.325, {}, Status::Ok, &State::wetBulb, 81.12, 0.1},
    {FromDryBulbHumidityRatio, 200, 0.5, 101.325, {}, Status::Ok, &State::degreeOfSaturation, kNaN, 0},
    {FromDryBulbHumidityRatio, 200, 0, 101.325, {}, Status::Ok, &State::dewPoint, kNaN, 0},
    // q = 1/3 is W = 0.5: the same drying air.
    {FromDryBulbSpecificHumidity, 200, 1.0 / 3.0, 101.325, {}, Status::Ok, &State::wetBulb, 81.12, 0.1},
    {FromDryBulbRelativeHumidity, 25, 0, 101.325, {}, Status::Ok, &State::dewPoint, kNaN, 0},
    {FromDryBulbRelativeHumidity, 25, 1e-9, 101.325, {}, Status::DrierThanRange, &State::dewPoint, kNaN, 0},
    {FromDryBulbHumidityRatio, 5, 0.0019, 101.325, {}, Status::Ok, &State::wetBulb, 0, 0},
    // A wet-bulb of exactly 0 above a dry-bulb of 0 is over a water wick: the
    // plateau's water end (eq. 33; ice's eq. 35 gives 2.0053 g/kg); at 10
    // degrees C eq. 33 gives W < 0 (2501 W_s*(0) = 9.477 < 1.006 x 10).
    {FromDryBulbWetBulb, 5, 0, 101.325, {}, Status::Ok, &State::humidityRatio, 0.0017715, 1e-6},
    {FromDryBulbWetBulb, 10, 0, 101.325, {}, Status::InvalidInput, nullptr, kAny, 0},
    {FromDryBulbRelativeHumidity, 23.5, 145, 101.325, {}, Status::Supersaturated, &State::wetBulb, kNaN, 0},
    {FromDryBulbDewPoint, 23.5, 25, 101.325, {}, Status::Supersaturated, &State::wetBulb, kNaN, 0},
    {FromDryBulbWetBulb, 20, 25, 101.325, {}, Status::Supersaturated, &State::wetBulb, 25, 0},
    {FromDryBulbHumidityRatio, 20, 0.02, 101.325, {}, Status::Supersaturated, &State::wetBulb, kNaN, 0},
    {FromDryBulbRelativeHumidity, 23.5, 201, 101.325, {}, Status::InvalidInput, nullptr, kAny, 0},
    {FromDryBulbHumidityRatio, 20, 0.2, 101.325, {}, Status::InvalidInput, nullptr, kAny, 0},
    {FromDryBulbSpecificHumidity, 20, 1, 101.325, {}, Status::InvalidInput, nullptr, kAny, 0},
    // e = 2 kPa at 25 degrees C: W = 0.621945 x 2 / 99.325 (eq. 20 by hand); e
    // below 0, at P or NaN is no vapour pressure; 3 kPa at 20 degrees C is above
    // saturation (2.339 kPa).
    {FromDryBulbVaporPressure, 25, 2, 101.325, {}, Status::Ok, &State::humidityRatio, 0.0125234, 1e-7},
    {FromDryBulbVaporPressure, 20, 3, 101.325, {}, Status::Supersaturated, &State::wetBulb, kNaN, 0},
    {FromDryBulbVaporPressure, 20, -1e-9, 101.325, {}, Status::InvalidInput, &State::vaporPressure, -1e-9, 0},
    {FromDryBulbVaporPressure, 20, 101.325, 101.325, {}, Status::InvalidInput, nullptr, kAny, 0},
    {FromDryBulbVaporPressure, 20, kAny, 101.325, {}, Status::InvalidInput, nullptr, kAny, 0},
    {FromDryBulbVaporPressure, 20, 2, 101.325, {Model::Calculator, Phase::Water}, Status::InvalidInput, &State::vaporPressure, 2, 0},
    {FromDryBulbRelativeHumidity, 150, 100, 101.325, {}, Status::VaporPressureNotBelowTotal, nullptr, kAny, 0},
    {FromDryBulbRelativeHumidity, 201, 10, 101.325, {}, Status::OutOfRange, nullptr, kAny, 0},
    {FromDryBulbRelativeHumidity, 20, 10, 9.9, {}, Status::OutOfRange, nullptr, kAny, 0},
    {FromDryBulbRelativeHumidity, 20, 10, 0, {}, Status::InvalidInput, nullptr, kAny, 0},
    {FromDryBulbRelativeHumidity, 20, 10, 101.325, {Model::Calculator, Phase::Water}, Status::InvalidInput, nullptr, kAny, 0},
    // The pairs solved by a search: dry air at 25 degrees C has 1.006 * 25 kJ/kg.
    {FromDryBulbEnthalpy, 25, 25.15, 101.325, {}, Status::Ok, &State::humidityRatio, 0, 1e-15},
    {FromDryBulbEnthalpy, 25, 25.1, 101.325, {}, Status::NoState, nullptr, kAny, 0},
    {FromEnthalpyRelativeHumidity, 50, 101, 101.325, {}, Status::NoState, nullptr, kAny, 0},
    {FromDewPointRelativeHumidity, 10, 0, 101.325, {}, Status::NoState, nullptr, kAny, 0},
    {FromDewPointRelativeHumidity, 150, 5, 101.325, {}, Status::OutOfRange, nullptr, kAny, 0},
    {FromHumidityRatioRelativeHumidity, 0, 50, 101.325, {}, Status::NoState, nullptr, kAny, 0},
    {FromHumidityRatioEnthalpy, 0.01, 1e4, 101.325, {}, Status::OutOfRange, nullptr, kAny, 0},
    {FromWetBulbRelativeHumidity, 20, 100, 101.325, {}, Status::Ok, &State::dryBulb, 20, 0},
    {FromWetBulbRelativeHumidity, 20, 50, 101.325, {Model::Calculator, Phase::Ice}, Status::NotWithCalculator, nullptr, kAny, 0},
    // Above saturation over ice, not over water (ice's pressure over water's at
    // -10 degrees C: 0.2599 / 0.2865, IAPWS R14-08 and Murphy and Koop 2005, so
    // 105 % over ice is 95 % over water), and above both (115 %: 104 %); a frost
    // point of -9 is below water's saturation at -10 (0.2843 kPa).
    {FromDryBulbRelativeHumidity, -10, 105, 101.325, {}, Status::AboveIceSaturation, &State::wetBulb, kNaN, 0},
    {FromDryBulbRelativeHumidity, -10, 115, 101.325, {}, Status::Supersaturated, &State::wetBulb, kNaN, 0},
    {FromDryBulbDewPoint, -10, -9, 101.325, {}, Status::AboveIceSaturation, &State::wetBulb, kNaN, 0},
    {FromDryBulbDewPoint, -10, -9, 101.325, {.over = Phase::Water}, Status::Supersaturated, &State::wetBulb, kNaN, 0},
    {FromDryBulbRelativeHumidity, -10, 100.5, 101.325, {.over = Phase::Water}, Status::Supersaturated, &State::wetBulb, kNaN, 0},
    // 2.55 g/kg at -5 degrees C: 0.4137 kPa, between ice's 0.4033 and water's
    // 0.4234 (times f), 97.7 % over water.
    {FromDryBulbHumidityRatio, -5, 0.00255, 101.325, {}, Status::AboveIceSaturation, &State::wetBulb, kNaN, 0},
    {FromDryBulbHumidityRatio, -5, 0.00255, 101.325, {.over = Phase::Water}, Status::Ok, &State::relativeHumidity, 97.7, 0.3},
    // 0.273 kPa at -10 degrees C: between ice's 0.2599 and water's 0.2865 (times f).
    {FromDryBulbVaporPressure, -10, 0.273, 101.325, {}, Status::AboveIceSaturation, &State::wetBulb, kNaN, 0},
    {FromDryBulbVaporPressure, -10, 0.273, 101.325, {.over = Phase::Water}, Status::Ok, &State::relativeHumidity, 94.9, 0.3},
    // The water convention's liquid wick, by hand (eq. 33 over supercooled
    // water with Murphy and Koop's pressure and Hardy's f, solved by
    // bisection): 95 % at -10 degrees C has -10.1646; 45 % at 4 degrees C
    // 0.1331, where the ice convention's wick is on its plateau, exactly 0.
    {FromDryBulbRelativeHumidity, -10, 95, 101.325, {.over = Phase::Water}, Status::Ok, &State::wetBulb, -10.1646, 0.002},
    {FromDryBulbRelativeHumidity, 4, 45, 101.325, {.over = Phase::Water}, Status::Ok, &State::wetBulb, 0.1331, 0.002},
    {FromDryBulbRelativeHumidity, 4, 45, 101.325, {}, Status::Ok, &State::wetBulb, 0, 0},
};
// clang-format on

TEST(HandbookOutcomes, EachRow) {
  for (const Outcome& o : kOutcomes) {
    const Result r = o.compute(o.t, o.second, o.P, o.options);
    EXPECT_EQ(r.status, o.status) << o.t << ", " << o.second;
    if (o.field == nullptr || std::isnan(o.expected)) continue;
    const double got = r.state.*o.field;
    if (o.expected == kNaN) {
      EXPECT_TRUE(std::isnan(got)) << o.t << ", " << o.second;
    } else {
      EXPECT_NEAR(got, o.expected, o.tolerance) << o.t << ", " << o.second;
    }
  }
}

// A dew point over water read as a frost point: the vapour pressure over
// supercooled water at -10 degrees C (Murphy and Koop 2005, 286.453 Pa) over
// that over ice (IAPWS R14-08, 259.874 Pa) is 1.10228.
TEST(HandbookOutcomes, DewPointOverWaterIsNoFrostPoint) {
  const double water =
      FromDryBulbDewPoint(0, -10, 101.325, {.over = Phase::Water}).state.vaporPressure;
  const double ice = FromDryBulbDewPoint(0, -10, 101.325).state.vaporPressure;
  EXPECT_NEAR(water / ice, 1.10228, 1.1e-3);
}

// The grid: -100 to 200 degrees C, 0 to 100 percent, 20 to 200 kPa, both phases.
template <typename Check>
void OverTheGrid(const Check& check) {
  for (const Phase over : {Phase::Ice, Phase::Water}) {
    for (const double P : {20.0, 60.0, 101.325, 200.0}) {
      for (double t = -100.0; t <= 200.0; t += 12.5) {
        for (const double rh : {0.0, 0.1, 1.0, 20.0, 50.0, 80.0, 99.0, 100.0}) {
          const Options options{.over = over};
          const Result r = FromDryBulbRelativeHumidity(t, rh, P, options);
          if (r.status == Status::VaporPressureNotBelowTotal) continue;  // no state
          check(r, P, options);
        }
      }
    }
  }
}

std::string Where(const Result& r, double P) {
  return std::to_string(r.state.dryBulb) + " degC, " + std::to_string(r.state.relativeHumidity) +
         " %, " + std::to_string(P) + " kPa";
}

// W of air at dry-bulb t whose wet-bulb over liquid water is x, at P: ASHRAE
// 2017 ch. 1 eq. 33 written out, with f p_ws over water at x (supercooled
// below 0) from SaturationVaporPressureInAir.
double Equation33(double t, double x, double P) {
  const double saturation = SaturationVaporPressureInAir(x, P, Phase::Water).pressure;
  const double Ws = 0.621945 * saturation / (P - saturation);
  return ((2501.0 - 2.326 * x) * Ws - 1.006 * (t - x)) / (2501.0 + 1.86 * t - 4.186 * x);
}

// Under the water convention every state at or below saturation over water
// has a wet-bulb: the root of eq. 33 over water within 1e-9 K (the residual
// changes sign, or is zero within rounding), rising with the relative
// humidity at every dry-bulb, so there is no plateau (at 4 degrees C the ice
// wick's spans 43.2 to 46.9 %).
TEST(HandbookOverWater, WetBulbSolvesEquation33AndRisesWithHumidity) {
  const Options water{.over = Phase::Water};
  const auto check = [&](double t, double P, double from, double to, double step) {
    double before = -std::numeric_limits<double>::infinity();
    for (double rh = from; rh <= to; rh += step) {
      const Result r = FromDryBulbRelativeHumidity(t, rh, P, water);
      const std::string where = Where(r, P);
      ASSERT_EQ(r.status, Status::Ok) << where;
      const double x = r.state.wetBulb;
      const double W = r.state.humidityRatio;
      const double below = Equation33(t, x - 1e-9, P) - W;
      const double above = Equation33(t, std::fmin(x + 1e-9, t), P) - W;
      EXPECT_TRUE(below * above <= 0.0 ||
                  std::fmin(std::fabs(below), std::fabs(above)) <= 1e-12 * W)
          << where;
      EXPECT_GT(x, before) << where;
      before = x;
    }
  };
  for (const double P : {50.0, 70.0, 84.556, 101.325, 105.0}) {
    for (double t = -60.0; t <= 50.0; t += 2.5) check(t, P, 1.0, 100.0, 0.25);
  }
  check(4.0, 101.325, 43.0, 47.0, 0.01);
}

// Clipped: air 0.1 to 5 % above saturation (by two dry-bulb pairs) comes back
// as the saturated state at its dry-bulb, under either convention: relative
// humidity 100, dew point and wet-bulb the dry-bulb, the rest as
// FromDryBulbRelativeHumidity(t, 100) has them, every value finite.
TEST(HandbookClip, AboveSaturationComesBackSaturated) {
  for (const Phase over : {Phase::Ice, Phase::Water}) {
    const Options options{.over = over};
    for (const double P : {60.0, 101.325}) {
      for (double t = -40.0; t <= 40.0; t += 5.0) {
        const Result saturated = FromDryBulbRelativeHumidity(t, 100.0, P, options);
        for (const double above : {0.001, 0.01, 0.05}) {
          const double rh = 100.0 * (1.0 + above);
          const double p = rh / 100.0 * saturated.state.vaporPressure;
          for (const Result& r :
               {FromDryBulbRelativeHumidity(t, rh, P, options),
                FromDryBulbHumidityRatio(t, 0.621945 * p / (P - p), P, options)}) {
            const Result clipped = ClipToSaturation(r, P, options);
            const std::string where = Where(r, P);
            ASSERT_EQ(clipped.status, Status::ClippedToSaturation) << where;
            EXPECT_TRUE(clipped.wetBulbFound) << where;
            const State& s = clipped.state;
            EXPECT_EQ(s.relativeHumidity, 100.0) << where;
            EXPECT_EQ(s.dewPoint, t) << where;
            EXPECT_EQ(s.wetBulb, t) << where;
            for (const Property& property : Properties) {
              // (At 0 degrees C over water the inverse's dew point is 7e-5 K off:
              // f's two sets for water meet there a few parts in a million apart.)
              if (property.member == &State::dewPoint) continue;
              const double want = saturated.state.*property.member;
              EXPECT_NEAR(s.*property.member, want, 1e-12 * (std::fabs(want) + 1.0)) << where;
            }
          }
        }
      }
    }
  }
  // Anything else comes back as it is.
  const Result ok = FromDryBulbRelativeHumidity(20.0, 50.0);
  EXPECT_EQ(ClipToSaturation(ok).state.wetBulb, ok.state.wetBulb);
  const Result calculator = FromDryBulbRelativeHumidity(20.0, 104.0, 101.325, {Model::Calculator});
  EXPECT_EQ(ClipToSaturation(calculator, 101.325, {Model::Calculator}).status, Status::Ok);
}

TEST(HandbookGrid, NaNOnlyWhereDocumented) {
  OverTheGrid([](const Result& r, double P, Options options) {
    const State& s = r.state;
    const bool boiling = SaturationVaporPressure(s.dryBulb, options.over).pressure >= P;
    const double driest = SaturationVaporPressureInAir(-100.0, P, options.over).pressure;
    EXPECT_EQ(std::isnan(s.dewPoint), s.vaporPressure < driest) << Where(r, P);
    EXPECT_EQ(std::isnan(s.wetBulb), r.status == Status::Supersaturated) << Where(r, P);
    EXPECT_EQ(std::isnan(s.degreeOfSaturation), boiling) << Where(r, P);
    for (const double x :
         {s.relativeHumidity, s.humidityRatio, s.enthalpy, s.specificVolume, s.vaporPressure}) {
      EXPECT_TRUE(std::isfinite(x)) << Where(r, P);
    }
  });
}

TEST(HandbookGrid, EveryStateNotAboveIceOrWaterHasAWetBulb) {
  OverTheGrid([](const Result& r, double P, Options options) {
    if (options.over == Phase::Ice || r.state.dryBulb > 0.0) {
      EXPECT_NE(r.status, Status::Supersaturated) << Where(r, P);
    }
  });
}

TEST(HandbookGrid, DewPointGivesBackItsVapourPressure) {
  OverTheGrid([](const Result& r, double P, Options options) {
    if (std::isnan(r.state.dewPoint)) return;
    const double p = SaturationVaporPressureInAir(r.state.dewPoint, P, options.over).pressure;
    EXPECT_NEAR(p / r.state.vaporPressure, 1.0, 1e-10) << Where(r, P);
  });
}

// The parts computed once at the dew point's seam give the relation's own bits
// there, on both pieces, under both conventions, at every pressure.
TEST(HandbookGrid, SeamPartsGiveTheRelationsBits) {
  namespace h = air::handbook;
  for (const Phase over : {Phase::Ice, Phase::Water}) {
    const double seam = over == Phase::Ice ? h::kTriplePoint : 0.0;
    for (const bool below : {true, false}) {
      const h::Branch branch =
          below ? h::Branch{over, over == Phase::Water} : h::Branch{Phase::Water, false};
      const h::ZeroParts& parts = h::AtSeam(over, below);
      for (double P = h::kLowestPressure; P <= h::kHighestPressure; P *= 1.01) {
        const double fromParts =
            air::one_lane::SaturationFromParts<air::Lanes>(parts, parts, true, P).pressure;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(fromParts),
                  std::bit_cast<std::uint64_t>(h::SaturationPressureInAir(seam, P, branch)))
            << P;
      }
    }
  }
}

TEST(HandbookGrid, WetBulbResidualChangesSignWithin1e9K) {
  OverTheGrid([](const Result& r, double P, Options options) {
    const double x = r.state.wetBulb;
    if (std::isnan(x)) return;
    const auto residual = [&](double wetBulb) {
      return FromDryBulbWetBulb(r.state.dryBulb, wetBulb, P, options).state.humidityRatio -
             r.state.humidityRatio;
    };
    // Up to the dry-bulb; zero within rounding counts as either sign.
    const double below = residual(x - 1e-9);
    const double above = residual(std::fmin(x + 1e-9, r.state.dryBulb));
    const double rounding = 1e-12 * r.state.humidityRatio;
    EXPECT_TRUE(below * above <= 0.0 || std::fmin(std::fabs(below), std::fabs(above)) <= rounding)
        << Where(r, P);
  });
}

// Two states agree: temperatures to 1e-9 K, the rest to 1e-10 relative; the
// humidity measures also to what 1e-15 kg/kg of humidity ratio makes of them
// (the wet-bulb pair's own rounding in very dry air: a few of the wet-bulb's
// last bits).
void ExpectSame(const State& a, const State& b, const std::string& where) {
  const auto same = [](double x, double y, double tolerance) {
    return (std::isnan(x) && std::isnan(y)) || std::fabs(x - y) <= tolerance;
  };
  const double slack = 1e-10 + 1e-15 / a.humidityRatio;
  if (a.humidityRatio == 0.0) {  // dry air: the rest follows the humidity ratio
    EXPECT_LE(b.humidityRatio, 1e-15) << where;
    return;
  }
  EXPECT_TRUE(same(a.wetBulb, b.wetBulb, 1e-9)) << where << " wet-bulb " << b.wetBulb;
  // The dew point moves with ln p, about 0.05 per K and more.
  EXPECT_TRUE(same(a.dewPoint, b.dewPoint, 1e-9 + (slack - 1e-10) / 0.05))
      << where << " dew point " << b.dewPoint;
  for (const auto member : {&State::relativeHumidity, &State::humidityRatio,
                            &State::degreeOfSaturation, &State::vaporPressure}) {
    EXPECT_TRUE(same(a.*member, b.*member, slack * std::fabs(a.*member))) << where;
  }
  for (const auto member : {&State::enthalpy, &State::specificVolume}) {
    EXPECT_TRUE(same(a.*member, b.*member, 1e-10 * std::fabs(a.*member) + 1e-13)) << where;
  }
}

TEST(HandbookGrid, EveryPairRoundTrips) {
  OverTheGrid([](const Result& r, double P, Options options) {
    const State& s = r.state;
    const std::string where = Where(r, P);
    ExpectSame(s, FromDryBulbHumidityRatio(s.dryBulb, s.humidityRatio, P, options).state,
               where + " (W)");
    // A wet-bulb of 0 above a dry-bulb of 0 is the plateau, not one state.
    if (!std::isnan(s.wetBulb) && (s.wetBulb != 0.0 || s.dryBulb <= 0.0)) {
      ExpectSame(s, FromDryBulbWetBulb(s.dryBulb, s.wetBulb, P, options).state, where + " (wet)");
    }
    if (!std::isnan(s.dewPoint)) {
      ExpectSame(s, FromDryBulbDewPoint(s.dryBulb, s.dewPoint, P, options).state, where + " (dew)");
    }
  });
}

// The state of each grid state's vapour pressure e has the humidity ratio of
// eq. 20, 0.621945 e / (P - e), and gives e back to 1e-12 relative, under
// both conventions.
TEST(HandbookGrid, VapourPressureRoundTrips) {
  OverTheGrid([](const Result& r, double P, Options options) {
    const double e = r.state.vaporPressure;
    const Result back = FromDryBulbVaporPressure(r.state.dryBulb, e, P, options);
    const double W = 0.621945 * e / (P - e);
    EXPECT_NEAR(back.state.humidityRatio, W, 1e-15 * W) << Where(r, P);
    EXPECT_NEAR(back.state.vaporPressure, e, 1e-12 * e) << Where(r, P);
  });
}

// Each pair solved by a search gives back the state its two values come from:
// its dry-bulb to 1e-9 K and its humidity ratio to 1e-10 relative (with what
// 1e-9 K makes of it where the search finds the dry-bulb), which fix the rest.
// The relative humidity pairs need a vapour pressure (0 percent fixes no
// dry-bulb) and a dry-bulb off 0 degrees C, where the saturation relation
// jumps (Hardy's two sets of f for water) and the search ends on the jump; the
// wet-bulb pair a wet-bulb off the 0 degrees C plateau. Saturated air may come
// back a rounding above saturation (Supersaturated).
TEST(HandbookGrid, EverySearchedPairRoundTrips) {
  OverTheGrid([](const Result& r, double P, Options options) {
    const State& s = r.state;
    if (s.relativeHumidity == 0.0 || s.dryBulb == 0.0 || r.status != Status::Ok) return;
    for (std::size_t i = DryBulbPairCount; i < AllPairs.size(); ++i) {
      const Pair& pair = AllPairs[i];
      if (pair.given[0].member == &State::wetBulb && s.wetBulb == 0.0 && s.dryBulb > 0.0) continue;
      const Result back =
          pair.compute(s.*pair.given[0].member, s.*pair.given[1].member, P, options);
      const std::string where = Where(r, P) + " (" + std::string(pair.key) + ")";
      if (s.relativeHumidity < 100.0) {
        EXPECT_EQ(back.status, r.status) << where;
      }
      EXPECT_NEAR(back.state.dryBulb, s.dryBulb, 1e-9) << where;
      EXPECT_NEAR(back.state.humidityRatio, s.humidityRatio, 1e-10 * s.humidityRatio + 1e-15)
          << where;
    }
  });
}

// The dry-bulb pair that is given `member` (the dry-bulb itself: with a
// relative humidity).
const Pair& DryBulbPairOf(double State::*member) {
  for (const Pair& pair : AllPairs) {
    if (pair.given[0].member == &State::dryBulb && pair.given[1].member == member) return pair;
  }
  return AllPairs[2];  // dry_bulb_relative_humidity
}

// Whether the state's forward relations, from its dry-bulb and humidity ratio,
// give back `given` as `member` to 1e-9 of its size (a temperature's in kelvin;
// at least 1 kJ/kg, 1 % or 1 g/kg).
bool GivesBack(const State& s, double State::*member, double given, double P, Options options) {
  const double back =
      FromDryBulbHumidityRatio(s.dryBulb, s.humidityRatio, P, options).state.*member;
  const bool temperature =
      member == &State::dryBulb || member == &State::wetBulb || member == &State::dewPoint;
  const double size = temperature                       ? given + 273.15
                      : member == &State::humidityRatio ? std::fmax(std::fabs(given), 1e-3)
                                                        : std::fmax(std::fabs(given), 1.0);
  return std::fabs(back - given) <= 1e-9 * size;
}

// Every pair solved by a search, given +-1e-300 to 1e300 as either value (the
// other from an ordinary state): a state it answers gives both values back by
// the forward relations, and an absurd value (1e10 or more) that no dry-bulb
// from -100 to 200 degrees C takes with its dry-bulb pair (1e16 kJ/kg, 1e12 %)
// gets a fault from the searched pair too, as it does from the dry-bulb pairs.
TEST(HandbookPairs, AnswerOnlyWhatTheySolvedOverEveryMagnitude) {
  const Options options;
  for (const auto& [t, rh, P] : {std::tuple{25.0, 50.0, 101.325},
                                 {-20.0, 80.0, 101.325},
                                 {60.0, 10.0, 60.0},
                                 {3.5, 50.0, 101.325}}) {
    const State ordinary = FromDryBulbRelativeHumidity(t, rh, P, options).state;
    for (std::size_t i = DryBulbPairCount; i < AllPairs.size(); ++i) {
      const Pair& pair = AllPairs[i];
      for (std::size_t slot = 0; slot < 2; ++slot) {
        double State::*member = pair.given[slot].member;
        for (int exponent = -300; exponent <= 300; ++exponent) {
          for (const double sign : {-1.0, 1.0}) {
            const double value = sign * std::pow(10.0, exponent);
            double a = ordinary.*pair.given[0].member;
            double b = ordinary.*pair.given[1].member;
            (slot == 0 ? a : b) = value;
            const Result r = pair.compute(a, b, P, options);
            const std::string where = std::string(pair.key) + " " + std::to_string(a) + ", " +
                                      std::to_string(b) + " at " + std::to_string(P);
            const bool computed = RulesOf(OutcomeOf(r).kind).computed;
            if (computed) {
              EXPECT_TRUE(GivesBack(r.state, pair.given[0].member, a, P, options)) << where;
              EXPECT_TRUE(GivesBack(r.state, pair.given[1].member, b, P, options)) << where;
            }
            if (exponent < 10) continue;  // the absurd ones
            bool anyDryBulb = false;
            for (double dryBulb = -100.0; dryBulb <= 200.0 && !anyDryBulb; dryBulb += 10.0) {
              const Pair& dry = DryBulbPairOf(member);
              const bool itself = member == &State::dryBulb;
              const Result d =
                  dry.compute(itself ? value : dryBulb, itself ? 50.0 : value, P, options);
              anyDryBulb = RulesOf(OutcomeOf(d).kind).computed;
            }
            if (!anyDryBulb) {
              EXPECT_FALSE(computed) << where;
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace hygrian
