// End-to-end tests of the built hygrian-chart: standard output, standard error
// and exit status of whole runs; the documents parse as XML (xmllint) and render
// (rsvg-convert) to a picture of the requested size that is not blank.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <zlib.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "chart/frame.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/version.h"

#ifndef HYGRIAN_CHART_BINARY
#error "HYGRIAN_CHART_BINARY must name the program under test"
#endif
#ifndef HYGRIAN_CHART_MANUAL
#error "HYGRIAN_CHART_MANUAL must name the manual page"
#endif

extern char** environ;

namespace hygrian::chart {
namespace {

struct RunResult {
  std::string out;
  std::string err;
  int status = -1;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void Spit(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Each test works in a private folder of its own (mkdtemp, mode 0700), removed
// with everything in it when the test ends: nothing is left behind, and runs by
// different users never meet in the same file.
class ChartE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::TempDir() + "hygrian_chart_e2e_XXXXXX";
    ASSERT_NE(::mkdtemp(name.data()), nullptr) << "cannot make a folder like " << name;
    folder_ = name;
  }
  void TearDown() override {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }

  std::string Scratch(const std::string& name) const { return folder_ + "/" + name; }
  RunResult Run(const std::string& program, const std::vector<std::string>& args,
                const std::string& input = "/dev/null") const;
  RunResult Chart(const std::vector<std::string>& args,
                  const std::string& input = "/dev/null") const {
    return Run(HYGRIAN_CHART_BINARY, args, input);
  }
  void ExpectRenders(const std::string& svg, std::uint32_t width, std::uint32_t height,
                     double inkShare = 0.03) const;

 private:
  std::string folder_;
};
using ChartRun = ChartE2e;

// Runs `program` (searched on PATH unless it has a slash) with standard input
// from `input`, standard output and error into files.
RunResult ChartE2e::Run(const std::string& program, const std::vector<std::string>& args,
                        const std::string& input) const {
  const std::string outPath = Scratch("stdout");
  const std::string errPath = Scratch("stderr");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::vector<std::string> argvStrings{program};
  argvStrings.insert(argvStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  argv.reserve(argvStrings.size() + 1);
  for (std::string& s : argvStrings) argv.push_back(s.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  RunResult result;
  if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
    ADD_FAILURE() << "cannot start " << program;
    posix_spawn_file_actions_destroy(&actions);
    return result;
  }
  posix_spawn_file_actions_destroy(&actions);
  int raw = 0;
  while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
  }
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = Slurp(outPath);
  result.err = Slurp(errPath);
  return result;
}

// --- The picture ---------------------------------------------------------------

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

struct Picture {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::size_t channels = 4;         // 3 for RGB, 4 for RGBA
  std::vector<unsigned char> rgba;  // rows top to bottom, `channels` bytes a pixel
};

// Decodes an 8-bit RGB or RGBA PNG, as rsvg-convert writes them: the chunks,
// the zlib stream, and the five row filters.
Picture DecodePng(const std::string& png) {
  Picture picture;
  if (png.size() < 33 || png.compare(1, 3, "PNG") != 0) return picture;
  std::string compressed;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = BigEndian(png, at);
    const std::string type = png.substr(at + 4, 4);
    if (type == "IHDR") {
      picture.width = BigEndian(png, at + 8);
      picture.height = BigEndian(png, at + 12);
      EXPECT_EQ(png[at + 16], 8) << "bit depth";
      EXPECT_TRUE(png[at + 17] == 2 || png[at + 17] == 6) << "colour type RGB or RGBA";
      picture.channels = png[at + 17] == 2 ? 3 : 4;
    } else if (type == "IDAT") {
      compressed += png.substr(at + 8, length);
    }
    at += 12 + length;
  }
  const std::size_t bpp = picture.channels;
  const std::size_t stride = std::size_t{picture.width} * bpp;
  std::vector<unsigned char> raw((stride + 1) * picture.height);
  uLongf rawSize = raw.size();
  if (uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(compressed.data()),
                 compressed.size()) != Z_OK ||
      rawSize != raw.size()) {
    ADD_FAILURE() << "the PNG data does not inflate";
    return picture;
  }
  picture.rgba.assign(stride * picture.height, 0);
  for (std::size_t y = 0; y < picture.height; ++y) {
    const unsigned char filter = raw[y * (stride + 1)];
    const unsigned char* in = &raw[y * (stride + 1) + 1];
    unsigned char* row = &picture.rgba[y * stride];
    const unsigned char* up = y > 0 ? &picture.rgba[(y - 1) * stride] : nullptr;
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= bpp ? row[i - bpp] : 0;
      const int b = up ? up[i] : 0;
      const int c = (up && i >= bpp) ? up[i - bpp] : 0;
      int predictor = 0;
      switch (filter) {
        case 1:
          predictor = a;
          break;
        case 2:
          predictor = b;
          break;
        case 3:
          predictor = (a + b) / 2;
          break;
        case 4: {
          const int p = a + b - c;
          const int pa = std::abs(p - a);
          const int pb = std::abs(p - b);
          const int pc = std::abs(p - c);
          predictor = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
          break;
        }
        default:
          break;
      }
      row[i] = static_cast<unsigned char>((in[i] + predictor) & 0xFF);
    }
  }
  return picture;
}

