#include "tables/table.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "cli/compute.h"
#include "tables/encoding.h"
#include "tests/tables_source.h"

namespace hygrian::tables {
namespace {

using testing::StringSource;

// The reader as the programs set it up: their second values, range and words.
const ReadOptions kRead = cli::ProgramReadOptions();

CsvRecord Record(const std::vector<std::string_view>& fields, std::size_t count = SIZE_MAX) {
  CsvRecord record;
  record.fields = fields;
  record.fieldCount = count == SIZE_MAX ? fields.size() : count;
  record.line = 1;
  return record;
}

TEST(ReadLayout, FindsThePairAndTheCarriedColumns) {
  const std::vector<std::string_view> names = {"id", " Dry_Bulb ", "PRESSURE", "\tdew_point",
                                               "note"};
  Layout layout;
  EXPECT_EQ(ReadLayout(Record(names), layout, kRead), "");
  EXPECT_EQ(layout.pair, 1U);  // dew_point
  EXPECT_EQ(layout.first, 1U);
  EXPECT_EQ(layout.second, 3U);
  EXPECT_EQ(layout.pressure, 2U);
  EXPECT_EQ(layout.carried, (std::vector<std::size_t>{0, 2, 4}));
  EXPECT_EQ(layout.names[1], " Dry_Bulb ");
  EXPECT_EQ(layout.keys,
            (std::vector<std::string>{"id", "dry_bulb", "pressure", "dew_point", "note"}));
  EXPECT_EQ(layout.Columns(), 5U);
  // The caller's result columns are not carried; other names are, and so is the
  // pair's column when the caller does not write it.
  constexpr std::array<std::string_view, 2> results = {"status", "note"};
  ReadOptions options = kRead;
  options.resultColumns = results;
  EXPECT_EQ(
      ReadLayout(Record({"Status", "dry_bulb", "NOTE ", "dew_point", "status2"}), layout, options),
      "");
  EXPECT_EQ(layout.carried, (std::vector<std::size_t>{3, 4}));
}

// A vapour pressure is the second value alone; beside another it is carried
// (a state table's computed column), unless the caller writes it.
TEST(ReadLayout, AVapourPressureOnlyAlone) {
  const struct {
    std::vector<std::string_view> names;
    std::string_view secondKey;
    std::vector<std::size_t> carried;
  } rows[] = {
      {{"dry_bulb", "vapor_pressure"}, "vapor_pressure", {}},
      {{"Vapor_Pressure", "dry_bulb", "wet_bulb"}, "wet_bulb", {0}},
      {{"dry_bulb", "vapor_pressure", "humidity_ratio", "id"}, "humidity_ratio", {1, 3}},
  };
  for (const auto& row : rows) {
    Layout layout;
    EXPECT_EQ(ReadLayout(Record(row.names), layout, kRead), "") << row.names[0];
    EXPECT_EQ(layout.secondKey, row.secondKey) << row.names[0];
    EXPECT_EQ(layout.carried, row.carried) << row.names[0];
  }
  constexpr std::array<std::string_view, 1> results = {"vapor_pressure"};
  ReadOptions options = kRead;
  options.resultColumns = results;
  Layout layout;
  EXPECT_EQ(ReadLayout(Record({"dry_bulb", "vapor_pressure", "wet_bulb"}), layout, options), "");
  EXPECT_EQ(layout.carried, std::vector<std::size_t>{2});  // the pair's, not written
}

TEST(ReadLayout, Errors) {
  const std::string Accepted =
      "; names accepted: dry_bulb, wet_bulb, dew_point, relative_humidity, humidity_ratio, "
      "specific_humidity, vapor_pressure, pressure (or others through --dry-bulb-column and "
      "the like)";
  const struct {
    std::vector<std::string_view> names;
    std::string problem;
  } rows[] = {
      {{"dry_bulb", "wet_bulb"}, ""},
      {{"relative_humidity", "dry_bulb"}, ""},
      {{"DRY_BULB", "RELATIVE_HUMIDITY", "PRESSURE", "HUMIDITY_RATIO"},
       "several second values (relative_humidity, humidity_ratio): choose one with --pair"},
      {{"wet_bulb", "x"}, "no dry_bulb column; columns found: wet_bulb, x" + Accepted},
      {{"dry_bulb", "pressure"},
       "no wet_bulb, dew_point, relative_humidity, humidity_ratio, specific_humidity or "
       "vapor_pressure column; "
       "columns found: "
       "dry_bulb, pressure" +
           Accepted},
      {{"T;RH"},
       "no dry_bulb column; columns found: T;RH" + Accepted +
           "; one field holding ';': --delimiter ';'?"},
      {{"dry_bulb", "wet_bulb", "Dew_Point"},
       "several second values (wet_bulb, dew_point): choose one with --pair"},
      {{"dry_bulb", "wet_bulb", "DRY_BULB"}, "two dry_bulb columns"},
      {{"dry_bulb", "wet_bulb", " wet_bulb"}, "two wet_bulb columns"},
      {{"pressure", "dry_bulb", "wet_bulb", "pressure"}, "two pressure columns"},
      // Columns named like results are no error.
      {{"dry_bulb", "wet_bulb", "Status"}, ""},
      {{"enthalpy", "dry_bulb", "wet_bulb"}, ""},
      {{"dry_bulb", "wet_bulb", "vapor_pressure"}, ""},
      // Only the whole name counts.
      {{"dry_bulb", "wet_bulb", "status2", "my enthalpy", "dry bulb"}, ""},
  };
  for (const auto& row : rows) {
    Layout layout;
    EXPECT_EQ(ReadLayout(Record(row.names), layout, kRead), row.problem) << row.names[0];
  }
  Layout layout;
  CsvRecord tooLong = Record({"dry_bulb", "wet_bulb"});
  tooLong.fieldTooLong = true;
  EXPECT_EQ(ReadLayout(tooLong, layout, kRead), "header field longer than 1 MiB");
  EXPECT_EQ(ReadLayout(Record({"dry_bulb", "wet_bulb"}, kMaxColumns + 1), layout, kRead),
            "more than 65536 columns");
}

// A header without a pair of dry_bulb with a second value is read by the first
// of the other pairs whose columns are there (pair indexes of hygrian::AllPairs);
// one with such a pair is read as before.
TEST(ReadLayout, PairsWithoutDryBulb) {
  const std::size_t more = kRead.secondKeys.size();  // the pair index of morePairs[0]
  const struct {
    std::vector<std::string_view> names;
    std::size_t pair, first, second;
    std::vector<std::size_t> carried;
  } rows[] = {
      {{"id", "Enthalpy", "humidity_ratio"}, more + 1, 2, 1, {0}},
      {{"dry_bulb", "enthalpy", "note"}, more, 0, 1, {2}},
      {{"relative_humidity", "wet_bulb", "dew_point"}, more + 3, 1, 0, {}},
      {{"dry_bulb", "enthalpy", "dew_point"}, 1, 0, 2, {1}},
      // A second value read only alone still comes before the other pairs.
      {{"dry_bulb", "vapor_pressure", "enthalpy"}, 5, 0, 1, {2}},
  };
  for (const auto& row : rows) {
    Layout layout;
    EXPECT_EQ(ReadLayout(Record(row.names), layout, kRead), "") << row.names[1];
    EXPECT_EQ(layout.pair, row.pair) << row.names[1];
    EXPECT_EQ(layout.first, row.first) << row.names[1];
    EXPECT_EQ(layout.second, row.second) << row.names[1];
    EXPECT_EQ(layout.carried, row.carried) << row.names[1];
  }
  ReadOptions chosen = kRead;
  chosen.pair = more + 5;  // humidity_ratio_relative_humidity
  Layout layout;
  EXPECT_EQ(ReadLayout(Record({"dry_bulb", "relative_humidity"}), layout, chosen)
                .rfind("no humidity_ratio column", 0),
            0U);
}

TEST(NameUnit, TheUnitInBracketsAfterAName) {
  const struct {
    std::string_view name;
    std::string_view unit;
  } rows[] = {
      {"Temp (°F)", "°F"}, {"RH [%]", "%"},      {" p ( hPa ) ", "hPa"}, {"T [K]", "K"},
      {"dry_bulb", ""},    {"(K)", ""},          {"T (2 m) (K)", "K"},   {"T [K)", ""},
      {"T K)", ""},        {"dry_bulb(K)", "K"},
  };
  for (const auto& row : rows) EXPECT_EQ(NameUnit(row.name), row.unit) << row.name;
}

TEST(ReadLayout, NamesWithUnitsWhenAsked) {
  ReadOptions options = kRead;
  options.namesWithUnits = true;
  const struct {
    std::vector<std::string_view> names;
    std::string problem;
    std::size_t dryBulb;
  } rows[] = {
      {{"dry_bulb (degF)", "wet_bulb [degF]", "pressure (inHg)"}, "", 0},
      {{"id", "Dry_Bulb(K)", "dew_point"}, "", 1},
      {{"dry_bulb", "dry_bulb (K)", "wet_bulb"}, "two dry_bulb columns", 0},
      {{"dry_bulb", "wet_bulb (degC)", "wet_bulb"}, "two wet_bulb columns", 0},
      {{"dry_bulb", "wet_bulb", "pressure", "pressure (hPa)"}, "two pressure columns", 0},
  };
  for (const auto& row : rows) {
    Layout layout;
    EXPECT_EQ(ReadLayout(Record(row.names), layout, options), row.problem) << row.names[0];
    if (row.problem.empty()) {
      EXPECT_EQ(layout.first, row.dryBulb) << row.names[0];
    }
  }
  // Not asked: only the whole name counts.
  Layout layout;
  EXPECT_NE(ReadLayout(Record({"dry_bulb (degF)", "wet_bulb"}), layout, kRead), "");
}

TEST(SameColumns, ComparesNamesWithoutCaseOrBlanks) {
  Layout a;
  Layout b;
  Layout c;
  ASSERT_EQ(ReadLayout(Record({"id", "dry_bulb", "wet_bulb"}), a, kRead), "");
  ASSERT_EQ(ReadLayout(Record({" ID", "Dry_Bulb ", "WET_BULB"}), b, kRead), "");
  ASSERT_EQ(ReadLayout(Record({"dry_bulb", "id", "wet_bulb"}), c, kRead), "");
  EXPECT_TRUE(SameColumns(a, b));
  EXPECT_FALSE(SameColumns(a, c));
}

TEST(ReadMeasured, ValuesAndReasons) {
  Layout layout;
  ASSERT_EQ(ReadLayout(Record({"id", "dry_bulb", "wet_bulb", "pressure"}), layout, kRead), "");
  const struct {
    std::vector<std::string_view> fields;
    std::size_t count;
    std::string reason;
    double dryBulb, second, pressure;
  } rows[] = {
      {{"a", "25", "20", "90"}, 4, "", 25, 20, 90},
      {{"a", " 25 ", "\"20\"", ""}, 4, "", 25, 20, 80},
      {{"a", "25", "20", "  "}, 4, "", 25, 20, 80},
      {{"a", "25", "20"}, 3, "expected 4 fields, found 3", 0, 0, 0},
      {{"a", "25", "20", "90"}, 5, "expected 4 fields, found 5", 0, 0, 0},
      {{"a"}, 1, "expected 4 fields, found 1", 0, 0, 0},
      {{"a", "", "20", "90"}, 4, "dry_bulb is missing", 0, 0, 0},
      {{"a", "25", " ", "90"}, 4, "wet_bulb is missing", 0, 0, 0},
      {{"a", "x", "", "90"}, 4, "dry_bulb \"x\" is not a number", 0, 0, 0},
      {{"a", "25", "nan", "90"}, 4, "wet_bulb is missing", 0, 0, 0},
      {{"a", "25", "nA", "90"}, 4, "wet_bulb is missing", 0, 0, 0},
      {{"a", " N/a ", "1", "90"}, 4, "dry_bulb is missing", 0, 0, 0},
      {{"a", "-", "1", "90"}, 4, "dry_bulb is missing", 0, 0, 0},
      {{"a", "NULL", "1", "90"}, 4, "dry_bulb is missing", 0, 0, 0},
      {{"a", "nulls", "1", "90"}, 4, "dry_bulb \"nulls\" is not a number", 0, 0, 0},
      {{"a", "1e999", "20", "90"}, 4, "dry_bulb \"1e999\" is out of range", 0, 0, 0},
      {{"a", "25", "-1e999", "90"}, 4, "wet_bulb \"-1e999\" is out of range", 0, 0, 0},
      {{"a", "25", "20", "kPa"}, 4, "pressure \"kPa\" is not a number", 0, 0, 0},
      {{"a", "25", "20", "NA"}, 4, "", 25, 20, 80},  // a gap in the pressure: the default
      {{"a", "25", "20", "#n/a"}, 4, "", 25, 20, 80},
      {{"a", "---", "1", "90"}, 4, "dry_bulb is missing", 0, 0, 0},
      {{"a", "25", " #N/A ", "90"}, 4, "wet_bulb is missing", 0, 0, 0},
      {{"a", "25", "----", "90"}, 4, "wet_bulb \"----\" is not a number", 0, 0, 0},
      {{"a", "25", "20", "1e999"}, 4, "pressure \"1e999\" is out of range", 0, 0, 0},
      // A value is cut at 40 bytes, a control byte shown as '?'.
      {{"a", "25",
        "\x01"
        "23456789012345678901234567890123456789012345",
        "90"},
       4,
       "wet_bulb \"?234567890123456789012345678901234567890...\" is not a number",
       0,
       0,
       0},
      // The cut never splits a UTF-8 character: a character across byte 40 is
      // left out whole (2, 3 and 4 bytes), one that ends at byte 40 stays.
      {{"a", "25", "012345678901234567890123456789012345678\xC3\xA9x", "90"},
       4,
       "wet_bulb \"012345678901234567890123456789012345678...\" is not a number",
       0,
       0,
       0},
      {{"a", "25", "01234567890123456789012345678901234567\xE2\x82\xACx", "90"},
       4,
       "wet_bulb \"01234567890123456789012345678901234567...\" is not a number",
       0,
       0,
       0},
      {{"a", "25", "0123456789012345678901234567890123456\xF0\x9F\x98\x80x", "90"},
       4,
       "wet_bulb \"0123456789012345678901234567890123456...\" is not a number",
       0,
       0,
       0},
      {{"a", "25", "01234567890123456789012345678901234567\xC3\xA9x", "90"},
       4,
       "wet_bulb \"01234567890123456789012345678901234567\xC3\xA9...\" is not a number",
       0,
       0,
       0},
      {{"a", "25", "20", "20"}, 4, "", 25, 20, 20},
      {{"a", "25", "20", "200"}, 4, "", 25, 20, 200},
      {{"a", "25", "20", "0"}, 4, "pressure 0 kPa is outside 20 to 200 kPa", 0, 0, 0},
      {{"a", "25", "20", "-0"}, 4, "pressure -0 kPa is outside 20 to 200 kPa", 0, 0, 0},
      {{"a", "25", "20", "1e-400"}, 4, "pressure 0 kPa is outside 20 to 200 kPa", 0, 0, 0},
      {{"a", "25", "20", "19.999"}, 4, "pressure 19.999 kPa is outside 20 to 200 kPa", 0, 0, 0},
      {{"a", "25", "20", "-101.325"}, 4, "pressure -101.325 kPa is outside 20 to 200 kPa", 0, 0, 0},
      {{"a", "25", "20", "1e16"}, 4, "pressure 1e+16 kPa is outside 20 to 200 kPa", 0, 0, 0},
      {{"a", "25", "20", "1e-7"}, 4, "pressure 1e-07 kPa is outside 20 to 200 kPa", 0, 0, 0},
      {{"a", "25", "20", "-1234567890123456.7"},
       4,
       "pressure -1234567890123456.8 kPa is outside 20 to 200 kPa",
       0,
       0,
       0},
      {{"a", "25", "20", "-0.0000012345678901234567"},
       4,
       "pressure -0.0000012345678901234567 kPa is outside 20 to 200 kPa",
       0,
       0,
       0},
      {{"a", "25", "20", "2000"},
       4,
       "pressure 2000 kPa is outside 20 to 200 kPa (in hPa? --pressure-unit hPa)",
       0,
       0,
       0},
      {{"a", "25", "20", "200000"},
       4,
       "pressure 200000 kPa is outside 20 to 200 kPa (in Pa? --pressure-unit Pa)",
       0,
       0,
       0},
      // The first failing check names the reason: dry_bulb before wet_bulb.
      {{"a", "x", "y", "-1"}, 4, "dry_bulb \"x\" is not a number", 0, 0, 0},
  };
  for (const auto& row : rows) {
    const Measured m = ReadMeasured(layout, Record(row.fields, row.count), 80.0);
    ReasonBuffer buffer{};
    EXPECT_EQ(BadInputText(layout, m, buffer), row.reason) << row.fields[0];
    if (row.reason.empty()) {
      EXPECT_EQ(m.bad, BadInput::None);
      EXPECT_EQ(m.first, row.dryBulb);
      EXPECT_EQ(m.second, row.second);
      EXPECT_EQ(m.pressure, row.pressure);
    }
  }
  CsvRecord tooLong = Record({"a", "25", "20", "90"});
  tooLong.fieldTooLong = true;
  ReasonBuffer buffer{};
  EXPECT_EQ(BadInputText(layout, ReadMeasured(layout, tooLong, 80.0), buffer),
            "field longer than 1 MiB");
}

TEST(ReadMeasured, APressureColumnInHectopascalsOrPascals) {
  Layout layout;
  ASSERT_EQ(ReadLayout(Record({"dry_bulb", "dew_point", "pressure"}), layout, kRead), "");
  const struct {
    std::string_view field;
    PressureUnit unit;
    std::string reason;
    double pressure;  // kPa
  } rows[] = {
      {"1013.25", PressureUnit::HPa, "", 101.325},
      {"200", PressureUnit::HPa, "", 20},
      {"199.9", PressureUnit::HPa,
       "pressure 199.9 hPa is outside 20 to 200 kPa (in kPa? --pressure-unit kPa)", 0},
      {"", PressureUnit::HPa, "", 80},
      {"101325", PressureUnit::Pa, "", 101.325},
      {"84500", PressureUnit::Pa, "", 84.5},
      {"1013", PressureUnit::Pa,
       "pressure 1013 Pa is outside 20 to 200 kPa (in hPa? --pressure-unit hPa)", 0},
      {"200001", PressureUnit::Pa, "pressure 200001 Pa is outside 20 to 200 kPa", 0},
      // A unit the caller describes.
      {"5", PressureUnit{"inHg", 3.386389, 1}, "pressure 5 inHg is outside 20 to 200 kPa", 0},
      {"0.1", PressureUnit{"MPa", 1000, 1}, "", 100},
  };
  for (const auto& row : rows) {
    const Measured m = ReadMeasured(layout, Record({"25", "10", row.field}), 80.0, row.unit);
    ReasonBuffer buffer{};
    EXPECT_EQ(BadInputText(layout, m, buffer), row.reason) << row.field;
    if (row.reason.empty()) {
      EXPECT_EQ(m.pressure, row.pressure) << row.field;
    }
  }
}

TEST(ReadMeasured, WithoutAPressureColumnTakesTheDefault) {
  Layout layout;
  ASSERT_EQ(ReadLayout(Record({"dry_bulb", "relative_humidity"}), layout, kRead), "");
  const Measured m = ReadMeasured(layout, Record({"30", "57"}), 95.5);
  EXPECT_EQ(m.bad, BadInput::None);
  EXPECT_EQ(m.pressure, 95.5);
  ReasonBuffer buffer{};
  EXPECT_EQ(BadInputText(layout, ReadMeasured(layout, Record({"30", "x"}), 95.5), buffer),
            "relative_humidity \"x\" is not a number");
}

TEST(TableReader, HeaderThenRows) {
  StringSource source("\n id ,dry_bulb,wet_bulb\n1,25,20\n\n2,x,20\n", 5);
  TableReader table(source, 101.325, PressureUnit::KPa, kDefaultBufferBytes, kRead);
  std::string problem;
  ASSERT_EQ(table.ReadHeader(problem), TableReader::HeaderStatus::Ok);
  EXPECT_EQ(table.HeaderLine(), 2U);
  EXPECT_EQ(table.ColumnLayout().pair, 0U);  // wet_bulb
  TableReader::Row row;
  ASSERT_EQ(table.Next(row), CsvNext::Record);
  EXPECT_EQ(row.record.line, 3U);
  EXPECT_EQ(row.measured.bad, BadInput::None);
  EXPECT_EQ(row.measured.pressure, 101.325);
  ASSERT_EQ(table.Next(row), CsvNext::Record);
  EXPECT_EQ(row.record.line, 5U);
  EXPECT_EQ(row.measured.bad, BadInput::NotANumber);
  EXPECT_EQ(table.Next(row), CsvNext::End);
}

TEST(TableReader, EmptyInvalidAndUnreadable) {
  std::string problem;
  StringSource empty("\xEF\xBB\xBF\n\r\n");
  EXPECT_EQ(TableReader(empty, 101.325, PressureUnit::KPa, kDefaultBufferBytes, kRead)
                .ReadHeader(problem),
            TableReader::HeaderStatus::Empty);
  StringSource invalid("dry_bulb,x\n1,2\n");
  EXPECT_EQ(TableReader(invalid, 101.325, PressureUnit::KPa, kDefaultBufferBytes, kRead)
                .ReadHeader(problem),
            TableReader::HeaderStatus::Invalid);
  EXPECT_EQ(problem,
            "no wet_bulb, dew_point, relative_humidity, humidity_ratio, specific_humidity or "
            "vapor_pressure "
            "column; columns found: "
            "dry_bulb, x; names accepted: dry_bulb, wet_bulb, dew_point, relative_humidity, "
            "humidity_ratio, specific_humidity, vapor_pressure, pressure (or others through "
            "--dry-bulb-column and "
            "the like)");
  StringSource failing("", SIZE_MAX, EISDIR);
  TableReader table(failing, 101.325, PressureUnit::KPa, kDefaultBufferBytes, kRead);
  EXPECT_EQ(table.ReadHeader(problem), TableReader::HeaderStatus::ReadError);
  EXPECT_EQ(table.Error(), EISDIR);
}

// The UTF-8 bytes a source in each encoding comes to, whatever the sizes of the
// source's reads and the caller's buffer. Code points from the Unicode charts.
TEST(DecodingSource, TurnsEveryEncodingIntoUtf8) {
  struct Row {
    std::string in;
    Encoding encoding;
    std::string out;
  };
  const std::string mark = "\xEF\xBB\xBF";  // U+FEFF, which the CSV reader skips
  const std::vector<Row> rows = {
      {"", Encoding::Detected, ""},
      {"a", Encoding::Detected, "a"},
      {"a\xC3\xA9\xB0", Encoding::Detected, "a\xC3\xA9\xB0"},  // UTF-8 as it is, even when bad
      {"\xEF\xBB\xBF"
       "ab",
       Encoding::Detected,
       "\xEF\xBB\xBF"
       "ab"},
      {std::string("\xFF\xFE"
                   "a\0\xE9\0",
                   6),
       Encoding::Detected, mark + "a\xC3\xA9"},
      {std::string("\xFE\xFF\0a\x20\xAC", 6), Encoding::Detected, mark + "a\xE2\x82\xAC"},
      {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), Encoding::Detected,
       mark + "\xF0\x9F\x98\x80"},                                      // U+1F600
      {"\xFF\xFE\x3D\xD8", Encoding::Detected, mark + "\xEF\xBF\xBD"},  // a lone high surrogate
      {std::string("\xFF\xFE\x00\xDEx", 5), Encoding::Detected,
       mark + "\xEF\xBF\xBD\xEF\xBF\xBD"},  // low, odd
      {"\xB0\xFC", Encoding::Latin1, "\xC2\xB0\xC3\xBC"},
      {"\x80\x81\x9F\xE9", Encoding::Cp1252, "\xE2\x82\xAC\xC2\x81\xC5\xB8\xC3\xA9"},
  };
  for (const Row& row : rows) {
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, SIZE_MAX}) {
      StringSource source(row.in, chunk);
      DecodingSource decoding(source, row.encoding);
      std::string out;
      std::array<char, 5> buffer{};
      int error = 0;
      for (std::ptrdiff_t count = 0;
           (count = decoding.Read(buffer.data(), buffer.size(), &error)) > 0;) {
        out.append(buffer.data(), static_cast<std::size_t>(count));
      }
      EXPECT_EQ(out, row.out) << row.in << " in chunks of " << chunk;
    }
  }
}

TEST(Encoding, NamesAndUtf8) {
  EXPECT_EQ(ReadEncoding("LATIN1"), Encoding::Latin1);
  EXPECT_EQ(ReadEncoding("windows-1252"), Encoding::Cp1252);
  EXPECT_EQ(ReadEncoding("utf8"), Encoding::Detected);
  EXPECT_EQ(ReadEncoding("ebcdic"), std::nullopt);
  EXPECT_TRUE(
      IsUtf8("Temp (\xC2\xB0"
             "C)"));
  EXPECT_FALSE(
      IsUtf8("Temp (\xB0"
             "C)"));
  EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));  // a surrogate
}

}  // namespace
}  // namespace hygrian::tables
