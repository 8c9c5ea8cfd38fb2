#include "chart/points.h"

#include <array>
#include <string>
#include <utility>

#include "chart/number_text.h"
#include "cli/compute.h"
#include "cli/row_messages.h"
#include "cli/words.h"
#include "hygrian/outcomes.h"
#include "hygrian/psychrometrics.h"
#include "tables/table.h"

namespace hygrian::chart {
namespace {

std::size_t LabelColumn(const tables::Layout& layout, std::string_view name) {
  for (std::size_t i = 0; i < layout.keys.size(); ++i) {
    if (layout.keys[i] == name) return i;
  }
  return tables::kNoColumn;
}

// value to `decimals` decimals, with the digits that show it beyond low or high
// when it is.
std::string Shown(double value, double low, double high, int decimals) {
  if (value < low) return RoundedPast(value, decimals, low, false);
  if (value > high) return RoundedPast(value, decimals, high, true);
  return Rounded(value, decimals);
}

// Why a computed state is not drawn, or "" when it is.
std::string Misfit(const Frame& frame, const State& s) {
  switch (FitOf(frame, s.dryBulb, s.humidityRatio)) {
    case Fit::Inside:
      return "";
    case Fit::OutsideRange: {
      const ChartSettings& settings = frame.Settings();
      const ChartUnits& units = settings.units;
      const double t = ToChart(units, "degC", s.dryBulb);
      const double W = FromLibrary(*units.humidityRatio, s.humidityRatio);
      const std::string dryBulb = Shown(t, settings.dryBulbMin, settings.dryBulbMax, 2);
      const std::string ratio =
          Shown(W, 0.0, settings.humidityRatioMax, HumidityRatioDecimals(*units.humidityRatio));
      return "outside the plotted range (dry-bulb " + dryBulb + " " +
             std::string(units.degreeWords) + ", humidity ratio " + ratio + " " +
             std::string(units.humidityRatio->key) + ")";
    }
    case Fit::AboveSaturation:
      return "above the saturation curve (relative humidity " +
             Shown(s.relativeHumidity, -1.0, 100.0, 2) + " %)";
  }
  return "";
}

// The units of the pair's two columns: --unit's, else the header's
// ("dry_bulb (degF)"), else the chart's; "" or why the file cannot be read.
std::string ReadUnits(const tables::Layout& layout, const ChartUnits& chart,
                      const cli::TableUnits& options, std::array<const Unit*, 2>& units) {
  const std::array<std::size_t, 2> columns{layout.first, layout.second};
  const std::array<std::string_view, 2> keys{layout.firstKey, layout.secondKey};
  const std::array<std::string_view, 2> library{AllPairs[layout.pair].given[0].unit,
                                                AllPairs[layout.pair].given[1].unit};
  for (std::size_t i = 0; i < 2; ++i) {
    const Unit* fallback = ConvertedUnit(chart, library[i]);
    if (std::string problem =
            cli::ColumnUnitOf(options, keys[i], layout.names[columns[i]], units[i],
                              fallback != nullptr ? fallback->key : std::string_view());
        !problem.empty()) {
      return problem;
    }
  }
  return "";
}

// From here on the points are counted, not kept: those on the plot go into the
// density, the rest (only a process's waypoints) are dropped.
void BecomeDensity(PointsRead& read, const Frame& frame) {
  read.density.emplace(frame);
  for (const PlotPoint& point : read.points) {
    if (point.onPlot) read.density->Add(frame.At(point.state.dryBulb, point.state.humidityRatio));
  }
  std::vector<PlotPoint>().swap(read.points);
}

}  // namespace

bool ReadFileHeader(tables::TableReader& table, std::string_view name, std::string_view what,
                    bool emptyIsNothing, cli::Messages& messages, FileRead& read) {
  std::string message;
  switch (table.ReadHeader(message)) {
    case tables::TableReader::HeaderStatus::Ok:
      return true;
    case tables::TableReader::HeaderStatus::Empty:
      if (emptyIsNothing) return false;
      messages.Line(name, 0, "no " + std::string(what) + ": the file is empty");
      break;
    case tables::TableReader::HeaderStatus::Invalid:
      messages.Line(name, table.HeaderLine(), message);
      break;
    case tables::TableReader::HeaderStatus::ReadError:
      read.readFailed = true;
      read.readError = table.Error();
      return false;
  }
  read.leftOut = true;
  return false;
}

bool NextFileRow(tables::TableReader& table, tables::TableReader::Row& row, FileRead& read) {
  const tables::CsvNext next = table.Next(row);
  if (next == tables::CsvNext::ReadError) {
    read.readFailed = true;
    read.readError = table.Error();
  }
  return next == tables::CsvNext::Record;
}

PointsRead ReadPoints(tables::ByteSource& source, std::string_view name, const Frame& frame,
                      const tables::ReadOptions& options, cli::Messages& messages,
                      const PointsFile& file) {
  PointsRead read;
  cli::RowMessages rowMessages(messages, name, options.decimalComma);
  const auto problem = [&](std::uint64_t line, std::string_view reason) {
    rowMessages.Other(line, reason);
    read.leftOut = true;
  };
  tables::ReadOptions withUnits = options;
  withUnits.namesWithUnits = true;
  tables::TableReader table(source, frame.Pressure(), tables::PressureUnit::KPa,
                            tables::kDefaultBufferBytes, std::move(withUnits));
  if (!ReadFileHeader(table, name, "points", file.emptyIsNoPoints, messages, read)) return read;
  const tables::Layout& layout = table.ColumnLayout();
  if (layout.pressure != tables::kNoColumn) {
    messages.Line(name, table.HeaderLine(),
                  "a pressure column is not taken: the points are computed at the chart's "
                  "pressure (--pressure)");
    read.leftOut = true;
    return read;
  }
  if (cli::SearchedPair(layout.pair) && frame.Relations().model == Model::Calculator) {
    messages.Line(name, table.HeaderLine(), cli::NotWithCalculator(layout.pair));
    read.leftOut = true;
    return read;
  }
  std::array<const Unit*, 2> units{};
  const cli::TableUnits noOptions;
  if (std::string unitProblem =
          ReadUnits(layout, frame.Units(), file.units != nullptr ? *file.units : noOptions, units);
      !unitProblem.empty()) {
    messages.Line(name, table.HeaderLine(), unitProblem);
    read.leftOut = true;
    return read;
  }
  read.secondKey = layout.secondKey;
  const std::size_t labelColumn = LabelColumn(layout, file.labelColumn);
  if (file.userPoints && frame.Settings().density) read.density.emplace(frame);
  std::size_t onPlot = 0;

  tables::TableReader::Row row;
  bool anyRow = false;
  while (NextFileRow(table, row, read)) {
    anyRow = true;
    const tables::Measured& m = row.measured;
    const std::uint64_t line = row.record.line;
    if (m.bad != tables::BadInput::None) {
      // A gap is not drawn either; an unclosed quote is where it opened.
      tables::ReasonBuffer buffer{};
      rowMessages.Bad(m.bad == tables::BadInput::UnclosedQuote ? m.quoteLine : line, m,
                      tables::BadInputText(layout, m, buffer));
      read.leftOut = true;
      continue;
    }
    // The values in their columns' units, computed in the library's.
    const Result result =
        cli::Compute(layout.pair, ToLibrary(*units[0], m.first), ToLibrary(*units[1], m.second),
                     frame.Pressure(), frame.Relations(), frame.Settings().supersaturated);
    // A warning (supersaturated, drier than the range) has its state: it is drawn
    // where it lies, and told like any other misfit.
    if (!RulesOf(OutcomeOf(result).kind).computed) {
      problem(line, StatusText(result.status));
      continue;
    }
    const Fit fit = FitOf(frame, result.state.dryBulb, result.state.humidityRatio);
    if (fit == Fit::AboveSaturation || (fit != Fit::Inside && file.userPoints)) {
      problem(line, Misfit(frame, result.state));
    }
    // A state beyond the ranges stays a waypoint of the process.
    if (fit == Fit::AboveSaturation) continue;
    if (file.page != nullptr && fit == Fit::Inside) {
      file.page->Add(result.state.dryBulb, result.state.humidityRatio);
    }
    if (read.density) {
      if (fit == Fit::Inside) {
        read.density->Add(frame.At(result.state.dryBulb, result.state.humidityRatio));
      }
      continue;
    }
    std::string label;
    if (labelColumn != tables::kNoColumn && labelColumn < row.record.fields.size()) {
      label = row.record.fields[labelColumn];
    }
    read.points.push_back(
        {result.state, result.wetBulbFound, std::move(label), fit == Fit::Inside});
    if (file.userPoints && fit == Fit::Inside && ++onPlot > kDensityThreshold) {
      BecomeDensity(read, frame);
    }
  }
  rowMessages.End();
  if (!anyRow && !read.readFailed) {
    messages.Line(name, table.HeaderLine(), "no points: only the header");
    read.leftOut = true;
  }
  return read;
}

}  // namespace hygrian::chart
