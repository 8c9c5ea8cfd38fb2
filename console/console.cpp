#include "console/console.h"

namespace hygrian {
namespace {

void CloseOpenLine(Console& console) {
  if (console.lineOpen) console.platform.Write(Stream::Output, kLineEnd);
}

}  // namespace

Console::Console(Platform& p)
    : platform(p), sharedWithInput(p.IsTerminal(Stream::Input) && p.IsTerminal(Stream::Output)) {}

void CloseLineAtStop(Console& console) { CloseOpenLine(console); }

void CloseLineAtExit(Console& console) { CloseOpenLine(console); }

}  // namespace hygrian
