// End-to-end runner: starts a built program as a child process with the given
// arguments, feeds its standard input through a pipe, a file or a
// pseudo-terminal, and collects standard output, standard error and the exit
// status, byte for byte. Command-line cases are rows of a table (program,
// arguments, files, standard input, expected output, error and status) that one
// parametrised test runs. Header-only because every test file is its own
// executable.
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
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hygrian::e2e {

// What one run of the program left behind. `status` is the exit status, or the
// negated signal number when the process was killed by a signal.
struct RunResult {
  std::string out;
  std::string err;
  int status = 0;
};

// A program under test: the path of the built binary (or a name searched on
// PATH). A `wrapped` program starts under the words of the environment variable
// HYGRIAN_E2E_WRAPPER, split at blanks, when that is set, e.g.
// HYGRIAN_E2E_WRAPPER="valgrind --log-file=vg.%p --error-exitcode=99".
struct Program {
  const char* path;
  bool wrapped = false;
};

// A run that has not finished by then is killed and fails the test.
inline constexpr std::chrono::seconds kRunTimeout{60};
// The same under a wrapper such as valgrind, which runs the program far slower.
inline constexpr std::chrono::seconds kWrappedRunTimeout{180};

// The command line of one run, built in the parent, so that the child between
// fork and exec only reads it.
struct ProgramCommand {
  std::vector<std::string> words;
  std::vector<char*> argv;  // points into words, ends with a null pointer
  std::chrono::seconds timeout = kRunTimeout;
};

inline ProgramCommand MakeCommand(const Program& program, const std::vector<std::string>& args) {
  ProgramCommand built;
  const char* wrapper = program.wrapped ? std::getenv("HYGRIAN_E2E_WRAPPER") : nullptr;
  if (wrapper != nullptr) {
    std::istringstream words(wrapper);
    for (std::string word; words >> word;) built.words.push_back(word);
  }
  if (!built.words.empty()) built.timeout = kWrappedRunTimeout;
  built.words.emplace_back(program.path);
  built.words.insert(built.words.end(), args.begin(), args.end());
  for (std::string& word : built.words) built.argv.push_back(word.data());
  built.argv.push_back(nullptr);
  return built;
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

// In the child, between fork and exec: only async-signal-safe calls. The program
// starts with the default action for every signal a test sends or a shell may
// leave ignored, and none blocked, as it would from an interactive shell,
// whatever the test runner inherited.
[[noreturn]] inline void ExecProgram(const ProgramCommand& command) {
  struct sigaction defaultAction {};
  defaultAction.sa_handler = SIG_DFL;
  for (const int signal : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGWINCH, SIGCONT}) {
    ::sigaction(signal, &defaultAction, nullptr);
  }
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  ::execvp(command.argv[0], command.argv.data());
  static constexpr char kMessage[] = "exec failed: ";
  [[maybe_unused]] auto ignored = ::write(2, kMessage, sizeof kMessage - 1);
  ignored = ::write(2, command.argv[0], std::strlen(command.argv[0]));
  ignored = ::write(2, "\n", 1);
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
  std::chrono::seconds timeout = kRunTimeout;
};

// Feeds `input` to `inputFd` (closed once all of it is written, or when the child
// stops reading) while draining every sink, then reaps the child. One poll()
// drives everything, so neither side can stall the other. Each ready sink gets
// one blocking read: a non-blocking read of a pseudo-terminal master can report
// EIO while the last output of the child is still on its way.
inline int Supervise(pid_t child, Fd inputFd, std::string_view input, std::vector<Sink> sinks,
                     bool inputIsPipe, const Supervision& how) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + how.timeout;
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
    ADD_FAILURE() << "the program did not finish within " << how.timeout.count() << " s";
    ::kill(child, SIGKILL);
  }
  int raw = 0;
  while (::waitpid(child, &raw, 0) < 0 && errno == EINTR) {
  }
  return DecodeStatus(raw);
}

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

// How one run is started, besides the program.
struct Invocation {
  std::vector<std::string> args;
  std::string_view input;      // through a pipe that is then closed (or typed at a terminal)
  std::string inputFile;       // instead of `input`: standard input opened from this file
  int stdoutFd = -1;           // standard output to this descriptor (the caller keeps it),
                               // instead of into RunResult::out
  std::string directory;       // the program's working directory; empty: the test's own
  Pacing pacing;               // how `input` is handed over
  std::string_view typeAfter;  // nothing is typed before standard output shows this
};

