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

#include "hygrian/properties.h"
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

constexpr std::array<Conversion, 25> kConversions = {{
    {Quantity::Temperature, "degF", 212, 100},
    {Quantity::Temperature, "degF", 32, 0},
    {Quantity::Temperature, "degF", -40, -40},
    {Quantity::Temperature, "K", 0, -273.15},
    {Quantity::Temperature, "K", 298.15, 25},
    {Quantity::Temperature, "degR", 491.67, 0},
    {Quantity::Temperature, "degR", 671.67, 100},
    {Quantity::Pressure, "hPa", 1013.25, 101.325},
    {Quantity::Pressure, "Pa", 101325, 101.325},
    {Quantity::Pressure, "mbar", 1013.25, 101.325},
    {Quantity::Pressure, "psi", 1, 6.894757293168361},
    {Quantity::Pressure, "inHg", 29.92, 101.32075888},
    {Quantity::RelativeHumidity, "1", 0.45, 45},
    {Quantity::MassRatio, "g/kg", 12.5, 0.0125},
    {Quantity::MassRatio, "lb/lb", 0.00523, 0.00523},
    {Quantity::MassRatio, "grains/lb", 7000, 1},
    {Quantity::MassRatio, "grains/lb", 36.61, 0.00523},
    {Quantity::Enthalpy, "J/kg", 52250, 52.25},
    {Quantity::Enthalpy, "Btu/lb", 7.68, 0},       // dry air at 32 degF
    {Quantity::Enthalpy, "Btu/lb", 17.68, 23.26},  // 1 Btu/lb is 2.326 kJ/kg
    {Quantity::Enthalpy, "Btu/lb", 29.80, 51.45112},
    {Quantity::SpecificVolume, "ft3/lb", 1, 0.06242796057614461},
    {Quantity::SpecificVolume, "ft3/lb", 14.22, 0.8877255993927764},
    {Quantity::SpecificVolume, "m3/kg", 0.859, 0.859},
    {Quantity::Dimensionless, "1", 0.5303, 0.5303},
}};

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

// A text written for a quantity and the key of the unit it names (empty: none).
struct Spelling {
  Quantity quantity;
  std::string_view text;
  std::string_view key;
};

constexpr std::array<Spelling, 34> kSpellings = {{
    {Quantity::Temperature, "degC", "degC"},
    {Quantity::Temperature, "°C", "degC"},
    {Quantity::Temperature, "deg_C", "degC"},
    {Quantity::Temperature, "degrees_Celsius", "degC"},
    {Quantity::Temperature, "Degrees Celsius", "degC"},
    {Quantity::Temperature, "celsius", "degC"},
    {Quantity::Temperature, "K ", "K"},
    {Quantity::Temperature, "\tdegK", "K"},
    {Quantity::Temperature, "deg_K", "K"},
    {Quantity::Temperature, "Kelvin", "K"},
    {Quantity::Temperature, "k", ""},
    {Quantity::Temperature, "°F", "degF"},
    {Quantity::Temperature, "F", "degF"},
    {Quantity::Temperature, "FAHRENHEIT", "degF"},
    {Quantity::Temperature, "°R", "degR"},
    {Quantity::Temperature, "%", ""},
    {Quantity::Pressure, "pascal", "Pa"},
    {Quantity::Pressure, "hectopascal", "hPa"},
    {Quantity::Pressure, "hpa", "hPa"},
    {Quantity::Pressure, "millibar", "mbar"},
    {Quantity::Pressure, "psia", "psi"},
    {Quantity::Pressure, "inches of mercury", "inHg"},
    {Quantity::Pressure, "mPa", ""},  // a prefixed symbol's case is never forgiven
    {Quantity::Pressure, "MPa", ""},
    {Quantity::Pressure, "F", ""},
    {Quantity::RelativeHumidity, "percent", "%"},
    {Quantity::RelativeHumidity, "1", "1"},
    {Quantity::MassRatio, "1", "kg/kg"},
    {Quantity::MassRatio, "kg kg**-1", "kg/kg"},
    {Quantity::MassRatio, "g kg-1", "g/kg"},
    {Quantity::MassRatio, "gr/lb", "grains/lb"},
    {Quantity::Enthalpy, "BTU/lb", "Btu/lb"},
    {Quantity::SpecificVolume, "ft³/lb", "ft3/lb"},
    {Quantity::SpecificVolume, "m3 kg-1", "m3/kg"},
}};

TEST(Units, Spellings) {
  for (const Spelling& s : kSpellings) {
    const Unit* unit = FindUnit(s.quantity, s.text);
    EXPECT_EQ(unit != nullptr ? unit->key : std::string_view(), s.key) << s.text;
  }
}

// Every spelling names its own unit and no other of its quantity ("1" is a
// fraction, a mass ratio and a pure number).
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
}

