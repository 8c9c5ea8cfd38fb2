// The console reader: one input statement takes a free-form list of values from
// standard input (separated by blanks, commas or line ends; null values, repeat
// counts r*value, slash to end the list) and assigns them in order. Whatever
// follows the last value used on its line is dropped. Anything unreadable ends
// the program with a numbered report.
#pragma once

#include <cstdint>
#include <span>

#include "console/console.h"

namespace hygrian {

enum class InputItemKind { Integer, Real };

// One target of an input statement; it is written only when a value for it has
// been read and converted.
struct InputItem {
  InputItemKind kind;
  std::int32_t* integer = nullptr;
  double* real = nullptr;
};

// One input statement with the items in order.
void ReadStatement(Console& console, std::span<const InputItem> items);

// One input statement with one INTEGER item: "2 3" reads 2 and drops 3; "," keeps
// the target as it was.
void ReadInteger(Console& console, std::int32_t& target);

// One input statement with two REAL items: "25 20", "25,20", "25" then "20" on
// the next line all read 25 and 20; "25/" reads only the first; "2*25" both.
void ReadReals(Console& console, double& first, double& second);

}  // namespace hygrian
