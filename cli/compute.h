// The input pairs as the programs read them: the second value's key for each
// row of hygrian::Pairs (the table reader's pair index), the table reader's
// options with the programs' words, and the state of a row's measured values.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "cli/options.h"
#include "hygrian/pairs.h"
#include "tables/table.h"

namespace hygrian::cli {

// "wet_bulb", "dew_point", ...: the key of each pair's second value, in the
// order of hygrian::Pairs; the standard column names after dry_bulb.
constexpr std::array<std::string_view, Pairs.size()> SecondKeys() {
  std::array<std::string_view, Pairs.size()> keys{};
  for (std::size_t p = 0; p < Pairs.size(); ++p) keys[p] = Pairs[p].given[1].key;
  return keys;
}
inline constexpr auto kSecondKeys = SecondKeys();

// The table reader's options as every program starts from them: the second
// values of hygrian::Pairs, the pressure range, and the options that messages name.
[[nodiscard]] inline tables::ReadOptions ProgramReadOptions() {
  tables::ReadOptions read;
  read.secondKeys = kSecondKeys;
  read.pressureRange = kPressureRange;
  read.words = {"--dry-bulb-column and the like", "--delimiter", "--pair",
                "--encoding latin1 or cp1252"};
  return read;
}

// pair indexes hygrian::Pairs; dryBulb in degrees C; second in the pair's unit;
// pressure in kPa; options from --model and --over.
[[nodiscard]] inline Result Compute(std::size_t pair, double dryBulb, double second,
                                    double pressure, Options options) noexcept {
  return Pairs[pair].compute(dryBulb, second, pressure, options);
}

}  // namespace hygrian::cli
