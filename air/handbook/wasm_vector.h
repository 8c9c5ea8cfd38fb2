// One SIMD vector of two doubles in WebAssembly (simd128's f64x2), for
// air/handbook/vector.cpp where Highway compiles for WebAssembly: Debian's
// Highway 1.0 has no doubles in its WASM target. The same operations as
// air/handbook/lanes.h, each exact or correctly rounded (IEEE 754 arithmetic, selects for
// Min and Max, integer conversions of whole numbers), so a lane gives the bits
// of a double on the scalar path.
//
//   WasmVector::Pow2(WasmVector::Set(3.0)) holds 8.0 in both lanes.
#pragma once

#include <wasm_simd128.h>

#include <cstddef>

namespace hygrian::air {

struct WasmVector {
  struct V {
    v128_t x;  // two doubles
  };
  struct M {
    v128_t x;  // two 64-bit masks: all ones where true
  };

  static std::size_t Lanes() { return 2; }
  static V Load(const double* from) { return {wasm_v128_load(from)}; }
  static void Store(V v, double* to) { wasm_v128_store(to, v.x); }

  static V Set(double c) { return {wasm_f64x2_splat(c)}; }
  static M Uniform(bool b) { return {wasm_i64x2_splat(b ? -1 : 0)}; }
  static V Select(M m, V yes, V no) { return {wasm_v128_bitselect(yes.x, no.x, m.x)}; }
  static M And(M a, M b) { return {wasm_v128_and(a.x, b.x)}; }
  static M Or(M a, M b) { return {wasm_v128_or(a.x, b.x)}; }
  static M Not(M a) { return {wasm_v128_not(a.x)}; }
  static V Min(V a, V b) { return Select({wasm_f64x2_lt(b.x, a.x)}, b, a); }
  static V Max(V a, V b) { return Select({wasm_f64x2_lt(a.x, b.x)}, b, a); }
  static V Abs(V x) { return {wasm_f64x2_abs(x.x)}; }
  static bool Any(M m) { return wasm_v128_any_true(m.x); }
  static bool All(M m) { return wasm_i64x2_all_true(m.x); }
  // 2^k for a whole k (as a double) in [-1022, 1023], from the exponent bits.
  static V Pow2(V k) {
    const v128_t whole = wasm_i64x2_extend_low_i32x4(wasm_i32x4_trunc_sat_f64x2_zero(k.x));
    return {wasm_i64x2_shl(wasm_i64x2_add(whole, wasm_i64x2_splat(1023)), 52)};
  }
  // The unbiased binary exponent of a positive normal x, as a double.
  static V Exponent(V x) {
    const v128_t biased = wasm_u64x2_shr(x.x, 52);
    const v128_t low = wasm_i32x4_shuffle(biased, biased, 0, 2, 0, 2);
    return {wasm_f64x2_sub(wasm_f64x2_convert_low_i32x4(low), wasm_f64x2_splat(1023.0))};
  }
  // x with its exponent replaced by 0: a positive normal x's significand in [1, 2).
  static V Significand(V x) {
    const v128_t mantissa = wasm_v128_and(x.x, wasm_i64x2_splat(0x000fffffffffffffLL));
    return {wasm_v128_or(mantissa, wasm_i64x2_splat(0x3ff0000000000000LL))};
  }
};

inline WasmVector::V operator+(WasmVector::V a, WasmVector::V b) {
  return {wasm_f64x2_add(a.x, b.x)};
}
inline WasmVector::V operator-(WasmVector::V a, WasmVector::V b) {
  return {wasm_f64x2_sub(a.x, b.x)};
}
inline WasmVector::V operator*(WasmVector::V a, WasmVector::V b) {
  return {wasm_f64x2_mul(a.x, b.x)};
}
inline WasmVector::V operator/(WasmVector::V a, WasmVector::V b) {
  return {wasm_f64x2_div(a.x, b.x)};
}
inline WasmVector::M operator<(WasmVector::V a, WasmVector::V b) {
  return {wasm_f64x2_lt(a.x, b.x)};
}
inline WasmVector::M operator>(WasmVector::V a, WasmVector::V b) {
  return {wasm_f64x2_gt(a.x, b.x)};
}
inline WasmVector::M operator<=(WasmVector::V a, WasmVector::V b) {
  return {wasm_f64x2_le(a.x, b.x)};
}
inline WasmVector::M operator>=(WasmVector::V a, WasmVector::V b) {
  return {wasm_f64x2_ge(a.x, b.x)};
}
inline WasmVector::M operator==(WasmVector::V a, WasmVector::V b) {
  return {wasm_f64x2_eq(a.x, b.x)};
}
inline WasmVector::M operator!=(WasmVector::V a, WasmVector::V b) {
  return {wasm_f64x2_ne(a.x, b.x)};
}

}  // namespace hygrian::air
