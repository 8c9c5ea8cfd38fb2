// The chunk scanner: where it cuts a table, fed a byte at a time or whole, and
// that the records read piece by piece from its cuts (each piece's lines
// counted from the line ends before it) are those of the whole input.
#include "cli/chunks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "tables/csv.h"
#include "tests/tables_source.h"

namespace hygrian::cli {
namespace {

struct CutRow {
  const char* name;
  std::string bytes;
  char delimiter;
  std::vector<std::size_t> cuts;  // after each line end outside quotes
};

void PrintTo(const CutRow& row, std::ostream* os) { *os << row.name; }

const std::vector<CutRow> kCutRows = {
    {"Plain", "a,b\nc,d\n", ',', {4, 8}},
    {"NoLineEndAtTheEnd", "a,b\nc,d", ',', {4}},
    {"CrLf", "a,b\r\nc,d\r\n", ',', {5, 10}},
    {"QuotedLineEnd", "a,\"b\nc\"\nd\n", ',', {8, 10}},
    {"QuotedCrLf", "\"x\r\ny\"\r\nz\r\n", ',', {8, 11}},
    {"DoubledQuoteThenLineEnd", "\"a\"\"\n\"\nb\n", ',', {7, 9}},
    {"QuoteInsideAnUnquotedField", "a\"b\nc\n", ',', {4, 6}},
    {"QuoteAfterTheDelimiter", "a;\"b\nc\"\n", ';', {8}},
    {"QuoteAfterAByteThatIsNotTheDelimiter", "a,\"b\nc\n", ';', {5, 7}},
    {"TextAfterTheClosingQuote", "\"a\"b\nc\n", ',', {5, 7}},
    {"QuoteAfterTab", "a\t\"b\n\"\n", '\t', {7}},
    {"UnclosedQuote", "a,\"b\nc\n", ',', {}},
    {"BlankLines", "\n\na\n", ',', {1, 2, 4}},
};

std::vector<std::size_t> CutsByteByByte(const CutRow& row) {
  ChunkScanner scanner(row.delimiter);
  std::vector<std::size_t> cuts;
  for (std::size_t i = 0; i < row.bytes.size(); ++i) {
    if (scanner.Scan(std::string_view(row.bytes).substr(i, 1)) == 1) cuts.push_back(i + 1);
  }
  return cuts;
}

struct Record {
  std::vector<std::string> fields;
  std::uint64_t line = 0;
  std::uint64_t unclosedQuote = 0;
  bool operator==(const Record&) const = default;
};

// The records of bytes, read from `line` on.
std::vector<Record> Records(const std::string& bytes, char delimiter, std::uint64_t line) {
  testing::StringSource source(bytes);
  tables::CsvReader reader(source, bytes.size() + 4);
  reader.ContinueAt(line);
  reader.SetDelimiter(delimiter);
  std::vector<Record> records;
  tables::CsvRecord record;
  while (reader.Next(record) == tables::CsvNext::Record) {
    records.push_back(
        {{record.fields.begin(), record.fields.end()}, record.line, record.unclosedQuote});
  }
  return records;
}

class ChunkCuts : public ::testing::TestWithParam<CutRow> {};

TEST_P(ChunkCuts, ByteByByte) { EXPECT_EQ(CutsByteByByte(GetParam()), GetParam().cuts); }

TEST_P(ChunkCuts, WholeGivesTheLastCut) {
  const CutRow& row = GetParam();
  ChunkScanner scanner(row.delimiter);
  EXPECT_EQ(scanner.Scan(row.bytes), row.cuts.empty() ? std::string::npos : row.cuts.back());
}

TEST_P(ChunkCuts, PiecesReadAsTheWhole) {
  const CutRow& row = GetParam();
  std::vector<Record> pieces;
  std::size_t start = 0;
  std::uint64_t line = 1;
  std::vector<std::size_t> ends = row.cuts;
  ends.push_back(row.bytes.size());
  for (const std::size_t end : ends) {
    const std::string piece = row.bytes.substr(start, end - start);
    for (Record& record : Records(piece, row.delimiter, line)) pieces.push_back(record);
    line += static_cast<std::uint64_t>(std::count(piece.begin(), piece.end(), '\n'));
    start = end;
  }
  EXPECT_EQ(pieces, Records(row.bytes, row.delimiter, 1));
}

struct CutName {
  std::string operator()(const ::testing::TestParamInfo<CutRow>& row) const {
    return row.param.name;
  }
};
INSTANTIATE_TEST_SUITE_P(Chunks, ChunkCuts, ::testing::ValuesIn(kCutRows), CutName());

}  // namespace
}  // namespace hygrian::cli
