// Whole batch runs on the in-memory system: read and write failures scripted by
// error number, and reads and buffers of every size giving the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <stdexcept>
#include <string>

#include "batch/parallel.h"
#include "batch/run.h"
#include "tests/cli_fake_platform.h"
#include "tests/tables_source.h"

namespace hygrian::batch {
namespace {

using cli::kStandardError;
using cli::kStandardOutput;
using testing::FakeCliPlatform;

const std::string Header =
    "id,dry_bulb,wet_bulb,dew_point,relative_humidity,enthalpy,humidity_ratio,"
    "degree_of_saturation,specific_volume,vapor_pressure,status\n";
const std::string Input =
    "id,dry_bulb,wet_bulb\n"
    "\"a,1\",25,20\n"
    "b,x,20\n"
    "\"c\r\nd\",-300,-300\n";

Options ForFiles(std::initializer_list<std::string> files) {
  Options options;
  options.files = files;
  return options;
}

TEST(RunBatch, ReadsAndBuffersOfAnySizeGiveTheSameBytes) {
  FakeCliPlatform reference;
  reference.files["in.csv"] = {Input};
  ASSERT_EQ(RunBatch(reference, ForFiles({"in.csv"})), 1);
  const std::string out = reference.written[kStandardOutput];
  ASSERT_EQ(out.substr(0, Header.size()), Header);
  for (const std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{7}}) {
    for (const std::size_t buffer : {std::size_t{4}, std::size_t{16}, std::size_t{100}}) {
      FakeCliPlatform platform;
      platform.files["in.csv"] = {Input};
      platform.readChunk = chunk;
      Options options = ForFiles({"in.csv"});
      options.bufferBytes = buffer;
      options.chunkBytes = buffer;  // a row over the threads' chunks' edges too
      options.jobs = chunk;
      EXPECT_EQ(RunBatch(platform, options), 1);
      EXPECT_EQ(platform.written[kStandardOutput], out) << chunk << ' ' << buffer;
      EXPECT_EQ(platform.written[kStandardError],
                "hygrian-batch: in.csv:3: dry_bulb \"x\" is not a number\n"
                "hygrian-batch: 3 rows: 1 ok, 1 fault, 1 bad-input\n");
    }
  }
}

// An exception on a worker or on the writer, at the first chunk or a later
// one, stops every thread and is thrown again on the calling thread, once all
// are joined (a thread left waiting would keep the test from ending).
TEST(RunChunks, AnExceptionOnAnyThreadStopsThemAllAndComesBack) {
  std::string input;
  for (int i = 0; i < 1000; ++i) input += "25,50\n";
  for (const bool inWorker : {true, false}) {
    for (const int at : {0, 5}) {
      testing::StringSource source(input);
      ChunkPlan plan;
      plan.jobs = 4;
      plan.chunkBytes = 64;
      std::atomic<int> chunks{0};
      const auto fail = [&](bool here) {
        if (here && chunks++ == at) throw std::runtime_error("failed");
      };
      EXPECT_THROW((void)RunChunks(
                       source, "", false, 1, 0, plan, [&](Chunk&) { fail(inWorker); },
                       [&](const Chunk&) {
                         fail(!inWorker);
                         return true;
                       },
                       [] {}),
                   std::runtime_error)
          << inWorker << ' ' << at;
    }
  }
}

TEST(RunBatch, AReadErrorKeepsTheRowsBeforeItAndSkipsTheRest) {
  FakeCliPlatform platform;
  platform.files["in.csv"] = {"dry_bulb,wet_bulb\n25,20\n", EIO};
  platform.files["next.csv"] = {"dry_bulb,wet_bulb\n30,25\n"};
  EXPECT_EQ(RunBatch(platform, ForFiles({"in.csv", "next.csv"})), 2);
  const std::string& out = platform.written[kStandardOutput];
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 3);
  EXPECT_EQ(out.substr(out.size() - 4), ",ok\n");
  EXPECT_EQ(platform.written[kStandardError], "hygrian-batch: in.csv: Input/output error\n");
}

