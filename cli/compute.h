// The input pairs as the programs read them: the second value's key for each
// row of hygrian::Pairs, then the two keys of each other row of
// hygrian::AllPairs (the table reader's pair index is AllPairs'), the table
// reader's options with the programs' words, and the state of a row's measured
// values.
#pragma once

#include <algorithm>
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

// The second values read only alone: from the vapour pressure on. Every state
// table has a vapour pressure column, so one beside another second value is
// taken for a computed one and carried.
inline constexpr std::size_t kAloneFrom = [] {
  std::size_t p = 0;
  while (p < kSecondKeys.size() && kSecondKeys[p] != PropertyOf(&State::vaporPressure).key) ++p;
  return p;
}();
static_assert(kAloneFrom + 1 == kSecondKeys.size(), "the vapour pressure is the last second value");

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

// The keys of kMorePairs in their order, the first and second of each: key i.
constexpr std::string_view MoreKey(std::size_t i) {
  return i % 2 == 0 ? kMorePairs[i / 2].first : kMorePairs[i / 2].second;
}

// Whether MoreKey(i) is read by no dry-bulb pair and comes there first.
constexpr bool NewOtherKey(std::size_t i) {
  const std::string_view key = MoreKey(i);
  if (key == "dry_bulb" ||
      std::find(kSecondKeys.begin(), kSecondKeys.end(), key) != kSecondKeys.end()) {
    return false;
  }
  for (std::size_t j = 0; j < i; ++j) {
    if (MoreKey(j) == key) return false;
  }
  return true;
}

constexpr std::size_t OtherKeyCount() {
  std::size_t count = 0;
  for (std::size_t i = 0; i < 2 * kMorePairs.size(); ++i) {
    if (NewOtherKey(i)) ++count;
  }
  return count;
}

// The keys that only those pairs read ("enthalpy"), each once, in their order.
constexpr std::array<std::string_view, OtherKeyCount()> OtherKeys() {
  std::array<std::string_view, OtherKeyCount()> keys{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < 2 * kMorePairs.size(); ++i) {
    if (NewOtherKey(i)) keys[count++] = MoreKey(i);
  }
  return keys;
}
inline constexpr auto kOtherKeys = OtherKeys();

// The table reader's options as every program starts from them: the pairs of
// hygrian::AllPairs, the pressure range, and the options that messages name.
[[nodiscard]] inline tables::ReadOptions ProgramReadOptions() {
  tables::ReadOptions read;
  read.secondKeys = kSecondKeys;
  read.aloneFrom = kAloneFrom;
  read.morePairs = kMorePairs;
  read.otherKeys = kOtherKeys;
  read.pressureRange = kPressureRange;
  read.words = {"--dry-bulb-column and the like", "--delimiter", "--pair",
                "--encoding latin1 or cp1252"};
  return read;
}

// pair indexes hygrian::AllPairs; first and second in the pair's units;
// pressure in kPa; options from --model and --over, and with
// --supersaturated clip a state above saturation clipped to it.
[[nodiscard]] inline Result Compute(std::size_t pair, double first, double second, double pressure,
                                    Options options,
                                    Supersaturated supersaturated = Supersaturated::Flag) noexcept {
  const Result result = AllPairs[pair].compute(first, second, pressure, options);
  if (supersaturated == Supersaturated::Flag) return result;
  return ClipToSaturation(result, pressure, options);
}

// Whether a pair (by hygrian::AllPairs) is solved by a search, which the
// calculator model does not do.
[[nodiscard]] constexpr bool SearchedPair(std::size_t pair) noexcept {
  return pair >= Pairs.size();
}

}  // namespace hygrian::cli
