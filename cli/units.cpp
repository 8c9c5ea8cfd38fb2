#include "cli/units.h"

#include <algorithm>

#include "cli/compute.h"
#include "cli/process_fields.h"
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

// The keys of every column a unit may be named for: those, the processes'
// parameters and the two mixed streams' states ("a_dry_bulb", "b_wet_bulb").
std::vector<std::string> AllColumnKeys() {
  std::vector<std::string> keys;
  for (const std::string_view key : ColumnKeys()) keys.emplace_back(key);
  for (const ParameterQuantity& p : kParameterQuantities) keys.emplace_back(p.key);
  for (const std::string_view stream : {"a_", "b_"}) {
    keys.push_back(std::string(stream) + "dry_bulb");
    for (const std::string_view key : kSecondKeys) {
      keys.push_back(std::string(stream) + std::string(key));
    }
  }
  return keys;
}

// The key as the list above holds it, which outlives any text (key must be
// one of them).
std::string_view ColumnKey(std::string_view key) {
  static const std::vector<std::string> kKeys = AllColumnKeys();
  return *std::find(kKeys.begin(), kKeys.end(), key);
}

// A unit of the column's quantity that text spells; a flow's may be a mass
// or a volume flow's.
const Unit* FindColumnUnit(const QuantityUnits& quantity, std::string_view text) {
  const Unit* unit = FindUnit(quantity.quantity, text);
  if (unit == nullptr && quantity.quantity == Quantity::MassFlow) {
    unit = FindUnit(Quantity::VolumeFlow, text);
  }
  return unit;
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
// (a flow: of mass or volume flow).
std::string NotAUnit(std::string_view text, const QuantityUnits& quantity) {
  const bool flow = quantity.quantity == Quantity::MassFlow;
  std::vector<std::string_view> spellings;
  for (const Unit& unit : Units) {
    if (unit.quantity != quantity.quantity && !(flow && unit.quantity == Quantity::VolumeFlow)) {
      continue;
    }
    for (const auto& list : {unit.symbols, unit.words}) {
      for (const std::string_view s : list) {
        if (!s.empty()) spellings.push_back(s);
      }
    }
  }
  std::string name(quantity.key);
  std::replace(name.begin(), name.end(), '_', ' ');
  std::string problem = "'";
  problem.append(text).append("' is not a unit of ").append(flow ? "mass or volume flow" : name);
  problem.append(" (");
  if (flow) {
    for (const Unit& unit : Units) {
      if (unit.quantity == Quantity::MassFlow || unit.quantity == Quantity::VolumeFlow) {
        problem.append(unit.key).append(", ");
      }
    }
    problem.resize(problem.size() - 2);
  } else {
    problem.append(UnitKeysInWords(quantity.quantity));
  }
  return problem.append(")") + DidYouMean(text, spellings);
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
  for (const ParameterQuantity& p : kParameterQuantities) {
    if (p.key == key) return &UnitsOf(p.quantity);
  }
  // A mixed stream's state: its column without the stream's prefix.
  if (key.size() > 2 && (key.substr(0, 2) == "a_" || key.substr(0, 2) == "b_")) {
    key.remove_prefix(2);
  }
  if (key == "dry_bulb") return &UnitsOf(Quantity::Temperature);
  for (const Pair& pair : AllPairs) {
    for (const Property& given : pair.given) {
      if (given.key == key) return QuantityOfLibraryUnit(given.unit);
    }
  }
  return nullptr;
}

std::string_view SystemUnit(std::string_view key, bool ip) noexcept {
  const QuantityUnits* quantity = ColumnQuantity(key);
  if (quantity == nullptr) return {};
  return ip ? quantity->ip : quantity->library;
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
    const std::vector<std::string> all = AllColumnKeys();
    if (quantity == nullptr || std::find(all.begin(), all.end(), column) == all.end()) {
      const std::vector<std::string_view> words(all.begin(), all.end());
      return option + ": '" + std::string(column) + "' is not " + InWords(ColumnKeys()) +
             " (or a process's column)" + DidYouMean(column, words);
    }
    const Unit* unit = FindColumnUnit(*quantity, spelling);
    if (unit == nullptr) return option + ": " + NotAUnit(spelling, *quantity);
    const std::string_view key = ColumnKey(column);
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
  const Unit* header = written.empty() ? nullptr : FindColumnUnit(quantity, written);
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
             : FindColumnUnit(quantity, fallback.empty() ? quantity.library : fallback);
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
  // The pressure hints know the total pressure's range: a vapour pressure's is
  // far below it.
  if (unit.quantity == Quantity::Pressure && key != "pressure") return "";
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
