// How the built program ends when something fails: math-function errors and
// arithmetic traps in the relations, failed console writes, and the failures
// that are deliberately not reported (underflow, a vanished reader).
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/calculator_e2e.h"

namespace hygrian::e2e {
namespace {

constexpr std::string_view kOneNormalPass = "1\n25 20\n2\n";

constexpr Fields kDryWet25And20{" 25.00",      " 20.00",    " 17.56", "63.48", "  57.22",
                                "  .1260E-01", "    .6274", "  .862", " 2.012"};

// --- Failures inside a computation -----------------------------------------

struct MathRow {
  std::string_view name;
  std::string_view typed;
  std::string_view prompt;  // the prompt of the chosen case
  std::string report;
};

void PrintTo(const MathRow& row, std::ostream* os) { *os << row.name; }

std::vector<MathRow> MathRows() {
  const std::string logDomain = MathError("M6201", "log: DOMAIN error");
  return {
      // Relative humidity 0: zero vapour pressure reaches the dew-point logarithm.
      {"LogOfZeroVaporPressure", "3\n25 0\n", kPromptDryRh, MathError("M6202", "log: SING error")},
      // Negative humidity ratio from a large wet-bulb depression.
      {"LogOfNegativeVaporPressure", "1\n25 5\n", kPromptDryWet, logDomain},
      {"LogOfNegativeRelativeHumidity", "3\n25 -10\n", kPromptDryRh, logDomain},
      // An absolute temperature below zero in the ice relation.
      {"LogOfNegativeAbsoluteTemperature", "1\n-300 20\n", kPromptDryWet, logDomain},
      {"ExponentialOverflow", "1\n10000 20\n", kPromptDryWet,
       MathError("M6203", "exp: OVERFLOW error")},
      // T to the fourth exceeds the double range.
      {"PowerOverflow", "1\n1E78 20\n", kPromptDryWet, MathError("M6203", "**: OVERFLOW error")},
      // An absolute temperature of exactly zero: the ice relation divides by T
      // before it takes ln T.
      {"DivideByZeroAbsoluteTemperature", "1\n-273.1600036621094 20\n", kPromptDryWet,
       MathError("M6103", "floating-point error: divide by zero")},
      // Saturation at the dry-bulb temperature underflows to zero, so the degree
      // of saturation divides a positive humidity ratio by zero ...
      {"DivideByZero", "2\n-268 0\n", kPromptDryDew,
       MathError("M6103", "floating-point error: divide by zero")},
      // ... and with the vapour pressure a fraction of that zero, zero by zero.
      {"ZeroByZero", "3\n-268 50\n", kPromptDryRh,
       MathError("M6101", "floating-point error: invalid")},
  };
}

class MathFailureTest : public ::testing::TestWithParam<MathRow> {};

// The values line has been read to its end before the computation fails, so at a
// terminal the line is closed already; through pipes the exit routine closes it.
// Either way no results block appears.
TEST_P(MathFailureTest, ThroughPipes) {
  const MathRow& row = GetParam();
  ExpectRun(RunWithPipes(row.typed),
            Introduction() + std::string(row.prompt) + std::string(kEndOfRunOpenLine), row.report,
            1);
}

TEST_P(MathFailureTest, AtTerminal) {
  const MathRow& row = GetParam();
  ExpectRun(RunInPty(row.typed), Introduction() + std::string(row.prompt) + "\r\n", row.report, 1);
}

INSTANTIATE_TEST_SUITE_P(Failure, MathFailureTest, ::testing::ValuesIn(MathRows()), RowName());

// A dew point of -266 makes the saturation pressure underflow to zero: silent,
// and the search still finds a wet-bulb temperature. The dew point itself is too
// wide for its field.
TEST(Underflow, IsNotReported) {
  constexpr Fields kDryDew25AndMinus266{" 25.00",      "  8.27",    "******", "  .00", "  25.15",
                                        "  .0000E+00", "    .0000", "  .845", "  .000"};
  const std::string body =
      Introduction() + std::string(kPromptDryDew) + Results(kDryDew25AndMinus266);
  ExpectRun(RunWithPipes("2\n25 -266\n2\n"), body + std::string(kStopRedirected), "", 0);
  ExpectRun(RunInPty("2\n25 -266\n2\n"), body + std::string(kStopAtTerminal), "", 0);
}

// --- A console interrupt --------------------------------------------------------

// Ctrl-C while the program waits for the menu choice: the platform's default
// action ends it, with no report, no stop message and no closing CR LF.
TEST(Interrupt, CtrlCAtMenuEndsWithoutAnyClosingOutput) {
  const std::string waiting = Introduction() + "\r\n";
  ExpectRun(RunAtTerminal("\x03", Terminal::InputAndOutput, waiting), waiting, "", -SIGINT);
}

// --- Standard output that cannot be written ---------------------------------

TEST(FailedWrite, DeviceFull) {
  Fd full(::open("/dev/full", O_WRONLY | O_CLOEXEC));
  ASSERT_TRUE(full.open());
  ExpectRun(RunWithStdout(kOneNormalPass, full.get()), "",
            WriteError("F6422", "no space left on device"), 1);
}

// A memory file sealed against writing refuses every write with EPERM.
TEST(FailedWrite, SealedAgainstWriting) {
  Fd sealed(::memfd_create("hygrian-sealed", MFD_CLOEXEC | MFD_ALLOW_SEALING));
  ASSERT_TRUE(sealed.open());
  ASSERT_EQ(::fcntl(sealed.get(), F_ADD_SEALS, F_SEAL_WRITE), 0);
  ExpectRun(RunWithStdout(kOneNormalPass, sealed.get()), "",
            WriteError("F6421", "file read-only or locked against writing"), 1);
}

// A closed pipe is no reportable failure: the records are lost and the dialogue
// runs on to its normal end.
TEST(FailedWrite, ReaderGoneIsIgnored) {
  PipeFds out = MakePipe();
  out.read.Close();
  ExpectRun(RunWithStdout(kOneNormalPass, out.write.get()), "", "", 0);
}

TEST(FailedWrite, ReaderGoneIsIgnoredAcrossManyPasses) {
  PipeFds out = MakePipe();
  out.read.Close();
  ExpectRun(RunWithStdout("1\n25 20\n1\n2\n25 15\n1\n3\n25 50\n2\n", out.write.get()), "", "", 0);
}

// A regular file gets the same bytes as a pipe.
TEST(Redirection, ToRegularFile) {
  Fd file(::memfd_create("hygrian-out", MFD_CLOEXEC));
  ASSERT_TRUE(file.open());
  ExpectRun(RunWithStdout(kOneNormalPass, file.get()), "", "", 0);
  std::string written;
  std::array<char, 4096> buffer{};
  off_t offset = 0;
  for (;;) {
    const ssize_t n = ::pread(file.get(), buffer.data(), buffer.size(), offset);
    if (n <= 0) break;
    written.append(buffer.data(), static_cast<std::size_t>(n));
    offset += n;
  }
  EXPECT_EQ(Visible(written), Visible(Introduction() + std::string(kPromptDryWet) +
                                      Results(kDryWet25And20) + std::string(kStopRedirected)));
}

}  // namespace
}  // namespace hygrian::e2e
