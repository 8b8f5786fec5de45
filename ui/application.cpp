#include "ui/application.h"

#include <QMessageBox>

KadroApplication::KadroApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("KADRO");
}

bool KadroApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showException(error);
        return false;
    }
}

void showException(const std::exception& error) {
    QMessageBox::critical(nullptr, "KADRO", QString::fromLocal8Bit(error.what()));
}

void preferX11OnWayland() {
    const bool platformChosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const bool onWayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    const bool xwaylandThere = qEnvironmentVariableIsSet("DISPLAY");
    if (!platformChosen && onWayland && xwaylandThere) qputenv("QT_QPA_PLATFORM", "xcb");
}
