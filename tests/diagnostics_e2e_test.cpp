// The DIAGNOSTICS section of hygrian(1) against the built program: each entry's
// report number and message are exactly what the program writes on standard
// error for a case of that kind, and every entry has such a case.
#include <fcntl.h>
#include <sys/mman.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/calculator_e2e.h"

#ifndef HYGRIAN_MANUAL
#error "HYGRIAN_MANUAL must name man/hygrian.1"
#endif

namespace hygrian::e2e {
namespace {

// One entry of the section: report number and message, as the page shows them
// with roff's escapes removed.
struct Documented {
  std::string number;
  std::string message;
};

// The entries under ".SH DIAGNOSTICS", in order: each is a ".B" line holding the
// number and the message.
std::vector<Documented> DiagnosticsEntries() {
  const std::string page = ReadFile(HYGRIAN_MANUAL);
  std::vector<Documented> entries;
  std::size_t at = page.find("\n.SH DIAGNOSTICS\n");
  EXPECT_NE(at, std::string::npos) << "hygrian(1) has no DIAGNOSTICS section";
  const std::size_t end = page.find("\n.SH ", at + 1);
  while (at != std::string::npos && (at = page.find("\n.B ", at + 1)) < end) {
    const std::string line = page.substr(at + 4, page.find('\n', at + 1) - at - 4);
    const std::string number = line.substr(0, line.find(' '));
    if (number.size() != 5 || (number[0] != 'F' && number[0] != 'M')) continue;  // other bold
    std::string message;
    for (std::size_t i = number.size() + 1; i < line.size(); ++i) {
      if (line[i] == '\\') ++i;  // \- is a plain minus
      message += line[i];
    }
    entries.push_back({number, message});
  }
  return entries;
}

// Where the failing case runs.
enum class Channel {
  Pipes,           // standard input, output and error pipes
  Terminal,        // typed at a terminal that is also standard output
  FullOutput,      // standard output /dev/full
  SealedOutput,    // standard output a memory file sealed against writing
  DirectoryInput,  // standard input a directory
};

struct ReportRow {
  std::string_view name;
  std::string_view number;
  int occurrence;         // which of the entries with this number (from 0)
  std::string_view unit;  // READ(CON), WRITE(CON) or MATH
  Channel channel;
  std::string_view typed;
};

void PrintTo(const ReportRow& row, std::ostream* os) { *os << row.name; }

// A typed line of 132 characters, one more than a terminal read holds.
const std::string kLineOf132 = "1" + std::string(131, ' ') + "\n";

// A case for each entry, with the page's own examples where it gives one.
const ReportRow kReports[] = {
    {"IntegerOverflow", "F6100", 0, "READ(CON)", Channel::Pipes, "2147483648\n"},
    {"InvalidInteger", "F6101", 0, "READ(CON)", Channel::Pipes, "abc\n"},
    {"RealAtMenu", "F6101", 0, "READ(CON)", Channel::Pipes, "1.0\n"},
    {"DigitOutsideRadix", "F6101", 0, "READ(CON)", Channel::Pipes, "2#102\n"},
    {"RealBeyondRange", "F6102", 0, "READ(CON)", Channel::Pipes, "1\n1E400 2\n"},
    {"LettersForReal", "F6103", 0, "READ(CON)", Channel::Pipes, "1\n25 ABC\n"},
    {"ExponentWithoutDigits", "F6103", 0, "READ(CON)", Channel::Pipes, "1\n25 1E\n"},
    {"MultipleRadix", "F6302", 0, "READ(CON)", Channel::Pipes, "16#1#2\n"},
    {"IllegalRadix", "F6303", 0, "READ(CON)", Channel::Pipes, "1#0\n"},
    {"TerminalBufferOverflow", "F6407", 0, "READ(CON)", Channel::Terminal, kLineOf132},
    {"ReadOnlyOutput", "F6421", 0, "WRITE(CON)", Channel::SealedOutput, "1\n25 20\n2\n"},
    {"FullOutput", "F6422", 0, "WRITE(CON)", Channel::FullOutput, "1\n25 20\n2\n"},
    {"InputNotReadable", "F6500", 0, "READ(CON)", Channel::DirectoryInput, ""},
    {"EndOfFile", "F6501", 0, "READ(CON)", Channel::Pipes, "1\n25\n"},
    {"ZeroRepeatCount", "F6502", 0, "READ(CON)", Channel::Pipes, "0*5\n"},
    {"MissingRepeatCount", "F6502", 0, "READ(CON)", Channel::Pipes, "*5\n"},
    {"MultipleRepeat", "F6503", 0, "READ(CON)", Channel::Pipes, "2*3*4\n"},
    {"ParenthesisedPair", "F6504", 0, "READ(CON)", Channel::Pipes, "1\n(1,2) 3\n"},
    {"QuotedValue", "F6504", 0, "READ(CON)", Channel::Pipes, "1\n'25' 20\n"},
    {"ZeroByZero", "M6101", 0, "MATH", Channel::Pipes, "3\n-268 50\n"},
    {"AbsoluteZero", "M6103", 0, "MATH", Channel::Pipes, "1\n-273.1600036621094 20\n"},
    // Saturation at the dry-bulb just above underflow: the degree of saturation
    // divides by a number so small that the quotient exceeds the double range.
    {"DegreeOfSaturationOverflow", "M6104", 0, "MATH", Channel::Pipes, "2\n-264.9 50\n"},
    {"NegativeVaporPressure", "M6201", 0, "MATH", Channel::Pipes, "1\n25 5\n"},
    {"NegativeRelativeHumidity", "M6201", 0, "MATH", Channel::Pipes, "3\n25 -10\n"},
    {"ZeroVaporPressure", "M6202", 0, "MATH", Channel::Pipes, "3\n25 0\n"},
    {"DewPointOf1500", "M6203", 0, "MATH", Channel::Pipes, "2\n25 1500\n"},
    {"FourthPowerOverflow", "M6203", 1, "MATH", Channel::Pipes, "1\n1E78 20\n"},
};

RunResult RunOn(const ReportRow& row) {
  Invocation how;
  how.input = row.typed;
  Fd output;
  switch (row.channel) {
    case Channel::Pipes:
      break;
    case Channel::Terminal:
      return Run(kCalculator, how, Terminal::InputAndOutput);
    case Channel::FullOutput:
      output = Fd(::open("/dev/full", O_WRONLY | O_CLOEXEC));
      break;
    case Channel::SealedOutput:
      output = Fd(::memfd_create("hygrian-sealed", MFD_CLOEXEC | MFD_ALLOW_SEALING));
      EXPECT_EQ(::fcntl(output.get(), F_ADD_SEALS, F_SEAL_WRITE), 0);
      break;
    case Channel::DirectoryInput:
      how.inputFile = "/";
      break;
  }
  how.stdoutFd = output.get();
  return Run(kCalculator, how);
}

class Diagnostics : public ::testing::TestWithParam<ReportRow> {};

TEST_P(Diagnostics, ReportIsThePagesEntry) {
  const ReportRow& row = GetParam();
  const std::vector<Documented> entries = DiagnosticsEntries();
  const Documented* documented = nullptr;
  int seen = 0;
  for (const Documented& entry : entries) {
    if (entry.number == row.number && seen++ == row.occurrence) documented = &entry;
  }
  ASSERT_NE(documented, nullptr) << "hygrian(1) has no entry " << row.number;
  const RunResult run = RunOn(row);
  EXPECT_EQ(Visible(run.err),
            Visible("\r\nrun-time error " + documented->number + ": " + std::string(row.unit) +
                    "\r\n- " + documented->message + "\r\n"));
  EXPECT_EQ(run.status, 1);
}

INSTANTIATE_TEST_SUITE_P(Manual, Diagnostics, ::testing::ValuesIn(kReports), RowName());

// Every entry of the section has a case above, so none goes unchecked.
TEST(DiagnosticsSection, EveryEntryHasACase) {
  const std::vector<Documented> entries = DiagnosticsEntries();
  EXPECT_EQ(entries.size(), 21U);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    int occurrence = 0;
    for (std::size_t j = 0; j < i; ++j) {
      occurrence += entries[j].number == entries[i].number ? 1 : 0;
    }
    bool found = false;
    for (const ReportRow& row : kReports) {
      found = found || (row.number == entries[i].number && row.occurrence == occurrence);
    }
    EXPECT_TRUE(found) << entries[i].number << " " << entries[i].message;
  }
}

}  // namespace
}  // namespace hygrian::e2e
