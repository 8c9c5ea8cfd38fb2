// End-to-end tests of the built hygrian-batch: files and standard input in,
// standard output, standard error and the exit status compared byte for byte.
// Expected numbers come from the library's own result for the same input,
// written with std::to_chars, so every value is checked to the bit. The cases
// are rows of one table; runs that need more (a terminal, a slow pipe, files
// written with -o) are functions over the same runner.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/compute.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/version.h"
#include "tests/e2e.h"

#ifndef HYGRIAN_BATCH_BINARY
#error "HYGRIAN_BATCH_BINARY must name the program under test"
#endif

namespace hygrian {
namespace {

using e2e::CliRow;
using e2e::ExpectRun;
using e2e::Invocation;
using e2e::RunResult;

constexpr e2e::Program kBatch{HYGRIAN_BATCH_BINARY};

// The pairs by short names: their indexes in hygrian::Pairs.
struct Pair {
  static constexpr std::size_t Wet = 0;
  static constexpr std::size_t Dew = 1;
  static constexpr std::size_t Rh = 2;
  static constexpr std::size_t W = 3;
  static constexpr std::size_t Q = 4;
  static constexpr std::size_t E = 5;
};

// The result column of a pair's given value (-1 for specific humidity: none).
int GivenColumn(std::size_t pair) {
  constexpr int kColumns[] = {1, 2, 3, 5, -1, 8};
  return kColumns[pair];
}

std::string Num(double value, int digits = 0) {
  char buffer[64];
  const auto end = digits == 0 ? std::to_chars(buffer, buffer + sizeof buffer, value).ptr
                               : std::to_chars(buffer, buffer + sizeof buffer, value,
                                               std::chars_format::general, digits)
                                     .ptr;
  return std::string(buffer, end);
}

// The rows of the tables before ModelRows check the calculator model's numbers
// to the bit: the runner gives them these words first.
const std::vector<std::string> kCalculator = {"--model", "calculator"};
constexpr Options kCalculatorOptions{.model = Model::Calculator};

// The nine value fields and the status of a computed row, from the library:
// every value for ok, no wet-bulb for no-wet-bulb, the two given values for a
// fault. `separator` and `empty` make the same row for CSV (",", "") and for
// JSON (keys are added by the caller).
std::vector<std::string> Values(std::size_t pair, double a, double b, double p, int digits = 0) {
  const Result r = cli::Compute(pair, a, b, p, kCalculatorOptions);
  const State& s = r.state;
  const double all[9] = {s.dryBulb,      s.wetBulb,       s.dewPoint,           s.relativeHumidity,
                         s.enthalpy,     s.humidityRatio, s.degreeOfSaturation, s.specificVolume,
                         s.vaporPressure};
  std::vector<std::string> fields;
  for (int i = 0; i < 9; ++i) {
    bool present = true;
    if (r.status != Status::Ok) {
      present = i == 0 || i == GivenColumn(pair);
    } else if (!r.wetBulbFound) {
      present = i != 1;
    }
    fields.push_back(present ? Num(all[i], digits) : "");
  }
  fields.push_back(r.status != Status::Ok ? "fault: " + std::string(StatusText(r.status))
                   : r.wetBulbFound       ? "ok"
                                          : "no-wet-bulb");
  return fields;
}

std::string Csv(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i > 0 ? "," : "") + fields[i];
  return line + "\n";
}

// A CSV output row: carried fields as written, then the computed values.
std::string Row(const std::string& carried, std::size_t pair, double a, double b,
                double p = StandardPressure, int digits = 0) {
  return carried + Csv(Values(pair, a, b, p, digits));
}

// The humidity ratio W and the specific humidity W / (1 + W) of a row, as
// --columns humidity_ratio,specific_humidity writes them.
std::string RatioAndSpecificHumidity(std::size_t pair, double a, double b) {
  const double W =
      cli::Compute(pair, a, b, StandardPressure, kCalculatorOptions).state.humidityRatio;
  return Num(W) + "," + Num(W / (1.0 + W)) + "\n";
}

std::string Bad(const std::string& carried, const std::string& reason) {
  const bool quote = reason.find_first_of(",\"") != std::string::npos;
  std::string status = "bad-input: ";
  for (const char c : reason) status += c == '"' ? std::string("\"\"") : std::string(1, c);
  return carried + ",,,,,,,,," + (quote ? "\"" + status + "\"" : status) + "\n";
}

const std::string Accepted =
    "; names accepted: dry_bulb, wet_bulb, dew_point, relative_humidity, humidity_ratio, "
    "specific_humidity, vapor_pressure, pressure (or others through --dry-bulb-column and "
    "the like)";

// The last line of a run where a row was not ok.
std::string Summary(const std::string& counts) { return "hygrian-batch: " + counts + "\n"; }

const std::string Results =
    "dry_bulb,wet_bulb,dew_point,relative_humidity,enthalpy,humidity_ratio,"
    "degree_of_saturation,specific_volume,vapor_pressure,status\n";
const std::string Usage = "Usage: hygrian-batch [OPTIONS] [FILE...]\n";
const std::string TryHelp = "Try 'hygrian-batch --help' for more information.\n";

const std::string kWet = "dry_bulb,wet_bulb\n25,20\n";

std::vector<CliRow> StatusRows() {
  return {
      CliRow("StatusesWetBulb", kBatch, {"wet.csv"}, "",
             Results + Row("", Pair::Wet, 25, 20) + Row("", Pair::Wet, 0, 0) +
                 Row("", Pair::Wet, -5, -7.5) + Row("", Pair::Wet, 45.5, 33.25) +
                 "-300,-300,,,,,,,,fault: log: DOMAIN error\n",
             Summary("5 rows: 4 ok, 1 fault"), 0,
             {{"wet.csv", "dry_bulb,wet_bulb\n25,20\n0,0\n-5,-7.5\n45.5,33.25\n-300,-300\n"}}),
      CliRow("StatusesDewPoint", kBatch, {"dew.csv"}, "",
             Results + Row("", Pair::Dew, 25, 10) +
                 "100,,100,,,,,,,fault: vapour pressure at or above total pressure\n" +
                 "-273.1600036621094,,-10,,,,,,,fault: floating-point error: divide by zero\n"
                 "1e+10,,1,,,,,,,fault: exp: OVERFLOW error\n"
                 "1e+300,,1,,,,,,,fault: **: OVERFLOW error\n",
             Summary("5 rows: 1 ok, 4 fault"), 0,
             {{"dew.csv",
               "dry_bulb,dew_point\n25,10\n100,100\n-273.1600036621094,-10\n1e10,1\n1e300,1\n"}}),
      CliRow("StatusesRelativeHumidity", kBatch, {"rh.csv"}, "",
             Results + Row("", Pair::Rh, 25, 57) + Row("", Pair::Rh, -5, 50) +
                 "25,,,0,,,,,,fault: log: SING error\n25,,,-5,,,,,,fault: log: DOMAIN error\n",
             Summary("4 rows: 2 ok, 2 fault"), 0,
             {{"rh.csv", "dry_bulb,relative_humidity\n25,57\n-5,50\n25,0\n25,-5\n"}}),
      CliRow("StatusesHumidityRatio", kBatch, {"w.csv"}, "",
             Results + Row("", Pair::W, 25, 0.012599) + Row("", Pair::W, -5, 0.002) +
                 "25,,,,,0,,,,fault: log: SING error\n25,,,,,-0.001,,,,fault: invalid input\n"
                 "101,,,,,0.01,,,,fault: vapour pressure at or above total pressure\n",
             Summary("5 rows: 2 ok, 3 fault"), 0,
             {{"w.csv",
               "dry_bulb,humidity_ratio\n25,0.012599\n-5,0.002\n25,0\n25,-0.001\n101,0.01\n"}}),
      CliRow("StatusesSpecificHumidity", kBatch, {"q.csv"}, "",
             "specific_humidity," + Results + Row("0.0124422,", Pair::Q, 25, 0.0124422) +
                 "1,25,,,,,,,,,fault: invalid input\n",
             "hygrian-batch: q.csv:1: specific_humidity 0.0124422 to 1 kg/kg (in g/kg? --unit "
             "specific_humidity=g/kg)\n" +
                 Summary("2 rows: 1 ok, 1 fault"),
             0, {{"q.csv", "dry_bulb,specific_humidity\n25,0.0124422\n25,1\n"}}),
      // A vapour pressure at or above the pressure, or negative, is no state's.
      CliRow("StatusesVaporPressure", kBatch, {"e.csv"}, "",
             Results + Row("", Pair::E, 25, 2) + "25,,,,,,,,101.325,fault: invalid input\n" +
                 "25,,,,,,,,-1,fault: invalid input\n",
             Summary("3 rows: 1 ok, 2 fault"), 0,
             {{"e.csv", "dry_bulb,vapor_pressure\n25,2\n25,101.325\n25,-1\n"}}),
      CliRow("VaporPressureInHectopascals", kBatch, {"--unit", "vapor_pressure=hPa"},
             "dry_bulb,vapor_pressure\n25,20\n", Results + Row("", Pair::E, 25, 2), "", 0),
      CliRow("RelativeHumidityAsTheLibraryComputesIt", kBatch, {},
             "dry_bulb,relative_humidity\n25,57\n", Results + Row("", Pair::Rh, 25, 57), "", 0),
      // Air far above saturation at 60 kPa, where neither the secant search nor
      // the bisection below the dry-bulb finds a wet-bulb.
      CliRow("NoWetBulbLeavesOnlyTheWetBulbEmpty", kBatch, {"--pressure", "60"},
             "dry_bulb,dew_point\n-11.708714220246279,7.8413957856192695\n",
             Results + Csv(Values(Pair::Dew, -11.708714220246279, 7.8413957856192695, 60)),
             Summary("1 row: 0 ok, 1 no-wet-bulb"), 0),
  };
}

// The expected rows above hold what their names promise.
TEST(BatchExpected, RowsHoldWhatTheirNamesPromise) {
  EXPECT_NE(Row("", Pair::Rh, 25, 57).find(",56.99999999999999,"), std::string::npos);
  const std::vector<std::string> values =
      Values(Pair::Dew, -11.708714220246279, 7.8413957856192695, 60);
  EXPECT_EQ(values[1], "");
  EXPECT_EQ(values[9], "no-wet-bulb");
}

std::vector<CliRow> BadInputRows() {
  const std::string big(std::size_t{1} << 20, 'x');
  // Gaps of every kind; --missing=bad makes them bad input; a long value is cut.
  const std::string cut =
      "relative_humidity \"0123456789012345678901234567890123456789...\" "
      "is not a number";
  return {
      CliRow("EveryBadInputReason", kBatch, {"bad.csv"}, "",
             "id,pressure," + Results + Bad("a,,", "expected 4 fields, found 3") +
                 Bad("b,90,", "expected 4 fields, found 5") +
                 Bad("c,90,", "expected 4 fields, found 5") + "d,90,,20,,,,,,,,missing\n" +
                 "e,90,25,,,,,,,,,missing\n" + Bad("f,90,", "dry_bulb \"x\" is not a number") +
                 Bad("g,90,", "wet_bulb \"inf\" is not a number") +
                 Bad("h,90,", "dry_bulb \"1e999\" is out of range") +
                 Bad("i,90,", "wet_bulb \"-1e400\" is out of range") +
                 Bad("j,kPa,", "pressure \"kPa\" is not a number") +
                 Bad("k,1e999,", "pressure \"1e999\" is out of range") +
                 Bad("l,1013,",
                     "pressure 1013 kPa is outside 20 to 200 kPa (in hPa? --pressure-unit hPa)") +
                 Bad("m,-90,", "pressure -90 kPa is outside 20 to 200 kPa") +
                 Bad("n,90,", "field longer than 1 MiB") +
                 Row(big + ",90,", Pair::Wet, 25, 20, 90) +
                 Bad("p,,", "expected 4 fields, found 1") +
                 Bad(",,", "quote opened at line 18 is not closed"),
             "hygrian-batch: bad.csv:2: expected 4 fields, found 3\n"
             "hygrian-batch: bad.csv:3: expected 4 fields, found 5\n"
             "hygrian-batch: bad.csv:4: expected 4 fields, found 5\n"
             "hygrian-batch: bad.csv:7: dry_bulb \"x\" is not a number\n"
             "hygrian-batch: bad.csv:8: wet_bulb \"inf\" is not a number\n"
             "hygrian-batch: bad.csv:9: dry_bulb \"1e999\" is out of range\n"
             "hygrian-batch: bad.csv:10: wet_bulb \"-1e400\" is out of range\n"
             "hygrian-batch: bad.csv:11: pressure \"kPa\" is not a number\n"
             "hygrian-batch: bad.csv:12: pressure \"1e999\" is out of range\n"
             "hygrian-batch: bad.csv:13: pressure 1013 kPa is outside 20 to 200 kPa (in hPa? "
             "--pressure-unit hPa)\n"
             "hygrian-batch: bad.csv:14: pressure -90 kPa is outside 20 to 200 kPa\n"
             "hygrian-batch: bad.csv:15: field longer than 1 MiB\n"
             "hygrian-batch: bad.csv:17: expected 4 fields, found 1\n"
             "hygrian-batch: bad.csv:18: quote opened at line 18 is not closed\n" +
                 Summary("17 rows: 1 ok, 2 missing, 14 bad-input"),
             1,
             {{"bad.csv",
               "id,dry_bulb,wet_bulb,pressure\n"
               "a,25,20\n"           // line 2
               "b,25,20,90,extra\n"  // line 3
               "c,25,20,90,\n"       // line 4: a trailing comma is a field
               "d,,20,90\n"          // 5
               "e,25,  ,90\n"        // 6
               "f,x,20,90\n"         // 7
               "g,25,inf,90\n"       // 8
               "h,1e999,20,90\n"     // 9
               "i,25,-1e400,90\n"    // 10
               "j,25,20,kPa\n"       // 11
               "k,25,20,1e999\n"     // 12
               "l,25,20,1013\n"      // 13
               "m,25,20,-90\n"       // 14
               "n,25,2" +
                   big + ",90\n" +  // 15
                   big +
                   ",25,20,90\n"     // 16: exactly 1 MiB is fine
                   "p\n"             // 17
                   "q,25,20,\"90\n"  // 18: the quote swallows the rest of the file
                   "r,25,20,90\n"}}),
      CliRow("GapsOfEveryKind", kBatch, {},
             "dry_bulb,relative_humidity\n25,50\n,50\nNA,50\n25,n/a\n25,NaN\n-,50\n25,null\n"
             "25,0123456789012345678901234567890123456789x\n",
             Results + Row("", Pair::Rh, 25, 50) +
                 ",,,50,,,,,,missing\n,,,50,,,,,,missing\n25,,,,,,,,,missing\n"
                 "25,,,,,,,,,missing\n,,,50,,,,,,missing\n25,,,,,,,,,missing\n" +
                 Bad("", cut),
             "hygrian-batch: (standard input):9: " + cut + "\n" +
                 Summary("8 rows: 1 ok, 6 missing, 1 bad-input"),
             1),
      // The cut leaves out a character across byte 40 whole: messages and CSV stay
      // UTF-8.
      CliRow("ACutKeepsWholeCharacters", kBatch, {},
             "dry_bulb,relative_humidity\n25,01234567890123456789012345678901234567\xE2\x82\xACx\n",
             Results + Bad("",
                           "relative_humidity \"01234567890123456789012345678901234567...\" is not "
                           "a number"),
             "hygrian-batch: (standard input):2: relative_humidity "
             "\"01234567890123456789012345678901234567...\" is not a "
             "number\n" +
                 Summary("1 row: 0 ok, 1 bad-input"),
             1),
      // The lines of a quoted field that spans them count: the quote left open on
      // line 4 is said to be there.
      CliRow("UnclosedQuoteAfterAQuotedLineBreak", kBatch, {"q.csv"}, "",
             "note," + Results + Row("\"a\nb\",", Pair::Wet, 25, 20) +
                 Bad(",", "quote opened at line 4 is not closed"),
             "hygrian-batch: q.csv:4: quote opened at line 4 is not closed\n" +
                 Summary("2 rows: 1 ok, 1 bad-input"),
             1, {{"q.csv", "dry_bulb,wet_bulb,note\n25,20,\"a\nb\"\n25,20,\"unclosed\nmore\n"}}),
      CliRow("MissingAsBadInput", kBatch, {"--missing=bad"},
             "dry_bulb,relative_humidity\n,50\nNA,50\n25,-\n",
             Results + Bad("", "dry_bulb is empty") + Bad("", "dry_bulb \"NA\" is not a number") +
                 Bad("", "relative_humidity \"-\" is not a number"),
             "hygrian-batch: (standard input):2: dry_bulb is empty\n"
             "hygrian-batch: (standard input):3: dry_bulb \"NA\" is not a number\n"
             "hygrian-batch: (standard input):4: relative_humidity \"-\" is not a number\n" +
                 Summary("3 rows: 0 ok, 3 bad-input"),
             1),
      CliRow("QuietMissing", kBatch, {"-q"}, "dry_bulb,relative_humidity\n25,50\n,50\n",
             Results + Row("", Pair::Rh, 25, 50) + ",,,50,,,,,,missing\n", "", 0),
  };
}

std::vector<CliRow> FileRows() {
  const std::string xReason = "dry_bulb \"x\" is not a number";
  return {
      // Quotes, commas and line ends inside quotes; CR LF line ends; a field that
      // needs no quotes loses them.
      CliRow("CarriedColumnsKeepTheirBytesAndTheirPlace", kBatch, {"in.csv"}, "",
             "Station, When ," + Results +
                 Row("\"north, upper\",2024-06-01 12:00,", Pair::Wet, 25, 20) +
                 Row("\"say \"\"hi\"\"\",\"two\r\nlines\",", Pair::Wet, 25, 20) +
                 Row("plain,,", Pair::Wet, 25, 20),
             "", 0,
             {{"in.csv",
               "\xEF\xBB\xBF"
               "Station,\"DRY_BULB\", When ,Wet_Bulb\r\n"
               "\"north, upper\",25,\"2024-06-01 12:00\",20\r\n"
               "\"say \"\"hi\"\"\",25,\"two\r\nlines\",20\r\n"
               "\"plain\",25,,20\r\n"}}),
      CliRow("BlankLinesAreSkippedAndLinesCounted", kBatch, {"in.csv"}, "",
             Results + Row("", Pair::Wet, 25, 20) + Bad("", xReason),
             "hygrian-batch: in.csv:8: " + xReason + "\n" + Summary("2 rows: 1 ok, 1 bad-input"), 1,
             {{"in.csv", "\n\ndry_bulb,wet_bulb\n\n25,20\n  \n\nx,20\n\n"}}),
      CliRow("MissingFinalLineEnd", kBatch, {}, "dry_bulb,wet_bulb\n25,20\n30,25",
             Results + Row("", Pair::Wet, 25, 20) + Row("", Pair::Wet, 30, 25), "", 0),
      CliRow("MissingFinalCrLf", kBatch, {}, "dry_bulb,wet_bulb\r\n25,20\r\n30,25\r",
             Results + Row("", Pair::Wet, 25, 20) + Row("", Pair::Wet, 30, 25), "", 0),
      CliRow("SeveralFilesShareOneHeader", kBatch,
             {"a.csv", "b.csv", "empty.csv", "c.csv", "missing.csv", "folder", "bad.csv",
              "blank.csv", "d.csv"},
             "",
             "id," + Results + Row("1,", Pair::Dew, 25, 10) + Row("2,", Pair::Dew, 30, 12) +
                 Row("4,", Pair::Dew, 35, 15),
             "hygrian-batch: empty.csv: empty file; skipped\n"
             "hygrian-batch: c.csv:1: header differs from the first file's; file skipped\n"
             "hygrian-batch: missing.csv: No such file or directory\n"
             "hygrian-batch: folder: Is a directory\n"
             "hygrian-batch: bad.csv:1: no wet_bulb, dew_point, relative_humidity, humidity_ratio, "
             "specific_humidity or vapor_pressure "
             "column; columns found: id, dry_bulb" +
                 Accepted +
                 "; file skipped\n"
                 "hygrian-batch: blank.csv: empty file; skipped\n",
             2,
             {{"a.csv", "id,dry_bulb,dew_point\n1,25,10\n"},
              {"b.csv", " ID , Dry_Bulb,DEW_POINT\r\n2,30,12\r\n"},
              {"c.csv", "dry_bulb,id,dew_point\n3,30,12\n"},
              {"d.csv", "id,dry_bulb,dew_point\n4,35,15"},
              {"empty.csv", ""},
              {"blank.csv", "\n\r\n  \n"},
              {"bad.csv", "id,dry_bulb\n5,25\n"},
              {"folder/", ""}}),
      CliRow("TheFirstGoodHeaderIsTheOneThatCounts", kBatch, {"bad.csv", "good.csv"}, "",
             Results + Row("", Pair::Wet, 25, 20),
             "hygrian-batch: bad.csv:1: two wet_bulb columns; file skipped\n", 2,
             {{"bad.csv", "dry_bulb,wet_bulb,WET_BULB\n1,2,3\n"}, {"good.csv", kWet}}),
      CliRow("StandardInputByDefault", kBatch, {}, "dry_bulb,wet_bulb\n30,x\n",
             Results + Bad("", "wet_bulb \"x\" is not a number"),
             "hygrian-batch: (standard input):2: wet_bulb \"x\" is not a number\n" +
                 Summary("1 row: 0 ok, 1 bad-input"),
             1),
      CliRow("StandardInputByDash", kBatch, {"a.csv", "-"}, "dry_bulb,wet_bulb\n30,x\n",
             Results + Row("", Pair::Wet, 25, 20) + Bad("", "wet_bulb \"x\" is not a number"),
             "hygrian-batch: (standard input):2: wet_bulb \"x\" is not a number\n" +
                 Summary("2 rows: 1 ok, 1 bad-input"),
             1, {{"a.csv", kWet}}),
      CliRow("EmptyStandardInput", kBatch, {"-"}, "", "",
             "hygrian-batch: (standard input): empty file; skipped\n", 2),
      CliRow("QuietKeepsFileMessages", kBatch, {"-q", "missing.csv", "-"},
             "dry_bulb,wet_bulb\nx,1\n", Results + Bad("", xReason),
             "hygrian-batch: missing.csv: No such file or directory\n", 2),
      CliRow("QuietKeepsTheStatus", kBatch, {"--quiet"}, "dry_bulb,wet_bulb\nx,1\n",
             Results + Bad("", xReason), "", 1),
  };
}

// Files as loggers, weather stations and spreadsheets write them.
std::vector<CliRow> LoggerRows() {
  const std::string logger =
      "Time;Dry Bulb;RH;Note\n"
      "12:00;23,5;50;\n"
      "12:01;N/A;50;gap\n"
      "12:02;24,0;51,5;\"a;b\"\n"
      "12:03;23.5;50;\n";
  const std::string dot = "dry_bulb \"23.5\" is not a number";
  const std::string logged = "Time,Note," + Results + Row("12:00,,", Pair::Rh, 23.5, 50) +
                             "12:01,gap,,,,50,,,,,,missing\n" +
                             Row("12:02,a;b,", Pair::Rh, 24, 51.5) + Bad("12:03,,", dot);
  const std::string loggedErr = "hygrian-batch: (standard input):5: " + dot + "\n" +
                                Summary("4 rows: 2 ok, 1 missing, 1 bad-input");
  const std::string tabbed = "dry_bulb\tdew_point\n25\t10\n";
  const std::string tabbedOut = Results + Row("", Pair::Dew, 25, 10);
  // The program's own output read again: results and status computed afresh.
  const std::string own =
      "id," + Results + Row("1,", Pair::Wet, 25, 20) + Bad("2,", "dry_bulb \"x\" is not a number");
  const double dewPoint =
      cli::Compute(Pair::Wet, 25, 20, StandardPressure, kCalculatorOptions).state.dewPoint;
  const std::string header = "hygrian-batch: (standard input):1: ";
  return {
      CliRow(
          "LoggerDecimalComma", kBatch,
          {"--dry-bulb-column", "dry bulb", "--relative-humidity-column", " RH", "--decimal-comma"},
          logger, logged, loggedErr, 1),
      CliRow("LoggerDelimiter", kBatch,
             {"--dry-bulb-column", "dry bulb", "--relative-humidity-column", " RH",
              "--decimal-comma", "--delimiter", ";"},
             logger, logged, loggedErr, 1),
      // Tabs, by name or as the character; the header decides without the option.
      CliRow("TabByName", kBatch, {"--delimiter", "tab"}, tabbed, tabbedOut, "", 0),
      CliRow("TabAsCharacter", kBatch, {"--delimiter", "\t"}, tabbed, tabbedOut, "", 0),
      CliRow("TabFromTheHeader", kBatch, {}, tabbed, tabbedOut, "", 0),
      // A header error says what was found and accepted, and hints at the delimiter.
      CliRow("HeaderErrorSaysWhatWasFound", kBatch, {}, logger, "",
             header +
                 "no dry_bulb column; did you mean 'Dry Bulb'?; columns found: Time, Dry Bulb, "
                 "RH, Note" +
                 Accepted + "; file skipped\n",
             2),
      CliRow("HeaderErrorHintsAtTheDelimiter", kBatch, {"--delimiter", ","}, logger, "",
             header + "no dry_bulb column; columns found: Time;Dry Bulb;RH;Note" + Accepted +
                 "; one field holding ';': --delimiter ';'?; file skipped\n",
             2),
      CliRow("HeaderSplitsTwoWays", kBatch, {}, "dry_bulb;wet_bulb,x\n", "",
             header + "the header splits at ',' and ';': choose with --delimiter; file skipped\n",
             2),
      CliRow("OwnOutputHasSeveralSecondValues", kBatch, {}, own, "",
             header +
                 "several second values (wet_bulb, dew_point, relative_humidity, humidity_ratio): "
                 "choose one with --pair; file skipped\n",
             2),
      CliRow("OwnOutputWithPair", kBatch, {"--pair", "dew_point"}, own,
             "id," + Results + Row("1,", Pair::Dew, 25, dewPoint) + "2,,,,,,,,,,missing\n",
             Summary("2 rows: 1 ok, 1 missing"), 0),
      CliRow("ColumnsByOption", kBatch, {"--humidity-ratio-column", "W", "--pressure-column", "P"},
             "dry_bulb,P,W,status\n25,95,0.01,old\n",
             "P," + Results + Row("95,", Pair::W, 25, 0.01, 95), "", 0),
      CliRow("PairWithoutItsColumn", kBatch, {"--pair", "wet_bulb"},
             "dry_bulb,relative_humidity\n25,50\n", "",
             header + "no wet_bulb column; columns found: dry_bulb, relative_humidity" + Accepted +
                 "; file skipped\n",
             2),
  };
}

// A number's text with a decimal comma.
std::string Commas(std::string text) {
  for (char& c : text) c = c == '.' ? ',' : c;
  return text;
}

// Files as people have them: title lines, gap markers, other encodings and
// delimiters, and the messages when they are not read as they are.
std::vector<CliRow> RealFileRows() {
  // A logger's export: a title line, a blank line, a gap written as ---.
  const std::string logger =
      "Logger EL-USB-2 Serial 00123456\n\nTime,dry_bulb,relative_humidity\n"
      "12:00,23.5,50\n12:01,---,51\n12:02,x,52\n";
  const std::string titles(60, '\n');
  std::string titled;
  for (int i = 0; i < 60; ++i) titled += "title " + std::to_string(i) + "\n";
  // Spreadsheet "Unicode text": UTF-16 little-endian with its mark, tabs.
  const auto utf16 = [](std::string_view ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) bytes += std::string(1, c) + '\0';
    return bytes;
  };
  std::string many = "dry_bulb,wet_bulb\n";
  std::string manyOut = Results;
  std::string manyErr;
  for (int i = 2; i <= 13; ++i) {
    many += "x,20\n";
    manyOut += Bad("", "dry_bulb \"x\" is not a number");
    if (i <= 11) {
      manyErr +=
          "hygrian-batch: in.csv:" + std::to_string(i) + ": dry_bulb \"x\" is not a number\n";
    }
  }
  const std::string comma = "dry_bulb \"23,5\" is not a number";
  const std::string unquoted =
      "expected 3 fields, found 4: where commas end fields, decimal commas need quotes "
      "(\"23,5\")";
  return {
      CliRow("TitleLinesAndAGap", kBatch, {"logger.csv"}, "",
             "Time," + Results + Row("12:00,", Pair::Rh, 23.5, 50) + "12:01,,,,51,,,,,,missing\n" +
                 Bad("12:02,", "dry_bulb \"x\" is not a number"),
             "hygrian-batch: logger.csv:6: dry_bulb \"x\" is not a number\n" +
                 Summary("3 rows: 1 ok, 1 missing, 1 bad-input"),
             1, {{"logger.csv", logger}}),
      CliRow("HeaderBeyondTheSearch", kBatch, {"in.csv"}, "", "",
             "hygrian-batch: in.csv:1: no dry_bulb column; columns found: title 0" + Accepted +
                 "; file skipped\n",
             2, {{"in.csv", titled + kWet}}),
      CliRow("SkipLines", kBatch, {"--skip-lines", "60", "in.csv"}, "",
             Results + Row("", Pair::Wet, 25, 20), "", 0, {{"in.csv", titled + kWet}}),
      CliRow("BlankLinesDoNotCountAsTried", kBatch, {"in.csv"}, "",
             Results + Row("", Pair::Wet, 25, 20), "", 0, {{"in.csv", titles + "title\n" + kWet}}),
      CliRow("MissingValues", kBatch, {"--missing-values", "-9999, -99.9,ERR"},
             "dry_bulb,wet_bulb,pressure\n-9999.0,20,90\n25,-99.90,90\n25,err,90\n25,20,-9999\n"
             "25,20,-99.8\n",
             "pressure," + Results + "90,,20,,,,,,,,missing\n" +
                 "90,25,,,,,,,,,missing\n90,25,,,,,,,,,missing\n" +
                 Row("-9999,", Pair::Wet, 25, 20) +
                 Bad("-99.8,", "pressure -99.8 kPa is outside 20 to 200 kPa"),
             "hygrian-batch: (standard input):6: pressure -99.8 kPa is outside 20 to 200 kPa\n" +
                 Summary("5 rows: 1 ok, 3 missing, 1 bad-input"),
             1),
      CliRow("MissingValuesAsBadInput", kBatch, {"--missing-values=-9999", "--missing=bad"},
             "dry_bulb,wet_bulb\n-9999,20\n", Results + Bad("", "dry_bulb \"-9999\" marks a gap"),
             "hygrian-batch: (standard input):2: dry_bulb \"-9999\" marks a gap\n" +
                 Summary("1 row: 0 ok, 1 bad-input"),
             1),
      CliRow("QuotedDecimalCommasAfterCommas", kBatch, {"--decimal-comma"},
             "Room,dry_bulb,relative_humidity\nA,\"23,5\",\"50\"\nB,23,5,50\n",
             "Room," + Results + Row("A,", Pair::Rh, 23.5, 50) + Bad("B,", unquoted),
             "hygrian-batch: (standard input):3: " + unquoted + "\n" +
                 Summary("2 rows: 1 ok, 1 bad-input"),
             1),
      CliRow("DecimalCommaHintOnce", kBatch, {}, "dry_bulb;wet_bulb\n23,5;20\n24,5;20\n",
             Results + Bad("", comma) + Bad("", "dry_bulb \"24,5\" is not a number"),
             "hygrian-batch: (standard input):2: " + comma +
                 "\nhygrian-batch: (standard input): hint: numbers with a decimal comma (23,5) "
                 "need --decimal-comma\n"
                 "hygrian-batch: (standard input):3: dry_bulb \"24,5\" is not a number\n" +
                 Summary("2 rows: 0 ok, 2 bad-input"),
             1),
      CliRow("TenMessagesPerReason", kBatch, {"in.csv"}, "", manyOut,
             manyErr +
                 "hygrian-batch: in.csv: 2 more rows left out for the reasons above (10 shown for "
                 "each)\n" +
                 Summary("12 rows: 0 ok, 12 bad-input"),
             1, {{"in.csv", many}}),
      CliRow("PipeDelimiter", kBatch, {"-d", "|"}, "Site|dry_bulb|wet_bulb\na,b|25|20\n",
             "Site," + Results + Row("\"a,b\",", Pair::Wet, 25, 20), "", 0),
      CliRow("Utf16WithItsMark", kBatch, {"in.txt"}, "",
             "Site," + Results + Row("Z\xC3\xBCrich,", Pair::Wet, 25, 20), "", 0,
             {{"in.txt", utf16("Site\tdry_bulb\twet_bulb\r\nZ") + "\xFC" + std::string(1, '\0') +
                             utf16("rich\t25\t20\r\n").substr(2)}}),
      CliRow("Latin1", kBatch,
             {"--encoding", "latin1", "--dry-bulb-column",
              "Temp (\xC2\xB0"
              "C)"},
             "Lieu;Temp (\xB0"
             "C);wet_bulb\nZ\xFCrich;25;20\n",
             "Lieu," + Results + Row("Z\xC3\xBCrich,", Pair::Wet, 25, 20), "", 0),
      CliRow("Cp1252", kBatch, {"--encoding=cp1252"}, "Cost,dry_bulb,wet_bulb\n5\x80,25,20\n",
             "Cost," + Results + Row("5\xE2\x82\xAC,", Pair::Wet, 25, 20), "", 0),
      // The output as a spreadsheet in Europe reads it, and with chosen columns.
      CliRow("ChosenColumnsWithDecimalCommas", kBatch,
             {"--columns", "time, Temp,dew_point,status", "--output-decimal-comma",
              "--dry-bulb-column", "temp"},
             "Time,Temp,wet_bulb\n1,25.5,20\n2,,20\n",
             "Time;dry_bulb;dew_point;status\n1;25,5;" +
                 Commas(Values(Pair::Wet, 25.5, 20, StandardPressure)[2]) + ";ok\n2;;;missing\n",
             Summary("2 rows: 1 ok, 1 missing"), 0),
      CliRow("OutputDelimiterQuotesWhatHoldsIt", kBatch,
             {"--output-delimiter", "tab", "--columns", "Site,status"},
             "Site,dry_bulb,wet_bulb\n\"a\tb\",25,20\nc,x,20\n",
             "Site\tstatus\n\"a\tb\"\tok\nc\t\"bad-input: dry_bulb \"\"x\"\" is not a number\"\n",
             "hygrian-batch: (standard input):3: dry_bulb \"x\" is not a number\n" +
                 Summary("2 rows: 1 ok, 1 bad-input"),
             1),
      CliRow("ChosenColumnsAsJson", kBatch, {"--json", "--columns=status,dry_bulb"}, kWet,
             "{\"status\":\"ok\",\"dry_bulb\":25}\n", "", 0),
      CliRow("ChosenSpecificHumidity", kBatch, {"--columns", "humidity_ratio,specific_humidity"},
             kWet,
             "humidity_ratio,specific_humidity\n" + RatioAndSpecificHumidity(Pair::Wet, 25, 20), "",
             0),
      CliRow("ChosenColumnUnknown", kBatch, {"--columns", "dry_bulb,when"}, kWet, "",
             "hygrian-batch: (standard input):1: --columns: no column 'when'; columns: dry_bulb, "
             "wet_bulb, dew_point, relative_humidity, enthalpy, humidity_ratio, "
             "degree_of_saturation, specific_volume, vapor_pressure, status; file skipped\n",
             2),
      // A measure's input column is a column of the table; without it, no run.
      CliRow("MeasureWithoutItsInputColumn", kBatch, {"--columns", "dry_bulb,UTCI"},
             "dry_bulb,relative_humidity,wind_speed\n30,50,1\n", "",
             "hygrian-batch: (standard input):1: --columns utci needs the input column "
             "mean_radiant_temperature; file skipped\n",
             2),
      CliRow("ComfortWithoutItsInputColumns", kBatch, {"--columns", "pmv"}, kWet, "",
             "hygrian-batch: (standard input):1: --columns pmv needs the input column "
             "mean_radiant_temperature; file skipped\n",
             2),
      // The humidex is defined from 20 degC up: below, an empty cell (null) and
      // the row's status says why; the columns of the run are not listed in
      // it, so the message about an unknown column stays as it was.
      CliRow("MeasureOutsideItsRange", kBatch, {"--columns", "humidex,status"},
             "dry_bulb,dew_point\n15,10\n", "humidex,status\n,outside-measure-range\n",
             Summary("1 row: 0 ok, 1 outside-measure-range"), 0),
      CliRow("MeasureOutsideItsRangeAsJson", kBatch, {"--json", "--columns", "humidex,status"},
             "dry_bulb,dew_point\n15,10\n",
             "{\"humidex\":null,\"status\":\"outside-measure-range\"}\n",
             Summary("1 row: 0 ok, 1 outside-measure-range"), 0),
      // Tables of measures to the digits their references print: the NWS heat
      // index chart's 110 degF at 40 % (136), 108 at 45 % (137) and 100 at 40 %
      // (109), and Environment Canada's humidex at 30 degC with dew points of 15
      // and 25 degC (34 and 42); tests/data/measures_reference.csv cites them.
      CliRow("HeatIndexTableInDegreesF", kBatch,
             {"--units", "ip", "--digits", "3", "--columns", "dry_bulb,heat_index,status"},
             "dry_bulb,relative_humidity\n110,40\n108,45\n100,40\n",
             "dry_bulb,heat_index,status\n110,136,ok\n108,137,ok\n100,109,ok\n", "", 0),
      CliRow("HumidexTable", kBatch, {"--digits", "2", "--columns", "dew_point,humidex,status"},
             "dry_bulb,dew_point\n30,15\n30,25\n15,10\n",
             "dew_point,humidex,status\n15,34,ok\n25,42,ok\n10,,outside-measure-range\n",
             Summary("3 rows: 2 ok, 1 outside-measure-range"), 0),
      // A column of the table named like a measure is carried: the input.
      CliRow("MeasureNamedByAnInputColumn", kBatch,
             {"--columns", "mean_radiant_temperature,status"},
             "dry_bulb,dew_point,mean_radiant_temperature\n25,10,31.5\n",
             "mean_radiant_temperature,status\n31.5,ok\n", "", 0),
      CliRow("Latin1HeaderCarriedAsRead", kBatch, {},
             "Temp (\xB0"
             "C),dry_bulb,wet_bulb\n1,25,20\n",
             "Temp (\xB0"
             "C)," +
                 Results + Row("1,", Pair::Wet, 25, 20),
             "hygrian-batch: (standard input):1: the header is not UTF-8 (written as read): "
             "--encoding latin1 or cp1252?\n",
             0),
      CliRow("Latin1WithoutTheOption", kBatch,
             {"--dry-bulb-column",
              "Temp (\xC2\xB0"
              "C)"},
             "Temp (\xB0"
             "C),wet_bulb\n25,20\n",
             "",
             "hygrian-batch: (standard input):1: no Temp (\xC2\xB0"
             "C) column; did you mean 'Temp "
             "(\xB0"
             "C)'?; columns found: Temp (\xB0"
             "C), wet_bulb; names accepted: Temp (\xC2\xB0"
             "C), wet_bulb, dew_point, relative_humidity, humidity_ratio, specific_humidity, "
             "vapor_pressure, pressure (or others through --dry-bulb-column and the like); the "
             "header is not "
             "UTF-8: --encoding latin1 or cp1252?; file skipped\n",
             2),
  };
}

