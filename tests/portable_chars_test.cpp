#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <string>

#include "tables/chars.h"

// The WebAssembly build's number texts against the C++ library's <charconv>,
// which they must equal byte for byte: over random bit patterns (every
// magnitude, subnormals, NaN) and over short decimals, the shape of measured
// values.
namespace hygrian::tables {
namespace {

using Text = std::array<char, 512>;

template <class Write>
std::string Written(Write write) {
  Text text{};
  const auto [end, error] = write(text.data(), text.data() + text.size());
  return error == std::errc() ? std::string(text.data(), end) : "error";
}

// A fixed sequence of doubles: random bits, then decimals of up to 6 digits
// scaled over the exponents a table holds.
std::vector<double> Grid() {
  std::vector<double> values{0.0, -0.0, 1e-6, 1e16, 9007199254740993.0, 1e21, 5e-324};
  std::uint64_t state = 0x9E3779B97F4A7C15ULL;
  for (int i = 0; i < 200000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    values.push_back(std::bit_cast<double>(state));
    const double decimal = static_cast<double>(state >> 44) / 1e6;
    values.push_back(decimal * std::array{1e-9, 1e-3, 1.0, 1e3, 1e12, 1e20}[(state >> 8) % 6]);
  }
  return values;
}

TEST(PortableChars, ShortestEqualsCharconv) {
  for (const double value : Grid()) {
    const auto native = Written([&](char* f, char* l) { return std::to_chars(f, l, value); });
    EXPECT_EQ(Written([&](char* f, char* l) { return portable::ToChars(f, l, value); }), native)
        << std::hexfloat << value;
  }
}

TEST(PortableChars, ShortestFixedEqualsCharconv) {
  for (const double value : Grid()) {
    const auto fixed = std::chars_format::fixed;
    const auto native =
        Written([&](char* f, char* l) { return std::to_chars(f, l, value, fixed); });
    EXPECT_EQ(Written([&](char* f, char* l) { return portable::ToChars(f, l, value, fixed); }),
              native)
        << std::hexfloat << value;
  }
}

TEST(PortableChars, PrecisionEqualsCharconv) {
  const auto grid = Grid();
  for (std::size_t i = 0; i < grid.size(); i += 7) {
    const double value = grid[i];
    const int digits = static_cast<int>(i % 17) + 1;
    for (const auto format : {std::chars_format::general, std::chars_format::fixed}) {
      const int precision = format == std::chars_format::fixed ? digits % 13 : digits;
      const auto native =
          Written([&](char* f, char* l) { return std::to_chars(f, l, value, format, precision); });
      EXPECT_EQ(Written([&](char* f, char* l) {
                  return portable::ToChars(f, l, value, format, precision);
                }),
                native)
          << std::hexfloat << value << " " << precision;
    }
  }
}

// The value read, or the error's name.
std::string Read(std::from_chars_result (*from)(const char*, const char*, double&),
                 const std::string& text) {
  double value = -1.0;
  const auto [end, error] = from(text.data(), text.data() + text.size(), value);
  return std::to_string(end - text.data()) + " " + std::to_string(static_cast<int>(error)) + " " +
         std::to_string(std::bit_cast<std::uint64_t>(value));
}

std::from_chars_result Native(const char* first, const char* last, double& value) {
  return std::from_chars(first, last, value);
}

TEST(PortableChars, ReadingEqualsCharconv) {
  std::vector<std::string> texts{"1e400",
                                 "-1e400",
                                 "1e-400",
                                 "-1e-400",
                                 "0e999",
                                 "1e-310",
                                 "inf",
                                 "-inf",
                                 "nan",
                                 "infinity",
                                 "+1",
                                 "",
                                 "1e",
                                 "1.5x",
                                 ".5",
                                 "5.",
                                 "0x10",
                                 " 1",
                                 "000.0001e+0002",
                                 "1234567890123456789012345678901234567890e-20"};
  const auto grid = Grid();
  for (std::size_t i = 0; i < grid.size(); i += 3) {
    texts.push_back(Written([&](char* f, char* l) { return std::to_chars(f, l, grid[i]); }));
    texts.push_back(Written([&](char* f, char* l) {
      return std::to_chars(f, l, grid[i], std::chars_format::general, static_cast<int>(i % 17) + 1);
    }));
  }
  for (const auto& text : texts) {
    EXPECT_EQ(Read(portable::FromChars, text), Read(Native, text)) << text;
  }
}

}  // namespace
}  // namespace hygrian::tables
