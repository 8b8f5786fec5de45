#include "ui/keys.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include "ui/Unit1.h"
#include "ui/cell_cursor.h"
#include "ui/clipboard.h"
#include "ui/focus.h"
#include "ui/loose_outline.h"
#include "ui/operations.h"
#include "ui/speech.h"
#include "ui/undo.h"

namespace {

// A colour key: 1 to 5 on the main keyboard or, with Num Lock, the keypad; the physical keys of
// the digits count whatever the layout (X keycodes 10 to 14), as Qt's shortcuts matched them.
int colourKey(const QKeyEvent& key) {
    if (key.key() >= Qt::Key_1 && key.key() <= Qt::Key_5) return key.key() - Qt::Key_1 + 1;
    const quint32 code = key.nativeScanCode();
    return code >= 10 && code <= 14 && !(key.modifiers() & Qt::KeypadModifier) ? static_cast<int>(code) - 9 : 0;
}

}  // namespace

Keys::Keys(TForm1& form, kadro::CellGrid& grid, CellCursor& cursor, Clipboard& clipboard, Speech& speech,
           ModelOperations& operations, LooseOutlines& looseOutlines)
    : QObject(&form),
      form_(form),
      grid_(grid),
      cursor_(cursor),
      clipboard_(clipboard),
      speech_(speech),
      operations_(operations),
      looseOutlines_(looseOutlines) {
    // Keys are taken as key presses by the control that has the focus (or the window), not as
    // shortcuts: the toolkit hands shortcuts to their action before anything else sees the
    // press, so a screen reader listening to the application's keys would hear only releases.
    form.installEventFilter(this);
    for (QWidget* control : focusChain(form)) control->installEventFilter(this);
}

// The window's own keys, wherever its focus is. Returns whether the key was one of them.
bool Keys::windowKey(const QKeyEvent& key) {
    TForm1* f = &form_;
    const Qt::KeyboardModifiers modifiers =
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    // The keypad's keys other than its digits are the screen reader's (Orca reviews the screen
    // with them), so they are left alone.
    const bool keypad = key.modifiers() & Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        const bool shift = modifiers & Qt::ShiftModifier;
        if (const int code = colourKey(key); code && !shift) {
            operations_.recolour(static_cast<kadro::ColourCode>(code));
            return true;
        }
        if (!shift && !keypad) {
            const std::optional<kadro::Side> side = key.key() == Qt::Key_Left       ? kadro::Side::Left
                                                    : key.key() == Qt::Key_Right    ? kadro::Side::Right
                                                    : key.key() == Qt::Key_Down     ? kadro::Side::Bottom
                                                    : key.key() == Qt::Key_Up       ? kadro::Side::Top
                                                    : key.key() == Qt::Key_PageUp   ? kadro::Side::Back
                                                    : key.key() == Qt::Key_PageDown ? kadro::Side::Front
                                                                                    : std::optional<kadro::Side>();
            if (side) {
                operations_.shift(*side);
                return true;
            }
        }
        switch (key.key()) {
            case Qt::Key_D:
                operations_.copyLayer(shift ? kadro::Side::Front : kadro::Side::Back);
                return true;
            case Qt::Key_L:
                if (shift) return false;
                looseOutlines_.toggle();
                return true;
            case Qt::Key_Z:
                if (shift) {
                    redo();
                } else {
                    undo();
                }
                return true;
            case Qt::Key_Y:
                if (shift) return false;
                redo();
                return true;
            case Qt::Key_C:
                if (shift) {
                    clipboard_.copyPicture();
                } else {
                    clipboard_.copyPartsListAndDesign();
                }
                return true;
            case Qt::Key_V:
                if (shift) return false;
                clipboard_.pasteDesign();
                return true;
            case Qt::Key_Q:
                if (shift) return false;
                f->Label14Click(f->Label14);
                return true;
            default:
                return false;
        }
    }
    if (modifiers == Qt::ShiftModifier && key.key() == Qt::Key_Insert && !keypad) {
        clipboard_.pasteDesign();
        return true;
    }
    if (modifiers & ~Qt::ShiftModifier) return false;
    if (const int code = colourKey(key)) {
        const auto colour = static_cast<kadro::ColourCode>(code);
        const bool already = speech_.places(colour);
        f->ShapeMouseDown(f->swatch(colour), colour);
        if (already) speech_.sayWhatAPressDoes();  // the next frame would find nothing changed
        return true;
    }
    if (keypad) return false;
    switch (key.key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            // The size bar's arrows.
            f->ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_Minus:
            f->ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepSub);
            return true;
        default:
            break;
    }
    switch (key.key()) {
        case Qt::Key_T:
            operations_.turn(modifiers ? kadro::Operation::TurnLeftToFront : kadro::Operation::TurnRightToFront);
            return true;
        case Qt::Key_V:
            operations_.turn(modifiers ? kadro::Operation::TipBottomToFront : kadro::Operation::TipTopToFront);
            return true;
        default:
            break;
    }
    if (modifiers) return false;
    switch (key.key()) {
        case Qt::Key_H:
            operations_.turn(kadro::Operation::Flip);
            return true;
        case Qt::Key_E:
            f->Button4Click(f->Button4);
            return true;
        case Qt::Key_G:
            f->Button3Click(f->Button3);
            return true;
        // The up-down's arrows, position and clamping included.
        case Qt::Key_PageUp:
            f->UpDown1->click(UpDownButton::Up);
            return true;
        case Qt::Key_PageDown:
            f->UpDown1->click(UpDownButton::Down);
            return true;
        default:
            return false;
    }
}

