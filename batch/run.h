// The batch run: every input table in turn through the moist-air library to one
// output, with messages about bad rows and skipped files on standard error and
// a progress display at a terminal.
#pragma once

#include <string>
#include <vector>

#include "batch/process.h"
#include "batch/rows.h"
#include "cli/compute.h"
#include "cli/options.h"
#include "cli/platform.h"
#include "cli/units.h"

namespace hygrian::batch {

inline constexpr std::string_view kProgramName = "hygrian-batch";

struct Options {
  std::vector<std::string> files;  // "-" is standard input; none: standard input
  cli::CommonOptions common;       // the output, quiet, the pressure for rows without one
  Format format;
  ProcessOptions process;  // --process and --flow-unit: a process's rows instead of states
  cli::TableUnits units;   // the columns' units (--unit, else the header's) and --units
  tables::ReadOptions read =
      cli::ProgramReadOptions();  // delimiter, decimal comma, column names, the pair, gaps
  // The read and write buffers (tests take small ones to cross their edges).
  std::size_t bufferBytes = std::size_t{1} << 20;
  // The input of one chunk of rows for the threads (tests and the fuzzer take
  // small ones, so that records cross the chunks' edges).
  std::size_t chunkBytes = std::size_t{64} << 10;
  // Threads that read, compute and format rows; 1: the rows one by one on this
  // thread. The output is the same byte for byte.
  std::size_t jobs = 1;
};

// Runs the batch and returns the exit status: 0 when every row was good or
// missing, 1 when a row was bad or the output could not be written, 2 when a
// file was skipped (unreadable, empty, or a header that is wrong or differs from
// the first) or the output could not be opened. A reader that has gone from the
// output pipe ends the run at once, quietly, with 0. When a row was not ok, a
// last line counts the rows by status ("hygrian-batch: 10 rows: 8 ok, 2
// missing"). An output file is replaced as cli::OutputFile replaces one, at the
// end, unless the run failed before any row. Output is flushed before a
// read from a pipe or terminal might wait, and after each row at a terminal.
[[nodiscard]] int RunBatch(cli::Platform& platform, const Options& options);

}  // namespace hygrian::batch
