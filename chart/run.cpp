#include "chart/run.h"

#include <algorithm>
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
#include "chart/settings_texts.h"
#include "chart/states.h"
#include "chart/svg.h"
#include "cli/input.h"
#include "cli/messages.h"
#include "cli/output_file.h"

namespace hygrian::chart {

namespace {

// Writes the chart to the output; 0, or the error number of the failure. A reader
// that has gone from the pipe is no failure.
int WriteChart(cli::Platform& platform, int fd, const std::string& bytes) {
  const int error = platform.WriteAll(fd, bytes.data(), bytes.size());
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

// Everything the chart draws but its lines, as read.
struct Drawn {
  PointsRead points;
  PointsRead zones;
  ProcessesRead processes;
  std::vector<StatePolygon> builtInZones;  // --comfort, --zones by name
};

// The humidity ratio (kg/kg) of the most humid state drawn: the points on the
// plot, the processes' states (and a coil's apparatus dew point), the zones'
// corners; 0 when nothing is drawn.
double MostHumid(const Drawn& drawn, const PagePoints& all, const Frame& frame) {
  double most = 0.0;
  const auto take = [&](const State& s) {
    if (frame.Contains(s.dryBulb, s.humidityRatio)) most = std::max(most, s.humidityRatio);
  };
  for (const PlotPoint& p : drawn.points.points) {
    if (p.onPlot) take(p.state);
  }
  if (drawn.points.density) {
    all.Counted().Each([&](double, double W, std::uint64_t) { most = std::max(most, W); });
  }
  for (const PlotPoint& p : drawn.zones.points) most = std::max(most, p.state.humidityRatio);
  for (const ComputedProcess& p : drawn.processes.processes) {
    for (const State* s : {&p.entering, &p.second, &p.result.leaving}) {
      if (s != &p.second || p.kind->process == cli::Process::Mix) take(*s);
    }
    if (p.apparatusDewPoint) take(*p.apparatusDewPoint);
  }
  for (const StatePolygon& zone : drawn.builtInZones) {
    for (const StateCorner& c : zone.corners) {
      if (c.t >= frame.DryBulbLow() && c.t <= frame.DryBulbHigh()) most = std::max(most, c.W);
    }
  }
  return std::min(most, frame.HumidityRatioMax());
}

// The built-in zones on the frame: the envelopes by name, then the comfort zones.
std::vector<StatePolygon> BuiltInZones(const Frame& frame, const Options& options) {
  std::vector<StatePolygon> zones;
  for (const Envelope* envelope : options.envelopes) zones.push_back(EnvelopeOf(frame, *envelope));
  for (const ComfortConditions& c : options.comfort) {
    StatePolygon zone = ComfortZoneOf(frame, c, options.comfortLimit);
    if (!zone.corners.empty()) zones.push_back(std::move(zone));
  }
  return zones;
}

// The PDF or PNG of the SVG, or the SVG itself; "" and problem when it cannot
// be drawn.
std::string Rendered(std::string svg, const SheetSettings& sheet, const SheetLayout& layout,
                     const Renderer* renderer, std::string& problem) {
  if (sheet.format == Format::Svg || renderer == nullptr) return svg;
  const RenderRequest request{sheet.format, layout.width, layout.height,
                              sheet.dpi,    sheet.title,  sheet.date};
  return renderer->Render(svg, request, problem);
}

}  // namespace

int RunChart(cli::Platform& platform, const Options& options, const Renderer* renderer) {
  cli::Messages messages(platform, kProgramName, options.common.quiet);
  // How the output is written is decided before anything is read or drawn.
  if (options.sheet.format != Format::Svg && renderer == nullptr) {
    messages.Line("--format", 0, "PDF and PNG need a hygrian-chart built with librsvg");
    messages.Flush();
    return 2;
  }
  cli::OutputFile file(platform, options.common.output);
  if (const int error = file.Open(); error != 0) {
    messages.Line(file.Name(), 0, cli::ErrorText(error));
    messages.Flush();
    return 2;
  }
  // The states are read on a chart whose humidity ratio reaches as high as
  // saturation does in its range when the axis is to fit them; the chart they
  // are drawn on is settled once they are read.
  ChartSettings readSettings = options.settings;
  if (options.fitHumidityRatio && !options.settings.density) {
    readSettings.humidityRatioMax = FittedHumidityRatio(readSettings);
  }
  const Frame frame(readSettings);
  Drawn drawn;
  if (!options.zonesFile.empty()) {
    const PointsFile kind{.units = &options.pointUnits, .labelColumn = "zone", .userPoints = false};
    if (const auto status =
            ReadFile(platform, options.zonesFile, frame, options, messages, kind, drawn.zones)) {
      return *status;
    }
  }
  PagePoints all(frame);
  if (!options.pointsFile.empty()) {
    const PointsFile kind{
        .units = &options.pointUnits, .emptyIsNoPoints = options.pointsByDefault, .page = &all};
    if (const auto status =
            ReadFile(platform, options.pointsFile, frame, options, messages, kind, drawn.points)) {
      return *status;
    }
  }
  if (!options.processesFile.empty()) {
    cli::Input input(platform, options.processesFile);
    int error = input.OpenError();
    if (input.Opened()) {
      drawn.processes = ReadProcesses(input, input.Name(), frame, options.read,
                                      {options.processKind, options.processUnits}, messages);
      if (drawn.processes.readFailed) error = drawn.processes.readError;
    }
    if (error != 0) {
      messages.Line(input.Name(), 0, cli::ErrorText(error));
      messages.Flush();
      return 2;
    }
  }
  drawn.builtInZones = BuiltInZones(frame, options);

  // The chart as drawn: its humidity ratio fitted, its size on the sheet.
  ChartSettings settings = options.settings;
  if (options.fitHumidityRatio && !options.settings.density) {
    const double most = MostHumid(drawn, all, frame);
    if (most > 0.0) settings.humidityRatioMax = DataHumidityRatio(settings, most);
  }
  std::vector<NumberedState> states =
      NumberStates(Frame(settings), drawn.points.points, drawn.processes.processes);
  const TableText table = TableOf(states, settings.units, options.processUnits);
  FitChartToSheet(settings, options.sheet, &table);
  const Frame final(settings);
  if (settings.width != readSettings.width || settings.height != readSettings.height ||
      settings.humidityRatioMax != readSettings.humidityRatioMax) {
    // The states again on the chart drawn; a density counted anew.
    states = NumberStates(final, drawn.points.points, drawn.processes.processes);
    if (drawn.points.density) {
      drawn.points.density.emplace(final);
      all.Counted().Each([&](double t, double W, std::uint64_t count) {
        if (final.Contains(t, W)) drawn.points.density->Add(final.At(t, W), count);
      });
    }
    drawn.builtInZones = BuiltInZones(final, options);
  }

  if (!options.background.empty()) {
    // The page's points past the density threshold, as counts in its cells:
    // those in the plotted ranges (a cell's centre may lie a little above
    // saturation, its points below it).
    if (!drawn.points.density) drawn.points.density.emplace(final);
    ReadBinned(options.background, [&](double t, double W, std::uint64_t count) {
      if (final.Contains(t, W)) drawn.points.density->Add(final.At(t, W), count);
    });
  }
  std::vector<ProcessDrawing> drawings;
  for (const ComputedProcess& process : drawn.processes.processes) {
    drawings.push_back(DrawProcess(final, process, options.processUnits));
  }
  if (drawn.points.density && options.process) {
    messages.Note("--process: no arrows between points drawn as a density");
  }
  std::vector<Zone> zones = ZonesOf(final, drawn.zones.points, drawn.zones.secondKey);
  for (const StatePolygon& zone : drawn.builtInZones) zones.push_back(ZoneOf(final, zone));
  // The overlay's bands, which leave the humidity ratio's axis as the states set it.
  if (options.overlay != nullptr) {
    for (Zone& band : OverlayZones(final, *options.overlay)) zones.push_back(std::move(band));
  }
  std::string bytes;
  if (options.page.empty()) {
    const Chart chart = LayOut(settings, drawn.points.points, options.process,
                               drawn.points.density ? &*drawn.points.density : nullptr,
                               std::move(zones), std::move(drawings), &states);
    SheetSettings sheet = options.sheet;
    if (sheet.titleBlock) {
      // The site by default: the heading's pressure and altitude.
      const std::string& heading = chart.title.text;
      const std::size_t at = heading.find(" at ");
      if (sheet.site.empty() && at != std::string::npos) sheet.site = heading.substr(at + 4);
      sheet.date = platform.Today();
    }
    const SheetLayout layout = LayOutSheet(settings, sheet, &table);
    if (layout.table && layout.table->rowsShown < table.rows.size()) {
      messages.Note("--table: " + std::to_string(table.rows.size() - layout.table->rowsShown) +
                    " of the " + std::to_string(table.rows.size()) +
                    " states do not fit the page's table; hygrian-batch lists them all");
    }
    std::string problem;
    bytes = Rendered(WriteSheetSvg(chart, sheet, layout), sheet, layout, renderer, problem);
    if (!problem.empty()) {
      messages.Line(file.Name(), 0, problem);
      messages.Flush();
      static_cast<void>(file.Finish(false));
      return 1;
    }
  } else if (const int error = ReadWhole(platform, options.page, bytes); error != 0) {
    messages.Line(options.page, 0, std::string(cli::ErrorText(error)) + " (make web builds it)");
    messages.Flush();
    return 2;
  } else {
    Options page = options;
    page.settings = settings;
    bytes = FillPage(bytes, page, all);
  }
  messages.Flush();

  int error = WriteChart(platform, file.Descriptor(), bytes);
  // A chart that could not be written whole leaves the previous one as it was.
  const int finishError = file.Finish(error == 0);
  if (error == 0) error = finishError;
  if (error != 0) {
    messages.Line(file.Name(), 0, cli::ErrorText(error));
    messages.Flush();
    return 1;
  }
  return drawn.points.leftOut || drawn.zones.leftOut || drawn.processes.leftOut ? 1 : 0;
}

}  // namespace hygrian::chart