// Which standard streams of the program are the pseudo-terminal; the others are
// pipes (or what the invocation names).
enum class Terminal {
  InputAndOutput,   // an interactive console
  InputOnly,        // typed at a terminal, output redirected to a pipe
  OutputOnly,       // input redirected from a pipe, output on a terminal
  ErrorsOnly,       // messages at a terminal, input and output redirected
  OutputAndErrors,  // input redirected, output and messages at one terminal
};

// Runs `program` as `how` says, with the streams that `terminal` names at a test
// terminal (see OpenTestTerminal). Whatever the terminal shows goes into
// RunResult::out when standard output is the terminal, into RunResult::err when
// only standard error is; a terminal used only for typing must show nothing.
inline RunResult Run(const Program& program, const Invocation& how,
                     std::optional<Terminal> terminal = std::nullopt) {
  IgnoreBrokenPipeInTests();
  const ProgramCommand command = MakeCommand(program, how.args);
  RunResult result;
  const bool typed = terminal == Terminal::InputAndOutput || terminal == Terminal::InputOnly;
  const bool shown = terminal == Terminal::InputAndOutput || terminal == Terminal::OutputOnly ||
                     terminal == Terminal::OutputAndErrors;
  const bool told = terminal == Terminal::ErrorsOnly || terminal == Terminal::OutputAndErrors;
  Fd master;
  Fd slave;
  if (terminal && !OpenTestTerminal(master, slave)) return result;
  Fd inputFile;
  if (!how.inputFile.empty()) {
    inputFile = Fd(::open(how.inputFile.c_str(), O_RDONLY | O_CLOEXEC));
    if (!inputFile.open()) ADD_FAILURE() << "cannot open " << how.inputFile << ", errno " << errno;
  }
  PipeFds in = typed || inputFile.open() ? PipeFds{} : MakePipe();
  PipeFds out = shown || how.stdoutFd >= 0 ? PipeFds{} : MakePipe();
  PipeFds err = told ? PipeFds{} : MakePipe();

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
    if (!how.directory.empty() && ::chdir(how.directory.c_str()) != 0) ::_exit(126);
    ::dup2(typed ? slave.get() : inputFile.open() ? inputFile.get() : in.read.get(), 0);
    ::dup2(shown ? slave.get() : out.write.open() ? out.write.get() : how.stdoutFd, 1);
    ::dup2(told ? slave.get() : err.write.get(), 2);
    ExecProgram(command);
  }
  // Only the child may hold the slave side, so that the master reports EIO as
  // soon as the child has gone.
  slave.Close();
  inputFile.Close();
  in.read.Close();
  out.write.Close();
  err.write.Close();

  std::string terminalScreen;
  std::vector<Sink> sinks;
  if (err.read.open()) sinks.push_back(Sink{err.read.get(), &result.err});
  if (out.read.open()) sinks.push_back(Sink{out.read.get(), &result.out});
  if (master.open()) {
    sinks.push_back(Sink{master.get(), shown ? &result.out : told ? &result.err : &terminalScreen});
  }
  Supervision supervision;
  supervision.pacing = how.pacing;
  supervision.timeout = command.timeout;
  if (!how.typeAfter.empty()) {
    supervision.screen = &result.out;
    supervision.awaited = how.typeAfter;
  }
  // The master is keyboard and screen at once, so it stays open after the typing
  // is done.
  Fd keyboard = typed ? Fd(::fcntl(master.get(), F_DUPFD_CLOEXEC, 0)) : std::move(in.write);
  result.status =
      Supervise(child, std::move(keyboard), how.input, std::move(sinks), !typed, supervision);
  EXPECT_EQ(terminalScreen, "") << "nothing should appear at a terminal used only for typing";
  return result;
}

