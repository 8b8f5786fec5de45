#pragma once
// What a frame shows besides the cubes' own colours: the grid pattern of empty cells and the
// preview cube while erasing.
#include "render/canvas.h"

namespace kadro {

// Parity as the drawing tests it on a whole number held in a float.
inline bool isEven(float value) {
    const double half = static_cast<double>(value) * 0.5;
    return static_cast<double>(static_cast<int32_t>(half)) == half;
}

// An empty cell's grid rectangle: border in the pen, diagonal-cross hatch in the brush. Even
// columns are white on grey; odd columns grey on navy, with a white border on even layers.
struct GridLook {
    Pixel pen;
    Pixel brush;
};
inline GridLook gridLook(bool evenColumn, bool evenLayer) {
    return {evenColumn || evenLayer ? colours::white : colours::grey,
            evenColumn ? colours::grey : colours::navy};
}

// The look with edges: each cube a solid seen from the front, its upper face lighter and its
// right face darker than its colour (mixed with white and with black by fixed shares), every
// face edged in a dark grey that is no cube colour and not the ground's black.
enum class Look { Designed, Edged };
inline constexpr Pixel edgeColour = rgb(48, 48, 48);
inline Pixel lighter(Pixel colour) {
    const auto mix = [&](int shift) {
        const int c = static_cast<int>(colour >> shift & 0xFF);
        return static_cast<Pixel>(c + (255 - c) * 45 / 100) << shift;
    };
    return 0xFF000000u | mix(16) | mix(8) | mix(0);
}
inline Pixel darker(Pixel colour) {
    const auto mix = [&](int shift) {
        return static_cast<Pixel>((colour >> shift & 0xFF) * 60 / 100) << shift;
    };
    return 0xFF000000u | mix(16) | mix(8) | mix(0);
}

// A colour mixed with white, for what a build sheet's course picture shows of the courses below.
inline Pixel faded(Pixel colour) {
    const auto mix = [&](int shift) {
        const int c = static_cast<int>(colour >> shift & 0xFF);
        return static_cast<Pixel>(c + (255 - c) * 60 / 100) << shift;
    };
    return 0xFF000000u | mix(16) | mix(8) | mix(0);
}

// The preview cube while erasing: each square navy-bordered with a white hatch.
inline constexpr Pixel previewErasePen = colours::navy;
inline constexpr Pixel previewEraseBrush = colours::white;

}  // namespace kadro
