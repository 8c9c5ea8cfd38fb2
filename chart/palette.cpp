#include "chart/palette.h"

#include <array>

namespace hygrian::chart {
namespace {

// Paul Tol's muted scheme, and his light one.
namespace muted {
constexpr std::string_view kRose = "#cc6677";
constexpr std::string_view kIndigo = "#332288";
constexpr std::string_view kSand = "#ddcc77";
constexpr std::string_view kGreen = "#117733";
constexpr std::string_view kCyan = "#88ccee";
constexpr std::string_view kWine = "#882255";
constexpr std::string_view kTeal = "#44aa99";
constexpr std::string_view kOlive = "#999933";
constexpr std::string_view kPurple = "#aa4499";
}  // namespace muted
constexpr std::array<std::string_view, 6> kLight{"#77aadd", "#eedd88", "#44bb99",
                                                 "#ee8866", "#bbcc33", "#ffaabb"};

constexpr std::string_view kBlack = "#000000";
constexpr std::string_view kInk = "#1a1a1a";
constexpr std::string_view kDarkGrey = "#404040";
constexpr std::string_view kMidGrey = "#555555";

// Greys for print, lightest first.
constexpr std::array<std::string_view, 7> kGreys{"#e0e0e0", "#c4c4c4", "#a8a8a8", "#8c8c8c",
                                                 "#707070", "#545454", "#383838"};
// The viridis colour map's seven steps, fewest points (yellow) to most.
constexpr std::array<std::string_view, 7> kViridis{"#fde725", "#90d743", "#35b779", "#21918c",
                                                   "#31688e", "#443983", "#440154"};

}  // namespace

LineStyle FamilyStyle(Family family, Style style) {
  const bool print = style == Style::Print;
  switch (family) {
    case Family::Saturation:
      return {"saturation", print ? kBlack : kInk, print ? "1.6" : "1.8", ""};
    case Family::RelativeHumidity:
      return {"relative-humidity", print ? kDarkGrey : muted::kIndigo, print ? "0.6" : "0.9", ""};
    case Family::WetBulb:
      return {"wet-bulb", print ? kDarkGrey : muted::kGreen, print ? "0.6" : "0.9", "5 3"};
    case Family::Enthalpy:
      return {"enthalpy", print ? kDarkGrey : muted::kWine, print ? "0.6" : "0.9",
              print ? "1.2 2.4" : ""};
    case Family::SpecificVolume:
      return {"specific-volume", print ? kDarkGrey : muted::kPurple, print ? "0.6" : "0.9",
              print ? "8 3 2 3" : ""};
  }
  return {};
}

std::string_view ProcessColor(cli::Process process, Style style) {
  if (style == Style::Print) return kBlack;
  switch (process) {
    case cli::Process::Mix:
      return kMidGrey;
    case cli::Process::Heat:
      return muted::kRose;
    case cli::Process::Coil:
      return muted::kTeal;
    case cli::Process::Evaporative:
      return muted::kCyan;
    case cli::Process::Steam:
      return muted::kOlive;
    case cli::Process::Adiabatic:
      return muted::kSand;
    case cli::Process::None:
      break;
  }
  return kBlack;
}

std::string_view ProcessWidth(Style style) { return style == Style::Print ? "2.4" : "2.2"; }

std::string_view PointColor(Style style) { return style == Style::Print ? kBlack : kInk; }

std::string_view ZoneColor(std::size_t n, Style style) {
  if (style == Style::Print) return kGreys[(1 + 2 * n) % 5];
  return kLight[n % kLight.size()];
}

std::string_view ZoneDash(std::size_t n, Style style) {
  constexpr std::array<std::string_view, 4> kDashes{"", "6 3", "2 2", "8 3 2 3"};
  if (style != Style::Print) return {};
  return kDashes[n % kDashes.size()];
}

std::string_view DensityColor(std::size_t step, Style style) {
  return style == Style::Print ? kGreys[step % kGreys.size()] : kViridis[step % kViridis.size()];
}

}  // namespace hygrian::chart
