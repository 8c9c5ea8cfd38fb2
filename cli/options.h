// The options every command-line program takes, as the command line leaves them
// once checked (cli/command_line.h reads them).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "hygrian/psychrometrics.h"
#include "hygrian/units.h"
#include "tables/pressure.h"

namespace hygrian::cli {

// The pressures every program takes, and the option whose unit a refusal suggests.
inline constexpr tables::PressureRange kPressureRange{ProgramPressureLeast, ProgramPressureMost,
                                                      "--pressure-unit"};

// The words of --model and --over, the default first.
struct ModelWord {
  std::string_view word;
  Model model;
};
inline constexpr std::array<ModelWord, 2> kModelWords = {{
    {"handbook", Model::Handbook},
    {"calculator", Model::Calculator},
}};
struct PhaseWord {
  std::string_view word;
  Phase over;
};
inline constexpr std::array<PhaseWord, 2> kPhaseWords = {{
    {"ice", Phase::Ice},
    {"water", Phase::Water},
}};
// The words of --supersaturated, the default first.
struct SupersaturatedWord {
  std::string_view word;
  Supersaturated handling;
};
inline constexpr std::array<SupersaturatedWord, 2> kSupersaturatedWords = {{
    {"flag", Supersaturated::Flag},
    {"clip", Supersaturated::Clip},
}};

// The row of the metre in hygrian::Units.
inline constexpr std::size_t kMetreRow = [] {
  std::size_t row = 0;
  while (Units[row].quantity != Quantity::Length || Units[row].key != "m") ++row;
  return row;
}();

struct CommonOptions {
  std::string output;  // -o FILE; empty or "-": standard output
  bool quiet = false;  // -q: no messages about rows, no progress display
  // kPa, in kPressureRange: --pressure in pressureUnit, or --altitude (in
  // altitudeUnit) in the standard atmosphere; both given is a usage error.
  double pressure = StandardPressure;
  // --pressure-unit, else psi with --units ip, else kPa: also an unlabelled
  // pressure column's.
  tables::PressureUnit pressureUnit = tables::PressureUnit::KPa;
  const Unit* altitudeUnit = &Units[kMetreRow];  // --altitude-unit, else ft with ip, else m
  bool hasAltitude = false;                      // the pressure came from --altitude
  double altitude = 0.0;                         // metres, when hasAltitude
  // --units ip: the options, unlabelled columns and the output in inch-pound units.
  bool inchPound = false;
  // --model and --over: the relations every row and curve is computed with
  // (calculator with water is a usage error).
  Options options;
  // --supersaturated: a state above saturation flagged, or clipped to it
  // (hygrian::ClipToSaturation; clip with the calculator is a usage error).
  Supersaturated supersaturated = Supersaturated::Flag;
};

}  // namespace hygrian::cli
