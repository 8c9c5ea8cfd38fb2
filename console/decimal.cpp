#include "console/decimal.h"

#include <algorithm>
#include <bit>

namespace hygrian {
namespace {

// The 128-bit path. |x| = m * 2^e with m < 2^53; for 0 <= p <= 32 the product
// m * 5^p stays below 2^128, so floor(|x| * 10^p) = floor(m * 5^p * 2^(e + p)) is
// one multiplication and one shift, exact.

__extension__ using Uint128 = unsigned __int128;

constexpr int kMaxPowerOfFive = 32;  // 5^32 < 2^75, and 2^53 * 2^75 = 2^128

constexpr std::array<Uint128, kMaxPowerOfFive + 1> kPowersOfFive = [] {
  std::array<Uint128, kMaxPowerOfFive + 1> powers{};
  Uint128 power = 1;
  for (auto& p : powers) {
    p = power;
    power *= 5;
  }
  return powers;
}();

constexpr std::uint64_t kTenPow16 = 10000000000000000u;
constexpr std::uint64_t kTenPow17 = 100000000000000000u;
constexpr std::uint64_t kTenPow18 = 1000000000000000000u;
constexpr std::uint64_t kTenPow19 = 10000000000000000000u;

// The decomposition of a normal double whose magnitude the 128-bit path covers;
// false for any other.
bool SeventeenDigitsBy128(std::uint64_t bits, SeventeenDigits& d) {
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  if (biased == 0 || biased == 0x7FF) return false;
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int binaryExponent = biased - 1075;

  // |x| lies in [2^(e+52), 2^(e+53)), so its decimal exponent is
  // floor((e + 52) log10 2) + 1 or one more (78913 / 2^18 is log10 2 to within
  // 1e-6, close enough over this range).
  int exponent = ((binaryExponent + 52) * 78913 >> 18) + 1;
  const int p = 18 - exponent;  // floor(|x| * 10^p) then has 18 or 19 digits
  if (p < 0 || p > kMaxPowerOfFive) return false;
  const Uint128 product = Uint128{mantissa} * kPowersOfFive[static_cast<std::size_t>(p)];
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
  if (q < kTenPow17 || q >= kTenPow19) return false;  // the estimate missed: not expected
  if (q >= kTenPow18) {
    q /= 10;  // the dropped digit lies past the one that decides the rounding
    ++exponent;
  }

  // q holds the first 18 digits: the 18th alone decides the half-up rounding,
  // since 5 followed by anything, zeros included, is at least half a unit of the
  // 17th.
  const std::uint64_t decider = q % 10;
  q /= 10;
  if (decider >= 5) ++q;
  if (q == kTenPow17) {
    q = kTenPow16;
    ++exponent;
  }
  d.negative = (bits >> 63) != 0;
  d.exponent = exponent;
  d.q = q;
  return true;
}

// The big-integer expansion, for every finite double.

// A natural number in base 2^32, least significant limb first. The largest value
// ever held is m * 5^1074 with m < 2^53, below 2^2547, which needs 80 limbs; the
// integer part of the largest double needs 32.
constexpr std::size_t kLimbCapacity = 84;

struct BigNatural {
  std::array<std::uint32_t, kLimbCapacity> limbs{};
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
  if (carry != 0 && n.size < kLimbCapacity) n.limbs[n.size++] = static_cast<std::uint32_t>(carry);
}

void ShiftLeft(BigNatural& n, std::size_t bits) {
  const std::size_t whole = bits / 32;
  const std::size_t part = bits % 32;
  if (n.size == 0 || n.size + whole + 1 > kLimbCapacity) return;
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

constexpr std::uint32_t kChunkBase = 1000000000;  // nine decimal digits per chunk
constexpr std::uint32_t kFivePow13 = 1220703125;

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

}  // namespace

SeventeenDigits ToSeventeenDigits(double x) {
  SeventeenDigits result;
  if (SeventeenDigitsBy128(std::bit_cast<std::uint64_t>(x), result)) return result;
  return SeventeenDigitsByExpansion(x);
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
    for (; k >= 13; k -= 13) MultiplySmall(n, kFivePow13);
    std::uint32_t rest = 1;
    for (; k > 0; --k) rest *= 5;
    MultiplySmall(n, rest);
  }

  // All decimal digits of n, in chunks of nine from the least significant end.
  // n < 2^2547 < 10^767, so at most 86 chunks.
  std::array<std::uint32_t, 88> chunks{};
  std::size_t chunkCount = 0;
  while (n.size > 0 && chunkCount < chunks.size()) {
    chunks[chunkCount++] = DivideSmall(n, kChunkBase);
  }

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

}  // namespace hygrian
