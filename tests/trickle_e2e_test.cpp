// Input that a pipe hands over in pieces: the built program reads a stream
// written a few bytes at a time, with pauses, exactly as it reads the same stream
// handed over whole, wherever the pieces are cut.
#include <chrono>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/calculator_e2e.h"

namespace hygrian::e2e {
namespace {

using std::chrono::milliseconds;

// Result fields worked out by hand from the moist-air relations and the field rules.
constexpr Fields kDryWet25And20{" 25.00",      " 20.00",    " 17.56", "63.48", "  57.22",
                                "  .1260E-01", "    .6274", "  .862", " 2.012"};

// Cut after every byte.
std::vector<std::size_t> EveryByte(std::string_view input) {
  std::vector<std::size_t> cuts;
  for (std::size_t i = 1; i < input.size(); ++i) cuts.push_back(i);
  return cuts;
}

// Cut every `size` bytes.
std::vector<std::size_t> Every(std::size_t size, std::string_view input) {
  std::vector<std::size_t> cuts;
  for (std::size_t i = size; i < input.size(); i += size) cuts.push_back(i);
  return cuts;
}

// Cut right after each of the given prefixes of the input.
std::vector<std::size_t> After(std::string_view input,
                               const std::vector<std::string_view>& prefixes) {
  std::vector<std::size_t> cuts;
  for (const std::string_view prefix : prefixes) {
    EXPECT_EQ(input.substr(0, prefix.size()), prefix) << "not a prefix of the input";
    cuts.push_back(prefix.size());
  }
  return cuts;
}

struct TrickleRow {
  std::string_view name;
  std::string input;
  std::vector<std::size_t> cuts;
};

void PrintTo(const TrickleRow& row, std::ostream* os) { *os << row.name; }

const std::string kSession = "1\n25 20\n2\n";
// A 300-character line holding the two values far apart.
const std::string kLongLine =
    "1\n" + std::string(140, ' ') + "25" + std::string(155, ' ') + "20\n2\n";
const std::string kThreeCases = "1\n25 20\n1\n2\n25 15\n1\n3\n30 50\n1\n4\n2\n";

std::vector<TrickleRow> TrickleRows() {
  return {
      {"OneByteAtATime", kSession, EveryByte(kSession)},
      {"NumberCutInTwo", kSession, After(kSession, {"1\n2"})},
      {"BothNumbersCut", kSession, After(kSession, {"1\n2", "1\n25 2"})},
      {"CutBeforeEachLineEnd", kSession, After(kSession, {"1", "1\n25 20", "1\n25 20\n2"})},
      {"CrCutFromLf", "1\r\n25 20\r\n2\r\n", After("1\r\n25 20\r\n2\r\n", {"1\r", "1\r\n25 20\r"})},
      {"RepeatCountCut", "1\n2*25\n2\n", After("1\n2*25\n2\n", {"1\n2", "1\n2*", "1\n2*2"})},
      {"RepeatCountOneByteAtATime", "1\n2*25\n2\n", EveryByte("1\n2*25\n2\n")},
      {"EmptyQuotesCut", "''\n2\n", After("''\n2\n", {"'"})},
      {"QuotedValueCut", "1\n'25' 20\n2\n", After("1\n'25' 20\n2\n", {"1\n'2", "1\n'25'"})},
      {"DoubledQuoteCut", "1\n'2''5' 20\n2\n", After("1\n'2''5' 20\n2\n", {"1\n'2'"})},
      {"ParenthesisedCut", "1\n(1,\n2) 3\n", After("1\n(1,\n2) 3\n", {"1\n(1", "1\n(1,"})},
      {"LongLineInSevens", kLongLine, Every(7, kLongLine)},
      {"LongLineAroundTheBufferSize", kLongLine,
       After(kLongLine, {"1\n", std::string_view(kLongLine).substr(0, 133),
                         std::string_view(kLongLine).substr(0, 134)})},
      {"LongLineOneByteAtATime", kLongLine, EveryByte(kLongLine)},
      {"LastLineWithoutLineEnd", "1\n25 20\n2", EveryByte("1\n25 20\n2")},
      {"EndOfInputInsideANumber", "1\n25", EveryByte("1\n25")},
      {"EndOfInputInsideTheSecondNumber", "1\n25 2", EveryByte("1\n25 2")},
      {"BadValueCut", "1\n25 1E\n", After("1\n25 1E\n", {"1\n25 1"})},
      {"ThreeCasesInThrees", kThreeCases, Every(3, kThreeCases)},
      {"ThreeCasesInFives", kThreeCases, Every(5, kThreeCases)},
  };
}

class TrickleTest : public ::testing::TestWithParam<TrickleRow> {};

TEST_P(TrickleTest, ReadsAsTheWholeStream) {
  const TrickleRow& row = GetParam();
  const RunResult whole = RunWithPipes(row.input);
  const RunResult pieces = RunWithPipesInPieces(row.input, {row.cuts, milliseconds(3)});
  ExpectRun(pieces, whole.out, whole.err, whole.status);
}

INSTANTIATE_TEST_SUITE_P(Pipe, TrickleTest, ::testing::ValuesIn(TrickleRows()), RowName());

// The pieces above compare with the whole stream; these two pin the whole
// stream itself.
TEST(Trickle, NumberCutInTwoReadsTwentyFive) {
  ExpectRun(RunWithPipesInPieces(kSession, {After(kSession, {"1\n2"}), milliseconds(20)}),
            Introduction() + std::string(kPromptDryWet) + Results(kDryWet25And20) +
                std::string(kStopRedirected),
            "", 0);
}

// 132 bytes, the size of one read, the last line without its LF: that line is
// read like any other.
TEST(Trickle, FullReadWithoutFinalLineEnd) {
  const std::string input = "1\n25 20\n" + std::string(123, ' ') + "2";
  ASSERT_EQ(input.size(), 132U);
  const std::string expected = Introduction() + std::string(kPromptDryWet) +
                               Results(kDryWet25And20) + std::string(kStopRedirected);
  ExpectRun(RunWithPipes(input), expected, "", 0);
  ExpectRun(RunWithPipesInPieces(input, {EveryByte(input), milliseconds(1)}), expected, "", 0);
}

}  // namespace
}  // namespace hygrian::e2e
