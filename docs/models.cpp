#include "docs/models.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include "air/calculator/relations.h"
#include "tests/reference_rows.h"

namespace hygrian::docs {
namespace {

std::string Format(const char* format, double value) {
  std::array<char, 64> text{};
  const int length = std::snprintf(text.data(), text.size(), format, value);
  return std::string(text.data(), static_cast<std::size_t>(length));
}

// The rows of one line of the table: quantity names starting with `prefix`,
// temperatures from `lowest` to `highest`.
struct Group {
  const char* label;
  std::string_view prefix;
  double lowest, highest;
};

constexpr std::array kGroups{
    Group{"saturation pressure over water, 0.01..200 degC", "p_ws_water", 0.01, 200},
    Group{"saturation pressure over supercooled water (eq. 6 extrapolated)", "p_ws_water", -40, 0},
    Group{"saturation pressure over ice, -100..0 degC", "p_ws_ice", -100, 0.01},
    Group{"saturation humidity ratio W_s, -60..90 degC", "W_s", -100, 200},
    Group{"saturation enthalpy h_s up to 50 degC", "h_s", -100, 50},
    Group{"saturation enthalpy h_s above 50 degC", "h_s", 50.001, 200},
    Group{"saturation volume v_s up to 50 degC", "v_s", -100, 50},
    Group{"saturation volume v_s above 50 degC", "v_s", 50.001, 200},
    Group{"enhancement factor f", "f", -100, 200},
    Group{"relative humidity from (t, t_wb)", "RH(", -100, 200},
    Group{"dew point from (t, t_wb)", "t_dp(", -100, 200},
    Group{"wet-bulb from (t, W)", "W(", -100, 200},
    Group{"drying air at 200 degC (RP-1485 A.11)", "", 200, 200},
};

std::string HandbookTable(const char* givenCsv) {
  const std::vector<reference::Row> rows = reference::ReadRows(givenCsv);
  std::string table =
      "| Handbook model against | rows | largest deviation | tolerance |\n"
      "|---|---:|---:|---:|\n";
  for (const Group& group : kGroups) {
    int count = 0;
    double worst = 0.0;
    double tolerance = 0.0;
    const char* unit = "";
    for (const reference::Row& row : rows) {
      const bool drying = group.prefix.empty();
      if (drying != (row.t > 100.0 && row.quantity.find("(W=") != std::string::npos)) continue;
      if (!drying && !reference::Starts(row.quantity, group.prefix)) continue;
      if (!(row.t >= group.lowest && row.t <= group.highest)) continue;
      const reference::Evaluation e = reference::Evaluate(row);
      if (!e.computed) continue;
      ++count;
      if (std::fabs(e.deviation) / e.tolerance >= worst / (tolerance > 0 ? tolerance : 1)) {
        worst = std::fabs(e.deviation);
        tolerance = e.tolerance;
        unit = e.unit;
      }
    }
    if (count == 0) continue;
    table += std::string("| ") + group.label + " | " + std::to_string(count) + " | " +
             Format("%.3g", worst) + " " + unit + " | " + Format("%.3g", tolerance) + " " + unit +
             " |\n";
  }
  return table;
}

// The temperature (degrees C) whose saturation pressure in the calculator's
// relations is p (kPa), by bisection; at the ice/water step the step itself.
double ExactDewPoint(double p) {
  double low = -200.0;
  double high = 400.0;
  while (high - low > 1e-9) {
    const double middle = 0.5 * (low + high);
    const double at = air::SaturationPressure(middle + air::kKelvinOffset).Value();
    (at < p ? low : high) = middle;
  }
  return 0.5 * (low + high);
}

struct Region {
  const char* label;
  double lowest, highest;  // dry-bulb, degrees C
  int dewSign;             // +1: dew points above 0, -1: at or below 0, 0: all
};

constexpr std::array kRegions{
    Region{"-40..0 degC", -40, 0, 0},
    Region{"0..50 degC, dew point above 0", 0.01, 50, 1},
    Region{"0..50 degC, dew point at or below 0", 0.01, 50, -1},
    Region{"50..60 degC", 50.01, 60, 0},
};

// The calculator's dew point (its fit, chosen by the dry-bulb) against the
// exact inverse of its own saturation relation, over the dry-bulb in steps of
// 0.25 K and relative humidities of 1 to 100 percent at 101.325 kPa.
std::string CalculatorTable() {
  std::string table =
      "| Calculator model's dew point, dry-bulb | states | off by > 0.1 K | mean | largest |\n"
      "|---|---:|---:|---:|---:|\n";
  for (const Region& region : kRegions) {
    int count = 0;
    int off = 0;
    double sum = 0.0;
    double worst = 0.0;
    const int steps = static_cast<int>(std::floor((region.highest - region.lowest) / 0.25 + 1e-9));
    for (int step = 0; step <= steps; ++step) {
      const double t = region.lowest + 0.25 * step;
      for (int rh = 1; rh <= 100; ++rh) {
        const double p = rh / 100.0 * air::SaturationPressure(t + air::kKelvinOffset).Value();
        const double exact = ExactDewPoint(p);
        if (region.dewSign != 0 && (exact > 0.0) != (region.dewSign > 0)) continue;
        const double error = std::fabs(air::DewPointFromPressure(p, t).Value() - exact);
        ++count;
        off += error > 0.1 ? 1 : 0;
        sum += error;
        worst = std::fmax(worst, error);
      }
    }
    table += std::string("| ") + region.label + " | " + std::to_string(count) + " | " +
             Format("%.0f %%", 100.0 * off / count) + " | " + Format("%.2f K", sum / count) +
             " | " + Format("%.1f K", worst) + " |\n";
  }
  return table;
}

}  // namespace

std::string ModelTables(const char* givenCsv) {
  return HandbookTable(givenCsv) + "\n" + CalculatorTable();
}

}  // namespace hygrian::docs
