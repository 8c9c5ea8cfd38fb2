#include "console/input.h"

#include <gtest/gtest.h>

#include <bit>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "console/output.h"
#include "tests/fake_platform.h"

namespace hygrian {
namespace {

// Target values before each statement, so that an untouched target shows.
constexpr std::int32_t kOldInteger = -99;
constexpr double kOldFirst = -1.5;
constexpr double kOldSecond = -2.5;

std::string ReadReport(int number) {
  static const std::map<int, std::string> messages = {
      {6100, "INTEGER overflow on input"},
      {6101, "invalid INTEGER"},
      {6102, "REAL indefinite ( uninitialized or previous error )"},
      {6103, "invalid REAL"},
      {6302, "multiple radix specifiers"},
      {6303, "illegal radix specifier"},
      {6407, "terminal buffer overflow"},
      {6500, "file not open for reading or file locked"},
      {6501, "end of file encountered"},
      {6502, "positive integer expected in repeat field"},
      {6503, "multiple repeat field"},
      {6504, "invalid number in input"},
  };
  return "\r\nrun-time error F" + std::to_string(number) + ": READ(CON)\r\n- " +
         messages.at(number) + "\r\n";
}

// How the input arrives: typed at a terminal, one line per read; or as a stream
// read 132 bytes at a time, with `pad` blanks in front of the first line so that
// a read boundary falls inside the typed text.
struct Feed {
  bool terminal;
  std::size_t pad = 0;
};

testing::FakePlatform FakeFor(Feed feed, std::string_view input) {
  testing::FakePlatform fake;
  fake.inputTerminal = fake.outputTerminal = feed.terminal;
  if (feed.terminal) {
    fake.TypeLines(input);
  } else if (feed.pad + input.size() > 0) {
    fake.reads.push_back({std::string(feed.pad, ' ') + std::string(input)});
  }
  return fake;
}

// One console with its scripted input; each call is one input statement and
// gives the exit status it ended with, or -1 when it returned.
struct Session {
  Session(Feed feed, std::string_view input) : fake(FakeFor(feed, input)), console(fake) {}
  explicit Session(testing::FakePlatform f) : fake(std::move(f)), console(fake) {}

  int Integer(std::int32_t& target) {
    return testing::ExitStatusOf([&] { ReadInteger(console, target); });
  }
  int Reals(double& first, double& second) {
    return testing::ExitStatusOf([&] { ReadReals(console, first, second); });
  }

