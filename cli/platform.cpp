#include "cli/platform.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

namespace hygrian::cli {

SystemPlatform::SystemPlatform() { (void)std::signal(SIGPIPE, SIG_IGN); }

int SystemPlatform::OpenRead(const char* path, int* error) {
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) *error = errno;
  return fd;
}

int SystemPlatform::OpenWrite(const char* path, int* error) {
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) *error = errno;
  return fd;
}

int SystemPlatform::OpenReplacement(const char* path, std::string* temporary, int* error) {
  struct stat info {};
  temporary->clear();
  if (::stat(path, &info) == 0 && !S_ISREG(info.st_mode)) return OpenWrite(path, error);
  // A name of our own beside path, so that the rename stays on one file system;
  // O_EXCL keeps a file of that name that happens to exist.
  constexpr int kAttempts = 100;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    *temporary =
        std::string(path) + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    const int fd = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  *error = errno;
  temporary->clear();
  return -1;
}

int SystemPlatform::Rename(const char* from, const char* to) {
  return ::rename(from, to) == 0 ? 0 : errno;
}

void SystemPlatform::Remove(const char* path) { (void)::unlink(path); }

int SystemPlatform::Close(int fd) {
  // A failed close has released the descriptor all the same; it is not retried.
  return ::close(fd) == 0 ? 0 : errno;
}

std::ptrdiff_t SystemPlatform::Read(int fd, char* buffer, std::size_t size, int* error) {
  for (;;) {
    const ssize_t count = ::read(fd, buffer, size);
    if (count >= 0) return count;
    if (errno != EINTR) {
      *error = errno;
      return -1;
    }
  }
}

int SystemPlatform::WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t count = ::write(fd, data, size);
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += count;
    size -= static_cast<std::size_t>(count);
  }
  return 0;
}

bool SystemPlatform::IsTerminal(int fd) { return ::isatty(fd) == 1; }

std::optional<int> SystemPlatform::TerminalColumns(int fd) {
  winsize size{};
  if (::ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return std::nullopt;
  return size.ws_col;
}

std::optional<std::uint64_t> SystemPlatform::RegularFileSize(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

bool SystemPlatform::SameFile(const char* path, int fd) {
  struct stat a {};
  struct stat b {};
  return ::stat(path, &a) == 0 && ::fstat(fd, &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

bool SystemPlatform::SameFile(const char* first, const char* second) {
  struct stat a {};
  struct stat b {};
  return ::stat(first, &a) == 0 && ::stat(second, &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

bool SystemPlatform::SameFile(int first, int second) {
  struct stat a {};
  struct stat b {};
  return ::fstat(first, &a) == 0 && ::fstat(second, &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino && a.st_rdev == b.st_rdev;
}

std::uint64_t SystemPlatform::Now() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000U +
         static_cast<std::uint64_t>(now.tv_nsec);
}

std::string_view ErrorText(int error) noexcept { return std::strerror(error); }

}  // namespace hygrian::cli
