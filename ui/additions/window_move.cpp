#include "ui/additions/window_move.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

#include "ui/form/Unit1.h"

// Through XWayland the window's own drag stays: sway's XWayland, asked to move the window, took it
// but then gave the window no more presses.
bool compositorMovesWindows() { return QGuiApplication::platformName().startsWith("wayland"); }

SystemMove::SystemMove(TForm1& form) : QObject(&form), form_(form) {
    if (compositorMovesWindows()) form.installEventFilter(this);
}

bool SystemMove::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &form_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && form_.windowHandle() &&
        form_.windowHandle()->startSystemMove())
        return true;  // the compositor moves the window until the button goes up
    return QObject::eventFilter(watched, event);
}
