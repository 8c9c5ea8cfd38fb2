// hygrian-chart: the psychrometric chart as SVG, PDF or PNG, with the user's
// points on it. Exit status: 0 when every point is drawn, 1 when a row was left
// out (the chart is written all the same) or the chart could not be written,
// 2 for a usage error, with nothing written.
#include "chart/options.h"
#include "chart/run.h"
#include "cli/platform.h"
#ifdef HYGRIAN_RSVG
#include "chart/rsvg_render.h"
#endif

int main(int argc, char** argv) {
  using namespace hygrian;
  cli::SystemPlatform platform;
  chart::Options options;
  if (const auto status = chart::ReadCommandLine(platform, argc, argv, options)) return *status;
#ifdef HYGRIAN_RSVG
  const chart::RsvgRenderer renderer;
  return chart::RunChart(platform, options, &renderer);
#else
  return chart::RunChart(platform, options);
#endif
}
