// hygrian-batch: moist-air states for every row of CSV tables. Options are read
// here; the run itself is RunBatch's.
#include <malloc.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "batch/process.h"
#include "batch/run.h"
#include "cli/command_line.h"
#include "cli/compute.h"
#include "cli/output_file.h"
#include "cli/process_options.h"
#include "cli/reader_options.h"
#include "cli/units.h"
#include "cli/words.h"
#include "hygrian/measures.h"
#include "hygrian/outcomes.h"

namespace {

using hygrian::batch::kProgramName;
using hygrian::cli::UnitKeysInWords;

// What a status word stands for, by its outcome's class.
constexpr std::array<std::string_view, 5> kClassWords = {
    "every value",
    "the values known; the others are empty",
    "only the two given values are written",
    "no values; the reason also goes to standard error as FILE:LINE: REASON",
    "a gap in one of the pair's values: empty, NA, N/A, NaN, -, null, ---, #N/A or "
    "--missing-values; the given values that are there",
};

// "ok (every value); no-wet-bulb (...); fault: TEXT (...); ...": each status word
// of the outcomes table once, in its order.
std::string StatusesInWords() {
  std::string text;
  for (std::size_t i = 0; i < hygrian::Outcomes.size(); ++i) {
    const hygrian::Outcome& outcome = hygrian::Outcomes[i];
    if (text.find(std::string(outcome.key) + " ") != std::string::npos ||
        text.find(std::string(outcome.key) + ":") != std::string::npos) {
      continue;
    }
    const bool withText = hygrian::RulesOf(outcome.kind).keyWithText;
    text += (text.empty() ? "" : "; ") + std::string(outcome.key) + (withText ? ": TEXT" : "") +
            " (" + std::string(kClassWords[static_cast<std::size_t>(outcome.kind)]) + ")";
  }
  return text;
}

// text broken at blanks into lines of at most 80 columns, the first starting
// with "  ", the others with "    ".
std::string Indented(const std::string& text) {
  constexpr std::size_t kWidth = 80;
  std::string lines = "\n  ";
  std::size_t lineStart = 1;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    if (lines.size() - lineStart + (end - start) + 1 > kWidth) {
      lines.back() = '\n';
      lineStart = lines.size();
      lines += "    ";
    }
    lines.append(text, start, end - start).append(" ");
    start = end + 1;
  }
  lines.pop_back();
  return lines;
}

// The processes, each with its parameters' columns on lines of its own.
std::string ProcessHelp() {
  std::string lines;
  for (const hygrian::batch::ProcessKind& kind : hygrian::batch::kProcesses) {
    lines += Indented(std::string(kind.word) + " (" + std::string(kind.what) +
                      "): " + hygrian::batch::ParametersInWords(kind));
  }
  return "\n\nProcesses (--process WORD, or a process column naming each row's; handbook\n"
         "model): each row is air going through one piece of equipment. The entering\n"
         "air's columns are read as above (for mix, a_dry_bulb, a_ and a second value's\n"
         "name, and the same with b_), and the parameters from columns by name (the\n"
         "first form whose columns are all there):" +
         lines +
         "\nIn a table with a process column, a row whose dry_bulb and second value are\n"
         "both empty enters where the row above leaves, with its dry-air flow (its flow\n"
         "may be empty). Columns are in the units of the options (--units), unless\n"
         "--unit or the header names theirs; heat_rate and the loads in --load-unit (kW,\n"
         "W, Btu/h, MBH or ton; kW, or Btu/h with --units ip), flows in --flow-unit\n"
         "(kg/s, kg/h or lb/h of dry air, or m3/s, m3/h, L/s or cfm of the air at the\n"
         "state where it is given, or at standard air, 1.2 kg/m3 or 0.075 lb/ft3, with\n"
         "--flow-basis standard; kg/s, or lb/h with --units ip). Output: the input's\n"
         "columns (but result columns), then leaving_ and each of the nine properties,\n"
         "leaving_flow (dry air), sensible_load, latent_load, enthalpy_change (the air's,\n"
         "m (h2 - h1)), total_load (heat into the air across the boundary: 0 for mixing\n"
         "and humidifiers), sensible_heat_ratio, water_added or condensate (mix's fog,\n"
         "coil's water), apparatus_dew_point and bypass_factor (coil), and status. Flows\n"
         "and water are written in --flow-unit when it is a mass flow's, else kg/s (lb/h\n"
         "with --units ip).";
}

