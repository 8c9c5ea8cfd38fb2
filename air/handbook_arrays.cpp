#include "air/handbook_arrays.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "air/handbook.h"
#include "air/handbook_cases.h"
#include "air/handbook_dew_point.h"

namespace hygrian::air::handbook {
namespace {

double State::*MemberOf(Second second) {
  switch (second) {
    case Second::WetBulb:
      return &State::wetBulb;
    case Second::DewPoint:
      return &State::dewPoint;
    case Second::RelativeHumidity:
      return &State::relativeHumidity;
    case Second::HumidityRatio:
      break;
  }
  return &State::humidityRatio;
}

// A state every lane may compute harmlessly: where a row is refused before any
// relation, and in the padding after the last row.
constexpr double kQuietDryBulb = 20.0;
constexpr double kQuietPressure = 101.325;
double QuietValue(Second second) {
  switch (second) {
    case Second::WetBulb:
      return 15.0;
    case Second::DewPoint:
      return 10.0;
    case Second::RelativeHumidity:
      return 50.0;
    case Second::HumidityRatio:
      break;
  }
  return 0.01;
}

// The pair of row i, q already made a humidity ratio; `valid` false where q is
// outside [0, 1) (the scalar function then refuses the row).
DryBulbPair PairOf(const Columns& c, std::size_t i, bool& valid) {
  double value = c.value[i];
  valid = true;
  if (c.specificHumidity) {
    valid = value >= 0.0 && value < 1.0;
    if (valid) value = value / (1.0 - value);
  }
  return {MemberOf(c.second), c.t[i], value, c.P[c.onePressure ? 0 : i]};
}

// Rows first..first+count (count at most kBlock).
void ComputeBlock(const Columns& c, std::size_t first, std::size_t count, Result* out, Phase over,
                  Block& block) {
  std::array<bool, kBlock> lanes{};
  std::array<DryBulbPair, kBlock> pairs{};
  for (std::size_t k = 0; k < count; ++k) {
    bool valid = true;
    pairs[k] = PairOf(c, first + k, valid);
    const Status status = valid ? ScreenDryBulbPair(pairs[k]) : Status::InvalidInput;
    lanes[k] = status == Status::Ok;
    if (!lanes[k]) {
      const std::size_t i = first + k;
      out[i] = c.compute(c.t[i], c.value[i], c.P[c.onePressure ? 0 : i], {Model::Handbook, over});
    }
    block.t[k] = lanes[k] ? pairs[k].t : kQuietDryBulb;
    block.value[k] = lanes[k] ? pairs[k].value : QuietValue(c.second);
    block.P[k] = lanes[k] ? pairs[k].P : kQuietPressure;
  }
  const std::size_t padded = (count + kWidest - 1) / kWidest * kWidest;
  for (std::size_t k = count; k < padded; ++k) {
    block.t[k] = kQuietDryBulb;
    block.value[k] = QuietValue(c.second);
    block.P[k] = kQuietPressure;
  }
  ForwardLanes(block, padded, c.second, over == Phase::Ice);
  std::array<bool, kBlock> dewPointKnown{};
  for (std::size_t k = 0; k < padded; ++k) {
    // The dew point given, found in the lanes, or by the scalar search.
    dewPointKnown[k] = k < count && lanes[k];
    if (c.second == Second::DewPoint) {
      block.dewPoint[k] = block.value[k];
    } else if (dewPointKnown[k] && std::isnan(block.dewPoint[k])) {
      block.dewPoint[k] = DewPoint(block.p[k], block.P[k], over);
    }
  }
  if (c.second != Second::WetBulb) WetBulbLanes(block, padded, over == Phase::Ice);
  for (std::size_t k = 0; k < count; ++k) {
    if (!lanes[k]) continue;
    Forward forward{block.p[k],
                    block.W[k],
                    block.saturation[k],
                    {block.logValue[k], block.logSlope[k]},
                    block.relativeHumidity[k],
                    block.saturated[k],
                    block.enthalpy[k],
                    block.volume[k]};
    forward.dewPoint = block.dewPoint[k];
    forward.dewPointKnown = dewPointKnown[k];
    forward.wetBulb = block.wetBulb[k];
    forward.wetBulbKnown = c.second != Second::WetBulb && block.wetBulbKnown[k] != 0.0;
    DecideInto(pairs[k], forward, over, out[first + k]);
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
