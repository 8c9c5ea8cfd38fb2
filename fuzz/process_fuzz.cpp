// hygrian-batch --process over arbitrary tables: the first byte picks the
// process (mix, heat, coil, evaporative, steam or adiabatic), the flows' unit
// and the output form; the rest is the table. Besides not crashing, the run
// must end with status 0, 1 or 2, write JSON Lines of one object a line, and
// write the same bytes (messages and status too) read row by row from a pipe
// as on three threads from a file in chunks of 16 bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "batch/run.h"
#include "hygrian/units.h"
#include "tests/cli_fake_platform.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

struct Run {
  std::string out;
  std::string err;
  int status = 0;
};

Run RunOnce(const std::string& input, std::uint8_t choice, bool chunked) {
  const char* name = chunked ? "in.csv" : "-";
  hygrian::testing::FakeCliPlatform platform;
  platform.files[name] = {input, 0};
  hygrian::batch::Options options;
  options.files = {name};
  options.process.process = hygrian::cli::kProcesses[(choice & 7U) % 6U].process;
  if ((choice & 8U) != 0) {
    options.process.units.flow = hygrian::FindUnit(hygrian::Quantity::VolumeFlow, "m3/s");
  }
  options.format.json = (choice & 16U) != 0;
  options.format.digits = (choice & 32U) != 0 ? 5 : 0;
  options.bufferBytes = 64;
  options.chunkBytes = 16;
  options.jobs = chunked ? 3 : 1;
  const int status = hygrian::batch::RunBatch(platform, options);
  // The file's two names made one.
  std::string err = platform.written[hygrian::cli::kStandardError];
  for (const std::string file : {"(standard input)", "in.csv"}) {
    for (std::size_t at = err.find(file); at != std::string::npos; at = err.find(file, at)) {
      err.replace(at, file.size(), "FILE");
    }
  }
  return {platform.written[hygrian::cli::kStandardOutput], err, status};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  const Run one = RunOnce(input, data[0], false);
  Require(one.status >= 0 && one.status <= 2);
  if ((data[0] & 16U) != 0) {
    for (std::size_t start = 0; start < one.out.size();) {
      const std::size_t end = one.out.find('\n', start);
      Require(end != std::string::npos && one.out[start] == '{' && one.out[end - 1] == '}');
      start = end + 1;
    }
  }
  const Run chunked = RunOnce(input, data[0], true);
  Require(chunked.out == one.out);
  Require(chunked.err == one.err);
  Require(chunked.status == one.status);
  return 0;
}
