// The manual pages' lists against the library's tables: every second value of
// a pair the programs read in their pages, every status word and process (with
// its columns) in hygrian-batch(1), every C function of a pair and every status
// text in hygrian(3); every unit the batch reads in hygrian-batch(1).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "batch/process.h"
#include "hygrian/measures.h"
#include "hygrian/outcomes.h"
#include "hygrian/pairs.h"
#include "hygrian/units.h"

namespace hygrian {
namespace {

// A manual page as groff's input, with the escaped hyphens plain.
std::string Page(const std::string& name) {
  std::ifstream file(std::string(HYGRIAN_SOURCE_DIR) + "/man/" + name);
  std::stringstream text;
  text << file.rdbuf();
  std::string page = text.str();
  for (std::size_t at = page.find("\\-"); at != std::string::npos; at = page.find("\\-", at)) {
    page.erase(at, 1);
  }
  return page;
}

// The units of the quantities the batch program reads.
TEST(ManLists, EveryUnitReadIsNamedInTheBatchPage) {
  const std::string batch = Page("hygrian-batch.1");
  for (const Unit& unit : Units) {
    if (unit.quantity == Quantity::Enthalpy || unit.quantity == Quantity::SpecificVolume ||
        unit.quantity == Quantity::Dimensionless) {
      continue;
    }
    EXPECT_NE(batch.find(std::string(unit.key)), std::string::npos) << unit.key;
  }
}

TEST(ManLists, EveryPairAndOutcomeIsNamed) {
  const std::string batch = Page("hygrian-batch.1");
  const std::string chart = Page("hygrian-chart.1");
  const std::string library = Page("hygrian.3");
  // The programs read the pairs with the dry-bulb (Pairs); the library has a C
  // function for every pair (AllPairs).
  for (const Pair& pair : Pairs) {
    const std::string second(pair.given[1].key);
    EXPECT_NE(batch.find(second), std::string::npos) << second;
    EXPECT_NE(chart.find(second), std::string::npos) << second;
  }
  for (const Pair& pair : AllPairs) {
    const std::string function = "hygrian_from_" + std::string(pair.key);
    EXPECT_NE(library.find(function), std::string::npos) << function;
  }
  // Every process of hygrian-batch and the columns of its parameters.
  for (const batch::ProcessKind& kind : batch::kProcesses) {
    EXPECT_NE(batch.find(".B " + std::string(kind.word) + "\n"), std::string::npos) << kind.word;
    for (const auto& form : kind.forms) {
      for (const std::string_view column : form) {
        EXPECT_NE(batch.find(std::string(column)), std::string::npos) << column;
      }
    }
    for (const std::string_view column : kind.with) {
      EXPECT_NE(batch.find(std::string(column)), std::string::npos) << column;
    }
    EXPECT_NE(batch.find(std::string(kind.water)), std::string::npos) << kind.water;
  }
  // Every measure the batch program writes and every input column it reads.
  for (const Measure& measure : Measures) {
    EXPECT_NE(batch.find(std::string(measure.key)), std::string::npos) << measure.key;
  }
  for (const MeasureInput& input : MeasureInputs) {
    EXPECT_NE(batch.find(std::string(input.key)), std::string::npos) << input.key;
  }
  for (const Outcome& outcome : Outcomes) {
    EXPECT_NE(batch.find(outcome.key), std::string::npos) << outcome.key;
    if (outcome.code >= 0) {
      EXPECT_NE(library.find(std::string(outcome.text)), std::string::npos) << outcome.text;
    }
  }
}

}  // namespace
}  // namespace hygrian
