#include "chart/sheet.h"

#include <algorithm>
#include <cmath>

#include "hygrian/version.h"

namespace hygrian::chart {
namespace {

constexpr double kPageMarginMm = 12.0;
constexpr double kBandGap = 12.0;           // px between the chart and the band
constexpr double kBandSide = 16.0;          // px at the band's ends without a page
constexpr double kTitleBlockWidth = 300.0;  // px
constexpr double kTitleRow = 17.0;          // px
constexpr double kTitleFont = 13.0;         // px, bold
constexpr double kBlockFont = 10.5;         // px
constexpr double kLeastChartHeight = 400.0;

double Margin(const SheetSettings& sheet) {
  return sheet.page != nullptr ? kPageMarginMm / kMillimetresPerInch * kPixelsPerInch : kBandSide;
}

double TitleBlockHeight() { return 5.0 * kTitleRow + 6.0; }

// The width the table may take beside the title block.
double TableWidth(double sheetWidth, const SheetSettings& sheet) {
  return sheetWidth - 2.0 * Margin(sheet) - (sheet.titleBlock ? kTitleBlockWidth + kBandGap : 0.0);
}

// The band's height under the chart, with the table's rows limited to
// `tableRoom` px.
double BandHeight(const SheetSettings& sheet, const TableText* table, double sheetWidth,
                  double tableRoom) {
  double band = sheet.titleBlock ? TitleBlockHeight() : 0.0;
  if (sheet.table && table != nullptr) {
    band = std::max(band, std::min(TableHeight(*table, TableWidth(sheetWidth, sheet)), tableRoom));
  }
  return band > 0.0 ? band + kBandGap : 0.0;
}

TitleBlock LayOutTitleBlock(const SheetSettings& sheet, double right, double bottom) {
  TitleBlock block;
  const double top = bottom - TitleBlockHeight();
  const double left = right - kTitleBlockWidth;
  block.frame = {left, top, right, bottom};
  const double x = left + 8.0;
  double y = top + 3.0 + kTitleRow / 2.0;
  Label title = TextFrom(sheet.title, kTitleFont, x, y);
  title.text = Ellipsized(title.text, kTitleFont * kBoldWidth, kTitleBlockWidth - 8.0);
  block.texts.push_back(std::move(title));
  const std::array<std::pair<const char*, const std::string*>, 3> rows{
      {{"Project", &sheet.project}, {"Site", &sheet.site}, {"Date", &sheet.date}}};
  for (const auto& [name, value] : rows) {
    y += kTitleRow;
    block.rules.push_back({{left, y - kTitleRow / 2.0}, {right, y - kTitleRow / 2.0}});
    block.texts.push_back(TextFrom(name, kBlockFont, x, y));
    block.texts.push_back(
        TextFrom(Ellipsized(*value, kBlockFont, kTitleBlockWidth - 76.0), kBlockFont, x + 60.0, y));
  }
  y += kTitleRow;
  block.rules.push_back({{left, y - kTitleRow / 2.0}, {right, y - kTitleRow / 2.0}});
  block.texts.push_back(TextFrom("hygrian " HYGRIAN_VERSION, kBlockFont, x, y));
  return block;
}

}  // namespace

bool ChartAlone(const SheetSettings& sheet) {
  return sheet.page == nullptr && !sheet.table && !sheet.titleBlock;
}

std::optional<std::array<double, 2>> PageInPixels(const SheetSettings& sheet) {
  if (sheet.page == nullptr) return std::nullopt;
  const double shortSide = sheet.page->shortMm / kMillimetresPerInch * kPixelsPerInch;
  const double longSide = sheet.page->longMm / kMillimetresPerInch * kPixelsPerInch;
  return sheet.portrait ? std::array<double, 2>{shortSide, longSide}
                        : std::array<double, 2>{longSide, shortSide};
}

void FitChartToSheet(ChartSettings& chart, const SheetSettings& sheet, const TableText* table) {
  const auto page = PageInPixels(sheet);
  if (!page) return;
  const double margin = Margin(sheet);
  const double room = (*page)[1] - 2.0 * margin;
  const double band = BandHeight(sheet, table, (*page)[0], room - kLeastChartHeight - kBandGap);
  chart.width = static_cast<int>(std::floor((*page)[0] - 2.0 * margin));
  chart.height = static_cast<int>(std::floor(room - band));
}

SheetLayout LayOutSheet(const ChartSettings& chart, const SheetSettings& sheet,
                        const TableText* table) {
  SheetLayout layout;
  const auto page = PageInPixels(sheet);
  const double margin = Margin(sheet);
  const double chartWidth = chart.width;
  const double chartHeight = chart.height;
  if (page) {
    layout.width = (*page)[0];
    layout.height = (*page)[1];
    layout.chartAt = {margin, margin};
  } else {
    layout.width = chartWidth;
    const double band = BandHeight(sheet, table, layout.width, 1e9);
    layout.height = chartHeight + band + (band > 0.0 ? margin / 2.0 : 0.0);
    layout.chartAt = {0.0, 0.0};
  }
  const double bandTop = layout.chartAt.y + chartHeight + kBandGap;
  const double bandBottom = page ? layout.height - margin : layout.height - margin / 2.0;
  if (sheet.titleBlock) {
    layout.titleBlock = LayOutTitleBlock(sheet, layout.width - margin, bandBottom);
  }
  if (sheet.table && table != nullptr) {
    layout.table = LayOutTable(*table, {margin, bandTop}, TableWidth(layout.width, sheet),
                               bandBottom - bandTop);
  }
  return layout;
}

}  // namespace hygrian::chart
