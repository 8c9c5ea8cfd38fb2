#include "chart/run.h"

#include <cerrno>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chart/binned.h"
#include "chart/layout.h"
#include "chart/page.h"
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

// The whole file at path into text; 0 or the error number.
int ReadWhole(cli::Platform& platform, const std::string& path, std::string& text) {
  int error = 0;
  const int fd = platform.OpenRead(path.c_str(), &error);
  if (fd < 0) return error;
  char buffer[1 << 16];
  for (;;) {
    const std::ptrdiff_t count = platform.Read(fd, buffer, sizeof buffer, &error);
    if (count <= 0) break;
    text.append(buffer, static_cast<std::size_t>(count));
  }
  const int closeError = platform.Close(fd);
  return error != 0 ? error : closeError;
}

}  // namespace

int RunChart(cli::Platform& platform, const Options& options) {
  cli::Messages messages(platform, kProgramName, options.common.quiet);
  // How the output is written is decided before anything is read or drawn.
  cli::OutputFile file(platform, options.common.output);
  if (const int error = file.Open(); error != 0) {
    messages.Line(file.Name(), 0, cli::ErrorText(error));
    messages.Flush();
    return 2;
  }
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
  PagePoints forPage(frame);
  if (!options.pointsFile.empty()) {
    const PointsFile kind{.units = &options.pointUnits,
                          .emptyIsNoPoints = options.pointsByDefault,
                          .page = options.page.empty() ? nullptr : &forPage};
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
                                {options.processKind, options.processUnits}, messages);
      if (processes.readFailed) error = processes.readError;
    }
    if (error != 0) {
      messages.Line(input.Name(), 0, cli::ErrorText(error));
      messages.Flush();
      return 2;
    }
  }
  if (!options.background.empty()) {
    // The page's points past the density threshold, as counts in its cells:
    // those in the plotted ranges (a cell's centre may lie a little above
    // saturation, its points below it).
    if (!read.density) read.density.emplace(frame);
    ReadBinned(options.background, [&](double t, double W, std::uint64_t count) {
      if (frame.Contains(t, W)) read.density->Add(frame.At(t, W), count);
    });
  }
  std::vector<ProcessDrawing> drawings;
  for (const ComputedProcess& process : processes.processes) {
    drawings.push_back(DrawProcess(frame, process, options.processUnits));
  }
  if (read.density && options.process) {
    messages.Note("--process: no arrows between points drawn as a density");
  }
  std::string svg;
  if (options.page.empty()) {
    svg = WriteSvg(LayOut(options.settings, read.points, options.process,
                          read.density ? &*read.density : nullptr,
                          ZonesOf(frame, zones.points, zones.secondKey), std::move(drawings)));
  } else if (const int error = ReadWhole(platform, options.page, svg); error != 0) {
    messages.Line(options.page, 0, std::string(cli::ErrorText(error)) + " (make web builds it)");
    messages.Flush();
    return 2;
  } else {
    svg = FillPage(svg, options, forPage);
  }
  messages.Flush();

  int error = WriteChart(platform, file.Descriptor(), svg);
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
