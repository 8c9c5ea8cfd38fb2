// A cooling and dehumidifying coil by its apparatus dew point and bypass factor:
// the leaving air is the bypassed share of the entering air mixed with air
// saturated at the coil's surface; or by the leaving state itself.
#include <cmath>

#include "air/handbook/relations.h"
#include "air/processes/process.h"
#include "hygrian/processes.h"

namespace hygrian {
namespace {

// The condition line is followed past the leaving state in steps of this much
// of the way from entering to leaving, to at most kFarthest times that way (a
// bypass factor of 0.98); then the bracket is halved kHalvings times.
constexpr double kStep = 1.0 / 32.0;
constexpr double kFarthest = 50.0;
constexpr int kHalvings = 60;

// Where the point s of the way from entering to leaving lies: short of
// saturation, at or past it, or nowhere (drier than dry air, outside the range).
enum class Side { Unsaturated, Saturated, None };

}  // namespace

CoilCondition CoilConditionOf(double dryBulb, double humidityRatio, double leavingDryBulb,
                              double leavingHumidityRatio, double P, Phase over) noexcept {
  CoilCondition condition;
  const Status status =
      air::Screen(dryBulb, humidityRatio, 0.0, P, leavingDryBulb, leavingHumidityRatio);
  if (status != Status::Ok || !(leavingHumidityRatio >= 0.0)) {
    condition.status = status != Status::Ok ? status : Status::InvalidInput;
    return condition;
  }
  const double h1 = air::handbook::Enthalpy(dryBulb, humidityRatio);
  const double dW = leavingHumidityRatio - humidityRatio;
  const double dh = air::handbook::Enthalpy(leavingDryBulb, leavingHumidityRatio) - h1;
  const auto side = [&](double s, double& t) {
    const double W = humidityRatio + s * dW;
    t = air::UnsaturatedDryBulb(W, h1 + s * dh);
    const double saturated = air::handbook::HumidityRatioAt(t, 100.0, P, over);
    if (!(W >= 0.0) || std::isnan(saturated)) return Side::None;
    return W >= saturated ? Side::Saturated : Side::Unsaturated;
  };
  double t = leavingDryBulb;
  const Side start = dW == 0.0 && dh == 0.0 ? Side::None : side(1.0, t);
  if (start != Side::Unsaturated) {
    condition.status = start == Side::Saturated ? Status::Ok : Status::NoState;
    condition.apparatusDewPoint = start == Side::Saturated ? leavingDryBulb : 0.0;
    return condition;
  }
  // In small steps: the line may cross the saturation curve twice, and the
  // first crossing is the one.
  double low = 1.0;
  double high = 1.0 + kStep;
  for (Side next = side(high, t); next != Side::Saturated; next = side(high, t)) {
    if (next == Side::None || high > kFarthest) {
      condition.status = Status::NoState;
      return condition;
    }
    low = high;
    high += kStep;
  }
  double atLow = leavingDryBulb;
  (void)side(low, atLow);
  for (int i = 0; i < kHalvings; ++i) {
    const double middle = (low + high) / 2.0;
    if (side(middle, t) == Side::Unsaturated) {
      low = middle;
      atLow = t;
    } else {
      high = middle;
    }
  }
  // The leaving state is 1 of the way, the apparatus dew point low: the
  // leaving state lies (low - 1) / low of the way back to the entering air.
  condition.apparatusDewPoint = atLow;
  condition.bypassFactor = (low - 1.0) / low;
  return condition;
}

ProcessResult CoolAndDehumidify(double dryBulb, double humidityRatio, double apparatusDewPoint,
                                double bypassFactor, double flow, double P, Phase over) noexcept {
  const Status status =
      air::Screen(dryBulb, humidityRatio, flow, P, apparatusDewPoint, bypassFactor);
  if (status != Status::Ok) return air::Failed(status);
  if (!(bypassFactor >= 0.0 && bypassFactor <= 1.0)) return air::Failed(Status::InvalidInput);
  const Options options{.over = over};
  const Result surface = FromDryBulbRelativeHumidity(apparatusDewPoint, 100.0, P, options);
  if (surface.status != Status::Ok) return air::Failed(surface.status);
  const double Ws = surface.state.humidityRatio;
  if (!(Ws < humidityRatio)) return air::Failed(Status::NoState);
  const double hs = surface.state.enthalpy;
  const double h1 = air::handbook::Enthalpy(dryBulb, humidityRatio);
  const double W2 = Ws + bypassFactor * (humidityRatio - Ws);
  const double h2 = hs + bypassFactor * (h1 - hs);
  return air::Balance(dryBulb, humidityRatio, flow, FromHumidityRatioEnthalpy(W2, h2, P, options),
                      air::handbook::LiquidWaterEnthalpy(apparatusDewPoint));
}

ProcessResult CoolAndDehumidifyTo(double dryBulb, double humidityRatio, double leavingDryBulb,
                                  double leavingRelativeHumidity, double flow, double P,
                                  Phase over) noexcept {
  const Status status =
      air::Screen(dryBulb, humidityRatio, flow, P, leavingDryBulb, leavingRelativeHumidity);
  if (status != Status::Ok) return air::Failed(status);
  if (!(leavingRelativeHumidity >= 0.0 && leavingRelativeHumidity <= 100.0)) {
    return air::Failed(Status::InvalidInput);
  }
  const Result leaving =
      FromDryBulbRelativeHumidity(leavingDryBulb, leavingRelativeHumidity, P, {.over = over});
  if (leaving.status == Status::Ok &&
      !(leavingDryBulb <= dryBulb && leaving.state.humidityRatio <= humidityRatio)) {
    return air::Failed(Status::NoState);
  }
  return air::Balance(dryBulb, humidityRatio, flow, leaving,
                      air::handbook::LiquidWaterEnthalpy(leavingDryBulb));
}

}  // namespace hygrian