TEST(RunBatch, AFailedWriteEndsTheRunWithStatusOne) {
  FakeCliPlatform platform;
  platform.files["in.csv"] = {Input};
  platform.outputError = ENOSPC;
  EXPECT_EQ(RunBatch(platform, ForFiles({"in.csv"})), 1);
  EXPECT_EQ(platform.written[kStandardError],
            "hygrian-batch: in.csv:3: dry_bulb \"x\" is not a number\n"
            "hygrian-batch: (standard output): No space left on device\n"
            "hygrian-batch: 3 rows: 1 ok, 1 fault, 1 bad-input\n");
}

TEST(RunBatch, AFailedCloseOfTheOutputFileEndsTheRunWithStatusOne) {
  FakeCliPlatform platform;
  platform.files["in.csv"] = {"dry_bulb,wet_bulb\n25,20\n"};
  platform.closeError = EIO;
  Options options = ForFiles({"in.csv"});
  options.common.output = "out.csv";
  EXPECT_EQ(RunBatch(platform, options), 1);
  EXPECT_EQ(platform.written[kStandardError], "hygrian-batch: out.csv: Input/output error\n");
}

TEST(RunBatch, AGoneReaderEndsTheRunQuietlyAtOnce) {
  std::string input = "dry_bulb,wet_bulb\n";
  for (int i = 0; i < 1000; ++i) input += "x,1\n";
  FakeCliPlatform platform;
  platform.files["in.csv"] = {input};
  platform.outputError = EPIPE;
  Options options = ForFiles({"in.csv"});
  options.bufferBytes = 256;
  EXPECT_EQ(RunBatch(platform, options), 0);
  // The run stopped at the first failed write, a few rows in.
  const std::string& err = platform.written[kStandardError];
  EXPECT_LT(std::count(err.begin(), err.end(), '\n'), 50);
}

TEST(RunBatch, ProgressIsDrawnAtATerminalAndErasedBeforeMessages) {
  std::string input = "dry_bulb,wet_bulb\n";
  for (int i = 0; i < 5000; ++i) input += "25,20\n";
  input += "x,1\n";
  FakeCliPlatform platform;
  platform.files["in.csv"] = {input};
  platform.errorTerminal = true;
  EXPECT_EQ(RunBatch(platform, ForFiles({"in.csv"})), 1);
  // The fake clock moves 30 ms a reading, so every fourth reading draws. The
  // file is one chunk of rows, so the first display, after 4096 rows, has
  // read it all.
  const std::string& err = platform.written[kStandardError];
  const std::string display = "hygrian-batch: in.csv: 100% ";
  ASSERT_EQ(err.substr(0, display.size()), display) << err;
  const std::string tail =
      "\r\x1b[Khygrian-batch: in.csv:5002: dry_bulb \"x\" is not a number\n"
      "hygrian-batch: 5001 rows: 5000 ok, 1 bad-input\n";
  EXPECT_EQ(err.substr(err.size() - tail.size()), tail) << err;
}

}  // namespace
}  // namespace hygrian::batch

namespace hygrian::batch {
namespace {

// The display fits the terminal: the file's name is cut at its front, or left
// out, and the figures stay whole.
TEST(RunBatch, ProgressFitsTheTerminalsWidth) {
  std::string input = "dry_bulb,wet_bulb\n";
  for (int i = 0; i < 5000; ++i) input += "25,20\n";
  const std::string name = "a/long/path/to/the/logger/export/in.csv";
  struct Case {
    int columns;
    std::string start;  // the display as it starts, up to the figures
  };
  for (const Case& c :
       {Case{80, "hygrian-batch: " + name + ": "}, Case{50, "hygrian-batch: ...xport/in.csv: "},
        Case{36, "hygrian-batch: 100% "}, Case{30, "100% "}}) {
    FakeCliPlatform platform;
    platform.files[name] = {input};
    platform.errorTerminal = true;
    platform.terminalColumns = c.columns;
    EXPECT_EQ(RunBatch(platform, ForFiles({name})), 0);
    const std::string& err = platform.written[kStandardError];
    ASSERT_EQ(err.substr(0, c.start.size()), c.start) << err;
    const std::size_t end = err.find('\r');
    EXPECT_LT(end, static_cast<std::size_t>(c.columns)) << err;
    EXPECT_EQ(err.substr(end - 7, 7), " rows/s") << err;
  }
}

}  // namespace
}  // namespace hygrian::batch
