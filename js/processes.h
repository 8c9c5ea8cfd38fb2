// The processes of hygrian/processes.h as the npm package gives them: one row
// each, its arguments in the order the function takes them (the total pressure
// last) with their units, and the call; then what a process gives back, after
// the leaving state's properties. The package's functions, their TypeScript
// types and their calls into the library are all made from these rows.
//
//   kProcesses[2]: heat_to(dry_bulb degC, humidity_ratio kg/kg, leaving_dry_bulb
//   degC, flow kg/s, pressure kPa) runs HeatTo.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "hygrian/processes.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::js {

struct ProcessArgument {
  std::string_view key;   // "leaving_dry_bulb"
  std::string_view unit;  // the library's: "degC", "kg/kg", "%", "1", "kg/s", "m3/s", "kW", "kPa"
};

inline constexpr std::size_t kMostArguments = 7;

struct ProcessRow {
  std::string_view key;  // "heat_to": the function's name, words joined by '_'
  std::string_view description;
  std::size_t count;  // arguments used, the pressure among them
  std::array<ProcessArgument, kMostArguments> arguments;
  // The process at x[0..count) (in the arguments' order) over `over`.
  ProcessResult (*run)(const double* x, Phase over) noexcept;
};

inline constexpr ProcessArgument kDryBulb{"dry_bulb", "degC"};
inline constexpr ProcessArgument kHumidityRatio{"humidity_ratio", "kg/kg"};
inline constexpr ProcessArgument kFlow{"flow", "kg/s"};
inline constexpr ProcessArgument kPressure{"pressure", "kPa"};

// clang-format off
inline constexpr std::array<ProcessRow, 11> kProcesses = {{
    {"mix", "adiabatic mixing of two streams", 7,
     {{{"a_dry_bulb", "degC"}, {"a_humidity_ratio", "kg/kg"}, {"a_flow", "kg/s"},
       {"b_dry_bulb", "degC"}, {"b_humidity_ratio", "kg/kg"}, {"b_flow", "kg/s"}, kPressure}},
     [](const double* x, Phase over) noexcept {
       return Mix({x[0], x[1], x[2]}, {x[3], x[4], x[5]}, x[6], over);
     }},
    {"mix_volumes", "mix with each stream's flow in m3/s at its own state", 7,
     {{{"a_dry_bulb", "degC"}, {"a_humidity_ratio", "kg/kg"}, {"a_flow", "m3/s"},
       {"b_dry_bulb", "degC"}, {"b_humidity_ratio", "kg/kg"}, {"b_flow", "m3/s"}, kPressure}},
     [](const double* x, Phase over) noexcept {
       return MixVolumes({x[0], x[1], x[2]}, {x[3], x[4], x[5]}, x[6], over);
     }},
    {"heat_to", "sensible heating or cooling to a leaving dry-bulb", 5,
     {{kDryBulb, kHumidityRatio, {"leaving_dry_bulb", "degC"}, kFlow, kPressure}},
     [](const double* x, Phase over) noexcept { return HeatTo(x[0], x[1], x[2], x[3], x[4], over); }},
    {"heat_by", "sensible heating (a positive heat rate) or cooling", 5,
     {{kDryBulb, kHumidityRatio, {"heat_rate", "kW"}, kFlow, kPressure}},
     [](const double* x, Phase over) noexcept { return HeatBy(x[0], x[1], x[2], x[3], x[4], over); }},
    {"cool_and_dehumidify", "a cooling coil by its apparatus dew point and bypass factor", 6,
     {{kDryBulb, kHumidityRatio, {"apparatus_dew_point", "degC"}, {"bypass_factor", "1"}, kFlow,
       kPressure}},
     [](const double* x, Phase over) noexcept {
       return CoolAndDehumidify(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
    {"cool_and_dehumidify_to", "a cooling coil by its leaving dry-bulb and relative humidity", 6,
     {{kDryBulb, kHumidityRatio, {"leaving_dry_bulb", "degC"}, {"leaving_relative_humidity", "%"},
       kFlow, kPressure}},
     [](const double* x, Phase over) noexcept {
       return CoolAndDehumidifyTo(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
    {"cool_evaporatively", "direct evaporative cooling by its saturation effectiveness", 5,
     {{kDryBulb, kHumidityRatio, {"effectiveness", "1"}, kFlow, kPressure}},
     [](const double* x, Phase over) noexcept {
       return CoolEvaporatively(x[0], x[1], x[2], x[3], x[4], over);
     }},
    {"humidify_with_steam", "humidification with steam to a leaving humidity ratio", 6,
     {{kDryBulb, kHumidityRatio, {"leaving_humidity_ratio", "kg/kg"},
       {"steam_temperature", "degC"}, kFlow, kPressure}},
     [](const double* x, Phase over) noexcept {
       return HumidifyWithSteam(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
    {"humidify_with_water", "adiabatic humidification with water to a leaving humidity ratio", 6,
     {{kDryBulb, kHumidityRatio, {"leaving_humidity_ratio", "kg/kg"},
       {"water_temperature", "degC"}, kFlow, kPressure}},
     [](const double* x, Phase over) noexcept {
       return HumidifyWithWater(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
    {"humidify_with_steam_to_relative_humidity",
     "humidification with steam to a leaving relative humidity", 6,
     {{kDryBulb, kHumidityRatio, {"leaving_relative_humidity", "%"},
       {"steam_temperature", "degC"}, kFlow, kPressure}},
     [](const double* x, Phase over) noexcept {
       return HumidifyWithSteamToRelativeHumidity(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
    {"humidify_with_water_to_relative_humidity",
     "adiabatic humidification with water to a leaving relative humidity", 6,
     {{kDryBulb, kHumidityRatio, {"leaving_relative_humidity", "%"},
       {"water_temperature", "degC"}, kFlow, kPressure}},
     [](const double* x, Phase over) noexcept {
       return HumidifyWithWaterToRelativeHumidity(x[0], x[1], x[2], x[3], x[4], x[5], over);
     }},
}};
// clang-format on

// What a process gives after the leaving state's properties, in this order.
struct ProcessValue {
  std::string_view key;
  double ProcessResult::*member;
  std::string_view unit;
  std::string_view description;
};

inline constexpr std::array<ProcessValue, 7> kProcessValues = {{
    {"flow", &ProcessResult::flow, "kg/s", "dry-air flow leaving"},
    {"sensible_load", &ProcessResult::sensibleLoad, "kW", "sensible heat added to the air"},
    {"latent_load", &ProcessResult::latentLoad, "kW", "latent heat added to the air"},
    {"total_load", &ProcessResult::totalLoad, "kW", "heat crossing the equipment's boundary"},
    {"sensible_heat_ratio", &ProcessResult::sensibleHeatRatio, "1", "sensible heat ratio"},
    {"water", &ProcessResult::water, "kg/s", "water added (condensed: negative)"},
    {"water_enthalpy", &ProcessResult::waterEnthalpy, "kJ/kg", "enthalpy of the water"},
}};

}  // namespace hygrian::js
