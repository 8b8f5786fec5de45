// The program's renderer against the rectangle-by-rectangle reference.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "allocation_hooks.h"
#include "model/animation.h"
#include "reference_frame.h"
#include "render/frame_inputs.h"
#include "render/frame_renderer.h"
#include "scenes.h"

using namespace kadro;
using kadro::reference::drawFrameByRectangles;
using kadro::testing::allocations;
using kadro::testing::SceneModel;

namespace {

struct Frames {
    // Both start from the same leftover picture, since unpainted pixels keep it.
    explicit Frames(uint32_t seed) : reference(kDrawingWidth * kDrawingHeight), rendered(reference.size()) {
        std::mt19937 generator(seed);
        for (Pixel& p : reference) p = 0xFF000000u | (generator() & 0xFFFFFF);
        rendered = reference;
    }
    // Empty when the pictures agree, else the first differing pixel.
    std::string compare(const SceneModel& scene, int windowWidth = 550, int windowHeight = 580) {
        Canvas canvas({reference.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth});
        drawFrameByRectangles(canvas, scene.state, *scene.grid, windowWidth, windowHeight);
        renderer->draw({rendered.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth}, scene.state, *scene.grid,
                       windowWidth, windowHeight);
        for (size_t i = 0; i < rendered.size(); ++i)
            if (rendered[i] != reference[i])
                return "first difference at (" + std::to_string(i % kDrawingWidth) + ", " +
                       std::to_string(i / kDrawingWidth) + ")";
        return "";
    }
    std::vector<Pixel> reference, rendered;
    std::unique_ptr<FrameRenderer> renderer = std::make_unique<FrameRenderer>();
};

}  // namespace

TEST(FrameRenderer, SameAsReferenceForFullBlocksAtEverySize) {
    Frames frames(1);
    for (int size = kMinSize; size <= kMaxSize; ++size) {
        SceneModel scene(size);
        scene.stripes();
        for (int layer : {1, 2, size}) {
            for (bool grid : {true, false}) {
                scene.state.currentLayer = layer;
                scene.state.gridVisible = grid;
                scene.state.currentColour = 1 + (size + layer) % 5;
                ASSERT_EQ(frames.compare(scene), "") << "size " << size << " layer " << layer << " grid " << grid;
            }
        }
    }
}

TEST(FrameRenderer, SameAsReferenceForRandomBlocksAtEverySizeAndLayer) {
    Frames frames(2);
    for (int size = kMinSize; size <= kMaxSize; ++size) {
        for (int layer = 1; layer <= size; ++layer) {
            SceneModel scene(size);
            const uint32_t seed = static_cast<uint32_t>(size * 100 + layer);
            scene.random(seed, 0.2 + 0.6 * ((seed * 7919) % 100) / 100.0);
            scene.state.currentLayer = layer;
            scene.state.gridVisible = layer % 3 != 0;
            scene.state.eraseMode = layer % 2 == 1;
            scene.state.currentColour = 1 + seed % 5;
            ASSERT_EQ(frames.compare(scene), "") << "size " << size << " layer " << layer << " seed " << seed;
        }
    }
}

TEST(FrameRenderer, SameAsReferenceForEmptyGridsErasingAndAfterAColourCyclePass) {
    Frames frames(3);
    for (int size = kMinSize; size <= kMaxSize; ++size) {
        SceneModel scene(size);
        scene.state.eraseMode = true;
        ASSERT_EQ(frames.compare(scene), "") << "empty, size " << size;
        scene.state.cyclePhase = size % 6;  // phase 0 leaves cell (0, 0, 0) empty
        colourCycleStep(scene.state, *scene.grid, false);
        scene.state.eraseMode = false;
        ASSERT_EQ(frames.compare(scene), "") << "cycled, size " << size;
    }
}

TEST(FrameRenderer, SameAsReferenceForOddWindowSizesAndNoVisibleLayer) {
    Frames frames(4);
    SceneModel scene(9);
    scene.random(9, 0.5);
    for (auto [width, height] : {std::pair{550, 580}, {300, 200}, {0, 0}, {800, 600}, {-20, 100}}) {
        ASSERT_EQ(frames.compare(scene, width, height), "") << width << " x " << height;
    }
    scene.state.currentLayer = 10;  // past the depth: only the preview and the clearing
    ASSERT_EQ(frames.compare(scene), "");
}

