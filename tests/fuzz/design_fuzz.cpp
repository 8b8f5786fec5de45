// libFuzzer target: any bytes end in a design or in a refusal that says why; a design read,
// written again and read again is the same design.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "model/design_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kadro::DesignReading reading = kadro::readDesign(text);
    if (!reading.ok) {
        if (reading.error.empty()) std::abort();
        return 0;
    }
    const kadro::Design& design = reading.design;
    if (design.size < kadro::kMinSize || design.size > kadro::kMaxSize) std::abort();
    static auto grid = std::make_unique<kadro::CellGrid>();
    kadro::ViewState state;
    state.gridWidth = state.gridHeight = state.gridDepth = static_cast<float>(design.size);
    size_t i = 0;
    kadro::forEachCell(design.block(), *grid, [&](kadro::GridCell& cell) {
        if (design.codes[i] > 5) std::abort();
        cell.colour = design.codes[i++];
    });
    const kadro::DesignReading again = kadro::readDesign(kadro::designText(state, *grid));
    if (!again.ok || again.design.size != design.size || again.design.codes != design.codes) std::abort();
    return 0;
}
