#include "console/console.h"

namespace hygrian {

Console::Console(Platform& p)
    : platform(p), sharedWithInput(p.IsTerminal(Stream::Input) && p.IsTerminal(Stream::Output)) {}

}  // namespace hygrian
