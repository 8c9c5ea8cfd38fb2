// hygrian-chart: the psychrometric chart as SVG, with the user's points on it.
// Exit status: 0 when every point is drawn, 1 when a row was left out (the
// chart is written all the same) or the chart could not be written, 2 for a
// usage error, with nothing written.
#include <string>
#include <vector>

#include "chart/layout.h"
#include "chart/options.h"
#include "chart/platform.h"
#include "chart/points.h"
#include "chart/svg.h"

namespace {

using namespace hygrian::chart;

constexpr std::string_view kProgram = "hygrian-chart: ";

void Say(int fd, std::string_view text) {
  int error = 0;
  (void)WriteAll(fd, text, &error);  // nothing more to do if even this fails
}

void Complain(const std::string& message) {
  Say(kStandardError, std::string(kProgram) + message + "\n");
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
  const Frame frame(options.settings);

  PointsRead read;
  if (!options.pointsFile.empty()) {
    int error = 0;
    const File input = OpenForReading(options.pointsFile, &error);
    if (!input.ok()) {
      Complain(options.pointsFile + ": " + ErrorText(error));
      return 2;
    }
    FileSource source(input.fd());
    read = ReadPoints(source, options.pointsFile, frame);
    if (read.readFailed) {
      Complain(options.pointsFile + ": " + ErrorText(read.readError));
      return 2;
    }
  }

  const std::string svg = WriteSvg(LayOut(options.settings, read.points, options.process));
  for (const std::string& problem : read.problems) Complain(problem);

  int error = 0;
  File output(kStandardOutput);
  const std::string outputName =
      options.outputFile.empty() ? "standard output" : options.outputFile;
  if (!options.outputFile.empty()) {
    output = CreateForWriting(options.outputFile, &error);
    if (!output.ok()) {
      Complain(outputName + ": " + ErrorText(error));
      return 2;
    }
  }
  if (!WriteAll(output.fd(), svg, &error) || !CloseChecked(std::move(output), &error)) {
    Complain(outputName + ": " + ErrorText(error));
    return 1;
  }
  return read.problems.empty() ? 0 : 1;
}
