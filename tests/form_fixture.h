#pragma once
// A main window on its own model, created as the program creates it.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "ui/Unit1.h"

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm1>(state, *grid);
        Form1 = form.get();
        form->FormCreate(form.get());
    }
    void TearDown() override { Form1 = nullptr; }

    kadro::ViewState state;
    std::unique_ptr<kadro::CellGrid> grid = std::make_unique<kadro::CellGrid>();
    std::unique_ptr<TForm1> form;
};
