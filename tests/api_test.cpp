#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "air/calculator/cases.h"
#include "air/calculator/relations.h"
#include "hygrian/hygrian.h"
#include "hygrian/psychrometrics.h"
#include "tests/calculator_model.h"

namespace hygrian {
namespace {

// The bits checked here are the calculator model's.
using calculator::FromDryBulbDewPoint;
using calculator::FromDryBulbHumidityRatio;
using calculator::FromDryBulbRelativeHumidity;
using calculator::FromDryBulbSpecificHumidity;
using calculator::FromDryBulbWetBulb;

using Compute = Result (*)(double, double, double) noexcept;

std::array<std::uint64_t, 9> Bits(const State& s) {
  return {std::bit_cast<std::uint64_t>(s.dryBulb),
          std::bit_cast<std::uint64_t>(s.wetBulb),
          std::bit_cast<std::uint64_t>(s.dewPoint),
          std::bit_cast<std::uint64_t>(s.relativeHumidity),
          std::bit_cast<std::uint64_t>(s.enthalpy),
          std::bit_cast<std::uint64_t>(s.humidityRatio),
          std::bit_cast<std::uint64_t>(s.degreeOfSaturation),
          std::bit_cast<std::uint64_t>(s.specificVolume),
          std::bit_cast<std::uint64_t>(s.vaporPressure)};
}

std::string Name(const char* which, double a, double b, double P) {
  return std::string(which) + " " + std::to_string(a) + " " + std::to_string(b) + " at " +
         std::to_string(P);
}

// Dry-bulb temperatures: both sides of the ice/water switch, the three dew-point
// ranges with their bounds, absolute zero and the faults far out.
constexpr std::array kDryBulbs = {-1e308, -300.0,  -273.1600036621094,
                                  -268.0, -264.66, -100.0,
                                  -40.0,  -5.0,    -1e-9,
                                  0.0,    1e-9,    0.5,
                                  10.0,   25.0,    49.99,
                                  50.0,   50.01,   60.0,
                                  100.0,  150.0,   400.0,
                                  1000.0, 10000.0, 1e78};
// Wet-bulb and dew-point temperatures.
constexpr std::array kTemperatures = {-1e308, -273.1600036621094,
                                      -268.0, -100.0,
                                      -40.0,  -6.0,
                                      -0.5,   0.0,
                                      1e-9,   5.0,
                                      10.0,   15.0,
                                      20.0,   25.0,
                                      30.0,   49.99,
                                      60.0,   100.0,
                                      120.0,  1000.0,
                                      1e78};
// Relative humidities in percent.
constexpr std::array kHumidities = {-10.0, 0.0,  1e-300, 1e-3,  5.0,  50.0,
                                    80.0,  99.9, 100.0,  150.0, 1e10, 1e308};
// Humidity ratios in kg/kg.
constexpr std::array kHumidityRatios = {0.0, 1e-300, 1e-5, 1e-3, 0.01, 0.02, 0.1, 1.0, 1e10, 1e308};
constexpr std::array kPressures = {StandardPressure, 80.0, 30.0, 250.0, 1e-3};
// Pressures the API takes as invalid input.
constexpr std::array kInvalidPressures = {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()};

using Case = air::CaseResult (*)(double, air::MoistAirState&);
using CCompute = int (*)(double, double, double, hygrian_state*, int*);

// Each pair of given values through the C++ API, the C interface and the case
// the API runs, with checked arithmetic, as the calculator runs it.
struct Computation {
  const char* name;
  Compute api;
  CCompute c;
  Case compute;
  double air::MoistAirState::*second;
  const double* seconds;
  std::size_t count;
};

const std::array<Computation, 4> kComputations = {{
    {"dry/wet", FromDryBulbWetBulb, hygrian_from_dry_bulb_wet_bulb, air::ComputeFromDryWet,
     &air::MoistAirState::wetBulb, kTemperatures.data(), kTemperatures.size()},
    {"dry/dew", FromDryBulbDewPoint, hygrian_from_dry_bulb_dew_point, air::ComputeFromDryDew,
     &air::MoistAirState::dewPoint, kTemperatures.data(), kTemperatures.size()},
    {"dry/rh", FromDryBulbRelativeHumidity, hygrian_from_dry_bulb_relative_humidity,
     air::ComputeFromDryRh, &air::MoistAirState::relativeHumidity, kHumidities.data(),
     kHumidities.size()},
    {"dry/W", FromDryBulbHumidityRatio, hygrian_from_dry_bulb_humidity_ratio, air::ComputeFromDryW,
     &air::MoistAirState::humidityRatio, kHumidityRatios.data(), kHumidityRatios.size()},
}};

// The two places where the library differs from the calculator: where its search
// gives up the wet-bulb may be found by the bisection, and an impossible state
// (P - p <= 0) is reported. Everywhere else every bit is the same.
struct Difference {
  State got, want;
  bool compare;  // false for an impossible state, whose fields are checked apart
};

Difference Narrow(const Result& got, const State& want, bool gaveUp) {
  Difference d{got.state, want, got.status != Status::VaporPressureNotBelowTotal};
  if (gaveUp) {
    if (!got.wetBulbFound) {
      EXPECT_EQ(std::bit_cast<std::uint64_t>(got.state.wetBulb), 0U);
    }
    d.got.wetBulb = 0.0;
    d.want.wetBulb = 0.0;
  }
  return d;
}

// An impossible state holds the two given values and nothing else.
void ExpectOnlyGiven(const Result& got, double a, double b, const std::string& name) {
  EXPECT_FALSE(got.wetBulbFound) << name;
  const State& s = got.state;
  const std::array<double, 7> others = {s.wetBulb,       s.dewPoint,      s.relativeHumidity,
                                        s.enthalpy,      s.humidityRatio, s.degreeOfSaturation,
                                        s.specificVolume};
  int nonzero = 0;
  for (const double v : others) nonzero += v != 0.0 ? 1 : 0;
  EXPECT_EQ(s.dryBulb, a) << name;
  EXPECT_EQ(s.vaporPressure, 0.0) << name;
  EXPECT_LE(nonzero, b != 0.0 ? 1 : 0) << name;
}

// At every pressure the API gives what the checked cases give, bit for bit, with
// the same fault, outside the two places above; a fault leaves only the two given
// values. The grid reaches every status that the relations can give, the
// search's give-up and the impossible state.
TEST(Api, SameAsTheCasesOverTheGrid) {
  std::set<Status> seen;
  int gaveUp = 0;
  for (const Computation& c : kComputations) {
    for (const double P : kPressures) {
      for (const double t : kDryBulbs) {
        for (std::size_t i = 0; i < c.count; ++i) {
          const double second = c.seconds[i];
          air::MoistAirState s;
          s.dryBulb = t;
          s.*c.second = second;
          const air::CaseResult checked = c.compute(P, s);
          const Result got = c.api(t, second, P);
          const std::string name = Name(c.name, t, second, P);
          const bool ok = checked.fault == air::Fault::None;
          State want = s;
          if (!ok) {
            want = State{};
            want.dryBulb = t;
            want.*c.second = second;
          }
          const bool searchGaveUp = ok && checked.gaveUp;
          const Difference d = Narrow(got, want, searchGaveUp);
          seen.insert(got.status);
          if (searchGaveUp) ++gaveUp;
          if (!d.compare) {
            ExpectOnlyGiven(got, t, second, name);
            continue;
          }
          EXPECT_EQ(Bits(d.got), Bits(d.want)) << name;
          EXPECT_EQ(StatusText(got.status), ok ? "ok" : air::FaultText(checked.fault)) << name;
          if (!searchGaveUp) {
            EXPECT_EQ(got.wetBulbFound, ok) << name;
          }
        }
      }
    }
  }
  // The power function's exponents are 2, 3 and 4: its domain and singularity
  // faults cannot occur.
  const std::set<Status> reachable = {
      Status::Ok,          Status::InvalidOperation, Status::DivideByZero,
      Status::Overflow,    Status::LogDomain,        Status::LogSingularity,
      Status::ExpOverflow, Status::PowerOverflow,    Status::VaporPressureNotBelowTotal,
  };
  EXPECT_EQ(seen, reachable);
  EXPECT_GT(gaveUp, 0);
}

// Weather over -40 to 60 degrees C and 1 to 100 percent at sea level, 1,500 m and
// 4,200 m: every state gets a wet-bulb, the calculator's search or the bisection
// where it gives up (near a wet-bulb of 0 degrees C). A bisected wet-bulb is
// where the residual changes sign: within 1e-6 of it the signs differ.
TEST(Api, EveryWeatherStateHasAWetBulb) {
  constexpr int kHundredths = 10000;  // -40.00 to 60.00 degrees C
  int bisected = 0;
  for (const double P : {101.325, 84.556, 60.0}) {
    for (int i = 0; i <= kHundredths; ++i) {
      const double t = -40.0 + i / 100.0;
      for (int rh = 1; rh <= 100; ++rh) {
        const Result got = FromDryBulbRelativeHumidity(t, rh, P);
        ASSERT_EQ(got.status, Status::Ok) << t << " " << rh << " at " << P;
        ASSERT_TRUE(got.wetBulbFound) << t << " " << rh << " at " << P;
        air::MoistAirState s;
        s.dryBulb = t;
        s.relativeHumidity = rh;
        if (!air::ComputeFromDryRh(P, s).gaveUp) continue;
        ++bisected;
        const double x = got.state.wetBulb;
        const double W = got.state.humidityRatio;
        const double below = air::WetBulbResidual(t, x - 1e-6, W, P).Value();
        const double above = air::WetBulbResidual(t, x + 1e-6, W, P).Value();
        EXPECT_LE(below * above, 0.0) << t << " " << rh << " at " << P;
      }
    }
  }
  EXPECT_EQ(bisected, 118) << "docs/testing.md gives this count";
}

// The C interface gives the C++ API's results to the bit, with the same status
// codes and search outcome, for valid and invalid pressures alike.
TEST(Api, CInterfaceIsTheSame) {
  std::vector<double> pressures(kPressures.begin(), kPressures.end());
  pressures.insert(pressures.end(), kInvalidPressures.begin(), kInvalidPressures.end());
  for (const Computation& c : kComputations) {
    for (const double P : pressures) {
      for (const double t : kDryBulbs) {
        for (std::size_t i = 0; i < c.count; ++i) {
          const Result want = c.api(t, c.seconds[i], P);
          hygrian_state s;
          int found = -1;
          const int status = c.c(t, c.seconds[i], P, &s, &found);
          const std::string name = Name(c.name, t, c.seconds[i], P);
          EXPECT_EQ(status, static_cast<int>(want.status)) << name;
          EXPECT_EQ(found, want.wetBulbFound ? 1 : 0) << name;
          const State got{s.dry_bulb,
                          s.wet_bulb,
                          s.dew_point,
                          s.relative_humidity,
                          s.enthalpy,
                          s.humidity_ratio,
                          s.degree_of_saturation,
                          s.specific_volume,
                          s.vapor_pressure};
          EXPECT_EQ(Bits(got), Bits(want.state)) << name;
        }
      }
    }
  }
  for (int status = -1; status <= 24; ++status) {
    const bool known = (status >= 0 && status <= 21) || status == 23;
    EXPECT_EQ(std::string(hygrian_status_text(status)),
              known ? std::string(StatusText(static_cast<Status>(status))) : "unknown status");
  }
}

TEST(Api, PublishedStates) {
  const struct {
    Compute compute;
    double dryBulb, second;
    State want;  // to the figures' last digit
  } rows[] = {
      {FromDryBulbWetBulb, 25, 20, {25, 20, 17.56, 63.48, 57.22, 0.0125990, 0.6274, 0.862, 2.012}},
      {FromDryBulbDewPoint, 25, 15, {25, 18.50, 15, 53.82, 52.25, 0.0106482, 0.5303, 0.859, 1.705}},
      {FromDryBulbRelativeHumidity,
       -5,
       80,
       {-5, -5.82, -7.55, 80.00, -0.10, 0.00197770, 0.7994, 0.762, 0.321}},
  };
  for (const auto& row : rows) {
    const Result got = row.compute(row.dryBulb, row.second, StandardPressure);
    ASSERT_EQ(got.status, Status::Ok);
    EXPECT_TRUE(got.wetBulbFound);
    EXPECT_NEAR(got.state.wetBulb, row.want.wetBulb, 0.005);
    EXPECT_NEAR(got.state.dewPoint, row.want.dewPoint, 0.005);
    EXPECT_NEAR(got.state.relativeHumidity, row.want.relativeHumidity, 0.005);
    EXPECT_NEAR(got.state.enthalpy, row.want.enthalpy, 0.005);
    EXPECT_NEAR(got.state.humidityRatio, row.want.humidityRatio, 0.5e-7);
    EXPECT_NEAR(got.state.degreeOfSaturation, row.want.degreeOfSaturation, 0.5e-4);
    EXPECT_NEAR(got.state.specificVolume, row.want.specificVolume, 0.5e-3);
    EXPECT_NEAR(got.state.vaporPressure, row.want.vaporPressure, 0.5e-3);
  }
}

// At another pressure the same relations run with that P: saturated air at 20
// degrees C holds 0.62198 * 2.3387 / (80 - 2.3387) kg/kg at 80 kPa.
TEST(Api, OtherPressure) {
  const Result got = FromDryBulbRelativeHumidity(20.0, 100.0, 80.0);
  ASSERT_EQ(got.status, Status::Ok);
  EXPECT_NEAR(got.state.humidityRatio, 0.62198 * 2.3387 / (80.0 - 2.3387), 1e-6);
  EXPECT_NEAR(got.state.specificVolume,
              0.28705 * 293.16 / 80.0 * (1.0 + 1.6078 * got.state.humidityRatio), 1e-7);
  EXPECT_NEAR(got.state.wetBulb, 20.0, 0.01);
  const Result standard = FromDryBulbRelativeHumidity(20.0, 100.0);
  EXPECT_LT(standard.state.humidityRatio, got.state.humidityRatio);
}

TEST(Api, InvalidInput) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    double a, b, P;
  } rows[] = {{kNan, 20, 101.325}, {25, kInf, 101.325}, {-kInf, 20, 101.325}, {25, 20, kNan},
              {25, 20, kInf},      {25, 20, 0.0},       {25, 20, -0.0},       {25, 20, -1.0}};
  for (const Compute compute : {Compute{FromDryBulbWetBulb}, Compute{FromDryBulbDewPoint},
                                Compute{FromDryBulbRelativeHumidity}}) {
    for (const auto& row : rows) {
      const Result got = compute(row.a, row.b, row.P);
      EXPECT_EQ(got.status, Status::InvalidInput);
      EXPECT_FALSE(got.wetBulbFound);
      EXPECT_EQ(std::bit_cast<std::uint64_t>(got.state.dryBulb),
                std::bit_cast<std::uint64_t>(row.a));
      EXPECT_EQ(got.state.enthalpy, 0.0);
      EXPECT_EQ(got.state.vaporPressure, 0.0);
    }
  }
  const Result rh = FromDryBulbRelativeHumidity(25.0, kInf);
  EXPECT_EQ(rh.state.relativeHumidity, kInf);
  EXPECT_EQ(rh.state.wetBulb, 0.0);
  EXPECT_EQ(rh.state.dewPoint, 0.0);
}

