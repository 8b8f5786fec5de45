#include <QElapsedTimer>
#include <QToolButton>
#include <cstring>
#include <functional>
#include <random>

#include "form_fixture.h"
#include "ui/additions/undo.h"
#include "model/animation.h"

using namespace kadro;

namespace {
Pixel pixelAt(TForm1& form, int x, int y) { return form.Image1->canvas().target().at(x, y); }
}  // namespace

TEST_F(MainWindowTest, TickDrawsWhatTheGridHoldsAndWritesTheLabels) {
    playAnimationAndEmpty();
    state.gridVisible = false;
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(pixelAt(*form, 30, 380), colours::black);
    EXPECT_EQ(form->Label1->text(), "0");

    grid->at(0, 0, 1).colour = 1.0f;
    grid->at(5, 5, 5).colour = 3.0f;
    form->wake();  // as every operation that writes cells does
    EXPECT_EQ(pixelAt(*form, 30, 380), colours::black);  // nothing shows before the tick
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(pixelAt(*form, 30, 380), colours::yellow);
    EXPECT_EQ(form->Label1->text(), "1");
    EXPECT_EQ(form->Label4->text(), "1");
    EXPECT_EQ(form->Label2->text(), "0");
    EXPECT_EQ(form->Label7->text(), "1");
    EXPECT_EQ(form->Label10->text(), "10");
    EXPECT_EQ(form->Label11->text(), "10");
    // The preview cube of the current colour.
    EXPECT_EQ(pixelAt(*form, 380, 380), colours::yellow);
    // Columns past the window's width are never cleared.
    form->Image1->canvas().target().at(600, 100) = colours::red;
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(pixelAt(*form, 600, 100), colours::red);
}

TEST_F(MainWindowTest, TickFollowsTheSizeControlAndTheCountsFollowTheSize) {
    playAnimationAndEmpty();
    grid->at(12, 0, 1).colour = 5.0f;
    form->wake();  // as every operation that writes cells does
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->Label9->text(), "0");
    form->ScrollBar4->setValue(13);
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(state.cellSize, 20.0f);
    EXPECT_EQ(form->Label10->text(), "13");
    EXPECT_EQ(form->Label9->text(), "1");
}

TEST_F(MainWindowTest, IntroTicksMoveTheHiddenProgressBarAndStop) {
    for (int tick = 0; tick < 38; ++tick) form->Timer2Timer(form->Timer2);
    EXPECT_TRUE(form->Timer2->isActive());
    form->Timer2Timer(form->Timer2);
    EXPECT_EQ(form->ScrollBar1->value(), 40);
    EXPECT_FALSE(form->Timer2->isActive());
}

TEST_F(MainWindowTest, RealTimersPlayTheAnimationAndLeaveTwoHundredOfEach) {
    form->show();
    QElapsedTimer clock;
    clock.start();
    auto countsRead = [this] {
        for (int code = 1; code <= kColourCount; ++code)
            if (form->countLabel(ColourCode(code))->text() != "200") return false;
        return true;
    };
    while (!(countsRead() && state.cycleTicks >= 13) && clock.elapsed() < 5000) QTest::qWait(20);
    EXPECT_TRUE(countsRead()) << form->Label1->text().toStdString();
    EXPECT_FALSE(form->Timer2->isActive());
    EXPECT_EQ(state.cycleTicks, 13);
}

TEST_F(MainWindowTest, TicksThatWouldDrawTheSamePictureKeepTheLastOne) {
    playAnimationAndEmpty();
    form->Timer1Timer(form->Timer1);
    const int drawn = form->framesDrawn();
    for (int i = 0; i < 5; ++i) form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->framesDrawn(), drawn);
    // Any input of the picture brings a new frame, and the picture shows it.
    grid->at(0, 0, 1).colour = 5.0f;
    form->wake();  // as every operation that writes cells does
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->framesDrawn(), drawn + 1);
    EXPECT_EQ(form->Image1->canvas().target().at(30, 380), colours::red);
    form->Button3->click();
    form->Timer1Timer(form->Timer1);
    form->Button4->click();
    form->Timer1Timer(form->Timer1);
    QTest::mousePress(form->Shape2, Qt::LeftButton);
    form->Timer1Timer(form->Timer1);
    form->UpDown1->click(UpDownButton::Up);
    form->Timer1Timer(form->Timer1);
    form->ScrollBar4->setValue(11);
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->framesDrawn(), drawn + 6);
    grid->at(1, 0, 1).colour = 5.0f;
    form->wake();  // as every operation that writes cells does
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->Label9->text(), "2");
    EXPECT_EQ(form->framesDrawn(), drawn + 7);
}

namespace {
// The intro and the stripe frames through the handlers, then ticks until the frame timer sleeps.
void playUntilAsleep(TForm1& form, int maxTicks = 100) {
    while (form.Timer2->isActive()) form.Timer2Timer(form.Timer2);
    for (int tick = 0; tick < maxTicks && form.Timer1->isActive(); ++tick) form.Timer1Timer(form.Timer1);
}
}  // namespace

