#include <QGuiApplication>
#include <QWindow>
#include <memory>

#include "model/grid.h"
#include "ui/form/Unit1.h"
#include "ui/form/Unit2.h"
#include "ui/platform/application.h"
#include "ui/platform/display_scale.h"
#include "ui/form/logo.h"
#include "ui/main_window.h"

namespace {
// The model lives for the whole run, in one place.
kadro::ViewState viewState;
kadro::CellGrid cellGrid;
}  // namespace

int main(int argc, char** argv) {
    preferWaylandOnWayland();
    ExitWithoutDisplay noDisplay(argv[0]);  // also while the display's density is read
    kadro::chooseDisplayScale(TForm1::kWindowWidth, TForm1::kWindowHeight);
    KadroApplication application(argc, argv);
    noDisplay.release();
    std::unique_ptr<TForm1> mainWindow;
    std::unique_ptr<TForm2> aboutWindow;
    const int status = runGuarded([&] {
        logoPicture();  // decoded once, before any window shows it
        mainWindow = std::make_unique<TForm1>(viewState, cellGrid);
        attachAdditions(*mainWindow, viewState, cellGrid);
        mainWindow->FormCreate(mainWindow.get());
        aboutWindow = std::make_unique<TForm2>();
        Form2 = aboutWindow.get();
        // A Wayland compositor places every window itself; as the main window's transient child
        // the About window goes over it. (On X11 it opens centred on the screen, as designed.)
        if (QGuiApplication::platformName().startsWith("wayland")) {
            mainWindow->winId();
            aboutWindow->winId();
            aboutWindow->windowHandle()->setTransientParent(mainWindow->windowHandle());
        }
        mainWindow->show();
        return application.exec();
    });
    Form2 = nullptr;
    aboutWindow.reset();
    mainWindow.reset();
    endAtOnceOnWayland(status);
    return status;
}
