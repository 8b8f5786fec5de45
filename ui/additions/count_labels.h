#pragma once
// The parts list's count labels stand 24 pixels apart, each as wide as its text. A count of four
// digits is wider than that in the window's font, and the next label would cover its last digit
// ("8000" next to "0" reads "80000"). Such a label is cut to kWidest pixels and its text drawn
// squeezed to that width; a count that fits is left as designed, pixel for pixel. The text itself,
// which a screen reader and the clipboard get, is the window's.
#include <QObject>
#include <array>

class TForm1;
class TLabel;

class CountLabels : public QObject {
    Q_OBJECT
public:
    explicit CountLabels(TForm1& form);

    // The widest a count is drawn: the 24 pixels from a label's left edge to the next label's,
    // less a gap that keeps two counts apart ("999" leaves five pixels).
    static constexpr int kWidest = 20;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<TLabel*, 5> labels_;
};
