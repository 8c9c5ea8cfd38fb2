// The computed processes drawn: each one's path on the chart from its entering
// state(s) to its leaving state, its markers, its label with its load in the
// chart's units, and a legend entry for each kind of process drawn.
//   mix:    the mixing line from each stream to the mixed point (the mixtures of
//           the two streams, straight in humidity ratio and enthalpy)
//   coil:   the line from the entering to the leaving state, and a dashed line
//           on to the apparatus dew point on saturation
//   others: the line from the entering to the leaving state (heating level)
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/frame.h"
#include "chart/labels.h"
#include "chart/process_file.h"

namespace hygrian::chart {

struct ProcessDrawing {
  cli::Process process = cli::Process::None;
  std::string_view word;   // "coil"
  std::string_view color;  // of its kind
  // The air's paths, each ending in an arrowhead at the leaving state (mix: one
  // from each stream).
  std::vector<std::vector<Point>> paths;
  std::optional<Segment> toApparatusDewPoint;  // coil: dashed
  std::vector<Point> markers;                  // the states on the plot
  Point leaving;                               // where the label goes beside
  std::string text;                            // "coil 198.1 kW, SHR 0.72"
  std::optional<Label> label;                  // placed by the layout
  std::string title;                           // the hover text: line, loads, states
};

// A load (kW) in the load unit, to about 0.1 kW (kW and MBH to 0.1, tons to
// 0.01, W and Btu/h whole), its thousands grouped: "66,141" (Btu/h).
std::string LoadNumber(double kilowatts, const Unit& load);

// A dry-air flow (kg/s) in the unit flows are written in, to four significant
// digits at least: "5.953" (kg/s), "34,696" (lb/h).
std::string FlowNumber(double kgPerSecond, const Unit& unit);

// The label's text: the process's word and its load in the load unit (kW, or
// Btu/h with --units ip, or --load-unit's; thousands grouped), with the coil's
// sensible heat ratio; a steam humidifier's is the steam's energy, the air's
// enthalpy change; for a mix the mixed state's dry-bulb (and fog); for
// evaporative and adiabatic humidification, whose load is nil, the water they
// take (kg/h, or lb/h):
//   "mix 24.6 °C", "heat 25.0 kW", "coil 66,141 Btu/h, SHR 0.72",
//   "steam 19.6 kW", "evaporative 48.0 kg/h"
std::string ProcessText(const ComputedProcess& process, const ChartUnits& units, const Unit& load);

// The drawing of a process on the frame (its label not yet placed), its
// loads and flow in the units of `units`.
ProcessDrawing DrawProcess(const Frame& frame, const ComputedProcess& process,
                           const cli::ProcessUnits& units);

// The room a path's straight piece takes: no label sits on it.
Box PieceBox(Point from, Point to);

struct ProcessLegend {
  Box ground;
  std::vector<Segment> samples;  // a line in each kind's colour
  std::vector<std::string_view> colors;
  std::vector<Label> names;
};

// An entry for each kind drawn, in the order of the processes' table, in the
// plot's bottom right corner above `bottom` (px; the zones' legend's top).
ProcessLegend LayOutProcessLegend(const Frame& frame, const std::vector<ProcessDrawing>& drawings,
                                  double bottom);

}  // namespace hygrian::chart
