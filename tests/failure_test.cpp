#include "console/failure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fake_platform.h"

namespace hygrian {
namespace {

using testing::ExitStatusOf;

TEST(RaiseRunTimeError, ReportForms) {
  struct Case {
    StatementKind kind;
    int number;
    std::string_view message;
    const char* report;
  };
  const Case cases[] = {
      {StatementKind::Read, 6501, "end of file encountered",
       "\r\nrun-time error F6501: READ(CON)\r\n- end of file encountered\r\n"},
      {StatementKind::Write, 6422, "no space left on device",
       "\r\nrun-time error F6422: WRITE(CON)\r\n- no space left on device\r\n"},
      {StatementKind::Math, 6202, "log: SING error",
       "\r\nrun-time error M6202: MATH\r\n- log: SING error\r\n"},
      {StatementKind::None, 6700, "heap space limit exceeded",
       "\r\nrun-time error F6700\r\n- heap space limit exceeded\r\n"},
      // No "- " after the unit; the message's own CR LF still ends the report.
      {StatementKind::Read, 6501, "", "\r\nrun-time error F6501: READ(CON)\r\n\r\n"},
      {StatementKind::Write, 6421, "", "\r\nrun-time error F6421: WRITE(CON)\r\n\r\n"},
      {StatementKind::Math, 6101, "", "\r\nrun-time error M6101: MATH\r\n- \r\n"},
      {StatementKind::Read, 6000, "x", "\r\nrun-time error F6000: READ(CON)\r\n- x\r\n"},
      {StatementKind::None, 6999, "y", "\r\nrun-time error F6999\r\n- y\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    testing::FakePlatform fake;
    Console console(fake);
    EXPECT_EQ(ExitStatusOf([&] { RaiseRunTimeError(console, c.kind, c.number, c.message); }), 1);
    EXPECT_EQ(fake.err, c.report);
    EXPECT_EQ(fake.out, "");
  }
}

TEST(StopProgram, StopMessageAndExit) {
  struct Case {
    bool lineOpen;
    std::vector<std::string> writes;
  };
  const Case cases[] = {
      // At a terminal the last read closed the line: nothing around the message.
      {false, {"out:Stop - Program terminated.\r\n"}},
      // The stop hook leaves the line marked open, so the exit adds one more CR LF.
      {true, {"out:\r\n", "out:Stop - Program terminated.\r\n", "out:\r\n"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lineOpen);
    testing::FakePlatform log(true);
    Console console(log);
    console.lineOpen = c.lineOpen;
    EXPECT_EQ(ExitStatusOf([&] { StopProgram(console); }), 0);
    EXPECT_EQ(log.streams, c.writes);
  }
}

// Both hooks end an open line with CR LF and leave lineOpen as it was.
TEST(CloseLine, AtStopAndAtExit) {
  struct Case {
    void (*hook)(Console&);
    bool lineOpen;
    const char* out;
  };
  const Case cases[] = {
      {CloseLineAtStop, true, "\r\n"},
      {CloseLineAtStop, false, ""},
      {CloseLineAtExit, true, "\r\n"},
      {CloseLineAtExit, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lineOpen);
    testing::FakePlatform fake;
    Console console(fake);
    console.lineOpen = c.lineOpen;
    c.hook(console);
    EXPECT_EQ(fake.out, c.out);
    EXPECT_EQ(fake.err, "");
    EXPECT_EQ(console.lineOpen, c.lineOpen);
  }
}

TEST(EndOfRun, ClosesAnOpenLineOnce) {
  for (const bool lineOpen : {true, false}) {
    SCOPED_TRACE(lineOpen);
    testing::FakePlatform fake;
    Console console(fake);
    console.lineOpen = lineOpen;
    EndOfRun(console);
    EndOfRun(console);
    EXPECT_EQ(fake.out, lineOpen ? "\r\n" : "");
    EXPECT_EQ(fake.err, "");
  }
}

TEST(EndOfRun, RunsAfterTheReport) {
  for (const bool lineOpen : {true, false}) {
    SCOPED_TRACE(lineOpen);
    testing::FakePlatform log(true);
    Console console(log);
    console.lineOpen = lineOpen;
    EXPECT_EQ(ExitStatusOf([&] {
                RaiseRunTimeError(console, StatementKind::Read, 6501, "end of file encountered");
              }),
              1);
    std::vector<std::string> expected = {
        "err:\r\nrun-time error F6501: READ(CON)\r\n- end of file encountered\r\n"};
    if (lineOpen) expected.push_back("out:\r\n");
    EXPECT_EQ(log.streams, expected);
  }
}

// A report made while the exit is already under way is printed, and the exit goes
// on with the status chosen before.
TEST(EndOfRun, ReportDuringExitKeepsTheStatus) {
  testing::FakePlatform fake;
  Console console(fake);
  console.lineOpen = true;
  console.exitInProgress = true;
  console.exitStatus = 0;
  EXPECT_EQ(ExitStatusOf([&] {
              RaiseRunTimeError(console, StatementKind::Math, 6104,
                                "floating-point error: overflow");
            }),
            0);
  EXPECT_EQ(fake.err, "\r\nrun-time error M6104: MATH\r\n- floating-point error: overflow\r\n");
  EXPECT_EQ(fake.out, "");
}

}  // namespace
}  // namespace hygrian
