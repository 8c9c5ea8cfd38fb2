// The options of a program that reads tables of processes, the same in every
// such program: the process every row has, and the units of flows and loads.
// AddProcessOptions puts them on a command line; cli::ReadProcessUnits
// (cli/process_fields.h) checks their units.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <string_view>

namespace hygrian::cli {

// The texts of the processes' options as given (empty: not given).
struct ProcessTexts {
  std::string kind;       // every row's process: --process (batch), --process-kind (chart)
  std::string flowUnit;   // --flow-unit
  std::string flowBasis;  // --flow-basis
  std::string loadUnit;   // --load-unit
};

// Adds the options to app, the process's as kindOption with kindHelp, to fill
// texts (which must outlive app).
void AddProcessOptions(CLI::App& app, std::string_view kindOption, const std::string& kindHelp,
                       ProcessTexts& texts);

}  // namespace hygrian::cli
