#include "batch/fields.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "tables/text.h"

namespace hygrian::batch {

char* Put(char* out, std::string_view text) {
  // An empty view may hold a null pointer, which memcpy may not be given.
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

std::size_t JsonStringRoom(std::string_view text) { return text.size() * 6 + 2; }

char* JsonChars(char* out, std::string_view text, bool* replaced) {
  static constexpr char kHex[] = "0123456789abcdef";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x80) {
      if (c == '"' || c == '\\') *out++ = '\\';
      *out++ = static_cast<char>(c);
      ++i;
    } else if (c < 0x20) {
      *out++ = '\\';
      switch (c) {
        case '\n':
          *out++ = 'n';
          break;
        case '\r':
          *out++ = 'r';
          break;
        case '\t':
          *out++ = 't';
          break;
        default:
          out = Put(out, "u00");
          *out++ = kHex[c >> 4U];
          *out++ = kHex[c & 0xFU];
      }
      ++i;
    } else if (const std::size_t length = tables::Utf8Length(text, i); length > 0) {
      out = Put(out, text.substr(i, length));
      i += length;
    } else {
      out = Put(out, "\xEF\xBF\xBD");
      if (replaced != nullptr) *replaced = true;
      ++i;
    }
  }
  return out;
}

char* JsonString(char* out, std::string_view text, bool* replaced) {
  *out++ = '"';
  out = JsonChars(out, text, replaced);
  *out++ = '"';
  return out;
}

std::string JsonKey(std::string_view name, char lead) {
  std::string text(JsonStringRoom(name) + 2, '\0');
  text[0] = lead;
  char* end = JsonString(text.data() + 1, name);
  *end++ = ':';
  text.resize(static_cast<std::size_t>(end - text.data()));
  return text;
}

std::size_t FieldRoom(std::string_view field) { return 2 * field.size() + 3; }
char* WriteField(char* out, std::string_view field, char delimiter) {
  if (field.find_first_of("\"\r\n") == std::string_view::npos &&
      field.find(delimiter) == std::string_view::npos) {
    return Put(out, field);
  }
  *out++ = '"';
  for (const char c : field) {
    *out++ = c;
    if (c == '"') *out++ = '"';
  }
  *out++ = '"';
  return out;
}

char* WriteStatus(char* out, std::string_view key, std::string_view text, char delimiter) {
  const std::array<std::string_view, 3> parts = {key, text.empty() ? "" : ": ", text};
  const bool quoted = std::any_of(parts.begin(), parts.end(), [&](std::string_view part) {
    return part.find_first_of("\"\r\n") != std::string_view::npos ||
           part.find(delimiter) != std::string_view::npos;
  });
  if (quoted) *out++ = '"';
  for (const std::string_view part : parts) {
    for (const char c : part) {
      *out++ = c;
      if (quoted && c == '"') *out++ = '"';
    }
  }
  if (quoted) *out++ = '"';
  return out;
}

std::string Lower(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace hygrian::batch
