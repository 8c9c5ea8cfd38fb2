#include "air/handbook/arrays.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "air/handbook/cases.h"
#include "air/handbook/dew_point.h"
#include "air/handbook/relations.h"
#include "hygrian/outcomes.h"

namespace hygrian::air::handbook {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// The given value of row i, q or e made a humidity ratio (NaN where q is
// outside [0, 1) or e outside [0, P): the scalar function then refuses the row).
double ValueOf(const Columns& c, std::size_t i) {
  const double value = c.value[i];
  if (c.given == &State::vaporPressure) {
    return HumidityRatioOfVaporPressure(value, c.P[c.onePressure ? 0 : i]);
  }
  if (c.given != &State::specificHumidity) return value;
  return value >= 0.0 && value < 1.0 ? value / (1.0 - value) : kNan;
}

// What the pair's function holds of the given value in the state it gives: a
// specific humidity always as given, a vapour pressure where no state was
// computed.
void HoldGiven(const Columns& c, std::size_t i, Result& out) {
  const bool computed = RulesOf(OutcomeOf(out).kind).computed;
  if (c.given == &State::specificHumidity || (c.given == &State::vaporPressure && !computed)) {
    out.state.*c.given = c.value[i];
  }
}

// The state of a plain row k (PlainLanes), written in place as DecideInto
// writes it: the forward values, the given value where it was given.
void WritePlain(const Block& b, std::size_t k, double State::*second, Result& out) {
  State& s = out.state;
  s.dryBulb = b.t[k];
  s.wetBulb = second == &State::wetBulb ? b.value[k] : b.wetBulb[k];
  s.dewPoint = b.dewPoint[k];
  s.relativeHumidity = second == &State::relativeHumidity ? b.value[k] : b.relativeHumidity[k];
  s.enthalpy = b.enthalpy[k];
  s.humidityRatio = b.W[k];
  s.specificHumidity = SpecificHumidity(b.W[k]);
  s.degreeOfSaturation = b.W[k] / b.saturated[k];
  s.specificVolume = b.volume[k];
  s.vaporPressure = b.p[k];
  out.status = Status::Ok;
  out.wetBulbFound = true;
}

// Rows first..first+count (count at most kBlock).
void ComputeBlock(const Columns& c, std::size_t first, std::size_t count, Result* out, Phase over,
                  Block& block) {
  for (std::size_t k = 0; k < count; ++k) {
    block.t[k] = c.t[first + k];
    block.value[k] = ValueOf(c, first + k);
    block.P[k] = c.P[c.onePressure ? 0 : first + k];
  }
  const std::size_t padded = (count + kWidest - 1) / kWidest * kWidest;
  for (std::size_t k = count; k < padded; ++k) {
    block.t[k] = block.value[k] = block.P[k] = kNan;
  }
  ForwardLanes(block, padded, c.second, over == Phase::Ice);
  for (std::size_t k = 0; k < padded; ++k) {
    // The dew point given, found in the lanes, or by the scalar search.
    if (c.second == &State::dewPoint) {
      block.dewPoint[k] = block.value[k];
    } else if (block.screened[k] != 0.0 && std::isnan(block.dewPoint[k])) {
      block.dewPoint[k] = DewPoint(block.p[k], block.P[k], over);
    }
  }
  if (c.second != &State::wetBulb) WetBulbLanes(block, padded, over == Phase::Ice);
  PlainLanes(block, padded, c.second);
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t i = first + k;
    if (block.plain[k] != 0.0) {
      WritePlain(block, k, c.second, out[i]);
    } else if (block.screened[k] == 0.0) {
      out[i] = c.compute(c.t[i], c.value[i], c.P[c.onePressure ? 0 : i], {Model::Handbook, over});
    } else {
      Forward forward{block.p[k],
                      block.W[k],
                      block.saturation[k],
                      {block.logValue[k], block.logSlope[k]},
                      block.relativeHumidity[k],
                      block.saturated[k],
                      block.enthalpy[k],
                      block.volume[k]};
      forward.dewPoint = block.dewPoint[k];
      forward.dewPointKnown = true;
      forward.wetBulb = block.wetBulb[k];
      forward.wetBulbKnown = c.second != &State::wetBulb && block.wetBulbKnown[k] != 0.0;
      const DryBulbPair pair{c.second, block.t[k], block.value[k], block.P[k]};
      DecideInto(pair, forward, over, out[i]);
    }
    HoldGiven(c, i, out[i]);
  }
}

}  // namespace

void ComputeStates(const Columns& columns, Result* out, Phase over) {
  Block block;
  for (std::size_t first = 0; first < columns.n; first += kBlock) {
    ComputeBlock(columns, first, std::min(kBlock, columns.n - first), out, over, block);
  }
}

}  // namespace hygrian::air::handbook
