#pragma once
// Small canvases written as pictures: one character a pixel, rows as strings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/canvas.h"

namespace kadro::testing {

// The palette's colours by their design letters; the other named colours by letters of their own.
inline char letterOf(Pixel p) {
    for (const PaletteEntry& entry : kPalette) {
        if (opaque(entry.rgb) == p) return entry.letter;
    }
    switch (p) {
        case colours::black: return '.';
        case colours::white: return 'W';
        case colours::grey: return 'g';
        case colours::navy: return 'n';
        default: return '?';
    }
}

inline Pixel pixelOf(char letter) {
    for (Pixel p : {colours::black, colours::white, colours::grey, colours::navy}) {
        if (letterOf(p) == letter) return p;
    }
    for (const PaletteEntry& entry : kPalette) {
        if (entry.letter == letter) return opaque(entry.rgb);
    }
    ADD_FAILURE() << "no colour for '" << letter << "'";
    return 0;
}

// A buffer with a margin of guard pixels around it, so writes past any edge are caught.
class TestImage {
public:
    TestImage(int width, int height, char fill = '.')
        : width_(width), height_(height), stride_(width + 2 * kGuard),
          memory_(static_cast<size_t>(stride_) * (height + 2 * kGuard), kGuardPixel) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) at(x, y) = pixelOf(fill);
    }
    PixelBuffer buffer() { return {&memory_[kGuard * stride_ + kGuard], width_, height_, stride_}; }
    Pixel& at(int x, int y) { return memory_[(y + kGuard) * stride_ + x + kGuard]; }

    std::vector<std::string> picture() {
        std::vector<std::string> rows;
        for (int y = 0; y < height_; ++y) {
            std::string row;
            for (int x = 0; x < width_; ++x) row += letterOf(at(x, y));
            rows.push_back(row);
        }
        return rows;
    }
    bool guardIntact() const {
        for (int y = 0; y < height_ + 2 * kGuard; ++y)
            for (int x = 0; x < stride_; ++x) {
                const bool inside = y >= kGuard && y < kGuard + height_ && x >= kGuard && x < kGuard + width_;
                if (!inside && memory_[y * stride_ + x] != kGuardPixel) return false;
            }
        return true;
    }

private:
    static constexpr int kGuard = 4;
    static constexpr Pixel kGuardPixel = 0x12345678;
    int width_, height_, stride_;
    std::vector<Pixel> memory_;
};

// Compares a picture row by row and reports the first differing pixel with its x, y.
inline void expectPicture(TestImage& image, const std::vector<std::string>& expected) {
    const std::vector<std::string> actual = image.picture();
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t y = 0; y < expected.size(); ++y) {
        ASSERT_EQ(actual[y].size(), expected[y].size());
        for (size_t x = 0; x < expected[y].size(); ++x) {
            if (actual[y][x] != expected[y][x]) {
                std::string all;
                for (const auto& row : actual) all += "  " + row + "\n";
                FAIL() << "pixel (" << x << ", " << y << "): expected '" << expected[y][x]
                       << "', got '" << actual[y][x] << "'; the picture is\n" << all;
            }
        }
    }
}

}  // namespace kadro::testing