TEST_F(MainWindowTest, TheFrameTimerSleepsAtRestAndEveryInputWakesIt) {
    form->Timer1->blockSignals(true);
    form->Timer2->blockSignals(true);
    form->show();
    QApplication::setActiveWindow(form.get());
    playUntilAsleep(*form);
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_TRUE(animationFinished(state));
    const struct {
        const char* name;
        std::function<void()> input;
    } inputs[] = {
        {"press on the drawing area", [&] { QTest::mousePress(form->Image1, Qt::LeftButton, {}, QPoint(50, 380)); }},
        {"swatch", [&] { QTest::mousePress(form->Shape4, Qt::LeftButton); }},
        {"CLEAR", [&] { form->Button2->click(); }},
        {"FILL", [&] { form->Button7->click(); }},
        {"grid", [&] { form->Button3->click(); }},
        {"erase", [&] { form->Button4->click(); }},
        {"layer up", [&] { form->UpDown1->upArrow()->click(); }},
        {"layer down", [&] { form->UpDown1->downArrow()->click(); }},
        {"size", [&] { form->ScrollBar4->setValue(form->ScrollBar4->value() + 1); }},
        {"undo key", [&] { QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier); }},
        {"redo key", [&] { QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier); }},
        {"window shown again", [&] { form->hide(); form->show(); }},
        {"window resized", [&] { form->resize(form->width() + 1, form->height()); }},
    };
    for (const auto& [name, input] : inputs) {
        playUntilAsleep(*form);
        ASSERT_FALSE(form->Timer1->isActive()) << "before " << name;
        input();
        EXPECT_TRUE(form->Timer1->isActive()) << name;
        EXPECT_LE(form->Timer1->remainingTime(), 10) << name;  // the change shows at the next tick
        // A sleeping timer's next tick comes as soon as the event loop is free, not 10 ms later,
        // and the cadence after it is 10 ms again.
        EXPECT_EQ(form->Timer1->remainingTime(), 0) << name;
        form->Timer1Timer(form->Timer1);
        EXPECT_EQ(form->Timer1->interval(), 10) << name;
    }
    // Drawing the same picture again is no input: the timer goes back to sleep.
    playUntilAsleep(*form);
    form->Button5->click();  // LOAD does nothing
    EXPECT_FALSE(form->Timer1->isActive());
}

// Two windows over two models take the same random events. One ticks after every event, as a
// timer that never stops; the other only while its timer runs. They must show the same.
TEST(SleepingFrameTimer, ShowsExactlyWhatATimerThatNeverStopsShows) {
    HandDrivenWindow freeRunning, sleeping;
    std::mt19937 random(17);
    auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    int sleptTicks = 0;
    for (int n = 0; n < 4000; ++n) {
        const int kind = pick(0, 14);
        const int x = pick(0, 550), y = pick(0, 417), size = pick(2, 20), up = pick(0, 1), swatch = pick(0, 4);
        for (HandDrivenWindow* w : {&freeRunning, &sleeping}) {
            TForm1& f = *w->form;
            TShape* swatches[] = {f.Shape1, f.Shape2, f.Shape3, f.Shape4, f.Shape5};
            switch (kind) {
                case 0: f.Image1MouseDown(f.Image1, {x, y}); break;
                case 1: QTest::mousePress(swatches[swatch], Qt::LeftButton); break;
                case 2: f.Button2->click(); break;
                case 3: f.Button7->click(); break;
                case 4: f.Button3->click(); break;
                case 5: f.Button4->click(); break;
                case 6: (up ? f.UpDown1->upArrow() : f.UpDown1->downArrow())->click(); break;
                case 7: f.ScrollBar4->setValue(size); break;
                case 8: undoEdit(f, *w->grid); break;
                case 9: redoEdit(f, *w->grid); break;
                case 10: if (f.Timer2->isActive()) f.Timer2Timer(f.Timer2); break;
                default: break;  // nothing but time passing
            }
            if (w == &freeRunning || f.Timer1->isActive()) {
                f.Timer1Timer(f.Timer1);
            } else {
                ++sleptTicks;
            }
        }
        const PixelBuffer a = freeRunning.form->Image1->canvas().target(), b = sleeping.form->Image1->canvas().target();
        ASSERT_EQ(std::memcmp(a.pixels, b.pixels, sizeof(Pixel) * a.stride * a.height), 0) << "pixels after event " << n;
        for (TLabel* TForm1::*label : {&TForm1::Label1, &TForm1::Label2, &TForm1::Label4, &TForm1::Label8,
                                        &TForm1::Label9, &TForm1::Label7, &TForm1::Label10, &TForm1::Label11}) {
            ASSERT_EQ((freeRunning.form.get()->*label)->text(), (sleeping.form.get()->*label)->text())
                << "label after event " << n;
        }
        ASSERT_EQ(freeRunning.state.colourCounts, sleeping.state.colourCounts) << "counts after event " << n;
        ASSERT_EQ(std::memcmp(freeRunning.grid.get(), sleeping.grid.get(), sizeof(CellGrid)), 0) << "cells after event " << n;
    }
    EXPECT_GT(sleptTicks, 500);  // the sleeping timer did sleep
}
