#include "cli/words.h"

#include "cli/compute.h"
#include "cli/options.h"
#include "tables/numbers.h"

namespace hygrian::cli {
namespace {

std::string Shortest(double value) {
  char text[tables::kNumberTextSize];
  return {text, tables::FormatNumber(text, value)};
}

}  // namespace

std::string SecondValuesInWords() {
  std::string text;
  for (std::size_t p = 0; p < Pairs.size(); ++p) {
    const Property& second = Pairs[p].given[1];
    text += (p == 0                  ? ""
             : p + 1 == Pairs.size() ? " or "
                                     : ", ") +
            std::string(second.key) + " (" + std::string(second.unit) + ")";
  }
  return text;
}

std::string MorePairsInWords() {
  std::string text;
  for (std::size_t p = 0; p < kMorePairs.size(); ++p) {
    text += (p == 0                       ? ""
             : p + 1 == kMorePairs.size() ? " or "
                                          : ", ") +
            std::string(kMorePairs[p].first) + "+" + std::string(kMorePairs[p].second);
  }
  return text;
}

std::string NotWithCalculator(std::size_t pair) {
  std::string text = std::string(AllPairs[pair].key) +
                     ": not with the calculator model, which reads dry_bulb with ";
  for (std::size_t p = 0; p < kSecondKeys.size(); ++p) {
    text += (p == 0                        ? ""
             : p + 1 == kSecondKeys.size() ? " or "
                                           : ", ") +
            std::string(kSecondKeys[p]);
  }
  return text + " (--model handbook)";
}

std::string MorePropertiesInWords() {
  std::string text;
  for (std::size_t i = DefaultPropertyCount; i < Properties.size(); ++i) {
    text += (i == DefaultPropertyCount    ? ""
             : i + 1 == Properties.size() ? " or "
                                          : ", ") +
            std::string(Properties[i].key) + " (" + std::string(Properties[i].unit) + ")";
  }
  return text;
}

std::string PressureRangeInWords() {
  return Shortest(kPressureRange.least) + " to " + Shortest(kPressureRange.most) + " kPa";
}

}  // namespace hygrian::cli
