#include "tables/table.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "tables/numbers.h"
#include "tables/text.h"

namespace hygrian::tables {
namespace {

constexpr std::size_t kMaxSuggestionFields = 256;  // the header fields a suggestion looks at
constexpr std::string_view kSuggestionStart = "; did you mean '";

std::string Key(std::string_view name) {
  while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
  std::string key(name);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

// Whether a key names the column wanted, or (withUnit) the same followed by a unit.
bool Names(std::string_view key, std::string_view wanted, bool withUnit) {
  return key == wanted || (withUnit && NameWithoutUnit(key) == wanted);
}

// Claims column i for one role; false if the role already has a column.
bool Claim(std::size_t& role, std::size_t i) {
  if (role != kNoColumn) return false;
  role = i;
  return true;
}

char* Append(char* out, std::string_view text) {
  // An empty view may hold a null pointer, which memcpy may not be given.
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

char* AppendCount(char* out, std::uint64_t value) {
  return std::to_chars(out, out + 24, value).ptr;
}

// text cut at kQuotedValueBytes (before a UTF-8 continuation byte) with "..."
// after it, control bytes as '?'. At most kQuotedValueBytes + 3 bytes.
char* AppendCut(char* out, std::string_view text) {
  std::size_t size = text.size();
  if (size > kQuotedValueBytes) {
    size = kQuotedValueBytes;
    while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0U) == 0x80U) --size;
  }
  for (std::size_t i = 0; i < size; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    *out++ = c < 0x20 || c == 0x7F ? '?' : text[i];
  }
  return size < text.size() ? Append(out, "...") : out;
}

std::string Cut(std::string_view text) {
  std::array<char, kQuotedValueBytes + 3> buffer{};
  return {buffer.data(), AppendCut(buffer.data(), text)};
}

std::string QuoteNotClosed(std::uint64_t line) {
  char digits[24];
  return "quote opened at line " +
         std::string(digits, std::to_chars(digits, digits + sizeof digits, line).ptr) +
         " is not closed";
}

std::string_view Trimmed(std::string_view text) noexcept {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Gaps a logger leaves: empty, NA, N/A, NaN, -, null, --- and #N/A, in any case.
bool IsBuiltInGap(std::string_view text) noexcept {
  if (text.size() > 4) return false;
  std::array<char, 4> lower{};
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    lower[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  const std::string_view word(lower.data(), text.size());
  return word.empty() || word == "na" || word == "n/a" || word == "nan" || word == "-" ||
         word == "null" || word == "---" || word == "#n/a";
}

// Whether a number read is one of the numeric gap markers.
bool IsGapNumber(double value, const ReadOptions& options) noexcept {
  return std::find(options.missingNumbers.begin(), options.missingNumbers.end(), value) !=
         options.missingNumbers.end();
}

// A name as a reader means it, for suggestions: lower case, without units in
// brackets, blanks and punctuation ("Dry Bulb (degC)" and "dry_bulb" are "drybulb").
std::string Loose(std::string_view name) {
  std::string loose;
  int depth = 0;
  for (const char c : name) {
    if (c == '(' || c == '[' || c == '{') ++depth;
    if (depth == 0) {
      const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
      if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9') ||
          static_cast<unsigned char>(c) >= 0x80) {
        loose += lower;
      }
    }
    if ((c == ')' || c == ']' || c == '}') && depth > 0) --depth;
  }
  return loose;
}

// The header's field that a reader most likely meant by one of wanted, as
// "; did you mean 'Dry Bulb (degC)'?", or "": the same loose name, else one
// within an edit or two of a loose name of at least five letters.
std::string Suggestion(const CsvRecord& header, const std::vector<std::string>& wanted) {
  std::string_view best;
  std::size_t bestDistance = 3;
  for (const std::string& name : wanted) {
    const std::string want = Loose(name);
    if (want.empty()) continue;
    for (std::size_t i = 0; i < header.fields.size() && i < kMaxSuggestionFields; ++i) {
      const std::string field = Loose(header.fields[i]);
      if (field.empty() || field.size() > 2 * want.size() + 8) continue;
      const std::size_t d = EditDistance(field, want);
      if (d < bestDistance && (d == 0 || want.size() >= 5)) {
        best = header.fields[i];
        bestDistance = d;
      }
    }
  }
  return best.empty() ? "" : std::string(kSuggestionStart) + Cut(Trimmed(best)) + "'?";
}

constexpr std::size_t kFoundNamesShown = 12;

// What a header error adds: the columns found, the names accepted, and a hint
// at the delimiter when the header is one field holding ';' or a tab.
std::string FoundAndAccepted(const CsvRecord& header, const std::string& dryName,
                             const std::vector<std::string>& pairNames,
                             const std::string& pressureName, const std::string& morePairs,
                             const ReaderWords& words) {
  std::string text = "; columns found: ";
  for (std::size_t i = 0; i < header.fields.size() && i < kFoundNamesShown; ++i) {
    text += (i > 0 ? ", " : "") + Cut(header.fields[i]);
  }
  if (header.fieldCount > kFoundNamesShown) text += ", ...";
  text += "; names accepted: " + dryName;
  for (const std::string& name : pairNames) text += ", " + name;
  text += ", " + pressureName;
  if (!words.columnOptions.empty()) {
    text.append(" (or others through ").append(words.columnOptions).append(")");
  }
  if (!morePairs.empty()) text += "; or without dry_bulb: " + morePairs;
  if (!words.encoding.empty() &&
      std::any_of(header.fields.begin(), header.fields.end(),
                  [](std::string_view field) { return !IsUtf8(field); })) {
    text.append("; the header is not UTF-8: ").append(words.encoding).append("?");
  }
  if (header.fieldCount == 1 && !header.fields.empty() && !words.delimiter.empty()) {
    const std::string_view only = header.fields[0];
    const std::string option(words.delimiter);
    if (only.find(';') != std::string_view::npos) {
      text += "; one field holding ';': " + option + " ';'?";
    }
    if (only.find('\t') != std::string_view::npos) {
      text += "; one field holding a tab: " + option + " tab?";
    }
  }
  return text;
}

// "a, b or c".
std::string InWords(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
  }
  return text;
}

// The key a column of a role is looked for by: the name given, or the standard one.
std::string RoleKey(const std::string& given, std::string_view standard) {
  return given.empty() ? std::string(standard) : Key(given);
}

// A second value that a caller who writes results does not write among them (a
// specific humidity) is carried, so that no given value is lost.
void CarryUnlessResult(Layout& layout, const ReadOptions& options) {
  const auto& results = options.resultColumns;
  if (results.empty() ||
      std::find(results.begin(), results.end(), layout.secondKey) != results.end()) {
    return;
  }
  layout.carried.insert(
      std::lower_bound(layout.carried.begin(), layout.carried.end(), layout.second), layout.second);
}

// The unit's text and the name before it, as NameUnit and NameWithoutUnit give them.
std::pair<std::string_view, std::string_view> SplitUnit(std::string_view name) noexcept {
  name = Trimmed(name);
  if (name.empty() || (name.back() != ')' && name.back() != ']')) return {name, {}};
  const char open = name.back() == ')' ? '(' : '[';
  const std::size_t start = name.rfind(open);
  if (start == std::string_view::npos || start == 0) return {name, {}};
  return {Trimmed(name.substr(0, start)), Trimmed(name.substr(start + 1, name.size() - start - 2))};
}

}  // namespace

std::string_view NameUnit(std::string_view name) noexcept { return SplitUnit(name).second; }
std::string_view NameWithoutUnit(std::string_view name) noexcept { return SplitUnit(name).first; }

namespace {

// The columns of the roles a header may name, as ReadLayout finds them.
struct RoleColumns {
  std::size_t dryBulb = kNoColumn;
  std::vector<std::size_t> seconds;  // by ReadOptions::secondKeys
  std::vector<std::size_t> others;   // by ReadOptions::otherKeys
  // The column of a standard key, or kNoColumn.
  [[nodiscard]] std::size_t Of(std::string_view key, const ReadOptions& options) const {
    if (key == "dry_bulb") return dryBulb;
    for (std::size_t p = 0; p < options.secondKeys.size(); ++p) {
      if (options.secondKeys[p] == key) return seconds[p];
    }
    for (std::size_t k = 0; k < options.otherKeys.size(); ++k) {
      if (options.otherKeys[k] == key) return others[k];
    }
    return kNoColumn;
  }
};

// Reads the pair of morePairs[more] into layout.
void TakeMorePair(std::size_t more, const RoleColumns& roles, Layout& layout,
                  const ReadOptions& options) {
  const PairKeys& keys = options.morePairs[more];
  layout.pair = options.secondKeys.size() + more;
  layout.firstKey = keys.first;
  layout.secondKey = keys.second;
  layout.first = roles.Of(keys.first, options);
  layout.second = roles.Of(keys.second, options);
}

// The pairs of morePairs without dry_bulb, when the header seems to mean one:
// it holds a column of otherKeys, or two columns that such pairs read.
// "humidity_ratio+enthalpy, ... or humidity_ratio+relative_humidity", or "".
std::string MorePairsMeant(const RoleColumns& roles, const ReadOptions& options) {
  std::vector<std::string> pairs;
  std::vector<std::string_view> held;
  for (const PairKeys& keys : options.morePairs) {
    if (keys.first == "dry_bulb") continue;
    pairs.push_back(std::string(keys.first) + "+" + std::string(keys.second));
    for (const std::string_view key : {keys.first, keys.second}) {
      if (roles.Of(key, options) != kNoColumn &&
          std::find(held.begin(), held.end(), key) == held.end()) {
        held.push_back(key);
      }
    }
  }
  const bool other = std::any_of(roles.others.begin(), roles.others.end(),
                                 [](std::size_t column) { return column != kNoColumn; });
  return other || held.size() > 1 ? InWords(pairs) : "";
}

// The pair a header's columns give, in one pass over every pair (secondKeys'
// with dry_bulb, then morePairs): the one chosen (chosen), else the dry-bulb
// pairs whose columns are there (those read only alone when no other is; the
// last of several, all named in candidates), else the first of morePairs that is.
struct PairChoice {
  bool found = false;
  std::size_t pair = 0;    // by secondKeys, then morePairs
  std::size_t count = 0;   // dry-bulb pairs found alike
  std::string candidates;  // their names, ", " between
};
PairChoice ChoosePair(const RoleColumns& roles, const ReadOptions& options,
                      std::optional<std::size_t> chosen, const std::vector<std::string>& names) {
  const std::size_t pairs = options.secondKeys.size();
  PairChoice choice;
  int best = 0;
  for (std::size_t q = 0; q < pairs + options.morePairs.size(); ++q) {
    const bool there =
        q < pairs ? roles.dryBulb != kNoColumn && roles.seconds[q] != kNoColumn
                  : roles.Of(options.morePairs[q - pairs].first, options) != kNoColumn &&
                        roles.Of(options.morePairs[q - pairs].second, options) != kNoColumn;
    if ((chosen && q != *chosen) || !there) continue;
    const int rank = chosen || q < options.aloneFrom ? 0 : q < pairs ? 1 : 2;
    if (choice.found && (rank > best || (rank == best && rank == 2))) continue;
    if (!choice.found || rank < best) {
      choice.count = 0;
      choice.candidates.clear();
    }
    choice.found = true;
    best = rank;
    choice.pair = q;
    if (q < pairs) choice.candidates += (choice.count++ > 0 ? ", " : "") + names[q];
  }
  return choice;
}

// ReadLayout but for the columns of the second values read only alone, which
// it gives in `alone` (but for a result's).
std::string ReadRoles(const CsvRecord& header, Layout& layout, const ReadOptions& options,
                      std::vector<std::size_t>& alone) {
  layout = Layout{};
  if (header.unclosedQuote != 0) return QuoteNotClosed(header.unclosedQuote);
  if (header.fieldTooLong) return "header field longer than 1 MiB";
  if (header.fieldCount > kMaxColumns) return "more than 65536 columns";
  const std::string dryName = RoleKey(options.dryBulbColumn, "dry_bulb");
  const std::string pressureName = RoleKey(options.pressureColumn, "pressure");
  const std::size_t pairs = options.secondKeys.size();
  std::vector<std::string> pairNames(pairs);
  std::optional<std::size_t> chosen;
  for (std::size_t p = 0; p < pairs; ++p) {
    const std::string given = p < options.secondColumns.size() ? options.secondColumns[p] : "";
    pairNames[p] = RoleKey(given, options.secondKeys[p]);
    if (!given.empty() || options.pair == p) chosen = p;
  }
  std::vector<std::string> otherNames(options.otherKeys.size());
  for (std::size_t k = 0; k < otherNames.size(); ++k) {
    otherNames[k] = RoleKey(k < options.otherColumns.size() ? options.otherColumns[k] : "",
                            options.otherKeys[k]);
  }
  // A pair beyond both lists (a caller's slip) chooses none.
  const bool chosenMore =
      options.pair && *options.pair >= pairs && *options.pair - pairs < options.morePairs.size();
  layout.pressureRange = options.pressureRange;
  RoleColumns roles;
  roles.seconds.assign(pairs, kNoColumn);
  roles.others.assign(otherNames.size(), kNoColumn);
  const auto named = [&](const std::vector<std::string>& names, const std::string& key) {
    return std::find_if(names.begin(), names.end(), [&](const std::string& name) {
      return Names(key, name, options.namesWithUnits);
    });
  };
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    layout.names.emplace_back(header.fields[i]);
    layout.keys.push_back(Key(header.fields[i]));
    const std::string& key = layout.keys.back();
    if (Names(key, dryName, options.namesWithUnits)) {
      if (!Claim(roles.dryBulb, i)) return "two " + dryName + " columns";
      continue;
    }
    if (const auto pair = named(pairNames, key); pair != pairNames.end()) {
      if (!Claim(roles.seconds[static_cast<std::size_t>(pair - pairNames.begin())], i)) {
        return "two " + *pair + " columns";
      }
      continue;
    }
    if (const auto other = named(otherNames, key); other != otherNames.end()) {
      if (!Claim(roles.others[static_cast<std::size_t>(other - otherNames.begin())], i)) {
        return "two " + *other + " columns";
      }
      continue;
    }
    const bool pressure = Names(key, pressureName, options.namesWithUnits);
    if (pressure && !Claim(layout.pressure, i)) return "two " + pressureName + " columns";
    // A table the caller wrote: its results are computed again, not carried.
    const auto& results = options.resultColumns;
    if (!pressure && std::find(results.begin(), results.end(), key) != results.end()) {
      continue;
    }
    layout.carried.push_back(i);
  }
  layout.first = roles.dryBulb;
  for (std::size_t p = options.aloneFrom; p < pairs; ++p) {
    const std::size_t column = roles.seconds[p];
    const auto& results = options.resultColumns;
    if (column != kNoColumn &&
        std::find(results.begin(), results.end(), options.secondKeys[p]) == results.end()) {
      alone.push_back(column);
    }
  }
  // A column of otherKeys that no pair reads is carried as any other.
  const auto carryOthers = [&] {
    for (const std::size_t column : roles.others) {
      if (column == kNoColumn || column == layout.first || column == layout.second) continue;
      const auto& results = options.resultColumns;
      if (std::find(results.begin(), results.end(), layout.keys[column]) != results.end()) {
        continue;
      }
      layout.carried.insert(std::lower_bound(layout.carried.begin(), layout.carried.end(), column),
                            column);
    }
  };
  // The names as the options give them, for messages.
  const auto shown = [](const std::string& given, std::string_view standard) {
    return given.empty() ? std::string(standard) : std::string(Trimmed(given));
  };
  const std::string dryShown = shown(options.dryBulbColumn, "dry_bulb");
  std::vector<std::string> pairShown(pairs);
  for (std::size_t p = 0; p < pairs; ++p) {
    pairShown[p] = shown(p < options.secondColumns.size() ? options.secondColumns[p] : "",
                         options.secondKeys[p]);
  }
  const std::string meant = roles.dryBulb == kNoColumn ? MorePairsMeant(roles, options) : "";
  const auto found = [&](const std::vector<std::string>& wanted) {
    return Suggestion(header, wanted) + FoundAndAccepted(header, dryShown, pairShown,
                                                         shown(options.pressureColumn, "pressure"),
                                                         meant, options.words);
  };
  const PairChoice choice =
      ChoosePair(roles, options, chosenMore ? options.pair : chosen, pairNames);
  if (!choice.found) {
    if (chosenMore) {
      TakeMorePair(*options.pair - pairs, roles, layout, options);
      layout.first = roles.dryBulb;
      const std::string_view key =
          roles.Of(layout.firstKey, options) == kNoColumn ? layout.firstKey : layout.secondKey;
      return "no " + std::string(key) + " column" + found({std::string(key)});
    }
    if (roles.dryBulb == kNoColumn) return "no " + dryShown + " column" + found({dryShown});
    if (chosen) return "no " + pairShown[*chosen] + " column" + found({pairShown[*chosen]});
    return "no " + InWords(pairShown) + " column" + found(pairShown);
  }
  if (choice.pair < pairs) {
    layout.pair = choice.pair;
    layout.secondKey = options.secondKeys[choice.pair];
    layout.second = roles.seconds[choice.pair];
  } else {
    TakeMorePair(choice.pair - pairs, roles, layout, options);
  }
  CarryUnlessResult(layout, options);
  carryOthers();
  if (choice.count > 1) {
    return "several second values (" + choice.candidates + ")" +
           (options.words.pair.empty() ? ""
                                       : ": choose one with " + std::string(options.words.pair));
  }
  return {};
}

}  // namespace

