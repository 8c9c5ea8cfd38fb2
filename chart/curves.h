// The computed curves of the chart, each a polyline in picture coordinates
// through points where its relation holds: the saturation curve, and lines of
// relative humidity, wet-bulb, enthalpy and specific volume at round steps of
// the chart's units (usually 10 %, 5 degrees C, 10 kJ/kg, 0.01 m3/kg; in IP
// 5 degrees F, 1 Btu/lb, 0.5 ft3/lb; finer on a zoomed chart).
// Each keeps to the plot and to the air side of the saturation curve.
#pragma once

#include <vector>

#include "chart/frame.h"
#include "chart/trace.h"

namespace hygrian::chart {

// The value of a line is in the chart's units (ChartUnits).
enum class Family {
  Saturation,        // value 100 (percent)
  RelativeHumidity,  // value in percent
  WetBulb,           // value in degrees C (F)
  Enthalpy,          // value in kJ/kg (Btu/lb) dry air
  SpecificVolume,    // value in m3/kg (ft3/lb) dry air
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

// The lines of one family (not Saturation) that show on the plot, at values k *
// step, in rising order of value.
struct FamilyLines {
  double step = 0.0;  // 1, 2 or 5 times a power of ten, in the family's unit
  std::vector<Curve> curves;
};

// The usual step of a family: 10 %, 5 degrees C, 10 kJ/kg, 0.01 m3/kg (in IP
// 10 %, 5 degrees F, 1 Btu/lb, 0.5 ft3/lb).
double UsualStep(Family family, const ChartUnits& units);

// The lines at the usual step; where fewer than four of them show, at the next
// finer round steps (5 then 2, 1, 0.5 degrees C ...) until four do. Where a range
// would hold more than 60, at coarser ones. The Mollier diagram has no wet-bulb
// lines: its enthalpy lines are read instead.
FamilyLines LinesOf(const Frame& frame, Family family);

}  // namespace hygrian::chart
