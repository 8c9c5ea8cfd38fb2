// The chart's layout checked against the moist-air relations themselves: every
// vertex of every family gives back its own value, nothing lies above the
// saturation curve or outside the plot, the polylines follow their curves to
// within 0.25 px, and no two labels overlap. Over a table of option sets: every
// text inside the picture, point labels inside the plot, at least four lines of
// each family at a round step, numbers that share their decimals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "air/calculator/relations.h"
#include "chart/binned.h"
#include "chart/comfort_zone.h"
#include "chart/curves.h"
#include "chart/envelopes.h"
#include "chart/labels.h"
#include "chart/layout.h"
#include "chart/moist_air.h"
#include "chart/number_text.h"
#include "chart/options.h"
#include "chart/overlay.h"
#include "chart/palette.h"
#include "chart/process_file.h"
#include "chart/process_lines.h"
#include "chart/run.h"
#include "chart/states.h"
#include "chart/svg.h"
#include "chart/trace.h"
#include "chart/xml_writer.h"
#include "chart/zones.h"
#include "hygrian/comfort.h"
#include "hygrian/measures.h"
#include "hygrian/psychrometrics.h"
#include "tests/calculator_model.h"
#include "tests/cli_fake_platform.h"
#include "tests/tables_source.h"

namespace hygrian::chart {
namespace {

// The chart computes with the calculator model.
using calculator::FromDryBulbDewPoint;
using calculator::FromDryBulbHumidityRatio;
using calculator::FromDryBulbRelativeHumidity;
using calculator::FromDryBulbWetBulb;

// --- The relations, evaluated directly --------------------------------------

// Where the saturation pressure reaches P there is no saturated air: infinity.
double Ws(double t, double P) {
  const double ps = air::SaturationPressure(t + air::kKelvinOffset).Value();
  if (ps >= P) return std::numeric_limits<double>::infinity();
  return air::HumidityRatioFromPressure(ps, P).Value();
}

double RelativeHumidityOf(double t, double W, double P) {
  return air::PressureFromHumidityRatio(W, P).Value() /
         air::SaturationPressure(t + air::kKelvinOffset).Value() * 100.0;
}

double WetBulbLineW(double t, double tw, double P) {
  return air::HumidityRatioFromWetBulb(t, tw, Ws(tw, P)).Value();
}

double EnthalpyOf(double t, double W) { return air::Enthalpy(t, W).Value(); }

double VolumeOf(double t, double W, double P) {
  return air::SpecificVolume(t + air::kKelvinOffset, W, air::kDryAirGasConstant, P).Value();
}

// The W at t where an increasing function of W takes `target`, by bisection.
template <typename F>
double SolveW(F f, double target) {
  double low = -1.0;
  double high = 1.0;
  for (int i = 0; i < 200; ++i) {
    const double middle = (low + high) / 2.0;
    (f(middle) < target ? low : high) = middle;
  }
  return (low + high) / 2.0;
}

// The true curve of a family at t, for the chord test. Saturation and relative
// humidity above the pressure they can reach give NaN.
double TrueW(const Curve& curve, double t, double P) {
  switch (curve.family) {
    case Family::Saturation:
      return Ws(t, P);
    case Family::RelativeHumidity:
      return air::HumidityRatioFromPressure(
                 curve.value / 100.0 * air::SaturationPressure(t + air::kKelvinOffset).Value(), P)
          .Value();
    case Family::WetBulb:
      return WetBulbLineW(t, curve.value, P);
    case Family::Enthalpy:
      return SolveW([t](double W) { return EnthalpyOf(t, W); }, curve.value);
    case Family::SpecificVolume:
      return SolveW([t, P](double W) { return VolumeOf(t, W, P); }, curve.value);
  }
  return std::numeric_limits<double>::quiet_NaN();
}

PlotPoint PointAt(double dryBulb, double wetBulb, std::string label) {
  const Result r = FromDryBulbWetBulb(dryBulb, wetBulb);
  return {r.state, r.wetBulbFound, std::move(label)};
}

PlotPoint PointOf(double dryBulb, double rh, std::string label, double P = 101.325) {
  const Result r = FromDryBulbRelativeHumidity(dryBulb, rh, P);
  return {r.state, r.wetBulbFound, std::move(label)};
}

// The charts here are checked against the calculator model's relations.
const ChartSettings kCalculatorChart{.options = {.model = Model::Calculator}};

struct Case {
  const char* name;
  ChartSettings settings;
  std::vector<PlotPoint> points = {};
  bool fitted = false;  // the humidity-ratio top fitted to the range
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

ChartSettings Settings(double tmin, double tmax, double gramsMax, double P, int width = 1200,
                       int height = 800) {
  return {tmin, tmax, gramsMax, P, width, height, 0.0, false, {.model = Model::Calculator}};
}

// The humidity-ratio axis as --dry-bulb alone sets it.
Case Fitted(const char* name, ChartSettings settings) {
  settings.humidityRatioMax = FittedHumidityRatio(settings);
  return {name, settings, {}, true};
}

// The same chart as the Mollier diagram.
ChartSettings Mollier(ChartSettings settings) {
  settings.diagram = Diagram::Mollier;
  return settings;
}

const std::string kLong =
    "Supply air after the second reheat coil of air-handling unit 3, east wing";

const Case kCases[] = {
    {"Default", kCalculatorChart},
    Fitted("ZoomedCold", Settings(-40, 10, 30, 101.325)),
    Fitted("ZoomedWarm", Settings(20, 26, 30, 101.325)),
    {"WarmWithTop", Settings(20, 26, 12, 101.325)},
    Fitted("At60kPa", Settings(-10, 50, 30, 60.0)),
    Fitted("VeryCold", Settings(-90, -70, 30, 101.325)),
    Fitted("SmallZoomed", Settings(0, 5, 30, 101.325, 640, 400)),
    {"LongLabels",
     Settings(-10, 50, 30, 101.325, 640, 400),
     {PointOf(48, 5, kLong), PointOf(-9, 50, kLong), PointOf(25, 50, "\xE2\x82\xAC" + kLong)}},
    {"PointsOnTheEdges",
     kCalculatorChart,
     {PointOf(50, 0, "hot and dry"), PointOf(-10, 0, "cold and dry"),
      PointOf(-10, 100, "cold, saturated"), PointOf(31.8, 99.9, "top"),
      PointOf(50, 38.9, "top right corner")}},
    {"At83kPa", Settings(-10, 50, 30, 83.0)},
    {"Cold", Settings(-40, 10, 8, 101.325)},
    {"StartsAtZero", Settings(0, 60, 40, 101.325)},
    {"EndsAtZero", Settings(-30, 0, 5, 101.325)},
    {"NoFreezing", Settings(5, 45, 25, 101.325)},
    {"LowPressure", Settings(-10, 40, 1000, 5.0)},
    {"Large", Settings(-20, 60, 50, 101.325, 2400, 1600)},
    {"Small", Settings(-10, 50, 30, 101.325, 640, 400)},
    {"Mollier", Mollier(kCalculatorChart)},
    Fitted("MollierZoomedWarm", Mollier(Settings(20, 26, 30, 101.325))),
    {"MollierCold", Mollier(Settings(-40, 10, 8, 101.325))},
    {"MollierAt60kPa", Mollier(Settings(-10, 50, 40, 60.0))},
    {"MollierSmall", Mollier(Settings(-10, 50, 30, 101.325, 640, 400))},
    {"MollierPoints",
     Mollier(kCalculatorChart),
     {PointOf(48, 5, kLong), PointOf(-9, 50, "cold"), PointOf(31.8, 99.9, "top"),
      PointOf(25, 50, "room")}},
};

class ChartGeometry : public ::testing::TestWithParam<Case> {
 protected:
  ChartGeometry() : chart(LayOut(GetParam().settings, GetParam().points, true)) {}
  const Frame& Axes() const { return chart.frame; }
  double P() const { return chart.frame.Pressure(); }
  double W(const Vertex& v) const { return Axes().StateAt(v.at).W; }
  double T(const Vertex& v) const { return Axes().StateAt(v.at).t; }
  // A zoomed warm chart may show air far from saturation only.
  bool SaturationAboveThePlot() const {
    return Ws(Axes().DryBulbMin(), P()) > Axes().HumidityRatioMax();
  }
  const FamilyLayer& Layer(Family family) const {
    return chart.families[static_cast<std::size_t>(family)];
  }

