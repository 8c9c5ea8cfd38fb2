#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

#include "air/cases.h"
#include "air/checked.h"
#include "air/relations.h"

namespace hygrian::air {
namespace {

constexpr double P = StandardPressure;
constexpr double R = DryAirGasConstant;

double Wide(float value) { return static_cast<double>(value); }
double Kelvin(double celsius) { return celsius + KelvinOffset; }
double SaturatedRatio(double celsius) {
  return HumidityRatioFromPressure(SaturationPressure(Kelvin(celsius)), P);
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
      {KelvinOffset, 273.1600036621094},
      {HumidityRatioFromPressure(1.0, 2.0), 0.6219800114631653},
      {Enthalpy(0.0, 1.0), 2501.0},
      {Enthalpy(1.0, 0.0), 1.00600004196167},
      {SpecificVolume(1.0, 1.0, 1.0, 1.0) - 1.0, 1.607800006866455},
      {HumidityRatioFromWetBulb(0.0, 0.0, 1.0), 1.0},
      {Wide(2.411F), 2.4110000133514404},
      {Wide(1.775F), 1.774999976158142},
      {Wide(4.186F), 4.185999870300293},
      {Wide(24.2779F), 24.27790069580078},
      {Wide(6238.64F), 6238.64013671875},
      {Wide(0.344438F), 0.34443798661231995},
      {Wide(7511.52F), 7511.52001953125},
      {Wide(0.02399897F), 0.023998970165848732},
      {Wide(89.63121F), 89.63121032714844},
      {Wide(12.150799F), 12.150798797607422},
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
    EXPECT_NEAR(DewPointFromPressure(e, r.t), r.a2 + r.a1 + r.a0, 1e-12) << r.t;
    EXPECT_NEAR(DewPointFromPressure(inverseE, r.t), r.a2 - r.a1 + r.a0, 1e-12) << r.t;
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
    ExpectFigure(SaturationPressure(Kelvin(row.celsius)), row.kPa, std::to_string(row.celsius));
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
  for (const auto& row : rows) EXPECT_EQ(DewPointFromPressure(1.0, row.t), row.a0) << row.t;
}

TEST(Relations, PublishedValues) {
  ExpectFigure(HumidityRatioFromWetBulb(25.0, 20.0, SaturatedRatio(20.0)), "0.0125990", "W");
  ExpectFigure(Enthalpy(25.0, 0.01), "50.604", "h");
  ExpectFigure(SpecificVolume(298.16, 0.01, R, P), "0.858257", "v");
}

TEST(FindWetBulb, EqualStartsSucceedOnlyWhenAlreadyAtTheRoot) {
  for (const double W : {0.01, SaturatedRatio(25.0)}) {
    const bool atRoot = W != 0.01;
    int notices = 0;
    double tw = 12.5;
    const WetBulbSearch got = FindWetBulb(25.0, 25.0, tw, W, P, [&] { ++notices; });
    EXPECT_EQ(got.found, atRoot);
    EXPECT_EQ(got.passes, 1);
    EXPECT_EQ(notices, atRoot ? 0 : 1);
    EXPECT_EQ(tw, atRoot ? 25.0 : 12.5);
  }
}

TEST(FindWetBulb, DryBulb25DewPoint15ReturnsOnTheResidualInPassFour) {
  const double W = SaturatedRatio(15.0);
  double tw = 0.0;
  const WetBulbSearch got = FindWetBulb(25.0, 15.0, tw, W, P, nullptr);
  EXPECT_TRUE(got.found);
  EXPECT_EQ(got.passes, 4);
  EXPECT_LE(std::fabs(WetBulbResidual(25.0, tw, W, P)), 1e-6);
  ExpectFigure(tw, "18.50", "tw");
}

TEST(FindWetBulb, DryBulb25Rh50) {
  MoistAirState s{.dryBulb = 25.0, .relativeHumidity = 50.0};
  ComputeFromDryRh(P, R, s, nullptr);
  ExpectFigure(WetBulbResidual(25.0, 25.0, s.humidityRatio, P), "-0.0101996", "g(25)");
  ExpectFigure(s.dewPoint, "13.8298", "first estimate");
  ExpectFigure(s.dewPoint - 25.0, "-11.1702", "first step");
  double tw = 0.0;
  const WetBulbSearch got = FindWetBulb(25.0, s.dewPoint, tw, s.humidityRatio, P, nullptr);
  EXPECT_TRUE(got.found);
  EXPECT_EQ(got.passes, 4);  // the fourth estimate is evaluated in the fourth pass
  ExpectFigure(tw, "17.8875", "last estimate");
  EXPECT_NEAR(std::fabs(WetBulbResidual(25.0, tw, s.humidityRatio, P)), 7.0e-07, 0.05e-07);

  // The residual carries the secant path through the published estimates.
  const auto g = [&](double x) { return WetBulbResidual(25.0, x, s.humidityRatio, P); };
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
// earlier pass; counts the give-up notices.
MoistAirState RunCase(Given given, double dryBulb, double second, double wetBulb, int& notices) {
  MoistAirState s{.dryBulb = dryBulb, .wetBulb = wetBulb};
  const GiveUpNotice notice = [&notices] { ++notices; };
  switch (given) {
    case Given::WetBulb:
      s.wetBulb = second;
      ComputeFromDryWet(P, R, s);
      break;
    case Given::DewPoint:
      s.dewPoint = second;
      ComputeFromDryDew(P, R, s, notice);
      break;
    case Given::Rh:
      s.relativeHumidity = second;
      ComputeFromDryRh(P, R, s, notice);
      break;
  }
  return s;
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
    int notices = 0;
    const MoistAirState s = RunCase(row.given, row.dryBulb, row.second, 12.5, notices);
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
    EXPECT_EQ(notices, 0) << name;
  }
}

TEST(Cases, FailedSearchKeepsThePreviousWetBulb) {
  for (const double prior : {12.5, 0.0}) {
    int notices = 0;
    const MoistAirState s = RunCase(Given::DewPoint, 100.0, 100.0, prior, notices);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(s.wetBulb, prior);
    ExpectFigure(s.vaporPressure, "101.361", "pv");
    EXPECT_LT(s.humidityRatio, 0.0);
  }
}

std::optional<Fault> FaultOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const FaultError& error) {
    return error.fault;
  }
  return std::nullopt;
}

