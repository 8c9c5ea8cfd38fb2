#include "chart/layout.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "chart/label_placement.h"

namespace hygrian::chart {

Chart LayOut(const ChartSettings& settings, const std::vector<PlotPoint>& points, bool process) {
  Chart chart{Frame(settings), {}, {}, {}, {}, {}, {}};
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
  for (Marker& marker : chart.markers) {
    if (!marker.point.label.empty()) {
      marker.label = PointLabel(placer, marker.point.label, marker.at);
    }
  }
  // The short volume lines at the cold end have the least room: their labels go
  // before those of the long wet-bulb and enthalpy lines.
  for (const Family family : {Family::Saturation, Family::RelativeHumidity, Family::SpecificVolume,
                              Family::WetBulb, Family::Enthalpy}) {
    for (FamilyLayer& layer : chart.families) {
      if (layer.family != family) continue;
      // Every line is labelled, or in IP every fifth enthalpy line.
      layer.labelStep = family == Family::Enthalpy
                            ? std::max(layer.step, frame.Units().enthalpyLabelStep)
                            : layer.step;
      layer.labels = CurveLabels(placer, layer.curves, layer.step, layer.labelStep);
    }
  }
  return chart;
}

}  // namespace hygrian::chart
