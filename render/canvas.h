#pragma once
// A pixel canvas with the toolkit's rectangle rules, over a buffer that the caller owns.
#include <climits>
#include <cstdint>

#include "model/palette.h"

namespace kadro {

// Opaque 0xFFRRGGBB words, so the buffer can be shown as it is.
using Pixel = uint32_t;
constexpr Pixel rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return 0xFF000000u | (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
}

// A 0xRRGGBB colour as an opaque pixel.
constexpr Pixel opaque(uint32_t rgb) { return 0xFF000000u | rgb; }

// The toolkit's named colours; the five of the palette are the palette's.
namespace colours {
inline constexpr Pixel black = rgb(0, 0, 0);
inline constexpr Pixel white = rgb(255, 255, 255);
inline constexpr Pixel silver = rgb(192, 192, 192);
inline constexpr Pixel grey = rgb(128, 128, 128);
inline constexpr Pixel navy = rgb(0, 0, 128);
inline constexpr Pixel yellow = opaque(paletteEntry(ColourCode::Yellow).rgb);
inline constexpr Pixel lime = opaque(paletteEntry(ColourCode::Lime).rgb);
inline constexpr Pixel aqua = opaque(paletteEntry(ColourCode::Aqua).rgb);
inline constexpr Pixel fuchsia = opaque(paletteEntry(ColourCode::Fuchsia).rgb);
inline constexpr Pixel red = opaque(paletteEntry(ColourCode::Red).rgb);
}  // namespace colours

// Draw colour of a colour code 1..5; black for anything else.
Pixel colourOfCode(int code);

struct PixelBuffer {
    Pixel* pixels;
    int width;
    int height;
    int stride;  // pixels from one row to the next

    Pixel& at(int x, int y) const { return pixels[y * stride + x]; }
};

// A rectangle of pixels, half-open: x from left to right - 1, y from top to bottom - 1.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return left >= right || top >= bottom; }
    bool operator==(const PixelRect&) const = default;
};
// Every pixel there is.
inline constexpr PixelRect kEverywhere{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

enum class BrushStyle { Solid, DiagonalCross };

// A rectangle's corners put in order and its area clipped to a buffer: the rows top..bottom-1
// and columns left..right-1 that it paints. Row y1 and y2 - 1 and the columns x1 and x2 - 1
// are its border; insideLeft..insideRight-1 is its inside on the other rows, clipped too.
struct RectangleArea {
    int x1, y1, x2, y2;
    int left, top, right, bottom;
    int insideLeft, insideRight;

    bool isBorderRow(int y) const { return y == y1 || y == y2 - 1 || insideLeft >= insideRight; }
    bool hasLeftBorder() const { return left == x1; }
    bool hasRightBorder() const { return right == x2; }
};
// False when nothing of the rectangle lies inside a width x height buffer.
bool clipRectangle(int x1, int y1, int x2, int y2, int width, int height, RectangleArea& area);
// The same, clipped to `bounds` instead.
bool clipRectangle(int x1, int y1, int x2, int y2, const PixelRect& bounds, RectangleArea& area);

class Canvas {
public:
    explicit Canvas(PixelBuffer target) : target_(target) {}

    void setPenColour(Pixel colour) { pen_ = colour; }
    void setBrushColour(Pixel colour) { brush_ = colour; }
    void setBrushStyle(BrushStyle style) { style_ = style; }

    // Corners in either order. After ordering, x1..x2-1 by y1..y2-1 is painted: its border in
    // the pen colour, its inside with the brush. A diagonal-cross brush paints only the hatch
    // pixels, (x - y) mod 8 == 0 or (x + y) mod 8 == 7 in buffer coordinates, and leaves the
    // rest as it was. Everything is clipped to the buffer; nothing outside it is touched.
    void Rectangle(int x1, int y1, int x2, int y2);

    const PixelBuffer& target() const { return target_; }

private:
    PixelBuffer target_;
    Pixel pen_ = colours::black;
    Pixel brush_ = colours::white;
    BrushStyle style_ = BrushStyle::Solid;
};

// Makes `copy` (of the same size) equal to `from` and returns the smallest rectangle that holds
// every pixel that differed; empty when none did.
PixelRect copyChanges(const PixelBuffer& from, const PixelBuffer& copy);
// The same, looking only within `within` (clipped to the buffers): for when the caller knows
// that nothing outside it can differ.
PixelRect copyChanges(const PixelBuffer& from, const PixelBuffer& copy, PixelRect within);

// The outline that marks a box of pixels over the picture: white on the box's edge pixels and
// one more inside, black on either side, so that it shows on every cube colour, the grid pattern
// and the black ground. Clipped to the buffer.
void paintOutline(const PixelBuffer& target, const PixelRect& box);

// True for the pixels that a diagonal-cross brush paints.
constexpr bool isHatchPixel(int x, int y) { return ((x - y) & 7) == 0 || ((x + y) & 7) == 7; }

}  // namespace kadro
