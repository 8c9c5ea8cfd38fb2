// Writes XML into a string one element at a time: every attribute value and
// every text is escaped on the way, and the elements close in the order they
// opened. A line break follows each tag, except inside an element opened
// inline, whose whole content stays on its line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hygrian::chart {

// Text made safe for XML character data and attribute values: & < > " ' as
// entities, a byte that is not part of valid UTF-8 and a control character that
// XML 1.0 forbids each as U+FFFD. "a<b" gives "a&lt;b".
std::string EscapeXml(std::string_view text);

// One attribute: its name as written, its value as given (the writer escapes
// it).
struct Attribute {
  Attribute(std::string_view attributeName, std::string_view attributeValue)
      : name(attributeName), value(attributeValue) {}
  std::string name;
  std::string value;
};
using Attributes = std::vector<Attribute>;

class XmlWriter {
 public:
  // <?xml version="1.0" encoding="UTF-8" standalone="no"?> and a line break.
  void Declaration();

  // The start tag <name a="v" ...>, its attributes in the order given; the
  // element stays open until its Close. Open breaks the line after the tag;
  // OpenInline keeps what follows, up to its Close, on the same line.
  void Open(std::string_view name, const Attributes& attributes = {});
  void OpenInline(std::string_view name, const Attributes& attributes);

  // An empty element, <name a="v" .../>; with text, <name a="v">text</name>.
  //   Element("line", {{"x1", "0"}, {"stroke", "#000"}}) writes
  //   <line x1="0" stroke="#000"/>
  //   Element("text", {{"x", "3"}}, "A & B") writes <text x="3">A &amp; B</text>
  void Element(std::string_view name, const Attributes& attributes);
  void Element(std::string_view name, const Attributes& attributes, std::string_view text);

  // The end tag of the innermost open element; nothing when none is open.
  void Close();

  // What has been written; the writer is empty afterwards.
  std::string Take();

 private:
  struct OpenElement {
    std::string name;
    bool inlined = false;
  };

  void StartTag(std::string_view name, const Attributes& attributes);
  // A line break, unless an inline element is open.
  void EndLine();

  std::string out_;
  std::vector<OpenElement> open_;
};

}  // namespace hygrian::chart
