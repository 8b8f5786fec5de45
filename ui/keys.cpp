#include "ui/keys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QShortcut>
#include <functional>
#include <utility>

#include "ui/Unit1.h"
#include "ui/cell_cursor.h"
#include "ui/clipboard.h"
#include "ui/focus.h"
#include "ui/undo.h"

Keys::Keys(TForm1& form, kadro::CellGrid& grid, CellCursor& cursor, Clipboard& clipboard)
    : QObject(&form), form_(form), cursor_(cursor) {
    TForm1* f = &form;
    kadro::CellGrid* g = &grid;
    Clipboard* c = &clipboard;
    const std::pair<QKeySequence, std::function<void()>> shortcuts[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Z), [f, g] { undoEdit(*f, *g); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [f, g] { redoEdit(*f, *g); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), [f, g] { redoEdit(*f, *g); }},
        {QKeySequence(Qt::CTRL | Qt::Key_C), [c] { c->copyPartsListAndDesign(); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), [c] { c->copyPicture(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_V), [c] { c->pasteDesign(); }},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), [c] { c->pasteDesign(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), [f] { f->Label14Click(f->Label14); }},
        {QKeySequence(Qt::Key_1), [f] { f->Shape1MouseDown(f->Shape1, {}); }},
        {QKeySequence(Qt::Key_2), [f] { f->Shape2MouseDown(f->Shape2, {}); }},
        {QKeySequence(Qt::Key_3), [f] { f->Shape3MouseDown(f->Shape3, {}); }},
        {QKeySequence(Qt::Key_4), [f] { f->Shape4MouseDown(f->Shape4, {}); }},
        {QKeySequence(Qt::Key_5), [f] { f->Shape5MouseDown(f->Shape5, {}); }},
        {QKeySequence(Qt::Key_E), [f] { f->Button4Click(f->Button4); }},
        {QKeySequence(Qt::Key_G), [f] { f->Button3Click(f->Button3); }},
        // The up-down's arrows, position and clamping included.
        {QKeySequence(Qt::Key_PageUp), [f] { f->UpDown1->click(UpDownButton::Up); }},
        {QKeySequence(Qt::Key_PageDown), [f] { f->UpDown1->click(UpDownButton::Down); }},
        // The size bar's arrows.
        {QKeySequence(Qt::Key_Plus),
         [f] { f->ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepAdd); }},
        {QKeySequence(Qt::Key_Equal),
         [f] { f->ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepAdd); }},
        {QKeySequence(Qt::Key_Minus),
         [f] { f->ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepSub); }},
    };
    for (const auto& [keys, action] : shortcuts) {
        // Window-wide, whichever control has the focus; the About window is another window.
        auto* key = new QShortcut(keys, &form);
        connect(key, &QShortcut::activated, this, action);
    }
    for (QWidget* control : focusChain(form)) control->installEventFilter(this);
}

// The keys a focused control of the chain takes before the control itself. The layer up-down
// handles Up and Down itself (ui/controls.cpp), as its arrows.
bool Keys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
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
            return cursor_.place();
        case Qt::Key_Insert:
            return cursor_.place();
        case Qt::Key_Escape:
            if (!cursor_.cell()) return false;
            cursor_.hide();
            return true;
        default:
            return false;
    }
}
