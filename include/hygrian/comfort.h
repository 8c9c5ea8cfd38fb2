// Thermal comfort by Fanger's model as ISO 7730:2005 and ASHRAE 55-2017 give
// it: the predicted mean vote (PMV, -3 cold to +3 hot) of people in a moist-air
// state, a mean radiant temperature, a relative air speed, an activity and a
// clothing, and the predicted percentage dissatisfied (PPD) that goes with it.
// The air's state comes from any pair (hygrian/psychrometrics.h); only its
// dry-bulb and its vapour pressure enter.
//
// A value outside the ranges ISO 7730 gives the model for (section 4.1: a
// dry-bulb of 10 to 30 degrees C, a mean radiant temperature of 10 to 40, an
// air speed of 0 to 1 m/s, a vapour pressure of 0 to 2.7 kPa, 0.8 to 4 met,
// 0 to 2 clo, and a PMV of -2 to +2) is NaN with the warning
// Status::OutsideMeasureRange; an input that is no value (NaN, a negative
// speed or clothing) is NaN with Status::InvalidInput.
//
//   const hygrian::State air = hygrian::FromDryBulbRelativeHumidity(22.0, 60.0).state;
//   hygrian::PredictedMeanVote(air, 22.0, 0.1, 1.2, 0.5);  // pmv -0.75, ppd 16.9
//   (ISO 7730:2005 Table D.1 prints -0.75 and 17)
#pragma once

#include <limits>

#include "hygrian/export.h"
#include "hygrian/psychrometrics.h"

namespace hygrian {

// 1 met: the metabolic rate of a seated person at rest, per m2 of body surface.
inline constexpr double MetabolicUnit = 58.15;  // W/m2
// 1 clo: the thermal insulation of a business suit.
inline constexpr double ClothingUnit = 0.155;  // m2 K/W

struct ComfortResult {
  double pmv = std::numeric_limits<double>::quiet_NaN();  // predicted mean vote
  double ppd = std::numeric_limits<double>::quiet_NaN();  // predicted percentage dissatisfied, %
  Status status = Status::Ok;
};

// The PMV and PPD (ISO 7730:2005 eqs. 1 to 5; ASHRAE 55-2017 Normative Appendix
// B) of people in `air` with the mean radiant temperature (degrees C), the
// relative air speed (m/s: the air's own, plus 0.3 (M - 1 met) for a body that
// moves, as both standards add it), the metabolic rate (met) and the
// clothing's insulation (clo), doing no external work. The clothing's surface
// temperature, which eq. 2 gives implicitly, is solved to 1e-10 K in a bracket
// between the skin's 35.7 - 0.028 M and the surroundings'; the vapour pressure
// is the state's (the standards' program approximates it from the relative
// humidity). ASHRAE 55's cooling effect of an elevated air speed (above 0.1
// m/s, through SET) and its dynamic clothing are not applied. 22 degrees C,
// 60 percent, 22, 0.1 m/s, 1.2 met, 0.5 clo give a PMV of -0.75, a PPD of
// 16.9 %.
[[nodiscard]] HYGRIAN_API ComfortResult PredictedMeanVote(const State& air,
                                                          double meanRadiantTemperature,
                                                          double airSpeed, double metabolicRate,
                                                          double clothing) noexcept;

// The PPD (%) of a PMV: 100 - 95 exp(-0.03353 PMV^4 - 0.2179 PMV^2) (ISO 7730
// eq. 5), 5 at 0 and about 10.2 at +-0.5; NaN for NaN.
[[nodiscard]] HYGRIAN_API double PredictedPercentageDissatisfied(double pmv) noexcept;

}  // namespace hygrian
