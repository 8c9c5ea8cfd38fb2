// The pressure a program is given: a pressure (in its pressure unit, or psia
// with inch-pound units) or an altitude (metres, or feet) in the standard
// atmosphere, with the refusals every program and the browser page give.
#pragma once

#include <string>
#include <string_view>

#include "cli/options.h"
#include "tables/pressure.h"

namespace hygrian::cli {

// The texts of the pressure and the altitude as given (nullptr: not given) into
// common, whose inchPound and pressureUnit are set already. "" or what is wrong,
// each refusal after `dashes` and the setting's name:
//   --pressure: 500 psia is outside 2.901 to 29.007 psia
//   altitude: 'high' is not a number
// A range refused in inch-pound units is told in them, rounded inwards.
std::string ReadPressureOrAltitude(const std::string* pressure, const std::string* altitude,
                                   std::string_view dashes, const tables::PressureRange& range,
                                   CommonOptions& common);

}  // namespace hygrian::cli