// Checks that `svg` is well-formed XML and renders to a picture of the given
// size with at least `inkShare` of its pixels drawn in something not white.
void ChartE2e::ExpectRenders(const std::string& svg, std::uint32_t width, std::uint32_t height,
                             double inkShare) const {
  const std::string svgPath = Scratch("chart.svg");
  const std::string pngPath = Scratch("chart.png");
  Spit(svgPath, svg);
  const RunResult lint = Run("xmllint", {"--noout", svgPath});
  EXPECT_EQ(lint.status, 0) << lint.err;
  EXPECT_EQ(lint.err, "");
  const RunResult render = Run("rsvg-convert", {"-o", pngPath, svgPath});
  ASSERT_EQ(render.status, 0) << render.err;
  const Picture picture = DecodePng(Slurp(pngPath));
  EXPECT_EQ(picture.width, width);
  EXPECT_EQ(picture.height, height);
  std::size_t inked = 0;
  std::size_t opaque = 0;
  const std::size_t n = picture.channels;
  for (std::size_t i = 0; i + n - 1 < picture.rgba.size(); i += n) {
    if (n == 3 || picture.rgba[i + 3] == 255) ++opaque;
    if (picture.rgba[i] < 200 || picture.rgba[i + 1] < 200 || picture.rgba[i + 2] < 200) ++inked;
  }
  const double pixels = double(width) * double(height);
  EXPECT_EQ(opaque, picture.rgba.size() / n) << "the background covers the picture";
  EXPECT_GE(double(inked) / pixels, inkShare) << "the picture is all but blank";
}

// The value of attribute `name` in the first element at or after `from`.
std::string Attribute(const std::string& svg, std::size_t from, const std::string& name) {
  const std::size_t end = svg.find('>', from);
  const std::string key = " " + name + "=\"";
  const std::size_t at = svg.find(key, from);
  if (at == std::string::npos || at > end) return "";
  const std::size_t begin = at + key.size();
  return svg.substr(begin, svg.find('"', begin) - begin);
}

double Number(const std::string& text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_EQ(error, std::errc()) << text;
  EXPECT_EQ(end, text.data() + text.size()) << text;
  return value;
}

std::string ShortestText(double value) {
  std::array<char, 64> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), end);
}

std::size_t Count(const std::string& text, const std::string& piece) {
  std::size_t n = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
    ++n;
  }
  return n;
}

const char* const kGroups[] = {
    "saturation", "relative-humidity", "wet-bulb", "enthalpy", "specific-volume", "axes", "points"};

// --- Runs ----------------------------------------------------------------------

TEST_F(ChartRun, DefaultChart) {
  const RunResult r = Chart({});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  for (const char* group : kGroups) {
    EXPECT_EQ(Count(r.out, std::string("<g id=\"") + group + "\""), 1u) << group;
  }
  EXPECT_NE(r.out.find("viewBox=\"0 0 1200 800\""), std::string::npos);
  EXPECT_NE(r.out.find("Psychrometric chart at 101.325 kPa"), std::string::npos);
  EXPECT_EQ(r.out.find("<script"), std::string::npos);
  EXPECT_EQ(r.out.find("href"), std::string::npos) << "no external references";
  EXPECT_EQ(Count(r.out, "<circle"), 0u);
  ExpectRenders(r.out, 1200, 800);
}

