#include "ui/application.h"

#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string>

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

int runGuarded(const std::function<int()>& body) {
    try {
        return body();
    } catch (const std::exception& error) {
        showException(error);
    } catch (...) {
        showException(std::runtime_error("unknown error"));
    }
    return 1;
}

namespace {

std::string programName = "kadro";
QtMessageHandler previousHandler = nullptr;
// What Qt says while it looks for a display: kept back, and dropped if it finds none, so the
// one line below is all the user reads.
struct HeldMessage {
    QtMsgType type;
    QString text;
};
QList<HeldMessage> heldMessages;

void exitOnFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        heldMessages.append({type, message});
        return;
    }
    const char* display = std::getenv("DISPLAY");
    const std::string shown = display ? std::string("\"") + display + "\"" : std::string("unset");
    std::fprintf(stderr,
                 "%s: cannot open a display (DISPLAY is %s): run it on a desktop, or under Xvfb: "
                 "xvfb-run -s '-screen 0 1024x768x24' %s\n",
                 programName.c_str(), shown.c_str(), programName.c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

ExitWithoutDisplay::ExitWithoutDisplay(const char* name) {
    if (name && *name) programName = name;
    previousHandler = qInstallMessageHandler(exitOnFatal);
}

ExitWithoutDisplay::~ExitWithoutDisplay() { release(); }

void ExitWithoutDisplay::release() {
    if (!held_) return;
    held_ = false;
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : heldMessages) previousHandler(message.type, QMessageLogContext(), message.text);
    heldMessages.clear();
}

void preferX11OnWayland() {
    const bool platformChosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const bool onWayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    const bool xwaylandThere = qEnvironmentVariableIsSet("DISPLAY");
    if (!platformChosen && onWayland && xwaylandThere) qputenv("QT_QPA_PLATFORM", "xcb");
}
