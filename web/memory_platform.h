// The command-line programs' platform in memory, for the browser page: files
// are named texts, standard input is one of them ("-"), and what the program
// writes to standard output and standard error is kept. Nothing is opened for
// writing but the standard outputs.
#pragma once

#include <map>
#include <string>

#include "cli/platform.h"

namespace hygrian::web {

class MemoryPlatform final : public cli::Platform {
 public:
  // files: name to contents; standard input is files["-"] (empty if absent).
  explicit MemoryPlatform(std::map<std::string, std::string> files);

  const std::string& Output() const { return output_; }
  const std::string& Errors() const { return errors_; }

  int OpenRead(const char* path, int* error) override;
  int OpenWrite(const char* path, int* error) override;
  int OpenExisting(const char* path, cli::FileFacts* facts, int* error) override;
  std::string LinkTarget(const char* path) override { return path; }
  int CreateBeside(const char* path, unsigned mode, std::string* temporary, int* error) override;
  int MatchFile(int /*fd*/, const cli::FileFacts& /*facts*/) override { return 0; }
  int Truncate(int /*fd*/) override { return 0; }
  int Sync(int /*fd*/) override { return 0; }
  void RemoveOnSignal(const char* /*path*/) override {}
  int Rename(const char* from, const char* to) override;
  void Remove(const char* /*path*/) override {}
  int Close(int /*fd*/) override { return 0; }
  std::ptrdiff_t Read(int fd, char* buffer, std::size_t size, int* error) override;
  int WriteAll(int fd, const char* data, std::size_t size) override;
  bool IsTerminal(int /*fd*/) override { return false; }
  std::optional<int> TerminalColumns(int /*fd*/) override { return std::nullopt; }
  std::optional<std::uint64_t> RegularFileSize(int fd) override;
  bool SameFile(const char* first, int fd) override;
  bool SameFile(const char* first, const char* second) override;
  bool SameFile(int first, int second) override { return first == second; }
  std::uint64_t Now() override { return 0; }
  std::string Today() override { return ""; }  // the page gives its own

 private:
  struct Open {
    std::string name;
    std::size_t offset = 0;
  };
  std::map<std::string, std::string> files_;
  std::map<int, Open> open_;  // descriptor to file, from 3 on; 0 is "-"
  std::string output_;
  std::string errors_;
};

}  // namespace hygrian::web
