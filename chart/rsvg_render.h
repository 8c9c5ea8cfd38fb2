// The PDF and PNG of hygrian-chart: librsvg draws the SVG onto cairo's PDF
// surface (text as text, the fonts embedded) or its image surface, written as
// PNG. The same SVG gives the same bytes: the PDF's creation date is the
// request's.
#pragma once

#include "chart/render.h"

namespace hygrian::chart {

class RsvgRenderer final : public Renderer {
 public:
  std::string Render(std::string_view svg, const RenderRequest& request,
                     std::string& problem) const override;
};

}  // namespace hygrian::chart
