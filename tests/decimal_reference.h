// What the numeric fields should show, worked out without the code under test:
// the seventeen digits from glibc's exact printf expansion, rounded half-up, and
// the field texts composed digit by digit from them. Also the production fields as
// whole texts, to compare with.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "console/decimal.h"
#include "console/fields.h"

namespace hygrian::testing {

// The production decomposition as a digit string, trailing zeros dropped.
inline DecimalDigits ToDecimalDigits(double x) {
  const SeventeenDigits s = ToSeventeenDigits(x);
  DecimalDigits d;
  if (s.q == 0) {
    d.count = 1;
    d.digits[0] = '0';
    return d;
  }
  d.negative = s.negative;
  d.exponent = s.exponent;
  std::uint64_t q = s.q;
  for (std::size_t k = 17; k > 0; --k, q /= 10) d.digits[k - 1] = static_cast<char>('0' + q % 10);
  d.count = 17;
  while (d.digits[d.count - 1] == '0') --d.count;
  return d;
}

// Rounds d to n digits, half-up on the decimal digits; returns true on a carry out
// of the kept digits ("999" to 2 digits is "1" e+1). With n = 0 a carry gives "1"
// and leaves the exponent alone; a negative value cut to no digits becomes
// non-negative.
inline bool RoundDigits(DecimalDigits& d, int n) {
  const auto keep = static_cast<std::size_t>(std::max(n, 0));
  if (d.count <= keep) return false;
  if (d.digits[keep] < '5') {
    d.count = keep;
    while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
    if (d.count == 0) d.negative = false;
    return false;
  }
  std::size_t k = keep;
  while (k > 0 && d.digits[k - 1] == '9') --k;
  if (k == 0) {
    d.digits[0] = '1';
    d.count = 1;
    if (keep != 0) ++d.exponent;
    return true;
  }
  ++d.digits[k - 1];  // the 9s after it become zeros, which are not kept
  d.count = k;
  return false;
}

// The first 17 significant digits of x from glibc's "%.*e", which is exact at any
// precision, rounded half-up: the 18th digit alone decides. Forty digits settle
// the 18th unless all after it are nines; then the whole expansion (a double has
// at most 767 significant digits) is written out.
inline DecimalDigits PrintfDigits(double x) {
  char text[820];
  std::size_t start = 0;
  for (const int precision : {40, 800}) {
    static_cast<void>(std::snprintf(text, sizeof text, "%.*e", precision, x));
    start = text[0] == '-' ? 1 : 0;
    if (std::string_view(text).find_first_not_of('9', start + 19) < start + 42) break;
  }
  const std::string_view t(text);
  const std::string digits = std::string(1, t[start]) + std::string(t.substr(start + 2, 17));
  DecimalDigits d;
  d.count = 1;
  d.digits[0] = '0';
  if (digits.find_first_not_of('0') == std::string::npos) return d;
  d.negative = start == 1;
  d.exponent = std::atoi(text + t.find('e') + 1) + 1;
  std::copy_n(digits.begin(), 17, d.digits.begin());
  d.count = 17;
  if (digits[17] >= '5') {
    while (d.count > 0 && d.digits[d.count - 1] == '9') --d.count;
    if (d.count == 0) {
      d.digits[0] = '1';
      d.count = 1;
      ++d.exponent;
    } else {
      ++d.digits[d.count - 1];
    }
  }
  while (d.digits[d.count - 1] == '0') --d.count;
  return d;
}

// The fixed-point text of the value whose digits are d, with `decimals` digits
// after the point and at most kMaxFieldDigits significant digits, composed digit by
// digit from their places: 0.5, 2 -> ".50"; 9.999, 2 -> "10.00".
inline std::string ReferenceFixed(DecimalDigits d, int decimals) {
  if (d.exponent < -decimals) return "." + std::string(static_cast<std::size_t>(decimals), '0');
  const int n = std::min(kMaxFieldDigits, d.exponent + decimals);
  if (RoundDigits(d, n) && n == 0) ++d.exponent;
  // The digit whose place is 10^p.
  const auto digit = [&d](int p) {
    const int k = d.exponent - 1 - p;
    return k >= 0 && static_cast<std::size_t>(k) < d.count ? d.digits[static_cast<std::size_t>(k)]
                                                           : '0';
  };
  std::string text = d.negative ? "-" : "";
  for (int p = d.exponent - 1; p >= 0; --p) text += digit(p);
  text += '.';
  for (int p = -1; p >= -decimals; --p) text += digit(p);
  return text;
}

// The exponent-form text with `digits` fraction digits: 0.0123456, 4 -> ".1235E-01";
// 1e-101, 4 -> ".1000-100" (three-digit exponents drop the letter).
inline std::string ReferenceExponent(DecimalDigits d, int digits) {
  static_cast<void>(RoundDigits(d, digits));
  std::string text = d.negative ? "-." : ".";
  for (std::size_t k = 0; k < static_cast<std::size_t>(digits); ++k) {
    text += k < d.count ? d.digits[k] : '0';
  }
  const int magnitude = std::abs(d.exponent);
  if (magnitude < 100) text += 'E';
  text += d.exponent < 0 ? '-' : '+';
  if (magnitude >= 100) text += static_cast<char>('0' + magnitude / 100);
  text += static_cast<char>('0' + magnitude / 10 % 10);
  text += static_cast<char>('0' + magnitude % 10);
  return text;
}

// The production field texts, unplaced.
inline std::string FormatFixed(double value, int decimals) {
  FieldText text;
  const NumericField field = PrepareFixed(value, decimals);
  if (ComposeField(field, text.chars)) text.length = field.length;
  return std::string(text.View());
}

inline std::string FormatExponent(double value, int digits) {
  FieldText text;
  const NumericField field = PrepareExponent(value, digits);
  if (ComposeField(field, text.chars)) text.length = field.length;
  return std::string(text.View());
}

// Exactly `width` characters: text right-justified, or width asterisks when the
// text is longer. (".50", 6) -> "   .50"; ("100.00", 5) -> "*****".
inline std::string PlaceField(std::string_view text, int width) {
  const auto w = static_cast<std::size_t>(std::max(width, 0));
  if (text.size() > w) return std::string(w, '*');
  return std::string(w - text.size(), ' ') + std::string(text);
}

}  // namespace hygrian::testing
