#include "cli/units.h"

#include <algorithm>

#include "cli/compute.h"
#include "tables/numbers.h"
#include "tables/table.h"
#include "tables/text.h"

namespace hygrian::cli {
namespace {

constexpr std::string_view kPressureKey = "pressure";

// The standard keys of the columns read: dry_bulb, the second values, the
// other keys of the pairs, pressure.
std::vector<std::string_view> ColumnKeys() {
  std::vector<std::string_view> keys = {"dry_bulb"};
  keys.insert(keys.end(), kSecondKeys.begin(), kSecondKeys.end());
  keys.insert(keys.end(), kOtherKeys.begin(), kOtherKeys.end());
  keys.push_back(kPressureKey);
  return keys;
}

// "a, b or c".
std::string InWords(const std::vector<std::string_view>& words) {
  std::string text;
  for (std::size_t i = 0; i < words.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + std::string(words[i]);
  }
  return text;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return lower;
}

// "; did you mean 'degF'?" for the word of `words` closest to text, within two
// edits whatever their case (among as close ones, the closest in case: degf is
// degF, not degC); "" when none is.
std::string DidYouMean(std::string_view text, const std::vector<std::string_view>& words) {
  std::string_view best;
  std::size_t bestDistance = 6;
  for (const std::string_view word : words) {
    const std::size_t folded = tables::EditDistance(Lower(text), Lower(word));
    const std::size_t d = 2 * folded + (tables::EditDistance(text, word) > folded ? 1 : 0);
    if (d < bestDistance && folded < word.size()) {
      best = word;
      bestDistance = d;
    }
  }
  return best.empty() ? "" : "; did you mean '" + std::string(best) + "'?";
}

// "'degf' is not a unit of temperature (degC, K, degF or degR); did you mean 'degF'?"
std::string NotAUnit(std::string_view text, const QuantityUnits& quantity) {
  std::vector<std::string_view> spellings;
  for (const Unit& unit : Units) {
    if (unit.quantity != quantity.quantity) continue;
    for (const auto& list : {unit.symbols, unit.words}) {
      for (const std::string_view s : list) {
        if (!s.empty()) spellings.push_back(s);
      }
    }
  }
  std::string name(quantity.key);
  std::replace(name.begin(), name.end(), '_', ' ');
  std::string problem = "'";
  problem.append(text).append("' is not a unit of ").append(name);
  return problem.append(" (").append(UnitKeysInWords(quantity.quantity)).append(")") +
         DidYouMean(text, spellings);
}

std::string Shortest(double value) {
  char text[tables::kNumberTextSize];
  return {text, tables::FormatNumber(text, value)};
}

}  // namespace

std::string UnitKeysInWords(Quantity quantity) {
  std::vector<std::string_view> keys;
  for (const Unit& unit : Units) {
    if (unit.quantity == quantity) keys.push_back(unit.key);
  }
  return InWords(keys);
}

const QuantityUnits* ColumnQuantity(std::string_view key) noexcept {
  if (key == kPressureKey) return &UnitsOf(Quantity::Pressure);
  if (key == "dry_bulb") return &UnitsOf(Quantity::Temperature);
  for (const Pair& pair : AllPairs) {
    for (const Property& given : pair.given) {
      if (given.key == key) return QuantityOfLibraryUnit(given.unit);
    }
  }
  return nullptr;
}

std::string ReadUnitOptions(const std::vector<std::string>& columnUnits, const std::string& system,
                            TableUnits& units) {
  for (const std::string& text : columnUnits) {
    const std::string option = "--unit " + text;
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) return option + ": not COLUMN=UNIT";
    const std::string_view column = std::string_view(text).substr(0, equals);
    const std::string_view spelling = std::string_view(text).substr(equals + 1);
    const QuantityUnits* quantity = ColumnQuantity(column);
    if (quantity == nullptr) {
      return option + ": '" + std::string(column) + "' is not " + InWords(ColumnKeys()) +
             DidYouMean(column, ColumnKeys());
    }
    const Unit* unit = FindUnit(quantity->quantity, spelling);
    if (unit == nullptr) return option + ": " + NotAUnit(spelling, *quantity);
    const std::vector<std::string_view> keys = ColumnKeys();
    const std::string_view key = *std::find(keys.begin(), keys.end(), column);
    if (std::any_of(units.columns.begin(), units.columns.end(),
                    [&](const ColumnUnit& c) { return c.key == key; })) {
      return "--unit " + std::string(key) + ": given twice";
    }
    units.columns.push_back({key, unit});
  }
  if (system != "" && system != "si" && system != "ip") {
    return "--units: '" + system + "' is not si or ip";
  }
  units.ip = system == "ip";
  return "";
}

std::string ColumnUnitOf(const TableUnits& units, std::string_view key, std::string_view name,
                         const Unit*& unit, std::string_view fallback) {
  const QuantityUnits& quantity = *ColumnQuantity(key);
  const std::string_view written = tables::NameUnit(name);
  const Unit* header = written.empty() ? nullptr : FindUnit(quantity.quantity, written);
  const auto option = std::find_if(units.columns.begin(), units.columns.end(),
                                   [&](const ColumnUnit& c) { return c.key == key; });
  if (option != units.columns.end()) {
    if (header != nullptr && header != option->unit) {
      return std::string(name) + ": the header's unit is not --unit " + std::string(key) + "=" +
             std::string(option->unit->key);
    }
    unit = option->unit;
    return "";
  }
  if (!written.empty() && header == nullptr) {
    return std::string(name) + ": " + NotAUnit(written, quantity) + " (--unit " + std::string(key) +
           "=UNIT says which)";
  }
  unit = header != nullptr
             ? header
             : FindUnit(quantity.quantity, fallback.empty() ? quantity.library : fallback);
  return "";
}

tables::PressureUnit ReaderPressureUnit(const Unit& unit) noexcept {
  return {unit.key, unit.numerator, unit.denominator};
}

std::array<const Unit*, Properties.size()> OutputUnits(bool ip) noexcept {
  std::array<const Unit*, Properties.size()> units{};
  for (std::size_t i = 0; i < Properties.size(); ++i) {
    const QuantityUnits& quantity = *QuantityOfLibraryUnit(Properties[i].unit);
    units[i] = FindUnit(quantity.quantity, ip ? quantity.ip : quantity.library);
  }
  return units;
}

std::string UnitHint(std::string_view key, const Unit& unit, double least, double greatest,
                     bool nameOption) {
  const Unit* likely = LikelyUnit(unit, least, greatest);
  if (likely == nullptr) return "";
  // A bare "1" says little: "fraction".
  const std::string_view shown = likely->key == "1" ? likely->name : likely->key;
  std::string hint = std::string(key) + " " + Shortest(least) + " to " + Shortest(greatest) + " ";
  hint.append(unit.key).append(" (in ").append(shown).append("?");
  if (nameOption) hint.append(" --unit ").append(key).append("=").append(likely->key);
  return hint + ")";
}

}  // namespace hygrian::cli
