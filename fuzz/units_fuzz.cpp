// Unit texts as users write them: the input's lines are --unit COLUMN=UNIT
// texts, the last one a header field ("Temp (°F)") whose unit is read for each
// column a pair may have; the first byte picks --units (si, ip, or a word of
// the input's first line). Besides not crashing: a usage error or none, never
// both a unit and an error; every unit found is of its column's quantity and
// converts a value to the library's unit and back to within 1e-12 of its size
// and its zero's; a unit's key is found again as itself; and a
// --unit that is refused names the text it was given.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/units.h"
#include "hygrian/pairs.h"
#include "hygrian/units.h"
#include "tables/table.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// Values of every size and sign, converted there and back.
void RequireRoundTrip(const hygrian::Unit& unit) {
  for (const double value : {-1e6, -273.15, -40.0, -1.0, 0.0, 1e-3, 0.5, 25.0, 101.325, 1e6}) {
    const double back = hygrian::FromLibrary(unit, hygrian::ToLibrary(unit, value));
    const double size = std::fabs(value) + std::fabs(unit.zero);  // the zero's rounding too
    Require(std::fabs(back - value) <= 1e-12 * size);
  }
  Require(hygrian::FindUnit(unit.quantity, unit.key) == &unit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  const std::string header = lines.back();
  lines.pop_back();
  static const std::string kSystems[] = {"", "si", "ip"};
  const std::string system = data[0] < 3 ? kSystems[data[0]] : lines.empty() ? "" : lines[0];

  hygrian::cli::TableUnits units;
  const std::string problem = hygrian::cli::ReadUnitOptions(lines, system, units);
  if (!problem.empty()) {
    // Refused: what was given is named ("--units: 'us' ...", "--unit X: ...").
    Require(problem.rfind("--unit", 0) == 0);
    return 0;
  }
  for (const hygrian::cli::ColumnUnit& column : units.columns) {
    const hygrian::QuantityUnits* quantity = hygrian::cli::ColumnQuantity(column.key);
    Require(quantity != nullptr && column.unit != nullptr &&
            column.unit->quantity == quantity->quantity);
    RequireRoundTrip(*column.unit);
  }
  // The header field's unit for every column a pair may have.
  (void)hygrian::tables::NameUnit(header);
  for (const std::string_view key :
       {"dry_bulb", "wet_bulb", "dew_point", "relative_humidity", "humidity_ratio",
        "specific_humidity", "enthalpy", "pressure"}) {
    const hygrian::Unit* unit = nullptr;
    if (hygrian::cli::ColumnUnitOf(units, key, header, unit).empty()) {
      Require(unit != nullptr && unit->quantity == hygrian::cli::ColumnQuantity(key)->quantity);
      RequireRoundTrip(*unit);
    }
  }
  for (const hygrian::Unit* unit : hygrian::cli::OutputUnits(units.ip)) {
    Require(unit != nullptr);
  }
  return 0;
}
