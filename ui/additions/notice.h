#pragma once
// A sentence shown for a while over the drawing area, for a refusal or an action that changed
// nothing on purpose, so that a user without sound sees what a beep and a screen reader tell.
// Drawn over the picture, never into it (nor into a copy of it); it takes no focus and no press
// (presses go through to the drawing area), and says nothing itself: whoever shows it also says it.
#include <QString>
#include <QTimer>
#include <QWidget>

class TForm1;

class Notice : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShownMilliseconds = 2000;

    explicit Notice(TForm1& form);

    // Shows `sentence` for kShownMilliseconds from now, in place of any sentence shown.
    void showSentence(const QString& sentence);
    QString sentence() const { return isVisible() ? sentence_ : QString(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString sentence_;
    QTimer hide_;
};
