// An in-memory byte source for the table reader's tests: the bytes in chunks of
// a chosen size, then perhaps a read error.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "tables/csv.h"

namespace hygrian::testing {

class StringSource final : public tables::ByteSource {
 public:
  explicit StringSource(std::string bytes, std::size_t chunk = SIZE_MAX, int errorAtEnd = 0)
      : bytes_(std::move(bytes)), chunk_(chunk), errorAtEnd_(errorAtEnd) {}

  std::ptrdiff_t Read(char* buffer, std::size_t size, int* error) override {
    if (offset_ == bytes_.size() && errorAtEnd_ != 0) {
      *error = errorAtEnd_;
      return -1;
    }
    const std::size_t count = std::min({size, chunk_, bytes_.size() - offset_});
    std::memcpy(buffer, bytes_.data() + offset_, count);
    offset_ += count;
    return static_cast<std::ptrdiff_t>(count);
  }

 private:
  std::string bytes_;
  std::size_t offset_ = 0;
  std::size_t chunk_;
  int errorAtEnd_;
};

}  // namespace hygrian::testing
