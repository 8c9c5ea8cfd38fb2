#include "console/numbers.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <system_error>

namespace hygrian {

namespace {

constexpr std::uint32_t kInt32Max = 2147483647u;

// End-of-file marker some editors leave in typed or redirected text.
constexpr char kEndOfFile = '\x1A';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// 0..35 for 0-9, a-z and A-Z; 36 (never below a radix) for anything else.
std::uint32_t DigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  if (c >= 'a' && c <= 'z') return static_cast<std::uint32_t>(c - 'a') + 10u;
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint32_t>(c - 'A') + 10u;
  return 36u;
}

IntegerValue IntegerFailure(NumberError error) { return IntegerValue{0, error}; }

// The magnitude is negated in unsigned arithmetic, where wrapping is defined, and
// only then read as two's complement: 16#FFFFFFFF is -1 and -16#FFFFFFFF is 1.
IntegerValue IntegerResult(std::uint32_t magnitude, bool negative) {
  const std::uint32_t bits = negative ? 0u - magnitude : magnitude;
  return IntegerValue{static_cast<std::int32_t>(bits), NumberError::None};
}

}  // namespace

IntegerValue ParseInteger(std::string_view text) {
  // The one negative value whose magnitude does not fit the decimal rule below.
  if (text == "-2147483648") return IntegerValue{INT32_MIN, NumberError::None};

  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  // Decimal part: a whole number, or the radix of what follows a '#'.
  std::uint32_t value = 0;
  for (;; ++i) {
    if (i == text.size() || text[i] == kEndOfFile) return IntegerResult(value, negative);
    const char c = text[i];
    if (IsDigit(c)) {
      if (value > kInt32Max / 10u) return IntegerFailure(NumberError::IntegerOverflow);
      value = value * 10u + DigitValue(c);
      if (value > kInt32Max) return IntegerFailure(NumberError::IntegerOverflow);
      continue;
    }
    if (c == '#') break;
    return IntegerFailure(NumberError::InvalidInteger);
  }

  // Nothing (or only zeros) before the marker means hexadecimal.
  std::uint32_t radix = 16;
  if (value != 0) {
    if (value < 2 || value > 36) return IntegerFailure(NumberError::IllegalRadix);
    radix = value;
  }
  ++i;

  // Digits part. Radix 10 keeps the signed range; every other radix fills all 32
  // bits, so the top values come out negative.
  const std::uint32_t limit = radix == 10 ? kInt32Max / 10u : UINT32_MAX / radix;
  value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '#') return IntegerFailure(NumberError::MultipleRadix);
    const std::uint32_t digit = DigitValue(c);
    if (digit >= radix) return IntegerFailure(NumberError::InvalidInteger);
    if (value > limit) return IntegerFailure(NumberError::IntegerOverflow);
    const std::uint32_t next = value * radix + digit;
    if (radix == 10 ? next > kInt32Max : next < value) {
      return IntegerFailure(NumberError::IntegerOverflow);
    }
    value = next;
  }
  return IntegerResult(value, negative);
}

namespace {

// Significant digits kept for the conversion. A double halfway between two
// neighbours has at most 767 significant digits, so beyond this count only
// whether any further digit is non-zero can change the rounding.
constexpr std::size_t kKeptDigits = 770;

// Exponent digits beyond this bound cannot change the outcome (overflow or zero),
// so the exponent saturates here instead of overflowing.
constexpr std::int64_t kExponentBound = 1'000'000'000;

// Decimal exponents of 0.d1d2... outside this range need no conversion: above it
// the value overflows, below it the value is under half the smallest subnormal.
constexpr std::int64_t kHighestPointExponent = 310;
constexpr std::int64_t kLowestPointExponent = -325;

// The significand reduced to its significant digits: |x| = 0.digits * 10^pointExponent.
struct Significant {
  std::array<char, kKeptDigits + 1> digits{};  // one more for the sticky digit
  std::size_t count = 0;
  std::size_t leadingZeros = 0;
  bool droppedNonZero = false;

  void Add(char c) {
    if (count == 0 && c == '0') {
      ++leadingZeros;
    } else if (count < kKeptDigits) {
      digits[count++] = c;
    } else if (c != '0') {
      droppedNonZero = true;
    }
  }
};

RealValue RealFailure(NumberError error) { return RealValue{0.0, error}; }

RealValue SignedZero(bool negative) { return RealValue{negative ? -0.0 : 0.0, NumberError::None}; }

}  // namespace

RealValue ParseReal(std::string_view text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  Significant sig;
  std::size_t integerDigits = 0;
  for (; i < n && IsDigit(text[i]); ++i, ++integerDigits) sig.Add(text[i]);
  std::size_t fractionDigits = 0;
  if (i < n && text[i] == '.') {
    for (++i; i < n && IsDigit(text[i]); ++i, ++fractionDigits) sig.Add(text[i]);
  }
  if (integerDigits == 0 && fractionDigits == 0) return RealFailure(NumberError::InvalidReal);

  // Exponent: a letter with an optional sign, or a sign alone; digits must follow.
  std::int64_t exponent = 0;
  if (i < n) {
    const char c = text[i];
    bool exponentNegative = false;
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
      ++i;
      if (i < n && (text[i] == '+' || text[i] == '-')) {
        exponentNegative = text[i] == '-';
        ++i;
      }
    } else if (c == '+' || c == '-') {
      exponentNegative = c == '-';
      ++i;
    } else {
      return RealFailure(NumberError::InvalidReal);
    }
    if (i == n) return RealFailure(NumberError::InvalidReal);
    for (; i < n; ++i) {
      if (!IsDigit(text[i])) return RealFailure(NumberError::InvalidReal);
      if (exponent < kExponentBound) exponent = exponent * 10 + (text[i] - '0');
    }
    if (exponentNegative) exponent = -exponent;
  }

  if (sig.count == 0) return SignedZero(negative);

  const std::int64_t pointExponent = static_cast<std::int64_t>(integerDigits) -
                                     static_cast<std::int64_t>(sig.leadingZeros) + exponent;
  if (pointExponent > kHighestPointExponent) return RealFailure(NumberError::RealOutOfRange);
  if (pointExponent < kLowestPointExponent) return SignedZero(negative);

  if (sig.droppedNonZero) {
    sig.digits[sig.count++] = '1';
  } else {
    while (sig.digits[sig.count - 1] == '0') --sig.count;
  }

  // Canonical "digits e exponent" text: std::from_chars rounds it correctly and
  // does not depend on the locale.
  std::array<char, kKeptDigits + 16> canonical{};
  std::size_t length = 0;
  for (std::size_t k = 0; k < sig.count; ++k) canonical[length++] = sig.digits[k];
  canonical[length++] = 'e';
  const int scaled = static_cast<int>(pointExponent - static_cast<std::int64_t>(sig.count));
  const auto written =
      std::to_chars(canonical.data() + length, canonical.data() + canonical.size(), scaled);
  if (written.ec != std::errc()) return RealFailure(NumberError::InvalidReal);

  double magnitude = 0.0;
  const auto parsed = std::from_chars(canonical.data(), written.ptr, magnitude);
  if (parsed.ec == std::errc::result_out_of_range) {
    // Reported both for a result beyond the largest double and for one that
    // rounds to zero; the decimal exponent tells which.
    if (pointExponent > 0) return RealFailure(NumberError::RealOutOfRange);
    return SignedZero(negative);
  }
  if (parsed.ec != std::errc() || parsed.ptr != written.ptr) {
    return RealFailure(NumberError::InvalidReal);
  }
  return RealValue{negative ? -magnitude : magnitude, NumberError::None};
}

}  // namespace hygrian
