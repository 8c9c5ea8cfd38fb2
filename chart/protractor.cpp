#include "chart/protractor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <string>

#include "chart/moist_air.h"
#include "chart/number_text.h"

namespace hygrian::chart {
namespace {

constexpr double kRadius = 60.0;            // px, of the half circle
constexpr double kRingGap = 30.0;           // px from the half circle to the outer ring
constexpr double kRingTick = 5.0;           // px, a tick outwards from the ring
constexpr double kNumberGap = 3.0;          // px from a radius's or tick's end to its number
constexpr double kInset = 12.0;             // px from the plot's corner to the protractor
constexpr double kNudge = 0.005;            // radians a number moves aside at a time
constexpr double kLeaderAfter = 0.02;       // radians moved before a leader is drawn
constexpr double kDryAirHeat = 1.006;       // kJ/(kg K)
constexpr double kVapourHeat = 1.86;        // kJ/(kg K)
constexpr double kVapourEnthalpy = 2501.0;  // kJ/kg at 0 degrees C
constexpr double kBtuPerPound = 2.326;      // kJ/kg
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The ring's values: kJ/kg per g/kg, and Btu/lb per lb/lb in IP.
constexpr double kSiQuotients[] = {-kInfinity, -5.0, -2.0, -1.0, 0.0,  1.0,      2.0,
                                   2.5,        3.0,  4.0,  5.0,  10.0, kInfinity};
constexpr double kIpQuotients[] = {-kInfinity, -2000.0, -1000.0, 0.0,    500.0,    1000.0,
                                   1500.0,     2000.0,  3000.0,  5000.0, kInfinity};

Point Along(Point from, Point unit, double distance) {
  return {from.x + unit.x * distance, from.y + unit.y * distance};
}

Point Direction(Point from, Point to) {
  const double length = std::hypot(to.x - from.x, to.y - from.y);
  return {(to.x - from.x) / length, (to.y - from.y) / length};
}

// `unit` turned clockwise on the picture (y grows downwards) by `angle`.
Point Turned(Point unit, double angle) {
  return {unit.x * std::cos(angle) - unit.y * std::sin(angle),
          unit.x * std::sin(angle) + unit.y * std::cos(angle)};
}

// The clockwise angle from `from` to `unit`, in (-pi/2, 3 pi/2].
double AngleFrom(Point from, Point unit) {
  const double angle =
      std::atan2(from.x * unit.y - from.y * unit.x, from.x * unit.x + from.y * unit.y);
  return angle <= -std::numbers::pi / 2.0 ? angle + 2.0 * std::numbers::pi : angle;
}

// A number beyond `distance` px from the centre in direction `unit`, its box
// just clear of that point.
Label NumberAt(const std::string& text, Point center, Point unit, double distance) {
  const Label probe = TextAt(text, kScaleFontSize, {0.0, 0.0});
  const double reach =
      std::abs(unit.x) * probe.box.width / 2.0 + std::abs(unit.y) * probe.box.height / 2.0;
  return TextAt(text, kScaleFontSize, Along(center, unit, distance + kNumberGap + reach));
}

// Numbers round the circle at `distance`, in directions at these angles from
// `start`: each pair of neighbours that overlaps moves apart, the half circle's
// ends holding, until none does.
std::vector<Label> Spread(const std::vector<std::string>& texts, std::vector<double>& angles,
                          Point center, Point start, double distance) {
  std::vector<std::size_t> order(texts.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return angles[a] < angles[b]; });
  const auto label = [&](std::size_t i) {
    return NumberAt(texts[i], center, Turned(start, angles[i]), distance);
  };
  for (int round = 0; round < 2000; ++round) {
    bool moved = false;
    for (std::size_t k = 1; k < order.size(); ++k) {
      if (Overlaps(label(order[k - 1]).box, label(order[k]).box)) {
        angles[order[k - 1]] = std::max(angles[order[k - 1]] - kNudge, 0.0);
        angles[order[k]] = std::min(angles[order[k]] + kNudge, std::numbers::pi);
        moved = true;
      }
    }
    if (!moved) break;
  }
  std::vector<Label> labels;
  for (std::size_t i = 0; i < texts.size(); ++i) labels.push_back(label(i));
  return labels;
}

// A leader from `from` to the number, if it moved aside.
void Lead(Protractor& p, Point from, const Label& number, double moved) {
  if (std::abs(moved) < kLeaderAfter) return;
  const Point unit = Direction(p.center, number.box.center);
  const double reach =
      std::abs(unit.x) * number.box.width / 2.0 + std::abs(unit.y) * number.box.height / 2.0;
  p.leaders.push_back({from, Along(number.box.center, unit, -reach)});
}

std::string QuotientText(double q, bool inchPound) {
  if (std::isinf(q)) return q > 0.0 ? "\xE2\x88\x9E" : "\xE2\x88\x92\xE2\x88\x9E";
  return Fixed(q, inchPound || q == std::round(q) ? 0 : 1);
}

void Shift(Point& p, double dx, double dy) {
  p.x += dx;
  p.y += dy;
}

// Moves the protractor by (dx, dy) px.
void Shift(Protractor& p, double dx, double dy) {
  for (Point* point : {&p.center, &p.arcFrom, &p.arcTo}) Shift(*point, dx, dy);
  for (std::vector<Segment>* segments : {&p.lines, &p.ringTicks, &p.leaders}) {
    for (Segment& s : *segments) {
      Shift(s.from, dx, dy);
      Shift(s.to, dx, dy);
    }
  }
  for (std::vector<Label>* labels : {&p.numbers, &p.ringNumbers, &p.titles}) {
    for (Label& label : *labels) Shift(label.box.center, dx, dy);
  }
}

}  // namespace