TEST(FrameRenderer, SameAsReferenceOnABufferWiderThanTheDrawingArea) {
    std::vector<Pixel> reference(1100 * 50, colours::black), rendered = reference;
    SceneModel scene(10);
    scene.stripes();
    Canvas canvas({reference.data(), 1100, 50, 1100});
    drawFrameByRectangles(canvas, scene.state, *scene.grid, 1100, 50);
    auto renderer = std::make_unique<FrameRenderer>();
    renderer->draw({rendered.data(), 1100, 50, 1100}, scene.state, *scene.grid, 1100, 50);
    EXPECT_EQ(rendered, reference);
}

TEST(FrameRenderer, SameAsReferenceForEmptyLayersAtEverySizeAndLayer) {
    Frames frames(5);
    for (int size = kMinSize; size <= kMaxSize; ++size) {
        SceneModel empty(size);
        SceneModel mixed(size);
        mixed.random(static_cast<uint32_t>(size), 0.4);
        // Some layers wholly empty, so empty and filled layers take turns.
        mixed.forEachCell([](int, int, int l, GridCell& cell) {
            if (l % 3 != 1) cell.colour = 0.0f;
        });
        for (int layer = 1; layer <= size; ++layer) {
            for (SceneModel* scene : {&empty, &mixed}) {
                scene->state.currentLayer = layer;
                ASSERT_EQ(frames.compare(*scene), "") << "size " << size << " layer " << layer
                                                      << (scene == &empty ? " empty" : " mixed");
            }
        }
    }
}

// Cells away from where the layout pass puts them: no table of anchors and no cell hidden
// behind another can be assumed, and stacks may run off the buffer on any side.
TEST(FrameRenderer, SameAsReferenceWhenCellsAreNotWhereTheLayoutPutThem) {
    Frames frames(6);
    std::mt19937 generator(6);
    for (int size : {2, 3, 7, 12, 20}) {
        SceneModel scene(size);
        scene.random(static_cast<uint32_t>(size), 0.6);
        // One cell moved, then many, some far off the drawing area.
        scene.grid->at(size / 2, size / 2, 2).screenX += 5.0f;
        ASSERT_EQ(frames.compare(scene), "") << "one cell moved, size " << size;
        std::uniform_real_distribution<float> shift(-300.0f, 300.0f);
        scene.forEachCell([&](int c, int, int, GridCell& cell) {
            if (c % 3 == 0) {
                cell.screenX += shift(generator);
                cell.screenY += shift(generator);
            }
        });
        ASSERT_EQ(frames.compare(scene), "") << "cells scattered, size " << size;
    }
    // A cell whose stored layer is not its place in the grid.
    SceneModel scene(8);
    scene.stripes();
    scene.grid->at(3, 3, 3).layer = 5.0f;
    ASSERT_EQ(frames.compare(scene), "");
}

// Laid out for one size while the extents already follow another: the cells still line up
// by column and row, but a cell two layers back no longer sits exactly behind a nearer one.
TEST(FrameRenderer, SameAsReferenceWhenTheLayoutIsForAnotherSize) {
    Frames frames(7);
    for (auto [laidOut, shown] : {std::pair{10, 12}, {12, 10}, {20, 19}, {5, 3}, {3, 20}}) {
        SceneModel scene(laidOut);
        scene.stripes();
        scene.random(static_cast<uint32_t>(laidOut * 31 + shown), 0.7);
        updateExtents(scene.state, shown, kZoomPositionAfterReset);
        for (int layer : {1, 2, 3}) {
            scene.state.currentLayer = layer;
            ASSERT_EQ(frames.compare(scene), "") << "laid out for " << laidOut << ", shown at " << shown
                                                 << ", layer " << layer;
        }
    }
}

