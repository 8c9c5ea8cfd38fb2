#include "air/checked.h"

namespace hygrian::air {

Checked Pow(Checked x, Checked y) {
  const double base = x.Value();
  const double exponent = y.Value();
  if (!x.Ok()) return x;
  if (!y.Ok()) return y;
  if (base < 0.0 && std::trunc(exponent) != exponent) return {base, Fault::PowerDomain};
  if (base == 0.0 && exponent < 0.0) return {base, Fault::PowerSingularity};
  const double result = std::pow(base, exponent);
  if (std::isinf(result)) return {result, Fault::PowerOverflow};
  return result;
}

}  // namespace hygrian::air
