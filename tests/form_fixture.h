#pragma once
// A main window on its own model, created as the program creates it.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "model/animation.h"
#include "ui/form/Unit1.h"
#include "ui/form/Unit2.h"
#include "ui/main_window.h"

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm1>(state, *grid);
        additions = attachAdditions(*form, state, *grid);
        form->FormCreate(form.get());
    }

    // Plays the intro and the 13 stripe frames through the handlers, then empties every cell,
    // so a test starts from a quiet, empty model.
    void playAnimationAndEmpty() {
        while (form->Timer2->isActive()) form->Timer2Timer(form->Timer2);
        for (int tick = 0; tick < 13; ++tick) form->Timer1Timer(form->Timer1);
        for (auto& plane : grid->cells)
            for (auto& line : plane)
                for (auto& cell : line) cell.colour = 0.0f;
        form->wake();  // as every operation that writes cells does
    }

    kadro::ViewState state;
    std::unique_ptr<kadro::CellGrid> grid = std::make_unique<kadro::CellGrid>();
    std::unique_ptr<TForm1> form;
    Additions additions{};
};

// The same, with the About window created after the main window as the program does.
class MainAndAboutWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        about = std::make_unique<TForm2>();
        Form2 = about.get();
    }
    void TearDown() override {
        Form2 = nullptr;
        MainWindowTest::TearDown();
    }

    std::unique_ptr<TForm2> about;
};

// A main window over a model of its own whose timers' ticks are left to the test: both stay
// enabled as the program leaves them, but only the test calls their handlers.
struct HandDrivenWindow {
    HandDrivenWindow() {
        form = std::make_unique<TForm1>(state, *grid);
        additions = attachAdditions(*form, state, *grid);
        form->FormCreate(form.get());
        form->Timer1->blockSignals(true);
        form->Timer2->blockSignals(true);
    }
    void tick() { form->Timer1Timer(form->Timer1); }
    // The intro and the stripe frames, up to the animation's last pattern.
    void playAnimation() {
        while (form->Timer2->isActive()) form->Timer2Timer(form->Timer2);
        while (!kadro::animationFinished(state)) tick();
    }

    kadro::ViewState state;
    std::unique_ptr<kadro::CellGrid> grid = std::make_unique<kadro::CellGrid>();
    std::unique_ptr<TForm1> form;
    Additions additions{};
};

// The same after the animation, shown and active so that its keys act.
struct ActiveWindow : HandDrivenWindow {
    ActiveWindow() {
        playAnimation();
        form->show();
        activate();
    }
    void activate() {
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    // A mouse event on the drawing area at `at`, with `buttons` down after it.
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, form->Image1->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(form->Image1, &event);
    }
    // A key press and release at the focused control, or the window.
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
};
