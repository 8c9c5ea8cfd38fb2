// The units of the quantities the library computes, as data: for each unit its
// quantity, its key, the spellings accepted for it and its exact relation to the
// library's unit; for each quantity its unit in the library, in inch-pound (IP)
// and in CF files; and the hints that tell a value in one unit labelled as
// another. The library computes in its own units only (degC, kPa, %, kg/kg,
// kJ/kg, m3/kg): conversion happens at the edges, through this table.
//
//   const hygrian::Unit* unit = hygrian::FindUnit(hygrian::Quantity::Temperature, "°F");
//   hygrian::ToLibrary(*unit, 212.0);    // 100 (degC)
//   hygrian::FromLibrary(*unit, -40.0);  // -40 (degF)
//
// Every text is a NUL-terminated UTF-8 literal. C++ only.
#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <string_view>

#include "hygrian/psychrometrics.h"

namespace hygrian {

// The kinds of value a unit measures.
enum class Quantity {
  Temperature,       // dry-bulb, wet-bulb, dew point
  Pressure,          // total pressure, vapour pressure
  RelativeHumidity,  // percent or a fraction
  MassRatio,         // humidity ratio (per kg of dry air), specific humidity (per kg of moist air)
  Enthalpy,          // per unit mass of dry air
  SpecificVolume,    // per unit mass of dry air
  Dimensionless,     // degree of saturation
  Length,            // an altitude
  MassFlow,          // of dry air, or of water added or condensed
  VolumeFlow,        // of moist air
  Power,             // a heat rate: a load
};

// Exact definitions the factors below are made of.
inline constexpr double kPound = 0.45359237;        // kg in one avoirdupois pound
inline constexpr double kFoot = 0.3048;             // m in one foot
inline constexpr double kBtu = 1.05505585262;       // kJ in one British thermal unit (IT)
inline constexpr double kPsi = 6.894757293168361;   // kPa in one pound-force per square inch
inline constexpr double kInchOfMercury = 3.386389;  // kPa in one inch of mercury at 0 degC
inline constexpr double kGrainsPerPound = 7000.0;
inline constexpr double kSecondsPerHour = 3600.0;
inline constexpr double kSecondsPerMinute = 60.0;
// Btu/h in one ton of refrigeration (the melting of a short ton of ice a day).
inline constexpr double kBtuPerHourPerTon = 12000.0;
// The IP enthalpy of dry air at 0 degC (32 degF), Btu/lb: the IP relation
// h = 0.240 t + W (1061 + 0.444 t) (t in degF) puts dry air at 0 Btu/lb at 0 degF,
// where the SI relation puts it at 0 kJ/kg at 0 degC (ASHRAE Handbook-Fundamentals
// 2017 ch. 1, the moist-air enthalpy in its IP and SI editions).
inline constexpr double kIpEnthalpyAtLibraryZero = 0.240 * 32.0;

// The most spellings of one kind a unit has; the unused entries are empty.
inline constexpr std::size_t kMaxSpellings = 8;

// One unit. A value v in it is (v - zero) * numerator / denominator in the
// library's unit of its quantity; a value x in the library's unit is
// x * denominator / numerator + zero in it.
struct Unit {
  Quantity quantity;
  std::string_view key;   // "degF": how this library writes it (UDUNITS-readable)
  std::string_view name;  // "degree Fahrenheit"
  double numerator;       // one unit is numerator / denominator library units
  double denominator;
  double zero;  // the value in this unit at the library's zero (32 for degF)
  // Spellings matched exactly, after blanks around them are trimmed: symbols,
  // whose case matters (mPa is not MPa).
  std::array<std::string_view, kMaxSpellings> symbols;
  // Spellings matched whatever their case, a blank and '_' alike: words.
  std::array<std::string_view, kMaxSpellings> words;
};

// The library's unit of each quantity comes first among its rows. One row a
// line or two, as a table reads (clang-format would give each field a line).
// clang-format off
inline constexpr std::array<Unit, 36> Units = {{
    {Quantity::Temperature, "degC", "degree Celsius", 1, 1, 0,
     {"degC", "°C", "deg_C", "deg C", "℃", "C"},
     {"Celsius", "degree_Celsius", "degrees_Celsius", "degree_C", "degrees_C"}},
    {Quantity::Temperature, "K", "kelvin", 1, 1, 273.15,
     {"K", "degK", "deg_K", "°K"},
     {"kelvin", "kelvins", "degree_Kelvin", "degrees_Kelvin", "degree_K", "degrees_K"}},
    {Quantity::Temperature, "degF", "degree Fahrenheit", 5, 9, 32,
     {"degF", "°F", "deg_F", "deg F", "℉", "F"},
     {"Fahrenheit", "degree_Fahrenheit", "degrees_Fahrenheit", "degree_F", "degrees_F"}},
    {Quantity::Temperature, "degR", "degree Rankine", 5, 9, 491.67,
     {"degR", "°R", "deg_R", "R"},
     {"Rankine", "degree_Rankine", "degrees_Rankine", "degree_R", "degrees_R"}},
    {Quantity::Pressure, "kPa", "kilopascal", 1, 1, 0,
     {"kPa"}, {"kilopascal", "kilopascals"}},
    {Quantity::Pressure, "hPa", "hectopascal", 1, 10, 0,
     {"hPa", "hpa"}, {"hectopascal", "hectopascals"}},
    {Quantity::Pressure, "Pa", "pascal", 1, 1000, 0,
     {"Pa"}, {"pascal", "pascals"}},
    {Quantity::Pressure, "mbar", "millibar", 1, 10, 0,
     {"mbar", "mb"}, {"millibar", "millibars"}},
    {Quantity::Pressure, "psi", "pound-force per square inch (absolute)", kPsi, 1, 0,
     {"psi", "psia", "lbf/in2", "lbf/in^2", "lbf in-2"},
     {"pound_per_square_inch", "pounds_per_square_inch"}},
    {Quantity::Pressure, "inHg", "inch of mercury (0 degC)", kInchOfMercury, 1, 0,
     {"inHg", "in Hg", "in_Hg", "\"Hg", "inHg(0C)"},
     {"inch_Hg", "inches_Hg", "inch_of_mercury", "inches_of_mercury"}},
    {Quantity::RelativeHumidity, "%", "percent", 1, 1, 0,
     {"%", "%RH", "% RH"}, {"percent"}},
    {Quantity::RelativeHumidity, "1", "fraction", 100, 1, 0,
     {"1", "0-1"}, {"fraction"}},
    {Quantity::MassRatio, "kg/kg", "kilogram per kilogram", 1, 1, 0,
     {"kg/kg", "kg kg-1", "kg kg**-1", "kg kg^-1", "kg.kg-1", "1"},
     {"kilogram_per_kilogram", "kilograms_per_kilogram"}},
    {Quantity::MassRatio, "g/kg", "gram per kilogram", 1, 1000, 0,
     {"g/kg", "g kg-1", "g kg**-1", "g kg^-1", "g.kg-1"},
     {"gram_per_kilogram", "grams_per_kilogram"}},
    {Quantity::MassRatio, "lb/lb", "pound per pound", 1, 1, 0,
     {"lb/lb", "lbm/lbm", "lb lb-1", "lb lb**-1", "lb lb^-1"},
     {"pound_per_pound", "pounds_per_pound"}},
    {Quantity::MassRatio, "grains/lb", "grain per pound", 1, kGrainsPerPound, 0,
     {"grains/lb", "grain/lb", "gr/lb", "grains/lbm", "gr/lbm", "grain lb-1", "gr lb-1"},
     {"grain_per_pound", "grains_per_pound"}},
    {Quantity::Enthalpy, "kJ/kg", "kilojoule per kilogram", 1, 1, 0,
     {"kJ/kg", "kJ kg-1", "kJ kg**-1", "kJ kg^-1", "kJ.kg-1"},
     {"kilojoule_per_kilogram", "kilojoules_per_kilogram"}},
    {Quantity::Enthalpy, "J/kg", "joule per kilogram", 1, 1000, 0,
     {"J/kg", "J kg-1", "J kg**-1", "J kg^-1", "J.kg-1"},
     {"joule_per_kilogram", "joules_per_kilogram"}},
    {Quantity::Enthalpy, "Btu/lb", "British thermal unit (IT) per pound", kBtu, kPound,
     kIpEnthalpyAtLibraryZero,
     {"Btu/lb", "BTU/lb", "Btu/lbm", "BTU/lbm", "btu/lb", "Btu lb-1", "Btu lb**-1", "Btu lb^-1"},
     {}},
    {Quantity::SpecificVolume, "m3/kg", "cubic metre per kilogram", 1, 1, 0,
     {"m3/kg", "m3 kg-1", "m3 kg**-1", "m3 kg^-1", "m^3/kg", "m³/kg", "m**3 kg**-1", "m3.kg-1"},
     {"cubic_metre_per_kilogram", "cubic_meter_per_kilogram", "cubic_metres_per_kilogram",
      "cubic_meters_per_kilogram"}},
    {Quantity::SpecificVolume, "ft3/lb", "cubic foot per pound", kFoot * kFoot * kFoot, kPound, 0,
     {"ft3/lb", "ft³/lb", "ft^3/lb", "ft3/lbm", "ft³/lbm", "ft^3/lbm", "ft3 lb-1", "cu ft/lb"},
     {"cubic_foot_per_pound", "cubic_feet_per_pound"}},
    {Quantity::Dimensionless, "1", "dimensionless", 1, 1, 0,
     {"1"}, {"dimensionless"}},
    {Quantity::Length, "m", "metre", 1, 1, 0,
     {"m"}, {"metre", "metres", "meter", "meters"}},
    {Quantity::Length, "ft", "foot", kFoot, 1, 0,
     {"ft"}, {"foot", "feet"}},
    {Quantity::MassFlow, "kg/s", "kilogram per second", 1, 1, 0,
     {"kg/s", "kg s-1", "kg s**-1", "kg s^-1", "kg.s-1"},
     {"kilogram_per_second", "kilograms_per_second"}},
    {Quantity::MassFlow, "kg/h", "kilogram per hour", 1, kSecondsPerHour, 0,
     {"kg/h", "kg/hr", "kg h-1", "kg h**-1", "kg h^-1", "kg.h-1"},
     {"kilogram_per_hour", "kilograms_per_hour"}},
    {Quantity::MassFlow, "lb/h", "pound per hour", kPound, kSecondsPerHour, 0,
     {"lb/h", "lb/hr", "lbm/h", "lbm/hr", "lb h-1", "pph"},
     {"pound_per_hour", "pounds_per_hour"}},
    {Quantity::VolumeFlow, "m3/s", "cubic metre per second", 1, 1, 0,
     {"m3/s", "m³/s", "m^3/s", "m3 s-1", "m3 s**-1", "m3 s^-1", "m**3 s**-1", "m3.s-1"},
     {"cubic_metre_per_second", "cubic_meter_per_second", "cubic_metres_per_second",
      "cubic_meters_per_second"}},
    {Quantity::VolumeFlow, "m3/h", "cubic metre per hour", 1, kSecondsPerHour, 0,
     {"m3/h", "m³/h", "m^3/h", "m3/hr", "m3 h-1", "m3 h**-1", "m3 h^-1", "m3.h-1"},
     {"cubic_metre_per_hour", "cubic_meter_per_hour", "cubic_metres_per_hour",
      "cubic_meters_per_hour"}},
    {Quantity::VolumeFlow, "L/s", "litre per second", 1, 1000, 0,
     {"L/s", "l/s", "L s-1", "l s-1", "L s**-1", "L s^-1"},
     {"litre_per_second", "liter_per_second", "litres_per_second", "liters_per_second"}},
    {Quantity::VolumeFlow, "cfm", "cubic foot per minute", kFoot * kFoot * kFoot,
     kSecondsPerMinute, 0,
     {"cfm", "CFM", "ft3/min", "ft³/min", "ft^3/min", "ft3 min-1"},
     {"cubic_foot_per_minute", "cubic_feet_per_minute"}},
    {Quantity::Power, "kW", "kilowatt", 1, 1, 0,
     {"kW", "kJ/s"}, {"kilowatt", "kilowatts"}},
    {Quantity::Power, "W", "watt", 1, 1000, 0,
     {"W", "J/s"}, {"watt", "watts"}},
    {Quantity::Power, "Btu/h", "British thermal unit (IT) per hour", kBtu, kSecondsPerHour, 0,
     {"Btu/h", "BTU/h", "Btu/hr", "BTU/hr", "btu/h", "Btuh", "BTUH", "Btu h-1"},
     {}},
    {Quantity::Power, "MBH", "thousand Btu (IT) per hour", kBtu * 1000.0, kSecondsPerHour, 0,
     {"MBH", "MBtu/h", "MBTU/h", "kBtu/h", "kBTU/h", "MBtuh"},
     {}},
    {Quantity::Power, "ton", "ton of refrigeration (12,000 Btu/h)", kBtu * kBtuPerHourPerTon,
     kSecondsPerHour, 0,
     {"ton", "tons", "TR", "RT", "tonR"},
     {"ton_of_refrigeration", "tons_of_refrigeration"}},
}};
// clang-format on

// Each quantity: its key, and the spelling its values are written with in each
// system of units (each one a spelling of a row of Units).
struct QuantityUnits {
  Quantity quantity;
  std::string_view key;      // "temperature"
  std::string_view library;  // "degC": the unit the library computes in
  std::string_view ip;       // "degF": inch-pound, as US engineers' tables and charts
  std::string_view cf;       // "K": SI base units, as CF netCDF files
};

inline constexpr std::array<QuantityUnits, 11> Quantities = {{
    {Quantity::Temperature, "temperature", "degC", "degF", "K"},
    {Quantity::Pressure, "pressure", "kPa", "psi", "Pa"},
    {Quantity::RelativeHumidity, "relative_humidity", "%", "%", "1"},
    {Quantity::MassRatio, "mass_ratio", "kg/kg", "lb/lb", "kg kg-1"},
    {Quantity::Enthalpy, "enthalpy", "kJ/kg", "Btu/lb", "J/kg"},
    {Quantity::SpecificVolume, "specific_volume", "m3/kg", "ft3/lb", "m3 kg-1"},
    {Quantity::Dimensionless, "dimensionless", "1", "1", "1"},
    {Quantity::Length, "length", "m", "ft", "m"},
    {Quantity::MassFlow, "mass_flow", "kg/s", "lb/h", "kg s-1"},
    {Quantity::VolumeFlow, "volume_flow", "m3/s", "cfm", "m3 s-1"},
    {Quantity::Power, "power", "kW", "Btu/h", "W"},
}};

// Standard air: the density of dry air (kg/m3) by which a volume flow "at
// standard air" is a mass flow of dry air, in the convention of each system's
// volume-flow units: 1.2 kg/m3 (SI) and 0.075 lb/ft3 (IP; 1.2014 kg/m3), the
// round figures of the HVAC trade for dry air near 20 degC and 101.325 kPa
// (ASHRAE Handbook-Fundamentals 2017 ch. 1, standard atmosphere at sea level).
struct StandardAir {
  std::string_view volumeUnit;  // a VolumeFlow unit's key
  double numerator;             // the density is numerator / denominator kg/m3
  double denominator;
};
inline constexpr std::array<StandardAir, 4> StandardAirDensities = {{
    {"m3/s", 1.2, 1},
    {"m3/h", 1.2, 1},
    {"L/s", 1.2, 1},
    {"cfm", 0.075 * kPound, kFoot* kFoot* kFoot},
}};

// The standard air density (kg/m3) of a volume-flow unit: 1.2 for m3/s,
// 1.2013698... for cfm; 0 for any other unit.
[[nodiscard]] constexpr double StandardAirDensity(const Unit& unit) noexcept {
  for (const StandardAir& air : StandardAirDensities) {
    if (unit.quantity == Quantity::VolumeFlow && air.volumeUnit == unit.key) {
      return air.numerator / air.denominator;
    }
  }
  return 0.0;
}

// A value in unit, in the library's unit: 212 degF is 100 degC, 29.92 inHg
// 101.3207 kPa, 7.68 Btu/lb 0 kJ/kg. Exact to a few rounding errors of the
// larger of |value| and |unit.zero|.
[[nodiscard]] constexpr double ToLibrary(const Unit& unit, double value) noexcept {
  return (value - unit.zero) * unit.numerator / unit.denominator;
}

// A value in the library's unit, in unit: the inverse of ToLibrary.
[[nodiscard]] constexpr double FromLibrary(const Unit& unit, double value) noexcept {
  return value * unit.denominator / unit.numerator + unit.zero;
}

namespace units_detail {

constexpr bool Blank(char c) noexcept { return c == ' ' || c == '\t'; }

constexpr std::string_view Trimmed(std::string_view text) noexcept {
  while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
  return text;
}

// c in lower case, '_' as a blank.
constexpr char Folded(char c) noexcept {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return c == '_' ? ' ' : c;
}

constexpr bool SameWord(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (Folded(a[k]) != Folded(b[k])) return false;
  }
  return true;
}

}  // namespace units_detail

