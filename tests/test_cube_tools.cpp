// The tools that act on the cube the picture shows under the pointer (A attach, C colour), and
// O's look with edges, through the window's own events on a 5-block.
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include "form_fixture.h"
#include "model/cube_under.h"
#include "model/projection.h"
#include "ui/additions/reach/speech.h"

using namespace kadro;

namespace {

struct Window : ActiveWindow {
    Window() {
        form->Button2Click(form->Button2);  // CLEAR
        form->ScrollBar4->setValue(5);
        tick();
        key(Qt::Key_5);  // red
        tick();
    }
    void put(int column, int row, int layer, float colour = 1.0f) {
        grid->at(column, row, layer).colour = colour;
        form->wake();
        tick();
    }
    // A point where the picture shows that face of that cube.
    QPoint on(CubeCell cube, Face face) const {
        for (int y = 0; y < kDrawingHeight; ++y)
            for (int x = 0; x < kDrawingWidth; ++x) {
                const std::optional<CubeFace> under = cubeUnder(state, *grid, x, y);
                if (under && under->cube == cube && under->face == face) return {x, y};
            }
        ADD_FAILURE() << "no such face shows";
        return {};
    }
    void click(QPoint at) {
        mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
        tick();
    }
    float at(int column, int row, int layer) const { return grid->at(column, row, layer).colour; }
    size_t steps() const { return form->history().undoSteps(); }
    QString said() const { return additions.speech->lastSaid(); }
};

}  // namespace

TEST(CubeTools, AttachPutsACubeOnTheFacePressedOrSaysWhyNot) {
    Window w;
    w.put(2, 0, 3);
    const size_t before = w.steps();
    w.key(Qt::Key_A);
    w.click(w.on({2, 0, 3}, Face::Upper));
    EXPECT_EQ(w.at(2, 1, 3), 5.0f);
    w.click(w.on({2, 0, 3}, Face::Right));
    EXPECT_EQ(w.at(3, 0, 3), 5.0f);
    w.click(w.on({3, 0, 3}, Face::Right));
    EXPECT_EQ(w.at(4, 0, 3), 5.0f);
    EXPECT_EQ(w.steps(), before + 3);
    // The edge of the block, and a cell taken (one cut away from view too).
    w.click(w.on({4, 0, 3}, Face::Right));
    EXPECT_EQ(w.said(), "No room to the right");
    w.put(2, 0, 2, 3.0f);
    w.form->UpDown1->click(UpDownButton::Up);
    w.form->UpDown1->click(UpDownButton::Up);  // layer 3: layer 2 cut away
    w.tick();
    w.click(w.on({2, 1, 3}, Face::Front));
    EXPECT_EQ(w.at(2, 1, 2), 5.0f);  // in front of the cut: placed, and the layer comes to it
    EXPECT_EQ(w.state.currentLayer, 2);
    w.click(w.on({2, 0, 2}, Face::Upper));
    EXPECT_EQ(w.said(), "No room above: row 2 holds red there");
    EXPECT_EQ(w.steps(), before + 4);
    // Undo takes the cube back and leaves the layer.
    w.key(Qt::Key_Z, Qt::ControlModifier);
    w.tick();
    EXPECT_EQ(w.at(2, 1, 2), 0.0f);
    EXPECT_EQ(w.state.currentLayer, 2);
    // Erasing, a press removes the cube pressed; on no cube, the press is the place tool's.
    w.key(Qt::Key_E);
    w.click(w.on({4, 0, 3}, Face::Upper));
    EXPECT_EQ(w.at(4, 0, 3), 0.0f);
    w.key(Qt::Key_E);
    const Point empty = topFaceCentre(w.state, 0, 4);
    w.click({empty.x, empty.y});
    EXPECT_EQ(w.at(0, 4, 2), 5.0f);
}

TEST(CubeTools, ColourPaintsThePressedCubeOrADragAsOneStep) {
    Window w;
    w.put(0, 0, 1);
    w.put(3, 0, 4);
    w.put(3, 3, 2);
    w.key(Qt::Key_C);
    const size_t before = w.steps();
    w.click(w.on({3, 0, 4}, Face::Front));
    EXPECT_EQ(w.at(3, 0, 4), 5.0f);
    EXPECT_EQ(w.steps(), before + 1);
    w.key(Qt::Key_3);  // aqua
    w.tick();
    const QPoint from = w.on({0, 0, 1}, Face::Front), to = w.on({3, 3, 2}, Face::Right);
    w.mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    w.mouse(QEvent::MouseMove, to, Qt::LeftButton);
    w.mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    w.tick();
    EXPECT_EQ(w.at(0, 0, 1), 3.0f);
    EXPECT_EQ(w.at(3, 3, 2), 3.0f);
    EXPECT_EQ(w.at(3, 0, 4), 5.0f);  // not passed over
    EXPECT_EQ(w.steps(), before + 2);
    EXPECT_EQ(w.said(), "Colour: 2 cubes now aqua");
    // On no cube, nothing.
    w.click({5, 5});
    EXPECT_EQ(w.steps(), before + 2);
}

TEST(CubeTools, EdgesOnAndOffGiveBackTheDesignedPicture) {
    Window w;
    w.put(1, 1, 1);
    w.put(2, 1, 3, 2.0f);
    const std::vector<uint32_t> designed(w.form->Image1->canvas().target().pixels,
                                         w.form->Image1->canvas().target().pixels +
                                             kDrawingWidth * kDrawingHeight);
    const auto picture = [&] {
        const Pixel* pixels = w.form->Image1->canvas().target().pixels;
        return std::vector<uint32_t>(pixels, pixels + kDrawingWidth * kDrawingHeight);
    };
    w.key(Qt::Key_O);
    w.tick();
    EXPECT_NE(picture(), designed);
    EXPECT_EQ(w.said(), "Cubes with edges");
    w.key(Qt::Key_O);
    w.tick();
    EXPECT_EQ(picture(), designed);
    EXPECT_EQ(w.said(), "Cubes as designed");
}