TEST_F(ChartRun, SameInputSameBytes) {
  const std::string points = Scratch("points.csv");
  Spit(points, "dry_bulb,wet_bulb,label\n25,20,A\n35,22,B\n");
  const RunResult first = Chart({"--process", points});
  const RunResult second = Chart({"--process", points});
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.out, second.out);
}

TEST_F(ChartRun, PointsWithAProcess) {
  const std::string points = Scratch("points.csv");
  Spit(points,
       "dry_bulb,relative_humidity,label\n"
       "30,40,Outdoor & roof\n"
       "13,95,\"Coil, leaving\"\n"
       "22,55,<Room>\n");
  const RunResult r = Chart({"--process", points});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Count(r.out, "<circle"), 3u);
  EXPECT_EQ(Count(r.out, "marker-end=\"url(#arrowhead)\""), 1u);
  EXPECT_EQ(Count(r.out.substr(r.out.find("<g id=\"points\">")), "<line x1"), 2u)
      << "two arrows join three points";
  EXPECT_NE(r.out.find(">Outdoor &amp; roof</text>"), std::string::npos);
  EXPECT_NE(r.out.find(">Coil, leaving</text>"), std::string::npos);
  EXPECT_NE(r.out.find(">&lt;Room&gt;</text>"), std::string::npos);
  ExpectRenders(r.out, 1200, 800);

  // Each marker carries its state, and sits where the state says.
  const struct { double dryBulb, rh; } rows[] = {{30, 40}, {13, 95}, {22, 55}};
  const Frame frame{ChartSettings{}};
  std::size_t at = 0;
  for (const auto& row : rows) {
    at = r.out.find("<circle", at + 1);
    ASSERT_NE(at, std::string::npos);
    const Result expected = FromDryBulbRelativeHumidity(row.dryBulb, row.rh);
    const State& s = expected.state;
    EXPECT_EQ(Attribute(r.out, at, "data-dry-bulb"), ShortestText(s.dryBulb));
    if (expected.wetBulbFound) {
      EXPECT_EQ(Attribute(r.out, at, "data-wet-bulb"), ShortestText(s.wetBulb));
    }
    EXPECT_EQ(Attribute(r.out, at, "data-dew-point"), ShortestText(s.dewPoint));
    EXPECT_EQ(Attribute(r.out, at, "data-relative-humidity"), ShortestText(s.relativeHumidity));
    EXPECT_EQ(Attribute(r.out, at, "data-enthalpy"), ShortestText(s.enthalpy));
    EXPECT_EQ(Attribute(r.out, at, "data-humidity-ratio"), ShortestText(s.humidityRatio));
    EXPECT_EQ(Attribute(r.out, at, "data-degree-of-saturation"),
              ShortestText(s.degreeOfSaturation));
    EXPECT_EQ(Attribute(r.out, at, "data-specific-volume"), ShortestText(s.specificVolume));
    EXPECT_EQ(Attribute(r.out, at, "data-vapor-pressure"), ShortestText(s.vaporPressure));
    // A browser shows the label and the state on hover.
    const auto oneDecimal = [](double value) {
      std::array<char, 32> text{};
      (void)std::snprintf(text.data(), text.size(), "%.1f", value);
      return std::string(text.data());
    };
    const std::string title = r.out.substr(
        r.out.find("<title>", at) + 7, r.out.find("</title>", at) - r.out.find("<title>", at) - 7);
    EXPECT_NE(title.find("\ndry-bulb " + oneDecimal(row.dryBulb) +
                         " \xC2\xB0"
                         "C\nrelative humidity " +
                         oneDecimal(row.rh) + " %\n"),
              std::string::npos)
        << title;
    EXPECT_NE(title.find("\ndew point " + oneDecimal(s.dewPoint) +
                         " \xC2\xB0"
                         "C\n"),
              std::string::npos)
        << title;
    EXPECT_NE(title.find("\nenthalpy " + oneDecimal(s.enthalpy) + " kJ/kg"), std::string::npos)
        << title;
    const double dryBulb = Number(Attribute(r.out, at, "data-dry-bulb"));
    const double W = Number(Attribute(r.out, at, "data-humidity-ratio"));
    EXPECT_NEAR(Number(Attribute(r.out, at, "cx")), frame.X(dryBulb), 0.006);
    EXPECT_NEAR(Number(Attribute(r.out, at, "cy")), frame.Y(W), 0.006);
  }
}

