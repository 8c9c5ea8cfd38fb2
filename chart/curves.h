// The computed curves of the chart, each a polyline in picture coordinates
// through points where its relation holds: the saturation curve, relative
// humidity every 10 %, wet-bulb every 5 degrees C, enthalpy every 10 kJ/kg and
// specific volume every 0.01 m3/kg. Each keeps to the plot and to the air side
// of the saturation curve.
#pragma once

#include <vector>

#include "chart/frame.h"
#include "chart/trace.h"

namespace hygrian::chart {

enum class Family {
  Saturation,        // value 100 (percent)
  RelativeHumidity,  // value in percent
  WetBulb,           // value in degrees C
  Enthalpy,          // value in kJ/kg dry air
  SpecificVolume,    // value in m3/kg dry air
};

struct Curve {
  Family family = Family::Saturation;
  double value = 0.0;
  std::vector<Vertex> vertices;  // dry-bulb rising along the curve
};

// How far (px) a chord may stray from its curve. The promise is 0.25 px; the
// subdivision aims well inside it.
inline constexpr double kChordTolerance = 0.1;

// The saturation curve from the left edge until it leaves the top or reaches the
// right edge. It steps at 0 degrees C, where the ice relation gives way to the
// water relation; the step is drawn as it is. Empty if nothing of it is inside.
Curve SaturationCurve(const Frame& frame);

// The lines of one family that show on the plot, in rising order of value.
std::vector<Curve> RelativeHumidityCurves(const Frame& frame);
std::vector<Curve> WetBulbLines(const Frame& frame);
std::vector<Curve> EnthalpyLines(const Frame& frame);
std::vector<Curve> SpecificVolumeLines(const Frame& frame);

}  // namespace hygrian::chart
