#include "ui/keys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <functional>

#include "ui/Unit1.h"
#include "ui/cell_cursor.h"
#include "ui/clipboard.h"
#include "ui/focus.h"
#include "ui/loose_outline.h"
#include "ui/operations.h"
#include "ui/speech.h"
#include "ui/tools.h"
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
           ModelOperations& operations, LooseOutlines& looseOutlines, Tools& tools)
    : QObject(&form),
      form_(form),
      grid_(grid),
      cursor_(cursor),
      speech_(speech),
      operations_(operations),
      tools_(tools) {
    using kadro::Operation;
    using kadro::Side;
    TForm1* f = &form;
    Clipboard* c = &clipboard;
    ModelOperations* o = &operations;
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier,
                                ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    windowKeys_ = {
        {Qt::Key_Z, ctrl, [this] { undo(); }},
        {Qt::Key_Z, ctrlShift, [this] { redo(); }},
        {Qt::Key_Y, ctrl, [this] { redo(); }},
        {Qt::Key_C, ctrl, [c] { c->copyPartsListAndDesign(); }},
        {Qt::Key_C, ctrlShift, [c] { c->copyPicture(); }},
        {Qt::Key_V, ctrl, [c] { c->pasteDesign(); }},
        {Qt::Key_Insert, shift, [c] { c->pasteDesign(); }},
        {Qt::Key_Q, ctrl, [f] { f->Label14Click(f->Label14); }},
        {Qt::Key_L, ctrl, [&looseOutlines] { looseOutlines.toggle(); }},
        {Qt::Key_D, ctrl, [o] { o->copyLayer(Side::Back); }},
        {Qt::Key_D, ctrlShift, [o] { o->copyLayer(Side::Front); }},
        {Qt::Key_Left, ctrl, [o] { o->shift(Side::Left); }},
        {Qt::Key_Right, ctrl, [o] { o->shift(Side::Right); }},
        {Qt::Key_Down, ctrl, [o] { o->shift(Side::Bottom); }},
        {Qt::Key_Up, ctrl, [o] { o->shift(Side::Top); }},
        {Qt::Key_PageUp, ctrl, [o] { o->shift(Side::Back); }},
        {Qt::Key_PageDown, ctrl, [o] { o->shift(Side::Front); }},
        {Qt::Key_T, none, [o] { o->turn(Operation::TurnRightToFront); }},
        {Qt::Key_T, shift, [o] { o->turn(Operation::TurnLeftToFront); }},
        {Qt::Key_V, none, [o] { o->turn(Operation::TipTopToFront); }},
        {Qt::Key_V, shift, [o] { o->turn(Operation::TipBottomToFront); }},
        {Qt::Key_H, none, [o] { o->turn(Operation::Flip); }},
        {Qt::Key_P, none, [&tools] { tools.choose(Tool::Place); }},
        {Qt::Key_B, none, [&tools] { tools.choose(Tool::Brush); }},
        {Qt::Key_L, none, [&tools] { tools.choose(Tool::Line); }},
        {Qt::Key_R, none, [&tools] { tools.choose(Tool::Rectangle); }},
        {Qt::Key_F, none, [&tools] { tools.choose(Tool::FloodFill); }},
        {Qt::Key_I, none, [&tools] { tools.choose(Tool::Picker); }},
        {Qt::Key_M, none, [&tools] { tools.toggleMirror(); }},
        {Qt::Key_E, none, [f] { f->Button4Click(f->Button4); }},
        {Qt::Key_G, none, [f] { f->Button3Click(f->Button3); }},
        // One layer back or forward, never past the block.
        {Qt::Key_PageUp, none, [o] { o->stepLayer(Side::Back); }},
        {Qt::Key_PageDown, none, [o] { o->stepLayer(Side::Front); }},
    };
    // The size bar's arrows; + and = may need Shift, depending on the layout.
    for (const Qt::KeyboardModifiers modifiers : {none, shift}) {
        windowKeys_.push_back({Qt::Key_Plus, modifiers, [f] { f->ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepAdd); }});
        windowKeys_.push_back({Qt::Key_Equal, modifiers, [f] { f->ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepAdd); }});
        windowKeys_.push_back({Qt::Key_Minus, modifiers, [f] { f->ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepSub); }});
    }
    // Keys are taken as key presses by the control that has the focus (or the window), not as
    // shortcuts: the toolkit hands shortcuts to their action before anything else sees the
    // press, so a screen reader listening to the application's keys would hear only releases.
    form.installEventFilter(this);
    for (QWidget* control : focusChain(form)) control->installEventFilter(this);
}

// The window's own keys, wherever its focus is. Returns whether the key was one of them.
bool Keys::windowKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers =
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    // Escape first drops what a tool has under way; any other key ends a brush stroke, so that the
    // stroke is a step of its own before what the key does.
    if (key.key() == Qt::Key_Escape && modifiers == Qt::NoModifier && tools_.cancel()) return true;
    const bool modifierAlone = key.key() == Qt::Key_Shift || key.key() == Qt::Key_Control ||
                               key.key() == Qt::Key_Alt || key.key() == Qt::Key_Meta;
    if (!modifierAlone) tools_.settle();
    if (const int code = colourKey(key)) {
        const auto colour = static_cast<kadro::ColourCode>(code);
        if (modifiers == Qt::ControlModifier) {
            operations_.recolour(colour);
            return true;
        }
        if (modifiers & ~Qt::ShiftModifier) return false;
        const bool already = speech_.places(colour);
        form_.ShapeMouseDown(form_.swatch(colour), colour);
        if (already) speech_.sayWhatAPressDoes();  // the next frame would find nothing changed
        return true;
    }
    // The keypad's keys other than its digits are the screen reader's (Orca reviews the screen
    // with them).
    if (key.modifiers() & Qt::KeypadModifier) return false;
    for (const WindowKey& windowKey : windowKeys_) {
        if (windowKey.key == key.key() && windowKey.modifiers == modifiers) {
            windowKey.action();
            return true;
        }
    }
    return false;
}

std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> Keys::windowKeys() const {
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    for (const WindowKey& key : windowKeys_) keys.emplace_back(key.key, key.modifiers);
    return keys;
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
            // Enter presses a focused button, as Space does; elsewhere the tool acts at the cursor.
            if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
                button->click();
                return true;
            }
            return tools_.actAtCursor();
        case Qt::Key_Insert:
            return tools_.actAtCursor();
        case Qt::Key_Escape:
            if (!cursor_.cell()) return false;
            cursor_.hide();
            return true;
        default:
            return false;
    }
}
