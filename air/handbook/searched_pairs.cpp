#include "air/handbook/searched_pairs.h"

#include <cmath>

#include "air/bracket.h"
#include "air/handbook/cases.h"
#include "air/handbook/relations.h"
#include "hygrian/outcomes.h"

namespace hygrian::air::handbook {
namespace {

constexpr double kPercent = 100.0;
constexpr double kKelvinTolerance = 1e-9;     // K, every temperature found
constexpr double kRelativeTolerance = 1e-10;  // every humidity ratio found
// The given values a state found must reproduce, relative to their size.
constexpr double kReproduced = 1e-9;
constexpr double kCelsiusZero = 273.15;  // K
// kg/kg: the top of a humidity-ratio bracket, far above any state's (a state
// above ten times saturation is refused as it is for the dry-bulb pairs).
constexpr double kMostHumidityRatio = 1e6;
// K: the top of a dry-bulb bracket reaches this far past the model's highest
// temperature, so a root at 200 degrees C within rounding is bracketed.
constexpr double kPastHighest = 1e-6;

// The two given values, where they go in the state.
struct Given {
  double State::*first;
  double a;
  double State::*second;
  double b;
  double P;
};

Result Refused(const Given& given, Status status) {
  Result result;
  result.state.*given.first = given.a;
  result.state.*given.second = given.b;
  result.status = status;
  return result;
}

// Whether a state's value, computed by the forward relations, is the given one
// to kReproduced of its size: a temperature's in kelvin; at least 1 kJ/kg, 1 %
// or 1 g/kg for the others, whose given value may be 0.
bool Reproduces(double State::*member, double computed, double given) {
  const bool temperature =
      member == &State::dryBulb || member == &State::wetBulb || member == &State::dewPoint;
  const double size = temperature                       ? std::fabs(given + kCelsiusZero)
                      : member == &State::humidityRatio ? std::fmax(std::fabs(given), 1e-3)
                                                        : std::fmax(std::fabs(given), 1.0);
  return std::fabs(computed - given) <= kReproduced * size;
}

// A computed state holds the two given values as given, once its own forward
// relations have reproduced them: a search that ended where no state has them
// (at a pole of the relations, past what doubles resolve, or in a gap of the
// wet-bulb's at 0 degrees C) gives NoState.
Result Holding(Result result, const Given& given) {
  if (!RulesOf(OutcomeOf(result).kind).computed) return Refused(given, result.status);
  if (!Reproduces(given.first, result.state.*given.first, given.a) ||
      !Reproduces(given.second, result.state.*given.second, given.b)) {
    return Refused(given, Status::NoState);
  }
  result.state.*given.first = given.a;
  result.state.*given.second = given.b;
  return result;
}

bool Within(double x, double lowest, double highest) { return x >= lowest && x <= highest; }

// Finite values and a pressure in the model's range.
Status Screen(const Given& given) {
  if (!std::isfinite(given.a) || !std::isfinite(given.b) || !std::isfinite(given.P) ||
      !(given.P > 0.0)) {
    return Status::InvalidInput;
  }
  if (!Within(given.P, kLowestPressure, kHighestPressure)) return Status::OutOfRange;
  return Status::Ok;
}

// A relative humidity a state from these pairs may have: 0 to 100 percent.
Status ScreenHumidity(double relativeHumidity) {
  return Within(relativeHumidity, 0.0, kPercent) ? Status::Ok : Status::NoState;
}

// The dry-bulb in the model's range where rising(t) crosses 0, rising with t.
template <typename Rising>
Root DryBulbWhere(Rising rising, double lowest) {
  Root root = FindRoot(rising, lowest, kHighest + kPastHighest, kKelvinTolerance, 0.0);
  root.x = std::fmin(root.x, kHighest);
  return root;
}

}  // namespace

Result FromDryBulbEnthalpy(double t, double h, double P, Phase over) {
  const Given given{&State::dryBulb, t, &State::enthalpy, h, P};
  Status status = Screen(given);
  if (status == Status::Ok && !Within(t, kLowest, kHighest)) status = Status::OutOfRange;
  if (status == Status::Ok && h < Enthalpy(t, 0.0)) status = Status::NoState;
  if (status != Status::Ok) return Refused(given, status);
  const Root W = FindRoot([&](double w) { return Enthalpy(t, w) - h; }, 0.0, kMostHumidityRatio,
                          0.0, kRelativeTolerance);
  if (!W.found) return Refused(given, Status::InvalidInput);
  return Holding(FromDryBulbHumidityRatio(t, W.x, P, over), given);
}

Result FromHumidityRatioEnthalpy(double W, double h, double P, Phase over) {
  const Given given{&State::humidityRatio, W, &State::enthalpy, h, P};
  Status status = Screen(given);
  if (status == Status::Ok && W < 0.0) status = Status::InvalidInput;
  if (status != Status::Ok) return Refused(given, status);
  const Root t = DryBulbWhere([&](double x) { return Enthalpy(x, W) - h; }, kLowest);
  if (!t.found) return Refused(given, Status::OutOfRange);
  return Holding(FromDryBulbHumidityRatio(t.x, W, P, over), given);
}

Result FromEnthalpyRelativeHumidity(double h, double relativeHumidity, double P, Phase over) {
  const Given given{&State::enthalpy, h, &State::relativeHumidity, relativeHumidity, P};
  Status status = Screen(given);
  if (status == Status::Ok) status = ScreenHumidity(relativeHumidity);
  if (status != Status::Ok) return Refused(given, status);
  const Root t = DryBulbWhere(
      [&](double x) {
        const double w = HumidityRatioAt(x, relativeHumidity, P, over);
        return std::isinf(w) ? w : Enthalpy(x, w) - h;
      },
      kLowest);
  if (!t.found) return Refused(given, Status::OutOfRange);
  return Holding(FromDryBulbRelativeHumidity(t.x, relativeHumidity, P, over), given);
}

Result FromWetBulbRelativeHumidity(double wetBulb, double relativeHumidity, double P, Phase over) {
  const Given given{&State::wetBulb, wetBulb, &State::relativeHumidity, relativeHumidity, P};
  Status status = Screen(given);
  if (status == Status::Ok && !Within(wetBulb, kLowest, kHighest)) status = Status::OutOfRange;
  if (status == Status::Ok) status = ScreenHumidity(relativeHumidity);
  if (status != Status::Ok) return Refused(given, status);
  if (relativeHumidity == kPercent) {
    return Holding(FromDryBulbRelativeHumidity(wetBulb, relativeHumidity, P, over), given);
  }
  // Above the wet-bulb the psychrometric equation's W falls and rh's W rises.
  const Root t = DryBulbWhere(
      [&](double x) {
        return HumidityRatioAt(x, relativeHumidity, P, over) -
               WetBulbHumidityRatio(x, wetBulb, P, over);
      },
      wetBulb);
  if (!t.found) return Refused(given, Status::OutOfRange);
  return Holding(FromDryBulbRelativeHumidity(t.x, relativeHumidity, P, over), given);
}

Result FromDewPointRelativeHumidity(double dewPoint, double relativeHumidity, double P,
                                    Phase over) {
  const Given given{&State::dewPoint, dewPoint, &State::relativeHumidity, relativeHumidity, P};
  Status status = Screen(given);
  if (status == Status::Ok && !Within(dewPoint, kLowest, kHighest)) status = Status::OutOfRange;
  if (status == Status::Ok) status = ScreenHumidity(relativeHumidity);
  if (status == Status::Ok && relativeHumidity == 0.0) status = Status::NoState;
  if (status != Status::Ok) return Refused(given, status);
  const double p = SaturationPressureInAir(dewPoint, P, over);
  const Root t = DryBulbWhere(
      [&](double x) {
        return relativeHumidity / kPercent * SaturationPressureInAir(x, P, over) - p;
      },
      dewPoint);
  if (!t.found) return Refused(given, Status::OutOfRange);
  return Holding(FromDryBulbDewPoint(t.x, dewPoint, P, over), given);
}

Result FromHumidityRatioRelativeHumidity(double W, double relativeHumidity, double P, Phase over) {
  const Given given{&State::humidityRatio, W, &State::relativeHumidity, relativeHumidity, P};
  Status status = Screen(given);
  if (status == Status::Ok && W < 0.0) status = Status::InvalidInput;
  if (status == Status::Ok) status = ScreenHumidity(relativeHumidity);
  // Dry air has every dry-bulb, and no dry-bulb gives a vapour pressure at 0 percent.
  if (status == Status::Ok && (relativeHumidity == 0.0 || W == 0.0)) status = Status::NoState;
  if (status != Status::Ok) return Refused(given, status);
  const double p = VaporPressure(W, P);
  const Root t = DryBulbWhere(
      [&](double x) {
        return relativeHumidity / kPercent * SaturationPressureInAir(x, P, over) - p;
      },
      kLowest);
  if (!t.found) return Refused(given, Status::OutOfRange);
  return Holding(FromDryBulbHumidityRatio(t.x, W, P, over), given);
}

}  // namespace hygrian::air::handbook
