// README's Errors table against the built program: each row's report number and
// message are exactly what the program writes on standard error for a case of
// that kind, and every row of the table has such a case.
#include <fcntl.h>
#include <sys/mman.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/calculator_e2e.h"

#ifndef HYGRIAN_README
#error "HYGRIAN_README must name README.md"
#endif

namespace hygrian::e2e {
namespace {

// One row of the table: report number and message, as README shows them with
// Markdown's escapes removed.
struct Documented {
  std::string number;
  std::string message;
};

// The rows of the table under "## Errors", in order.
std::vector<Documented> ErrorsTable() {
  const std::string readme = ReadFile(HYGRIAN_README);
  std::vector<Documented> rows;
  std::size_t at = readme.find("\n## Errors\n");
  EXPECT_NE(at, std::string::npos) << "README has no Errors section";
  const std::size_t end = readme.find("\n## ", at + 1);
  while (at != std::string::npos && (at = readme.find("\n| ", at + 1)) < end) {
    const std::size_t numberEnd = readme.find(" | ", at + 3);
    const std::size_t messageEnd = readme.find(" | ", numberEnd + 3);
    const std::string number = readme.substr(at + 3, numberEnd - at - 3);
    if (number.size() != 5 || (number[0] != 'F' && number[0] != 'M')) continue;  // the heading
    std::string message;
    for (std::size_t i = numberEnd + 3; i < messageEnd; ++i) {
      if (readme[i] == '\\') ++i;  // \* is a literal asterisk
      message += readme[i];
    }
    rows.push_back({number, message});
  }
  return rows;
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
  int occurrence;         // which of the table's rows with this number (from 0)
  std::string_view unit;  // READ(CON), WRITE(CON) or MATH
  Channel channel;
  std::string_view typed;
};

void PrintTo(const ReportRow& row, std::ostream* os) { *os << row.name; }

// A typed line of 132 characters, one more than a terminal read holds.
const std::string kLineOf132 = "1" + std::string(131, ' ') + "\n";

// A case for each row of the table, with the table's own examples where it
// gives one.
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
    {"NegativeVapourPressure", "M6201", 0, "MATH", Channel::Pipes, "1\n25 5\n"},
    {"NegativeRelativeHumidity", "M6201", 0, "MATH", Channel::Pipes, "3\n25 -10\n"},
    {"ZeroVapourPressure", "M6202", 0, "MATH", Channel::Pipes, "3\n25 0\n"},
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

class ReadmeErrors : public ::testing::TestWithParam<ReportRow> {};

TEST_P(ReadmeErrors, ReportIsTheTablesRow) {
  const ReportRow& row = GetParam();
  const std::vector<Documented> table = ErrorsTable();
  const Documented* documented = nullptr;
  int seen = 0;
  for (const Documented& entry : table) {
    if (entry.number == row.number && seen++ == row.occurrence) documented = &entry;
  }
  ASSERT_NE(documented, nullptr) << "README's Errors table has no row " << row.number;
  const RunResult run = RunOn(row);
  EXPECT_EQ(Visible(run.err),
            Visible("\r\nrun-time error " + documented->number + ": " + std::string(row.unit) +
                    "\r\n- " + documented->message + "\r\n"));
  EXPECT_EQ(run.status, 1);
}

INSTANTIATE_TEST_SUITE_P(Readme, ReadmeErrors, ::testing::ValuesIn(kReports), RowName());

// Every row of the table has a case above, so none goes unchecked.
TEST(ReadmeErrorsTable, EveryRowHasACase) {
  const std::vector<Documented> table = ErrorsTable();
  EXPECT_EQ(table.size(), 21U);
  for (std::size_t i = 0; i < table.size(); ++i) {
    int occurrence = 0;
    for (std::size_t j = 0; j < i; ++j) occurrence += table[j].number == table[i].number ? 1 : 0;
    bool found = false;
    for (const ReportRow& row : kReports) {
      found = found || (row.number == table[i].number && row.occurrence == occurrence);
    }
    EXPECT_TRUE(found) << table[i].number << " " << table[i].message;
  }
}

}  // namespace
}  // namespace hygrian::e2e