// Water boils at 99.97, 95.0 and 85.9 degrees C under 101.325, 84.556 and 60 kPa
// (steam tables): half a kelvin below, the vapour and saturation pressures stay
// below the total pressure; half a kelvin above, the state is impossible.
TEST(Api, FaultsAreValues) {
  constexpr Status kAbove = Status::VaporPressureNotBelowTotal;
  const struct {
    Compute compute;
    double a, b, P;
    Status status;
  } rows[] = {
      {FromDryBulbRelativeHumidity, 25, 0, 101.325, Status::LogSingularity},
      {FromDryBulbWetBulb, 25, 5, 101.325, Status::LogDomain},
      {FromDryBulbWetBulb, 10000, 20, 101.325, Status::ExpOverflow},
      {FromDryBulbWetBulb, 1e78, 20, 101.325, Status::PowerOverflow},
      {FromDryBulbDewPoint, -268, 0, 101.325, Status::DivideByZero},
      {FromDryBulbRelativeHumidity, -268, 50, 101.325, Status::InvalidOperation},
      {FromDryBulbWetBulb, -264.66, 0, 101.325, Status::Overflow},
      {FromDryBulbRelativeHumidity, 99.47, 100, 101.325, Status::Ok},
      {FromDryBulbRelativeHumidity, 100.47, 1, 101.325, kAbove},
      {FromDryBulbRelativeHumidity, 100, 50, 101.325, kAbove},
      {FromDryBulbRelativeHumidity, 99.99, 100, 101.325, kAbove},
      // Saturated air just below boiling, whose dew point from the correlation
      // (99.999 and 95.013 degrees C) lies above it: the dew point's pressure.
      {FromDryBulbRelativeHumidity, 99.95, 100, 101.325, kAbove},
      {FromDryBulbRelativeHumidity, 94.95, 100, 84.556, kAbove},
      {FromDryBulbDewPoint, 99.47, 99.46, 101.325, Status::Ok},
      {FromDryBulbDewPoint, 50, 100.47, 101.325, kAbove},
      {FromDryBulbWetBulb, 99.47, 99.46, 101.325, Status::Ok},
      {FromDryBulbWetBulb, 100.47, 90, 101.325, kAbove},
      {FromDryBulbWetBulb, 50, 100.47, 101.325, kAbove},
      {FromDryBulbRelativeHumidity, 94.5, 100, 84.556, Status::Ok},
      {FromDryBulbRelativeHumidity, 95.5, 1, 84.556, kAbove},
      {FromDryBulbDewPoint, 94.5, 94.4, 84.556, Status::Ok},
      {FromDryBulbDewPoint, 30, 95.5, 84.556, kAbove},
      {FromDryBulbWetBulb, 94.5, 94.4, 84.556, Status::Ok},
      {FromDryBulbWetBulb, 95.5, 20, 84.556, kAbove},
      {FromDryBulbRelativeHumidity, 85.4, 100, 60, Status::Ok},
      {FromDryBulbRelativeHumidity, 86.4, 1, 60, kAbove},
      {FromDryBulbDewPoint, 85.4, 85.3, 60, Status::Ok},
      {FromDryBulbDewPoint, 86.4, 20, 60, kAbove},
      {FromDryBulbWetBulb, 85.4, 85.3, 60, Status::Ok},
      {FromDryBulbWetBulb, 30, 86.4, 60, kAbove},
  };
  for (const auto& row : rows) {
    const Result got = row.compute(row.a, row.b, row.P);
    if (row.status == Status::Ok) {
      EXPECT_EQ(got.status, Status::Ok) << row.a << " " << row.b << " at " << row.P;
      EXPECT_GT(got.state.humidityRatio, 0.0);
      EXPECT_LE(got.state.degreeOfSaturation, 1.0 + 1e-9);
      continue;
    }
    EXPECT_EQ(got.status, row.status) << row.a << " " << row.b;
    EXPECT_FALSE(got.wetBulbFound);
    const std::array<double, 9> fields = {got.state.dryBulb,
                                          got.state.wetBulb,
                                          got.state.dewPoint,
                                          got.state.relativeHumidity,
                                          got.state.enthalpy,
                                          got.state.humidityRatio,
                                          got.state.degreeOfSaturation,
                                          got.state.specificVolume,
                                          got.state.vaporPressure};
    int given = 0;
    for (const double field : fields) {
      EXPECT_TRUE(std::isfinite(field));
      if (field != 0.0) ++given;
    }
    EXPECT_EQ(given, row.b == 0.0 ? 1 : 2);
  }
}