TEST_F(ChartRun, At83kPa) {
  const RunResult r = Chart({"--pressure", "83"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("<title>Psychrometric chart at 83 kPa</title>"), std::string::npos);
  ExpectRenders(r.out, 1200, 800);
  // The same pressure in the other units, to the bit.
  EXPECT_EQ(Chart({"--pressure-unit", "hPa", "--pressure", "830"}).out, r.out);
  EXPECT_EQ(Chart({"--pressure-unit=Pa", "--pressure=83000"}).out, r.out);
}

TEST_F(ChartRun, AtAnAltitude) {
  const RunResult r = Chart({"--altitude", "1500"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("<title>Psychrometric chart at " +
                       ShortestText(StandardPressureAtAltitude(1500).pressure) + " kPa</title>"),
            std::string::npos);
}

TEST_F(ChartRun, OtherRangesAndSize) {
  const RunResult r = Chart({"--dry-bulb=-30:20", "--humidity-ratio=15", "--width=900", "--height",
                             "600", "--pressure=90.5"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("viewBox=\"0 0 900 600\""), std::string::npos);
  ExpectRenders(r.out, 900, 600);
}

TEST_F(ChartRun, RowsLeftOutAreReportedAndTheChartIsStillWritten) {
  const std::string points = Scratch("points.csv");
  Spit(points,
       "dry_bulb,wet_bulb,label\n"
       "25,20,good\n"
       "25,x,bad number\n"
       "60,40,too hot\n"
       "\n"
       "20,25,fog\n"
       "25,5,too dry\n"
       "101,50,boiling\n"
       "25,20\n"
       "10,8,also good\n");
  const RunResult r = Chart({points});
  EXPECT_EQ(r.status, 1);
  const double grams = FromDryBulbWetBulb(60, 40).state.humidityRatio * 1000.0;
  EXPECT_EQ(r.err, "hygrian-chart: " + points + ":3: wet_bulb \"x\" is not a number\n" +
                       "hygrian-chart: " + points +
                       ":4: outside the plotted range (dry-bulb 60 degrees C, humidity ratio " +
                       ShortestText(grams) + " g/kg)\n" + "hygrian-chart: " + points +
                       ":6: above the saturation curve (relative humidity " +
                       ShortestText(FromDryBulbWetBulb(20, 25).state.relativeHumidity) + " %)\n" +
                       "hygrian-chart: " + points + ":7: log: DOMAIN error\n" + "hygrian-chart: " +
                       points + ":8: vapour pressure at or above total pressure\n" +
                       "hygrian-chart: " + points + ":9: expected 3 fields, found 2\n");
  EXPECT_EQ(Count(r.out, "<circle"), 2u);
  ExpectRenders(r.out, 1200, 800);
  const RunResult quiet = Chart({"-q", points});
  EXPECT_EQ(quiet.status, 1);
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(quiet.out, r.out);
}

// 25 degrees C with 0.0125990 kg/kg is the state of a 20 degrees C wet-bulb.
TEST_F(ChartRun, PointsFromTheHumidityRatio) {
  const std::string points = Scratch("points.csv");
  Spit(points, "dry_bulb,humidity_ratio\n25,0.0125990\n");
  const RunResult r = Chart({points});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  const std::size_t at = r.out.find("<circle");
  ASSERT_NE(at, std::string::npos);
  EXPECT_NEAR(std::stod(Attribute(r.out, at, "data-wet-bulb")), 20.0, 0.005);
  EXPECT_NEAR(std::stod(Attribute(r.out, at, "data-dew-point")), 17.56, 0.005);
}

TEST_F(ChartRun, AZoomedRangeFitsTheHumidityRatioAxisToSaturation) {
  // Saturated air at 10 degrees C holds 7.66 g/kg: the axis goes to the next
  // tick, 8.0 (ticks every 0.5 on 670 px).
  const RunResult r = Chart({"--dry-bulb=-40:10"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, Chart({"--dry-bulb=-40:10", "--humidity-ratio=8"}).out);
  EXPECT_NE(r.out.find(">8.0</text>"), std::string::npos);
  EXPECT_EQ(Chart({"--dry-bulb=-10:50"}).out,
            Chart({"--dry-bulb=-10:50", "--humidity-ratio=90"}).out);
  EXPECT_EQ(Chart({}).out, Chart({"--humidity-ratio=30"}).out) << "the default stays";
}

TEST_F(ChartRun, PointsReadWithTheReaderOptions) {
  const std::string points = Scratch("points.csv");
  Spit(points, "time;t;rh;label\n08:00;25,5;50;A\n09:00;30;40,5;B\n");
  const RunResult r =
      Chart({"--decimal-comma", "--dry-bulb-column", "t", "--relative-humidity-column=rh", points});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Count(r.out, "<circle"), 2u);
  EXPECT_NE(r.out.find("data-dry-bulb=\"25.5\""), std::string::npos);
  EXPECT_NE(r.out.find("data-relative-humidity=\"40.5\""), std::string::npos);
}

TEST_F(ChartRun, AnEmptyPointsFileIsReportedAndTheChartStillWritten) {
  const std::string points = Scratch("points.csv");
  for (const auto& [bytes, err] :
       {std::pair<std::string, std::string>{"", ": no points: the file is empty\n"},
        {"dry_bulb,dew_point\n", ":1: no points: only the header\n"}}) {
    Spit(points, bytes);
    const RunResult r = Chart({points});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "hygrian-chart: " + points + err);
    EXPECT_EQ(r.out, Chart({}).out);
  }
}

// Every reason the program writes, in the words of the manual page.
TEST_F(ChartRun, EveryReasonIsInTheManualPage) {
  std::string page = Slurp(HYGRIAN_CHART_MANUAL);
  ASSERT_FALSE(page.empty());
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"\\-", "-"},
                                 {"\\(aq", "'"},
                                 {"\\~", " "},
                                 {"\\(dq", "\""}}) {
    for (std::size_t at = page.find(from); at != std::string::npos; at = page.find(from, at)) {
      page.replace(at, from.size(), to);
    }
  }
  std::vector<std::string> reasons{
      "is not a number",
      "is out of range",
      "is empty",
      "missing",
      "quote opened at line",
      "field longer than 1 MiB",
      "fields, found",
      "outside the plotted range (dry-bulb",
      "above the saturation curve (relative humidity",
      "a pressure column is not taken: the points are computed at the chart's",
      "no points: the file is empty",
      "no points: only the header",
      "header field longer than 1 MiB",
      "more than 65536 columns",
      "two dry_bulb columns",
      "no wet_bulb, dew_point, relative_humidity or humidity_ratio column",
      "choose one with --pair",
      "choose with --delimiter",
      "--dry-bulb: expected MIN:MAX in degrees C with MIN < MAX, both from -100 to 200",
      "--humidity-ratio: expected a number of g/kg above 0 and at most 1000",
      "--width: expected a whole number of px from 640 to 16384",
      "--height: expected a whole number of px from 400 to 16384",
      "is outside 20 to 200 kPa",
      "is not kPa, hPa or Pa",
      "is outside -5000 to 11000 m",
      "--pressure and --altitude: give one or the other",
      "is not ',', ';' or tab",
      "--decimal-comma: the delimiter cannot be a comma",
      "is not missing or bad",
      "is not wet_bulb, dew_point, relative_humidity or humidity_ratio",
      "name one second value"};
  for (int status = 1; status <= static_cast<int>(Status::VaporPressureNotBelowTotal); ++status) {
    reasons.emplace_back(StatusText(static_cast<Status>(status)));
  }
  for (const std::string& reason : reasons) {
    EXPECT_NE(page.find(reason), std::string::npos) << reason;
  }
}

