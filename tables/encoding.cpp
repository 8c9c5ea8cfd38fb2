#include "tables/encoding.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "tables/text.h"

namespace hygrian::tables {
namespace {

constexpr std::size_t kRawBytes = std::size_t{64} << 10;
constexpr std::uint32_t kReplacement = 0xFFFD;

// The code points of Windows-1252's bytes 0x80 to 0x9F; the five it leaves
// unassigned keep their value.
constexpr std::array<std::uint16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace

std::optional<Encoding> ReadEncoding(std::string_view name) noexcept {
  const std::string lower = Lower(name);
  if (lower == "utf-8" || lower == "utf8") return Encoding::Detected;
  if (lower == "latin1" || lower == "latin-1" || lower == "iso-8859-1") return Encoding::Latin1;
  if (lower == "cp1252" || lower == "windows-1252") return Encoding::Cp1252;
  return std::nullopt;
}

bool IsUtf8(std::string_view text) noexcept {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8Length(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::ptrdiff_t DecodingSource::Read(char* buffer, std::size_t size, int* error) {
  if (form_ == Form::Unknown && !Decide(error)) return -1;
  if (form_ == Form::Utf8 && raw_.empty()) return source_.Read(buffer, size, error);
  if (form_ == Form::Utf8) {
    // The bytes read while deciding go first.
    const std::size_t count = std::min(size, raw_.size());
    std::memcpy(buffer, raw_.data(), count);
    raw_.erase(raw_.begin(), raw_.begin() + static_cast<std::ptrdiff_t>(count));
    return static_cast<std::ptrdiff_t>(count);
  }
  while (handed_ == decoded_.size()) {
    decoded_.clear();
    handed_ = 0;
    if (ended_ && raw_.empty()) return 0;
    if (!Decode(error)) return -1;
  }
  const std::size_t count = std::min(size, decoded_.size() - handed_);
  std::memcpy(buffer, decoded_.data() + handed_, count);
  handed_ += count;
  return static_cast<std::ptrdiff_t>(count);
}

bool DecodingSource::Decide(int* error) {
  std::array<char, 2> head{};
  std::size_t have = 0;
  while (have < head.size()) {
    const std::ptrdiff_t count = source_.Read(head.data() + have, head.size() - have, error);
    if (count < 0) return false;
    if (count == 0) {
      ended_ = true;
      break;
    }
    have += static_cast<std::size_t>(count);
  }
  raw_.assign(head.begin(), head.begin() + static_cast<std::ptrdiff_t>(have));
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(head[i]); };
  if (encoding_ != Encoding::Detected) {
    form_ = Form::SingleByte;
  } else if (have == 2 && byte(0) == 0xFF && byte(1) == 0xFE) {
    form_ = Form::Utf16Little;
  } else if (have == 2 && byte(0) == 0xFE && byte(1) == 0xFF) {
    form_ = Form::Utf16Big;
  } else {
    form_ = Form::Utf8;
  }
  return true;
}

bool DecodingSource::Decode(int* error) {
  const std::size_t kept = raw_.size();
  if (!ended_) {
    raw_.resize(kept + kRawBytes);
    const std::ptrdiff_t count = source_.Read(raw_.data() + kept, kRawBytes, error);
    if (count < 0) {
      raw_.resize(kept);
      return false;
    }
    raw_.resize(kept + static_cast<std::size_t>(count));
    if (count == 0) ended_ = true;
  }
  if (form_ == Form::SingleByte) {
    DecodeSingleByte();
  } else {
    DecodeUtf16(ended_);
  }
  return true;
}

void DecodingSource::DecodeSingleByte() {
  for (const char c : raw_) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte < 0xA0 && encoding_ == Encoding::Cp1252) {
      PutCode(kCp1252High[byte - 0x80U]);
    } else {
      PutCode(byte);
    }
  }
  raw_.clear();
}

void DecodingSource::DecodeUtf16(bool atEnd) {
  const bool little = form_ == Form::Utf16Little;
  const auto unit = [&](std::size_t i) -> std::uint32_t {
    const std::uint32_t first = static_cast<unsigned char>(raw_[i]);
    const std::uint32_t second = static_cast<unsigned char>(raw_[i + 1]);
    return little ? first | (second << 8U) : (first << 8U) | second;
  };
  std::size_t i = 0;
  while (i + 1 < raw_.size()) {
    const std::uint32_t code = unit(i);
    if (code >= 0xD800 && code <= 0xDBFF) {
      if (i + 3 >= raw_.size()) {
        if (!atEnd) break;  // the pair may come with the next read
        PutCode(kReplacement);
        i += 2;
        continue;
      }
      const std::uint32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        PutCode(0x10000 + ((code - 0xD800) << 10U) + (low - 0xDC00));
        i += 4;
        continue;
      }
      PutCode(kReplacement);
      i += 2;
      continue;
    }
    PutCode(code >= 0xDC00 && code <= 0xDFFF ? kReplacement : code);
    i += 2;
  }
  if (atEnd && i < raw_.size()) {
    PutCode(kReplacement);  // an odd last byte
    i = raw_.size();
  }
  raw_.erase(raw_.begin(), raw_.begin() + static_cast<std::ptrdiff_t>(i));
}

void DecodingSource::PutCode(std::uint32_t code) {
  const auto put = [&](std::uint32_t byte) { decoded_.push_back(static_cast<char>(byte)); };
  if (code < 0x80) {
    put(code);
  } else if (code < 0x800) {
    put(0xC0U | (code >> 6U));
    put(0x80U | (code & 0x3FU));
  } else if (code < 0x10000) {
    put(0xE0U | (code >> 12U));
    put(0x80U | ((code >> 6U) & 0x3FU));
    put(0x80U | (code & 0x3FU));
  } else {
    put(0xF0U | (code >> 18U));
    put(0x80U | ((code >> 12U) & 0x3FU));
    put(0x80U | ((code >> 6U) & 0x3FU));
    put(0x80U | (code & 0x3FU));
  }
}

}  // namespace hygrian::tables
