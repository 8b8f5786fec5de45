#pragma once
// Colours as the screen-reader texts say them, from the palette.
#include <QString>

#include "model/palette.h"

// A colour code's name, "red"; "empty" for 0 (or anything that is no colour).
inline QString colourName(int code) {
    const kadro::PaletteEntry* entry = kadro::paletteEntryOf(static_cast<float>(code));
    return entry ? QString::fromLatin1(entry->name) : QString("empty");
}

// The name as a sentence starts with it: "Yellow" for code 1.
inline QString colourTitle(int code) {
    QString name = colourName(code);
    name[0] = name[0].toUpper();
    return name;
}
