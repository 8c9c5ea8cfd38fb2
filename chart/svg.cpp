#include "chart/svg.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "chart/density.h"
#include "chart/number_text.h"
#include "chart/palette.h"
#include "chart/process_lines.h"
#include "chart/ticks.h"
#include "chart/xml_writer.h"
#include "hygrian/properties.h"

namespace hygrian::chart {
namespace {

constexpr std::string_view kTextColor = "#1a1a1a";
constexpr std::string_view kAxisColor = "#4d4d4d";
constexpr std::string_view kWhite = "#ffffff";
constexpr std::string_view kFont = "DejaVu Sans, Verdana, Arial, sans-serif";
// Lines under this mask leave a gap where a label stands.
constexpr std::string_view kLabelGaps = "url(#label-gaps)";

std::string Degrees(double radians) { return Coordinate(radians * 180.0 / std::numbers::pi); }

// "x,y x,y ..." to 0.01 px.
void AppendPoint(std::string& text, Point p) {
  if (!text.empty()) text += ' ';
  text += Coordinate(p.x) + "," + Coordinate(p.y);
}

std::string PointsText(const std::vector<Point>& points) {
  std::string text;
  for (const Point& p : points) AppendPoint(text, p);
  return text;
}

std::string PointsText(const std::vector<Vertex>& vertices) {
  std::string text;
  for (const Vertex& v : vertices) AppendPoint(text, v.at);
  return text;
}

Attributes LineFromTo(Point from, Point to) {
  return {{"x1", Coordinate(from.x)},
          {"y1", Coordinate(from.y)},
          {"x2", Coordinate(to.x)},
          {"y2", Coordinate(to.y)}};
}

// The box's turn about its centre, when it has one to 0.01 degrees.
void AddRotation(Attributes& attributes, const Box& box) {
  const std::string degrees = Degrees(box.angle);
  if (degrees == "0") return;
  attributes.emplace_back("transform", "rotate(" + degrees + " " + Coordinate(box.center.x) + " " +
                                           Coordinate(box.center.y) + ")");
}

void AddDash(Attributes& attributes, const LineStyle& style) {
  if (!style.dash.empty()) attributes.emplace_back("stroke-dasharray", style.dash);
}

// A group of texts that share their font and colour; `id` empty for none.
Attributes TextGroup(std::string_view id, double fontSize, std::string_view fill, bool bold) {
  Attributes attributes;
  if (!id.empty()) attributes.emplace_back("id", id);
  attributes.emplace_back("font-size", Coordinate(fontSize));
  if (bold) attributes.emplace_back("font-weight", "bold");
  attributes.emplace_back("fill", fill);
  attributes.emplace_back("text-anchor", "middle");
  return attributes;
}

// What a browser shows on hover: the label and the state in the chart's units,
// rounded to read.
std::string Tooltip(const PlotPoint& point, const ChartUnits& units) {
  const State& s = point.state;
  std::string text = point.label.empty() ? "" : point.label + "\n";
  const auto t = [&](double value) {
    std::string shown = Fixed(ToChart(units, "degC", value), 1);
    shown += ' ';
    shown += units.degrees;
    return shown;
  };
  text += "dry-bulb " + t(s.dryBulb) + "\n";
  text += "relative humidity " + Fixed(s.relativeHumidity, 1) + " %\n";
  if (point.wetBulbFound) text += "wet-bulb " + t(s.wetBulb) + "\n";
  text += "dew point " + t(s.dewPoint) + "\n";
  const Unit& ratio = *units.humidityRatio;
  text += "humidity ratio " +
          Fixed(FromLibrary(ratio, s.humidityRatio), HumidityRatioDecimals(ratio)) + " " +
          std::string(ratio.key) + "\n";
  text += "specific humidity " +
          Fixed(FromLibrary(ratio, s.specificHumidity), HumidityRatioDecimals(ratio)) + " " +
          std::string(ratio.key) + "\n";
  text += "enthalpy " + Fixed(ToChart(units, "kJ/kg", s.enthalpy), 1) + " " +
          std::string(units.enthalpyText);
  return text;
}

class Writer {
 public:
  explicit Writer(const Chart& chart) : chart_(chart), style_(chart.frame.Settings().style) {}

  std::string Document() {
    xml_.Declaration();
    ChartElement({});
    return xml_.Take();
  }

