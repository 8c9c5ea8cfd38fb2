#include "chart/options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>
#include <tuple>
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
constexpr std::array<TextOption, 7> kTextOptions{{
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
    {"--diagram", &SettingsTexts::diagram,
     "psychrometric (the default) or mollier: the h-x diagram, humidity ratio across", "KIND"},
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

// The sheet's options as given.
struct SheetTexts {
  std::string format;       // svg, pdf or png; else by the output's extension
  std::string page;         // a4, letter or a3
  std::string orientation;  // landscape or portrait
  std::string dpi;
  std::string style;  // screen or print
  bool table = false;
};

void AddSheetOptions(CLI::App& app, SheetTexts& texts, SheetSettings& sheet) {
  app.add_option("--format", texts.format,
                 "svg, pdf or png (else by -o's extension: .pdf, .png; svg)")
      ->type_name("FORMAT");
  app.add_option("--page", texts.page, "The chart on a page: a4, letter or a3 (a PDF's: a4)")
      ->type_name("SIZE");
  app.add_option("--orientation", texts.orientation, "landscape (the default) or portrait")
      ->type_name("WAY");
  app.add_option("--dpi", texts.dpi, "A PNG's pixels per inch, 36 to 1200 (150)")->type_name("N");
  app.add_option("--style", texts.style, "screen (colours; SVG, PNG) or print (grey; PDF)")
      ->type_name("STYLE");
  app.add_flag("--table", texts.table, "The table of the numbered states under the chart")
      ->disable_flag_override();
  for (const auto& [flag, text, help] :
       {std::tuple{"--title", &sheet.title, "The title block's title"},
        std::tuple{"--project", &sheet.project, "The title block's project"},
        std::tuple{"--site", &sheet.site, "The title block's site (the pressure and altitude)"}}) {
    app.add_option(flag, *text, help)->type_name("TEXT");
  }
}

// --zones by name: envelopes for a list of their keys, which then name no file;
// "" or what is wrong.
std::string ReadZoneNames(Options& options) {
  const std::string& text = options.zonesFile;
  if (text.rfind("tc9.9-", 0) != 0) return "";
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find(',', at), text.size());
    const std::string_view key = std::string_view(text).substr(at, end - at);
    const Envelope* envelope = FindEnvelope(key);
    if (envelope == nullptr) {
      return "--zones: '" + std::string(key) +
             "' is not tc9.9-recommended, tc9.9-a1, tc9.9-a2, tc9.9-a3 or tc9.9-a4";
    }
    options.envelopes.push_back(envelope);
    at = end + 1;
  }
  options.zonesFile.clear();
  return "";
}

// The overlays' words joined by `between`: "heat-index|humidex".
std::string OverlayWords(std::string_view between) {
  std::string words;
  for (const OverlayKind& kind : kOverlays) {
    words += (words.empty() ? "" : std::string(between)) + std::string(kind.key);
  }
  return words;
}

// --overlay's word into options.overlay (none: no overlay); "" or what is wrong.
std::string ReadOverlay(const std::string& text, Options& options) {
  if (text.empty() || text == "none") return "";
  options.overlay = FindOverlay(text);
  if (options.overlay != nullptr) return "";
  return "--overlay: '" + text + "' is not " + OverlayWords(", ") + " or none";
}

