#include "chart/number_text.h"

#include <array>
#include <charconv>
#include <cmath>

#include "tables/chars.h"
#include "tables/numbers.h"

namespace hygrian::chart {
namespace {

// `value` with `decimals` decimals as std::to_chars writes it; "" when it does
// not fit.
std::string FixedChars(double value, int decimals) {
  std::array<char, 64> buffer{};
  const auto [end, error] = tables::ToChars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, decimals);
  if (error != std::errc()) return "";
  return {buffer.data(), end};
}

}  // namespace

std::string Shortest(double value) {
  std::array<char, tables::kNumberTextSize> buffer{};
  return {buffer.data(), tables::FormatNumber(buffer.data(), value)};
}

std::string Rounded(double value, int decimals) {
  if (!std::isfinite(value) || std::fabs(value) >= 1e15) return Shortest(value);
  const double scale = std::pow(10.0, decimals);
  return Shortest(std::round(value * scale) / scale + 0.0);
}

std::string RoundedPast(double value, int decimals, double limit, bool above) {
  constexpr int kMostDecimals = 12;
  for (int d = decimals; d < kMostDecimals; ++d) {
    const double scale = std::pow(10.0, d);
    const double rounded = std::round(value * scale) / scale;
    if (above ? rounded > limit : rounded < limit) return Rounded(value, d);
  }
  return Shortest(value);
}

std::string Fixed(double value, int decimals) {
  std::string text = FixedChars(value + 0.0, decimals);
  if (text.empty()) return "?";
  // A negative value that rounds to zero reads as zero.
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
    text.erase(0, 1);
  }
  if (!text.empty() && text.front() == '-') text = "\xE2\x88\x92" + text.substr(1);
  return text;
}

std::string Grouped(double value, int decimals) {
  std::string text = Fixed(value, decimals);
  const std::size_t start = text.find_first_of("0123456789");
  if (start == std::string::npos) return text;
  std::size_t end = text.find('.', start);
  if (end == std::string::npos) end = text.size();
  for (std::size_t at = end; at > start + 3; at -= 3) text.insert(at - 3, 1, ',');
  return text;
}

std::string Coordinate(double value) {
  double rounded = std::round(value * 100.0) / 100.0 + 0.0;
  if (rounded == 0.0) rounded = 0.0;
  std::string text = FixedChars(rounded, 2);
  if (text.empty()) return "0";
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

}  // namespace hygrian::chart
