#pragma once

#include <string>
#include <string_view>
#include <vector>

// A bar chart drawn as inline SVG, for a page that must show it with nothing
// beside it: no font, script or style sheet of its own, its colours and
// sizes written on its elements. Each bar carries a title with its whole
// label and its value, which a browser shows on hover and a screen reader
// reads.

struct ChartBar {
    std::string strLabel;  // UTF-8
    long long nValue = 0;
};

enum class ChartShape {
    Bars,     // one bar a line, its label on the left: for long names
    Columns,  // side by side, the labels below: for months and decades
};

// Appends one <svg> element, strTitle its name for screen readers. The
// largest value fills the chart's length; a value above 0 always shows a
// bar; the values are written at the bars' ends, grouped as "1.234". A label
// too long for its place is cut with "...".
void AppendSvgChart(std::string& out, std::string_view strTitle, const std::vector<ChartBar>& bars, ChartShape shape);
