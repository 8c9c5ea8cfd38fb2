// hygrian-chart's three input files, whatever they hold: the points file, the
// --zones file and the --processes file are the input cut at its first two
// NUL bytes (missing parts: no such file). The first byte picks options (inch-
// pound units, the calculator model, a density, arrows between the points,
// every label, another delimiter). Besides not crashing, the run must end with
// status 0, 1 or 2, write nothing on status 2, and otherwise write one
// well-formed XML document: tags that nest and close, quoted attributes,
// entities only of XML's five and character references, text of valid UTF-8
// without the control bytes XML 1.0 forbids.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "chart/options.h"
#include "chart/run.h"
#include "tables/text.h"
#include "tests/cli_fake_platform.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool NameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == ':' || c == '.';
}

// Character data or an attribute's value: UTF-8, no '<', every '&' an entity.
void RequireText(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    Require(c != '<' && (c >= 0x20 || c == '\n' || c == '\t' || c == '\r'));
    if (c == '&') {
      const std::size_t end = text.find(';', i);
      Require(end != std::string_view::npos);
      const std::string_view entity = text.substr(i + 1, end - i - 1);
      Require(entity == "amp" || entity == "lt" || entity == "gt" || entity == "quot" ||
              entity == "apos" || (entity.size() > 1 && entity[0] == '#'));
      i = end + 1;
      continue;
    }
    const std::size_t length = hygrian::tables::Utf8Length(text, i);
    Require(length > 0);
    i += length;
  }
}

// One XML document: the declaration, then one root element.
void RequireWellFormed(std::string_view xml) {
  const std::string_view declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"";
  Require(xml.substr(0, declaration.size()) == declaration);
  std::size_t at = xml.find("?>");
  Require(at != std::string_view::npos);
  at += 2;
  std::vector<std::string_view> open;
  bool rootSeen = false;
  while (at < xml.size()) {
    const std::size_t tag = xml.find('<', at);
    const std::string_view text = xml.substr(at, tag - at);
    RequireText(text);
    if (open.empty()) Require(text.find_first_not_of(" \t\r\n") == std::string_view::npos);
    if (tag == std::string_view::npos) break;
    if (xml.substr(tag, 4) == "<!--") {
      at = xml.find("-->", tag);
      Require(at != std::string_view::npos);
      at += 3;
      continue;
    }
    const bool closing = xml.substr(tag, 2) == "</";
    std::size_t i = tag + (closing ? 2 : 1);
    const std::size_t nameStart = i;
    while (i < xml.size() && NameChar(xml[i])) ++i;
    const std::string_view name = xml.substr(nameStart, i - nameStart);
    Require(!name.empty());
    if (closing) {
      Require(!open.empty() && open.back() == name && xml.substr(i, 1) == ">");
      open.pop_back();
      at = i + 1;
      continue;
    }
    Require(!open.empty() || !rootSeen);
    rootSeen = true;
    for (;;) {  // attributes
      while (i < xml.size() && (xml[i] == ' ' || xml[i] == '\n')) ++i;
      Require(i < xml.size());
      if (xml.substr(i, 1) == ">" || xml.substr(i, 2) == "/>") break;
      const std::size_t attributeStart = i;
      while (i < xml.size() && NameChar(xml[i])) ++i;
      Require(i > attributeStart && xml.substr(i, 2) == "=\"");
      const std::size_t valueEnd = xml.find('"', i + 2);
      Require(valueEnd != std::string_view::npos);
      RequireText(xml.substr(i + 2, valueEnd - i - 2));
      i = valueEnd + 1;
    }
    if (xml[i] == '>') {
      open.push_back(name);
      at = i + 1;
    } else {
      at = i + 2;
    }
  }
  Require(open.empty() && rootSeen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t choice = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  hygrian::testing::FakeCliPlatform platform;
  std::vector<std::string> args = {"hygrian-chart"};
  const std::size_t zones = rest.find('\0');
  const std::size_t processes =
      zones == std::string_view::npos ? zones : rest.find('\0', zones + 1);
  platform.files["p.csv"] = {std::string(rest.substr(0, zones)), 0};
  args.emplace_back("p.csv");
  if (zones != std::string_view::npos) {
    platform.files["z.csv"] = {std::string(rest.substr(zones + 1, processes - zones - 1)), 0};
    args.insert(args.end(), {"--zones", "z.csv"});
  }
  if (processes != std::string_view::npos) {
    platform.files["q.csv"] = {std::string(rest.substr(processes + 1)), 0};
    args.insert(args.end(), {"--processes", "q.csv"});
  }
  if ((choice & 1U) != 0) args.insert(args.end(), {"--units", "ip"});
  if ((choice & 2U) != 0) args.insert(args.end(), {"--model", "calculator"});
  if ((choice & 4U) != 0) args.emplace_back("--density");
  if ((choice & 8U) != 0) args.emplace_back("--process");
  if ((choice & 16U) != 0) args.insert(args.end(), {"--labels", "all"});
  if ((choice & 32U) != 0) args.insert(args.end(), {"--delimiter", ";"});
  if ((choice & 64U) != 0) args.insert(args.end(), {"--process-kind", "coil"});
  std::vector<const char*> argv;
  argv.reserve(args.size());
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  hygrian::chart::Options options;
  const auto early = hygrian::chart::ReadCommandLine(platform, static_cast<int>(argv.size()),
                                                     argv.data(), options);
  if (early) return 0;  // a usage error of the options chosen
  const int status = hygrian::chart::RunChart(platform, options);
  Require(status >= 0 && status <= 2);
  const std::string& svg = platform.written[hygrian::cli::kStandardOutput];
  if (status == 2) {
    Require(svg.empty());
    return 0;
  }
  RequireWellFormed(svg);
  return 0;
}
