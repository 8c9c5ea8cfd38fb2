// The console reader: one input statement takes a free-form list of values from
// standard input (separated by blanks, commas or line ends; null values, repeat
// counts r*value, slash to end the list) and assigns them in order. Whatever
// follows the last value used on its line is dropped. Anything unreadable ends
// the program with a numbered report.
#pragma once

#include <cstdint>
#include <span>
#include <variant>

#include "console/console.h"

namespace hygrian {

// One target of an input statement, an INTEGER or a REAL item by the type it
// points to; it is written only when a value for it has been read and converted.
using InputItem = std::variant<std::int32_t*, double*>;

// One input statement with the items in order.
void ReadStatement(Console& console, std::span<const InputItem> items);

// One input statement with one INTEGER item: "2 3" reads 2 and drops 3; "," keeps
// the target as it was.
void ReadInteger(Console& console, std::int32_t& target);

// One input statement with two REAL items: "25 20", "25,20", "25" then "20" on
// the next line all read 25 and 20; "25/" reads only the first; "2*25" both.
void ReadReals(Console& console, double& first, double& second);

// One read of at most 132 bytes into the console's line buffer; hands out its
// first byte. At a terminal each read is one typed line: a shorter one without
// its LF gets one appended ("25 20" reads as "25 20\n"), a full one without LF is
// F6407. Read as a stream, a read may stop anywhere in a line and the line simply
// goes on in the next read ("1\n2" then "5 20\n" is "1", "25 20"); when the input
// ends inside a line, that line gets one LF as if it had been read, and only the
// read after it reports the end of input (F6501). A read failure is F6500; a
// 0x1A third from the end of a read is F6501.
char FillLineBuffer(Console& console);

}  // namespace hygrian
