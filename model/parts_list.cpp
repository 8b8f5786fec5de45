#include "model/parts_list.h"

#include <numeric>

#include "model/loose.h"
#include "model/palette.h"
#include "model/recount.h"

namespace kadro {

PartsList partsList(const ViewState& state, const CellGrid& grid) {
    const VisibleBlock block = visibleBlock(state);
    VisibleBlock whole = block;
    whole.firstLayer = 1;
    const int size = static_cast<int>(state.gridDepth);
    const LooseCubes loose = looseCubes(grid, size);
    return {size,
            block.firstLayer,
            block.lastLayer,
            countColours(block, grid),
            countColours(whole, grid),
            loose.countFrom(block.firstLayer),
            loose.count};
}

namespace {

std::string header(const PartsList& list) {
    const std::string side = std::to_string(list.size);
    std::string text = "KADRO parts list, size " + side + " x " + side + " x " + side + ", ";
    if (list.firstLayer > list.lastLayer) return text + "no layer visible";
    if (list.firstLayer == list.lastLayer)
        return text + "layer " + std::to_string(list.firstLayer) + " visible";
    return text + "layers " + std::to_string(list.firstLayer) + " to " +
           std::to_string(list.lastLayer) + " visible";
}

int32_t total(const std::array<int32_t, kColourCount>& counts) {
    return std::accumulate(counts.begin(), counts.end(), 0);
}

}  // namespace

std::string partsListText(const PartsList& list) {
    std::string text = header(list) + "\ncolour\tvisible\twhole block\n";
    for (int i = 0; i < kColourCount; ++i)
        text += std::string(kPalette[i].name) + "\t" + std::to_string(list.visible[i]) + "\t" +
                std::to_string(list.whole[i]) + "\n";
    return text + "total\t" + std::to_string(total(list.visible)) + "\t" +
           std::to_string(total(list.whole)) + "\n" + "loose cubes\t" +
           std::to_string(list.looseVisible) + "\t" + std::to_string(list.looseWhole) + "\n";
}

std::string numberCell(long long number, const char* tag) {
    return std::string("<") + tag + " align=\"right\" style=\"text-align:right\">" +
           std::to_string(number) + "</" + tag + ">";
}

std::string partsListHtml(const PartsList& list) {
    auto row = [](const std::string& cell, const char* tag, int32_t visible, int32_t whole) {
        return std::string("<tr><") + tag + ">" + cell + "</" + tag + ">" + numberCell(visible, tag) +
               numberCell(whole, tag) + "</tr>\n";
    };
    // The header is a row of the table: a spreadsheet pasting the HTML keeps only the table.
    const std::string right = " align=\"right\" style=\"text-align:right\"";
    std::string html = "<table>\n<tr><th colspan=\"3\">" + header(list) +
                       "</th></tr>\n<tr><th>colour</th><th" + right + ">visible</th><th" + right +
                       ">whole block</th></tr>\n";
    for (int i = 0; i < kColourCount; ++i)
        html += row(kPalette[i].name, "td", list.visible[i], list.whole[i]);
    html += row("total", "th", total(list.visible), total(list.whole));
    html += row("loose cubes", "td", list.looseVisible, list.looseWhole);
    return html + "</table>\n";
}

}  // namespace kadro
