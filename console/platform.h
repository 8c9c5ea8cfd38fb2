// The calculator's one seam with the operating system: raw reads from standard
// input, raw writes to standard output and error, the terminal test and process
// exit. Everything else takes a Platform&, so tests run on in-memory fakes.
#pragma once

#include <cstdint>
#include <span>

namespace hygrian {

enum class Stream { Input = 0, Output = 1, Error = 2 };

// What one read or write did: count bytes transferred, or count < 0 and the
// errno value in error. A read of zero bytes is the end of input.
struct IoResult {
  std::int64_t count = 0;
  int error = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;
  // One read of at most buffer.size() bytes from standard input; a read
  // interrupted by a signal is retried.
  virtual IoResult Read(std::span<char> buffer) = 0;
  // Writes bytes to the stream, retrying after a signal; a short count comes
  // back with the errno of the write that stopped short.
  virtual IoResult Write(Stream stream, std::span<const char> bytes) = 0;
  // True when the stream is a character device (a terminal).
  virtual bool IsTerminal(Stream stream) = 0;
  // Ends the process with the status. Does not return.
  [[noreturn]] virtual void Exit(int status) = 0;
};

// The process's own standard streams. Broken-pipe signals are ignored from the
// first call on, so a vanished reader shows up as a failed write instead.
Platform& SystemPlatform();

}  // namespace hygrian
