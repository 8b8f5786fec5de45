// The floor for press-to-pixels latency: a minimal Qt window, black, frameless and 550 x 580 as
// the main window, that repaints itself at once when pressed (or dragged over), with a white
// square where it was pressed. With --square it repaints only the square, the least a program can
// do.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <vector>

namespace {

class Floor : public QWidget {
public:
    explicit Floor(bool squareOnly)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), squareOnly_(squareOnly) {
        setWindowTitle("KADRO latency floor");
        resize(550, 580);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { paintAt(event); }
    // A move with a button down paints as a press does, for timing drags.
    void mouseMoveEvent(QMouseEvent* event) override {
        if (event->buttons() != Qt::NoButton) paintAt(event);
    }
    void paintAt(QMouseEvent* event) {
        const QPoint at = event->position().toPoint();
        pressed_.push_back(at);
        if (squareOnly_) {
            update(QRect(at - QPoint(4, 4), QSize(9, 9)));
        } else {
            update();
        }
    }
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::black);
        for (const QPoint& at : pressed_)
            painter.fillRect(QRect(at - QPoint(4, 4), QSize(9, 9)), Qt::white);
    }

private:
    bool squareOnly_;
    std::vector<QPoint> pressed_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    Floor floor(argc > 1 && QString(argv[1]) == "--square");
    floor.move(205, 106);
    floor.show();
    return application.exec();
}
