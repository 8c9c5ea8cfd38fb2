#include "console/failure.h"

#include <cstdlib>
#include <string>

namespace hygrian {
namespace {

struct FailureText {
  int number;
  std::string_view message;
};

FailureText Describe(ConsoleFailure failure) {
  switch (failure) {
    case ConsoleFailure::IntegerOverflow:
      return {6100, "INTEGER overflow on input"};
    case ConsoleFailure::InvalidInteger:
      return {6101, "invalid INTEGER"};
    case ConsoleFailure::RealIndefinite:
      return {6102, "REAL indefinite ( uninitialized or previous error )"};
    case ConsoleFailure::InvalidReal:
      return {6103, "invalid REAL"};
    case ConsoleFailure::MultipleRadix:
      return {6302, "multiple radix specifiers"};
    case ConsoleFailure::IllegalRadix:
      return {6303, "illegal radix specifier"};
    case ConsoleFailure::TerminalBufferOverflow:
      return {6407, "terminal buffer overflow"};
    case ConsoleFailure::ReadFailed:
      return {6500, "file not open for reading or file locked"};
    case ConsoleFailure::EndOfFile:
      return {6501, "end of file encountered"};
    case ConsoleFailure::RepeatNotPositive:
      return {6502, "positive integer expected in repeat field"};
    case ConsoleFailure::MultipleRepeat:
      return {6503, "multiple repeat field"};
    case ConsoleFailure::InvalidNumber:
      return {6504, "invalid number in input"};
    case ConsoleFailure::ReadOnly:
      return {6421, "file read-only or locked against writing"};
    case ConsoleFailure::DeviceFull:
      return {6422, "no space left on device"};
  }
  return {6500, "file not open for reading or file locked"};
}

// Reports go out unchecked: there is nowhere left to report their own failure.
void WriteError(Console& console, std::string_view bytes) {
  if (!bytes.empty()) console.platform.Write(Stream::Error, bytes);
}

std::string ReportText(StatementKind kind, int number, std::string_view message) {
  std::string report;
  report.reserve(64 + message.size());
  report += kLineEnd;
  report += "run-time error ";
  report += kind == StatementKind::Math ? 'M' : 'F';
  for (int unit = 1000; unit > 0; unit /= 10) {
    report += static_cast<char>('0' + number / unit % 10);
  }
  switch (kind) {
    case StatementKind::Read:
      report += ": READ(";
      break;
    case StatementKind::Write:
      report += ": WRITE(";
      break;
    case StatementKind::Math:
      report += ": MATH\r\n- ";
      break;
    case StatementKind::None:
      report += "\r\n- ";
      break;
  }
  if (kind == StatementKind::Read || kind == StatementKind::Write) {
    report += "CON";
    report += message.empty() ? ")\r\n" : ")\r\n- ";
  }
  report += message;
  report += kLineEnd;
  return report;
}

}  // namespace

void RaiseRunTimeError(Console& console, StatementKind kind, int number, std::string_view message) {
  // The text is freed before the exit: nothing is left allocated when the process ends.
  WriteError(console, ReportText(kind, number, message));
  if (console.exitInProgress) console.platform.Exit(console.exitStatus);
  ExitProgram(console, 1);
}

void RaiseConsoleFailure(Console& console, ConsoleFailure failure) {
  const bool writing = failure == ConsoleFailure::ReadOnly || failure == ConsoleFailure::DeviceFull;
  const FailureText text = Describe(failure);
  RaiseRunTimeError(console, writing ? StatementKind::Write : StatementKind::Read, text.number,
                    text.message);
}

void StopProgram(Console& console) {
  CloseLineAtStop(console);
  console.platform.Write(Stream::Output, std::string_view("Stop - Program terminated.\r\n"));
  ExitProgram(console, 0);
}

void ExitProgram(Console& console, int status) {
  console.exitStatus = status;
  EndOfRun(console);
  console.platform.Exit(status);
  std::abort();  // Exit does not return; the compiler cannot see that through the call
}

void EndOfRun(Console& console) {
  if (console.exitInProgress) return;
  console.exitInProgress = true;
  CloseLineAtExit(console);
}

}  // namespace hygrian