std::vector<CliRow> PressureRows() {
  const std::string input = "dry_bulb,wet_bulb,pressure\n25,20,90\n25,20,\n25,20,\"80.5\"\n";
  // The unit applies to the option and to the column, and the range to both
  // after conversion: 1013.25 hPa is 101.325 kPa to the bit.
  const std::string slip =
      "pressure 101.325 hPa is outside 20 to 200 kPa (in kPa? --pressure-unit kPa)";
  return {
      CliRow("PressureOption", kBatch, {"--pressure", "95"}, input,
             "pressure," + Results + Row("90,", Pair::Wet, 25, 20, 90) +
                 Row(",", Pair::Wet, 25, 20, 95) + Row("80.5,", Pair::Wet, 25, 20, 80.5),
             "", 0),
      CliRow("PressureOptionWithEquals", kBatch, {"--pressure=84.5"},
             "dry_bulb,relative_humidity\n25,50\n", Results + Row("", Pair::Rh, 25, 50, 84.5), "",
             0),
      CliRow("PressureColumn", kBatch, {}, input,
             "pressure," + Results + Row("90,", Pair::Wet, 25, 20, 90) +
                 Row(",", Pair::Wet, 25, 20, StandardPressure) +
                 Row("80.5,", Pair::Wet, 25, 20, 80.5),
             "", 0),
      CliRow("PressureInHectopascals", kBatch, {"--pressure-unit", "hPa", "--pressure=845"},
             "dry_bulb,wet_bulb,pressure\n25,20,1013.25\n25,20,\n25,20,101.325\n",
             "pressure," + Results + Row("1013.25,", Pair::Wet, 25, 20, 101.325) +
                 Row(",", Pair::Wet, 25, 20, 84.5) + Bad("101.325,", slip),
             "hygrian-batch: (standard input):4: " + slip + "\n" +
                 Summary("3 rows: 2 ok, 1 bad-input"),
             1),
      CliRow("PressureInPascals", kBatch, {"--pressure-unit=Pa", "--pressure", "84500"},
             "dry_bulb,wet_bulb,pressure\n25,20,101325\n25,20,\n",
             "pressure," + Results + Row("101325,", Pair::Wet, 25, 20, 101.325) +
                 Row(",", Pair::Wet, 25, 20, 84.5),
             "", 0),
      // --altitude: the library's standard atmosphere for rows without a pressure.
      CliRow("Altitude", kBatch, {"--altitude", "1500"}, input,
             "pressure," + Results + Row("90,", Pair::Wet, 25, 20, 90) +
                 Row(",", Pair::Wet, 25, 20, StandardPressureAtAltitude(1500).pressure) +
                 Row("80.5,", Pair::Wet, 25, 20, 80.5),
             "", 0),
  };
}