  Chart chart;
};

struct CaseName {
  std::string operator()(const ::testing::TestParamInfo<Case>& row) const { return row.param.name; }
};

INSTANTIATE_TEST_SUITE_P(Charts, ChartGeometry, ::testing::ValuesIn(kCases), CaseName());

// A value on a line of a family: a whole multiple of the family's step.
void ExpectMultiple(double value, double step) {
  EXPECT_NEAR(value / step, std::round(value / step), 1e-9) << value << " by " << step;
}

void ExpectRelative(double actual, double expected, double tolerance, const std::string& where) {
  const double scale = std::max(std::abs(expected), 1.0);
  EXPECT_LE(std::abs(actual - expected), tolerance * scale)
      << where << ": " << actual << " against " << expected;
}

TEST_P(ChartGeometry, EveryFamilyIsThereInOrder) {
  ASSERT_EQ(chart.families.size(), 5u);
  for (std::size_t i = 0; i < chart.families.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(chart.families[i].family), i);
    if (i == 0 && SaturationAboveThePlot()) continue;
    // The Mollier diagram draws no wet-bulb lines: its enthalpy lines serve.
    const bool none = Axes().Mollier() && chart.families[i].family == Family::WetBulb;
    EXPECT_EQ(chart.families[i].curves.empty(), none) << "family " << i;
  }
}

TEST_P(ChartGeometry, VerticesAreWhereTheirDryBulbSays) {
  for (const FamilyLayer& layer : chart.families) {
    for (const Curve& curve : layer.curves) {
      for (const Vertex& v : curve.vertices) {
        EXPECT_NEAR(T(v), v.t, 1e-9 * std::max(1.0, std::abs(v.t)));
      }
    }
  }
}

TEST_P(ChartGeometry, SaturationVerticesLieOnTheSaturationCurve) {
  if (SaturationAboveThePlot()) {
    EXPECT_TRUE(Layer(Family::Saturation).curves.empty());
    return;
  }
  const Curve& curve = Layer(Family::Saturation).curves.front();
  ASSERT_GE(curve.vertices.size(), 2u);
  // It starts on the left edge (the Mollier diagram's bottom).
  const Rect& plot = Axes().Plot();
  if (Axes().Mollier()) {
    EXPECT_NEAR(curve.vertices.front().at.y, plot.bottom, 1e-6);
  } else {
    EXPECT_EQ(curve.vertices.front().t, Axes().DryBulbMin());
  }
  for (const Vertex& v : curve.vertices) {
    ExpectRelative(W(v), Ws(v.t, P()), 1e-9, "t = " + std::to_string(v.t));
  }
  // It runs to the right edge or leaves through the top.
  const Vertex& last = curve.vertices.back();
  const bool rightEdge =
      Axes().Mollier() ? std::abs(last.at.x - plot.right) < 1e-6 : last.t == Axes().DryBulbMax();
  const bool top = std::abs(last.at.y - Axes().Plot().top) < 1e-6;
  EXPECT_TRUE(rightEdge || top) << "ends at t = " << last.t;
}

TEST_P(ChartGeometry, SaturationStepsAtZeroBetweenTheIceAndWaterRelations) {
  if (SaturationAboveThePlot()) return;
  const Curve& curve = Layer(Family::Saturation).curves.front();
  const double tmin = Axes().DryBulbMin();
  const double tmax = Axes().DryBulbMax();
  if (!(tmin <= 0.0 && tmax > 0.0) || curve.vertices.back().t <= 0.0) {
    return;  // the range holds no step
  }
  std::size_t zero = curve.vertices.size();
  for (std::size_t i = 0; i < curve.vertices.size(); ++i) {
    if (curve.vertices[i].t == 0.0) zero = i;
  }
  ASSERT_LT(zero + 1, curve.vertices.size()) << "no vertex at 0 followed by another";
  const Vertex& ice = curve.vertices[zero];
  const Vertex& water = curve.vertices[zero + 1];
  EXPECT_GT(water.t, 0.0);
  EXPECT_LT(water.t, 1e-12);
  EXPECT_EQ(water.t + air::kKelvinOffset, std::nextafter(air::kKelvinOffset, 1000.0));
  // The water relation lies above the ice relation at the threshold.
  EXPECT_GT(W(water), W(ice));
  ExpectRelative(W(ice),
                 air::HumidityRatioFromPressure(
                     air::SaturationPressureOverIce(air::kKelvinOffset).Value(), P())
                     .Value(),
                 1e-9, "ice side");
}

TEST_P(ChartGeometry, RelativeHumidityVerticesGiveBackTheirValue) {
  const FamilyLayer& layer = Layer(Family::RelativeHumidity);
  for (const Curve& curve : layer.curves) {
    ExpectMultiple(curve.value, layer.step);
    for (const Vertex& v : curve.vertices) {
      ExpectRelative(RelativeHumidityOf(v.t, W(v), P()) / curve.value, 1.0, 1e-9,
                     std::to_string(curve.value) + " % at t = " + std::to_string(v.t));
    }
  }
}

TEST_P(ChartGeometry, WetBulbLinesStartOnSaturationAndFollowTheRelation) {
  for (const Curve& curve : Layer(Family::WetBulb).curves) {
    const double tw = curve.value;
    ExpectMultiple(tw, Layer(Family::WetBulb).step);
    const double start = Ws(tw, P());
    if (tw >= Axes().DryBulbMin() && start <= Axes().HumidityRatioMax()) {
      EXPECT_EQ(curve.vertices.front().t, tw);
      EXPECT_NEAR(W(curve.vertices.front()), start, 1e-9) << "wet-bulb " << tw;
    }
    for (const Vertex& v : curve.vertices) {
      EXPECT_GE(v.t, tw);
      EXPECT_NEAR(W(v), WetBulbLineW(v.t, tw, P()), 1e-9) << "wet-bulb " << tw << " at " << v.t;
    }
  }
}

// Enthalpy and specific-volume lines: every vertex gives back the value, and
// a line that meets saturation inside the plot starts there, to 1e-9 degrees C.
template <typename ValueOf>
void ExpectConstantLines(const FamilyLayer& layer, const Frame& frame, double P, ValueOf valueOf) {
  for (const Curve& curve : layer.curves) {
    ExpectMultiple(curve.value, layer.step);
    for (const Vertex& v : curve.vertices) {
      ExpectRelative(valueOf(v.t, frame.StateAt(v.at).W), curve.value, 1e-9,
                     "line " + std::to_string(curve.value) + " at t = " + std::to_string(v.t));
    }
    const Vertex& first = curve.vertices.front();
    const Rect& plot = frame.Plot();
    const bool onLeftEdge = first.t == frame.DryBulbMin();
    const bool onTop = std::abs(first.at.y - plot.top) < 1e-6;
    // The Mollier diagram's lines enter through its right edge or its bottom.
    const bool onMollierEdge = frame.Mollier() && (std::abs(first.at.x - plot.right) < 1e-6 ||
                                                   std::abs(first.at.y - plot.bottom) < 1e-6);
    if (onLeftEdge || onTop || onMollierEdge) continue;
    // Just before the start the line is above saturation, just after below it.
    const auto lineW = [&](double t) {
      return SolveW([&](double w) { return valueOf(t, w); }, curve.value);
    };
    EXPECT_GT(lineW(first.t - 1e-9), Ws(first.t - 1e-9, P)) << "line " << curve.value;
    EXPECT_LE(lineW(first.t + 1e-9), Ws(first.t + 1e-9, P)) << "line " << curve.value;
  }
}

TEST_P(ChartGeometry, EnthalpyVerticesGiveBackTheirValue) {
  ExpectConstantLines(Layer(Family::Enthalpy), Axes(), P(),
                      [](double t, double W) { return EnthalpyOf(t, W); });
}

TEST_P(ChartGeometry, SpecificVolumeVerticesGiveBackTheirValue) {
  const double P0 = P();
  ExpectConstantLines(Layer(Family::SpecificVolume), Axes(), P0,
                      [P0](double t, double W) { return VolumeOf(t, W, P0); });
}

TEST_P(ChartGeometry, NoVertexAboveSaturationOrOutsideThePlot) {
  const Rect& plot = Axes().Plot();
  for (const FamilyLayer& layer : chart.families) {
    for (const Curve& curve : layer.curves) {
      for (const Vertex& v : curve.vertices) {
        const std::string where = "family " + std::to_string(static_cast<int>(curve.family)) +
                                  " value " + std::to_string(curve.value) +
                                  " t = " + std::to_string(v.t);
        EXPECT_GE(v.at.x, plot.left - 1e-9) << where;
        EXPECT_LE(v.at.x, plot.right + 1e-9) << where;
        EXPECT_GE(v.at.y, plot.top - 1e-9) << where;
        EXPECT_LE(v.at.y, plot.bottom + 1e-9) << where;
        const double saturated = Ws(v.t, P());
        EXPECT_LE(W(v), saturated * (1.0 + 1e-12)) << where;
      }
    }
  }
}

TEST_P(ChartGeometry, NoChordStraysAQuarterPixelFromItsCurve) {
  for (const FamilyLayer& layer : chart.families) {
    for (const Curve& curve : layer.curves) {
      for (std::size_t i = 1; i < curve.vertices.size(); ++i) {
        const Vertex& a = curve.vertices[i - 1];
        const Vertex& b = curve.vertices[i];
        for (int k = 1; k < 16; ++k) {
          const double t = a.t + (b.t - a.t) * k / 16.0;
          const double w = TrueW(curve, t, P());
          if (!std::isfinite(w)) continue;
          const Point p = Axes().At(t, w);
          EXPECT_LE(DistanceToSegment(p, a.at, b.at), 0.25)
              << "family " << static_cast<int>(curve.family) << " value " << curve.value
              << " between t = " << a.t << " and " << b.t;
        }
      }
    }
  }
}

TEST_P(ChartGeometry, NoTwoLabelsOverlapAndAllStayOnTheAirSide) {
  std::vector<Box> boxes;
  for (const FamilyLayer& layer : chart.families) {
    for (const Label& label : layer.labels) boxes.push_back(label.box);
  }
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      EXPECT_FALSE(Overlaps(boxes[i], boxes[j])) << "labels " << i << " and " << j;
    }
    for (const Point& c : Corners(boxes[i])) {
      const StatePoint state = Axes().StateAt(c);
      EXPECT_TRUE(Axes().Contains(state.t, state.W));
      EXPECT_LE(state.W, Ws(state.t, P()) + 1e-12);
    }
  }
}

// Every text the writer draws, each with its box.
std::vector<Label> AllTexts(const Chart& chart) {
  std::vector<Label> texts{chart.title, chart.axes.dryBulbTitle, chart.axes.humidityRatioTitle};
  for (const LegendItem& item : chart.legend) texts.push_back(item.label);
  for (const Tick& tick : chart.axes.dryBulb) texts.push_back(tick.label);
  for (const Tick& tick : chart.axes.humidityRatio) texts.push_back(tick.label);
  for (const FamilyLayer& layer : chart.families) {
    texts.insert(texts.end(), layer.labels.begin(), layer.labels.end());
  }
  for (const Marker& m : chart.markers) {
    if (m.label) texts.push_back(*m.label);
  }
  return texts;
}

TEST_P(ChartGeometry, EveryTextBoxIsInsideThePicture) {
  const std::vector<Label> texts = AllTexts(chart);
  const std::string svg = WriteSvg(chart);
  std::size_t written = 0;
  for (std::size_t at = svg.find("<text"); at != std::string::npos;
       at = svg.find("<text", at + 1)) {
    ++written;
  }
  EXPECT_EQ(written, texts.size()) << "every <text> comes from a label";
  const double width = GetParam().settings.width;
  const double height = GetParam().settings.height;
  for (const Label& label : texts) {
    for (const Point& c : Corners(label.box)) {
      EXPECT_TRUE(c.x >= 0.0 && c.x <= width && c.y >= 0.0 && c.y <= height)
          << label.text << " at " << c.x << "," << c.y;
    }
  }
}

TEST_P(ChartGeometry, PointLabelsStayInThePlotClearOfTheAxes) {
  const Rect& plot = Axes().Plot();
  for (const Marker& m : chart.markers) {
    if (!m.label) continue;
    EXPECT_LE(TextWidth(m.label->text, kPointFontSize), 200.0) << m.label->text;
    for (const Point& c : Corners(m.label->box)) {
      EXPECT_TRUE(c.x > plot.left && c.x < plot.right && c.y > plot.top && c.y < plot.bottom)
          << m.label->text << " at " << c.x << "," << c.y;
    }
  }
}

