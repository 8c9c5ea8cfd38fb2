// The transcripts of README.md and of the manual pages' examples run again:
// every code block of README.md that opens with a "$ " command, and every
// example (.EX to .EE) of a manual page that does, is replayed in a scratch
// folder with the built programs first on PATH, and each command's output and
// status must be what the block shows (a shown line that ends with "..." shows
// the start of the line written). A page's examples share one folder, in order;
// an example with typed input (bold lines between the outputs) is a terminal
// session, which the calculator's own tests hold. A page shows a command's
// standard output, then its standard error.
#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/e2e.h"

#ifndef HYGRIAN_README
#error "HYGRIAN_README must name README.md"
#endif
#ifndef HYGRIAN_SOURCE_DIR
#error "HYGRIAN_SOURCE_DIR must name the source tree"
#endif
#ifndef HYGRIAN_PROGRAM_PATH
#error "HYGRIAN_PROGRAM_PATH must name the folders of the built programs"
#endif
#ifndef HYGRIAN_MANUAL_PAGES
#error "HYGRIAN_MANUAL_PAGES must name the folder of the manual pages"
#endif

namespace hygrian::e2e {
namespace {

// One command of a transcript and the lines shown under it, without the block's
// four-space indent. A command continued with "> " lines is one command.
struct Command {
  std::string text;
  std::vector<std::string> shown;
};

using Transcript = std::vector<Command>;

// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

bool StartsWith(const std::string& line, const std::string& prefix) {
  return line.compare(0, prefix.size(), prefix) == 0;
}

// The transcripts: a code block whose first line opens with "    $ ", up to the
// next blank line.
std::vector<Transcript> Transcripts(const std::string& readme) {
  std::vector<Transcript> transcripts;
  bool inside = false;
  std::string previous;
  for (const std::string& line : Lines(readme)) {
    if (line.empty()) {
      inside = false;
    } else if (StartsWith(line, "    $ ") && (inside || previous.empty())) {
      if (!inside) transcripts.emplace_back();
      inside = true;
      transcripts.back().push_back({line.substr(6), {}});
    } else if (inside && StartsWith(line, "    > ")) {
      transcripts.back().back().text += "\n" + line.substr(6);
    } else if (inside) {
      transcripts.back().back().shown.push_back(line.size() > 4 ? line.substr(4) : "");
    }
    previous = line;
  }
  return transcripts;
}

// The shown lines joined as a program writes them.
std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

constexpr std::string_view kShortened = "...";

// What a program wrote as the block shows it: line for line, a shown line that
// ends with "..." standing for the lines that start with the rest of it.
std::string AsShown(const std::string& written, const std::vector<std::string>& shown) {
  std::vector<std::string> lines = Lines(written);
  for (std::size_t i = 0; i < lines.size() && i < shown.size(); ++i) {
    const std::string& line = shown[i];
    if (line.size() < kShortened.size() ||
        line.compare(line.size() - kShortened.size(), kShortened.size(), kShortened) != 0) {
      continue;
    }
    const std::string start = line.substr(0, line.size() - kShortened.size());
    if (StartsWith(lines[i], start)) lines[i] = line;
  }
  return Joined(lines);
}

// A manual page's line as it reads: its fonts and escapes undone.
std::string Plain(std::string line) {
  for (const auto& [from, to] :
       std::initializer_list<std::pair<std::string_view, std::string_view>>{{"\\fB", ""},
                                                                            {"\\fI", ""},
                                                                            {"\\fR", ""},
                                                                            {"\\fP", ""},
                                                                            {"\\-", "-"},
                                                                            {"\\(aq", "'"},
                                                                            {"\\(dq", "\""},
                                                                            {"\\(de", "\u00B0"},
                                                                            {"\\~", " "},
                                                                            {"\\&", ""},
                                                                            {"\\e", "\\"}}) {
    for (std::size_t at = line.find(from); at != std::string::npos;
         at = line.find(from, at + to.size())) {
      line.replace(at, from.size(), to);
    }
  }
  return line;
}

// The transcript of a manual page's example, from its lines: commands continued
// by a final backslash or by "> " lines, the lines they show; none when the
// first line is no "$ " command, or when the example is a terminal session
// (typed input in bold among the lines shown).
std::optional<Transcript> PageTranscript(const std::vector<std::string>& example) {
  if (example.empty() || !StartsWith(Plain(example.front()), "$ ")) return std::nullopt;
  Transcript transcript;
  bool continued = false;
  for (const std::string& raw : example) {
    const std::string line = Plain(raw);
    if (continued || StartsWith(line, "> ")) {
      transcript.back().text += "\n" + (continued ? line : line.substr(2));
    } else if (StartsWith(line, "$ ")) {
      transcript.push_back({line.substr(2), {}});
    } else if (raw.find("\\fB") != std::string::npos) {
      return std::nullopt;
    } else {
      transcript.back().shown.push_back(line);
    }
    continued = (continued || StartsWith(line, "$ ")) && !line.empty() && line.back() == '\\';
  }
  return transcript;
}

// The transcripts of a manual page's examples (.EX to .EE), in its order.
std::vector<Transcript> PageTranscripts(const std::string& page) {
  std::vector<Transcript> transcripts;
  std::optional<std::vector<std::string>> example;
  for (const std::string& line : Lines(page)) {
    if (line == ".EX") {
      example.emplace();
    } else if (line == ".EE" && example) {
      if (auto transcript = PageTranscript(*example)) transcripts.push_back(*transcript);
      example.reset();
    } else if (example) {
      example->push_back(line);
    }
  }
  return transcripts;
}

// Runs one transcript in `folder`. `cat FILE` shows a file: one of the source
// tree must read as shown, and either is written into the folder for the
// commands after it. `echo $?` shows the last status; a command that no
// `echo $?` follows must succeed. Any other command runs in the shell; a shown
// line that opens with the command's first word and a colon is its standard
// error, the others its standard output. A manual page (page) shows the
// standard output and then the standard error, each CR LF as a line end (a
// page shows no CR).
void Replay(const Transcript& transcript, const ScratchFolder& folder, bool page = false) {
  int lastStatus = 0;
  for (std::size_t i = 0; i < transcript.size(); ++i) {
    const Command& command = transcript[i];
    SCOPED_TRACE(command.text);
    const std::string shown = Joined(command.shown);
    if (StartsWith(command.text, "cat ")) {
      const std::string name = command.text.substr(4);
      const std::filesystem::path inTree = std::filesystem::path(HYGRIAN_SOURCE_DIR) / name;
      if (std::filesystem::exists(inTree)) {
        EXPECT_EQ(ReadFile(inTree.string()), shown) << "the tree's file differs";
      }
      std::filesystem::create_directories(std::filesystem::path(folder.Path(name)).parent_path());
      folder.Write(name, shown);
      continue;
    }
    if (command.text == "echo $?") {
      EXPECT_EQ(shown, std::to_string(lastStatus) + "\n");
      continue;
    }
    const std::string program = command.text.substr(0, command.text.find(' '));
    std::vector<std::string> out;
    std::vector<std::string> err;
    for (const std::string& line : command.shown) {
      (StartsWith(line, program + ": ") ? err : out).push_back(line);
    }
    Invocation how;
    how.args = {"-c", "PATH=" HYGRIAN_PROGRAM_PATH ":$PATH\n" + command.text};
    how.directory = folder.Path();
    const RunResult run = Run(Program{"/bin/sh"}, how);
    if (page) {
      std::string written = run.out + run.err;
      std::erase(written, '\r');
      EXPECT_EQ(Visible(AsShown(written, command.shown)), Visible(shown)) << "the output differs";
    } else {
      EXPECT_EQ(Visible(AsShown(run.out, out)), Visible(Joined(out))) << "standard output differs";
      EXPECT_EQ(Visible(AsShown(run.err, err)), Visible(Joined(err))) << "standard error differs";
    }
    lastStatus = run.status;
    if (i + 1 == transcript.size() || transcript[i + 1].text != "echo $?") {
      EXPECT_EQ(run.status, 0) << "exit status";
    }
  }
}

TEST(Readme, TranscriptsReplay) {
  const std::vector<Transcript> transcripts = Transcripts(ReadFile(HYGRIAN_README));
  EXPECT_FALSE(transcripts.empty()) << "README shows no transcript";
  for (const Transcript& transcript : transcripts) {
    ScratchFolder folder;
    Replay(transcript, folder);
  }
}

// Each page's examples, replayed in one folder in the page's order (an example
// may read a file an earlier one showed).
TEST(Manual, ExamplesReplay) {
  std::size_t replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(HYGRIAN_MANUAL_PAGES)) {
    const std::string extension = entry.path().extension().string();
    if (extension != ".1" && extension != ".3") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ScratchFolder folder;
    for (const Transcript& transcript : PageTranscripts(ReadFile(entry.path().string()))) {
      Replay(transcript, folder, true);
      ++replayed;
    }
  }
  EXPECT_GE(replayed, 10U) << "the manual pages show too few transcripts";
}

}  // namespace
}  // namespace hygrian::e2e
