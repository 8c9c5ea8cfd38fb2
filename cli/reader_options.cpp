#include "cli/reader_options.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "cli/compute.h"
#include "tables/encoding.h"
#include "tables/numbers.h"

namespace hygrian::cli {
namespace {

constexpr std::string_view kPairOption = "--pair";  // as ProgramReadOptions names them
constexpr std::string_view kDelimiterOption = "--delimiter";

// "--wet-bulb-column" for "wet_bulb".
std::string ColumnFlag(std::string_view key) {
  std::string flag = "--" + std::string(key) + "-column";
  for (char& c : flag) {
    if (c == '_') c = '-';
  }
  return flag;
}

// "a, b or c".
std::string InWords(std::span<const std::string_view> keys) {
  std::string text;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == keys.size() ? " or " : ", ") + std::string(keys[i]);
  }
  return text;
}

// The keys of the pairs beyond the dry-bulb ones: "dry_bulb_enthalpy", ...
std::vector<std::string_view> MorePairKeys() {
  std::vector<std::string_view> keys;
  for (std::size_t p = Pairs.size(); p < AllPairs.size(); ++p) keys.push_back(AllPairs[p].key);
  return keys;
}

std::string ReadPair(const ReaderOptions& options, tables::ReadOptions& read) {
  std::string chooser;  // the first option that chose the pair
  if (!options.pair.empty()) {
    for (std::size_t p = 0; p < AllPairs.size(); ++p) {
      if (options.pair == AllPairs[p].key ||
          (p < kSecondKeys.size() && options.pair == kSecondKeys[p])) {
        read.pair = p;
      }
    }
    if (!read.pair) {
      return std::string(kPairOption) + ": '" + options.pair + "' is not " + InWords(kSecondKeys) +
             " (with dry_bulb), nor a pair: " + InWords(MorePairKeys());
    }
    chooser = std::string(kPairOption) + " " + options.pair;
  }
  read.secondColumns = options.secondColumns;
  read.otherColumns = options.otherColumns;
  // A pair without dry_bulb takes the columns' names without being chosen by them.
  if (read.pair && SearchedPair(*read.pair)) return "";
  for (std::size_t p = 0; p < options.secondColumns.size(); ++p) {
    if (options.secondColumns[p].empty()) continue;
    const std::string flag = ColumnFlag(kSecondKeys[p]);
    if (read.pair && *read.pair != p) {
      return chooser.append(" and ").append(flag).append(": name one second value");
    }
    read.pair = p;
    if (chooser.empty()) chooser = flag;
  }
  return "";
}

// A delimiter given as text: one byte that cannot begin or be part of a number
// or a quoted field, or "tab".
std::string ReadDelimiter(const std::string& text, char& delimiter) {
  if (text.empty()) return "";
  if (text == "tab" || text == "\\t") {
    delimiter = '\t';
    return "";
  }
  const char c = text[0];
  if (text.size() != 1) return "'" + text + "' is not one byte (or tab)";
  if (c == '"' || c == '\r' || c == '\n' || c == '\0' || (c >= '0' && c <= '9') || c == '.' ||
      c == '+' || c == '-') {
    std::string shown = c == '\r' ? "CR" : c == '\n' ? "LF" : "'" + text + "'";
    return shown +
           " cannot end fields (any one byte but a quote, CR, LF, a digit, '.', '+' or '-')";
  }
  delimiter = c;
  return "";
}

// The gap markers of a list: numbers by value, other texts in lower case.
std::string ReadMarkers(const std::string& list, tables::ReadOptions& read) {
  if (list.empty()) return "";
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    std::string_view marker(list.data() + start, comma - start);
    while (!marker.empty() && (marker.front() == ' ' || marker.front() == '\t')) {
      marker.remove_prefix(1);
    }
    while (!marker.empty() && (marker.back() == ' ' || marker.back() == '\t')) {
      marker.remove_suffix(1);
    }
    if (marker.empty()) return "an empty marker (an empty field is a gap already)";
    const tables::Number number = tables::ParseNumber(marker);
    if (number.status == tables::NumberStatus::Ok) {
      read.missingNumbers.push_back(number.value);
    } else {
      std::string text(marker);
      for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      }
      read.missingTexts.push_back(std::move(text));
    }
    if (comma == list.size()) return "";
    start = comma + 1;
  }
}

}  // namespace

