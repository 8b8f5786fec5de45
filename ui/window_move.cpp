#include "ui/window_move.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

#include "ui/Unit1.h"

bool compositorMovesWindows() {
    const QString platform = QGuiApplication::platformName();
    return platform.startsWith("wayland") ||
           (platform == "xcb" && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
}

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
