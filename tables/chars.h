// Floating-point number texts with the bytes of <charconv>: the shortest form
// that reads back as the same double, a fixed or general form with a precision,
// and the correctly rounded reading of a decimal. Natively these are
// std::to_chars and std::from_chars. The WebAssembly build's C++ library has
// neither for doubles; there the portable versions below give the same bytes
// (fmt's shortest digits laid out as std::to_chars lays them out, the C
// library's exact printf for a precision, fast_float for reading).
//
//   ToChars(p, end, 1e-05) writes "1e-05"; ToChars(p, end, 200000.0, fixed) "200000";
//   ToChars(p, end, 63.48, general, 3) "63.5"; FromChars("1e400") is out of range.
#pragma once

#include <charconv>

namespace hygrian::tables {

// As std::to_chars(first, last, value): plain or exponent form, whichever is
// shorter (plain on a tie). std::errc::value_too_large when it does not fit.
std::to_chars_result ToChars(char* first, char* last, double value) noexcept;
// As std::to_chars(first, last, value, format) for fixed or scientific: the
// shortest digits in that form; an integer in fixed form is written exactly.
std::to_chars_result ToChars(char* first, char* last, double value,
                             std::chars_format format) noexcept;
// As std::to_chars(first, last, value, format, precision) for fixed, scientific
// or general: printf's %.*f, %.*e or %.*g in the C locale.
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format,
                             int precision) noexcept;
// As std::from_chars(first, last, value) for the general format: no leading
// plus or blanks; std::errc::result_out_of_range when the decimal's magnitude
// overflows a double or underflows to zero (value then unchanged).
std::from_chars_result FromChars(const char* first, const char* last, double& value) noexcept;

// The portable versions, used by the WebAssembly build and tested natively
// against the ones above.
namespace portable {
std::to_chars_result ToChars(char* first, char* last, double value) noexcept;
std::to_chars_result ToChars(char* first, char* last, double value,
                             std::chars_format format) noexcept;
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format,
                             int precision) noexcept;
std::from_chars_result FromChars(const char* first, const char* last, double& value) noexcept;
}  // namespace portable

}  // namespace hygrian::tables
