#pragma once
#include <QApplication>
#include <QList>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// The launcher entry's name (without .desktop), as the package installs it.
inline constexpr char kDesktopFileName[] = "org.example.Kadro";

// The application object: an exception that escapes an event handler is shown in a standard
// message box, and the event loop goes on. Its windows carry the launcher's name and icon.
class KadroApplication : public QApplication {
public:
    KadroApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the standard error message box for an exception; while one is shown, a further one only
// goes to standard error.
void showException(const std::exception& error);

// Runs the program's body and returns its exit status; an exception that escapes it is shown
// in the standard message box and the status is 1.
int runGuarded(const std::function<int()>& body);

// While it is held, a failure of Qt to open a display (no DISPLAY, a display that refuses, no
// platform plugin) ends the program with one line on standard error saying what is missing and
// how to run it under Xvfb, and status 1, instead of Qt's abort and core dump; so does a display
// that does not answer within kAnswerSeconds.
class ExitWithoutDisplay {
public:
    static constexpr int kAnswerSeconds = 5;
    explicit ExitWithoutDisplay(const char* programName);
    ~ExitWithoutDisplay();
    // Qt has its display: what it said meanwhile, and from now on everything, goes where Qt
    // sends its messages.
    void release();
    ExitWithoutDisplay(const ExitWithoutDisplay&) = delete;
    ExitWithoutDisplay& operator=(const ExitWithoutDisplay&) = delete;

private:
    // Qt's message handler is a plain function; it reaches the one instance through this.
    static ExitWithoutDisplay* holder_;
    static void exitOnFatal(QtMsgType type, const QMessageLogContext& context,
                            const QString& message);
    [[noreturn]] void exitWith(const char* why) const;

    struct HeldMessage {
        QtMsgType type;
        QString text;
    };
    std::string programName_ = "kadro";
    QtMessageHandler previousHandler_ = nullptr;
    // What Qt says while it looks for a display: kept back, and dropped if it finds none, so the
    // one line is all the user reads.
    QList<HeldMessage> heldMessages_;
    bool held_ = true;
    // Waits for release() at most kAnswerSeconds, then ends the program.
    std::mutex mutex_;
    std::condition_variable released_;
    std::thread watchdog_;
};

// On a Wayland desktop the program runs as a Wayland client, through X11 only where Qt's Wayland
// plugin is missing or cannot connect, unless the user chose a platform (QT_QPA_PLATFORM). Qt 6.4
// would go through X11 by itself.
void preferWaylandOnWayland();

// Whether Qt's Wayland platform plugin is installed (package qt6-wayland).
bool waylandPluginInstalled();

// On Wayland: ends the program with `status` at once, once its windows are gone, rather than
// through Qt's teardown of the connection to the compositor, which Qt 6.4 can leave waiting for
// ever (see the definition). The compositor lets go of everything the program had when the
// connection closes, and nothing is left to save. Elsewhere it returns and the program ends as
// usual.
void endAtOnceOnWayland(int status);
