// A double's bits and back, as std::bit_cast gives them: the compiler's
// built-in that std::bit_cast rests on, also where the C++ library lacks
// std::bit_cast (libc++ 13 of the WebAssembly build).
//
//   BitCast<std::uint64_t>(1.0) is 0x3ff0000000000000.
#pragma once

namespace hygrian::air {

template <class To, class From>
constexpr To BitCast(const From& from) noexcept {
  static_assert(sizeof(To) == sizeof(From));
  return __builtin_bit_cast(To, from);
}

}  // namespace hygrian::air
