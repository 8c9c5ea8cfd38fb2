// The handbook model's forward values for a block of states in SIMD lanes, on
// the best instruction set this CPU offers (Highway's runtime dispatch): the
// generic relations and the dew point's fixed steps of air/*-inl.h, which give
// the same bits as the scalar path on every instruction set. Nothing of
// Highway shows here.
#pragma once

#include <cstddef>

namespace hygrian::air::handbook {

// The states a block holds: a multiple of every vector's length (at most 8 doubles).
inline constexpr std::size_t kBlock = 64;
inline constexpr std::size_t kWidest = 8;

// Which value the second column holds, with the dry-bulb.
enum class Second { WetBulb, DewPoint, RelativeHumidity, HumidityRatio };

// Structure of arrays: the given values in, the forward values out (the fields
// of Forward, air/handbook_cases.h); dewPoint NaN where the lanes' fixed steps
// did not settle it (the scalar dew point finishes those) or where it is given.
struct Block {
  double t[kBlock], value[kBlock], P[kBlock];
  double p[kBlock], W[kBlock], saturation[kBlock], logValue[kBlock], logSlope[kBlock];
  double relativeHumidity[kBlock], saturated[kBlock], enthalpy[kBlock], volume[kBlock];
  double dewPoint[kBlock];
};

// Fills the forward values of block's first `count` states (a multiple of
// kWidest, at most kBlock), every given value finite and screened.
void ForwardLanes(Block& block, std::size_t count, Second second, bool overIce);

// The instruction set ForwardLanes runs on ("AVX3", "AVX2", "SSE4", "EMU128", ...).
const char* VectorTarget();

}  // namespace hygrian::air::handbook
