// The public C++ API as a user links it: built once against the static archive
// and once against the shared library, so every function a program may call is
// also checked to be exported. Only the installed headers are included.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "hygrian/hygrian.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/version.h"

namespace hygrian {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The standard atmosphere's pressures in kPa, as the ASHRAE Handbook tabulates
// them (5 significant digits); outside -5,000 to 11,000 m the input is invalid.
TEST(PublicApi, StandardPressureAtAltitude) {
  const struct {
    double metres, want, tolerance;
    Status status;
  } rows[] = {
      {0.0, 101.325, 0.0, Status::Ok},
      {-500.0, 107.478, 0.0005, Status::Ok},
      {1000.0, 89.875, 0.0005, Status::Ok},
      {1500.0, 84.556, 0.0005, Status::Ok},
      {5000.0, 54.020, 0.0005, Status::Ok},
      {11000.0, 22.632, 0.0005, Status::Ok},
      {-5000.0, 177.69, 0.005, Status::Ok},
      {-5000.001, 0.0, 0.0, Status::InvalidInput},
      {11000.001, 0.0, 0.0, Status::InvalidInput},
      {kNan, 0.0, 0.0, Status::InvalidInput},
      {kInf, 0.0, 0.0, Status::InvalidInput},
      {-kInf, 0.0, 0.0, Status::InvalidInput},
  };
  for (const auto& row : rows) {
    const PressureResult got = StandardPressureAtAltitude(row.metres);
    EXPECT_EQ(got.status, row.status) << row.metres;
    EXPECT_NEAR(got.pressure, row.want, row.tolerance) << row.metres;
    double c = -1.0;
    EXPECT_EQ(hygrian_standard_pressure_at_altitude(row.metres, &c), static_cast<int>(row.status));
    EXPECT_EQ(c, got.pressure) << row.metres;
  }
  EXPECT_EQ(hygrian_standard_pressure_at_altitude(0.0, nullptr), HYGRIAN_INVALID_INPUT);
}

TEST(PublicApi, Version) {
  EXPECT_EQ(std::string(hygrian_version()), HYGRIAN_VERSION);
  EXPECT_EQ(std::string(HYGRIAN_VERSION), std::to_string(HYGRIAN_VERSION_MAJOR) + "." +
                                              std::to_string(HYGRIAN_VERSION_MINOR) + "." +
                                              std::to_string(HYGRIAN_VERSION_PATCH));
}

}  // namespace
}  // namespace hygrian