std::vector<CliRow> DigitsRows() {
  std::vector<CliRow> rows;
  for (const int digits : {1, 4, 17}) {
    rows.push_back(CliRow("Digits" + std::to_string(digits), kBatch,
                          {"--digits", std::to_string(digits)},
                          "dry_bulb,dew_point\n25,10\n100,100\n",
                          Results + Row("", Pair::Dew, 25, 10, StandardPressure, digits) +
                              Row("", Pair::Dew, 100, 100, StandardPressure, digits),
                          Summary("2 rows: 1 ok, 1 fault"), 0));
  }
  rows.push_back(CliRow("DigitsWorkedByHand", kBatch, {"--digits=4"}, kWet,
                        Results + "25,20,17.56,63.48,57.22,0.0126,0.6274,0.8618,2.012,ok\n", "",
                        0));
  return rows;
}

// The same row as a JSON object: carried fields as strings, values as numbers
// or null.
std::string JsonRow(const std::vector<std::pair<std::string, std::string>>& carried,
                    const std::vector<std::string>& values) {
  static const char* const keys[] = {"dry_bulb",
                                     "wet_bulb",
                                     "dew_point",
                                     "relative_humidity",
                                     "enthalpy",
                                     "humidity_ratio",
                                     "degree_of_saturation",
                                     "specific_volume",
                                     "vapor_pressure"};
  std::string line = "{";
  for (const auto& [key, value] : carried) line += "\"" + key + "\":\"" + value + "\",";
  for (std::size_t i = 0; i < 9; ++i) {
    line += "\"" + std::string(keys[i]) + "\":" + (values[i].empty() ? "null" : values[i]) + ",";
  }
  return line + "\"status\":\"" + values[9] + "\"}\n";
}

// The message about a field that is not UTF-8, after "FILE:LINE: ".
const std::string NotUtf8 =
    "a field is not UTF-8 (U+FFFD in the JSON for each stray byte): --encoding latin1 or "
    "cp1252?\n";

std::vector<CliRow> JsonRows() {
  std::vector<std::string> bad(9, "");
  bad.push_back("bad-input: dry_bulb \\\"x\\\" is not a number");
  std::vector<std::string> count(9, "");
  count.push_back("bad-input: expected 4 fields, found 2");
  // The pressure is a number (null when empty); two columns of one name are an error.
  const std::string p = "{\"pressure\":";
  const std::string first = JsonRow({}, Values(Pair::Wet, 25, 20, 90));
  const std::string second = JsonRow({}, Values(Pair::Wet, 25, 20, StandardPressure));
  return {
      CliRow("JsonLines", kBatch, {"--json"},
             "id,dry_bulb,dew_point,note\n"
             "1,25,10,\"a \"\"b\"\"\\c\"\n"
             "2,100,100,\"tab\there\nnew\"\n"
             "3,-273.1600036621094,-10,\x01\xC3\xA9\xFF\n"
             "4,x,10,\n"
             "5,25\n",
             JsonRow({{"id", "1"}, {"note", "a \\\"b\\\"\\\\c"}},
                     Values(Pair::Dew, 25, 10, StandardPressure)) +
                 JsonRow({{"id", "2"}, {"note", "tab\\there\\nnew"}},
                         Values(Pair::Dew, 100, 100, StandardPressure)) +
                 JsonRow({{"id", "3"}, {"note", "\\u0001\xC3\xA9\xEF\xBF\xBD"}},
                         Values(Pair::Dew, -273.1600036621094, -10, StandardPressure)) +
                 JsonRow({{"id", "4"}, {"note", ""}}, bad) +
                 JsonRow({{"id", "5"}, {"note", ""}}, count),
             "hygrian-batch: (standard input):5: " + NotUtf8 +
                 "hygrian-batch: (standard input):6: dry_bulb \"x\" is not a number\n"
                 "hygrian-batch: (standard input):7: expected 4 fields, found 2\n" +
                 Summary("5 rows: 1 ok, 2 fault, 2 bad-input"),
             1),
      // A field that is not UTF-8 is told once a file; with --encoding its bytes
      // are read as the encoding says: Latin-1's 0x80 to 0x9F are U+0080 to
      // U+009F, Windows-1252's the euro sign and the rest of its printables.
      CliRow("JsonFieldNotUtf8", kBatch, {"--json", "--columns", "site,status"},
             "site,dry_bulb,wet_bulb\nM\xFCnchen,25,20\nZ\xFCrich,25,20\n",
             "{\"site\":\"M\xEF\xBF\xBDnchen\",\"status\":\"ok\"}\n"
             "{\"site\":\"Z\xEF\xBF\xBDrich\",\"status\":\"ok\"}\n",
             "hygrian-batch: (standard input):2: " + NotUtf8, 0),
      CliRow("JsonLatin1", kBatch, {"--json", "--encoding", "latin1", "--columns", "site,status"},
             "site,dry_bulb,wet_bulb\nM\xFCnchen \x80\x9F,25,20\n",
             "{\"site\":\"M\xC3\xBCnchen \xC2\x80\xC2\x9F\",\"status\":\"ok\"}\n", "", 0),
      CliRow("JsonCp1252", kBatch, {"--json", "--encoding", "cp1252", "--columns", "site,status"},
             "site,dry_bulb,wet_bulb\n\x80\x9F,25,20\n",
             "{\"site\":\"\xE2\x82\xAC\xC5\xB8\",\"status\":\"ok\"}\n", "", 0),
      CliRow("JsonPressure", kBatch, {"--json"},
             "pressure,dry_bulb,wet_bulb\n\"90\",25,20\n,25,20\n",
             p + "90," + first.substr(1) + p + "null," + second.substr(1), "", 0),
      // With a decimal comma the pressure column is read as a number all the same.
      CliRow("JsonPressureWithDecimalComma", kBatch, {"--json", "--decimal-comma"},
             "pressure;dry_bulb;wet_bulb\n101,3;25;20\n",
             p + "101.3," + JsonRow({}, Values(Pair::Wet, 25, 20, 101.3)).substr(1), "", 0),
      CliRow("JsonTwoColumnsOfOneName", kBatch, {"--json"}, "a,dry_bulb,wet_bulb,a\n1,25,20,2\n",
             "", "hygrian-batch: (standard input):1: two columns named a; file skipped\n", 2),
      CliRow("JsonDigits", kBatch, {"--json", "--digits", "3"}, kWet,
             JsonRow({}, Values(Pair::Wet, 25, 20, StandardPressure, 3)), "", 0),
  };
}

