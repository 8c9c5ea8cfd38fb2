#include "cli/output_file.h"

#include <cerrno>

#include "cli/input.h"

namespace hygrian::cli {

namespace {

// A new file is made as `>` makes one; a replacement is its owner's alone until
// it has the old file's mode.
constexpr unsigned kNewFileMode = 0666;
constexpr unsigned kReplacementMode = 0600;

}  // namespace

OutputFile::OutputFile(Platform& platform, std::string_view name)
    : platform_(platform), name_(name), standardOutput_(name.empty() || name == "-") {}

OutputFile::~OutputFile() {
  if (fd_ >= 0) (void)Finish(false);
}

std::string_view OutputFile::Name() const {
  return standardOutput_ ? kStandardOutputName : std::string_view(name_);
}

int OutputFile::Open() {
  if (standardOutput_) {
    fd_ = kStandardOutput;
    return 0;
  }
  target_ = platform_.LinkTarget(name_.c_str());
  FileFacts facts;
  int error = 0;
  // Opening the file as it is asks the question `>` would: may this user write it?
  const int existing = platform_.OpenExisting(target_.c_str(), &facts, &error);
  if (existing < 0 && error != ENOENT) return error;
  if (existing >= 0 && !facts.regular) {
    fd_ = existing;
    return 0;
  }
  // A new file renamed over it would leave its other names with the old
  // contents, or fail at the end in a sticky folder: written in place instead.
  if (existing >= 0 && (facts.links > 1 || facts.stickyOther)) return OpenInPlace(existing);
  if (OpenBeside(existing >= 0 ? &facts : nullptr)) {
    if (existing >= 0) (void)platform_.Close(existing);
    return 0;
  }
  return OpenInPlace(existing);
}

bool OutputFile::OpenBeside(const FileFacts* replaced) {
  int error = 0;
  const int fd = platform_.CreateBeside(
      target_.c_str(), replaced != nullptr ? kReplacementMode : kNewFileMode, &temporary_, &error);
  if (fd < 0) return false;
  platform_.RemoveOnSignal(temporary_.c_str());
  // A replacement that cannot have the old file's owner, group and mode would
  // take it from its owner or show its contents to others: the file is written
  // in place instead.
  if (replaced != nullptr && platform_.MatchFile(fd, *replaced) != 0) {
    (void)platform_.Close(fd);
    platform_.Remove(temporary_.c_str());
    platform_.RemoveOnSignal(nullptr);
    temporary_.clear();
    return false;
  }
  fd_ = fd;
  return true;
}

int OutputFile::OpenInPlace(int existing) {
  int error = 0;
  if (existing < 0) {
    // No file beside it and none to write over: `>` creates it, or says why not.
    fd_ = platform_.OpenWrite(target_.c_str(), &error);
    return fd_ < 0 ? error : 0;
  }
  error = platform_.Truncate(existing);
  if (error != 0) {
    (void)platform_.Close(existing);
    return error;
  }
  fd_ = existing;
  return 0;
}

int OutputFile::Finish(bool keep) {
  if (standardOutput_ || fd_ < 0) return 0;
  const bool replacing = !temporary_.empty();
  int error = replacing && keep ? platform_.Sync(fd_) : 0;
  const int closeError = platform_.Close(fd_);
  fd_ = -1;
  if (error == 0) error = closeError;
  if (replacing) {
    if (keep && error == 0) error = platform_.Rename(temporary_.c_str(), target_.c_str());
    if (!keep || error != 0) platform_.Remove(temporary_.c_str());
    platform_.RemoveOnSignal(nullptr);
    temporary_.clear();
  }
  return error;
}

bool OutputIsInput(Platform& platform, std::string_view output,
                   const std::vector<std::string>& inputs) {
  if (output.empty() || output == "-") return false;
  const std::string path(output);
  for (const std::string& input : inputs) {
    if (input == "-" ? platform.SameFile(path.c_str(), kStandardInput)
                     : input == output || platform.SameFile(path.c_str(), input.c_str())) {
      return true;
    }
  }
  return false;
}

}  // namespace hygrian::cli