  // The chart on its sheet: the page (sized in mm), the chart's picture at its
  // place, the table and the title block.
  std::string Sheet(const SheetSettings& sheet, const SheetLayout& layout) {
    const std::string w = Coordinate(layout.width);
    const std::string h = Coordinate(layout.height);
    const auto page = PageInPixels(sheet);
    const auto millimetres = [](double px) {
      return Coordinate(px / kPixelsPerInch * kMillimetresPerInch) + "mm";
    };
    xml_.Declaration();
    xml_.Open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                      {"version", "1.1"},
                      {"width", page ? millimetres(layout.width) : w},
                      {"height", page ? millimetres(layout.height) : h},
                      {"viewBox", "0 0 " + w + " " + h},
                      {"font-family", kFont}});
    xml_.Element("title", {}, sheet.titleBlock ? sheet.title : chart_.title.text);
    xml_.Element("rect", {{"x", "0"}, {"y", "0"}, {"width", w}, {"height", h}, {"fill", kWhite}});
    ChartElement({{"x", Coordinate(layout.chartAt.x)}, {"y", Coordinate(layout.chartAt.y)}});
    if (layout.table) Table(*layout.table);
    if (layout.titleBlock) TitleBlockOf(*layout.titleBlock);
    xml_.Close();
    return xml_.Take();
  }

  // The chart's own svg element, placed by `at` (x and y) on a sheet.
  void ChartElement(const Attributes& at) {
    const ChartSettings& settings = chart_.frame.Settings();
    const std::string w = std::to_string(settings.width);
    const std::string h = std::to_string(settings.height);
    Attributes svg{{"xmlns", "http://www.w3.org/2000/svg"}, {"version", "1.1"}};
    svg.insert(svg.end(), at.begin(), at.end());
    svg.insert(
        svg.end(),
        {{"width", w}, {"height", h}, {"viewBox", "0 0 " + w + " " + h}, {"font-family", kFont}});
    xml_.Open("svg", svg);
    xml_.Element("title", {}, chart_.title.text);
    Definitions(w, h);
    xml_.Element("rect", {{"x", "0"}, {"y", "0"}, {"width", w}, {"height", h}, {"fill", kWhite}});
    Heading();
    Axes();
    Zones();
    // Drawn from the back: the lines that cross most others first.
    for (std::size_t i = chart_.families.size(); i-- > 0;) Family(chart_.families[i]);
    Furniture(chart_.furniture);
    ZoneLegend();
    Processes();
    Points();
    xml_.Close();
  }

  // The states' table: its rules, the names in bold, the rest.
  void Table(const TableLayout& table) {
    xml_.Open("g", {{"id", "state-table"}});
    Segments("", kAxisColor, table.rules);
    xml_.Open("g", TextGroup("", table.texts.empty() ? 10.0 : table.texts.front().fontSize,
                             kTextColor, true));
    for (std::size_t i = 0; i < table.headerTexts; ++i) Text(table.texts[i]);
    xml_.Close();
    xml_.Open("g", TextGroup("", table.texts.empty() ? 10.0 : table.texts.front().fontSize,
                             kTextColor, false));
    for (std::size_t i = table.headerTexts; i < table.texts.size(); ++i) Text(table.texts[i]);
    xml_.Close();
    xml_.Close();
  }

  void TitleBlockOf(const TitleBlock& block) {
    xml_.Open("g", {{"id", "title-block"}});
    xml_.Element("rect", {{"x", Coordinate(block.frame.left)},
                          {"y", Coordinate(block.frame.top)},
                          {"width", Coordinate(block.frame.right - block.frame.left)},
                          {"height", Coordinate(block.frame.bottom - block.frame.top)},
                          {"fill", "none"},
                          {"stroke", kAxisColor},
                          {"stroke-width", "1"}});
    Segments("", kAxisColor, block.rules);
    xml_.Open("g", TextGroup("", block.texts.front().fontSize, kTextColor, true));
    Text(block.texts.front());
    xml_.Close();
    xml_.Open("g", TextGroup("", block.texts.size() > 1 ? block.texts[1].fontSize : 10.0,
                             kTextColor, false));
    for (std::size_t i = 1; i < block.texts.size(); ++i) Text(block.texts[i]);
    xml_.Close();
    xml_.Close();
  }

