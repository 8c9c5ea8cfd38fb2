// ComputeMeasures: the states of a block through ComputeStates (SIMD lanes for
// the handbook model's dry-bulb pairs), then the measure state by state.
#include <algorithm>
#include <array>
#include <cstddef>

#include "hygrian/arrays.h"
#include "hygrian/measures.h"
#include "hygrian/outcomes.h"

namespace hygrian {
namespace {

// The states computed at once: a few of ComputeStates's blocks.
constexpr std::size_t kChunk = 256;

bool Fits(std::span<const double> column, std::size_t n) {
  return column.size() == n || column.size() <= 1;
}

double At(std::span<const double> column, std::size_t i) {
  if (column.empty()) return NotGiven;
  return column[column.size() == 1 ? 0 : i];
}

}  // namespace

bool ComputeMeasures(const Measure& measure, const Pair& pair, std::span<const double> first,
                     std::span<const double> second, std::span<const double> pressure,
                     const SurroundingColumns& around, std::span<MeasureResult> out,
                     Options options) noexcept {
  const std::size_t n = out.size();
  if (first.size() != n || second.size() != n || pressure.empty() || !Fits(pressure, n)) {
    return false;
  }
  for (const std::span<const double> column : around.columns) {
    if (!Fits(column, n)) return false;
  }
  std::array<Result, kChunk> states;
  for (std::size_t from = 0; from < n; from += kChunk) {
    const std::size_t count = std::min(kChunk, n - from);
    const std::span<const double> P =
        pressure.size() == 1 ? pressure : pressure.subspan(from, count);
    const std::span<Result> block(states.data(), count);
    if (!ComputeStates(pair, first.subspan(from, count), second.subspan(from, count), P, block,
                       options)) {
      return false;
    }
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t i = from + k;
      const Result& r = states[k];
      if (!RulesOf(OutcomeOf(r).kind).computed) {
        out[i] = {NotGiven, r.status};
        continue;
      }
      Surroundings s;
      for (std::size_t c = 0; c < MeasureInputs.size(); ++c) {
        s.*MeasureInputs[c].member = At(around.columns[c], i);
      }
      MeasureResult m = measure.compute(r.state, At(pressure, i), s);
      if (m.status == Status::Ok) m.status = r.status;
      out[i] = m;
    }
  }
  return true;
}

}  // namespace hygrian
