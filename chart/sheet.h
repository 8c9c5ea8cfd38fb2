// A chart on its sheet: the page of a report (A4, Letter or A3, either way
// round) or the picture's own size, with the table of the chart's numbered
// states under it and a title block in the bottom right corner (title,
// project, site, date), as the drawing sheets of a design report have them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/frame.h"
#include "chart/labels.h"
#include "chart/state_table.h"

namespace hygrian::chart {

// What is written: the SVG document, or it drawn as a PDF or a PNG.
enum class Format { Svg, Pdf, Png };

struct PageSize {
  std::string_view name;  // "a4"
  double shortMm;         // the short side, mm
  double longMm;
};
inline constexpr std::array<PageSize, 3> kPageSizes{
    {{"a4", 210.0, 297.0}, {"letter", 215.9, 279.4}, {"a3", 297.0, 420.0}}};

inline constexpr double kPixelsPerInch = 96.0;  // the SVG's px, as CSS has them
inline constexpr double kMillimetresPerInch = 25.4;

struct SheetSettings {
  Format format = Format::Svg;
  const PageSize* page = nullptr;  // none: the picture's size, the band under it
  bool portrait = false;           // the page's long side up; landscape by default
  double dpi = 150.0;              // a PNG's pixels per inch
  bool table = false;              // the table of the numbered states
  bool titleBlock = false;         // with a page or a title option
  std::string title;               // the block's first line
  std::string project;
  std::string site;
  std::string date;  // YYYY-MM-DD
};

// The block of texts in a box: the title (bold), then "Project", "Site",
// "Date" and the program that drew it, one a row.
struct TitleBlock {
  Rect frame;
  std::vector<Segment> rules;
  std::vector<Label> texts;  // the first is the title
};

struct SheetLayout {
  double width = 0.0;   // px
  double height = 0.0;  // px
  Point chartAt;        // the chart picture's top left corner
  std::optional<TableLayout> table;
  std::optional<TitleBlock> titleBlock;
};

// The page's size, px (1/96 inch), the way round it is turned; none without one.
std::optional<std::array<double, 2>> PageInPixels(const SheetSettings& sheet);

// The chart's picture fitted to the sheet: on a page, the page less its margins
// and the band of the table and the title block (the chart keeps at least 400
// px of height; the table gives way); without one the settings' own size.
void FitChartToSheet(ChartSettings& chart, const SheetSettings& sheet, const TableText* table);

// The sheet around a chart of the size FitChartToSheet gave: the table and the
// title block in a band under the chart; without a page the band makes the
// picture taller.
SheetLayout LayOutSheet(const ChartSettings& chart, const SheetSettings& sheet,
                        const TableText* table);

// Whether the sheet is the chart alone (no page, table or title block).
[[nodiscard]] bool ChartAlone(const SheetSettings& sheet);

}  // namespace hygrian::chart