TEST(Faults, FirstFaultIsReported) {
  const auto wet = [](double t, double tw) {
    return [=] {
      MoistAirState s{.dryBulb = t, .wetBulb = tw};
      ComputeFromDryWet(P, R, s);
    };
  };
  const auto dew = [](double t, double td) {
    return [=] {
      MoistAirState s{.dryBulb = t, .dewPoint = td};
      ComputeFromDryDew(P, R, s, nullptr);
    };
  };
  const auto rh = [](double t, double percent) {
    return [=] {
      MoistAirState s{.dryBulb = t, .relativeHumidity = percent};
      ComputeFromDryRh(P, R, s, nullptr);
    };
  };
  using F = Fault;
  const struct {
    const char* name;
    std::function<void()> run;
    std::optional<Fault> fault;
  } rows[] = {
      {"RH 0", rh(25, 0), F::LogSingularity},
      {"wet-bulb 5", wet(25, 5), F::LogDomain},
      {"wet-bulb 10", wet(25, 10), std::nullopt},
      {"dry-bulb 10000", wet(10000, 20), F::ExpOverflow},
      {"dry-bulb 1e78", wet(1e78, 20), F::PowerOverflow},
      {"ice at 0 K", [] { SaturationPressureOverIce(0.0); }, F::DivideByZero},
      {"water at 0 K", [] { SaturationPressureOverWater(0.0); }, F::DivideByZero},
      {"-268/dew 0", dew(-268, 0), F::DivideByZero},
      {"-268/RH 50", rh(-268, 50), F::Invalid},
      {"0/0", [] { Checked(0.0) / 0.0; }, F::Invalid},
      {"1/0", [] { Checked(1.0) / 0.0; }, F::DivideByZero},
      {"1e308*10", [] { Checked(1e308) * 10.0; }, F::Overflow},
      {"1e-308*1e-100", [] { EXPECT_EQ((Checked(1e-308) * 1e-100).Value(), 0.0); }, std::nullopt},
      {"exp(-800)", [] { EXPECT_EQ(Exp(-800.0).Value(), 0.0); }, std::nullopt},
      {"(-2)**2", [] { EXPECT_EQ(Pow(-2.0, 2.0).Value(), 4.0); }, std::nullopt},
  };
  for (const auto& row : rows) EXPECT_EQ(FaultOf(row.run), row.fault) << row.name;
}

TEST(Faults, LogOfNegativeVapourPressureLeavesTheFraction) {
  MoistAirState s{.dryBulb = 25.0, .relativeHumidity = -10.0};
  EXPECT_EQ(FaultOf([&] { ComputeFromDryRh(P, R, s, nullptr); }), Fault::LogDomain);
  ExpectFigure(s.relativeHumidity, "-0.1", "fraction");
}

}  // namespace
}  // namespace hygrian::air
