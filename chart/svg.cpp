#include "chart/svg.h"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "chart/number_text.h"
#include "chart/ticks.h"
#include "cli/utf8.h"

namespace hygrian::chart {
namespace {

struct Style {
  std::string_view id;
  std::string_view color;
  std::string_view width;
  std::string_view dash;  // empty for a solid line
};

// One entry per family, in the order of Chart::families.
constexpr std::array<Style, 5> kStyles{{
    {"saturation", "#1a1a1a", "1.8", ""},
    {"relative-humidity", "#1f5fa8", "0.9", ""},
    {"wet-bulb", "#2e7d32", "0.9", "5 3"},
    {"enthalpy", "#b3541e", "0.9", ""},
    {"specific-volume", "#7b3fa0", "0.9", ""},
}};

const Style& StyleOf(Family family) { return kStyles[static_cast<std::size_t>(family)]; }

constexpr std::string_view kPointColor = "#d62728";
constexpr std::string_view kFont = "DejaVu Sans, Verdana, Arial, sans-serif";

std::string Degrees(double radians) { return Coordinate(radians * 180.0 / std::numbers::pi); }

class Writer {
 public:
  explicit Writer(const Chart& chart) : chart_(chart) {}

  std::string Document() {
    const ChartSettings& settings = chart_.frame.Settings();
    const std::string w = std::to_string(settings.width);
    const std::string h = std::to_string(settings.height);
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + w +
            "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\" font-family=\"" +
            std::string(kFont) + "\">\n";
    out_ += "<title>" + EscapeXml(chart_.title.text) + "</title>\n";
    Definitions(w, h);
    out_ += "<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    Heading();
    Axes();
    // Drawn from the back: the lines that cross most others first.
    for (std::size_t i = chart_.families.size(); i-- > 0;) Family(chart_.families[i]);
    Points();
    out_ += "</svg>\n";
    return std::move(out_);
  }

 private:
  // The arrowhead of the process lines, and the mask that leaves a gap in every
  // line where a label stands.
  void Definitions(const std::string& w, const std::string& h) {
    out_ += "<defs>\n";
    out_ +=
        "<marker id=\"arrowhead\" viewBox=\"0 0 10 10\" refX=\"10\" refY=\"5\" "
        "markerUnits=\"userSpaceOnUse\" markerWidth=\"11\" markerHeight=\"11\" "
        "orient=\"auto\"><path d=\"M0,1 L10,5 L0,9 z\" fill=\"" +
        std::string(kPointColor) + "\"/></marker>\n";
    out_ += "<mask id=\"label-gaps\" maskUnits=\"userSpaceOnUse\" x=\"0\" y=\"0\" width=\"" + w +
            "\" height=\"" + h + "\">\n<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h +
            "\" fill=\"#ffffff\"/>\n";
    for (const FamilyLayer& layer : chart_.families) {
      for (const Label& label : layer.labels) BoxRect(label.box, "#000000", "");
    }
    for (const Marker& marker : chart_.markers) {
      if (marker.label) BoxRect(marker.label->box, "#000000", "");
    }
    out_ += "</mask>\n</defs>\n";
  }

  void Heading() {
    out_ += "<g id=\"title\" font-size=\"" + Coordinate(kTitleFontSize) +
            "\" font-weight=\"bold\" fill=\"#1a1a1a\" text-anchor=\"middle\">\n";
    Text(chart_.title, "");
    out_ += "</g>\n";
    out_ += "<g id=\"legend\" font-size=\"" + Coordinate(kLegendFontSize) +
            "\" fill=\"#1a1a1a\" text-anchor=\"middle\">\n";
    for (const LegendItem& item : chart_.legend) {
      const Style& s = StyleOf(item.family);
      out_ += "<line x1=\"" + Coordinate(item.line.from.x) + "\" y1=\"" +
              Coordinate(item.line.from.y) + "\" x2=\"" + Coordinate(item.line.to.x) + "\" y2=\"" +
              Coordinate(item.line.to.y) + "\" stroke=\"" + std::string(s.color) +
              "\" stroke-width=\"1.6\"" + Dash(s) + "/>\n";
      Text(item.label, "");
    }
    out_ += "</g>\n";
  }

