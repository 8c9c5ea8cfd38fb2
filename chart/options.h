// The command line of hygrian-chart, read into what to draw and where to.
#pragma once

#include <optional>

#include "chart/run.h"
#include "chart/settings_texts.h"
#include "cli/command_line.h"

namespace hygrian::chart {

// Reads "--dry-bulb=-10:50" and the like into options (argv[0] is the program's
// name), through platform (whether standard input is a terminal). Returns the exit status to end
// with at once, after help, the version or a usage error has been written through platform; none
// when the chart is to be drawn.
[[nodiscard]] std::optional<int> ReadCommandLine(cli::Platform& platform, int argc,
                                                 const char* const* argv, Options& options);

}  // namespace hygrian::chart
