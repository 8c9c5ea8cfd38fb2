// The handbook model's forward values for a block of states in SIMD lanes, on
// the best instruction set this CPU offers (Highway's runtime dispatch): the
// generic relations and the dew point's fixed steps of air/*-inl.h, which give
// the same bits as the scalar path on every instruction set. Nothing of
// Highway shows here.
#pragma once

#include <cstddef>

#include "hygrian/psychrometrics.h"

namespace hygrian::air::handbook {

// The states a block holds: a multiple of every instruction set's lanes (four
// vectors of at most 8 doubles).
inline constexpr std::size_t kBlock = 64;
inline constexpr std::size_t kWidest = 32;

// Structure of arrays: the given values in, the forward values out (the fields
// of Forward, air/handbook/cases.h); from ForwardLanes, dewPoint NaN where the
// lanes' fixed steps did not settle it (the scalar dew point finishes those)
// or where it is given. The flags are 1.0 for true, 0.0 for false.
struct Block {
  double t[kBlock], value[kBlock], P[kBlock];
  double screened[kBlock];
  double p[kBlock], W[kBlock], saturation[kBlock], logValue[kBlock], logSlope[kBlock];
  double relativeHumidity[kBlock], saturated[kBlock], enthalpy[kBlock], volume[kBlock];
  double dewPoint[kBlock];
  double wetBulb[kBlock], wetBulbKnown[kBlock];
  double plain[kBlock];
};

// Screens block's first `count` given values (a multiple of kWidest, at most
// kBlock; any value, NaN in the padding) as ScreenDryBulbPair does: screened
// where it passes them; where not, puts a harmless state in their place. Then
// fills the forward values. second is the State member the second column
// holds, with the dry-bulb: &State::wetBulb, dewPoint, relativeHumidity or
// humidityRatio.
void ForwardLanes(Block& block, std::size_t count, double State::*second, bool overIce);

// Fills wetBulb and wetBulbKnown of the first `count` states from t, W, P,
// logValue, logSlope and dewPoint (every dew point known, NaN where there is
// none): the wet-bulb search's plan and fixed steps in lanes; known is 0.0 in
// the lanes whose steps did not settle it (the scalar wet-bulb finishes those).
void WetBulbLanes(Block& block, std::size_t count, bool overIce);

// Fills plain, from the flags, the forward values, every dew point (final) and
// every wet-bulb found: true where a screened state's outcome is Ok with
// every value found and nothing refused, so that its Result is those values
// as they stand (DecideInto would write the same); false where Decide has
// more to say.
void PlainLanes(Block& block, std::size_t count, double State::*second);

// The instruction set ForwardLanes runs on ("AVX3", "AVX2", "SSE4", "EMU128", ...).
const char* VectorTarget();

}  // namespace hygrian::air::handbook
