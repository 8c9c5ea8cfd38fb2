// Many points as a density: the plot cut into square cells, each counting the
// points that fall in it, drawn in colours by count with a scale. Memory and
// picture stay bounded however many points come: the grid has at most
// kMostCells cells, each with a count and a hover title (about 110 bytes of
// SVG), so a density is at most about 2.2 MB.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "chart/frame.h"

namespace hygrian::chart {

// Past this many points on the plot, they are drawn as a density. 2,000 markers
// of 9 px cover a default plot of 0.5 megapixels about once over, so that more
// would hide each other and the lines; their SVG is then about 1.2 MB and
// renders in a second.
inline constexpr std::size_t kDensityThreshold = 2000;

inline constexpr double kCellSide = 6.0;  // px, at least
inline constexpr double kMostCells = 20000.0;

struct DensityCell {
  Rect rect;
  std::uint64_t count = 0;
  std::size_t band = 0;  // of the scale
};

// The steps of the colour scale.
inline constexpr std::size_t kDensitySteps = 7;

// A band of the colour scale: the least and most counts of its cells.
struct DensityBand {
  std::uint64_t least = 0;
  std::uint64_t most = 0;
  std::string_view color;  // on screen
  std::size_t step = 0;    // of the scale's kDensitySteps
};

struct DensityLayer {
  std::vector<DensityCell> cells;  // those with a point, row by row from the top
  std::vector<DensityBand> bands;  // the bands some cell is in, fewest points first
  std::uint64_t total = 0;         // the points counted
};

class Density {
 public:
  explicit Density(const Frame& frame);

  // Counts `count` points at `at`, which lies in the plot (edges included).
  void Add(Point at, std::uint64_t count = 1);
  std::uint64_t Total() const { return total_; }

  // The cells and their scale: seven bands, equal steps of the logarithm of
  // the count from 1 to the largest count.
  DensityLayer Layer() const;

 private:
  Rect plot_;
  double side_;
  std::size_t columns_;
  std::size_t rows_;
  std::vector<std::uint64_t> counts_;
  std::uint64_t total_ = 0;
};

}  // namespace hygrian::chart