std::string ReadLayout(const CsvRecord& header, Layout& layout, const ReadOptions& options) {
  std::vector<std::size_t> alone;
  std::string problem = ReadRoles(header, layout, options, alone);
  if (!problem.empty()) return problem;
  // A column of a second value read only alone and not read is carried, as any
  // column but a result.
  for (const std::size_t column : alone) {
    if (column == layout.second) continue;
    layout.carried.insert(std::lower_bound(layout.carried.begin(), layout.carried.end(), column),
                          column);
  }
  return problem;
}

bool SameColumns(const Layout& a, const Layout& b) noexcept { return a.keys == b.keys; }

Measured ReadMeasured(const Layout& layout, const CsvRecord& record, double defaultPressure,
                      const PressureUnit& pressureUnit, const ReadOptions& options) noexcept {
  Measured measured;
  measured.found = record.fieldCount;
  if (record.unclosedQuote != 0) {
    measured.bad = BadInput::UnclosedQuote;
    measured.quoteLine = record.unclosedQuote;
    return measured;
  }
  if (record.fieldTooLong) {
    measured.bad = BadInput::FieldTooLong;
    return measured;
  }
  if (record.fieldCount != layout.Columns()) {
    measured.bad = BadInput::FieldCount;
    return measured;
  }
  // gaps: whether a missing value is Missing rather than bad input. A number
  // that marks a gap is one, or bad input of its own with --missing=bad.
  const auto read = [&](std::size_t column, std::string_view name, double& value, bool gaps) {
    const std::string_view text = record.fields[column];
    const Number number = ParseNumber(text, options.decimalComma);
    const bool marked = number.status == NumberStatus::Ok && !options.missingNumbers.empty() &&
                        IsGapNumber(number.value, options);
    if (number.status == NumberStatus::Ok && !marked) {
      value = number.value;
      return true;
    }
    measured.column = name;
    measured.text = text;
    if (marked) {
      measured.bad = options.missingIsBad ? BadInput::MarkedGap : BadInput::Missing;
    } else if (gaps && IsGap(text, options)) {
      measured.bad = BadInput::Missing;
    } else if (number.status == NumberStatus::Empty) {
      measured.bad = BadInput::Empty;
    } else {
      measured.bad =
          number.status == NumberStatus::OutOfRange ? BadInput::OutOfRange : BadInput::NotANumber;
    }
    return false;
  };
  const bool gaps = !options.missingIsBad;
  measured.firstRead = read(layout.first, layout.firstKey, measured.first, gaps);
  if (!measured.firstRead && measured.bad != BadInput::Missing) return measured;
  if (!measured.firstRead) {
    // A gap in the first value: the second value is kept if it is there.
    const Measured gap = measured;
    measured.secondRead = read(layout.second, layout.secondKey, measured.second, gaps);
    measured.bad = gap.bad;
    measured.column = gap.column;
    measured.text = gap.text;
    return measured;
  }
  measured.secondRead = read(layout.second, layout.secondKey, measured.second, gaps);
  if (!measured.secondRead) return measured;
  (void)ReadPressure(layout, record, defaultPressure, pressureUnit, options, measured);
  return measured;
}