bool Keys::place() {
    const size_t recorded = form_.history().recordedSteps();
    if (!cursor_.place()) return false;
    // A change is said with the next frame; a press that changed nothing is said at once.
    if (form_.history().recordedSteps() == recorded) speech_.sayUnchangedCell();
    return true;
}

void Keys::undo() {
    if (!undoEdit(form_, grid_)) speech_.say("Nothing to undo");
}

void Keys::redo() {
    if (!redoEdit(form_, grid_)) speech_.say("Nothing to redo");
}

// The keys a focused control of the chain takes before the control itself. The layer up-down
// handles Up and Down itself (ui/controls.cpp), as its arrows.
bool Keys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (windowKey(*key)) return true;
    // The keypad is the screen reader's (Orca reviews the screen with it): what it leaves to
    // the program, the digits aside, does nothing here, also on the size bar and the spin box.
    if (key->modifiers() & Qt::KeypadModifier) return true;
    // A key the focused control did not take comes to the window too; the rest is the control's.
    if (watched == &form_) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const bool upDownKey = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down;
    switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            // On the size bar the arrows step it by one, right and up to the larger size, as its
            // arrow buttons do (Qt's own keys step a horizontal scroll bar the other way round);
            // the up-down keeps Up and Down for its own arrows.
            if (watched == form_.ScrollBar4) {
                const bool larger = key->key() == Qt::Key_Right || key->key() == Qt::Key_Up;
                form_.ScrollBar4->triggerAction(larger ? QAbstractSlider::SliderSingleStepAdd
                                                       : QAbstractSlider::SliderSingleStepSub);
                return true;
            }
            if (watched == form_.UpDown1 && upDownKey) return false;
            cursor_.move(key->key() == Qt::Key_Right  ? 1
                         : key->key() == Qt::Key_Left ? -1
                                                      : 0,
                         key->key() == Qt::Key_Up     ? 1
                         : key->key() == Qt::Key_Down ? -1
                                                      : 0);
            // The focus goes with the cursor, so that Enter then places at it and a screen
            // reader, which speaks the focused control, says the cell.
            if (watched != form_.Image1) form_.Image1->setFocus(Qt::OtherFocusReason);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter presses a focused button, as Space does; elsewhere it places at the cursor.
            if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
                button->click();
                return true;
            }
            return place();
        case Qt::Key_Insert:
            return place();
        case Qt::Key_Escape:
            if (!cursor_.cell()) return false;
            cursor_.hide();
            return true;
        default:
            return false;
    }
}
