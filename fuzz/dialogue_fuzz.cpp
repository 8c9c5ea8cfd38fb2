// Runs the whole dialogue (menu, the three computations, the results block, the
// run-again loop, the stop and every failure report) on arbitrary input through
// the in-memory console; the exit of the process is an exception, so one run does
// not end the fuzzer. The first byte picks the channel: bit 0 input typed at a
// terminal (one line per read), bit 1 output on a terminal, bit 2 output writes
// failing with a broken pipe, bits 4 to 7 how a stream is cut into pieces.
//
// Property: read as a stream, the same input handed over whole and handed over
// in pieces gives the same output, the same report and the same status (unless
// it holds 0x1A, which ends a read wherever it stands third from the end).
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/dialogue.h"
#include "tests/fake_platform.h"

namespace {

struct Channel {
  bool inputTerminal = false;
  bool outputTerminal = false;
  bool brokenPipe = false;
};

struct Outcome {
  std::string out;
  std::string err;
  int status = -1;
  bool operator==(const Outcome&) const = default;
};

Outcome Run(Channel channel, std::vector<std::string> reads) {
  hygrian::testing::FakePlatform platform;
  platform.inputTerminal = channel.inputTerminal;
  platform.outputTerminal = channel.outputTerminal;
  if (channel.brokenPipe) platform.writeError = EPIPE;
  for (std::string& bytes : reads) platform.reads.push_back({std::move(bytes)});
  hygrian::Console console(platform);
  hygrian::DialogueState dialogue;
  Outcome outcome;
  try {
    hygrian::RunDialogue(console, dialogue);
  } catch (const hygrian::testing::ExitCalled& exit) {
    outcome.status = exit.status;
  }
  outcome.out = std::move(platform.out);
  outcome.err = std::move(platform.err);
  return outcome;
}

// Lines as a terminal hands them over, one per read.
std::vector<std::string> Typed(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t n = end == std::string_view::npos ? text.size() : end + 1;
    lines.emplace_back(text.substr(0, n));
    text.remove_prefix(n);
  }
  return lines;
}

// Pieces of 1 to 8 bytes, each length taken from the byte the piece starts with,
// so the fuzzer steers the cuts along with the text.
std::vector<std::string> Pieces(std::string_view text, unsigned salt) {
  std::vector<std::string> pieces;
  while (!text.empty()) {
    const unsigned byte = static_cast<unsigned char>(text.front());
    const std::size_t n = std::min<std::size_t>(text.size(), 1 + ((byte ^ salt) & 7U));
    pieces.emplace_back(text.substr(0, n));
    text.remove_prefix(n);
  }
  return pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned mode = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  Channel channel;
  channel.inputTerminal = (mode & 1U) != 0;
  channel.outputTerminal = (mode & 2U) != 0;
  channel.brokenPipe = (mode & 4U) != 0;

  if (channel.inputTerminal) {
    Run(channel, Typed(text));
    return 0;
  }
  std::vector<std::string> whole;
  if (!text.empty()) whole.emplace_back(text);
  const Outcome once = Run(channel, std::move(whole));
  if (text.find('\x1A') != std::string_view::npos) return 0;
  const Outcome cut = Run(channel, Pieces(text, mode >> 4U));
  if (!(cut == once)) {
    (void)std::fprintf(stderr, "stream read in pieces differs from the whole stream\n");
    std::abort();
  }
  return 0;
}
