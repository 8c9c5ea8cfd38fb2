// The one console state of the process: the output line state, the input line
// buffer and the exit flags. The dialogue owns the only instance and passes it to
// the writer, the reader and the failure reporter.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "console/platform.h"

namespace hygrian {

// Bytes per console read and per output record piece.
inline constexpr int kRecordCapacity = 132;

// Every line end on the screen and in the reports.
inline constexpr std::string_view kLineEnd = "\r\n";

// Raw bytes of the last read from standard input, plus at most one appended LF
// (appended only after a terminal read shorter than the buffer).
struct LineBuffer {
  std::array<char, kRecordCapacity> bytes{};
  std::int32_t position = 0;  // next byte to hand out
  std::int32_t end = -1;      // last valid byte; -1 when empty
  // Stream mode: the last read ended inside a line, so the end of input still
  // owes that line its LF.
  bool unended = false;
};

struct Console {
  // Decides sharedWithInput once: both standard input and output are terminals.
  // Needs no heap, so setting up the console cannot fail for lack of memory.
  explicit Console(Platform& platform);

  Platform& platform;
  bool sharedWithInput = false;  // reads close the output line
  bool lineOpen = false;         // a record is on the screen with no line end after it
  LineBuffer line;
  bool exitInProgress = false;  // EndOfRun has started
  int exitStatus = 0;           // the status of the exit under way
};

// At the normal stop and at exit: CR LF on standard output if a line is open,
// unchecked. Neither clears lineOpen. They sit with the console state so that the
// stop and exit path needs nothing from the record writer.
void CloseLineAtStop(Console& console);
void CloseLineAtExit(Console& console);

}  // namespace hygrian
