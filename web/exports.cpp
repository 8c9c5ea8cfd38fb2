// What the browser page calls: the chart as hygrian-chart draws it, the map
// between the plot's pixels and air states, and the state under the cursor.
// Texts go to the page as malloc'd NUL-terminated strings that it frees.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "chart/frame.h"
#include "chart/run.h"
#include "cli/compute.h"
#include "cli/process_chain.h"
#include "hygrian/outcomes.h"
#include "hygrian/pairs.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/units.h"
#include "tables/numbers.h"
#include "tables/table.h"
#include "web/memory_platform.h"
#include "web/settings.h"

namespace {

using namespace hygrian;

char* Copy(const std::string& text) {
  auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

std::string Number(double value, int digits) {
  char text[tables::kNumberTextSize];
  return {text, tables::FormatNumber(text, value, digits)};
}

// The unit of a pair's given value in the page's units.
const Unit& PageUnit(const Property& given, bool inchPound) {
  const QuantityUnits& quantity = *QuantityOfLibraryUnit(given.unit);
  return *FindUnit(quantity.quantity, inchPound ? quantity.ip : quantity.library);
}

// The first process of a processes table at the settings' pressure, in their
// units, as hygrian_web_process writes it.
std::string ProcessLines(const chart::Options& options, std::string_view csv) {
  tables::TextSource source(csv);
  tables::ReadOptions read = cli::ProgramReadOptions();
  read.namesWithUnits = true;
  const double pressure = options.common.pressure;
  tables::TableReader table(source, pressure, tables::PressureUnit::KPa,
                            tables::kDefaultBufferBytes, read);
  std::string problem;
  if (table.ReadHeader(problem) != tables::TableReader::HeaderStatus::Ok) {
    return "status\t" + problem + "\n";
  }
  const Phase over = options.common.options.over;
  cli::ProcessChain chain(table.ColumnLayout(), read, options.processUnits, std::nullopt, over);
  if (problem = chain.HeaderProblem("a process column"); !problem.empty()) {
    return "status\t" + problem + "\n";
  }
  tables::TableReader::Row row;
  if (table.Next(row) != tables::CsvNext::Record) return "status\tno process\n";
  const cli::ChainRow next = chain.Next(row.record, row.measured, pressure);
  const cli::ProcessRun& run = next.run;
  if (next.stage != cli::ChainStage::Process) return "status\t" + next.problem + "\n";
  if (run.stage != cli::ProcessStage::Ran) {
    return "status\t" +
           (run.refusal.empty() ? std::string(StatusText(run.entering.status)) : run.refusal) +
           "\n";
  }
  const hygrian::Outcome& outcome = OutcomeOfCode(static_cast<int>(run.result.status));
  if (!RulesOf(outcome.kind).computed) {
    return "status\t" + (run.refusal.empty() ? std::string(outcome.text) : run.refusal) + "\n";
  }
  std::string lines;
  const cli::ProcessValues values = cli::ValuesOf(*next.plan, run, options.processUnits);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!std::isfinite(values[i])) continue;
    const Unit* unit = cli::ValueUnit(i, options.processUnits);
    lines.append(cli::kProcessValueKeys[i]).append("\t").append(Number(values[i], 4));
    lines.append("\t").append(unit != nullptr ? unit->key : "").append("\n");
  }
  return lines.append("status\t").append(outcome.text).append("\n");
}

}  // namespace

