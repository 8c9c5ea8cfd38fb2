// Measures of text that the table reader and the programs share: how long the
// valid UTF-8 character at a place in a text is, so that a writer can copy it
// whole or put U+FFFD in place of a byte that does not belong to one, and how
// many edits turn one word into another, for "did you mean" hints.
#pragma once

#include <cstddef>
#include <string_view>

namespace hygrian::tables {

// The length (1 to 4) of the valid, shortest-form UTF-8 sequence that starts at
// text[i] (i < text.size()), or 0: a stray continuation byte, C0, C1 or F5 to FF,
// a sequence cut short, an overlong form, a surrogate or a code above U+10FFFF.
//   "a" -> 1    "\xC3\xA9" -> 2    "\xE2\x82\xAC" -> 3    "\xC3" -> 0    "\xED\xA0\x80" -> 0
[[nodiscard]] std::size_t Utf8Length(std::string_view text, std::size_t i) noexcept;

// The number of single-byte insertions, deletions and substitutions that turn a
// into b: "verison" and "version" are 2 apart.
[[nodiscard]] std::size_t EditDistance(std::string_view a, std::string_view b);

}  // namespace hygrian::tables
