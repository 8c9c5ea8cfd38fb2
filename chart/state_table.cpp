#include "chart/state_table.h"

#include <algorithm>
#include <cmath>

#include "chart/process_lines.h"
#include "hygrian/properties.h"
#include "tables/numbers.h"

namespace hygrian::chart {
namespace {

constexpr double kLargestFont = 10.0;  // px
constexpr double kSmallestFont = 7.0;  // px
constexpr double kRowPerFont = 1.35;   // a row's height over its font's
constexpr double kCellPad = 4.0;       // px each side of a cell's text

// A value as hygrian-batch --digits 4 writes it; "" for NaN.
std::string Digits4(double value) {
  if (std::isnan(value)) return "";
  char text[tables::kNumberTextSize];
  return {text, tables::FormatNumber(text, value, 4)};
}

// The short name of each property's column.
std::string_view ShortName(std::string_view key) {
  if (key == "dry_bulb") return "dry-bulb";
  if (key == "wet_bulb") return "wet-bulb";
  if (key == "dew_point") return "dew point";
  if (key == "relative_humidity") return "RH";
  if (key == "humidity_ratio") return "W";
  if (key == "degree_of_saturation") return "\xCE\xBC";  // mu
  if (key == "specific_volume") return "v";
  if (key == "vapor_pressure") return "pv";
  if (key == "enthalpy") return "h";
  return key;
}

// The columns' widths at fontSize: each its widest text and the padding.
std::vector<double> Widths(const TableText& table, double fontSize) {
  std::vector<double> widths(table.names.size(), 0.0);
  const auto widen = [&](const std::vector<std::string>& row, double boldness) {
    for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
      widths[c] = std::max(widths[c], TextWidth(row[c], fontSize) * boldness + 2.0 * kCellPad);
    }
  };
  widen(table.names, kBoldWidth);
  widen(table.units, 1.0);
  for (const auto& row : table.rows) widen(row, 1.0);
  return widths;
}

double Sum(const std::vector<double>& values) {
  double sum = 0.0;
  for (const double v : values) sum += v;
  return sum;
}

// The largest font, in steps of 0.5 px, whose columns fit width.
double FontFor(const TableText& table, double width) {
  double font = kLargestFont;
  while (font > kSmallestFont && Sum(Widths(table, font)) > width) font -= 0.5;
  return font;
}

}  // namespace

TableText TableOf(const std::vector<NumberedState>& states, const ChartUnits& units,
                  const cli::ProcessUnits& processUnits) {
  TableText table;
  table.names = {"No.", "state"};
  table.units = {"", ""};
  for (const Property& p : DefaultProperties) {
    table.names.emplace_back(ShortName(p.key));
    if (p.member == &State::humidityRatio) {
      table.units.emplace_back(units.humidityRatio->key);
    } else if (p.unit == "degC") {
      table.units.emplace_back(units.degrees);
    } else if (p.unit == "kJ/kg") {
      table.units.emplace_back(units.enthalpyText);
    } else if (p.unit == "m3/kg") {
      table.units.emplace_back(units.volumeText);
    } else if (p.unit == "kPa") {
      table.units.emplace_back(units.pressureText);
    } else {
      table.units.emplace_back(p.unit == "1" ? "" : std::string(p.unit));
    }
  }
  const bool processes = std::any_of(states.begin(), states.end(),
                                     [](const NumberedState& s) { return !std::isnan(s.flow); });
  const Unit& mass = processUnits.MassFlow();
  const Unit& load = *processUnits.load;
  if (processes) {
    for (const char* name : {"flow", "process", "sensible", "latent", "total"}) {
      table.names.emplace_back(name);
    }
    table.units.insert(table.units.end(), {std::string(mass.key), "", std::string(load.key),
                                           std::string(load.key), std::string(load.key)});
  }
  for (const NumberedState& s : states) {
    std::vector<std::string> row{std::to_string(s.number), s.label};
    for (const Property& p : DefaultProperties) {
      const double value = s.state.*p.member;
      if (p.member == &State::wetBulb && !s.wetBulbFound) {
        row.emplace_back();
      } else if (p.member == &State::humidityRatio) {
        row.push_back(Digits4(FromLibrary(*units.humidityRatio, value)));
      } else {
        row.push_back(Digits4(ToChart(units, p.unit, value)));
      }
    }
    if (processes) {
      row.push_back(std::isnan(s.flow) ? "" : FlowNumber(s.flow, mass));
      const ComputedProcess* p = s.leaves;
      const bool loads = p != nullptr && p->kind->process != cli::Process::Mix;
      row.emplace_back(p != nullptr ? std::string(p->kind->word) : "");
      for (const double kw :
           {p != nullptr ? p->result.sensibleLoad : 0.0, p != nullptr ? p->result.latentLoad : 0.0,
            p != nullptr ? p->result.totalLoad : 0.0}) {
        row.push_back(loads ? LoadNumber(kw, load) : "");
      }
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

double TableHeight(const TableText& table, double width) {
  const double font = FontFor(table, width);
  return font * kRowPerFont * static_cast<double>(table.rows.size() + 2) + 2.0;
}

TableLayout LayOutTable(const TableText& table, Point topLeft, double width, double height) {
  TableLayout layout;
  const double font = FontFor(table, width);
  const double row = font * kRowPerFont;
  const std::vector<double> widths = Widths(table, font);
  layout.width = Sum(widths);
  // The rows that fit, one of them given to the count of the others.
  const auto fitting = static_cast<std::size_t>(std::max(0.0, std::floor(height / row) - 2.0));
  layout.rowsShown =
      table.rows.size() <= fitting ? table.rows.size() : (fitting > 0 ? fitting - 1 : 0);
  const auto place = [&](const std::vector<std::string>& cells, double y, bool /*bold*/) {
    double x = topLeft.x;
    for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
      if (!cells[c].empty()) {
        // Numbers right-aligned in their column, the label to the left.
        layout.texts.push_back(c == 1 ? TextFrom(cells[c], font, x + kCellPad, y)
                                      : TextTo(cells[c], font, x + widths[c] - kCellPad, y));
      }
      x += widths[c];
    }
  };
  double y = topLeft.y + row / 2.0;
  place(table.names, y, true);
  layout.headerTexts = layout.texts.size();
  y += row;
  place(table.units, y, false);
  const double header = topLeft.y + 2.0 * row;
  for (std::size_t r = 0; r < layout.rowsShown; ++r) {
    y += row;
    place(table.rows[r], y, false);
  }
  if (layout.rowsShown < table.rows.size()) {
    y += row;
    layout.texts.push_back(TextFrom("\xE2\x80\xA6 " +
                                        std::to_string(table.rows.size() - layout.rowsShown) +
                                        " more states on the chart",
                                    font, topLeft.x + kCellPad, y));
  }
  layout.height = y + row / 2.0 - topLeft.y;
  const double right = topLeft.x + layout.width;
  const double bottom = topLeft.y + layout.height;
  layout.rules = {{{topLeft.x, header}, {right, header}},
                  {{topLeft.x, topLeft.y}, {right, topLeft.y}},
                  {{topLeft.x, bottom}, {right, bottom}}};
  return layout;
}

}  // namespace hygrian::chart