// Shows control bytes and backslashes escaped in failure messages, so that a
// missing CR LF is visible and no two different strings look the same.
inline std::string Visible(std::string_view bytes) {
  std::string shown;
  for (const char c : bytes) {
    switch (c) {
      case '\\':
        shown += "\\\\";
        break;
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

// Names each parameterised test after its row's `name`.
struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
    return std::string(row.param.name);
  }
};

// --- Command-line cases as rows --------------------------------------------------

// The whole content of a file; empty when it cannot be read.
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A private folder (mkdtemp, mode 0700), removed with everything in it at the
// end, so that nothing is left behind and runs never meet in the same file.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "hygrian-e2e-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make " << pattern;
    path_ = pattern;
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string Path(const std::string& name = "") const { return (path_ / name).string(); }
  // Writes a file; a name that ends with a slash makes a folder.
  void Write(const std::string& name, const std::string& bytes) const {
    if (!name.empty() && name.back() == '/') {
      std::filesystem::create_directory(path_ / name);
    } else {
      std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
  }
  std::string Read(const std::string& name) const { return ReadFile(Path(name)); }

 private:
  std::filesystem::path path_;
};

// The words that start a command as another user (uid, of group gid and of
// `groups` besides), for tests where ownership or a per-user limit matters:
// setpriv's, which only root may use; empty where this process cannot do that.
inline std::string AsUser(unsigned uid, unsigned gid, const std::vector<unsigned>& groups = {}) {
  if (::geteuid() != 0 || ::access("/usr/bin/setpriv", X_OK) != 0) return "";
  std::string words =
      "/usr/bin/setpriv --reuid=" + std::to_string(uid) + " --regid=" + std::to_string(gid);
  if (groups.empty()) return words + " --clear-groups --";
  words += " --groups=";
  for (const unsigned group : groups) words += std::to_string(group) + ",";
  words.back() = ' ';
  return words + "--";
}

// A file that a row writes into its scratch folder before the run.
struct File {
  std::string name;  // ending with a slash: an empty folder
  std::string bytes;
  // Not empty: instead, another name of this earlier file of the row's, a
  // symbolic link to it or (hardLink) a hard link.
  std::string linkTo = {};
  bool hardLink = false;
  // The bytes it must hold after the run, when the run writes it.
  std::optional<std::string> after = std::nullopt;
};

// One command-line case. The program runs in a scratch folder that holds
// `files`, so names in its messages are the short names the row gives; after
// the run the folder must hold exactly those files, unchanged.
struct CliRow {
  CliRow(std::string name_, Program program_, std::vector<std::string> args_, std::string input_,
         std::string out_, std::string err_, int status_, std::vector<File> files_ = {},
         std::string inputFile_ = {})
      : name(std::move(name_)),
        program(program_),
        args(std::move(args_)),
        input(std::move(input_)),
        out(std::move(out_)),
        err(std::move(err_)),
        status(status_),
        files(std::move(files_)),
        inputFile(std::move(inputFile_)) {}

  std::string name;
  Program program;
  std::vector<std::string> args;
  std::string input;  // standard input, through a pipe
  std::string out;    // expected standard output
  std::string err;    // expected standard error
  int status;         // expected exit status
  std::vector<File> files;
  std::string inputFile;  // instead of `input`: standard input from this file of `files`
};

inline void PrintTo(const CliRow& row, std::ostream* os) { *os << row.name; }

inline void ExpectRow(const CliRow& row) {
  ScratchFolder folder;
  for (const File& file : row.files) {
    if (file.linkTo.empty()) {
      folder.Write(file.name, file.bytes);
    } else if (file.hardLink) {
      std::filesystem::create_hard_link(folder.Path(file.linkTo), folder.Path(file.name));
    } else {
      std::filesystem::create_symlink(file.linkTo, folder.Path(file.name));
    }
  }
  Invocation how;
  how.args = row.args;
  how.input = row.input;
  how.directory = folder.Path();
  if (!row.inputFile.empty()) how.inputFile = folder.Path(row.inputFile);
  ExpectRun(Run(row.program, how), row.out, row.err, row.status);
  // The run changed none of the row's files and left no other file behind.
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    ++entries;
  }
  EXPECT_EQ(entries, row.files.size()) << "files in the folder after the run";
  // What a file must hold: a link's are those of the file it names.
  const auto expected = [&](const File& file) {
    for (const File& named : row.files) {
      if (!file.linkTo.empty() && named.name == file.linkTo) {
        return named.after.value_or(named.bytes);
      }
    }
    return file.after.value_or(file.bytes);
  };
  for (const File& file : row.files) {
    if (file.name.back() != '/') {
      EXPECT_EQ(folder.Read(file.name), expected(file)) << file.name;
    }
  }
}

// The test of a table of rows: TEST_P(CliTest, Run) { ExpectRow(GetParam()); }.
class CliTest : public ::testing::TestWithParam<CliRow> {};

}  // namespace hygrian::e2e
