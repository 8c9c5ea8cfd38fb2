// A whole run of hygrian-chart once its command line is read: the points file
// onto the chart, the chart to its output.
#pragma once

#include "chart/options.h"
#include "cli/platform.h"

namespace hygrian::chart {

// Draws the chart and writes it; returns the exit status: 0 when every point is
// drawn, 1 when a row was left out (the chart is written all the same) or the
// chart could not be written (an output file is then left as it was, see
// cli::OutputFile), 2 when the points file cannot be read or the output cannot
// be opened, with nothing written.
[[nodiscard]] int RunChart(cli::Platform& platform, const Options& options);

}  // namespace hygrian::chart
