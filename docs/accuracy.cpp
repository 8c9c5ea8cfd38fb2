// Prints, as a Markdown table, the program's saturation vapour pressure beside
// reference values at the same temperatures and the deviation in percent. The
// README carries this table; a test keeps the two identical. With --models it
// prints instead the two models' tables of docs/models.h, which docs/accuracy.md
// and hygrian(3) carry.
#include <array>
#include <cstdio>
#include <string>

#include "air/calculator/relations.h"
#include "docs/models.h"

namespace {

struct ReferencePoint {
  const char* over;     // the phase of the reference value
  const char* typed;    // the temperature as a user types it, degrees C
  double celsius;       // the same temperature as a number
  double referenceKPa;  // reference saturation pressure, kPa
};

// Liquid water: the saturation-pressure equation of IAPWS-IF97. Ice: the IAPWS
// 2011 sublimation-pressure equation.
constexpr std::array kReferences{
    ReferencePoint{"liquid water", "0.01", 0.01, 0.611657},
    ReferencePoint{"liquid water", "10", 10.0, 1.22818},
    ReferencePoint{"liquid water", "20", 20.0, 2.33921},
    ReferencePoint{"liquid water", "25", 25.0, 3.16975},
    ReferencePoint{"liquid water", "30", 30.0, 4.24669},
    ReferencePoint{"liquid water", "40", 40.0, 7.38443},
    ReferencePoint{"liquid water", "50", 50.0, 12.3513},
    ReferencePoint{"liquid water", "60", 60.0, 19.9458},
    ReferencePoint{"liquid water", "80", 80.0, 47.4147},
    ReferencePoint{"liquid water", "100", 100.0, 101.418},
    ReferencePoint{"ice", "0", 0.0, 0.611153},
    ReferencePoint{"ice", "-10", -10.0, 0.259874},
    ReferencePoint{"ice", "-20", -20.0, 0.103239},
    ReferencePoint{"ice", "-40", -40.0, 0.0128412},
};

// The program's own saturation pressure (kPa) at a temperature typed in degrees
// C: converted to kelvin and passed through the phase rule, as every computation
// of the program does.
double ProgramSaturationPressure(double celsius) {
  const double kelvin = celsius + hygrian::air::kKelvinOffset;
  return hygrian::air::SaturationPressure(kelvin).Value();
}

std::string Format(const char* format, double value) {
  std::array<char, 64> text{};
  const int length = std::snprintf(text.data(), text.size(), format, value);
  return std::string(text.data(), static_cast<std::size_t>(length));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--models") {
    return std::fputs(hygrian::docs::ModelTables(HYGRIAN_GIVEN_CSV).c_str(), stdout) < 0 ? 1 : 0;
  }
  std::string table =
      "| Over | t (°C) | Reference (kPa) | hygrian (kPa) | Deviation (%) |\n"
      "|---|---:|---:|---:|---:|\n";
  for (const ReferencePoint& point : kReferences) {
    const double program = ProgramSaturationPressure(point.celsius);
    const double deviation = (program - point.referenceKPa) / point.referenceKPa * 100.0;
    table += std::string("| ") + point.over + " | " + point.typed + " | " +
             Format("%#.6g", point.referenceKPa) + " | " + Format("%#.6g", program) + " | " +
             Format("%+.3f", deviation) + " |\n";
  }
  return std::fputs(table.c_str(), stdout) < 0 ? 1 : 0;
}
