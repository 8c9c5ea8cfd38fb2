#include "console/fields.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace hygrian {
namespace {

// A natural number in base 2^32, least significant limb first. The largest value
// ever held is m * 5^1074 with m < 2^53, below 2^2547, which needs 80 limbs; the
// integer part of the largest double needs 32.
constexpr int LimbCapacity = 84;

struct BigNatural {
  std::array<std::uint32_t, LimbCapacity> limbs{};
  int size = 0;  // no zero limb at the top
};

BigNatural FromUint64(std::uint64_t value) {
  BigNatural n;
  while (value != 0) {
    n.limbs[static_cast<std::size_t>(n.size++)] = static_cast<std::uint32_t>(value);
    value >>= 32;
  }
  return n;
}

void MultiplySmall(BigNatural& n, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (int k = 0; k < n.size; ++k) {
    auto& limb = n.limbs[static_cast<std::size_t>(k)];
    const std::uint64_t product = std::uint64_t{limb} * factor + carry;
    limb = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  // The capacity bound above makes the guard unreachable; it only keeps a broken
  // bound from turning into a write past the array.
  if (carry != 0 && n.size < LimbCapacity) {
    n.limbs[static_cast<std::size_t>(n.size++)] = static_cast<std::uint32_t>(carry);
  }
}

void ShiftLeft(BigNatural& n, int bits) {
  const int whole = bits / 32;
  const int part = bits % 32;
  if (n.size == 0 || n.size + whole + 1 > LimbCapacity) return;
  n.limbs[static_cast<std::size_t>(n.size + whole)] = 0;
  for (int k = n.size - 1; k >= 0; --k) {
    const std::uint64_t wide = std::uint64_t{n.limbs[static_cast<std::size_t>(k)]} << part;
    n.limbs[static_cast<std::size_t>(k + whole + 1)] |= static_cast<std::uint32_t>(wide >> 32);
    n.limbs[static_cast<std::size_t>(k + whole)] = static_cast<std::uint32_t>(wide);
  }
  for (int k = 0; k < whole; ++k) n.limbs[static_cast<std::size_t>(k)] = 0;
  n.size += whole + 1;
  while (n.size > 0 && n.limbs[static_cast<std::size_t>(n.size - 1)] == 0) --n.size;
}

// Divides in place and returns the remainder.
std::uint32_t DivideSmall(BigNatural& n, std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (int k = n.size - 1; k >= 0; --k) {
    auto& limb = n.limbs[static_cast<std::size_t>(k)];
    const std::uint64_t current = (remainder << 32) | limb;
    limb = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  while (n.size > 0 && n.limbs[static_cast<std::size_t>(n.size - 1)] == 0) --n.size;
  return static_cast<std::uint32_t>(remainder);
}

void StripTrailingZeros(DecimalDigits& d) {
  while (d.count > 0 && d.digits[static_cast<std::size_t>(d.count - 1)] == '0') --d.count;
}

// Appends characters to a FieldText and silently drops any beyond its capacity, so
// no argument can make a formatter write past the array.
class TextBuilder {
 public:
  void Put(char c) {
    if (text_.length < static_cast<int>(text_.chars.size())) {
      text_.chars[static_cast<std::size_t>(text_.length++)] = c;
    }
  }
  void Repeat(char c, int times) {
    for (int k = 0; k < times; ++k) Put(c);
  }
  FieldText Take() const { return text_; }

 private:
  FieldText text_;
};

// Hands out the digits of a DecimalDigits in order, "0" past the end of the string.
class DigitCursor {
 public:
  explicit DigitCursor(const DecimalDigits& d) : d_(d) {}
  char Next() {
    const char c = next_ < d_.count ? d_.digits[static_cast<std::size_t>(next_)] : '0';
    ++next_;
    return c;
  }

 private:
  const DecimalDigits& d_;
  int next_ = 0;
};

constexpr std::uint32_t ChunkBase = 1000000000;  // nine decimal digits per chunk
constexpr std::uint32_t FivePow13 = 1220703125;

}  // namespace

DecimalDigits ToDecimalDigits(double x) {
  DecimalDigits result;
  result.count = 1;
  result.digits[0] = '0';

  const auto bits = std::bit_cast<std::uint64_t>(x);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased == 0x7FF || (biased == 0 && mantissa == 0)) return result;

  // |x| = mantissa * 2^binaryExponent exactly.
  int binaryExponent = -1074;
  if (biased != 0) {
    mantissa |= std::uint64_t{1} << 52;
    binaryExponent = biased - 1075;
  }

  // Bring |x| to the form n * 10^-fractionDigits with n a natural number: a negative
  // power of two 2^-k is 5^k * 10^-k. Dropping common factors of two first keeps
  // the product short.
  int fractionDigits = 0;
  BigNatural n;
  if (binaryExponent >= 0) {
    n = FromUint64(mantissa);
    ShiftLeft(n, binaryExponent);
  } else {
    int k = -binaryExponent;
    while (k > 0 && (mantissa & 1) == 0) {
      mantissa >>= 1;
      --k;
    }
    n = FromUint64(mantissa);
    fractionDigits = k;
    for (; k >= 13; k -= 13) MultiplySmall(n, FivePow13);
    std::uint32_t rest = 1;
    for (; k > 0; --k) rest *= 5;
    MultiplySmall(n, rest);
  }

  // All decimal digits of n, in chunks of nine from the least significant end.
  // n < 2^2547 < 10^767, so at most 86 chunks.
  std::array<std::uint32_t, 88> chunks{};
  int chunkCount = 0;
  while (n.size > 0 && chunkCount < static_cast<int>(chunks.size())) {
    chunks[static_cast<std::size_t>(chunkCount++)] = DivideSmall(n, ChunkBase);
  }

  // The leading 18 digits (17 kept, one to decide the rounding) and the total count.
  std::array<char, 27> leading{};
  int leadingCount = 0;
  int totalDigits = 0;
  for (int c = chunkCount - 1; c >= 0; --c) {
    std::array<char, 9> chunkDigits{};
    std::uint32_t value = chunks[static_cast<std::size_t>(c)];
    for (int k = 8; k >= 0; --k) {
      chunkDigits[static_cast<std::size_t>(k)] = static_cast<char>('0' + value % 10);
      value /= 10;
    }
    int first = 0;
    if (c == chunkCount - 1) {
      while (chunkDigits[static_cast<std::size_t>(first)] == '0') ++first;
    }
    for (int k = first; k < 9; ++k) {
      if (leadingCount < 18)
        leading[static_cast<std::size_t>(leadingCount++)] =
            chunkDigits[static_cast<std::size_t>(k)];
    }
    totalDigits += 9 - first;
  }

  result.negative = (bits >> 63) != 0;
  result.exponent = totalDigits - fractionDigits;
  result.count = std::min(leadingCount, 17);
  std::copy_n(leading.begin(), result.count, result.digits.begin());
  // Half-up: the 18th digit alone decides, since 5 followed by anything, zeros
  // included, is at least half a unit of the 17th.
  if (leadingCount > 17 && leading[17] >= '5') {
    int k = 16;
    while (k >= 0 && result.digits[static_cast<std::size_t>(k)] == '9') {
      result.digits[static_cast<std::size_t>(k--)] = '0';
    }
    if (k < 0) {
      result.digits[0] = '1';
      ++result.exponent;
    } else {
      ++result.digits[static_cast<std::size_t>(k)];
    }
  }
  StripTrailingZeros(result);
  return result;
}

bool RoundDigits(DecimalDigits& d, int n) {
  n = std::max(n, 0);
  if (d.count <= n) return false;
  if (d.digits[static_cast<std::size_t>(n)] < '5') {
    d.count = n;
    StripTrailingZeros(d);
    if (d.count == 0) d.negative = false;
    return false;
  }
  if (n == 0) {
    // The value stays where it was: the caller counts this "1" one place higher.
    d.digits[0] = '1';
    d.count = 1;
    return true;
  }
  int k = n - 1;
  while (k >= 0 && d.digits[static_cast<std::size_t>(k)] == '9') --k;
  if (k < 0) {
    d.digits[0] = '1';
    d.count = 1;
    ++d.exponent;
    return true;
  }
  // The 9s after position k became zeros, and zeros at the end are not kept.
  ++d.digits[static_cast<std::size_t>(k)];
  d.count = k + 1;
  return false;
}

FieldText FormatFixed(double value, int decimals) {
  const int d = std::clamp(decimals, 0, MaxDecimals);
  DecimalDigits digits = ToDecimalDigits(value);
  const bool isZero = digits.View() == "0";
  int integerDigits = isZero ? 0 : digits.exponent;
  int totalDigits = isZero ? d : digits.exponent + d;
  if (integerDigits < -d) {
    integerDigits = -d;
    totalDigits = 0;
    digits.negative = false;
  } else if (RoundDigits(digits, std::min(MaxFieldDigits, totalDigits))) {
    ++integerDigits;
    ++totalDigits;
  }

  TextBuilder text;
  DigitCursor cursor(digits);
  if (digits.negative) text.Put('-');
  for (int k = 0; k < integerDigits; ++k) text.Put(cursor.Next());
  text.Put('.');
  text.Repeat('0', -integerDigits);
  for (int k = std::max(integerDigits, 0); k < totalDigits; ++k) text.Put(cursor.Next());
  return text.Take();
}

FieldText FormatExponent(double value, int digits) {
  const int d = std::clamp(digits, 0, MaxFieldDigits);
  DecimalDigits decimal = ToDecimalDigits(value);
  RoundDigits(decimal, d);

  TextBuilder text;
  DigitCursor cursor(decimal);
  if (decimal.negative) text.Put('-');
  text.Put('.');
  for (int k = 0; k < d; ++k) text.Put(cursor.Next());

  const int exponent = decimal.exponent;
  const int magnitude = exponent < 0 ? -exponent : exponent;
  const bool wide = magnitude >= 100;
  if (!wide) text.Put('E');
  text.Put(exponent < 0 ? '-' : '+');
  if (wide) text.Put(static_cast<char>('0' + magnitude / 100 % 10));
  text.Put(static_cast<char>('0' + magnitude / 10 % 10));
  text.Put(static_cast<char>('0' + magnitude % 10));
  return text.Take();
}

FieldText PlaceField(std::string_view text, int width) {
  TextBuilder field;
  const int w = std::clamp(width, 0, static_cast<int>(FieldText{}.chars.size()));
  const auto length = text.size();
  if (length <= static_cast<std::size_t>(w)) {
    field.Repeat(' ', w - static_cast<int>(length));
    for (const char c : text) field.Put(c);
  } else {
    field.Repeat('*', w);
  }
  return field.Take();
}

}  // namespace hygrian
