#include "web/memory_platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace hygrian::web {

MemoryPlatform::MemoryPlatform(std::map<std::string, std::string> files)
    : files_(std::move(files)) {
  open_[cli::kStandardInput] = {"-", 0};
}

int MemoryPlatform::OpenRead(const char* path, int* error) {
  if (files_.count(path) == 0) {
    *error = ENOENT;
    return -1;
  }
  const int fd = open_.rbegin()->first < 3 ? 3 : open_.rbegin()->first + 1;
  open_[fd] = {path, 0};
  return fd;
}

// The page writes only to standard output.
int MemoryPlatform::OpenWrite(const char* /*path*/, int* error) {
  *error = EACCES;
  return -1;
}

int MemoryPlatform::OpenExisting(const char* /*path*/, cli::FileFacts* /*facts*/, int* error) {
  *error = ENOENT;
  return -1;
}

int MemoryPlatform::CreateBeside(const char* /*path*/, unsigned /*mode*/,
                                 std::string* /*temporary*/, int* error) {
  *error = EACCES;
  return -1;
}

int MemoryPlatform::Rename(const char* /*from*/, const char* /*to*/) { return EACCES; }

std::ptrdiff_t MemoryPlatform::Read(int fd, char* buffer, std::size_t size, int* error) {
  const auto found = open_.find(fd);
  if (found == open_.end()) {
    *error = EBADF;
    return -1;
  }
  const std::string& text = files_[found->second.name];
  const std::size_t count = std::min(size, text.size() - found->second.offset);
  if (count > 0) std::memcpy(buffer, text.data() + found->second.offset, count);
  found->second.offset += count;
  return static_cast<std::ptrdiff_t>(count);
}

int MemoryPlatform::WriteAll(int fd, const char* data, std::size_t size) {
  if (fd == cli::kStandardOutput) {
    output_.append(data, size);
  } else if (fd == cli::kStandardError) {
    errors_.append(data, size);
  } else {
    return EBADF;
  }
  return 0;
}

std::optional<std::uint64_t> MemoryPlatform::RegularFileSize(int fd) {
  const auto found = open_.find(fd);
  if (found == open_.end()) return std::nullopt;
  return files_[found->second.name].size();
}

bool MemoryPlatform::SameFile(const char* first, int fd) {
  const auto found = open_.find(fd);
  return found != open_.end() && found->second.name == first;
}

bool MemoryPlatform::SameFile(const char* first, const char* second) {
  return std::strcmp(first, second) == 0 && files_.count(first) != 0;
}

}  // namespace hygrian::web
