#include "chart/density.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "chart/palette.h"

namespace hygrian::chart {
namespace {

// The scale's steps: viridis on screen, light for few points and dark for
// many, so that one point still shows on white (chart/palette.h).
constexpr std::size_t kSteps = kDensitySteps;

std::size_t Cells(double length, double side) {
  return std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil(length / side)));
}

// Which band a count is in, 0 for 1 and the last for the largest.
std::size_t BandOf(std::uint64_t count, std::uint64_t most) {
  if (most <= 1) return 0;
  const double share = std::log(static_cast<double>(count)) / std::log(static_cast<double>(most));
  const auto band = static_cast<std::size_t>(share * static_cast<double>(kSteps));
  return std::min(band, kSteps - 1);
}

}  // namespace

Density::Density(const Frame& frame)
    : plot_(frame.Plot()),
      side_(std::max(kCellSide, std::sqrt((plot_.right - plot_.left) * (plot_.bottom - plot_.top) /
                                          kMostCells))),
      columns_(Cells(plot_.right - plot_.left, side_)),
      rows_(Cells(plot_.bottom - plot_.top, side_)),
      counts_(columns_ * rows_, 0) {}

void Density::Add(Point at, std::uint64_t count) {
  // A point on the right or bottom edge belongs to the last cell.
  const auto cell = [&](double offset, std::size_t cells) {
    const double index = std::floor(offset / side_);
    return std::min(static_cast<std::size_t>(std::max(index, 0.0)), cells - 1);
  };
  const std::size_t column = cell(at.x - plot_.left, columns_);
  const std::size_t row = cell(at.y - plot_.top, rows_);
  counts_[row * columns_ + column] += count;
  total_ += count;
}

DensityLayer Density::Layer() const {
  DensityLayer layer;
  layer.total = total_;
  const std::uint64_t most = *std::max_element(counts_.begin(), counts_.end());
  std::array<DensityBand, kSteps> bands{};
  for (std::size_t i = 0; i < bands.size(); ++i) {
    bands[i] = {std::numeric_limits<std::uint64_t>::max(), 0, DensityColor(i, Style::Screen), i};
  }
  for (std::size_t i = 0; i < counts_.size(); ++i) {
    const std::uint64_t count = counts_[i];
    if (count == 0) continue;
    const std::size_t row = i / columns_;
    const double left = plot_.left + static_cast<double>(i % columns_) * side_;
    const double top = plot_.top + static_cast<double>(row) * side_;
    const Rect rect{left, top, std::min(left + side_, plot_.right),
                    std::min(top + side_, plot_.bottom)};
    const std::size_t band = BandOf(count, most);
    layer.cells.push_back({rect, count, band});
    bands[band].least = std::min(bands[band].least, count);
    bands[band].most = std::max(bands[band].most, count);
  }
  // Only the bands some cell is in, renumbered in order.
  std::array<std::size_t, kSteps> renumbered{};
  for (std::size_t i = 0; i < bands.size(); ++i) {
    renumbered[i] = layer.bands.size();
    if (bands[i].most > 0) layer.bands.push_back(bands[i]);
  }
  for (DensityCell& cell : layer.cells) cell.band = renumbered[cell.band];
  return layer;
}

}  // namespace hygrian::chart
