// The moist-air relations one at a time, as a chart draws its curves: each at a
// dry-bulb t (degrees C) and a total pressure P (kPa), by the model of options
// (and, for the handbook's, the phase saturation refers to below the triple
// point), so that curves and the states of hygrian/psychrometrics.h agree. Each
// gives a value, or a status where the relation faults or has no physical
// answer. C++ only; in their own namespace, apart from the states' functions.
//
//   hygrian::relations::SaturationHumidityRatio(20, 101.325, {}).value  // 0.014758...
//   hygrian::relations::Enthalpy(20, 0.01, {}).value                    // 45.4...
#pragma once

#include "hygrian/export.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::relations {

// One relation's value, or its status (not Ok: the value is 0.0). The statuses:
// OutOfRange (the handbook model outside -100 to 200 degrees C or 10 to 1,000
// kPa), VaporPressureNotBelowTotal (a vapour pressure at or above P), a fault of
// the calculator's relations (LogDomain, ...), InvalidOperation (the
// calculator's value not finite) or InvalidInput (the handbook's not finite,
// as for a NaN given). The calculator model has one convention of phases: it
// does not read options.over.
struct Value {
  double value = 0.0;
  Status status = Status::Ok;
};

// The saturation vapour pressure (kPa) at t. Calculator: the ice relation up to
// and including 0 degrees C (FirstWaterTemperature), water above, pure water.
// Handbook: in moist air at P (with the enhancement factor), over ice or water
// as options.over says (SaturationVaporPressureInAir).
[[nodiscard]] HYGRIAN_API Value SaturationPressure(double t, double P, Options options) noexcept;

// The humidity ratio (kg/kg) of air whose vapour pressure is p (kPa) at P.
[[nodiscard]] HYGRIAN_API Value HumidityRatio(double p, double P, Options options) noexcept;

// The saturation humidity ratio (kg/kg) at t: HumidityRatio of
// SaturationPressure; VaporPressureNotBelowTotal where that has reached P.
[[nodiscard]] HYGRIAN_API Value SaturationHumidityRatio(double t, double P,
                                                        Options options) noexcept;

// The humidity ratio (kg/kg) at dry-bulb t on the line of wet-bulb tw (the
// psychrometric equation). Calculator: with the saturation humidity ratio at
// tw. Handbook: over the wick's own phase (ice below 0 degrees C over ice).
[[nodiscard]] HYGRIAN_API Value WetBulbLineHumidityRatio(double t, double tw, double P,
                                                         Options options) noexcept;

// The enthalpy (kJ/kg of dry air) and the specific volume (m3/kg of dry air) at
// t and humidity ratio W (kg/kg). Both are linear in W.
[[nodiscard]] HYGRIAN_API Value Enthalpy(double t, double W, Options options) noexcept;
[[nodiscard]] HYGRIAN_API Value SpecificVolume(double t, double W, double P,
                                               Options options) noexcept;

// The smallest dry-bulb (degrees C) above 0 that the calculator model takes as
// over water: the first whose kelvin sum exceeds its offset (about 5.7e-14).
[[nodiscard]] HYGRIAN_API double FirstWaterTemperature() noexcept;

}  // namespace hygrian::relations
