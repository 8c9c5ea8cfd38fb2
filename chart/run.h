// A whole run of hygrian-chart once its command line is read (what to draw and
// where to): the points file onto the chart, the chart to its output.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/comfort_zone.h"
#include "chart/envelopes.h"
#include "chart/frame.h"
#include "chart/overlay.h"
#include "chart/render.h"
#include "chart/sheet.h"
#include "cli/compute.h"
#include "cli/options.h"
#include "cli/platform.h"
#include "cli/process_fields.h"
#include "cli/units.h"
#include "tables/table.h"

namespace hygrian::chart {

inline constexpr std::string_view kProgramName = "hygrian-chart";

struct Options {
  ChartSettings settings;                   // settings.pressure from the common options
  bool process = false;                     // join the points with arrows, in file order
  std::string pointsFile;                   // empty: no points; "-": standard input
  std::string zonesFile;                    // empty: no zones
  std::string processesFile;                // empty: no processes
  std::optional<cli::Process> processKind;  // --process-kind: every row's process
  cli::ProcessUnits processUnits;  // --unit, --units, --flow-unit, --flow-basis, --load-unit
  cli::TableUnits pointUnits;      // --unit: the points' and zones' columns' units
  bool pointsByDefault = false;    // standard input, read because no file is named and it is
                                   // not a terminal: empty, it has no points and that is fine
  cli::CommonOptions common;       // the output, quiet, the pressure
  tables::ReadOptions read =
      cli::ProgramReadOptions();  // how the points file is read, as hygrian-batch reads
  std::string page;  // --html: the browser page to write with the points (see chart/page.h)
  // The browser page's points past the density threshold, as chart/binned.h's
  // text: counted into the density under the points file's.
  std::string background;
  // No --humidity-ratio: the axis's top fits the states, processes and zones
  // drawn (with a margin), not the default.
  bool fitHumidityRatio = false;
  std::vector<ComfortConditions> comfort;  // --comfort: a zone each
  bool comfortLimit = false;               // --comfort-limit: ASHRAE 55's 0.012
  std::vector<const Envelope*> envelopes;  // --zones by name
  const OverlayKind* overlay = nullptr;    // --overlay: heat-stress bands, or none
  SheetSettings sheet;                     // the format, page, table and title block
};

// Draws the chart and writes it; returns the exit status: 0 when every point is
// drawn, 1 when a row was left out (the chart is written all the same) or the
// chart could not be written (an output file is then left as it was, see
// cli::OutputFile), 2 when the points file cannot be read or the output cannot
// be opened, with nothing written. The output is opened first, before any file
// is read, and written once the chart is drawn. A PDF or PNG is drawn by
// `renderer` (none: status 2, "PDF and PNG need a hygrian-chart built with
// librsvg"); one it cannot draw is status 1.
[[nodiscard]] int RunChart(cli::Platform& platform, const Options& options,
                           const Renderer* renderer = nullptr);

}  // namespace hygrian::chart
