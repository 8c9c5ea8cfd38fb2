#include "tables/chars.h"

namespace hygrian::tables {

#ifdef __EMSCRIPTEN__

std::to_chars_result ToChars(char* first, char* last, double value) noexcept {
  return portable::ToChars(first, last, value);
}
std::to_chars_result ToChars(char* first, char* last, double value,
                             std::chars_format format) noexcept {
  return portable::ToChars(first, last, value, format);
}
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format,
                             int precision) noexcept {
  return portable::ToChars(first, last, value, format, precision);
}
std::from_chars_result FromChars(const char* first, const char* last, double& value) noexcept {
  return portable::FromChars(first, last, value);
}

#else

std::to_chars_result ToChars(char* first, char* last, double value) noexcept {
  return std::to_chars(first, last, value);
}
std::to_chars_result ToChars(char* first, char* last, double value,
                             std::chars_format format) noexcept {
  return std::to_chars(first, last, value, format);
}
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format,
                             int precision) noexcept {
  return std::to_chars(first, last, value, format, precision);
}
std::from_chars_result FromChars(const char* first, const char* last, double& value) noexcept {
  return std::from_chars(first, last, value);
}

#endif

}  // namespace hygrian::tables
