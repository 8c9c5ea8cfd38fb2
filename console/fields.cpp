#include "console/fields.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>

namespace hygrian {
namespace {

// ---------------------------------------------------------------------------
// The 128-bit path. |x| = m * 2^e with m < 2^53; for 0 <= p <= 32 the product
// m * 5^p stays below 2^128, so floor(|x| * 10^p) = floor(m * 5^p * 2^(e + p)) is
// one multiplication and one shift, exact.

__extension__ using Uint128 = unsigned __int128;

constexpr int MaxPowerOfFive = 32;  // 5^32 < 2^75, and 2^53 * 2^75 = 2^128

constexpr std::array<Uint128, MaxPowerOfFive + 1> PowersOfFive = [] {
  std::array<Uint128, MaxPowerOfFive + 1> powers{};
  Uint128 power = 1;
  for (auto& p : powers) {
    p = power;
    power *= 5;
  }
  return powers;
}();

constexpr std::uint64_t TenPow16 = 10000000000000000u;
constexpr std::uint64_t TenPow17 = 100000000000000000u;
constexpr std::uint64_t TenPow18 = 1000000000000000000u;
constexpr std::uint64_t TenPow19 = 10000000000000000000u;

constexpr std::array<std::uint64_t, 18> PowersOfTen = [] {
  std::array<std::uint64_t, 18> powers{};
  std::uint64_t power = 1;
  for (auto& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

// |x| = 0.d1d2...d17 * 10^exponent with the seventeen digits, already rounded, as one
// integer: 10^16 <= q < 10^17 (trailing zeros kept), or q = 0 for zero.
struct SeventeenDigits {
  bool negative = false;
  int exponent = 0;
  std::uint64_t q = 0;
};

// The decomposition of a normal double whose magnitude the 128-bit path covers;
// false for any other.
[[gnu::always_inline]] inline bool SeventeenDigitsBy128(std::uint64_t bits, SeventeenDigits& d) {
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  if (biased == 0 || biased == 0x7FF) return false;
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int binaryExponent = biased - 1075;

  // |x| lies in [2^(e+52), 2^(e+53)), so its decimal exponent is
  // floor((e + 52) log10 2) + 1 or one more (78913 / 2^18 is log10 2 to within
  // 1e-6, close enough over this range).
  int exponent = ((binaryExponent + 52) * 78913 >> 18) + 1;
  const int p = 18 - exponent;  // floor(|x| * 10^p) then has 18 or 19 digits
  if (p < 0 || p > MaxPowerOfFive) return false;
  const Uint128 product = Uint128{mantissa} * PowersOfFive[static_cast<std::size_t>(p)];
  const int shift = binaryExponent + p;
  Uint128 wide = 0;
  if (shift >= 0) {
    if (shift >= 64 || (shift > 0 && (product >> (128 - shift)) != 0)) return false;
    wide = product << shift;
  } else {
    if (shift <= -128) return false;
    wide = product >> -shift;
  }
  if ((wide >> 64) != 0) return false;
  auto q = static_cast<std::uint64_t>(wide);
  if (q < TenPow17 || q >= TenPow19) return false;  // the estimate missed: not expected
  if (q >= TenPow18) {
    q /= 10;  // the dropped digit lies past the one that decides the rounding
    ++exponent;
  }

  // q holds the first 18 digits: the 18th alone decides the half-up rounding,
  // since 5 followed by anything, zeros included, is at least half a unit of the
  // 17th.
  const std::uint64_t decider = q % 10;
  q /= 10;
  if (decider >= 5) ++q;
  if (q == TenPow17) {
    q = TenPow16;
    ++exponent;
  }
  d.negative = (bits >> 63) != 0;
  d.exponent = exponent;
  d.q = q;
  return true;
}

// The `count` decimal digits of value (leading zeros if it has fewer) into d.
void SetDigits(DecimalDigits& d, std::uint64_t value, std::size_t count) {
  d.count = count;
  for (std::size_t k = count; k > 0; --k) {
    d.digits[k - 1] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

// ---------------------------------------------------------------------------
// The big-integer expansion, for every finite double.

// A natural number in base 2^32, least significant limb first. The largest value
// ever held is m * 5^1074 with m < 2^53, below 2^2547, which needs 80 limbs; the
// integer part of the largest double needs 32.
constexpr std::size_t LimbCapacity = 84;

struct BigNatural {
  std::array<std::uint32_t, LimbCapacity> limbs{};
  std::size_t size = 0;  // no zero limb at the top
};

BigNatural FromUint64(std::uint64_t value) {
  BigNatural n;
  while (value != 0) {
    n.limbs[n.size++] = static_cast<std::uint32_t>(value);
    value >>= 32;
  }
  return n;
}

void DropZeroLimbs(BigNatural& n) {
  while (n.size > 0 && n.limbs[n.size - 1] == 0) --n.size;
}

void MultiplySmall(BigNatural& n, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::size_t k = 0; k < n.size; ++k) {
    const std::uint64_t product = std::uint64_t{n.limbs[k]} * factor + carry;
    n.limbs[k] = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  // The capacity bound above makes the guard unreachable; it only keeps a broken
  // bound from turning into a write past the array.
  if (carry != 0 && n.size < LimbCapacity) n.limbs[n.size++] = static_cast<std::uint32_t>(carry);
}

void ShiftLeft(BigNatural& n, std::size_t bits) {
  const std::size_t whole = bits / 32;
  const std::size_t part = bits % 32;
  if (n.size == 0 || n.size + whole + 1 > LimbCapacity) return;
  n.limbs[n.size + whole] = 0;
  for (std::size_t k = n.size; k > 0; --k) {
    const std::uint64_t wide = std::uint64_t{n.limbs[k - 1]} << part;
    n.limbs[k + whole] |= static_cast<std::uint32_t>(wide >> 32);
    n.limbs[k - 1 + whole] = static_cast<std::uint32_t>(wide);
  }
  std::fill_n(n.limbs.begin(), whole, 0u);
  n.size += whole + 1;
  DropZeroLimbs(n);
}

// Divides in place and returns the remainder.
std::uint32_t DivideSmall(BigNatural& n, std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (std::size_t k = n.size; k > 0; --k) {
    const std::uint64_t current = (remainder << 32) | n.limbs[k - 1];
    n.limbs[k - 1] = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  DropZeroLimbs(n);
  return static_cast<std::uint32_t>(remainder);
}

void StripTrailingZeros(DecimalDigits& d) {
  while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
}

constexpr std::uint32_t ChunkBase = 1000000000;  // nine decimal digits per chunk
constexpr std::uint32_t FivePow13 = 1220703125;

// The seventeen digits from the big-integer expansion, for the values the 128-bit
// path leaves; out of line, so that the usual path keeps few registers.
[[gnu::noinline]] SeventeenDigits SeventeenDigitsByExpansion(double x) {
  SeventeenDigits result;
  const DecimalDigits d = ExpandDecimalDigits(x);
  result.negative = d.negative;
  result.exponent = d.exponent;
  for (std::size_t k = 0; k < 17; ++k) {
    result.q = result.q * 10 + static_cast<std::uint64_t>(k < d.count ? d.digits[k] - '0' : 0);
  }
  return result;
}

[[gnu::always_inline]] inline SeventeenDigits ToSeventeenDigits(double x) {
  SeventeenDigits result;
  if (SeventeenDigitsBy128(std::bit_cast<std::uint64_t>(x), result)) return result;
  return SeventeenDigitsByExpansion(x);
}

// The field's leading digits: the seventeen digits rounded to n (0..16), half-up on
// the digit after the last one kept, as RoundDigits does on the digit string.
// Returns true on a carry, as RoundDigits does.
[[gnu::always_inline]] inline bool RoundForField(const SeventeenDigits& d, int n,
                                                 NumericField& field) {
  field.negative = d.negative;
  field.exponent = d.exponent;
  const auto keep = static_cast<std::size_t>(std::clamp(n, 0, 16));
  const std::uint64_t divisor = PowersOfTen[17 - keep];
  std::uint64_t kept = d.q / divisor;
  // The digit after the last kept is 5 or more exactly when the rest is at least
  // half the divisor.
  if (d.q % divisor >= divisor / 2 && d.q != 0) {
    ++kept;
    if (keep == 0 || kept == PowersOfTen[keep]) {
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

// ---------------------------------------------------------------------------
// Composing field texts, from the last character back to the first.

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

FieldText TextOf(const NumericField& field) {
  FieldText text;
  if (ComposeField(field, text.chars)) text.length = field.length;
  return text;
}

}  // namespace

DecimalDigits ToDecimalDigits(double x) {
  SeventeenDigits seventeen;
  if (!SeventeenDigitsBy128(std::bit_cast<std::uint64_t>(x), seventeen)) {
    return ExpandDecimalDigits(x);
  }
  DecimalDigits result;
  result.negative = seventeen.negative;
  result.exponent = seventeen.exponent;
  SetDigits(result, seventeen.q, 17);
  StripTrailingZeros(result);
  return result;
}

DecimalDigits ExpandDecimalDigits(double x) {
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
    ShiftLeft(n, static_cast<std::size_t>(binaryExponent));
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
  std::size_t chunkCount = 0;
  while (n.size > 0 && chunkCount < chunks.size()) chunks[chunkCount++] = DivideSmall(n, ChunkBase);

  // The leading 18 digits (17 kept, one to decide the rounding) and the total count.
  std::array<char, 18> leading{};
  std::size_t leadingCount = 0;
  int totalDigits = 0;
  for (std::size_t c = chunkCount; c > 0; --c) {
    std::array<char, 9> chunkDigits{};
    std::uint32_t value = chunks[c - 1];
    for (std::size_t k = 9; k > 0; --k) {
      chunkDigits[k - 1] = static_cast<char>('0' + value % 10);
      value /= 10;
    }
    std::size_t first = 0;
    if (c == chunkCount) {
      while (chunkDigits[first] == '0') ++first;
    }
    for (std::size_t k = first; k < 9 && leadingCount < leading.size(); ++k) {
      leading[leadingCount++] = chunkDigits[k];
    }
    totalDigits += static_cast<int>(9 - first);
  }

  result.negative = (bits >> 63) != 0;
  result.exponent = totalDigits - fractionDigits;
  result.count = std::min<std::size_t>(leadingCount, 17);
  std::copy_n(leading.begin(), result.count, result.digits.begin());
  // Half-up: the 18th digit alone decides, since 5 followed by anything, zeros
  // included, is at least half a unit of the 17th.
  if (leadingCount > 17 && leading[17] >= '5') {
    std::size_t k = 17;
    while (k > 0 && result.digits[k - 1] == '9') result.digits[--k] = '0';
    if (k == 0) {
      result.digits[0] = '1';
      ++result.exponent;
    } else {
      ++result.digits[k - 1];
    }
  }
  StripTrailingZeros(result);
  return result;
}

bool RoundDigits(DecimalDigits& d, int n) {
  const std::size_t keep = CharsOf(n);
  if (d.count <= keep) return false;
  if (d.digits[keep] < '5') {
    d.count = keep;
    StripTrailingZeros(d);
    if (d.count == 0) d.negative = false;
    return false;
  }
  if (keep == 0) {
    // The value stays where it was: the caller counts this "1" one place higher.
    d.digits[0] = '1';
    d.count = 1;
    return true;
  }
  std::size_t k = keep;
  while (k > 0 && d.digits[k - 1] == '9') --k;
  if (k == 0) {
    d.digits[0] = '1';
    d.count = 1;
    ++d.exponent;
    return true;
  }
  // The 9s after position k became zeros, and zeros at the end are not kept.
  ++d.digits[k - 1];
  d.count = k;
  return false;
}

NumericField PrepareFixed(double value, int decimals) {
  const int d = std::clamp(decimals, 0, MaxDecimals);
  NumericField field;
  const SeventeenDigits seventeen = ToSeventeenDigits(value);
  const bool isZero = seventeen.q == 0;
  int integerDigits = isZero ? 0 : seventeen.exponent;
  int totalDigits = isZero ? d : seventeen.exponent + d;
  if (integerDigits < -d) {
    integerDigits = -d;
    totalDigits = 0;
    field.negative = false;
  } else if (RoundForField(seventeen, std::min(MaxFieldDigits, totalDigits), field)) {
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
  const int d = std::clamp(digits, 0, MaxFieldDigits);
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

FieldText FormatFixed(double value, int decimals) { return TextOf(PrepareFixed(value, decimals)); }

FieldText FormatExponent(double value, int digits) {
  return TextOf(PrepareExponent(value, digits));
}

FieldText PlaceField(std::string_view text, int width) {
  FieldText field;
  const auto w =
      static_cast<std::size_t>(std::clamp(width, 0, static_cast<int>(FieldTextCapacity)));
  if (text.size() <= w) {
    const auto end = std::fill_n(field.chars.begin(), w - text.size(), ' ');
    std::copy(text.begin(), text.end(), end);
  } else {
    std::fill_n(field.chars.begin(), w, '*');
  }
  field.length = w;
  return field;
}

}  // namespace hygrian
