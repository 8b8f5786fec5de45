#include <gtest/gtest.h>

#include "scenes.h"
#include "ui/form/captions.h"
#include "ui/platform/display_scale.h"
#include "ui/form/placement.h"

using namespace kadro;
using kadro::Area;

TEST(Captions, StartUpShowsLayerOneAndSizeTen) {
    kadro::testing::SceneModel model(10);
    const ViewState& s = model.state;
    EXPECT_EQ(intToText(s.currentLayer), "1");
    EXPECT_EQ(floatToText(s.gridDepth), "10");
}

TEST(Captions, LabelTexts) {
    EXPECT_EQ(floatToText(2.0f), "2");
    EXPECT_EQ(floatToText(20.0f), "20");
    EXPECT_EQ(floatToText(2.5f), "2.5");
    EXPECT_EQ(intToText(-37), "-37");
}

TEST(Placement, StartPositionTruncatesTowardZero) {
    const struct {
        int width, height, left, top;
    } cases[] = {{1024, 768, 205, 106}, {800, 600, 93, 22}, {1280, 1024, 333, 234}, {640, 480, 13, -37}};
    for (const auto& c : cases) {
        const WindowPosition p = startPosition(c.width, c.height);
        EXPECT_EQ(p.left, c.left) << c.width << "x" << c.height;
        EXPECT_EQ(p.top, c.top) << c.width << "x" << c.height;
    }
}

// The window's corner and close mark stay on the screen it opens on, whatever its size and
// origin; where everything fits, the position is the centred one above.
TEST(Placement, TheWindowStaysReachableOnSmallAndSecondScreens) {
    const Extent controls{550, 577};
    const struct {
        Area screen, available;
        int left, top;
    } cases[] = {
        {{0, 0, 1024, 768}, {0, 0, 1024, 768}, 205, 106},      // as always
        {{0, 0, 800, 600}, {0, 0, 800, 600}, 93, 22},          // the controls just fit
        {{0, 0, 640, 480}, {0, 0, 640, 480}, 13, 0},           // the top shows, with the close mark
        {{0, 0, 400, 300}, {0, 0, 400, 300}, 0, 0},            // as much as fits from the corner
        {{1024, 0, 800, 600}, {1024, 0, 800, 600}, 1117, 22},  // a second screen to the right
        {{0, -600, 800, 600}, {0, -600, 800, 600}, 93, -578},  // one above the first
        {{0, 0, 800, 600}, {0, 30, 800, 570}, 93, 30},         // a panel along the top
        {{0, 0, 800, 600}, {0, 0, 800, 560}, 93, 0},           // one along the bottom
    };
    for (const auto& c : cases) {
        const WindowPosition p = placeOnScreen(c.screen, c.available, controls);
        EXPECT_EQ(p.left, c.left) << c.screen.left << "," << c.screen.top << " " << c.available.width << "x"
                                  << c.available.height;
        EXPECT_EQ(p.top, c.top) << c.screen.left << "," << c.screen.top << " " << c.available.width << "x"
                                << c.available.height;
    }
}

// A user's scale that cannot work once gave no window, or a 32767-pixel one.
TEST(DisplayScale, AUsersOwnScaleMustBeASensibleNumber) {
    for (const char* sane : {"1", "2", "0.5", "8", "1.25", " 2 ", "1;2", "HDMI-1=2;DP-1=1.5", "1,2"})
        EXPECT_TRUE(sensibleScale(sane)) << sane;
    for (const char* absurd : {"0", "1e-9", "nan", "inf", "-1", "1000", "1e9", "", "two", "1;0", "DP-1=1e9", "2x"})
        EXPECT_FALSE(sensibleScale(absurd)) << absurd;
}

TEST(DisplayScale, WholeNumbersFromTheDensityAndNeverLargerThanFits) {
    const struct {
        int resourceDpi;
        double physicalDpi;
        int width, height, scale;
    } cases[] = {
        {0, 96, 1920, 1080, 1},     {0, 0, 1920, 1080, 1},      // nothing known: 1
        {192, 96, 2400, 1600, 2},   {0, 192.5, 2400, 1600, 2},  // Xft.dpi first, else the screen's own
        {120, 0, 2400, 1600, 1},    {144, 0, 2400, 1600, 2},    // rounded, never a fraction
        {192, 0, 1024, 768, 1},     {288, 0, 2400, 1600, 2},    // lowered until 550 x 580 fits
        {288, 0, 3840, 2160, 3},    {192, 0, 1100, 1160, 2},
        // Absurd densities count as unknown, and no product overflows (550 * 10416667 once did).
        {1000000000, 0, 3840, 2160, 1}, {2147483647, 96, 3840, 2160, 1},
        {1000000000, 192, 2400, 1600, 2}, {10, 192, 2400, 1600, 2},
        {0, 1e12, 2147483647, 2147483647, 1}, {-5, -96, 1920, 1080, 1},
    };
    for (const auto& c : cases) {
        const DisplayDensity display{c.resourceDpi, c.physicalDpi, c.width, c.height};
        EXPECT_EQ(displayScale(display, 550, 580), c.scale)
            << c.resourceDpi << " / " << c.physicalDpi << " dpi on " << c.width << " x " << c.height;
    }
}
