// Prints the state of air at 25 degrees C dry-bulb and 20 degrees C wet-bulb at
// the standard pressure, every value with all its digits, one property a line,
// by the handbook model (the default since 2.0).
#include <hygrian/properties.h>
#include <hygrian/psychrometrics.h>

#include <cstdio>

int main() {
  const hygrian::Result result = hygrian::FromDryBulbWetBulb(25.0, 20.0);
  if (result.status != hygrian::Status::Ok) {
    std::fprintf(stderr, "consumer: %s\n", hygrian::StatusText(result.status).data());
    return 1;
  }
  for (const hygrian::Property& p : hygrian::Properties) {
    std::printf("%-21s %.17g %s\n", p.description.data(), result.state.*p.member, p.unit.data());
  }
  return 0;
}
