// The units of the columns a program reads and writes: the unit of each column
// read (--unit COLUMN=UNIT, else the one its header name writes after it, else
// the library's), the system written (--units si|ip), and the hint at a unit
// slip that a column's first values give. The units themselves are the
// library's table (hygrian/units.h); conversion happens here, at the edge.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "hygrian/properties.h"
#include "hygrian/units.h"
#include "tables/pressure.h"

namespace hygrian::cli {

// One --unit: a column by its standard key ("dry_bulb", "pressure") and its unit.
struct ColumnUnit {
  std::string_view key;
  const Unit* unit = nullptr;
};

struct TableUnits {
  std::vector<ColumnUnit> columns;  // as --unit gives them, at most one per key
  bool ip = false;                  // --units ip: inch-pound output
};

// The quantity of a column read, by its standard key: the pairs' given values
// as hygrian::AllPairs gives their units, and pressure; nullptr for any other key.
[[nodiscard]] const QuantityUnits* ColumnQuantity(std::string_view key) noexcept;

// The key of the unit a column `key` is in by default in the system of units:
// the library's, or with ip its quantity's inch-pound unit ("degF" for
// dry_bulb, "%" for relative_humidity); "" for a key of no quantity.
[[nodiscard]] std::string_view SystemUnit(std::string_view key, bool ip) noexcept;

// "degC, K, degF or degR": the keys of a quantity's units.
[[nodiscard]] std::string UnitKeysInWords(Quantity quantity);

// Reads the texts of --unit ("COLUMN=UNIT", COLUMN a standard key) and of
// --units ("si", "ip" or empty) into units; returns "" or the usage error:
//   "--unit Temp=degF: 'Temp' is not dry_bulb, wet_bulb, ... or pressure"
//   "--unit dry_bulb=degf: 'degf' is not a unit of temperature (degC, K, degF or degR);
//    did you mean 'degF'?"
//   "--unit dry_bulb: given twice"
//   "--units: 'us' is not si or ip"
[[nodiscard]] std::string ReadUnitOptions(const std::vector<std::string>& columnUnits,
                                          const std::string& system, TableUnits& units);

// The unit of the column `key` whose header field is `name`: that of --unit,
// else the one the name writes ("Temp (°F)", "RH [%]"), else fallback (a key of
// the column's quantity; empty: the library's unit).
// Returns "" or why the file cannot be read:
//   "dry_bulb (°F): the header's unit is not --unit dry_bulb=K"
//   "Temp (outdoor): 'outdoor' is not a unit of temperature (degC, K, degF or degR)
//    (--unit dry_bulb=UNIT says which)"
// (a header's unit that --unit overrides need not be known).
[[nodiscard]] std::string ColumnUnitOf(const TableUnits& units, std::string_view key,
                                       std::string_view name, const Unit*& unit,
                                       std::string_view fallback = {});

// A pressure unit of the library as the table reader takes it.
[[nodiscard]] tables::PressureUnit ReaderPressureUnit(const Unit& unit) noexcept;

// The unit each property is written in, by hygrian::Properties: the library's,
// or with ip its inch-pound unit (degF, %, lb/lb, Btu/lb, ft3/lb, psi).
[[nodiscard]] std::array<const Unit*, Properties.size()> OutputUnits(bool ip) noexcept;

// The hint when the least and greatest of a column's first values look like
// another unit than the one they are read in, in the style of the pressure
// range's refusal; "" when they do not. The option is named unless the header
// gave the unit (whose word the option may not contradict). A pressure other
// than the total pressure (key "pressure") has no hint:
//   "dry_bulb 291.15 to 303.15 degC (in K? --unit dry_bulb=K)"
//   "relative_humidity 0.3 to 0.8 % (in fraction? --unit relative_humidity=1)"
//   "dry_bulb 300 to 310 degF (in K?)"
[[nodiscard]] std::string UnitHint(std::string_view key, const Unit& unit, double least,
                                   double greatest, bool nameOption = true);

// The least and greatest of a column's first finite values, of its first
// kHintValues rows at most.
inline constexpr std::size_t kHintValues = 20;
struct ValueSpan {
  double least = 0.0;
  double greatest = 0.0;
  std::size_t count = 0;
  void Add(double value) noexcept {
    if (count >= kHintValues || !std::isfinite(value)) return;
    least = count == 0 || value < least ? value : least;
    greatest = count == 0 || value > greatest ? value : greatest;
    ++count;
  }
};

}  // namespace hygrian::cli
