// End-to-end harness: runs the built hygrian binary as a child process, feeds it
// typed input through a pipe or a pseudo-terminal, and collects standard output,
// standard error and the exit status, byte for byte. Header-only because every
// test file is its own executable.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#ifndef HYGRIAN_BINARY
#error "HYGRIAN_BINARY must name the program under test"
#endif

namespace hygrian::e2e {

// What one run of the program left behind. `status` is the exit status, or the
// negated signal number when the process was killed by a signal.
struct RunResult {
  std::string out;
  std::string err;
  int status = 0;
};

// A run that has not finished by then is killed and fails the test.
inline constexpr std::chrono::seconds kRunTimeout{10};
// The same under a wrapper such as valgrind, which runs the program far slower.
inline constexpr std::chrono::seconds kWrappedRunTimeout{180};

// The command line that starts the program: the words of the environment
// variable HYGRIAN_E2E_WRAPPER, split at blanks, in front of the binary, e.g.
// HYGRIAN_E2E_WRAPPER="valgrind --log-file=vg.%p --error-exitcode=99". Built once,
// in the parent, so the child between fork and exec only reads it.
struct ProgramCommand {
  std::vector<std::string> words;
  std::vector<char*> argv;  // points into words, ends with a null pointer
  bool wrapped = false;
};

inline const ProgramCommand& Command() {
  static const ProgramCommand command = [] {
    ProgramCommand built;
    if (const char* wrapper = std::getenv("HYGRIAN_E2E_WRAPPER")) {
      std::istringstream words(wrapper);
      for (std::string word; words >> word;) built.words.push_back(word);
    }
    built.wrapped = !built.words.empty();
    built.words.emplace_back(HYGRIAN_BINARY);
    for (std::string& word : built.words) built.argv.push_back(word.data());
    built.argv.push_back(nullptr);
    return built;
  }();
  return command;
}

inline std::chrono::seconds RunTimeout() {
  return Command().wrapped ? kWrappedRunTimeout : kRunTimeout;
}

// Owns one file descriptor; closing twice is harmless.
class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = other.fd_;
      other.fd_ = -1;
    }
    return *this;
  }
  ~Fd() { Close(); }
  // Named like the accessors of the standard library's handle types.
  int get() const { return fd_; }         // NOLINT(readability-identifier-naming)
  bool open() const { return fd_ >= 0; }  // NOLINT(readability-identifier-naming)
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

struct PipeFds {
  Fd read;
  Fd write;
};

inline PipeFds MakePipe() {
  std::array<int, 2> fds{-1, -1};
  if (::pipe2(fds.data(), O_CLOEXEC) != 0) ADD_FAILURE() << "pipe2 failed, errno " << errno;
  return PipeFds{Fd(fds[0]), Fd(fds[1])};
}

inline void SetNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

// The parent writes into pipes that the child may already have left, so a broken
// pipe has to come back as EPIPE rather than kill the test process.
inline void IgnoreBrokenPipeInTests() { (void)::signal(SIGPIPE, SIG_IGN); }

// In the child, between fork and exec: only async-signal-safe calls (Command()
// has been built by the parent). The program starts with the default action for
// every signal a test sends or a shell may leave ignored, and none blocked, as it
// would from an interactive shell, whatever the test runner inherited.
[[noreturn]] inline void ExecProgram() {
  struct sigaction defaultAction {};
  defaultAction.sa_handler = SIG_DFL;
  for (const int signal : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGWINCH, SIGCONT}) {
    ::sigaction(signal, &defaultAction, nullptr);
  }
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  const ProgramCommand& command = Command();
  ::execvp(command.argv[0], command.argv.data());
  static constexpr char kMessage[] = "exec of " HYGRIAN_BINARY " failed\n";
  [[maybe_unused]] const auto ignored = ::write(2, kMessage, sizeof kMessage - 1);
  ::_exit(127);
}

inline int DecodeStatus(int raw) {
  if (WIFEXITED(raw)) return WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) return -WTERMSIG(raw);
  return -1000;
}

// One descriptor that the parent drains into a string until end of file (or, for
// a pseudo-terminal master, until EIO once the child side has gone).
struct Sink {
  int fd;
  std::string* bytes;
  bool done = false;
};

// How the input reaches the program: whole, as fast as the pipe takes it, or in
// pieces that end at the given offsets (ascending, inside the input), with a
// pause after each piece, so that each piece reaches the program in a read of
// its own.
struct Pacing {
  std::vector<std::size_t> cuts;
  std::chrono::milliseconds pause{0};
};

