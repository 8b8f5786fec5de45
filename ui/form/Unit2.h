#pragma once
// The About window: the logo and a page of product text. It opens centred on the desktop, over
// the main window, which keeps running.
#include <QWidget>

#include "ui/form/controls.h"
#include "ui_Unit2.h"

class TForm2 : public QWidget, public Ui::TForm2 {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool placed_ = false;
};

// The one About window of the program.
extern TForm2* Form2;

// The outer size of the About window, frame included.
inline constexpr int kAboutWidth = 522;
inline constexpr int kAboutHeight = 580;
