// The user's points: a table of measured states (the batch program's input, with
// no pressure column) read row by row, each state computed at the chart's
// pressure and kept if it falls on the plot. Every row that is not kept gets one
// "FILE:LINE: reason" message.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "chart/binned.h"
#include "chart/density.h"
#include "chart/frame.h"
#include "chart/marks.h"
#include "cli/messages.h"
#include "cli/units.h"
#include "tables/csv.h"
#include "tables/table.h"

namespace hygrian::chart {

// How a file of the chart's was read, whatever its rows are.
struct FileRead {
  bool leftOut = false;     // a row or the whole table was not drawn
  bool readFailed = false;  // the source failed; readError says why
  int readError = 0;
};

// Reads `table`'s header; true when its rows follow. Otherwise `read` and the
// messages say why: "name: no WHAT: the file is empty" (nothing at all when
// emptyIsNothing), the header's fault at its line, or the source's error.
bool ReadFileHeader(tables::TableReader& table, std::string_view name, std::string_view what,
                    bool emptyIsNothing, cli::Messages& messages, FileRead& read);
// The next row of `table`; false at its end or when the source fails (kept in `read`).
bool NextFileRow(tables::TableReader& table, tables::TableReader::Row& row, FileRead& read);

struct PointsRead : FileRead {
  // In file order: the states on the plot, and those outside its ranges (not
  // onPlot), which only a process joins. Empty once the points are a density.
  std::vector<PlotPoint> points;
  // The points on the plot counted by cell, past kDensityThreshold of them or
  // with the settings' density; none otherwise.
  std::optional<Density> density;
  std::string secondKey;  // the pair's second value ("relative_humidity")
};

// What a file of points is to the chart: the user's points, or the corners of
// zones.
struct PointsFile {
  const cli::TableUnits* units = nullptr;  // --unit; none: the header's, else the chart's
  std::string_view labelColumn = "label";  // the column of each point's text
  // Standard input, read because no file is named: empty, it has no points and
  // that is no message and nothing left out.
  bool emptyIsNoPoints = false;
  // Points that may become a density; a zone's corners may lie past the plot's
  // ranges (their outline is clipped), no message and nothing left out.
  bool userPoints = true;
  // When given, every point inside the plot, a density's too, for the browser
  // page (hygrian-chart --html).
  PagePoints* page = nullptr;
};

// Reads every row of `source`, in bounded memory, with the reader's options
// (delimiter, decimal comma, column names), its values in the frame's units
// (IP: degrees F, %, lb/lb), named `name` in the messages about rows left out,
// in those units:
//   name.csv:3: dew_point is not a number
//   name.csv:4: outside the plotted range (dry-bulb 60 degrees C, humidity ratio 12.5 g/kg)
//   name.csv:5: above the saturation curve (relative humidity 104.2 %)
//   name.csv:6: log: DOMAIN error
//   name.csv: no points: the file is empty (unless file.emptyIsNoPoints)
//   name.csv:1: no points: only the header
PointsRead ReadPoints(tables::ByteSource& source, std::string_view name, const Frame& frame,
                      const tables::ReadOptions& options, cli::Messages& messages,
                      const PointsFile& file = {});

}  // namespace hygrian::chart
