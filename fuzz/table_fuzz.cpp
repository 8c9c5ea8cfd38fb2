// Feeds arbitrary bytes as a CSV table through a whole batch run in memory. The
// first byte picks the output form and the read size, the second the reader's
// options (delimiter, decimal comma, gaps, a named pair), the third the rest
// (encoding, gap markers, lines to skip, another delimiter, the output's
// columns, delimiter and decimal comma); the rest is the file.
// Besides not crashing, the run must write one row per record after the header
// (a blank line is no record), each with the carried fields as they were read
// (none for a record whose quote never closes). With the delimiter left to the
// header, or options that change the bytes read or written (an encoding, a
// UTF-16 mark, lines skipped, chosen columns, another output form), only the
// exit status is checked.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "batch/run.h"
#include "cli/compute.h"
#include "tables/csv.h"
#include "tables/table.h"
#include "tests/cli_fake_platform.h"
#include "tests/tables_source.h"

namespace {

struct Record {
  std::vector<std::string> fields;
  bool tooLong = false;
  bool unclosed = false;
};
using Records = std::vector<Record>;

Records ReadRecords(const std::string& bytes, char delimiter) {
  hygrian::testing::StringSource source(bytes);
  hygrian::tables::CsvReader reader(source, 64);
  reader.SetDelimiter(delimiter);
  hygrian::tables::CsvRecord record;
  Records records;
  while (reader.Next(record) == hygrian::tables::CsvNext::Record) {
    records.push_back({{record.fields.begin(), record.fields.end()},
                       record.fieldTooLong,
                       record.unclosedQuote != 0});
    records.back().fields.resize(record.fieldCount);
  }
  return records;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint8_t mode = data[0];
  const std::uint8_t reading = data[1];
  const std::uint8_t more = data[2];
  const std::string input(reinterpret_cast<const char*>(data + 3), size - 3);
  hygrian::tables::ReadOptions read = hygrian::cli::ProgramReadOptions();
  read.decimalComma = (reading & 4U) != 0;
  static constexpr char Delimiters[] = {'\0', ',', ';', '\t'};
  read.delimiter = Delimiters[reading & 3U];
  if ((more & 1U) != 0) {
    read.encoding =
        (more & 2U) != 0 ? hygrian::tables::Encoding::Cp1252 : hygrian::tables::Encoding::Latin1;
  }
  if ((more & 4U) != 0) {
    read.missingNumbers = {-9999.0, -99.9};
    read.missingTexts = {"err"};
  }
  if ((more & 8U) != 0) read.skipLines = 1;
  if ((more & 16U) != 0) read.delimiter = '|';
  read.missingIsBad = (reading & 8U) != 0;
  if ((reading & 16U) != 0) read.pair = ((reading >> 5U) & 15U) % hygrian::AllPairs.size();
  if ((reading & 128U) != 0) read.dryBulbColumn.assign(1, 't');

  hygrian::testing::FakeCliPlatform platform;
  platform.files["in.csv"] = {input, 0};
  platform.readChunk = (mode & 4U) != 0 ? 1 + (mode >> 3U) : SIZE_MAX;
  hygrian::batch::Options options;
  options.files = {"in.csv"};
  options.format.json = (mode & 1U) != 0;
  options.format.digits = (mode & 2U) != 0 ? 3 : 0;
  options.bufferBytes = 64;
  options.read = read;
  options.format.decimalComma = read.decimalComma;
  if ((more & 32U) != 0) options.format.columns = {"status", "dry_bulb"};
  if ((more & 64U) != 0) options.format.delimiter = ';';
  options.format.commaDecimals = (more & 128U) != 0;
  const int status = hygrian::batch::RunBatch(platform, options);
  Require(status >= 0 && status <= 2);
  const bool utf16 = input.size() >= 2 &&
                     (input.compare(0, 2, "\xFF\xFE") == 0 || input.compare(0, 2, "\xFE\xFF") == 0);
  if (read.delimiter == '\0' || (more & ~16U) != 0 || utf16) return 0;

  const Records in = ReadRecords(input, read.delimiter);
  const std::string& out = platform.written[hygrian::cli::kStandardOutput];
  hygrian::tables::Layout layout;
  if (in.empty()) {
    Require(out.empty() && status == 2);
    return 0;
  }
  if (in[0].fields.size() > hygrian::tables::kMaxColumns) return 0;
  std::vector<std::string_view> names(in[0].fields.begin(), in[0].fields.end());
  hygrian::tables::CsvRecord header;
  header.fields = names;
  header.fieldCount = names.size();
  header.fieldTooLong = in[0].tooLong;
  header.unclosedQuote = in[0].unclosed ? 1 : 0;
  read.resultColumns = hygrian::batch::kResultColumns;
  if (!hygrian::tables::ReadLayout(header, layout, read).empty()) {
    // A later line may be the header, below title lines (JSON Lines write no
    // header, so a table without rows writes nothing).
    Require(!out.empty() || status == 2 || options.format.json);
    return 0;
  }
  if (options.format.json) {
    for (std::size_t i = 0; i < layout.carried.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) {
        if (layout.names[layout.carried[i]] == layout.names[layout.carried[j]]) {
          Require(out.empty() && status == 2);
          return 0;
        }
      }
    }
    std::size_t lines = 0;
    for (const char c : out) lines += c == '\n' ? 1 : 0;
    Require(lines == in.size() - 1);
    return 0;
  }
  const Records rows = ReadRecords(out, ',');
  Require(rows.size() == in.size());
  for (std::size_t r = 1; r < rows.size(); ++r) {
    Require(rows[r].fields.size() == layout.carried.size() + hygrian::batch::kResultColumns.size());
    if (in[r].tooLong) continue;  // its carried fields may be cut
    if (in[r].unclosed) {
      for (std::size_t c = 0; c < layout.carried.size(); ++c) Require(rows[r].fields[c].empty());
      continue;
    }
    for (std::size_t c = 0; c < layout.carried.size(); ++c) {
      const std::size_t column = layout.carried[c];
      const std::string& given = column < in[r].fields.size() ? in[r].fields[column] : "";
      Require(rows[r].fields[c] == given);
    }
  }
  return 0;
}
