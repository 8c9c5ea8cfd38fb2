#include "console/fields.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>

#include "console/decimal.h"

namespace hygrian {
namespace {

// Powers of ten up to 10^17, to cut the seventeen digits at any place.
constexpr std::array<std::uint64_t, 18> kPowersOfTen = [] {
  std::array<std::uint64_t, 18> powers{};
  std::uint64_t power = 1;
  for (auto& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

// The field's leading digits: the seventeen digits rounded to n (0..16), half-up on
// the digit after the last one kept. Returns true on a carry out of the kept digits
// ("999" to 2 digits is "1" one place higher; with n = 0 it is "1" where it was).
[[gnu::always_inline]] inline bool RoundForField(const SeventeenDigits& d, int n,
                                                 NumericField& field) {
  field.negative = d.negative;
  field.exponent = d.exponent;
  const auto keep = static_cast<std::size_t>(std::clamp(n, 0, 16));
  const std::uint64_t divisor = kPowersOfTen[17 - keep];
  std::uint64_t kept = d.q / divisor;
  // The digit after the last kept is 5 or more exactly when the rest is at least
  // half the divisor.
  if (d.q % divisor >= divisor / 2 && d.q != 0) {
    ++kept;
    if (keep == 0 || kept == kPowersOfTen[keep]) {
      // "1", one place higher: for n = 0 the caller counts it there.
      field.lead = 1;
      field.leadCount = 1;
      if (keep != 0) ++field.exponent;
      return true;
    }
  }
  if (kept == 0) field.negative = false;  // rounded to no digits at all
  field.lead = kept;
  field.leadCount = kept == 0 ? 0 : static_cast<int>(keep);
  return false;
}

// The texts are composed from the last character back to the first.

// Writes the last `count` digits of value ending just before `end`, takes them
// off value and returns where they start.
template <typename Unsigned>
char* PutDigits(char* end, int count, Unsigned& value) {
  char* const start = end - count;
  Unsigned v = value;
  while (end != start) {
    *--end = static_cast<char>('0' + v % 10);
    v /= 10;
  }
  value = v;
  return end;
}

// Hands out the digits of a field from the last back to the first: zeros past
// the leading digits, then those, least significant first.
template <typename Unsigned>
class DigitsFromTheEnd {
 public:
  DigitsFromTheEnd(Unsigned lead, int zeros) : lead_(lead), zeros_(zeros) {}
  char Previous() {
    if (zeros_ > 0) {
      --zeros_;
      return '0';
    }
    const auto digit = static_cast<char>('0' + lead_ % 10);
    lead_ /= 10;
    return digit;
  }

 private:
  Unsigned lead_;
  int zeros_;  // still to hand out before the leading digits
};

// A count that may have gone below zero, as a number of characters.
std::size_t CharsOf(int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

// Both composers read the field into locals first: the character stores could
// otherwise alias it and force a reload at every digit.

// "-", the integer digits, ".", then -i zeros when i < 0 and the remaining digits.
template <typename Unsigned>
void ComposeFixed(const NumericField& f, Unsigned lead, char* end) {
  const int integerDigits = f.integerDigits;
  const bool negative = f.negative;
  int k = f.digitCount;
  if (k == f.leadCount && integerDigits >= 0) {
    // Every digit shown is a leading digit: two plain runs around the point.
    end = PutDigits(end, k - integerDigits, lead);
    *--end = '.';
    end = PutDigits(end, integerDigits, lead);
    if (negative) *--end = '-';
    return;
  }
  DigitsFromTheEnd<Unsigned> digits(lead, k - f.leadCount);
  for (; k > integerDigits && k > 0; --k) *--end = digits.Previous();
  for (int zeros = integerDigits; zeros < 0; ++zeros) *--end = '0';
  *--end = '.';
  for (; k > 0; --k) *--end = digits.Previous();
  if (negative) *--end = '-';
}

// "-", ".", the digits, then "E", the sign and two digits, or the sign and three.
template <typename Unsigned>
void ComposeExponent(const NumericField& f, Unsigned lead, char* end) {
  const int exponent = f.exponent;
  const bool negative = f.negative;
  const int count = f.digitCount;
  const int zeros = count - f.leadCount;
  DigitsFromTheEnd<Unsigned> digits(lead, zeros);
  const int magnitude = exponent < 0 ? -exponent : exponent;
  *--end = static_cast<char>('0' + magnitude % 10);
  *--end = static_cast<char>('0' + magnitude / 10 % 10);
  if (magnitude >= 100) *--end = static_cast<char>('0' + magnitude / 100 % 10);
  *--end = exponent < 0 ? '-' : '+';
  if (magnitude < 100) *--end = 'E';
  if (zeros == 0) {
    end = PutDigits(end, count, lead);
  } else {
    for (int k = count; k > 0; --k) *--end = digits.Previous();
  }
  *--end = '.';
  if (negative) *--end = '-';
}

template <typename Unsigned>
void Compose(const NumericField& f, Unsigned lead, char* end) {
  if (f.exponentForm) {
    ComposeExponent(f, lead, end);
  } else {
    ComposeFixed(f, lead, end);
  }
}

// The eight decimal digits of n < 10^8, leading zeros included, as eight ASCII
// characters in memory order on a little-endian machine: the halves, quarters and
// eighths of the number are split in parallel lanes of one 64-bit word.
std::uint64_t EightDigits(std::uint32_t n) {
  std::uint64_t v = std::uint64_t{n / 10000} | (std::uint64_t{n % 10000} << 32);
  const std::uint64_t hundreds = ((v * 5243) >> 19) & 0x0000007F0000007Fu;  // x / 100 per lane
  v = hundreds | ((v - hundreds * 100) << 16);
  const std::uint64_t tens = ((v * 103) >> 10) & 0x000F000F000F000Fu;  // x / 10 per lane
  v = tens | ((v - tens * 10) << 8);
  return v + 0x3030303030303030u;
}

// The usual fixed field, when every digit shown is a leading digit, there are at
// most eight of them and out has eight characters to spare: the integer digits
// and the decimals each go out in one 8-byte store, whose characters past the
// text are of no account.
bool ComposeShortFixed(const NumericField& field, std::span<char> out) {
  if constexpr (std::endian::native != std::endian::little) return false;
  const int integerDigits = field.integerDigits;
  const int digitCount = field.digitCount;
  if (field.exponentForm || digitCount != field.leadCount || integerDigits < 0 ||
      field.lead >= 100000000 || out.size() < field.length + 8) {
    return false;
  }
  const std::uint64_t ascii = EightDigits(static_cast<std::uint32_t>(field.lead));
  char* at = out.data();
  if (field.negative) *at++ = '-';
  if (integerDigits > 0) {
    const std::uint64_t integer = ascii >> (8 * (8 - digitCount));
    std::memcpy(at, &integer, 8);
    at += integerDigits;
  }
  *at++ = '.';
  const int decimals = digitCount - integerDigits;
  if (decimals > 0) {
    const std::uint64_t fraction = ascii >> (8 * (8 - decimals));
    std::memcpy(at, &fraction, 8);
  }
  return true;
}

// Every other field, from the end back. Kept out of line, so that the short
// fixed field does not pay for its registers.
[[gnu::noinline]] void ComposeAnyField(const NumericField& field, char* end) {
  // The leading digits of most fields fit 32 bits, where division is cheaper.
  if (field.lead <= UINT32_MAX) {
    Compose(field, static_cast<std::uint32_t>(field.lead), end);
  } else {
    Compose(field, field.lead, end);
  }
}

}  // namespace

NumericField PrepareFixed(double value, int decimals) {
  const int d = std::clamp(decimals, 0, kMaxDecimals);
  NumericField field;
  const SeventeenDigits seventeen = ToSeventeenDigits(value);
  const bool isZero = seventeen.q == 0;
  int integerDigits = isZero ? 0 : seventeen.exponent;
  int totalDigits = isZero ? d : seventeen.exponent + d;
  if (integerDigits < -d) {
    integerDigits = -d;
    totalDigits = 0;
    field.negative = false;
  } else if (RoundForField(seventeen, std::min(kMaxFieldDigits, totalDigits), field)) {
    ++integerDigits;
    ++totalDigits;
  }
  field.integerDigits = integerDigits;
  field.digitCount = totalDigits;
  // Always d characters after the point: -i zeros and t digits when i < 0,
  // t - i digits otherwise.
  field.length = (field.negative ? 1 : 0) + CharsOf(integerDigits) + 1 + CharsOf(d);
  return field;
}

NumericField PrepareExponent(double value, int digits) {
  const int d = std::clamp(digits, 0, kMaxFieldDigits);
  NumericField field;
  field.exponentForm = true;
  static_cast<void>(RoundForField(ToSeventeenDigits(value), d, field));
  field.digitCount = d;
  field.length = (field.negative ? 1 : 0) + 1 + CharsOf(d) + 4;
  return field;
}

bool ComposeField(const NumericField& field, std::span<char> out) {
  if (out.size() < field.length) return false;
  if (!ComposeShortFixed(field, out)) ComposeAnyField(field, out.data() + field.length);
  return true;
}

}  // namespace hygrian