// What Supervise does besides feeding the input and draining the sinks. With
// `awaited` given, the typing starts only once `screen` shows that text, and
// `whenAwaited` (if any) runs once at that moment, before the first byte is
// typed.
struct Supervision {
  const std::string* screen = nullptr;
  std::string_view awaited;
  Pacing pacing;
  std::function<void()> whenAwaited;
};

// Feeds `input` to `inputFd` (closed once all of it is written, or when the child
// stops reading) while draining every sink, then reaps the child. One poll()
// drives everything, so neither side can stall the other. Each ready sink gets
// one blocking read: a non-blocking read of a pseudo-terminal master can report
// EIO while the last output of the child is still on its way.
inline int Supervise(pid_t child, Fd inputFd, std::string_view input, std::vector<Sink> sinks,
                     bool inputIsPipe, const Supervision& how) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + RunTimeout();
  std::size_t written = 0;
  std::size_t nextCut = 0;  // index into how.pacing.cuts
  auto resumeAt = Clock::now();
  bool awaitedSeen = how.screen == nullptr;
  if (awaitedSeen && how.whenAwaited) how.whenAwaited();
  if (inputIsPipe) {
    if (inputFd.open()) SetNonBlocking(inputFd.get());
    if (input.empty()) inputFd.Close();
  }

  bool timedOut = false;
  for (;;) {
    if (!awaitedSeen && how.screen->find(how.awaited) != std::string::npos) {
      awaitedSeen = true;
      if (how.whenAwaited) how.whenAwaited();
    }
    const bool pausing = Clock::now() < resumeAt;
    const bool writing = inputFd.open() && written < input.size() && awaitedSeen && !pausing;
    std::vector<pollfd> polled;
    std::vector<Sink*> polledSinks;
    for (Sink& sink : sinks) {
      if (sink.done) continue;
      polled.push_back(pollfd{sink.fd, POLLIN, 0});
      polledSinks.push_back(&sink);
    }
    if (polledSinks.empty()) break;  // every sink has ended
    if (writing) polled.push_back(pollfd{inputFd.get(), POLLOUT, 0});

    const auto now = Clock::now();
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    if (pausing) {
      left = std::min(left, std::chrono::duration_cast<std::chrono::milliseconds>(resumeAt - now) +
                                std::chrono::milliseconds(1));
    }
    const int ready = ::poll(polled.data(), polled.size(), static_cast<int>(left.count()));
    if (ready < 0) {
      if (errno == EINTR) continue;
      ADD_FAILURE() << "poll failed, errno " << errno;
      break;
    }

    if (writing && polled.back().revents != 0) {
      const std::vector<std::size_t>& cuts = how.pacing.cuts;
      while (nextCut < cuts.size() && cuts[nextCut] <= written) ++nextCut;
      const std::size_t pieceEnd = nextCut < cuts.size() ? cuts[nextCut] : input.size();
      const ssize_t n = ::write(inputFd.get(), input.data() + written, pieceEnd - written);
      if (n > 0) {
        written += static_cast<std::size_t>(n);
        if (written == pieceEnd && pieceEnd < input.size()) {
          resumeAt = Clock::now() + how.pacing.pause;
        }
        if (written == input.size() && inputIsPipe) inputFd.Close();
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        inputFd.Close();  // the child has stopped reading
      }
    }
    for (std::size_t i = 0; i < polledSinks.size(); ++i) {
      if (polled[i].revents == 0) continue;
      Sink& sink = *polledSinks[i];
      std::array<char, 4096> buffer{};
      const ssize_t n = ::read(sink.fd, buffer.data(), buffer.size());
      if (n > 0) {
        sink.bytes->append(buffer.data(), static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        sink.done = true;  // end of file, or EIO from a master whose slave is gone
      }
    }
  }

  if (timedOut) {
    ADD_FAILURE() << "the program did not finish within " << RunTimeout().count() << " s";
    ::kill(child, SIGKILL);
  }
  int raw = 0;
  while (::waitpid(child, &raw, 0) < 0 && errno == EINTR) {
  }
  return DecodeStatus(raw);
}

// The same, typing once `screen` shows `awaited` (when both are given).
inline int Supervise(pid_t child, Fd inputFd, std::string_view input, std::vector<Sink> sinks,
                     bool inputIsPipe, const std::string* screen = nullptr,
                     std::string_view awaited = {}) {
  Supervision how;
  how.screen = awaited.empty() ? nullptr : screen;
  how.awaited = awaited;
  return Supervise(child, std::move(inputFd), input, std::move(sinks), inputIsPipe, how);
}

