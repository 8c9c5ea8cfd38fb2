// The input pairs as the programs read them: the second value's key for each
// row of hygrian::Pairs, then the two keys of each other row of
// hygrian::AllPairs (the table reader's pair index is AllPairs'), the table
// reader's options with the programs' words, and the state of a row's measured
// values.
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

// The rows of hygrian::AllPairs after the dry-bulb ones, by their two keys.
constexpr std::array<tables::PairKeys, AllPairs.size() - Pairs.size()> MorePairs() {
  std::array<tables::PairKeys, AllPairs.size() - Pairs.size()> keys{};
  for (std::size_t p = 0; p < keys.size(); ++p) {
    const Pair& pair = AllPairs[Pairs.size() + p];
    keys[p] = {pair.given[0].key, pair.given[1].key};
  }
  return keys;
}
inline constexpr auto kMorePairs = MorePairs();

// Whether key is dry_bulb, a second key, or among the first `count` of keys.
constexpr bool KnownKey(std::string_view key, const std::array<std::string_view, 4>& keys,
                        std::size_t count) {
  if (key == "dry_bulb") return true;
  for (const std::string_view second : kSecondKeys) {
    if (second == key) return true;
  }
  for (std::size_t k = 0; k < count; ++k) {
    if (keys[k] == key) return true;
  }
  return false;
}

// The keys that only those pairs read ("enthalpy"), each once, in their order;
// empty views after them.
constexpr std::array<std::string_view, 4> OtherKeySlots() {
  std::array<std::string_view, 4> keys{};
  std::size_t count = 0;
  for (const tables::PairKeys& pair : kMorePairs) {
    for (const std::string_view key : {pair.first, pair.second}) {
      if (!KnownKey(key, keys, count) && count < keys.size()) keys[count++] = key;
    }
  }
  return keys;
}
constexpr std::size_t OtherKeyCount() {
  std::size_t count = 0;
  for (const std::string_view key : OtherKeySlots()) {
    if (!key.empty()) ++count;
  }
  return count;
}
constexpr std::array<std::string_view, OtherKeyCount()> OtherKeys() {
  std::array<std::string_view, OtherKeyCount()> keys{};
  for (std::size_t k = 0; k < keys.size(); ++k) keys[k] = OtherKeySlots()[k];
  return keys;
}
inline constexpr auto kOtherKeys = OtherKeys();

// The table reader's options as every program starts from them: the pairs of
// hygrian::AllPairs, the pressure range, and the options that messages name.
[[nodiscard]] inline tables::ReadOptions ProgramReadOptions() {
  tables::ReadOptions read;
  read.secondKeys = kSecondKeys;
  read.morePairs = kMorePairs;
  read.otherKeys = kOtherKeys;
  read.pressureRange = kPressureRange;
  read.words = {"--dry-bulb-column and the like", "--delimiter", "--pair",
                "--encoding latin1 or cp1252"};
  return read;
}

// pair indexes hygrian::AllPairs; first and second in the pair's units;
// pressure in kPa; options from --model and --over.
[[nodiscard]] inline Result Compute(std::size_t pair, double first, double second, double pressure,
                                    Options options) noexcept {
  return AllPairs[pair].compute(first, second, pressure, options);
}

// Whether a pair (by hygrian::AllPairs) is solved by a search, which the
// calculator model does not do.
[[nodiscard]] constexpr bool SearchedPair(std::size_t pair) noexcept {
  return pair >= Pairs.size();
}

}  // namespace hygrian::cli
