#include "SvgChart.h"

#include "HtmlText.h"
#include "TextTools.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCharWidth = 7;  // the width of one character at the charts' 12 px, near enough
constexpr const char* kBarColour = "#4a78b0";
constexpr const char* kTextColour = "#222";

// Bars across.
constexpr int kMaxBarLabel = 32;  // characters
constexpr int kRowHeight = 22;
constexpr int kBarThickness = 14;
constexpr int kBarRoom = 320;
constexpr int kValueRoom = 72;

// Columns.
constexpr int kColumnGap = 6;
constexpr int kColumnRoom = 140;
constexpr int kAboveColumns = 18;
constexpr int kBelowColumns = 22;

// Characters, not bytes: a UTF-8 sequence counts once.
int CharCount(std::string_view text)
{
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The label cut to nChars characters, the last three of them "...".
std::string CutLabel(std::string_view text, int nChars)
{
    if (CharCount(text) <= nChars) return std::string(text);
    const int nKept = std::max(nChars - 3, 1);
    std::size_t nEnd = 0;
    for (int n = 0; nEnd < text.size();) {
        if ((static_cast<unsigned char>(text[nEnd]) & 0xC0) != 0x80 && n++ == nKept) break;
        ++nEnd;
    }
    return std::string(text.substr(0, nEnd)) + "...";
}

int Length(long long nValue, long long nMax, int nRoom)
{
    if (nValue <= 0 || nMax <= 0) return 0;
    const auto nLength = static_cast<int>(std::lround(static_cast<double>(nValue) / static_cast<double>(nMax) * nRoom));
    return std::max(nLength, 1);
}

void AppendNumber(std::string& out, long long n) { out += std::to_string(n); }

// <text x=".." y=".." ...>label</text>
void AppendText(std::string& out, int nX, int nY, const char* pAnchor, std::string_view text)
{
    out += "<text x=\"";
    AppendNumber(out, nX);
    out += "\" y=\"";
    AppendNumber(out, nY);
    out += "\" text-anchor=\"";
    out += pAnchor;
    out += "\">";
    AppendHtmlEscaped(out, text);
    out += "</text>";
}

void AppendRect(std::string& out, int nX, int nY, int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0) return;
    out += "<rect x=\"";
    AppendNumber(out, nX);
    out += "\" y=\"";
    AppendNumber(out, nY);
    out += "\" width=\"";
    AppendNumber(out, nWidth);
    out += "\" height=\"";
    AppendNumber(out, nHeight);
    out += "\" fill=\"";
    out += kBarColour;
    out += "\"/>";
}

// <g><title>label: 1.234</title>
void OpenBar(std::string& out, const ChartBar& bar)
{
    out += "<g><title>";
    AppendHtmlEscaped(out, bar.strLabel);
    out += ": ";
    out += GroupedNumber(bar.nValue);
    out += "</title>";
}

void OpenSvg(std::string& out, std::string_view strTitle, int nWidth, int nHeight)
{
    out += "<svg class=\"chart\" role=\"img\" aria-label=\"";
    AppendHtmlEscaped(out, strTitle);
    out += "\" width=\"";
    AppendNumber(out, nWidth);
    out += "\" height=\"";
    AppendNumber(out, nHeight);
    out += "\" viewBox=\"0 0 ";
    AppendNumber(out, nWidth);
    out += " ";
    AppendNumber(out, nHeight);
    out += "\" font-family=\"sans-serif\" font-size=\"12\" fill=\"";
    out += kTextColour;
    out += "\">";
}

}  // namespace

void AppendSvgChart(std::string& out, std::string_view strTitle, const std::vector<ChartBar>& bars, ChartShape shape)
{
    long long nMax = 0;
    int nLongest = 1;
    for (const ChartBar& bar : bars) {
        nMax = std::max(nMax, bar.nValue);
        nLongest = std::max(nLongest, CharCount(bar.strLabel));
    }
    const int nBars = static_cast<int>(bars.size());

    if (shape == ChartShape::Bars) {
        const int nLabelChars = std::min(nLongest, kMaxBarLabel);
        const int nLabelRoom = nLabelChars * kCharWidth + 10;
        OpenSvg(out, strTitle, nLabelRoom + kBarRoom + kValueRoom, nBars * kRowHeight + 4);
        for (int i = 0; i < nBars; ++i) {
            const ChartBar& bar = bars[static_cast<std::size_t>(i)];
            const int nTop = 2 + i * kRowHeight;
            const int nLength = Length(bar.nValue, nMax, kBarRoom);
            OpenBar(out, bar);
            AppendText(out, nLabelRoom - 8, nTop + 15, "end", CutLabel(bar.strLabel, nLabelChars));
            AppendRect(out, nLabelRoom, nTop + 4, nLength, kBarThickness);
            AppendText(out, nLabelRoom + nLength + 6, nTop + 15, "start", GroupedNumber(bar.nValue));
            out += "</g>";
        }
        out += "</svg>";
        return;
    }

    const int nColumnWidth = std::clamp(nLongest * kCharWidth + 8, 28, 72);
    const int nLabelChars = (nColumnWidth + kColumnGap - 2) / kCharWidth;
    const int nBase = kAboveColumns + kColumnRoom;
    OpenSvg(out, strTitle, kColumnGap + nBars * (nColumnWidth + kColumnGap), nBase + kBelowColumns);
    for (int i = 0; i < nBars; ++i) {
        const ChartBar& bar = bars[static_cast<std::size_t>(i)];
        const int nLeft = kColumnGap + i * (nColumnWidth + kColumnGap);
        const int nCentre = nLeft + nColumnWidth / 2;
        const int nHeight = Length(bar.nValue, nMax, kColumnRoom);
        OpenBar(out, bar);
        AppendRect(out, nLeft, nBase - nHeight, nColumnWidth, nHeight);
        AppendText(out, nCentre, nBase - nHeight - 4, "middle", GroupedNumber(bar.nValue));
        AppendText(out, nCentre, nBase + 15, "middle", CutLabel(bar.strLabel, nLabelChars));
        out += "</g>";
    }
    out += "</svg>";
}
