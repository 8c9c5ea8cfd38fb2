#include "tables/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "tables/chars.h"

namespace hygrian::tables {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The decimal exponent of the leading significant digit, enough to tell a
// magnitude that overflows from one that underflows. Digit counts and the
// written exponent are clamped, so no count can overflow.
struct Shape {
  bool valid = false;
  bool negative = false;
  std::int64_t magnitude = 0;
};

// The longest decimal-comma text read (any double's shortest text is far shorter).
constexpr std::size_t kDecimalCommaTextSize = 256;

constexpr std::int64_t kClamp = 1'000'000'000;

Shape Scan(std::string_view s) {
  Shape shape;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) shape.negative = s[i++] == '-';
  std::size_t digits = 0;
  std::int64_t leadingInteger = 0;   // integer digits from the first non-zero one
  std::int64_t zerosAfterPoint = 0;  // fraction zeros before the first non-zero digit
  bool seenNonZero = false;
  for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) {
    if (s[i] != '0') seenNonZero = true;
    if (seenNonZero && leadingInteger < kClamp) ++leadingInteger;
  }
  if (i < s.size() && s[i] == '.') {
    for (++i; i < s.size() && IsDigit(s[i]); ++i, ++digits) {
      if (s[i] != '0') seenNonZero = true;
      if (!seenNonZero && zerosAfterPoint < kClamp) ++zerosAfterPoint;
    }
  }
  if (digits == 0) return shape;
  std::int64_t exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativeExponent = s[i++] == '-';
    const std::size_t start = i;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
      if (exponent < kClamp) exponent = exponent * 10 + (s[i] - '0');
    }
    if (i == start) return shape;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != s.size()) return shape;
  shape.valid = true;
  shape.magnitude =
      leadingInteger > 0 ? leadingInteger - 1 + exponent : -zerosAfterPoint - 1 + exponent;
  return shape;
}

}  // namespace

Number ParseNumber(std::string_view text, bool decimalComma) noexcept {
  text = Trim(text);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = text.substr(1, text.size() - 2);
  }
  if (text.empty()) return {0.0, NumberStatus::Empty};
  std::array<char, kDecimalCommaTextSize> copy;
  if (decimalComma) {
    // The comma becomes a point in a copy; a point of the text is refused.
    if (text.size() > copy.size() || text.find('.') != std::string_view::npos) {
      return {0.0, NumberStatus::NotANumber};
    }
    std::replace_copy(text.begin(), text.end(), copy.begin(), ',', '.');
    text = {copy.data(), text.size()};
  }
  const Shape shape = Scan(text);
  if (!shape.valid) return {0.0, NumberStatus::NotANumber};
  // std::from_chars takes no leading plus.
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = FromChars(text.data(), text.data() + text.size(), value);
  if (error == std::errc() && end == text.data() + text.size()) return {value, NumberStatus::Ok};
  if (error == std::errc::result_out_of_range) {
    // An underflow rounds to zero; only an overflow is out of range.
    if (shape.magnitude < 0) return {shape.negative ? -0.0 : 0.0, NumberStatus::Ok};
    return {0.0, NumberStatus::OutOfRange};
  }
  return {0.0, NumberStatus::NotANumber};
}

char* FormatNumber(char* first, double value, int digits) noexcept {
  char* const last = first + kNumberTextSize;
  const auto result = digits == 0 ? ToChars(first, last, value)
                                  : ToChars(first, last, value, std::chars_format::general, digits);
  return result.ptr;
}

}  // namespace hygrian::tables