 private:
  // The arrowhead of the process lines, and the mask that leaves a gap in every
  // line where a label stands.
  void Definitions(const std::string& w, const std::string& h) {
    xml_.Open("defs");
    Arrowhead("arrowhead", PointColor(style_));
    xml_.Open("mask", {{"id", "label-gaps"},
                       {"maskUnits", "userSpaceOnUse"},
                       {"x", "0"},
                       {"y", "0"},
                       {"width", w},
                       {"height", h}});
    xml_.Element("rect", {{"x", "0"}, {"y", "0"}, {"width", w}, {"height", h}, {"fill", kWhite}});
    for (const FamilyLayer& layer : chart_.families) {
      for (const Label& label : layer.labels) BoxRect(label.box, "#000000", "");
    }
    for (const Marker& marker : chart_.markers) {
      if (marker.label) BoxRect(marker.label->box, "#000000", "");
    }
    for (const Label& label : chart_.stateLabels) BoxRect(label.box, "#000000", "");
    for (const ProcessDrawing& drawing : chart_.processes) {
      if (drawing.label) BoxRect(drawing.label->box, "#000000", "");
    }
    xml_.Close();  // mask
    ProcessArrowheads();
    if (!chart_.zones.empty() || !chart_.processes.empty()) {
      const Rect& plot = chart_.frame.Plot();
      xml_.Open("clipPath", {{"id", "plot-area"}});
      xml_.Element("rect", {{"x", Coordinate(plot.left)},
                            {"y", Coordinate(plot.top)},
                            {"width", Coordinate(plot.right - plot.left)},
                            {"height", Coordinate(plot.bottom - plot.top)}});
      xml_.Close();
    }
    xml_.Close();  // defs
  }

  void Heading() {
    xml_.Open("g", TextGroup("title", kTitleFontSize, kTextColor, true));
    Text(chart_.title);
    xml_.Close();
    xml_.Open("g", TextGroup("legend", kLegendFontSize, kTextColor, false));
    for (const LegendItem& item : chart_.legend) {
      const LineStyle s = StyleOf(item.family);
      Attributes line = LineFromTo(item.line.from, item.line.to);
      line.emplace_back("stroke", s.color);
      line.emplace_back("stroke-width", "1.6");
      AddDash(line, s);
      xml_.Element("line", line);
      Text(item.label);
    }
    xml_.Close();
  }

  void Axes() {
    const Rect& plot = chart_.frame.Plot();
    const AxesLayer& axes = chart_.axes;
    xml_.Open("g", {{"id", "axes"}});
    xml_.Open("g", {{"mask", kLabelGaps}, {"stroke", "#c8c8c8"}, {"stroke-width", "0.6"}});
    for (const Segment& s : axes.grid) xml_.Element("line", LineFromTo(s.from, s.to));
    xml_.Close();
    xml_.Element("polyline", {{"fill", "none"},
                              {"stroke", kAxisColor},
                              {"stroke-width", "1.2"},
                              {"points", PointsText(axes.outline)}});
    xml_.Open("g", {{"stroke", kAxisColor}, {"stroke-width", "1"}});
    // Temperature along the bottom and humidity ratio up the right; on the
    // Mollier diagram humidity ratio along the bottom and temperature up the left.
    const bool mollier = chart_.frame.Mollier();
    for (const Tick& tick : axes.dryBulb) {
      xml_.Element(
          "line",
          mollier ? LineFromTo({plot.left - 5.0, tick.position}, {plot.left, tick.position})
                  : LineFromTo({tick.position, plot.bottom}, {tick.position, plot.bottom + 5.0}));
    }
    for (const Tick& tick : axes.humidityRatio) {
      xml_.Element(
          "line", mollier
                      ? LineFromTo({tick.position, plot.bottom}, {tick.position, plot.bottom + 5.0})
                      : LineFromTo({plot.right, tick.position}, {plot.right + 5.0, tick.position}));
    }
    xml_.Close();
    xml_.Open("g", TextGroup("", kTickFontSize, kTextColor, false));
    for (const Tick& tick : axes.dryBulb) Text(tick.label);
    for (const Tick& tick : axes.humidityRatio) Text(tick.label);
    xml_.Close();
    xml_.Open("g", TextGroup("", kAxisTitleFontSize, kTextColor, false));
    Text(axes.dryBulbTitle);
    Text(axes.humidityRatioTitle);
    xml_.Close();
    xml_.Close();
  }