// The saturation label sits just beside its curve, among its preferred spots
// (from a fifth to four fifths of the way along).
TEST_P(ChartGeometry, TheSaturationLabelSitsByItsCurve) {
  const FamilyLayer& layer = Layer(Family::Saturation);
  if (layer.labels.empty()) return;
  const std::vector<Vertex>& curve = layer.curves.front().vertices;
  const Box& box = layer.labels.front().box;
  double nearest = std::numeric_limits<double>::infinity();
  for (std::size_t i = 1; i < curve.size(); ++i) {
    nearest = std::min(nearest, DistanceToSegment(box.center, curve[i - 1].at, curve[i].at));
  }
  EXPECT_LE(nearest, box.height / 2.0 + 4.0);
  const std::optional<Spot> middle = SpotAlong(curve, Length(curve) / 2.0, false);
  ASSERT_TRUE(middle);
  EXPECT_LE(std::hypot(box.center.x - middle->at.x, box.center.y - middle->at.y),
            0.3 * Length(curve) + box.height);
}

TEST_P(ChartGeometry, AtLeastFourLinesOfEachFamilyAtARoundStep) {
  for (const FamilyLayer& layer : chart.families) {
    if (layer.family == Family::Saturation) continue;
    if (layer.family == Family::WetBulb && Axes().Mollier()) continue;
    EXPECT_GE(layer.curves.size(), 4u) << "family " << static_cast<int>(layer.family);
    const double mantissa = layer.step / std::pow(10.0, std::floor(std::log10(layer.step) + 1e-9));
    EXPECT_TRUE(std::abs(mantissa - 1.0) < 1e-9 || std::abs(mantissa - 2.0) < 1e-9 ||
                std::abs(mantissa - 5.0) < 1e-9)
        << layer.step;
  }
}

// The digits after the point ("0.80" has 2, "5 %" none).
std::size_t DecimalsOf(const std::string& text) {
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return 0;
  return text.find_first_not_of("0123456789", point + 1) == std::string::npos
             ? text.size() - point - 1
             : text.find_first_not_of("0123456789", point + 1) - point - 1;
}

TEST_P(ChartGeometry, NumbersOfOneAxisOrFamilyShareTheirDecimals) {
  std::vector<std::vector<std::string>> groups(2);
  for (const Tick& tick : chart.axes.dryBulb) groups[0].push_back(tick.label.text);
  for (const Tick& tick : chart.axes.humidityRatio) groups[1].push_back(tick.label.text);
  for (const FamilyLayer& layer : chart.families) {
    if (layer.family == Family::Saturation) continue;
    groups.emplace_back();
    for (const Label& label : layer.labels) groups.back().push_back(label.text);
  }
  for (const std::vector<std::string>& texts : groups) {
    for (const std::string& text : texts) {
      EXPECT_EQ(DecimalsOf(text), DecimalsOf(texts.front())) << text << " beside " << texts.front();
    }
  }
}

TEST_P(ChartGeometry, AFittedAxisHoldsSaturationToTheNextTick) {
  if (!GetParam().fitted) return;
  const double top = GetParam().settings.humidityRatioMax;
  const double step = Axes().HumidityRatioStep();
  const double saturated = Ws(Axes().DryBulbMax(), P()) * 1000.0;
  EXPECT_GE(top, saturated);
  EXPECT_LT(top - step, saturated);
  EXPECT_NEAR(top / step, std::round(top / step), 1e-9) << top << " by " << step;
}

// Length of a polyline, px.
double PolylineLength(const Curve& curve) { return Length(curve.vertices); }

TEST(ChartLabels, EveryCurveLongerThanALabelIsLabelledAtTheDefaultSize) {
  const Chart chart = LayOut(kCalculatorChart, {}, false);
  for (const FamilyLayer& layer : chart.families) {
    std::size_t longCurves = 0;
    for (const Curve& curve : layer.curves) longCurves += PolylineLength(curve) >= 60.0 ? 1u : 0u;
    EXPECT_GE(layer.labels.size(), longCurves) << "family " << static_cast<int>(layer.family);
  }
}

TEST(ChartLabels, TheDefaultChartHasTheUsualLines) {
  const Chart chart = LayOut(kCalculatorChart, {}, false);
  const auto values = [&](Family family) {
    std::vector<double> v;
    for (const Curve& c : chart.families[static_cast<std::size_t>(family)].curves) {
      v.push_back(c.value);
    }
    return v;
  };
  EXPECT_EQ(values(Family::RelativeHumidity),
            (std::vector<double>{10, 20, 30, 40, 50, 60, 70, 80, 90}));
  // Saturated air at 50 degrees C is far above 30 g/kg: the 35 line only just
  // enters the top right corner, higher ones miss the plot.
  EXPECT_EQ(values(Family::WetBulb), (std::vector<double>{-10, -5, 0, 5, 10, 15, 20, 25, 30, 35}));
  EXPECT_EQ(values(Family::Enthalpy).front(), -10.0);
  EXPECT_EQ(values(Family::Enthalpy).back(), 120.0);
  EXPECT_EQ(values(Family::SpecificVolume).front(), 0.75);
  EXPECT_EQ(values(Family::SpecificVolume).back(), 0.95);
}

// The IP chart against the handbook's IP relations (ASHRAE Handbook-Fundamentals
// 2017 ch. 1, eqs. 26 and 32 of its IP edition; t in F, W in lb/lb, p in psia),
// whose rounded coefficients hold to 0.05 Btu/lb and 0.01 ft3/lb.
TEST(ChartInchPound, LinesFollowTheHandbooksIpRelations) {
  const Chart chart =
      LayOut({32, 120, 0.028, 101.325, 1200, 800, 0.0, false, {}, kIpUnits}, {}, false);
  const double p = 14.696;
  const auto& families = chart.families;
  for (const Curve& c : families[static_cast<std::size_t>(Family::Enthalpy)].curves) {
    for (const Vertex& v : c.vertices) {
      const double t = v.t * 1.8 + 32.0;
      const double W = chart.frame.HumidityRatioAt(v.at.y);
      EXPECT_NEAR(0.240 * t + W * (1061.0 + 0.444 * t), c.value, 0.05) << t;
    }
  }
  for (const Curve& c : families[static_cast<std::size_t>(Family::SpecificVolume)].curves) {
    for (const Vertex& v : c.vertices) {
      const double t = v.t * 1.8 + 32.0;
      const double W = chart.frame.HumidityRatioAt(v.at.y);
      EXPECT_NEAR(0.370486 * (t + 459.67) * (1.0 + 1.607858 * W) / p, c.value, 0.01) << t;
    }
  }
  // Enthalpy every 5 Btu/lb, as printed IP charts have it, wet-bulb every 5 F,
  // volume every 0.5 ft3/lb.
  const std::vector<double> steps{0.0, 10.0, 5.0, 5.0, 0.5};
  for (std::size_t i = 1; i < families.size(); ++i) EXPECT_EQ(families[i].step, steps[i]) << i;
  for (const Label& label : families[static_cast<std::size_t>(Family::Enthalpy)].labels) {
    EXPECT_EQ(std::stoi(label.text) % 5, 0) << label.text;
  }
  EXPECT_EQ(chart.axes.dryBulb.back().label.text, "120");
  EXPECT_EQ(chart.axes.humidityRatio.back().label.text, "0.028");
}

// Every dry-bulb tick of the IP chart lies on the plot, where its number's
// temperature is: t degF at (t - 32) / 1.8 degC.
TEST(ChartInchPound, EveryDryBulbTickIsOnThePlotWhereItsNumberIs) {
  const Chart chart =
      LayOut({32, 120, 0.028, 101.325, 1200, 800, 0.0, false, {}, kIpUnits}, {}, false);
  const Rect& plot = chart.frame.Plot();
  ASSERT_GE(chart.axes.dryBulb.size(), 5u);
  for (const Tick& tick : chart.axes.dryBulb) {
    EXPECT_GE(tick.position, plot.left) << tick.label.text;
    EXPECT_LE(tick.position, plot.right) << tick.label.text;
    const double celsius = (std::stod(tick.label.text) - 32.0) / 1.8;
    EXPECT_NEAR(tick.position, chart.frame.X(celsius), 1e-6) << tick.label.text;
  }
}

TEST(ChartSaturation, EndsAtTheTopWhereTheSaturationPressureNearsTheTotal) {
  // At 5 kPa water boils near 33 degrees C: the curve leaves through the top.
  const Chart chart = LayOut(Settings(-10, 40, 1000, 5.0), {}, false);
  const Curve& curve = chart.families.front().curves.front();
  EXPECT_NEAR(curve.vertices.back().at.y, chart.frame.Plot().top, 1e-6);
  EXPECT_LT(curve.vertices.back().t, 33.0);
  EXPECT_LT(air::SaturationPressure(curve.vertices.back().t + air::kKelvinOffset).Value(), 5.0);
}

// --- Points ------------------------------------------------------------------

TEST(ChartPoints, MarkersSitWhereTheirStatesSay) {
  const std::vector<PlotPoint> points{PointAt(25, 20, "A"), PointAt(35, 22, "B"),
                                      PointAt(10, 8, "C")};
  const Chart chart = LayOut(kCalculatorChart, points, true);
  ASSERT_EQ(chart.markers.size(), 3u);
  for (const Marker& m : chart.markers) {
    // The axes put -10 degrees C at the plot's left edge and 50 at its right,
    // 0 g/kg at the bottom and 30 at the top.
    const Rect& plot = chart.frame.Plot();
    const double x = plot.left + (m.point.state.dryBulb + 10.0) / 60.0 * (plot.right - plot.left);
    const double y = plot.bottom - m.point.state.humidityRatio / 0.030 * (plot.bottom - plot.top);
    EXPECT_NEAR(m.at.x, x, 1e-9);
    EXPECT_NEAR(m.at.y, y, 1e-9);
    ASSERT_TRUE(m.label.has_value());
    EXPECT_FALSE(Overlaps(m.label->box, Box{m.at, 2 * kMarkerRadius, 2 * kMarkerRadius, 0.0}));
  }
}