// Whether text, trimmed of blanks, is one of unit's spellings: a symbol exactly
// ("K", "K " and "degK" for kelvin, not "k"), a word whatever its case, a blank
// and '_' alike ("Kelvin", "degrees celsius").
[[nodiscard]] constexpr bool Spells(const Unit& unit, std::string_view text) noexcept {
  const std::string_view trimmed = units_detail::Trimmed(text);
  for (const std::string_view symbol : unit.symbols) {
    if (!symbol.empty() && symbol == trimmed) return true;
  }
  for (const std::string_view word : unit.words) {
    if (!word.empty() && units_detail::SameWord(word, trimmed)) return true;
  }
  return false;
}

// The unit of quantity that text spells; nullptr when none does ("F" is degF
// for a temperature, nothing for a pressure).
[[nodiscard]] constexpr const Unit* FindUnit(Quantity quantity, std::string_view text) noexcept {
  for (const Unit& unit : Units) {
    if (unit.quantity == quantity && Spells(unit, text)) return &unit;
  }
  return nullptr;
}

// The row of a quantity.
[[nodiscard]] constexpr const QuantityUnits& UnitsOf(Quantity quantity) noexcept {
  return Quantities[static_cast<std::size_t>(quantity)];
}

// The quantity whose library unit is libraryUnit (a Property's unit: "degC" is a
// temperature); nullptr when none is.
[[nodiscard]] constexpr const QuantityUnits* QuantityOfLibraryUnit(
    std::string_view libraryUnit) noexcept {
  for (const QuantityUnits& q : Quantities) {
    if (q.library == libraryUnit) return &q;
  }
  return nullptr;
}

