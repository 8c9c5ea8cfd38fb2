#include "chart/binned.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "tables/numbers.h"

namespace hygrian::chart {
namespace {

constexpr int kDigits = 7;  // of a centre: a cell of 1e-4 of the range is placed to 1e-3 of it

std::size_t Cells(double length, double side) {
  return std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil(length / side)));
}

}  // namespace

Binned::Binned(const Frame& frame)
    : frame_(frame),
      side_(std::max(kBinnedCellSide,
                     std::sqrt((frame.Plot().right - frame.Plot().left) *
                               (frame.Plot().bottom - frame.Plot().top) / kMostBinnedCells))),
      columns_(Cells(frame.Plot().right - frame.Plot().left, side_)),
      rows_(Cells(frame.Plot().bottom - frame.Plot().top, side_)),
      counts_(columns_ * rows_, 0) {}

void Binned::Add(double t, double W) {
  const Rect& plot = frame_.Plot();
  // A point on the right or bottom edge belongs to the last cell.
  const auto cell = [&](double offset, std::size_t cells) {
    const double index = std::floor(offset / side_);
    return std::min(static_cast<std::size_t>(std::max(index, 0.0)), cells - 1);
  };
  const Point at = frame_.At(t, W);
  ++counts_[cell(at.y - plot.top, rows_) * columns_ + cell(at.x - plot.left, columns_)];
  ++total_;
}

void Binned::Each(const std::function<void(double t, double W, std::uint64_t count)>& visit) const {
  const Rect& plot = frame_.Plot();
  // The centre of a cell's part of the plot (the last ones may reach past it).
  const auto centre = [&](std::size_t index, double start, double end) {
    const double from = start + static_cast<double>(index) * side_;
    return (from + std::min(from + side_, end)) / 2.0;
  };
  for (std::size_t i = 0; i < counts_.size(); ++i) {
    if (counts_[i] == 0) continue;
    const Point at{centre(i % columns_, plot.left, plot.right),
                   centre(i / columns_, plot.top, plot.bottom)};
    const StatePoint state = frame_.StateAt(at);
    visit(state.t, state.W, counts_[i]);
  }
}

std::string Binned::Text() const {
  std::string text;
  std::array<char, 3 * tables::kNumberTextSize> line{};
  Each([&](double t, double W, std::uint64_t count) {
    char* p = tables::FormatNumber(line.data(), t, kDigits);
    *p++ = ',';
    p = tables::FormatNumber(p, W, kDigits);
    *p++ = ',';
    p = std::to_chars(p, line.data() + line.size(), count).ptr;
    *p++ = '\n';
    text.append(line.data(), p);
  });
  return text;
}

void ReadBinned(std::string_view text,
                const std::function<void(double t, double W, std::uint64_t count)>& add) {
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t first = line.find(',');
    const std::size_t second = line.find(',', first == std::string_view::npos ? 0 : first + 1);
    if (second == std::string_view::npos) continue;
    const tables::Number t = tables::ParseNumber(line.substr(0, first));
    const tables::Number W = tables::ParseNumber(line.substr(first + 1, second - first - 1));
    const std::string_view digits = line.substr(second + 1);
    std::uint64_t count = 0;
    const auto [rest, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (t.status != tables::NumberStatus::Ok || W.status != tables::NumberStatus::Ok ||
        error != std::errc() || rest != digits.data() + digits.size() || count == 0) {
      continue;
    }
    add(t.value, W.value, count);
  }
}

}  // namespace hygrian::chart
