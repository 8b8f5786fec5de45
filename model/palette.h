#pragma once
// The palette: the five colour codes with their names, letters and colours. Everything that
// names or shows a colour (the parts list, the design text, the renderer, the swatches' tests,
// the screen-reader names) takes it from here.
#include <cstdint>

#include "model/grid.h"

namespace kadro {

struct PaletteEntry {
    ColourCode code;
    const char* name;  // as the parts list writes it: "yellow"
    char letter;       // as the design text writes a cell of this colour
    uint32_t rgb;      // 0xRRGGBB
};

inline constexpr PaletteEntry kPalette[kColourCount] = {
    {ColourCode::Yellow, "yellow", 'Y', 0xFFFF00}, {ColourCode::Lime, "lime", 'L', 0x00FF00},
    {ColourCode::Aqua, "aqua", 'A', 0x00FFFF},     {ColourCode::Fuchsia, "fuchsia", 'F', 0xFF00FF},
    {ColourCode::Red, "red", 'R', 0xFF0000},
};

// The entry of a colour code.
constexpr const PaletteEntry& paletteEntry(ColourCode code) {
    return kPalette[static_cast<int>(code) - 1];
}

// The entry of a cell's colour; null for an empty cell (or anything that is no code 1..5).
constexpr const PaletteEntry* paletteEntryOf(float colour) {
    for (const PaletteEntry& entry : kPalette) {
        if (colour == static_cast<float>(entry.code)) return &entry;
    }
    return nullptr;
}

// The letter of an empty cell in the design text.
inline constexpr char kEmptyLetter = '.';

}  // namespace kadro
