#include "chart/page.h"

#include "chart/density.h"
#include "chart/number_text.h"
#include "hygrian/units.h"

namespace hygrian::chart {
namespace {

// The page's state in its URL form (web/page.js reads it).
std::string State(const Options& options, const std::vector<Point>& inside, bool density) {
  const ChartSettings& s = options.settings;
  const bool ip = s.units.inchPound;
  std::string state = std::string("units=") + (ip ? "ip" : "si");
  state +=
      std::string("&model=") + (s.options.model == Model::Handbook ? "handbook" : "calculator");
  state += std::string("&over=") + (s.options.over == Phase::Ice ? "ice" : "water");
  if (s.supersaturated == Supersaturated::Clip) state += "&supersaturated=clip";
  if (s.hasAltitude) {
    state += "&altitude=" + Shortest(ip ? s.altitude / kFoot : s.altitude);
  } else if (s.pressure != StandardPressure) {
    state += "&pressure=" +
             Shortest(FromLibrary(*FindUnit(Quantity::Pressure, ip ? "psi" : "kPa"), s.pressure));
  }
  const ChartUnits& system = ip ? kIpUnits : kSiUnits;
  if (s.dryBulbMin != system.dryBulbMin || s.dryBulbMax != system.dryBulbMax) {
    state += "&dryBulb=" + Shortest(s.dryBulbMin) + ":" + Shortest(s.dryBulbMax);
  }
  if (s.units.humidityRatio == system.humidityRatio &&
      s.humidityRatioMax != system.humidityRatioMax) {
    state += "&humidityRatio=" + Shortest(s.humidityRatioMax);
  }
  if (s.diagram == Diagram::Mollier) state += "&diagram=mollier";
  if (!density && !inside.empty()) {
    state += "&pins=";
    for (const Point& p : inside) {
      state += Shortest(p.x) + "," + Shortest(p.y) + (&p == &inside.back() ? "" : ";");
    }
  }
  return state;
}

}  // namespace

std::string FillPage(std::string_view page, const Options& options, const PagePoints& points) {
  const bool density = options.settings.density || points.Many();
  std::string given = "<script type=\"text/plain\" id=\"given\">" +
                      State(options, points.Kept(), density) + "</script>\n";
  if (density) {
    given +=
        "<script type=\"text/csv\" id=\"background\">\n" + points.Counted().Text() + "</script>\n";
  }
  const std::size_t body = page.find("<body>");
  const std::size_t at = body == std::string_view::npos ? 0 : body + 6;
  return std::string(page.substr(0, at)) + "\n" + given + std::string(page.substr(at));
}

}  // namespace hygrian::chart
