// exp and ln of air/handbook/exp_log-inl.h against the C library's over dense grids: at most
// 1 ulp apart everywhere (a property of both being within about half an ulp of
// the exact value), and the special values as IEEE 754 gives them.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "air/handbook/lanes.h"
#include "air/handbook/one_lane.h"

namespace hygrian::air {
namespace {

// The number of doubles between a and b (both finite, of one sign, or equal).
std::int64_t UlpsApart(double a, double b) {
  if (a == b) return 0;
  return std::abs(std::bit_cast<std::int64_t>(a) - std::bit_cast<std::int64_t>(b));
}

struct Grid {
  double from, to;
  int points;
  bool geometric;  // points evenly spaced in ln x rather than in x
};
struct Spread {
  std::int64_t most = 0;  // ulps
  int differing = 0;
  int points = 0;
};
template <class Ours, class Theirs>
Spread Compare(const Grid& grid, Ours ours, Theirs theirs) {
  Spread spread;
  for (int i = 0; i <= grid.points; ++i) {
    const double share = static_cast<double>(i) / grid.points;
    const double x =
        grid.geometric
            ? std::exp(std::log(grid.from) + share * (std::log(grid.to) - std::log(grid.from)))
            : grid.from + share * (grid.to - grid.from);
    const std::int64_t apart = UlpsApart(ours(x), theirs(x));
    spread.most = std::max(spread.most, apart);
    spread.differing += apart != 0 ? 1 : 0;
    ++spread.points;
  }
  return spread;
}

// clang-format off
const Grid kExpGrids[] = {
    {-40.0, 15.0, 400000, false},     // the model's arguments: ln p, ln f, Hardy's beta
    {-745.0, 709.78, 400000, false},  // the whole range, subnormal results included
    {1e-300, 1e-10, 100000, true},    // tiny arguments
};
const Grid kLogGrids[] = {
    {150.0, 500.0, 400000, false},  // absolute temperatures
    {1e-6, 1e4, 400000, true},      // pressures and their ratios
    {0.5, 2.0, 400000, false},      // around 1, where the result is small
    {4.9e-324, 1.7e308, 400000, true},  // every binade, subnormals included
};
// clang-format on

TEST(ExpLog, ExpWithinOneUlpOfTheLibrary) {
  for (const Grid& grid : kExpGrids) {
    const Spread s = Compare(
        grid, [](double x) { return one_lane::Exp<Lanes>(x); },
        [](double x) { return std::exp(x); });
    EXPECT_LE(s.most, 1) << grid.from << " to " << grid.to;
    RecordProperty("exp_differing_per_million", static_cast<int>(1e6 * s.differing / s.points));
  }
}

TEST(ExpLog, LogWithinOneUlpOfTheLibrary) {
  for (const Grid& grid : kLogGrids) {
    const Spread s = Compare(
        grid, [](double x) { return one_lane::Log<Lanes>(x); },
        [](double x) { return std::log(x); });
    EXPECT_LE(s.most, 1) << grid.from << " to " << grid.to;
  }
}

struct Special {
  double (*function)(double);
  double x, expected;
};
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
const Special kSpecials[] = {
    {one_lane::Exp<Lanes>, 0.0, 1.0},
    {one_lane::Exp<Lanes>, 710.0, kInfinity},
    {one_lane::Exp<Lanes>, kInfinity, kInfinity},
    {one_lane::Exp<Lanes>, -746.0, 0.0},
    {one_lane::Exp<Lanes>, -kInfinity, 0.0},
    {one_lane::Exp<Lanes>, kNan, kNan},
    {one_lane::Log<Lanes>, 1.0, 0.0},
    {one_lane::Log<Lanes>, 0.0, -kInfinity},
    {one_lane::Log<Lanes>, kInfinity, kInfinity},
    {one_lane::Log<Lanes>, -1.0, kNan},
    {one_lane::Log<Lanes>, kNan, kNan},
};

TEST(ExpLog, SpecialValues) {
  for (const Special& row : kSpecials) {
    const double got = row.function(row.x);
    if (std::isnan(row.expected)) {
      EXPECT_TRUE(std::isnan(got)) << row.x;
    } else {
      EXPECT_EQ(got, row.expected) << row.x;
    }
  }
}

}  // namespace
}  // namespace hygrian::air
