#include "hygrian/arrays.h"

#include <cstddef>
#include <optional>

#include "air/handbook/arrays.h"

namespace hygrian {
namespace {

// Which of the handbook model's vector paths a pair takes, if any.
struct Path {
  air::handbook::Second second;
  bool specificHumidity;
};
std::optional<Path> PathOf(const Pair& pair) {
  using air::handbook::Second;
  if (pair.given[0].member != &State::dryBulb) return std::nullopt;
  if (pair.key == "dry_bulb_specific_humidity") return Path{Second::HumidityRatio, true};
  const auto member = pair.given[1].member;
  if (member == &State::wetBulb) return Path{Second::WetBulb, false};
  if (member == &State::dewPoint) return Path{Second::DewPoint, false};
  if (member == &State::relativeHumidity) return Path{Second::RelativeHumidity, false};
  if (member == &State::humidityRatio) return Path{Second::HumidityRatio, false};
  return std::nullopt;
}

}  // namespace

bool ComputeStates(const Pair& pair, std::span<const double> first, std::span<const double> second,
                   std::span<const double> pressure, std::span<Result> out,
                   Options options) noexcept {
  const std::size_t n = out.size();
  const bool onePressure = pressure.size() == 1;
  if (first.size() != n || second.size() != n || !(onePressure || pressure.size() == n)) {
    return false;
  }
  const std::optional<Path> path = PathOf(pair);
  if (options.model == Model::Handbook && path) {
    const air::handbook::Columns columns{
        first.data(), second.data(),          pressure.data(), onePressure, n,
        path->second, path->specificHumidity, pair.compute};
    air::handbook::ComputeStates(columns, out.data(), options.over);
    return true;
  }
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = pair.compute(first[i], second[i], pressure[onePressure ? 0 : i], options);
  }
  return true;
}

std::string_view VectorInstructionSet() noexcept { return air::handbook::VectorTarget(); }

}  // namespace hygrian
