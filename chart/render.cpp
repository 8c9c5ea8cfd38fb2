#include "chart/render.h"

#include <cmath>

namespace hygrian::chart {

PixelSize PngSize(const RenderRequest& request) {
  const double scale = request.dpi / kPixelsPerInch;
  return {std::lround(request.width * scale), std::lround(request.height * scale)};
}

}  // namespace hygrian::chart