// Each quantity's spellings name units of it, the library's first and exact, and
// every property's unit is a quantity's library unit.
TEST(Units, EachQuantityHasItsThreeSystems) {
  for (std::size_t k = 0; k < Quantities.size(); ++k) {
    const QuantityUnits& q = Quantities[k];
    EXPECT_EQ(static_cast<std::size_t>(q.quantity), k) << q.key;
    const Unit* library = FindUnit(q.quantity, q.library);
    ASSERT_NE(library, nullptr) << q.key;
    EXPECT_TRUE(library->numerator == 1 && library->denominator == 1 && library->zero == 0);
    const auto first = std::find_if(Units.begin(), Units.end(),
                                    [&](const Unit& u) { return u.quantity == q.quantity; });
    EXPECT_EQ(&*first, library) << q.key;
    EXPECT_NE(FindUnit(q.quantity, q.ip), nullptr) << q.key;
    EXPECT_NE(FindUnit(q.quantity, q.cf), nullptr) << q.key;
  }
  for (const Property& p : Properties) {
    EXPECT_NE(QuantityOfLibraryUnit(p.unit), nullptr) << p.key;
  }
}

// Dry air at 32 degF is 7.68 Btu/lb (0.240 x 32 in the handbook's IP relation):
// 1e-12 kg/kg, as dry as the relations take, adds 2.5e-9 kJ/kg.
TEST(Units, IpEnthalpyOfDryAirAtFreezing) {
  const Unit& degF = UnitOf(Quantity::Temperature, "degF");
  const Unit& btu = UnitOf(Quantity::Enthalpy, "Btu/lb");
  const Result r = FromDryBulbHumidityRatio(ToLibrary(degF, 32.0), 1e-12, StandardPressure);
  ASSERT_EQ(r.status, Status::Ok);
  EXPECT_NEAR(FromLibrary(btu, r.state.enthalpy), 7.68, 1e-8);
}

// The handbook's IP example 1 (ASHRAE Handbook-Fundamentals 2017 ch. 1, IP
// edition): 100 degF dry-bulb, 65 degF wet-bulb at 14.696 psia give W = 0.00523
// lb/lb, h = 29.80 Btu/lb and v = 14.22 ft3/lb, to their printed digits. The
// figures are the handbook model's; enable it when the model lands and is chosen
// here.
TEST(Units, DISABLED_HandbookIpExampleOne) {
  const Unit& degF = UnitOf(Quantity::Temperature, "degF");
  const Unit& psi = UnitOf(Quantity::Pressure, "psi");
  const Result r =
      FromDryBulbWetBulb(ToLibrary(degF, 100.0), ToLibrary(degF, 65.0), ToLibrary(psi, 14.696));
  ASSERT_EQ(r.status, Status::Ok);
  EXPECT_NEAR(FromLibrary(UnitOf(Quantity::MassRatio, "lb/lb"), r.state.humidityRatio), 0.00523,
              0.000005);
  EXPECT_NEAR(FromLibrary(UnitOf(Quantity::Enthalpy, "Btu/lb"), r.state.enthalpy), 29.80, 0.005);
  EXPECT_NEAR(FromLibrary(UnitOf(Quantity::SpecificVolume, "ft3/lb"), r.state.specificVolume),
              14.22, 0.005);
}

// Values labelled in a unit, the least and greatest of a block, and the unit they
// are likely in (empty: no hint).
struct Hint {
  Quantity quantity;
  std::string_view labelled;
  double least, greatest;
  std::string_view likely;
};

constexpr std::array<Hint, 18> kHints = {{
    {Quantity::Temperature, "K", 20, 35, "degC"},  // t2m - 273.15 that kept its units
    {Quantity::Temperature, "K", 250, 300, ""},
    {Quantity::Temperature, "degC", 270, 310, "K"},
    {Quantity::Temperature, "degC", -5, 35, ""},
    {Quantity::Temperature, "degF", 250, 320, "K"},
    {Quantity::Temperature, "degF", 20, 95, ""},
    {Quantity::Pressure, "hPa", 95000, 102000, "Pa"},
    {Quantity::Pressure, "hPa", 950, 1020, ""},
    {Quantity::Pressure, "kPa", 1013.25, 1013.25, "hPa"},
    {Quantity::Pressure, "kPa", 14.7, 14.7, "psi"},
    {Quantity::Pressure, "Pa", 101.325, 101.325, "kPa"},
    {Quantity::Pressure, "kPa", 1e6, 1e6, ""},  // no unit fits
    {Quantity::RelativeHumidity, "1", 20, 95, "%"},
    {Quantity::RelativeHumidity, "1", 0.2, 1.02, ""},
    {Quantity::RelativeHumidity, "%", 0.2, 0.9, "1"},
    {Quantity::RelativeHumidity, "%", 0.2, 45, ""},
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