TEST(Api, StatusTexts) {
  const struct {
    Status status;
    const char* text;
  } rows[] = {
      {Status::Ok, "ok"},
      {Status::InvalidInput, "invalid input"},
      {Status::InvalidOperation, "floating-point error: invalid"},
      {Status::DivideByZero, "floating-point error: divide by zero"},
      {Status::Overflow, "floating-point error: overflow"},
      {Status::LogDomain, "log: DOMAIN error"},
      {Status::LogSingularity, "log: SING error"},
      {Status::ExpOverflow, "exp: OVERFLOW error"},
      {Status::PowerDomain, "**: DOMAIN error"},
      {Status::PowerSingularity, "**: SING error"},
      {Status::PowerOverflow, "**: OVERFLOW error"},
      {Status::VaporPressureNotBelowTotal, "vapour pressure at or above total pressure"},
  };
  for (const auto& row : rows) EXPECT_EQ(StatusText(row.status), row.text);
}

// The specific humidity q is the humidity ratio q / (1 - q), to the bit, through
// C++ and C; below 0, from 1 on and NaN it is invalid input.
TEST(Api, SpecificHumidityIsTheHumidityRatioOfItsDefinition) {
  for (const double t : kDryBulbs) {
    for (const double q : {0.0, 1e-300, 1e-5, 0.0124422, 0.05, 0.5, 0.999999}) {
      const Result want = FromDryBulbHumidityRatio(t, q / (1.0 - q), 90.0);
      const Result got = FromDryBulbSpecificHumidity(t, q, 90.0);
      hygrian_state s;
      EXPECT_EQ(hygrian_from_dry_bulb_specific_humidity(t, q, 90.0, &s, nullptr),
                static_cast<int>(want.status));
      EXPECT_EQ(got.status, want.status);
      EXPECT_EQ(Bits(got.state), Bits(want.state)) << t << " " << q;
      EXPECT_EQ(std::bit_cast<std::uint64_t>(s.humidity_ratio),
                std::bit_cast<std::uint64_t>(want.state.humidityRatio));
    }
    for (const double q : {-1e-9, 1.0, 2.0, std::nan("")}) {
      EXPECT_EQ(FromDryBulbSpecificHumidity(t, q).status, Status::InvalidInput) << q;
    }
  }
}

