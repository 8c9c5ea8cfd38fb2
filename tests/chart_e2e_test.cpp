// End-to-end tests of the built hygrian-chart: standard output, standard error
// and exit status of whole runs; the documents parse as XML (xmllint) and render
// (rsvg-convert) to a picture of the requested size that is not blank. Runs
// compared whole are rows of one table; the rest are functions over the same
// runner.
#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "chart/frame.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/version.h"
#include "tests/calculator_model.h"
#include "tests/e2e.h"

#ifndef HYGRIAN_CHART_BINARY
#error "HYGRIAN_CHART_BINARY must name the program under test"
#endif
#ifndef HYGRIAN_CHART_MANUAL
#error "HYGRIAN_CHART_MANUAL must name the manual page"
#endif

namespace hygrian::chart {
namespace {

// The chart's numbers checked here are the calculator model's.
using calculator::FromDryBulbDewPoint;
using calculator::FromDryBulbHumidityRatio;
using calculator::FromDryBulbRelativeHumidity;
using calculator::FromDryBulbWetBulb;

using e2e::CliRow;
using e2e::RunResult;

constexpr e2e::Program kChart{HYGRIAN_CHART_BINARY};

// The runs check the calculator model's charts to the bit unless they say
// otherwise: the runner gives them these words first.
const std::vector<std::string> kCalculator = {"--model", "calculator"};

// Each test works in a scratch folder of its own; the program runs inside it, so
// "points.csv" is the name in its messages.
class ChartRun : public ::testing::Test {
 protected:
  // Runs `program` in the folder, standard input from `input` (a file).
  RunResult Run(const e2e::Program& program, const std::vector<std::string>& args,
                const std::string& input = "/dev/null") const {
    e2e::Invocation how;
    how.args = args;
    how.inputFile = input.front() == '/' ? input : folder_.Path(input);
    how.directory = folder_.Path();
    return e2e::Run(program, how);
  }
  RunResult Chart(const std::vector<std::string>& args,
                  const std::string& input = "/dev/null") const {
    std::vector<std::string> words = kCalculator;
    words.insert(words.end(), args.begin(), args.end());
    return Run(kChart, words, input);
  }
  // The chart of a run that must succeed without a message.
  std::string Drawn(const std::vector<std::string>& args) const {
    const RunResult r = Chart(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    return r.out;
  }
  void Write(const std::string& name, const std::string& bytes) const {
    folder_.Write(name, bytes);
  }
  std::string Read(const std::string& name) const { return folder_.Read(name); }
  void ExpectRenders(const std::string& svg, std::uint32_t width, std::uint32_t height,
                     double inkShare = 0.03) const;

 private:
  e2e::ScratchFolder folder_;
};

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
void ChartRun::ExpectRenders(const std::string& svg, std::uint32_t width, std::uint32_t height,
                             double inkShare) const {
  Write("chart.svg", svg);
  const RunResult lint = Run({"xmllint"}, {"--noout", "chart.svg"});
  EXPECT_EQ(lint.status, 0) << lint.err;
  EXPECT_EQ(lint.err, "");
  const RunResult render = Run({"rsvg-convert"}, {"-o", "chart.png", "chart.svg"});
  ASSERT_EQ(render.status, 0) << render.err;
  const Picture picture = DecodePng(Read("chart.png"));
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
  const std::string svg = Drawn({});
  for (const char* group : kGroups) {
    EXPECT_EQ(Count(svg, std::string("<g id=\"") + group + "\""), 1u) << group;
  }
  EXPECT_NE(svg.find("viewBox=\"0 0 1200 800\""), std::string::npos);
  EXPECT_NE(svg.find("Psychrometric chart at 101.325 kPa"), std::string::npos);
  EXPECT_EQ(svg.find("<script"), std::string::npos);
  EXPECT_EQ(svg.find("href"), std::string::npos) << "no external references";
  EXPECT_EQ(Count(svg, "<circle"), 0u);
  ExpectRenders(svg, 1200, 800);
}

TEST_F(ChartRun, SameInputSameBytes) {
  const std::string points = "points.csv";
  Write(points, "dry_bulb,wet_bulb,label\n25,20,A\n35,22,B\n");
  const RunResult first = Chart({"--process", points});
  const RunResult second = Chart({"--process", points});
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.out, second.out);
}

TEST_F(ChartRun, PointsWithAProcess) {
  const std::string points = "points.csv";
  Write(points,
        "dry_bulb,relative_humidity,label\n"
        "30,40,Outdoor & roof\n"
        "13,95,\"Coil, leaving\"\n"
        "22,55,<Room>\n");
  const std::string svg = Drawn({"--process", "--humidity-ratio=30", points});
  EXPECT_EQ(Count(svg, "<circle"), 3u);
  EXPECT_EQ(Count(svg, "marker-end=\"url(#arrowhead)\""), 1u);
  EXPECT_EQ(Count(svg.substr(svg.find("<g id=\"points\">")), "<line x1"), 2u)
      << "two arrows join three points";
  // Numbered in file order, each with its label.
  EXPECT_NE(svg.find(">1 Outdoor &amp; roof</text>"), std::string::npos);
  EXPECT_NE(svg.find(">2 Coil, leaving</text>"), std::string::npos);
  EXPECT_NE(svg.find(">3 &lt;Room&gt;</text>"), std::string::npos);
  ExpectRenders(svg, 1200, 800);

  // Each marker carries its state, and sits where the state says.
  const struct {
    double dryBulb, rh;
    const char* label;  // as the SVG escapes it
  } rows[] = {{30, 40, "Outdoor &amp; roof"}, {13, 95, "Coil, leaving"}, {22, 55, "&lt;Room&gt;"}};
  const Frame frame{ChartSettings{}};
  std::size_t at = 0;
  for (const auto& row : rows) {
    at = svg.find("<circle", at + 1);
    ASSERT_NE(at, std::string::npos);
    const Result expected = FromDryBulbRelativeHumidity(row.dryBulb, row.rh);
    const State& s = expected.state;
    EXPECT_EQ(Attribute(svg, at, "data-dry-bulb"), ShortestText(s.dryBulb));
    if (expected.wetBulbFound) {
      EXPECT_EQ(Attribute(svg, at, "data-wet-bulb"), ShortestText(s.wetBulb));
    }
    EXPECT_EQ(Attribute(svg, at, "data-dew-point"), ShortestText(s.dewPoint));
    EXPECT_EQ(Attribute(svg, at, "data-relative-humidity"), ShortestText(s.relativeHumidity));
    EXPECT_EQ(Attribute(svg, at, "data-enthalpy"), ShortestText(s.enthalpy));
    EXPECT_EQ(Attribute(svg, at, "data-humidity-ratio"), ShortestText(s.humidityRatio));
    EXPECT_EQ(Attribute(svg, at, "data-degree-of-saturation"), ShortestText(s.degreeOfSaturation));
    EXPECT_EQ(Attribute(svg, at, "data-specific-volume"), ShortestText(s.specificVolume));
    EXPECT_EQ(Attribute(svg, at, "data-vapor-pressure"), ShortestText(s.vaporPressure));
    const double q = Number(Attribute(svg, at, "data-specific-humidity"));
    EXPECT_NEAR(q, s.humidityRatio / (1.0 + s.humidityRatio), 1e-15 * q);
    // A browser shows the label and the state on hover, one line each.
    const auto fixed = [](double value, int decimals) {
      std::array<char, 32> text{};
      (void)std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
      return std::string(text.data());
    };
    const std::string degrees =
        " \xC2\xB0"
        "C\n";
    const std::string title = svg.substr(svg.find("<title>", at) + 7,
                                         svg.find("</title>", at) - svg.find("<title>", at) - 7);
    EXPECT_EQ(title,
              std::string(row.label) + "\ndry-bulb " + fixed(row.dryBulb, 1) + degrees +
                  "relative humidity " + fixed(row.rh, 1) + " %\n" +
                  (expected.wetBulbFound ? "wet-bulb " + fixed(s.wetBulb, 1) + degrees : "") +
                  "dew point " + fixed(s.dewPoint, 1) + degrees + "humidity ratio " +
                  fixed(s.humidityRatio * 1000.0, 2) + " g/kg\nspecific humidity " +
                  fixed(q * 1000.0, 2) + " g/kg\nenthalpy " + fixed(s.enthalpy, 1) + " kJ/kg");
    const double dryBulb = Number(Attribute(svg, at, "data-dry-bulb"));
    const double W = Number(Attribute(svg, at, "data-humidity-ratio"));
    EXPECT_NEAR(Number(Attribute(svg, at, "cx")), frame.X(dryBulb), 0.006);
    EXPECT_NEAR(Number(Attribute(svg, at, "cy")), frame.Y(W), 0.006);
  }
}

// A small Mollier diagram: its markers where their humidity ratio (across, 0
// to 30 g/kg) and enthalpy (up: (h - 2501 W) / 1.006 from -10 to 50) put them,
// the same bytes run after run, and a picture that renders.
TEST_F(ChartRun, ASmallMollierDiagram) {
  Write("points.csv", "dry_bulb,relative_humidity,label\n30,40,OA\n13,95,CC\n22,55,Room\n");
  const std::vector<std::string> args{"--diagram", "mollier",   "--width",          "640",
                                      "--height",  "400",       "--humidity-ratio", "30",
                                      "--process", "points.csv"};
  const std::string svg = Drawn(args);
  EXPECT_EQ(svg, Drawn(args));
  EXPECT_NE(svg.find(">Mollier h-x diagram at 101.325 kPa</text>"), std::string::npos);
  EXPECT_NE(svg.find(">Temperature, \xC2\xB0"
                     "C</text>"),
            std::string::npos);
  EXPECT_NE(svg.find(">Humidity ratio, g/kg dry air</text>"), std::string::npos);
  EXPECT_EQ(svg.find("wet-bulb temperature"), std::string::npos) << "no wet-bulb lines";
  ExpectRenders(svg, 640, 400);
  ChartSettings settings;
  settings.width = 640;
  settings.height = 400;
  settings.diagram = Diagram::Mollier;
  const Rect plot = Frame(settings).Plot();
  std::size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    at = svg.find("<circle", at + 1);
    ASSERT_NE(at, std::string::npos);
    const double W = Number(Attribute(svg, at, "data-humidity-ratio"));
    const double h = Number(Attribute(svg, at, "data-enthalpy"));
    const double up = (h - 2501.0 * W) / 1.006;
    EXPECT_NEAR(Number(Attribute(svg, at, "cx")), plot.left + W / 0.030 * (plot.right - plot.left),
                0.006);
    EXPECT_NEAR(Number(Attribute(svg, at, "cy")),
                plot.bottom - (up + 10.0) / 60.0 * (plot.bottom - plot.top), 0.006);
  }
}

TEST_F(ChartRun, At83kPa) {
  const std::string svg = Drawn({"--pressure", "83"});
  EXPECT_NE(svg.find("<title>Psychrometric chart at 83 kPa</title>"), std::string::npos);
  ExpectRenders(svg, 1200, 800);
  // The same pressure in the other units, to the bit.
  EXPECT_EQ(Chart({"--pressure-unit", "hPa", "--pressure", "830"}).out, svg);
  EXPECT_EQ(Chart({"--pressure-unit=Pa", "--pressure=83000"}).out, svg);
}

TEST_F(ChartRun, AtAnAltitude) {
  const std::string svg = Drawn({"--altitude", "1500"});
  // The standard atmosphere at 1500 m: 84.556 kPa (ASHRAE Handbook Fundamentals,
  // table 1 of chapter 1), to 0.001 kPa.
  EXPECT_NE(svg.find("<title>Psychrometric chart at 84.556 kPa (1500 m)</title>"),
            std::string::npos);
}

TEST_F(ChartRun, OtherRangesAndSize) {
  const std::string svg = Drawn({"--dry-bulb=-30:20", "--humidity-ratio=15", "--width=900",
                                 "--height", "600", "--pressure=90.5"});
  EXPECT_NE(svg.find("viewBox=\"0 0 900 600\""), std::string::npos);
  ExpectRenders(svg, 900, 600);
}

// The heat-stress overlays: a band a category, under the lines, with the
// category's limits in degrees C as data (80 degF as (80 - 32) / 1.8 in doubles,
// 26.666666666666664) and its words in the chart's units; greys in print; no
// band where the chart does not reach one (the humidex's below 30); none asked for, none drawn.
TEST_F(ChartRun, HeatStressOverlays) {
  const std::string degrees = "\xC2\xB0";
  const std::string si = Drawn({"--overlay", "heat-index", "--width=640", "--height=480"});
  for (const std::string& text : std::vector<std::string>{
           "fill=\"#fff3b0\" stroke=\"#fff3b0\" stroke-width=\"1.2\" data-overlay=\"heat-index\" "
           "data-from=\"26.666666666666664\" data-to=\"32.22222222222222\"><title>heat index "
           "26.7 to 32.2 " +
               degrees + "C: caution</title>",
           "data-from=\"51.666666666666664\" data-to=\"inf\"><title>heat index 51.7 " + degrees +
               "C and above: extreme danger</title>"}) {
    EXPECT_NE(si.find(text), std::string::npos) << text;
  }
  const std::string ip = Drawn({"--overlay", "heat-index", "--units", "ip", "--style", "print"});
  for (const std::string& text : std::vector<std::string>{
           "<title>heat index 80 to 90 " + degrees + "F: caution</title>",
           "<title>heat index 90 to 103 " + degrees + "F: extreme caution</title>",
           "<title>heat index 103 to 125 " + degrees + "F: danger</title>",
           "fill=\"#888888\" stroke=\"#000000\" stroke-width=\"1.2\" stroke-dasharray=\"8 3 2 "
           "3\" data-overlay=\"heat-index\""}) {
    EXPECT_NE(ip.find(text), std::string::npos) << text;
  }
  const std::string humidex = Drawn({"--overlay=humidex", "--dry-bulb=0:35"});
  EXPECT_NE(humidex.find("<title>humidex 30 to 40: some discomfort</title>"), std::string::npos);
  EXPECT_EQ(humidex.find("data-overlay=\"heat-index\""), std::string::npos);
  EXPECT_EQ(Drawn({"--overlay", "none"}), Drawn({}));
  ExpectRenders(ip, 1200, 800);
}

// The handbook's IP Example 1 (ASHRAE Handbook-Fundamentals 2017 ch. 1): 100 F
// dry-bulb, 65 F wet-bulb at 14.696 psia give W = 0.00523 lb/lb, h = 29.80
// Btu/lb and v = 14.22 ft3/lb (eq. 26 with this W gives 14.228: held to 0.01).
TEST_F(ChartRun, AnInchPoundChartWithTheHandbooksExample) {
  Write("points.csv", "dry_bulb,wet_bulb\n100,65\n");
  const RunResult r = Run(kChart, {"--units", "ip", "points.csv"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  const std::string degrees = "\xC2\xB0";
  for (const std::string& text :
       std::vector<std::string>{"<title>Psychrometric chart at 14.696 psia</title>",
                                ">Dry-bulb temperature, " + degrees + "F</text>", ">120</text>",
                                ">Humidity ratio, lb/lb dry air</text>"}) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text;
  }
  const std::size_t at = r.out.find("<circle");
  EXPECT_NEAR(Number(Attribute(r.out, at, "data-humidity-ratio")), 0.00523, 0.000005);
  EXPECT_NEAR(Number(Attribute(r.out, at, "data-enthalpy")), 29.80, 0.005);
  EXPECT_NEAR(Number(Attribute(r.out, at, "data-specific-volume")), 14.22, 0.01);
  ExpectRenders(r.out, 1200, 800);
  // The axis fits the point (0.00523 lb/lb, 15 % over: 0.00601, up to the
  // next tick of 0.0005); without points it is the handbook's 0.028.
  EXPECT_NE(r.out.find(">0.0065</text>"), std::string::npos);
  EXPECT_EQ(r.out.find(">0.028</text>"), std::string::npos);
  EXPECT_NE(Run(kChart, {"--units=ip"}).out.find(">0.028</text>"), std::string::npos);
  // The standard atmosphere at 5000 ft: 12.228 psia (the handbook's table 1, IP).
  EXPECT_NE(Run(kChart, {"--units=ip", "--altitude=5000"})
                .out.find("<title>Psychrometric chart at 12.228 psia (5000 ft)</title>"),
            std::string::npos);
  // 0.028 lb/lb is 196 grains/lb: the axis goes to the next tick.
  EXPECT_NE(Run(kChart, {"--units=ip", "--humidity-ratio-unit=grains/lb"}).out.find(">200</text>"),
            std::string::npos);
}

// A value to 0.01, as messages write it when 0.01 shows why.
std::string Hundredths(double value) { return ShortestText(std::round(value * 100.0) / 100.0); }

TEST_F(ChartRun, RowsLeftOutAreReportedAndTheChartIsStillWritten) {
  const std::string points = "points.csv";
  Write(points,
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
                       Hundredths(grams) + " g/kg)\n" + "hygrian-chart: " + points +
                       ":6: above the saturation curve (relative humidity " +
                       Hundredths(FromDryBulbWetBulb(20, 25).state.relativeHumidity) + " %)\n" +
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

// 25 degrees C with 0.0125990 kg/kg (a specific humidity of 0.0124422, a
// vapour pressure of 101.325 W / (0.621945 + W) = 2.0118285 kPa) is the state
// of a 20 degrees C wet-bulb.
TEST_F(ChartRun, PointsFromTheHumidityRatioSpecificHumidityOrVapourPressure) {
  for (const char* table :
       {"dry_bulb,humidity_ratio\n25,0.0125990\n", "dry_bulb,specific_humidity\n25,0.0124422\n",
        "dry_bulb,vapor_pressure\n25,2.0118285\n"}) {
    Write("points.csv", table);
    const std::string svg = Drawn({"points.csv"});
    const std::size_t at = svg.find("<circle");
    ASSERT_NE(at, std::string::npos) << table;
    EXPECT_NEAR(std::stod(Attribute(svg, at, "data-wet-bulb")), 20.0, 0.005) << table;
    EXPECT_NEAR(std::stod(Attribute(svg, at, "data-dew-point")), 17.56, 0.005) << table;
  }
}

// A pair without dry_bulb: 25 degrees C at 0.01 kg/kg has h = 1.006 (25) +
// 0.01 (2501 + 1.86 (25)) = 50.625 kJ/kg (ASHRAE 2017 ch. 1 eq. 30), worked by
// hand. The calculator model reads no such pair: the file is left out.
TEST_F(ChartRun, PointsFromAPairWithoutDryBulb) {
  Write("points.csv", "humidity_ratio,enthalpy\n0.01,50.625\n");
  const RunResult handbook = Run(kChart, {"points.csv"});
  EXPECT_EQ(handbook.status, 0) << handbook.err;
  const std::size_t at = handbook.out.find("<circle");
  ASSERT_NE(at, std::string::npos);
  EXPECT_NEAR(std::stod(Attribute(handbook.out, at, "data-dry-bulb")), 25.0, 1e-9);
  const RunResult calculator = Chart({"points.csv"});
  EXPECT_EQ(calculator.status, 1);
  EXPECT_EQ(calculator.err.rfind("hygrian-chart: points.csv:1: humidity_ratio_enthalpy: not with "
                                 "the calculator model",
                                 0),
            0U)
      << calculator.err;
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

// Without --humidity-ratio the axis fits what is drawn: the most humid state
// and 15 % more, up to the next tick (every 2 g/kg on 670 px); the same bytes
// as that top given. A mix of outdoor air at 18 g/kg: 20.7, so 22; a point at
// 25 degrees C, 50 % (9.88 g/kg): 11.4, so 12; a point at 30 degrees C,
// saturated (27.2 g/kg): 31.3, so 32, past the default 30 (saturation at the
// range's top, 50 degrees C, is far higher).
TEST_F(ChartRun, TheHumidityRatioAxisFitsWhatIsDrawn) {
  Write("mix.csv",
        "process,a_dry_bulb,a_humidity_ratio,a_flow,b_dry_bulb,b_humidity_ratio,b_flow\n"
        "mix,32,0.0180,1,24,0.0093,3\n");
  Write("room.csv", "dry_bulb,relative_humidity\n25,50\n");
  Write("wet.csv", "dry_bulb,relative_humidity\n30,100\n");
  const struct {
    std::vector<std::string> args;
    std::string top;
  } rows[] = {
      {{"--processes", "mix.csv"}, "22"},
      {{"room.csv"}, "12"},
      {{"wet.csv"}, "32"},
  };
  for (const auto& row : rows) {
    std::vector<std::string> given = row.args;
    given.push_back("--humidity-ratio=" + row.top);
    EXPECT_TRUE(Chart(row.args).out == Chart(given).out) << row.top;
  }
}

TEST_F(ChartRun, PointsReadWithTheReaderOptions) {
  const std::string points = "points.csv";
  Write(points, "time;t;rh;label\n08:00;25,5;50;A\n09:00;30;40,5;B\n");
  const std::string svg =
      Drawn({"--decimal-comma", "--dry-bulb-column", "t", "--relative-humidity-column=rh", points});
  EXPECT_EQ(Count(svg, "<circle"), 2u);
  EXPECT_NE(svg.find("data-dry-bulb=\"25.5\""), std::string::npos);
  EXPECT_NE(svg.find("data-relative-humidity=\"40.5\""), std::string::npos);
}

TEST_F(ChartRun, AnEmptyPointsFileIsReportedAndTheChartStillWritten) {
  const std::string points = "points.csv";
  for (const auto& [bytes, err] :
       {std::pair<std::string, std::string>{"", ": no points: the file is empty\n"},
        {"dry_bulb,dew_point\n", ":1: no points: only the header\n"}}) {
    Write(points, bytes);
    const RunResult r = Chart({points});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "hygrian-chart: " + points + err);
    EXPECT_EQ(r.out, Chart({}).out);
  }
}

// Every reason the program writes, in the words of the manual page.
TEST_F(ChartRun, EveryReasonIsInTheManualPage) {
  std::string page = e2e::ReadFile(HYGRIAN_CHART_MANUAL);
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
      "is not a number", "is out of range", "is empty", "missing", "quote opened at line",
      "field longer than 1 MiB", "fields, found", "outside the plotted range (dry-bulb",
      "above the saturation curve (relative humidity",
      "a pressure column is not taken: the points are computed at the chart's",
      "no points: the file is empty", "no points: only the header",
      "header field longer than 1 MiB", "more than 65536 columns", "two dry_bulb columns",
      // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one reason on two lines
      "no wet_bulb, dew_point, relative_humidity, humidity_ratio, specific_humidity or "
      "vapor_pressure column",
      "choose one with --pair", "choose with --delimiter",
      "--dry-bulb: expected MIN:MAX in degrees C with MIN < MAX, both from -100 to 200",
      "--humidity-ratio: expected a number of g/kg above 0 and at most 1000",
      "--width: expected a whole number of px from 640 to 16384",
      "--height: expected a whole number of px from 400 to 16384", "is outside 20 to 200 kPa",
      "is not kPa, hPa, Pa, mbar, psi or inHg", "is not m or ft", "is outside -5000 to 11000 m",
      "--pressure and --altitude: give one or the other", "is not si or ip",
      "psia is outside 2.901 to 29.007 psia (in kPa? --pressure-unit kPa)",
      "ft is outside -16404 to 36089 ft", "is not g/kg, kg/kg, lb/lb or grains/lb",
      "is not ',', ';' or tab", "--decimal-comma: the delimiter cannot be a comma",
      "is not missing or bad",
      "is not wet_bulb, dew_point, relative_humidity, humidity_ratio, specific_humidity or "
      "vapor_pressure",
      "name one second value", "not with the calculator model",
      "or without dry_bulb: humidity_ratio+enthalpy", "is not svg, pdf or png",
      "is not a4, letter or a3", "is not landscape or portrait", "--orientation: only with --page",
      "--dpi: expected a whole number from 36 to 1200", "--dpi: only for a PNG",
      "is not screen or print",
      "is not tc9.9-recommended, tc9.9-a1, tc9.9-a2, tc9.9-a3 or tc9.9-a4",
      "--comfort: expected MET,CLO,SPEED within 0.8 to 4 met, 0 to 2 clo and 0 to 1 m/s",
      "--comfort-limit: only with --comfort",
      "--html: the page is HTML, with no --format, --page, --table or title block"};
  for (int status = 1; status <= static_cast<int>(Status::VaporPressureNotBelowTotal); ++status) {
    reasons.emplace_back(StatusText(static_cast<Status>(status)));
  }
  for (const std::string& reason : reasons) {
    EXPECT_NE(page.find(reason), std::string::npos) << reason;
  }
}

TEST_F(ChartRun, APressureColumnIsRefused) {
  const std::string points = "points.csv";
  Write(points, "dry_bulb,dew_point,pressure\n25,10,90\n");
  const RunResult r = Chart({points});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "hygrian-chart: " + points +
                       ":1: a pressure column is not taken: the points are computed at the "
                       "chart's pressure (--pressure)\n");
  EXPECT_EQ(Count(r.out, "<circle"), 0u);
}

TEST_F(ChartRun, PointsFromStandardInputAndChartIntoAFile) {
  const std::string points = "points.csv";
  const std::string output = "out.svg";
  Write(points, "dry_bulb,dew_point\n20,10\n");
  const RunResult r = Chart({"-", "-o", output}, points);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Count(Read(output), "<circle"), 1u);
}

// At most ten messages of a reason, then one line counting the rest; the hint
// at the decimal comma once.
TEST_F(ChartRun, FewerMessagesAndAHint) {
  std::string points = "dry_bulb;wet_bulb\n";
  std::string err;
  for (int line = 2; line <= 13; ++line) {
    points += "25,5;20\n";
    if (line <= 11) {
      err +=
          "hygrian-chart: p.csv:" + std::to_string(line) + ": dry_bulb \"25,5\" is not a number\n";
    }
    if (line == 2) {
      err +=
          "hygrian-chart: p.csv: hint: numbers with a decimal comma (23,5) need --decimal-comma\n";
    }
  }
  Write("p.csv", points);
  const RunResult r = Chart({"p.csv"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      err +
          "hygrian-chart: p.csv: 2 more rows left out for the reasons above (10 shown for each)\n");
}

// A process the equipment cannot do, or a bad cell, is told with its line and
// not drawn; the others are, and the status is 1.
TEST_F(ChartRun, AProcessThatCannotBeDoneIsToldAndNotDrawn) {
  Write("ahu.csv",
        "process,dry_bulb,relative_humidity,apparatus_dew_point,bypass_factor,leaving_dry_bulb,"
        "flow\ncoil,30,50,25,0.1,,2\nheat,20,50,,,35,2\nheat,20,50,,,x,2\n");
  const RunResult r = Run(kChart, {"--processes", "ahu.csv"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "hygrian-chart: ahu.csv:2: coil: apparatus dew point 25 degC is not below the entering "
            "dew point 18.45 degC\n"
            "hygrian-chart: ahu.csv:4: leaving_dry_bulb \"x\" is not a number\n");
  EXPECT_EQ(Count(r.out, "data-process=\"heat\""), 1u);
  EXPECT_EQ(Count(r.out, "data-process=\"coil\""), 0u);
}

// A US design day at 5,000 ft on the IP chart: unlabelled columns in degF, the
// altitude in feet; W 0.01803358 lb/lb and h 42.71266 Btu/lb by hand
// (batch_e2e_test's IpDesignDay rows).
TEST_F(ChartRun, TheIpDesignDayAt5000Feet) {
  Write("p.csv", "dry_bulb,wet_bulb\n95,75\n");
  const RunResult r = Run(kChart, {"--units", "ip", "--altitude", "5000", "p.csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::size_t at = r.out.find("<circle");
  ASSERT_NE(at, std::string::npos);
  EXPECT_NEAR(Number(Attribute(r.out, at, "data-humidity-ratio")), 0.0180335825, 1e-9);
  EXPECT_NEAR(Number(Attribute(r.out, at, "data-enthalpy")), 42.712664, 1e-6);
}

// A processes file in degF on the IP chart at 5,000 ft: 10,000 cfm of the
// design day's air (v = 0.287042 * 308.15 (1 + 1.607858 W) /
// 84.30720 m3/kg, eq. 26: 4.371568 kg/s, 34,695.6 lb/h of dry air) through a
// coil to 55 degF, 95 % (W 0.0105563) and a reheat to 65 degF: 4.371568 (1.006 +
// 1.86 W) 5.5556 K = 24.90907 kW, 84,993 Btu/h. Both are drawn and labelled
// in Btu/h.
TEST_F(ChartRun, AProcessesFileInDegreesFOnTheIpChart) {
  Write("ahu.csv",
        "process,dry_bulb,wet_bulb,leaving_dry_bulb,leaving_relative_humidity,flow\n"
        "coil,95,75,55,95,10000\nheat,,,65,,\n");
  const RunResult r = Run(kChart, {"--units", "ip", "--altitude", "5000", "--flow-unit", "cfm",
                                   "--processes", "ahu.csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Count(r.out, "data-process=\"coil\""), 1u);
  EXPECT_EQ(Count(r.out, "data-process=\"heat\""), 1u);
  EXPECT_NE(r.out.find(">heat 84,993 Btu/h<"), std::string::npos);
  EXPECT_NE(r.out.find("flow 34,696 lb/h of dry air"), std::string::npos);
  const std::size_t coil = r.out.find(">coil ");
  ASSERT_NE(coil, std::string::npos);
  EXPECT_NE(r.out.substr(coil, 40).find(" Btu/h, SHR "), std::string::npos);
}

// Standard input is read when no file is named and it is not a terminal: empty,
// it has no points and that is no failure; a named empty file still is.
TEST_F(ChartRun, StandardInputWhenNoFileIsNamed) {
  e2e::Invocation how;
  how.args = kCalculator;
  how.input = "dry_bulb,wet_bulb\n25,20\n25,x\n";
  const RunResult piped = e2e::Run(kChart, how);
  EXPECT_EQ(piped.status, 1);
  EXPECT_EQ(piped.err, "hygrian-chart: (standard input):3: wet_bulb \"x\" is not a number\n");
  EXPECT_EQ(Count(piped.out, "<circle"), 1u);
  how.input = "";
  const RunResult empty = e2e::Run(kChart, how);
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.err, "");
  EXPECT_EQ(empty.out, Drawn({}));
  Write("empty.csv", "");
  const RunResult named = Chart({"empty.csv"});
  EXPECT_EQ(named.status, 1);
  EXPECT_EQ(named.err, "hygrian-chart: empty.csv: no points: the file is empty\n");
}

// Option and file errors: status 2, nothing on standard output, the message on
// standard error, with the hint to --help after an option error.
CliRow Usage(const std::string& name, std::vector<std::string> args, const std::string& message,
             bool hint = true) {
  return CliRow(name, kChart, std::move(args), "", "",
                "hygrian-chart: " + message + "\n" +
                    (hint ? "Try 'hygrian-chart --help' for more information.\n" : ""),
                2);
}

// An output that is one of the inputs: files p.csv and z.csv (and `more`),
// standard input from `input` (one of them) or empty, none changed.
CliRow OutputIsInput(const std::string& name, std::vector<std::string> args,
                     const std::string& output, const std::vector<e2e::File>& more = {},
                     const std::string& input = {}) {
  std::vector<e2e::File> files = {{"p.csv", "dry_bulb,relative_humidity\n25,50\n"},
                                  {"z.csv", "zone,dry_bulb,relative_humidity\nz,25,50\n"}};
  files.insert(files.end(), more.begin(), more.end());
  CliRow row =
      Usage("OutputIs" + name, std::move(args), "--output: '" + output + "' is also an input");
  row.files = std::move(files);
  row.inputFile = input;
  return row;
}

std::vector<CliRow> ChartRows() {
  return {
      Usage("ModelUnknown", {"--model", "magnus"},
            "--model: 'magnus' is not handbook or calculator"),
      Usage("CalculatorOverWater", {"--model", "calculator", "--over", "water"},
            "--over water: the calculator model knows only ice"),
      Usage("OverUnknown", {"--over", "snow"}, "--over: 'snow' is not ice or water"),
      Usage("NoPressureColumnOption", {"--pressure-column=baro"},
            "The following argument was not expected: --pressure-column=baro"),
      Usage("UnknownOption", {"--colour=red"},
            "The following argument was not expected: --colour=red"),
      Usage("ReversedRange", {"--dry-bulb=50:-10"},
            "--dry-bulb: expected MIN:MAX in degrees C with MIN < MAX, both from -100 to 200, not "
            "'50:-10'"),
      Usage("RangeWithoutColon", {"--dry-bulb=-10"},
            "--dry-bulb: expected MIN:MAX in degrees C with MIN < MAX, both from -100 to 200, not "
            "'-10'"),
      Usage("HumidityRatioZero", {"--humidity-ratio=0"},
            "--humidity-ratio: expected a number of g/kg above 0 and at most 1000, not '0'"),
      Usage("PressureNotANumber", {"--pressure", "high"}, "--pressure: 'high' is not a number"),
      Usage("PressureInHectopascals", {"--pressure", "1013.25"},
            "--pressure: 1013.25 kPa is outside 20 to 200 kPa (in hPa? --pressure-unit hPa)"),
      Usage("PressureInPascals", {"--pressure-unit", "hPa", "--pressure", "101325"},
            "--pressure: 101325 hPa is outside 20 to 200 kPa (in Pa? --pressure-unit Pa)"),
      Usage("UnknownUnit", {"--pressure-unit", "atm"},
            "--pressure-unit: 'atm' is not kPa, hPa, Pa, mbar, psi or inHg"),
      Usage("UnknownAltitudeUnit", {"--altitude-unit", "yd", "--altitude", "100"},
            "--altitude-unit: 'yd' is not m or ft"),
      Usage("AltitudeTooHigh", {"--altitude", "12000"},
            "--altitude: 12000 m is outside -5000 to 11000 m"),
      Usage("PressureAndAltitude", {"--altitude=0", "--pressure=90"},
            "--pressure and --altitude: give one or the other"),
      Usage("UnitsUnknown", {"--units", "us"}, "--units: 'us' is not si or ip"),
      Usage("InchPoundPressureInKilopascals", {"--units", "ip", "--pressure", "101.325"},
            "--pressure: 101.325 psia is outside 2.901 to 29.007 psia (in kPa? --pressure-unit "
            "kPa)"),
      // 29.92 inHg is 101.3207 kPa, 14.6954 psia.
      Usage("InchPoundPressureInInchesOfMercury", {"--units", "ip", "--pressure", "29.92"},
            "--pressure: 29.92 psia is outside 2.901 to 29.007 psia (in inHg? 29.92 inHg is "
            "14.695 psia)"),
      // --pressure-unit names the unit of --pressure in either system.
      Usage("InchPoundWithAPressureUnit", {"--units=ip", "--pressure-unit=hPa", "--pressure=101"},
            "--pressure: 101 hPa is outside 20 to 200 kPa (in kPa? --pressure-unit kPa)"),
      Usage("InchPoundAltitudeTooHigh", {"--units=ip", "--altitude=40000"},
            "--altitude: 40000 ft is outside -16404 to 36089 ft"),
      Usage("InchPoundReversedRange", {"--units=ip", "--dry-bulb=120:32"},
            "--dry-bulb: expected MIN:MAX in degrees F with MIN < MAX, both from -148 to 392, not "
            "'120:32'"),
      Usage("HumidityRatioUnitUnknown", {"--humidity-ratio-unit=g/lb"},
            "--humidity-ratio-unit: 'g/lb' is not g/kg, kg/kg, lb/lb or grains/lb"),
      Usage("TooNarrow", {"--width=600"},
            "--width: expected a whole number of px from 640 to 16384, not '600'"),
      Usage("MissingFile", {"/nonexistent/points.csv"},
            "/nonexistent/points.csv: No such file or directory", false),
      Usage("Directory", {"/"}, "/: Is a directory", false),
      Usage("BadDelimiter", {"--delimiter=+"},
            "--delimiter: '+' cannot end fields (any one byte but a quote, CR, LF, a digit, '.', "
            "'+' or '-')"),
      Usage("FlagWithAValue", {"--process=3"}, "process was given a disallowed flag override"),
      Usage("MissingZones", {"--zones", "/nonexistent/zones.csv"},
            "/nonexistent/zones.csv: No such file or directory", false),
      Usage("ProcessKindWithoutProcesses", {"--process-kind", "coil"},
            "--process-kind: only with --processes"),
      Usage("ProcessKindUnknown", {"--processes", "p.csv", "--process-kind", "cool"},
            "--process-kind: 'cool' is not mix, heat, coil, evaporative, steam or adiabatic"),
      Usage("LabelsUnknown", {"--labels", "some"},
            "--labels: expected none, fit or all, not 'some'"),
      Usage("FormatUnknown", {"--format", "eps"}, "--format: 'eps' is not svg, pdf or png"),
      Usage("PageUnknown", {"--page", "a5"}, "--page: 'a5' is not a4, letter or a3"),
      Usage("OrientationUnknown", {"--page", "a4", "--orientation", "up"},
            "--orientation: 'up' is not landscape or portrait"),
      Usage("OrientationWithoutAPage", {"--orientation", "portrait"},
            "--orientation: only with --page"),
      Usage("DpiTooLow", {"-o", "c.png", "--dpi", "10"},
            "--dpi: expected a whole number from 36 to 1200, not '10'"),
      Usage("DpiForAPdf", {"-o", "c.pdf", "--dpi", "300"}, "--dpi: only for a PNG"),
      Usage("ZoneNameUnknown", {"--zones", "tc9.9-recommended,tc9.9-b"},
            "--zones: 'tc9.9-b' is not tc9.9-recommended, tc9.9-a1, tc9.9-a2, tc9.9-a3 or "
            "tc9.9-a4"),
      Usage("ComfortTooFewValues", {"--comfort", "1.2,0.5"},
            "--comfort: expected MET,CLO,SPEED within 0.8 to 4 met, 0 to 2 clo and 0 to 1 m/s, "
            "not '1.2,0.5'"),
      Usage("ComfortOutOfRange", {"--comfort=5,0.5,0.1"},
            "--comfort: expected MET,CLO,SPEED within 0.8 to 4 met, 0 to 2 clo and 0 to 1 m/s, "
            "not '5,0.5,0.1'"),
      Usage("ComfortSpeedInFpm", {"--units", "ip", "--comfort=1.1,0.5,300"},
            "--comfort: expected MET,CLO,SPEED within 0.8 to 4 met, 0 to 2 clo and 0 to 196.85 "
            "fpm, not '1.1,0.5,300'"),
      Usage("ComfortLimitAlone", {"--comfort-limit"}, "--comfort-limit: only with --comfort"),
      Usage("OverlayUnknown", {"--overlay", "wbgt"},
            "--overlay: 'wbgt' is not heat-index, humidex or none"),
      Usage("StyleUnknown", {"--style", "dark"}, "--style: 'dark' is not screen or print"),
      Usage("DiagramUnknown", {"--diagram", "skew-t"},
            "--diagram: 'skew-t' is not psychrometric or mollier"),
      Usage("HtmlOnAPage", {"--html", "--page", "a4"},
            "--html: the page is HTML, with no --format, --page, --table or title block"),
      Usage("UnwritableOutput", {"-o", "/nonexistent/chart.svg"},
            "/nonexistent/chart.svg: No such file or directory", false),
      CliRow("OutputFull", kChart, {"-o", "/dev/full"}, "", "",
             "hygrian-chart: /dev/full: No space left on device\n", 1),
      // The chart is written beside the file and renamed at the end: a run that
      // fails leaves the previous chart as it was (the row checks its files).
      CliRow("OutputKeptWhenThePointsCannotBeRead", kChart, {"-o", "out.svg", "nosuch.csv"}, "", "",
             "hygrian-chart: nosuch.csv: No such file or directory\n", 2, {{"out.svg", "keep"}}),
      CliRow("Version", kChart, {"--version"}, "", "hygrian-chart " HYGRIAN_VERSION "\n", "", 0),
      // An output that is one of the inputs, however named, is refused before
      // anything is read or written.
      OutputIsInput("ThePoints", {"-o", "p.csv", "p.csv"}, "p.csv"),
      OutputIsInput("ThePointsThroughASymbolicLink", {"-o", "link.csv", "p.csv"}, "link.csv",
                    {{"link.csv", "", "p.csv"}}),
      OutputIsInput("ThePointsByAHardLink", {"p.csv", "-o", "hard.csv"}, "hard.csv",
                    {{"hard.csv", "", "p.csv", true}}),
      OutputIsInput("StandardInput", {"-o", "p.csv"}, "p.csv", {}, "p.csv"),
      OutputIsInput("StandardInputNamed", {"-o", "link.csv", "-"}, "link.csv",
                    {{"link.csv", "", "p.csv"}}, "p.csv"),
      OutputIsInput("TheZones", {"--zones", "z.csv", "-o", "z.csv", "p.csv"}, "z.csv"),
      OutputIsInput("TheProcesses", {"--processes", "z.csv", "-o", "./z.csv"}, "./z.csv"),
  };
}

using ChartCli = e2e::CliTest;
TEST_P(ChartCli, Run) { e2e::ExpectRow(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Chart, ChartCli, ::testing::ValuesIn(ChartRows()), e2e::RowName());

TEST_F(ChartRun, AFullStandardOutputIsReportedWithStatusOne) {
  const e2e::Fd full(::open("/dev/full", O_WRONLY | O_CLOEXEC));
  ASSERT_TRUE(full.open());
  e2e::Invocation how;
  how.stdoutFd = full.get();
  e2e::ExpectRun(e2e::Run(kChart, how), "",
                 "hygrian-chart: (standard output): No space left on device\n", 1);
}

// A points file's header or --unit gives its columns' units: the handbook's IP
// Example 1 (100 F dry-bulb, 65 F wet-bulb) has W = 0.00523 lb/lb.
TEST_F(ChartRun, PointsInTheUnitsTheirHeaderSays) {
  Write("ip.csv",
        "dry_bulb (\xC2\xB0"
        "F),wet_bulb (\xC2\xB0"
        "F)\n100,65\n");
  Write("plain.csv", "dry_bulb,wet_bulb\n100,65\n");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--dry-bulb=30:40", "ip.csv"},
        std::vector<std::string>{"--dry-bulb=30:40", "--unit", "dry_bulb=degF", "--unit",
                                 "wet_bulb=degF", "plain.csv"}}) {
    const RunResult r = Run(kChart, args);  // the handbook model
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("data-humidity-ratio=\"0.00523"), std::string::npos) << r.err;
  }
}

// Past 2,000 points on the plot (or with --density) the points are counted in
// cells: every point is in one, and the arrows of --process are not drawn.
TEST_F(ChartRun, ManyPointsBecomeADensity) {
  std::string rows = "dry_bulb,relative_humidity\n";
  for (int i = 0; i <= 2000; ++i) {
    rows += std::to_string(i % 30) + "," + std::to_string(20 + i % 60) + "\n";
  }
  Write("many.csv", rows);
  const std::string svg = Drawn({"many.csv"});
  EXPECT_NE(svg.find("<g id=\"density\" data-points=\"2001\""), std::string::npos);
  EXPECT_EQ(Count(svg, "<circle"), 0u);
  ExpectRenders(svg, 1200, 800);
  Write("few.csv", "dry_bulb,relative_humidity\n25,50\n30,40\n");
  const RunResult few = Chart({"--density", "--process", "few.csv"});
  EXPECT_NE(few.out.find("data-points=\"2\""), std::string::npos);
  EXPECT_EQ(few.err, "hygrian-chart: --process: no arrows between points drawn as a density\n");
  EXPECT_EQ(few.status, 0);
}

// A report's chart: the PDF (A4 landscape by default, letter or A3 either way
// round; 595.28 x 841.89 pt is A4) keeps its text, the title block's and the
// table's numbers among it; a PNG has the SVG's px at its dpi (96 px an inch).
TEST_F(ChartRun, APdfAndAPngForAReport) {
  Write("ahu.csv",
        "process,dry_bulb,wet_bulb,leaving_dry_bulb,leaving_relative_humidity,flow\n"
        "coil,32,24,13,95,5\nheat,,,18,,\n");
  const struct {
    std::vector<std::string> args;
    std::string pageSize;
  } pdfs[] = {
      {{"-o", "r.pdf"}, "841.89 x 595.276 pts (A4)"},
      {{"-o", "r.pdf", "--page", "a4", "--orientation", "portrait"}, "595.276 x 841.89 pts (A4)"},
      {{"--format", "pdf", "-o", "r.out", "--page", "letter"}, "792 x 612 pts (letter)"},
      {{"-o", "r.PDF", "--page", "a3"}, "1190.55 x 841.89 pts (A3)"},
  };
  for (const auto& pdf : pdfs) {
    std::vector<std::string> args = pdf.args;
    for (const char* more :
         {"--processes", "ahu.csv", "--table", "--title", "AHU-1 summer", "--project", "Clinic"}) {
      args.emplace_back(more);
    }
    const std::string name = args[pdf.args[0] == "-o" ? 1 : 3];
    const RunResult r = Run(kChart, args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Read(name).substr(0, 5), "%PDF-");
    const RunResult info = Run({"pdfinfo"}, {name});
    EXPECT_NE(info.out.find("Page size:       " + pdf.pageSize), std::string::npos) << info.out;
    const RunResult text = Run({"pdftotext"}, {name, "-"});
    // The title, the project, the site by default, and the coil's leaving
    // state (13 degrees C at 95 %) in the table.
    for (const char* piece : {"AHU-1 summer", "Clinic", "101.325 kPa", "95"}) {
      EXPECT_NE(text.out.find(piece), std::string::npos) << piece;
    }
  }
  const struct {
    std::vector<std::string> args;
    std::uint32_t width, height;
  } pngs[] = {
      {{"-o", "r.png"}, 1875, 1250},  // 150 dpi by default
      {{"-o", "r.png", "--dpi", "96"}, 1200, 800},
      {{"--format", "png", "-o", "r.img", "--dpi", "300", "--width", "800", "--height", "600"},
       2500,
       1875},
  };
  for (const auto& png : pngs) {
    const RunResult r = Run(kChart, png.args);
    ASSERT_EQ(r.status, 0) << r.err;
    const Picture picture = DecodePng(Read(png.args[png.args[0] == "-o" ? 1 : 3]));
    EXPECT_EQ(picture.width, png.width);
    EXPECT_EQ(picture.height, png.height);
  }
}

// The table of numbered states holds what hygrian-batch --digits 4 writes for
// the same states, label and all, in the chart's units (here IP, lb/lb): a
// row's number, its label and its nine values follow one another.
TEST_F(ChartRun, TheTableHoldsTheBatchProgramsValues) {
  const std::string points = "dry_bulb,relative_humidity,label\n86,40,OA\n55,95,CC\n72,55,RM\n";
  Write("points.csv", points);
  const RunResult chart = Run(kChart, {"--units", "ip", "--table", "points.csv"});
  ASSERT_EQ(chart.status, 0) << chart.err;
  std::string cells = "|";
  const std::size_t table = chart.out.find("<g id=\"state-table\">");
  ASSERT_NE(table, std::string::npos);
  for (std::size_t at = chart.out.find("<text", table); at != std::string::npos;
       at = chart.out.find("<text", at + 1)) {
    const std::size_t begin = chart.out.find('>', at) + 1;
    cells += chart.out.substr(begin, chart.out.find('<', begin) - begin) + "|";
  }
  const RunResult batch =
      Run(e2e::Program{HYGRIAN_BATCH_BINARY},
          {"--units", "ip", "--digits", "4", "--columns",
           // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one --columns value
           "label,dry_bulb,wet_bulb,dew_point,relative_humidity,enthalpy,humidity_ratio,"
           "degree_of_saturation,specific_volume,vapor_pressure",
           "points.csv"});
  ASSERT_EQ(batch.status, 0) << batch.err;
  std::size_t number = 0;
  for (std::size_t at = batch.out.find('\n') + 1; at < batch.out.size();) {
    const std::size_t end = batch.out.find('\n', at);
    std::string row = batch.out.substr(at, end - at);
    at = end + 1;
    for (char& c : row) c = c == ',' ? '|' : c;
    const std::string expected = "|" + std::to_string(++number) + "|" + row + "|";
    EXPECT_NE(cells.find(expected), std::string::npos) << expected << " in " << cells;
  }
  EXPECT_EQ(number, 3u);
}

// A chain's states are numbered on from the points, a row that enters where
// the row above left sharing its number, each with the short label its row
// gives (state_label, leaving_label): on the chart "2 CC", in the table "CC".
TEST_F(ChartRun, AChainsStatesAreNumberedAndLabelled) {
  Write("ahu.csv",
        "process,dry_bulb,wet_bulb,leaving_dry_bulb,leaving_relative_humidity,flow,"
        "state_label,leaving_label\ncoil,32,24,13,95,5,OA,CC\nheat,,,18,,,,SA\n");
  const RunResult r = Run(kChart, {"--processes", "ahu.csv", "--table", "--humidity-ratio", "20"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* mark : {">1 OA<", ">2 CC<", ">3 SA<"}) {
    EXPECT_EQ(Count(r.out, mark), 1u) << mark;
  }
  const std::string table = r.out.substr(r.out.find("<g id=\"state-table\">"));
  for (const char* cell : {">OA<", ">CC<", ">SA<", ">1<", ">2<", ">3<"}) {
    EXPECT_EQ(Count(table, cell), 1u) << cell;
  }
  EXPECT_EQ(Count(table, ">4<"), 0u);
  // The flow as given, to four digits, and no number in exponent form.
  EXPECT_EQ(Count(table, ">5.000<"), 3u);
  EXPECT_EQ(Count(table, "e+"), 0u);
}

// The print style, a PDF's default, draws in greys alone: every colour in the
// document, processes, zones and protractor included, has equal red, green and
// blue.
TEST_F(ChartRun, ThePrintStyleIsGrey) {
  Write("ahu.csv",
        "process,dry_bulb,wet_bulb,leaving_dry_bulb,leaving_relative_humidity,flow\n"
        "coil,32,24,13,95,5\nheat,,,18,,\n");
  Write("zones.csv", "zone,dry_bulb,relative_humidity\nA,20,30\nA,26,30\nA,26,60\nA,20,60\n");
  const RunResult r = Run(kChart, {"--style", "print", "--processes", "ahu.csv", "--zones",
                                   "zones.csv", "--protractor", "--table"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::size_t colours = 0;
  for (std::size_t at = r.out.find("\"#"); at != std::string::npos;
       at = r.out.find("\"#", at + 1)) {
    const std::string c = r.out.substr(at + 2, 6);
    ++colours;
    EXPECT_TRUE(c.substr(0, 2) == c.substr(2, 2) && c.substr(2, 2) == c.substr(4, 2)) << c;
  }
  EXPECT_GT(colours, 10u);
}

// Zones by name: the comfort zone and the data-centre envelopes, each with its
// entry in the legend, in IP with the speed in fpm.
TEST_F(ChartRun, BuiltInZonesByName) {
  const RunResult r = Run(kChart, {"--zones", "tc9.9-recommended,tc9.9-a1", "--units", "ip",
                                   "--comfort=1.1,0.5,20", "--comfort-limit"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* name :
       {">ASHRAE recommended<", ">ASHRAE A1 allowable<", ">PMV ±0.5: 1.1 met, 0.5 clo, 20 fpm<"}) {
    EXPECT_NE(r.out.find(name), std::string::npos) << name;
  }
}

TEST_F(ChartRun, Help) {
  const RunResult help = Chart({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  const std::string top = "Usage: hygrian-chart [OPTIONS] [POINTS.csv]\nDraw the";
  EXPECT_EQ(help.out.substr(0, top.size()), top);
  for (const char* option : {"-o,--output FILE",
                             "--pressure P",
                             "--altitude Z",
                             "--pressure-unit UNIT",
                             "--altitude-unit m|ft",
                             "--flow-unit UNIT",
                             "--flow-basis actual|standard",
                             "--load-unit UNIT",
                             "-q,--quiet",
                             "--dry-bulb MIN:MAX",
                             "--process",
                             "-h,--help",
                             "--version",
                             "--model handbook|calculator",
                             "--over ice|water",
                             "--units si|ip",
                             "--humidity-ratio-unit UNIT",
                             "--labels WHICH",
                             "--density",
                             "--format FORMAT",
                             "--page SIZE",
                             "--orientation WAY",
                             "--dpi N",
                             "--style STYLE",
                             "--table",
                             "--diagram KIND",
                             "--title TEXT"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

// The default model draws its curves from the handbook's relations, so its
// saturated points lie on its own saturation curve, never above it; the
// calculator's chart is another drawing.
TEST_F(ChartRun, HandbookPointsAtSaturationLieOnItsCurves) {
  Write("p.csv", "dry_bulb,relative_humidity\n25,100\n-5,100\n30,100\n");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"p.csv"}, {"--over", "water", "p.csv"}}) {
    const RunResult r = Run(kChart, args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Count(r.out, "<circle"), 3u);
  }
  EXPECT_NE(Run(kChart, {}).out, Chart({}).out);
}

}  // namespace
}  // namespace hygrian::chart
