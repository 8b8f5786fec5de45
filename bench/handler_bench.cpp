// The main window's editing handlers as Qt delivers them (a mouse press on the drawing area, a
// click of CLEAR and FILL) on a full 20-block, before the start-up animation has ended (edits
// not recorded, as every edit was before undo existed) and after it (recorded for undo); a
// frame tick with nothing to draw; and a whole frame shown with and without the tools' outlines.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "model/animation.h"
#include "model/editing.h"
#include "model/projection.h"
#include "ui/form/Unit1.h"
#include "ui/main_window.h"
#include "ui/additions/tools/tools.h"

using namespace kadro;

namespace {

struct Window {
    explicit Window(bool recorded) {
        form = std::make_unique<TForm1>(state, *grid);
        form->FormCreate(form.get());
        form->Timer1->stop();
        form->Timer2->stop();
        form->ScrollBar4->setValue(20);
        state.cycleTicks = recorded ? kCycleFrames : 0;
        fillVisibleBlock(state, *grid);
    }
    ViewState state;
    std::unique_ptr<CellGrid> grid = std::make_unique<CellGrid>();
    std::unique_ptr<TForm1> form;
};

void press(benchmark::State& bench, bool recorded) {
    Window window(recorded);
    const QPoint at(10 + 13 * 3 + 13, 400 - 13 * 4 - 13);  // the top face of cell (3, 4)
    for (auto _ : bench) {
        window.state.currentColour =
            1 + window.state.currentColour % 5;  // every press changes the cell
        QTest::mousePress(window.form->Image1, Qt::LeftButton, {}, at);
        QTest::mouseRelease(window.form->Image1, Qt::LeftButton, {}, at);
    }
}

void fillAndClear(benchmark::State& bench, bool recorded) {
    Window window(recorded);
    for (auto _ : bench) {
        window.form->Button7->click();
        window.form->Button2->click();
    }
}

// A frame tick that finds nothing to draw, as the last one before the timer sleeps: on a full
// 20-block after one tick has drawn it.
void idleTick(benchmark::State& bench) {
    Window window(true);
    window.form->Timer1Timer(window.form->Timer1);
    for (auto _ : bench) window.form->Timer1Timer(window.form->Timer1);
}

// A whole frame drawn and shown (the grid pattern toggled, so every pixel of the picture changes)
// on a full 20-block in the window as the program shows it, with nothing outlined over the picture,
// and with the most the tools outline: a line of 20 cells being dragged with the mirror on (40
// cells), the mirror's marker and the hovered cell.
void wholeFrame(benchmark::State& bench, bool outlined) {
    Window window(true);
    const Additions additions = attachAdditions(*window.form, window.state, *window.grid);
    window.form->show();
    QApplication::setActiveWindow(window.form.get());
    QApplication::processEvents();
    TImage* area = window.form->Image1;
    const auto face = [&](int column, int row) {
        const Point p = topFaceCentre(window.state, column, row);
        return QPoint(p.x, p.y);
    };
    if (outlined) {
        QTest::keyClick(window.form.get(), Qt::Key_M);
        QTest::keyClick(window.form.get(), Qt::Key_L);
        QMouseEvent press(QEvent::MouseButtonPress, face(0, 0), area->mapToGlobal(face(0, 0)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &press);
        QMouseEvent move(QEvent::MouseMove, face(19, 19), area->mapToGlobal(face(19, 19)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &move);
    }
    window.form->Timer1Timer(window.form->Timer1);
    QApplication::processEvents();
    for (auto _ : bench) {
        window.form->Button3Click(window.form->Button3);
        window.form->Timer1Timer(window.form->Timer1);
    }
    bench.counters["outlined cells"] = static_cast<double>(additions.tools->pending().size());
}

// T turning a 3-D checkerboard at size 20 (every other cell filled, so every cube off the bottom
// row touches the others along edges only: 3,800 loose cubes), each turn drawn and shown, with
// the loose cubes outlined (Ctrl+L) or not.
void turnCheckerboard(benchmark::State& bench, bool outlined) {
    Window window(true);
    attachAdditions(*window.form, window.state, *window.grid);
    for (int c = 0; c < 20; ++c)
        for (int r = 0; r < 20; ++r)
            for (int l = 1; l <= 20; ++l)
                window.grid->at(c, r, l).colour = (c + r + l) % 2 ? 0.0f : 3.0f;
    window.form->wake();
    window.form->show();
    QApplication::setActiveWindow(window.form.get());
    window.form->Timer1Timer(window.form->Timer1);
    if (outlined) QTest::keyClick(window.form.get(), Qt::Key_L, Qt::ControlModifier);
    QApplication::processEvents();
    for (auto _ : bench) {
        QTest::keyClick(window.form.get(), Qt::Key_T);
        window.form->Timer1Timer(window.form->Timer1);
        QApplication::processEvents();  // the outlines' layer painted too
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    for (bool recorded : {false, true}) {
        const char* how = recorded ? "recorded" : "not recorded";
        benchmark::RegisterBenchmark((std::string("press on the drawing area/") + how).c_str(),
                                     press, recorded);
        benchmark::RegisterBenchmark((std::string("FILL + CLEAR, size 20/") + how).c_str(),
                                     fillAndClear, recorded)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("tick with nothing to draw, size 20", idleTick)
        ->Unit(benchmark::kMicrosecond);
    for (bool outlined : {false, true})
        benchmark::RegisterBenchmark(
            outlined ? "whole frame shown/tools' outlines" : "whole frame shown/nothing outlined",
            wholeFrame, outlined)
            ->Unit(benchmark::kMicrosecond);
    for (bool outlined : {false, true})
        benchmark::RegisterBenchmark(outlined
                                         ? "T on a checkerboard, size 20/3,800 loose cubes outlined"
                                         : "T on a checkerboard, size 20/nothing outlined",
                                     turnCheckerboard, outlined)
            ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
