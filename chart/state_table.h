// The table of a chart's numbered states (chart/states.h) for a report: a row
// each, its number and short label, the nine properties in the chart's units
// (the humidity ratio in the axis unit) to four significant digits, as
// hygrian-batch --digits 4 writes them, and for the states of processes the
// dry-air flow and, on a leaving state, its process and loads (in
// --flow-unit's mass unit and --load-unit, as the process labels write them:
// thousands grouped, no exponent). Laid out as texts in columns.
#pragma once

#include <string>
#include <vector>

#include "chart/chart_units.h"
#include "chart/labels.h"
#include "chart/states.h"
#include "cli/process_fields.h"

namespace hygrian::chart {

// The table's texts: two header rows (names, units) and a row per state.
struct TableText {
  std::vector<std::string> names;
  std::vector<std::string> units;
  std::vector<std::vector<std::string>> rows;  // cells in the columns' order; "" where none
};

// The texts; the flow and process columns only where a process drew a state.
//   "1", "OA", "32.00", "24.92", "23.12", "59.31", "18.00", "78.30", ...
TableText TableOf(const std::vector<NumberedState>& states, const ChartUnits& units,
                  const cli::ProcessUnits& processUnits);

// The table laid out from its top left corner, at most `width` px wide and
// `height` px high: the font as large as 10 px and as small as 7 that fits
// the width; rows past the height give way to a last row "... N more states".
struct TableLayout {
  std::vector<Label> texts;
  std::size_t headerTexts = 0;  // the first texts: the names, in bold
  std::vector<Segment> rules;   // under the header, and the table's frame
  double width = 0.0;
  double height = 0.0;
  std::size_t rowsShown = 0;  // of the states
};
TableLayout LayOutTable(const TableText& table, Point topLeft, double width, double height);

// The height (px) the table takes with all its rows at the font that fits
// `width`.
double TableHeight(const TableText& table, double width);

}  // namespace hygrian::chart