std::vector<CliRow> OutputRows() {
  const std::string missing = "hygrian-batch: nosuch.csv: No such file or directory\n";
  return {
      CliRow("OutputDash", kBatch, {"in.csv", "--output=-"}, "",
             Results + Row("", Pair::Wet, 25, 20), "", 0, {{"in.csv", kWet}}),
      CliRow("OutputIntoNoFolder", kBatch, {"-o", "no/such/dir.csv", "in.csv"}, "", "",
             "hygrian-batch: no/such/dir.csv: No such file or directory\n", 2, {{"in.csv", kWet}}),
      // Written beside the file and renamed at the end: a run that fails before
      // any row leaves the file as it was (the row checks its files afterwards).
      CliRow("OutputKeptWhenNoInput", kBatch, {"-o", "out.csv", "nosuch.csv"}, "", "", missing, 2,
             {{"out.csv", "keep"}}),
      CliRow("OutputKeptWhenNoHeader", kBatch, {"-o", "out.csv"}, "dry_bulb,x\n", "",
             "hygrian-batch: (standard input):1: no wet_bulb, dew_point, relative_humidity, "
             "humidity_ratio, specific_humidity or vapor_pressure column; columns found: "
             "dry_bulb, x" +
                 Accepted + "; file skipped\n",
             2, {{"out.csv", "keep"}}),
      CliRow("OutputFull", kBatch, {"-o", "/dev/full", "in.csv"}, "", "",
             "hygrian-batch: /dev/full: No space left on device\n", 1, {{"in.csv", kWet}}),
      // A file with a second name is written in place, as `>` writes it: both
      // names hold the rows. Through a symbolic link the file it names is written.
      CliRow("OutputWithTwoNamesIsWrittenInPlace", kBatch, {"-o", "out.csv", "in.csv"}, "", "", "",
             0,
             {{"in.csv", kWet},
              {"out.csv", "old", {}, false, Results + Row("", Pair::Wet, 25, 20)},
              {"other.csv", "", "out.csv", true}}),
      CliRow("OutputThroughASymbolicLink", kBatch, {"-o", "link.csv", "in.csv"}, "", "", "", 0,
             {{"in.csv", kWet},
              {"out.csv", "old", {}, false, Results + Row("", Pair::Wet, 25, 20)},
              {"link.csv", "", "out.csv"}}),
      CliRow("Version", kBatch, {"--version"}, "", "hygrian-batch " HYGRIAN_VERSION "\n", "", 0),
  };
}

// A usage error: nothing on standard output, the message and the hint on
// standard error, status 2, and in.csv left as it was.
CliRow UsageError(const std::string& name, std::vector<std::string> args,
                  const std::string& message, const std::vector<e2e::File>& more = {}) {
  std::vector<e2e::File> files = {{"in.csv", kWet}, {".stdin", ""}};
  files.insert(files.end(), more.begin(), more.end());
  return CliRow("Usage" + name, kBatch, std::move(args), "", "",
                "hygrian-batch: " + message + "\n" + TryHelp, 2, std::move(files), ".stdin");
}

std::vector<CliRow> UsageRows() {
  return {
      UsageError("UnknownOption", {"--frobnicate", "in.csv"},
                 "The following argument was not expected: --frobnicate"),
      UsageError("UnknownShortOption", {"-x"}, "The following argument was not expected: -x"),
      UsageError("DigitsZero", {"--digits", "0"},
                 "--digits: '0' is not a whole number from 1 to 17"),
      UsageError("DigitsEighteen", {"--digits", "18"},
                 "--digits: '18' is not a whole number from 1 to 17"),
      UsageError("DigitsReal", {"--digits", "4.0"},
                 "--digits: '4.0' is not a whole number from 1 to 17"),
      UsageError("DigitsEmpty", {"--digits="}, "--digits: 1 required N missing"),
      UsageError("DigitsMissing", {"--digits"}, "--digits: 1 required N missing"),
      UsageError("PressureZero", {"--pressure", "0"}, "--pressure: 0 kPa is outside 20 to 200 kPa"),
      UsageError("PressureNegative", {"--pressure", "-101.325"},
                 "--pressure: -101.325 kPa is outside 20 to 200 kPa"),
      UsageError("PressureInHectopascals", {"--pressure", "1013"},
                 "--pressure: 1013 kPa is outside 20 to 200 kPa (in hPa? --pressure-unit hPa)"),
      UsageError("PressureInPascals", {"--pressure", "101325"},
                 "--pressure: 101325 kPa is outside 20 to 200 kPa (in Pa? --pressure-unit Pa)"),
      UsageError("HectopascalsInPascals", {"--pressure-unit", "hPa", "--pressure", "150000"},
                 "--pressure: 150000 hPa is outside 20 to 200 kPa (in Pa? --pressure-unit Pa)"),
      UsageError("PascalsTooHigh", {"--pressure-unit=Pa", "--pressure", "200001"},
                 "--pressure: 200001 Pa is outside 20 to 200 kPa"),
      UsageError("UnknownUnit", {"--pressure-unit", "kpa"},
                 "--pressure-unit: 'kpa' is not kPa, hPa, Pa, mbar, psi or inHg"),
      UsageError("PressureNotANumber", {"--pressure", "kPa"}, "--pressure: 'kPa' is not a number"),
      UsageError("PressureInfinite", {"--pressure", "inf"}, "--pressure: 'inf' is not a number"),
      UsageError("PressureOutOfRange", {"--pressure", "1e999"},
                 "--pressure: '1e999' is out of range"),
      UsageError("PressureEmpty", {"--pressure="}, "--pressure: 1 required P missing"),
      UsageError("PressureMissing", {"--pressure"}, "--pressure: 1 required P missing"),
      UsageError("AltitudeTooHigh", {"--altitude", "11000.5"},
                 "--altitude: 11000.5 m is outside -5000 to 11000 m"),
      UsageError("AltitudeTooLow", {"--altitude", "-5001"},
                 "--altitude: -5001 m is outside -5000 to 11000 m"),
      UsageError("AltitudeWithUnit", {"--altitude", "1 km"}, "--altitude: '1 km' is not a number"),
      UsageError("AltitudeAndPressure", {"--altitude", "0", "--pressure", "90"},
                 "--pressure and --altitude: give one or the other"),
      UsageError("OutputMissing", {"-o"}, "--output: 1 required FILE missing"),
      UsageError("FlagWithAValue", {"--json=yes"}, "json was given a disallowed flag override"),
      UsageError("OutputIsAnInput", {"-o", "in.csv", "in.csv"},
                 "--output: 'in.csv' is also an input"),
      UsageError("OutputIsAnInputByAnotherName", {"in.csv", "--output", "./in.csv"},
                 "--output: './in.csv' is also an input"),
      UsageError("OutputIsStandardInput", {"-o", ".stdin"}, "--output: '.stdin' is also an input"),
      UsageError("OutputIsAnInputThroughASymbolicLink", {"-o", "link.csv", "in.csv"},
                 "--output: 'link.csv' is also an input", {{"link.csv", "", "in.csv"}}),
      UsageError("OutputIsAnInputByAHardLink", {"-o", "hard.csv", "in.csv"},
                 "--output: 'hard.csv' is also an input", {{"hard.csv", "", "in.csv", true}}),
      UsageError("OutputIsStandardInputThroughASymbolicLink", {"-o", "link.csv", "-"},
                 "--output: 'link.csv' is also an input", {{"link.csv", "", ".stdin"}}),
      UsageError("DelimiterPoint", {"--delimiter", "."},
                 "--delimiter: '.' cannot end fields (any one byte but a quote, CR, LF, a digit, "
                 "'.', '+' or '-')"),
      UsageError("DelimiterDigit", {"-d", "7"},
                 "--delimiter: '7' cannot end fields (any one byte but a quote, CR, LF, a digit, "
                 "'.', '+' or '-')"),
      UsageError("DelimiterTwoCharacters", {"--delimiter", ";;"},
                 "--delimiter: ';;' is not one byte (or tab)"),
      UsageError("MissingValuesEmpty", {"--missing-values", "-9999,,ERR"},
                 "--missing-values: an empty marker (an empty field is a gap already)"),
      UsageError("EncodingUnknown", {"--encoding", "ebcdic"},
                 "--encoding: 'ebcdic' is not utf-8, latin1 or cp1252"),
      UsageError("SkipLinesNotANumber", {"--skip-lines", "two"},
                 "--skip-lines: 'two' is not a whole number"),
      UsageError("OutputDelimiterQuote", {"--output-delimiter", "\""},
                 "--output-delimiter: '\"' is not one byte (other than a quote, CR or LF)"),
      UsageError("ColumnsEmptyName", {"--columns", "dry_bulb,,status"}, "--columns: an empty name"),
      UsageError("OptionMisspelt", {"--verison"},
                 "The following argument was not expected: --verison; did you mean --version?"),
      UsageError("ColumnOptionMisspelt", {"--dry-bulb-colum=T"},
                 "The following argument was not expected: --dry-bulb-colum=T; did you mean "
                 "--dry-bulb-column?"),
      UsageError("MissingPolicy", {"--missing", "skip"}, "--missing: 'skip' is not missing or bad"),
      UsageError("PairName", {"--pair", "rh"},
                 "--pair: 'rh' is not wet_bulb, dew_point, relative_humidity, humidity_ratio, "
                 "specific_humidity or vapor_pressure (with dry_bulb), nor a pair: "
                 "dry_bulb_enthalpy, "
                 "humidity_ratio_enthalpy, enthalpy_relative_humidity, wet_bulb_relative_humidity, "
                 "dew_point_relative_humidity or humidity_ratio_relative_humidity"),
      UsageError("PairAndColumn", {"--pair", "dew_point", "--wet-bulb-column", "Twb"},
                 "--pair dew_point and --wet-bulb-column: name one second value"),
      UsageError("TwoSecondColumns",
                 {"--relative-humidity-column", "RH", "--humidity-ratio-column", "W"},
                 "--relative-humidity-column and --humidity-ratio-column: name one second value"),
  };
}

// The model's options: usage errors, checked to the byte.
std::vector<CliRow> ModelRows() {
  return {
      UsageError("ModelUnknown", {"--model", "magnus"},
                 "--model: 'magnus' is not handbook or calculator"),
      UsageError("CalculatorOverWater", {"--model", "calculator", "--over", "water"},
                 "--over water: the calculator model knows only ice"),
      UsageError("OverUnknown", {"--over", "snow"}, "--over: 'snow' is not ice or water"),
      UsageError("CalculatorClip", {"--model", "calculator", "--supersaturated", "clip"},
                 "--supersaturated clip: the calculator model flags no state above saturation"),
      UsageError("SupersaturatedUnknown", {"--supersaturated", "drop"},
                 "--supersaturated: 'drop' is not flag or clip"),
  };
}

// The pairs solved by a search, read when the header holds no pair with
// dry_bulb (the handbook model's only). 25 degrees C at 0.01 kg/kg has
// h = 50.625 kJ/kg (ASHRAE 2017 ch. 1 eq. 30 by hand), and in IP 77 F has
// 0.240 (77) + 0.01 (1061 + 0.444 (77)) = 29.43188 Btu/lb (eq. 30 in IP).
std::vector<CliRow> SearchedPairRows() {
  const std::string both = "dry_bulb,humidity_ratio,enthalpy\n99,0.01,50.625\n";
  const std::string head = "hygrian-batch: (standard input):1: ";
  return {
      CliRow("DryBulbPairFirst", kBatch, {"--columns", "dry_bulb,status"}, both,
             "dry_bulb,status\n99,ok\n", "", 0),
      CliRow("PairChosenByName", kBatch,
             {"--columns", "dry_bulb,status", "--pair", "humidity_ratio_enthalpy"}, both,
             "dry_bulb,status\n25,ok\n", "", 0),
      CliRow("EnthalpyInItsHeaderUnit", kBatch, {"--columns", "dry_bulb,status", "--digits", "3"},
             "humidity_ratio,enthalpy (Btu/lb)\n0.01,29.43188\n", "dry_bulb,status\n25,ok\n", "",
             0),
      CliRow("NoStateIsAFaultWithTheGivenValues", kBatch, {},
             "dew_point,relative_humidity\n10,101\n",
             Results + ",,10,101,,,,,,fault: no state with these two values\n",
             Summary("1 row: 0 ok, 1 fault"), 0),
      // No state has these enthalpies at 50 % (the search ends at the pole
      // where half the saturation pressure is the total pressure).
      CliRow("AbsurdValuesAreNoState", kBatch, {"--columns", "enthalpy,status"},
             "enthalpy,relative_humidity\n1e16,50\n1e100,50\n",
             "enthalpy,status\n1e+16,fault: no state with these two values\n"
             "1e+100,fault: no state with these two values\n",
             Summary("2 rows: 0 ok, 2 fault"), 0),
      CliRow("NoPairNamesThoseWithoutDryBulb", kBatch, {}, "enthalpy,x\n1,2\n", "",
             head + "no dry_bulb column; columns found: enthalpy, x" + Accepted +
                 "; or without dry_bulb: humidity_ratio+enthalpy, enthalpy+relative_humidity, "
                 "wet_bulb+relative_humidity, dew_point+relative_humidity or "
                 "humidity_ratio+relative_humidity; file skipped\n",
             2),
      CliRow("CalculatorSkipsASearchedPair", kBatch, {"--model", "calculator"},
             "humidity_ratio,enthalpy\n0.01,50.625\n", "",
             head + "humidity_ratio_enthalpy: not with the calculator model, which reads dry_bulb "
                    "with wet_bulb, dew_point, relative_humidity, humidity_ratio, "
                    "specific_humidity or vapor_pressure (--model handbook); file skipped\n",
             2),
      UsageError("MixReadsPairsWithTheDryBulb",
                 {"--process", "mix", "--pair", "humidity_ratio_enthalpy"},
                 "--process mix: the streams are read by a pair with the dry-bulb (--pair "
                 "wet_bulb and the like)"),
      UsageError("CalculatorRefusesASearchedPair",
                 {"--model", "calculator", "--pair", "dew_point_relative_humidity"},
                 "--pair dew_point_relative_humidity: not with the calculator model, which reads "
                 "dry_bulb with wet_bulb, dew_point, relative_humidity, humidity_ratio, "
                 "specific_humidity or vapor_pressure (--model handbook)"),
  };
}

// Units: a slip of unit gives a hint on standard error and changes no number;
// the option or the header's unit is checked. The handbook model, the default.
std::vector<CliRow> UnitRows() {
  const auto hint = [](const std::string& name, const std::string& input,
                       const std::string& columns, const std::string& out, const std::string& err) {
    return CliRow("Hint" + name, kBatch, {"--columns", columns}, input, out,
                  "hygrian-batch: (standard input):1: " + err, 0);
  };
  return {
      hint("Kelvin", "dry_bulb,dew_point\n298.15,283.15\n", "dry_bulb,status",
           "dry_bulb,status\n298.15,fault: outside the range\n",
           "dry_bulb 298.15 to 298.15 degC (in K? --unit dry_bulb=K)\n"
           "hygrian-batch: (standard input):1: dew_point 283.15 to 283.15 degC (in K? --unit "
           "dew_point=K)\n" +
               Summary("1 row: 0 ok, 1 fault")),
      // A header in degF whose values are kelvin: the option may not contradict it.
      hint("KelvinUnderADegreesFahrenheitHeader", "dry_bulb (°F),relative_humidity\n527.67,50\n",
           "status", "status\nfault: outside the range\n",
           "dry_bulb 527.67 to 527.67 degF (in K?)\n" + Summary("1 row: 0 ok, 1 fault")),
      hint("Fraction", "dry_bulb,relative_humidity\n20,0.45\n25,0.5\n", "relative_humidity,status",
           "relative_humidity,status\n0.45,ok\n0.5,ok\n",
           "relative_humidity 0.45 to 0.5 % (in fraction? --unit relative_humidity=1)\n"),
      hint("GramsPerKilogram", "dry_bulb,humidity_ratio\n25,10\n", "humidity_ratio,status",
           "humidity_ratio,status\n10,fault: invalid input\n",
           "humidity_ratio 10 to 10 kg/kg (in g/kg? --unit humidity_ratio=g/kg)\n" +
               Summary("1 row: 0 ok, 1 fault")),
      // 29.92 inHg lies inside 20 to 200 kPa.
      hint("InchesOfMercury", "dry_bulb,wet_bulb,pressure\n37.8,18.3,29.92\n", "pressure,status",
           "pressure,status\n29.92,ok\n",
           "pressure 29.92 to 29.92 kPa (in inHg? --unit pressure=inHg)\n"),
      CliRow("HintOnlyFromTheFirstRowsOnce", kBatch, {"-q", "--columns", "status"},
             "dry_bulb,relative_humidity\n298.15,50\n", "status\nfault: outside the range\n", "",
             0),
      CliRow("HeaderUnitAgainstTheOption", kBatch, {"--unit", "dry_bulb=K"},
             "T (degF),dew_point\n50,40\n", "",
             "hygrian-batch: (standard input):1: no dry_bulb column; columns found: T (degF), "
             "dew_point" +
                 Accepted + "; file skipped\n",
             2),
      CliRow("HeaderUnitContradictsTheOption", kBatch, {"--unit", "dry_bulb=K"},
             "dry_bulb (degF),dew_point\n50,40\n", "",
             "hygrian-batch: (standard input):1: dry_bulb (degF): the header's unit is not --unit "
             "dry_bulb=K; file skipped\n",
             2),
      CliRow("HeaderUnitUnknown", kBatch, {}, "dry_bulb [degf],dew_point\n50,40\n", "",
             "hygrian-batch: (standard input):1: dry_bulb [degf]: 'degf' is not a unit of "
             "temperature (degC, K, degF or degR); did you mean 'degF'? (--unit dry_bulb=UNIT says "
             "which); file skipped\n",
             2),
      // Words in brackets that are no unit: --unit says the column's.
      CliRow("HeaderWordsThatAreNoUnit", kBatch,
             {"--dry-bulb-column", "Temp", "--unit", "dry_bulb=degC", "--columns", "dry_bulb"},
             "Temp (outdoor),relative_humidity\n25,50\n", "dry_bulb\n25\n", "", 0),
      // JSON keys stay; 20 degC is 68 degF exactly; an unlabelled column is in
      // the units of --units.
      CliRow("IpJsonKeys", kBatch, {"--units", "ip", "--json", "--columns", "dry_bulb,status"},
             "dry_bulb (degC),relative_humidity\n20,50\n", "{\"dry_bulb\":68,\"status\":\"ok\"}\n",
             "", 0),
      CliRow("IpUnlabelledColumns", kBatch,
             {"--units", "ip", "--json", "--columns", "dry_bulb,humidity_ratio,status"},
             "dry_bulb,humidity_ratio\n68,0.01\n",
             "{\"dry_bulb\":68,\"humidity_ratio\":0.01,\"status\":\"ok\"}\n", "", 0),
      UsageError("UnitUnknown", {"--unit", "dry_bulb=degf"},
                 "--unit dry_bulb=degf: 'degf' is not a unit of temperature (degC, K, degF or "
                 "degR); did you mean 'degF'?"),
      UsageError("UnitOfAnotherQuantity", {"--unit", "pressure=degF"},
                 "--unit pressure=degF: 'degF' is not a unit of pressure (kPa, hPa, Pa, mbar, psi "
                 "or inHg)"),
      UsageError(
          "UnitColumnUnknown", {"--unit", "dry-bulb=K"},
          "--unit dry-bulb=K: 'dry-bulb' is not dry_bulb, wet_bulb, dew_point, "
          "relative_humidity, humidity_ratio, specific_humidity, vapor_pressure, enthalpy or "
          "pressure (or a "
          "process's column); did you mean 'dry_bulb'?"),
      UsageError("UnitWithoutEquals", {"--unit", "K"}, "--unit K: not COLUMN=UNIT"),
      UsageError("UnitTwice", {"--unit", "dry_bulb=K", "--unit", "dry_bulb=degC"},
                 "--unit dry_bulb: given twice"),
      UsageError("UnitsSystem", {"--units", "us"}, "--units: 'us' is not si or ip"),
  };
}

