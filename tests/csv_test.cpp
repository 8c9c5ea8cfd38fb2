#include "tables/csv.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "tests/tables_source.h"

namespace hygrian::tables {
namespace {

using testing::StringSource;

struct Rec {
  std::vector<std::string> fields;
  std::uint64_t line;
  bool tooLong = false;
};

std::vector<Rec> ReadAll(const std::string& bytes, std::size_t chunk,
                         std::size_t buffer = kDefaultBufferBytes, std::size_t limit = 65536) {
  StringSource source(bytes, chunk);
  CsvReader reader(source, buffer);
  reader.SetFieldLimit(limit);
  std::vector<Rec> records;
  CsvRecord record;
  while (reader.Next(record) == CsvNext::Record) {
    Rec rec{{record.fields.begin(), record.fields.end()}, record.line, record.fieldTooLong};
    EXPECT_EQ(record.fieldCount, std::max(rec.fields.size(), record.fieldCount));
    records.push_back(rec);
  }
  return records;
}

struct Row {
  std::string input;
  std::vector<Rec> expected;
};

// Every row is read whole, one byte per read and three, through the usual buffer
// and through tiny ones that must move and grow, so that no record depends on
// where the reads fall.
void Check(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    const std::string shown = ::testing::PrintToString(row.input.substr(0, 40));
    for (const std::size_t chunk : {SIZE_MAX, std::size_t{1}, std::size_t{3}}) {
      for (const std::size_t buffer : {kDefaultBufferBytes, std::size_t{4}, std::size_t{9}}) {
        const std::vector<Rec> got = ReadAll(row.input, chunk, buffer);
        ASSERT_EQ(got.size(), row.expected.size()) << shown << chunk << " " << buffer;
        for (std::size_t i = 0; i < got.size(); ++i) {
          EXPECT_EQ(got[i].fields, row.expected[i].fields) << shown;
          EXPECT_EQ(got[i].line, row.expected[i].line) << shown;
          EXPECT_EQ(got[i].tooLong, row.expected[i].tooLong) << shown;
        }
      }
    }
  }
}

TEST(CsvReader, FieldsAndLineEnds) {
  Check({
      {"", {}},
      {"a", {{{"a"}, 1}}},
      {"a,b\n", {{{"a", "b"}, 1}}},
      {"a,b\r\nc,d\r\n", {{{"a", "b"}, 1}, {{"c", "d"}, 2}}},
      {"a,b\nc,d", {{{"a", "b"}, 1}, {{"c", "d"}, 2}}},
      {"a,\n", {{{"a", ""}, 1}}},
      {",\n", {{{"", ""}, 1}}},
      {"a,b,\r\n", {{{"a", "b", ""}, 1}}},
      {" a , b \n", {{{" a ", " b "}, 1}}},
      // A CR that is not part of a line end is data.
      {"a\rb,c\n", {{{"a\rb", "c"}, 1}}},
      {"a\r,b\r\n", {{{"a\r", "b"}, 1}}},
      // A CR at the end of the input ends the last line.
      {"a,b\r", {{{"a", "b"}, 1}}},
  });
}

TEST(CsvReader, QuotedFields) {
  Check({
      {"\"a,b\",c\n", {{{"a,b", "c"}, 1}}},
      {"\"say \"\"hi\"\"\"\n", {{{"say \"hi\""}, 1}}},
      {"\"\"\n", {{{""}, 1}}},
      {"\"\"\"\"\n", {{{"\""}, 1}}},
      {"\"line\nbreak\",x\ny,z\n", {{{"line\nbreak", "x"}, 1}, {{"y", "z"}, 3}}},
      {"\"cr\r\nlf\"\r\n", {{{"cr\r\nlf"}, 1}}},
      {"\"end\r\"\n", {{{"end\r"}, 1}}},
      // Bytes after the closing quote are kept as they are.
      {"\"ab\"cd,e\n", {{{"abcd", "e"}, 1}}},
      {"\"ab\" ,e\n", {{{"ab ", "e"}, 1}}},
      // A quote that does not open the field is data.
      {"a\"b,\"c\"\n", {{{"a\"b", "c"}, 1}}},
      {" \"a\",b\n", {{{" \"a\"", "b"}, 1}}},
      // A quoted field that the input ends inside ends with it.
      {"a,\"open\nstill", {{{"a", "open\nstill"}, 1}}},
      {"a,\"open\r", {{{"a", "open\r"}, 1}}},
  });
}

TEST(CsvReader, BlankLinesAndByteOrderMark) {
  Check({
      {"\n\na\n\n", {{{"a"}, 3}}},
      {"\r\n \t\r\na,b\n   \n", {{{"a", "b"}, 3}}},
      {"\xEF\xBB\xBF"
       "a,b\n",
       {{{"a", "b"}, 1}}},
      {"\xEF\xBB\xBF", {}},
      {"\xEF\xBB", {{{"\xEF\xBB"}, 1}}},
      // Only at the start of the input.
      {"a\n\xEF\xBB\xBF"
       "b\n",
       {{{"a"}, 1},
        {{"\xEF\xBB\xBF"
          "b"},
         2}}},
      // A quoted empty field is a record, not a blank line.
      {"\"\"\n\"  \"\n", {{{""}, 1}, {{"  "}, 2}}},
      {",\n", {{{"", ""}, 1}}},
  });
}

TEST(CsvReader, FieldLongerThanTheLimitIsCutAndFlagged) {
  const std::string limit(kMaxFieldBytes, 'x');
  Check({
      {limit + ",a\n", {{{limit, "a"}, 1}}},
      {limit + "\r\n", {{{limit}, 1}}},
      {"\"" + limit + "\"\n", {{{limit}, 1}}},
      {limit + "y,a\nb\n", {{{limit, "a"}, 1, true}, {{"b"}, 2}}},
      {limit + "\r,a\n", {{{limit, "a"}, 1, true}}},
      {"\"" + limit + "\"\"\"\n", {{{limit}, 1, true}}},
  });
}

TEST(CsvReader, FieldsBeyondTheLimitAreCountedOnly) {
  StringSource source("a,b,c,d\ne,f\n");
  CsvReader reader(source);
  reader.SetFieldLimit(2);
  CsvRecord record;
  ASSERT_EQ(reader.Next(record), CsvNext::Record);
  EXPECT_EQ(record.fieldCount, 4U);
  ASSERT_EQ(record.fields.size(), 2U);
  EXPECT_EQ(record.fields[1], "b");
  ASSERT_EQ(reader.Next(record), CsvNext::Record);
  EXPECT_EQ(record.fieldCount, 2U);
  EXPECT_EQ(reader.Next(record), CsvNext::End);
  EXPECT_EQ(reader.BytesRead(), 12U);
}

TEST(CsvReader, ManyRecordsAcrossBufferRefills) {
  std::string input;
  for (int i = 0; i < 200000; ++i) input += std::to_string(i) + ",\"q" + std::to_string(i) + "\"\n";
  StringSource source(input, 70000);
  CsvReader reader(source);
  CsvRecord record;
  int count = 0;
  while (reader.Next(record) == CsvNext::Record) {
    ASSERT_EQ(record.fields.size(), 2U);
    ASSERT_EQ(record.fields[0], std::to_string(count));
    ASSERT_EQ(record.fields[1], "q" + std::to_string(count));
    ASSERT_EQ(record.line, static_cast<std::uint64_t>(count) + 1);
    ++count;
  }
  EXPECT_EQ(count, 200000);
}

TEST(CsvReader, ReadErrorIsReportedAfterTheRecordsBeforeIt) {
  StringSource source("a,b\nc", SIZE_MAX, EIO);
  CsvReader reader(source);
  CsvRecord record;
  ASSERT_EQ(reader.Next(record), CsvNext::Record);
  EXPECT_EQ(reader.Next(record), CsvNext::ReadError);
  EXPECT_EQ(reader.Error(), EIO);
}

TEST(CsvField, QuotedOnlyWhenItMustBe) {
  const struct {
    std::string field;
    std::string written;
  } rows[] = {
      {"", ""},
      {"plain text", "plain text"},
      {" blanks ", " blanks "},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"\"", "\"\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
  };
  for (const auto& row : rows) {
    std::string out(CsvFieldSize(row.field), '\0');
    EXPECT_EQ(WriteCsvField(out.data(), row.field), out.data() + out.size());
    EXPECT_EQ(out, row.written);
  }
}

}  // namespace
}  // namespace hygrian::tables
