#include "chart/xml_writer.h"

#include <algorithm>
#include <utility>

#include "tables/text.h"

namespace hygrian::chart {
namespace {

// U+FFFE and U+FFFF are valid UTF-8 but no XML characters.
bool XmlNonCharacter(std::string_view text, std::size_t i) {
  const std::string_view three = text.substr(i, 3);
  return three == "\xEF\xBF\xBE" || three == "\xEF\xBF\xBF";
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

std::string EscapeXml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const std::size_t length = tables::Utf8Length(text, i);
    if (length == 0 || (length == 3 && XmlNonCharacter(text, i))) {
      out += kReplacement;
      ++i;
      continue;
    }
    if (length > 1) {
      out.append(text.substr(i, length));
      i += length;
      continue;
    }
    ++i;
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
          out += kReplacement;
        } else {
          out += c;
        }
    }
  }
  return out;
}

void XmlWriter::Declaration() {
  out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>";
  EndLine();
}

void XmlWriter::Open(std::string_view name, const Attributes& attributes) {
  StartTag(name, attributes);
  out_ += '>';
  open_.push_back({std::string(name), false});
  EndLine();
}

void XmlWriter::OpenInline(std::string_view name, const Attributes& attributes) {
  StartTag(name, attributes);
  out_ += '>';
  open_.push_back({std::string(name), true});
}

void XmlWriter::Element(std::string_view name, const Attributes& attributes) {
  StartTag(name, attributes);
  out_ += "/>";
  EndLine();
}

void XmlWriter::Element(std::string_view name, const Attributes& attributes,
                        std::string_view text) {
  StartTag(name, attributes);
  out_ += '>';
  out_ += EscapeXml(text);
  out_ += "</";
  out_ += name;
  out_ += '>';
  EndLine();
}

void XmlWriter::Close() {
  if (open_.empty()) return;
  out_ += "</";
  out_ += open_.back().name;
  out_ += '>';
  open_.pop_back();
  EndLine();
}

std::string XmlWriter::Take() {
  open_.clear();
  return std::exchange(out_, {});
}

void XmlWriter::StartTag(std::string_view name, const Attributes& attributes) {
  out_ += '<';
  out_ += name;
  for (const Attribute& attribute : attributes) {
    out_ += ' ';
    out_ += attribute.name;
    out_ += "=\"";
    out_ += EscapeXml(attribute.value);
    out_ += '"';
  }
}

void XmlWriter::EndLine() {
  if (std::none_of(open_.begin(), open_.end(), [](const OpenElement& o) { return o.inlined; })) {
    out_ += '\n';
  }
}

}  // namespace hygrian::chart