  testing::FakePlatform fake;
  Console console;
};

std::uint64_t Bits(double x) { return std::bit_cast<std::uint64_t>(x); }

std::string Describe(Feed feed) {
  if (feed.terminal) return "terminal";
  return "stream, pad " + std::to_string(feed.pad);
}

enum class Statement { Integer, Reals };

// One input statement, typed as shown ('\n' is Enter). For ReadInteger `first`
// is the expected integer. `error` is the number of the report, or 0.
struct ReadCase {
  std::string_view typed;
  Statement statement;
  double first;
  double second;
  int error;
};

constexpr Statement I = Statement::Integer;
constexpr Statement R = Statement::Reals;
constexpr double kOldI = kOldInteger;

const ReadCase kReadCases[] = {
    {"25 20\n", R, 25, 20, 0},
    {"25,20\n", R, 25, 20, 0},
    {"25 , 20\n", R, 25, 20, 0},
    {"  25\t20  \n", R, 25, 20, 0},
    {"25 20\r\n", R, 25, 20, 0},
    {"25\n20\n", R, 25, 20, 0},
    {"25,\n20\n", R, 25, 20, 0},
    {"\n\n25 20\n", R, 25, 20, 0},
    {"\r\n25\r\n\r\n20\r\n", R, 25, 20, 0},
    {"25 20 30\n", R, 25, 20, 0},
    {"25,,20\n", R, 25, kOldSecond, 0},
    {"25 ,,20\n", R, 25, kOldSecond, 0},
    {",20\n", R, kOldFirst, 20, 0},
    {"25/\n", R, 25, kOldSecond, 0},
    {"/\n", R, kOldFirst, kOldSecond, 0},
    {"2*25\n", R, 25, 25, 0},
    {"1*25 7\n", R, 25, 7, 0},
    {"2*,\n", R, kOldFirst, kOldSecond, 0},
    {"(1,2) 3\n", R, kOldFirst, kOldSecond, 6504},
    {"(5) 3\n", R, kOldFirst, kOldSecond, 6504},
    {"(,5) 3\n", R, kOldFirst, kOldSecond, 6504},
    {"(1\n2) 3\n", R, kOldFirst, kOldSecond, 6504},
    {"() 5\n", R, kOldFirst, 5, 0},
    {"'' 5\n", R, kOldFirst, 5, 0},
    {"\"\",5\n", R, kOldFirst, 5, 0},
    {"''\n5\n", R, kOldFirst, 5, 0},
    {"'x' 5\n", R, kOldFirst, kOldSecond, 6504},
    {"\"x\" 5\n", R, kOldFirst, kOldSecond, 6504},
    {"'''' 5\n", R, kOldFirst, kOldSecond, 6504},
    {"\"a\"\"b\" 5\n", R, kOldFirst, kOldSecond, 6504},
    {"5 'x'\n", R, 5, kOldSecond, 6504},
    {"'ab\ncd' 5\n", R, kOldFirst, kOldSecond, 6504},
    {"'ab\n", R, kOldFirst, kOldSecond, 6501},
    {"2'5 1\n", R, kOldFirst, kOldSecond, 6103},
    {"1.5+2 -3\n", R, 150, -3, 0},
    {"1E-400 2\n", R, 0.0, 2, 0},
    {"1E400 2\n", R, kOldFirst, kOldSecond, 6102},
    {"25 ABC\n", R, 25, kOldSecond, 6103},
    {"ABC (1,2)\n", R, kOldFirst, kOldSecond, 6103},
    {"25\n", R, 25, kOldSecond, 6501},
    {"", R, kOldFirst, kOldSecond, 6501},
    {"1\n", I, 1, 0, 0},
    {"1\r\n", I, 1, 0, 0},
    {"2 3\n", I, 2, 0, 0},
    {",\n", I, kOldI, 0, 0},
    {"''\n", I, kOldI, 0, 0},
    {"\"\"\r\n", I, kOldI, 0, 0},
    {"3*2\n", I, 2, 0, 0},
    {"-2147483648\n", I, -2147483648.0, 0, 0},
    {"16#1F\n", I, 31, 0, 0},
    {"0*5\n", I, kOldI, 0, 6502},
    {"-1*5\n", I, kOldI, 0, 6502},
    {"*5\n", I, kOldI, 0, 6502},
    {"2*3*4\n", I, kOldI, 0, 6503},
    {"x*5\n", I, kOldI, 0, 6101},
    {"99999999999*5\n", I, kOldI, 0, 6100},
    {"2147483648\n", I, kOldI, 0, 6100},
    {"abc\n", I, kOldI, 0, 6101},
    {"1.0\n", I, kOldI, 0, 6101},
    {"2'5\n", I, kOldI, 0, 6101},
    {"16#1#2\n", I, kOldI, 0, 6302},
    {"1#0\n", I, kOldI, 0, 6303},
    {"(7)\n", I, kOldI, 0, 6504},
    {"'7'\n", I, kOldI, 0, 6504},
    {"", I, kOldI, 0, 6501},
};

// Every feed gives the same result. After a statement that succeeds, the next
// statement must find the line "77" that follows: nothing more and nothing less
// than the statement's own lines has been consumed.
TEST(ReadStatement, ListInputTable) {
  for (const ReadCase& c : kReadCases) {
    std::vector<Feed> feeds = {{true}, {false}};
    for (std::size_t s = 1; s <= c.typed.size(); ++s) feeds.push_back({false, 132 - s});
    const std::string input = std::string(c.typed) + (c.error == 0 ? "77\n" : "");
    for (const Feed& feed : feeds) {
      SCOPED_TRACE(::testing::Message() << '"' << c.typed << "\", " << Describe(feed));
      Session session(feed, input);
      std::int32_t integer = kOldInteger;
      double first = kOldFirst, second = kOldSecond;
      const int status = c.statement == I ? session.Integer(integer) : session.Reals(first, second);
      EXPECT_EQ(status, c.error == 0 ? -1 : 1);
      EXPECT_EQ(session.fake.err, c.error == 0 ? "" : ReadReport(c.error));
      EXPECT_EQ(session.fake.out, "");
      if (c.statement == I) {
        EXPECT_EQ(integer, static_cast<std::int32_t>(c.first));
      } else {
        EXPECT_EQ(Bits(first), Bits(c.first)) << first;
        EXPECT_EQ(Bits(second), Bits(c.second)) << second;
      }
      if (c.error == 0) {
        std::int32_t next = 0;
        EXPECT_EQ(session.Integer(next), -1);
        EXPECT_EQ(next, 77);
      }
    }
  }
}

TEST(ReadStatement, NextStatementStartsOnANewLine) {
  for (const bool terminal : {true, false}) {
    SCOPED_TRACE(terminal);
    Session session({terminal}, "25 20 30\n7\n25\n20\n8 9\n");
    double first = 0, second = 0;
    std::int32_t n = 0;
    EXPECT_EQ(session.Reals(first, second), -1);
    EXPECT_EQ(first, 25.0);
    EXPECT_EQ(second, 20.0);
    EXPECT_EQ(session.Integer(n), -1);
    EXPECT_EQ(n, 7);
    // Values over two lines take exactly those two.
    EXPECT_EQ(session.Reals(first, second), -1);
    EXPECT_EQ(first, 25.0);
    EXPECT_EQ(second, 20.0);
    EXPECT_EQ(session.Integer(n), -1);
    EXPECT_EQ(n, 8);
  }
}

// "2*" then Enter: the line end ends a null value without setting the
// ended-at-line-end mark (the value text is empty), so the statement also drops
// the next line. "2*," ends on its own line.
TEST(ReadStatement, RepeatCountBeforeLineEnd) {
  struct Case {
    std::string_view typed;
    std::int32_t next;
  };
  const Case cases[] = {{"2*\n9 9\n7\n", 7}, {"2*,\n7\n9\n", 7}};
  for (const Case& c : cases) {
    for (const bool terminal : {true, false}) {
      SCOPED_TRACE(::testing::Message() << c.typed << terminal);
      Session session({terminal}, c.typed);
      double first = kOldFirst, second = kOldSecond;
      std::int32_t n = 0;
      EXPECT_EQ(session.Reals(first, second), -1);
      EXPECT_EQ(first, kOldFirst);
      EXPECT_EQ(second, kOldSecond);
      EXPECT_EQ(session.Integer(n), -1);
      EXPECT_EQ(n, c.next);
    }
  }
}

TEST(ReadStatement, LastLineWithoutLineFeed) {
  for (const bool terminal : {true, false}) {
    SCOPED_TRACE(terminal);
    Session session({terminal}, "25 20");
    double first = 0, second = 0;
    EXPECT_EQ(session.Reals(first, second), -1);
    EXPECT_EQ(first, 25.0);
    EXPECT_EQ(second, 20.0);
    std::int32_t n = kOldInteger;
    EXPECT_EQ(session.Integer(n), 1);
    EXPECT_EQ(session.fake.err, ReadReport(6501));
    EXPECT_EQ(n, kOldInteger);
  }
}

TEST(FillLineBuffer, LineLengthsAndSpecialReads) {
  const std::string blanks129(129, ' ');
  struct Case {
    const char* name;
    bool terminal;
    std::vector<testing::FakePlatform::ReadStep> reads;
    std::int32_t integer;
    int error;
  };
  const Case cases[] = {
      {"131 characters and CR LF at a terminal", true, {{blanks129 + "42\r\n"}}, kOldInteger, 6407},
      {"131 characters and CR LF in a stream", false, {{blanks129 + "42\r\n"}}, 42, 0},
      {"130 characters and CR LF at a terminal", true, {{blanks129.substr(1) + "42\r\n"}}, 42, 0},
      {"131 characters and LF at a terminal", true, {{blanks129 + "42\n"}}, 42, 0},
      {"132 bytes without LF at a terminal", true, {{std::string(132, '1')}}, kOldInteger, 6407},
      {"300 blanks then a value in a stream", false, {{std::string(300, ' ') + "5\n"}}, 5, 0},
      {"Ctrl-Z line at a terminal", true, {{"\x1A\r\n"}}, kOldInteger, 6501},
      {"text then Ctrl-Z at a terminal", true, {{"12\x1A\r\n"}}, kOldInteger, 6501},
      {"Ctrl-Z third from the end of a stream read", false, {{"5\n\x1A\r\n"}}, kOldInteger, 6501},
      {"read fails at a terminal", true, {{"", EIO}}, kOldInteger, 6500},
      {"read fails in a stream", false, {{"", EIO}}, kOldInteger, 6500},
      {"end of input at a terminal", true, {}, kOldInteger, 6501},
      {"259-character value in a stream", false, {{std::string(258, '0') + "7\n"}}, 7, 0},
      {"260-character value in a stream",
       false,
       {{std::string(259, '0') + "7\n"}},
       kOldInteger,
       6504},
      {"1000-character value in a stream",
       false,
       {{std::string(1000, '1') + "\n"}},
       kOldInteger,
       6504},
      {"1000-character quoted value in a stream",
       false,
       {{"'" + std::string(1000, '1') + "'\n"}},
       kOldInteger,
       6504},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::FakePlatform fake;
    fake.inputTerminal = fake.outputTerminal = c.terminal;
    fake.reads.assign(c.reads.begin(), c.reads.end());
    Session session(std::move(fake));
    std::int32_t n = kOldInteger;
    EXPECT_EQ(session.Integer(n), c.error == 0 ? -1 : 1);
    EXPECT_EQ(n, c.integer);
    EXPECT_EQ(session.fake.err, c.error == 0 ? "" : ReadReport(c.error));
    EXPECT_EQ(session.fake.out, "");
  }
}

// What each fill leaves in the line buffer, read by read: the bytes from 0 to
// end, the first of them handed out. After the listed buffers the next fill ends
// the program with `error`.
TEST(FillLineBuffer, ReadsInPieces) {
  using Step = testing::FakePlatform::ReadStep;
  const std::string full132(132, '7');
  const std::string blanks131(131, ' ');
  struct Case {
    const char* name;
    bool terminal;
    std::vector<Step> reads;
    std::vector<std::string> buffers;
    int error;
  };
  const Case cases[] = {
      {"a number cut in two", false, {{"1\n2"}, {"5 20\n"}}, {"1\n2", "5 20\n"}, 6501},
      {"one byte at a time", false, {{"2"}, {"5"}, {"\n"}}, {"2", "5", "\n"}, 6501},
      {"a short read at a terminal", true, {{"25"}, {"20\n"}}, {"25\n", "20\n"}, 6501},
      {"the end of input inside a line", false, {{"25"}}, {"25", "\n"}, 6501},
      {"the end of input after an LF", false, {{"25\n"}}, {"25\n"}, 6501},
      {"a full read, then the end of input", false, {{full132}}, {full132, "\n"}, 6501},
      {"a full read with its LF next", false, {{full132}, {"\n"}}, {full132, "\n"}, 6501},
      {"a full read at a terminal", true, {{full132}}, {}, 6407},
      {"131 bytes at a terminal", true, {{blanks131}}, {blanks131 + "\n"}, 6501},
      {"131 bytes in a stream", false, {{blanks131}}, {blanks131, "\n"}, 6501},
      {"empty input", false, {}, {}, 6501},
      {"a failed read inside a line", false, {{"25"}, {"", EIO}}, {"25"}, 6500},
      {"Ctrl-Z third from the end of a piece", false, {{"5\n"}, {"\x1A\r\n"}}, {"5\n"}, 6501},
      {"Ctrl-Z in a piece that ends inside a line",
       false,
       {{"\x1A"
         "12"}},
       {},
       6501},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::FakePlatform fake;
    fake.inputTerminal = fake.outputTerminal = c.terminal;
    fake.reads.assign(c.reads.begin(), c.reads.end());
    Console console(fake);
    for (const std::string& expected : c.buffers) {
      char first = 0;
      ASSERT_EQ(testing::ExitStatusOf([&] { first = FillLineBuffer(console); }), -1);
      const LineBuffer& line = console.line;
      EXPECT_EQ(std::string(line.bytes.data(), static_cast<std::size_t>(line.end + 1)), expected);
      EXPECT_EQ(first, expected.front());
      EXPECT_EQ(line.position, 1);
    }
    EXPECT_EQ(testing::ExitStatusOf([&] { FillLineBuffer(console); }), 1);
    EXPECT_EQ(fake.err, ReadReport(c.error));
    EXPECT_TRUE(fake.reads.empty()) << "every scripted read is made";
    EXPECT_EQ(fake.out, "");
  }
}

// The statements of a short session, each with what it read: an integer, or two
// reals. `status` is how the last one ended (-1 returned, else the exit status).
struct SessionTrace {
  std::vector<std::string> values;
  int status = -1;
  std::string err;
};

SessionTrace RunSession(std::vector<testing::FakePlatform::ReadStep> reads) {
  testing::FakePlatform fake;
  fake.reads.assign(reads.begin(), reads.end());
  Console console(fake);
  SessionTrace trace;
  std::int32_t integer = kOldInteger;
  double first = kOldFirst, second = kOldSecond;
  for (int statement = 0; statement < 8 && trace.status == -1; ++statement) {
    if (statement % 2 == 0) {
      trace.status = testing::ExitStatusOf([&] { ReadInteger(console, integer); });
      trace.values.push_back(std::to_string(integer));
    } else {
      trace.status = testing::ExitStatusOf([&] { ReadReals(console, first, second); });
      trace.values.push_back(std::to_string(Bits(first)) + " " + std::to_string(Bits(second)));
    }
  }
  trace.err = fake.err;
  return trace;
}

// Cuts the input at the given offsets into pieces that are never empty.
std::vector<testing::FakePlatform::ReadStep> Pieces(std::string_view input,
                                                    const std::vector<std::size_t>& cuts) {
  std::vector<testing::FakePlatform::ReadStep> pieces;
  std::size_t from = 0;
  for (const std::size_t cut : cuts) {
    if (cut <= from || cut >= input.size()) continue;
    pieces.push_back({std::string(input.substr(from, cut - from))});
    from = cut;
  }
  if (from < input.size()) pieces.push_back({std::string(input.substr(from))});
  return pieces;
}

// A stream read in pieces, cut anywhere, reads exactly as the same stream read
// whole: the same values, the same ending, the same report.
TEST(ReadStatement, PiecesReadAsTheWholeStream) {
  const std::string_view inputs[] = {
      "1\n25 20\n2\n",
      "1\r\n25,20\r\n1\r\n2*25\r\n2",
      "3\n25 '5''0' 20\n",
      "2\n(1,\n2) 3\n",
      "16#1F\n  -1.5E+2\n\n\n7/\n",
      "1\n25\n20 30\n2 1\n,\n3*\n",
      "1\n25 20\n2",
      "12345678",
  };
  for (const std::string_view input : inputs) {
    SCOPED_TRACE(input);
    const SessionTrace whole = RunSession({{std::string(input)}});
    const auto same = [&](const std::vector<std::size_t>& cuts) {
      const SessionTrace cut = RunSession(Pieces(input, cuts));
      EXPECT_EQ(cut.values, whole.values);
      EXPECT_EQ(cut.status, whole.status);
      EXPECT_EQ(cut.err, whole.err);
    };
    std::vector<std::size_t> everyByte;
    for (std::size_t i = 1; i < input.size(); ++i) {
      everyByte.push_back(i);
      same({i});
      for (std::size_t j = i + 1; j < input.size(); ++j) same({i, j});
    }
    same(everyByte);
  }
}

// The reads that a number cut in two by a pipe would otherwise split.
TEST(ReadStatement, NumberCutInTwo) {
  const SessionTrace trace = RunSession({{"1\n2"}, {"5 2"}, {"0\n"}, {"2\n"}});
  const std::vector<std::string> expected = {
      "1", std::to_string(Bits(25.0)) + " " + std::to_string(Bits(20.0)), "2",
      std::to_string(Bits(25.0)) + " " + std::to_string(Bits(20.0))};
  EXPECT_EQ(trace.values, expected);
  EXPECT_EQ(trace.err, ReadReport(6501));
}

// A stream whose length is a multiple of the buffer and whose last line has no
// LF: its last line is read like any other.
TEST(ReadStatement, FullBufferWithoutFinalLineFeed) {
  const std::string input = std::string(131, ' ') + "7";
  const SessionTrace trace = RunSession({{input}});
  ASSERT_GE(trace.values.size(), 2U);
  EXPECT_EQ(trace.values[0], "7");
  EXPECT_EQ(trace.err, ReadReport(6501));
}

TEST(ReadStatement, SharedLineStateAroundReads) {
  struct Case {
    bool inputTerminal, outputTerminal, lineOpen;
    const char* out;
    bool lineOpenAfter;
  };
  const Case cases[] = {
      {true, true, true, "\r\n", false}, {true, true, false, "", false},
      {false, true, true, "", true},     {true, false, true, "", true},
      {false, false, true, "", true},    {false, false, false, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.inputTerminal << c.outputTerminal << c.lineOpen);
    testing::FakePlatform fake;
    fake.inputTerminal = c.inputTerminal;
    fake.outputTerminal = c.outputTerminal;
    fake.TypeLines("1\n");
    Session session(std::move(fake));
    session.console.lineOpen = c.lineOpen;
    std::int32_t n = 0;
    EXPECT_EQ(session.Integer(n), -1);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(session.fake.out, c.out);
    EXPECT_EQ(session.console.lineOpen, c.lineOpenAfter);
  }
}

// A bad value met before its line end leaves the output line open, so the exit
// closes it; one ended by the line end does not.
TEST(ReadStatement, FailureWithAnOpenLine) {
  struct Case {
    std::string_view typed;
    const char* out;
  };
  const Case cases[] = {{"abc\n", "\r\n"}, {"abc 1\n", "\r\n\r\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Session session({true}, c.typed);
    session.console.lineOpen = true;
    std::int32_t n = kOldInteger;
    EXPECT_EQ(session.Integer(n), 1);
    EXPECT_EQ(session.fake.err, "\r\nrun-time error F6101: READ(CON)\r\n- invalid INTEGER\r\n");
    EXPECT_EQ(session.fake.out, c.out);
  }
}

}  // namespace
}  // namespace hygrian
