// The command line of a program, in the one style of the house: CLI11, GNU-style
// options, --help (usage line, description, operands, options, footer),
// --version ("hygrian-batch 1.1.0"), and the options every program takes. A
// usage error is "PROGRAM: reason" and a pointer to --help on standard error,
// with exit status 2.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "cli/options.h"
#include "cli/platform.h"

namespace hygrian::cli {

class CommandLine {
 public:
  // program: "hygrian-batch"; description and footer: the text above and below
  // the options in --help. Help, version and usage errors go through platform.
  CommandLine(Platform& platform, std::string_view program, const std::string& description,
              const std::string& footer);

  // The program adds its own options and operands here before Parse.
  [[nodiscard]] CLI::App& App() { return app_; }

  // Adds --units si|ip, described by `help`, for a program whose options follow
  // it: with ip, --pressure is read in psia and --altitude in feet (unless
  // --pressure-unit and --altitude-unit name others), and Common().inchPound
  // is set.
  void AddUnitsOption(const std::string& help);

  // Reads argv and checks the common options. Returns the exit status to end
  // with at once: 0 after --help or --version (written to standard output), 2
  // after a usage error. None when the program is to run.
  [[nodiscard]] std::optional<int> Parse(int argc, const char* const* argv);
  [[nodiscard]] const CommonOptions& Common() const { return common_; }

  // A usage error the program finds itself: writes "PROGRAM: reason" and the
  // pointer to --help; returns 2.
  int UsageError(std::string_view reason) const;

 private:
  std::string CheckCommon();
  std::string CheckModel();

  Platform& platform_;
  std::string_view program_;
  CLI::App app_;
  CommonOptions common_;
  std::string pressure_;  // the texts of the options with checks of their own
  std::string altitude_;
  std::string pressureUnit_;
  std::string altitudeUnit_;
  std::string model_;
  std::string over_;
  std::string supersaturated_;
  std::string units_;  // --units, when the program takes it
  bool hasUnits_ = false;
};

}  // namespace hygrian::cli
