// Standard error of a command-line program: "PROGRAM: FILE:LINE: reason" messages
// gathered and written in blocks, and a one-line progress display at a terminal,
// erased before messages are written and drawn again after them. The display
// fits the terminal's width: the file's name is cut at its front ("...s/in.csv"),
// or left out, so that the figures stay whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/platform.h"

namespace hygrian::cli {

class Messages {
 public:
  // program names the messages ("hygrian-batch"); quiet drops the messages about
  // rows and the progress display.
  Messages(Platform& platform, std::string_view program, bool quiet);

  // "PROGRAM: FILE:LINE: reason" for a row that is left out, unless quiet.
  void Row(std::string_view file, std::uint64_t line, std::string_view reason) {
    if (!quiet_) Line(file, line, reason);
  }
  // "PROGRAM: text", such as the summary at the end of a run.
  void Note(std::string_view text);
  // "PROGRAM: FILE:LINE: message" (line 0: "PROGRAM: FILE: message").
  void Line(std::string_view file, std::uint64_t line, std::string_view message);

  // A display for one input of `size` bytes, when standard error is a terminal.
  void StartProgress(std::string_view file, std::uint64_t size);
  // Called every row; reads the clock every kRowsBetweenClockReads rows.
  void Tick(std::uint64_t bytes, std::uint64_t rows) {
    if (progressOn_ && rows % kRowsBetweenClockReads == 0) Redraw(bytes, rows);
  }
  void EndProgress();

  // Writes what is gathered, with the display after it.
  void Flush();

 private:
  static constexpr std::uint64_t kRowsBetweenClockReads = 1024;
  void Redraw(std::uint64_t bytes, std::uint64_t rows);

  Platform& platform_;
  std::string_view program_;
  bool quiet_;
  std::string pending_;
  std::string frame_;
  std::string progressLine_;
  std::string progressFile_;
  std::uint64_t progressSize_ = 0;
  std::uint64_t start_ = 0;
  std::uint64_t lastDraw_ = 0;
  bool progressOn_ = false;
  bool shown_ = false;
};

}  // namespace hygrian::cli