// The format an output file's name asks for: .pdf, .png, else SVG.
Format FormatOfName(std::string_view name) {
  const auto ends = [&](std::string_view end) {  // end in lower case; .PDF as well
    if (name.size() <= end.size()) return false;
    const std::string_view tail = name.substr(name.size() - end.size());
    return std::equal(tail.begin(), tail.end(), end.begin(), [](char a, char b) {
      return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
  };
  if (ends(".pdf")) return Format::Pdf;
  if (ends(".png")) return Format::Png;
  return Format::Svg;
}

// The sheet's options into sheet; "" or what is wrong.
std::string ReadSheetOptions(const SheetTexts& texts, const std::string& output, Diagram diagram,
                             SheetSettings& sheet, Style& style) {
  sheet.format = FormatOfName(output);
  if (!texts.format.empty()) {
    constexpr std::array<std::pair<std::string_view, Format>, 3> kFormats{
        {{"svg", Format::Svg}, {"pdf", Format::Pdf}, {"png", Format::Png}}};
    const auto* found = std::find_if(kFormats.begin(), kFormats.end(),
                                     [&](const auto& f) { return f.first == texts.format; });
    if (found == kFormats.end()) return "--format: '" + texts.format + "' is not svg, pdf or png";
    sheet.format = found->second;
  }
  if (!texts.page.empty()) {
    const auto* found = std::find_if(kPageSizes.begin(), kPageSizes.end(),
                                     [&](const PageSize& p) { return p.name == texts.page; });
    if (found == kPageSizes.end()) return "--page: '" + texts.page + "' is not a4, letter or a3";
    sheet.page = &*found;
  } else if (sheet.format == Format::Pdf) {
    sheet.page = &kPageSizes[0];
  }
  if (!texts.orientation.empty()) {
    if (texts.orientation != "landscape" && texts.orientation != "portrait") {
      return "--orientation: '" + texts.orientation + "' is not landscape or portrait";
    }
    if (sheet.page == nullptr) return "--orientation: only with --page";
    sheet.portrait = texts.orientation == "portrait";
  }
  if (!texts.dpi.empty()) {
    int dpi = 0;
    const char* end = texts.dpi.data() + texts.dpi.size();
    if (std::from_chars(texts.dpi.data(), end, dpi).ptr != end || dpi < 36 || dpi > 1200) {
      return "--dpi: expected a whole number from 36 to 1200, not '" + texts.dpi + "'";
    }
    if (sheet.format != Format::Png) return "--dpi: only for a PNG";
    sheet.dpi = dpi;
  }
  style = sheet.format == Format::Pdf ? Style::Print : Style::Screen;
  if (!texts.style.empty()) {
    if (texts.style != "screen" && texts.style != "print") {
      return "--style: '" + texts.style + "' is not screen or print";
    }
    style = texts.style == "print" ? Style::Print : Style::Screen;
  }
  sheet.table = texts.table;
  sheet.titleBlock = sheet.page != nullptr || !sheet.title.empty() || !sheet.project.empty() ||
                     !sheet.site.empty();
  if (sheet.titleBlock && sheet.title.empty()) {
    sheet.title = diagram == Diagram::Mollier ? "Mollier h-x diagram" : "Psychrometric chart";
  }
  return "";
}

}  // namespace

std::optional<int> ReadCommandLine(cli::Platform& platform, int argc, const char* const* argv,
                                   Options& options) {
  cli::CommandLine line(
      platform, kProgramName,
      "Draw the psychrometric chart as an SVG document (or a PDF or PNG) on standard\n"
      "output, with the states of POINTS.csv marked on it. POINTS.csv has a header naming dry_bulb "
      "and "
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
          "Without --humidity-ratio the axis fits what is drawn (15 % over the most humid\n"
          "state), no higher than saturation at the range's top (--dry-bulb alone).\n"
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
                 "Zones to shade: a file of corners as states (a zone column and a pair's "
                 "columns), or envelopes by name: tc9.9-recommended,tc9.9-a1,...,tc9.9-a4")
      ->type_name("FILE|NAMES");
  std::string comfort;
  CLI::Option* comfortOption =
      app.add_option("--comfort", comfort,
                     "The zone where |PMV| <= 0.5 for MET,CLO,SPEED (1.1,0.5,0.1: met, clo, "
                     "m/s or fpm)")
          ->type_name("[MET,CLO,SPEED]")
          ->expected(0, 1);
  app.add_flag("--comfort-limit", options.comfortLimit,
               "The comfort zone below ASHRAE 55's humidity ratio of 0.012")
      ->disable_flag_override();
  std::string overlay;
  app.add_option("--overlay", overlay, "Shade the heat index's (NWS) or the humidex's categories")
      ->type_name(OverlayWords("|") + "|none");
  app.add_option("--processes", options.processesFile,
                 "Processes to draw, one a row, in hygrian-batch --process's columns")
      ->type_name("FILE");
  cli::ProcessTexts processTexts;
  cli::AddProcessOptions(app, "--process-kind",
                         "Every row's process (mix, heat, coil, ...), else its process column",
                         processTexts);
  app.add_flag("--protractor", options.settings.protractor,
               "A protractor (sensible heat ratio, dh/dW) in the top left corner")
      ->disable_flag_override();
  SheetTexts sheetTexts;
  AddSheetOptions(app, sheetTexts, options.sheet);
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
  options.fitHumidityRatio = texts.humidityRatio.empty();
  if (problem.empty()) problem = cli::ReadReaderOptions(reader, options.read);
  if (problem.empty()) problem = cli::ReadUnitOptions(columnUnits, "", options.pointUnits);
  if (problem.empty() && options.read.pair && cli::SearchedPair(*options.read.pair) &&
      options.common.options.model == Model::Calculator) {
    problem = "--pair " + cli::NotWithCalculator(*options.read.pair);
  }
  if (problem.empty()) problem = ReadProcessOptions(processTexts, options);
  if (problem.empty()) {
    problem = ReadSheetOptions(sheetTexts, options.common.output, options.settings.diagram,
                               options.sheet, options.settings.style);
  }
  if (problem.empty()) problem = ReadZoneNames(options);
  if (problem.empty() && comfortOption->count() > 0) {
    ComfortConditions conditions;
    problem = ReadComfortConditions(comfort, options.common.inchPound, conditions);
    options.comfort.push_back(conditions);
  } else if (problem.empty() && options.comfortLimit) {
    problem = "--comfort-limit: only with --comfort";
  }
  if (problem.empty()) problem = ReadOverlay(overlay, options);
  if (problem.empty() && html && !ChartAlone(options.sheet)) {
    problem = "--html: the page is HTML, with no --format, --page, --table or title block";
  }
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