// The calculator's vapour pressure e is the state of its humidity ratio
// 0.62198 e / (P - e) (the constant widened from single precision, as its
// relations have it), to the bit through C++ and C, and a computed state gives e
// back to 1e-12 relative; below 0, at or above P and NaN it is invalid input,
// held as given. The C _with form gives the C++ function's state.
TEST(Api, VapourPressureIsTheHumidityRatioOfItsDefinition) {
  const double k = static_cast<double>(0.62198F);
  for (const double t : kDryBulbs) {
    for (const double e : {0.0, 1e-300, 1e-5, 0.6, 2.0, 3.1, 80.0}) {
      const Result want = FromDryBulbHumidityRatio(t, k * e / (90.0 - e), 90.0);
      const Result got = hygrian::FromDryBulbVaporPressure(t, e, 90.0, calculator::kModel);
      hygrian_state s;
      EXPECT_EQ(hygrian_from_dry_bulb_vapor_pressure(t, e, 90.0, &s, nullptr),
                static_cast<int>(want.status));
      EXPECT_EQ(got.status, want.status) << t << " " << e;
      EXPECT_EQ(got.state.humidityRatio, want.state.humidityRatio) << t << " " << e;
      EXPECT_EQ(std::bit_cast<std::uint64_t>(s.humidity_ratio),
                std::bit_cast<std::uint64_t>(got.state.humidityRatio));
      if (got.status == Status::Ok) {
        EXPECT_EQ(Bits(got.state), Bits(want.state)) << t << " " << e;
        EXPECT_NEAR(got.state.vaporPressure, e, 1e-12 * e) << t << " " << e;
      }
      const Result handbook = hygrian::FromDryBulbVaporPressure(t, e, 90.0);
      EXPECT_EQ(hygrian_from_dry_bulb_vapor_pressure_with(t, e, 90.0, HYGRIAN_MODEL_HANDBOOK,
                                                          HYGRIAN_OVER_ICE, &s, nullptr),
                static_cast<int>(handbook.status));
      EXPECT_EQ(std::bit_cast<std::uint64_t>(s.vapor_pressure),
                std::bit_cast<std::uint64_t>(handbook.state.vaporPressure));
    }
    for (const double e : {-1e-9, 90.0, 100.0, std::nan("")}) {
      const Result refused = hygrian::FromDryBulbVaporPressure(t, e, 90.0, calculator::kModel);
      EXPECT_EQ(refused.status, Status::InvalidInput) << e;
      EXPECT_EQ(std::bit_cast<std::uint64_t>(refused.state.vaporPressure),
                std::bit_cast<std::uint64_t>(e));
    }
  }
}

}  // namespace
}  // namespace hygrian
