#include "chart/rsvg_render.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <memory>

#include "hygrian/version.h"

// fontconfig, under librsvg's text, keeps its font cache for the life of the
// process; LeakSanitizer is told so in the sanitized builds, quietly.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HYGRIAN_RSVG_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(HYGRIAN_RSVG_ASAN)
extern "C" const char* __lsan_default_suppressions();   // NOLINT(bugprone-reserved-identifier)
extern "C" const char* __lsan_default_suppressions() {  // NOLINT(bugprone-reserved-identifier)
  return "leak:libfontconfig.so\n";
}
extern "C" const char* __lsan_default_options();   // NOLINT(bugprone-reserved-identifier)
extern "C" const char* __lsan_default_options() {  // NOLINT(bugprone-reserved-identifier)
  return "print_suppressions=0";                   // standard error stays the program's
}
#endif

namespace hygrian::chart {
namespace {

constexpr double kPointsPerPixel = 72.0 / kPixelsPerInch;

// cairo's writer: appends to the string it is given.
cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
struct HandleDeleter {
  void operator()(RsvgHandle* h) const { g_object_unref(h); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// Draws the document on the surface, scaled from its px; "" or why not.
std::string Draw(RsvgHandle* handle, cairo_surface_t* surface, double width, double height) {
  std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface));
  const RsvgRectangle viewport{0.0, 0.0, width, height};
  GError* error = nullptr;
  if (rsvg_handle_render_document(handle, cr.get(), &viewport, &error) == FALSE) {
    std::string why = error != nullptr ? error->message : "librsvg failed";
    if (error != nullptr) g_error_free(error);
    return why;
  }
  const cairo_status_t status = cairo_status(cr.get());
  return status == CAIRO_STATUS_SUCCESS ? "" : cairo_status_to_string(status);
}

}  // namespace

std::string RsvgRenderer::Render(std::string_view svg, const RenderRequest& request,
                                 std::string& problem) const {
  GError* error = nullptr;
  std::unique_ptr<RsvgHandle, HandleDeleter> handle(
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error));
  if (!handle) {
    problem = error != nullptr ? error->message : "librsvg cannot read the SVG";
    if (error != nullptr) g_error_free(error);
    return "";
  }
  std::string bytes;
  if (request.format == Format::Pdf) {
    const double width = request.width * kPointsPerPixel;
    const double height = request.height * kPointsPerPixel;
    Surface surface(cairo_pdf_surface_create_for_stream(Append, &bytes, width, height));
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, request.title.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR,
                                   "hygrian-chart " HYGRIAN_VERSION);
    const std::string date = request.date + "T00:00:00";
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, date.c_str());
    // In the PDF's own units: 0.75 pt a px.
    const double scale = kPointsPerPixel;
    problem = Draw(handle.get(), surface.get(), request.width * scale, request.height * scale);
    cairo_surface_finish(surface.get());
    if (problem.empty() && cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
      problem = cairo_status_to_string(cairo_surface_status(surface.get()));
    }
  } else {
    const PixelSize size = PngSize(request);
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(size.width),
                                               static_cast<int>(size.height)));
    problem = Draw(handle.get(), surface.get(), static_cast<double>(size.width),
                   static_cast<double>(size.height));
    if (problem.empty()) {
      const cairo_status_t status =
          cairo_surface_write_to_png_stream(surface.get(), Append, &bytes);
      if (status != CAIRO_STATUS_SUCCESS) problem = cairo_status_to_string(status);
    }
  }
  if (!problem.empty()) return "";
  return bytes;
}

}  // namespace hygrian::chart
