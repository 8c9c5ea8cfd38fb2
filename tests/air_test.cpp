#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

#include "air/calculator/cases.h"
#include "air/calculator/checked.h"
#include "air/calculator/relations.h"

namespace hygrian::air {
namespace {

constexpr double P = StandardPressure;
constexpr double R = kDryAirGasConstant;

// The value of a relation that must not fault.
double V(Checked c) {
  EXPECT_EQ(c.FirstFault(), Fault::None);
  return c.Value();
}
double Kelvin(double celsius) { return celsius + kKelvinOffset; }
double SaturatedRatio(double celsius) {
  return V(HumidityRatioFromPressure(V(SaturationPressure(Kelvin(celsius))), P));
}

// Expects `actual` to show as the published figure `text`: within half a unit of
// its last digit.
void ExpectFigure(double actual, const std::string& text, const std::string& what) {
  const std::size_t dot = text.find('.');
  const int decimals = dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
  EXPECT_NEAR(actual, std::strtod(text.c_str(), nullptr), 0.5 * std::pow(10.0, -decimals)) << what;
}

// Exact: the widened single-precision coefficients. Where a relation exposes a
// coefficient alone (a zero or unit argument), it is read from the relation itself.
TEST(Coefficients, AreSinglePrecisionValuesWidened) {
  const double e = std::exp(1.0);
  const double inverseE = std::exp(-1.0);
  const struct {
    double got, want;
  } rows[] = {
      {kKelvinOffset, 273.1600036621094},
      {V(HumidityRatioFromPressure(1.0, 2.0)), 0.6219800114631653},
      {V(Enthalpy(0.0, 1.0)), 2501.0},
      {V(Enthalpy(1.0, 0.0)), 1.00600004196167},
      {V(SpecificVolume(1.0, 1.0, 1.0, 1.0)) - 1.0, 1.607800006866455},
      {V(HumidityRatioFromWetBulb(0.0, 0.0, 1.0)), 1.0},
  };
  for (const auto& row : rows) EXPECT_EQ(row.got, row.want);
  // The dew-point correlation at ln p = 1 and -1 gives a2 + a1 + a0 and a2 - a1 + a0;
  // double-precision coefficients would miss these by about 1e-6.
  const struct {
    double t, a2, a1, a0;
  } ranges[] = {
      {-5.0, 0.42730000615119934, 12.40999984741211, 5.99399995803833},
      {25.0, 1.0789999961853027, 14.380000114440918, 6.982999801635742},
      {60.0, 1.9910000562667847, 9.477999687194824, 13.800000190734863},
  };
  for (const auto& r : ranges) {
    EXPECT_NEAR(V(DewPointFromPressure(e, r.t)), r.a2 + r.a1 + r.a0, 1e-12) << r.t;
    EXPECT_NEAR(V(DewPointFromPressure(inverseE, r.t)), r.a2 - r.a1 + r.a0, 1e-12) << r.t;
  }
}

TEST(Relations, SaturationPressure) {
  const struct {
    double celsius;
    const char* kPa;
  } rows[] = {
      {0.0, "0.6107"},  {1e-9, "0.6112"}, {-40.0, "0.01282"}, {-10.0, "0.2597"},
      {20.0, "2.3387"}, {25.0, "3.1689"}, {50.0, "12.345"},   {100.0, "101.361"},
  };
  for (const auto& row : rows) {
    ExpectFigure(V(SaturationPressure(Kelvin(row.celsius))), row.kPa, std::to_string(row.celsius));
  }
  EXPECT_LT(SaturatedRatio(100.0), 0.0);
}

TEST(Relations, DewPointAtOneKpaIsA0OfTheDryBulbRange) {
  const struct {
    double t, a0;
  } rows[] = {{-5.0, 5.99399995803833},
              {0.0, 5.99399995803833},
              {25.0, 6.982999801635742},
              {50.0, 6.982999801635742},
              {60.0, 13.800000190734863}};
  for (const auto& row : rows) EXPECT_EQ(V(DewPointFromPressure(1.0, row.t)), row.a0) << row.t;
}

// The square in the dew-point correlation is the library's pow(alpha, 2.0), not
// alpha * alpha: at p = 16.296 kPa the two differ in the last bit, and so does the
// dew point (by multiplication it would be 55.52100710814247).
TEST(Relations, DewPointSquaresWithThePowerFunction) {
  volatile double two = 2.0;  // a visible constant would let the compiler multiply here
  const double alpha = std::log(16.296);
  ASSERT_NE(std::pow(alpha, two), alpha * alpha);
  EXPECT_EQ(V(DewPointFromPressure(16.296, 25.0)), 55.521007108142463);
}

TEST(Relations, PublishedValues) {
  ExpectFigure(V(HumidityRatioFromWetBulb(25.0, 20.0, SaturatedRatio(20.0))), "0.0125990", "W");
  ExpectFigure(V(Enthalpy(25.0, 0.01)), "50.604", "h");
  ExpectFigure(V(SpecificVolume(298.16, 0.01, R, P)), "0.858257", "v");
}

TEST(FindWetBulb, EqualStartsSucceedOnlyWhenAlreadyAtTheRoot) {
  for (const double W : {0.01, SaturatedRatio(25.0)}) {
    const bool atRoot = W != 0.01;
    const WetBulbSearch got = FindWetBulb(25.0, 25.0, W, P);
    EXPECT_EQ(got.found, atRoot);
    EXPECT_EQ(got.passes, 1);
    EXPECT_EQ(got.fault, Fault::None);
    if (atRoot) {
      EXPECT_EQ(got.wetBulb, 25.0);
    }
  }
}

TEST(FindWetBulb, DryBulb25DewPoint15ReturnsOnTheResidualInPassFour) {
  const double W = SaturatedRatio(15.0);
  const WetBulbSearch got = FindWetBulb(25.0, 15.0, W, P);
  EXPECT_TRUE(got.found);
  EXPECT_EQ(got.passes, 4);
  EXPECT_LE(std::fabs(V(WetBulbResidual(25.0, got.wetBulb, W, P))), 1e-6);
  ExpectFigure(got.wetBulb, "18.50", "tw");
  // Given the saturation humidity ratio at the dry-bulb, the search is the same.
  const WetBulbSearch known = FindWetBulb(25.0, 15.0, W, P, SaturatedRatio(25.0));
  EXPECT_EQ(known.passes, 4);
  EXPECT_EQ(known.wetBulb, got.wetBulb);
}

TEST(FindWetBulb, DryBulb25Rh50) {
  MoistAirState s{.dryBulb = 25.0, .relativeHumidity = 50.0};
  ASSERT_EQ(ComputeFromDryRh(P, s).fault, Fault::None);
  ExpectFigure(V(WetBulbResidual(25.0, 25.0, s.humidityRatio, P)), "-0.0101996", "g(25)");
  ExpectFigure(s.dewPoint, "13.8298", "first estimate");
  ExpectFigure(s.dewPoint - 25.0, "-11.1702", "first step");
  const WetBulbSearch got = FindWetBulb(25.0, s.dewPoint, s.humidityRatio, P);
  EXPECT_TRUE(got.found);
  EXPECT_EQ(got.passes, 4);  // the fourth estimate is evaluated in the fourth pass
  ExpectFigure(got.wetBulb, "17.8875", "last estimate");
  EXPECT_NEAR(std::fabs(V(WetBulbResidual(25.0, got.wetBulb, s.humidityRatio, P))), 7.0e-07,
              0.05e-07);

  // The residual carries the secant path through the published estimates.
  const auto g = [&](double x) { return V(WetBulbResidual(25.0, x, s.humidityRatio, P)); };
  const char* const estimates[] = {"17.3106", "17.9362", "17.8875"};
  double before = 25.0;
  double x = s.dewPoint;
  for (const char* expected : estimates) {
    const double next = x + g(x) / (g(before) - g(x)) * (x - before);
    ExpectFigure(next, expected, "estimate");
    before = x;
    x = next;
  }
}

enum class Given { WetBulb, DewPoint, Rh };

struct CaseRow {
  Given given;
  double dryBulb, second;
  // wet-bulb, dew point, RH, h, W, mu, v, pv as published; "-" where not stated.
  const char* figures;
};

// Runs one case on a state holding the two inputs and `wetBulb` as left by an
// earlier pass.
CaseResult RunCase(Given given, double dryBulb, double second, double wetBulb, MoistAirState& s) {
  s = MoistAirState{.dryBulb = dryBulb, .wetBulb = wetBulb};
  switch (given) {
    case Given::WetBulb:
      s.wetBulb = second;
      return ComputeFromDryWet(P, s);
    case Given::DewPoint:
      s.dewPoint = second;
      return ComputeFromDryDew(P, s);
    case Given::Rh:
      s.relativeHumidity = second;
      return ComputeFromDryRh(P, s);
  }
  return {};
}

TEST(Cases, PublishedStates) {
  using G = Given;
  const CaseRow rows[] = {
      {G::WetBulb, 25, 20, "- 17.56 63.48 57.22 0.0125990 0.6274 0.862 2.012"},
      {G::WetBulb, -5, -6, "- -8.20 75.60 -0.37 0.00186869 0.7553 0.762 0.304"},
      {G::WetBulb, 0, 0, "- -0.02 100.00 9.43 0.00377133 1.0000 0.779 0.611"},
      {G::WetBulb, 25, 10, "- -11.00 7.81 - - - - -"},
      {G::DewPoint, 25, 15, "18.50 - 53.82 52.25 0.0106482 0.5303 0.859 1.705"},
      {G::DewPoint, -5, -10, "-6.46 - 64.69 -1.05 0.00159828 0.6460 0.762 0.260"},
      {G::DewPoint, 25, 25, "25.00 - 100.00 - - 1.0000 - -"},
      {G::DewPoint, 20, 30, "27.80 - 181.52 - - 1.8509 - -"},
      {G::Rh, 25, 50, "17.89 13.83 50.00 50.30 0.00988059 0.4921 0.858 1.584"},
      {G::Rh, -5, 80, "-5.82 -7.55 80.00 -0.10 0.00197770 0.7994 0.762 0.321"},
      {G::Rh, 60, 30, "39.72 37.12 30.00 162.08 0.0390104 0.2561 1.003 5.980"},
      {G::Rh, 25, 100, "25.00 25.004 100.00 - - 1.0000 - -"},
      {G::Rh, 20, 150, "25.05 26.73 150.00 - - - - -"},
  };
  for (const CaseRow& row : rows) {
    MoistAirState s;
    const CaseResult result = RunCase(row.given, row.dryBulb, row.second, 12.5, s);
    const std::string name = std::to_string(row.dryBulb) + "/" + std::to_string(row.second);
    const double got[] = {s.wetBulb,        s.dewPoint,      s.relativeHumidity,
                          s.enthalpy,       s.humidityRatio, s.degreeOfSaturation,
                          s.specificVolume, s.vaporPressure};
    std::istringstream figures(row.figures);
    std::string figure;
    for (const double value : got) {
      ASSERT_TRUE(figures >> figure) << name;
      if (figure != "-") ExpectFigure(value, figure, name + " " + figure);
    }
    EXPECT_EQ(s.dryBulb, row.dryBulb) << name;
    const double input = row.given == Given::WetBulb ? s.wetBulb : s.dewPoint;
    if (row.given != Given::Rh) {
      EXPECT_EQ(input, row.second) << name;
    }
    EXPECT_EQ(result.fault, Fault::None) << name;
    EXPECT_FALSE(result.gaveUp) << name;
  }
}

TEST(Cases, FailedSearchKeepsThePreviousWetBulb) {
  for (const double prior : {12.5, 0.0}) {
    MoistAirState s;
    const CaseResult result = RunCase(Given::DewPoint, 100.0, 100.0, prior, s);
    EXPECT_TRUE(result.gaveUp);
    EXPECT_EQ(result.fault, Fault::None);
    EXPECT_EQ(s.wetBulb, prior);
    ExpectFigure(s.vaporPressure, "101.361", "pv");
    EXPECT_LT(s.humidityRatio, 0.0);
  }
}

struct FaultRow {
  const char* name;
  Fault fault;  // Fault::None: no fault
};

// The first fault of each case, in the order the relations compute.
TEST(Faults, FirstFaultOfACase) {
  using F = Fault;
  const struct {
    Given given;
    double dryBulb, second;
    FaultRow expected;
  } rows[] = {
      {Given::Rh, 25, 0, {"RH 0: ln 0 in the dew point", F::LogSingularity}},
      {Given::Rh, 25, -10, {"RH -10: ln of a negative pressure", F::LogDomain}},
      {Given::WetBulb, 25, 5, {"wet-bulb 5: negative humidity ratio", F::LogDomain}},
      {Given::WetBulb, 25, 10, {"wet-bulb 10", F::None}},
      {Given::WetBulb, 10000, 20, {"dry-bulb 10000", F::ExpOverflow}},
      {Given::WetBulb, 1e78, 20, {"dry-bulb 1e78", F::PowerOverflow}},
      {Given::DewPoint, -268, 0, {"-268/dew 0", F::DivideByZero}},
      {Given::Rh, -268, 50, {"-268/RH 50", F::Invalid}},
      // Zero kelvin: the division comes before the logarithm.
      {Given::WetBulb, 20, -273.1600036621094, {"wet-bulb at 0 K", F::DivideByZero}},
      // Near 8.5 K the saturation humidity ratio is subnormal and the degree of
      // saturation overflows.
      {Given::WetBulb, -264.66, 0, {"dry-bulb 8.5 K", F::Overflow}},
  };
  for (const auto& row : rows) {
    MoistAirState s;
    EXPECT_EQ(RunCase(row.given, row.dryBulb, row.second, 0.0, s).fault, row.expected.fault)
        << row.expected.name;
  }
}

TEST(Faults, CheckedOperations) {
  using F = Fault;
  const struct {
    const char* name;
    Checked got;
    Fault fault;
    double value;  // compared when there is no fault
  } rows[] = {
      {"ice at 0 K", SaturationPressureOverIce(0.0), F::DivideByZero, 0},
      // Faults whose infinity a plain evaluation would lose: 6238.64 / T
      // overflows, and exp(-inf) would be 0; P - p overflows, and p / inf would be 0.
      {"ice at 1e-310 K", SaturationPressureOverIce(1e-310), F::Overflow, 0},
      {"water at 1e-310 K", SaturationPressureOverWater(1e-310), F::Overflow, 0},
      {"P - p overflows", HumidityRatioFromPressure(-1e308, 1e308), F::Overflow, 0},
      {"1e308+1e308", Checked(1e308) + 1e308, F::Overflow, 0},
      {"-1e308-1e308", Checked(-1e308) - 1e308, F::Overflow, 0},
      {"1e-308*1e-100 underflows silently", Checked(1e-308) * 1e-100, F::None, 0.0},
      {"ln 0", Log(0.0), F::LogSingularity, 0},
      {"ln -0", Log(-0.0), F::LogSingularity, 0},
      {"ln -1", Log(-1.0), F::LogDomain, 0},
      {"ln 1", Log(1.0), F::None, 0.0},
      {"exp(710)", Exp(710.0), F::ExpOverflow, 0},
      {"exp(-800) underflows silently", Exp(-800.0), F::None, 0.0},
      {"(-2)**2", Pow(-2.0, 2.0), F::None, 4.0},
      {"(-2)**0.5", Pow(-2.0, 0.5), F::PowerDomain, 0},
      {"0**-1", Pow(0.0, -1.0), F::PowerSingularity, 0},
      {"1e78**4", Pow(1e78, 4.0), F::PowerOverflow, 0},
      // A fault is carried on: the left operand's, else the right one's.
      {"carried left", Log(0.0) + Exp(710.0), F::LogSingularity, 0},
      {"carried right", Checked(1.0) * Exp(710.0), F::ExpOverflow, 0},
      {"carried by ln", Log(Checked(1.0) / 0.0), F::DivideByZero, 0},
      {"carried by exp", Exp(Log(-1.0)), F::LogDomain, 0},
      {"carried by pow", Pow(Checked(0.0) / 0.0, 2.0), F::Invalid, 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.got.FirstFault(), row.fault) << row.name;
    if (row.fault == F::None) {
      EXPECT_EQ(row.got.Value(), row.value) << row.name;
    }
  }
}

// The latch keeps the fault of the earliest step, even when a later step faults
// on the meaningless value that the first fault left.
TEST(Faults, LatchKeepsTheFirstFaultInStepOrder) {
  FaultLatch first;
  EXPECT_EQ(first(Checked(2.0) * 3.0), 6.0);
  EXPECT_TRUE(first.Ok());
  const double broken = first(Log(-1.0));
  first(Checked(1.0) / 0.0);
  EXPECT_EQ(first.Finish(Exp(broken)).FirstFault(), Fault::LogDomain);
}

TEST(Faults, Texts) {
  const struct {
    Fault fault;
    const char* text;
  } rows[] = {
      {Fault::None, ""},
      {Fault::Invalid, "floating-point error: invalid"},
      {Fault::DivideByZero, "floating-point error: divide by zero"},
      {Fault::Overflow, "floating-point error: overflow"},
      {Fault::LogDomain, "log: DOMAIN error"},
      {Fault::LogSingularity, "log: SING error"},
      {Fault::ExpOverflow, "exp: OVERFLOW error"},
      {Fault::PowerDomain, "**: DOMAIN error"},
      {Fault::PowerSingularity, "**: SING error"},
      {Fault::PowerOverflow, "**: OVERFLOW error"},
  };
  for (const auto& row : rows) EXPECT_EQ(FaultText(row.fault), row.text);
}

}  // namespace
}  // namespace hygrian::air
