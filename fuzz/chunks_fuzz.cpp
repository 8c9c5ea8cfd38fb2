// The rows of a table on threads, in chunks of a few bytes (the chunk size is
// batch::Options::chunkBytes, taken from the input), against the same table
// read row by row on one thread: standard output, standard error (but for the
// file's name) and the exit status must be the same. The first byte picks the
// chunk size (1 to 64 bytes) and the threads (2 to 4), the second the output
// form and the reads' size; the rest is the table, read from a pipe with
// --jobs 1, and from a file and from a pipe in chunks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "batch/run.h"
#include "tests/cli_fake_platform.h"

namespace {

struct Run {
  std::string out;
  std::string err;
  int status = 0;
};

// The names of the file in messages, made one.
std::string Unnamed(std::string text) {
  for (const std::string name : {"(standard input)", "in.csv"}) {
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at)) {
      text.replace(at, name.size(), "FILE");
    }
  }
  return text;
}

Run RunOnce(const std::string& input, bool file, std::size_t jobs, std::size_t chunkBytes,
            std::uint8_t form) {
  hygrian::testing::FakeCliPlatform platform;
  platform.files[file ? "in.csv" : "-"] = {input, 0};
  platform.readChunk = (form & 4U) != 0 ? 1 + (form >> 4U) : SIZE_MAX;
  hygrian::batch::Options options;
  options.files = {file ? "in.csv" : "-"};
  options.format.json = (form & 1U) != 0;
  options.format.digits = (form & 2U) != 0 ? 4 : 0;
  if ((form & 8U) != 0) options.format.columns = {"status", "dry_bulb"};
  options.bufferBytes = 64;
  options.chunkBytes = chunkBytes;
  options.jobs = jobs;
  const int status = hygrian::batch::RunBatch(platform, options);
  return {platform.written[hygrian::cli::kStandardOutput],
          Unnamed(platform.written[hygrian::cli::kStandardError]), status};
}

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t chunkBytes = 1 + (data[0] & 63U);
  const std::size_t jobs = 2 + ((data[0] >> 6U) % 3U);
  const std::uint8_t form = data[1];
  const std::string input(reinterpret_cast<const char*>(data + 2), size - 2);
  const Run one = RunOnce(input, false, 1, chunkBytes, form);
  Require(one.status >= 0 && one.status <= 2);
  for (const bool file : {true, false}) {
    const Run chunked = RunOnce(input, file, jobs, chunkBytes, form);
    Require(chunked.out == one.out);
    Require(chunked.err == one.err);
    Require(chunked.status == one.status);
  }
  return 0;
}
