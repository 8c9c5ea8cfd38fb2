// The numbers of the chart as text, in one place: the shortest exact form for
// values a program may read back, fixed decimals for the numbers a person reads,
// and coordinates to 0.01 px. Pure functions; nothing thrown.
#pragma once

#include <string>

namespace hygrian::chart {

// The shortest text that reads back as the same double, as std::to_chars
// writes it (tables::FormatNumber): 101.325 gives "101.325", 83 gives "83",
// 85.0 / 100 gives "0.85", 0.1 + 0.2 gives "0.30000000000000004", 1e-05 stays
// "1e-05". For the states of the points and the values of the curves.
std::string Shortest(double value);

// `value` correctly rounded to `decimals` decimals (0 or more), for a person to
// read: a leading minus as U+2212 (as wide as a digit) and never "-0".
// Fixed(0.8, 2) is "0.80", Fixed(-5, 0) is "\u22125", Fixed(-0.04, 1) is "0.0".
// "?" if the text would take more than 64 bytes.
std::string Fixed(double value, int decimals);

// Fixed with a comma between each three digits of the whole part, for a
// label's load: Grouped(66141.2, 0) is "66,141", Grouped(-1234.56, 1) is
// "\u22121,234.6", Grouped(999.9, 1) is "999.9".
std::string Grouped(double value, int decimals);

// value rounded to `decimals` decimals (at most 17 significant digits), in
// the shortest text of the rounded double: for messages and titles, where a
// person reads the number. When value lies beyond limit (above it with
// `above`, else below), more decimals are taken until the text shows that it
// does: Rounded(100.0001, 2, 100, true) is "100.0001", Rounded(25.474370204, 2)
// is "25.47", Rounded(74.6824255811903, 3) is "74.682".
std::string Rounded(double value, int decimals);
std::string RoundedPast(double value, int decimals, double limit, bool above);

// A coordinate or length in px, or an angle in degrees, to 0.01: value * 100
// rounded half away from zero, then divided by 100; no trailing zeros, no
// trailing point, an ASCII minus and never "-0". 12.5 gives "12.5", 3.0 gives "3", -0.25 gives
// "-0.25", 0.125 gives "0.13", -0.004 gives "0". "0" if the text would take more than 64 bytes.
std::string Coordinate(double value);

}  // namespace hygrian::chart
