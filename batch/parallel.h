// The rows of one input on several threads: the calling thread reads the input
// and cuts it into chunks of whole records (cli::ChunkScanner), worker threads
// turn each chunk into its output bytes and notes, and one writer thread hands
// the chunks on in input order. A few chunks per worker are in flight at most;
// a record too long for a chunk (a quote left open) ends the chunks, and the
// caller reads the rest one record at a time. Every input goes this way, a pipe
// with one job too: its chunks are one read's whole records (ChunkPlan::streaming).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/block.h"
#include "batch/output.h"
#include "cli/units.h"
#include "tables/csv.h"
#include "tables/table.h"

namespace hygrian::batch {

// What a row leaves beside its bytes.
struct ChunkRow {
  std::size_t end = 0;        // the end of its bytes in the chunk's output
  std::size_t room = 0;       // the room its writer asked the output for
  std::size_t kind = 0;       // its outcome, an index of Outcomes (their size: none of them)
  bool note = false;          // a message goes with it: the chunk's next note
  std::uint64_t notUtf8 = 0;  // JSON: its line when a carried field is not UTF-8
};

// A bad row's message.
struct ChunkNote {
  std::uint64_t line = 0;
  tables::BadInput bad = tables::BadInput::None;
  bool comma = false;       // the value at fault holds a comma
  bool other = false;       // a reason of the processes', not the table's
  std::size_t textEnd = 0;  // the reason is the chunk's texts up to here, from the last note's end
};

// The values of a row that the unit hints look at.
struct HintValues {
  double first = 0.0;  // the pair's first value
  double second = 0.0;
  double pressure = 0.0;  // as read, in kPa
  bool firstRead = false;
  bool secondRead = false;
  bool pressureRead = false;  // a good row's own pressure field
};

struct Chunk {
  std::vector<char> bytes;      // whole records of the input (the last: the rest of it)
  std::size_t size = 0;         // of bytes, in use
  std::uint64_t line = 0;       // the line its first byte is on
  std::uint64_t bytesRead = 0;  // the input's bytes up to its end
  int error = 0;                // the input failed after it (it is the last)
  bool last = false;
  // The rows' results, made by the work:
  Output out{std::size_t{1} << 16};
  std::size_t reach = 0;  // the most output room its rows ask for, from its start
  std::vector<ChunkRow> rows;
  std::vector<ChunkNote> notes;
  std::string texts;
  std::array<HintValues, cli::kHintValues> hints{};  // of its first rows
  RowBlock block;  // the work's rows waiting for their states (kept for its buffers)
};

struct ChunkPlan {
  std::size_t jobs = 2;                            // worker threads
  std::size_t chunkBytes = std::size_t{64} << 10;  // a chunk's input, before a record's end
  bool streaming = false;  // the input may wait (a pipe): each read's whole records go at once
  char delimiter = ',';
  std::size_t longRecord = std::size_t{4} << 20;  // a chunk this long without a record's end
                                                  // ends the chunks
};

// Where the chunks ended before the input did: at a long record's start, with
// the bytes read from there on (the input continues after them, unless it
// ended); or at the start, when no worker thread could be started. And how
// many workers worked.
struct ChunkRest {
  bool left = false;
  std::vector<char> bytes;
  std::uint64_t line = 0;
  std::uint64_t bytesRead = 0;
  bool ended = false;       // the input has no bytes after `bytes`
  std::size_t workers = 0;  // the worker threads started
  int threadError = 0;      // why fewer than plan.jobs were started (EAGAIN), or 0
};

// Runs the rows: the input is `unread` (the bytes read so far; `ended`: all of
// it), then the rest of `source`, starting on `line` after `bytesRead` bytes.
// work(chunk) runs on a worker thread (chunks at once); write(chunk) on the
// writer thread, in input order, and returns false to stop the run; waiting()
// on the writer thread before it waits for a chunk. Returns when every chunk is
// written, or the writer has stopped. Threads that cannot be started are done
// without: the run goes on with the workers started, and with none (or no
// writer) returns at once with the whole input left to the caller. An
// exception on any thread stops every thread; once all are joined it is thrown
// here again.
ChunkRest RunChunks(tables::ByteSource& source, std::string_view unread, bool ended,
                    std::uint64_t line, std::uint64_t bytesRead, const ChunkPlan& plan,
                    const std::function<void(Chunk&)>& work,
                    const std::function<bool(const Chunk&)>& write,
                    const std::function<void()>& waiting);

}  // namespace hygrian::batch
