// The processes of hygrian/processes.h as data: one row each, with its key, what
// it does, its arguments in the order the function takes them (the total
// pressure last) with the library's units, a worked example and the call; then
// what a process gives back after the leaving state's properties. The programs'
// process columns and help, the Python ufuncs with their docstrings and the npm
// package's functions and types are made from these rows. C++ only.
//
//   for (const hygrian::ProcessFunction& f : hygrian::Processes) {
//     std::printf("%s: %s (%s)\n", f.key.data(), f.arguments[2].key.data(),
//                 f.arguments[2].unit.data());
//   }  // mix: a_flow (kg/s), ..., heat_to: leaving_dry_bulb (degC), ...
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "hygrian/processes.h"
#include "hygrian/psychrometrics.h"

namespace hygrian {

struct ProcessArgument {
  std::string_view key;   // "leaving_dry_bulb"
  std::string_view unit;  // the library's: "degC", "kg/kg", "%", "1", "kg/s", "m3/s", "kW", "kPa"
};

// The most arguments a process takes, the pressure among them.
inline constexpr std::size_t MostProcessArguments = 7;

// A worked example: the arguments as decimal texts, and one value of what the
// process gives (a key of the leaving state's properties or of ProcessValues)
// rounded to `digits` decimals (0: to a whole number).
struct ProcessExample {
  std::string_view arguments;  // "2.0, 0.0043, 40.0, 12.7, 101.325"
  std::string_view output;     // "total_load"
  int digits;                  // 0
  std::string_view value;      // "489"
};

struct ProcessFunction {
  std::string_view key;          // "heat_to": the function's name, words joined by '_'
  std::string_view description;  // "sensible heating or cooling to a leaving dry-bulb"
  std::string_view note;         // what else to know, a sentence; may be empty
  std::size_t count;             // arguments used, the pressure among them
  std::array<ProcessArgument, MostProcessArguments> arguments;
  ProcessExample example;
  // The process at x[0..count) (in the arguments' order) over `over`.
  ProcessResult (*run)(const double* x, Phase over) noexcept;
};

namespace process_arguments {
inline constexpr ProcessArgument DryBulb{"dry_bulb", "degC"};
inline constexpr ProcessArgument HumidityRatio{"humidity_ratio", "kg/kg"};
inline constexpr ProcessArgument Flow{"flow", "kg/s"};
inline constexpr ProcessArgument Pressure{"pressure", "kPa"};
}  // namespace process_arguments

// clang-format off
inline constexpr std::array<ProcessFunction, 11> Processes = [] {
  using namespace process_arguments;
  return std::array<ProcessFunction, 11>{{
    {"mix", "adiabatic mixing of two streams",
     "No heat crosses, so the loads are 0.", 7,
     {{{"a_dry_bulb", "degC"}, {"a_humidity_ratio", "kg/kg"}, {"a_flow", "kg/s"},
       {"b_dry_bulb", "degC"}, {"b_humidity_ratio", "kg/kg"}, {"b_flow", "kg/s"}, Pressure}},
     {"32.0, 0.018, 1.0, 24.0, 0.0093, 3.0, 101.325", "dry_bulb", 2, "26.02"},
     [](const double* x, Phase over) noexcept {
       return Mix({x[0], x[1], x[2]}, {x[3], x[4], x[5]}, x[6], over);
     }},
    {"mix_volumes", "mix with each stream's flow in m3/s at its own state",
     "", 7,
     {{{"a_dry_bulb", "degC"}, {"a_humidity_ratio", "kg/kg"}, {"a_flow", "m3/s"},
       {"b_dry_bulb", "degC"}, {"b_humidity_ratio", "kg/kg"}, {"b_flow", "m3/s"}, Pressure}},
     {"4.0, 0.0036, 2.0, 25.0, 0.0099, 6.25, 101.325", "flow", 2, "9.82"},
     [](const double* x, Phase over) noexcept {
       return MixVolumes({x[0], x[1], x[2]}, {x[3], x[4], x[5]}, x[6], over);
     }},
    {"heat_to", "sensible heating or cooling to a leaving dry-bulb",
     "Cooling below the dew point is refused (below the dew point).", 5,
     {{DryBulb, HumidityRatio, {"leaving_dry_bulb", "degC"}, Flow, Pressure}},
     {"2.0, 0.0043, 40.0, 12.7, 101.325", "total_load", 0, "489"},
     [](const double* x, Phase over) noexcept { return HeatTo(x[0], x[1], x[2], x[3], x[4], over); }},
    {"heat_by", "sensible heating (a positive heat rate) or cooling",
     "", 5,
     {{DryBulb, HumidityRatio, {"heat_rate", "kW"}, Flow, Pressure}},
     {"2.0, 0.0043, 490.0, 12.7, 101.325", "dry_bulb", 1, "40.1"},
     [](const double* x, Phase over) noexcept { return HeatBy(x[0], x[1], x[2], x[3], x[4], over); }},
    {"cool_and_dehumidify", "a cooling coil by its apparatus dew point and bypass factor",
     "The condensate leaves at the apparatus dew point.", 6,
     {{DryBulb, HumidityRatio, {"apparatus_dew_point", "degC"}, {"bypass_factor", "1"}, Flow,
       Pressure}},
     {"26.0, 0.0115, 10.0, 0.1, 4.0, 101.325", "sensible_heat_ratio", 2, "0.63"},
     [](const double* x, Phase over) noexcept {
       return CoolAndDehumidify(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
    {"cool_and_dehumidify_to", "a cooling coil by its leaving dry-bulb and relative humidity",
     "The condensate leaves at the leaving dry-bulb.", 6,
     {{DryBulb, HumidityRatio, {"leaving_dry_bulb", "degC"}, {"leaving_relative_humidity", "%"},
       Flow, Pressure}},
     {"30.0, 0.0133, 10.0, 100.0, 5.7, 101.325", "total_load", 0, "-197"},
     [](const double* x, Phase over) noexcept {
       return CoolAndDehumidifyTo(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
    {"cool_evaporatively", "direct evaporative cooling by its saturation effectiveness",
     "The air follows the entering wet-bulb.", 5,
     {{DryBulb, HumidityRatio, {"effectiveness", "1"}, Flow, Pressure}},
     {"35.0, 0.007, 0.85, 1.0, 101.325", "dry_bulb", 1, "21.3"},
     [](const double* x, Phase over) noexcept {
       return CoolEvaporatively(x[0], x[1], x[2], x[3], x[4], over);
     }},
    {"humidify_with_steam", "humidification with steam to a leaving humidity ratio",
     "", 6,
     {{DryBulb, HumidityRatio, {"leaving_humidity_ratio", "kg/kg"},
       {"steam_temperature", "degC"}, Flow, Pressure}},
     {"20.0, 0.0018, 0.0094, 110.0, 2.0, 101.325", "water", 4, "0.0152"},
     [](const double* x, Phase over) noexcept {
       return HumidifyWithSteam(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
    {"humidify_with_water", "adiabatic humidification with water to a leaving humidity ratio",
     "", 6,
     {{DryBulb, HumidityRatio, {"leaving_humidity_ratio", "kg/kg"},
       {"water_temperature", "degC"}, Flow, Pressure}},
     {"35.0, 0.007, 0.012, 20.0, 1.0, 101.325", "dry_bulb", 1, "22.9"},
     [](const double* x, Phase over) noexcept {
       return HumidifyWithWater(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
    {"humidify_with_steam_to_relative_humidity",
     "humidification with steam to a leaving relative humidity",
     "", 6,
     {{DryBulb, HumidityRatio, {"leaving_relative_humidity", "%"},
       {"steam_temperature", "degC"}, Flow, Pressure}},
     {"20.0, 0.0018, 60.0, 110.0, 2.0, 101.325", "relative_humidity", 6, "60.0"},
     [](const double* x, Phase over) noexcept {
       return HumidifyWithSteamToRelativeHumidity(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
    {"humidify_with_water_to_relative_humidity",
     "adiabatic humidification with water to a leaving relative humidity",
     "", 6,
     {{DryBulb, HumidityRatio, {"leaving_relative_humidity", "%"},
       {"water_temperature", "degC"}, Flow, Pressure}},
     {"35.0, 0.007, 60.0, 20.0, 1.0, 101.325", "relative_humidity", 6, "60.0"},
     [](const double* x, Phase over) noexcept {
       return HumidifyWithWaterToRelativeHumidity(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
  }};
}();
// clang-format on

// The row of a key ("heat_to"); nullptr when there is none.
[[nodiscard]] constexpr const ProcessFunction* ProcessOf(std::string_view key) noexcept {
  for (const ProcessFunction& f : Processes) {
    if (f.key == key) return &f;
  }
  return nullptr;
}

// What a process gives after the leaving state's properties, in this order.
struct ProcessValue {
  std::string_view key;
  double ProcessResult::*member;
  std::string_view unit;  // the library's; "kJ/kg" here is per kg of the water
  std::string_view description;
};

inline constexpr std::array<ProcessValue, 7> ProcessValues = {{
    {"flow", &ProcessResult::flow, "kg/s", "dry-air flow leaving"},
    {"sensible_load", &ProcessResult::sensibleLoad, "kW", "sensible heat added to the air"},
    {"latent_load", &ProcessResult::latentLoad, "kW", "latent heat added to the air"},
    {"total_load", &ProcessResult::totalLoad, "kW", "heat crossing the equipment's boundary"},
    {"sensible_heat_ratio", &ProcessResult::sensibleHeatRatio, "1", "sensible heat ratio"},
    {"water", &ProcessResult::water, "kg/s", "water added (condensed: negative)"},
    {"water_enthalpy", &ProcessResult::waterEnthalpy, "kJ/kg", "enthalpy of the water"},
}};

}  // namespace hygrian
