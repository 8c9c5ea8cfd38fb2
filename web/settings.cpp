#include "web/settings.h"

#include <algorithm>

#include "chart/comfort_zone.h"
#include "chart/settings_texts.h"
#include "cli/pressure_options.h"
#include "cli/process_fields.h"

namespace hygrian::web {
namespace {

// The page's pressures: the programs' range, with no option to suggest.
constexpr tables::PressureRange kPageRange{cli::kPressureRange.least, cli::kPressureRange.most, ""};

struct Common {
  std::string pressure;  // as typed; empty: not given
  std::string altitude;
  std::string pressureUnit;  // empty: the units' own
  std::string altitudeUnit;
  std::string loadUnit;  // empty: kW, or Btu/h in ip
  std::string flowBasis;
  bool inchPound = false;
  std::string comfort;  // MET,CLO,SPEED, or "" for the defaults
  bool hasComfort = false;
};

}  // namespace

std::string ReadSettings(std::string_view lines, chart::Options& options) {
  chart::SettingsTexts texts;
  Common common;
  while (!lines.empty()) {
    const std::size_t end = std::min(lines.find('\n'), lines.size());
    const std::string_view line = lines.substr(0, end);
    lines.remove_prefix(std::min(end + 1, lines.size()));
    if (line.empty()) continue;
    const std::size_t equals = std::min(line.find('='), line.size());
    const std::string_view name = line.substr(0, equals);
    const std::string value(line.substr(std::min(equals + 1, line.size())));
    if (name == "units" && (value == "si" || value == "ip")) {
      common.inchPound = value == "ip";
    } else if (name == "supersaturated") {
      const auto* found =
          std::find_if(cli::kSupersaturatedWords.begin(), cli::kSupersaturatedWords.end(),
                       [&](const cli::SupersaturatedWord& word) { return word.word == value; });
      if (found == cli::kSupersaturatedWords.end()) return std::string(line) + ": not flag or clip";
      options.common.supersaturated = found->handling;
    } else if (name == "model" || name == "over") {
      bool known = false;
      for (const auto& word : cli::kModelWords) {
        if (name == "model" && word.word == value) options.common.options.model = word.model;
        known = known || (name == "model" && word.word == value);
      }
      for (const auto& word : cli::kPhaseWords) {
        if (name == "over" && word.word == value) options.common.options.over = word.over;
        known = known || (name == "over" && word.word == value);
      }
      if (!known) return std::string(line) + ": not a model or phase";
    } else if (name == "pressure" || name == "altitude") {
      (name == "pressure" ? common.pressure : common.altitude) = value;
    } else if (name == "pressure-unit" || name == "altitude-unit") {
      (name == "pressure-unit" ? common.pressureUnit : common.altitudeUnit) = value;
    } else if (name == "load-unit" || name == "flow-basis") {
      (name == "load-unit" ? common.loadUnit : common.flowBasis) = value;
    } else if (name == "dry-bulb") {
      texts.dryBulb = value;
    } else if (name == "humidity-ratio") {
      texts.humidityRatio = value;
    } else if (name == "humidity-ratio-unit") {
      texts.humidityRatioUnit = value;
    } else if (name == "diagram") {
      texts.diagram = value;
    } else if (name == "comfort") {
      common.comfort = value;
      common.hasComfort = true;
    } else if (name == "overlay") {
      options.overlay = value == "none" ? nullptr : chart::FindOverlay(value);
      if (options.overlay == nullptr && value != "none") {
        return std::string(line) + ": not heat-index, humidex or none";
      }
    } else if (name == "width" || name == "height" || name == "labels") {
      (name == "width" ? texts.width : name == "height" ? texts.height : texts.labels) = value;
    } else {
      return std::string(line) + ": not a setting";
    }
  }
  if (options.common.options.model == Model::Calculator &&
      options.common.options.over == Phase::Water) {
    return "the calculator model is over ice only";
  }
  if (options.common.options.model == Model::Calculator &&
      options.common.supersaturated == Supersaturated::Clip) {
    return "the calculator model flags no state above saturation";
  }
  cli::SetUnitSystem(common.inchPound, options.common);
  if (!common.pressureUnit.empty()) {
    if (std::string problem =
            cli::ReadPressureUnit(common.pressureUnit, "pressure-unit", options.common);
        !problem.empty()) {
      return problem;
    }
  }
  if (!common.altitudeUnit.empty()) {
    if (std::string problem =
            cli::ReadAltitudeUnit(common.altitudeUnit, "altitude-unit", options.common);
        !problem.empty()) {
      return problem;
    }
  }
  if (std::string problem = cli::ReadPressureOrAltitude(
          common.pressure.empty() ? nullptr : &common.pressure,
          common.altitude.empty() ? nullptr : &common.altitude, "", kPageRange, options.common);
      !problem.empty()) {
    return problem;
  }
  cli::TableUnits columns;
  columns.ip = common.inchPound;
  if (std::string problem = cli::ReadProcessUnits("", common.flowBasis, common.loadUnit, columns,
                                                  options.processUnits);
      !problem.empty()) {
    // The programs' words without their dashes.
    return problem.substr(problem.rfind("--", 0) == 0 ? 2 : 0);
  }
  if (common.hasComfort) {
    chart::ComfortConditions conditions;
    if (std::string problem =
            chart::ReadComfortConditions(common.comfort, common.inchPound, conditions);
        !problem.empty()) {
      return problem.substr(2);
    }
    options.comfort.push_back(conditions);
  }
  options.settings.pressure = options.common.pressure;
  options.settings.hasAltitude = options.common.hasAltitude;
  options.settings.altitude = options.common.altitude;
  options.settings.options = options.common.options;
  options.settings.supersaturated = options.common.supersaturated;
  return chart::ApplySettingsTexts(texts, common.inchPound, options.settings);
}

}  // namespace hygrian::web
