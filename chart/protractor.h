// The protractor of a printed chart: a half circle whose radii give the
// direction of a process by its sensible heat ratio (numbered inside the outer
// ring) and whose outer ring gives it by its ratio of enthalpy to humidity-ratio
// change, Delta h / Delta W (kJ/kg per g/kg, or Btu/lb per lb/lb in IP), with
// the reference state on the chart that the directions are taken at and read
// through: 24 degrees C and 50 % (78 degrees F and 50 % in IP).
#pragma once

#include <vector>

#include "chart/frame.h"
#include "chart/labels.h"

namespace hygrian::chart {

// A process's change of dry-bulb dt and humidity ratio dW splits its enthalpy
// change into a sensible part (1.006 + 1.86 W) dt and a latent part
// (2501 + 1.86 t) dW (ASHRAE 2017 ch. 1 eq. 30).
struct Protractor {
  Point center;
  double radius = 0.0;      // px, of the half circle and its radii
  double ringRadius = 0.0;  // px, of the outer ring
  // From where the half circle starts to where it ends, clockwise through the
  // latent side: the ends lie on the line of dW = 0.
  Point arcFrom;
  Point arcTo;
  std::vector<double> ratios;  // 0 to 1 by 0.1, one a radius
  std::vector<Segment> lines;  // a radius each, from the centre, in the order of ratios
  std::vector<Label> numbers;  // a number each, beyond its radius
  // Delta h / Delta W in the chart's units, one a tick on the outer ring, with
  // dW > 0 (infinity: dW = 0 and dt > 0; -infinity: dt < 0).
  std::vector<double> quotients;
  std::vector<Segment> ringTicks;  // outwards from the ring
  std::vector<Label> ringNumbers;  // in the order of quotients
  std::vector<Segment> leaders;    // from a radius or tick to a number moved aside
  Point reference;                 // the reference state on the chart
  bool referenceShown = false;     // whether it lies on the plot
  std::vector<Label> titles;       // under the circle
};

// The protractor, `indent` px right of the plot's top left corner.
Protractor LayOutProtractor(const Frame& frame, double indent);

// The box the protractor takes, numbers and titles included.
Box ProtractorBox(const Protractor& p);

// The direction (dt, dW) per K of dry-bulb of a process with sensible heat
// ratio `ratio` at t (degrees C) and W (kg/kg): its dW.
double HumidityRatioSlope(double ratio, double t, double W);

// The dry-bulb change (K) per kg/kg of humidity ratio of a process whose
// enthalpy changes by q kJ/kg per kg/kg, at t (degrees C) and W (kg/kg).
double DryBulbSlope(double q, double t, double W);

}  // namespace hygrian::chart
