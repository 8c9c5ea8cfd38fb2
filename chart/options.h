// The command line of hygrian-chart, read into what to draw and where to.
#pragma once

#include <optional>
#include <string>

#include "chart/frame.h"
#include "cli/command_line.h"
#include "cli/compute.h"
#include "cli/process_fields.h"
#include "cli/units.h"
#include "tables/table.h"

namespace hygrian::chart {

inline constexpr std::string_view kProgramName = "hygrian-chart";

struct Options {
  ChartSettings settings;                        // settings.pressure from the common options
  bool process = false;                          // join the points with arrows, in file order
  std::string pointsFile;                        // empty: no points; "-": standard input
  std::string zonesFile;                         // empty: no zones
  std::string processesFile;                     // empty: no processes
  std::optional<cli::Process> processKind;       // --process-kind: every row's process
  cli::FlowUnit flowUnit = cli::FlowUnit::Mass;  // --flow-unit
  cli::TableUnits pointUnits;                    // --unit: the points' and zones' columns' units
  bool pointsByDefault = false;  // standard input, read because no file is named and it is
                                 // not a terminal: empty, it has no points and that is fine
  cli::CommonOptions common;     // the output, quiet, the pressure
  tables::ReadOptions read =
      cli::ProgramReadOptions();  // how the points file is read, as hygrian-batch reads
};

// The top of the humidity-ratio axis (in its unit) for --dry-bulb without
// --humidity-ratio: the saturation curve's at the range's top (it rises with t)
// at the chart's pressure, rounded up to a tick; 1000 where the saturation
// pressure reaches the chart's pressure. -40:10 at 101.325 kPa gives 8.
double FittedHumidityRatio(const ChartSettings& settings);

// Reads "--dry-bulb=-10:50" and the like into options (argv[0] is the program's
// name), through platform (whether standard input is a terminal). Returns the exit status to end
// with at once, after help, the version or a usage error has been written through platform; none
// when the chart is to be drawn.
[[nodiscard]] std::optional<int> ReadCommandLine(cli::Platform& platform, int argc,
                                                 const char* const* argv, Options& options);

}  // namespace hygrian::chart
