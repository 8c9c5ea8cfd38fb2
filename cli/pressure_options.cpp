#include "cli/pressure_options.h"

#include <cmath>

#include "cli/units.h"
#include "hygrian/units.h"
#include "tables/numbers.h"

namespace hygrian::cli {
namespace {

// The altitudes of the standard atmosphere that are taken, m.
constexpr double kAltitudeLeast = -5000.0;
constexpr double kAltitudeMost = 11000.0;

// A number of a setting, or why not: "'high' is not a number".
std::string ReadNumber(const std::string& text, double& value) {
  const tables::Number number = tables::ParseNumber(text);
  switch (number.status) {
    case tables::NumberStatus::Ok:
      value = number.value;
      return "";
    case tables::NumberStatus::OutOfRange:
      return "'" + text + "' is out of range";
    case tables::NumberStatus::Empty:
    case tables::NumberStatus::NotANumber:
      break;
  }
  return "'" + text + "' is not a number";
}

std::string Shortest(double value) {
  char text[tables::kNumberTextSize];
  return {text, tables::FormatNumber(text, value)};
}

// The slip a pressure refused in psia likely is: a barometer's inches of mercury
// (below 32, as 29.92 at sea level) or kilopascals; "" when neither fits.
std::string InchPoundPressureHint(double value, const Unit& psi,
                                  const tables::PressureRange& range) {
  const double inHg = ToLibrary(*FindUnit(Quantity::Pressure, "inHg"), value);
  if (value < 32.0 && tables::PressureInRange(inHg, range)) {
    const double rounded = std::round(FromLibrary(psi, inHg) * 1000.0) / 1000.0;
    return " (in inHg? " + Shortest(value) + " inHg is " + Shortest(rounded) + " psia)";
  }
  if (tables::PressureInRange(value, range)) return " (in kPa? --pressure-unit kPa)";
  return "";
}

// The pressure in kPa from value in common's units, or why it is refused.
std::string PressureOf(double value, const tables::PressureRange& range, CommonOptions& common) {
  if (common.pressureUnit.name != "psi") {
    common.pressure = tables::ToKilopascals(value, common.pressureUnit);
    if (tables::PressureInRange(common.pressure, range)) return "";
    char text[tables::kOutsideRangeTextSize];
    return {text, tables::WriteOutsideRange(text, value, common.pressureUnit, range)};
  }
  const Unit& psi = *FindUnit(Quantity::Pressure, "psi");
  common.pressure = ToLibrary(psi, value);
  if (tables::PressureInRange(common.pressure, range)) return "";
  const double least = std::ceil(FromLibrary(psi, range.least) * 1000.0) / 1000.0;
  const double most = std::floor(FromLibrary(psi, range.most) * 1000.0) / 1000.0;
  return Shortest(value) + " psia is outside " + Shortest(least) + " to " + Shortest(most) +
         " psia" + InchPoundPressureHint(value, psi, range);
}

// The standard pressure at value (in common's altitude unit), or why it is refused.
std::string AltitudeOf(double value, CommonOptions& common) {
  const Unit& unit = *common.altitudeUnit;
  const double metres = ToLibrary(unit, value);
  const PressureResult standard = StandardPressureAtAltitude(metres);
  if (standard.status != Status::Ok) {
    const std::string key(unit.key);
    return Shortest(value) + " " + key + " is outside " +
           Shortest(std::ceil(FromLibrary(unit, kAltitudeLeast))) + " to " +
           Shortest(std::floor(FromLibrary(unit, kAltitudeMost))) + " " + key;
  }
  common.pressure = standard.pressure;
  common.hasAltitude = true;
  common.altitude = metres;
  return "";
}

}  // namespace

void SetUnitSystem(bool inchPound, CommonOptions& common) {
  common.inchPound = inchPound;
  common.pressureUnit = inchPound ? ReaderPressureUnit(*FindUnit(Quantity::Pressure, "psi"))
                                  : tables::PressureUnit::KPa;
  common.altitudeUnit = FindUnit(Quantity::Length, inchPound ? "ft" : "m");
}

std::string ReadPressureUnit(const std::string& text, std::string_view name,
                             CommonOptions& common) {
  const Unit* unit = FindUnit(Quantity::Pressure, text);
  if (unit == nullptr) {
    return std::string(name) + ": '" + text + "' is not " + UnitKeysInWords(Quantity::Pressure);
  }
  common.pressureUnit = ReaderPressureUnit(*unit);
  return "";
}

std::string ReadAltitudeUnit(const std::string& text, std::string_view name,
                             CommonOptions& common) {
  const Unit* unit = FindUnit(Quantity::Length, text);
  if (unit == nullptr) {
    return std::string(name) + ": '" + text + "' is not " + UnitKeysInWords(Quantity::Length);
  }
  common.altitudeUnit = unit;
  return "";
}

std::string ReadPressureOrAltitude(const std::string* pressure, const std::string* altitude,
                                   std::string_view dashes, const tables::PressureRange& range,
                                   CommonOptions& common) {
  const std::string pressureName = std::string(dashes) + "pressure";
  const std::string altitudeName = std::string(dashes) + "altitude";
  if (pressure != nullptr && altitude != nullptr) {
    return pressureName + " and " + altitudeName + ": give one or the other";
  }
  const std::string* text = pressure != nullptr ? pressure : altitude;
  if (text == nullptr) return "";
  double value = 0.0;
  std::string problem = ReadNumber(*text, value);
  if (problem.empty()) {
    problem = pressure != nullptr ? PressureOf(value, range, common) : AltitudeOf(value, common);
  }
  return problem.empty() ? ""
                         : (pressure != nullptr ? pressureName : altitudeName) + ": " + problem;
}

}  // namespace hygrian::cli