// Still lined up by column and row, but partly off the buffer, or with cells too small to have
// an inside.
TEST(FrameRenderer, SameAsReferenceForLinedUpCellsOffTheBufferOrTiny) {
    Frames frames(8);
    for (auto [dx, dy] : {std::pair{-200.0f, -300.0f}, {-395.0f, 0.0f}, {300.0f, 100.0f}, {0.0f, -380.0f}}) {
        SceneModel scene(6);
        scene.random(11, 0.5);
        scene.forEachCell([&](int, int, int, GridCell& cell) {
            cell.screenX += dx;
            cell.screenY += dy;
        });
        for (bool erase : {false, true}) {
            scene.state.eraseMode = erase;
            ASSERT_EQ(frames.compare(scene), "") << "moved by " << dx << ", " << dy;
        }
    }
    for (float cellSize : {2.5f, 1.0f, 3.0f}) {
        SceneModel scene(12);
        scene.random(12, 0.3);
        scene.state.cellSize = cellSize;
        ASSERT_EQ(frames.compare(scene), "") << "cell size " << cellSize;
        scene.forEachCell([&](int, int, int, GridCell& cell) { cell.screenX -= 11.0f; });  // cut by the left edge
        ASSERT_EQ(frames.compare(scene), "") << "cell size " << cellSize << ", at the left edge";
    }
}

// The renderer runs every 10 ms: once made, it allocates nothing, whatever the scene.
TEST(FrameRenderer, DrawsWithoutAllocating) {
    SceneModel full(20), mixed(10), empty(2), moved(7);
    full.stripes();
    mixed.random(3, 0.5);
    moved.random(4, 0.5);
    moved.grid->at(1, 1, 1).screenX += 3.0f;  // drawn cell by cell
    std::vector<Pixel> pixels(kDrawingWidth * kDrawingHeight);
    auto renderer = std::make_unique<FrameRenderer>();
    const long before = allocations;
    for (SceneModel* scene : {&full, &mixed, &empty, &moved}) {
        for (bool erase : {false, true}) {
            scene->state.eraseMode = erase;
            renderer->draw({pixels.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth}, scene->state, *scene->grid,
                           550, 580);
        }
    }
    EXPECT_EQ(allocations - before, 0);
    const std::vector<int> probe(3);  // and the count does see an allocation
    EXPECT_GT(allocations - before, 0);
}

// The look with edges allocates nothing either.
TEST(FrameRenderer, DrawsEdgedWithoutAllocating) {
    SceneModel full(20), half(20);
    full.stripes();
    half.random(7, 0.5);
    std::vector<Pixel> pixels(kDrawingWidth * kDrawingHeight);
    auto renderer = std::make_unique<FrameRenderer>();
    const long before = allocations;
    for (SceneModel* scene : {&full, &half})
        renderer->draw({pixels.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth}, scene->state,
                       *scene->grid, 550, 580, kEverywhere, Look::Edged);
    EXPECT_EQ(allocations - before, 0);
}

// Drawn within a rectangle: inside it the full frame's pixels, outside it what was there.
TEST(FrameRenderer, DrawnWithinARectangleTouchesThatRectangleOnly) {
    std::mt19937 generator(9);
    for (int size : {2, 5, 13, 20}) {
        SceneModel scene(size);
        scene.random(static_cast<uint32_t>(size), 0.4);
        Frames whole(size), part(size);
        whole.renderer->draw({whole.rendered.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth},
                             scene.state, *scene.grid, 550, 580);
        for (int round = 0; round < 40; ++round) {
            std::uniform_int_distribution<int> x(-20, kDrawingWidth + 20),
                y(-20, kDrawingHeight + 20);
            const PixelRect within{x(generator), y(generator), x(generator), y(generator)};
            std::vector<Pixel> pixels = part.reference;
            part.renderer->draw({pixels.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth},
                                scene.state, *scene.grid, 550, 580, within);
            for (int i = 0; i < kDrawingWidth * kDrawingHeight; ++i) {
                const int px = i % kDrawingWidth, py = i / kDrawingWidth;
                const bool inside = px >= within.left && px < within.right && py >= within.top &&
                                    py < within.bottom;
                ASSERT_EQ(pixels[i], inside ? whole.rendered[i] : part.reference[i])
                    << "size " << size << " at (" << px << ", " << py << ")";
            }
        }
    }
}