// --process: the leaving state and the loads by hand from the handbook's
// relations (ASHRAE 2017 ch. 1): h = 1.006 t + W (2501 + 1.86 t) (eq. 32),
// so t = (h - 2501 W) / (1.006 + 1.86 W); six digits.
const std::string kProcessColumns =
    "leaving_dry_bulb,leaving_humidity_ratio,leaving_enthalpy,sensible_load,latent_load,"
    "sensible_heat_ratio,water_added,status";
// A mixing box's water is the condensate of its fog.
const std::string kMixColumns =
    "leaving_dry_bulb,leaving_humidity_ratio,leaving_enthalpy,sensible_load,latent_load,"
    "sensible_heat_ratio,condensate,status";

std::vector<std::string> ProcessArgs(const std::string& process) {
  return {"--process", process,     "--digits",
          "6",         "--columns", process == "mix" ? kMixColumns : kProcessColumns};
}

std::vector<CliRow> ProcessRows() {
  const std::string heat = "Site,dry_bulb,humidity_ratio,leaving_dry_bulb,flow\n";
  return {
      // h1 = 20.12 + 0.008 * 2538.2 = 40.4256, h2 = 30.18 + 0.008 * 2556.8 =
      // 50.6344; 2 kg/s: 20.4176 kW, all sensible.
      CliRow("ProcessHeat", kBatch, ProcessArgs("heat"), heat + "A,20,0.008,30,2\n",
             kProcessColumns + "\n30,0.008,50.6344,20.4176,0,1,0,ok\n", "", 0),
      CliRow("ProcessJsonFieldNotUtf8", kBatch,
             {"--json", "--process", "heat", "--columns", "Site,status"},
             heat + "M\xFCnchen,20,0.008,30,2\n",
             "{\"Site\":\"M\xEF\xBF\xBDnchen\",\"status\":\"ok\"}\n",
             "hygrian-batch: (standard input):2: " + NotUtf8, 0),
      // W = (0.015 + 2 * 0.007) / 3; h = (68.532 + 2 * 37.8874) / 3 = 48.1022667;
      // t = 23.3656256; mixing adds no heat (no ratio: an empty cell).
      CliRow("ProcessMix", kBatch, ProcessArgs("mix"),
             "a_dry_bulb,a_humidity_ratio,a_flow,b_dry_bulb,b_humidity_ratio,b_flow\n"
             "30,0.015,1,20,0.007,2\n",
             kMixColumns + "\n23.3656,0.00966667,48.1023,0,0,,0,ok\n", "", 0),
      // Steam at 100 degC, 2687 kJ/kg (eq. 30): h2 = 28.5456 + 0.003 * 2687 =
      // 40.872, t2 = 20.4373; sensible 2 (40.872 - 40.4256) = 0.8928, latent
      // 2 (40.4256 - 25.1028) = 15.2292 kW, 0.006 kg/s of water.
      // Any second value for each stream: dry air (0 %) and W 0.006, 1 kg/s
      // each: W 0.003, h (30.18 + 20.12 + 0.006 * 2538.2) / 2 = 32.7646.
      CliRow("ProcessMixOfTwoPairs", kBatch, ProcessArgs("mix"),
             "a_dry_bulb,a_relative_humidity,a_flow,b_dry_bulb,b_humidity_ratio,b_flow\n"
             "30,0,1,20,0.006,1\n",
             kMixColumns + "\n24.9724,0.003,32.7646,0,0,,0,ok\n", "", 0),
      CliRow("ProcessSteam", kBatch, ProcessArgs("steam"),
             "dry_bulb,humidity_ratio,leaving_humidity_ratio,steam_temperature,flow\n"
             "20,0.005,0.008,100,2\n",
             kProcessColumns + "\n20.4373,0.008,40.872,0.8928,15.2292,0.0553777,0.006,ok\n", "", 0),
      // Water at 20 degC, 83.72 kJ/kg: h2 = 45.52080 + 0.003 * 83.72 = 45.77196,
      // t2 = 22.7457; sensible -14.8385, latent 15.3408 kW.
      CliRow("ProcessAdiabatic", kBatch, ProcessArgs("adiabatic"),
             "dry_bulb,humidity_ratio,leaving_humidity_ratio,water_temperature,flow\n"
             "30,0.006,0.009,20,2\n",
             kProcessColumns + "\n22.7457,0.009,45.772,-14.8385,15.3408,-29.5399,0.006,ok\n", "",
             0),
      // The heat row backwards: 20.4176 kW into 2 kg/s.
      CliRow("ProcessHeatRate", kBatch, ProcessArgs("heat"),
             "dry_bulb,humidity_ratio,heat_rate,flow\n20,0.008,20.4176,2\n",
             kProcessColumns + "\n30,0.008,50.6344,20.4176,0,1,0,ok\n", "", 0),
      // 2 m3/s at v = 0.287042 * 293.15 * (1 + 1.607858 * 0.008) / 101.325 =
      // 0.841142 m3/kg (eq. 26) is 2.37772 kg/s: 2.37772 * 10.2088 = 24.2737 kW.
      CliRow("ProcessHeatByVolume", kBatch,
             {"--process", "heat", "--flow-unit", "m3/s", "--digits", "6", "--columns",
              "sensible_load,status"},
             heat + "A,20,0.008,30,2\n", "sensible_load,status\n24.2737,ok\n", "", 0),
      // 1 m3/s of a at 0.879501 and 2 of b at 0.839807 m3/kg (eq. 26): 1.13701
      // and 2.38150 kg/s; W = 0.00958521, h = 47.7902, t = 23.2633.
      CliRow(
          "ProcessMixByVolume", kBatch,
          {"--process", "mix", "--flow-unit", "m3/s", "--digits", "6", "--columns",
           "leaving_dry_bulb,leaving_humidity_ratio,leaving_enthalpy"},
          "a_dry_bulb,a_humidity_ratio,a_flow,b_dry_bulb,b_humidity_ratio,b_flow\n"
          "30,0.015,1,20,0.007,2\n",
          "leaving_dry_bulb,leaving_humidity_ratio,leaving_enthalpy\n23.2633,0.00958521,47.7902\n",
          "", 0),
      // To a given leaving state or humidity, which the leaving state has; an
      // evaporative cooler of effectiveness 0 leaves the air as it was, one of
      // 1 saturates it (its flow optional).
      CliRow("ProcessToAGivenLeavingState", kBatch,
             {"--process", "coil", "--digits", "6", "--columns",
              "leaving_dry_bulb,leaving_relative_humidity,status"},
             "dry_bulb,humidity_ratio,leaving_dry_bulb,leaving_relative_humidity,flow\n"
             "30,0.015,14,90,2\n",
             "leaving_dry_bulb,leaving_relative_humidity,status\n14,90,ok\n", "", 0),
      CliRow("ProcessSteamToARelativeHumidity", kBatch,
             {"--process", "steam", "--digits", "6", "--columns", "leaving_relative_humidity"},
             "dry_bulb,humidity_ratio,leaving_relative_humidity,steam_temperature,flow\n"
             "20,0.005,60,100,2\n",
             "leaving_relative_humidity\n60\n", "", 0),
      CliRow("ProcessWaterToARelativeHumidity", kBatch,
             {"--process", "adiabatic", "--digits", "6", "--columns", "leaving_relative_humidity"},
             "dry_bulb,humidity_ratio,leaving_relative_humidity,water_temperature,flow\n"
             "30,0.006,60,20,2\n",
             "leaving_relative_humidity\n60\n", "", 0),
      CliRow("ProcessEvaporative", kBatch,
             {"--process", "evaporative", "--digits", "6", "--columns",
              "leaving_dry_bulb,leaving_humidity_ratio,water_added,total_load"},
             "dry_bulb,humidity_ratio,effectiveness\n35,0.006,0\n",
             "leaving_dry_bulb,leaving_humidity_ratio,water_added,total_load\n35,0.006,0,0\n", "",
             0),
      CliRow("ProcessAsJson", kBatch,
             {"--process", "heat", "--json", "--digits", "6", "--columns",
              "Site,leaving_enthalpy,total_load,status"},
             heat + "A,20,0.008,30,2\n",
             "{\"Site\":\"A\",\"leaving_enthalpy\":50.6344,\"total_load\":20.4176,"
             "\"status\":\"ok\"}\n",
             "", 0),
      // The input's columns come first, but leaving_dry_bulb, a result; a bad
      // or missing cell is its row's status; cooling below the dew point is
      // the coil's work.
      CliRow("ProcessRowsKeepTheirPlace", kBatch, {"--process", "heat"},
             heat + "A,20,0.008,30,x\nB,20,0.008,,2\nC,20,0.008,5,2\n",
             "Site,dry_bulb,humidity_ratio,flow,leaving_dry_bulb,leaving_wet_bulb,"
             "leaving_dew_point,leaving_relative_humidity,leaving_enthalpy,leaving_humidity_ratio,"
             "leaving_degree_of_saturation,leaving_specific_volume,leaving_vapor_pressure,"
             "leaving_flow,sensible_load,latent_load,enthalpy_change,total_load,"
             "sensible_heat_ratio,water_added,status\n"
             "A,20,0.008,x,,,,,,,,,,,,,,,,,\"bad-input: flow \"\"x\"\" is not a number\"\n"
             "B,20,0.008,2,,,,,,,,,,,,,,,,,missing\n"
             "C,20,0.008,2,,,,,,,,,,,,,,,,,fault: below the dew point\n",
             "hygrian-batch: (standard input):2: flow \"x\" is not a number\n" +
                 Summary("3 rows: 0 ok, 1 fault, 1 missing, 1 bad-input"),
             1),
      // A coil's surface above the entering dew point, named with its value;
      // units in the header, or IP ones (15,873.2863 lb/h is 2.0000004 kg/s:
      // 10.2088 kJ/kg of it, 20.41760 kW, 69,667.76 Btu/h); a flow given again
      // in a chain, where it differs.
      CliRow("ProcessCoilAboveTheDewPoint", kBatch,
             {"--process", "coil", "--columns", "apparatus_dew_point,status"},
             "dry_bulb,relative_humidity,apparatus_dew_point,bypass_factor,flow\n30,50,25,0.1,2\n",
             "apparatus_dew_point,status\n,fault: apparatus dew point 25 degC is not below the "
             "entering dew point 18.45 degC\n",
             Summary("1 row: 0 ok, 1 fault"), 0),
      CliRow("ProcessInUnitsOfTheHeader", kBatch,
             {"--process", "heat", "--digits", "6", "--columns", "leaving_dry_bulb,total_load"},
             "dry_bulb (degF),humidity_ratio (lb/lb),leaving_dry_bulb (°F),flow (kg/s)\n"
             "68,0.008,86,2\n",
             "leaving_dry_bulb,total_load\n30,20.4176\n", "", 0),
      CliRow("ProcessInIpUnits", kBatch,
             {"--process", "heat", "--units", "ip", "--digits", "6", "--columns",
              "leaving_dry_bulb,leaving_flow,total_load"},
             "dry_bulb,humidity_ratio,leaving_dry_bulb,flow\n68,0.008,86,15873.2863\n",
             "leaving_dry_bulb,leaving_flow,total_load\n86,15873.3,69667.8\n", "", 0),
      CliRow("ProcessChainGivenAnotherFlow", kBatch,
             {"--flow-unit", "m3/s", "--columns", "process,status"},
             "process,dry_bulb,relative_humidity,leaving_dry_bulb,leaving_humidity_ratio,"
             "steam_temperature,flow\nheat,-10,80,25,,,5\nsteam,,,,0.008,100,5\n",
             "process,status\nheat,ok\nsteam,\"bad-input: flow 5 m3/s is 5.90759 kg/s of dry air "
             "here, not the 6.69333 kg/s that the row above leaves (an empty cell carries it "
             "on)\"\n",
             "hygrian-batch: (standard input):3: flow 5 m3/s is 5.90759 kg/s of dry air here, not "
             "the 6.69333 kg/s that the row above leaves (an empty cell carries it on)\n" +
                 Summary("2 rows: 1 ok, 1 bad-input"),
             1),
      // A parameter's cell is read as the table's: its gap markers too.
      CliRow("ProcessCellWithAGapMarker", kBatch,
             {"--process", "heat", "--missing-values", "-999", "--columns", "status"},
             "dry_bulb,humidity_ratio,leaving_dry_bulb,flow\n20,0.008,30,-999\n",
             "status\nmissing\n", Summary("1 row: 0 ok, 1 missing"), 0),
      CliRow("ProcessesWithTheCalculatorModel", kBatch, {"--model", "calculator"},
             "process,dry_bulb,humidity_ratio,leaving_dry_bulb,flow\nheat,20,0.008,30,2\n", "",
             "hygrian-batch: (standard input):1: processes: with the handbook model only; file "
             "skipped\n",
             2),
      CliRow("ProcessWithoutAParameterColumn", kBatch, {"--process", "heat"},
             "dry_bulb,humidity_ratio,leaving_dry_bulb\n20,0.008,30\n", "",
             "hygrian-batch: (standard input):1: --process heat: no flow column; file skipped\n",
             2),
      CliRow("ProcessWithoutItsForm", kBatch, {"--process", "coil"},
             "dry_bulb,humidity_ratio,flow\n20,0.008,2\n", "",
             "hygrian-batch: (standard input):1: --process coil: no apparatus_dew_point and "
             "bypass_factor or leaving_dry_bulb and leaving_relative_humidity columns; file "
             "skipped\n",
             2),
      CliRow("ProcessMixWithoutStreamB", kBatch, {"--process", "mix"},
             "a_dry_bulb,a_humidity_ratio,a_flow,b_flow\n20,0.008,2,1\n", "",
             "hygrian-batch: (standard input):1: --process mix: no b_dry_bulb column; file "
             "skipped\n",
             2),
      UsageError("ProcessUnknown", {"--process", "boil"},
                 "--process: 'boil' is not mix, heat, coil, evaporative, steam or adiabatic"),
      UsageError("ProcessWithTheCalculatorModel", {"--process", "heat", "--model", "calculator"},
                 "--process: with the handbook model only"),
      UsageError("FlowUnitUnknown", {"--process", "heat", "--flow-unit", "gpm"},
                 "--flow-unit: 'gpm' is not kg/s, kg/h, lb/h, m3/s, m3/h, L/s or cfm"),
      UsageError("FlowBasisUnknown", {"--flow-unit", "cfm", "--flow-basis", "nominal"},
                 "--flow-basis: 'nominal' is not actual or standard"),
      UsageError("FlowBasisOfAMassFlow", {"--flow-basis", "standard"},
                 "--flow-basis standard: with a volume flow unit (m3/s, m3/h, L/s or cfm)"),
      UsageError("LoadUnitUnknown", {"--load-unit", "hp"},
                 "--load-unit: 'hp' is not kW, W, Btu/h, MBH or ton"),
  };
}

