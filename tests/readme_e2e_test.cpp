// The transcripts of README.md run again: every code block that opens with a
// "$ " command is replayed in a scratch folder with the built programs first on
// PATH, and each command's output and status must be what the block shows.
#include <cstddef>
#include <filesystem>
#include <string>
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

// Runs one transcript in `folder`. `cat FILE` shows a file: one of the source
// tree must read as shown, and either is written into the folder for the
// commands after it. `echo $?` shows the last status; a command that no
// `echo $?` follows must succeed. Any other command runs in the shell; a shown
// line that opens with the command's first word and a colon is its standard
// error, the others its standard output.
void Replay(const Transcript& transcript, const ScratchFolder& folder) {
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
    EXPECT_EQ(Visible(run.out), Visible(Joined(out))) << "standard output differs";
    EXPECT_EQ(Visible(run.err), Visible(Joined(err))) << "standard error differs";
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

}  // namespace
}  // namespace hygrian::e2e
