// Typed input end to end: list syntax, number forms, line limits and the end of
// input, through the built program at a terminal and through pipes, checking
// where the output line is left when a read fails.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/calculator_e2e.h"

namespace hygrian::e2e {
namespace {

constexpr std::string_view kCtrlD = "\x04";

// Result fields worked out by hand from the moist-air relations and the field rules.
constexpr Fields kDryWet25And20{" 25.00",      " 20.00",    " 17.56", "63.48", "  57.22",
                                "  .1260E-01", "    .6274", "  .862", " 2.012"};
// Saturated: relative humidity rounds to 100.00, too wide for its field.
constexpr Fields kDryWet25And25{" 25.00",      " 25.00",    " 25.00", "*****", "  76.26",
                                "  .2008E-01", "   1.0000", "  .872", " 3.169"};
// Both values null: the zeros of the first pass; 0 degrees C is on the ice side.
constexpr Fields kDryWet0And0{"   .00",      "   .00",    "  -.02", "*****", "   9.43",
                              "  .3771E-02", "   1.0000", "  .779", "  .611"};
// Wet-bulb above dry-bulb is accepted.
constexpr Fields kDryWet0And20{"   .00",      " 20.00",    " 22.77", "*****", "  58.11",
                               "  .2323E-01", "   6.1608", "  .803", " 3.649"};
constexpr Fields kDryWet0And2{"   .00",      "  2.00",    "  3.79", "*****", "  12.95",
                              "  .5177E-02", "   1.3728", "  .780", "  .836"};
constexpr Fields kDryWetHalfAnd5{"   .50",      "  5.00",    "  9.22", "*****", "  18.63",
                                 "  .7245E-02", "   1.8505", "  .784", " 1.167"};

std::string DryWet(const Fields& fields) { return std::string(kPromptDryWet) + Results(fields); }

// --- Runs that end with the normal stop -------------------------------------

struct CompletedRow {
  std::string_view name;
  std::string_view typed;
  std::string body;  // standard output up to the last read
};

void PrintTo(const CompletedRow& row, std::ostream* os) { *os << row.name; }

std::vector<CompletedRow> CompletedRows() {
  const std::string intro = Introduction();
  const std::string menu(kMenu);
  const std::string dryWet = DryWet(kDryWet25And20);
  return {
      {"BlankSeparated", "1\n25 20\n2\n", intro + dryWet},
      {"CommaSeparated", "1\n25,20\n2\n", intro + dryWet},
      {"CommaBetweenBlanks", "1\n25 , 20\n2\n", intro + dryWet},
      {"TabSeparated", "1\n25\t20\n2\n", intro + dryWet},
      {"ValuesOnTwoLines", "1\n25\n20\n2\n", intro + dryWet},
      {"EmptyLinesSkipped", "1\n\n\n25 20\n2\n", intro + dryWet},
      {"ExtraValueDropped", "1\n25 20 30\n2\n", intro + dryWet},
      {"CrLfLineEnds", "1\r\n25 20\r\n2\r\n", intro + dryWet},
      {"ChoiceWithLeadingBlanks", "   1\n25 20\n2\n", intro + dryWet},
      {"RepeatCountForBothValues", "1\n2*25\n2\n", intro + DryWet(kDryWet25And25)},
      {"RepeatedNullKeepsBoth", "1\n2*,\n2\n", intro + DryWet(kDryWet0And0)},
      {"LeadingCommaKeepsFirst", "1\n,20\n2\n", intro + DryWet(kDryWet0And20)},
      // The second value of pass 2 is null, so the 20 of pass 1 stays; 30 is dropped.
      {"DoubleCommaKeepsSecond", "1\n25 20\n1\n1\n25,,30\n2\n", intro + dryWet + menu + dryWet},
      {"SlashKeepsSecond", "1\n25 20\n1\n1\n25/30\n2\n", intro + dryWet + menu + dryWet},
      {"PointForms", "1\n.5 5.\n2\n", intro + DryWet(kDryWetHalfAnd5)},
      {"ExponentLetters", "1\n2.5E1 2D1\n2\n", intro + dryWet},
      {"LowerCaseExponentLetters", "1\n250e-1 .2d2\n2\n", intro + dryWet},
      {"ExponentWithoutLetter", "1\n2.5+1 200-1\n2\n", intro + dryWet},
      {"TooSmallRealBecomesZero", "1\n1E-400 2\n2\n", intro + DryWet(kDryWet0And2)},
      {"PlusSignedChoice", "+1\n25 20\n2\n", intro + dryWet},
      {"SignAloneReadsZero", "-\n2\n", intro + Results(kAllZero)},
      {"RadixChoiceOutOfRange", "16#1F\n2\n", intro + Results(kAllZero)},
      {"BareRadixMarker", "#1f\n2\n", intro + Results(kAllZero)},
      {"SmallestInteger", "-2147483648\n2\n", intro + Results(kAllZero)},
      {"RepeatedAnswer", "1\n25 20\n3*2\n", intro + dryWet},
      {"SecondAnswerDropped", "1\n25 20\n1 2\n1\n25 20\n2 1\n", intro + dryWet + menu + dryWet},
      {"EmptyQuotesAreNull", "''\n2\n", intro + Results(kAllZero)},
      {"EmptyParenthesesAreNull", "()\n2\n", intro + Results(kAllZero)},
  };
}

class CompletedRunTest : public ::testing::TestWithParam<CompletedRow> {};

TEST_P(CompletedRunTest, AtTerminal) {
  ExpectStoppedRun(Terminal::InputAndOutput, GetParam().typed, GetParam().body);
}

TEST_P(CompletedRunTest, ThroughPipes) {
  ExpectStoppedRun(std::nullopt, GetParam().typed, GetParam().body);
}

TEST_P(CompletedRunTest, TypedAtTerminalOutputRedirected) {
  ExpectStoppedRun(Terminal::InputOnly, GetParam().typed, GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(Input, CompletedRunTest, ::testing::ValuesIn(CompletedRows()), RowName());

// A last line without its line end still counts as a line.
TEST(CompletedRun, LastLineWithoutLineEnd) {
  ExpectRun(RunWithPipes("1\n25 20\n2"),
            Introduction() + DryWet(kDryWet25And20) + std::string(kStopRedirected), "", 0);
}

// --- Reads that end the program ---------------------------------------------

struct FailedReadRow {
  std::string_view name;
  std::string_view typed;  // what arrives before the failure
  bool endOfInput;         // after `typed` the input ends (Ctrl-D at a terminal)
  bool typable;            // can be typed at a terminal at all
  std::string before;      // standard output up to the failing read
  std::string report;      // standard error
  // The failing read had already met the end of its line, which at a terminal
  // closes the output line; otherwise the exit routine closes it.
  bool lineEndMet;
};

void PrintTo(const FailedReadRow& row, std::ostream* os) { *os << row.name; }

std::vector<FailedReadRow> FailedReadRows() {
  const std::string intro = Introduction();
  const std::string values = intro + std::string(kPromptDryWet);
  const std::string again = intro + DryWet(kDryWet25And20);
  const std::string invalidInteger = ReadError("F6101", "invalid INTEGER");
  const std::string invalidReal = ReadError("F6103", "invalid REAL");
  const std::string endOfFile = ReadError("F6501", "end of file encountered");
  return {
      {"LettersAtMenu", "abc\n", false, true, intro, invalidInteger, true},
      {"LettersThenMoreAtMenu", "abc 1\n", false, true, intro, invalidInteger, false},
      {"EndOfInputAtMenu", "", true, true, intro, endOfFile, false},
      {"EndOfInputAfterEmptyLines", "\n\n", true, true, intro, endOfFile, true},
      {"EndOfInputAtValues", "1\n", true, true, values, endOfFile, false},
      {"EndOfInputAfterFirstValue", "1\n25\n", true, true, values, endOfFile, true},
      {"EndOfInputAtRunAgain", "1\n25 20\n", true, true, again, endOfFile, false},
      {"CtrlZBeforeLineEnd", "\x1A\r\n", false, true, intro, endOfFile, false},
      {"CtrlZAfterTextBeforeLineEnd", "1\x1A\r\n", false, true, intro, endOfFile, false},
      // Ctrl-Z counts only just before a CR LF: here it ends the integer instead.
      {"CtrlZBeforeLfOnly", "\x1A\n", true, true, intro + Results(kAllZero), endOfFile, false},
      {"RealAtMenu", "1.0\n", false, true, intro, invalidInteger, true},
      {"ExponentAtMenu", "1E0\n", false, true, intro, invalidInteger, true},
      {"IntegerOverflow", "2147483648\n", false, true, intro,
       ReadError("F6100", "INTEGER overflow on input"), true},
      {"DigitOutsideRadix", "2#102\n", false, true, intro, invalidInteger, true},
      {"IllegalRadix", "1#0\n", false, true, intro, ReadError("F6303", "illegal radix specifier"),
       true},
      {"MultipleRadix", "16#1#2\n", false, true, intro,
       ReadError("F6302", "multiple radix specifiers"), true},
      {"ZeroRepeatCount", "0*5\n", false, true, intro,
       ReadError("F6502", "positive integer expected in repeat field"), false},
      {"NegativeRepeatCount", "-1*5\n", false, true, intro,
       ReadError("F6502", "positive integer expected in repeat field"), false},
      {"MissingRepeatCount", "*5\n", false, true, intro,
       ReadError("F6502", "positive integer expected in repeat field"), false},
      {"MultipleRepeat", "2*3*4\n", false, true, intro, ReadError("F6503", "multiple repeat field"),
       false},
      {"ExponentWithoutDigits", "1\n25 1E\n", false, true, values, invalidReal, true},
      {"LettersForSecondValue", "1\n25 ABC\n", false, true, values, invalidReal, true},
      {"RealBeyondRange", "1\n1E400 2\n", false, true, values,
       ReadError("F6102", "REAL indefinite ( uninitialized or previous error )"), false},
      {"ParenthesisedPair", "1\n(1,2) 3\n", false, true, values,
       ReadError("F6504", "invalid number in input"), false},
      {"QuotedValue", "1\n'25' 20\n", false, true, values,
       ReadError("F6504", "invalid number in input"), false},
  };
}

class FailedReadTest : public ::testing::TestWithParam<FailedReadRow> {};

std::string Typed(const FailedReadRow& row) {
  return std::string(row.typed) + (row.endOfInput ? std::string(kCtrlD) : "");
}

TEST_P(FailedReadTest, AtTerminal) {
  const FailedReadRow& row = GetParam();
  if (!row.typable) GTEST_SKIP() << "cannot be typed at a terminal";
  // The read began on a fresh line (CR LF written at its start).
  std::string out = row.before + "\r\n";
  if (!row.lineEndMet) out += kEndOfRunOpenLine;
  ExpectRun(RunInPty(Typed(row)), out, row.report, 1);
}

TEST_P(FailedReadTest, ThroughPipes) {
  const FailedReadRow& row = GetParam();
  ExpectRun(RunWithPipes(row.typed), row.before + std::string(kEndOfRunOpenLine), row.report, 1);
}

TEST_P(FailedReadTest, TypedAtTerminalOutputRedirected) {
  const FailedReadRow& row = GetParam();
  if (!row.typable) GTEST_SKIP() << "cannot be typed at a terminal";
  ExpectRun(RunAtTerminal(Typed(row), Terminal::InputOnly),
            row.before + std::string(kEndOfRunOpenLine), row.report, 1);
}

TEST_P(FailedReadTest, InputRedirectedOutputAtTerminal) {
  const FailedReadRow& row = GetParam();
  ExpectRun(RunAtTerminal(row.typed, Terminal::OutputOnly),
            row.before + std::string(kEndOfRunOpenLine), row.report, 1);
}

INSTANTIATE_TEST_SUITE_P(Input, FailedReadTest, ::testing::ValuesIn(FailedReadRows()), RowName());

// --- The length of a typed line ----------------------------------------------

// A typed line of the given length, the choice 1 followed by blanks, and its end.
std::string ChoiceLine(std::size_t length, std::string_view lineEnd) {
  return "1" + std::string(length - 1, ' ') + std::string(lineEnd);
}

// The 132-byte buffer fills before the line end arrives.
TEST(LineLength, OneHundredThirtyTwoCharactersOverflowAtTerminal) {
  ExpectRun(RunInPty(ChoiceLine(132, "\n") + "25 20\n2\n"),
            Introduction() + "\r\n" + std::string(kEndOfRunOpenLine),
            ReadError("F6407", "terminal buffer overflow"), 1);
}

TEST(LineLength, OneHundredThirtyOneCharactersWithCrLfOverflowAtTerminal) {
  ExpectRun(RunInPty(ChoiceLine(131, "\r\n") + "25 20\n2\n"),
            Introduction() + "\r\n" + std::string(kEndOfRunOpenLine),
            ReadError("F6407", "terminal buffer overflow"), 1);
}

// Overflow depends on standard input alone; with output redirected the read
// writes no CR LF, and the exit routine closes the open line.
TEST(LineLength, OneHundredThirtyTwoCharactersOverflowWhenOnlyInputIsTerminal) {
  ExpectRun(RunAtTerminal(ChoiceLine(132, "\n") + "25 20\n2\n", Terminal::InputOnly),
            Introduction() + std::string(kEndOfRunOpenLine),
            ReadError("F6407", "terminal buffer overflow"), 1);
}

TEST(LineLength, OneHundredThirtyOneCharactersFitAtTerminal) {
  ExpectRun(RunInPty(ChoiceLine(131, "\n") + "25 20\n2\n"),
            Introduction() + DryWet(kDryWet25And20) + std::string(kStopAtTerminal), "", 0);
}

TEST(LineLength, OneHundredThirtyCharactersWithCrLfFitAtTerminal) {
  ExpectRun(RunInPty(ChoiceLine(130, "\r\n") + "25 20\n2\n"),
            Introduction() + DryWet(kDryWet25And20) + std::string(kStopAtTerminal), "", 0);
}

// Read as a stream, a long line simply continues in the next fill.
TEST(LineLength, LongLinesAreReadOnThroughPipes) {
  ExpectRun(RunWithPipes(ChoiceLine(132, "\n") + "25 20" + std::string(300, ' ') + "\n2\n"),
            Introduction() + DryWet(kDryWet25And20) + std::string(kStopRedirected), "", 0);
}

}  // namespace
}  // namespace hygrian::e2e
