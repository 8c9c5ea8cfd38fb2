// The public C++ API as a user links it: built once against the static archive
// and once against the shared library, so every function a program may call is
// also checked to be exported. Only the installed headers are included.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "hygrian/hygrian.h"
#include "hygrian/outcomes.h"
#include "hygrian/pairs.h"
#include "hygrian/processes.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/relations.h"
#include "hygrian/version.h"

namespace hygrian {
namespace {

// The C functions keep the calculator model's results; so do these checks.
constexpr Options kCalculator{.model = Model::Calculator};

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The standard atmosphere's pressures in kPa, as the ASHRAE Handbook tabulates
// them (5 significant digits); outside -5,000 to 11,000 m the input is invalid.
TEST(PublicApi, StandardPressureAtAltitude) {
  const struct {
    double metres, want, tolerance;
    Status status;
  } rows[] = {
      {0.0, 101.325, 0.0, Status::Ok},
      {-500.0, 107.478, 0.0005, Status::Ok},
      {1000.0, 89.875, 0.0005, Status::Ok},
      {1500.0, 84.556, 0.0005, Status::Ok},
      {5000.0, 54.020, 0.0005, Status::Ok},
      {11000.0, 22.632, 0.0005, Status::Ok},
      {-5000.0, 177.69, 0.005, Status::Ok},
      {-5000.001, 0.0, 0.0, Status::InvalidInput},
      {11000.001, 0.0, 0.0, Status::InvalidInput},
      {kNan, 0.0, 0.0, Status::InvalidInput},
      {kInf, 0.0, 0.0, Status::InvalidInput},
      {-kInf, 0.0, 0.0, Status::InvalidInput},
  };
  for (const auto& row : rows) {
    const PressureResult got = StandardPressureAtAltitude(row.metres);
    EXPECT_EQ(got.status, row.status) << row.metres;
    EXPECT_NEAR(got.pressure, row.want, row.tolerance) << row.metres;
    double c = -1.0;
    EXPECT_EQ(hygrian_standard_pressure_at_altitude(row.metres, &c), static_cast<int>(row.status));
    EXPECT_EQ(c, got.pressure) << row.metres;
  }
  EXPECT_EQ(hygrian_standard_pressure_at_altitude(0.0, nullptr), HYGRIAN_INVALID_INPUT);
}

double Relative(double got, double want) {
  return want == 0.0 ? std::fabs(got) : std::fabs((got - want) / want);
}

// A state from (t, RH), then from (t, its humidity ratio): the same properties
// within 1e-9, relative, and the wet-bulb, found on another path, within the
// search's tolerance.
TEST(PublicApi, HumidityRatioGivesBackTheRelativeHumidityState) {
  int compared = 0;
  for (const double P : {101.325, 84.556, 60.0}) {
    for (double t = -40.0; t <= 60.0; t += 2.5) {
      for (const double rh : {1.0, 5.0, 20.0, 50.0, 81.0, 99.0, 100.0}) {
        const Result want = FromDryBulbRelativeHumidity(t, rh, P, kCalculator);
        if (want.status != Status::Ok) continue;
        const Result got = FromDryBulbHumidityRatio(t, want.state.humidityRatio, P, kCalculator);
        const std::string name = std::to_string(t) + " " + std::to_string(rh);
        ASSERT_EQ(got.status, Status::Ok) << name;
        const State& g = got.state;
        const State& w = want.state;
        EXPECT_EQ(g.humidityRatio, w.humidityRatio) << name;
        for (const auto& [a, b] : {std::pair{g.dewPoint, w.dewPoint},
                                   {g.relativeHumidity, w.relativeHumidity},
                                   {g.enthalpy, w.enthalpy},
                                   {g.degreeOfSaturation, w.degreeOfSaturation},
                                   {g.specificVolume, w.specificVolume},
                                   {g.vaporPressure, w.vaporPressure}}) {
          EXPECT_LE(Relative(a, b), 1e-9) << name << ": " << a << " " << b;
        }
        EXPECT_EQ(got.wetBulbFound, want.wetBulbFound) << name;
        EXPECT_NEAR(g.wetBulb, w.wetBulb, 1e-6) << name;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 800);
}

// Through the C interface too; a negative or not finite humidity ratio is
// invalid, 0 is ln 0 as a relative humidity of 0 is.
TEST(PublicApi, HumidityRatioStatuses) {
  const struct {
    double t, W;
    int status;
  } rows[] = {
      {25.0, 0.0125990, HYGRIAN_OK},
      {25.0, -1e-12, HYGRIAN_INVALID_INPUT},
      {25.0, kNan, HYGRIAN_INVALID_INPUT},
      {25.0, kInf, HYGRIAN_INVALID_INPUT},
      {25.0, 0.0, HYGRIAN_LOG_SINGULARITY},
      {kNan, 0.01, HYGRIAN_INVALID_INPUT},
      {101.0, 0.01, HYGRIAN_VAPOR_PRESSURE_NOT_BELOW_TOTAL},
  };
  for (const auto& row : rows) {
    hygrian_state s;
    int found = -1;
    const int status = hygrian_from_dry_bulb_humidity_ratio(row.t, row.W, 101.325, &s, &found);
    EXPECT_EQ(status, row.status) << row.t << " " << row.W;
    const Result cxx = FromDryBulbHumidityRatio(row.t, row.W, StandardPressure, kCalculator);
    EXPECT_EQ(static_cast<int>(cxx.status), status);
    EXPECT_EQ(found, status == HYGRIAN_OK ? 1 : 0);
    if (status != HYGRIAN_OK) {
      EXPECT_EQ(s.enthalpy, 0.0);
      EXPECT_EQ(s.vapor_pressure, 0.0);
    }
  }
  // 25 and 20 degrees C: 0.0125990 kg/kg, relative humidity 63.48 percent.
  const Result published = FromDryBulbHumidityRatio(25.0, 0.0125990, StandardPressure, kCalculator);
  EXPECT_NEAR(published.state.wetBulb, 20.0, 0.005);
  EXPECT_NEAR(published.state.relativeHumidity, 63.48, 0.005);
  EXPECT_NEAR(published.state.dewPoint, 17.56, 0.005);
}

TEST(PublicApi, Version) {
  EXPECT_EQ(std::string(hygrian_version()), HYGRIAN_VERSION);
  EXPECT_EQ(std::string(HYGRIAN_VERSION), std::to_string(HYGRIAN_VERSION_MAJOR) + "." +
                                              std::to_string(HYGRIAN_VERSION_MINOR) + "." +
                                              std::to_string(HYGRIAN_VERSION_PATCH));
}

// The pairs solved by a search and the processes, each called once: exported.
// Air at 25 degrees C and 50 kJ/kg has W = (50 - 1.006 * 25) / (2501 + 1.86 * 25).
TEST(PublicApi, SearchedPairsAndProcessesAreExported) {
  const State s = FromDryBulbEnthalpy(25.0, 50.0).state;
  EXPECT_NEAR(s.humidityRatio, 24.85 / 2547.5, 1e-12);
  for (std::size_t i = DryBulbPairCount; i < AllPairs.size(); ++i) {
    const Pair& pair = AllPairs[i];
    const Result r =
        pair.compute(s.*pair.given[0].member, s.*pair.given[1].member, StandardPressure, {});
    EXPECT_NEAR(r.state.dryBulb, 25.0, 1e-9) << pair.key;
  }
  const double W = s.humidityRatio;
  EXPECT_EQ(Mix({25.0, W, 1.0}, {25.0, W, 1.0}).status, Status::Ok);
  EXPECT_EQ(HeatTo(25.0, W, 30.0, 1.0).status, Status::Ok);
  EXPECT_EQ(CoolAndDehumidify(25.0, W, 5.0, 0.1, 1.0).status, Status::Ok);
  EXPECT_EQ(HumidifyWithSteam(25.0, W, W + 0.001, 100.0, 1.0).status, Status::Ok);
  EXPECT_EQ(HumidifyWithWater(25.0, W, W + 0.001, 15.0, 1.0).status, Status::Ok);
}

// The specific humidity of every computed state is W / (1 + W) of its humidity
// ratio (ASHRAE 2017 eq. 9) to 1e-15 relative: over a grid of states given by
// every pair, for both models and both phase conventions; and in C the
// accessor gives the C++ state's value.
TEST(PublicApi, SpecificHumidityIsTheVapourShareOfMoistAir) {
  const Options variants[] = {{.over = Phase::Ice}, {.over = Phase::Water}, kCalculator};
  std::size_t checked = 0;
  for (const Options options : variants) {
    for (const double P : {60.0, StandardPressure, 300.0}) {
      for (const double t : {-60.0, -20.0, -0.5, 0.0, 4.0, 20.0, 35.0, 49.0, 80.0}) {
        for (const double rh : {0.5, 10.0, 45.0, 90.0, 100.0}) {
          const State s = FromDryBulbRelativeHumidity(t, rh, P, options).state;
          for (const Pair& pair : AllPairs) {
            const Result r =
                pair.compute(s.*pair.given[0].member, s.*pair.given[1].member, P, options);
            if (!RulesOf(OutcomeOf(r).kind).computed) continue;
            const double W = r.state.humidityRatio;
            EXPECT_LE(std::abs(r.state.specificHumidity - W / (1.0 + W)), 1e-15 * W / (1.0 + W))
                << pair.key << " " << t << " " << rh << " " << P;
            ++checked;
          }
          hygrian_state c{};
          if (hygrian_from_dry_bulb_relative_humidity_with(
                  t, rh, P, static_cast<int>(options.model), static_cast<int>(options.over), &c,
                  nullptr) == HYGRIAN_OK) {
            EXPECT_EQ(hygrian_specific_humidity(&c), s.specificHumidity) << t << " " << rh;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 1000U);
  EXPECT_TRUE(std::isnan(hygrian_specific_humidity(nullptr)));
}

// The relations one at a time, worked by hand from the handbook's equations
// (ASHRAE 2017 ch. 1: eq. 20 with the printed 2.34813 kPa at 20 degC, eqs. 26
// and 30), and their statuses.
TEST(PublicApi, RelationsByHand) {
  const Options handbook{};
  const struct {
    const char* what;
    relations::Value got;
    double want, tolerance;
    Status status;
  } rows[] = {
      {"W of 1 kPa", relations::HumidityRatio(1.0, 101.325, handbook), 0.0061993023, 1e-10,
       Status::Ok},
      {"Ws at 20", relations::SaturationHumidityRatio(20.0, 101.325, handbook), 0.01475504, 1e-7,
       Status::Ok},
      {"h at 20, 0.01", relations::Enthalpy(20.0, 0.01, handbook), 45.502, 1e-12, Status::Ok},
      {"v at 20, 0.01", relations::SpecificVolume(20.0, 0.01, 101.325, handbook), 0.84381264562,
       1e-11, Status::Ok},
      {"p at P", relations::HumidityRatio(101.325, 101.325, handbook), 0.0, 0.0,
       Status::VaporPressureNotBelowTotal},
      {"250 degC", relations::SaturationPressure(250.0, 101.325, handbook), 0.0, 0.0,
       Status::OutOfRange},
      {"NaN", relations::WetBulbLineHumidityRatio(kNan, 10.0, 101.325, handbook), 0.0, 0.0,
       Status::OutOfRange},
      {"calculator at 150 degC", relations::SaturationHumidityRatio(150.0, 101.325, kCalculator),
       0.0, 0.0, Status::VaporPressureNotBelowTotal},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.got.status, row.status) << row.what;
    EXPECT_NEAR(row.got.value, row.want, row.tolerance) << row.what;
  }
  EXPECT_GT(relations::FirstWaterTemperature(), 0.0);
  EXPECT_LT(relations::FirstWaterTemperature(), 1e-13);
}

// Curves and states agree: saturation is the state of 100 percent (both
// models), a wet-bulb line holds the states of that wet-bulb (the handbook's,
// both phases), over a grid.
TEST(PublicApi, RelationsAgreeWithTheStates) {
  int checked = 0;
  for (const Options options : {Options{}, Options{.over = Phase::Water}, kCalculator}) {
    for (double t = -30.0; t <= 60.0; t += 7.5) {
      for (const double P : {70.0, 101.325}) {
        const Result saturated = FromDryBulbRelativeHumidity(t, 100.0, P, options);
        const relations::Value Ws = relations::SaturationHumidityRatio(t, P, options);
        ASSERT_EQ(Ws.status, Status::Ok) << t;
        EXPECT_NEAR(Ws.value, saturated.state.humidityRatio, 1e-12 * Ws.value) << t << " " << P;
        const Result humid = FromDryBulbRelativeHumidity(t, 60.0, P, options);
        // The calculator's wet-bulb is its search's, to that search's tolerance.
        if (!humid.wetBulbFound || options.model == Model::Calculator) continue;
        const relations::Value W =
            relations::WetBulbLineHumidityRatio(t, humid.state.wetBulb, P, options);
        EXPECT_NEAR(W.value, humid.state.humidityRatio, 1e-12) << t << " " << P;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 40);
}

}  // namespace
}  // namespace hygrian
