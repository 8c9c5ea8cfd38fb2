#include "chart/states.h"

#include <utility>

namespace hygrian::chart {
namespace {

bool SameState(const State& a, const State& b) {
  return a.dryBulb == b.dryBulb && a.humidityRatio == b.humidityRatio;
}

}  // namespace

std::vector<NumberedState> NumberStates(const Frame& frame, const std::vector<PlotPoint>& points,
                                        const std::vector<ComputedProcess>& processes) {
  std::vector<NumberedState> states;
  const auto add = [&](const State& state, bool wetBulbFound, std::string label, double flow,
                       const ComputedProcess* leaves) {
    const bool onPlot = FitOf(frame, state.dryBulb, state.humidityRatio) == Fit::Inside;
    states.push_back({static_cast<int>(states.size()) + 1, std::move(label), state, wetBulbFound,
                      onPlot, leaves, flow});
  };
  for (const PlotPoint& point : points) {
    add(point.state, point.wetBulbFound, point.label, std::numeric_limits<double>::quiet_NaN(),
        nullptr);
    states.back().onPlot = point.onPlot;
  }
  const ComputedProcess* previous = nullptr;
  for (const ComputedProcess& process : processes) {
    const bool mix = process.kind->process == cli::Process::Mix;
    const bool continues =
        previous != nullptr && !mix && SameState(process.entering, previous->result.leaving);
    if (continues) {
      // The row above's leaving state, under the label either row gives it.
      if (states.back().label.empty()) states.back().label = process.labels[0];
    } else {
      add(process.entering, true, process.labels[0], process.enteringFlows[0], nullptr);
      if (mix) add(process.second, true, process.labels[1], process.enteringFlows[1], nullptr);
    }
    add(process.result.leaving,
        process.kind->process != cli::Process::Mix || process.result.status != Status::Fog,
        process.labels[2], process.result.flow, &process);
    previous = &process;
  }
  return states;
}

std::string NumberedText(const NumberedState& state) {
  std::string text = std::to_string(state.number);
  if (!state.label.empty()) text += " " + state.label;
  return text;
}

}  // namespace hygrian::chart
