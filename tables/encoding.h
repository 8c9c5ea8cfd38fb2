// The text encodings a table may come in, turned into UTF-8 before the CSV
// reader sees it: UTF-8 (with or without a byte-order mark) passes through as it
// is; UTF-16 with a byte-order mark (either byte order) is found by that mark;
// Latin-1 and Windows-1252 are taken only when the caller names them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/csv.h"

namespace hygrian::tables {

enum class Encoding {
  Detected,  // UTF-8, or UTF-16 when the input starts with its byte-order mark
  Latin1,    // ISO 8859-1: each byte is the code point of its value
  Cp1252,    // Windows-1252: Latin-1 with printable characters at 0x80 to 0x9F
};

// "latin1" or "cp1252" (as written, in any case; also "iso-8859-1",
// "windows-1252") as an encoding; "utf-8" and "utf8" as Detected; none otherwise.
[[nodiscard]] std::optional<Encoding> ReadEncoding(std::string_view name) noexcept;

// Whether text is valid UTF-8 (shortest forms, no surrogates, nothing above
// U+10FFFF): "Temp (\xC2\xB0C)" is, "Temp (\xB0C)" is not.
[[nodiscard]] bool IsUtf8(std::string_view text) noexcept;

// A source whose bytes are those of another, in UTF-8. Without transcoding (UTF-8
// input) each read goes straight to the source into the caller's buffer. A
// UTF-16 code unit left without its pair, and an odd last byte, become U+FFFD;
// Windows-1252's five unassigned bytes become the C1 controls of their value.
class DecodingSource final : public ByteSource {
 public:
  DecodingSource(ByteSource& source, Encoding encoding) : source_(source), encoding_(encoding) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size, int* error) override;

 private:
  enum class Form { Unknown, Utf8, Utf16Little, Utf16Big, SingleByte };
  // Reads until the first two bytes are known (or the input ends) and decides.
  bool Decide(int* error);
  // Reads more raw bytes and turns them into decoded_; false at the end.
  bool Decode(int* error);
  void DecodeUtf16(bool atEnd);
  void DecodeSingleByte();
  void PutCode(std::uint32_t code);

  ByteSource& source_;
  Encoding encoding_;
  Form form_ = Form::Unknown;
  std::vector<char> raw_;   // raw bytes read and not yet decoded
  std::string decoded_;     // UTF-8 bytes not yet handed out
  std::size_t handed_ = 0;  // of decoded_
  bool ended_ = false;
};

}  // namespace hygrian::tables
