// The pressure a program is given: a pressure (in its pressure unit: kPa, or
// psia with inch-pound units, or the one named) or an altitude (metres, or
// feet, or the unit named) in the standard atmosphere, with the refusals every
// program and the browser page give.
#pragma once

#include <string>
#include <string_view>

#include "cli/options.h"
#include "tables/pressure.h"

namespace hygrian::cli {

// Puts common in the SI or inch-pound system: its inchPound, and the units of
// the pressure (kPa or psi) and the altitude (m or ft) that units named later
// override.
void SetUnitSystem(bool inchPound, CommonOptions& common);

// The unit of the pressure (any pressure unit of hygrian/units.h) or of the
// altitude (m or ft) from its text, named `name` in the refusal:
//   --pressure-unit: 'atm' is not kPa, hPa, Pa, mbar, psi or inHg
//   altitude-unit: 'yd' is not m or ft
[[nodiscard]] std::string ReadPressureUnit(const std::string& text, std::string_view name,
                                           CommonOptions& common);
[[nodiscard]] std::string ReadAltitudeUnit(const std::string& text, std::string_view name,
                                           CommonOptions& common);

// The texts of the pressure and the altitude as given (nullptr: not given) into
// common, whose units are set already. "" or what is wrong, each refusal after
// `dashes` and the setting's name:
//   --pressure: 500 psia is outside 2.901 to 29.007 psia
//   altitude: 'high' is not a number
// A range refused in psia is told in psia, rounded inwards.
std::string ReadPressureOrAltitude(const std::string* pressure, const std::string* altitude,
                                   std::string_view dashes, const tables::PressureRange& range,
                                   CommonOptions& common);

}  // namespace hygrian::cli
