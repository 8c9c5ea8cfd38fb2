// The array entry point (hygrian/arrays.h) against the scalar functions, bit
// for bit: over a grid of states for every pair and both phase conventions,
// for every way of splitting the array, and on every instruction set this CPU
// and the build offer.
#include "hygrian/arrays.h"

#include <gtest/gtest.h>
#include <hwy/targets.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <span>
#include <tuple>
#include <vector>

#include "hygrian/outcomes.h"
#include "hygrian/pairs.h"

namespace hygrian {
namespace {

// Dry-bulbs and second values over the model's range, with some rows outside
// it, at or above boiling, below the lowest frost point and at the 0 degrees
// C seam, pressures from 10 to 1,000 kPa, values that are not finite, and
// states drawn between the grid's points.
struct Columns {
  std::vector<double> t, second, P;
};
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
// Second values per pair, by the pair's row in Pairs.
const std::vector<double> kSeconds[] = {
    {-160, -100, -40, -10, -1e-9, 0, 1e-9, 0.5, 5, 12, 20, 35, 60, 90, 150, 201, kNan},  // wet-bulb
    {-120, -100, -60, -20, -0.01, 0, 0.005, 0.01, 2, 12, 24, 55, 99, 150, 200},   // dew point
    {-1, 0, 1e-9, 0.5, 3, 15, 40, 45, 65, 90, 99.999, 100, 101, 150, 250, kInf},  // RH
    {-0.001, 0, 1e-7, 1e-4, 0.001, 0.0037, 0.003789, 0.008, 0.02, 0.05, 0.2, 1, 30, kInf},  // W
    {-0.1, 0, 1e-7, 1e-4, 0.0037, 0.008, 0.02, 0.3, 0.999, 1},                              // q
    {-0.01, 0, 1e-9, 1e-4, 0.1, 0.6, 2, 3.5, 7, 20, 60, 101.325, 200, 999, kInf, kNan},     // e
};
const double kDryBulbs[] = {-101, -100, -80, -45, -20, -3, -0.001, 0,   0.005, 0.01,
                            0.5,  4.9,  15,  25,  38,  60, 99,     130, 200,   kNan};
const double kPressures[] = {9, 10, 30, 101.325, 400, 1000, kInf};

// A value drawn between two neighbours of a grid's finite values.
template <class Grid>
double Between(const Grid& grid, std::mt19937_64& random) {
  std::size_t size = std::size(grid);
  while (!std::isfinite(grid[size - 1])) --size;
  const std::size_t i = std::uniform_int_distribution<std::size_t>(0, size - 2)(random);
  return grid[i] +
         std::uniform_real_distribution<double>(0.0, 1.0)(random) * (grid[i + 1] - grid[i]);
}

// The grid, then as many states again drawn between its points.
Columns GridOf(std::size_t row) {
  Columns c;
  for (double P : kPressures) {
    for (double t : kDryBulbs) {
      for (double v : kSeconds[row]) {
        c.t.push_back(t);
        c.second.push_back(v);
        c.P.push_back(P);
      }
    }
  }
  std::mt19937_64 random(row);
  for (std::size_t i = c.t.size(); i > 0; --i) {
    c.t.push_back(Between(kDryBulbs, random));
    c.second.push_back(Between(kSeconds[row], random));
    c.P.push_back(Between(kPressures, random));
  }
  return c;
}

// Every field's bits, the status and wetBulbFound equal.
bool Same(const Result& a, const Result& b) {
  for (const Property& p : Properties) {
    if (std::bit_cast<std::uint64_t>(a.state.*p.member) !=
        std::bit_cast<std::uint64_t>(b.state.*p.member)) {
      return false;
    }
  }
  return a.status == b.status && a.wetBulbFound == b.wetBulbFound;
}

std::vector<Result> Whole(const Pair& pair, const Columns& c, Options options) {
  std::vector<Result> out(c.t.size());
  EXPECT_TRUE(ComputeStates(pair, c.t, c.second, c.P, out, options));
  return out;
}

// The rows that differ from the scalar function's.
std::size_t Differing(const Pair& pair, const Columns& c, Options options,
                      const std::vector<Result>& out) {
  std::size_t differing = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    differing += Same(out[i], pair.compute(c.t[i], c.second[i], c.P[i], options)) ? 0U : 1U;
  }
  return differing;
}

const Options kOptions[] = {{Model::Handbook, Phase::Ice},
                            {Model::Handbook, Phase::Water},
                            {Model::Calculator, Phase::Ice}};

TEST(Arrays, EveryPairAsTheScalarFunction) {
  for (std::size_t row = 0; row < Pairs.size(); ++row) {
    const Columns c = GridOf(row);
    for (const Options options : kOptions) {
      EXPECT_EQ(Differing(Pairs[row], c, options, Whole(Pairs[row], c, options)), 0U)
          << Pairs[row].key << " over " << static_cast<int>(options.over);
    }
  }
}

TEST(Arrays, SameBitsHoweverSplit) {
  for (std::size_t row = 0; row < Pairs.size(); ++row) {
    const Columns c = GridOf(row);
    const std::vector<Result> whole = Whole(Pairs[row], c, {});
    for (const std::size_t chunk : {1U, 3U, 7U, 64U, 65U}) {
      std::vector<Result> out(whole.size());
      // From an odd offset, so the chunks sit at every alignment.
      for (std::size_t from = 1; from < out.size(); from += chunk) {
        const std::size_t n = std::min(chunk, out.size() - from);
        EXPECT_TRUE(ComputeStates(
            Pairs[row], std::span(c.t).subspan(from, n), std::span(c.second).subspan(from, n),
            std::span(c.P).subspan(from, n), std::span(out).subspan(from, n)));
      }
      std::size_t differing = 0;
      for (std::size_t i = 1; i < out.size(); ++i) differing += Same(out[i], whole[i]) ? 0U : 1U;
      EXPECT_EQ(differing, 0U) << Pairs[row].key << " in chunks of " << chunk;
    }
  }
}

TEST(Arrays, SameBitsOnEveryInstructionSet) {
  for (const std::int64_t target : hwy::SupportedAndGeneratedTargets()) {
    hwy::SetSupportedTargetsForTest(target);
    for (std::size_t row = 0; row < Pairs.size(); ++row) {
      const Columns c = GridOf(row);
      for (const Options options : kOptions) {
        EXPECT_EQ(Differing(Pairs[row], c, options, Whole(Pairs[row], c, options)), 0U)
            << Pairs[row].key << " on " << VectorInstructionSet() << " over "
            << static_cast<int>(options.over);
      }
    }
    RecordProperty(hwy::TargetName(target), VectorInstructionSet().data());
  }
  hwy::SetSupportedTargetsForTest(0);
}

TEST(Arrays, OnePressureForEveryRow) {
  const Columns c = GridOf(2);
  std::vector<Result> out(c.t.size());
  const double P = 101.325;
  EXPECT_TRUE(ComputeStates(Pairs[2], c.t, c.second, {&P, 1}, out));
  std::size_t differing = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    differing += Same(out[i], Pairs[2].compute(c.t[i], c.second[i], P, {})) ? 0U : 1U;
  }
  EXPECT_EQ(differing, 0U);
}

