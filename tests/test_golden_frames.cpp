// Whole frames compared pixel for pixel with pictures kept under tests/golden. Each picture was
// checked by eye once; run with KADRO_UPDATE_GOLDEN=1 to write them anew after a deliberate change.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <memory>
#include <vector>

#include "model/projection.h"
#include "render/frame_renderer.h"
#include "scenes.h"

using namespace kadro;
using kadro::testing::SceneModel;

namespace {

QImage renderFrame(const SceneModel& scene) {
    std::vector<Pixel> pixels(kDrawingWidth * kDrawingHeight, colours::black);
    auto renderer = std::make_unique<FrameRenderer>();
    renderer->draw({pixels.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth}, scene.state, *scene.grid, 550, 580);
    QImage image(kDrawingWidth, kDrawingHeight, QImage::Format_RGB32);
    for (int y = 0; y < kDrawingHeight; ++y)
        for (int x = 0; x < kDrawingWidth; ++x) image.setPixel(x, y, pixels[y * kDrawingWidth + x]);
    return image;
}

void expectGolden(const SceneModel& scene, const char* name) {
    const QImage actual = renderFrame(scene);
    const QString path = QString(KADRO_GOLDEN_DIR) + "/" + name + ".png";
    if (std::getenv("KADRO_UPDATE_GOLDEN")) {
        ASSERT_TRUE(actual.save(path));
        return;
    }
    const QImage expected = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "missing " << path.toStdString();
    ASSERT_EQ(expected.size(), actual.size());
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y) && differing++ == 0) firstX = x, firstY = y;
    EXPECT_EQ(differing, 0) << name << ": first difference at (" << firstX << ", " << firstY << ")";
    if (differing) actual.save(QString(name) + ".actual.png");
}

}  // namespace

TEST(GoldenFrames, FullStripedBlockOfSizeTwenty) {
    SceneModel scene(20);
    scene.stripes();
    expectGolden(scene, "size20_full");
}

TEST(GoldenFrames, SizeTwoWithOneEmptyCellAndHalfScalePreview) {
    SceneModel scene(2);
    scene.stripes();
    scene.grid->at(1, 1, 1).colour = 0.0f;
    scene.state.currentColour = 5;
    expectGolden(scene, "size2_full");
}

TEST(GoldenFrames, EmptyGridShowsThePattern) {
    SceneModel scene(10);
    expectGolden(scene, "size10_empty_grid");
}

TEST(GoldenFrames, RandomBlockFromLayerThreeWhileErasing) {
    SceneModel scene(7);
    scene.random(7, 0.5);
    scene.state.currentLayer = 3;
    scene.state.eraseMode = true;
    expectGolden(scene, "size7_random_layer3_erasing");
}