double HumidityRatioSlope(double ratio, double t, double W) {
  return (kDryAirHeat + kVapourHeat * W) * (1.0 - ratio) /
         (ratio * (kVapourEnthalpy + kVapourHeat * t));
}

double DryBulbSlope(double q, double t, double W) {
  return (q - (kVapourEnthalpy + kVapourHeat * t)) / (kDryAirHeat + kVapourHeat * W);
}

Box ProtractorBox(const Protractor& p) {
  double left = p.center.x;
  double right = left;
  double top = p.center.y;
  double bottom = top;
  const auto take = [&](Point q) {
    left = std::min(left, q.x);
    right = std::max(right, q.x);
    top = std::min(top, q.y);
    bottom = std::max(bottom, q.y);
  };
  const Point start = Direction(p.center, p.arcFrom);
  for (int k = 0; k <= 16; ++k) {
    take(Along(p.center, Turned(start, std::numbers::pi * k / 16.0), p.ringRadius + kRingTick));
  }
  for (const std::vector<Label>* labels : {&p.numbers, &p.ringNumbers, &p.titles}) {
    for (const Label& label : *labels) {
      for (const Point& corner : Corners(label.box)) take(corner);
    }
  }
  return {{(left + right) / 2.0, (top + bottom) / 2.0}, right - left, bottom - top, 0.0};
}

