// What the npm package's script (js/hygrian.js) calls: the states of a pair
// over columns, through hygrian::ComputeStates; the processes over columns;
// the unit a text spells; and the chart as hygrian-chart draws it. Columns live
// in the module's memory, which the script fills before a call and reads after
// it: one call for a whole array, nothing kept between calls.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/run.h"
#include "hygrian/arrays.h"
#include "hygrian/outcomes.h"
#include "hygrian/pairs.h"
#include "hygrian/process_table.h"
#include "hygrian/properties.h"
#include "hygrian/units.h"
#include "web/memory_platform.h"
#include "web/settings.h"

namespace {

using namespace hygrian;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr auto kMissing = static_cast<std::int8_t>(Status::Missing);

// States computed at a time: the results of a piece stay small whatever n is.
constexpr std::size_t kPiece = 4096;

// The number of Units' rows, for checking a row the script names.
constexpr int kUnitRows = static_cast<int>(Units.size());

bool IsUnitRow(int row) { return row >= 0 && row < kUnitRows; }

// A unit's values as the library's, in place (nothing to do for the library's
// own unit, whose factors are 1 and zero 0).
void ToLibraryInPlace(int row, double* values, std::size_t n) {
  const Unit& unit = Units[static_cast<std::size_t>(row)];
  if (unit.numerator == 1.0 && unit.denominator == 1.0 && unit.zero == 0.0) return;
  for (std::size_t i = 0; i < n; ++i) values[i] = ToLibrary(unit, values[i]);
}

// Whether an input of state i is NaN: a gap in the data. A single pressure is
// every state's.
bool Missing(const double* first, const double* second, std::span<const double> pressure,
             std::size_t i) {
  return std::isnan(first[i]) || std::isnan(second[i]) ||
         std::isnan(pressure[pressure.size() == 1 ? 0 : i]);
}

// A result as the package gives it: NaN where there is no value (the given
// values stay where nothing was computed; the wet-bulb alone is NaN where none
// was found), and the outcome's code.
std::int8_t Present(Result& result, const Pair& pair) {
  const Outcome& outcome = OutcomeOf(result);
  if (!RulesOf(outcome.kind).computed) {
    for (const Property& p : Properties) {
      if (p.member != pair.given[0].member && p.member != pair.given[1].member) {
        result.state.*p.member = kNan;
      }
    }
  } else if (!result.wetBulbFound) {
    result.state.wetBulb = kNan;
  }
  return static_cast<std::int8_t>(outcome.code);
}

// Property k of state i into its column, in the unit of Units' row `row`.
void Write(double* out, std::size_t n, std::size_t k, std::size_t i, int row, double value) {
  const Unit& unit = Units[static_cast<std::size_t>(row)];
  out[k * n + i] = FromLibrary(unit, value);
}

char* Copy(const std::string& text) {
  auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

}  // namespace

extern "C" {

// NOLINTBEGIN(readability-identifier-naming): C names, as the script calls them.

// The row of hygrian::Units that `text` spells for the quantity numbered as
// hygrian::Quantity (units.h's FindUnit: symbols exactly, words whatever their
// case); -1 when none does.
EMSCRIPTEN_KEEPALIVE int hygrian_js_unit(int quantity, const char* text) {
  const Unit* unit = FindUnit(static_cast<Quantity>(quantity), text);
  return unit == nullptr ? -1 : static_cast<int>(unit - Units.data());
}

// The states of the pair AllPairs[pair] at n rows: first and second hold n
// values, pressure `pressures` values (1: every row's), in the units of the
// rows units[0], units[1] and units[2] of hygrian::Units (converted to the
// library's in place). Computed by hygrian::ComputeStates with the model and
// phase numbered as the C API numbers them. out receives the nine properties
// (hygrian/properties.h's order), n values each, property after property, in
// the units of units[3..]; status each state's outcome code (outcomes.h; a NaN
// among a state's inputs is "missing"). Where nothing was computed the given
// values stay and the rest are NaN; where no wet-bulb was found it alone is
// NaN. Returns 0, or 1 with nothing computed for a pair, model, phase or unit
// that is no row.
EMSCRIPTEN_KEEPALIVE int hygrian_js_states(int pair, double* first, double* second,
                                           double* pressure, int pressures, int n, int model,
                                           int over, const int* units, double* out,
                                           std::int8_t* status) {
  const bool rows = std::all_of(units, units + 3 + DefaultPropertyCount, IsUnitRow);
  if (pair < 0 || pair >= static_cast<int>(AllPairs.size()) || model < 0 || model > 1 || over < 0 ||
      over > 1 || n < 0 || (pressures != 1 && pressures != n) || !rows) {
    return 1;
  }
  const auto count = static_cast<std::size_t>(n);
  ToLibraryInPlace(units[0], first, count);
  ToLibraryInPlace(units[1], second, count);
  ToLibraryInPlace(units[2], pressure, static_cast<std::size_t>(pressures));
  const Pair& row = AllPairs[static_cast<std::size_t>(pair)];
  const Options options{static_cast<Model>(model), static_cast<Phase>(over)};
  const std::span<const double> allPressures(pressure, static_cast<std::size_t>(pressures));
  std::vector<Result> results(std::min(count, kPiece));
  for (std::size_t start = 0; start < count; start += kPiece) {
    const std::size_t size = std::min(kPiece, count - start);
    const std::span<Result> piece(results.data(), size);
    const std::span<const double> piecePressures =
        pressures == 1 ? allPressures : allPressures.subspan(start, size);
    (void)ComputeStates(row, {first + start, size}, {second + start, size}, piecePressures, piece,
                        options);
    for (std::size_t j = 0; j < size; ++j) {
      const std::size_t i = start + j;
      Result& result = piece[j];
      const std::int8_t code = Present(result, row);
      status[i] = Missing(first, second, allPressures, i) ? kMissing : code;
      for (std::size_t k = 0; k < DefaultPropertyCount; ++k) {
        Write(out, count, k, i, units[3 + k], result.state.*Properties[k].member);
      }
    }
  }
  return 0;
}

// The process Processes[row] over `over` (numbered as the C API numbers
// phases) at n rows: arguments holds the row's arguments as columns of n values
// each, in its order, in the library's units. out receives the leaving state's
// nine properties and then ProcessValues, n values each; status each
// row's outcome code. Where nothing was computed (or an argument is NaN:
// "missing") every value is NaN. Returns 0, or 1 with nothing computed for a
// row or phase that is none.
EMSCRIPTEN_KEEPALIVE int hygrian_js_process(int row, int over, const double* arguments, int n,
                                            double* out, std::int8_t* status) {
  if (row < 0 || row >= static_cast<int>(Processes.size()) || over < 0 || over > 1 || n < 0) {
    return 1;
  }
  const ProcessFunction& process = Processes[static_cast<std::size_t>(row)];
  const auto count = static_cast<std::size_t>(n);
  const std::size_t outputs = DefaultPropertyCount + ProcessValues.size();
  for (std::size_t i = 0; i < count; ++i) {
    std::array<double, MostProcessArguments> x{};
    bool missing = false;
    for (std::size_t a = 0; a < process.count; ++a) {
      x[a] = arguments[a * count + i];
      missing = missing || std::isnan(x[a]);
    }
    const ProcessResult r =
        missing ? ProcessResult{} : process.run(x.data(), static_cast<Phase>(over));
    const Outcome& outcome = OutcomeOfCode(static_cast<int>(r.status));
    const bool computed = !missing && RulesOf(outcome.kind).computed;
    status[i] = missing ? kMissing : static_cast<std::int8_t>(outcome.code);
    for (std::size_t k = 0; k < outputs; ++k) {
      const double value = k < DefaultPropertyCount
                               ? r.leaving.*Properties[k].member
                               : r.*ProcessValues[k - DefaultPropertyCount].member;
      // + 0.0 as the units' conversion adds the library unit's zero: a load of
      // -0 (the air's enthalpy unchanged) is 0, as the programs write it.
      out[k * count + i] = computed ? value + 0.0 : kNan;
    }
  }
  return 0;
}

// The chart that hygrian-chart draws for the settings (web/settings.h: its
// option names without dashes, one a line) with `points` and `processes` as
// its points and processes files (CSV; "" for none). *svg receives the SVG
// ("" when none is drawn) and *messages what the program would write to
// standard error; both malloc'd, for the caller to free. Returns its exit
// status: 0, 1 (a row left out, the chart drawn all the same) or 2 (no chart).
EMSCRIPTEN_KEEPALIVE int hygrian_js_chart(const char* settings, const char* points,
                                          const char* processes, char** svg, char** messages) {
  chart::Options options;
  if (std::string problem = web::ReadSettings(settings, options); !problem.empty()) {
    *svg = Copy("");
    *messages = Copy(problem);
    return 2;
  }
  // As hygrian-chart: without a humidity-ratio line the axis fits what is drawn.
  const std::string_view lines(settings);
  options.fitHumidityRatio = lines.rfind("humidity-ratio=", 0) != 0 &&
                             lines.find("\nhumidity-ratio=") == std::string_view::npos;
  if (*points != '\0') options.pointsFile = "points.csv";
  if (*processes != '\0') options.processesFile = "processes.csv";
  web::MemoryPlatform platform({{"points.csv", points}, {"processes.csv", processes}});
  const int status = chart::RunChart(platform, options);
  *svg = Copy(status == 2 ? std::string() : platform.Output());
  *messages = Copy(platform.Errors());
  return status;
}

// NOLINTEND(readability-identifier-naming)

}  // extern "C"
