// The command line of hygrian-chart, read into what to draw and where to.
#pragma once

#include <optional>
#include <string>

#include "chart/frame.h"
#include "cli/command_line.h"

namespace hygrian::chart {

inline constexpr std::string_view ProgramName = "hygrian-chart";

struct Options {
  ChartSettings settings;     // settings.pressure from the common options
  bool process = false;       // join the points with arrows, in file order
  std::string pointsFile;     // empty: no points; "-": standard input
  cli::CommonOptions common;  // the output, quiet, the pressure
};

// Reads "--dry-bulb=-10:50" and the like into options (argv[0] is the program's
// name). Returns the exit status to end with at once, after help, the version or
// a usage error has been written through platform; none when the chart is to be
// drawn.
[[nodiscard]] std::optional<int> ReadCommandLine(cli::Platform& platform, int argc,
                                                 const char* const* argv, Options& options);

}  // namespace hygrian::chart
