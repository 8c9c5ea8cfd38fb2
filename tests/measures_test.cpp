// The heat-stress and atmospheric measures (hygrian/measures.h): every row of
// tests/data/measures_reference.csv within its printed digits, NaN and the
// warning at each edge of each range, properties over grids (continuous
// across the pieces, monotone where the physics says so), the table's
// consistency, and ComputeMeasures against the scalar functions bit for bit.
#include "hygrian/measures.h"

#include <gtest/gtest.h>
#include <hwy/targets.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "hygrian/arrays.h"
#include "hygrian/outcomes.h"
#include "hygrian/pairs.h"

namespace hygrian {
namespace {

constexpr Options kWater{Model::Handbook, Phase::Water};

// A state given by its vapour pressure (kPa), as the reference rows give it.
State WithVaporPressure(double t, double p, double P) {
  State s;
  s.dryBulb = t;
  s.vaporPressure = p;
  s.humidityRatio = 0.621945 * p / (P - p);
  s.relativeHumidity = NotGiven;
  s.dewPoint = NotGiven;
  s.wetBulb = NotGiven;
  return s;
}

State Air(double t, double rh, double P = StandardPressure) {
  return FromDryBulbRelativeHumidity(t, rh, P, kWater).state;
}

// One CSV line's fields (a field may be quoted and hold commas).
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (const char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

double Number(const std::string& text) { return text.empty() ? NotGiven : std::stod(text); }

double InUnit(double value, const std::string& unit) {
  return unit == "degF" ? value * 9.0 / 5.0 + 32.0 : value;
}

TEST(MeasureReferences, EveryRowWithinItsPrintedDigits) {
  std::ifstream file(HYGRIAN_MEASURES_CSV);
  std::string line;
  std::getline(file, line);
  const std::vector<std::string> header = Fields(line);
  std::map<std::string, std::size_t> column;
  for (std::size_t i = 0; i < header.size(); ++i) column[header[i]] = i;
  int rows = 0;
  std::set<std::string> measured;
  while (std::getline(file, line)) {
    const std::vector<std::string> f = Fields(line);
    const auto at = [&](const char* name) { return f[column.at(name)]; };
    const double t = Number(at("dry_bulb"));
    const double given = Number(at("value_given"));
    const double P = Number(at("pressure"));
    State air;
    if (at("given") == "relative_humidity") {
      air = FromDryBulbRelativeHumidity(t, given, P, kWater).state;
    } else if (at("given") == "dew_point") {
      air = FromDryBulbDewPoint(t, given, P, kWater).state;
    } else {
      air = WithVaporPressure(t, given, P);
    }
    Surroundings around;
    for (const MeasureInput& input : MeasureInputs) {
      around.*input.member = Number(f[column.at(std::string(input.key))]);
    }
    const Measure* measure = FindMeasure(at("measure"));
    ASSERT_NE(measure, nullptr) << line;
    const MeasureResult r = measure->compute(air, P, around);
    EXPECT_NEAR(InUnit(r.value, at("unit")), Number(at("printed")), Number(at("tolerance")))
        << line;
    measured.insert(at("measure"));
    ++rows;
  }
  EXPECT_EQ(rows, 183);
  // Every measure but the ones computed alongside another has rows of its own.
  EXPECT_EQ(measured.size(), 12U);
}

// Romps's LCL temperature and pressure follow from its height exactly: the
// dry adiabat, z = cpm (T - T_L) / g and p_L = p (T_L / T)^(cpm / Rm).
TEST(MeasureReferences, TheLiftingCondensationLevelIsOneLevel) {
  const State air = WithVaporPressure(26.85, 1.7, 100.0);
  const LiftingCondensationLevel l = LiftingCondensationLevelOf(air, 100.0);
  ASSERT_EQ(l.status, Status::Ok);
  const double qv = 287.04 * 1700.0 / (461.0 * 1e5 + (287.04 - 461.0) * 1700.0);
  const double cpm = (1 - qv) * (719.0 + 287.04) + qv * (1418.0 + 461.0);
  const double Rm = (1 - qv) * 287.04 + qv * 461.0;
  EXPECT_NEAR(l.height, cpm / 9.81 * (26.85 - l.temperature), 1e-9);
  EXPECT_NEAR(l.pressure, 100.0 * std::pow((l.temperature + 273.15) / (26.85 + 273.15), cpm / Rm),
              1e-12);
}

struct EdgeRow {
  const char* what;
  std::function<MeasureResult()> run;
  Status status;  // Ok: a finite value
};

GlobeResult Wbgt(double t, double wind = 2.0, double solar = 500.0, double cosZenith = 0.7,
                 double direct = NotGiven) {
  return WetBulbGlobeTemperature(Air(t, 50.0), StandardPressure, wind, solar, cosZenith, direct);
}
MeasureResult Value(const GlobeResult& g) { return {g.wetBulbGlobe, g.status}; }
State Vapour(double t, double p) { return WithVaporPressure(t, p, StandardPressure); }

// Each range's edges, just inside and just outside; and inputs that are no value.
const EdgeRow kEdges[] = {
    {"heat index at 40.01 degF", [] { return HeatIndex(Air(4.45, 50)); }, Status::Ok},
    {"heat index at 39.99 degF", [] { return HeatIndex(Air(4.44, 50)); },
     Status::OutsideMeasureRange},
    {"heat index at 112 degF, dry", [] { return HeatIndex(Air(44.4444444444444, 5)); }, Status::Ok},
    {"heat index above 112 degF", [] { return HeatIndex(Air(44.45, 5)); },
     Status::OutsideMeasureRange},
    {"heat index of 136 degF (110 degF, 40 %)", [] { return HeatIndex(Air(43.3333333333, 40)); },
     Status::Ok},
    {"heat index above 137 degF (110 degF, 45 %)", [] { return HeatIndex(Air(43.3333333333, 45)); },
     Status::OutsideMeasureRange},
    {"heat index above saturation", [] { return HeatIndex(Air(30, 101)); },
     Status::OutsideMeasureRange},
    {"humidex at 20 degC", [] { return Humidex(Air(20, 50), StandardPressure); }, Status::Ok},
    {"humidex below 20 degC", [] { return Humidex(Air(19.99, 50), StandardPressure); },
     Status::OutsideMeasureRange},
    {"humidex of dry air", [] { return Humidex(Vapour(25, 0), StandardPressure); }, Status::Ok},
    {"humidex with a frost point (over ice)",
     [] { return Humidex(FromDryBulbRelativeHumidity(25, 10).state, StandardPressure); },
     Status::Ok},
    {"UTCI at -50 degC", [] { return UniversalThermalClimateIndex(Vapour(-50, 0), -50, 1); },
     Status::Ok},
    {"UTCI below -50 degC", [] { return UniversalThermalClimateIndex(Vapour(-50.01, 0), -50, 1); },
     Status::OutsideMeasureRange},
    {"UTCI at 50 degC", [] { return UniversalThermalClimateIndex(Vapour(50, 2), 50, 1); },
     Status::Ok},
    {"UTCI above 50 degC", [] { return UniversalThermalClimateIndex(Vapour(50.01, 2), 50, 1); },
     Status::OutsideMeasureRange},
    {"UTCI, radiant 30 K below", [] { return UniversalThermalClimateIndex(Vapour(20, 1), -10, 1); },
     Status::Ok},
    {"UTCI, radiant more than 30 K below",
     [] { return UniversalThermalClimateIndex(Vapour(20, 1), -10.01, 1); },
     Status::OutsideMeasureRange},
    {"UTCI, radiant 70 K above", [] { return UniversalThermalClimateIndex(Vapour(20, 1), 90, 1); },
     Status::Ok},
    {"UTCI, radiant more than 70 K above",
     [] { return UniversalThermalClimateIndex(Vapour(20, 1), 90.01, 1); },
     Status::OutsideMeasureRange},
    {"UTCI at 0.5 m/s", [] { return UniversalThermalClimateIndex(Vapour(20, 1), 20, 0.5); },
     Status::Ok},
    {"UTCI below 0.5 m/s", [] { return UniversalThermalClimateIndex(Vapour(20, 1), 20, 0.49); },
     Status::OutsideMeasureRange},
    {"UTCI at 17 m/s", [] { return UniversalThermalClimateIndex(Vapour(20, 1), 20, 17); },
     Status::Ok},
    {"UTCI above 17 m/s", [] { return UniversalThermalClimateIndex(Vapour(20, 1), 20, 17.01); },
     Status::OutsideMeasureRange},
    {"UTCI at 5 kPa", [] { return UniversalThermalClimateIndex(Vapour(40, 5), 40, 1); },
     Status::Ok},
    {"UTCI above 5 kPa", [] { return UniversalThermalClimateIndex(Vapour(40, 5.01), 40, 1); },
     Status::OutsideMeasureRange},
    {"UTCI without a wind",
     [] { return UniversalThermalClimateIndex(Vapour(20, 1), 20, NotGiven); },
     Status::InvalidInput},
    {"WBGT at 0 degC", [] { return Value(Wbgt(0)); }, Status::Ok},
    {"WBGT below 0 degC", [] { return Value(Wbgt(-0.01)); }, Status::OutsideMeasureRange},
    {"WBGT at 50 degC", [] { return Value(Wbgt(50)); }, Status::Ok},
    {"WBGT above 50 degC", [] { return Value(Wbgt(50.01)); }, Status::OutsideMeasureRange},
    {"WBGT with a negative wind", [] { return Value(Wbgt(30, -1)); }, Status::InvalidInput},
    {"WBGT with negative sunshine", [] { return Value(Wbgt(30, 2, -1)); }, Status::InvalidInput},
    {"WBGT with a cosine above 1", [] { return Value(Wbgt(30, 2, 500, 1.01)); },
     Status::InvalidInput},
    {"WBGT with a direct fraction above 1", [] { return Value(Wbgt(30, 2, 500, 0.7, 1.01)); },
     Status::InvalidInput},
    {"WBGT at night", [] { return Value(Wbgt(30, 2, 0, -0.5)); }, Status::Ok},
    {"WBGT in calm air", [] { return Value(Wbgt(30, 0)); }, Status::Ok},
    {"shade WBGT below 0 degC",
     [] { return Value(WetBulbGlobeTemperatureInShade(Air(-1, 50), StandardPressure, 1)); },
     Status::OutsideMeasureRange},
    {"apparent temperature with a negative wind",
     [] { return ApparentTemperature(Air(20, 50), -0.1); }, Status::InvalidInput},
    {"mean radiant temperature of a globe far colder than the air",
     [] { return MeanRadiantTemperature(Vapour(40, 1), -200, 0.1); }, Status::OutsideMeasureRange},
    {"LCL of saturated air",
     [] {
       return MeasureResult{LiftingCondensationLevelOf(Air(25, 100), 100).height, Status::Ok};
     },
     Status::Ok},
    {"LCL of supersaturated air",
     [] {
       const LiftingCondensationLevel l = LiftingCondensationLevelOf(Air(25, 103), 100);
       return MeasureResult{l.height, l.status};
     },
     Status::OutsideMeasureRange},
    {"LCL of dry air",
     [] {
       const LiftingCondensationLevel l = LiftingCondensationLevelOf(Vapour(25, 0), 100);
       return MeasureResult{l.height, l.status};
     },
     Status::OutsideMeasureRange},
    {"potential temperature at no pressure", [] { return PotentialTemperature(Air(20, 50), 0); },
     Status::InvalidInput},
};

TEST(MeasureRanges, EachEdge) {
  for (const EdgeRow& row : kEdges) {
    const MeasureResult r = row.run();
    EXPECT_EQ(r.status, row.status) << row.what;
    EXPECT_EQ(std::isfinite(r.value), row.status == Status::Ok) << row.what;
  }
}

// The NWS's method changes pieces where Steadman's simple form reaches 80 degF
// and at the adjustments' edges, and steps there: by the humid adjustment,
// which starts at 80 degF with (RH - 85) / 10 * 7 / 5 (2.1 degF in saturated
// air), and by the dry one where the regression takes over in dry air (1.84
// degF at 82.1 degF and 0 percent: -(13 / 4) sqrt(4.1 / 17) against the
// simple form). A step of 0.01 degF moves it by no more anywhere else.
TEST(MeasureProperties, HeatIndexIsContinuousAcrossItsPieces) {
  double largest = 0.0;
  double atHumidEdge = 0.0;
  for (double rh = 0.0; rh <= 100.0; rh += 0.5) {
    double last = NotGiven;
    for (double f = 40.5; f <= 112.0; f += 0.01) {
      const MeasureResult r = HeatIndex(Air((f - 32.0) * 5.0 / 9.0, rh));
      if (r.status != Status::Ok) break;
      const double hi = r.value * 9.0 / 5.0;
      if (!std::isnan(last)) {
        double& jump = std::fabs(f - 80.0) < 0.005 && rh > 85.0 ? atHumidEdge : largest;
        jump = std::fmax(jump, std::fabs(hi - last));
      }
      last = hi;
    }
  }
  EXPECT_LT(largest, 1.85);
  EXPECT_LT(atHumidEdge, 2.1 + 0.05);
}

// The humidex takes the dew point over water, whatever convention the state
// was computed under: a frost point (Phase::Ice, dry air) gives the same value.
TEST(MeasureProperties, HumidexIsTheSameUnderEitherConvention) {
  for (double t = 20.0; t <= 45.0; t += 2.5) {
    for (double rh = 1.0; rh <= 100.0; rh += 3.0) {
      const State overIce = FromDryBulbRelativeHumidity(t, rh, StandardPressure).state;
      const State overWater = Air(t, rh);
      EXPECT_EQ(Humidex(overIce, StandardPressure).value,
                Humidex(overWater, StandardPressure).value)
          << t << " " << rh;
    }
  }
}

TEST(MeasureProperties, HeatIndexRisesWithHumidityInTheTable) {
  for (double f = 80.0; f <= 110.0; f += 0.5) {
    double last = -1e9;
    for (double rh = 40.0; rh <= 100.0; rh += 0.5) {
      const MeasureResult r = HeatIndex(Air((f - 32.0) * 5.0 / 9.0, rh));
      if (r.status != Status::Ok) break;
      EXPECT_GT(r.value, last) << f << " degF " << rh << " %";
      last = r.value;
    }
  }
}

// Rising with the temperature, the humidity and the sun; falling with the wind
// where the sun heats the globe.
TEST(MeasureProperties, MonotoneWhereThePhysicsIs) {
  for (double t = 0.0; t <= 50.0; t += 2.5) {
    for (double rh = 10.0; rh <= 100.0; rh += 15.0) {
      const State air = Air(t, rh);
      const State wetter = Air(t, rh + 5.0 > 100.0 ? 100.0 : rh + 5.0);
      const State warmer = Air(t + 1.0, rh);
      if (t >= 20.0) {
        EXPECT_GT(Humidex(warmer, StandardPressure).value, Humidex(air, StandardPressure).value);
      }
      const GlobeResult dim = WetBulbGlobeTemperature(air, StandardPressure, 2, 200, 0.7);
      const GlobeResult bright = WetBulbGlobeTemperature(air, StandardPressure, 2, 800, 0.7);
      EXPECT_GT(bright.globe, dim.globe) << t << " " << rh;
      EXPECT_GT(bright.wetBulbGlobe, dim.wetBulbGlobe) << t << " " << rh;
      const GlobeResult moist = WetBulbGlobeTemperature(wetter, StandardPressure, 2, 500, 0.7);
      EXPECT_GE(moist.naturalWetBulb,
                WetBulbGlobeTemperature(air, StandardPressure, 2, 500, 0.7).naturalWetBulb);
      // The shade's wick sits between the thermodynamic wet-bulb and the air.
      const GlobeResult shade = WetBulbGlobeTemperatureInShade(air, StandardPressure, 3);
      EXPECT_LE(shade.naturalWetBulb, t + 0.5) << t << " " << rh;
      EXPECT_GE(shade.naturalWetBulb, air.wetBulb - 1.0) << t << " " << rh;
      const LiftingCondensationLevel low = LiftingCondensationLevelOf(wetter, StandardPressure);
      const LiftingCondensationLevel high = LiftingCondensationLevelOf(air, StandardPressure);
      if (rh + 5.0 <= 100.0) {
        EXPECT_LT(low.height, high.height) << t << " " << rh;
      }
      EXPECT_LE(high.temperature, t);
      EXPECT_GE(EquivalentPotentialTemperature(air, StandardPressure).value,
                PotentialTemperature(air, StandardPressure).value - 0.1);
      EXPECT_GE(VirtualTemperature(air).value, t);
    }
  }
}

// No jump along a fine grid of the dry-bulb: a step of 0.01 K moves each by
// less than 0.1 (theta_e rises by 5 K a kelvin in hot humid air).
TEST(MeasureProperties, ContinuousAlongTheDryBulb) {
  const std::vector<const char*> keys = {"humidex", "utci", "wet_bulb_globe_temperature",
                                         "equivalent_potential_temperature"};
  Surroundings around;
  around.windSpeed = 2.0;
  around.meanRadiantTemperature = 35.0;
  around.solarIrradiance = 600.0;
  around.cosZenith = 0.6;
  for (const char* key : keys) {
    const Measure* m = FindMeasure(key);
    double last = NotGiven;
    for (double t = 20.0; t <= 45.0; t += 0.01) {
      const double v = m->compute(Air(t, 40.0), StandardPressure, around).value;
      if (!std::isnan(last)) {
        EXPECT_LT(std::fabs(v - last), 0.1) << key << " at " << t;
      }
      last = v;
    }
  }
}

TEST(MeasureTable, RowsAreConsistent) {
  std::set<std::string_view> keys;
  for (const Measure& m : Measures) {
    EXPECT_TRUE(keys.insert(m.key).second) << m.key;
    EXPECT_NE(m.compute, nullptr) << m.key;
    EXPECT_EQ(FindMeasure(m.key), &m);
    EXPECT_FALSE(m.reference.empty()) << m.key;
    for (const std::string_view input : m.inputs) {
      if (!input.empty()) {
        EXPECT_NE(FindMeasureInput(input), nullptr) << m.key << " " << input;
      }
    }
  }
  for (const MeasureInput& input : MeasureInputs) {
    EXPECT_EQ(FindMeasureInput(input.key), &input);
    // A measure's key is no input's, but for the radiant temperature a UTCI
    // takes, which mean_radiant_temperature computes from a globe.
    if (input.key != "mean_radiant_temperature") {
      EXPECT_EQ(FindMeasure(input.key), nullptr);
    }
  }
  EXPECT_EQ(OutcomeOfCode(static_cast<int>(Status::OutsideMeasureRange)).kind,
            OutcomeClass::Warning);
  EXPECT_EQ(StatusText(Status::OutsideMeasureRange), "outside the measure's range");
}

// The weather of the arrays' test: a grid of each pair's states, past the
// measures' ranges too, with every surrounding input varying.
struct Columns {
  std::vector<double> t, rh, P, wind, radiant, globe, speed, solar, direct, cosine, net;
};

Columns Grid() {
  Columns c;
  for (double t = -55.0; t <= 55.0; t += 3.7) {
    for (double rh = 0.0; rh <= 110.0; rh += 9.5) {
      const double k = static_cast<double>(c.t.size());
      c.t.push_back(t);
      c.rh.push_back(rh);
      c.P.push_back(70.0 + std::fmod(k * 3.1, 35.0));
      c.wind.push_back(std::fmod(k * 0.37, 19.0) - 0.5);
      c.radiant.push_back(t + std::fmod(k * 7.3, 110.0) - 35.0);
      c.globe.push_back(t + std::fmod(k * 1.3, 30.0) - 5.0);
      c.speed.push_back(std::fmod(k * 0.11, 3.0));
      c.solar.push_back(std::fmod(k * 37.0, 1100.0));
      c.direct.push_back(static_cast<int>(k) % 3 == 0 ? NotGiven : std::fmod(k * 0.13, 1.0));
      c.cosine.push_back(std::fmod(k * 0.071, 2.0) - 1.0);
      c.net.push_back(std::fmod(k * 11.0, 500.0));
    }
  }
  c.t.push_back(NotGiven);
  for (auto* v : {&c.rh, &c.P, &c.wind, &c.radiant, &c.globe, &c.speed, &c.solar, &c.direct,
                  &c.cosine, &c.net}) {
    v->push_back(v->front());
  }
  return c;
}

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
         (std::isnan(a) && std::isnan(b));
}

// The second column of each dry-bulb pair for the grid's states: the value the
// relative humidity's state has (the given relative humidity where it has none).
std::vector<double> SecondOf(const Pair& pair, const Columns& c) {
  std::vector<double> second;
  for (std::size_t i = 0; i < c.t.size(); ++i) {
    const Result r = FromDryBulbRelativeHumidity(c.t[i], c.rh[i], c.P[i], kWater);
    const bool known = r.status == Status::Ok;
    if (pair.given[1].member == nullptr) {  // the specific humidity
      const double W = r.state.humidityRatio;
      second.push_back(known ? W / (1.0 + W) : c.rh[i]);
    } else {
      second.push_back(known ? r.state.*pair.given[1].member : c.rh[i]);
    }
  }
  return second;
}

// The rows where ComputeMeasures differs from the pair's and the measure's
// scalar functions (a value's bits or the status), over the grid.
std::size_t Differing(const Measure& measure, const Pair& pair, const Columns& c) {
  SurroundingColumns around;
  const std::vector<const std::vector<double>*> inputs = {&c.wind,  &c.radiant, &c.globe,  &c.speed,
                                                          &c.solar, &c.direct,  &c.cosine, &c.net};
  for (std::size_t i = 0; i < inputs.size(); ++i) around.columns[i] = *inputs[i];
  const std::vector<double> second = SecondOf(pair, c);
  std::vector<MeasureResult> out(c.t.size());
  if (!ComputeMeasures(measure, pair, c.t, second, c.P, around, out, kWater)) return out.size();
  std::size_t differing = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const Result state = pair.compute(c.t[i], second[i], c.P[i], kWater);
    MeasureResult want{NotGiven, state.status};
    if (RulesOf(OutcomeOf(state).kind).computed) {
      Surroundings s;
      for (std::size_t k = 0; k < MeasureInputs.size(); ++k) {
        s.*MeasureInputs[k].member = (*inputs[k])[i];
      }
      want = measure.compute(state.state, c.P[i], s);
      if (want.status == Status::Ok) want.status = state.status;
    }
    if (!SameBits(out[i].value, want.value) || out[i].status != want.status) ++differing;
  }
  return differing;
}

TEST(MeasureArrays, EachStateAsTheScalarFunctionsGiveIt) {
  const Columns c = Grid();
  for (const Pair& pair : Pairs) {
    for (const Measure& measure : Measures) {
      EXPECT_EQ(Differing(measure, pair, c), 0U) << pair.key << " " << measure.key;
    }
  }
}

// The states' lanes on each instruction set Highway built and this CPU runs.
TEST(MeasureArrays, SameBitsOnEveryInstructionSet) {
  const Columns c = Grid();
  for (const std::int64_t target : hwy::SupportedAndGeneratedTargets()) {
    hwy::SetSupportedTargetsForTest(target);
    for (const char* key : {"heat_index", "humidex", "utci", "wet_bulb_globe_temperature"}) {
      EXPECT_EQ(Differing(*FindMeasure(key), Pairs[1], c), 0U)
          << key << " on " << VectorInstructionSet();
    }
  }
  hwy::SetSupportedTargetsForTest(0);
}

TEST(MeasureArrays, SplitsAndSingleValuesGiveTheSameBits) {
  const Columns c = Grid();
  const Measure& utci = *FindMeasure("utci");
  SurroundingColumns whole;
  whole.columns[0] = c.wind;
  whole.columns[1] = c.radiant;
  std::vector<MeasureResult> all(c.t.size());
  ASSERT_TRUE(ComputeMeasures(utci, Pairs[2], c.t, c.rh, c.P, whole, all));
  for (const std::size_t chunk : {1U, 7U, 255U, 256U, 257U}) {
    for (std::size_t from = 0; from < c.t.size(); from += chunk) {
      const std::size_t n = std::min(chunk, c.t.size() - from);
      const auto part = [&](const std::vector<double>& v) {
        return std::span<const double>(v).subspan(from, n);
      };
      SurroundingColumns some;
      some.columns[0] = part(c.wind);
      some.columns[1] = part(c.radiant);
      std::vector<MeasureResult> out(n);
      ASSERT_TRUE(ComputeMeasures(utci, Pairs[2], part(c.t), part(c.rh), part(c.P), some, out));
      for (std::size_t k = 0; k < n; ++k) {
        ASSERT_TRUE(SameBits(out[k].value, all[from + k].value)) << chunk << " " << from + k;
      }
    }
  }
  // One pressure and one wind for every state.
  const std::vector<double> P = {90.0};
  const std::vector<double> wind = {3.0};
  SurroundingColumns single;
  single.columns[0] = wind;
  single.columns[1] = c.radiant;
  std::vector<MeasureResult> out(c.t.size());
  ASSERT_TRUE(ComputeMeasures(utci, Pairs[2], c.t, c.rh, P, single, out));
  for (std::size_t i = 0; i < out.size(); ++i) {
    const Result state = Pairs[2].compute(c.t[i], c.rh[i], 90.0, {});
    if (!RulesOf(OutcomeOf(state).kind).computed) continue;
    ASSERT_TRUE(
        SameBits(out[i].value, UniversalThermalClimateIndex(state.state, c.radiant[i], 3.0).value));
  }
}

TEST(MeasureArrays, LengthsThatDoNotMatchComputeNothing) {
  const std::vector<double> two = {25.0, 30.0};
  const std::vector<double> three = {25.0, 30.0, 35.0};
  std::vector<MeasureResult> out(2);
  SurroundingColumns around;
  EXPECT_FALSE(ComputeMeasures(Measures[0], Pairs[2], two, three, two, around, out));
  EXPECT_FALSE(ComputeMeasures(Measures[0], Pairs[2], two, two, {}, around, out));
  around.columns[0] = three;
  EXPECT_FALSE(ComputeMeasures(Measures[0], Pairs[2], two, two, two, around, out));
  EXPECT_TRUE(std::isnan(out[0].value));
}

}  // namespace
}  // namespace hygrian
