#include "chart/options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "chart/density.h"
#include "chart/moist_air.h"
#include "chart/ticks.h"
#include "cli/reader_options.h"
#include "cli/words.h"

namespace hygrian::chart {
namespace {

// Limits that keep every chart drawable and its number of lines sensible.
constexpr double kDryBulbLowest = -100.0;         // degrees C
constexpr double kDryBulbHighest = 200.0;         // degrees C
constexpr double kHumidityRatioHighest = 1000.0;  // g/kg
constexpr int kWidthLeast = 640;
constexpr int kHeightLeast = 400;
constexpr int kSizeMost = 16384;

// A whole decimal number, finite; none for anything else ("", "1e", "nan").
std::optional<double> Number(std::string_view text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> Whole(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

struct Texts {
  std::string dryBulb;
  std::string humidityRatio;
  std::string width;
  std::string height;
  std::string labels;
};

// The chart's own options, in the order --help lists them; Apply checks what
// they were given.
struct TextOption {
  std::string_view flag;
  std::string Texts::*text;
  std::string_view help;
  std::string_view typeName;
};
constexpr std::array<TextOption, 5> kTextOptions{{
    {"--dry-bulb", &Texts::dryBulb, "Dry-bulb range, degrees C (default -10:50)", "MIN:MAX"},
    {"--humidity-ratio", &Texts::humidityRatio, "Humidity-ratio axis top, g/kg (30, or fitted)",
     "MAX"},
    {"--width", &Texts::width, "Width of the picture, px (default 1200)", "PX"},
    {"--height", &Texts::height, "Height of the picture, px (default 800)", "PX"},
    {"--labels", &Texts::labels,
     "Points' labels: none, those that fit clear of the rest (fit, the default), or all", "WHICH"},
}};

// Checks the texts and fills settings; returns what is wrong, or "".
std::string Apply(const Texts& texts, ChartSettings& settings) {
  if (!texts.dryBulb.empty()) {
    const std::string_view range = texts.dryBulb;
    const std::size_t colon = range.find(':', 1);  // a range may start with a minus
    const std::optional<double> low =
        colon == std::string_view::npos ? std::nullopt : Number(range.substr(0, colon));
    const std::optional<double> high =
        colon == std::string_view::npos ? std::nullopt : Number(range.substr(colon + 1));
    if (!low || !high || !(*low < *high) || *low < kDryBulbLowest || *high > kDryBulbHighest) {
      return "--dry-bulb: expected MIN:MAX in degrees C with MIN < MAX, both from -100 to 200, "
             "not '" +
             texts.dryBulb + "'";
    }
    settings.dryBulbMin = *low;
    settings.dryBulbMax = *high;
  }
  if (!texts.humidityRatio.empty()) {
    const std::optional<double> top = Number(texts.humidityRatio);
    if (!top || !(*top > 0.0) || *top > kHumidityRatioHighest) {
      return "--humidity-ratio: expected a number of g/kg above 0 and at most 1000, not '" +
             texts.humidityRatio + "'";
    }
    settings.humidityRatioMax = *top;
  }
  if (!texts.labels.empty()) {
    constexpr std::array<std::pair<std::string_view, PointLabels>, 3> kWords{
        {{"none", PointLabels::None}, {"fit", PointLabels::Fit}, {"all", PointLabels::All}}};
    const auto* word = std::find_if(kWords.begin(), kWords.end(),
                                    [&](const auto& w) { return w.first == texts.labels; });
    if (word == kWords.end()) {
      return "--labels: expected none, fit or all, not '" + texts.labels + "'";
    }
    settings.labels = word->second;
  }
  if (!texts.width.empty()) {
    const std::optional<int> width = Whole(texts.width);
    if (!width || *width < kWidthLeast || *width > kSizeMost) {
      return "--width: expected a whole number of px from 640 to 16384, not '" + texts.width + "'";
    }
    settings.width = *width;
  }
  if (!texts.height.empty()) {
    const std::optional<int> height = Whole(texts.height);
    if (!height || *height < kHeightLeast || *height > kSizeMost) {
      return "--height: expected a whole number of px from 400 to 16384, not '" + texts.height +
             "'";
    }
    settings.height = *height;
  }
  return "";
}

}  // namespace

double FittedHumidityRatio(const ChartSettings& settings) {
  const std::optional<double> top =
      SaturationHumidityRatio(settings.dryBulbMax, settings.pressure, settings.options);
  const double grams = top ? *top * 1000.0 : kHumidityRatioHighest;
  const Frame frame(settings);
  const double pixels = frame.Plot().bottom - frame.Plot().top;
  return std::min(RoundedTop(std::min(grams, kHumidityRatioHighest), pixels, kTickSpacing),
                  kHumidityRatioHighest);
}

std::optional<int> ReadCommandLine(cli::Platform& platform, int argc, const char* const* argv,
                                   Options& options) {
  cli::CommandLine line(
      platform, kProgramName,
      "Draw the psychrometric chart as an SVG document on standard output, with the\n"
      "states of POINTS.csv marked on it. POINTS.csv has a header naming dry_bulb and\n"
      "one of " +
          cli::SecondValuesInWords() +
          ",\nand may have a label column; the points are computed at the chart's pressure.",
      "A range that starts with a minus takes the = form: --dry-bulb=-20:40.\n"
      "A pressure outside " +
          cli::PressureRangeInWords() +
          " is refused.\n"
          "With --dry-bulb alone the humidity-ratio axis is fitted to saturation.\n"
          "\n"
          "Exit status: 0 when every point is drawn; 1 when a row is left out or the file\n"
          "has no point (each gets a FILE:LINE: reason line; the chart is still written)\n"
          "or the chart cannot be written; 2 for a usage error, with nothing written.");
  CLI::App& app = line.App();
  Texts texts;
  for (const TextOption& option : kTextOptions) {
    app.add_option(std::string(option.flag), texts.*option.text, std::string(option.help))
        ->type_name(std::string(option.typeName));
  }
  app.add_flag("--process", options.process, "Join the points with arrows, in file order")
      ->disable_flag_override();
  app.add_flag("--density", options.settings.density,
               "Draw the points as a density, as past " + std::to_string(kDensityThreshold) +
                   " of them on the plot")
      ->disable_flag_override();
  cli::ReaderOptions reader;
  cli::AddReaderOptions(app, reader, false);
  if (CLI::Option* quiet = app.get_option_no_throw("--quiet")) {
    quiet->description("No messages about rows left out");
  }
  if (CLI::Option* unit = app.get_option_no_throw("--pressure-unit")) {
    unit->description("Unit of --pressure (kPa)");
  }
  app.add_option("POINTS.csv", options.pointsFile,
                 "States to mark (- or none for standard input, unless a terminal)")
      ->type_name("");
  if (const auto status = line.Parse(argc, argv)) return status;
  std::string problem = Apply(texts, options.settings);
  if (problem.empty()) problem = cli::ReadReaderOptions(reader, options.read);
  if (!problem.empty()) return line.UsageError(problem);
  options.common = line.Common();
  options.settings.pressure = options.common.pressure;
  options.settings.hasAltitude = options.common.hasAltitude;
  options.settings.altitude = options.common.altitude;
  options.settings.options = options.common.options;
  if (options.pointsFile.empty() && !platform.IsTerminal(cli::kStandardInput)) {
    options.pointsFile = "-";
    options.pointsByDefault = true;
  }
  if (!texts.dryBulb.empty() && texts.humidityRatio.empty()) {
    options.settings.humidityRatioMax = FittedHumidityRatio(options.settings);
  }
  return std::nullopt;
}

}  // namespace hygrian::chart