// The measures (hygrian/measures.h) and their input columns, from the tables.
std::string MeasureHelp() {
  std::string measures;
  for (const hygrian::Measure& measure : hygrian::Measures) {
    std::string inputs;
    for (const std::string_view input : measure.inputs) {
      if (!input.empty()) inputs += (inputs.empty() ? "; " : ", ") + std::string(input);
    }
    measures += Indented(std::string(measure.key) + " (" + std::string(measure.unit) + ", " +
                         std::string(measure.ip) + inputs + "): " + std::string(measure.name));
  }
  std::string inputs;
  for (const hygrian::MeasureInput& input : hygrian::MeasureInputs) {
    const std::string unit = input.unit == "degC" ? "degC or degF" : std::string(input.unit);
    inputs +=
        Indented(std::string(input.key) + " (" + unit + "): " + std::string(input.description));
  }
  return "\n\nMeasures (--columns KEY; unit, IP unit; the input columns each needs): each\n"
         "row's heat stress and derived quantities from its state and pressure:" +
         measures +
         "\nInput columns (temperatures in degF with --units ip; a gap: no value):" + inputs +
         "\nA measure whose input column is missing is a usage error. One outside its range\n"
         "is empty, and an ok row's status outside-measure-range. A table with the\n"
         "columns mean_radiant_temperature, air_speed, metabolic_rate and clothing gets\n"
         "pmv and ppd (Fanger's comfort) before status.";
}

std::string Description() {
  return "Compute the moist-air state of every row of CSV tables.\n"
         "\n"
         "Reads each FILE in turn (standard input when there is none, or for -) and\n"
         "writes one CSV table to standard output: a header, then one row per input row.\n"
         "\n"
         "Input: fields end at commas, semicolons or tabs (--delimiter, any one byte, else "
         "the one that splits the header line); title lines above the header are passed "
         "over. UTF-8 or UTF-16 with its mark (--encoding for others). The header names "
         "dry_bulb (degC) and one of " +
         hygrian::cli::SecondValuesInWords() +
         "; a header without such a pair names two columns of another (the handbook "
         "model's, solved by a search; enthalpy in kJ/kg), the first of " +
         hygrian::cli::MorePairsInWords() +
         " found. Names in any case, blanks around them ignored; other names are given "
         "with the --...-column options, and --pair chooses among several second values, "
         "or names a pair (humidity_ratio_enthalpy). An optional pressure column gives "
         "each row's total pressure in --pressure-unit (an empty field takes --pressure). "
         "Other columns are carried through, in front of the results; result columns "
         "(this program's own output) are computed afresh. Several files must have the "
         "same header; one that differs, is empty or cannot be read is skipped.\n"
         "\n"
         "Units: a column's unit is --unit COLUMN=UNIT (COLUMN: a column's name above or "
         "pressure), else the one its header name ends with in parentheses or brackets "
         "(\"Temp (°F)\", \"RH [%]\"), else the one above (with --units ip: degF, %, lb/lb, "
         "Btu/lb, psi); the two must agree. "
         "Temperatures: " +
         UnitKeysInWords(hygrian::Quantity::Temperature) +
         "; pressures: " + UnitKeysInWords(hygrian::Quantity::Pressure) +
         "; relative humidity: " + UnitKeysInWords(hygrian::Quantity::RelativeHumidity) +
         " (a fraction); humidity ratios: " + UnitKeysInWords(hygrian::Quantity::MassRatio) +
         "; enthalpy: " + UnitKeysInWords(hygrian::Quantity::Enthalpy) +
         ". When a column's first values look like another unit (kelvin as degC, a "
         "fraction as %, g/kg as kg/kg, inHg as kPa), a hint goes to standard error; it "
         "changes no number. --units ip also reads --pressure in psia and --altitude in feet "
         "(unless --pressure-unit and --altitude-unit say otherwise), and writes degF, %, "
         "Btu/lb (0 for dry air at 0 degF), lb/lb, ft3/lb and psi; the columns and JSON keys "
         "stay.\n"
         "\n"
         "Output columns: the carried ones, then dry_bulb, wet_bulb, dew_point (degC),\n"
         "relative_humidity (%), enthalpy (kJ/kg), humidity_ratio (kg/kg),\n"
         "degree_of_saturation, specific_volume (m3/kg), vapor_pressure (kPa) and\n"
         "status: " +
         StatusesInWords() + ". --columns may also name " + hygrian::cli::MorePropertiesInWords() +
         "." + MeasureHelp() + ProcessHelp();
}