Protractor LayOutProtractor(const Frame& frame, double indent) {
  const bool inchPound = frame.Units().inchPound;
  // 24 degrees C, or 78 degrees F, at 50 %.
  const double t = inchPound ? (78.0 - 32.0) / 1.8 : 24.0;
  const double W =
      HumidityRatioAtRelativeHumidity(t, 50.0, frame.Pressure(), frame.Relations()).value_or(0.0);
  const Point at = frame.At(t, W);
  // The direction of a change (dt, dW), taken over a step short enough that
  // the Mollier diagram's curvature in it is far below a pixel's width.
  const auto toward = [&](double dt, double dW) {
    const double step = 1e-3 / std::max(std::abs(dt), std::abs(dW) * 1000.0);
    return Direction(at, frame.At(t + dt * step, W + dW * step));
  };
  const Point sensible = toward(1.0, 0.0);
  const Point latent = toward(0.0, 0.001);
  Protractor p;
  p.radius = kRadius;
  p.ringRadius = kRadius + kRingGap;
  // The half circle runs clockwise from one end of dW = 0 through the latent side.
  const Point start = -sensible.y * latent.x + sensible.x * latent.y > 0.0
                          ? sensible
                          : Point{-sensible.x, -sensible.y};
  p.arcFrom = Along(p.center, start, p.radius);
  p.arcTo = Along(p.center, start, -p.radius);

  std::vector<std::string> texts;
  std::vector<double> angles;
  std::vector<double> trueAngles;
  for (int tenths = 0; tenths <= 10; ++tenths) {
    const double ratio = tenths / 10.0;
    const Point unit = tenths == 0 ? latent : toward(1.0, HumidityRatioSlope(ratio, t, W));
    p.ratios.push_back(ratio);
    p.lines.push_back({p.center, Along(p.center, unit, p.radius)});
    texts.push_back(Fixed(ratio, 1));
    angles.push_back(AngleFrom(start, unit));
  }
  trueAngles = angles;
  p.numbers = Spread(texts, angles, p.center, start, p.radius);
  for (std::size_t i = 0; i < p.numbers.size(); ++i) {
    Lead(p, p.lines[i].to, p.numbers[i], angles[i] - trueAngles[i]);
  }

  texts.clear();
  angles.clear();
  const auto quotients =
      inchPound ? std::vector<double>(std::begin(kIpQuotients), std::end(kIpQuotients))
                : std::vector<double>(std::begin(kSiQuotients), std::end(kSiQuotients));
  std::vector<Point> ends;
  for (const double q : quotients) {
    // In kJ/kg per kg/kg.
    const double perKilogram = inchPound ? q * kBtuPerPound : q * 1000.0;
    const Point unit = std::isinf(q) ? toward(q > 0.0 ? 1.0 : -1.0, 0.0)
                                     : toward(DryBulbSlope(perKilogram, t, W) * 0.001, 0.001);
    p.quotients.push_back(q);
    p.ringTicks.push_back(
        {Along(p.center, unit, p.ringRadius), Along(p.center, unit, p.ringRadius + kRingTick)});
    ends.push_back(p.ringTicks.back().to);
    texts.push_back(QuotientText(q, inchPound));
    angles.push_back(AngleFrom(start, unit));
  }
  trueAngles = angles;
  p.ringNumbers = Spread(texts, angles, p.center, start, p.ringRadius + kRingTick);
  for (std::size_t i = 0; i < p.ringNumbers.size(); ++i) {
    Lead(p, ends[i], p.ringNumbers[i], angles[i] - trueAngles[i]);
  }

  // The titles on the far side of the diameter.
  const std::string shr = "sensible heat ratio (inner)";
  const std::string ring = "\xCE\x94h/\xCE\x94W, " + std::string(frame.Units().enthalpyText) +
                           (inchPound ? " per lb/lb" : " per g/kg") + " (outer)";
  const Point away{-latent.x, -latent.y};
  if (std::abs(away.y) >= std::abs(away.x)) {
    p.titles = {TextAt(shr, kScaleFontSize, Along(p.center, away, 17.0)),
                TextAt(ring, kScaleFontSize, Along(p.center, away, 33.0))};
  } else {
    p.titles = {TextTo(shr, kScaleFontSize, p.center.x - 8.0, p.center.y - 9.0),
                TextTo(ring, kScaleFontSize, p.center.x - 8.0, p.center.y + 9.0)};
  }

  // Into the plot's top left corner.
  const Box box = ProtractorBox(p);
  const Rect& plot = frame.Plot();
  Shift(p, plot.left + indent + kInset - (box.center.x - box.width / 2.0),
        plot.top + kInset - (box.center.y - box.height / 2.0));
  p.reference = at;
  p.referenceShown = frame.Contains(t, W);
  return p;
}

}  // namespace hygrian::chart
