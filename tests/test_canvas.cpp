#include <gtest/gtest.h>

#include "picture.h"
#include "render/canvas.h"

using namespace kadro;
using kadro::testing::expectPicture;
using kadro::testing::TestImage;

namespace {

Canvas solidCanvas(TestImage& image, Pixel pen, Pixel brush) {
    Canvas canvas(image.buffer());
    canvas.setPenColour(pen);
    canvas.setBrushColour(brush);
    return canvas;
}

}  // namespace

TEST(Canvas, RectangleLeavesTheRightColumnAndBottomRowUnpainted) {
    TestImage image(7, 6);
    Canvas canvas = solidCanvas(image, colours::red, colours::yellow);
    canvas.Rectangle(1, 1, 6, 5);
    expectPicture(image, {
                             ".......",
                             ".RRRRR.",
                             ".RYYYR.",
                             ".RYYYR.",
                             ".RRRRR.",
                             ".......",
                         });
}

TEST(Canvas, CornersInAnyOrderPaintTheSameArea) {
    const int corners[][4] = {{1, 1, 6, 5}, {6, 5, 1, 1}, {1, 5, 6, 1}, {6, 1, 1, 5}};
    for (const auto& c : corners) {
        TestImage reference(7, 6), image(7, 6);
        solidCanvas(reference, colours::red, colours::yellow).Rectangle(1, 1, 6, 5);
        solidCanvas(image, colours::red, colours::yellow).Rectangle(c[0], c[1], c[2], c[3]);
        EXPECT_EQ(image.picture(), reference.picture()) << c[0] << "," << c[1] << "," << c[2] << "," << c[3];
    }
}

TEST(Canvas, ThinAndEmptyRectangles) {
    TestImage image(6, 4);
    Canvas canvas = solidCanvas(image, colours::red, colours::yellow);
    canvas.Rectangle(0, 0, 2, 3);  // two wide: all border
    canvas.Rectangle(3, 1, 4, 1);  // no height: nothing
    canvas.Rectangle(5, 0, 5, 4);  // no width: nothing
    canvas.Rectangle(3, 3, 6, 4);  // one high: all border
    expectPicture(image, {
                             "RR....",
                             "RR....",
                             "RR....",
                             "...RRR",
                         });
}

TEST(Canvas, ClipsAtEveryEdgeWithoutWritingOutside) {
    TestImage image(5, 5);
    Canvas canvas = solidCanvas(image, colours::red, colours::yellow);
    canvas.Rectangle(-3, -3, 2, 2);    // only its right and bottom border show
    canvas.Rectangle(4, 4, 9, 9);      // only its top-left corner shows
    canvas.Rectangle(-10, 2, 30, 4);   // a band wider than the image
    expectPicture(image, {
                             "YR...",
                             "RR...",
                             "RRRRR",
                             "RRRRR",
                             "....R",
                         });
    EXPECT_TRUE(image.guardIntact());

    // A wide band clipped left and right keeps its top and bottom borders only.
    TestImage band(4, 5);
    solidCanvas(band, colours::red, colours::yellow).Rectangle(-5, 0, 20, 5);
    expectPicture(band, {"RRRR", "YYYY", "YYYY", "YYYY", "RRRR"});
}

TEST(Canvas, SweepPastEveryEdgeNeverWritesOutsideAndPaintsExactlyTheClippedArea) {
    for (int x1 = -4; x1 <= 9; ++x1)
        for (int y1 = -4; y1 <= 9; ++y1)
            for (int w : {1, 2, 3, 7})
                for (int h : {1, 2, 5}) {
                    TestImage image(6, 5);
                    solidCanvas(image, colours::red, colours::red).Rectangle(x1, y1, x1 + w, y1 + h);
                    ASSERT_TRUE(image.guardIntact());
                    int painted = 0, expected = 0;
                    for (int y = 0; y < 5; ++y)
                        for (int x = 0; x < 6; ++x) {
                            painted += image.at(x, y) == colours::red;
                            expected += x >= x1 && x < x1 + w && y >= y1 && y < y1 + h;
                        }
                    ASSERT_EQ(painted, expected) << x1 << "," << y1 << " " << w << "x" << h;
                }
}

