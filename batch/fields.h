// The bytes of one output field, shared by the batch program's writers: CSV
// fields quoted where they must be, JSON strings and keys escaped, a status
// cell. Each writes at out (room enough given by the caller) and returns the end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace hygrian::batch {

// Copies text to out.
char* Put(char* out, std::string_view text);

// The most bytes JsonString writes for text.
std::size_t JsonStringRoom(std::string_view text);
// text inside a JSON string: quote, backslash and control bytes escaped, bytes
// that are not UTF-8 replaced by U+FFFD ("a\"b" for a"b), which sets *replaced
// when given.
char* JsonChars(char* out, std::string_view text, bool* replaced = nullptr);
// text as a JSON string, in quotes.
char* JsonString(char* out, std::string_view text, bool* replaced = nullptr);
// "{\"name\":" with lead '{', or ",\"name\":".
std::string JsonKey(std::string_view name, char lead);

// The most bytes WriteField writes for field.
std::size_t FieldRoom(std::string_view field);
// A CSV field ending at delimiter: quoted when it holds the delimiter, a quote,
// CR or LF (a"b as "a""b").
char* WriteField(char* out, std::string_view field, char delimiter);
// "KEY" or "KEY: TEXT" as one field, quoted as WriteField would quote it.
char* WriteStatus(char* out, std::string_view key, std::string_view text, char delimiter);

// A column's name as a key: blanks around it dropped, ASCII letters in lower case.
std::string Lower(std::string_view text);

}  // namespace hygrian::batch
