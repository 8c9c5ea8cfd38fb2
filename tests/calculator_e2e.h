// The calculator end to end: its runs through the one runner of tests/e2e.h, at
// a terminal and through pipes, and its fixed texts as they reach standard
// output.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "tests/e2e.h"

#ifndef HYGRIAN_BINARY
#error "HYGRIAN_BINARY must name the program under test"
#endif

namespace hygrian::e2e {

inline constexpr Program kCalculator{HYGRIAN_BINARY, true};

// Standard input a pipe that carries `input` and is then closed; standard output
// to `stdoutFd` (the caller keeps it), or into RunResult::out when that is -1.
inline RunResult RunWithStdout(std::string_view input, int stdoutFd, Pacing pacing = {}) {
  Invocation how;
  how.input = input;
  how.stdoutFd = stdoutFd;
  how.pacing = std::move(pacing);
  return Run(kCalculator, how);
}

// Standard input, output and error all pipes.
inline RunResult RunWithPipes(std::string_view input) { return RunWithStdout(input, -1); }

// The same, the input handed over in pieces with pauses between them.
inline RunResult RunWithPipesInPieces(std::string_view input, Pacing pacing) {
  return RunWithStdout(input, -1, std::move(pacing));
}

// At a pseudo-terminal, standard error a separate pipe. With `typeAfter` given,
// nothing is typed before that text has appeared on standard output.
inline RunResult RunAtTerminal(std::string_view typed, Terminal which,
                               std::string_view typeAfter = {}) {
  Invocation how;
  how.input = typed;
  how.typeAfter = typeAfter;
  return Run(kCalculator, how, which);
}

// Standard input and standard output both the terminal: an interactive console.
inline RunResult RunInPty(std::string_view typed) {
  return RunAtTerminal(typed, Terminal::InputAndOutput);
}

// --- The program's fixed texts, as they reach standard output -----------------
//
// Each record after the first carries its own line advance (CR LF) in front of
// it, the way a redirected run writes it. At a terminal the CR LF that ends the
// line in front of a read is written when the read starts, and the first record
// after the read then writes none, so up to the last read both channels give the
// same bytes; only the ends differ (see the kStop... and kEndOfRun... pieces).

inline constexpr std::string_view kBanner =
    "PROGRAM HYGRIAN"
    "\r\n"
    "\r\nCOMPUTATION OF PSYCHROMETRIC DATA IN SI UNITS."
    "\r\n";

inline constexpr std::string_view kExplanation =
    "\r\nTHIS PROGRAM CALCULATES SELECTED PSYCHROMETRIC PARAMETERS FROM COMBINATIONS"
    "\r\nOF THE INPUT PARAMETERS WET AND DRY-BULB TEMPERATURES, DEW POINT, AND"
    "\r\nRELATIVE HUMIDITY."
    "\r\n"
    "\r\nENTER THE DATA AS REQUESTED."
    "\r\n";

inline constexpr std::string_view kMenu =
    "\r\nWHAT TYPE OF DATA DO YOU HAVE?  TYPE THE CORRECT NUMBER AND PRESS ENTER."
    "\r\n     1) DRY-BULB AND WET-BULB TEMPERATURES"
    "\r\n     2) DRY-BULB AND DEW POINT TEMPERATURES"
    "\r\n     3) DRY-BULB TEMPERATURE AND RELATIVE HUMIDITY"
    "\r\n";

inline constexpr std::string_view kPromptDryWet =
    "\r\n"
    "\r\nENTER THE DRY-BULB AND WET-BULB TEMPERATURES IN DEGREES C."
    "\r\n";

inline constexpr std::string_view kPromptDryDew =
    "\r\n"
    "\r\nENTER THE DRY-BULB AND DEW POINT TEMPERATURES IN DEGREES C."
    "\r\n";

inline constexpr std::string_view kPromptDryRh =
    "\r\n"
    "\r\nENTER THE DRY-BULB TEMPERATURE IN DEGREES C AND THE RELATIVE HUMIDITY"
    "\r\nIN PERCENT."
    "\r\n";

inline constexpr std::string_view kNoWetBulb =
    "\r\n"
    "\r\nNO VALUE FOR THE WET-BULB TEMPERATURE CAN BE FOUND.";

inline constexpr std::string_view kQuestion =
    "\r\n"
    "\r\n"
    "\r\n"
    "\r\nDO YOU WANT TO RUN AGAIN?  ENTER THE APPROPRIATE NUMBER.  1)YES  2)NO."
    "\r\n";

// Everything written before the first read.
inline std::string Introduction() {
  return std::string(kBanner) + std::string(kExplanation) + std::string(kMenu);
}

// The nine field texts of one results block, each exactly its field's width.
struct Fields {
  std::string_view dryBulb;             // 6 wide, 2 decimals
  std::string_view wetBulb;             // 6 wide, 2 decimals
  std::string_view dewPoint;            // 6 wide, 2 decimals
  std::string_view relativeHumidity;    // 5 wide, 2 decimals
  std::string_view enthalpy;            // 7 wide, 2 decimals
  std::string_view humidityRatio;       // exponent form, 11 wide, 4 digits
  std::string_view degreeOfSaturation;  // 9 wide, 4 decimals
  std::string_view specificVolume;      // 6 wide, 3 decimals
  std::string_view vaporPressure;       // 6 wide, 3 decimals
};

inline constexpr Fields kAllZero{"   .00",      "   .00",    "   .00", "  .00", "    .00",
                                 "  .0000E+00", "    .0000", "  .000", "  .000"};

// The spacing, heading, nine result lines, spacing and run-again question that
// follow a computation, ending just before the run-again read.
inline std::string Results(const Fields& f) {
  // Each line: its label, its field, the unit after the field.
  const std::array<std::array<std::string_view, 3>, 9> lines{{
      {"DRY-BULB TEMPERATURE: ", f.dryBulb, " DEGREES C"},
      {"WET-BULB TEMPERATURE: ", f.wetBulb, " DEGREES C"},
      {"DEW POINT TEMPERATURE: ", f.dewPoint, " DEGREES C"},
      {"RELATIVE HUMIDITY: ", f.relativeHumidity, " PERCENT"},
      {"ENTHALPY: ", f.enthalpy, " J/G"},
      {"HUMIDITY RATIO: ", f.humidityRatio, ""},
      {"DEGREE OF SATURATION: ", f.degreeOfSaturation, ""},
      {"SPECIFIC VOLUME: ", f.specificVolume, " CU. M/KG"},
      {"VAPOR PARTIAL PRESSURE: ", f.vaporPressure, " KPA"},
  }};
  std::string s = "\r\n\r\n\r\n\r\nTHE RESULTS ARE:";
  for (const auto& [label, field, unit] : lines) {
    s += "\r\n     ";
    s += label;
    s += field;
    s += unit;
  }
  s += kQuestion;
  return s;
}

// The normal stop after the run-again read. At a terminal the read starts on a
// fresh line (its CR LF) and closes the line when it is done, so the message
// stands alone; redirected, the line is still open, so the stop writes CR LF
// first and the exit routine one more CR LF after it.
inline constexpr std::string_view kStopAtTerminal = "\r\nStop - Program terminated.\r\n";
inline constexpr std::string_view kStopRedirected = "\r\nStop - Program terminated.\r\n\r\n";

// A run that ends with the normal stop: `body` is everything before the stop,
// whose line ends depend on whether both streams are the terminal. `channel`
// empty means all pipes.
inline void ExpectStoppedRun(std::optional<Terminal> channel, std::string_view typed,
                             const std::string& body) {
  const bool interactive = channel == Terminal::InputAndOutput;
  const RunResult actual = channel ? RunAtTerminal(typed, *channel) : RunWithPipes(typed);
  ExpectRun(actual, body + std::string(interactive ? kStopAtTerminal : kStopRedirected), "", 0);
}

// What the exit routine adds after a failure that leaves the output line open.
inline constexpr std::string_view kEndOfRunOpenLine = "\r\n";

// One run-time error report on standard error.
inline std::string ReadError(std::string_view number, std::string_view message) {
  return "\r\nrun-time error " + std::string(number) + ": READ(CON)\r\n- " + std::string(message) +
         "\r\n";
}
inline std::string WriteError(std::string_view number, std::string_view message) {
  return "\r\nrun-time error " + std::string(number) + ": WRITE(CON)\r\n- " + std::string(message) +
         "\r\n";
}
inline std::string MathError(std::string_view number, std::string_view message) {
  return "\r\nrun-time error " + std::string(number) + ": MATH\r\n- " + std::string(message) +
         "\r\n";
}

}  // namespace hygrian::e2e
