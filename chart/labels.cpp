#include "chart/labels.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "tables/text.h"

namespace hygrian::chart {
namespace {

constexpr double kHeightPerSize = 1.3;

// Projections of the box's corners onto an axis: their smallest and largest.
struct Span {
  double low;
  double high;
};

Span Project(const std::array<Point, 4>& corners, Point axis) {
  Span span{corners[0].x * axis.x + corners[0].y * axis.y,
            corners[0].x * axis.x + corners[0].y * axis.y};
  for (const Point& c : corners) {
    const double d = c.x * axis.x + c.y * axis.y;
    span.low = std::min(span.low, d);
    span.high = std::max(span.high, d);
  }
  return span;
}

// Advance widths in em of the ASCII characters a label can hold; the figures of
// a wide sans-serif face, rounded up.
double AdvanceEm(unsigned char c) {
  if (c >= '0' && c <= '9') return 0.64;
  if (c == ' ' || c == '.' || c == ',' || c == ':' || c == ';' || c == '\'' || c == '|' ||
      c == 'i' || c == 'j' || c == 'l' || c == '!') {
    return 0.34;
  }
  if (c == '%' || c == 'm' || c == 'w' || c == 'M' || c == 'W' || c == '@') return 1.0;
  if (c == '-' || c == '(' || c == ')' || c == 'f' || c == 't' || c == 'r') return 0.42;
  if (c >= 'A' && c <= 'Z') return 0.74;
  return 0.64;
}

double Upright(double angle) {
  const double pi = std::numbers::pi;
  while (angle > pi / 2.0) angle -= pi;
  while (angle <= -pi / 2.0) angle += pi;
  return angle;
}

}  // namespace

std::array<Point, 4> Corners(const Box& box) {
  const double c = std::cos(box.angle);
  const double s = std::sin(box.angle);
  const double hw = box.width / 2.0;
  const double hh = box.height / 2.0;
  std::array<Point, 4> corners{};
  const std::array<double, 4> along{-hw, hw, hw, -hw};
  const std::array<double, 4> across{-hh, -hh, hh, hh};
  for (std::size_t i = 0; i < 4; ++i) {
    corners[i] = {box.center.x + along[i] * c - across[i] * s,
                  box.center.y + along[i] * s + across[i] * c};
  }
  return corners;
}

bool Overlaps(const Box& a, const Box& b) {
  // Boxes whose circumscribed circles are apart share no point: most pairs of a
  // crowded chart, told without a sine.
  const double dx = a.center.x - b.center.x;
  const double dy = a.center.y - b.center.y;
  const double reach = std::hypot(a.width, a.height) / 2.0 + std::hypot(b.width, b.height) / 2.0;
  if (dx * dx + dy * dy > reach * reach) return false;
  const std::array<Point, 4> ca = Corners(a);
  const std::array<Point, 4> cb = Corners(b);
  const std::array<Point, 4> axes{
      Point{std::cos(a.angle), std::sin(a.angle)}, Point{-std::sin(a.angle), std::cos(a.angle)},
      Point{std::cos(b.angle), std::sin(b.angle)}, Point{-std::sin(b.angle), std::cos(b.angle)}};
  for (const Point& axis : axes) {
    const Span sa = Project(ca, axis);
    const Span sb = Project(cb, axis);
    if (sa.high < sb.low || sb.high < sa.low) return false;
  }
  return true;
}

double TextWidth(std::string_view text, double fontSize) {
  double em = 0.0;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      em += AdvanceEm(c);
    } else if (c >= 0xC0) {
      em += 1.0;  // the lead byte of one character; continuation bytes add nothing
    }
  }
  return em * fontSize;
}

Box TextBox(std::string_view text, double fontSize, Point at, double angle) {
  return {at, TextWidth(text, fontSize) + 2.0 * kTextPad, fontSize * kHeightPerSize,
          Upright(angle)};
}

Label TextAt(std::string text, double fontSize, Point at) {
  const Box box = TextBox(text, fontSize, at, 0.0);
  return {std::move(text), box, fontSize};
}

Label TextFrom(std::string text, double fontSize, double x, double y) {
  const double width = TextWidth(text, fontSize);
  Label label = TextAt(std::move(text), fontSize, {x + width / 2.0, y});
  label.fromLeft = true;
  return label;
}

Label TextTo(std::string text, double fontSize, double x, double y) {
  const double width = TextWidth(text, fontSize);
  Label label = TextAt(std::move(text), fontSize, {x - width / 2.0, y});
  label.fromRight = true;
  return label;
}

std::string Ellipsized(std::string_view text, double fontSize, double width) {
  if (TextWidth(text, fontSize) + 2.0 * kTextPad <= width) return std::string(text);
  const std::string_view ellipsis = "\xE2\x80\xA6";
  std::size_t end = 0;
  for (std::size_t next = 0; next < text.size();) {
    const std::size_t length = std::max<std::size_t>(tables::Utf8Length(text, next), 1);
    next += length;
    if (TextWidth(text.substr(0, next), fontSize) + TextWidth(ellipsis, fontSize) + 2.0 * kTextPad >
        width) {
      break;
    }
    end = next;
  }
  // No blank before the ellipsis.
  while (end > 0 && text[end - 1] == ' ') --end;
  return std::string(text.substr(0, end)) + std::string(ellipsis);
}

double Length(const std::vector<Vertex>& vertices) {
  double length = 0.0;
  for (std::size_t i = 1; i < vertices.size(); ++i) {
    length += std::hypot(vertices[i].at.x - vertices[i - 1].at.x,
                         vertices[i].at.y - vertices[i - 1].at.y);
  }
  return length;
}

std::optional<Spot> SpotAlong(const std::vector<Vertex>& vertices, double distance, bool fromEnd) {
  const std::size_t n = vertices.size();
  double walked = 0.0;
  for (std::size_t k = 1; k < n; ++k) {
    const Point a = fromEnd ? vertices[n - k].at : vertices[k - 1].at;
    const Point b = fromEnd ? vertices[n - k - 1].at : vertices[k].at;
    const double piece = std::hypot(b.x - a.x, b.y - a.y);
    if (piece > 0.0 && walked + piece >= distance) {
      const double f = (distance - walked) / piece;
      return Spot{{a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)},
                  Upright(std::atan2(b.y - a.y, b.x - a.x))};
    }
    walked += piece;
  }
  return std::nullopt;
}

}  // namespace hygrian::chart
