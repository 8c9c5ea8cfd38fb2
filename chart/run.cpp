#include "chart/run.h"

#include <cerrno>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chart/layout.h"
#include "chart/points.h"
#include "chart/process_file.h"
#include "chart/svg.h"
#include "cli/input.h"
#include "cli/messages.h"
#include "cli/output_file.h"

namespace hygrian::chart {

namespace {

// Writes the chart to the output; 0, or the error number of the failure. A reader
// that has gone from the pipe is no failure.
int WriteChart(cli::Platform& platform, int fd, const std::string& svg) {
  const int error = platform.WriteAll(fd, svg.data(), svg.size());
  return error == EPIPE ? 0 : error;
}

// Reads a file of points (or zones' corners) into read; the exit status 2, with
// its message, when it cannot be opened or read, else none.
std::optional<int> ReadFile(cli::Platform& platform, const std::string& path, const Frame& frame,
                            const Options& options, cli::Messages& messages, const PointsFile& kind,
                            PointsRead& read) {
  cli::Input input(platform, path);
  int error = input.OpenError();
  if (input.Opened()) {
    read = ReadPoints(input, input.Name(), frame, options.read, messages, kind);
    if (read.readFailed) error = read.readError;
  }
  if (error == 0) return std::nullopt;
  messages.Line(input.Name(), 0, cli::ErrorText(error));
  messages.Flush();
  return 2;
}

}  // namespace

int RunChart(cli::Platform& platform, const Options& options) {
  cli::Messages messages(platform, kProgramName, options.common.quiet);
  const Frame frame(options.settings);
  PointsRead zones;
  if (!options.zonesFile.empty()) {
    const PointsFile kind{.units = &options.pointUnits, .labelColumn = "zone", .userPoints = false};
    if (const auto status =
            ReadFile(platform, options.zonesFile, frame, options, messages, kind, zones)) {
      return *status;
    }
  }
  PointsRead read;
  if (!options.pointsFile.empty()) {
    const PointsFile kind{.units = &options.pointUnits, .emptyIsNoPoints = options.pointsByDefault};
    if (const auto status =
            ReadFile(platform, options.pointsFile, frame, options, messages, kind, read)) {
      return *status;
    }
  }
  ProcessesRead processes;
  if (!options.processesFile.empty()) {
    cli::Input input(platform, options.processesFile);
    int error = input.OpenError();
    if (input.Opened()) {
      processes = ReadProcesses(input, input.Name(), frame, options.read,
                                {options.processKind, options.flowUnit}, messages);
      if (processes.readFailed) error = processes.readError;
    }
    if (error != 0) {
      messages.Line(input.Name(), 0, cli::ErrorText(error));
      messages.Flush();
      return 2;
    }
  }
  std::vector<ProcessDrawing> drawings;
  for (const ComputedProcess& process : processes.processes) {
    drawings.push_back(DrawProcess(frame, process));
  }
  if (read.density && options.process) {
    messages.Note("--process: no arrows between points drawn as a density");
  }
  const std::string svg = WriteSvg(LayOut(
      options.settings, read.points, options.process, read.density ? &*read.density : nullptr,
      ZonesOf(frame, zones.points, zones.secondKey), std::move(drawings)));
  messages.Flush();

  cli::OutputFile file(platform, options.common.output);
  int error = file.Open();
  if (error != 0) {
    messages.Line(file.Name(), 0, cli::ErrorText(error));
    messages.Flush();
    return 2;
  }
  error = WriteChart(platform, file.Descriptor(), svg);
  // A chart that could not be written whole leaves the previous one as it was.
  const int finishError = file.Finish(error == 0);
  if (error == 0) error = finishError;
  if (error != 0) {
    messages.Line(file.Name(), 0, cli::ErrorText(error));
    messages.Flush();
    return 1;
  }
  return read.leftOut || zones.leftOut || processes.leftOut ? 1 : 0;
}

}  // namespace hygrian::chart