bool ReadPressure(const Layout& layout, const CsvRecord& record, double defaultPressure,
                  const PressureUnit& pressureUnit, const ReadOptions& options,
                  Measured& measured) noexcept {
  measured.pressure = defaultPressure;
  if (layout.pressure == kNoColumn || layout.pressure >= record.fields.size()) return true;
  const std::string_view text = record.fields[layout.pressure];
  const Number number = ParseNumber(text, options.decimalComma);
  // An empty field or a gap takes the default pressure.
  const bool gaps = !options.missingIsBad;
  if (number.status == NumberStatus::Empty) return true;
  if (gaps && number.status != NumberStatus::Ok && IsGap(text, options)) return true;
  if (gaps && number.status == NumberStatus::Ok && IsGapNumber(number.value, options)) {
    return true;
  }
  if (number.status != NumberStatus::Ok || IsGapNumber(number.value, options)) {
    measured.bad = number.status == NumberStatus::OutOfRange ? BadInput::OutOfRange
                   : number.status == NumberStatus::Ok       ? BadInput::MarkedGap
                                                             : BadInput::NotANumber;
    measured.column = "pressure";
    measured.text = text;
    return false;
  }
  const double kilopascals = ToKilopascals(number.value, pressureUnit);
  if (!PressureInRange(kilopascals, layout.pressureRange)) {
    measured.bad = BadInput::PressureOutsideRange;
    measured.column = "pressure";
    measured.pressure = number.value;
    measured.pressureUnit = pressureUnit;
    return false;
  }
  measured.pressure = kilopascals;
  return true;
}

