#include "chart/process_lines.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "chart/marks.h"
#include "chart/number_text.h"
#include "chart/palette.h"
#include "hygrian/outcomes.h"
#include "hygrian/units.h"

namespace hygrian::chart {
namespace {

constexpr int kMixSteps = 16;        // pieces of each stream's path to the mixed point
constexpr double kSample = 24.0;     // px, a legend entry's line
constexpr double kLegendRow = 16.0;  // px between the entries' centres
constexpr double kLegendInset = 10.0;

std::string LoadText(double kilowatts, const Unit& load) {
  return LoadNumber(kilowatts, load) + " " + std::string(load.key);
}

std::string FlowText(double kgPerSecond, const Unit& unit) {
  return FlowNumber(kgPerSecond, unit) + " " + std::string(unit.key);
}

// A water flow (kg/s) in kg/h, or lb/h in IP.
std::string WaterText(double kgPerSecond, const ChartUnits& units) {
  const double perHour = kgPerSecond * kSecondsPerHour;
  return units.inchPound ? Fixed(perHour / kPound, 1) + " lb/h" : Fixed(perHour, 1) + " kg/h";
}

std::string DryBulbText(double t, const ChartUnits& units) {
  return Fixed(ToChart(units, "degC", t), 1) + " " + std::string(units.degrees);
}

std::string StateText(const State& s, const ChartUnits& units) {
  const Unit& ratio = *units.humidityRatio;
  return DryBulbText(s.dryBulb, units) + ", " + Fixed(s.relativeHumidity, 1) + " %, " +
         Fixed(FromLibrary(ratio, s.humidityRatio), HumidityRatioDecimals(ratio)) + " " +
         std::string(ratio.key);
}

// The fraction of stream b in the mixture: where the mixed state lies between
// the streams, in whichever of enthalpy and humidity ratio they differ in more.
double MixedFraction(const ComputedProcess& p) {
  const State& a = p.entering;
  const State& b = p.second;
  const State& m = p.result.leaving;
  // 2501 kJ/kg per kg/kg: the two differences on one scale.
  constexpr double kLatent = 2501.0;
  const double dh = b.enthalpy - a.enthalpy;
  const double dW = b.humidityRatio - a.humidityRatio;
  if (dh == 0.0 && dW == 0.0) return 0.0;
  return std::abs(dh) >= kLatent * std::abs(dW) ? (m.enthalpy - a.enthalpy) / dh
                                                : (m.humidityRatio - a.humidityRatio) / dW;
}

// The mixtures from `from` (fraction of b) to `to`, ending at the mixed point.
std::vector<Point> MixPath(const Frame& frame, const ComputedProcess& p, double from, double to) {
  std::vector<Point> path;
  for (int i = 0; i < kMixSteps; ++i) {
    const double f = from + (to - from) * static_cast<double>(i) / kMixSteps;
    const ProcessResult r = Mix({p.entering.dryBulb, p.entering.humidityRatio, 1.0 - f},
                                {p.second.dryBulb, p.second.humidityRatio, f}, frame.Pressure(),
                                frame.Relations().over);
    path.push_back(frame.At(r.leaving.dryBulb, r.leaving.humidityRatio));
  }
  path.push_back(frame.At(p.result.leaving.dryBulb, p.result.leaving.humidityRatio));
  return path;
}

void Mark(const Frame& frame, const State& s, std::vector<Point>& markers) {
  if (FitOf(frame, s.dryBulb, s.humidityRatio) == Fit::Inside) {
    markers.push_back(frame.At(s.dryBulb, s.humidityRatio));
  }
}

}  // namespace

std::string LoadNumber(double kilowatts, const Unit& load) {
  const double kilowattsPerUnit = load.numerator / load.denominator;
  const int decimals =
      std::clamp(static_cast<int>(std::ceil(std::log10(kilowattsPerUnit))) + 1, 0, 2);
  return Grouped(FromLibrary(load, kilowatts), decimals);
}

std::string FlowNumber(double kgPerSecond, const Unit& unit) {
  const double flow = FromLibrary(unit, kgPerSecond);
  const int whole = flow > 0.0 ? static_cast<int>(std::floor(std::log10(flow))) : 0;
  return Grouped(flow, std::clamp(3 - whole, 0, 6));
}

std::string ProcessText(const ComputedProcess& process, const ChartUnits& units, const Unit& load) {
  const ProcessResult& r = process.result;
  std::string word(process.kind->word);
  switch (process.kind->process) {
    case cli::Process::Mix:
      return word + " " + DryBulbText(r.leaving.dryBulb, units) +
             (r.status == Status::Fog ? ", fog" : "");
    case cli::Process::Coil:
      // The coil's load is the heat it takes from the air.
      return word + " " + LoadText(-r.totalLoad, load) + ", SHR " + Fixed(r.sensibleHeatRatio, 2);
    case cli::Process::Heat:
      return word + " " + LoadText(r.totalLoad, load);
    case cli::Process::Steam:
      // What the air gains: the steam's enthalpy, no heat crossing.
      return word + " " + LoadText(r.totalLoad + r.water * r.waterEnthalpy, load);
    case cli::Process::Evaporative:
    case cli::Process::Adiabatic:
      // Adiabatic: the air's enthalpy barely changes; what it takes is water.
      return word + " " + WaterText(r.water, units);
    case cli::Process::None:
      break;
  }
  return word;
}

ProcessDrawing DrawProcess(const Frame& frame, const ComputedProcess& process,
                           const cli::ProcessUnits& processUnits) {
  const ChartUnits& units = frame.Units();
  const Unit& load = *processUnits.load;
  const cli::Process kind = process.kind->process;
  const State& in = process.entering;
  const State& out = process.result.leaving;
  ProcessDrawing d;
  d.process = kind;
  d.word = process.kind->word;
  d.color = ProcessColor(kind, frame.Settings().style);
  d.leaving = frame.At(out.dryBulb, out.humidityRatio);
  d.text = ProcessText(process, units, load);
  d.title = "line " + std::to_string(process.line) + ": " + d.text;
  const bool mix = kind == cli::Process::Mix;
  d.title += (mix ? "\na " : "\nentering ") + StateText(in, units);
  if (mix) {
    const double f = MixedFraction(process);
    d.paths.push_back(MixPath(frame, process, 0.0, f));
    d.paths.push_back(MixPath(frame, process, 1.0, f));
    Mark(frame, process.second, d.markers);
    d.title += "\nb " + StateText(process.second, units);
  } else {
    d.paths.push_back({frame.At(in.dryBulb, in.humidityRatio), d.leaving});
  }
  Mark(frame, in, d.markers);
  Mark(frame, out, d.markers);
  const ProcessResult& r = process.result;
  d.title += "\nleaving " + StateText(out, units) + "\nflow " +
             FlowText(r.flow, processUnits.MassFlow()) + " of dry air";
  if (process.apparatusDewPoint) {
    const State& adp = *process.apparatusDewPoint;
    d.toApparatusDewPoint =
        Segment{frame.At(in.dryBulb, in.humidityRatio), frame.At(adp.dryBulb, adp.humidityRatio)};
    d.title += "\napparatus dew point " + DryBulbText(adp.dryBulb, units) + ", bypass factor " +
               Rounded(process.bypassFactor, 3);
  }
  if (!mix) {
    d.title += "\nsensible " + LoadText(r.sensibleLoad, load) + ", latent " +
               LoadText(r.latentLoad, load) + ", total " + LoadText(r.totalLoad, load) +
               "\nenthalpy change " + LoadText(r.totalLoad + r.water * r.waterEnthalpy, load);
  }
  if (r.water != 0.0) {
    d.title += std::string(r.water < 0.0 ? "\ncondensate " : "\nwater ") +
               WaterText(std::abs(r.water), units);
  }
  return d;
}

Box PieceBox(Point from, Point to) {
  const double length = std::hypot(to.x - from.x, to.y - from.y);
  double angle = std::atan2(to.y - from.y, to.x - from.x);
  // A box's angle lies in (-pi/2, pi/2]: the same piece either way.
  if (angle > std::numbers::pi / 2.0) angle -= std::numbers::pi;
  if (angle <= -std::numbers::pi / 2.0) angle += std::numbers::pi;
  return {{(from.x + to.x) / 2.0, (from.y + to.y) / 2.0}, length, 4.0, angle};
}

ProcessLegend LayOutProcessLegend(const Frame& frame, const std::vector<ProcessDrawing>& drawings,
                                  double bottom) {
  ProcessLegend legend;
  std::vector<const cli::ProcessKind*> kinds;
  for (const cli::ProcessKind& kind : cli::kProcesses) {
    if (std::any_of(drawings.begin(), drawings.end(),
                    [&](const ProcessDrawing& d) { return d.process == kind.process; })) {
      kinds.push_back(&kind);
    }
  }
  if (kinds.empty()) return legend;
  const Rect& plot = frame.Plot();
  double width = 0.0;
  for (const cli::ProcessKind* kind : kinds) {
    width = std::max(width, TextWidth(kind->word, kLegendFontSize));
  }
  const double right = plot.right - kLegendInset;
  const double left = right - (kSample + 6.0 + width + 2.0 * kTextPad);
  const double top = bottom - kLegendInset - kLegendRow * static_cast<double>(kinds.size());
  double y = top + kLegendRow / 2.0;
  for (const cli::ProcessKind* kind : kinds) {
    const double x = left + kTextPad;
    legend.samples.push_back({{x, y}, {x + kSample, y}});
    legend.colors.push_back(ProcessColor(kind->process, frame.Settings().style));
    legend.names.push_back(
        TextFrom(std::string(kind->word), kLegendFontSize, x + kSample + 6.0, y));
    y += kLegendRow;
  }
  const double end = y - kLegendRow / 2.0;
  legend.ground = {{(left + right) / 2.0, (top + end) / 2.0}, right - left, end - top, 0.0};
  return legend;
}

}  // namespace hygrian::chart