// How a hint tests the finite values of a block (a file's first rows, an array's
// chunk), given their least and greatest.
enum class HintTest {
  AllWithin,   // every value lies within [low, high]
  AnyOutside,  // some value lies outside [low, high]
};

// A value in one unit labelled as another: when the values of a block labelled
// in unit `labelled` pass the test, they are likely in unit `likely` instead.
struct UnitHint {
  Quantity quantity;
  std::string_view labelled;  // a unit's key; empty: any unit, low and high in the library's
  HintTest test;
  double low, high;         // in the labelled unit (or the library's, see above)
  std::string_view likely;  // a unit's key; empty: the first unit that puts them within
};

inline constexpr double kNoBound = std::numeric_limits<double>::infinity();

inline constexpr std::array<UnitHint, 8> UnitHints = {{
    // degC read as kelvin: air colder than -173 degC
    {Quantity::Temperature, "K", HintTest::AllWithin, -kNoBound, 100, "degC"},
    // kelvin read as degC or degF: air hotter than 200 degC or 200 degF
    {Quantity::Temperature, "degC", HintTest::AllWithin, 200, kNoBound, "K"},
    {Quantity::Temperature, "degF", HintTest::AllWithin, 200, kNoBound, "K"},
    // no total pressure of the air people measure lies outside the programs' range
    {Quantity::Pressure, "", HintTest::AnyOutside, ProgramPressureLeast, ProgramPressureMost, ""},
    // inHg read as kPa: within the range, but air 9 km up (a US altimeter setting
    // or barometer reading, 25 to 32 inHg, is 85 to 108 kPa)
    {Quantity::Pressure, "kPa", HintTest::AllWithin, 25, 32, "inHg"},
    // percent read as a fraction
    {Quantity::RelativeHumidity, "1", HintTest::AnyOutside, -kNoBound, 1.5, "%"},
    // a fraction read as percent
    {Quantity::RelativeHumidity, "%", HintTest::AllWithin, -kNoBound, 1, "1"},
    // g/kg read as kg/kg: a dew point above 50 degC
    {Quantity::MassRatio, "kg/kg", HintTest::AnyOutside, -kNoBound, 0.1, "g/kg"},
}};

