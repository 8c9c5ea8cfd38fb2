#include "batch/output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace hygrian::batch {

void Output::MakeRoom(std::size_t size) {
  if (platform_ == nullptr) {
    buffer_.resize(std::max(2 * buffer_.size(), used_ + size));
    return;
  }
  Flush();
  if (buffer_.size() < size) buffer_.resize(size);
}

void Output::Append(std::string_view text) {
  char* out = Room(text.size());
  // An empty view may hold a null pointer, which memcpy may not be given.
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  Commit(out + text.size());
}

bool Output::Flush() {
  if (state_ == State::Open && used_ > 0 && platform_ != nullptr) {
    const int error = platform_->WriteAll(fd_, buffer_.data(), used_);
    if (error == EPIPE) {
      state_ = State::Closed;
    } else if (error != 0) {
      state_ = State::Failed;
      error_ = error;
    }
  }
  used_ = 0;
  return state_ == State::Open;
}

}  // namespace hygrian::batch
