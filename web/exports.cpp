// What the browser page calls: the chart as hygrian-chart draws it, the map
// between the plot's pixels and air states, and the state under the cursor.
// Texts go to the page as malloc'd NUL-terminated strings that it frees.
#include <emscripten/emscripten.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "chart/frame.h"
#include "chart/run.h"
#include "hygrian/outcomes.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/units.h"
#include "tables/numbers.h"
#include "web/memory_platform.h"
#include "web/settings.h"

namespace {

using namespace hygrian;

char* Copy(const std::string& text) {
  auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
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

// The chart's frame for those settings, as 15 doubles at out: the plot's left,
// top, right and bottom (px); the dry-bulb at its left and right (degC) and the
// humidity ratio at its top (kg/kg), between which x and y are linear; the
// pressure (kPa), the model and phase (as the C API numbers them), 1 for
// inch-pound units, else 0; the dry-bulb at the left and right and the
// humidity ratio at the top in the chart's axis units; 1 where states above
// saturation are clipped to it, else 0. Returns 0, or the status of a usage error.
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
                           read.settings.supersaturated == Supersaturated::Clip ? 1.0 : 0.0};
  std::memcpy(out, values, sizeof values);
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
  for (const Property& property : Properties) {
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

// A temperature (quantity 0) or humidity ratio (3), numbered as
// hygrian::Quantity, from the page's units (inchPound 1: degF, lb/lb; 0: degC,
// kg/kg) to the library's (toLibrary 1) or back (0).
EMSCRIPTEN_KEEPALIVE double hygrian_web_convert(double value, int quantity, int inchPound,
                                                int toLibrary) {
  const QuantityUnits& units = UnitsOf(static_cast<Quantity>(quantity));
  const Unit& unit = *FindUnit(units.quantity, inchPound != 0 ? units.ip : units.library);
  return toLibrary != 0 ? ToLibrary(unit, value) : FromLibrary(unit, value);
}

}  // extern "C"
