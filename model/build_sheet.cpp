#include "model/build_sheet.h"

#include <array>
#include <cstdio>

#include "model/loose.h"
#include "model/palette.h"
#include "model/parts_list.h"

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

// Printed, each course starts a page, and its picture and grid are scaled to fit one A4 or US
// Letter page for a 20-block.
const char* kStyle =
    "<style>\n"
    ".kadro-course{page-break-before:always;break-before:page}\n"
    "img.kadro-picture{max-width:100%}\n"
    "@media print{img.kadro-picture{max-height:70mm}"
    "table.kadro-grid td,table.kadro-grid th{width:16px;height:16px;font-size:8pt}}\n"
    "</style>\n";

std::string counts(const std::array<int, kColourCount>& byColour) {
    std::string said;
    int total = 0;
    for (int i = 0; i < kColourCount; ++i) {
        if (byColour[i] == 0) continue;
        said += ", " + std::to_string(byColour[i]) + " " + kPalette[i].name;
        total += byColour[i];
    }
    return std::to_string(total) + (total == 1 ? " cube" : " cubes") + said;
}

std::string place(int c, int r, int l) {
    return "column " + std::to_string(c + 1) + ", row " + std::to_string(r + 1) + ", layer " +
           std::to_string(l);
}

}  // namespace

int sheetCourses(const CellGrid& grid, int size) {
    int top = -1;
    for (int c = 0; c < size; ++c)
        for (int r = 0; r < size; ++r)
            for (int l = 1; l <= size; ++l)
                if (paletteEntryOf(grid.at(c, r, l).colour) && r > top) top = r;
    return top + 1;
}

std::string buildSheetHtml(const ViewState& state, const CellGrid& grid,
                           const SheetPictures& pictures) {
    const int n = static_cast<int>(state.gridDepth);
    const LooseCubes loose = looseCubes(grid, n);
    auto entryAt = [&](int c, int r, int l) { return paletteEntryOf(grid.at(c, r, l).colour); };
    const int courses = sheetCourses(grid, n);

    std::string html = kStyle;
    html += "<table>\n<tr><th align=\"left\" style=\"font-size:150%;text-align:left\">Build sheet"
            "</th></tr>\n"
            "<tr><td>Build from the bottom up, one course (one row of cubes) at a time. Each course "
            "is seen from above: columns run left to right, the front (layer 1) is at the bottom "
            "of the grid.</td></tr>\n"
            "<tr><td>A loose cube, marked ! in the grids, has nothing joining it to the bottom "
            "row through its faces: it would fall off.</td></tr>\n</table>\n";
    if (!pictures.model.empty())
        html += "<table>\n<tr><td>the finished model</td><td><img class=\"kadro-picture\" src=\"" +
                pictures.model +
                "\" alt=\"The finished model seen from the front, with edges\"></td></tr>\n"
                "</table>\n";
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
    // The loose cubes, a group of cubes joined by faces at a time.
    const std::vector<LooseGroup> groups = looseGroups(grid, loose);
    if (!groups.empty()) {
        html += "<br>\n" + std::string(kTable);
        html += "<tr><th colspan=\"5\">Loose cubes: " + std::to_string(loose.count) + " in " +
                std::to_string(groups.size()) + (groups.size() == 1 ? " group" : " groups") +
                "</th></tr>\n<tr><th>group</th><th align=\"right\" style=\"text-align:right\">"
                "cubes</th><th>courses</th><th>why it is loose</th><th>cells</th></tr>\n";
        for (size_t g = 0; g < groups.size(); ++g) {
            const LooseGroup& group = groups[g];
            std::string cells;
            for (const LooseGroup::Cell& at : group.cells)
                cells += (cells.empty() ? "" : "; ") + place(at.column, at.row, at.layer);
            const std::string rows = group.lowestRow == group.highestRow
                                         ? std::to_string(group.lowestRow + 1)
                                         : std::to_string(group.lowestRow + 1) + " to " +
                                               std::to_string(group.highestRow + 1);
            html += "<tr><td>group " + std::to_string(g + 1) + "</td>" +
                    numberCell(static_cast<long long>(group.cells.size())) + "<td>" + rows +
                    "</td><td>" + looseReason(group.reason) + "</td><td>" + cells + "</td></tr>\n";
        }
        html += "</table>\n";
    }
    if (courses == 0) {
        return html + "<table>\n<tr><td>The block holds no cubes.</td></tr>\n</table>\n";
    }

    std::array<int, kColourCount> whole{}, sofar{};
    int looseWhole = 0, looseSofar = 0;
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < courses; ++r)
            for (int l = 1; l <= n; ++l) {
                if (const PaletteEntry* entry = entryAt(c, r, l))
                    ++whole[static_cast<int>(entry->code) - 1];
                looseWhole += loose.at(c, r, l);
            }
    const std::string width = std::to_string(kSheetCellPixels * (n + 4));
    const std::string right = " align=\"right\" style=\"text-align:right\"";
    for (int r = 0; r < courses; ++r) {
        std::array<int, kColourCount> here{};
        int looseHere = 0;
        for (int c = 0; c < n; ++c)
            for (int l = 1; l <= n; ++l) {
                if (const PaletteEntry* entry = entryAt(c, r, l))
                    ++here[static_cast<int>(entry->code) - 1];
                looseHere += loose.at(c, r, l);
            }
        int inCourse = 0;
        for (int i = 0; i < kColourCount; ++i) sofar[i] += here[i], inCourse += here[i];
        looseSofar += looseHere;
        const std::string heading = "Course " + std::to_string(r + 1) + " of " +
                                    std::to_string(courses) + " (row " + std::to_string(r + 1) +
                                    ")";
        html += "<div class=\"kadro-course\" style=\"page-break-before:always;break-before:page\">\n";
        html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
                "style=\"border-collapse:collapse;page-break-before:always;break-before:page\">\n";
        html += "<tr><th colspan=\"4\">" + heading + "</th></tr>\n";
        const std::string picture =
            static_cast<size_t>(r) < pictures.courses.size() ? pictures.courses[r] : "";
        if (!picture.empty())
            html += "<tr><td>picture</td><td colspan=\"3\"><img class=\"kadro-picture\" src=\"" +
                    picture + "\" alt=\"" + heading + ": " + counts(here) +
                    (r > 0 ? "; the courses below faded" : "") + "\"></td></tr>\n";
        if (inCourse == 0) {
            html += "<tr><td colspan=\"4\">no cubes in this course</td></tr>\n</table>\n</div>\n";
            continue;
        }
        html += "<tr><th>colour</th><th" + right + ">this course</th><th" + right +
                ">after this course</th><th" + right + ">still to place</th></tr>\n";
        for (int i = 0; i < kColourCount; ++i)
            if (here[i] > 0)
                html += "<tr><td>" + std::string(kPalette[i].name) + "</td>" + numberCell(here[i]) +
                        numberCell(sofar[i]) + numberCell(whole[i] - sofar[i]) + "</tr>\n";
        if (looseHere > 0)
            html += "<tr><td>loose cubes (!)</td>" + numberCell(looseHere) +
                    numberCell(looseSofar) + numberCell(looseWhole - looseSofar) + "</tr>\n";
        html += "</table>\n";
        // The course from above: column numbers on top, the back layer first, the front last.
        html += "<table class=\"kadro-grid\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\" "
                "width=\"" +
                width + "\" style=\"border-collapse:collapse;table-layout:fixed;width:" + width +
                "px\">\n";
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
        html += "</div>\n";
    }
    return html;
}

}  // namespace kadro
