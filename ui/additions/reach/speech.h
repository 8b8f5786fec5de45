#pragma once
// What a screen reader says as the user works, whatever has the focus. Qt 6.4 sends a changed
// name or description as the object itself rather than its text, and Orca cannot speak that,
// so nothing here relies on those events. Instead:
//  - the cell cursor is a focused child of the drawing area, a new one at each move, so the
//    screen reader says the cell as it says any newly focused control;
//  - every other change (colour, erasing, grid, layer, size, an edit, undo and redo) is said by
//    a notification in a status bar that the window offers, as desktop notifications are;
//  - events about controls that are not shown are not passed on.
// Nothing of it changes a pixel, a handler or the focus; without a screen reader nothing of it
// is made.
#include <QObject>
#include <QString>
#include <array>
#include <cstddef>

#include "model/grid.h"
#include "ui/additions/reach/sentences.h"

class CellCursor;
class TForm1;
class QWidget;

class Speech : public QObject {
    Q_OBJECT
public:
    Speech(TForm1& form, const kadro::ViewState& state, const kadro::CellGrid& grid,
           const CellCursor& cursor);

    // Says a sentence now, wherever the focus is.
    void say(const QString& sentence);
    // Says a sentence about a change once it shows: with the frame that draws it, after what
    // that frame shows changed (an operation that also changes the layer, say); at once when the
    // change draws no frame. Call it after the change.
    void sayOnceShown(const QString& sentence);
    // After a colour was chosen: when it was the choice already, no frame follows to say so, so
    // what a press does is said now ("Placing red").
    void confirmColour();
    // After a press at the cell cursor that changed nothing: "Already red", "Already empty".
    void sayUnchangedCell();
    // The last sentence said.
    const QString& lastSaid() const { return said_; }

    // The cell cursor's cell and what it holds: "Column 3, row 4, layer 1: red", or without the
    // layer "Column 3, row 4: red"; empty when it is hidden.
    enum class Layer { Said, Left };
    QString cursorCell(Layer layer = Layer::Said) const;

private:
    // The virtual objects of the accessible tree: the notification and the cursor's cells.
    struct Objects;
    // What the cell cursor's cell holds: "red", "empty"; empty when the cursor is hidden.
    QString cursorHolds() const;
    // What a frame drawn now shows.
    FrameSummary see() const;
    // Moves the focus to the cursor's cell when the drawing area has it, as a new object, so
    // that the screen reader takes it as a move.
    void focusCell();

    TForm1& form_;
    const kadro::ViewState& state_;
    const kadro::CellGrid& grid_;
    const CellCursor& cursor_;
    QWidget* statusBar_;
    Objects* objects_;
    FrameSummary seen_;  // what the last frame showed
    bool started_ = false;
    bool cursorShown_ = false;
    QString said_;
    QString pending_;
};
