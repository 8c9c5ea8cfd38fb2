// How the process ends: the normal stop, the numbered run-time error reports on
// standard error, and EndOfRun, which closes an open output line at every exit.
#pragma once

#include <string_view>

#include "console/console.h"

namespace hygrian {

// The statement a report names: READ and WRITE add "(CON)", MATH the word MATH.
enum class StatementKind { Read, Write, Math, None };

// The console conditions that end the program, each with its fixed number and
// message.
enum class ConsoleFailure {
  IntegerOverflow,         // F6100
  InvalidInteger,          // F6101
  RealIndefinite,          // F6102
  InvalidReal,             // F6103
  MultipleRadix,           // F6302
  IllegalRadix,            // F6303
  TerminalBufferOverflow,  // F6407
  ReadFailed,              // F6500
  EndOfFile,               // F6501
  RepeatNotPositive,       // F6502
  MultipleRepeat,          // F6503
  InvalidNumber,           // F6504
  ReadOnly,                // F6421
  DeviceFull,              // F6422
};

// Writes CR LF, "run-time error ", the class letter ("M" for MATH, else "F") and
// four digits, the label, the message and CR LF to standard error, then exits with
// status 1. While EndOfRun runs the report is printed and the exit already under
// way goes on.
[[noreturn]] void RaiseRunTimeError(Console& console, StatementKind kind, int number,
                                    std::string_view message);

[[noreturn]] void RaiseConsoleFailure(Console& console, ConsoleFailure failure);

// The normal stop: closes an open line, writes "Stop - Program terminated." CR LF
// and exits with status 0.
[[noreturn]] void StopProgram(Console& console);

// Runs EndOfRun and ends the process with the status.
[[noreturn]] void ExitProgram(Console& console, int status);

// Runs once at exit: closes an open output line.
void EndOfRun(Console& console);

}  // namespace hygrian
