// Feeds arbitrary bytes as a CSV table through a whole batch run in memory. The
// first byte picks the output form and the read size; the rest is the file.
// Besides not crashing, the run must write one row per record after the header
// (a blank line is no record), each with the carried fields as they were read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "batch/run.h"
#include "tables/csv.h"
#include "tables/table.h"
#include "tests/cli_fake_platform.h"
#include "tests/tables_source.h"

namespace {

struct Record {
  std::vector<std::string> fields;
  bool tooLong = false;
};
using Records = std::vector<Record>;

Records ReadRecords(const std::string& bytes) {
  hygrian::testing::StringSource source(bytes);
  hygrian::tables::CsvReader reader(source, 64);
  hygrian::tables::CsvRecord record;
  Records records;
  while (reader.Next(record) == hygrian::tables::CsvNext::Record) {
    records.push_back({{record.fields.begin(), record.fields.end()}, record.fieldTooLong});
    records.back().fields.resize(record.fieldCount);
  }
  return records;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);

  hygrian::testing::FakeCliPlatform platform;
  platform.files["in.csv"] = {input, 0};
  platform.readChunk = (mode & 4U) != 0 ? 1 + (mode >> 3U) : SIZE_MAX;
  hygrian::batch::Options options;
  options.files = {"in.csv"};
  options.format.json = (mode & 1U) != 0;
  options.format.digits = (mode & 2U) != 0 ? 3 : 0;
  options.bufferBytes = 64;
  const int status = hygrian::batch::RunBatch(platform, options);
  Require(status >= 0 && status <= 2);

  const Records in = ReadRecords(input);
  const std::string& out = platform.written[hygrian::cli::StandardOutput];
  hygrian::tables::Layout layout;
  if (in.empty()) {
    Require(out.empty() && status == 2);
    return 0;
  }
  if (in[0].fields.size() > hygrian::tables::MaxColumns) return 0;
  std::vector<std::string_view> names(in[0].fields.begin(), in[0].fields.end());
  hygrian::tables::CsvRecord header;
  header.fields = names;
  header.fieldCount = names.size();
  header.fieldTooLong = in[0].tooLong;
  if (!hygrian::tables::ReadLayout(header, layout).empty()) {
    Require(out.empty() && status == 2);
    return 0;
  }
  if (options.format.json) {
    std::size_t lines = 0;
    for (const char c : out) lines += c == '\n' ? 1 : 0;
    Require(lines == in.size() - 1);
    return 0;
  }
  const Records rows = ReadRecords(out);
  Require(rows.size() == in.size());
  for (std::size_t r = 1; r < rows.size(); ++r) {
    Require(rows[r].fields.size() == layout.carried.size() + 10);
    if (in[r].tooLong) continue;  // its carried fields may be cut
    for (std::size_t c = 0; c < layout.carried.size(); ++c) {
      const std::size_t column = layout.carried[c];
      const std::string& given = column < in[r].fields.size() ? in[r].fields[column] : "";
      Require(rows[r].fields[c] == given);
    }
  }
  return 0;
}
