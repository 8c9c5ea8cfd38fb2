// The number texts of tables/chars.h without floating-point <charconv>: fmt's
// shortest digits (Dragonbox) laid out as std::to_chars lays them out, printf
// for a precision (exact in glibc and in musl, the WebAssembly C library), and
// fast_float's reading with std::from_chars's range errors.
#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "tables/chars.h"

namespace hygrian::tables::portable {
namespace {

// Enough for the exact integer part of the largest double and a sign.
constexpr std::size_t kBufferSize = 512;
using Buffer = std::array<char, kBufferSize>;

std::to_chars_result Put(char* first, char* last, std::string_view text) noexcept {
  if (text.size() > static_cast<std::size_t>(last - first)) {
    return {last, std::errc::value_too_large};
  }
  std::memcpy(first, text.data(), text.size());
  return {first + text.size(), std::errc()};
}

// inf, -inf, nan and -nan, as std::to_chars writes them; "" for a finite value.
std::string_view Special(double value) noexcept {
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  return "";
}

// A positive finite value's shortest digits: value = digits * 10^exponent.
struct Decimal {
  std::array<char, 20> digits{};
  int count = 0;
  int exponent = 0;
};

Decimal Shortest(double magnitude) noexcept {
  const auto found = fmt::detail::dragonbox::to_decimal(magnitude);
  Decimal decimal;
  auto significand = found.significand;
  while (significand != 0) {
    decimal.digits[static_cast<std::size_t>(decimal.count++)] =
        static_cast<char>('0' + significand % 10);
    significand /= 10;
  }
  std::reverse(decimal.digits.begin(), decimal.digits.begin() + decimal.count);
  decimal.exponent = found.exponent;
  // Dragonbox may leave trailing zeros in the significand.
  while (decimal.count > 1 && decimal.digits[static_cast<std::size_t>(decimal.count - 1)] == '0') {
    --decimal.count;
    ++decimal.exponent;
  }
  return decimal;
}

int Printf(Buffer& buffer, const char* format, int precision, double value) noexcept {
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg): printf is the reference here.
  return std::snprintf(buffer.data(), buffer.size(), format, precision, value);
}

// d.ddde+XX, at least two exponent digits.
std::string_view Scientific(Buffer& buffer, bool negative, const Decimal& d) noexcept {
  char* p = buffer.data();
  if (negative) *p++ = '-';
  *p++ = d.digits[0];
  if (d.count > 1) {
    *p++ = '.';
    p = std::copy(d.digits.begin() + 1, d.digits.begin() + d.count, p);
  }
  const int power = d.exponent + d.count - 1;
  *p++ = 'e';
  *p++ = power < 0 ? '-' : '+';
  const int size = std::abs(power);
  if (size >= 100) *p++ = static_cast<char>('0' + size / 100);
  *p++ = static_cast<char>('0' + size / 10 % 10);
  *p++ = static_cast<char>('0' + size % 10);
  return {buffer.data(), static_cast<std::size_t>(p - buffer.data())};
}

// The digits with a point where it falls; an integer exactly.
std::string_view Fixed(Buffer& buffer, double value, const Decimal& d) noexcept {
  if (d.exponent >= 0) {
    const int size = Printf(buffer, "%.*f", 0, value);
    return {buffer.data(), static_cast<std::size_t>(size)};
  }
  char* p = buffer.data();
  if (value < 0) *p++ = '-';
  const int whole = d.count + d.exponent;  // digits before the point
  if (whole > 0) {
    p = std::copy(d.digits.begin(), d.digits.begin() + whole, p);
    *p++ = '.';
    p = std::copy(d.digits.begin() + whole, d.digits.begin() + d.count, p);
  } else {
    *p++ = '0';
    *p++ = '.';
    p = std::fill_n(p, -whole, '0');
    p = std::copy(d.digits.begin(), d.digits.begin() + d.count, p);
  }
  return {buffer.data(), static_cast<std::size_t>(p - buffer.data())};
}

std::string_view Zero(double value) noexcept { return std::signbit(value) ? "-0" : "0"; }

}  // namespace

std::to_chars_result ToChars(char* first, char* last, double value) noexcept {
  if (const auto special = Special(value); !special.empty()) return Put(first, last, special);
  if (value == 0.0) return Put(first, last, Zero(value));
  const Decimal d = Shortest(std::fabs(value));
  Buffer fixed{};
  Buffer scientific{};
  const auto plain = Fixed(fixed, value, d);
  const auto power = Scientific(scientific, value < 0, d);
  return Put(first, last, power.size() < plain.size() ? power : plain);
}

std::to_chars_result ToChars(char* first, char* last, double value,
                             std::chars_format format) noexcept {
  if (const auto special = Special(value); !special.empty()) return Put(first, last, special);
  const bool fixed = format == std::chars_format::fixed;
  if (value == 0.0) {
    return Put(first, last, fixed ? Zero(value) : (std::signbit(value) ? "-0e+00" : "0e+00"));
  }
  const Decimal d = Shortest(std::fabs(value));
  Buffer buffer{};
  return Put(first, last, fixed ? Fixed(buffer, value, d) : Scientific(buffer, value < 0, d));
}

std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format,
                             int precision) noexcept {
  if (const auto special = Special(value); !special.empty()) return Put(first, last, special);
  const char* form = format == std::chars_format::fixed        ? "%.*f"
                     : format == std::chars_format::scientific ? "%.*e"
                                                               : "%.*g";
  Buffer buffer{};
  const int size = Printf(buffer, form, precision, value);
  if (size < 0 || static_cast<std::size_t>(size) >= buffer.size()) {
    return {last, std::errc::value_too_large};
  }
  return Put(first, last, {buffer.data(), static_cast<std::size_t>(size)});
}

std::from_chars_result FromChars(const char* first, const char* last, double& value) noexcept {
  double read = 0.0;
  const auto [end, error] = fast_float::from_chars(first, last, read);
  if (error != std::errc()) return {end, error};
  const std::string_view text(first, static_cast<std::size_t>(end - first));
  const bool literal = text.find_first_of("iInN") != std::string_view::npos;
  // fast_float rounds an overflow to infinity and an underflow to zero, where
  // std::from_chars reports them as out of range.
  const auto mantissa = text.substr(0, text.find_first_of("eE"));
  const bool vanished =
      read == 0.0 && mantissa.find_first_of("123456789") != std::string_view::npos;
  if ((std::isinf(read) && !literal) || vanished) return {end, std::errc::result_out_of_range};
  value = read;
  return {end, error};
}

}  // namespace hygrian::tables::portable
