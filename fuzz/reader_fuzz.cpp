// Feeds arbitrary bytes to the console reader and the two number parsers through
// the in-memory console. The first byte picks terminal or stream mode and the
// order of input statements; the rest is what the user typed.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "console/failure.h"
#include "console/input.h"
#include "console/numbers.h"
#include "tests/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  (void)hygrian::ParseInteger(text);
  (void)hygrian::ParseReal(text);

  hygrian::testing::FakePlatform platform;
  platform.inputTerminal = (mode & 1U) != 0;
  platform.outputTerminal = (mode & 2U) != 0;
  if (platform.inputTerminal) {
    platform.TypeLines(text);
  } else if (!text.empty()) {
    platform.reads.push_back({std::string(text)});
  }
  hygrian::Console console(platform);
  std::int32_t integer = 0;
  double first = 0.0;
  double second = 0.0;
  try {
    // Every statement consumes at least one line, so the end of input (and with
    // it ExitCalled) is reached after at most one statement per input byte.
    for (unsigned statement = mode >> 2U;; ++statement) {
      if (statement % 2 == 0) {
        hygrian::ReadInteger(console, integer);
      } else {
        hygrian::ReadReals(console, first, second);
      }
    }
  } catch (const hygrian::testing::ExitCalled&) {
  }
  return 0;
}
