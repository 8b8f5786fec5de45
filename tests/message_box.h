#pragma once
// The text of a modal message box, read from inside its own loop.
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

// Reads the text of the message box that opens within `action` or up to 3 s after, and closes
// it. The box is modal: it is read and closed from inside its own loop.
inline QString messageShownBy(const std::function<void()>& action) {
    QString shown;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box && box->isVisible()) {
                shown = box->text();
                box->accept();
                closer.stop();
            }
        }
    });
    closer.start();
    action();
    QElapsedTimer clock;
    clock.start();
    while (shown.isEmpty() && clock.elapsed() < 3000) QTest::qWait(10);
    return shown;
}