// On the Mollier diagram a state's humidity ratio runs across, 0 to 30 g/kg,
// and (h - 2501 W) / 1.006 up, -10 to 50: h its enthalpy by eq. 30 (ASHRAE
// 2017 ch. 1), the calculator's relation.
TEST(ChartPoints, MollierMarkersSitAtTheirHumidityRatioAndEnthalpy) {
  std::vector<PlotPoint> points;
  for (const double t : {-8.0, 0.5, 12.0, 24.0, 28.0}) {
    for (const double rh : {5.0, 40.0, 95.0}) points.push_back(PointOf(t, rh, ""));
  }
  const Chart chart = LayOut(Mollier(kCalculatorChart), points, false);
  const Rect& plot = chart.frame.Plot();
  ASSERT_EQ(chart.markers.size(), 15u);
  for (const Marker& m : chart.markers) {
    const double W = m.point.state.humidityRatio;
    const double up = (EnthalpyOf(m.point.state.dryBulb, W) - 2501.0 * W) / 1.006;
    const double x = plot.left + W / 0.030 * (plot.right - plot.left);
    const double y = plot.bottom - (up + 10.0) / 60.0 * (plot.bottom - plot.top);
    EXPECT_NEAR(m.at.x, x, 1e-6 * (plot.right - plot.left)) << m.point.state.dryBulb;
    EXPECT_NEAR(m.at.y, y, 1e-6 * (plot.bottom - plot.top)) << m.point.state.dryBulb;
  }
}

TEST(ChartPoints, AProcessToAStateOffThePlotIsClippedAtItsEdge) {
  PlotPoint hot = PointOf(60, 20, "hot");
  hot.onPlot = false;
  const Chart chart =
      LayOut(kCalculatorChart, {PointOf(25, 50, "A"), hot, PointOf(30, 50, "B")}, true);
  ASSERT_EQ(chart.markers.size(), 2u);
  ASSERT_EQ(chart.process.size(), 2u);
  const Rect& plot = chart.frame.Plot();
  EXPECT_TRUE(chart.process[0].fromMarker);
  EXPECT_FALSE(chart.process[0].toMarker);
  EXPECT_NEAR(chart.process[0].line.to.x, plot.right, 1e-9);
  EXPECT_FALSE(chart.process[1].fromMarker);
  EXPECT_NEAR(chart.process[1].line.from.x, plot.right, 1e-9);
  EXPECT_NEAR(chart.process[1].line.to.x, chart.markers[1].at.x, 1e-9);
  // Where the line from A to the hot state crosses 50 degrees C, by hand.
  const Point a = chart.markers[0].at;
  const Point h = chart.frame.At(60, hot.state.humidityRatio);
  EXPECT_NEAR(chart.process[0].line.to.y, a.y + (h.y - a.y) * (plot.right - a.x) / (h.x - a.x),
              1e-9);
}

