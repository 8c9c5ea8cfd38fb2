// The chart's frame: what is plotted (ranges, pressure, size in px) and the map
// between air states and picture coordinates. Dry-bulb runs left to right,
// humidity ratio bottom to top (on the Mollier diagram humidity ratio left to
// right, its ordinate bottom to top); y grows downwards, as in SVG.
#pragma once

#include <array>

#include "chart/chart_units.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::chart {

// Which of the points' labels are drawn: none, those that fit clear of every
// marker, line label, arrow and other label (the others keep their hover
// title), or all (a label that fits nowhere is drawn where it overlaps least
// badly, beside its marker).
enum class PointLabels { None, Fit, All };

// How the chart is drawn: in colours for a screen, or black and grey for print
// (chart/palette.h).
enum class Style { Screen, Print };

// The psychrometric chart (dry-bulb across, humidity ratio up), or the Mollier
// h-x diagram (humidity ratio across, the enthalpy axis skewed so that the
// isotherm of 0 degrees C runs level and temperature reads up the left edge).
enum class Diagram { Psychrometric, Mollier };

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
  Style style = Style::Screen;
  Diagram diagram = Diagram::Psychrometric;
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

// A state by its dry-bulb (degrees C) and humidity ratio (kg/kg).
struct StatePoint {
  double t = 0.0;
  double W = 0.0;
};

class Frame {
 public:
  explicit Frame(const ChartSettings& settings);

  const ChartSettings& Settings() const { return settings_; }
  const Rect& Plot() const { return plot_; }
  double Pressure() const { return settings_.pressure; }
  hygrian::Options Relations() const { return settings_.options; }
  const ChartUnits& Units() const { return settings_.units; }
  bool Mollier() const { return settings_.diagram == Diagram::Mollier; }
  // The ranges in the library's units: degrees C, kg/kg. On the Mollier
  // diagram the dry-bulb's are those of its ordinate (Ordinate).
  double DryBulbMin() const { return ToLibrary(*Units().temperature, settings_.dryBulbMin); }
  double DryBulbMax() const { return ToLibrary(*Units().temperature, settings_.dryBulbMax); }
  double HumidityRatioMax() const {
    return ToLibrary(*Units().humidityRatio, settings_.humidityRatioMax);
  }

  // The psychrometric chart: t in degrees C to x; W in kg/kg to y; and back.
  double X(double t) const;
  double Y(double W) const;
  double DryBulbAt(double x) const;
  double HumidityRatioAt(double y) const;

  // A state's place on either diagram, and the state at a place.
  Point At(double t, double W) const;
  StatePoint StateAt(Point p) const;

  // The Mollier diagram's ordinate of a state, degrees C: (h - 2501 W) / 1.006,
  // h its enthalpy, so the dry-bulb itself where W is 0.
  double Ordinate(double t, double W) const;

  // On the plot, edges included: the psychrometric chart's dry-bulb and
  // humidity-ratio ranges, or the Mollier diagram's humidity ratio and
  // ordinate.
  bool Contains(double t, double W) const;

  // The dry-bulbs of every state on the plot lie within these: the range
  // itself on the psychrometric chart, that of the four corners on the
  // Mollier diagram (its isotherms slope).
  double DryBulbLow() const { return dryBulbLow_; }
  double DryBulbHigh() const { return dryBulbHigh_; }
  // The states at the plot's four corners.
  std::array<StatePoint, 4> Corners() const;

  // The step of the humidity-ratio ticks, in the axis unit, and the centre of the axis
  // title, px from the plot (right of it on the psychrometric chart, left of
  // it on the Mollier diagram, whose temperature numbers stand there): further
  // out when the numbers are wide.
  double HumidityRatioStep() const { return humidityRatioStep_; }
  double HumidityRatioTitleOffset() const { return titleOffset_; }

 private:
  double DryBulbOf(double ordinate, double W) const;

  ChartSettings settings_;
  double humidityRatioStep_ = 1.0;
  double titleOffset_ = 0.0;
  Rect plot_;
  double dryBulbLow_ = 0.0;
  double dryBulbHigh_ = 0.0;
};

}  // namespace hygrian::chart