TEST_F(ChartRun, APressureColumnIsRefused) {
  const std::string points = Scratch("points.csv");
  Spit(points, "dry_bulb,dew_point,pressure\n25,10,90\n");
  const RunResult r = Chart({points});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "hygrian-chart: " + points +
                       ":1: a pressure column is not taken: the points are computed at the "
                       "chart's pressure (--pressure)\n");
  EXPECT_EQ(Count(r.out, "<circle"), 0u);
}

TEST_F(ChartRun, PointsFromStandardInputAndChartIntoAFile) {
  const std::string points = Scratch("points.csv");
  const std::string output = Scratch("out.svg");
  Spit(points, "dry_bulb,dew_point\n20,10\n");
  const RunResult r = Chart({"-", "-o", output}, points);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Count(Slurp(output), "<circle"), 1u);
}

struct UsageRow {
  const char* name;
  std::vector<std::string> args;
  std::string err;  // the first line of standard error
};

class ChartUsage : public ChartE2e, public ::testing::WithParamInterface<UsageRow> {};

TEST_P(ChartUsage, ExitsTwoWithNothingWritten) {
  const UsageRow& row = GetParam();
  const RunResult r = Chart(row.args);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), row.err);
}

const UsageRow kUsageRows[] = {
    {"UnknownOption",
     {"--colour=red"},
     "hygrian-chart: The following argument was not expected: --colour=red\n"},
    {"ReversedRange",
     {"--dry-bulb=50:-10"},
     "hygrian-chart: --dry-bulb: expected MIN:MAX in degrees C with MIN < MAX, both from -100 to "
     "200, not '50:-10'\n"},
    {"RangeWithoutColon",
     {"--dry-bulb=-10"},
     "hygrian-chart: --dry-bulb: expected MIN:MAX in degrees C with MIN < MAX, both from -100 to "
     "200, not '-10'\n"},
    {"HumidityRatioZero",
     {"--humidity-ratio=0"},
     "hygrian-chart: --humidity-ratio: expected a number of g/kg above 0 and at most 1000, not "
     "'0'\n"},
    {"PressureNotANumber",
     {"--pressure", "high"},
     "hygrian-chart: --pressure: 'high' is not a number\n"},
    {"PressureInHectopascals",
     {"--pressure", "1013.25"},
     "hygrian-chart: --pressure: 1013.25 kPa is outside 20 to 200 kPa (in hPa? --pressure-unit "
     "hPa)\n"},
    {"PressureInPascals",
     {"--pressure-unit", "hPa", "--pressure", "101325"},
     "hygrian-chart: --pressure: 101325 hPa is outside 20 to 200 kPa (in Pa? --pressure-unit "
     "Pa)\n"},
    {"UnknownUnit",
     {"--pressure-unit", "mbar"},
     "hygrian-chart: --pressure-unit: 'mbar' is not kPa, hPa or Pa\n"},
    {"AltitudeTooHigh",
     {"--altitude", "12000"},
     "hygrian-chart: --altitude: 12000 m is outside -5000 to 11000 m\n"},
    {"PressureAndAltitude",
     {"--altitude=0", "--pressure=90"},
     "hygrian-chart: --pressure and --altitude: give one or the other\n"},
    {"TooNarrow",
     {"--width=600"},
     "hygrian-chart: --width: expected a whole number of px from 640 to 16384, not '600'\n"},
    {"MissingFile",
     {"/nonexistent/points.csv"},
     "hygrian-chart: /nonexistent/points.csv: No such file or directory\n"},
    {"Directory", {"/"}, "hygrian-chart: /: Is a directory\n"},
    {"BadDelimiter", {"--delimiter=:"}, "hygrian-chart: --delimiter: ':' is not ',', ';' or tab\n"},
    {"FlagWithAValue",
     {"--process=3"},
     "hygrian-chart: process was given a disallowed flag override\n"},
    {"UnwritableOutput",
     {"-o", "/nonexistent/chart.svg"},
     "hygrian-chart: /nonexistent/chart.svg: No such file or directory\n"},
};

struct UsageName {
  std::string operator()(const ::testing::TestParamInfo<UsageRow>& row) const {
    return row.param.name;
  }
};

INSTANTIATE_TEST_SUITE_P(Errors, ChartUsage, ::testing::ValuesIn(kUsageRows), UsageName());

TEST_F(ChartRun, VersionAndHelp) {
  const RunResult version = Chart({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "hygrian-chart " HYGRIAN_VERSION "\n");
  EXPECT_EQ(version.err, "");
  const RunResult help = Chart({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  const std::string top = "Usage: hygrian-chart [OPTIONS] [POINTS.csv]\nDraw the";
  EXPECT_EQ(help.out.substr(0, top.size()), top);
  for (const char* option :
       {"-o,--output FILE", "--pressure KPA", "--altitude M", "--pressure-unit kPa|hPa|Pa",
        "-q,--quiet", "--dry-bulb MIN:MAX", "--process", "-h,--help", "--version"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace hygrian::chart
