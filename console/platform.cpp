#include "console/platform.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace hygrian {
namespace {

class PosixPlatform final : public Platform {
 public:
  PosixPlatform() { static_cast<void>(std::signal(SIGPIPE, SIG_IGN)); }

  IoResult Read(std::span<char> buffer) override {
    for (;;) {
      const ssize_t n = ::read(STDIN_FILENO, buffer.data(), buffer.size());
      if (n >= 0) return {n, 0};
      if (errno != EINTR) return {-1, errno};
    }
  }

  // One write call in the usual case; the loop only after a short or
  // interrupted write.
  IoResult Write(Stream stream, std::span<const char> bytes) override {
    if (bytes.empty()) return {};
    const ssize_t n = ::write(static_cast<int>(stream), bytes.data(), bytes.size());
    if (n == static_cast<ssize_t>(bytes.size())) return {n, 0};
    return FinishWrite(stream, bytes, n);
  }

  // The terminal-attributes request that isatty makes, without its copy of the
  // attributes: it succeeds exactly on a terminal.
  bool IsTerminal(Stream stream) override {
    termios attributes;  // filled in by the request, never read
    return ::ioctl(static_cast<int>(stream), TCGETS, &attributes) == 0;
  }

  [[noreturn]] void Exit(int status) override { ::_exit(status); }

 private:
  // Goes on after a first write that moved `first` bytes (or failed with -1).
  [[gnu::cold, gnu::noinline]] static IoResult FinishWrite(Stream stream,
                                                           std::span<const char> bytes,
                                                           ssize_t first) {
    std::size_t done = 0;
    ssize_t n = first;
    for (;;) {
      if (n > 0) {
        done += static_cast<std::size_t>(n);
      } else if (n == 0 || errno != EINTR) {
        return {static_cast<std::int64_t>(done), n < 0 ? errno : 0};
      }
      if (done >= bytes.size()) return {static_cast<std::int64_t>(done), 0};
      n = ::write(static_cast<int>(stream), bytes.data() + done, bytes.size() - done);
    }
  }
};

}  // namespace

Platform& SystemPlatform() {
  static PosixPlatform platform;
  return platform;
}

}  // namespace hygrian
