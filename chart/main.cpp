// hygrian-chart: the psychrometric chart as SVG, with the user's points on it.
#include <string>
#include <vector>

#include "chart/layout.h"
#include "chart/options.h"
#include "chart/platform.h"
#include "chart/svg.h"

namespace {

using namespace hygrian::chart;

void Say(int fd, std::string_view text) {
  int error = 0;
  (void)WriteAll(fd, text, &error);  // nothing more to do if even this fails
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedCommandLine parsed = ParseCommandLine(argc, argv);
  if (!parsed.options) {
    Say(kStandardOutput, parsed.out);
    Say(kStandardError, parsed.err);
    return parsed.status;
  }
  const Options& options = *parsed.options;
  const std::vector<PlotPoint> points;
  const std::string svg = WriteSvg(LayOut(options.spec, points, options.process));
  int error = 0;
  if (!WriteAll(kStandardOutput, svg, &error)) {
    Say(kStandardError, "hygrian-chart: standard output: " + ErrorText(error) + "\n");
    return 1;
  }
  return 0;
}
