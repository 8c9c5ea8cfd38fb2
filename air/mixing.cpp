// Adiabatic mixing of two streams: mass and energy conserved per kg of dry air.
#include <cmath>

#include "air/handbook.h"
#include "air/process.h"
#include "hygrian/processes.h"

namespace hygrian {

ProcessResult Mix(Stream a, Stream b, double P, Phase over) noexcept {
  for (const Stream& s : {a, b}) {
    const Status status = air::Screen(s.dryBulb, s.humidityRatio, s.flow, P, 0.0, 0.0);
    if (status != Status::Ok) return air::Failed(status);
  }
  const double flow = a.flow + b.flow;
  if (!(flow > 0.0)) return air::Failed(Status::InvalidInput);
  const double W = (a.flow * a.humidityRatio + b.flow * b.humidityRatio) / flow;
  const double h = (a.flow * air::handbook::Enthalpy(a.dryBulb, a.humidityRatio) +
                    b.flow * air::handbook::Enthalpy(b.dryBulb, b.humidityRatio)) /
                   flow;
  ProcessResult result =
      air::Balance(a.dryBulb, W, flow, FromHumidityRatioEnthalpy(W, h, P, {.over = over}), 0.0);
  // The streams' own enthalpies, not stream a's at the mixture's W, are what
  // went in: mixing adds no heat.
  result.sensibleLoad = 0.0;
  result.latentLoad = 0.0;
  result.totalLoad = 0.0;
  result.sensibleHeatRatio = std::nan("");
  result.water = 0.0;
  return result;
}

double DryAirFlow(double dryBulb, double humidityRatio, double volumeFlow, double P) noexcept {
  for (const double x : {dryBulb, humidityRatio, volumeFlow, P}) {
    if (!std::isfinite(x)) return std::nan("");
  }
  if (!(P > 0.0)) return std::nan("");
  return volumeFlow / air::handbook::SpecificVolume(dryBulb, humidityRatio, P);
}

ProcessResult MixVolumes(Stream a, Stream b, double P, Phase over) noexcept {
  for (Stream* s : {&a, &b}) {
    if (!(s->flow >= 0.0)) return air::Failed(Status::InvalidInput);
    s->flow = DryAirFlow(s->dryBulb, s->humidityRatio, s->flow, P);
  }
  return Mix(a, b, P, over);
}

}  // namespace hygrian