// Frame after frame of edits, each drawn only where its inputs say it can differ from the last,
// gives the frames drawn whole.
TEST(FrameRenderer, FramesDrawnOnlyWhereTheyCanDifferAreTheWholeFrames) {
    std::mt19937 generator(10);
    for (int size : {2, 5, 10, 20}) {
        SceneModel scene(size);
        scene.random(static_cast<uint32_t>(size) + 40, 0.3);
        std::vector<Pixel> whole(kDrawingWidth * kDrawingHeight), partial(whole.size());
        FrameRenderer wholeRenderer, partialRenderer;
        FrameInputs inputs;
        uint64_t changes = 0;
        std::uniform_int_distribution<int> cell(0, size - 1), code(0, 5), kind(0, 10);
        for (int frame = 0; frame < 60; ++frame) {
            const int what = kind(generator);
            if (what < 6) {  // a few cells
                for (int n = 0; n <= what % 3; ++n)
                    scene.grid->at(cell(generator), cell(generator), 1 + cell(generator)).colour =
                        float(code(generator));
            } else if (what == 6) {  // a cell off its place and back
                scene.grid->at(cell(generator), cell(generator), 1 + cell(generator)).screenX +=
                    frame % 2 ? 7.0f : -7.0f;
            } else if (what == 7) {
                scene.state.currentLayer = 1 + cell(generator);
            } else if (what == 8) {
                scene.state.eraseMode = !scene.state.eraseMode;
            } else if (what == 9) {  // every cell, as the whole-model operations do
                scene.random(static_cast<uint32_t>(frame), 0.3);
            }  // else nothing changed
            ++changes;
            if (inputs.unchanged(scene.state, *scene.grid, changes, 550, 580)) continue;
            wholeRenderer.draw({whole.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth},
                               scene.state, *scene.grid, 550, 580);
            partialRenderer.draw({partial.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth},
                                 scene.state, *scene.grid, 550, 580, inputs.changedArea());
            ASSERT_EQ(partial, whole)
                << "size " << size << ", frame " << frame << ", change " << what;
        }
    }
}

// The owners frame names, at every pixel, the cube whose colour the frame shows there (the grid
// pattern left out); elsewhere the frame shows the black ground or the preview.
TEST(FrameRenderer, OwnersNameTheCubeEveryPixelShows) {
    for (int size : {2, 5, 10, 20}) {
        SceneModel scene(size);
        scene.random(static_cast<uint32_t>(size) + 70, 0.3);
        scene.state.currentLayer = 1 + size / 3;
        scene.state.gridVisible = false;
        // Past the window's width nothing is drawn: black there, as the drawing area starts.
        std::vector<Pixel> picture(kDrawingWidth * kDrawingHeight, colours::black),
            owners(picture.size());
        FrameRenderer renderer;
        renderer.draw({picture.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth}, scene.state,
                      *scene.grid, 550, 580);
        renderer.drawOwners({owners.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth},
                            scene.state, *scene.grid, 550, 580);
        std::vector<Pixel> colourOf(
            FrameRenderer::cellOwner(kGridSide - 1, kGridSide - 1, kGridSide - 1) + 1,
            colours::black);
        scene.forEachCell([&](int c, int r, int l, GridCell& cell) {
            colourOf[FrameRenderer::cellOwner(c, r, l)] =
                colourOfCode(static_cast<int>(cell.colour));
        });
        const Pixel preview = colourOfCode(scene.state.currentColour);
        int named = 0;
        for (size_t i = 0; i < owners.size(); ++i) {
            if (owners[i] == FrameRenderer::kNoOwner) {
                ASSERT_TRUE(picture[i] == colours::black || picture[i] == preview)
                    << "size " << size << " pixel " << i;
                continue;
            }
            ASSERT_EQ(picture[i], colourOf[owners[i]]) << "size " << size << " pixel " << i;
            ++named;
        }
        EXPECT_GT(named, 0);
    }
}
