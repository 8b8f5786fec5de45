// A client of the test rig's own: one full-screen window that prints, a line each, where the
// compositor sends the pointer and what keys it passes on, so that a rig can prove its input
// arrives before it judges the program.
//   shown W H       the window is on screen, W x H
//   enter X Y       the pointer entered, at X, Y
//   move X Y        the pointer moved to X, Y
//   press X Y       a button went down at X, Y
//   key TEXT        a key was pressed
// Positions are in the window, which covers the compositor's screen from its top left corner.
#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRasterWindow>
#include <cstdio>

namespace {

class Probe : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(QRect(QPoint(), size()), QColor(40, 40, 40)); }

    bool event(QEvent* event) override {
        switch (event->type()) {
            case QEvent::Expose:
                if (isExposed() && !shown_) {
                    shown_ = true;
                    say("shown", width(), height());
                }
                break;
            case QEvent::Enter:
                say("enter", static_cast<QEnterEvent*>(event)->position().toPoint());
                break;
            case QEvent::MouseMove:
                say("move", static_cast<QMouseEvent*>(event)->position().toPoint());
                break;
            case QEvent::MouseButtonPress:
                say("press", static_cast<QMouseEvent*>(event)->position().toPoint());
                break;
            case QEvent::KeyPress:
                std::printf("key %s\n", qPrintable(static_cast<QKeyEvent*>(event)->text()));
                break;
            default:
                break;
        }
        return QRasterWindow::event(event);
    }

private:
    static void say(const char* what, QPoint at) { say(what, at.x(), at.y()); }
    static void say(const char* what, int x, int y) { std::printf("%s %d %d\n", what, x, y); }

    bool shown_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QGuiApplication application(argc, argv);
    Probe probe;
    probe.showFullScreen();
    return application.exec();
}
