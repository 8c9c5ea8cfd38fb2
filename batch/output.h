// A large write buffer over one descriptor: rows are formatted straight into it
// and it reaches the descriptor in big writes. A failed write is remembered, not
// thrown; the caller asks after each row and stops. Without a descriptor it is
// a buffer in memory that grows (a chunk's rows, formatted on a worker thread).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "cli/platform.h"

namespace hygrian::batch {

class Output {
 public:
  enum class State {
    Open,    // every byte so far written or buffered
    Closed,  // the reader of the pipe has gone (EPIPE)
    Failed,  // a write failed; ErrorNumber() says why
  };

  Output(cli::Platform& platform, int fd, std::size_t capacity) noexcept
      : platform_(&platform), fd_(fd), buffer_(capacity) {}
  // In memory only.
  explicit Output(std::size_t capacity) : buffer_(capacity) {}

  // At least size free bytes to format into, flushing (or growing, for a row
  // larger than the buffer) first. Once writes have failed, the bytes go nowhere.
  [[nodiscard]] char* Room(std::size_t size) {
    lastRoom_ = size;
    if (buffer_.size() - used_ < size) MakeRoom(size);
    return buffer_.data() + used_;
  }
  // Takes the bytes formatted into Room up to end.
  void Commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
  void Append(std::string_view text);

  // Writes what is buffered; false once writes have failed.
  bool Flush();
  [[nodiscard]] State CurrentState() const { return state_; }
  // The error number of the failed write.
  [[nodiscard]] int ErrorNumber() const { return error_; }

  // The bytes buffered, the room that Room may give without a flush, and the
  // size the last Room asked for.
  [[nodiscard]] std::string_view Buffered() const { return {buffer_.data(), used_}; }
  [[nodiscard]] std::size_t Free() const { return buffer_.size() - used_; }
  [[nodiscard]] std::size_t LastRoom() const { return lastRoom_; }
  // Drops what is buffered (in memory).
  void Clear() { used_ = 0; }

 private:
  void MakeRoom(std::size_t size);

  cli::Platform* platform_ = nullptr;  // none: in memory
  int fd_ = -1;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  std::size_t lastRoom_ = 0;
  State state_ = State::Open;
  int error_ = 0;
};

}  // namespace hygrian::batch