void AddReaderOptions(CLI::App& app, ReaderOptions& options, bool pressureColumn) {
  app.add_option("-d," + std::string(kDelimiterOption), options.delimiter,
                 "Fields end at C, one byte or tab (else , ; or tab)")
      ->type_name("C");
  app.add_flag("--decimal-comma", options.decimalComma, "Numbers have a decimal comma: 23,5")
      ->disable_flag_override();
  app.add_option("--missing", options.missing, "A gap (empty, NA, N/A, NaN, -, null, ---, #N/A)")
      ->type_name("missing|bad");
  app.add_option("--missing-values", options.missingValues,
                 "More gap markers: -9999,ERR (numbers by value)")
      ->type_name("LIST");
  app.add_option("--encoding", options.encoding, "Encoding unless UTF-8, or UTF-16 with its mark")
      ->type_name("latin1|cp1252");
  app.add_option("--skip-lines", options.skipLines, "N lines before the header (else found in 50)")
      ->type_name("N");
  // The options that name columns, in the order --help lists them: dry_bulb, the
  // second values by hygrian::Pairs, the other keys of hygrian::AllPairs, the
  // pressure. The vectors' strings stay put.
  const auto column = [&app](std::string_view key, std::string& name, std::string_view is) {
    app.add_option(ColumnFlag(key), name,
                   "The " + std::string(key) + " column " + std::string(is) + " COL")
        ->type_name("COL");
  };
  column("dry_bulb", options.dryBulbColumn, "is named");
  options.secondColumns.assign(kSecondKeys.size(), "");
  for (std::size_t p = 0; p < kSecondKeys.size(); ++p) {
    column(kSecondKeys[p], options.secondColumns[p], "is");
  }
  options.otherColumns.assign(kOtherKeys.size(), "");
  for (std::size_t k = 0; k < kOtherKeys.size(); ++k) {
    column(kOtherKeys[k], options.otherColumns[k], "is");
  }
  if (pressureColumn) column("pressure", options.pressureColumn, "is");
  app.add_option(std::string(kPairOption), options.pair,
                 "A second value among several, or a pair's name")
      ->type_name("NAME");
}

std::string ReadReaderOptions(const ReaderOptions& options, tables::ReadOptions& read) {
  read = ProgramReadOptions();
  if (std::string problem = ReadDelimiter(options.delimiter, read.delimiter); !problem.empty()) {
    return std::string(kDelimiterOption) + ": " + problem;
  }
  read.decimalComma = options.decimalComma;
  if (options.missing == "bad") {
    read.missingIsBad = true;
  } else if (!options.missing.empty() && options.missing != "missing") {
    return "--missing: '" + options.missing + "' is not missing or bad";
  }
  if (std::string problem = ReadMarkers(options.missingValues, read); !problem.empty()) {
    return "--missing-values: " + problem;
  }
  if (!options.encoding.empty()) {
    const auto encoding = tables::ReadEncoding(options.encoding);
    if (!encoding) return "--encoding: '" + options.encoding + "' is not utf-8, latin1 or cp1252";
    read.encoding = *encoding;
  }
  if (!options.skipLines.empty()) {
    const char* end = options.skipLines.data() + options.skipLines.size();
    const auto [stop, error] = std::from_chars(options.skipLines.data(), end, read.skipLines);
    if (error != std::errc() || stop != end) {
      return "--skip-lines: '" + options.skipLines + "' is not a whole number";
    }
  }
  read.dryBulbColumn = options.dryBulbColumn;
  read.pressureColumn = options.pressureColumn;
  return ReadPair(options, read);
}

}  // namespace hygrian::cli
