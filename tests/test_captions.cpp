#include <gtest/gtest.h>

#include "scenes.h"
#include "ui/captions.h"
#include "ui/placement.h"

using namespace kadro;

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
