// The system calls of the command-line programs, behind one narrow interface so
// that everything else can run on in-memory fakes: open, read, write, close, and
// the questions about a descriptor that the progress display needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hygrian::cli {

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// What an output needs to know of the file it replaces.
struct FileFacts {
  bool regular = true;   // a regular file, not a device, pipe or socket
  unsigned mode = 0644;  // the permission bits, set-id and sticky bits
  unsigned owner = 0;    // user id
  unsigned group = 0;    // group id
  unsigned links = 1;    // its names (hard links)
  // In a sticky folder (mode 1777, /tmp) where neither it nor the folder is this
  // user's: only root may rename another file over it.
  bool stickyOther = false;
};

class Platform {
 public:
  virtual ~Platform() = default;
  // A descriptor open for reading, or -1 with the error number in *error.
  virtual int OpenRead(const char* path, int* error) = 0;
  // A descriptor open for writing, truncated or created as the shell's `>`
  // does, or -1 as above.
  virtual int OpenWrite(const char* path, int* error) = 0;
  // An existing file opened for writing as it is, not truncated, with its facts
  // (and its folder's) in *facts; -1 as above (ENOENT when there is no such
  // file, EACCES when the user may not write it, EISDIR for a folder).
  virtual int OpenExisting(const char* path, FileFacts* facts, int* error) = 0;
  // The file that writing to path reaches: path, or the file its chain of
  // symbolic links ends at, which need not exist ("dir/link" to "../x" gives
  // "dir/../x").
  virtual std::string LinkTarget(const char* path) = 0;
  // A new file beside path, named in *temporary, created with mode (less the
  // umask), to be renamed over path at the end, and removed by a signal from its
  // creation on (see RemoveOnSignal); -1 as above (EACCES in a folder the user
  // may not write).
  virtual int CreateBeside(const char* path, unsigned mode, std::string* temporary, int* error) = 0;
  // Gives the file behind fd the owner, group and mode of facts: 0 or the error
  // number (EPERM when this user may not give it that owner or group).
  virtual int MatchFile(int fd, const FileFacts& facts) = 0;
  // Empties the file behind fd: 0 or the error number.
  virtual int Truncate(int fd) = 0;
  // Waits until the file behind fd is on the disk: 0 or the error number.
  virtual int Sync(int fd) = 0;
  // From now on SIGINT, SIGTERM and SIGHUP remove the file path and then end the
  // program with the signal's usual status; nullptr: they remove nothing (and
  // end it all the same).
  virtual void RemoveOnSignal(const char* path) = 0;
  // Renames from to to: 0 or the error number.
  virtual int Rename(const char* from, const char* to) = 0;
  // Removes the file path, if it can.
  virtual void Remove(const char* path) = 0;
  // 0, or the error number when the last of the written bytes could not be kept.
  virtual int Close(int fd) = 0;
  // Reads once, retrying on an interrupted call: the count, 0 at the end, -1 on
  // an error with the error number in *error.
  virtual std::ptrdiff_t Read(int fd, char* buffer, std::size_t size, int* error) = 0;
  // Writes all of it: 0, or the error number of the write that failed
  // (EPIPE when the reader of a pipe has gone).
  virtual int WriteAll(int fd, const char* data, std::size_t size) = 0;
  virtual bool IsTerminal(int fd) = 0;
  // The width of the terminal behind fd in columns, when it says.
  virtual std::optional<int> TerminalColumns(int fd) = 0;
  // The size of the file behind fd when it is a regular file.
  virtual std::optional<std::uint64_t> RegularFileSize(int fd) = 0;
  // Whether path names the same file as fd (same device and inode).
  virtual bool SameFile(const char* path, int fd) = 0;
  // Whether two paths name one existing file.
  virtual bool SameFile(const char* first, const char* second) = 0;
  // Whether two descriptors are open on one file (one terminal).
  virtual bool SameFile(int first, int second) = 0;
  // A monotonic clock, in nanoseconds.
  virtual std::uint64_t Now() = 0;
  // Today as YYYY-MM-DD: the UTC day of SOURCE_DATE_EPOCH (seconds since
  // 1970) when it is set, as reproducible builds set it, else the local day.
  virtual std::string Today() = 0;
};

// The real system: POSIX calls. Broken pipes come back as EPIPE, not as a
// signal, once the constructor has run.
class SystemPlatform final : public Platform {
 public:
  SystemPlatform();
  int OpenRead(const char* path, int* error) override;
  int OpenWrite(const char* path, int* error) override;
  int OpenExisting(const char* path, FileFacts* facts, int* error) override;
  std::string LinkTarget(const char* path) override;
  int CreateBeside(const char* path, unsigned mode, std::string* temporary, int* error) override;
  int MatchFile(int fd, const FileFacts& facts) override;
  int Truncate(int fd) override;
  int Sync(int fd) override;
  void RemoveOnSignal(const char* path) override;
  int Rename(const char* from, const char* to) override;
  void Remove(const char* path) override;
  int Close(int fd) override;
  std::ptrdiff_t Read(int fd, char* buffer, std::size_t size, int* error) override;
  int WriteAll(int fd, const char* data, std::size_t size) override;
  bool IsTerminal(int fd) override;
  std::optional<int> TerminalColumns(int fd) override;
  std::optional<std::uint64_t> RegularFileSize(int fd) override;
  bool SameFile(const char* path, int fd) override;
  bool SameFile(const char* first, const char* second) override;
  bool SameFile(int first, int second) override;
  std::uint64_t Now() override;
  std::string Today() override;
};

// The cores this process may run on (at least 1), as sched_getaffinity says,
// else as the C++ library says.
[[nodiscard]] unsigned AvailableCores() noexcept;

// The text of an error number: "No such file or directory".
[[nodiscard]] std::string_view ErrorText(int error) noexcept;

}  // namespace hygrian::cli
