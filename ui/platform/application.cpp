#include "ui/platform/application.h"

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "assets/assets.h"

KadroApplication::KadroApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("KADRO");
    // Docks and task bars match the windows to the launcher entry by its name and the X11
    // window class, and show this icon for them.
    setDesktopFileName(kDesktopFileName);
    const auto icon = kadro::assets::windowIconPng();
    setWindowIcon(
        QIcon(QPixmap::fromImage(QImage::fromData(icon.data(), static_cast<int>(icon.size())))));
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
    // One message at a time: a failure while one is shown goes to standard error, so that
    // failing handlers cannot stack message loops.
    static bool showing = false;
    if (showing) {
        std::fprintf(stderr, "KADRO: %s\n", error.what());
        return;
    }
    showing = true;
    QMessageBox::critical(nullptr, "KADRO", QString::fromLocal8Bit(error.what()));
    showing = false;
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

ExitWithoutDisplay* ExitWithoutDisplay::holder_ = nullptr;

void ExitWithoutDisplay::exitOnFatal(QtMsgType type, const QMessageLogContext&,
                                     const QString& message) {
    if (type != QtFatalMsg) {
        holder_->heldMessages_.append({type, message});
        return;
    }
    holder_->exitWith("");
}

void ExitWithoutDisplay::exitWith(const char* why) const {
    const char* display = std::getenv("DISPLAY");
    const std::string shown = display ? std::string("\"") + display + "\"" : std::string("unset");
    const char* name = programName_.c_str();
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland && *wayland && !waylandPluginInstalled()) {
        // A Wayland desktop: what is missing is Qt's Wayland plugin, not a display.
        std::fprintf(stderr,
                     "%s: cannot open the Wayland display \"%s\" (DISPLAY is %s%s): Qt's Wayland "
                     "plugin is not "
                     "installed; install the package qt6-wayland\n",
                     name, wayland, shown.c_str(), why);
        std::fflush(stderr);
        std::_Exit(1);
    }
    const std::string waylandShown = wayland && *wayland
                                         ? std::string(", WAYLAND_DISPLAY is \"") + wayland + "\""
                                         : std::string();
    std::fprintf(
        stderr,
        "%s: cannot open a display (DISPLAY is %s%s%s): run it on a desktop, or under Xvfb: "
        "xvfb-run -s '-screen 0 1024x768x24' %s\n",
        name, shown.c_str(), waylandShown.c_str(), why, name);
    std::fflush(stderr);
    std::_Exit(1);
}

ExitWithoutDisplay::ExitWithoutDisplay(const char* name) {
    if (name && *name) programName_ = name;
    holder_ = this;
    previousHandler_ = qInstallMessageHandler(exitOnFatal);
    // Connecting waits for the display's answer without a limit of its own.
    watchdog_ = std::thread([this] {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!released_.wait_for(lock, std::chrono::seconds(kAnswerSeconds),
                                [this] { return !held_; }))
            exitWith(", which does not answer");
    });
}

ExitWithoutDisplay::~ExitWithoutDisplay() { release(); }

void ExitWithoutDisplay::release() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!held_) return;
        held_ = false;
    }
    released_.notify_all();
    if (watchdog_.joinable()) watchdog_.join();
    qInstallMessageHandler(previousHandler_);
    holder_ = nullptr;
    for (const HeldMessage& message : heldMessages_)
        previousHandler_(message.type, QMessageLogContext(), message.text);
    heldMessages_.clear();
}

void preferWaylandOnWayland() {
    const bool platformChosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const bool onWayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    // Qt tries the platforms in turn: without the plugin, or with a compositor that does not
    // answer, the window opens through XWayland.
    if (!platformChosen && onWayland && waylandPluginInstalled())
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");
}

bool waylandPluginInstalled() {
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms");
    return !platforms.entryList({"libqwayland-generic*"}, QDir::Files).isEmpty();
}

// Qt 6.4's Wayland plugin reads from the compositor in two threads: one for the event loop, one for
// frame callbacks. Each pass of the event loop asks the display for a read on the first thread's
// behalf. When the program ends before that thread has woken to do it, the thread quits without
// cancelling the read. The compositor's answer to the last frame (the picture is redrawn every
// 10 ms, so there always is one) then wakes the frame thread, whose read waits for the abandoned
// one for ever, and Qt's teardown waits for the frame thread. On a busy machine this happened in
// 4 of 50 runs.
void endAtOnceOnWayland(int status) {
    if (!QGuiApplication::platformName().startsWith("wayland")) return;
    std::fflush(nullptr);
    std::_Exit(status);
}