// Runs the program with standard input a pipe that carries `input` and is then
// closed. Standard output goes to `stdoutFd` when it is given (the caller keeps
// ownership), otherwise into RunResult::out; standard error always into
// RunResult::err.
inline RunResult RunWithStdout(std::string_view input, int stdoutFd, Pacing pacing = {}) {
  IgnoreBrokenPipeInTests();
  Command();
  RunResult result;
  PipeFds in = MakePipe();
  PipeFds err = MakePipe();
  PipeFds out;
  const bool captureOut = stdoutFd < 0;
  if (captureOut) out = MakePipe();

  const pid_t child = ::fork();
  if (child < 0) {
    ADD_FAILURE() << "fork failed, errno " << errno;
    return result;
  }
  if (child == 0) {
    ::dup2(in.read.get(), 0);
    ::dup2(captureOut ? out.write.get() : stdoutFd, 1);
    ::dup2(err.write.get(), 2);
    ExecProgram();
  }
  in.read.Close();
  out.write.Close();
  err.write.Close();

  std::vector<Sink> sinks{Sink{err.read.get(), &result.err}};
  if (captureOut) sinks.push_back(Sink{out.read.get(), &result.out});
  Supervision how;
  how.pacing = std::move(pacing);
  result.status = Supervise(child, std::move(in.write), input, std::move(sinks), true, how);
  return result;
}

// Standard input, output and error all pipes.
inline RunResult RunWithPipes(std::string_view input) { return RunWithStdout(input, -1); }

// The same, the input handed over in pieces with pauses between them.
inline RunResult RunWithPipesInPieces(std::string_view input, Pacing pacing) {
  return RunWithStdout(input, -1, std::move(pacing));
}

// Which standard streams of the program are the pseudo-terminal; the others are
// pipes.
enum class Terminal {
  InputAndOutput,  // an interactive console
  InputOnly,       // typed at a terminal, output redirected to a pipe
  OutputOnly,      // input redirected from a pipe, output on a terminal
};

// Opens a pseudo-terminal for a test: no echo, no output processing and no
// translation of typed line ends, so the master sees exactly the program's bytes
// and the program exactly the typed ones; canonical mode, so each read the
// program makes returns one typed line; "\x04" at the start of a line is the
// end-of-input key and Ctrl-C interrupts. Both ends are closed on exec.
inline bool OpenTestTerminal(Fd& master, Fd& slave) {
  int masterFd = -1;
  int slaveFd = -1;
  if (::openpty(&masterFd, &slaveFd, nullptr, nullptr, nullptr) != 0) {
    ADD_FAILURE() << "openpty failed, errno " << errno;
    return false;
  }
  master = Fd(masterFd);
  slave = Fd(slaveFd);
  ::fcntl(master.get(), F_SETFD, FD_CLOEXEC);
  ::fcntl(slave.get(), F_SETFD, FD_CLOEXEC);

  termios mode{};
  ::tcgetattr(slave.get(), &mode);
  mode.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ECHONL);
  mode.c_lflag |= ICANON | ISIG;  // one line per read; Ctrl-C interrupts
  mode.c_cc[VINTR] = 0x03;
  mode.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR);
  mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  mode.c_cc[VEOF] = 0x04;
  mode.c_cc[VSUSP] = _POSIX_VDISABLE;  // Ctrl-Z is typed as data, not as a stop signal
  if (::tcsetattr(slave.get(), TCSANOW, &mode) != 0) {
    ADD_FAILURE() << "tcsetattr failed, errno " << errno;
  }
  return true;
}

