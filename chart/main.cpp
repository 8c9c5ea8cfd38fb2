// hygrian-chart: the psychrometric chart as SVG, with the user's points on it.
// Exit status: 0 when every point is drawn, 1 when a row was left out (the
// chart is written all the same) or the chart could not be written, 2 for a
// usage error, with nothing written.
#include <cerrno>
#include <string>

#include "chart/layout.h"
#include "chart/options.h"
#include "chart/points.h"
#include "chart/svg.h"
#include "cli/input.h"
#include "cli/messages.h"

namespace {

using namespace hygrian;

// Writes the chart to the output; 0, or the error number of the failure. A reader
// that has gone from the pipe is no failure.
int WriteChart(cli::Platform& platform, int fd, const std::string& svg) {
  const int error = platform.WriteAll(fd, svg.data(), svg.size());
  return error == EPIPE ? 0 : error;
}

int Run(cli::Platform& platform, const chart::Options& options) {
  cli::Messages messages(platform, chart::kProgramName, options.common.quiet);
  const chart::Frame frame(options.settings);
  chart::PointsRead read;
  if (!options.pointsFile.empty()) {
    cli::Input input(platform, options.pointsFile);
    int error = input.OpenError();
    if (input.Opened()) {
      read =
          ReadPoints(input, input.Name(), frame, options.read, messages, options.pointsByDefault);
      if (read.readFailed) error = read.readError;
    }
    if (error != 0) {
      messages.Line(input.Name(), 0, cli::ErrorText(error));
      messages.Flush();
      return 2;
    }
  }
  const std::string svg = WriteSvg(LayOut(options.settings, read.points, options.process));
  messages.Flush();

  const std::string& output = options.common.output;
  const bool toStandardOutput = output.empty() || output == "-";
  const std::string_view outputName =
      toStandardOutput ? cli::kStandardOutputName : std::string_view(output);
  int error = 0;
  const int fd =
      toStandardOutput ? cli::kStandardOutput : platform.OpenWrite(output.c_str(), &error);
  if (fd < 0) {
    messages.Line(outputName, 0, cli::ErrorText(error));
    messages.Flush();
    return 2;
  }
  error = WriteChart(platform, fd, svg);
  if (!toStandardOutput) {
    const int closeError = platform.Close(fd);
    if (error == 0) error = closeError;
  }
  if (error != 0) {
    messages.Line(outputName, 0, cli::ErrorText(error));
    messages.Flush();
    return 1;
  }
  return read.leftOut ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  cli::SystemPlatform platform;
  chart::Options options;
  if (const auto status = chart::ReadCommandLine(platform, argc, argv, options)) return *status;
  return Run(platform, options);
}
