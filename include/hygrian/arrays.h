// Many states at once: the state of every row of a table given by one pair
// (hygrian/pairs.h), as the pair's function gives it row by row, bit for bit.
// The handbook model's dry-bulb pairs compute in SIMD vectors on the best
// instruction set the CPU offers (chosen at run time); their exp and ln are
// the library's own, the same in every lane and on the scalar path, so a state's
// bits do not depend on its place in the array, the array's length, how a
// caller splits it, or the instruction set. The other pairs and the calculator
// model compute row by row.
//
//   std::vector<hygrian::Result> out(t.size());
//   bool ok = hygrian::ComputeStates(hygrian::Pairs[2], t, rh, {&P, 1}, out);
//   // out[i] == FromDryBulbRelativeHumidity(t[i], rh[i], P) for every i
#pragma once

#include <span>
#include <string_view>

#include "hygrian/export.h"
#include "hygrian/pairs.h"
#include "hygrian/psychrometrics.h"

namespace hygrian {

// out[i] is pair.compute(first[i], second[i], pressure[i], options): first and
// second in the pair's units, pressure in kPa, either one per row or a single
// value for every row. false, with nothing computed, where the lengths do not
// match (first, second and out of one length; pressure of that length or 1).
[[nodiscard]] HYGRIAN_API bool ComputeStates(const Pair& pair, std::span<const double> first,
                                             std::span<const double> second,
                                             std::span<const double> pressure,
                                             std::span<Result> out, Options options = {}) noexcept;

// The instruction set the vectors run on in this process: "AVX3" (AVX-512),
// "AVX2", "SSE4", "SSSE3", "EMU128" (no SIMD) and so on, as Highway names them.
[[nodiscard]] HYGRIAN_API std::string_view VectorInstructionSet() noexcept;

}  // namespace hygrian
