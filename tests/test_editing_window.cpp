#include <QMouseEvent>
#include <QToolButton>

#include "form_fixture.h"

using namespace kadro;

TEST_F(MainWindowTest, UpDownSetsTheLayerClampedToTheSizeAndKeepsItsPosition) {
    form->ScrollBar4->setValue(5);
    for (int i = 0; i < 4; ++i) form->UpDown1->upArrow()->click();
    EXPECT_EQ(form->UpDown1->position(), 5);
    EXPECT_EQ(state.currentLayer, 5);
    form->UpDown1->upArrow()->click();
    EXPECT_EQ(form->UpDown1->position(), 6);
    EXPECT_EQ(state.currentLayer, 5);
    form->UpDown1->downArrow()->click();
    EXPECT_EQ(state.currentLayer, 5);
    form->UpDown1->downArrow()->click();
    EXPECT_EQ(state.currentLayer, 4);

    // A size change goes back to layer 1 but leaves the up-down where it was.
    form->ScrollBar4->setValue(12);
    EXPECT_EQ(state.currentLayer, 1);
    EXPECT_EQ(form->Label7->text(), "1");
    EXPECT_EQ(form->UpDown1->position(), 4);
    form->UpDown1->upArrow()->click();
    EXPECT_EQ(state.currentLayer, 5);
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->Label7->text(), "5");

    // At the limits the position stays and the click still counts.
    for (int i = 0; i < 30; ++i) form->UpDown1->upArrow()->click();
    EXPECT_EQ(form->UpDown1->position(), 20);
    EXPECT_EQ(state.currentLayer, 12);
    for (int i = 0; i < 30; ++i) form->UpDown1->downArrow()->click();
    EXPECT_EQ(form->UpDown1->position(), 1);
    EXPECT_EQ(state.currentLayer, 1);
}

TEST_F(MainWindowTest, AnyButtonOnTheDrawingAreaPlacesAndEveryPressCounts) {
    playAnimationAndEmpty();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::mousePress(form->Shape2, Qt::LeftButton);
    QTest::mouseClick(form->Image1, Qt::RightButton, {}, QPoint(50, 380));
    EXPECT_EQ(grid->at(1, 0, 1).colour, 2.0f);
    EXPECT_EQ(grid->at(0, 0, 1).colour, 0.0f);

    // The second press of a double click arrives as a double-click event; it edits too.
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(23, 387), form->Image1->mapToGlobal(QPointF(23, 387)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form->Image1, &second);
    EXPECT_EQ(grid->at(0, 0, 1).colour, 2.0f);

    form->Button4->click();
    QTest::mouseClick(form->Image1, Qt::MiddleButton, {}, QPoint(50, 380));
    EXPECT_EQ(grid->at(1, 0, 1).colour, 0.0f);
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->Label2->text(), "1");
}

TEST_F(MainWindowTest, ClearAndFillButtons) {
    playAnimationAndEmpty();
    QTest::mousePress(form->Shape4, Qt::LeftButton);
    form->Button7->click();
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->Label8->text(), "1000");
    form->Button2->click();
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->Label8->text(), "0");
}
