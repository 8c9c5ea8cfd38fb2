// The program's system calls: opening the points file and the output file, and
// writing the chart. Nothing else in chart/ touches the operating system.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "tables/csv.h"

namespace hygrian::chart {

// A file descriptor, closed when it goes (not 0, 1 or 2).
class File {
 public:
  File() = default;
  explicit File(int fd) : fd_(fd) {}
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  File(File&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  File& operator=(File&& other) noexcept;
  ~File();
  int fd() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  // Hands the descriptor over; the File then holds none.
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_ = -1;
};

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// Opens path for reading ("-" is standard input); on failure the File is not ok
// and *error holds the error number.
File OpenForReading(const std::string& path, int* error);

// Creates or truncates path for writing, mode 0666 less the umask.
File CreateForWriting(const std::string& path, int* error);

// Reads up to size bytes; the count, 0 at the end, or -1 with *error set. Retries
// on EINTR.
std::ptrdiff_t ReadSome(int fd, char* buffer, std::size_t size, int* error);

// The bytes of an open descriptor, for the table reader.
class FileSource final : public tables::ByteSource {
 public:
  explicit FileSource(int fd) : fd_(fd) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size, int* error) override {
    return ReadSome(fd_, buffer, size, error);
  }

 private:
  int fd_;
};

// Writes all of bytes; false with *error set when the system refuses.
bool WriteAll(int fd, std::string_view bytes, int* error);

// Closes fd and reports a failure that only the close reveals.
bool CloseChecked(File file, int* error);

// The text of an error number ("No such file or directory").
std::string ErrorText(int error);

}  // namespace hygrian::chart
