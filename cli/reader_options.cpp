#include "cli/reader_options.h"

#include <string_view>

#include "cli/compute.h"

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

std::string ReadPair(const ReaderOptions& options, tables::ReadOptions& read) {
  std::string chooser;  // the first option that chose the pair
  if (!options.pair.empty()) {
    for (std::size_t p = 0; p < kSecondKeys.size(); ++p) {
      if (options.pair == kSecondKeys[p]) read.pair = p;
    }
    if (!read.pair) {
      return std::string(kPairOption) + ": '" + options.pair + "' is not " + InWords(kSecondKeys);
    }
    chooser = std::string(kPairOption) + " " + options.pair;
  }
  read.secondColumns = options.secondColumns;
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

}  // namespace

void AddReaderOptions(CLI::App& app, ReaderOptions& options) {
  app.add_option(std::string(kDelimiterOption), options.delimiter,
                 "Fields end at C: , ; or tab (the header decides)")
      ->type_name("C");
  app.add_flag("--decimal-comma", options.decimalComma, "Numbers have a decimal comma: 23,5")
      ->disable_flag_override();
  app.add_option("--missing", options.missing, "A gap (empty, NA, N/A, NaN, -, null) is missing")
      ->type_name("missing|bad");
  // The options that name columns, in the order --help lists them: dry_bulb, the
  // second values by hygrian::Pairs, the pressure. The vector's strings stay put.
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
  column("pressure", options.pressureColumn, "is");
  app.add_option(std::string(kPairOption), options.pair,
                 "The second value, when the header holds several")
      ->type_name("NAME");
}

std::string ReadReaderOptions(const ReaderOptions& options, tables::ReadOptions& read) {
  read = ProgramReadOptions();
  const std::string& d = options.delimiter;
  if (d == "," || d == ";") {
    read.delimiter = d[0];
  } else if (d == "tab" || d == "\t" || d == "\\t") {
    read.delimiter = '\t';
  } else if (!d.empty()) {
    return std::string(kDelimiterOption) + ": '" + d + "' is not ',', ';' or tab";
  }
  read.decimalComma = options.decimalComma;
  if (read.decimalComma && read.delimiter == ',') {
    return "--decimal-comma: the delimiter cannot be a comma";
  }
  if (options.missing == "bad") {
    read.missingIsBad = true;
  } else if (!options.missing.empty() && options.missing != "missing") {
    return "--missing: '" + options.missing + "' is not missing or bad";
  }
  read.dryBulbColumn = options.dryBulbColumn;
  read.pressureColumn = options.pressureColumn;
  return ReadPair(options, read);
}

}  // namespace hygrian::cli
