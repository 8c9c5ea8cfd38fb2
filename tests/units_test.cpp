// The units table: factors against their exact definitions, round trips over a
// grid, the spellings each unit accepts and refuses, the IP enthalpy datum and
// the hints that tell a value in one unit labelled as another.
#include "hygrian/units.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "hygrian/psychrometrics.h"

namespace hygrian {
namespace {

const Unit& UnitOf(Quantity quantity, std::string_view key) {
  const Unit* unit = FindUnit(quantity, key);
  EXPECT_NE(unit, nullptr) << key;
  return unit != nullptr ? *unit : Units[0];
}

// A value in a unit and the same in the library's unit, worked by hand from the
// definitions (1 lb = 0.45359237 kg, 1 ft = 0.3048 m, 1 Btu = 1.05505585262 kJ,
// 1 psi = 6.894757293168361 kPa, 1 inHg = 3.386389 kPa, 7000 grains = 1 lb).
struct Conversion {
  Quantity quantity;
  std::string_view key;
  double value;
  double library;
};

constexpr std::array<Conversion, 26> kConversions = {{
    {Quantity::Temperature, "degF", 212, 100},
    {Quantity::Temperature, "degF", -40, -40},
    {Quantity::Temperature, "K", 0, -273.15},
    {Quantity::Temperature, "degR", 671.67, 100},
    {Quantity::Pressure, "hPa", 1013.25, 101.325},
    {Quantity::Pressure, "Pa", 101325, 101.325},
    {Quantity::Pressure, "psi", 1, 6.894757293168361},
    {Quantity::Pressure, "inHg", 29.92, 101.32075888},
    {Quantity::RelativeHumidity, "1", 0.45, 45},
    {Quantity::MassRatio, "g/kg", 12.5, 0.0125},
    {Quantity::MassRatio, "grains/lb", 7000, 1},
    {Quantity::Enthalpy, "J/kg", 52250, 52.25},
    {Quantity::Enthalpy, "Btu/lb", 7.68, 0},       // dry air at 32 degF
    {Quantity::Enthalpy, "Btu/lb", 17.68, 23.26},  // 1 Btu/lb is 2.326 kJ/kg
    {Quantity::SpecificVolume, "ft3/lb", 1, 0.06242796057614461},
    {Quantity::Length, "ft", 5000, 1524},
    {Quantity::MassFlow, "kg/h", 3600, 1},
    {Quantity::MassFlow, "lb/h", 3600, 0.45359237},
    {Quantity::VolumeFlow, "m3/h", 3600, 1},
    {Quantity::VolumeFlow, "L/s", 1000, 1},
    {Quantity::VolumeFlow, "cfm", 60, 0.028316846592},  // 1 ft3/s
    {Quantity::Power, "W", 1000, 1},
    {Quantity::Power, "Btu/h", 3600, 1.05505585262},
    {Quantity::Power, "MBH", 3.6, 1.05505585262},
    {Quantity::Power, "ton", 1, 3.5168528420666667},  // 12,000 Btu/h
    {Quantity::Power, "ton", 3, 10.55055852620},
}};

// Standard air, 1.2 kg/m3 in SI and 0.075 lb/ft3 in IP: 0.075 * 0.45359237 /
// 0.3048^3 = 1.20138475 kg/m3; none for a unit that is no volume flow.
TEST(Units, StandardAirDensities) {
  EXPECT_EQ(StandardAirDensity(UnitOf(Quantity::VolumeFlow, "m3/s")), 1.2);
  EXPECT_EQ(StandardAirDensity(UnitOf(Quantity::VolumeFlow, "L/s")), 1.2);
  EXPECT_NEAR(StandardAirDensity(UnitOf(Quantity::VolumeFlow, "cfm")), 1.2013847530470103, 1e-15);
  EXPECT_EQ(StandardAirDensity(UnitOf(Quantity::MassFlow, "kg/s")), 0.0);
}

// Within a few rounding errors of the larger of the two sides' magnitudes.
void ExpectNear(double got, double want, double scale, const std::string& name) {
  EXPECT_LE(std::fabs(got - want), 1e-15 * std::max({std::fabs(want), scale, 1e-300})) << name;
}

TEST(Units, FactorsAreTheExactDefinitions) {
  for (const Conversion& c : kConversions) {
    const Unit& unit = UnitOf(c.quantity, c.key);
    const std::string name = std::string(c.key) + " " + std::to_string(c.value);
    ExpectNear(ToLibrary(unit, c.value), c.library, ToLibrary(unit, 0.0), name);
    ExpectNear(FromLibrary(unit, c.library), c.value, unit.zero, name);
  }
}

TEST(Units, RoundTripsOverAGrid) {
  constexpr std::array kValues = {-1e6,    -459.67, -273.15, -40.0,  -1.0,     -1e-9, 0.0,
                                  1e-12,   1e-3,    0.00523, 0.5,    1.0,      7.68,  32.0,
                                  101.325, 212.0,   1013.25, 7000.0, 101325.0, 1e6,   1e100};
  for (const Unit& unit : Units) {
    const double libraryZero = std::fabs(ToLibrary(unit, 0.0));
    for (const double v : kValues) {
      const std::string name = std::string(unit.key) + " " + std::to_string(v);
      EXPECT_LE(std::fabs(FromLibrary(unit, ToLibrary(unit, v)) - v),
                1e-12 * std::max(std::fabs(v), std::fabs(unit.zero)))
          << name;
      EXPECT_LE(std::fabs(ToLibrary(unit, FromLibrary(unit, v)) - v),
                1e-12 * std::max(std::fabs(v), libraryZero))
          << name;
    }
  }
}

// Every spelling names its own unit and no other of its quantity ("1" is a
// fraction, a mass ratio and a pure number); each quantity's library, IP and CF
// spellings name one. (What is forgiven and what refused: python/tests.)
TEST(Units, EverySpellingNamesOneUnit) {
  for (const Unit& unit : Units) {
    for (const auto* spellings : {&unit.symbols, &unit.words}) {
      for (const std::string_view text : *spellings) {
        if (text.empty()) continue;
        EXPECT_EQ(FindUnit(unit.quantity, text), &unit) << text;
        for (const Unit& other : Units) {
          EXPECT_TRUE(&other == &unit || other.quantity != unit.quantity || !Spells(other, text))
              << text << " " << other.key;
        }
      }
    }
    EXPECT_EQ(FindUnit(unit.quantity, unit.key), &unit) << unit.key;
  }
  for (const QuantityUnits& q : Quantities) {
    for (const std::string_view text : {q.library, q.ip, q.cf}) {
      EXPECT_NE(FindUnit(q.quantity, text), nullptr) << q.key << " " << text;
    }
  }
}

// The handbook's IP example 1 (ASHRAE Handbook-Fundamentals 2017 ch. 1, IP
// edition): 100 degF dry-bulb, 65 degF wet-bulb at 14.696 psia give W = 0.00523
// lb/lb, h = 29.80 Btu/lb and v = 14.22 ft3/lb, to their printed digits. The
// figures are the handbook model's (the default). The printed volume is cut, not
// rounded: the handbook's own eq. 26 with the example's W = 0.00523 gives
// 14.228, so it is held to 0.01.
TEST(Units, HandbookIpExampleOne) {
  const Unit& degF = UnitOf(Quantity::Temperature, "degF");
  const Unit& psi = UnitOf(Quantity::Pressure, "psi");
  const Result r =
      FromDryBulbWetBulb(ToLibrary(degF, 100.0), ToLibrary(degF, 65.0), ToLibrary(psi, 14.696));
  ASSERT_EQ(r.status, Status::Ok);
  EXPECT_NEAR(FromLibrary(UnitOf(Quantity::MassRatio, "lb/lb"), r.state.humidityRatio), 0.00523,
              0.000005);
  EXPECT_NEAR(FromLibrary(UnitOf(Quantity::Enthalpy, "Btu/lb"), r.state.enthalpy), 29.80, 0.005);
  EXPECT_NEAR(FromLibrary(UnitOf(Quantity::SpecificVolume, "ft3/lb"), r.state.specificVolume),
              14.22, 0.01);
}

// Values labelled in a unit, the least and greatest of a block, and the unit they
// are likely in (empty: no hint).
struct Hint {
  Quantity quantity;
  std::string_view labelled;
  double least, greatest;
  std::string_view likely;
};

constexpr std::array<Hint, 11> kHints = {{
    {Quantity::Temperature, "K", 20, 35, "degC"},  // t2m - 273.15 that kept its units
    {Quantity::Temperature, "K", 250, 300, ""},
    {Quantity::Temperature, "degF", 250, 320, "K"},
    {Quantity::Pressure, "hPa", 95000, 102000, "Pa"},
    {Quantity::Pressure, "kPa", 14.7, 14.7, "psi"},
    {Quantity::Pressure, "kPa", 29.92, 30.1, "inHg"},  // a US barometer's reading
    {Quantity::Pressure, "kPa", 33, 101.3, ""},
    {Quantity::RelativeHumidity, "1", 20, 95, "%"},
    {Quantity::RelativeHumidity, "%", 0.2, 0.9, "1"},
    {Quantity::MassRatio, "kg/kg", 5, 15, "g/kg"},
    {Quantity::MassRatio, "kg/kg", 0.005, 0.015, ""},
}};

TEST(Units, HintsNameTheLikelyUnit) {
  for (const Hint& h : kHints) {
    const Unit* likely = LikelyUnit(UnitOf(h.quantity, h.labelled), h.least, h.greatest);
    EXPECT_EQ(likely != nullptr ? likely->key : std::string_view(), h.likely)
        << h.labelled << " " << h.least << " to " << h.greatest;
  }
  const double nan = std::nan("");
  EXPECT_EQ(LikelyUnit(UnitOf(Quantity::Temperature, "K"), nan, nan), nullptr);
}

}  // namespace
}  // namespace hygrian
