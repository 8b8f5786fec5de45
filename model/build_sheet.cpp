#include "model/build_sheet.h"

#include <array>
#include <cstdio>

#include "model/loose.h"
#include "model/palette.h"

namespace kadro {

namespace {

std::string colourOf(uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", rgb);
    return text;
}

// One square cell: its colour, its letter (a print in black and white still reads), and a bold
// "!" on a loose cube.
std::string cell(const PaletteEntry* entry, bool loose) {
    const std::string side = std::to_string(kSheetCellPixels);
    return "<td width=\"" + side + "\" height=\"" + side + "\" align=\"center\" bgcolor=\"" +
           colourOf(entry ? entry->rgb : 0xFFFFFFu) + "\" style=\"width:" + side +
           "px;height:" + side + "px;padding:0;text-align:center\">" +
           std::string(1, entry ? entry->letter : kEmptyLetter) + (loose ? "<b>!</b>" : "") +
           "</td>";
}

const char* kTable =
    "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" style=\"border-collapse:collapse\">\n";

}  // namespace

std::string buildSheetHtml(const ViewState& state, const CellGrid& grid,
                           const std::string& picture) {
    const int n = static_cast<int>(state.gridDepth);
    const LooseCubes loose = looseCubes(grid, n);
    auto entryAt = [&](int c, int r, int l) { return paletteEntryOf(grid.at(c, r, l).colour); };
    int top = -1;  // the highest row with a cube
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < n; ++r)
            for (int l = 1; l <= n; ++l)
                if (entryAt(c, r, l) && r > top) top = r;

    std::string html = "<h2>Build sheet</h2>\n";
    if (!picture.empty())
        html += "<p><img src=\"" + picture +
                "\" alt=\"The model seen from the front, as KADRO draws it\"></p>\n";
    html +=
        "<p>Build from the bottom up, one course (one row of cubes) at a time. Each course is seen "
        "from "
        "above: columns run left to right, the front (layer 1) is at the bottom of the grid.</p>\n";
    // The legend, once.
    html += kTable;
    html +=
        "<tr><th "
        "colspan=\"3\">Legend</th></tr>\n<tr><th>colour</th><th>letter</th><th>cell</th></tr>\n";
    for (int i = 0; i < kColourCount; ++i)
        html += "<tr><td>" + std::string(kPalette[i].name) + "</td><td>" + kPalette[i].letter +
                "</td>" + cell(&kPalette[i], false) + "</tr>\n";
    html += "<tr><td>empty</td><td>" + std::string(1, kEmptyLetter) + "</td>" +
            cell(nullptr, false) + "</tr>\n";
    html += "<tr><td>loose cube</td><td>!</td><td align=\"center\"><b>!</b></td></tr>\n</table>\n";
    html +=
        "<p>A loose cube, marked <b>!</b>, has nothing joining it to the bottom row: it would fall "
        "off.</p>\n";
    if (loose.count > 0) {
        html += kTable;
        html +=
            "<tr><th colspan=\"2\">Loose cubes: " + std::to_string(loose.count) + "</th></tr>\n";
        for (int c = 0; c < n; ++c)
            for (int r = 0; r < n; ++r)
                for (int l = 1; l <= n; ++l)
                    if (loose.at(c, r, l))
                        html += "<tr><td>loose cube</td><td>column " + std::to_string(c + 1) +
                                ", row " + std::to_string(r + 1) + ", layer " + std::to_string(l) +
                                "</td></tr>\n";
        html += "</table>\n";
    }
    if (top < 0) return html + "<p>The block holds no cubes.</p>\n";

    const int courses = top + 1;
    std::array<int, kColourCount> sofar{};
    const std::string width = std::to_string(kSheetCellPixels * (n + 4));
    for (int r = 0; r < courses; ++r) {
        std::array<int, kColourCount> counts{};
        int looseHere = 0;
        for (int c = 0; c < n; ++c)
            for (int l = 1; l <= n; ++l) {
                if (const PaletteEntry* entry = entryAt(c, r, l))
                    ++counts[static_cast<int>(entry->code) - 1];
                looseHere += loose.at(c, r, l);
            }
        int inCourse = 0;
        for (int i = 0; i < kColourCount; ++i) sofar[i] += counts[i], inCourse += counts[i];
        const std::string heading = "Course " + std::to_string(r + 1) + " of " +
                                    std::to_string(courses) + " (row " + std::to_string(r + 1) +
                                    ")";
        html += "<br>\n";
        html += kTable;
        html += "<tr><th colspan=\"3\">" + heading + "</th></tr>\n";
        if (inCourse == 0) {
            html += "<tr><td colspan=\"3\">no cubes in this course</td></tr>\n</table>\n";
            continue;
        }
        html += "<tr><th>colour</th><th>this course</th><th>after this course</th></tr>\n";
        for (int i = 0; i < kColourCount; ++i)
            html += "<tr><td>" + std::string(kPalette[i].name) + "</td><td>" +
                    std::to_string(counts[i]) + "</td><td>" + std::to_string(sofar[i]) +
                    "</td></tr>\n";
        if (looseHere > 0)
            html += "<tr><td>loose cubes (!)</td><td>" + std::to_string(looseHere) +
                    "</td><td></td></tr>\n";
        html += "</table>\n";
        // The course from above: column numbers on top, the back layer first, the front last.
        html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"" + width +
                "\" style=\"border-collapse:collapse;table-layout:fixed;width:" + width + "px\">\n";
        const std::string label = std::to_string(kSheetCellPixels * 4);
        html +=
            "<tr><th width=\"" + label + "\" style=\"width:" + label + "px\">layer \\ column</th>";
        for (int c = 0; c < n; ++c) html += "<th>" + std::to_string(c + 1) + "</th>";
        html += "</tr>\n";
        for (int l = n; l >= 1; --l) {
            html += "<tr><th>" + std::to_string(l) + "</th>";
            for (int c = 0; c < n; ++c) html += cell(entryAt(c, r, l), loose.at(c, r, l));
            html += "</tr>\n";
        }
        html += "<tr><th colspan=\"" + std::to_string(n + 1) + "\">front</th></tr>\n</table>\n";
    }
    return html;
}

}  // namespace kadro
