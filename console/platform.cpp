#include "console/platform.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace hygrian {
namespace {

class PosixPlatform final : public Platform {
 public:
  PosixPlatform() { (void)std::signal(SIGPIPE, SIG_IGN); }

  IoResult Read(std::span<char> buffer) override {
    for (;;) {
      const ssize_t n = ::read(STDIN_FILENO, buffer.data(), buffer.size());
      if (n >= 0) return {n, 0};
      if (errno != EINTR) return {-1, errno};
    }
  }

  IoResult Write(Stream stream, std::span<const char> bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(static_cast<int>(stream), bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else {
        return {static_cast<std::int64_t>(done), n < 0 ? errno : 0};
      }
    }
    return {static_cast<std::int64_t>(done), 0};
  }

  bool IsTerminal(Stream stream) override { return ::isatty(static_cast<int>(stream)) == 1; }

  [[noreturn]] void Exit(int status) override { ::_exit(status); }
};

}  // namespace

Platform& SystemPlatform() {
  static PosixPlatform platform;
  return platform;
}

}  // namespace hygrian