  void Family(const FamilyLayer& layer) {
    const LineStyle s = StyleOf(layer.family);
    xml_.Open("g", {{"id", s.id}});
    Attributes lines{
        {"mask", kLabelGaps}, {"fill", "none"}, {"stroke", s.color}, {"stroke-width", s.width}};
    AddDash(lines, s);
    xml_.Open("g", lines);
    for (const Curve& curve : layer.curves) {
      Attributes line{{"data-value", Shortest(curve.value)}};
      if (!IsMultiple(curve.value, layer.labelStep)) line.emplace_back("stroke-width", "0.45");
      line.emplace_back("points", PointsText(curve.vertices));
      xml_.Element("polyline", line);
    }
    xml_.Close();
    xml_.Open("g", TextGroup("", kLabelFontSize, s.color, false));
    for (const Label& label : layer.labels) Text(label);
    xml_.Close();
    xml_.Close();
  }

  // Each zone a shaded polygon with its name as hover title, clipped to the plot.
  void Zones() {
    if (chart_.zones.empty()) return;
    xml_.Open("g", {{"id", "zones"},
                    {"clip-path", "url(#plot-area)"},
                    {"fill-opacity", style_ == Style::Print ? "0.35" : "0.2"}});
    for (std::size_t i = 0; i < chart_.zones.size(); ++i) {
      const Zone& zone = chart_.zones[i];
      Attributes polygon{{"points", PointsText(zone.outline)},
                         {"fill", zone.color},
                         {"stroke", style_ == Style::Print ? "#000000" : zone.color},
                         {"stroke-width", "1.2"}};
      if (const std::string_view dash = ZoneDash(i, style_); !dash.empty()) {
        polygon.emplace_back("stroke-dasharray", dash);
      }
      for (const auto& [name, value] : zone.data) polygon.emplace_back("data-" + name, value);
      xml_.OpenInline("polygon", polygon);
      xml_.Element("title", {}, zone.name);
      xml_.Close();
    }
    xml_.Close();
  }

  // A marker for the end of a line: an arrowhead in colour.
  void Arrowhead(const std::string& id, std::string_view color) {
    xml_.OpenInline("marker", {{"id", id},
                               {"viewBox", "0 0 10 10"},
                               {"refX", "10"},
                               {"refY", "5"},
                               {"markerUnits", "userSpaceOnUse"},
                               {"markerWidth", "11"},
                               {"markerHeight", "11"},
                               {"orient", "auto"}});
    xml_.Element("path", {{"d", "M0,1 L10,5 L0,9 z"}, {"fill", color}});
    xml_.Close();
  }

  // An arrowhead in the colour of each kind of process drawn.
  void ProcessArrowheads() {
    for (const cli::ProcessKind& kind : cli::kProcesses) {
      if (std::none_of(chart_.processes.begin(), chart_.processes.end(),
                       [&](const ProcessDrawing& d) { return d.process == kind.process; })) {
        continue;
      }
      Arrowhead("arrowhead-" + std::string(kind.word), ProcessColor(kind.process, style_));
    }
  }