extern "C" {

// The SVG that hygrian-chart writes for the settings (web/settings.h) with
// `points` and `processes` as its points and processes files (CSV; "" for
// none), and `background`'s counts of points (chart/binned.h's text, as
// hygrian-chart --html embeds it) under them as a density. When no chart is
// drawn: "hygrian-chart: " and what is wrong.
EMSCRIPTEN_KEEPALIVE char* hygrian_web_chart(const char* settings, const char* points,
                                             const char* processes, const char* background) {
  chart::Options options;
  if (std::string problem = web::ReadSettings(settings, options); !problem.empty()) {
    return Copy(std::string(chart::kProgramName) + ": " + problem + "\n");
  }
  options.common.quiet = true;
  if (*points != '\0') options.pointsFile = "points.csv";
  if (*processes != '\0') options.processesFile = "processes.csv";
  options.background = background;
  web::MemoryPlatform platform({{"points.csv", points}, {"processes.csv", processes}});
  const int status = chart::RunChart(platform, options);
  return Copy(status == 2 || platform.Output().empty() ? platform.Errors() : platform.Output());
}

// The chart's frame for those settings, as 16 doubles at out: the plot's left,
// top, right and bottom (px); the dry-bulb at its left and right (degC) and the
// humidity ratio at its top (kg/kg), between which x and y are linear; the
// pressure (kPa), the model and phase (as the C API numbers them), 1 for
// inch-pound units, else 0; the dry-bulb at the left and right and the
// humidity ratio at the top in the chart's axis units; 1 where states above
// saturation are clipped to it, else 0; 1 for the Mollier diagram (humidity
// ratio across, the dry-bulbs those of its ordinate up the left edge; see
// hygrian_web_air_at), else 0. Returns 0, or the status of a usage error.
EMSCRIPTEN_KEEPALIVE int hygrian_web_frame(const char* settings, double* out) {
  chart::Options read;
  if (!web::ReadSettings(settings, read).empty()) return 2;
  const chart::Frame frame(read.settings);
  const chart::Rect& plot = frame.Plot();
  const double values[] = {plot.left,
                           plot.top,
                           plot.right,
                           plot.bottom,
                           frame.DryBulbMin(),
                           frame.DryBulbMax(),
                           frame.HumidityRatioMax(),
                           frame.Pressure(),
                           static_cast<double>(frame.Relations().model),
                           static_cast<double>(frame.Relations().over),
                           frame.Units().inchPound ? 1.0 : 0.0,
                           read.settings.dryBulbMin,
                           read.settings.dryBulbMax,
                           read.settings.humidityRatioMax,
                           read.settings.supersaturated == Supersaturated::Clip ? 1.0 : 0.0,
                           frame.Mollier() ? 1.0 : 0.0};
  std::memcpy(out, values, sizeof values);
  return 0;
}

// The dry-bulb (degC) and humidity ratio (kg/kg) at picture px (x, y) into
// out[0] and out[1]: on the Mollier diagram, whose isotherms slope, the page
// cannot find them from the frame alone. 2 when the settings are wrong.
EMSCRIPTEN_KEEPALIVE int hygrian_web_air_at(const char* settings, double x, double y, double* out) {
  chart::Options read;
  if (!web::ReadSettings(settings, read).empty()) return 2;
  const chart::StatePoint state = chart::Frame(read.settings).StateAt({x, y});
  out[0] = state.t;
  out[1] = state.W;
  return 0;
}

// The state at a dry-bulb (degC) and humidity ratio (kg/kg), one property a
// line: "key<TAB>value<TAB>unit", in the library's units or inch-pound ones,
// each value with `digits` significant digits (0: the shortest exact text);
// then "status<TAB>text<TAB>cell", cell the status as hygrian-batch writes it
// ("ok", "clipped-to-saturation", "fault: outside the range"). clip 1: a
// state above saturation clipped to it.
EMSCRIPTEN_KEEPALIVE char* hygrian_web_state(double dryBulb, double humidityRatio, double pressure,
                                             int model, int over, int clip, int inchPound,
                                             int digits) {
  const Options relations{static_cast<Model>(model), static_cast<Phase>(over)};
  const Result computed = FromDryBulbHumidityRatio(dryBulb, humidityRatio, pressure, relations);
  const Result result = clip != 0 ? ClipToSaturation(computed, pressure, relations) : computed;
  std::string text;
  for (const Property& property : DefaultProperties) {
    const QuantityUnits* quantity = QuantityOfLibraryUnit(property.unit);
    const std::string_view unit = inchPound != 0 ? quantity->ip : quantity->library;
    const double value =
        FromLibrary(*FindUnit(quantity->quantity, unit), result.state.*property.member);
    char number[tables::kNumberTextSize];
    text.append(property.key).append("\t");
    text.append(number, tables::FormatNumber(number, value, digits));
    text.append("\t").append(unit).append("\n");
  }
  const Outcome& outcome = OutcomeOf(result);
  text.append("status\t").append(outcome.text).append("\t").append(outcome.key);
  if (RulesOf(outcome.kind).keyWithText) text.append(": ").append(outcome.text);
  return Copy(text.append("\n"));
}

// The first process of `csv` (a processes table, as hygrian-chart --processes
// reads it) at the settings' pressure and in their units, as hygrian-batch
// --digits 4 writes it: one value a line, "key<TAB>value<TAB>unit" (the
// dry-air flow leaving, the loads, the enthalpy change, the sensible heat
// ratio, the water, a coil's apparatus dew point and bypass factor), then
// "status<TAB>text"; only the status, with the reason, when nothing is
// computed.
EMSCRIPTEN_KEEPALIVE char* hygrian_web_process(const char* settings, const char* csv) {
  chart::Options options;
  if (std::string problem = web::ReadSettings(settings, options); !problem.empty()) {
    return Copy("status\t" + problem + "\n");
  }
  return Copy(ProcessLines(options, csv));
}

// The pairs a state may be entered by, one a line, in the order of
// hygrian::AllPairs: "key<TAB>first<TAB>its unit<TAB>second<TAB>its unit", in
// the page's units (inchPound 1: IP).
EMSCRIPTEN_KEEPALIVE char* hygrian_web_pairs(int inchPound) {
  std::string lines;
  for (const Pair& pair : AllPairs) {
    lines.append(pair.key);
    for (const Property& given : pair.given) {
      lines.append("\t").append(given.key).append("\t");
      lines.append(PageUnit(given, inchPound != 0).key);
    }
    lines.append("\n");
  }
  return Copy(lines);
}

// The state of a pair (its line of hygrian_web_pairs) of values in the page's
// units at the pressure (kPa): "ok<TAB>dry-bulb (degC)<TAB>humidity ratio
// (kg/kg)" when its state is computed, else "no<TAB>why".
EMSCRIPTEN_KEEPALIVE char* hygrian_web_pair_state(int pair, double first, double second,
                                                  double pressure, int model, int over,
                                                  int inchPound) {
  if (pair < 0 || static_cast<std::size_t>(pair) >= AllPairs.size()) return Copy("no\tno pair\n");
  const Pair& chosen = AllPairs[static_cast<std::size_t>(pair)];
  const bool ip = inchPound != 0;
  const Result result =
      cli::Compute(static_cast<std::size_t>(pair), ToLibrary(PageUnit(chosen.given[0], ip), first),
                   ToLibrary(PageUnit(chosen.given[1], ip), second), pressure,
                   Options{static_cast<Model>(model), static_cast<Phase>(over)});
  if (!RulesOf(OutcomeOf(result).kind).computed) {
    return Copy("no\t" + std::string(StatusText(result.status)) + "\n");
  }
  return Copy("ok\t" + Number(result.state.dryBulb, 0) + "\t" +
              Number(result.state.humidityRatio, 0) + "\n");
}

// A value of a quantity, numbered as hygrian::Quantity, from the page's units
// (inchPound 1: its IP unit, degF, psi, ft, ...; 0: the library's, degC, kPa,
// m, ...) to the library's (toLibrary 1) or back (0).
EMSCRIPTEN_KEEPALIVE double hygrian_web_convert(double value, int quantity, int inchPound,
                                                int toLibrary) {
  const QuantityUnits& units = UnitsOf(static_cast<Quantity>(quantity));
  const Unit& unit = *FindUnit(units.quantity, inchPound != 0 ? units.ip : units.library);
  return toLibrary != 0 ? ToLibrary(unit, value) : FromLibrary(unit, value);
}

}  // extern "C"
