#pragma once
// Words as the screen-reader texts say them: colours from the palette, counted things.
#include <QString>

#include "model/palette.h"

// A colour code's name, "red"; "empty" for 0 (or anything that is no colour).
inline QString colourName(int code) {
    const kadro::PaletteEntry* entry = kadro::paletteEntryOf(static_cast<float>(code));
    return entry ? QString::fromLatin1(entry->name) : QString("empty");
}

// A number with its noun: "1 cube", "2 cubes"; with `of` between them when given ("3 red cubes").
inline QString counted(long long count, const char* one, const char* many,
                       const QString& of = QString()) {
    return QString("%1 %2%3")
        .arg(count)
        .arg(of.isEmpty() ? QString() : of + " ")
        .arg(count == 1 ? one : many);
}

// Cubes counted: "1 cube", "2 cubes", "3 loose cubes".
inline QString countedCubes(long long count, const QString& of = QString()) {
    return counted(count, "cube", "cubes", of);
}

// The name as a sentence starts with it: "Yellow" for code 1.
inline QString colourTitle(int code) {
    QString name = colourName(code);
    name[0] = name[0].toUpper();
    return name;
}
