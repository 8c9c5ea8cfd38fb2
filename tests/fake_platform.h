// An in-memory console for unit tests: scripted reads, captured writes, chosen
// terminal flags, and an exit that throws so a test can see the status.
#pragma once

#include <cerrno>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "console/platform.h"

namespace hygrian::testing {

// Thrown by FakePlatform::Exit.
struct ExitCalled {
  int status;
};

class FakePlatform final : public Platform {
 public:
  // One scripted read: its bytes (cut to the buffer size, like a terminal read of
  // a long line), or a failure with an errno.
  struct ReadStep {
    std::string bytes;
    int error = 0;
  };

  // A terminal on both standard input and standard output, or on neither.
  explicit FakePlatform(bool terminal = false)
      : inputTerminal(terminal), outputTerminal(terminal) {}

  bool inputTerminal = false;
  bool outputTerminal = false;
  std::deque<ReadStep> reads;  // an empty script reads as the end of input
  std::string out;
  std::string err;
  int writeError = 0;    // when set, writes to standard output fail with it
  int outputWrites = 0;  // number of writes made to standard output
  int failWrite = -1;    // index among the standard-output writes of one that fails...
  int failError = 0;     // ...with this error
  // Each write to standard output as its own string, to see how the bytes were
  // split into writes.
  std::vector<std::string> writes;
  // Every write to either stream in order, led by "out:" or "err:", to see which
  // stream came first.
  std::vector<std::string> streams;

  // Feeds lines the way a terminal does: one line per read.
  void TypeLines(std::string_view text) {
    while (!text.empty()) {
      const std::size_t end = text.find('\n');
      const std::size_t n = end == std::string_view::npos ? text.size() : end + 1;
      reads.push_back({std::string(text.substr(0, n))});
      text.remove_prefix(n);
    }
  }

  IoResult Read(std::span<char> buffer) override {
    if (reads.empty()) return {0, 0};
    ReadStep& step = reads.front();
    if (step.error != 0) {
      const int error = step.error;
      reads.pop_front();
      return {-1, error};
    }
    const std::size_t n = std::min(buffer.size(), step.bytes.size());
    std::memcpy(buffer.data(), step.bytes.data(), n);
    step.bytes.erase(0, n);
    if (step.bytes.empty()) reads.pop_front();
    return {static_cast<std::int64_t>(n), 0};
  }

  IoResult Write(Stream stream, std::span<const char> bytes) override {
    streams.push_back((stream == Stream::Error ? "err:" : "out:") +
                      std::string(bytes.data(), bytes.size()));
    if (stream == Stream::Error) {
      err.append(bytes.data(), bytes.size());
      return {static_cast<std::int64_t>(bytes.size()), 0};
    }
    writes.emplace_back(bytes.data(), bytes.size());
    if (static_cast<int>(writes.size()) - 1 == failWrite) return {0, failError};
    ++outputWrites;
    if (writeError != 0) return {0, writeError};
    out.append(bytes.data(), bytes.size());
    return {static_cast<std::int64_t>(bytes.size()), 0};
  }

  bool IsTerminal(Stream stream) override {
    return stream == Stream::Input ? inputTerminal : outputTerminal;
  }

  [[noreturn]] void Exit(int status) override { throw ExitCalled{status}; }
};

// The status a call ended the process with, or -1 when it returned.
template <typename F>
int ExitStatusOf(F&& call) {
  try {
    call();
  } catch (const ExitCalled& exit) {
    return exit.status;
  }
  return -1;
}

}  // namespace hygrian::testing
