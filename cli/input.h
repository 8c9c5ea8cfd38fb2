// An input named on the command line, as the table reader's byte source: a file,
// or standard input for "-". A file is opened when the input is made and closed
// when it goes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/platform.h"
#include "tables/csv.h"

namespace hygrian::cli {

// How messages name standard input and standard output.
inline constexpr std::string_view kStandardInputName = "(standard input)";
inline constexpr std::string_view kStandardOutputName = "(standard output)";

class Input final : public tables::ByteSource {
 public:
  // Opens name ("-": standard input), which must outlive the input; Opened()
  // says whether that worked.
  Input(Platform& platform, const std::string& name);
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;
  ~Input() override;

  [[nodiscard]] bool Opened() const { return fd_ >= 0; }
  // Why the file could not be opened, as an error number.
  [[nodiscard]] int OpenError() const { return openError_; }
  [[nodiscard]] int Descriptor() const { return fd_; }
  // The name for messages: the file's, or "(standard input)".
  [[nodiscard]] std::string_view Name() const { return name_; }

  std::ptrdiff_t Read(char* buffer, std::size_t size, int* error) override {
    return platform_.Read(fd_, buffer, size, error);
  }

 private:
  Platform& platform_;
  std::string_view name_;
  int fd_ = kStandardInput;
  int openError_ = 0;
};

}  // namespace hygrian::cli