// Runs the program at a pseudo-terminal. Standard error is always a separate
// pipe. The terminal does no echo, no output processing and no translation of
// typed line ends, so the master sees exactly the program's bytes and the
// program exactly the typed ones; it is in canonical mode, so each read the program
// makes from it returns one typed line, and "\x04" at the start of a line is the
// end-of-input key (a read of zero bytes). Whatever the program writes goes into
// RunResult::out, from the terminal or from the pipe. With `typeAfter` given,
// nothing is typed before that text has appeared on standard output.
inline RunResult RunAtTerminal(std::string_view typed, Terminal which,
                               std::string_view typeAfter = {}) {
  IgnoreBrokenPipeInTests();
  Command();
  RunResult result;
  Fd master;
  Fd slave;
  if (!OpenTestTerminal(master, slave)) return result;

  const bool typedAtTerminal = which != Terminal::OutputOnly;
  const bool shownAtTerminal = which != Terminal::InputOnly;
  PipeFds err = MakePipe();
  PipeFds in;
  PipeFds out;
  if (!typedAtTerminal) in = MakePipe();
  if (!shownAtTerminal) out = MakePipe();

  const pid_t child = ::fork();
  if (child < 0) {
    ADD_FAILURE() << "fork failed, errno " << errno;
    return result;
  }
  if (child == 0) {
    ::setsid();
    ::ioctl(slave.get(), TIOCSCTTY, 0);
    ::dup2(typedAtTerminal ? slave.get() : in.read.get(), 0);
    ::dup2(shownAtTerminal ? slave.get() : out.write.get(), 1);
    ::dup2(err.write.get(), 2);
    ExecProgram();
  }
  // Only the child may hold the slave side, so that the master reports EIO as
  // soon as the child has gone.
  slave.Close();
  err.write.Close();
  in.read.Close();
  out.write.Close();

  std::string terminalScreen;
  std::vector<Sink> sinks{Sink{err.read.get(), &result.err},
                          Sink{master.get(), shownAtTerminal ? &result.out : &terminalScreen}};
  if (!shownAtTerminal) sinks.push_back(Sink{out.read.get(), &result.out});
  if (typedAtTerminal) {
    // The master is keyboard and screen at once, so it stays open after the
    // typing is done.
    Fd keyboard(::dup(master.get()));
    ::fcntl(keyboard.get(), F_SETFD, FD_CLOEXEC);
    result.status = Supervise(child, std::move(keyboard), typed, std::move(sinks), false,
                              typeAfter.empty() ? nullptr : &result.out, typeAfter);
  } else {
    result.status = Supervise(child, std::move(in.write), typed, std::move(sinks), true,
                              typeAfter.empty() ? nullptr : &result.out, typeAfter);
  }
  EXPECT_EQ(terminalScreen, "") << "nothing should appear at a terminal used only for typing";
  return result;
}

// Standard input and standard output both the terminal: an interactive console.
inline RunResult RunInPty(std::string_view typed) {
  return RunAtTerminal(typed, Terminal::InputAndOutput);
}

// Names each parameterised test after its row's `name`.
struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
    return std::string(row.param.name);
  }
};

// Shows control bytes in failure messages, so that a missing CR LF is visible.
inline std::string Visible(std::string_view bytes) {
  std::string shown;
  for (const char c : bytes) {
    switch (c) {
      case '\r':
        shown += "\\r";
        break;
      case '\n':
        shown += "\\n\n";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
          static constexpr char kHex[] = "0123456789ABCDEF";
          shown += "\\x";
          shown += kHex[(static_cast<unsigned char>(c) >> 4) & 0xF];
          shown += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
          shown += c;
        }
    }
  }
  return shown;
}

// Compares all three results exactly; the strings are shown with their control
// bytes made visible.
inline void ExpectRun(const RunResult& actual, std::string_view out, std::string_view err,
                      int status) {
  EXPECT_EQ(Visible(actual.out), Visible(out)) << "standard output differs";
  EXPECT_EQ(Visible(actual.err), Visible(err)) << "standard error differs";
  EXPECT_EQ(actual.status, status) << "exit status differs";
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
  std::string s;
  s += "\r\n\r\n\r\n";
  s += "\r\nTHE RESULTS ARE:";
  s += "\r\n     DRY-BULB TEMPERATURE: ";
  s += f.dryBulb;
  s += " DEGREES C";
  s += "\r\n     WET-BULB TEMPERATURE: ";
  s += f.wetBulb;
  s += " DEGREES C";
  s += "\r\n     DEW POINT TEMPERATURE: ";
  s += f.dewPoint;
  s += " DEGREES C";
  s += "\r\n     RELATIVE HUMIDITY: ";
  s += f.relativeHumidity;
  s += " PERCENT";
  s += "\r\n     ENTHALPY: ";
  s += f.enthalpy;
  s += " J/G";
  s += "\r\n     HUMIDITY RATIO: ";
  s += f.humidityRatio;
  s += "\r\n     DEGREE OF SATURATION: ";
  s += f.degreeOfSaturation;
  s += "\r\n     SPECIFIC VOLUME: ";
  s += f.specificVolume;
  s += " CU. M/KG";
  s += "\r\n     VAPOR PARTIAL PRESSURE: ";
  s += f.vaporPressure;
  s += " KPA";
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
