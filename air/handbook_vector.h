// The handbook model's forward values for a block of states in SIMD lanes, on
// the best instruction set this CPU offers (Highway's runtime dispatch): the
// generic relations and the dew point's fixed steps of air/*-inl.h, which give
// the same bits as the scalar path on every instruction set. Nothing of
// Highway shows here.
#pragma once

#include <cstddef>

namespace hygrian::air::handbook {

// The states a block holds: a multiple of every instruction set's lanes (four
// vectors of at most 8 doubles).
inline constexpr std::size_t kBlock = 64;
inline constexpr std::size_t kWidest = 32;

// Which value the second column holds, with the dry-bulb.
enum class Second { WetBulb, DewPoint, RelativeHumidity, HumidityRatio };

// Structure of arrays: the given values in, the forward values out (the fields
// of Forward, air/handbook_cases.h); from ForwardLanes, dewPoint NaN where the
// lanes' fixed steps did not settle it (the scalar dew point finishes those)
// or where it is given.
struct Block {
  double t[kBlock], value[kBlock], P[kBlock];
  double p[kBlock], W[kBlock], saturation[kBlock], logValue[kBlock], logSlope[kBlock];
  double relativeHumidity[kBlock], saturated[kBlock], enthalpy[kBlock], volume[kBlock];
  double dewPoint[kBlock];
  double wetBulb[kBlock], wetBulbKnown[kBlock];  // known: 1.0, else 0.0
};

// Fills the forward values of block's first `count` states (a multiple of
// kWidest, at most kBlock), every given value finite and screened.
void ForwardLanes(Block& block, std::size_t count, Second second, bool overIce);

// Fills wetBulb and wetBulbKnown of the first `count` states from t, W, P,
// logValue, logSlope and dewPoint (every dew point known, NaN where there is
// none): the wet-bulb search's plan and fixed steps in lanes; known is 0.0 in
// the lanes whose steps did not settle it (the scalar wet-bulb finishes those).
void WetBulbLanes(Block& block, std::size_t count, bool overIce);

// The instruction set ForwardLanes runs on ("AVX3", "AVX2", "SSE4", "EMU128", ...).
const char* VectorTarget();

}  // namespace hygrian::air::handbook