std::string Footer() {
  return "A pressure outside " + hygrian::cli::PressureRangeInWords() +
         " is refused: as an option, a usage error; in\n"
         "a column, a bad-input row. A progress display (percent, rows per second)\n"
         "appears on standard error when it is a terminal, standard output is not that\n"
         "terminal and the input is a regular file. When a row was not ok, a last line\n"
         "counts the rows by status.\n"
         "\n"
         "Exit status: 0 when every row's status asks for none higher, 1 when a row was\n"
         "bad input or the output could not be written, 2 for a usage error or a skipped\n"
         "file.\n"
         "\n"
         "Examples:\n"
         "  hygrian-batch --dry-bulb-column Temp --relative-humidity-column RH log.csv\n"
         "  hygrian-batch -d ';' --decimal-comma --missing-values -99.9 export.csv\n"
         "  hygrian-batch --columns Time,dry_bulb,dew_point,status -o out.csv *.csv\n"
         "  hygrian-batch --units ip --unit dry_bulb=degF --unit pressure=inHg us.csv";
}

// --digits: a whole number from 1 to 17, or none.
bool ReadDigits(const std::string& text, int& digits) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, digits);
  return !text.empty() && error == std::errc() && stop == end && digits >= 1 && digits <= 17;
}

// --jobs: a whole number from 1 to kMaxJobs.
constexpr std::size_t kMaxJobs = 1024;
bool ReadJobs(const std::string& text, std::size_t& jobs) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, jobs);
  return !text.empty() && error == std::errc() && stop == end && jobs >= 1 && jobs <= kMaxJobs;
}

// --columns, --output-delimiter and --output-decimal-comma into format; "" or
// the usage error.
std::string ReadOutputOptions(const std::string& columns, const std::string& delimiter,
                              hygrian::batch::Format& format) {
  for (std::size_t start = 0; !columns.empty();) {
    const std::size_t comma = std::min(columns.find(',', start), columns.size());
    format.columns.push_back(columns.substr(start, comma - start));
    if (format.columns.back().find_first_not_of(" \t") == std::string::npos) {
      return "--columns: an empty name";
    }
    if (comma == columns.size()) break;
    start = comma + 1;
  }
  if (format.commaDecimals) format.delimiter = ';';
  if (delimiter == "tab" || delimiter == "\\t") {
    format.delimiter = '\t';
  } else if (delimiter.size() == 1 && delimiter != "\"" && delimiter != "\r" && delimiter != "\n") {
    format.delimiter = delimiter[0];
  } else if (!delimiter.empty()) {
    return "--output-delimiter: '" + delimiter + "' is not one byte (other than a quote, CR or LF)";
  }
  return "";
}

// The processes' options into options (whose units and common options are
// read); "" or the usage error.
std::string ReadProcessOptions(const hygrian::cli::ProcessTexts& texts,
                               const hygrian::cli::ReaderOptions& reader,
                               hygrian::batch::Options& options) {
  using hygrian::batch::Process;
  if (!texts.kind.empty()) {
    const auto chosen = hygrian::batch::ProcessOfWord(texts.kind);
    if (!chosen) {
      return "--process: '" + texts.kind + "' is not " + hygrian::cli::ProcessWords();
    }
    options.process.process = *chosen;
  }
  if (std::string problem = hygrian::cli::ReadProcessUnits(
          texts.flowUnit, texts.flowBasis, texts.loadUnit, options.units, options.process.units);
      !problem.empty()) {
    return problem;
  }
  if (!options.process.process) return "";
  if (options.common.options.model != hygrian::Model::Handbook) {
    return "--process: with the handbook model only";
  }
  const bool columnNamed = !reader.dryBulbColumn.empty() ||
                           std::any_of(reader.secondColumns.begin(), reader.secondColumns.end(),
                                       [](const std::string& name) { return !name.empty(); }) ||
                           std::any_of(reader.otherColumns.begin(), reader.otherColumns.end(),
                                       [](const std::string& name) { return !name.empty(); });
  if (options.process.process == Process::Mix && columnNamed) {
    return "--process mix: the streams' columns are a_dry_bulb, b_dry_bulb and the like, not "
           "other names";
  }
  if (options.process.process == Process::Mix && options.read.pair &&
      hygrian::cli::SearchedPair(*options.read.pair)) {
    return "--process mix: the streams are read by a pair with the dry-bulb (--pair wet_bulb "
           "and the like)";
  }
  return "";
}