  // Each process a group in its colour, clipped to the plot: its paths with
  // their arrowheads, the coil's dashed line to its apparatus dew point, its
  // markers; then the labels on white and the legend.
  void Processes() {
    if (chart_.processes.empty()) return;
    xml_.Open("g", {{"id", "processes"}, {"clip-path", "url(#plot-area)"}});
    for (const ProcessDrawing& d : chart_.processes) {
      xml_.Open("g", {{"data-process", d.word}, {"stroke", d.color}, {"fill", "none"}});
      xml_.Element("title", {}, d.title);
      if (d.toApparatusDewPoint) {
        Attributes dashed = LineFromTo(d.toApparatusDewPoint->from, d.toApparatusDewPoint->to);
        dashed.emplace_back("stroke-width", "1.2");
        dashed.emplace_back("stroke-dasharray", "6 4");
        xml_.Element("line", dashed);
        xml_.Element("circle", {{"cx", Coordinate(d.toApparatusDewPoint->to.x)},
                                {"cy", Coordinate(d.toApparatusDewPoint->to.y)},
                                {"r", "3"},
                                {"fill", kWhite},
                                {"stroke-width", "1.2"}});
      }
      for (const std::vector<Point>& path : d.paths) ProcessPath(d, path);
      for (const Point& at : d.markers) {
        xml_.Element("circle", {{"cx", Coordinate(at.x)},
                                {"cy", Coordinate(at.y)},
                                {"r", Coordinate(kMarkerRadius)},
                                {"fill", d.color},
                                {"stroke", kWhite},
                                {"stroke-width", "1"}});
      }
      xml_.Close();
    }
    xml_.Close();
    xml_.Open("g", TextGroup("process-labels", kPointFontSize, kTextColor, true));
    for (const ProcessDrawing& d : chart_.processes) {
      if (!d.label) continue;
      BoxRect(d.label->box, kWhite, "0.85");
      Text(*d.label);
    }
    xml_.Close();
    const ProcessLegend& legend = chart_.processLegend;
    xml_.Open("g", {{"id", "process-legend"}});
    BoxRect(legend.ground, kWhite, "0.85");
    for (std::size_t i = 0; i < legend.samples.size(); ++i) {
      Attributes line = LineFromTo(legend.samples[i].from, legend.samples[i].to);
      line.emplace_back("stroke", legend.colors[i]);
      line.emplace_back("stroke-width", ProcessWidth(style_));
      xml_.Element("line", line);
    }
    xml_.Open("g", TextGroup("", kLegendFontSize, kTextColor, false));
    for (const Label& name : legend.names) Text(name);
    xml_.Close();
    xml_.Close();
  }

  // A path to its leaving state, stopped short of the marker there so that the
  // arrowhead shows.
  void ProcessPath(const ProcessDrawing& d, std::vector<Point> path) {
    if (path.size() < 2) return;
    Point& end = path.back();
    const Point& before = path[path.size() - 2];
    const double length = std::hypot(end.x - before.x, end.y - before.y);
    const double cut = kMarkerRadius + 1.5;
    if (length > cut) {
      end = {end.x - (end.x - before.x) * cut / length, end.y - (end.y - before.y) * cut / length};
    }
    xml_.Element("polyline", {{"points", PointsText(path)},
                              {"stroke-width", ProcessWidth(style_)},
                              {"marker-end", "url(#arrowhead-" + std::string(d.word) + ")"}});
  }

  void ZoneLegend() {
    const struct ZoneLegend& legend = chart_.zoneLegend;
    if (legend.swatches.empty()) return;
    xml_.Open("g", {{"id", "zone-legend"}});
    BoxRect(legend.ground, kWhite, "0.85");
    for (std::size_t i = 0; i < legend.swatches.size(); ++i) {
      BoxRect(legend.swatches[i], chart_.zones[i].color, "0.5");
    }
    xml_.Open("g", TextGroup("", kLegendFontSize, kTextColor, false));
    for (const Label& name : legend.names) Text(name);
    xml_.Close();
    xml_.Close();
  }

