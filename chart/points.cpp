#include "chart/points.h"

#include "hygrian/psychrometrics.h"
#include "tables/table.h"

namespace hygrian::chart {
namespace {

Result Compute(tables::Pair pair, double dryBulb, double second, double pressure) {
  switch (pair) {
    case tables::Pair::WetBulb:
      return FromDryBulbWetBulb(dryBulb, second, pressure);
    case tables::Pair::DewPoint:
      return FromDryBulbDewPoint(dryBulb, second, pressure);
    case tables::Pair::RelativeHumidity:
      return FromDryBulbRelativeHumidity(dryBulb, second, pressure);
    case tables::Pair::HumidityRatio:
      return FromDryBulbHumidityRatio(dryBulb, second, pressure);
  }
  return {};
}

std::size_t LabelColumn(const tables::Layout& layout) {
  for (std::size_t i = 0; i < layout.keys.size(); ++i) {
    if (layout.keys[i] == "label") return i;
  }
  return tables::NoColumn;
}

// Why a computed state is not drawn, or "" when it is.
std::string Misfit(const Frame& frame, const State& s) {
  switch (FitOf(frame, s.dryBulb, s.humidityRatio)) {
    case Fit::Inside:
      return "";
    case Fit::OutsideRange:
      return "outside the plotted range (dry-bulb " + Shortest(s.dryBulb) +
             " degrees C, humidity ratio " + Shortest(s.humidityRatio * 1000.0) + " g/kg)";
    case Fit::AboveSaturation:
      return "above the saturation curve (relative humidity " + Shortest(s.relativeHumidity) +
             " %)";
  }
  return "";
}

}  // namespace

PointsRead ReadPoints(tables::ByteSource& source, std::string_view name, const Frame& frame) {
  PointsRead read;
  const auto problem = [&](std::uint64_t line, std::string_view reason) {
    read.problems.push_back(std::string(name) + ":" + std::to_string(line) + ": " +
                            std::string(reason));
  };
  tables::TableReader table(source, frame.Pressure());
  std::string message;
  switch (table.ReadHeader(message)) {
    case tables::TableReader::HeaderStatus::Ok:
      break;
    case tables::TableReader::HeaderStatus::Empty:
      return read;
    case tables::TableReader::HeaderStatus::Invalid:
      problem(table.headerLine(), message);
      return read;
    case tables::TableReader::HeaderStatus::ReadError:
      read.readFailed = true;
      read.readError = table.error();
      return read;
  }
  const tables::Layout& layout = table.layout();
  if (layout.pressure != tables::NoColumn) {
    problem(table.headerLine(),
            "a pressure column is not taken: the points are computed at the chart's pressure "
            "(--pressure)");
    return read;
  }
  const std::size_t labelColumn = LabelColumn(layout);

  tables::TableReader::Row row;
  for (;;) {
    const tables::CsvNext next = table.Next(row);
    if (next == tables::CsvNext::End) break;
    if (next == tables::CsvNext::ReadError) {
      read.readFailed = true;
      read.readError = table.error();
      break;
    }
    const tables::Measured& m = row.measured;
    const std::uint64_t line = row.record.line;
    if (m.bad != tables::BadInput::None) {
      tables::ReasonBuffer buffer{};
      problem(line, tables::BadInputText(layout, m, buffer));
      continue;
    }
    const Result result = Compute(layout.pair, m.dryBulb, m.second, frame.Pressure());
    if (result.status != Status::Ok) {
      problem(line, StatusText(result.status));
      continue;
    }
    const std::string misfit = Misfit(frame, result.state);
    if (!misfit.empty()) {
      problem(line, misfit);
      continue;
    }
    std::string label;
    if (labelColumn != tables::NoColumn && labelColumn < row.record.fields.size()) {
      label = row.record.fields[labelColumn];
    }
    read.points.push_back({result.state, result.wetBulbFound, std::move(label)});
  }
  return read;
}

}  // namespace hygrian::chart