// Reads the options and runs the batch; the exit status.
int Main(hygrian::cli::Platform& platform, int argc, char** argv) {
  hygrian::batch::Options options;
  std::string digits;
  hygrian::cli::CommandLine line(platform, kProgramName, Description(), Footer());
  CLI::App& app = line.App();
  app.add_option("--digits", digits, "Write N significant digits (1 to 17)")->type_name("N");
  std::string jobs;
  app.add_option("--jobs", jobs, "Work on N threads (the cores available)")->type_name("N");
  app.add_flag("--json", options.format.json, "Write JSON Lines, one object per row")
      ->disable_flag_override();
  std::string columns;
  std::string outputDelimiter;
  app.add_option("--columns", columns, "Write these columns, in this order: dry_bulb,status")
      ->type_name("LIST");
  app.add_option("--output-delimiter", outputDelimiter, "Write fields ending at C (,)")
      ->type_name("C");
  app.add_flag("--output-decimal-comma", options.format.commaDecimals,
               "Write numbers as 23,5 (fields then end at ;)")
      ->disable_flag_override();
  hygrian::cli::ProcessTexts processTexts;
  hygrian::cli::AddProcessOptions(
      app, "--process",
      "Run each row's air through a process: mix, heat, coil, evaporative, steam or adiabatic",
      processTexts);
  hygrian::cli::ReaderOptions reader;
  hygrian::cli::AddReaderOptions(app, reader);
  std::vector<std::string> columnUnits;
  app.add_option("--unit", columnUnits, "A column's unit: dry_bulb=degF, pressure=inHg")
      ->type_name("COLUMN=UNIT")
      ->allow_extra_args(false);
  line.AddUnitsOption("Units of the options, unlabelled columns and the output (si)");
  app.add_option("FILE", options.files, "Tables to read (- for standard input)")->type_name("");
  if (const auto status = line.Parse(argc, argv)) return *status;
  if (app.count("--digits") > 0 && !ReadDigits(digits, options.format.digits)) {
    return line.UsageError("--digits: '" + digits + "' is not a whole number from 1 to 17");
  }
  options.jobs = hygrian::cli::AvailableCores();
  if (app.count("--jobs") > 0 && !ReadJobs(jobs, options.jobs)) {
    return line.UsageError("--jobs: '" + jobs + "' is not a whole number from 1 to " +
                           std::to_string(kMaxJobs));
  }
  if (const std::string problem = hygrian::cli::ReadReaderOptions(reader, options.read);
      !problem.empty()) {
    return line.UsageError(problem);
  }
  if (const std::string problem = hygrian::cli::ReadUnitOptions(
          columnUnits, line.Common().inchPound ? "ip" : "si", options.units);
      !problem.empty()) {
    return line.UsageError(problem);
  }
  options.format.decimalComma = options.read.decimalComma;
  if (const std::string problem = ReadOutputOptions(columns, outputDelimiter, options.format);
      !problem.empty()) {
    return line.UsageError(problem);
  }
  options.common = line.Common();
  if (const std::string problem = ReadProcessOptions(processTexts, reader, options);
      !problem.empty()) {
    return line.UsageError(problem);
  }
  if (options.read.pair && hygrian::cli::SearchedPair(*options.read.pair) &&
      options.common.options.model == hygrian::Model::Calculator) {
    return line.UsageError("--pair " + hygrian::cli::NotWithCalculator(*options.read.pair));
  }
  if (hygrian::cli::OutputIsInput(
          platform, options.common.output,
          options.files.empty() ? std::vector<std::string>{"-"} : options.files)) {
    return line.UsageError("--output: '" + options.common.output + "' is also an input");
  }
  return hygrian::batch::RunBatch(platform, options);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef M_ARENA_MAX
  // One malloc arena for every thread: the workers allocate little (their
  // buffers stay from chunk to chunk), and an arena of their own would reserve
  // 64 MiB of address space each, which a limit of it (ulimit -v) soon meets.
  (void)mallopt(M_ARENA_MAX, 1);
#endif
  hygrian::cli::SystemPlatform platform;
  try {
    return Main(platform, argc, argv);
  } catch (const std::exception& error) {
    // Only running out of memory can get here: "Cannot allocate memory".
    const bool memory = dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
    const std::string text =
        std::string(kProgramName) + ": " +
        (memory ? std::string(hygrian::cli::ErrorText(ENOMEM)) : error.what()) + "\n";
    (void)platform.WriteAll(hygrian::cli::kStandardError, text.data(), text.size());
    return 1;
  }
}
