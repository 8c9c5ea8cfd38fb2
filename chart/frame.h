// The chart's frame: what is plotted (ranges, pressure, size in px) and the map
// between air states and picture coordinates. Dry-bulb runs left to right,
// humidity ratio bottom to top; y grows downwards, as in SVG.
#pragma once

#include "chart/chart_units.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::chart {

// Which of the points' labels are drawn: none, those that fit clear of every
// marker, line label, arrow and other label (the others keep their hover
// title), or all (a label that fits nowhere is drawn where it overlaps least
// badly, beside its marker).
enum class PointLabels { None, Fit, All };

// What the user chose; the defaults are the usual chart at sea level.
struct ChartSettings {
  double dryBulbMin = -10.0;       // in units.temperature (degrees C)
  double dryBulbMax = 50.0;        // in units.temperature (degrees C)
  double humidityRatioMax = 30.0;  // in units.humidityRatio (g/kg), the axis unit; bottom is 0
  double pressure = 101.325;       // kPa
  int width = 1200;                // px
  int height = 800;                // px
  double altitude = 0.0;           // m, when hasAltitude: the pressure is the standard one there
  bool hasAltitude = false;
  hygrian::Options options{};   // the model and phase of curves and points
  ChartUnits units = kSiUnits;  // of the axes, the lines, the texts and the points file
  PointLabels labels = PointLabels::Fit;
  bool density = false;     // the points as a density however few they are
  bool protractor = false;  // a sensible-heat-ratio protractor in the top left corner
  // points above saturation drawn where they lie, or clipped to it
  hygrian::Supersaturated supersaturated = hygrian::Supersaturated::Flag;
};

struct Point {
  double x = 0.0;
  double y = 0.0;
};

// A straight line from one point to another.
struct Segment {
  Point from;
  Point to;
};

// The rectangle of the plot inside the picture, px.
struct Rect {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
};

class Frame {
 public:
  explicit Frame(const ChartSettings& settings);

  const ChartSettings& Settings() const { return settings_; }
  const Rect& Plot() const { return plot_; }
  double Pressure() const { return settings_.pressure; }
  hygrian::Options Relations() const { return settings_.options; }
  const ChartUnits& Units() const { return settings_.units; }
  // The ranges in the library's units: degrees C, kg/kg.
  double DryBulbMin() const { return ToLibrary(*Units().temperature, settings_.dryBulbMin); }
  double DryBulbMax() const { return ToLibrary(*Units().temperature, settings_.dryBulbMax); }
  double HumidityRatioMax() const {
    return ToLibrary(*Units().humidityRatio, settings_.humidityRatioMax);
  }

  // t in degrees C to x; W in kg/kg to y; and back.
  double X(double t) const;
  double Y(double W) const;
  Point At(double t, double W) const { return {X(t), Y(W)}; }
  double DryBulbAt(double x) const;
  double HumidityRatioAt(double y) const;

  // Inside the plotted ranges, edges included.
  bool Contains(double t, double W) const;

  // The step of the humidity-ratio ticks, in the axis unit, and the centre of the axis
  // title, px right of the plot: further out when the numbers are wide.
  double HumidityRatioStep() const { return humidityRatioStep_; }
  double HumidityRatioTitleOffset() const { return titleOffset_; }

 private:
  ChartSettings settings_;
  double humidityRatioStep_ = 1.0;
  double titleOffset_ = 0.0;
  Rect plot_;
};

}  // namespace hygrian::chart
