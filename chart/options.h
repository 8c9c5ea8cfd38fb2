// The command line of hygrian-chart, parsed into what to draw and where to.
// Parsing does no I/O: help, version and usage errors come back as text and an
// exit status for the caller to write.
#pragma once

#include <optional>
#include <string>

#include "chart/frame.h"

namespace hygrian::chart {

struct Options {
  ChartSettings settings;
  bool process = false;    // join the points with arrows, in file order
  std::string pointsFile;  // empty: no points; "-": standard input
  std::string outputFile;  // empty: standard output
};

struct ParsedCommandLine {
  std::optional<Options> options;  // set when the chart is to be drawn
  std::string out;                 // for standard output (help, version)
  std::string err;                 // for standard error (usage errors)
  int status = 0;                  // exit status when options is empty: 0 or 2
};

// "--dry-bulb=-10:50" and the like. argv[0] is the program's name.
ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace hygrian::chart
