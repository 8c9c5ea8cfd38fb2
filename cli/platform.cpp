#include "cli/platform.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>

namespace hygrian::cli {

namespace {

// The path that SIGINT, SIGTERM and SIGHUP remove: the programs' one piece of
// global mutable state. A signal handler can reach nothing else, and it may call
// only async-signal-safe functions (unlink, raise) and must not allocate, so the
// path is copied into a fixed buffer, and marked ready only once the copy is
// complete, before the handler may look at it.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables,cppcoreguidelines-avoid-c-arrays,modernize-avoid-c-arrays)
char signalRemovalPath[PATH_MAX];
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
volatile std::sig_atomic_t signalRemovalReady = 0;

extern "C" void RemoveAndEnd(int signal) {
  if (signalRemovalReady != 0) (void)::unlink(signalRemovalPath);
  // SA_RESETHAND has put back the default action, and the signal stays blocked
  // until the handler returns: then it ends the program with the usual status.
  (void)::raise(signal);
}

}  // namespace

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

int SystemPlatform::OpenExisting(const char* path, FileFacts* facts, int* error) {
  const int fd = ::open(path, O_WRONLY | O_NOCTTY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0) {
    *error = errno;
    if (fd >= 0) (void)::close(fd);
    return -1;
  }
  facts->regular = S_ISREG(info.st_mode);
  facts->mode = info.st_mode & 07777U;
  facts->owner = info.st_uid;
  facts->group = info.st_gid;
  facts->links = static_cast<unsigned>(info.st_nlink);
  const std::string_view name = path;
  const std::size_t slash = name.rfind('/');
  const std::string folder = slash == std::string_view::npos ? "."
                             : slash == 0                    ? "/"
                                                             : std::string(name.substr(0, slash));
  struct stat folderInfo {};
  const uid_t user = ::geteuid();
  facts->stickyOther = ::stat(folder.c_str(), &folderInfo) == 0 &&
                       (folderInfo.st_mode & S_ISVTX) != 0 && user != 0 && info.st_uid != user &&
                       folderInfo.st_uid != user;
  return fd;
}

std::string SystemPlatform::LinkTarget(const char* path) {
  std::string target = path;
  // As many links as the kernel follows; past that the open itself says ELOOP.
  constexpr int kMostLinks = 40;
  std::array<char, PATH_MAX> text{};
  for (int link = 0; link < kMostLinks; ++link) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    const ssize_t length = ::readlink(target.c_str(), text.data(), text.size());
    if (length <= 0 || static_cast<std::size_t>(length) == text.size()) break;
    const std::string_view next(text.data(), static_cast<std::size_t>(length));
    // A relative link is read from the folder the link is in.
    const std::size_t slash = target.rfind('/');
    if (next.front() == '/' || slash == std::string::npos) {
      target = next;
    } else {
      target.resize(slash + 1);
      target += next;
    }
  }
  return target;
}

int SystemPlatform::CreateBeside(const char* path, unsigned mode, std::string* temporary,
                                 int* error) {
  // SIGINT, SIGTERM and SIGHUP wait while the file is made and its removal on
  // them armed, so that none can end the program between the two and leave the
  // file behind; one that came meanwhile is taken once they are armed.
  sigset_t blocked;
  sigset_t previous;
  (void)sigemptyset(&blocked);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) (void)sigaddset(&blocked, signal);
  (void)::sigprocmask(SIG_BLOCK, &blocked, &previous);
  // A name of our own beside path, so that the rename stays on one file system;
  // O_EXCL keeps a file of that name that happens to exist.
  constexpr int kAttempts = 100;
  int fd = -1;
  for (int attempt = 0; attempt < kAttempts && fd < 0; ++attempt) {
    *temporary =
        std::string(path) + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    fd = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd >= 0) {
    RemoveOnSignal(temporary->c_str());
  } else {
    *error = errno;
    temporary->clear();
  }
  (void)::sigprocmask(SIG_SETMASK, &previous, nullptr);
  return fd;
}

int SystemPlatform::MatchFile(int fd, const FileFacts& facts) {
  // Only root may give a file away, and a user may give their own file only a
  // group they are in; what the new file has already is not asked for. The mode
  // comes after the owner, since a change of owner clears set-id bits.
  struct stat info {};
  if (::fstat(fd, &info) != 0) return errno;
  if ((info.st_uid != facts.owner || info.st_gid != facts.group) &&
      ::fchown(fd, facts.owner, facts.group) != 0) {
    return errno;
  }
  return ::fchmod(fd, facts.mode) == 0 ? 0 : errno;
}

int SystemPlatform::Truncate(int fd) { return ::ftruncate(fd, 0) == 0 ? 0 : errno; }

int SystemPlatform::Sync(int fd) {
  for (;;) {
    if (::fsync(fd) == 0) return 0;
    if (errno != EINTR) return errno;
  }
}

void SystemPlatform::RemoveOnSignal(const char* path) {
  // Armed already for this path (CreateBeside arms it): no moment unarmed.
  if (path != nullptr && signalRemovalReady != 0 && std::strcmp(path, signalRemovalPath) == 0) {
    return;
  }
  signalRemovalReady = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  // A path too long for the buffer stays behind on a signal, as without this.
  if (path == nullptr || std::strlen(path) >= sizeof signalRemovalPath) return;
  std::memcpy(signalRemovalPath, path, std::strlen(path) + 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  signalRemovalReady = 1;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction action {};
    // A signal the program was started ignoring (SIGINT in a background job)
    // stays ignored.
    if (::sigaction(signal, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) continue;
    action = {};
    action.sa_handler = RemoveAndEnd;
    (void)sigemptyset(&action.sa_mask);
    action.sa_flags = static_cast<int>(SA_RESETHAND);  // 0x80000000, unsigned
    (void)::sigaction(signal, &action, nullptr);
  }
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

std::string SystemPlatform::Today() {
  std::time_t now = std::time(nullptr);
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");  // NOLINT(concurrency-mt-unsafe)
  std::int64_t seconds = 0;
  const char* end = epoch == nullptr ? nullptr : epoch + std::strlen(epoch);
  const bool given =
      epoch != nullptr && *epoch != '\0' && std::from_chars(epoch, end, seconds).ptr == end;
  std::tm day{};
  if (given) {
    now = static_cast<std::time_t>(seconds);
    ::gmtime_r(&now, &day);
  } else {
    ::localtime_r(&now, &day);
  }
  std::array<char, 16> text{};
  const std::size_t length = std::strftime(text.data(), text.size(), "%Y-%m-%d", &day);
  return {text.data(), length};
}

std::string_view ErrorText(int error) noexcept { return std::strerror(error); }

unsigned AvailableCores() noexcept {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) {
    return static_cast<unsigned>(CPU_COUNT(&set));
  }
  return std::max(1U, std::thread::hardware_concurrency());
}

}  // namespace hygrian::cli
