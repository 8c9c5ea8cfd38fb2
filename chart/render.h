// A chart's SVG document turned into the bytes of a PDF or a PNG. hygrian-chart
// draws it with librsvg on cairo (chart/rsvg_render.h), the one library it
// links for this, so that the PDF and the PNG are the very drawing of the SVG
// (its masks, markers and text); the library, the other programs and the
// browser page's WebAssembly build know only this interface.
#pragma once

#include <string>
#include <string_view>

#include "chart/sheet.h"

namespace hygrian::chart {

struct RenderRequest {
  Format format = Format::Pdf;
  double width = 0.0;   // the SVG's viewBox, px (1/96 inch)
  double height = 0.0;  // px
  double dpi = 150.0;   // a PNG's pixels per inch
  std::string title;    // a PDF's metadata
  std::string date;     // YYYY-MM-DD, a PDF's creation date
};

// The pixels of a PNG of the request: its size in px at its dpi, rounded.
struct PixelSize {
  long width = 0;
  long height = 0;
};
[[nodiscard]] PixelSize PngSize(const RenderRequest& request);

class Renderer {
 public:
  virtual ~Renderer() = default;
  // The file's bytes: a PDF of one page of the SVG's size (text kept as text),
  // or a PNG of PngSize with no alpha channel. Empty, with `problem` saying
  // why, when it cannot be drawn.
  virtual std::string Render(std::string_view svg, const RenderRequest& request,
                             std::string& problem) const = 0;
};

}  // namespace hygrian::chart