// The wick's rule at a wet-bulb of exactly 0 degrees C, in the lanes by the
// physics rather than by agreement with the scalar path: above 0 the wick is
// water (eq. 33), and at 5 degrees C, 101.325 kPa that gives W = 0.0017715
// (reference sheet; eq. 35, ice, would give 0.0020053); at 10 degrees C eq. 33
// gives W < 0 (2501 W_s*(0) < 1.006 t), no state. Every instruction set.
TEST(Arrays, AWetBulbOfZeroIsOverAWaterWickInTheLanes) {
  const std::size_t n = 64;  // whole vectors of every width
  for (const std::int64_t target : hwy::SupportedAndGeneratedTargets()) {
    hwy::SetSupportedTargetsForTest(target);
    for (const auto& [t, computed, W] : {std::tuple{5.0, true, 0.0017715}, {10.0, false, 0.0}}) {
      const std::vector<double> dryBulbs(n, t);
      const std::vector<double> wetBulbs(n, 0.0);
      const double P = 101.325;
      std::vector<Result> out(n);
      ASSERT_TRUE(ComputeStates(Pairs[0], dryBulbs, wetBulbs, {&P, 1}, out));
      for (const Result& r : out) {
        EXPECT_EQ(RulesOf(OutcomeOf(r).kind).computed, computed) << t;
        if (computed) {
          EXPECT_NEAR(r.state.humidityRatio, W, 1e-6) << t;
        }
      }
    }
  }
  hwy::SetSupportedTargetsForTest(0);
}

TEST(Arrays, LengthsThatDoNotMatchComputeNothing) {
  const double values[] = {20, 50};
  std::vector<Result> out(2);
  EXPECT_FALSE(ComputeStates(Pairs[2], values, {values, 1}, values, out));
  EXPECT_FALSE(ComputeStates(Pairs[2], values, values, {}, out));
}

}  // namespace
}  // namespace hygrian
