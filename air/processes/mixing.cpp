// Adiabatic mixing of two streams: mass and energy conserved per kg of dry air.
// A mixture above saturation is fog: saturated air carrying the rest of its
// water as liquid (or ice).
#include <cmath>

#include "air/bracket.h"
#include "air/handbook/relations.h"
#include "air/processes/process.h"
#include "hygrian/processes.h"

namespace hygrian {
namespace {

namespace hb = air::handbook;

constexpr double kTolerance = 1e-12;  // K, of the temperatures solved for

// Fog: saturated air at t and the water beyond saturation, condensed there
// with its enthalpy (kJ/kg).
struct Fog {
  double t = 0.0;
  double waterEnthalpy = 0.0;
};

// The fog of a mixture at W and h: where saturated air and the water beyond
// saturation, condensed at the same temperature, hold h together (eqs. 30, 33
// and 35's water terms). Above the dew point of W the residual is eq. 30's own,
// so it rises through the whole bracket from the unsaturated dry-bulb t (where
// it is negative) to the model's highest. Over ice it steps up at the triple
// point by the heat of fusion: a mixture whose residual changes sign in that
// step is fog at the triple point whose condensate is partly ice, partly water,
// its enthalpy what the balance leaves. t NaN where none is found.
Fog FogOf(double W, double h, double t, double P, Phase over) {
  const auto residual = [&](double x, double hw) {
    const double Ws = hb::HumidityRatioAt(x, 100.0, P, over);
    if (Ws >= W) return hb::Enthalpy(x, W) - h;
    return hb::Enthalpy(x, Ws) + (W - Ws) * hw - h;
  };
  const auto condensed = [&](double x) {
    return residual(x, air::CondensedWaterEnthalpy(x, over));
  };
  const double triple = hb::kTriplePoint;
  if (over == Phase::Ice && t < triple && condensed(triple) < 0.0 &&
      residual(triple, hb::LiquidWaterEnthalpy(triple)) > 0.0) {
    const double Ws = hb::HumidityRatioAt(triple, 100.0, P, over);
    return {triple, (h - hb::Enthalpy(triple, Ws)) / (W - Ws)};
  }
  const air::Root x = air::FindRoot(condensed, t, hb::kHighest, kTolerance, 0.0);
  if (!x.found) return {std::nan(""), 0.0};
  return {x.x, air::CondensedWaterEnthalpy(x.x, over)};
}

// The mixture of a's dry-bulb for the loads, flow kg/s, at W and h: saturated
// air and its liquid water when W is above saturation at the mixture's
// dry-bulb, else the state of W and h.
ProcessResult Mixture(double t1, double W, double h, double flow, double P, Phase over) {
  const double t = air::UnsaturatedDryBulb(W, h);
  const double saturated = hb::HumidityRatioAt(t, 100.0, P, over);
  if (!(W > saturated * (1.0 + hb::kSaturationRounding))) {
    return air::Balance(t1, W, flow, FromHumidityRatioEnthalpy(W, h, P, {.over = over}), 0.0,
                        air::Heat::None);
  }
  const Fog fog = FogOf(W, h, t, P, over);
  if (std::isnan(fog.t)) return air::Failed(Status::OutOfRange);
  ProcessResult result =
      air::Balance(t1, W, flow, FromDryBulbRelativeHumidity(fog.t, 100.0, P, {.over = over}),
                   fog.waterEnthalpy, air::Heat::None);
  // Saturated air at the triple point may read as a rounding above saturation.
  if (result.status == Status::Ok || result.status == Status::Supersaturated ||
      result.status == Status::AboveIceSaturation) {
    result.status = Status::Fog;
  }
  return result;
}

}  // namespace

ProcessResult Mix(Stream a, Stream b, double P, Phase over) noexcept {
  for (const Stream& s : {a, b}) {
    const Status status = air::Screen(s.dryBulb, s.humidityRatio, s.flow, P, 0.0, 0.0);
    if (status != Status::Ok) return air::Failed(status);
  }
  const double flow = a.flow + b.flow;
  if (!(flow > 0.0)) return air::Failed(Status::InvalidInput);
  const double W = (a.flow * a.humidityRatio + b.flow * b.humidityRatio) / flow;
  const double h = (a.flow * hb::Enthalpy(a.dryBulb, a.humidityRatio) +
                    b.flow * hb::Enthalpy(b.dryBulb, b.humidityRatio)) /
                   flow;
  ProcessResult result = Mixture(a.dryBulb, W, h, flow, P, over);
  // The streams' own enthalpies, not stream a's at the mixture's W, are what
  // went in: mixing adds no heat. Fog keeps its water, condensed (negative).
  result.sensibleLoad = 0.0;
  result.latentLoad = 0.0;
  result.sensibleHeatRatio = std::nan("");
  if (result.status != Status::Fog) result.water = 0.0;
  return result;
}

double DryAirFlow(double dryBulb, double humidityRatio, double volumeFlow, double P) noexcept {
  for (const double x : {dryBulb, humidityRatio, volumeFlow, P}) {
    if (!std::isfinite(x)) return std::nan("");
  }
  if (!(P > 0.0)) return std::nan("");
  return volumeFlow / hb::SpecificVolume(dryBulb, humidityRatio, P);
}

ProcessResult MixVolumes(Stream a, Stream b, double P, Phase over) noexcept {
  for (Stream* s : {&a, &b}) {
    if (!(s->flow >= 0.0)) return air::Failed(Status::InvalidInput);
    s->flow = DryAirFlow(s->dryBulb, s->humidityRatio, s->flow, P);
  }
  return Mix(a, b, P, over);
}

}  // namespace hygrian
