#include "app/dialogue.h"

#include <array>

#include "air/calculator/cases.h"
#include "app/math_report.h"
#include "console/failure.h"
#include "console/input.h"
#include "console/output.h"

namespace hygrian {
namespace {

constexpr OutputItem kBreak = RecordBreakItem();
constexpr OutputItem kIndent = BlanksItem(6);

// The statements of the dialogue, one record per line.
// clang-format off
constexpr std::array kBanner = {
    TextItem(" PROGRAM HYGRIAN"), kBreak,
    kBreak,
    TextItem(" COMPUTATION OF PSYCHROMETRIC DATA IN SI UNITS."), kBreak};

constexpr std::array kExplanation = {
    TextItem(" THIS PROGRAM CALCULATES SELECTED PSYCHROMETRIC PARAMETERS FROM COMBINATIONS"), kBreak,
    TextItem(" OF THE INPUT PARAMETERS WET AND DRY-BULB TEMPERATURES, DEW POINT, AND"), kBreak,
    TextItem(" RELATIVE HUMIDITY."), kBreak,
    kBreak,
    TextItem(" ENTER THE DATA AS REQUESTED."), kBreak};

constexpr std::array kMenu = {
    TextItem(" WHAT TYPE OF DATA DO YOU HAVE?  TYPE THE CORRECT NUMBER AND PRESS ENTER."), kBreak,
    kIndent, TextItem("1) DRY-BULB AND WET-BULB TEMPERATURES"), kBreak,
    kIndent, TextItem("2) DRY-BULB AND DEW POINT TEMPERATURES"), kBreak,
    kIndent, TextItem("3) DRY-BULB TEMPERATURE AND RELATIVE HUMIDITY"), kBreak};

constexpr std::array kSpacing = {kBreak, kBreak};

constexpr std::array kHeading = {TextItem(" THE RESULTS ARE:")};

constexpr std::array kResults = {
    kIndent, TextItem("DRY-BULB TEMPERATURE: "), FixedItem(6, 2), TextItem(" DEGREES C"), kBreak,
    kIndent, TextItem("WET-BULB TEMPERATURE: "), FixedItem(6, 2), TextItem(" DEGREES C"), kBreak,
    kIndent, TextItem("DEW POINT TEMPERATURE: "), FixedItem(6, 2), TextItem(" DEGREES C"), kBreak,
    kIndent, TextItem("RELATIVE HUMIDITY: "), FixedItem(5, 2), TextItem(" PERCENT"), kBreak,
    kIndent, TextItem("ENTHALPY: "), FixedItem(7, 2), TextItem(" J/G"), kBreak,
    kIndent, TextItem("HUMIDITY RATIO: "), ExponentItem(11, 4), kBreak,
    kIndent, TextItem("DEGREE OF SATURATION: "), FixedItem(9, 4), kBreak,
    kIndent, TextItem("SPECIFIC VOLUME: "), FixedItem(6, 3), TextItem(" CU. M/KG"), kBreak,
    kIndent, TextItem("VAPOR PARTIAL PRESSURE: "), FixedItem(6, 3), TextItem(" KPA")};

constexpr std::array kQuestion = {
    TextItem(" DO YOU WANT TO RUN AGAIN?  ENTER THE APPROPRIATE NUMBER.  1)YES  2)NO."), kBreak};

constexpr std::array kDryWetPrompt = {
    kBreak,
    TextItem(" ENTER THE DRY-BULB AND WET-BULB TEMPERATURES IN DEGREES C."), kBreak};

constexpr std::array kDryDewPrompt = {
    kBreak,
    TextItem(" ENTER THE DRY-BULB AND DEW POINT TEMPERATURES IN DEGREES C."), kBreak};

constexpr std::array kDryRhPrompt = {
    kBreak,
    TextItem(" ENTER THE DRY-BULB TEMPERATURE IN DEGREES C AND THE RELATIVE HUMIDITY"), kBreak,
    TextItem(" IN PERCENT."), kBreak};

constexpr std::array kNoWetBulb = {
    kBreak,
    TextItem(" NO VALUE FOR THE WET-BULB TEMPERATURE CAN BE FOUND.")};
// clang-format on

// The state's fields that the results block shows, line by line: the
// calculator's own nine, whatever else the library's State holds.
constexpr std::array kResultFields = {&air::MoistAirState::dryBulb,
                                      &air::MoistAirState::wetBulb,
                                      &air::MoistAirState::dewPoint,
                                      &air::MoistAirState::relativeHumidity,
                                      &air::MoistAirState::enthalpy,
                                      &air::MoistAirState::humidityRatio,
                                      &air::MoistAirState::degreeOfSaturation,
                                      &air::MoistAirState::specificVolume,
                                      &air::MoistAirState::vaporPressure};

// The values a statement's fields take.
template <std::size_t N>
constexpr std::size_t FieldCount(const std::array<OutputItem, N>& items) {
  std::size_t count = 0;
  for (const OutputItem& item : items) {
    count += item.kind == OutputItemKind::FixedField || item.kind == OutputItemKind::ExponentField
                 ? 1
                 : 0;
  }
  return count;
}
static_assert(FieldCount(kResults) == kResultFields.size(), "a value for each field");

void WriteResults(Console& console, const air::MoistAirState& s) {
  std::array<double, kResultFields.size()> values{};
  for (std::size_t i = 0; i < kResultFields.size(); ++i) values[i] = s.*kResultFields[i];
  WriteStatement(console, kResults, values);
}

// Ends a computation: the message of a search that gave up, then the report of
// a fault. A fault together with a give-up came after the search, so the
// message goes first.
void Complete(Console& console, air::CaseResult result) {
  if (result.gaveUp) WriteStatement(console, kNoWetBulb);
  if (result.fault != air::Fault::None) RaiseMathFault(console, result.fault);
}

}  // namespace

void StateFromDryWet(Console& console, double P, air::MoistAirState& s) {
  WriteStatement(console, kDryWetPrompt);
  ReadReals(console, s.dryBulb, s.wetBulb);
  Complete(console, air::ComputeFromDryWet(P, s));
}

void StateFromDryDew(Console& console, double P, air::MoistAirState& s) {
  WriteStatement(console, kDryDewPrompt);
  ReadReals(console, s.dryBulb, s.dewPoint);
  Complete(console, air::ComputeFromDryDew(P, s));
}

void StateFromDryRh(Console& console, double P, air::MoistAirState& s) {
  WriteStatement(console, kDryRhPrompt);
  ReadReals(console, s.dryBulb, s.relativeHumidity);
  Complete(console, air::ComputeFromDryRh(P, s));
}

void RunDialogue(Console& console, DialogueState& dialogue) {
  static constexpr double P = StandardPressure;
  WriteStatement(console, kBanner);
  WriteStatement(console, kExplanation);
  do {
    WriteStatement(console, kMenu);
    ReadInteger(console, dialogue.choice);
    // Three independent tests: any other answer computes nothing and the
    // results block shows the state as it stands.
    if (dialogue.choice == 1) StateFromDryWet(console, P, dialogue.state);
    if (dialogue.choice == 2) StateFromDryDew(console, P, dialogue.state);
    if (dialogue.choice == 3) StateFromDryRh(console, P, dialogue.state);
    WriteStatement(console, kSpacing);
    WriteStatement(console, kHeading);
    WriteResults(console, dialogue.state);
    WriteStatement(console, kSpacing);
    WriteStatement(console, kQuestion);
    ReadInteger(console, dialogue.again);
  } while (dialogue.again == 1);
  StopProgram(console);
}

}  // namespace hygrian
