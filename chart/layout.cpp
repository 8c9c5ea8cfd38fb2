#include "chart/layout.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "chart/label_placement.h"
#include "chart/palette.h"

namespace hygrian::chart {
namespace {

constexpr double kSwatchSide = 12.0;  // px
constexpr double kScaleRow = 16.0;    // px between the swatches' centres
constexpr double kScaleInset = 10.0;  // px from the plot's corner

std::string CountsText(const DensityBand& band) {
  const std::string least = std::to_string(band.least);
  return band.least == band.most ? least : least + "\xE2\x80\x93" + std::to_string(band.most);
}

DensityScale LayOutScale(const Frame& frame, const DensityLayer& layer) {
  DensityScale scale;
  const Rect& plot = frame.Plot();
  const double left = plot.left + kScaleInset + kTextPad;
  double y = plot.top + kScaleInset + kScaleRow / 2.0;
  scale.title = TextFrom("points per cell", kLegendFontSize, left, y);
  double right = left + TextWidth(scale.title.text, kLegendFontSize);
  for (const DensityBand& band : layer.bands) {
    y += kScaleRow;
    scale.swatches.push_back({{left + kSwatchSide / 2.0, y}, kSwatchSide, kSwatchSide, 0.0});
    scale.counts.push_back(
        TextFrom(CountsText(band), kLegendFontSize, left + kSwatchSide + 6.0, y));
    right = std::max(
        right, left + kSwatchSide + 6.0 + TextWidth(scale.counts.back().text, kLegendFontSize));
  }
  const double top = plot.top + kScaleInset;
  const double bottom = y + kScaleRow / 2.0;
  const double groundLeft = left - kTextPad;
  const double groundRight = right + kTextPad;
  scale.ground = {{(groundLeft + groundRight) / 2.0, (top + bottom) / 2.0},
                  groundRight - groundLeft,
                  bottom - top,
                  0.0};
  return scale;
}

// The numbers of the states, in their order: a point's on its marker's label,
// a process state's among stateLabels. Under fit, a label that finds no room
// tries the number alone.
void PlaceStateLabels(Chart& chart, const std::vector<NumberedState>& states,
                      std::size_t pointCount, bool all, Placer& placer) {
  const Frame& frame = chart.frame;
  std::size_t marker = 0;
  for (std::size_t i = 0; i < states.size(); ++i) {
    const NumberedState& state = states[i];
    if (!state.onPlot) continue;
    const bool point = i < pointCount;
    const Point at = point && marker < chart.markers.size()
                         ? chart.markers[marker].at
                         : frame.At(state.state.dryBulb, state.state.humidityRatio);
    const std::string text = NumberedText(state);
    std::optional<Label> label = PointLabel(placer, text, at, false);
    if (!label && all) label = PointLabel(placer, text, at, true);
    if (!label && !state.label.empty()) {
      label = PointLabel(placer, std::to_string(state.number), at, false);
    }
    if (point && marker < chart.markers.size()) {
      chart.markers[marker++].label = std::move(label);
    } else if (label) {
      chart.stateLabels.push_back(std::move(*label));
    }
  }
}

}  // namespace

Chart LayOut(const ChartSettings& settings, const std::vector<PlotPoint>& points, bool process,
             const Density* density, std::vector<Zone> zones, std::vector<ProcessDrawing> processes,
             const std::vector<NumberedState>* states) {
  Chart chart{
      Frame(settings),      {}, {}, {}, {}, {}, {}, std::nullopt, {}, {}, std::move(zones), {},
      std::move(processes), {}, {}};
  const Frame& frame = chart.frame;
  Heading heading = LayOutHeading(frame);
  chart.title = std::move(heading.title);
  chart.legend = std::move(heading.legend);
  chart.families.push_back({Family::Saturation, 0.0, {SaturationCurve(frame)}, {}});
  if (chart.families.front().curves.front().vertices.size() < 2) {
    chart.families.front().curves.clear();
  }
  for (const Family family :
       {Family::RelativeHumidity, Family::WetBulb, Family::Enthalpy, Family::SpecificVolume}) {
    FamilyLines lines = LinesOf(frame, family);
    chart.families.push_back({family, lines.step, std::move(lines.curves), {}});
  }
  const Curve noCurve;
  chart.axes = LayOutAxes(frame, chart.families.front().curves.empty()
                                     ? noCurve
                                     : chart.families.front().curves.front());

  Placer placer(frame);
  if (density != nullptr) {
    chart.density = density->Layer();
    chart.densityScale = LayOutScale(frame, *chart.density);
    placer.Block(chart.densityScale.ground);
  }
  for (std::size_t i = 0; i < chart.zones.size(); ++i) {
    if (chart.zones[i].color.empty()) chart.zones[i].color = ZoneColor(i, settings.style);
  }
  chart.zoneLegend = LayOutZoneLegend(frame, chart.zones);
  if (!chart.zones.empty()) placer.Block(chart.zoneLegend.ground);
  const Box& zoneGround = chart.zoneLegend.ground;
  chart.processLegend = LayOutProcessLegend(
      frame, chart.processes,
      chart.zones.empty() ? frame.Plot().bottom : zoneGround.center.y - zoneGround.height / 2.0);
  if (!chart.processes.empty()) placer.Block(chart.processLegend.ground);
  // The calculator model's chart stays the one it always was.
  const double indent = density != nullptr ? chart.densityScale.ground.width + 8.0 : 0.0;
  chart.furniture = LayOutFurniture(frame, settings.options.model == Model::Handbook,
                                    settings.protractor, indent, placer);
  for (const PlotPoint& point : points) {
    if (!point.onPlot) continue;
    const Point at = frame.At(point.state.dryBulb, point.state.humidityRatio);
    chart.markers.push_back({point, at, std::nullopt});
    placer.Block(MarkerBox(at));
  }
  if (process) {
    chart.process = ProcessArrows(frame, points);
    // The arrows are drawn over everything: no label may sit under one.
    for (const ProcessArrow& arrow : chart.process) placer.Block(ArrowBox(arrow));
  }
  for (const ProcessDrawing& drawing : chart.processes) {
    for (const Point& at : drawing.markers) placer.Block(MarkerBox(at));
    for (const std::vector<Point>& path : drawing.paths) {
      for (std::size_t i = 1; i < path.size(); ++i) placer.Block(PieceBox(path[i - 1], path[i]));
    }
    if (drawing.toApparatusDewPoint) {
      placer.Block(PieceBox(drawing.toApparatusDewPoint->from, drawing.toApparatusDewPoint->to));
    }
  }
  if (settings.labels != PointLabels::None) {
    for (ProcessDrawing& drawing : chart.processes) {
      drawing.label = PointLabel(placer, drawing.text, drawing.leaving,
                                 settings.labels == PointLabels::All, true);
    }
    const std::vector<NumberedState> ownStates =
        states != nullptr ? std::vector<NumberedState>() : NumberStates(frame, points, {});
    PlaceStateLabels(chart, states != nullptr ? *states : ownStates, points.size(),
                     settings.labels == PointLabels::All, placer);
  }
  // The short volume lines at the cold end have the least room: their labels go
  // before those of the long wet-bulb and enthalpy lines.
  for (const Family family : {Family::Saturation, Family::RelativeHumidity, Family::SpecificVolume,
                              Family::WetBulb, Family::Enthalpy}) {
    for (FamilyLayer& layer : chart.families) {
      if (layer.family != family) continue;
      // Every line is labelled, but the enthalpy lines that the scale beyond
      // saturation numbers.
      layer.labelStep = family == Family::Enthalpy
                            ? std::max(layer.step, frame.Units().enthalpyLabelStep)
                            : layer.step;
      if (family == Family::Enthalpy && !chart.furniture.enthalpyNumbers.empty()) continue;
      layer.labels = CurveLabels(placer, layer.curves, layer.step, layer.labelStep);
    }
  }
  return chart;
}

}  // namespace hygrian::chart
