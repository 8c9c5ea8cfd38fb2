// Where the labels go. Each curve's label stands on its curve at the first of
// its candidate spots where it fits; a point's label beside its marker. No two
// labels overlap, none covers a marker or an arrow, and the curves' labels keep
// to the air side of saturation, a clearance from it and from the plot's edges.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "chart/curves.h"
#include "chart/frame.h"
#include "chart/labels.h"

namespace hygrian::chart {

// Keeps the boxes taken so far and tells whether a new one may go somewhere.
class Placer {
 public:
  explicit Placer(const Frame& frame) : frame_(frame) {}

  // Room that no label may take (a marker, an arrow).
  void Block(const Box& box) { taken_.push_back(box); }

  // Takes the box if it lies in the plot on the air side of saturation, clear
  // of the others.
  bool Take(const Box& box);

  // Takes the box if it lies in the plot, on either side of saturation, clear
  // of the others.
  bool TakeInPlot(const Box& box);

  // The box lies in the plot, a clearance inside its edges.
  bool InPlot(const Box& box) const;

  const Rect& Plot() const { return frame_.Plot(); }

 private:
  bool InAir(const Box& box) const;
  bool Clear(const Box& box) const;

  const Frame& frame_;
  std::vector<Box> taken_;
};

// The labels of one family's curves (all of one family, at `step`), at most one
// per curve whose value is a multiple of labelStep (a multiple of step), each
// value with the decimals of the step: "0.80" beside "0.81", "60 %";
// saturation's label stands off its curve on the air side.
std::vector<Label> CurveLabels(Placer& placer, const std::vector<Curve>& curves, double step,
                               double labelStep);

// The label of the point whose marker is at `marker`, cut with an ellipsis past
// 200 px or a third of the plot's width, at the first spot around the marker
// where it is clear of the rest; none when there is no such spot, unless
// `always`: then beside the marker all the same, pulled inside the plot. A
// `whole` label (the chart's own text, such as a process's load) is not cut.
std::optional<Label> PointLabel(Placer& placer, std::string_view label, Point marker, bool always,
                                bool whole = false);

}  // namespace hygrian::chart