  void Axes() {
    const Frame& frame = chart_.frame;
    const Rect& plot = frame.Plot();
    const AxesLayer& axes = chart_.axes;
    out_ += "<g id=\"axes\">\n";
    out_ += "<g mask=\"url(#label-gaps)\" stroke=\"#c8c8c8\" stroke-width=\"0.6\">\n";
    for (const Segment& s : axes.grid) {
      out_ += "<line x1=\"" + Coordinate(s.from.x) + "\" y1=\"" + Coordinate(s.from.y) +
              "\" x2=\"" + Coordinate(s.to.x) + "\" y2=\"" + Coordinate(s.to.y) + "\"/>\n";
    }
    out_ += "</g>\n";
    out_ += "<polyline fill=\"none\" stroke=\"#4d4d4d\" stroke-width=\"1.2\" points=\"";
    Points(axes.outline);
    out_ += "\"/>\n";
    out_ += "<g stroke=\"#4d4d4d\" stroke-width=\"1\">\n";
    for (const Tick& tick : axes.dryBulb) {
      out_ += "<line x1=\"" + Coordinate(tick.position) + "\" y1=\"" + Coordinate(plot.bottom) +
              "\" x2=\"" + Coordinate(tick.position) + "\" y2=\"" + Coordinate(plot.bottom + 5.0) +
              "\"/>\n";
    }
    for (const Tick& tick : axes.humidityRatio) {
      out_ += "<line x1=\"" + Coordinate(plot.right) + "\" y1=\"" + Coordinate(tick.position) +
              "\" x2=\"" + Coordinate(plot.right + 5.0) + "\" y2=\"" + Coordinate(tick.position) +
              "\"/>\n";
    }
    out_ += "</g>\n";
    out_ += "<g font-size=\"" + Coordinate(kTickFontSize) +
            "\" fill=\"#1a1a1a\" text-anchor=\"middle\">\n";
    for (const Tick& tick : axes.dryBulb) Text(tick.label, "");
    for (const Tick& tick : axes.humidityRatio) Text(tick.label, "");
    out_ += "</g>\n";
    out_ += "<g font-size=\"" + Coordinate(kAxisTitleFontSize) +
            "\" fill=\"#1a1a1a\" text-anchor=\"middle\">\n";
    Text(axes.dryBulbTitle, "");
    Text(axes.humidityRatioTitle, "");
    out_ += "</g>\n";
    out_ += "</g>\n";
  }

  void Family(const FamilyLayer& layer) {
    const Style& s = StyleOf(layer.family);
    out_ += "<g id=\"" + std::string(s.id) + "\">\n";
    out_ += "<g mask=\"url(#label-gaps)\" fill=\"none\" stroke=\"" + std::string(s.color) +
            "\" stroke-width=\"" + std::string(s.width) + "\"" + Dash(s) + ">\n";
    for (const Curve& curve : layer.curves) {
      out_ += "<polyline data-value=\"" + EscapeXml(Shortest(curve.value)) + "\" points=\"";
      for (std::size_t i = 0; i < curve.vertices.size(); ++i) {
        if (i > 0) out_ += ' ';
        out_ += Coordinate(curve.vertices[i].at.x) + "," + Coordinate(curve.vertices[i].at.y);
      }
      out_ += "\"/>\n";
    }
    out_ += "</g>\n";
    out_ += "<g font-size=\"" + Coordinate(kLabelFontSize) + "\" fill=\"" + std::string(s.color) +
            "\" text-anchor=\"middle\">\n";
    for (const Label& label : layer.labels) Text(label, "");
    out_ += "</g>\n</g>\n";
  }

  void Points() {
    out_ += "<g id=\"points\">\n";
    if (!chart_.process.empty()) {
      out_ += "<g stroke=\"" + std::string(kPointColor) +
              "\" stroke-width=\"1.6\" marker-end=\"url(#arrowhead)\">\n";
      for (const ProcessArrow& arrow : chart_.process) Arrow(arrow);
      out_ += "</g>\n";
    }
    for (const Marker& marker : chart_.markers) Circle(marker);
    out_ += "<g font-size=\"" + Coordinate(kPointFontSize) +
            "\" font-weight=\"bold\" fill=\"#1a1a1a\" text-anchor=\"middle\">\n";
    for (const Marker& marker : chart_.markers) {
      if (!marker.label) continue;
      BoxRect(marker.label->box, "#ffffff", " fill-opacity=\"0.85\"");
      Text(*marker.label, "");
    }
    out_ += "</g>\n</g>\n";
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
    out_ += "<line x1=\"" + Coordinate(from.x + ux * cutFrom) + "\" y1=\"" +
            Coordinate(from.y + uy * cutFrom) + "\" x2=\"" + Coordinate(to.x - ux * cutTo) +
            "\" y2=\"" + Coordinate(to.y - uy * cutTo) + "\"/>\n";
  }

