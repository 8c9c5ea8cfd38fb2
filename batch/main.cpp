// hygrian-batch: moist-air states for every row of CSV tables. Options are read
// here; the run itself is RunBatch's.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "batch/platform.h"
#include "batch/run.h"
#include "tables/numbers.h"

namespace {

using hygrian::batch::ProgramName;

constexpr std::string_view UsageLine = "Usage: hygrian-batch [OPTIONS] [FILE...]\n";

constexpr std::string_view HelpText =
    "Usage: hygrian-batch [OPTIONS] [FILE...]\n"
    "Compute the moist-air state of every row of CSV tables.\n"
    "\n"
    "Reads each FILE in turn (standard input when there is none, or for -) and\n"
    "writes one CSV table to standard output: a header, then one row per input row.\n"
    "\n"
    "Input: the first row of each file is a header naming dry_bulb (degrees C) and\n"
    "exactly one of wet_bulb (degrees C), dew_point (degrees C), relative_humidity\n"
    "(percent) or humidity_ratio (kg/kg), in any case, blanks around names ignored.\n"
    "An optional pressure column gives each row's total pressure in kPa (an empty\n"
    "field takes --pressure). Other columns are carried through, in front of the\n"
    "results. Several files must have the same header; one that differs, is empty\n"
    "or cannot be read is skipped.\n"
    "\n"
    "Output columns: the carried ones, then dry_bulb, wet_bulb, dew_point (degrees\n"
    "C), relative_humidity (percent), enthalpy (kJ/kg), humidity_ratio (kg/kg),\n"
    "degree_of_saturation, specific_volume (m3/kg), vapor_pressure (kPa) and\n"
    "status: ok; no-wet-bulb (the wet-bulb search gave up; wet_bulb is empty);\n"
    "fault: MESSAGE (only the two given values are written); or bad-input: REASON\n"
    "(no values; the reason also goes to standard error as FILE:LINE: REASON).\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE  write to FILE instead of standard output; FILE may not\n"
    "                     be one of the inputs\n"
    "      --pressure KPA total pressure in kPa for rows without their own\n"
    "                     (default 101.325)\n"
    "      --digits N     write numbers with N significant digits (1 to 17)\n"
    "                     instead of the shortest text that reads back exactly\n"
    "      --json         write JSON Lines: one object per row with the same keys,\n"
    "                     empty values as null, carried fields as strings\n"
    "  -q, --quiet        no progress display, no messages about bad rows\n"
    "  -h, --help         show this help and exit\n"
    "      --version      show the version and exit\n"
    "\n"
    "A progress display (percent, rows per second) appears on standard error when\n"
    "it is a terminal and the input a regular file.\n"
    "\n"
    "Exit status: 0 when every row was good, 1 when a row was bad or the output\n"
    "could not be written, 2 for a usage error or a skipped file.\n";

void Print(std::FILE* stream, std::string_view text) {
  (void)std::fwrite(text.data(), 1, text.size(), stream);
}

// A usage error: the message and the usage line on standard error, status 2.
int UsageError(std::string_view message) {
  (void)std::fflush(stdout);
  Print(stderr, ProgramName);
  Print(stderr, ": ");
  Print(stderr, message);
  Print(stderr, "\n");
  Print(stderr, UsageLine);
  return 2;
}

bool ParseDigits(std::string_view text, int& digits) {
  if (text.empty() || text.size() > 2) return false;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > 17) return false;
  digits = value;
  return true;
}

// Whether the output names one of the inputs: by name, or as the same file.
bool OutputIsInput(hygrian::batch::Platform& platform, const hygrian::batch::Options& options) {
  const std::string& output = options.output;
  if (output.empty() || output == "-") return false;
  if (options.files.empty()) {
    return platform.SameFile(output.c_str(), hygrian::batch::StandardInput);
  }
  for (const std::string& file : options.files) {
    if (file == "-" ? platform.SameFile(output.c_str(), hygrian::batch::StandardInput)
                    : file == output || platform.SameFile(output.c_str(), file.c_str())) {
      return true;
    }
  }
  return false;
}

// Reads the options and runs the batch; the exit status.
int Main(int argc, char** argv) {
  hygrian::batch::Options options;
  std::string pressure;
  std::string digits;
  bool help = false;
  bool version = false;

  CLI::App app;
  app.set_help_flag();
  app.allow_extras(false);
  app.add_flag("-h,--help", help)->disable_flag_override();
  app.add_flag("--version", version)->disable_flag_override();
  app.add_option("-o,--output", options.output);
  app.add_option("--pressure", pressure);
  app.add_option("--digits", digits);
  app.add_flag("--json", options.format.json)->disable_flag_override();
  app.add_flag("-q,--quiet", options.quiet)->disable_flag_override();
  app.add_option("FILE", options.files);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return UsageError(error.what());
  }
  if (help) {
    Print(stdout, HelpText);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (version) {
    Print(stdout, "hygrian-batch (hygrian) " HYGRIAN_VERSION "\n");
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (!pressure.empty() || app.count("--pressure") > 0) {
    const auto number = hygrian::tables::ParseNumber(pressure);
    if (number.status != hygrian::tables::NumberStatus::Ok || !(number.value > 0.0)) {
      return UsageError("--pressure: '" + pressure + "' is not a positive number of kPa");
    }
    options.pressure = number.value;
  }
  if (app.count("--digits") > 0 && !ParseDigits(digits, options.format.digits)) {
    return UsageError("--digits: '" + digits + "' is not a whole number from 1 to 17");
  }
  hygrian::batch::SystemPlatform platform;
  if (OutputIsInput(platform, options)) {
    return UsageError("--output: '" + options.output + "' is also an input");
  }
  return hygrian::batch::RunBatch(platform, options);
}
}  // namespace

int main(int argc, char** argv) {
  try {
    return Main(argc, argv);
  } catch (const std::exception& error) {
    // Only running out of memory can get here.
    Print(stderr, ProgramName);
    Print(stderr, ": ");
    Print(stderr, error.what());
    Print(stderr, "\n");
    return 1;
  }
}
