// An in-memory system for the command-line programs: named input files and
// standard input as strings, read in chunks of a chosen size; standard output,
// standard error and written files captured; failures scripted by errno.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cli/platform.h"

namespace hygrian::testing {

class FakeCliPlatform final : public cli::Platform {
 public:
  struct File {
    std::string bytes;
    int errorAtEnd = 0;  // a read at the end fails with this instead of ending
  };

  std::map<std::string, File> files;   // by path; standard input is "-"
  std::size_t readChunk = SIZE_MAX;    // most bytes one read returns
  std::map<int, std::string> written;  // by descriptor: 1, 2, then opened files
  int outputError = 0;                 // writes to standard output fail with it
  int closeError = 0;                  // closing an opened file fails with it
  bool errorTerminal = false;
  std::optional<int> terminalColumns;  // the width of that terminal, if it says
  std::vector<std::pair<std::string, std::string>> renamed;  // from, to
  std::vector<std::string> removed;

  int OpenRead(const char* path, int* error) override {
    const auto file = files.find(path);
    if (file == files.end()) {
      *error = ENOENT;
      return -1;
    }
    return Open(path);
  }
  int OpenWrite(const char* path, int* /*error*/) override { return Open(path); }
  int OpenReplacement(const char* path, std::string* temporary, int* /*error*/) override {
    *temporary = std::string(path) + ".tmp";
    return Open(temporary->c_str());
  }
  int Rename(const char* from, const char* to) override {
    renamed.emplace_back(from, to);
    return 0;
  }
  void Remove(const char* path) override { removed.emplace_back(path); }
  int Close(int fd) override {
    open_.erase(fd);
    return closeError;
  }

  std::ptrdiff_t Read(int fd, char* buffer, std::size_t size, int* error) override {
    Reading& reading = fd == cli::kStandardInput ? input_ : open_.at(fd);
    const File& file = files[reading.path];
    if (reading.offset == file.bytes.size() && file.errorAtEnd != 0) {
      *error = file.errorAtEnd;
      return -1;
    }
    const std::size_t count = std::min({size, readChunk, file.bytes.size() - reading.offset});
    std::copy_n(file.bytes.data() + reading.offset, count, buffer);
    reading.offset += count;
    return static_cast<std::ptrdiff_t>(count);
  }

  int WriteAll(int fd, const char* data, std::size_t size) override {
    if (fd == cli::kStandardOutput && outputError != 0) return outputError;
    written[fd].append(data, size);
    return 0;
  }
  bool IsTerminal(int fd) override { return fd == cli::kStandardError && errorTerminal; }
  std::optional<int> TerminalColumns(int fd) override {
    return IsTerminal(fd) ? terminalColumns : std::nullopt;
  }
  std::optional<std::uint64_t> RegularFileSize(int fd) override {
    if (fd == cli::kStandardInput) return std::nullopt;
    return files[open_.at(fd).path].bytes.size();
  }
  bool SameFile(const char* /*path*/, int /*fd*/) override { return false; }
  bool SameFile(const char* first, const char* second) override {
    return std::strcmp(first, second) == 0;
  }
  bool SameFile(int first, int second) override { return first == second; }
  std::uint64_t Now() override { return clock_ += 30'000'000; }  // 30 ms a reading

 private:
  struct Reading {
    std::string path;
    std::size_t offset = 0;
  };
  int Open(const char* path) {
    open_[next_] = Reading{path, 0};
    return next_++;
  }

  std::map<int, Reading> open_;
  Reading input_{"-", 0};
  int next_ = 3;
  std::uint64_t clock_ = 0;
};

}  // namespace hygrian::testing
