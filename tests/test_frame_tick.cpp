#include "form_fixture.h"

#include <QElapsedTimer>

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
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->Label9->text(), "2");
    EXPECT_EQ(form->framesDrawn(), drawn + 7);
}
