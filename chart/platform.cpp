#include "chart/platform.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace hygrian::chart {

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ > kStandardError) ::close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

File::~File() {
  if (fd_ > kStandardError) ::close(fd_);
}

File OpenForReading(const std::string& path, int* error) {
  if (path == "-") return File(kStandardInput);
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) *error = errno;
  return File(fd);
}

File CreateForWriting(const std::string& path, int* error) {
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) *error = errno;
  return File(fd);
}

std::ptrdiff_t ReadSome(int fd, char* buffer, std::size_t size, int* error) {
  for (;;) {
    const ssize_t n = ::read(fd, buffer, size);
    if (n >= 0) return n;
    if (errno != EINTR) {
      *error = errno;
      return -1;
    }
  }
}

bool WriteAll(int fd, std::string_view bytes, int* error) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      *error = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool CloseChecked(File file, int* error) {
  const int fd = file.Release();
  if (fd <= kStandardError) return true;
  // After a failed close the descriptor is gone all the same; no retry.
  if (::close(fd) == 0) return true;
  *error = errno;
  return false;
}

std::string ErrorText(int error) { return std::strerror(error); }

}  // namespace hygrian::chart
