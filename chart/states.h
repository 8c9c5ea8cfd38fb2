// The states a chart numbers: the points in file order, then each process's
// entering state (both streams of a mix) and its leaving state, in the order
// of the processes file; a chain's row that enters where the row above left
// shares that state's number. Each keeps its short label (a points file's
// label column; a process row's state_label, b_state_label and leaving_label),
// so that the chart marks "1 OA", "2 MA" and the table lists them.
#pragma once

#include <limits>
#include <string>
#include <vector>

#include "chart/frame.h"
#include "chart/marks.h"
#include "chart/process_file.h"

namespace hygrian::chart {

struct NumberedState {
  int number = 0;
  std::string label;  // the short label, may be empty
  State state;
  bool wetBulbFound = true;
  bool onPlot = true;  // inside the plot, with a marker
  // The process this state leaves, with its flow and loads; none for a point
  // or a process's entering state.
  const ComputedProcess* leaves = nullptr;
  // The dry-air flow through the state, kg/s; NaN for a point.
  double flow = std::numeric_limits<double>::quiet_NaN();
};

// The points (PlotPoint::onPlot, their labels) and the processes' states,
// numbered from 1.
std::vector<NumberedState> NumberStates(const Frame& frame, const std::vector<PlotPoint>& points,
                                        const std::vector<ComputedProcess>& processes);

// What a state's marker is labelled: "2 MA", or "2" without a label.
std::string NumberedText(const NumberedState& state);

}  // namespace hygrian::chart