TEST(ChartPoints, LongLabelsAreCutWithAnEllipsis) {
  EXPECT_EQ(Ellipsized("Room", 12, 200), "Room");
  const std::string cut = Ellipsized(kLong, 12, 200);
  EXPECT_EQ(cut.substr(cut.size() - 3), "\xE2\x80\xA6");
  EXPECT_EQ(kLong.compare(0, cut.size() - 3, cut, 0, cut.size() - 3), 0);
  EXPECT_LE(TextWidth(cut, 12) + 9.0, 200.0);
  EXPECT_GT(TextWidth(cut, 12) + 9.0 + TextWidth("n", 12), 200.0) << cut;
  EXPECT_EQ(Ellipsized("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 10, 40), "\xC3\xA9\xC3\xA9\xE2\x80\xA6");
}

// Whether the segment from a to b passes through the box: sampled every 0.5 px.
bool Crosses(Point a, Point b, const Box& box) {
  const double length = std::hypot(b.x - a.x, b.y - a.y);
  const double c = std::cos(box.angle);
  const double s = std::sin(box.angle);
  for (double d = 0.0; d <= length; d += 0.5) {
    const double x = a.x + (b.x - a.x) * d / length - box.center.x;
    const double y = a.y + (b.y - a.y) * d / length - box.center.y;
    if (std::abs(x * c + y * s) < box.width / 2.0 && std::abs(-x * s + y * c) < box.height / 2.0) {
      return true;
    }
  }
  return false;
}

// Twenty logger readings between 22 and 25 degrees C, labelled by the hour.
std::vector<PlotPoint> LoggerPoints() {
  std::vector<PlotPoint> points;
  points.reserve(20);
  for (int i = 0; i < 20; ++i) {
    points.push_back(PointAt(22.0 + 0.15 * i, 15.0 + 0.1 * (i % 7), std::to_string(i) + ":00"));
  }
  return points;
}

TEST(ChartPoints, LabelsThatFitKeepClearOfMarkersArrowsAndEachOther) {
  const std::vector<std::vector<PlotPoint>> sets{
      {PointAt(33, 22, "Outdoor air"), PointAt(13, 12.5, "Off the cooling coil"),
       PointAt(24, 17, "Room"), PointAt(24.5, 17.5, "Close to the room")},
      LoggerPoints()};
  for (const auto& [settings, points] :
       {std::pair{kCalculatorChart, sets[0]}, std::pair{kCalculatorChart, sets[1]},
        std::pair{Mollier(kCalculatorChart), sets[0]},
        std::pair{Mollier(kCalculatorChart), sets[1]}}) {
    const Chart chart = LayOut(settings, points, true);
    std::vector<Box> boxes;
    for (const FamilyLayer& layer : chart.families) {
      for (const Label& label : layer.labels) boxes.push_back(label.box);
    }
    for (const Marker& m : chart.markers) {
      if (!m.label) continue;
      for (const Box& other : boxes) EXPECT_FALSE(Overlaps(m.label->box, other)) << m.label->text;
      boxes.push_back(m.label->box);
      for (const Marker& n : chart.markers) {
        EXPECT_FALSE(Overlaps(m.label->box, Box{n.at, 2 * kMarkerRadius, 2 * kMarkerRadius, 0.0}))
            << m.label->text << " on the marker of " << n.point.label;
      }
      for (const ProcessArrow& arrow : chart.process) {
        EXPECT_FALSE(Crosses(arrow.line.from, arrow.line.to, m.label->box))
            << m.label->text << " under an arrow";
      }
    }
  }
}

TEST(ChartPoints, HowManyLabelsEachChoiceDraws) {
  struct Row {
    PointLabels labels;
    std::size_t least, most;  // of the logger's 20
  };
  for (const Row& row : {Row{PointLabels::None, 0, 0}, Row{PointLabels::Fit, 1, 19},
                         Row{PointLabels::All, 20, 20}}) {
    ChartSettings settings = kCalculatorChart;
    settings.labels = row.labels;
    const Chart chart = LayOut(settings, LoggerPoints(), false);
    const auto drawn = static_cast<std::size_t>(std::count_if(
        chart.markers.begin(), chart.markers.end(), [](const Marker& m) { return m.label; }));
    EXPECT_GE(drawn, row.least);
    EXPECT_LE(drawn, row.most);
  }
}

TEST(ChartPoints, ADensityCountsEveryPointInItsCell) {
  const Frame frame(kCalculatorChart);
  Density density(frame);
  std::uint64_t added = 0;
  for (double t = -10.0; t <= 50.0; t += 0.37) {  // corners and edges included
    for (double W = 0.0; W <= 0.030; W += 0.0011) {
      const Point at = frame.At(t, W);
      density.Add(at);
      ++added;
    }
  }
  const Chart chart = LayOut(kCalculatorChart, {}, false, &density);
  ASSERT_TRUE(chart.density.has_value());
  std::uint64_t sum = 0;
  for (const DensityCell& cell : chart.density->cells) {
    sum += cell.count;
    EXPECT_LT(cell.band, chart.density->bands.size());
    EXPECT_GE(cell.count, chart.density->bands[cell.band].least);
    EXPECT_LE(cell.count, chart.density->bands[cell.band].most);
  }
  EXPECT_EQ(sum, added);
  EXPECT_EQ(chart.density->total, added);
}

// A known point in its cell: one point each, near the four corners and the
// middle of the plot (the picture is wider than tall, so cells counted by rows
// and columns the wrong way round fall elsewhere), lies in the rectangle of the
// one cell that counts it.
TEST(ChartPoints, AKnownPointIsInItsDensityCell) {
  const Frame frame(kCalculatorChart);
  for (const auto& [t, W] :
       {std::pair{-9.9, 0.0001}, {49.9, 0.0001}, {-9.9, 0.0299}, {49.9, 0.0299}, {20.0, 0.012}}) {
    Density density(frame);
    const Point at = frame.At(t, W);
    density.Add(at, 3);
    const DensityLayer layer = density.Layer();
    ASSERT_EQ(layer.cells.size(), 1u);
    const Rect& cell = layer.cells[0].rect;
    EXPECT_TRUE(cell.left <= at.x && at.x <= cell.right && cell.top <= at.y && at.y <= cell.bottom)
        << t << ", " << W;
    EXPECT_EQ(layer.cells[0].count, 3u);
  }
}

// The page's counts: every point in one cell of at most kMostBinnedCells, each
// cell's centre within half a cell (3 px, kBinnedCellSide, at least) of its
// points, and the text read back gives every count.
TEST(ChartPoints, BinnedPointsReadBackInTheirCells) {
  const Frame frame(kCalculatorChart);
  Binned binned(frame);
  std::uint64_t added = 0;
  for (double t = -10.0; t <= 50.0; t += 0.53) {
    for (double W = 0.0; W <= 0.030; W += 0.0007) {
      binned.Add(t, W);
      ++added;
    }
  }
  const Rect& plot = frame.Plot();
  const double side =
      std::max(kBinnedCellSide,
               std::sqrt((plot.right - plot.left) * (plot.bottom - plot.top) / kMostBinnedCells));
  std::uint64_t read = 0;
  std::size_t cells = 0;
  ReadBinned(binned.Text(), [&](double t, double W, std::uint64_t count) {
    read += count;
    ++cells;
    const Point centre = frame.At(t, W);
    EXPECT_TRUE(frame.Contains(t, W)) << t << ", " << W;
    // Some point of the grid above lies within half a cell of the centre.
    const double t0 = -10.0 + 0.53 * std::round((t + 10.0) / 0.53);
    const double W0 = 0.0007 * std::round(W / 0.0007);
    EXPECT_LE(std::fabs(frame.At(t0, W0).x - centre.x), side) << t << ", " << W;
    EXPECT_LE(std::fabs(frame.At(t0, W0).y - centre.y), side) << t << ", " << W;
  });
  EXPECT_EQ(read, added);
  EXPECT_EQ(binned.Total(), added);
  EXPECT_LE(static_cast<double>(cells), kMostBinnedCells);
}

// --- The engineer's furniture and zones ----------------------------------------

// The handbook's chart with a protractor: its scales read back their values.
TEST(ChartFurniture, ScalesAndMarksReadBackTheirValues) {
  ChartSettings settings;
  settings.protractor = true;
  const Chart chart = LayOut(settings, {}, false);
  const Frame& frame = chart.frame;
  const auto enthalpy = [&](Point p) {
    const double t = frame.DryBulbAt(p.x);
    return 1.006 * t + frame.HumidityRatioAt(p.y) * (2501.0 + 1.86 * t);  // eq. 30
  };
  ASSERT_GT(chart.furniture.enthalpyTicks.size(), 100u);
  for (const Segment& tick : chart.furniture.enthalpyTicks) {
    EXPECT_NEAR(enthalpy(tick.from), std::round(enthalpy(tick.from)), 0.01);
    EXPECT_NEAR(enthalpy(tick.to), std::round(enthalpy(tick.from)), 0.01);
  }
  ASSERT_GT(chart.furniture.saturationMarks.size(), 30u);
  for (const Segment& mark : chart.furniture.saturationMarks) {
    const double t = frame.DryBulbAt(mark.from.x);
    EXPECT_NEAR(t, std::round(t), 1e-9);
    const Result saturated = hygrian::FromDryBulbRelativeHumidity(std::round(t), 100.0);
    EXPECT_NEAR(frame.HumidityRatioAt(mark.from.y), saturated.state.humidityRatio, 1e-9);
  }
  // Each line of the protractor: the sensible part of its enthalpy change, at
  // 24 degrees C and 50 %, is its ratio.
  const Protractor& p = chart.furniture.protractor.value();
  const double W = hygrian::FromDryBulbRelativeHumidity(24.0, 50.0).state.humidityRatio;
  for (std::size_t i = 0; i < p.lines.size(); ++i) {
    const double dt = frame.DryBulbAt(p.lines[i].to.x) - frame.DryBulbAt(p.lines[i].from.x);
    const double dW =
        frame.HumidityRatioAt(p.lines[i].to.y) - frame.HumidityRatioAt(p.lines[i].from.y);
    const double sensible = (1.006 + 1.86 * W) * dt;
    EXPECT_NEAR(sensible / (sensible + (2501.0 + 1.86 * 24.0) * dW), p.ratios[i], 1e-9);
  }
  EXPECT_TRUE(LayOut(kCalculatorChart, {}, false).furniture.enthalpyTicks.empty());
}

// The protractor on SI and IP charts, psychrometric and Mollier, large and
// small.
std::vector<ChartSettings> ProtractorCharts() {
  ChartSettings si;
  si.protractor = true;
  ChartSettings ip{32, 120, 0.028, 101.325, 1200, 800, 0.0, false, {}, kIpUnits};
  ip.protractor = true;
  ChartSettings small = si;
  small.width = 640;
  small.height = 400;
  return {si, ip, small, Mollier(si), Mollier(ip), Mollier(small)};
}

// Every radius and every tick of the ring is numbered, and no two of the
// protractor's texts overlap.
TEST(ChartFurniture, EveryProtractorNumberFitsClearOfTheOthers) {
  for (const ChartSettings& settings : ProtractorCharts()) {
    const Protractor p = LayOut(settings, {}, false).furniture.protractor.value();
    EXPECT_EQ(p.numbers.size(), 11u);
    EXPECT_EQ(p.ringNumbers.size(), p.quotients.size());
    EXPECT_GE(p.quotients.size(), 11u);
    std::vector<Label> texts = p.numbers;
    texts.insert(texts.end(), p.ringNumbers.begin(), p.ringNumbers.end());
    texts.insert(texts.end(), p.titles.begin(), p.titles.end());
    for (std::size_t i = 0; i < texts.size(); ++i) {
      for (std::size_t j = i + 1; j < texts.size(); ++j) {
        EXPECT_FALSE(Overlaps(texts[i].box, texts[j].box))
            << texts[i].text << " and " << texts[j].text << ", width " << settings.width;
      }
    }
  }
}

// Each tick of the ring lies in the direction of a process whose enthalpy
// changes by its value per humidity ratio (kJ/kg per g/kg; Btu/lb per lb/lb,
// 1 Btu/lb = 2.326 kJ/kg), read back from the chart by eq. 30 (ASHRAE 2017
// ch. 1) a short step from the reference state, 24 degrees C (78 F) at 50 %.
TEST(ChartFurniture, TheRingReadsBackItsValuesThroughTheReferenceState) {
  for (const ChartSettings& settings : ProtractorCharts()) {
    const Chart chart = LayOut(settings, {}, false);
    const Frame& frame = chart.frame;
    const Protractor& p = chart.furniture.protractor.value();
    const bool ip = settings.units.inchPound;
    const double t = ip ? (78.0 - 32.0) / 1.8 : 24.0;
    const double W = hygrian::FromDryBulbRelativeHumidity(t, 50.0).state.humidityRatio;
    const auto enthalpy = [](StatePoint s) { return 1.006 * s.t + s.W * (2501.0 + 1.86 * s.t); };
    const StatePoint reference = frame.StateAt(p.reference);
    EXPECT_NEAR(reference.t, t, 1e-9);
    EXPECT_NEAR(reference.W, W, 1e-12);
    EXPECT_TRUE(p.referenceShown);
    for (std::size_t i = 0; i < p.quotients.size(); ++i) {
      // The tick's direction, carried from the reference state.
      const Segment& tick = p.ringTicks[i];
      const double scale = 2.0 / std::hypot(tick.to.x - tick.from.x, tick.to.y - tick.from.y);
      const StatePoint to = frame.StateAt({p.reference.x + (tick.to.x - tick.from.x) * scale,
                                           p.reference.y + (tick.to.y - tick.from.y) * scale});
      const double dW = to.W - reference.W;
      const double dh = enthalpy(to) - enthalpy(reference);
      const double q = p.quotients[i];
      if (std::isinf(q)) {
        EXPECT_NEAR(dW, 0.0, 1e-12) << q;
        EXPECT_EQ(dh > 0.0, q > 0.0) << q;
        continue;
      }
      EXPECT_GT(dW, 0.0) << q;
      const double perKilogram = ip ? q * 2.326 : q * 1000.0;  // kJ/kg per kg/kg
      EXPECT_NEAR(dh / dW, perKilogram, 0.5)
          << q << (settings.diagram == Diagram::Mollier ? " Mollier" : "");
    }
  }
}

TEST(ChartZones, CornersSitAtTheirStates) {
  const Frame frame(kCalculatorChart);
  const std::vector<PlotPoint> corners{PointOf(23, 30, "A"), PointOf(26, 30, "A"),
                                       PointOf(26, 60, "A"), PointOf(18, 20, "B"),
                                       PointOf(22, 20, "B"), PointOf(20, 40, "B")};
  const std::vector<Zone> zones = ZonesOf(frame, corners, "relative_humidity");
  ASSERT_EQ(zones.size(), 2u);
  for (std::size_t z = 0; z < 2; ++z) {
    for (std::size_t c = 0; c < 3; ++c) {
      const State& s = corners[3 * z + c].state;
      const Point at = frame.At(s.dryBulb, s.humidityRatio);
      const Point vertex = zones[z].outline[zones[z].outline.size() / 3 * c];
      EXPECT_NEAR(vertex.x, at.x, 1e-6);
      EXPECT_NEAR(vertex.y, at.y, 1e-6);
    }
  }
  // Between two corners at 30 %, the edge keeps to 30 %.
  const Point middle = zones[0].outline[zones[0].outline.size() / 6];
  const double t = frame.DryBulbAt(middle.x);
  EXPECT_NEAR(frame.HumidityRatioAt(middle.y),
              FromDryBulbRelativeHumidity(t, 30.0).state.humidityRatio, 1e-9);
}

// --- Processes -----------------------------------------------------------------

// The processes of a table as the chart reads it, on the handbook's chart.
ProcessesRead ReadRows(const std::string& csv, std::optional<cli::Process> kind = {}) {
  static const Frame frame{ChartSettings{}};
  hygrian::testing::StringSource source(csv);
  testing::FakeCliPlatform platform;
  cli::Messages messages(platform, "hygrian-chart", false);
  return ReadProcesses(source, "p.csv", frame, cli::ProgramReadOptions(), {kind, {}}, messages);
}

std::string Cells(std::initializer_list<double> values) {
  std::string row;
  for (const double v : values) row += (row.empty() ? "" : ",") + Shortest(v);
  return row + "\n";
}

// The mixed point, in chart coordinates, sits where mixing puts it: its humidity
// ratio (y) and its enthalpy (read back from x and y by eq. 30) the dry-air
// flow-weighted means of the streams'; both paths end there.
TEST(ChartProcesses, TheMixedPointIsAtTheFlowWeightedPosition) {
  const Frame frame{ChartSettings{}};
  std::string csv = "a_dry_bulb,a_relative_humidity,a_flow,b_dry_bulb,b_relative_humidity,b_flow\n";
  for (const double ta : {-5.0, 12.0, 33.0}) {
    for (const double tb : {20.0, 26.0}) {
      for (const double mb : {0.5, 1.0, 4.0}) csv += Cells({ta, 40, 1, tb, 60, mb});
    }
  }
  const ProcessesRead read = ReadRows(csv, cli::Process::Mix);
  ASSERT_EQ(read.processes.size(), 18u);
  const double height = frame.Plot().bottom - frame.Plot().top;
  for (const ComputedProcess& p : read.processes) {
    const ProcessDrawing d = DrawProcess(frame, p, {});
    const Point a = frame.At(p.entering.dryBulb, p.entering.humidityRatio);
    const Point b = frame.At(p.second.dryBulb, p.second.humidityRatio);
    const Point m = d.paths[0].back();
    const double share = (p.result.leaving.humidityRatio - p.entering.humidityRatio) /
                         (p.second.humidityRatio - p.entering.humidityRatio);
    EXPECT_NEAR(m.y, a.y + share * (b.y - a.y), 1e-6 * height);
    const auto h = [&](Point at) {
      const double t = frame.DryBulbAt(at.x);
      return 1.006 * t + frame.HumidityRatioAt(at.y) * (2501.0 + 1.86 * t);
    };
    EXPECT_NEAR(h(m), h(a) + share * (h(b) - h(a)), 1e-6 * std::abs(h(b) - h(a)));
    EXPECT_NEAR(d.paths[1].back().x, m.x, 1e-9);
    EXPECT_NEAR(d.paths[0].front().x, a.x, 1e-9);
    EXPECT_NEAR(d.paths[1].front().y, b.y, 1e-9);
  }
}

// On the Mollier diagram, whose axes are the humidity ratio and (h - 2501 W) /
// 1.006, mixing is a straight line: the mixed point divides the chord from
// one stream to the other in the second stream's share of the dry-air flow.
TEST(ChartProcesses, OnTheMollierDiagramTheMixedPointDividesTheChord) {
  ChartSettings settings;
  settings.diagram = Diagram::Mollier;
  const Frame frame(settings);
  std::string csv = "a_dry_bulb,a_relative_humidity,a_flow,b_dry_bulb,b_relative_humidity,b_flow\n";
  for (const double ta : {-5.0, 12.0, 33.0}) {
    for (const double mb : {0.5, 1.0, 4.0}) csv += Cells({ta, 40, 1, 24, 60, mb});
  }
  const ProcessesRead read = ReadRows(csv, cli::Process::Mix);
  ASSERT_EQ(read.processes.size(), 9u);
  const Rect& plot = frame.Plot();
  for (std::size_t i = 0; i < read.processes.size(); ++i) {
    const ComputedProcess& p = read.processes[i];
    const ProcessDrawing d = DrawProcess(frame, p, {});
    const Point a = frame.At(p.entering.dryBulb, p.entering.humidityRatio);
    const Point b = frame.At(p.second.dryBulb, p.second.humidityRatio);
    const Point m = d.paths[0].back();
    const double mb = std::array{0.5, 1.0, 4.0}[i % 3];
    const double share = mb / (1.0 + mb);
    EXPECT_NEAR(m.x, a.x + share * (b.x - a.x), 1e-6 * (plot.right - plot.left)) << i;
    EXPECT_NEAR(m.y, a.y + share * (b.y - a.y), 1e-6 * (plot.bottom - plot.top)) << i;
  }
}

// A coil's leaving point is drawn at the library's leaving state, and its dashed
// line ends at the apparatus dew point given, on saturation.
TEST(ChartProcesses, TheCoilLeavesAtTheLibrarysStateTowardItsApparatusDewPoint) {
  const Frame frame{ChartSettings{}};
  constexpr std::array<double, 3> kDewPoints{5.0, 10.0, 13.0};
  constexpr std::array<double, 3> kBypass{0.0, 0.1, 0.3};
  std::string csv = "dry_bulb,relative_humidity,apparatus_dew_point,bypass_factor,flow\n";
  for (const double t : {26.0, 30.0, 35.0}) {
    for (const double adp : kDewPoints) {
      for (const double bf : kBypass) csv += Cells({t, 50, adp, bf, 2});
    }
  }
  const ProcessesRead read = ReadRows(csv, cli::Process::Coil);
  ASSERT_EQ(read.processes.size(), 27u);
  for (const ComputedProcess& p : read.processes) {
    const ProcessDrawing d = DrawProcess(frame, p, {});
    const std::size_t row = (static_cast<std::size_t>(p.line) - 2) % 9;
    const double adp = kDewPoints[row / 3];
    const ProcessResult r =
        CoolAndDehumidify(p.entering.dryBulb, p.entering.humidityRatio, adp, kBypass[row % 3], 2.0);
    EXPECT_EQ(d.leaving.x, frame.X(r.leaving.dryBulb));
    EXPECT_EQ(d.leaving.y, frame.Y(r.leaving.humidityRatio));
    ASSERT_TRUE(d.toApparatusDewPoint);
    const State saturated = hygrian::FromDryBulbRelativeHumidity(adp, 100.0).state;
    EXPECT_NEAR(d.toApparatusDewPoint->to.x, frame.X(adp), 1e-9);
    EXPECT_NEAR(d.toApparatusDewPoint->to.y, frame.Y(saturated.humidityRatio), 1e-9);
  }
}

// A coil's label is the heat it takes from the air, a positive load: its flow
// times the fall of the air's enthalpy, by eq. 30 (h = 1.006 t + W (2501 +
// 1.86 t)) from the entering and leaving states, less the condensate's, which
// leaves at the apparatus dew point (4.186 t, eq. 44); a heater's the heat it
// gives.
TEST(ChartProcesses, ACoilsLabelIsTheHeatItTakesFromTheAir) {
  const Frame frame{ChartSettings{}};
  const auto h = [](double t, double W) { return 1.006 * t + W * (2501.0 + 1.86 * t); };
  for (const auto& [kind, csv] :
       {std::pair{cli::Process::Coil,
                  "dry_bulb,humidity_ratio,apparatus_dew_point,bypass_factor,flow\n"
                  "30,0.0150,10,0.1,4\n"},
        {cli::Process::Heat, "dry_bulb,humidity_ratio,leaving_dry_bulb,flow\n10,0.005,30,4\n"}}) {
    const ProcessesRead read = ReadRows(csv, kind);
    ASSERT_EQ(read.processes.size(), 1u);
    const ComputedProcess& p = read.processes[0];
    const State& in = p.entering;
    const State& out = p.result.leaving;
    const double condensate = kind == cli::Process::Coil
                                  ? 4.0 * (in.humidityRatio - out.humidityRatio) * 4.186 * 10.0
                                  : 0.0;
    const double taken =
        4.0 * (h(in.dryBulb, in.humidityRatio) - h(out.dryBulb, out.humidityRatio)) - condensate;
    const double load = kind == cli::Process::Coil ? taken : -taken;
    ASSERT_GT(load, 50.0);
    const std::string text = DrawProcess(frame, p, {}).text;
    const std::string word = kind == cli::Process::Coil ? "coil " : "heat ";
    ASSERT_EQ(text.substr(0, word.size()), word) << text;
    EXPECT_NEAR(std::stod(text.substr(word.size())), load, 0.051) << text;
  }
}

// By its leaving state, a coil's apparatus dew point is where its line, straight
// in humidity ratio and enthalpy, meets saturation: saturated, on that line.
TEST(ChartProcesses, TheApparatusDewPointOfALeavingStateIsOnItsLineAtSaturation) {
  std::string csv = "dry_bulb,relative_humidity,leaving_dry_bulb,leaving_relative_humidity,flow\n";
  for (const double t : {26.0, 32.0}) {
    for (const double to : {12.0, 15.0}) {
      for (const double rh : {90.0, 95.0}) csv += Cells({t, 50, to, rh, 2});
    }
  }
  const ProcessesRead read = ReadRows(csv, cli::Process::Coil);
  ASSERT_EQ(read.processes.size(), 8u);
  for (const ComputedProcess& p : read.processes) {
    ASSERT_TRUE(p.apparatusDewPoint);
    const State& e = p.entering;
    const State& l = p.result.leaving;
    const State& a = *p.apparatusDewPoint;
    EXPECT_NEAR(a.relativeHumidity, 100.0, 1e-6);
    EXPECT_NEAR((a.enthalpy - e.enthalpy) * (l.humidityRatio - e.humidityRatio),
                (l.enthalpy - e.enthalpy) * (a.humidityRatio - e.humidityRatio), 1e-9);
  }
}

// Heating keeps the humidity ratio: its line is level, to its leaving dry-bulb.
TEST(ChartProcesses, HeatingIsLevel) {
  const Frame frame{ChartSettings{}};
  std::string csv = "dry_bulb,relative_humidity,leaving_dry_bulb,flow\n";
  for (const double t : {-5.0, 10.0, 20.0}) {
    for (const double to : {15.0, 25.0, 40.0}) csv += Cells({t, 60, to, 3});
  }
  const ProcessesRead read = ReadRows(csv, cli::Process::Heat);
  ASSERT_EQ(read.processes.size(), 9u);
  for (const ComputedProcess& p : read.processes) {
    const ProcessDrawing d = DrawProcess(frame, p, {});
    EXPECT_EQ(d.paths[0].front().y, d.paths[0].back().y);
    EXPECT_NEAR(d.paths[0].back().x, frame.X(p.result.leaving.dryBulb), 1e-9);
  }
}

// An air-handling unit's chain, summer and winter: each row without its
// entering state starts where the row above left; under fit no label overlaps
// another, a marker or a process's line.
TEST(ChartProcesses, AChainStartsWhereTheRowAboveLeftAndItsLabelsKeepClear) {
  const ProcessesRead read = ReadRows(
      "process,dry_bulb,humidity_ratio,a_dry_bulb,a_humidity_ratio,a_flow,b_dry_bulb,"
      "b_humidity_ratio,b_flow,apparatus_dew_point,bypass_factor,leaving_dry_bulb,"
      "leaving_relative_humidity,steam_temperature,effectiveness,flow\n"
      "mix,,,32,0.0180,1,24,0.0093,3,,,,,,,\ncoil,,,,,,,,,10,0.1,,,,,4\n"
      "heat,,,,,,,,,,,16,,,,4\nmix,,,-5,0.0020,1,22,0.0070,3,,,,,,,\n"
      "heat,,,,,,,,,,,24,,,,4\nsteam,,,,,,,,,,,,40,105,,4\n"
      "evaporative,38,0.0060,,,,,,,,,,,,0.85,2\n");
  ASSERT_EQ(read.processes.size(), 7u);
  EXPECT_FALSE(read.leftOut);
  for (const std::size_t i : {1U, 2U, 4U, 5U}) {
    EXPECT_EQ(read.processes[i].entering.dryBulb, read.processes[i - 1].result.leaving.dryBulb);
    EXPECT_EQ(read.processes[i].entering.humidityRatio,
              read.processes[i - 1].result.leaving.humidityRatio);
  }
  const Frame frame{ChartSettings{}};
  std::vector<ProcessDrawing> drawings;
  for (const ComputedProcess& p : read.processes) drawings.push_back(DrawProcess(frame, p, {}));
  const std::vector<NumberedState> states = NumberStates(frame, LoggerPoints(), read.processes);
  const Chart chart =
      LayOut(ChartSettings{}, LoggerPoints(), false, nullptr, {}, drawings, &states);
  std::vector<Box> labels;
  for (const FamilyLayer& layer : chart.families) {
    for (const Label& label : layer.labels) labels.push_back(label.box);
  }
  for (const Marker& m : chart.markers) {
    if (m.label) labels.push_back(m.label->box);
  }
  std::size_t placed = 0;
  for (const ProcessDrawing& d : chart.processes) {
    if (!d.label) continue;
    ++placed;
    for (const Box& other : labels) EXPECT_FALSE(Overlaps(d.label->box, other)) << d.text;
    labels.push_back(d.label->box);
    for (const ProcessDrawing& e : chart.processes) {
      for (const Point& at : e.markers) {
        EXPECT_FALSE(Overlaps(d.label->box, Box{at, 2 * kMarkerRadius, 2 * kMarkerRadius, 0.0}))
            << d.text;
      }
      for (const std::vector<Point>& path : e.paths) {
        for (std::size_t i = 1; i < path.size(); ++i) {
          EXPECT_FALSE(Crosses(path[i - 1], path[i], d.label->box)) << d.text << " on " << e.text;
        }
      }
    }
  }
  EXPECT_GE(placed, 5u);
  // The processes' states carry their numbers, clear of every other label too.
  EXPECT_FALSE(chart.stateLabels.empty());
  for (const Label& number : chart.stateLabels) {
    for (const Box& other : labels) EXPECT_FALSE(Overlaps(number.box, other)) << number.text;
    labels.push_back(number.box);
  }
}

TEST(ChartPoints, WhereAStateFalls) {
  const Frame frame{kCalculatorChart};
  struct Row {
    double t, W;
    Fit fit;
  } const rows[] = {
      {25.0, 0.0126, Fit::Inside},
      {-10.0, 0.0, Fit::Inside},
      {50.0, 0.030, Fit::Inside},
      {50.1, 0.01, Fit::OutsideRange},
      {-10.1, 0.001, Fit::OutsideRange},
      {30.0, 0.0301, Fit::OutsideRange},
      {20.0, -1e-6, Fit::OutsideRange},
      {20.0, 0.0160, Fit::AboveSaturation},
      {20.0, Ws(20.0, 101.325), Fit::Inside},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FitOf(frame, row.t, row.W), row.fit) << row.t << " " << row.W;
  }
}

// --- Writing -----------------------------------------------------------------

TEST(ChartSvg, EscapesTextForXml) {
  struct Row {
    std::string in, out;
  } const rows[] = {
      {"plain", "plain"},
      {"a<b>&\"c'", "a&lt;b&gt;&amp;&quot;c&apos;"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},                            // UTF-8 passes
      {"\xE2\x82\xAC 5", "\xE2\x82\xAC 5"},                      // three bytes
      {"x\xFFy", "x\xEF\xBF\xBDy"},                              // not UTF-8
      {"\xC3", "\xEF\xBF\xBD"},                                  // cut short
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // overlong
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
      {std::string("a\x01"
                   "b\tc",
                   5),
       "a\xEF\xBF\xBD"
       "b\tc"},  // control character
  };
  for (const Row& row : rows) EXPECT_EQ(EscapeXml(row.in), row.out) << row.in;
}

TEST(ChartSvg, TheSameChartGivesTheSameBytes) {
  const std::vector<PlotPoint> points{PointAt(25, 20, "A & B"), PointAt(35, 22, "")};
  const std::string first = WriteSvg(LayOut(kCalculatorChart, points, true));
  const std::string second = WriteSvg(LayOut(kCalculatorChart, points, true));
  EXPECT_EQ(first, second);
  EXPECT_NE(first.find("A &amp; B"), std::string::npos);
  EXPECT_EQ(first.find("<script"), std::string::npos);
}

TEST(ChartSvg, AWetBulbNotFoundIsLeftOut) {
  PlotPoint found = PointAt(25, 20, "found");
  PlotPoint lost = found;
  lost.wetBulbFound = false;
  lost.label = "lost";
  const std::string svg = WriteSvg(LayOut(kCalculatorChart, {found, lost}, false));
  const std::size_t first = svg.find("<circle");
  const std::size_t second = svg.find("<circle", first + 1);
  ASSERT_NE(second, std::string::npos);
  const std::string a = svg.substr(first, svg.find("/>", first) - first);
  const std::string b = svg.substr(second, svg.find("/>", second) - second);
  EXPECT_NE(a.find(" data-wet-bulb=\"20\""), std::string::npos) << a;
  EXPECT_EQ(b.find("data-wet-bulb"), std::string::npos) << b;
  EXPECT_NE(b.find(" data-dew-point=\""), std::string::npos) << b;
}

// Shortest reads back exactly; Fixed rounds the exact binary value (-0.05 lies
// just below -0.05, 2.5 is a tie to even, as printf's %.0f); Coordinate rounds
// hundredths half away from zero.
TEST(ChartSvg, NumbersAsText) {
  enum class Form { Shortest, Fixed, Grouped, Coordinate };
  struct Row {
    Form form;
    double value;
    int decimals;
    std::string text;
  } const rows[] = {
      {Form::Shortest, 101.325, 0, "101.325"},
      {Form::Shortest, 83.0, 0, "83"},
      {Form::Shortest, 85.0 / 100.0, 0, "0.85"},
      {Form::Shortest, 0.1 + 0.2, 0, "0.30000000000000004"},
      {Form::Shortest, 1e-5, 0, "1e-05"},
      {Form::Fixed, 0.8, 2, "0.80"},
      {Form::Fixed, -5.0, 0,
       "\xE2\x88\x92"
       "5"},
      {Form::Fixed, -0.04, 1, "0.0"},
      {Form::Fixed, -0.05, 1,
       "\xE2\x88\x92"
       "0.1"},
      {Form::Fixed, 2.5, 0, "2"},
      {Form::Grouped, 66141.2, 0, "66,141"},
      {Form::Grouped, -1234.56, 1,
       "\xE2\x88\x92"
       "1,234.6"},
      {Form::Grouped, 999.94, 1, "999.9"},
      {Form::Grouped, 1234567.0, 0, "1,234,567"},
      {Form::Coordinate, 12.5, 0, "12.5"},
      {Form::Coordinate, 3.0, 0, "3"},
      {Form::Coordinate, -0.25, 0, "-0.25"},
      {Form::Coordinate, 0.125, 0, "0.13"},
      {Form::Coordinate, -0.004, 0, "0"},
      {Form::Coordinate, -0.005, 0, "-0.01"},
      {Form::Coordinate, 1199.999, 0, "1200"},
  };
  for (const Row& row : rows) {
    const std::string text = row.form == Form::Shortest  ? Shortest(row.value)
                             : row.form == Form::Fixed   ? Fixed(row.value, row.decimals)
                             : row.form == Form::Grouped ? Grouped(row.value, row.decimals)
                                                         : Coordinate(row.value);
    EXPECT_EQ(text, row.text) << row.value;
  }
}

// Rounded keeps the decimals asked for; RoundedPast takes more until the text
// shows that the value lies beyond the limit.
TEST(ChartSvg, RoundedNumbersForMessages) {
  EXPECT_EQ(Rounded(25.474370204079985, 2), "25.47");
  EXPECT_EQ(Rounded(74.6824255811903, 3), "74.682");
  EXPECT_EQ(Rounded(2500.0, 0), "2500");
  EXPECT_EQ(Rounded(-0.001, 2), "0");
  EXPECT_EQ(RoundedPast(100.00010000000002, 2, 100.0, true), "100.0001");
  EXPECT_EQ(RoundedPast(149.45042613974184, 2, 100.0, true), "149.45");
  EXPECT_EQ(RoundedPast(-10.004, 2, -10.0, false), "-10.004");
  EXPECT_EQ(RoundedPast(50.000000000000007, 2, 50.0, true), "50.00000000000001");
}

// Every attribute value and text goes out escaped; inside an inline element the
// line goes on to its end tag.
TEST(ChartSvg, TheWriterEscapesEveryAttributeAndText) {
  struct Row {
    void (*write)(XmlWriter&);
    std::string bytes;
  } const rows[] = {
      {[](XmlWriter& x) {
         x.Element("line", {{"x1", "0"}, {"stroke", "#000"}});
       },
       "<line x1=\"0\" stroke=\"#000\"/>\n"},
      {[](XmlWriter& x) {
         x.Element("rect", {{"a", "<&\"'>"}, {"data-b", "x\xFFy"}});
       },
       "<rect a=\"&lt;&amp;&quot;&apos;&gt;\" data-b=\"x\xEF\xBF\xBDy\"/>\n"},
      {[](XmlWriter& x) {
         x.Element("text", {{"x", "1\"2"}}, "A & <B>");
       },
       "<text x=\"1&quot;2\">A &amp; &lt;B&gt;</text>\n"},
      {[](XmlWriter& x) {
         x.Open("g", {{"id", "a'b"}});
         x.OpenInline("circle", {{"r", "4"}});
         x.Element("title", {}, "t\"");
         x.Close();
         x.Close();
         x.Close();  // nothing left to close
       },
       "<g id=\"a&apos;b\">\n<circle r=\"4\"><title>t&quot;</title></circle>\n</g>\n"},
  };
  for (const Row& row : rows) {
    XmlWriter writer;
    row.write(writer);
    EXPECT_EQ(writer.Take(), row.bytes);
  }
}

// Whole runs on the in-memory system: a chart that cannot be written whole is
// reported, with status 1, and replaces nothing.
struct RunCase {
  const char* name;
  std::string output;
  void (*setUp)(testing::FakeCliPlatform&);
  int status;
  std::string err;
  std::size_t renamed;  // 1 when the new chart replaced the file
};

void PrintTo(const RunCase& row, std::ostream* os) { *os << row.name; }

std::vector<RunCase> RunCases() {
  return {
      {"Written", "out.svg", [](testing::FakeCliPlatform&) {}, 0, "", 1},
      {"AFailedWrite", "out.svg", [](testing::FakeCliPlatform& p) { p.fileWriteError = ENOSPC; }, 1,
       "hygrian-chart: out.svg: No space left on device\n", 0},
      {"AFailedClose", "out.svg", [](testing::FakeCliPlatform& p) { p.closeError = EIO; }, 1,
       "hygrian-chart: out.svg: Input/output error\n", 0},
      {"AFullStandardOutput", "-", [](testing::FakeCliPlatform& p) { p.outputError = ENOSPC; }, 1,
       "hygrian-chart: (standard output): No space left on device\n", 0},
      {"AFileTheUserMayNotWrite", "out.svg",
       [](testing::FakeCliPlatform& p) {
         p.existing["out.svg"] = {true, 0444, 0, 0};
         p.refused["out.svg"] = EACCES;
       },
       2, "hygrian-chart: out.svg: Permission denied\n", 0},
  };
}

class ChartRunOnTheFake : public ::testing::TestWithParam<RunCase> {};

TEST_P(ChartRunOnTheFake, Run) {
  const RunCase& row = GetParam();
  testing::FakeCliPlatform platform;
  row.setUp(platform);
  Options options;
  options.common.output = row.output;
  EXPECT_EQ(RunChart(platform, options), row.status);
  EXPECT_EQ(platform.written[cli::kStandardError], row.err);
  EXPECT_EQ(platform.renamed.size(), row.renamed);
}

INSTANTIATE_TEST_SUITE_P(Chart, ChartRunOnTheFake, ::testing::ValuesIn(RunCases()),
                         [](const ::testing::TestParamInfo<RunCase>& row) {
                           return std::string(row.param.name);
                         });

// The two styles. Screen: the families of lines and the kinds of process (but
// the grey mix) in colours of Paul Tol's "muted" scheme (SRON/EPS/TN/09-002,
// its published hex values), no two the same. Print: greys only, the families
// after saturation told apart by their dash patterns, the processes heavier.
TEST(ChartPalette, ScreenColoursAreTolsMutedAndPrintIsGreyWithDashes) {
  const std::vector<std::string_view> muted{"#cc6677", "#332288", "#ddcc77", "#117733", "#88ccee",
                                            "#882255", "#44aa99", "#999933", "#aa4499"};
  const auto isGrey = [](std::string_view c) {
    return c.size() == 7 && c.substr(1, 2) == c.substr(3, 2) && c.substr(3, 2) == c.substr(5, 2);
  };
  const std::vector<Family> families{Family::RelativeHumidity, Family::WetBulb, Family::Enthalpy,
                                     Family::SpecificVolume};
  const std::vector<cli::Process> processes{cli::Process::Heat, cli::Process::Coil,
                                            cli::Process::Evaporative, cli::Process::Steam,
                                            cli::Process::Adiabatic};
  std::vector<std::string_view> screen;
  std::vector<std::string_view> dashes;
  for (const Family f : families) {
    screen.push_back(FamilyStyle(f, Style::Screen).color);
    const LineStyle print = FamilyStyle(f, Style::Print);
    EXPECT_TRUE(isGrey(print.color)) << print.id;
    EXPECT_LT(std::stod(std::string(print.width)),
              std::stod(std::string(ProcessWidth(Style::Print))))
        << print.id;
    dashes.push_back(print.dash);
  }
  for (const cli::Process p : processes) {
    screen.push_back(ProcessColor(p, Style::Screen));
    EXPECT_TRUE(isGrey(ProcessColor(p, Style::Print)));
  }
  EXPECT_TRUE(isGrey(ProcessColor(cli::Process::Mix, Style::Screen)));
  for (std::size_t i = 0; i < screen.size(); ++i) {
    EXPECT_NE(std::find(muted.begin(), muted.end(), screen[i]), muted.end()) << screen[i];
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(screen[i], screen[j]) << i << " " << j;
  }
  for (std::size_t i = 0; i < dashes.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(dashes[i], dashes[j]) << i << " " << j;
  }
}

// The computed comfort zone: every corner of its two walls has a PMV of -0.5
// or +0.5 to 1e-6 (by the library's model, at the corner's state, the walls at
// the air's temperature); the others close it along its top: the saturation
// curve, the model's vapour pressure of 2.7 kPa or, with the limit, ASHRAE
// 55's 0.012 kg/kg. Rows: people at rest
// and at work, lightly and warmly dressed, still air and a breeze, at sea
// level and at 5,000 ft (83.4 kPa).
TEST(ChartComfort, TheZonesWallsLieAtAVoteOfPlusOrMinusHalf) {
  const struct {
    ComfortConditions conditions;
    bool limit;
    double pressure;
  } rows[] = {
      {{1.1, 0.5, 0.1}, false, 101.325}, {{1.1, 1.0, 0.1}, false, 101.325},
      {{1.1, 0.5, 0.1}, true, 101.325},  {{1.6, 0.5, 0.3}, false, 101.325},
      {{1.0, 0.6, 0.15}, true, 83.4},
  };
  for (const auto& row : rows) {
    ChartSettings settings;
    settings.pressure = row.pressure;
    const Frame frame(settings);
    const StatePolygon zone = ComfortZoneOf(frame, row.conditions, row.limit);
    ASSERT_GE(zone.corners.size(), 8u) << zone.name;
    double top = 0.0;
    for (const StateCorner& c : zone.corners) top = std::max(top, c.W);
    if (row.limit) {
      EXPECT_LE(top, kComfortHumidityLimit);
    }
    std::size_t onWalls = 0;
    for (const StateCorner& c : zone.corners) {
      const State air = FromDryBulbHumidityRatio(c.t, c.W, row.pressure, frame.Relations()).state;
      const ComfortResult vote = PredictedMeanVote(
          air, c.t, row.conditions.airSpeed, row.conditions.metabolicRate, row.conditions.clothing);
      if (std::abs(std::abs(vote.pmv) - 0.5) <= 1e-6) {
        ++onWalls;
      } else {  // on the top: saturation, the limit, or the model's 2.7 kPa
        const bool onTop = air.relativeHumidity >= 100.0 - 1e-6 ||
                           (row.limit && std::abs(c.W - kComfortHumidityLimit) <= 1e-12) ||
                           std::abs(air.vaporPressure - 2.7) <= 1e-6;
        EXPECT_TRUE(onTop) << zone.name << " at " << c.t << " " << c.W << ": " << vote.pmv;
      }
    }
    EXPECT_GE(onWalls, zone.corners.size() / 2) << zone.name;
  }
}

// The heat-stress overlays: each band's lower edge, up the dry-bulbs, and its
// upper edge, back, lie where the measure (through the library, at the
// corner's state) crosses the category's limit: the NWS's 80, 90, 103 and
// 125 degF, Environment Canada's humidex 30, 40 and 45, within 0.05 of them
// (but where the heat index steps across the limit, as it does by up to
// 2.1 degF at 80 degF in saturated air, where the crossing is bracketed
// instead); the other corners lie on dry air, saturation or where the
// measure leaves its range. Rows: both overlays at sea level and at 83.4 kPa.
TEST(ChartOverlay, EachBandsEdgesLieAtItsCategorysLimits) {
  const struct {
    std::string_view overlay;
    double pressure;
    std::size_t bands;
  } rows[] = {{"heat-index", 101.325, 4},
              {"heat-index", 83.4, 4},
              {"humidex", 101.325, 3},
              {"humidex", 83.4, 3}};
  for (const auto& row : rows) {
    ChartSettings settings = Settings(-10.0, 50.0, 40.0, row.pressure);
    settings.options.model = Model::Handbook;
    const Frame frame(settings);
    const OverlayKind& kind = *FindOverlay(row.overlay);
    const Measure& measure = *FindMeasure(kind.measure);
    const std::vector<StatePolygon> bands = OverlayBands(frame, kind);
    ASSERT_EQ(bands.size(), row.bands) << row.overlay;
    std::size_t onLimits = 0;
    for (std::size_t b = 0; b < bands.size(); ++b) {
      const std::vector<StateCorner>& corners = bands[b].corners;
      const std::size_t n = corners.size() / 2;
      ASSERT_EQ(corners.size(), 2 * n) << bands[b].name;
      for (std::size_t i = 0; i < corners.size(); ++i) {
        const StateCorner& c = corners[i];
        double limit = i < n ? kind.categories[b].from : kind.categories[b].to;
        if (kind.fahrenheit) limit = (limit - 32.0) / 1.8;
        const auto at = [&](double W) {
          const Result air = FromDryBulbHumidityRatio(c.t, W, row.pressure, frame.Relations());
          return measure.compute(air.state, row.pressure, {}).value;
        };
        const double saturated = *SaturationHumidityRatio(c.t, row.pressure, frame.Relations());
        if (c.W <= 0.0 || c.W >= saturated * (1.0 - 1e-8) || !std::isfinite(limit)) continue;
        const double below = at(c.W - 1e-9);
        const double above = at(c.W + 1e-9);
        if (std::isnan(above)) continue;  // where the measure leaves its range
        EXPECT_LT(below, limit) << bands[b].name << " at " << c.t << " " << c.W;
        EXPECT_GE(above, limit) << bands[b].name << " at " << c.t << " " << c.W;
        const double tolerance = kind.fahrenheit ? 0.05 / 1.8 : 0.05;
        if (above - below <= tolerance) {
          EXPECT_NEAR(at(c.W), limit, tolerance) << bands[b].name << " at " << c.t;
          ++onLimits;
        }
      }
    }
    EXPECT_GE(onLimits, 100u) << row.overlay;
  }
}

// The data centre's envelopes by name: every corner within its published
// limits (ASHRAE TC 9.9, 2015, Table 2.1), the dry-bulb range, the dew points
// and relative humidities, to 1e-6; recommended 18 to 27 degrees C, -9 to 15
// degrees C dew point, at most 60 %.
TEST(ChartEnvelopes, EveryCornerIsWithinItsLimits) {
  const Frame frame{ChartSettings{}};
  ASSERT_NE(FindEnvelope("tc9.9-recommended"), nullptr);
  EXPECT_EQ(FindEnvelope("tc9.9-a5"), nullptr);
  for (const Envelope& e : kEnvelopes) {
    const StatePolygon zone = EnvelopeOf(frame, e);
    ASSERT_GE(zone.corners.size(), 4u) << e.key;
    for (const StateCorner& c : zone.corners) {
      const State s = FromDryBulbHumidityRatio(c.t, c.W, 101.325, frame.Relations()).state;
      EXPECT_GE(c.t, e.dryBulbLow - 1e-9) << e.key;
      EXPECT_LE(c.t, e.dryBulbHigh + 1e-9) << e.key;
      EXPECT_GE(s.dewPoint, e.dewPointLow - 1e-6) << e.key;
      EXPECT_LE(s.dewPoint, e.dewPointHigh + 1e-6) << e.key;
      EXPECT_GE(s.relativeHumidity, e.relativeHumidityLow - 1e-6) << e.key;
      EXPECT_LE(s.relativeHumidity, e.relativeHumidityHigh + 1e-6) << e.key;
    }
  }
  const Envelope& recommended = *FindEnvelope("tc9.9-recommended");
  EXPECT_EQ(recommended.dryBulbLow, 18.0);
  EXPECT_EQ(recommended.dryBulbHigh, 27.0);
  EXPECT_EQ(recommended.dewPointLow, -9.0);
  EXPECT_EQ(recommended.dewPointHigh, 15.0);
  EXPECT_EQ(recommended.relativeHumidityHigh, 60.0);
}

}  // namespace
}  // namespace hygrian::chart