  void Circle(const Marker& marker) {
    const State& s = marker.point.state;
    out_ += "<circle cx=\"" + Coordinate(marker.at.x) + "\" cy=\"" + Coordinate(marker.at.y) +
            "\" r=\"" + Coordinate(kMarkerRadius) + "\" fill=\"" + std::string(kPointColor) +
            "\" stroke=\"#ffffff\" stroke-width=\"1\"";
    Data("dry-bulb", s.dryBulb);
    if (marker.point.wetBulbFound) Data("wet-bulb", s.wetBulb);
    Data("dew-point", s.dewPoint);
    Data("relative-humidity", s.relativeHumidity);
    Data("enthalpy", s.enthalpy);
    Data("humidity-ratio", s.humidityRatio);
    Data("degree-of-saturation", s.degreeOfSaturation);
    Data("specific-volume", s.specificVolume);
    Data("vapor-pressure", s.vaporPressure);
    out_ += "><title>" + EscapeXml(Tooltip(marker.point)) + "</title></circle>\n";
  }

  // What a browser shows on hover: the label and the state, rounded to read.
  static std::string Tooltip(const PlotPoint& point) {
    const State& s = point.state;
    std::string text = point.label.empty() ? "" : point.label + "\n";
    const std::string degrees =
        " \xC2\xB0"
        "C";
    text += "dry-bulb " + Fixed(s.dryBulb, 1) + degrees + "\n";
    text += "relative humidity " + Fixed(s.relativeHumidity, 1) + " %\n";
    if (point.wetBulbFound) text += "wet-bulb " + Fixed(s.wetBulb, 1) + degrees + "\n";
    text += "dew point " + Fixed(s.dewPoint, 1) + degrees + "\n";
    text += "humidity ratio " + Fixed(s.humidityRatio * 1000.0, 2) + " g/kg\n";
    text += "enthalpy " + Fixed(s.enthalpy, 1) + " kJ/kg";
    return text;
  }

  void Data(std::string_view name, double value) {
    out_ += " data-";
    out_ += name;
    out_ += "=\"" + Shortest(value) + "\"";
  }

  void BoxRect(const Box& box, std::string_view fill, std::string_view extra) {
    out_ += "<rect x=\"" + Coordinate(box.center.x - box.width / 2.0) + "\" y=\"" +
            Coordinate(box.center.y - box.height / 2.0) + "\" width=\"" + Coordinate(box.width) +
            "\" height=\"" + Coordinate(box.height) + "\"" + Rotation(box) + " fill=\"" +
            std::string(fill) + "\"" + std::string(extra) + "/>\n";
  }

  void Text(const Label& label, std::string_view extra) {
    const double baseline = label.box.center.y + kBaselineShift * label.fontSize;
    const double x =
        label.fromLeft ? label.box.center.x - label.box.width / 2.0 + kTextPad : label.box.center.x;
    out_ += "<text x=\"" + Coordinate(x) + "\" y=\"" + Coordinate(baseline) + "\"" +
            Rotation(label.box) + (label.fromLeft ? " text-anchor=\"start\"" : "") +
            std::string(extra) + ">" + EscapeXml(label.text) + "</text>\n";
  }

  static std::string Rotation(const Box& box) {
    const std::string degrees = Degrees(box.angle);
    if (degrees == "0") return "";
    return " transform=\"rotate(" + degrees + " " + Coordinate(box.center.x) + " " +
           Coordinate(box.center.y) + ")\"";
  }

  static std::string Dash(const Style& s) {
    if (s.dash.empty()) return "";
    return " stroke-dasharray=\"" + std::string(s.dash) + "\"";
  }

  void Points(const std::vector<Point>& points) {
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (i > 0) out_ += ' ';
      out_ += Coordinate(points[i].x) + "," + Coordinate(points[i].y);
    }
  }

  const Chart& chart_;
  std::string out_;
};

// U+FFFE and U+FFFF are valid UTF-8 but no XML characters.
bool XmlNonCharacter(std::string_view text, std::size_t i) {
  const std::string_view three = text.substr(i, 3);
  return three == "\xEF\xBF\xBE" || three == "\xEF\xBF\xBF";
}

}  // namespace

std::string WriteSvg(const Chart& chart) { return Writer(chart).Document(); }

std::string EscapeXml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const std::size_t length = cli::Utf8Length(text, i);
    if (length == 0 || (length == 3 && XmlNonCharacter(text, i))) {
      out += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    if (length > 1) {
      out.append(text.substr(i, length));
      i += length;
      continue;
    }
    ++i;
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
          out += "\xEF\xBF\xBD";
        } else {
          out += c;
        }
    }
  }
  return out;
}

}  // namespace hygrian::chart
