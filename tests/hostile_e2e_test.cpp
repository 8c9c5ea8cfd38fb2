// The built program in hostile surroundings: standard input closed, a
// directory, /dev/null or a non-blocking pipe with nothing in it; standard error
// closed or full when a report is due; signals that arrive while it waits in a
// read; one standard stream a terminal and the other a pipe.
#include <fcntl.h>
#include <sys/ioctl.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "tests/calculator_e2e.h"

namespace hygrian::e2e {
namespace {

using std::chrono::milliseconds;

// Result fields worked out by hand from the moist-air relations and the field rules.
constexpr Fields kDryWet25And20{" 25.00",      " 20.00",    " 17.56", "63.48", "  57.22",
                                "  .1260E-01", "    .6274", "  .862", " 2.012"};

constexpr std::string_view kSession = "1\n25 20\n2\n";

enum class Input {
  Pipe,                  // a pipe that carries `typed`, then ends
  Terminal,              // `typed` at a pseudo-terminal
  Closed,                // no descriptor 0 at all
  Directory,             // a directory opened for reading
  DevNull,               // /dev/null: end of input at once
  EmptyNonBlockingPipe,  // a non-blocking pipe whose writer stays open and silent
};

enum class Output { Pipe, Terminal };

enum class Errors {
  Pipe,    // captured
  Closed,  // no descriptor 2
  Full,    // /dev/full: every write fails with ENOSPC
};

// What happens while the program waits in its first read; `master` is the
// pseudo-terminal's master, or -1.
using During = std::function<void(pid_t child, int master)>;

struct HostileRow {
  std::string_view name;
  Input input;
  Output output;
  Errors errors;
  std::string_view typed;
  During during;  // empty: nothing
  std::string out;
  std::string err;
  int status;
};

void PrintTo(const HostileRow& row, std::ostream* os) { *os << row.name; }

// Waits (up to a few seconds) until the child is blocked in read() on
// descriptor 0, as /proc shows its current system call.
void AwaitRead(pid_t child) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  const std::string path = "/proc/" + std::to_string(child) + "/syscall";
  while (std::chrono::steady_clock::now() < deadline) {
    std::ifstream in(path);
    std::string number;
    std::string fd;
    if (in >> number >> fd && number == "0" && fd == "0x0") return;
    std::this_thread::sleep_for(milliseconds(5));
  }
  ADD_FAILURE() << "the program was not seen waiting in a read";
}

// Sends the signals in order, a short pause after each.
During Send(const std::vector<int>& signals) {
  return [signals](pid_t child, int) {
    AwaitRead(child);
    for (const int signal : signals) {
      ::kill(child, signal);
      std::this_thread::sleep_for(milliseconds(50));
    }
  };
}

// Resizes the terminal, which sends SIGWINCH to the program in the foreground.
During Resize() {
  return [](pid_t child, int master) {
    AwaitRead(child);
    winsize size{};
    size.ws_row = 40;
    size.ws_col = 100;
    ::ioctl(master, TIOCSWINSZ, &size);
    std::this_thread::sleep_for(milliseconds(50));
  };
}

Fd OpenForChild(const char* path, int flags) {
  Fd fd(::open(path, flags | O_CLOEXEC));
  if (!fd.open()) ADD_FAILURE() << "cannot open " << path << ", errno " << errno;
  return fd;
}

RunResult RunHostile(const HostileRow& row) {
  IgnoreBrokenPipeInTests();
  const ProgramCommand command = MakeCommand(kCalculator, {});
  RunResult result;
  Fd master;
  Fd slave;
  const bool terminal = row.input == Input::Terminal || row.output == Output::Terminal;
  if (terminal && !OpenTestTerminal(master, slave)) return result;

  PipeFds in;
  Fd inputFd;
  switch (row.input) {
    case Input::Pipe:
    case Input::EmptyNonBlockingPipe:
      in = MakePipe();
      if (row.input == Input::EmptyNonBlockingPipe) SetNonBlocking(in.read.get());
      break;
    case Input::Directory:
      inputFd = OpenForChild("/", O_RDONLY | O_DIRECTORY);
      break;
    case Input::DevNull:
      inputFd = OpenForChild("/dev/null", O_RDONLY);
      break;
    case Input::Terminal:
    case Input::Closed:
      break;
  }
  PipeFds out = row.output == Output::Pipe ? MakePipe() : PipeFds{};
  PipeFds err = row.errors == Errors::Pipe ? MakePipe() : PipeFds{};
  Fd full = row.errors == Errors::Full ? OpenForChild("/dev/full", O_WRONLY) : Fd{};

  const pid_t child = ::fork();
  if (child < 0) {
    ADD_FAILURE() << "fork failed, errno " << errno;
    return result;
  }
  if (child == 0) {
    if (terminal) {
      ::setsid();
      ::ioctl(slave.get(), TIOCSCTTY, 0);
    }
    const int inputSource = row.input == Input::Terminal ? slave.get()
                            : in.read.open()             ? in.read.get()
                                                         : inputFd.get();
    if (inputSource >= 0) {
      ::dup2(inputSource, 0);
    } else {
      ::close(0);
    }
    ::dup2(row.output == Output::Terminal ? slave.get() : out.write.get(), 1);
    if (row.errors == Errors::Closed) {
      ::close(2);
    } else {
      ::dup2(row.errors == Errors::Full ? full.get() : err.write.get(), 2);
    }
    ExecProgram(command);
  }
  slave.Close();
  in.read.Close();
  out.write.Close();
  err.write.Close();
  inputFd.Close();
  full.Close();

  std::string terminalScreen;
  std::vector<Sink> sinks;
  if (err.read.open()) sinks.push_back(Sink{err.read.get(), &result.err});
  if (out.read.open()) sinks.push_back(Sink{out.read.get(), &result.out});
  if (master.open()) {
    sinks.push_back(
        Sink{master.get(), row.output == Output::Terminal ? &result.out : &terminalScreen});
  }
  Supervision how;
  how.timeout = command.timeout;
  const int masterFd = master.get();
  if (row.during) how.whenAwaited = [&row, child, masterFd] { row.during(child, masterFd); };
  Fd typing;
  bool typingIsPipe = true;
  if (row.input == Input::Terminal) {
    typing = Fd(::dup(master.get()));
    typingIsPipe = false;
  } else if (row.input == Input::Pipe) {
    typing = std::move(in.write);
  }
  // The empty pipe's writer stays open (and silent) until the run is over.
  result.status =
      Supervise(child, std::move(typing), row.typed, std::move(sinks), typingIsPipe, how);
  EXPECT_EQ(terminalScreen, "") << "nothing should appear at a terminal used only for typing";
  return result;
}

std::vector<HostileRow> HostileRows() {
  const std::string intro = Introduction();
  const std::string session = intro + std::string(kPromptDryWet) + Results(kDryWet25And20);
  const std::string stopped = session + std::string(kStopRedirected);
  const std::string open(kEndOfRunOpenLine);
  const std::string readFailed = ReadError("F6500", "file not open for reading or file locked");
  const std::string endOfFile = ReadError("F6501", "end of file encountered");
  const std::string invalidInteger = ReadError("F6101", "invalid INTEGER");
  const std::string logOfZero = MathError("M6202", "log: SING error");
  const std::string afterRh = intro + std::string(kPromptDryRh);
  using I = Input;
  using O = Output;
  using E = Errors;
  return {
      // Standard input that cannot be read, or holds nothing.
      {"InputClosed", I::Closed, O::Pipe, E::Pipe, "", {}, intro + open, readFailed, 1},
      {"InputDirectory", I::Directory, O::Pipe, E::Pipe, "", {}, intro + open, readFailed, 1},
      {"InputDevNull", I::DevNull, O::Pipe, E::Pipe, "", {}, intro + open, endOfFile, 1},
      {"InputEmptyNonBlockingPipe",
       I::EmptyNonBlockingPipe,
       O::Pipe,
       E::Pipe,
       "",
       {},
       intro + open,
       readFailed,
       1},
      // A report that cannot be written still ends the program with status 1.
      {"ErrorsClosedAtReadReport", I::Pipe, O::Pipe, E::Closed, "abc\n", {}, intro + open, "", 1},
      {"ErrorsFullAtReadReport", I::Pipe, O::Pipe, E::Full, "abc\n", {}, intro + open, "", 1},
      {"ErrorsClosedAtMathReport",
       I::Pipe,
       O::Pipe,
       E::Closed,
       "3\n25 0\n",
       {},
       afterRh + open,
       "",
       1},
      {"ErrorsFullAtMathReport", I::Pipe, O::Pipe, E::Full, "3\n25 0\n", {}, afterRh + open, "", 1},
      {"ErrorsFullAtTheStop", I::Pipe, O::Pipe, E::Full, kSession, {}, stopped, "", 0},
      {"ErrorsPipeForComparison",
       I::Pipe,
       O::Pipe,
       E::Pipe,
       "3\n25 0\n",
       {},
       afterRh + open,
       logOfZero,
       1},
      // Signals that end the process: no report, no closing line end.
      {"InterruptDuringRead", I::Pipe, O::Pipe, E::Pipe, kSession, Send({SIGINT}), intro, "",
       -SIGINT},
      {"TerminateDuringRead", I::Pipe, O::Pipe, E::Pipe, kSession, Send({SIGTERM}), intro, "",
       -SIGTERM},
      {"HangUpDuringRead", I::Pipe, O::Pipe, E::Pipe, kSession, Send({SIGHUP}), intro, "", -SIGHUP},
      {"InterruptDuringReadAtTerminal", I::Terminal, O::Terminal, E::Pipe, kSession, Send({SIGINT}),
       intro + "\r\n", "", -SIGINT},
      // Signals after which the read simply goes on.
      {"StopAndContinueDuringRead", I::Pipe, O::Pipe, E::Pipe, kSession, Send({SIGSTOP, SIGCONT}),
       stopped, "", 0},
      {"StopAndContinueDuringReadAtTerminal", I::Terminal, O::Terminal, E::Pipe, kSession,
       Send({SIGSTOP, SIGCONT}), session + std::string(kStopAtTerminal), "", 0},
      {"WindowChangeDuringReadAtTerminal", I::Terminal, O::Terminal, E::Pipe, kSession, Resize(),
       session + std::string(kStopAtTerminal), "", 0},
      {"WindowChangeSignalDuringRead", I::Pipe, O::Pipe, E::Pipe, kSession, Send({SIGWINCH}),
       stopped, "", 0},
      // One stream a terminal, the other a pipe: both read and write as redirected.
      {"OutputTerminalInputPipe", I::Pipe, O::Terminal, E::Pipe, kSession, {}, stopped, "", 0},
      {"InputTerminalOutputPipe", I::Terminal, O::Pipe, E::Pipe, kSession, {}, stopped, "", 0},
      {"OutputTerminalInputPipeEnds",
       I::Pipe,
       O::Terminal,
       E::Pipe,
       "1\n",
       {},
       intro + std::string(kPromptDryWet) + open,
       endOfFile,
       1},
  };
}

class HostileTest : public ::testing::TestWithParam<HostileRow> {};

TEST_P(HostileTest, Run) {
  const HostileRow& row = GetParam();
  ExpectRun(RunHostile(row), row.out, row.err, row.status);
}

INSTANTIATE_TEST_SUITE_P(Surroundings, HostileTest, ::testing::ValuesIn(HostileRows()), RowName());

}  // namespace
}  // namespace hygrian::e2e