TEST(Canvas, CrossHatchPaintsOnlyTheDiagonalsInsideAndKeepsTheRest) {
    TestImage image(10, 10, 'Y');
    Canvas canvas = solidCanvas(image, colours::white, colours::navy);
    canvas.setBrushStyle(BrushStyle::DiagonalCross);
    canvas.Rectangle(0, 0, 10, 10);
    // Hatch pixels: (x - y) mod 8 == 0 or (x + y) mod 8 == 7; everything else keeps yellow.
    expectPicture(image, {
                             "WWWWWWWWWW",
                             "WnYYYYnYYW",
                             "WYnYYnYYYW",
                             "WYYnnYYYYW",
                             "WYYnnYYYYW",
                             "WYnYYnYYYW",
                             "WnYYYYnYYW",
                             "WYYYYYYnnW",
                             "WYYYYYYnnW",
                             "WWWWWWWWWW",
                         });
}

TEST(Canvas, HatchIsAlignedToTheBufferNotToTheRectangle) {
    for (int left = 0; left < 8; ++left) {
        TestImage image(20, 20);
        Canvas canvas = solidCanvas(image, colours::white, colours::grey);
        canvas.setBrushStyle(BrushStyle::DiagonalCross);
        canvas.Rectangle(left, 3, left + 9, 15);
        for (int y = 4; y < 14; ++y)
            for (int x = left + 1; x < left + 8; ++x)
                ASSERT_EQ(image.at(x, y) == colours::grey, isHatchPixel(x, y)) << x << "," << y;
    }
    EXPECT_TRUE(isHatchPixel(-1, 7));  // (x - y) mod 8 taken as non-negative
    EXPECT_TRUE(isHatchPixel(0, -1));  // (x + y) mod 8 == 7 for x + y == -1
}

TEST(Canvas, ColourCodesMapToThePaletteColours) {
    EXPECT_EQ(colourOfCode(1), rgb(255, 255, 0));
    EXPECT_EQ(colourOfCode(2), rgb(0, 255, 0));
    EXPECT_EQ(colourOfCode(3), rgb(0, 255, 255));
    EXPECT_EQ(colourOfCode(4), rgb(255, 0, 255));
    EXPECT_EQ(colourOfCode(5), rgb(255, 0, 0));
    EXPECT_EQ(colourOfCode(0), colours::black);
    EXPECT_EQ(colourOfCode(6), colours::black);
}

// What the screen must repaint after a frame: the smallest rectangle around every changed pixel,
// for changes at the edges as much as inside; the copy then equals the frame.
TEST(Canvas, CopyChangesFindsTheRectangleAroundEveryChangedPixel) {
    TestImage shown(6, 4), now(6, 4);
    EXPECT_TRUE(copyChanges(now.buffer(), shown.buffer()).empty());
    const struct {
        std::vector<std::pair<int, int>> changed;
        PixelRect rectangle;
    } cases[] = {
        {{{2, 1}}, {2, 1, 3, 2}},
        {{{0, 0}, {5, 3}}, {0, 0, 6, 4}},
        {{{4, 0}, {1, 2}}, {1, 0, 5, 3}},
        {{{5, 2}}, {5, 2, 6, 3}},
    };
    for (const auto& c : cases) {
        for (auto [x, y] : c.changed) now.at(x, y) = now.at(x, y) == colours::red ? colours::lime : colours::red;
        EXPECT_EQ(copyChanges(now.buffer(), shown.buffer()), c.rectangle);
        EXPECT_EQ(shown.picture(), now.picture());
        EXPECT_TRUE(shown.guardIntact());
        EXPECT_TRUE(copyChanges(now.buffer(), shown.buffer()).empty());
    }
}
