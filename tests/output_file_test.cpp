// Output files: what is done to the files, step by step, on the in-memory
// system, and the modes, owners and links of real files in a private folder,
// written as root and as other users.
#include "cli/output_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cli/platform.h"
#include "tests/cli_fake_platform.h"
#include "tests/e2e.h"

namespace hygrian::cli {
namespace {

using testing::FakeCliPlatform;

struct Row {
  const char* name;
  const char* output;
  std::function<void(FakeCliPlatform&)> setUp;
  bool keep;
  int openError;    // what Open gives
  int finishError;  // what Finish gives
  std::string events;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

const FileFacts kPrivate{true, 0600, 1001, 1002};

std::vector<Row> Rows() {
  const std::string replace =
      "open out.csv; create out.csv.tmp 0600; on-signal out.csv.tmp; match 0600 1001:1002; "
      "close out.csv; ";
  return {
      {"ANewFileIsMadeBesideSyncedAndRenamed", "out.csv", [](FakeCliPlatform&) {}, true, 0, 0,
       "create out.csv.tmp 0666; on-signal out.csv.tmp; sync out.csv.tmp; close out.csv.tmp; "
       "rename out.csv.tmp out.csv; on-signal none; "},
      {"AReplacementTakesTheModeOwnerAndGroup", "out.csv",
       [](FakeCliPlatform& p) { p.existing["out.csv"] = kPrivate; }, true, 0, 0,
       replace +
           "sync out.csv.tmp; close out.csv.tmp; rename out.csv.tmp out.csv; on-signal none; "},
      {"AFailedSyncReplacesNothing", "out.csv",
       [](FakeCliPlatform& p) {
         p.existing["out.csv"] = kPrivate;
         p.syncError = EIO;
       },
       true, 0, EIO,
       replace + "sync out.csv.tmp; close out.csv.tmp; remove out.csv.tmp; on-signal none; "},
      {"AFileTheUserMayNotWriteIsRefused", "out.csv",
       [](FakeCliPlatform& p) {
         p.existing["out.csv"] = {true, 0444, 0, 0};
         p.refused["out.csv"] = EACCES;
       },
       true, EACCES, 0, ""},
      {"ANewFileInAFolderTheUserMayNotWriteIsRefused", "out.csv",
       [](FakeCliPlatform& p) {
         p.besideError = EACCES;
         p.refused["out.csv"] = EACCES;
       },
       true, EACCES, 0, ""},
      {"InAReadOnlyFolderTheFileIsWrittenInPlace", "out.csv",
       [](FakeCliPlatform& p) {
         p.existing["out.csv"] = kPrivate;
         p.besideError = EACCES;
       },
       true, 0, 0, "open out.csv; truncate out.csv; close out.csv; "},
      {"AModeThatCannotBeGivenMeansInPlace", "out.csv",
       [](FakeCliPlatform& p) {
         p.existing["out.csv"] = kPrivate;
         p.matchError = EPERM;
       },
       true, 0, 0,
       "open out.csv; create out.csv.tmp 0600; on-signal out.csv.tmp; match 0600 1001:1002; "
       "close out.csv.tmp; remove out.csv.tmp; on-signal none; truncate out.csv; "
       "close out.csv; "},
      {"ANewFileWhereNoneCanBeMadeBesideIsCreated", "out.csv",
       [](FakeCliPlatform& p) { p.besideError = ENAMETOOLONG; }, true, 0, 0,
       "open-write out.csv; close out.csv; "},
      {"AFileWithTwoNamesIsWrittenInPlace", "out.csv",
       [](FakeCliPlatform& p) {
         p.existing["out.csv"] = {true, 0600, 1001, 1002, 2};
       },
       true, 0, 0, "open out.csv; truncate out.csv; close out.csv; "},
      {"AnotherUsersFileInAStickyFolderIsWrittenInPlace", "out.csv",
       [](FakeCliPlatform& p) { p.existing["out.csv"] = {true, 0666, 1001, 1002, 1, true}; }, true,
       0, 0, "open out.csv; truncate out.csv; close out.csv; "},
      {"InPlaceAFailedRunLeavesWhatWasWritten", "out.csv",
       [](FakeCliPlatform& p) {
         p.existing["out.csv"] = {true, 0600, 1001, 1002, 3};
       },
       false, 0, 0, "open out.csv; truncate out.csv; close out.csv; "},
  };
}

class OutputFileSteps : public ::testing::TestWithParam<Row> {};

TEST_P(OutputFileSteps, Run) {
  const Row& row = GetParam();
  FakeCliPlatform platform;
  row.setUp(platform);
  int finishError = 0;
  {
    OutputFile file(platform, row.output);
    const int openError = file.Open();
    EXPECT_EQ(openError, row.openError);
    if (openError == 0) finishError = file.Finish(row.keep);
  }
  EXPECT_EQ(finishError, row.finishError);
  std::string events;
  for (const std::string& event : platform.events) events += event + "; ";
  EXPECT_EQ(events, row.events);
}

INSTANTIATE_TEST_SUITE_P(OutputFile, OutputFileSteps, ::testing::ValuesIn(Rows()), e2e::RowName());

// --- Real files -------------------------------------------------------------

// Writes bytes to name in folder through an OutputFile.
int WriteThrough(const e2e::ScratchFolder& folder, const std::string& name,
                 const std::string& bytes) {
  SystemPlatform platform;
  OutputFile file(platform, folder.Path(name));
  if (const int error = file.Open(); error != 0) return error;
  if (const int error = platform.WriteAll(file.Descriptor(), bytes.data(), bytes.size())) {
    return error;
  }
  return file.Finish(true);
}

std::size_t Entries(const e2e::ScratchFolder& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    ++count;
  }
  return count;
}

struct stat Stat(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
  return info;
}

TEST(OutputFile, AReplacedFileKeepsItsModeOwnerAndGroup) {
  for (const mode_t mode : {0600U, 0640U, 0444U, 0664U, 02750U}) {
    const e2e::ScratchFolder folder;
    folder.Write("out.csv", "old");
    // The owner first: a change of owner clears the set-group-id bit.
    ASSERT_EQ(::chown(folder.Path("out.csv").c_str(), 1234, 5678), 0);
    ASSERT_EQ(::chmod(folder.Path("out.csv").c_str(), mode), 0);
    EXPECT_EQ(WriteThrough(folder, "out.csv", "new"), 0);
    const struct stat info = Stat(folder.Path("out.csv"));
    EXPECT_EQ(info.st_mode & 07777U, mode);
    EXPECT_EQ(info.st_uid, 1234U) << mode;
    EXPECT_EQ(info.st_gid, 5678U) << mode;
    EXPECT_EQ(folder.Read("out.csv"), "new") << mode;
    EXPECT_EQ(Entries(folder), 1U) << mode;
  }
}

TEST(OutputFile, ALinkStaysAndItsTargetIsReplaced) {
  const e2e::ScratchFolder folder;
  folder.Write("data/", "");
  folder.Write("data/real.csv", "old");
  std::filesystem::create_symlink("data/real.csv", folder.Path("out.csv"));
  std::filesystem::create_symlink("../out.csv", folder.Path("data/second.csv"));
  EXPECT_EQ(WriteThrough(folder, "data/second.csv", "new"), 0);
  EXPECT_TRUE(S_ISLNK(Stat(folder.Path("out.csv")).st_mode));
  EXPECT_TRUE(S_ISLNK(Stat(folder.Path("data/second.csv")).st_mode));
  EXPECT_EQ(folder.Read("data/real.csv"), "new");
  EXPECT_EQ(Entries(folder), 2U);  // data/, out.csv
}

// A file written by a user in a folder: whose it stays and whether it was
// replaced (a new file renamed over it) or written in place, as `>` writes.
struct Owned {
  const char* name;
  mode_t folderMode;  // the folder is root's, of group folderGroup
  gid_t folderGroup;
  uid_t owner;  // the file's
  gid_t group;
  mode_t mode;
  bool secondName;  // the file has another name beside it
  uid_t user;       // who writes it, of group userGroup and of groups
  gid_t userGroup;
  std::vector<gid_t> groups;
  bool inPlace;
};

void PrintTo(const Owned& row, std::ostream* os) { *os << row.name; }

std::vector<Owned> OwnedRows() {
  return {
      // A file of a group's folder, written by another member of the group.
      {"AnotherUsersFileInTheGroupsFolderKeepsItsOwner",
       02775,
       2000,
       1000,
       2000,
       0660,
       false,
       1001,
       1001,
       {2000},
       true},
      // /tmp: only root or the owner may rename a file over another's.
      {"AnotherUsersFileInAStickyFolder", 01777, 0, 1000, 1000, 0666, false, 1001, 1001, {}, true},
      {"TheUsersOwnFileInAStickyFolderIsReplaced",
       01777,
       0,
       1001,
       1001,
       0600,
       false,
       1001,
       1001,
       {},
       false},
      // The new file is given the old one's group, one the user is in.
      {"TheUsersFileOfAnotherOfTheirGroupsIsReplaced",
       0777,
       0,
       1001,
       2000,
       0640,
       false,
       1001,
       1001,
       {2000},
       false},
      {"TheUsersFileOfAGroupTheyAreNotInStaysTheirs",
       0777,
       0,
       1001,
       3000,
       0640,
       false,
       1001,
       1001,
       {},
       true},
      {"AFileWithASecondNameIsWrittenInPlace", 0755, 0, 0, 0, 0644, true, 0, 0, {}, true},
  };
}

class OutputFileOwners : public ::testing::TestWithParam<Owned> {};

// Writes "new" to out.csv in folder as row.user, in a child process; the error
// number, or -1 when the child could not become that user.
int WriteAs(const Owned& row, const e2e::ScratchFolder& folder) {
  const pid_t child = ::fork();
  if (child == 0) {
    const bool became = ::setgroups(row.groups.size(), row.groups.data()) == 0 &&
                        ::setresgid(row.userGroup, row.userGroup, row.userGroup) == 0 &&
                        ::setresuid(row.user, row.user, row.user) == 0;
    ::_exit(became ? WriteThrough(folder, "out.csv", "new") : 255);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}

TEST_P(OutputFileOwners, Run) {
  const Owned& row = GetParam();
  if (::geteuid() != 0) GTEST_SKIP() << "writing as other users needs root";
  const e2e::ScratchFolder folder;
  folder.Write("out.csv", "old");
  const std::string out = folder.Path("out.csv");
  ASSERT_EQ(::chown(folder.Path().c_str(), 0, row.folderGroup), 0);
  ASSERT_EQ(::chmod(folder.Path().c_str(), row.folderMode), 0);
  ASSERT_EQ(::chown(out.c_str(), row.owner, row.group), 0);
  ASSERT_EQ(::chmod(out.c_str(), row.mode), 0);
  if (row.secondName) {
    ASSERT_EQ(::link(out.c_str(), folder.Path("other.csv").c_str()), 0);
  }
  const ino_t inode = Stat(out).st_ino;
  ASSERT_EQ(WriteAs(row, folder), 0);
  const struct stat info = Stat(out);
  EXPECT_EQ(folder.Read("out.csv"), "new");
  EXPECT_EQ(info.st_uid, row.owner);
  EXPECT_EQ(info.st_gid, row.group);
  EXPECT_EQ(info.st_mode & 07777U, row.mode);
  EXPECT_EQ(info.st_ino == inode, row.inPlace);
  if (row.secondName) {
    EXPECT_EQ(folder.Read("other.csv"), "new");
  }
  EXPECT_EQ(Entries(folder), row.secondName ? 2U : 1U);  // nothing left beside it
}

INSTANTIATE_TEST_SUITE_P(OutputFile, OutputFileOwners, ::testing::ValuesIn(OwnedRows()),
                         e2e::RowName());

}  // namespace
}  // namespace hygrian::cli
