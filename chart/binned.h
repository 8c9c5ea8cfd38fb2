// Many points kept as counts on a grid finer than the density's, for the
// browser page (hygrian-chart --html): the page embeds the cells that hold a
// point, each as its centre's dry-bulb and humidity ratio and its count, and
// the chart counts them into its density at whatever range the page shows. The
// grid's cells are at most kMostBinnedCells, so memory and text stay bounded
// (about 1 MB of text at most) however many points come.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/density.h"
#include "chart/frame.h"

namespace hygrian::chart {

inline constexpr double kMostBinnedCells = 40000.0;
inline constexpr double kBinnedCellSide = 3.0;  // px at least: half the density's cells

class Binned {
 public:
  explicit Binned(const Frame& frame);

  // Counts a point at t (degrees C) and W (kg/kg) on the frame's plot (edges
  // included).
  void Add(double t, double W);
  [[nodiscard]] std::uint64_t Total() const { return total_; }

  // The cells that hold a point, row by row from the top, one a line:
  // "t,W,count" with the centre's dry-bulb (degrees C) and humidity ratio
  // (kg/kg) to 7 significant digits: "24.99251,0.009901478,12\n".
  [[nodiscard]] std::string Text() const;
  // Each cell that holds a point: its centre's dry-bulb and humidity ratio and
  // its count, as Text writes them but to the last bit.
  void Each(const std::function<void(double t, double W, std::uint64_t count)>& visit) const;

 private:
  const Frame& frame_;
  double side_;  // px
  std::size_t columns_;
  std::size_t rows_;
  std::vector<std::uint64_t> counts_;
  std::uint64_t total_ = 0;
};

// The points of a points file that the page gets: every one on the plot
// counted, and the first kDensityThreshold + 1 kept as they are, to be pinned
// when they are no more. Bounded however many points come.
class PagePoints {
 public:
  explicit PagePoints(const Frame& frame) : binned_(frame) {}
  // A point on the plot: t in degrees C, W in kg/kg.
  void Add(double t, double W) {
    binned_.Add(t, W);
    if (kept_.size() <= kDensityThreshold) kept_.push_back({t, W});
  }
  // Past kDensityThreshold points: a density, not pins.
  [[nodiscard]] bool Many() const { return binned_.Total() > kDensityThreshold; }
  // The points as (x: t, y: W), while not Many().
  [[nodiscard]] const std::vector<Point>& Kept() const { return kept_; }
  [[nodiscard]] const Binned& Counted() const { return binned_; }

 private:
  Binned binned_;
  std::vector<Point> kept_;
};

// Reads Binned::Text's lines: each cell's centre (degrees C, kg/kg) and count
// to add; a line that is not three numbers, or a count that is not a whole
// number from 1, is passed over.
void ReadBinned(std::string_view text,
                const std::function<void(double t, double W, std::uint64_t count)>& add);

}  // namespace hygrian::chart