  // The scales along saturation and the protractor, each a group when drawn.
  void Furniture(const struct Furniture& furniture) {
    Segments("saturation-marks", StyleOf(Family::Saturation).color, furniture.saturationMarks);
    if (!furniture.enthalpyTicks.empty()) {
      const std::string_view color = StyleOf(Family::Enthalpy).color;
      xml_.Open("g", {{"id", "enthalpy-scale"}});
      Segments("", color, furniture.enthalpyTicks);
      xml_.Open("g", TextGroup("", kScaleFontSize, color, false));
      for (const Label& number : furniture.enthalpyNumbers) Text(number);
      xml_.Close();
      xml_.Close();
    }
    if (!furniture.protractor) return;
    const Protractor& p = *furniture.protractor;
    xml_.Open("g", {{"id", "protractor"}});
    // The outer ring, and the half circle over its diameter, closed.
    const auto half = [&](Point from, Point to, double radius, bool closed) {
      std::string arc(1, 'M');
      arc += Coordinate(from.x);
      arc += ',';
      arc += Coordinate(from.y);
      arc += " A";
      arc += Coordinate(radius);
      arc += ',';
      arc += Coordinate(radius);
      arc += " 0 0 1 ";
      arc += Coordinate(to.x);
      arc += ',';
      arc += Coordinate(to.y);
      if (closed) arc += " Z";
      return arc;
    };
    const double outer = p.ringRadius / p.radius;
    const auto ring = [&](Point end) {
      return Point{p.center.x + (end.x - p.center.x) * outer,
                   p.center.y + (end.y - p.center.y) * outer};
    };
    xml_.Element("path", {{"d", half(ring(p.arcFrom), ring(p.arcTo), p.ringRadius, true)},
                          {"fill", kWhite},
                          {"fill-opacity", "0.85"},
                          {"stroke", kAxisColor},
                          {"stroke-width", "0.8"}});
    xml_.Element("path", {{"d", half(p.arcFrom, p.arcTo, p.radius, true)},
                          {"fill", "none"},
                          {"stroke", kAxisColor},
                          {"stroke-width", "0.8"}});
    Segments("", kAxisColor, p.lines);
    Segments("", kAxisColor, p.ringTicks);
    Segments("", "#9e9e9e", p.leaders);
    if (p.referenceShown) {
      // The reference state: a ring round a dot.
      xml_.Element("circle", {{"cx", Coordinate(p.reference.x)},
                              {"cy", Coordinate(p.reference.y)},
                              {"r", "4"},
                              {"fill", "none"},
                              {"stroke", kAxisColor},
                              {"stroke-width", "1"}});
      xml_.Element("circle", {{"cx", Coordinate(p.reference.x)},
                              {"cy", Coordinate(p.reference.y)},
                              {"r", "1.5"},
                              {"fill", kAxisColor}});
    }
    xml_.Open("g", TextGroup("", kScaleFontSize, kTextColor, false));
    for (const Label& number : p.numbers) Text(number);
    for (const Label& number : p.ringNumbers) Text(number);
    for (const Label& title : p.titles) Text(title);
    xml_.Close();
    xml_.Close();
  }

  // Thin lines in one colour; `id` empty for none; nothing when there are none.
  void Segments(std::string_view id, std::string_view color, const std::vector<Segment>& lines) {
    if (lines.empty()) return;
    Attributes group;
    if (!id.empty()) group.emplace_back("id", id);
    group.emplace_back("stroke", color);
    group.emplace_back("stroke-width", "0.8");
    xml_.Open("g", group);
    for (const Segment& s : lines) xml_.Element("line", LineFromTo(s.from, s.to));
    xml_.Close();
  }

  void Points() {
    xml_.Open("g", {{"id", "points"}});
    if (chart_.density) Density(*chart_.density);
    if (!chart_.process.empty()) {
      xml_.Open("g", {{"stroke", PointColor(style_)},
                      {"stroke-width", "1.6"},
                      {"marker-end", "url(#arrowhead)"}});
      for (const ProcessArrow& arrow : chart_.process) Arrow(arrow);
      xml_.Close();
    }
    for (const Marker& marker : chart_.markers) Circle(marker);
    xml_.Open("g", TextGroup("", kPointFontSize, kTextColor, true));
    for (const Marker& marker : chart_.markers) {
      if (!marker.label) continue;
      BoxRect(marker.label->box, kWhite, "0.85");
      Text(*marker.label);
    }
    for (const Label& label : chart_.stateLabels) {
      BoxRect(label.box, kWhite, "0.85");
      Text(label);
    }
    xml_.Close();
    xml_.Close();
  }

  std::string_view BandColor(const DensityBand& band) const {
    return style_ == Style::Print ? DensityColor(band.step, style_) : band.color;
  }

  // The cells band by band, each with its count, and the scale over them.
  void Density(const DensityLayer& layer) {
    xml_.Open("g", {{"id", "density"},
                    {"data-points", std::to_string(layer.total)},
                    {"fill-opacity", "0.85"}});
    for (std::size_t band = 0; band < layer.bands.size(); ++band) {
      xml_.Open("g", {{"fill", BandColor(layer.bands[band])}});
      for (const DensityCell& cell : layer.cells) {
        if (cell.band != band) continue;
        const std::string count = std::to_string(cell.count);
        xml_.OpenInline("rect", {{"x", Coordinate(cell.rect.left)},
                                 {"y", Coordinate(cell.rect.top)},
                                 {"width", Coordinate(cell.rect.right - cell.rect.left)},
                                 {"height", Coordinate(cell.rect.bottom - cell.rect.top)},
                                 {"data-count", count}});
        xml_.Element("title", {}, count == "1" ? "1 point" : count + " points");
        xml_.Close();
      }
      xml_.Close();
    }
    const DensityScale& scale = chart_.densityScale;
    BoxRect(scale.ground, kWhite, "0.85");
    for (std::size_t band = 0; band < scale.swatches.size(); ++band) {
      BoxRect(scale.swatches[band], BandColor(layer.bands[band]), "");
    }
    xml_.Open("g", TextGroup("", kLegendFontSize, kTextColor, false));
    Text(scale.title);
    for (const Label& count : scale.counts) Text(count);
    xml_.Close();
    xml_.Close();
  }

