// Prints the states of a grid of inputs, each value as the hexadecimal form of
// its bits, so that two builds of this program can be compared byte for byte:
// one that embeds hygrian and is compiled with -ffast-math, one against the
// installed library. The grid, through both models, holds the cases fast-math
// would change: with the calculator's relations a relative humidity of 0
// (LogSingularity) and a wet-bulb far below the dry-bulb (25 and 5: LogDomain);
// with the handbook's, dry air, whose dew point is NaN.
#include <hygrian/properties.h>
#include <hygrian/psychrometrics.h>

#include <cstdio>

namespace {

void Print(const char* model, const char* pair, double dryBulb, double second,
           const hygrian::Result& r) {
  std::printf("%s %s %g %g: %s", model, pair, dryBulb, second,
              hygrian::StatusText(r.status).data());
  for (const hygrian::Property& p : hygrian::Properties) std::printf(" %a", r.state.*p.member);
  // A narrowing of this program's own, which hygrian's -Wconversion -Werror
  // would refuse if they reached it.
  float dew = r.state.dewPoint;
  std::printf(" float %a\n", static_cast<double>(dew));
}

void PrintGrid(const char* model, hygrian::Options o) {
  constexpr double P = hygrian::StandardPressure;
  for (int dry = -40; dry <= 60; dry += 5) {
    const double t = dry;
    for (const double rh : {0.0, 0.5, 10.0, 50.0, 99.9, 100.0}) {
      Print(model, "rh", t, rh, hygrian::FromDryBulbRelativeHumidity(t, rh, P, o));
    }
    for (const double depression : {0.0, 0.1, 5.0, 20.0}) {
      const double x = t - depression;
      Print(model, "wb", t, x, hygrian::FromDryBulbWetBulb(t, x, P, o));
      Print(model, "dp", t, x, hygrian::FromDryBulbDewPoint(t, x, P, o));
    }
    for (const double w : {0.0, 0.001, 0.01}) {
      Print(model, "w", t, w, hygrian::FromDryBulbHumidityRatio(t, w, P, o));
    }
  }
}

}  // namespace

int main() {
  PrintGrid("calculator", {hygrian::Model::Calculator, hygrian::Phase::Ice});
  PrintGrid("handbook", {});
  return 0;
}