bool IsGap(std::string_view text, const ReadOptions& options) noexcept {
  text = Trimmed(text);
  if (IsBuiltInGap(text)) return true;
  if (options.missingTexts.empty()) return false;
  for (const std::string& marker : options.missingTexts) {
    if (marker.size() != text.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < text.size() && same; ++i) {
      const char c = text[i];
      same = (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == marker[i];
    }
    if (same) return true;
  }
  return false;
}

std::string_view BadInputText(const Layout& layout, const Measured& measured,
                              ReasonBuffer& buffer) noexcept {
  char* out = buffer.data();
  const auto quoted = [&](std::string_view what) {
    out = Append(Append(out, measured.column), " \"");
    out = Append(Append(AppendCut(out, measured.text), "\" "), what);
  };
  switch (measured.bad) {
    case BadInput::None:
      break;
    case BadInput::Missing:
      out = Append(Append(out, measured.column), " is missing");
      break;
    case BadInput::UnclosedQuote:
      out = AppendCount(Append(out, "quote opened at line "), measured.quoteLine);
      out = Append(out, " is not closed");
      break;
    case BadInput::FieldTooLong:
      out = Append(out, "field longer than 1 MiB");
      break;
    case BadInput::FieldCount:
      out = Append(out, "expected ");
      out = AppendCount(out, layout.Columns());
      out = Append(out, " fields, found ");
      out = AppendCount(out, measured.found);
      if (layout.delimiter == ',' && layout.decimalComma && measured.found > layout.Columns()) {
        out = Append(out, ": where commas end fields, decimal commas need quotes (\"23,5\")");
      }
      break;
    case BadInput::Empty:
      out = Append(Append(out, measured.column), " is empty");
      break;
    case BadInput::NotANumber:
      quoted("is not a number");
      break;
    case BadInput::OutOfRange:
      quoted("is out of range");
      break;
    case BadInput::MarkedGap:
      quoted("marks a gap");
      break;
    case BadInput::PressureOutsideRange:
      out = WriteOutsideRange(Append(out, "pressure "), measured.pressure, measured.pressureUnit,
                              layout.pressureRange);
      break;
  }
  return {buffer.data(), static_cast<std::size_t>(out - buffer.data())};
}

TableReader::HeaderStatus TableReader::ReadHeader(std::string& message) {
  // The likeliest header's message and columns, in case no line is the header.
  std::string first;
  std::uint64_t firstLine = 0;
  Layout firstLayout;
  bool firstClose = false;
  std::size_t tried = 0;
  for (;;) {
    std::string problem;
    const CsvNext next = ReadCandidate(problem);
    if (next == CsvNext::ReadError) return HeaderStatus::ReadError;
    if (next == CsvNext::End) {
      if (tried == 0) return HeaderStatus::Empty;
      break;
    }
    if (headerLine_ <= options_.skipLines) continue;
    if (problem.empty()) {
      layout_.delimiter = delimiter_;
      layout_.decimalComma = options_.decimalComma;
      csv_.SetFieldLimit(layout_.Columns());
      return HeaderStatus::Ok;
    }
    // A line that names dry_bulb is the header, whatever else is wrong with it.
    if (layout_.first != kNoColumn) {
      message = std::move(problem);
      return HeaderStatus::Invalid;
    }
    // The first line is the likeliest header, unless a later one has a field
    // close to a name asked for.
    const bool close = problem.find(kSuggestionStart) != std::string::npos;
    if (tried++ == 0 || (close && !firstClose)) {
      firstClose = close;
      first = std::move(problem);
      firstLine = headerLine_;
      firstLayout = layout_;
    }
    if (tried >= kHeaderSearchLines || csv_.BytesRead() >= kHeaderSearchBytes) break;
  }
  message = std::move(first);
  headerLine_ = firstLine;
  layout_ = std::move(firstLayout);
  return HeaderStatus::Invalid;
}

CsvNext TableReader::ReadCandidate(std::string& message) {
  csv_.SetFieldLimit(kMaxColumns + 1);
  const bool detect = options_.delimiter == '\0';
  csv_.SetWholeLines(detect);
  if (!detect) csv_.SetDelimiter(options_.delimiter);
  delimiter_ = options_.delimiter;
  CsvRecord header;
  const CsvNext next = csv_.Next(header);
  csv_.SetWholeLines(false);
  if (next != CsvNext::Record) return next;
  headerLine_ = header.line;
  layout_ = Layout{};
  if (headerLine_ <= options_.skipLines) return next;
  if (!detect || header.fieldTooLong || header.fields.empty()) {
    message = ReadLayout(header, layout_, options_);
  } else {
    message = ReadDetected(header.fields[0]);
  }
  return next;
}

std::string TableReader::ReadDetected(std::string_view line) {
  // The delimiters that split the line, each reading it as CSV would.
  std::string splitting;
  for (const char delimiter : {',', ';', '\t'}) {
    TextSource source(line);
    CsvReader reader(source, line.size() + 4);
    reader.SetDelimiter(delimiter);
    CsvRecord record;
    if (reader.Next(record) == CsvNext::Record && record.fieldCount > 1) splitting += delimiter;
  }
  if (splitting.size() > 1) {
    std::string names;
    for (const char c : splitting) {
      if (!names.empty()) names += " and ";
      if (c == '\t') {
        names += "tab";
      } else {
        names.append(1, '\'').append(1, c).append(1, '\'');
      }
    }
    return "the header splits at " + names +
           (options_.words.delimiter.empty()
                ? ""
                : ": choose with " + std::string(options_.words.delimiter));
  }
  const char delimiter = !splitting.empty() ? splitting[0] : options_.decimalComma ? ';' : ',';
  csv_.SetDelimiter(delimiter);
  delimiter_ = delimiter;
  TextSource source(line);
  CsvReader reader(source, line.size() + 4);
  reader.SetDelimiter(delimiter);
  reader.SetFieldLimit(kMaxColumns + 1);
  CsvRecord header;
  if (reader.Next(header) != CsvNext::Record) header = CsvRecord{};
  if (header.unclosedQuote != 0) header.unclosedQuote = headerLine_;
  return ReadLayout(header, layout_, options_);
}

CsvNext TableReader::Next(Row& row) {
  const CsvNext next = csv_.Next(row.record);
  if (next == CsvNext::Record) {
    row.measured = ReadMeasured(layout_, row.record, defaultPressure_, pressureUnit_, options_);
  }
  return next;
}

}  // namespace hygrian::tables
