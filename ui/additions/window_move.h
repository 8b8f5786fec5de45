#pragma once
// Moving the borderless window where the window system does the moving. A Wayland compositor
// lets no client place its own window: there a left press on the bare background asks the
// compositor to move the window with the pointer. Elsewhere (X11, XWayland included, or where the
// compositor refuses) the window's own drag moves it, exactly as designed.
#include <QObject>

class TForm1;

class SystemMove : public QObject {
    Q_OBJECT
public:
    explicit SystemMove(TForm1& form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm1& form_;
};

// Whether windows are moved by the compositor: Qt's Wayland platform.
bool compositorMovesWindows();
