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
  // Output files: the existing ones an output replaces, symbolic links (path to
  // where they point), paths the user may not write (the error number), a
  // folder where no file can be made beside an output, scripted failures, and
  // what was done to them in order ("create out.csv.tmp 0600", "sync", ...).
  std::map<std::string, cli::FileFacts> existing;
  std::map<std::string, std::string> links;
  std::map<std::string, int> refused;
  int besideError = 0;
  int matchError = 0;
  int syncError = 0;
  int fileWriteError = 0;  // writes to opened files fail with it
  std::vector<std::string> events;

  int OpenRead(const char* path, int* error) override {
    const auto file = files.find(path);
    if (file == files.end()) {
      *error = ENOENT;
      return -1;
    }
    return Open(path);
  }
  int OpenWrite(const char* path, int* error) override {
    if (const auto refusal = refused.find(path); refusal != refused.end()) {
      *error = refusal->second;
      return -1;
    }
    events.push_back(std::string("open-write ") + path);
    return Open(path);
  }
  int OpenExisting(const char* path, cli::FileFacts* facts, int* error) override {
    const auto file = existing.find(path);
    const auto refusal = refused.find(path);
    *error = file == existing.end() ? ENOENT : refusal != refused.end() ? refusal->second : 0;
    if (*error != 0) return -1;
    *facts = file->second;
    events.push_back(std::string("open ") + path);
    return Open(path);
  }
  std::string LinkTarget(const char* path) override {
    std::string target = path;
    for (auto link = links.find(target); link != links.end(); link = links.find(target)) {
      target = link->second;
    }
    return target;
  }
  int CreateBeside(const char* path, unsigned mode, std::string* temporary, int* error) override {
    if (besideError != 0) {
      *error = besideError;
      return -1;
    }
    *temporary = std::string(path) + ".tmp";
    events.push_back("create " + *temporary + " " + Octal(mode));
    return Open(temporary->c_str());
  }
  int MatchFile(int /*fd*/, const cli::FileFacts& facts) override {
    events.push_back("match " + Octal(facts.mode) + " " + std::to_string(facts.owner) + ":" +
                     std::to_string(facts.group));
    return matchError;
  }
  int Truncate(int fd) override {
    events.push_back("truncate " + open_.at(fd).path);
    return 0;
  }
  int Sync(int fd) override {
    events.push_back("sync " + open_.at(fd).path);
    return syncError;
  }
  void RemoveOnSignal(const char* path) override {
    events.push_back(std::string("on-signal ") + (path == nullptr ? "none" : path));
  }
  int Rename(const char* from, const char* to) override {
    renamed.emplace_back(from, to);
    events.push_back(std::string("rename ") + from + " " + to);
    return 0;
  }
  void Remove(const char* path) override {
    removed.emplace_back(path);
    events.push_back(std::string("remove ") + path);
  }
  int Close(int fd) override {
    events.push_back("close " + open_.at(fd).path);
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
    if (fd > cli::kStandardError && fileWriteError != 0) return fileWriteError;
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
  std::string Today() override { return "2026-12-09"; }

 private:
  struct Reading {
    std::string path;
    std::size_t offset = 0;
  };
  static std::string Octal(unsigned mode) {
    std::string text;
    for (int shift = 9; shift >= 0; shift -= 3) {
      text += static_cast<char>('0' + ((mode >> shift) & 7U));
    }
    return text;
  }
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