namespace units_detail {

constexpr bool Passes(HintTest test, double least, double greatest, double low,
                      double high) noexcept {
  if (test == HintTest::AllWithin) return least >= low && greatest <= high;
  return least < low || greatest > high;
}

}  // namespace units_detail

// The unit that values labelled in `labelled`, the least and greatest of a block's
// finite values, are likely in when a hint says they are not in it; nullptr when
// no hint applies or no unit fits. Pressures of 90000 to 102000 labelled hPa are
// likely Pa; relative humidities of 0.2 to 0.9 labelled % likely a fraction.
[[nodiscard]] constexpr const Unit* LikelyUnit(const Unit& labelled, double least,
                                               double greatest) noexcept {
  for (const UnitHint& hint : UnitHints) {
    if (hint.quantity != labelled.quantity) continue;
    if (!hint.labelled.empty()) {
      if (hint.labelled != labelled.key ||
          !units_detail::Passes(hint.test, least, greatest, hint.low, hint.high)) {
        continue;
      }
      return FindUnit(hint.quantity, hint.likely);
    }
    const double low = ToLibrary(labelled, least);
    const double high = ToLibrary(labelled, greatest);
    if (!units_detail::Passes(hint.test, low, high, hint.low, hint.high)) continue;
    for (const Unit& unit : Units) {
      if (unit.quantity == hint.quantity && &unit != &labelled &&
          !units_detail::Passes(hint.test, ToLibrary(unit, least), ToLibrary(unit, greatest),
                                hint.low, hint.high)) {
        return &unit;
      }
    }
    return nullptr;
  }
  return nullptr;
}

}  // namespace hygrian
