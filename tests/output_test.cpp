#include "console/output.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "console/failure.h"
#include "tests/fake_platform.h"

namespace hygrian {
namespace {

using testing::ExitStatusOf;

using Writes = std::vector<std::string>;

// One statement written on a screen whose line is open or not: the writes it
// makes, and whether it leaves the line open.
struct StatementCase {
  const char* name;
  std::vector<OutputItem> items;
  std::vector<double> values;
  bool lineOpen;
  Writes writes;
};

// Writes the case's statement and checks its writes; returns lineOpen after it.
bool ExpectStatementWrites(const StatementCase& c) {
  SCOPED_TRACE(c.name);
  testing::FakePlatform log(true);
  Console console(log);
  console.lineOpen = c.lineOpen;
  WriteStatement(console, c.items, c.values);
  EXPECT_EQ(log.writes, c.writes);
  return console.lineOpen;
}

TEST(WriteStatement, CarriageControlChoosesTheLineAdvance) {
  struct Case {
    std::string_view record;  // empty: a statement with no items
    bool lineOpen;
    Writes writes;
  };
  const Case cases[] = {
      {" AB", true, {"\r\n", "AB"}},
      {" AB", false, {"AB"}},
      {"0AB", true, {"\r\n\r\n", "AB"}},
      {"0AB", false, {"\r\n", "AB"}},
      {"1AB", true, {"\x0D\x0A\x0C\x0D\x20\x0D", "AB"}},
      {"1AB", false, {"\x0D\x0A\x0C\x0D\x20\x0D", "AB"}},
      {"+AB", true, {"\r", "AB"}},
      {"+AB", false, {"\r", "AB"}},
      // Anything outside the table is a blank.
      {"XAB", true, {"\r\n", "AB"}},
      {"XAB", false, {"AB"}},
      {"2AB", true, {"\r\n", "AB"}},
      {"-AB", false, {"AB"}},
      {"\tAB", true, {"\r\n", "AB"}},
      // A one-character record has no text to write.
      {"0", true, {"\r\n\r\n"}},
      {"+", false, {"\r"}},
      {" ", true, {"\r\n"}},
      {" ", false, {}},
      {"", true, {"\r\n"}},
      {"", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << '"' << c.record << "\" lineOpen " << c.lineOpen);
    testing::FakePlatform log(true);
    Console console(log);
    console.lineOpen = c.lineOpen;
    std::vector<OutputItem> items;
    if (!c.record.empty()) items.push_back(TextItem(c.record));
    WriteStatement(console, items);
    EXPECT_EQ(log.writes, c.writes);
    EXPECT_EQ(log.outputWrites, static_cast<int>(c.writes.size()));
    EXPECT_TRUE(console.lineOpen);
  }
}

TEST(WriteStatement, BlanksBreaksAndFields) {
  const OutputItem rb = RecordBreakItem();
  const OutputItem rh = TextItem("      RELATIVE HUMIDITY: ");
  const OutputItem percent = TextItem(" PERCENT");
  // clang-format off
  const StatementCase cases[] = {
      {"only Blanks is an empty record", {BlanksItem(6)}, {}, true, {"\r\n"}},
      {"only Blanks, no line open", {BlanksItem(6)}, {}, false, {}},
      {"trailing Blanks dropped", {TextItem(" A"), BlanksItem(6)}, {}, true, {"\r\n", "A"}},
      {"six leading Blanks show as five", {BlanksItem(6), TextItem("X")}, {}, true,
       {"\r\n", "     X"}},
      {"Blanks between texts", {TextItem(" A"), BlanksItem(3), TextItem("B"), BlanksItem(2)}, {},
       true, {"\r\n", "A   B"}},
      {"Blanks add up", {BlanksItem(2), BlanksItem(3), TextItem("X")}, {}, false, {"    X"}},
      {"blanks inside Text are written", {TextItem(" A  ")}, {}, true, {"\r\n", "A  "}},
      {"pending blanks dropped at a break",
       {TextItem(" A"), BlanksItem(2), rb, BlanksItem(1), TextItem("B")}, {}, false,
       {"A", "\r\n", "B"}},
      {"ends in a record break, line open", {TextItem(" A"), rb}, {}, true, {"\r\n", "A", "\r\n"}},
      {"ends in a record break, no line open", {TextItem(" A"), rb}, {}, false, {"A", "\r\n"}},
      {"three empty records, line open", {rb, rb}, {}, true, {"\r\n", "\r\n", "\r\n"}},
      {"three empty records, no line open", {rb, rb}, {}, false, {"\r\n", "\r\n"}},
      {"texts join in one record", {TextItem(" ENTER THE DRY-BULB"), TextItem(" IN DEGREES C.")},
       {}, true, {"\r\n", "ENTER THE DRY-BULB IN DEGREES C."}},
      {"5.2 field", {rh, FixedItem(5, 2), percent}, {62.5}, true,
       {"\r\n", "     RELATIVE HUMIDITY: 62.50 PERCENT"}},
      {"5.2 field, lead blank", {rh, FixedItem(5, 2), percent}, {5.5}, true,
       {"\r\n", "     RELATIVE HUMIDITY:  5.50 PERCENT"}},
      {"5.2 field overflows", {rh, FixedItem(5, 2), percent}, {100.0}, true,
       {"\r\n", "     RELATIVE HUMIDITY: ***** PERCENT"}},
      {"field first in a record", {FixedItem(6, 2)}, {25.0}, true, {"\r\n", "25.00"}},
      {"minus sign taken as carriage control", {FixedItem(6, 2)}, {-12.345}, false, {"12.35"}},
      {"asterisk taken as carriage control", {FixedItem(6, 2)}, {-100.0}, true, {"\r\n", "*****"}},
      {"field blanks join the pending Blanks", {BlanksItem(6), FixedItem(6, 2)}, {0.5}, true,
       {"\r\n", "        .50"}},
      {"values go to fields in order", {FixedItem(6, 2), rb, TextItem(" X"), FixedItem(5, 2)},
       {1.0, 2.0}, false, {" 1.00", "\r\n", "X 2.00"}},
      {"exponent field", {TextItem("      HUMIDITY RATIO: "), ExponentItem(11, 4)}, {0.0126}, true,
       {"\r\n", "     HUMIDITY RATIO:   .1260E-01"}},
      {"9.4 field ends the record", {BlanksItem(6), TextItem("V:"), FixedItem(9, 4)}, {0.5}, true,
       {"\r\n", "     V:    .5000"}},
  };
  // clang-format on
  for (const StatementCase& c : cases) EXPECT_TRUE(ExpectStatementWrites(c)) << c.name;
}

TEST(WriteStatement, LongRecordGoesOutInPiecesOnOneLine) {
  const std::string a130(130, 'A'), a131(131, 'A'), b100(100, 'B'), b132(132, 'B');
  const std::string zeroLed = "0" + a131 + b100;
  const std::string exact = " " + a131;
  const std::string oneOver = " " + a131 + "B";
  const std::string threePieces = "+" + a131 + b132 + "C";
  const std::string controlInPiece = " " + a131 + "0Z";
  const std::string head = " " + a130;
  struct Case {
    const char* name;
    std::vector<OutputItem> items;
    bool lineOpen;
    Writes writes;
  };
  const Case cases[] = {
      {"first piece takes the advance", {TextItem(zeroLed)}, false, {"\r\n", a131, b100}},
      {"first piece, line open", {TextItem(zeroLed)}, true, {"\r\n\r\n", a131, b100}},
      {"132 characters is one record", {TextItem(exact)}, true, {"\r\n", a131}},
      {"133 characters, no line open", {TextItem(oneOver)}, false, {a131, "B"}},
      {"133 characters, line open", {TextItem(oneOver)}, true, {"\r\n", a131, "B"}},
      {"three pieces", {TextItem(threePieces)}, true, {"\r", a131, b132, "C"}},
      {"later pieces have no carriage control",
       {TextItem(controlInPiece)},
       true,
       {"\r\n", a131, "0Z"}},
      {"pending blanks cross the piece boundary",
       {TextItem(head), BlanksItem(5), TextItem("B")},
       true,
       {"\r\n", a130 + " ", "    B"}},
      {"next record starts afresh",
       {TextItem(oneOver), RecordBreakItem(), TextItem(" X")},
       true,
       {"\r\n", a131, "B", "\r\n", "X"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::FakePlatform log(true);
    Console console(log);
    console.lineOpen = c.lineOpen;
    WriteStatement(console, c.items);
    EXPECT_EQ(log.writes, c.writes);
    EXPECT_TRUE(console.lineOpen);
  }
}

// Fields and runs of blanks or asterisks that meet the end of the buffer go out
// exactly as characters appended one at a time would.
TEST(WriteStatement, FieldsAndRunsAtTheBufferEnd) {
  const std::string a126(126, 'A'), a128(128, 'A');
  const std::string head127 = " " + a126;  // 127 characters: five positions left
  const std::string head129 = " " + a128;  // three positions left
  const StatementCase cases[] = {
      {"field fills the buffer exactly",
       {TextItem(head127), FixedItem(5, 2)},
       {62.5},
       true,
       {"\r\n", a126 + "62.50"}},
      {"field blanks and text cross the boundary",
       {TextItem(head129), FixedItem(9, 4)},
       {0.5},
       true,
       {"\r\n", a128 + "   ", " .5000"}},
      {"asterisks cross the boundary",
       {TextItem(head129), FixedItem(6, 2)},
       {-100.0},
       true,
       {"\r\n", a128 + "***", "***"}},
      {"exponent field crosses the boundary",
       {TextItem(head129), ExponentItem(11, 4)},
       {-0.5},
       false,
       {a128 + " -.", "5000E+00"}},
      {"more than eight blanks", {BlanksItem(12), TextItem("X")}, {}, false, {"           X"}},
      {"eight blanks and a field",
       {BlanksItem(8), FixedItem(6, 2)},
       {1.5},
       true,
       {"\r\n", "         1.50"}},
  };
  for (const StatementCase& c : cases) (void)ExpectStatementWrites(c);
}

// The first piece leaves lineOpen alone: when a later piece fails, the exit finds
// the line still closed and writes no CR LF.
TEST(WriteStatement, FirstPieceLeavesLineStateAlone) {
  const std::string a131(131, 'A');
  const std::string record = " " + a131 + "B";
  testing::FakePlatform log(true);
  Console console(log);
  log.failWrite = 1;
  log.failError = ENOSPC;
  const OutputItem items[] = {TextItem(record)};
  EXPECT_EQ(ExitStatusOf([&] { WriteStatement(console, items); }), 1);
  EXPECT_EQ(log.err, "\r\nrun-time error F6422: WRITE(CON)\r\n- no space left on device\r\n");
  EXPECT_EQ(log.writes, (Writes{a131, "B"}));
  EXPECT_FALSE(console.lineOpen);
}

TEST(WriteStatement, StartOfRunOnTheScreen) {
  const OutputItem rb = RecordBreakItem();
  const OutputItem banner[] = {TextItem(" PROGRAM HYGRIAN"), rb, rb,
                               TextItem(" COMPUTATION OF PSYCHROMETRIC DATA IN SI UNITS."), rb};
  const OutputItem explanation[] = {
      TextItem(" THIS PROGRAM CALCULATES SELECTED PSYCHROMETRIC PARAMETERS FROM COMBINATIONS"),
      rb,
      TextItem(" OF THE INPUT PARAMETERS WET AND DRY-BULB TEMPERATURES, DEW POINT, AND"),
      rb,
      TextItem(" RELATIVE HUMIDITY."),
      rb,
      rb,
      TextItem(" ENTER THE DATA AS REQUESTED."),
      rb};
  const OutputItem menu[] = {
      TextItem(" WHAT TYPE OF DATA DO YOU HAVE?  TYPE THE CORRECT NUMBER AND PRESS ENTER."),
      rb,
      BlanksItem(6),
      TextItem("1) DRY-BULB AND WET-BULB TEMPERATURES"),
      rb,
      TextItem("      2) DRY-BULB AND DEW POINT TEMPERATURES"),
      rb,
      BlanksItem(6),
      TextItem("3) DRY-BULB TEMPERATURE AND RELATIVE HUMIDITY"),
      rb};
  testing::FakePlatform log(true);
  Console console(log);
  WriteStatement(console, banner);
  WriteStatement(console, explanation);
  WriteStatement(console, menu);
  // Screen lines 1 to 15, the last one empty and open for the answer.
  EXPECT_EQ(log.out,
            "PROGRAM HYGRIAN\r\n"
            "\r\n"
            "COMPUTATION OF PSYCHROMETRIC DATA IN SI UNITS.\r\n"
            "\r\n"
            "THIS PROGRAM CALCULATES SELECTED PSYCHROMETRIC PARAMETERS FROM COMBINATIONS\r\n"
            "OF THE INPUT PARAMETERS WET AND DRY-BULB TEMPERATURES, DEW POINT, AND\r\n"
            "RELATIVE HUMIDITY.\r\n"
            "\r\n"
            "ENTER THE DATA AS REQUESTED.\r\n"
            "\r\n"
            "WHAT TYPE OF DATA DO YOU HAVE?  TYPE THE CORRECT NUMBER AND PRESS ENTER.\r\n"
            "     1) DRY-BULB AND WET-BULB TEMPERATURES\r\n"
            "     2) DRY-BULB AND DEW POINT TEMPERATURES\r\n"
            "     3) DRY-BULB TEMPERATURE AND RELATIVE HUMIDITY\r\n");
  // Banner 5, explanation 10, menu 9: one write per advance and per text.
  EXPECT_EQ(log.writes.size(), 24u);
  EXPECT_EQ(log.writes.front(), "PROGRAM HYGRIAN");
  EXPECT_TRUE(console.lineOpen);
}

TEST(WriteStatement, ResultsBlockOnTheScreen) {
  const OutputItem rb = RecordBreakItem();
  const OutputItem results[] = {TextItem("      DRY-BULB TEMPERATURE: "),
                                FixedItem(6, 2),
                                TextItem(" DEGREES C"),
                                rb,
                                BlanksItem(6),
                                TextItem("WET-BULB TEMPERATURE: "),
                                FixedItem(6, 2),
                                TextItem(" DEGREES C"),
                                rb,
                                TextItem("      DEW POINT TEMPERATURE: "),
                                FixedItem(6, 2),
                                TextItem(" DEGREES C"),
                                rb,
                                TextItem("      RELATIVE HUMIDITY: "),
                                FixedItem(5, 2),
                                TextItem(" PERCENT"),
                                rb,
                                TextItem("      ENTHALPY: "),
                                FixedItem(7, 2),
                                TextItem(" J/G"),
                                rb,
                                TextItem("      HUMIDITY RATIO: "),
                                ExponentItem(11, 4),
                                rb,
                                TextItem("      DEGREE OF SATURATION: "),
                                FixedItem(9, 4),
                                rb,
                                TextItem("      SPECIFIC VOLUME: "),
                                FixedItem(6, 3),
                                TextItem(" CU. M/KG"),
                                rb,
                                TextItem("      VAPOR PARTIAL PRESSURE: "),
                                FixedItem(6, 3),
                                TextItem(" KPA")};
  const double values[] = {25.0, 20.0, 17.56, 63.48, 57.22, 0.0126, 0.6274, 0.862, 2.012};
  testing::FakePlatform log(true);
  Console console(log);
  console.lineOpen = true;
  WriteStatement(console, results, values);
  EXPECT_EQ(log.out,
            "\r\n     DRY-BULB TEMPERATURE:  25.00 DEGREES C"
            "\r\n     WET-BULB TEMPERATURE:  20.00 DEGREES C"
            "\r\n     DEW POINT TEMPERATURE:  17.56 DEGREES C"
            "\r\n     RELATIVE HUMIDITY: 63.48 PERCENT"
            "\r\n     ENTHALPY:   57.22 J/G"
            "\r\n     HUMIDITY RATIO:   .1260E-01"
            "\r\n     DEGREE OF SATURATION:     .6274"
            "\r\n     SPECIFIC VOLUME:   .862 CU. M/KG"
            "\r\n     VAPOR PARTIAL PRESSURE:  2.012 KPA");
  EXPECT_EQ(log.writes.size(), 18u);
}

// The menu answer is read, the prompt written, two values read, then the spacing
// and heading statements. At a terminal each read leaves the line closed.
TEST(WriteStatement, RecordsAroundReads) {
  const std::string prompt = "ENTER THE DRY-BULB AND WET-BULB TEMPERATURES IN DEGREES C.";
  struct Case {
    bool inputTerminal, outputTerminal;
    Writes writes;
  };
  const Case cases[] = {
      {true,
       true,
       {"\r\n",                  // the answer starts on a fresh line
        "\r\n", prompt, "\r\n",  // nothing for the first empty record
        "\r\n",                  // before the typed values
        "\r\n", "\r\n",          // three empty records, one CR LF fewer
        "\r\n", "THE RESULTS ARE:"}},
      {false,
       true,
       {"\r\n", "\r\n", prompt, "\r\n", "\r\n", "\r\n", "\r\n", "\r\n", "THE RESULTS ARE:"}},
      {true,
       false,
       {"\r\n", "\r\n", prompt, "\r\n", "\r\n", "\r\n", "\r\n", "\r\n", "THE RESULTS ARE:"}},
  };
  const OutputItem rb = RecordBreakItem();
  const OutputItem promptItems[] = {rb, TextItem(" ENTER THE DRY-BULB AND WET-BULB TEMPERATURES"),
                                    TextItem(" IN DEGREES C."), rb};
  const OutputItem spacing[] = {rb, rb};
  const OutputItem heading[] = {TextItem(" THE RESULTS ARE:")};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "input terminal " << c.inputTerminal
                                      << ", output terminal " << c.outputTerminal);
    testing::FakePlatform log(false);
    log.inputTerminal = c.inputTerminal;
    log.outputTerminal = c.outputTerminal;
    Console console(log);
    console.lineOpen = true;  // the menu's last empty record
    BeginConsoleRead(console);
    EndConsoleRead(console);
    WriteStatement(console, promptItems);
    BeginConsoleRead(console);
    EndConsoleRead(console);
    WriteStatement(console, spacing);
    WriteStatement(console, heading);
    EXPECT_EQ(log.writes, c.writes);
  }
}

TEST(WriteStatement, FailedRecordWrites) {
  struct Case {
    int error;
    int status;  // -1: the statement completes
    const char* report;
    int writes;
  };
  const char* full = "\r\nrun-time error F6422: WRITE(CON)\r\n- no space left on device\r\n";
  const char* locked =
      "\r\nrun-time error F6421: WRITE(CON)\r\n- file read-only or locked against writing\r\n";
  const Case cases[] = {
      {ENOSPC, 1, full, 1}, {EACCES, 1, locked, 1}, {EPERM, 1, locked, 1},
      {EPIPE, -1, "", 3},   {EIO, -1, "", 3},
  };
  const OutputItem items[] = {TextItem(" A"), RecordBreakItem(), TextItem(" B")};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    testing::FakePlatform fake;
    fake.inputTerminal = fake.outputTerminal = true;
    fake.writeError = c.error;
    Console console(fake);
    EXPECT_EQ(ExitStatusOf([&] { WriteStatement(console, items); }), c.status);
    EXPECT_EQ(fake.err, c.report);
    EXPECT_EQ(fake.outputWrites, c.writes);
    EXPECT_EQ(fake.out, "");
  }
}

TEST(WriteStatement, LineAdvanceWritesAreNotChecked) {
  for (const int error : {ENOSPC, EACCES, EPERM}) {
    SCOPED_TRACE(error);
    testing::FakePlatform log(true);
    Console console(log);
    console.lineOpen = true;
    log.failWrite = 0;
    log.failError = error;
    const OutputItem items[] = {TextItem(" A")};
    EXPECT_EQ(ExitStatusOf([&] { WriteStatement(console, items); }), -1);
    EXPECT_EQ(log.writes, (Writes{"\r\n", "A"}));
    EXPECT_EQ(log.err, "");
  }
}

}  // namespace
}  // namespace hygrian