std::vector<CliRow> BatchRows() {
  std::vector<CliRow> rows;
  for (auto table : {StatusRows, BadInputRows, FileRows, LoggerRows, RealFileRows, PressureRows,
                     DigitsRows, JsonRows, OutputRows, UsageRows}) {
    for (CliRow& row : table()) {
      row.args.insert(row.args.begin(), kCalculator.begin(), kCalculator.end());
      rows.push_back(std::move(row));
    }
  }
  for (auto table : {ModelRows, UnitRows, ProcessRows, SearchedPairRows}) {
    for (CliRow& row : table()) rows.push_back(std::move(row));
  }
  return rows;
}

// The same rows with the rows one by one and on three threads (the default is
// the cores available): the same bytes.
std::vector<CliRow> BatchRowsWithJobs() {
  std::vector<CliRow> rows;
  for (const char* jobs : {"1", "3"}) {
    for (CliRow& row : BatchRows()) {
      row.name += std::string("Jobs") + jobs;
      row.args.insert(row.args.begin(), {"--jobs", jobs});
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

using BatchRun = e2e::CliTest;
TEST_P(BatchRun, Run) { e2e::ExpectRow(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Batch, BatchRun, ::testing::ValuesIn(BatchRows()), e2e::RowName());
INSTANTIATE_TEST_SUITE_P(BatchJobs, BatchRun, ::testing::ValuesIn(BatchRowsWithJobs()),
                         e2e::RowName());

// --- Runs that need more than a row -------------------------------------------

// Runs `args` in `folder`, with `input` on standard input.
RunResult RunIn(const e2e::ScratchFolder& folder, std::vector<std::string> args,
                std::string_view input = "") {
  Invocation how;
  how.args = kCalculator;
  how.args.insert(how.args.end(), args.begin(), args.end());
  how.input = input;
  how.directory = folder.Path();
  return e2e::Run(kBatch, how);
}

TEST(Batch, OutputFile) {
  const e2e::ScratchFolder folder;
  folder.Write("in.csv", kWet);
  ExpectRun(RunIn(folder, {"-o", "out.csv", "in.csv"}), "", "", 0);
  EXPECT_EQ(folder.Read("out.csv"), Results + Row("", Pair::Wet, 25, 20));
  // A run that fails after some rows leaves the file as it was, and no other
  // file behind.
  ExpectRun(RunIn(folder, {"-o", "out.csv", "in.csv", "nosuch.csv"}), "",
            "hygrian-batch: nosuch.csv: No such file or directory\n", 2);
  EXPECT_EQ(folder.Read("out.csv"), Results + Row("", Pair::Wet, 25, 20));
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    ++files;
  }
  EXPECT_EQ(files, 2U);  // in.csv, out.csv
}

TEST(Batch, Help) {
  const e2e::ScratchFolder folder;
  const RunResult help = RunIn(folder, {"--help"});
  EXPECT_EQ(help.out.substr(0, Usage.size()), Usage);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"-o,--output FILE",
                             "--pressure P",
                             "--altitude Z",
                             "--pressure-unit UNIT",
                             "--altitude-unit m|ft",
                             "--units si|ip",
                             "--process WORD",
                             "--flow-unit UNIT",
                             "--flow-basis actual|standard",
                             "--load-unit UNIT",
                             "--digits N",
                             "--json",
                             "--jobs N",
                             "-q,--quiet",
                             "-h,--help",
                             "--version",
                             "--delimiter C",
                             "--decimal-comma",
                             "--missing missing|bad",
                             "--dry-bulb-column COL",
                             "--wet-bulb-column COL",
                             "--dew-point-column COL",
                             "--relative-humidity-column COL",
                             "--humidity-ratio-column COL",
                             "--pressure-column COL",
                             "--pair NAME",
                             "--model handbook|calculator",
                             "--over ice|water",
                             "--supersaturated flag|clip",
                             "--unit COLUMN=UNIT",
                             "--units si|ip"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(RunIn(folder, {"-h"}).out, help.out);
}

TEST(Batch, AFullStandardOutputEndsTheRunWithStatusOne) {
  const e2e::ScratchFolder folder;
  folder.Write("in.csv", kWet);
  const e2e::Fd full(::open("/dev/full", O_WRONLY | O_CLOEXEC));
  ASSERT_TRUE(full.open());
  Invocation how;
  how.args = {"in.csv"};
  how.directory = folder.Path();
  how.stdoutFd = full.get();
  ExpectRun(e2e::Run(kBatch, how), "",
            "hygrian-batch: (standard output): No space left on device\n", 1);
}

// What a terminal on standard error (and, with `outputToo`, on standard output)
// shows of a run in `folder`, byte for byte as the program wrote it (the test
// terminal adds no CR); standard output otherwise goes to /dev/null.
std::string Screen(const e2e::ScratchFolder& folder, std::vector<std::string> args,
                   bool outputToo = false) {
  const e2e::Fd null(::open("/dev/null", O_WRONLY | O_CLOEXEC));
  Invocation how;
  how.args = std::move(args);
  how.directory = folder.Path();
  if (!outputToo) how.stdoutFd = null.get();
  const RunResult run =
      e2e::Run(kBatch, how, outputToo ? e2e::Terminal::OutputAndErrors : e2e::Terminal::ErrorsOnly);
  return outputToo ? run.out : run.err;
}

TEST(Batch, ProgressAtATerminalIsErasedAtTheEnd) {
  const e2e::ScratchFolder folder;
  // Enough rows that the run outlasts the display's first interval (0.1 s) on a
  // fast machine with every core free.
  std::string input = "dry_bulb,dew_point\n";
  for (int i = 0; i < 3000000; ++i) input += "25,10\n";
  input += "x,1\n";
  folder.Write("in.csv", input);
  const std::string screen = Screen(folder, {"in.csv"});
  const std::string message =
      "hygrian-batch: in.csv:3000002: dry_bulb \"x\" is not a number\n"
      "hygrian-batch: 3000001 rows: 3000000 ok, 1 bad-input\n";
  // Each display is erased before the next, and before the message.
  ASSERT_GE(screen.size(), message.size());
  EXPECT_EQ(screen.substr(0, 23), "hygrian-batch: in.csv: ") << screen;
  EXPECT_NE(screen.find("% "), std::string::npos) << screen;
  EXPECT_NE(screen.find(" rows/s\r\x1b[K"), std::string::npos) << screen;
  EXPECT_EQ(screen.substr(screen.size() - message.size()), message) << screen;
  EXPECT_EQ(Screen(folder, {"-q", "in.csv"}), "");
  // With standard output on the same terminal there is no display to glue rows onto.
  folder.Write("small.csv", input.substr(0, 6 * 5000 + 19));
  const std::string both = Screen(folder, {"small.csv"}, true);
  EXPECT_EQ(both.find("rows/s"), std::string::npos);
  EXPECT_EQ(both.substr(0, 20), "dry_bulb,wet_bulb,de");
}

// Runs a bash script in `folder`, with $B the program.
RunResult Shell(const e2e::ScratchFolder& folder, const std::string& script) {
  Invocation how;
  how.args = {"-c", "B='" HYGRIAN_BATCH_BINARY " --model calculator' && " + script};
  how.directory = folder.Path();
  return e2e::Run({"bash"}, how);
}

TEST(Batch, RowsOfASlowPipeComeOutAsTheyCome) {
  // The second row is sent only once the first has reached the output.
  const e2e::ScratchFolder folder;
  const RunResult got = Shell(folder,
                              "{ printf 'dry_bulb,wet_bulb\\n25,20\\n'; for i in $(seq 200); do "
                              "[ $(wc -l <out.csv) -ge 2 ] && break; sleep 0.05; done; "
                              "cp out.csv seen.csv; printf '30,25\\n'; } | $B >out.csv");
  EXPECT_EQ(got.status, 0);
  EXPECT_EQ(folder.Read("seen.csv"), Results + Row("", Pair::Wet, 25, 20));
  EXPECT_EQ(folder.Read("out.csv"),
            Results + Row("", Pair::Wet, 25, 20) + Row("", Pair::Wet, 30, 25));
}

// SIGINT, SIGTERM or SIGHUP while rows come in: the new file is removed, the old
// one stays as it was, and the run ends as the signal ends a program.
TEST(Batch, ASignalRemovesTheNewFileAndEndsTheRunAsTheSignalDoes) {
  for (const auto& [name, status] : {std::pair{"INT", 130}, {"TERM", 143}, {"HUP", 129}}) {
    const e2e::ScratchFolder folder;
    folder.Write("out.csv", "keep");
    // Job control, so that a job in the background does not ignore SIGINT.
    const RunResult got =
        Shell(folder, std::string("set -m; mkfifo in; $B -o out.csv <in & exec 3>in; ") +
                          "printf 'dry_bulb,wet_bulb\\n25,20\\n' >&3; for i in $(seq 200); do "
                          "ls out.csv.tmp-* >/dev/null 2>&1 && break; sleep 0.05; done; kill -" +
                          name + " $!; wait $!; echo $? >status; exec 3>&-; rm in; ls");
    EXPECT_EQ(folder.Read("status"), std::to_string(status) + "\n") << name;
    EXPECT_EQ(got.out, "out.csv\nstatus\n") << name;
    EXPECT_EQ(folder.Read("out.csv"), "keep") << name;
  }
}

TEST(Batch, AClosedPipeEndsTheRunQuietly) {
  const e2e::ScratchFolder folder;
  std::string input = "id,dry_bulb,wet_bulb\n";
  for (int i = 0; i < 100000; ++i) input += std::to_string(i) + ",25,20\n";
  folder.Write("in.csv", input);
  const RunResult got = Shell(folder, "$B in.csv | head -n 2; echo ${PIPESTATUS[0]} >status");
  EXPECT_EQ(got.out, "id," + Results + Row("0,", Pair::Wet, 25, 20));
  EXPECT_EQ(got.err, "");
  EXPECT_EQ(folder.Read("status"), "0\n");
}

// A table of several chunks (quoted fields over lines, CRLF rows, bad and
// missing rows throughout, so some at the chunks' edges, then runs of good rows
// longer than a block of states computed together, a field longer than a chunk
// may be and a quote left open at the end), from a file and from a pipe, with
// four option sets: four jobs write what one job writes.
TEST(Batch, FourJobsWriteWhatOneJobWrites) {
  const e2e::ScratchFolder folder;
  std::string input = "id,note,dry_bulb,relative_humidity\n";
  for (int i = 0; i < 30000; ++i) {
    const std::string id = std::to_string(i);
    const std::string t = std::to_string(i % 45) + "." + std::to_string(i % 10);
    const std::array<std::string, 8> rows = {id + ",\"two\nlines, \"\"quoted\"\"\"," + t + ",50\n",
                                             id + ",crlf," + t + ",40\r\n",
                                             id + ",bad,x" + id + ",50\n",
                                             id + ",," + t + ",\n",
                                             id + ",few," + t + "\n",
                                             "\n",
                                             id + ",\"\r\n\"," + t + ",101\r\n",
                                             id + ",," + t + "," + std::to_string(i % 100) + "\n"};
    input += rows[static_cast<std::size_t>(i) % rows.size()];
  }
  for (int i = 0; i < 20000; ++i) {
    const std::string t = std::to_string(i % 130 - 60) + "." + std::to_string(i % 7);
    input += i % 1000 == 999 ? "gap,,,\n" : "run,," + t + "," + std::to_string(i % 103) + "\n";
  }
  input += "long,\"" + std::string(5 << 20, 'x') + "\",25,50\nafter,,x,50\n";
  input += "last,\"open quote,25,50\n";
  folder.Write("in.csv", input);
  for (const std::vector<std::string>& options : {std::vector<std::string>{},
                                                  {"--json"},
                                                  {"--units", "ip", "--digits", "4"},
                                                  {"--model", "calculator"}}) {
    for (const bool pipe : {false, true}) {
      std::array<RunResult, 2> runs;
      for (std::size_t j = 0; j < runs.size(); ++j) {
        Invocation how;
        how.args = {"--jobs", j == 0 ? "1" : "4"};
        how.args.insert(how.args.end(), options.begin(), options.end());
        how.args.emplace_back(pipe ? "-" : "in.csv");
        if (pipe) how.input = input;
        how.directory = folder.Path();
        runs[j] = e2e::Run(kBatch, how);
      }
      const std::string what = options.empty() ? "csv" : options[0];
      EXPECT_TRUE(runs[0].out == runs[1].out) << what << (pipe ? " from a pipe" : "");
      EXPECT_EQ(runs[0].err, runs[1].err) << what;
      EXPECT_EQ(runs[0].status, runs[1].status) << what;
      EXPECT_GT(runs[0].out.size(), std::size_t{1} << 20) << what;  // many chunks
    }
  }
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HYGRIAN_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(HYGRIAN_TEST_ASAN)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

// Fewer threads than --jobs asks for (a limit of address space; a limit of
// processes for a user of its own, since root has none): the run goes on with
// the threads started, or on one, writes what --jobs 1 writes and says so once.
TEST(Batch, FewerThreadsThanAskedWriteWhatOneJobWrites) {
  constexpr unsigned kUser = 61051;  // a user that runs nothing else
  const std::string asUser = e2e::AsUser(kUser, kUser);
  const e2e::ScratchFolder folder;
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
  std::string input = "dry_bulb,relative_humidity\n";
  for (int i = 0; i < 40000; ++i) input += std::to_string(i % 60 - 20) + ".5,50\n";
  folder.Write("in.csv", input);
  const RunResult one = Shell(folder, "$B --jobs 1 in.csv");
  ASSERT_EQ(one.status, 0);
  const std::regex told(
      "(hygrian-batch: working on (one thread|[0-9]+ threads), not 16: Resource temporarily "
      "unavailable\n)?");
  struct Limit {
    std::string shell;  // the limit, set in the shell that runs the program
    bool perUser;
  };
  for (const Limit& limit : {Limit{"ulimit -v 100000", false}, Limit{"ulimit -u 3", true},
                             Limit{"ulimit -u 5", true}, Limit{"ulimit -u 9", true}}) {
    if (limit.perUser && asUser.empty()) GTEST_SKIP() << "a limit of processes needs root";
    // AddressSanitizer's shadow memory needs more address space than any such limit.
    if (!limit.perUser && kAddressSanitizer) continue;
    const RunResult got =
        Shell(folder, (limit.perUser ? asUser + " " : "") + "bash -c '" + limit.shell +
                          " && exec " HYGRIAN_BATCH_BINARY " --model calculator --jobs 16 in.csv'");
    EXPECT_TRUE(got.out == one.out) << limit.shell;
    EXPECT_TRUE(std::regex_match(got.err, told)) << limit.shell << ": " << got.err;
    EXPECT_EQ(got.status, 0) << limit.shell;
  }
}

// --- The handbook model, the default: figures from the references --------------

// One value of a run with the default model (--columns KEY,status), against a
// published figure; `expected` NaN is an empty cell, null in JSON.
struct HandbookFigure {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  std::string key;
  double expected;
  double tolerance;
  std::string status;
  int row = 1;  // the output row (CSV) whose cell is checked
};

void PrintTo(const HandbookFigure& row, std::ostream* os) { *os << row.name; }

constexpr double kEmpty = std::numeric_limits<double>::quiet_NaN();

// The header of a table of offices: a state and the comfort model's inputs.
const std::string kOffice =
    "dry_bulb,relative_humidity,mean_radiant_temperature,air_speed,metabolic_rate,clothing\n";

// The inputs of the rows in units other than the library's.
const std::vector<std::string> kIp = {"--units",       "ip",          "--unit",
                                      "dry_bulb=degF", "--unit",      "wet_bulb=degF",
                                      "--unit",        "pressure=psi"};
const std::string kIpExample = "dry_bulb,wet_bulb,pressure\n100,65,14.696\n";
const std::vector<std::string> kWeatherColumns = {"--dry-bulb-column", "Temperature",
                                                  "--dew-point-column", "Dew Point"};
const std::string kWeather = "Time,Temperature (°F),Dew Point (°F)\n0:00,68,50\n";
const std::string kFraction = "dry_bulb,relative_humidity\n25,0.5\n";
const std::string kGrams = "dry_bulb,humidity_ratio\n25,10\n";
const std::string kKelvin = "dry_bulb,dew_point\n298.15,283.15\n";

// Tables of processes for the figures below.
const std::string kWinterChain =
    "process,dry_bulb,relative_humidity,leaving_dry_bulb,leaving_humidity_ratio,steam_temperature,"
    "flow\nheat,-10,80,25,,,5\nsteam,,,,0.008,100,\n";
const std::string kHeat20To30 = "dry_bulb,humidity_ratio,leaving_dry_bulb,flow\n20,0.008,30,";
const std::string kFogMix =
    "a_dry_bulb,a_relative_humidity,a_flow,b_dry_bulb,b_relative_humidity,b_flow\n"
    "-20,100,1,30,90,1\n";
const std::string kCoilToItsLeavingState =
    "dry_bulb,humidity_ratio,leaving_dry_bulb,leaving_relative_humidity,flow\n"
    "30,0.015,14.0427069925858,91.0660415207223,2\n";

const HandbookFigure kHandbookFigures[] = {
    // ERA5's dew points are over water: ASHRAE 2017 ch. 1 eq. 6 at -10 degrees C
    // with the enhancement factor, 0.286 to 0.288 kPa; over ice (table 3's
    // 0.25987 kPa with f) 0.261.
    {"DewPointOverWater",
     {"--over", "water"},
     "dry_bulb,dew_point\n0,-10\n",
     "vapor_pressure",
     0.287,
     0.001,
     "ok"},
    {"FrostPointOverIce",
     {},
     "dry_bulb,dew_point\n0,-10\n",
     "vapor_pressure",
     0.2609,
     0.0005,
     "ok"},
    // The pairs without dry_bulb (or with the enthalpy) give the dry-bulb back:
    // worked by hand with eq. 30 (h = 50.625 kJ/kg at 25 degrees C and 0.01
    // kg/kg), or from the IAPWS rows of tests/data/given.csv at 40 degrees C and
    // a 20 degrees C wet-bulb (RH 14.022 %, W 0.00645364, dew point 7.49; h by
    // eq. 30 with that W, 56.8607), within the handbook model's distance from them.
    {"DryBulbEnthalpy", {}, "dry_bulb,enthalpy\n25,50.625\n", "humidity_ratio", 0.01, 1e-12, "ok"},
    {"HumidityRatioEnthalpy",
     {},
     "humidity_ratio,enthalpy\n0.01,50.625\n",
     "dry_bulb",
     25.0,
     1e-9,
     "ok"},
    {"EnthalpyRelativeHumidity",
     {},
     "enthalpy,relative_humidity\n56.8607,14.022\n",
     "dry_bulb",
     40.0,
     0.02,
     "ok"},
    {"WetBulbRelativeHumidity",
     {},
     "wet_bulb,relative_humidity\n20,14.022\n",
     "dry_bulb",
     40.0,
     0.02,
     "ok"},
    {"DewPointRelativeHumidity",
     {},
     "dew_point,relative_humidity\n7.49,14.022\n",
     "dry_bulb",
     40.0,
     0.02,
     "ok"},
    {"HumidityRatioRelativeHumidity",
     {},
     "humidity_ratio,relative_humidity\n0.00645364,14.022\n",
     "dry_bulb",
     40.0,
     0.02,
     "ok"},
    // The entering air of a process by such a pair: heating it from 25 to 35
    // degrees C takes (1.006 + 1.86 W) 10 K = 10.246 kW for 1 kg/s (eq. 30).
    {"ProcessFromAPairWithoutDryBulb",
     {"--process", "heat"},
     "humidity_ratio,enthalpy,leaving_dry_bulb,flow\n0.01,50.625,35,1\n",
     "sensible_load",
     10.246,
     1e-9,
     "ok"},
    // Above the boiling point: RP-1485's tables give a wet-bulb of 81.12 degrees C.
    {"HotAndHumid", {}, "dry_bulb,humidity_ratio\n200,0.5\n", "wet_bulb", 81.12, 0.1, "ok"},
    {"DryAir", {}, "dry_bulb,humidity_ratio\n25,0\n", "dew_point", kEmpty, 0.0, "ok"},
    {"DryAirJson", {"--json"}, "dry_bulb,humidity_ratio\n25,0\n", "dew_point", kEmpty, 0.0, "ok"},
    {"Supersaturated",
     {},
     "dry_bulb,relative_humidity\n25,145\n",
     "wet_bulb",
     kEmpty,
     0.0,
     "supersaturated"},
    // Above ice saturation, not water's: at -10 degrees C ice's pressure is
    // 0.2599 kPa and water's 0.2865 (IAPWS R14-08; Murphy and Koop 2005), so
    // 105 % over ice is 95 % over water; clipped, the saturated state at -10.
    {"AboveIceSaturation",
     {},
     "dry_bulb,relative_humidity\n-10,105\n",
     "wet_bulb",
     kEmpty,
     0.0,
     "above-ice-saturation"},
    {"ClippedToSaturation",
     {"--supersaturated", "clip"},
     "dry_bulb,relative_humidity\n-10,105\n",
     "dew_point",
     -10.0,
     0.0,
     "clipped-to-saturation"},
    // Over water, the wick is liquid: 95 % at -10 degrees C has a wet-bulb of
    // -10.1646 by hand (eq. 33 over supercooled water, Murphy and Koop's
    // pressure and Hardy's f); a dew point above the dry-bulb is fog, clipped.
    {"SupercooledWick",
     {"--over", "water"},
     "dry_bulb,relative_humidity\n-10,95\n",
     "wet_bulb",
     -10.1646,
     0.002,
     "ok"},
    {"ClippedOverWater",
     {"--over", "water", "--supersaturated", "clip"},
     "dry_bulb,dew_point\n-5,-4.8\n",
     "relative_humidity",
     100.0,
     0.0,
     "clipped-to-saturation"},
    // A frost point below -100 degrees C (table 3: 0.0014 Pa at -100 over ice).
    {"DrierThanRange",
     {},
     "dry_bulb,relative_humidity\n-20,0.0001\n",
     "dew_point",
     kEmpty,
     0.0,
     "drier-than-range"},
    {"OutsideTheRange",
     {},
     "dry_bulb,relative_humidity\n250,10\n",
     "wet_bulb",
     kEmpty,
     0.0,
     "fault: outside the range"},
    // Units in, by option and by the header. IP Example 1 of ASHRAE Handbook-Fundamentals
    // 2017 ch. 1: 100 degF dry-bulb, 65 degF wet-bulb at 14.696 psia (29.921 inHg):
    // W 0.00523 lb/lb, h 29.80 Btu/lb, v 14.22 ft3/lb (its printed digits).
    {"IpExample1W", kIp, kIpExample, "humidity_ratio", 0.00523, 0.000005, "ok"},
    {"IpExample1H", kIp, kIpExample, "enthalpy", 29.80, 0.005, "ok"},
    {"IpExample1V", kIp, kIpExample, "specific_volume", 14.22, 0.01, "ok"},
    {"IpExample1ByHeader",
     {"--units", "ip"},
     "dry_bulb (°F),wet_bulb [degF],pressure (psia)\n100,65,14.696\n",
     "humidity_ratio",
     0.00523,
     0.000005,
     "ok"},
    {"IpExample1InchesOfMercury",
     {"--units", "ip", "--unit", "dry_bulb=degF", "--unit", "wet_bulb=degF", "--unit",
      "pressure=inHg"},
     "dry_bulb,wet_bulb,pressure\n100,65,29.921\n",
     "enthalpy",
     29.80,
     0.005,
     "ok"},
    {"IpExample1InchesOfMercuryByHeader",
     {"--units", "ip"},
     "dry_bulb (degF),wet_bulb (degF),pressure (inHg)\n100,65,29.921\n",
     "enthalpy",
     29.80,
     0.005,
     "ok"},
    // Dry air at 32 degF: 7.68 Btu/lb, the IP datum.
    {"IpEnthalpyDatum",
     {"--units", "ip"},
     "dry_bulb,humidity_ratio\n32,0\n",
     "enthalpy",
     7.68,
     1e-12,
     "ok"},
    // A weather station's file in degF: 68 and 50 degF are 20 and 10 degC exactly;
    // table 3's saturation pressure at 10 degC, 1.2282 kPa (the enhancement factor
    // adds under 0.5 %).
    {"WeatherFileInFahrenheit", kWeatherColumns, kWeather, "dry_bulb", 20, 1e-12, "ok"},
    {"WeatherFileInFahrenheitDewPoint", kWeatherColumns, kWeather, "dew_point", 10, 1e-12, "ok"},
    {"WeatherFileInFahrenheitVapourPressure", kWeatherColumns, kWeather, "vapor_pressure", 1.2282,
     0.006, "ok"},
    {"WeatherFileByOption",
     {"--dry-bulb-column", "Temperature", "--dew-point-column", "Dew Point", "--unit",
      "dry_bulb=degF", "--unit", "dew_point=degF"},
     "Temperature,Dew Point\n68,50\n",
     "dew_point",
     10,
     1e-12,
     "ok"},
    // Relative humidity as a fraction: 0.5 is 50 %; table 3 at 25 degC, 3.1699 kPa.
    {"Fraction", {"--unit", "relative_humidity=1"}, kFraction, "relative_humidity", 50, 0, "ok"},
    {"FractionVapourPressure",
     {"--unit", "relative_humidity=fraction"},
     kFraction,
     "vapor_pressure",
     0.5 * 3.1699,
     0.008,
     "ok"},
    {"FractionByHeader",
     {"--relative-humidity-column", "RH"},
     "dry_bulb,RH [0-1]\n25,0.5\n",
     "relative_humidity",
     50,
     0,
     "ok"},
    // 10 g/kg: p W / (0.621945 + W) = 1.60338 kPa at 101.325 kPa (eq. 20, 22).
    {"GramsPerKilogram",
     {"--unit", "humidity_ratio=g/kg"},
     kGrams,
     "vapor_pressure",
     1.60338,
     0.00001,
     "ok"},
    {"GramsPerKilogramByHeader",
     {},
     "dry_bulb,humidity_ratio (g/kg)\n25,10\n",
     "humidity_ratio",
     0.01,
     1e-17,
     "ok"},
    // Kelvin: 298.15 and 283.15 K are 25 and 10 degC; RH from table 3,
    // 1.2282 / 3.1699 kPa.
    {"Kelvin",
     {"--unit", "dry_bulb=K", "--unit", "dew_point=K"},
     kKelvin,
     "relative_humidity",
     38.746,
     0.05,
     "ok"},
    {"KelvinByHeader",
     {"--dry-bulb-column", "T", "--dew-point-column", "Td"},
     "T [K],Td [K]\n298.15,283.15\n",
     "dry_bulb",
     25,
     1e-12,
     "ok"},
    // A coil at an apparatus dew point of 10 degC with a bypass factor of 0.2:
    // W and h of the leaving air are 0.2 of the way from saturation at 10 degC
    // to the entering air. Saturated at 10 degC: p = 1.2282 kPa (table 3) with
    // an enhancement factor from 1 to 1.0045, W 0.0076313 to 0.0076661 (eq.
    // 22); hence t2 14.04267 to 14.04287 degC, condensate 2 (0.015 - W2)
    // 0.0117342 to 0.0117899 kg/s, total load 2 (h2 - h1) + condensate * 4.186
    // * 10 -62.297 to -62.159 kW.
    {"CoilLeavingDryBulb",
     {"--process", "coil"},
     "dry_bulb,humidity_ratio,apparatus_dew_point,bypass_factor,flow\n30,0.015,10,0.2,2\n",
     "leaving_dry_bulb",
     14.04277,
     0.00011,
     "ok"},
    {"CoilCondensate",
     {"--process", "coil"},
     "dry_bulb,humidity_ratio,apparatus_dew_point,bypass_factor,flow\n30,0.015,10,0.2,2\n",
     "condensate",
     0.011762,
     0.000028,
     "ok"},
    {"CoilTotalLoad",
     {"--process", "coil"},
     "dry_bulb,humidity_ratio,apparatus_dew_point,bypass_factor,flow\n30,0.015,10,0.2,2\n",
     "total_load",
     -62.228,
     0.07,
     "ok"},
    {"EvaporativeSaturates",
     {"--process", "evaporative"},
     "dry_bulb,humidity_ratio,effectiveness,flow\n35,0.006,1,2\n",
     "leaving_relative_humidity",
     100.0,
     1e-6,
     "ok"},
    // A humidifier adds no heat but the water's enthalpy: the rest balances.
    {"SteamAddsOnlyItsEnthalpy",
     {"--process", "steam"},
     "dry_bulb,humidity_ratio,leaving_humidity_ratio,steam_temperature,flow\n20,0.005,0.008,100,"
     "2\n",
     "total_load",
     0.0,
     1e-12,
     "ok"},
    {"WaterAddsOnlyItsEnthalpy",
     {"--process", "adiabatic"},
     "dry_bulb,humidity_ratio,leaving_humidity_ratio,water_temperature,flow\n30,0.006,0.009,20,"
     "2\n",
     "total_load",
     0.0,
     0.0,
     "ok"},
    // A US design day at 5,000 ft, 95 degF dry-bulb, 75 degF wet-bulb, by hand
    // (ASHRAE 2017 ch. 1): p = 101.325 (1 - 2.25577e-5 * 1524)^5.2559 =
    // 84.30720 kPa (12.22773 psia, eq. 3); at t* = 23.8889 degC p_ws = 2.96757
    // kPa (eq. 6), f = 1.00404 (Hardy), W_s* = 0.621945 f p_ws / (p - f p_ws) =
    // 0.0229458 (eq. 22); W = ((2501 - 2.326 t*) W_s* - 1.006 (35 - t*)) /
    // (2501 + 1.86 * 35 - 4.186 t*) = 0.01803358 (eq. 33); h = 1.006 * 35 + W
    // (2501 + 1.86 * 35) = 81.4867 kJ/kg = 42.71266 Btu/lb (/ 2.326 + 7.68).
    // The same by the options in IP (unlabelled columns in degF, the altitude
    // in feet, or the pressure in psia) and by a header in degF.
    {"IpDesignDayByTheOptions",
     {"--units", "ip", "--altitude", "5000"},
     "dry_bulb,wet_bulb\n95,75\n",
     "humidity_ratio",
     0.0180335825,
     1e-9,
     "ok"},
    {"IpDesignDayEnthalpy",
     {"--units", "ip", "--altitude", "5000"},
     "dry_bulb,wet_bulb\n95,75\n",
     "enthalpy",
     42.712664,
     1e-6,
     "ok"},
    {"IpDesignDayByPsia",
     {"--units", "ip", "--pressure", "12.227725846115808"},
     "dry_bulb,wet_bulb\n95,75\n",
     "humidity_ratio",
     0.0180335825,
     1e-9,
     "ok"},
    {"IpDesignDayByTheHeader",
     {"--altitude", "5000", "--altitude-unit", "ft"},
     "dry_bulb (degF),wet_bulb (degF)\n95,75\n",
     "humidity_ratio",
     0.0180335825,
     1e-9,
     "ok"},
    // 30 degC dry-bulb, 20 degC wet-bulb at 1,600 m: p = 83.52346 kPa, W =
    // 0.01377808, h = 65.40779 kJ/kg, as above.
    {"SiDesignDayAt1600m",
     {"--altitude", "1600"},
     "dry_bulb,wet_bulb\n30,20\n",
     "humidity_ratio",
     0.0137780777,
     1e-9,
     "ok"},
    {"SiDesignDayAt1600mEnthalpy",
     {"--altitude", "1600"},
     "dry_bulb,wet_bulb\n30,20\n",
     "enthalpy",
     65.407789,
     1e-6,
     "ok"},
    // A winter chain in one table, 5 m3/s of outdoor air at -10 degC, 80 %
    // (W = 0.8 f p_ws / (p - 0.8 f p_ws) * 0.621945 = 0.00128404 over ice) is
    // 5 / v = 5 / (0.287042 * 263.15 * (1 + 1.607858 W) / 101.325) = 6.693328
    // kg/s of dry air (eq. 26), heated to 25 degC: 6.693328 (1.006 + 1.86 W) 35
    // = 236.2316 kW; then steam at 100 degC (2687 kJ/kg, eq. 30's vapour term)
    // to W 0.008, on the heater's air and flow, the flow cell empty: the steam's
    // energy is 6.693328 (0.008 - W) 2687 = 120.7864 kW, the air's enthalpy
    // change, and no heat crosses.
    {"ChainHeaterInCubicMetres",
     {"--flow-unit", "m3/s"},
     kWinterChain,
     "total_load",
     236.23157,
     1e-4,
     "ok"},
    {"ChainSteamEnergy",
     {"--flow-unit", "m3/s"},
     kWinterChain,
     "enthalpy_change",
     120.78643,
     1e-4,
     "ok",
     2},
    {"ChainSteamTotalLoadIsZero",
     {"--flow-unit", "m3/s"},
     kWinterChain,
     "total_load",
     0.0,
     0.0,
     "ok",
     2},
    {"ChainSteamCarriesTheFlow",
     {"--flow-unit", "m3/s"},
     kWinterChain,
     "leaving_flow",
     6.6933278,
     1e-6,
     "ok",
     2},
    // Heating 20 degC, W 0.008 to 30 degC: 10.2088 kJ/kg (eq. 30), v = 0.8411421
    // m3/kg (eq. 26). 2,000 L/s and 7,200 m3/h are 2 m3/s, 2.377725 kg/s,
    // 24.27366 kW; 4,000 cfm 1.887790 m3/s, 22.91179 kW; at standard air, 2
    // m3/s * 1.2 kg/m3 and 4,000 cfm * 0.075 lb/ft3 (18,000 lb/h, 2.267962
    // kg/s): 24.50112 and 23.15317 kW.
    {"FlowInLitresPerSecond",
     {"--process", "heat", "--flow-unit", "L/s"},
     kHeat20To30 + "2000\n",
     "total_load",
     24.273663,
     1e-5,
     "ok"},
    {"FlowInCubicMetresPerHour",
     {"--process", "heat", "--flow-unit", "m3/h"},
     kHeat20To30 + "7200\n",
     "total_load",
     24.273663,
     1e-5,
     "ok"},
    {"FlowInCfm",
     {"--process", "heat", "--flow-unit", "cfm"},
     kHeat20To30 + "4000\n",
     "total_load",
     22.911786,
     1e-5,
     "ok"},
    {"FlowAtStandardAir",
     {"--process", "heat", "--flow-unit", "m3/s", "--flow-basis", "standard"},
     kHeat20To30 + "2\n",
     "total_load",
     24.50112,
     1e-9,
     "ok"},
    {"CfmAtStandardAir",
     {"--process", "heat", "--flow-unit", "cfm", "--flow-basis", "standard"},
     kHeat20To30 + "4000\n",
     "total_load",
     23.153169,
     1e-6,
     "ok"},
    {"FlowOfAVolumeWrittenAsMass",
     {"--process", "heat", "--flow-unit", "cfm", "--flow-basis", "standard"},
     kHeat20To30 + "4000\n",
     "leaving_flow",
     2.2679619,
     1e-7,
     "ok"},
    // 20.4176 kW (2 kg/s): tons of 12,000 Btu/h (3.516853 kW), MBH (1,000 Btu/h).
    {"LoadInTons",
     {"--process", "heat", "--load-unit", "ton"},
     kHeat20To30 + "2\n",
     "total_load",
     5.8056453,
     1e-7,
     "ok"},
    {"LoadInMbh",
     {"--process", "heat", "--load-unit", "MBH"},
     kHeat20To30 + "2\n",
     "total_load",
     69.667743,
     1e-6,
     "ok"},
    {"LoadInBtuPerHourWithIp",
     {"--process", "heat", "--units", "ip", "--unit", "dry_bulb=degC", "--unit",
      "leaving_dry_bulb=degC", "--flow-unit", "kg/s"},
     kHeat20To30 + "2\n",
     "total_load",
     69667.743,
     1e-3,
     "ok"},
    // Saturated air at -20 degC (W 0.00063716) and air at 30 degC, 90 % (W
    // 0.0244837), 1 kg/s each: W 0.0125604 and h 37.1204 kJ/kg, above
    // saturation; fog at t where h_s(t) + (W - W_s(t)) 4.186 t = h (eqs. 30,
    // 33): 13.07993 degC, W_s 0.00941837, so 2 (W - W_s) = 0.00628416 kg/s of
    // water leaves as fog.
    {"FogMixDryBulb", {"--process", "mix"}, kFogMix, "leaving_dry_bulb", 13.079931, 1e-6, "fog"},
    {"FogMixCondensate", {"--process", "mix"}, kFogMix, "condensate", 0.00628416, 1e-8, "fog"},
    {"FogMixNoHeat", {"--process", "mix"}, kFogMix, "total_load", 0.0, 0.0, "fog"},
    // The coil of the figures above: its condition given, and found again from
    // its leaving state by hand, W_s(10 degC) = 0.00765989, W2 = 0.00912792,
    // h2 = h_s + 0.2 (h1 - h_s), t2 = 14.04270699 degC, 91.06604 %.
    {"CoilBypassFactorGiven",
     {"--process", "coil"},
     "dry_bulb,humidity_ratio,apparatus_dew_point,bypass_factor,flow\n30,0.015,10,0.2,2\n",
     "bypass_factor",
     0.2,
     0.0,
     "ok"},
    {"CoilApparatusDewPointFound",
     {"--process", "coil"},
     kCoilToItsLeavingState,
     "apparatus_dew_point",
     10.0,
     1e-6,
     "ok"},
    {"CoilBypassFactorFound",
     {"--process", "coil"},
     kCoilToItsLeavingState,
     "bypass_factor",
     0.2,
     1e-7,
     "ok"},
    // Fanger's comfort from the columns of its inputs: ISO 7730:2005 Table D.1
    // prints -0.75 and 17 for run 1 and 1.17 for run 12 (to 0.01: the
    // standard's program and its saturation relation, tests/comfort_test.cpp);
    // the same office in degF; outside the model's range (35 degC) no value.
    {"ComfortPmv", {}, kOffice + "22,60,22,0.1,1.2,0.5\n", "pmv", -0.75, 0.01, "ok"},
    {"ComfortPpd", {}, kOffice + "22,60,22,0.1,1.2,0.5\n", "ppd", 17.0, 0.5, "ok"},
    {"ComfortActive", {}, kOffice + "27,60,27,0.1,1.6,0.5\n", "pmv", 1.17, 0.01, "ok"},
    {"ComfortInDegreesF",
     {"--units", "ip"},
     kOffice + "71.6,60,71.6,0.1,1.2,0.5\n",
     "pmv",
     -0.75,
     0.01,
     "ok"},
    {"ComfortOutsideItsRange", {}, kOffice + "35,60,35,0.1,1.2,0.5\n", "pmv", kEmpty, 0.0, "ok"},
    {"ComfortWithAGap", {}, kOffice + "22,60,,0.1,1.2,0.5\n", "ppd", kEmpty, 0.0, "ok"},
    // The measures from tests/data/measures_reference.csv, each to its
    // tolerance there: the NWS heat index chart's 110 degF at 40 % (136 degF)
    // and 108 degF at 45 % (137 degF), Environment Canada's humidex at 30 degC
    // with dew points of 15 and 25 degC (34 and 42), the UTCI at 30 degC, 2 kPa,
    // 1 m/s and 40 degC of radiant temperature (exactly from the published
    // coefficients), Liljegren's WBGT at 32 degC, 2.5 kPa, 2 m/s, 800 W/m2 and a
    // cosine of 0.7 (the direct fraction estimated), and Romps's LCL of his
    // 300 K, 100 kPa, half saturated parcel; outside its range no value.
    {"HeatIndexInDegreesF",
     {"--units", "ip"},
     "dry_bulb,relative_humidity\n110,40\n",
     "heat_index",
     136.0,
     0.5,
     "ok"},
    {"HeatIndexInDegreesC",
     {},
     "dry_bulb,relative_humidity\n42.22222222222222,45\n",
     "heat_index",
     (137.0 - 32.0) / 1.8,
     0.5 / 1.8,
     "ok"},
    {"HumidexDry", {}, "dry_bulb,dew_point\n30,15\n", "humidex", 34.0, 0.5, "ok"},
    {"HumidexHumid", {}, "dry_bulb,dew_point\n30,25\n", "humidex", 42.0, 0.5, "ok"},
    {"HumidexInDegreesF",
     {"--units", "ip"},
     "dry_bulb,dew_point\n86,77\n",
     "humidex",
     42.0 * 1.8 + 32.0,
     0.5 * 1.8,
     "ok"},
    {"Utci",
     {},
     "dry_bulb,vapor_pressure,wind_speed,mean_radiant_temperature\n30,2,1,40\n",
     "utci",
     32.668442409567156,
     1e-9,
     "ok"},
    {"UtciWithDecimalCommas",
     {"--decimal-comma"},
     "dry_bulb;vapor_pressure;wind_speed;mean_radiant_temperature\n30;2;1,0;40,0\n",
     "utci",
     32.668442409567156,
     1e-9,
     "ok"},
    {"UtciRadiantTemperatureInDegreesF",
     {"--units", "ip", "--unit", "vapor_pressure=kPa"},
     "dry_bulb,vapor_pressure,wind_speed,mean_radiant_temperature\n86,2,1,104\n",
     "utci",
     32.668442409567156 * 1.8 + 32.0,
     1e-8,
     "ok"},
    {"UtciWindOutsideItsRange",
     {},
     "dry_bulb,vapor_pressure,wind_speed,mean_radiant_temperature\n30,2,0.1,40\n",
     "utci",
     kEmpty,
     0.0,
     "outside-measure-range"},
    {"UtciWithAGap",
     {},
     "dry_bulb,vapor_pressure,wind_speed,mean_radiant_temperature\n30,2,,40\n",
     "utci",
     kEmpty,
     0.0,
     "ok"},
    {"WetBulbGlobeTemperature",
     {},
     "dry_bulb,vapor_pressure,wind_speed,solar_irradiance,cos_zenith\n32,2.5,2,800,0.7\n",
     "wet_bulb_globe_temperature",
     30.97,
     0.1,
     "ok"},
    {"LiftingCondensationLevel",
     {},
     "dry_bulb,vapor_pressure,pressure\n26.850000000000023,1.7694704118447842,100\n",
     "lifting_condensation_level_height",
     1433.844139279,
     1.4338441392790002e-06,
     "ok"},
};

class BatchHandbook : public ::testing::TestWithParam<HandbookFigure> {};

TEST_P(BatchHandbook, Figure) {
  const HandbookFigure& row = GetParam();
  const e2e::ScratchFolder folder;
  Invocation how;
  how.args = row.args;
  how.args.insert(how.args.end(), {"--columns", row.key + ",status"});
  how.input = row.input;
  how.directory = folder.Path();
  const RunResult run = e2e::Run(kBatch, how);
  EXPECT_EQ(run.status, 0) << run.err;
  const bool json = row.args == std::vector<std::string>{"--json"};
  // "KEY,status\nVALUE,STATUS\n" or {"KEY":VALUE,"status":"STATUS"}
  std::size_t from = json ? row.key.size() + 4 : 0;
  for (int r = 0; !json && r < row.row; ++r) from = run.out.find('\n', from) + 1;
  const std::size_t comma = run.out.find(',', from);
  const std::string cell = run.out.substr(from, comma - from);
  const std::string status = json ? "\"status\":\"" + row.status + "\"}\n" : row.status + "\n";
  EXPECT_EQ(run.out.substr(comma + 1, status.size()), status) << run.out;
  if (std::isnan(row.expected)) {
    EXPECT_EQ(cell, json ? "null" : "") << run.out;
  } else {
    EXPECT_NEAR(std::strtod(cell.c_str(), nullptr), row.expected, row.tolerance) << run.out;
  }
}
// The rows of a CSV output without quoted fields, each by the header's names.
std::vector<std::map<std::string, std::string>> Rows(const std::string& csv) {
  std::vector<std::vector<std::string>> lines;
  std::stringstream text(csv);
  for (std::string line; std::getline(text, line);) {
    std::vector<std::string> fields;
    std::stringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(cell);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    lines.push_back(fields);
  }
  std::vector<std::map<std::string, std::string>> rows;
  for (std::size_t r = 1; r < lines.size(); ++r) {
    std::map<std::string, std::string>& row = rows.emplace_back();
    for (std::size_t c = 0; c < lines[0].size() && c < lines[r].size(); ++c) {
      row[lines[0][c]] = lines[r][c];
    }
  }
  return rows;
}

RunResult Batch(const std::vector<std::string>& args, const std::string& input) {
  const e2e::ScratchFolder folder;
  Invocation how;
  how.args = args;
  how.input = input;
  how.directory = folder.Path();
  return e2e::Run(kBatch, how);
}

// A chain given once in m3/s carries the dry air of its first row: the same
// chain with that mass flow in kg/s gives every value to 1e-9.
TEST(BatchProcesses, AChainInCubicMetresIsTheChainInKilograms) {
  const RunResult volume = Batch({"--flow-unit", "m3/s"}, kWinterChain);
  ASSERT_EQ(volume.status, 0) << volume.err;
  const std::string flow = Rows(volume.out).at(0).at("leaving_flow");
  std::string mass = kWinterChain;
  mass.replace(mass.find(",5\n"), 3, "," + flow + "\n");
  const RunResult kilograms = Batch({}, mass);
  const auto a = Rows(volume.out);
  const auto b = Rows(kilograms.out);
  ASSERT_EQ(a.size(), 2U);
  ASSERT_EQ(b.size(), 2U);
  for (std::size_t r = 0; r < a.size(); ++r) {
    for (const auto& [key, value] : a[r]) {
      if (key == "flow" || key == "status" || value.empty() || key == "process") continue;
      const double x = std::strtod(value.c_str(), nullptr);
      const double y = std::strtod(b[r].at(key).c_str(), nullptr);
      EXPECT_NEAR(x, y, 1e-9 * std::max(1.0, std::fabs(y))) << key << " row " << r;
    }
    EXPECT_EQ(b[r].at("status"), "ok");
  }
}

// The coil in both forms reports one apparatus dew point and bypass factor; the
// dry-bulbs' share, (t2 - t_adp) / (t1 - t_adp), is the bypass factor times
// eq. 30's humid heats (1.006 + 1.86 W1) / (1.006 + 1.86 W2), a line straight in
// W and h being straight in h - 2501 W and 1.006 + 1.86 W.
TEST(BatchProcesses, TheCoilsBypassFactorInBothForms) {
  const std::string both =
      "process,dry_bulb,humidity_ratio,apparatus_dew_point,bypass_factor,leaving_dry_bulb,"
      "leaving_relative_humidity,flow\ncoil,30,0.015,10,0.2,,,2\n";
  const auto byBypass = Rows(Batch({}, both).out);
  ASSERT_EQ(byBypass.size(), 1U);
  const auto leaving = Rows(Batch({"--process", "coil"}, kCoilToItsLeavingState).out);
  ASSERT_EQ(leaving.size(), 1U);
  for (const auto& row : {byBypass[0], leaving[0]}) {
    const auto number = [&](const std::string& key) {
      return std::strtod(row.at(key).c_str(), nullptr);
    };
    const double adp = number("apparatus_dew_point");
    const double bf = number("bypass_factor");
    const double ratio = (number("leaving_dry_bulb") - adp) / (30.0 - adp);
    EXPECT_NEAR(ratio,
                bf * (1.006 + 1.86 * 0.015) / (1.006 + 1.86 * number("leaving_humidity_ratio")),
                1e-9);
    EXPECT_NEAR(ratio, 0.2021353496, 1e-8);  // by hand, above
    EXPECT_NEAR(bf, 0.2, 1e-7);
  }
}

INSTANTIATE_TEST_SUITE_P(Batch, BatchHandbook, ::testing::ValuesIn(kHandbookFigures),
                         [](const ::testing::TestParamInfo<HandbookFigure>& figure) {
                           return std::string(figure.param.name);
                         });

}  // namespace
}  // namespace hygrian
