#pragma once
#include <QApplication>
#include <exception>

// The application object: an exception that escapes an event handler is shown in a standard
// message box, and the event loop goes on.
class KadroApplication : public QApplication {
public:
    KadroApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the standard error message box for an exception.
void showException(const std::exception& error);

// On a Wayland desktop Qt cannot move a top-level window; the borderless main window is moved
// by dragging, so it runs through XWayland unless the user chose a platform.
void preferX11OnWayland();