  // From the edge of one marker (or the plot's) to the edge of the next; none
  // between markers that touch.
  void Arrow(const ProcessArrow& arrow) {
    const Point from = arrow.line.from;
    const Point to = arrow.line.to;
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    const double cut = kMarkerRadius + 1.5;
    const double cutFrom = arrow.fromMarker ? cut : 0.0;
    const double cutTo = arrow.toMarker ? cut : 0.0;
    if (length <= cutFrom + cutTo + 4.0) return;
    const double ux = dx / length;
    const double uy = dy / length;
    xml_.Element("line", LineFromTo({from.x + ux * cutFrom, from.y + uy * cutFrom},
                                    {to.x - ux * cutTo, to.y - uy * cutTo}));
  }

  void Circle(const Marker& marker) {
    const State& s = marker.point.state;
    Attributes circle{{"cx", Coordinate(marker.at.x)},
                      {"cy", Coordinate(marker.at.y)},
                      {"r", Coordinate(kMarkerRadius)},
                      {"fill", PointColor(style_)},
                      {"stroke", kWhite},
                      {"stroke-width", "1"}};
    // The state's properties as data- attributes ("data-dry-bulb"), each in
    // the chart's units in its shortest exact form; a wet-bulb temperature the
    // relations did not find is left out.
    const ChartUnits& units = chart_.frame.Units();
    for (const hygrian::Property& property : hygrian::Properties) {
      if (property.member == &State::wetBulb && !marker.point.wetBulbFound) continue;
      std::string name = "data-" + std::string(property.key);
      std::replace(name.begin(), name.end(), '_', '-');
      circle.emplace_back(std::move(name),
                          Shortest(ToChart(units, property.unit, s.*property.member)));
    }
    xml_.OpenInline("circle", circle);
    xml_.Element("title", {}, Tooltip(marker.point, units));
    xml_.Close();
  }

  // The box of a label as a rectangle; `opacity` empty for an opaque fill.
  void BoxRect(const Box& box, std::string_view fill, std::string_view opacity) {
    Attributes rect{{"x", Coordinate(box.center.x - box.width / 2.0)},
                    {"y", Coordinate(box.center.y - box.height / 2.0)},
                    {"width", Coordinate(box.width)},
                    {"height", Coordinate(box.height)}};
    AddRotation(rect, box);
    rect.emplace_back("fill", fill);
    if (!opacity.empty()) rect.emplace_back("fill-opacity", opacity);
    xml_.Element("rect", rect);
  }

  void Text(const Label& label) {
    const double baseline = label.box.center.y + kBaselineShift * label.fontSize;
    const double x = label.fromLeft    ? label.box.center.x - label.box.width / 2.0 + kTextPad
                     : label.fromRight ? label.box.center.x + label.box.width / 2.0 - kTextPad
                                       : label.box.center.x;
    Attributes text{{"x", Coordinate(x)}, {"y", Coordinate(baseline)}};
    AddRotation(text, label.box);
    if (label.fromLeft) text.emplace_back("text-anchor", "start");
    if (label.fromRight) text.emplace_back("text-anchor", "end");
    xml_.Element("text", text, label.text);
  }

  // A family's line style in the chart's style.
  [[nodiscard]] LineStyle StyleOf(enum Family family) const { return FamilyStyle(family, style_); }

  const Chart& chart_;
  const Style style_;
  XmlWriter xml_;
};

}  // namespace

std::string WriteSvg(const Chart& chart) { return Writer(chart).Document(); }

std::string WriteSheetSvg(const Chart& chart, const SheetSettings& sheet,
                          const SheetLayout& layout) {
  if (ChartAlone(sheet)) return WriteSvg(chart);
  return Writer(chart).Sheet(sheet, layout);
}

}  // namespace hygrian::chart
