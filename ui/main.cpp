#include <memory>

#include "model/grid.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/application.h"

namespace {
// The model lives for the whole run, in one place.
kadro::ViewState viewState;
kadro::CellGrid cellGrid;
}  // namespace

int main(int argc, char** argv) {
    preferX11OnWayland();
    KadroApplication application(argc, argv);
    std::unique_ptr<TForm1> mainWindow;
    std::unique_ptr<TForm2> aboutWindow;
    try {
        mainWindow = std::make_unique<TForm1>(viewState, cellGrid);
        mainWindow->FormCreate(mainWindow.get());
        aboutWindow = std::make_unique<TForm2>();
        Form2 = aboutWindow.get();
        mainWindow->show();
        application.exec();
    } catch (const std::exception& error) {
        showException(error);
    }
    Form2 = nullptr;
    return 0;
}
