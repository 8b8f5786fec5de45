// The look with edges, and the cube and face under a point: the model's answer for every pixel
// agrees with a frame whose every face is drawn in a colour of its own.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <vector>

#include "model/cube_under.h"
#include "render/frame_renderer.h"
#include "scenes.h"

using namespace kadro;
using kadro::testing::SceneModel;

namespace {

struct Frame {
    std::vector<Pixel> pixels = std::vector<Pixel>(kDrawingWidth * kDrawingHeight);
    PixelBuffer buffer() { return {pixels.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth}; }
    Pixel at(int x, int y) const { return pixels[static_cast<size_t>(y) * kDrawingWidth + x]; }
};

}  // namespace

// With the grid hidden, the edged frame covers the very pixels the designed one does, no edge
// is the ground's black, and a cube's three faces and its edges are four colours.
TEST(EdgedLook, CoversWhatTheDesignedFrameCoversInFourColoursACube) {
    auto renderer = std::make_unique<FrameRenderer>();
    Frame designed, edged;
    for (int size : {2, 5, 11, 20}) {
        SceneModel scene(size);
        scene.random(static_cast<uint32_t>(size), 0.4);
        scene.state.gridVisible = false;
        scene.state.currentLayer = 1 + size / 3;
        renderer->draw(designed.buffer(), scene.state, *scene.grid, 550, 580);
        renderer->draw(edged.buffer(), scene.state, *scene.grid, 550, 580, kEverywhere,
                       Look::Edged);
        for (int y = 0; y < kDrawingHeight; ++y)
            for (int x = 0; x < kDrawingWidth; ++x)
                ASSERT_EQ(designed.at(x, y) == colours::black, edged.at(x, y) == colours::black)
                    << "size " << size << " at (" << x << ", " << y << ")";
    }
    for (int code = 1; code <= kColourCount; ++code) {
        const Pixel own = colourOfCode(code);
        EXPECT_EQ(
            (std::set<Pixel>{own, lighter(own), darker(own), edgeColour, colours::black}.size()),
            5u)
            << "colour " << code;
    }
}

TEST(EdgedLook, TheCubeAndFaceUnderEveryPointAreTheOnesDrawnThere) {
    auto renderer = std::make_unique<FrameRenderer>();
    Frame owners;
    std::mt19937 generator(45);
    for (int size : {2, 5, 10, 20}) {
        SceneModel scene(size);
        scene.random(static_cast<uint32_t>(100 + size), 0.35);
        scene.state.currentLayer = std::uniform_int_distribution<int>(1, size)(generator);
        renderer->drawFaceOwners(owners.buffer(), scene.state, *scene.grid, 550, 580);
        int faces = 0;
        for (int y = 0; y < kDrawingHeight; ++y) {
            for (int x = 0; x < kDrawingWidth; ++x) {
                const std::optional<CubeFace> under = cubeUnder(scene.state, *scene.grid, x, y);
                const Pixel found = under ? FrameRenderer::faceOwner(
                                                under->cube.column, under->cube.row,
                                                under->cube.layer, static_cast<int>(under->face))
                                          : FrameRenderer::kNoOwner;
                ASSERT_EQ(found, owners.at(x, y))
                    << "size " << size << " at (" << x << ", " << y << ")";
                faces += found != FrameRenderer::kNoOwner;
            }
        }
        EXPECT_GT(faces, 1000) << "size " << size;
    }
    const CubeCell cube{3, 4, 5};
    EXPECT_EQ(besideFace({cube, Face::Front}), (CubeCell{3, 4, 4}));
    EXPECT_EQ(besideFace({cube, Face::Upper}), (CubeCell{3, 5, 5}));
    EXPECT_EQ(besideFace({cube, Face::Right}), (CubeCell{4, 4, 5}));
}

// A build sheet's course picture: exactly the cubes up to the course, every layer, no grid and no
// preview; the course's cubes in their colours, those below faded.
TEST(EdgedLook, ACoursePictureShowsTheCubesUpToItsCourseTheOnesBelowFaded) {
    auto renderer = std::make_unique<FrameRenderer>();
    Frame picture, owners;
    for (int size : {3, 10, 20}) {
        SceneModel scene(size);
        scene.random(static_cast<uint32_t>(size), 0.5);
        scene.state.currentLayer = size;  // cut away in the window: the picture shows every layer
        const int course = size / 2;
        renderer->drawCourse(picture.buffer(), scene.state, *scene.grid, course, FrameRenderer::Fade::Below);
        SceneModel upTo(size);
        *upTo.grid = *scene.grid;
        upTo.forEachCell([&](int, int r, int, GridCell& cell) { if (r > course) cell.colour = 0.0f; });
        upTo.state.currentLayer = 1;
        renderer->drawFaceOwners(owners.buffer(), upTo.state, *upTo.grid, kDrawingWidth, kDrawingHeight);
        for (int y = 0; y < kDrawingHeight; ++y) {
            for (int x = 0; x < kDrawingWidth; ++x) {
                const Pixel owner = owners.at(x, y), shown = picture.at(x, y);
                ASSERT_EQ(owner == FrameRenderer::kNoOwner, shown == colours::black)
                    << "size " << size << " at (" << x << ", " << y << ")";
                if (owner == FrameRenderer::kNoOwner) continue;
                const std::optional<CubeFace> under = cubeUnder(upTo.state, *upTo.grid, x, y);
                ASSERT_TRUE(under);
                const Pixel own = colourOfCode(static_cast<int>(
                    upTo.grid->at(under->cube.column, under->cube.row, under->cube.layer).colour));
                std::set<Pixel> look{own, lighter(own), darker(own), edgeColour};
                if (under->cube.row < course) look = {faded(own), faded(lighter(own)), faded(darker(own)), faded(edgeColour)};
                ASSERT_TRUE(look.count(shown)) << "size " << size << " at (" << x << ", " << y << ")";
            }
        }
    }
}
