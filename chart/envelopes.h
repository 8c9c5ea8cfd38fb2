// The data centre's envelopes of ASHRAE TC 9.9 (Thermal Guidelines for Data
// Processing Environments, 4th ed. 2015, Table 2.1), as zones by name: the
// recommended envelope and the allowable ones of classes A1 to A4, each a
// dry-bulb range whose humidity is bounded below by a dew point and a
// relative humidity (the higher of the two) and above by a dew point and a
// relative humidity (the lower).
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "chart/frame.h"
#include "chart/zones.h"

namespace hygrian::chart {

struct Envelope {
  std::string_view key;                     // "tc9.9-a1", as --zones names it
  std::string_view name;                    // "ASHRAE A1 (allowable)"
  double dryBulbLow, dryBulbHigh;           // degrees C
  double dewPointLow, relativeHumidityLow;  // the lower limits: both hold
  double dewPointHigh, relativeHumidityHigh;
};

// clang-format off
inline constexpr std::array<Envelope, 5> kEnvelopes{{
    {"tc9.9-recommended", "ASHRAE recommended", 18.0, 27.0, -9.0, 0.0, 15.0, 60.0},
    {"tc9.9-a1", "ASHRAE A1 allowable", 15.0, 32.0, -12.0, 8.0, 17.0, 80.0},
    {"tc9.9-a2", "ASHRAE A2 allowable", 10.0, 35.0, -12.0, 8.0, 21.0, 80.0},
    {"tc9.9-a3", "ASHRAE A3 allowable", 5.0, 40.0, -12.0, 8.0, 24.0, 85.0},
    {"tc9.9-a4", "ASHRAE A4 allowable", 5.0, 45.0, -12.0, 8.0, 24.0, 90.0},
}};
// clang-format on

// The envelope of a key; none for another.
const Envelope* FindEnvelope(std::string_view key);

// The envelope's outline at the frame's pressure and phase: along the upper
// limit from its lowest dry-bulb to its highest, back along the lower one,
// with the corners where a dew point gives way to a relative humidity found to
// 1e-9 K.
StatePolygon EnvelopeOf(const Frame& frame, const Envelope& envelope);

}  // namespace hygrian::chart
