// Where a program's output goes: standard output, or a file that is replaced
// whole and only when the program says so, as a careful tool replaces one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/platform.h"

namespace hygrian::cli {

// An output named on the command line ("" or "-": standard output). A FILE is
// written the way the shell's `>` would allow, but never half where that can
// be done; Open decides how, before the program computes anything:
// - Open refuses what `>` would refuse, with its reason (EACCES "Permission
//   denied", EISDIR, ENOENT for a missing folder);
// - through a symbolic link, the file it ends at is replaced, and the link stays;
// - a regular file is written into a new file beside it, which takes the old
//   file's owner, group and mode, is synced to the disk and renamed over it by
//   Finish(true); Finish(false), SIGINT, SIGTERM and SIGHUP remove it and leave
//   the old file as it was;
// - the file itself is emptied and written, as `>` does, which is not atomic,
//   where a new file beside it could not stand in for it: it has more than one
//   name (hard links), the new file could not have its owner, group or mode
//   (another user's file in a group's folder), it is another user's in a sticky
//   folder (/tmp), or no file can be made beside it (a read-only folder);
// - a device or pipe (/dev/full, a FIFO) is written directly.
class OutputFile {
 public:
  OutputFile(Platform& platform, std::string_view name);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // A file left open is given up as by Finish(false).
  ~OutputFile();

  // 0, or the error number why the output cannot be written (nothing is changed).
  [[nodiscard]] int Open();
  // The descriptor to write to, once open.
  [[nodiscard]] int Descriptor() const { return fd_; }
  [[nodiscard]] bool IsStandardOutput() const { return standardOutput_; }
  // The name for messages: the one given, or "(standard output)".
  [[nodiscard]] std::string_view Name() const;
  // Ends the output: keep, and the new contents replace the file; otherwise the
  // file stays as it was (except when written in place). 0, or the error number
  // of the sync, close or rename that failed (then nothing is replaced).
  // Standard output is left open and gives 0.
  [[nodiscard]] int Finish(bool keep);

 private:
  // Opens a new file beside target_, with the owner, group and mode of the file
  // it replaces, if any: whether it did.
  bool OpenBeside(const FileFacts* replaced);
  // Opens target_ itself, emptied as `>` empties it (existing: its descriptor,
  // or -1): 0 or the error number.
  int OpenInPlace(int existing);

  Platform& platform_;
  std::string name_;
  std::string target_;     // name_ with its symbolic links followed
  std::string temporary_;  // the new file beside target_, or empty
  bool standardOutput_;
  int fd_ = -1;
};

// Whether `output` names one of `inputs` ("-": standard input; an empty or "-"
// output is standard output, never an input): by the same name, or as the same
// file however it is reached (a symbolic or hard link: one device and inode).
[[nodiscard]] bool OutputIsInput(Platform& platform, std::string_view output,
                                 const std::vector<std::string>& inputs);

}  // namespace hygrian::cli
