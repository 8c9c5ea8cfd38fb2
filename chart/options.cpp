#include "chart/options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/density.h"
#include "chart/moist_air.h"
#include "chart/number_text.h"
#include "chart/settings_texts.h"
#include "chart/ticks.h"
#include "cli/output_file.h"
#include "cli/process_options.h"
#include "cli/reader_options.h"
#include "cli/words.h"
#include "tables/chars.h"

namespace hygrian::chart {
namespace {

// The chart's own options, in the order --help lists them; ApplySettingsTexts
// checks what they were given.
struct TextOption {
  std::string_view flag;
  std::string SettingsTexts::*text;
  std::string_view help;
  std::string_view typeName;
};
constexpr std::array<TextOption, 6> kTextOptions{{
    {"--dry-bulb", &SettingsTexts::dryBulb, "Dry-bulb range, degrees C or F (-10:50 or 32:120)",
     "MIN:MAX"},
    {"--humidity-ratio", &SettingsTexts::humidityRatio,
     "Axis top, g/kg or lb/lb (30 or 0.028, or fitted)", "MAX"},
    {"--humidity-ratio-unit", &SettingsTexts::humidityRatioUnit,
     "Its unit: g/kg, kg/kg, lb/lb or grains/lb", "UNIT"},
    {"--width", &SettingsTexts::width, "Width of the picture, px (default 1200)", "PX"},
    {"--height", &SettingsTexts::height, "Height of the picture, px (default 800)", "PX"},
    {"--labels", &SettingsTexts::labels, "none, fit (clear of the rest; the default) or all",
     "WHICH"},
}};

// The processes' options into options, their columns in the chart's units
// unless --unit names others; "" or what is wrong.
std::string ReadProcessOptions(const cli::ProcessTexts& texts, Options& options) {
  if (!texts.kind.empty()) {
    options.processKind = cli::ProcessOfWord(texts.kind);
    if (!options.processKind) {
      return "--process-kind: '" + texts.kind + "' is not " + cli::ProcessWords();
    }
  }
  cli::TableUnits columns = options.pointUnits;
  columns.ip = options.common.inchPound;
  if (std::string problem = cli::ReadProcessUnits(texts.flowUnit, texts.flowBasis, texts.loadUnit,
                                                  columns, options.processUnits);
      !problem.empty()) {
    return problem;
  }
  if (options.processesFile.empty()) {
    for (const auto& [text, name] :
         {std::pair{&texts.kind, "--process-kind"}, std::pair{&texts.flowUnit, "--flow-unit"},
          std::pair{&texts.flowBasis, "--flow-basis"}, std::pair{&texts.loadUnit, "--load-unit"}}) {
      if (!text->empty()) return std::string(name) + ": only with --processes";
    }
    return "";
  }
  if (options.settings.options.model != Model::Handbook) {
    return "--processes: with the handbook model only";
  }
  return "";
}

}  // namespace

std::optional<int> ReadCommandLine(cli::Platform& platform, int argc, const char* const* argv,
                                   Options& options) {
  cli::CommandLine line(
      platform, kProgramName,
      "Draw the psychrometric chart as an SVG document on standard output, with the\n"
      "states of POINTS.csv marked on it. POINTS.csv has a header naming dry_bulb and "
      "one of " +
          cli::SecondValuesInWords() + "; or, without such a pair, the first of " +
          cli::MorePairsInWords() +
          " (the handbook model's; enthalpy in kJ/kg). It may have a label column; the "
          "points are computed at the chart's pressure.",
      "A range that starts with a minus takes the = form: --dry-bulb=-20:40.\n"
      "A pressure outside " +
          cli::PressureRangeInWords() +
          " is refused.\n"
          "With --units ip the chart is drawn in degrees F, lb/lb, Btu/lb and ft3/lb;\n"
          "--dry-bulb is in degrees F, --pressure in psia, --altitude in feet, and the\n"
          "unlabelled columns of POINTS.csv and --processes in IP units.\n"
          "With --dry-bulb alone the humidity-ratio axis is fitted to saturation.\n"
          "--processes FILE has one process a row in hygrian-batch --process's columns,\n"
          "named by a process column or --process-kind; a row whose dry_bulb and second\n"
          "value are empty enters where the row above leaves, with its dry-air flow.\n"
          "\n"
          "Exit status: 0 when every point is drawn; 1 when a row is left out or the file\n"
          "has no point (each gets a FILE:LINE: reason line; the chart is still written)\n"
          "or the chart cannot be written; 2 for a usage error, with nothing written.");
  CLI::App& app = line.App();
  line.AddUnitsOption("Units of the chart, options and POINTS.csv (si)");
  SettingsTexts texts;
  for (const TextOption& option : kTextOptions) {
    app.add_option(std::string(option.flag), texts.*option.text, std::string(option.help))
        ->type_name(std::string(option.typeName));
  }
  app.add_flag("--process", options.process, "Join the points with arrows, in file order")
      ->disable_flag_override();
  std::vector<std::string> columnUnits;
  app.add_option("--unit", columnUnits,
                 "A column's unit, else its header's (dry_bulb (degF)), else the chart's")
      ->type_name("COLUMN=UNIT")
      ->allow_extra_args(false);
  app.add_option("--zones", options.zonesFile,
                 "Zones to shade, corners as states: a zone column and a pair's columns")
      ->type_name("FILE");
  app.add_option("--processes", options.processesFile,
                 "Processes to draw, one a row, in hygrian-batch --process's columns")
      ->type_name("FILE");
  cli::ProcessTexts processTexts;
  cli::AddProcessOptions(app, "--process-kind",
                         "Every row's process (mix, heat, coil, ...), else its process column",
                         processTexts);
  app.add_flag("--protractor", options.settings.protractor,
               "A sensible-heat-ratio protractor in the top left corner")
      ->disable_flag_override();
  bool html = false;
  app.add_flag("--html", html, "The interactive page (HTML) with the points pinned")
      ->disable_flag_override();
  app.add_flag("--density", options.settings.density,
               "Points as a density, as past " + std::to_string(kDensityThreshold) + " on the plot")
      ->disable_flag_override();
  cli::ReaderOptions reader;
  cli::AddReaderOptions(app, reader, false);
  if (CLI::Option* quiet = app.get_option_no_throw("--quiet")) {
    quiet->description("No messages about rows left out");
  }
  if (CLI::Option* unit = app.get_option_no_throw("--pressure-unit")) {
    unit->description("Unit of --pressure (kPa, or psi with --units ip; hPa, Pa, mbar, inHg)");
  }
  app.add_option("POINTS.csv", options.pointsFile,
                 "States to mark (- or none for standard input, unless a terminal)")
      ->type_name("");
  if (const auto status = line.Parse(argc, argv)) return status;
  options.common = line.Common();
  options.settings.pressure = options.common.pressure;
  options.settings.hasAltitude = options.common.hasAltitude;
  options.settings.altitude = options.common.altitude;
  options.settings.options = options.common.options;
  options.settings.supersaturated = options.common.supersaturated;
  std::string problem = ApplySettingsTexts(texts, options.common.inchPound, options.settings);
  if (problem.empty()) problem = cli::ReadReaderOptions(reader, options.read);
  if (problem.empty()) problem = cli::ReadUnitOptions(columnUnits, "", options.pointUnits);
  if (problem.empty() && options.read.pair && cli::SearchedPair(*options.read.pair) &&
      options.common.options.model == Model::Calculator) {
    problem = "--pair " + cli::NotWithCalculator(*options.read.pair);
  }
  if (problem.empty()) problem = ReadProcessOptions(processTexts, options);
  if (problem.empty() && options.pointsFile == "-" && options.processesFile == "-") {
    problem = "--processes -: standard input holds the points already";
  }
  if (!problem.empty()) return line.UsageError(problem);
  if (html) options.page = HYGRIAN_WEB_PAGE;
  if (options.pointsFile.empty() && options.processesFile != "-" &&
      !platform.IsTerminal(cli::kStandardInput)) {
    options.pointsFile = "-";
    options.pointsByDefault = true;
  }
  std::vector<std::string> inputs;
  for (const std::string* file :
       {&options.pointsFile, &options.zonesFile, &options.processesFile, &options.page}) {
    if (!file->empty()) inputs.push_back(*file);
  }
  if (cli::OutputIsInput(platform, options.common.output, inputs)) {
    return line.UsageError("--output: '" + options.common.output + "' is also an input");
  }
  return std::nullopt;
}

}  // namespace hygrian::chart
