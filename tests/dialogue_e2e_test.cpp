// Whole dialogue runs of the built program, at a terminal and through pipes:
// banner, menu, prompts, results blocks, the run-again loop and the normal stop,
// compared byte for byte.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/calculator_e2e.h"

namespace hygrian::e2e {
namespace {

// Result fields worked out by hand from the moist-air relations and the field
// rules (17-digit decimal expansion, half-up rounding, no digit before the point).
constexpr Fields kDryWet25And20{" 25.00",      " 20.00",    " 17.56", "63.48", "  57.22",
                                "  .1260E-01", "    .6274", "  .862", " 2.012"};
constexpr Fields kDryDew25And15{" 25.00",      " 18.50",    " 15.00", "53.82", "  52.25",
                                "  .1065E-01", "    .5303", "  .859", " 1.705"};
constexpr Fields kDryRh25And50{" 25.00",      " 17.89",    " 13.83", "50.00", "  50.30",
                               "  .9881E-02", "    .4921", "  .858", " 1.584"};
// Dew point from range 3 of the correlation: the dry-bulb temperature is above 50.
constexpr Fields kDryRh60And30{" 60.00",      " 39.72",    " 37.12", "30.00", " 162.08",
                               "  .3901E-01", "    .2561", " 1.003", " 5.980"};
// Saturated air: the relative humidity of 100.00 is one character too wide.
constexpr Fields kDryRh25And100{" 25.00",      " 25.00",    " 25.00", "*****", "  76.26",
                                "  .2008E-01", "   1.0000", "  .872", " 3.169"};
// Saturation pressure above the total pressure: negative humidity ratio, and
// enthalpy, volume and vapour pressure too wide for their fields. The search
// fails, so the wet-bulb field keeps what it held (zero in the first pass).
constexpr Fields kDryDew100And100FirstPass{"100.00",      "   .00",    "100.00", "*****", "*******",
                                           " -.1730E+04", "   1.0000", "******", "******"};
constexpr Fields kDryDew100And100After20{"100.00",      " 20.00",    "100.00", "*****", "*******",
                                         " -.1730E+04", "   1.0000", "******", "******"};

std::string Pass(std::string_view prompt, const Fields& fields) {
  return std::string(prompt) + Results(fields);
}

struct DialogueRow {
  std::string_view name;
  std::string_view typed;  // every line the user types, with its line end
  std::string body;        // standard output up to the last read
};

void PrintTo(const DialogueRow& row, std::ostream* os) { *os << row.name; }

std::vector<DialogueRow> DialogueRows() {
  const std::string intro = Introduction();
  const std::string menu(kMenu);
  const std::string dryWet = Pass(kPromptDryWet, kDryWet25And20);
  return {
      {"OnePassDryWet", "1\n25 20\n2\n", intro + dryWet},
      {"TwoPassesWithoutSecondBanner", "1\n25 20\n1\n1\n25 20\n2\n",
       intro + dryWet + menu + dryWet},
      {"ChoiceFourFirstPassPrintsZeros", "4\n2\n", intro + Results(kAllZero)},
      {"ChoiceZeroFirstPassPrintsZeros", "0\n2\n", intro + Results(kAllZero)},
      {"NegativeChoicePrintsZeros", "-1\n2\n", intro + Results(kAllZero)},
      {"DryDew25And15", "2\n25 15\n2\n", intro + Pass(kPromptDryDew, kDryDew25And15)},
      {"DryRh25And50", "3\n25 50\n2\n", intro + Pass(kPromptDryRh, kDryRh25And50)},
      {"DryRh60And30", "3\n60 30\n2\n", intro + Pass(kPromptDryRh, kDryRh60And30)},
      {"DryRh25And100ShowsAsterisks", "3\n25 100\n2\n", intro + Pass(kPromptDryRh, kDryRh25And100)},
      {"WetBulbSearchFailsInFirstPass", "2\n100 100\n2\n",
       intro + std::string(kPromptDryDew) + std::string(kNoWetBulb) +
           Results(kDryDew100And100FirstPass)},
      {"WetBulbSearchFailsAfterSuccessfulPass", "1\n25 20\n1\n2\n100 100\n2\n",
       intro + dryWet + menu + std::string(kPromptDryDew) + std::string(kNoWetBulb) +
           Results(kDryDew100And100After20)},
      {"AgainZeroStops", "1\n25 20\n0\n", intro + dryWet},
      {"AgainThreeStops", "1\n25 20\n3\n", intro + dryWet},
      {"AgainMinusOneStops", "1\n25 20\n-1\n", intro + dryWet},
      {"LoneCommaAtFirstMenuKeepsChoiceZero", ",\n2\n", intro + Results(kAllZero)},
      {"LoneCommaAtLaterMenuRepeatsComputation", "1\n25 20\n1\n,\n25 20\n2\n",
       intro + dryWet + menu + dryWet},
      {"SlashAtFirstRunAgainStops", "1\n25 20\n/\n", intro + dryWet},
      // Pass 2 ends with a slash, so "again" still holds 1 and pass 3 runs; its
      // choice of 4 prints pass 2's values unchanged.
      {"SlashAtLaterRunAgainRepeats", "1\n25 20\n1\n2\n25 15\n/\n4\n2\n",
       intro + dryWet + menu + Pass(kPromptDryDew, kDryDew25And15) + menu +
           Results(kDryDew25And15)},
  };
}

class DialogueTest : public ::testing::TestWithParam<DialogueRow> {};

TEST_P(DialogueTest, AtTerminal) {
  ExpectStoppedRun(Terminal::InputAndOutput, GetParam().typed, GetParam().body);
}

TEST_P(DialogueTest, ThroughPipes) {
  ExpectStoppedRun(std::nullopt, GetParam().typed, GetParam().body);
}

// With only one of the two streams a terminal, the reads leave the output line
// alone, exactly as through pipes.
TEST_P(DialogueTest, TypedAtTerminalOutputRedirected) {
  ExpectStoppedRun(Terminal::InputOnly, GetParam().typed, GetParam().body);
}

TEST_P(DialogueTest, InputRedirectedOutputAtTerminal) {
  ExpectStoppedRun(Terminal::OutputOnly, GetParam().typed, GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(Runs, DialogueTest, ::testing::ValuesIn(DialogueRows()), RowName());

// The whole run of one pass at an interactive console, written out line by line
// as the screen shows it, with every byte the program writes: the CR LF in front
// of each read comes from the read, and the record after a read writes no line
// advance of its own.
TEST(WholeRun, AtTerminalByteForByte) {
  const std::string expected =
      "PROGRAM HYGRIAN"
      "\r\n"
      "\r\nCOMPUTATION OF PSYCHROMETRIC DATA IN SI UNITS."
      "\r\n"
      "\r\nTHIS PROGRAM CALCULATES SELECTED PSYCHROMETRIC PARAMETERS FROM COMBINATIONS"
      "\r\nOF THE INPUT PARAMETERS WET AND DRY-BULB TEMPERATURES, DEW POINT, AND"
      "\r\nRELATIVE HUMIDITY."
      "\r\n"
      "\r\nENTER THE DATA AS REQUESTED."
      "\r\n"
      "\r\nWHAT TYPE OF DATA DO YOU HAVE?  TYPE THE CORRECT NUMBER AND PRESS ENTER."
      "\r\n     1) DRY-BULB AND WET-BULB TEMPERATURES"
      "\r\n     2) DRY-BULB AND DEW POINT TEMPERATURES"
      "\r\n     3) DRY-BULB TEMPERATURE AND RELATIVE HUMIDITY"
      "\r\n"
      "\r\n"  // the read of the choice starts on a fresh line
      ""      // after the read: the empty first record of the prompt writes nothing
      "\r\nENTER THE DRY-BULB AND WET-BULB TEMPERATURES IN DEGREES C."
      "\r\n"
      "\r\n"  // the read of the two temperatures
      ""      // the first spacing record
      "\r\n"
      "\r\n"
      "\r\nTHE RESULTS ARE:"
      "\r\n     DRY-BULB TEMPERATURE:  25.00 DEGREES C"
      "\r\n     WET-BULB TEMPERATURE:  20.00 DEGREES C"
      "\r\n     DEW POINT TEMPERATURE:  17.56 DEGREES C"
      "\r\n     RELATIVE HUMIDITY: 63.48 PERCENT"
      "\r\n     ENTHALPY:   57.22 J/G"
      "\r\n     HUMIDITY RATIO:   .1260E-01"
      "\r\n     DEGREE OF SATURATION:     .6274"
      "\r\n     SPECIFIC VOLUME:   .862 CU. M/KG"
      "\r\n     VAPOR PARTIAL PRESSURE:  2.012 KPA"
      "\r\n"
      "\r\n"
      "\r\n"
      "\r\nDO YOU WANT TO RUN AGAIN?  ENTER THE APPROPRIATE NUMBER.  1)YES  2)NO."
      "\r\n"
      "\r\n"  // the read of the answer
      "Stop - Program terminated.\r\n";
  ExpectRun(RunInPty("1\n25 20\n2\n"), expected, "", 0);
}

// The same run through pipes: every record after the first brings its own CR LF,
// the reads write nothing, the stop closes the open line first and the exit
// closes it once more.
TEST(WholeRun, ThroughPipesByteForByte) {
  const std::string expected =
      "PROGRAM HYGRIAN"
      "\r\n"
      "\r\nCOMPUTATION OF PSYCHROMETRIC DATA IN SI UNITS."
      "\r\n"
      "\r\nTHIS PROGRAM CALCULATES SELECTED PSYCHROMETRIC PARAMETERS FROM COMBINATIONS"
      "\r\nOF THE INPUT PARAMETERS WET AND DRY-BULB TEMPERATURES, DEW POINT, AND"
      "\r\nRELATIVE HUMIDITY."
      "\r\n"
      "\r\nENTER THE DATA AS REQUESTED."
      "\r\n"
      "\r\nWHAT TYPE OF DATA DO YOU HAVE?  TYPE THE CORRECT NUMBER AND PRESS ENTER."
      "\r\n     1) DRY-BULB AND WET-BULB TEMPERATURES"
      "\r\n     2) DRY-BULB AND DEW POINT TEMPERATURES"
      "\r\n     3) DRY-BULB TEMPERATURE AND RELATIVE HUMIDITY"
      "\r\n"
      "\r\n"
      "\r\nENTER THE DRY-BULB AND WET-BULB TEMPERATURES IN DEGREES C."
      "\r\n"
      "\r\n"
      "\r\n"
      "\r\n"
      "\r\nTHE RESULTS ARE:"
      "\r\n     DRY-BULB TEMPERATURE:  25.00 DEGREES C"
      "\r\n     WET-BULB TEMPERATURE:  20.00 DEGREES C"
      "\r\n     DEW POINT TEMPERATURE:  17.56 DEGREES C"
      "\r\n     RELATIVE HUMIDITY: 63.48 PERCENT"
      "\r\n     ENTHALPY:   57.22 J/G"
      "\r\n     HUMIDITY RATIO:   .1260E-01"
      "\r\n     DEGREE OF SATURATION:     .6274"
      "\r\n     SPECIFIC VOLUME:   .862 CU. M/KG"
      "\r\n     VAPOR PARTIAL PRESSURE:  2.012 KPA"
      "\r\n"
      "\r\n"
      "\r\n"
      "\r\nDO YOU WANT TO RUN AGAIN?  ENTER THE APPROPRIATE NUMBER.  1)YES  2)NO."
      "\r\n"
      "\r\n"  // the stop closes the line that is still open
      "Stop - Program terminated.\r\n"
      "\r\n";  // and the exit routine closes it again
  ExpectRun(RunWithPipes("1\n25 20\n2\n"), expected, "", 0);
}

}  // namespace
}  // namespace hygrian::e2e
