// The processes: their outcomes as rows, and over a grid of entering states,
// flows and parameters that mass and energy balance (water in equals water
// out, enthalpy in plus heat equals enthalpy out, to 1e-9 relative) and that a
// leaving state above saturation says so.
#include "hygrian/processes.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "hygrian/process_table.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"

namespace hygrian {
namespace {

// Humidity ratio (kg/kg) of air at t (degrees C) and rh (percent).
double W(double t, double rh) { return FromDryBulbRelativeHumidity(t, rh).state.humidityRatio; }
double H(double t, double w) { return FromDryBulbHumidityRatio(t, w).state.enthalpy; }

struct OutcomeRow {
  const char* what;
  std::function<ProcessResult()> run;
  Status status;
};

const OutcomeRow kOutcomes[] = {
    {"heat 25/50% to 30", [] { return HeatTo(25, W(25, 50), 30, 1); }, Status::Ok},
    {"cool 25/50% to 10 (dew point 13.9)", [] { return HeatTo(25, W(25, 50), 10, 1); },
     Status::BelowDewPoint},
    {"cool 25/50% to -5, far past saturation", [] { return HeatTo(25, W(25, 50), -5, 1); },
     Status::BelowDewPoint},
    {"coil with its surface above the dew point",
     [] { return CoolAndDehumidify(25, W(25, 50), 15, 0.1, 1); }, Status::NoState},
    {"coil with a bypass factor of 1.5", [] { return CoolAndDehumidify(25, W(25, 50), 5, 1.5, 1); },
     Status::InvalidInput},
    {"humidify to a drier state", [] { return HumidifyWithSteam(25, 0.01, 0.005, 100, 1); },
     Status::InvalidInput},
    {"steam past saturation", [] { return HumidifyWithSteam(25, 0.01, 0.03, 100, 1); },
     Status::Supersaturated},
    {"two streams of no flow",
     [] {
       return Mix({25, 0.01, 0}, {10, 0.005, 0});
     },
     Status::InvalidInput},
    {"a negative flow", [] { return HeatTo(25, 0.01, 30, -1); }, Status::InvalidInput},
    {"entering air at 250 degrees C", [] { return HeatTo(250, 0.01, 30, 1); }, Status::OutOfRange},
    {"entering fog at 2 degrees C, heated", [] { return HeatTo(2, 0.0045, 40, 1); }, Status::Ok},
    {"cool 25/50% by 30 kW/(kg/s)", [] { return HeatBy(25, W(25, 50), -30, 1); },
     Status::BelowDewPoint},
    {"heat with no flow", [] { return HeatBy(25, W(25, 50), 10, 0); }, Status::InvalidInput},
    {"coil leaving warmer", [] { return CoolAndDehumidifyTo(25, W(25, 50), 30, 20, 1); },
     Status::NoState},
    {"coil leaving at 120%", [] { return CoolAndDehumidifyTo(25, W(25, 50), 12, 120, 1); },
     Status::InvalidInput},
    {"evaporative effectiveness 1.2", [] { return CoolEvaporatively(35, W(35, 20), 1.2, 1); },
     Status::InvalidInput},
    {"steam to a drier relative humidity",
     [] { return HumidifyWithSteamToRelativeHumidity(25, W(25, 50), 30, 100, 1); },
     Status::InvalidInput},
    {"steam at 200 degrees C into air at 90: it boils off before saturating",
     [] { return HumidifyWithSteamToRelativeHumidity(90, W(90, 5), 100, 200, 1); },
     Status::NoState},
    {"water to 101%", [] { return HumidifyWithWaterToRelativeHumidity(25, W(25, 50), 101, 10, 1); },
     Status::InvalidInput},
    {"a negative volume flow",
     [] {
       return MixVolumes({25, 0.01, -1}, {10, 0.005, 1});
     },
     Status::InvalidInput},
    {"saturated air at -20 with 30 degrees C, 90 % (1:1): fog",
     [] {
       return Mix({-20, W(-20, 100), 1}, {30, W(30, 90), 1});
     },
     Status::Fog},
    {"two saturated streams: fog",
     [] {
       return Mix({5, W(5, 100), 1}, {35, W(35, 100), 1});
     },
     Status::Fog},
    {"a stream mixed with none of another: itself",
     [] {
       return Mix({5, W(5, 100), 1}, {35, W(35, 100), 0});
     },
     Status::Ok},
};

// The coil that a pair of states describes, as rows.
struct ConditionRow {
  const char* what;
  double t1, w1, t2, w2;
  Status status;
  double apparatusDewPoint;  // where Ok
  double bypassFactor;
};

const ConditionRow kConditions[] = {
    {"air heated meets no saturation", 20, 0.008, 30, 0.008, Status::NoState, 0, 0},
    {"air humidified meets no saturation", 20, 0.005, 22, 0.008, Status::NoState, 0, 0},
    {"no change", 20, 0.008, 20, 0.008, Status::NoState, 0, 0},
    {"a saturated leaving state is its own", 30, 0.015, 10, W(10, 100), Status::Ok, 10, 0},
    {"a leaving dry-bulb not finite", 30, 0.015, std::nan(""), 0.01, Status::InvalidInput, 0, 0},
    {"a negative leaving humidity ratio", 30, 0.015, 10, -0.001, Status::InvalidInput, 0, 0},
};

TEST(ProcessOutcomes, CoilConditionRows) {
  for (const ConditionRow& row : kConditions) {
    const CoilCondition c = CoilConditionOf(row.t1, row.w1, row.t2, row.w2);
    EXPECT_EQ(c.status, row.status) << row.what;
    if (row.status == Status::Ok) {
      EXPECT_NEAR(c.apparatusDewPoint, row.apparatusDewPoint, 1e-9) << row.what;
      EXPECT_EQ(c.bypassFactor, row.bypassFactor) << row.what;
    }
  }
}

TEST(ProcessOutcomes, EachRow) {
  for (const OutcomeRow& row : kOutcomes) EXPECT_EQ(row.run().status, row.status) << row.what;
}

// A coil's two ends: no bypass leaves saturated air at the apparatus dew point,
// full bypass the entering air.
TEST(ProcessOutcomes, CoilBypassEnds) {
  EXPECT_NEAR(CoolAndDehumidify(30, W(30, 50), 10, 0, 1).leaving.dryBulb, 10, 1e-9);
  EXPECT_NEAR(CoolAndDehumidify(30, W(30, 50), 10, 1, 1).leaving.dryBulb, 30, 1e-9);
}

// Water and energy balances of one process from air at (t, w) with flow m.
void ExpectBalanced(const ProcessResult& r, double t, double w, double m,
                    const std::string& where) {
  if (r.status != Status::Ok && r.status != Status::Supersaturated) return;
  const State& s = r.leaving;
  const double scale = m * (std::fabs(H(t, w)) + std::fabs(s.enthalpy) + 1.0);
  EXPECT_NEAR(m * w + r.water, m * s.humidityRatio, 1e-9 * m * (w + s.humidityRatio)) << where;
  EXPECT_NEAR(m * H(t, w) + r.totalLoad + r.water * r.waterEnthalpy, m * s.enthalpy, 1e-9 * scale)
      << where;
  EXPECT_NEAR(r.sensibleLoad + r.latentLoad, m * (s.enthalpy - H(t, w)), 1e-9 * scale) << where;
  EXPECT_TRUE(s.relativeHumidity <= 100.0 + 1e-9 || r.status == Status::Supersaturated) << where;
}

// Entering states from -20 to 50 degrees C, 10 to 90 percent, three flows.
template <typename Check>
void OverTheGrid(const Check& check) {
  for (double t = -20.0; t <= 50.0; t += 7.0) {
    for (const double rh : {10.0, 50.0, 90.0}) {
      for (const double m : {0.1, 1.0, 25.0}) {
        check(t, W(t, rh), m,
              std::to_string(t) + " degC " + std::to_string(rh) + " % " + std::to_string(m) +
                  " kg/s");
      }
    }
  }
}

TEST(ProcessGrid, HeatingBalances) {
  OverTheGrid([](double t, double w, double m, const std::string& where) {
    for (const double to : {t - 5.0, t + 20.0}) ExpectBalanced(HeatTo(t, w, to, m), t, w, m, where);
    for (const double q : {-3.0 * m, 5.0 * m}) {
      const ProcessResult r = HeatBy(t, w, q, m);
      ExpectBalanced(r, t, w, m, where + " by heat");
      if (r.status == Status::Ok) {
        EXPECT_NEAR(r.totalLoad, q, 1e-9 * std::fabs(q)) << where;
      }
    }
  });
}

TEST(ProcessGrid, CoilBalances) {
  OverTheGrid([](double t, double w, double m, const std::string& where) {
    for (const double adp : {-25.0, 2.0, 8.0}) {
      for (const double bf : {0.0, 0.1, 0.5}) {
        ExpectBalanced(CoolAndDehumidify(t, w, adp, bf, m), t, w, m, where);
      }
    }
    for (const double rh : {60.0, 95.0}) {
      ExpectBalanced(CoolAndDehumidifyTo(t, w, t - 8.0, rh, m), t, w, m, where + " to a state");
    }
  });
}

// The coil of a bypass factor, given its leaving state, gives its apparatus dew
// point and bypass factor back, and the leaving state back through them; the
// dry-bulbs' ratio is the bypass factor times eq. 30's ratio of humid heats,
// (t2 - t_adp) / (t1 - t_adp) = BF (1.006 + 1.86 W1) / (1.006 + 1.86 W2), as
// t = (h - 2501 W) / (1.006 + 1.86 W) on a line straight in W and h gives by
// hand. Entering air up to 40 degrees C and 50 %, whose line meets saturation
// once.
// Whether the coil's line from `leaving` on to saturation at the apparatus dew
// point adp stays below saturation (a steep line from humid air may pass
// through fog first), seen at 64 points by the state of W and h.
bool ClearToTheApparatusDewPoint(double t, double w, const State& leaving, double adp) {
  const State surface = FromDryBulbRelativeHumidity(adp, 100).state;
  for (int i = 1; i < 64; ++i) {
    const double f = i / 64.0;
    const double wx = leaving.humidityRatio + f * (surface.humidityRatio - leaving.humidityRatio);
    const double hx = leaving.enthalpy + f * (surface.enthalpy - leaving.enthalpy);
    if (!(FromHumidityRatioEnthalpy(wx, hx).state.relativeHumidity < 100.0)) return false;
  }
  return t > leaving.dryBulb && w > leaving.humidityRatio;
}

TEST(ProcessGrid, CoilConditionRoundTrip) {
  int checked = 0;
  for (double t = 12.0; t <= 40.0; t += 4.0) {
    for (const double rh : {20.0, 50.0}) {
      const double w = W(t, rh);
      for (const double adp : {-15.0, 2.0, 8.0}) {
        for (const double bf : {0.05, 0.2, 0.6}) {
          const std::string where = std::to_string(t) + " degC " + std::to_string(rh) + " % to " +
                                    std::to_string(adp) + ", " + std::to_string(bf);
          const ProcessResult r = CoolAndDehumidify(t, w, adp, bf, 1.0);
          if (r.status != Status::Ok || !ClearToTheApparatusDewPoint(t, w, r.leaving, adp)) {
            continue;
          }
          ++checked;
          const State& s = r.leaving;
          const CoilCondition c = CoilConditionOf(t, w, s.dryBulb, s.humidityRatio);
          ASSERT_EQ(c.status, Status::Ok) << where;
          EXPECT_NEAR(c.apparatusDewPoint, adp, 1e-8) << where;
          EXPECT_NEAR(c.bypassFactor, bf, 1e-9) << where;
          const double humidHeat = (1.006 + 1.86 * w) / (1.006 + 1.86 * s.humidityRatio);
          EXPECT_NEAR((s.dryBulb - adp) / (t - adp), bf * humidHeat, 1e-9) << where;
          const ProcessResult again =
              CoolAndDehumidify(t, w, c.apparatusDewPoint, c.bypassFactor, 1.0);
          EXPECT_NEAR(again.leaving.dryBulb, s.dryBulb, 1e-9) << where;
          EXPECT_NEAR(again.leaving.humidityRatio, s.humidityRatio, 1e-12) << where;
        }
      }
    }
  }
  EXPECT_GE(checked, 50);
}

// Where no heat crosses the boundary, the total load is 0, not a rounding.
TEST(ProcessGrid, NoHeatCrossesAHumidifierOrAMixingBox) {
  OverTheGrid([](double t, double w, double m, const std::string& where) {
    for (const ProcessResult& r :
         {HumidifyWithSteam(t, w, w + 0.003, 110.0, m), HumidifyWithWater(t, w, w + 0.003, 15.0, m),
          HumidifyWithSteamToRelativeHumidity(t, w, 95.0, 110.0, m),
          HumidifyWithWaterToRelativeHumidity(t, w, 95.0, 15.0, m), CoolEvaporatively(t, w, 0.7, m),
          Mix({t, w, m}, {24.0, W(24.0, 50.0), 3.0})}) {
      if (r.status != Status::Ok) continue;
      EXPECT_EQ(r.totalLoad, 0.0) << where;
    }
  });
}

// A mixture in the fog region: saturated air, and the water beyond it condensed
// at the same temperature (4.186 t kJ/kg, eq. 33; -333.4 + 2.1 t as ice,
// eq. 35), so that the streams' water and enthalpy flows are the leaving air's
// plus the condensate's. Saturated cold air mixed with warm humid air.
TEST(ProcessGrid, FogMixingBalances) {
  for (const Phase over : {Phase::Ice, Phase::Water}) {
    for (const double cold : {-30.0, -10.0, 2.0}) {
      for (const double warm : {20.0, 30.0, 40.0}) {
        for (const double share : {0.2, 0.5, 0.8}) {
          const std::string where = std::to_string(cold) + " with " + std::to_string(warm) +
                                    ", share " + std::to_string(share);
          const Stream a{cold,
                         FromDryBulbRelativeHumidity(cold, 100, StandardPressure, {.over = over})
                             .state.humidityRatio,
                         share};
          const Stream b{warm, W(warm, 95), 1.0 - share};
          const ProcessResult r = Mix(a, b, StandardPressure, over);
          if (r.status == Status::Ok) continue;  // little of the warm air: no fog
          ASSERT_EQ(r.status, Status::Fog) << where;
          const State& s = r.leaving;
          EXPECT_NEAR(s.relativeHumidity, 100.0, 1e-9) << where;
          const double t = s.dryBulb;
          const double ice = -333.4 + 2.1 * t;
          const double water = 4.186 * t;
          if (over == Phase::Ice && t == 0.01) {
            // Fog at the triple point: its condensate partly ice, partly water.
            EXPECT_TRUE(r.waterEnthalpy >= ice && r.waterEnthalpy <= water) << where;
          } else {
            EXPECT_NEAR(r.waterEnthalpy, over == Phase::Ice && t < 0.01 ? ice : water, 1e-12)
                << where;
          }
          EXPECT_LT(r.water, 0.0) << where;
          EXPECT_NEAR(a.flow * a.humidityRatio + b.flow * b.humidityRatio,
                      s.humidityRatio - r.water, 1e-12)
              << where;
          EXPECT_NEAR(a.flow * H(a.dryBulb, a.humidityRatio) + b.flow * H(warm, b.humidityRatio),
                      s.enthalpy - r.water * r.waterEnthalpy, 1e-9)
              << where;
          EXPECT_EQ(r.totalLoad, 0.0) << where;
        }
      }
    }
  }
}

TEST(ProcessGrid, HumidifiersBalance) {
  OverTheGrid([](double t, double w, double m, const std::string& where) {
    for (const double add : {0.0, 0.001, 0.005}) {
      ExpectBalanced(HumidifyWithSteam(t, w, w + add, 110.0, m), t, w, m, where + " steam");
      ExpectBalanced(HumidifyWithWater(t, w, w + add, 15.0, m), t, w, m, where + " water");
    }
    for (const double rh : {92.0, 100.0}) {
      for (const ProcessResult& r : {HumidifyWithSteamToRelativeHumidity(t, w, rh, 110.0, m),
                                     HumidifyWithWaterToRelativeHumidity(t, w, rh, 15.0, m)}) {
        ExpectBalanced(r, t, w, m, where + " to a relative humidity");
        if (r.status == Status::Ok) {
          EXPECT_NEAR(r.leaving.relativeHumidity, rh, 1e-6) << where;
        }
      }
    }
    for (const double e : {0.0, 0.7, 1.0}) {
      const ProcessResult r = CoolEvaporatively(t, w, e, m);
      ExpectBalanced(r, t, w, m, where + " evaporative");
      EXPECT_EQ(r.totalLoad, 0.0) << where;
      if (FromDryBulbHumidityRatio(t, w).state.wetBulb > 0.0) {
        EXPECT_NEAR(r.leaving.wetBulb, FromDryBulbHumidityRatio(t, w).state.wetBulb, 1e-7) << where;
      }
    }
  });
}

// Water at the entering air's wet-bulb, evaporated into it, leaves the air on
// its wet-bulb line: the thermodynamic wet-bulb is what adiabatic saturation
// keeps (eq. 33, the water's enthalpy 4.186 t_w as eq. 45 has it, by hand:
// 62.79 kJ/kg at 15 degrees C). To a humidity ratio and to a relative humidity.
TEST(ProcessGrid, WaterAtTheWetBulbKeepsTheWetBulb) {
  OverTheGrid([](double t, double w, double m, const std::string& where) {
    const double wetBulb = FromDryBulbHumidityRatio(t, w).state.wetBulb;
    if (!(wetBulb > 0.0)) return;  // over a water wick
    for (const ProcessResult& r : {HumidifyWithWater(t, w, w + 0.001, wetBulb, m),
                                   HumidifyWithWaterToRelativeHumidity(t, w, 95.0, wetBulb, m)}) {
      if (r.status != Status::Ok) continue;
      EXPECT_NEAR(r.waterEnthalpy, 4.186 * wetBulb, 1e-12 * wetBulb) << where;
      EXPECT_NEAR(r.leaving.wetBulb, wetBulb, 1e-6) << where;
    }
  });
  EXPECT_NEAR(HumidifyWithWaterToRelativeHumidity(30, W(30, 20), 80, 15, 1).waterEnthalpy, 62.79,
              1e-12);
}

TEST(ProcessGrid, MixingBalances) {
  OverTheGrid([](double t, double w, double m, const std::string& where) {
    const Stream b{24.0, W(24.0, 50.0), 3.0};
    const ProcessResult r = Mix({t, w, m}, b);
    ASSERT_TRUE(r.status == Status::Ok || r.status == Status::Fog) << where;
    const double flow = m + b.flow;
    EXPECT_NEAR(r.flow, flow, 1e-12 * flow) << where;
    // Fog's condensate (water, negative) leaves with the air.
    EXPECT_NEAR(m * w + b.flow * b.humidityRatio, flow * r.leaving.humidityRatio - r.water,
                1e-9 * flow * r.leaving.humidityRatio)
        << where;
    EXPECT_NEAR(m * H(t, w) + b.flow * H(b.dryBulb, b.humidityRatio),
                flow * r.leaving.enthalpy - r.water * r.waterEnthalpy,
                1e-9 * flow * (std::fabs(r.leaving.enthalpy) + 1.0))
        << where;
    EXPECT_LE(r.leaving.relativeHumidity, 100.0 + 1e-9) << where;
    const double volume = m * FromDryBulbHumidityRatio(t, w).state.specificVolume;
    EXPECT_NEAR(
        MixVolumes({t, w, volume}, {b.dryBulb, b.humidityRatio, 1.0}).leaving.enthalpy,
        Mix({t, w, m}, {b.dryBulb, b.humidityRatio,
                        1.0 / FromDryBulbHumidityRatio(24.0, b.humidityRatio).state.specificVolume})
            .leaving.enthalpy,
        1e-9 * (std::fabs(r.leaving.enthalpy) + 1.0))
        << where;
  });
}

// The worked examples of tests/data/process_examples.csv: each example's
// process on its given values (the figures of its statement), and the
// quantities its rows name.
const std::map<std::string, std::function<ProcessResult()>> kExamples = {
    {"heating",
     [] {
       const double w = W(2, 100);
       return HeatTo(2, w, 40, DryAirFlow(2, w, 10));
     }},
    {"coil",
     [] {
       const double w = W(30, 50);
       return CoolAndDehumidifyTo(30, w, 10, 100, DryAirFlow(30, w, 5));
     }},
    {"mixing",
     [] {
       return Mix({4, FromDryBulbWetBulb(4, 2).state.humidityRatio, 2.55}, {25, W(25, 50), 7.40});
     }},
    {"steam",
     [] {
       return HumidifyWithSteam(20, FromDryBulbWetBulb(20, 8).state.humidityRatio,
                                FromDryBulbDewPoint(13, 13).state.humidityRatio, 110, 2);
     }},
};
const std::map<std::string, std::function<double(const ProcessResult&)>> kQuantities = {
    {"flow", [](const ProcessResult& r) { return r.flow; }},
    {"total_load", [](const ProcessResult& r) { return r.totalLoad; }},
    {"condensate", [](const ProcessResult& r) { return -r.water; }},
    {"water_added", [](const ProcessResult& r) { return r.water; }},
    {"leaving_dry_bulb", [](const ProcessResult& r) { return r.leaving.dryBulb; }},
    {"leaving_wet_bulb", [](const ProcessResult& r) { return r.leaving.wetBulb; }},
    {"leaving_relative_humidity",
     [](const ProcessResult& r) { return r.leaving.relativeHumidity; }},
    {"leaving_humidity_ratio", [](const ProcessResult& r) { return r.leaving.humidityRatio; }},
    {"leaving_enthalpy", [](const ProcessResult& r) { return r.leaving.enthalpy; }},
};

// Every row: the example's quantity within its tolerance of the printed figure.
TEST(ProcessExamples, EveryPrintedFigure) {
  std::ifstream file(HYGRIAN_PROCESS_EXAMPLES_CSV);
  std::string line;
  ASSERT_TRUE(std::getline(file, line));  // the header
  int rows = 0;
  while (std::getline(file, line)) {
    std::stringstream fields(line);
    std::string example, quantity, printed, tolerance;
    std::getline(fields, example, ',');
    std::getline(fields, quantity, ',');
    std::getline(fields, printed, ',');
    std::getline(fields, tolerance, ',');
    ASSERT_TRUE(kExamples.contains(example) && kQuantities.contains(quantity)) << line;
    const ProcessResult r = kExamples.at(example)();
    EXPECT_EQ(r.status, Status::Ok) << line;
    EXPECT_NEAR(kQuantities.at(quantity)(r), std::stod(printed), std::stod(tolerance)) << line;
    ++rows;
  }
  EXPECT_GE(rows, 3);
}

// The value named `key` of what a process gives: a leaving property or a value.
double ValueOf(const ProcessResult& r, std::string_view key) {
  for (const Property& p : Properties) {
    if (p.key == key) return r.leaving.*p.member;
  }
  for (const ProcessValue& v : ProcessValues) {
    if (v.key == key) return r.*v.member;
  }
  return std::nan("");
}

// Each row of the table: its example's arguments, run through the row, give
// its value to the digits shown, and its arguments are the count it says.
TEST(ProcessTable, EveryRowsExample) {
  for (const ProcessFunction& f : Processes) {
    std::stringstream texts{std::string(f.example.arguments)};
    std::array<double, MostProcessArguments> x{};
    std::size_t count = 0;
    for (std::string text; std::getline(texts, text, ',');) x.at(count++) = std::stod(text);
    ASSERT_EQ(count, f.count) << f.key;
    EXPECT_EQ(f.arguments[f.count - 1].key, "pressure") << f.key;
    const ProcessResult r = f.run(x.data(), Phase::Ice);
    EXPECT_EQ(r.status, Status::Ok) << f.key;
    const double scale = std::pow(10.0, f.example.digits);
    EXPECT_EQ(std::round(ValueOf(r, f.example.output) * scale) / scale,
              std::stod(std::string(f.example.value)))
        << f.key;
  }
}

}  // namespace
}  // namespace hygrian
