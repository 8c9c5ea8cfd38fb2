#include "cli/input.h"

namespace hygrian::cli {

Input::Input(Platform& platform, const std::string& name) : platform_(platform), name_(name) {
  if (name == "-") {
    name_ = kStandardInputName;
    return;
  }
  fd_ = platform_.OpenRead(name.c_str(), &openError_);
}

Input::~Input() {
  // Nothing more is read, so a failed close loses nothing.
  if (fd_ > kStandardInput) (void)platform_.Close(fd_);
}

}  // namespace hygrian::cli
