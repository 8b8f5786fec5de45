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
           "px;height:" + side + "px;padding:0;text-align:center;font-size:8pt\">" +
           std::string(1, entry ? entry->letter : kEmptyLetter) + (loose ? "<b>!</b>" : "") +
           "</td>";
}

const char* kTable =
    "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" style=\"border-collapse:collapse\">\n";

// Printed, each course starts a page; its picture (at most kSheetPictureSide pixels) stands
// beside its grid, so that it fits one A4 or US Letter page for a 20-block.
const char* kStyle =
    "<style>\n.kadro-course{page-break-before:always;break-before:page}\n</style>\n";

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

// An image of the sheet: shown within kSheetPictureSide pixels each way, so that a course fits a
// printed page in any client, CSS or not.
std::string image(const std::string& src, const SheetPictures& pictures, const std::string& alt,
                  int side = kSheetPictureSide) {
    std::string size;
    if (pictures.width > 0 && pictures.height > 0) {
        const int longest = std::max(pictures.width, pictures.height);
        const int shown = std::min(longest, side);
        size = " width=\"" + std::to_string(pictures.width * shown / longest) + "\" height=\"" +
               std::to_string(pictures.height * shown / longest) + "\"";
    }
    return "<img class=\"kadro-picture\" src=\"" + src + "\"" + size + " alt=\"" + alt + "\">";
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
        html += "<table>\n<tr><td>the finished model</td><td>" +
                image(pictures.model, pictures, "The finished model seen from the front, with edges",
                      kSheetModelPictureSide) +
                "</td></tr>\n</table>\n";
    // The legend, once, across: a row of names, one of letters, one of cells.
    std::string names = "<tr><th>colour</th>", letters = "<tr><th>letter</th>",
                cells = "<tr><th>cell</th>";
    for (int i = 0; i < kColourCount; ++i) {
        names += "<td>" + std::string(kPalette[i].name) + "</td>";
        letters += "<td>" + std::string(1, kPalette[i].letter) + "</td>";
        cells += cell(&kPalette[i], false);
    }
    names += "<td>empty</td><td>loose cube</td></tr>\n";
    letters += "<td>" + std::string(1, kEmptyLetter) + "</td><td>!</td></tr>\n";
    cells += cell(nullptr, false) + "<td align=\"center\"><b>!</b></td></tr>\n";
    html += std::string(kTable) + "<tr><th colspan=\"" + std::to_string(kColourCount + 3) +
            "\">Legend</th></tr>\n" + names + letters + cells + "</table>\n";
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
        // The counts across, a column for each colour the course uses: fewer rows, so that a
        // course of a 20-block takes one page where rows cannot be made low.
        std::vector<int> used;
        for (int i = 0; i < kColourCount; ++i)
            if (here[i] > 0) used.push_back(i);
        const bool looseRow = looseHere > 0;
        const std::string columns = std::to_string(used.size() + (looseRow ? 2 : 1));
        html += "<tr><th colspan=\"" + columns + "\">" + heading + "</th></tr>\n";
        if (inCourse == 0) {
            html += "<tr><td>no cubes in this course</td></tr>\n</table>\n</div>\n";
            continue;
        }
        std::string names = "<tr><th>cubes</th>", now = "<tr><td>this course</td>",
                    after = "<tr><td>after this course</td>", left = "<tr><td>still to place</td>";
        for (const int i : used) {
            names += "<th" + right + ">" + kPalette[i].name + "</th>";
            now += numberCell(here[i]);
            after += numberCell(sofar[i]);
            left += numberCell(whole[i] - sofar[i]);
        }
        if (looseRow) {
            names += "<th" + right + ">loose cubes (!)</th>";
            now += numberCell(looseHere);
            after += numberCell(looseSofar);
            left += numberCell(looseWhole - looseSofar);
        }
        html += names + "</tr>\n" + now + "</tr>\n" + after + "</tr>\n" + left + "</tr>\n</table>\n";
        // The course from above: column numbers on top, the back layer first, the front last.
        html += "<table class=\"kadro-grid\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\" "
                "style=\"border-collapse:collapse\">\n";
        const std::string label = std::to_string(kSheetCellPixels * 4);
        html +=
            "<tr><th width=\"" + label + "\" style=\"width:" + label + "px\">layer \\ column</th>";
        for (int c = 0; c < n; ++c)
            html += "<th style=\"font-size:8pt\">" + std::to_string(c + 1) + "</th>";
        // The picture beside the grid, so that a course takes one page even where table rows
        // cannot be made low (LibreOffice keeps them at 0.8 cm at least).
        const std::string picture =
            static_cast<size_t>(r) < pictures.courses.size() ? pictures.courses[r] : "";
        if (!picture.empty())
            html += "<td rowspan=\"" + std::to_string(n + 1) +
                    "\" valign=\"bottom\" style=\"border:none;padding-left:8px\">" +
                    image(picture, pictures,
                          heading + ": " + counts(here) + (r > 0 ? "; the courses below faded" : "")) +
                    "</td>";
        html += "</tr>\n";
        for (int l = n; l >= 1; --l) {
            html += "<tr><th style=\"font-size:8pt\">" + std::to_string(l) +
                    (l == 1 ? " (front)" : "") + "</th>";
            for (int c = 0; c < n; ++c) html += cell(entryAt(c, r, l), loose.at(c, r, l));
            html += "</tr>\n";
        }
        html += "</table>\n";
        html += "</div>\n";
    }
    return html;
}

}  // namespace kadro
