#include "ui/additions/keys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QKeySequence>
#include <functional>

#include "ui/additions/cell_cursor.h"
#include "ui/additions/clipboard.h"
#include "ui/additions/edges_view.h"
#include "ui/additions/focus.h"
#include "ui/additions/loose_outline.h"
#include "ui/additions/operations.h"
#include "ui/additions/reach/speech.h"
#include "ui/additions/tools/tools.h"
#include "ui/additions/undo.h"
#include "ui/form/Unit1.h"

namespace {

// A colour key: 1 to 5 on the main keyboard or, with Num Lock, the keypad; the physical keys of
// the digits count whatever the layout (X keycodes 10 to 14), as Qt's shortcuts matched them.
int colourKey(const QKeyEvent& key) {
    if (key.key() >= Qt::Key_1 && key.key() <= Qt::Key_5) return key.key() - Qt::Key_1 + 1;
    const quint32 code = key.nativeScanCode();
    return code >= 10 && code <= 14 && !(key.modifiers() & Qt::KeypadModifier)
               ? static_cast<int>(code) - 9
               : 0;
}

}  // namespace

Keys::Keys(TForm1& form, kadro::CellGrid& grid, CellCursor& cursor, Clipboard& clipboard,
           Speech& speech, ModelOperations& operations, LooseOutlines& looseOutlines, Tools& tools,
           EdgesView& edges)
    : QObject(&form),
      form_(form),
      grid_(grid),
      cursor_(cursor),
      speech_(speech),
      operations_(operations),
      tools_(tools) {
    using kadro::Side;
    using kadro::Turn;
    TForm1* f = &form;
    Clipboard* c = &clipboard;
    ModelOperations* o = &operations;
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier,
                                ctrl = Qt::ControlModifier,
                                ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const QList<QWidget*> counts = {f->Label1, f->Label2, f->Label4, f->Label8, f->Label9};
    const auto size = [f](QAbstractSlider::SliderAction step) {
        return [f, step] { f->ScrollBar4->triggerAction(step); };
    };
    windowKeys_ = {
        {Qt::Key_Z,
         ctrl,
         "Ctrl+Z",
         "undo",
         [this] { undo(); },
         {f->Button2, f->Button7},
         "undoes it"},
        {Qt::Key_Z, ctrlShift, "Ctrl+Shift+Z", "redo", [this] { redo(); }},
        {Qt::Key_Y, ctrl, "Ctrl+Y", "redo", [this] { redo(); }},
        {Qt::Key_C, ctrl, "Ctrl+C", "copy the parts list with the design",
         [c] { c->copyPartsListAndDesign(); }, counts, "copies the parts list"},
        {Qt::Key_C, ctrlShift, "Ctrl+Shift+C", "copy the picture", [c] { c->copyPicture(); }},
        {Qt::Key_V, ctrl, "Ctrl+V", "paste a design", [c] { c->pasteDesign(); }},
        {Qt::Key_Insert, shift, "Shift+Insert", "paste a design", [c] { c->pasteDesign(); }},
        {Qt::Key_Q,
         ctrl,
         "Ctrl+Q",
         "close, as the red X",
         [f] { f->Label14Click(f->Label14); },
         {f->Label14}},
        {Qt::Key_L, ctrl, "Ctrl+L", "show or hide outlines on the loose cubes",
         [&looseOutlines] { looseOutlines.toggle(); }},
        {Qt::Key_D,
         ctrl,
         "Ctrl+D",
         "copy the current layer onto the layer behind it and step there",
         [o] { o->copyLayer(Side::Back); },
         {f->UpDown1},
         "copies it onto the layer behind"},
        {Qt::Key_D, ctrlShift, "Ctrl+Shift+D",
         "copy the current layer onto the layer in front of it and step there",
         [o] { o->copyLayer(Side::Front); }},
        {Qt::Key_Left, ctrl, "Ctrl+arrow keys", "shift every cube one cell left",
         [o] { o->shift(Side::Left); }},
        {Qt::Key_Right, ctrl, "Ctrl+arrow keys", "shift every cube one cell right",
         [o] { o->shift(Side::Right); }},
        {Qt::Key_Down, ctrl, "Ctrl+arrow keys", "shift every cube one cell down",
         [o] { o->shift(Side::Bottom); }},
        {Qt::Key_Up, ctrl, "Ctrl+arrow keys", "shift every cube one cell up",
         [o] { o->shift(Side::Top); }},
        {Qt::Key_PageUp, ctrl, "Ctrl+Page Up", "shift every cube one layer back",
         [o] { o->shift(Side::Back); }},
        {Qt::Key_PageDown, ctrl, "Ctrl+Page Down", "shift every cube one layer forward",
         [o] { o->shift(Side::Front); }},
        {Qt::Key_T, none, "T",
         "turn the whole model a quarter turn: the right side comes to the front",
         [o] { o->turn(Turn::RightToFront); }},
        {Qt::Key_T, shift, "Shift+T",
         "turn the whole model a quarter turn: the left side comes to the front",
         [o] { o->turn(Turn::LeftToFront); }},
        {Qt::Key_V, none, "V", "tip the whole model a quarter turn: the top comes to the front",
         [o] { o->turn(Turn::TopToFront); }},
        {Qt::Key_V, shift, "Shift+V",
         "tip the whole model a quarter turn: the bottom comes to the front",
         [o] { o->turn(Turn::BottomToFront); }},
        {Qt::Key_H, none, "H", "flip the whole model left and right", [o] { o->turn(Turn::Flip); }},
    };
    for (const ToolRow& tool : toolRows())
        windowKeys_.push_back({tool.key, none, QKeySequence(tool.key).toString(),
                               QString("choose the %1 tool: %2").arg(tool.name, tool.description),
                               [&tools, &tool] { tools.choose(tool); }});
    // clang-format off
    const std::vector<KeyRow> more = {
        {Qt::Key_M, none, "M", "mirror editing on or off", [&tools] { tools.toggleMirror(); }},
        {Qt::Key_O, none, "O", "cubes drawn with edges, or as designed",
         [&edges] { edges.toggle(); }},
        {Qt::Key_E, none, "E", "erasing on or off", [f] { f->Button4Click(f->Button4); },
         {f->Button4}},
        {Qt::Key_G, none, "G", "grid pattern on or off", [f] { f->Button3Click(f->Button3); },
         {f->Button3}},
        // One layer back or forward, never past the block.
        {Qt::Key_PageUp, none, "Page Up", "one layer back, never past the block",
         [o] { o->stepLayer(Side::Back); }, {f->UpDown1}},
        {Qt::Key_PageDown, none, "Page Down", "one layer forward, never past the block",
         [o] { o->stepLayer(Side::Front); }, {f->UpDown1}},
    };
    // clang-format on
    windowKeys_.insert(windowKeys_.end(), more.begin(), more.end());
    // The size bar's arrows; + and = may need Shift, depending on the layout.
    for (const Qt::KeyboardModifiers modifiers : {none, shift}) {
        const QString larger = "the size bar's right arrow: one cell more per side";
        const QString smaller = "the size bar's left arrow: one cell less per side";
        const auto add = QAbstractSlider::SliderSingleStepAdd,
                   sub = QAbstractSlider::SliderSingleStepSub;
        windowKeys_.push_back({Qt::Key_Plus, modifiers, "+", larger, size(add), {f->ScrollBar4}});
        windowKeys_.push_back({Qt::Key_Equal, modifiers, "+", larger, size(add), {f->ScrollBar4}});
        windowKeys_.push_back({Qt::Key_Minus, modifiers, "-", smaller, size(sub), {f->ScrollBar4}});
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
        key.modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
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
        form_.ShapeMouseDown(form_.swatch(colour), colour);
        speech_.confirmColour();
        return true;
    }
    // The keypad's keys other than its digits are the screen reader's (Orca reviews the screen
    // with them).
    if (key.modifiers() & Qt::KeypadModifier) return false;
    for (const KeyRow& windowKey : windowKeys_) {
        if (windowKey.key == key.key() && windowKey.modifiers == modifiers) {
            windowKey.action();
            return true;
        }
    }
    return false;
}

std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> Keys::windowKeys() const {
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    for (const KeyRow& key : windowKeys_) keys.emplace_back(key.key, key.modifiers);
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
