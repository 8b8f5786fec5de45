// What makes the main window usable without a mouse and readable by a screen reader: its keys
// (all of them, in one place), the keyboard's cell cursor, the tab order and focus frame,
// tooltips, and accessible names and roles. None of it changes a pixel of the drawing area or
// what a handler does; the keys call the handlers.
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QShortcut>
#include <QToolTip>
#include <functional>

#include "model/parts_list.h"
#include "model/projection.h"
#include "ui/Unit1.h"

using namespace kadro;

namespace {

// A colour's name as a sentence starts with it: "Yellow" for code 1.
QString colourTitle(int code) {
    QString name = QString::fromLatin1(kColourNames[code - 1]);
    name[0] = name[0].toUpper();
    return name;
}

// A control Qt has no button for, offered to screen readers as a button whose press action
// does what a click does.
class PressableAccessible : public QAccessibleWidget {
public:
    PressableAccessible(QWidget* widget, std::function<void()> press)
        : QAccessibleWidget(widget, QAccessible::Button), press_(std::move(press)) {}
    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            press_();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    std::function<void()> press_;
};

QAccessibleInterface* pressableFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TShape")) {
        auto* swatch = static_cast<TShape*>(object);
        return new PressableAccessible(swatch, [swatch] { emit swatch->mouseDown({0, 0}); });
    }
    if (className == QLatin1String("TLabel") && object->objectName() == QLatin1String("Label14")) {
        auto* closeMark = static_cast<TLabel*>(object);
        return new PressableAccessible(closeMark, [closeMark] { emit closeMark->clicked(); });
    }
    return nullptr;
}

}  // namespace

void installAccessibleRoles() {
    // Before any control exists, so that no interface is made without it; once per process.
    static const bool installed = [] {
        QAccessible::installFactory(pressableFactory);
        return true;
    }();
    (void)installed;
}

void TForm1::installShortcuts() {
    const std::pair<QKeySequence, std::function<void()>> shortcuts[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { undoEdit(); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] { redoEdit(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { redoEdit(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_C), [this] { copyPartsList(); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), [this] { copyPicture(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { Label14Click(Label14); }},
        {QKeySequence(Qt::Key_1), [this] { Shape1MouseDown(Shape1, {}); }},
        {QKeySequence(Qt::Key_2), [this] { Shape2MouseDown(Shape2, {}); }},
        {QKeySequence(Qt::Key_3), [this] { Shape3MouseDown(Shape3, {}); }},
        {QKeySequence(Qt::Key_4), [this] { Shape4MouseDown(Shape4, {}); }},
        {QKeySequence(Qt::Key_5), [this] { Shape5MouseDown(Shape5, {}); }},
        {QKeySequence(Qt::Key_E), [this] { Button4Click(Button4); }},
        {QKeySequence(Qt::Key_G), [this] { Button3Click(Button3); }},
        // The up-down's arrows, position and clamping included.
        {QKeySequence(Qt::Key_PageUp), [this] { UpDown1->click(UpDownButton::Up); }},
        {QKeySequence(Qt::Key_PageDown), [this] { UpDown1->click(UpDownButton::Down); }},
        // The size bar's arrows.
        {QKeySequence(Qt::Key_Plus), [this] { ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepAdd); }},
        {QKeySequence(Qt::Key_Equal), [this] { ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepAdd); }},
        {QKeySequence(Qt::Key_Minus), [this] { ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepSub); }},
    };
    for (const auto& [keys, action] : shortcuts) {
        // Window-wide, whichever control has the focus; the About window is another window.
        auto* key = new QShortcut(keys, this);
        connect(key, &QShortcut::activated, this, action);
    }
}

void TForm1::installReach() {
    // The focus: the size bar first, as the layout orders its controls, the drawing area last.
    ScrollBar4->setFocusPolicy(Qt::StrongFocus);
    UpDown1->setFocusPolicy(Qt::StrongFocus);
    Image1->setFocusPolicy(Qt::TabFocus);
    QWidget* const chain[] = {ScrollBar4, UpDown1, Button2, Button3, Button4, Button5, Button6, Button7, Button11, Image1};
    for (size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
    ScrollBar4->setFocus();
    new FocusFrame(this);
    for (QWidget* control : chain) control->installEventFilter(this);

    // Tooltips: what each control does, and its key.
    for (int code = 1; code <= kColourCount; ++code) {
        const auto colour = static_cast<ColourCode>(code);
        swatch(colour)->setToolTip(QString("%1: clicks place %2 cubes (key %3)")
                                       .arg(colourTitle(code), kColourNames[code - 1]).arg(code));
        countLabel(colour)->setToolTip(QString("%1 cubes in the visible block (Ctrl+C copies the parts list)")
                                           .arg(colourTitle(code)));
        countLabel(colour)->setAccessibleName(QString("%1 cubes").arg(colourTitle(code)));
    }
    Label14->setToolTip("Closes KADRO; nothing is saved (Ctrl+Q)");
    Button2->setToolTip("CLEAR: empties the visible block (Ctrl+Z undoes it)");
    Button7->setToolTip("FILL: fills the visible block with the current colour (Ctrl+Z undoes it)");
    Button3->setToolTip("Hides or shows the pattern on empty cells (G)");
    Button4->setToolTip("Switches erasing on or off: clicks then empty cells (E)");
    Button5->setToolTip("Not available: KADRO keeps no files");
    Button6->setToolTip("Not available: KADRO keeps no files");
    Button11->setToolTip("Shows the About window");
    const QString layerTip("The layer that clicks edit: up cuts the front layers away (Page Up / Page Down)");
    for (QWidget* layer : std::initializer_list<QWidget*>{UpDown1, Label5, Label7}) layer->setToolTip(layerTip);
    const QString sizeTip("Cells per side, 2 to 20 (+ / -)");
    for (QWidget* size : std::initializer_list<QWidget*>{ScrollBar4, Label6, Label10}) size->setToolTip(sizeTip);
    Image2->setToolTip("KADRO");

    // Names for screen readers; the roles come from pressableFactory.
    Label14->setAccessibleName("Close");
    Label14->setAccessibleDescription(Label14->toolTip());
    UpDown1->setAccessibleName("Depth layer");
    ScrollBar4->setAccessibleName("Size");
    Image1->setAccessibleName("Drawing area");
    Image2->setAccessibleName("KADRO");
    describeForScreenReaders();
}

TShape* TForm1::swatch(ColourCode code) const {
    TShape* const swatches[kColourCount] = {Shape1, Shape2, Shape3, Shape4, Shape5};
    return swatches[static_cast<int>(code) - 1];
}

// What the names say follows what the picture and the counts show, so it changes only with a
// frame that was drawn.
void TForm1::describeForScreenReaders() {
    int32_t total = 0;
    for (int code = 1; code <= kColourCount; ++code) {
        const auto colour = static_cast<ColourCode>(code);
        const int32_t count = state_.countOf(colour);
        total += count;
        const QString name = QString("%1, %2 %3").arg(colourTitle(code)).arg(count).arg(count == 1 ? "cube" : "cubes");
        if (swatch(colour)->accessibleName() != name) swatch(colour)->setAccessibleName(name);
    }
    const int size = static_cast<int>(state_.gridDepth);
    const QString layer = QString("Layer %1 of %2").arg(state_.currentLayer).arg(size);
    if (UpDown1->accessibleDescription() != layer) UpDown1->setAccessibleDescription(layer);
    const QString area = QString("Size %1 x %1 x %1, layer %2, %3 cubes visible").arg(size).arg(state_.currentLayer).arg(total);
    if (Image1->accessibleDescription() != area) Image1->setAccessibleDescription(area);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::ToolTip) {
        const QPoint at = static_cast<QHelpEvent*>(event)->pos();
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), pressTip(at.x(), at.y()), Image1);
        return true;
    }
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
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
            if (watched == ScrollBar4) {
                const bool larger = key->key() == Qt::Key_Right || key->key() == Qt::Key_Up;
                ScrollBar4->triggerAction(larger ? QAbstractSlider::SliderSingleStepAdd
                                                 : QAbstractSlider::SliderSingleStepSub);
                return true;
            }
            if (watched == UpDown1 && upDownKey) return false;
            moveCellCursor(key->key() == Qt::Key_Right ? 1 : key->key() == Qt::Key_Left ? -1 : 0,
                           key->key() == Qt::Key_Up ? 1 : key->key() == Qt::Key_Down ? -1 : 0);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter presses a focused button, as Space does; elsewhere it places at the cursor.
            if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
                button->click();
                return true;
            }
            if (!cellCursor_) return false;
            placeAtCellCursor();
            return true;
        case Qt::Key_Insert:
            if (cellCursor_) placeAtCellCursor();
            return cellCursor_.has_value();
        case Qt::Key_Escape:
            if (!cellCursor_) return false;
            hideCellCursor();
            return true;
        default:
            return false;
    }
}

QString TForm1::pressTip(int x, int y) const {
    const std::optional<Hit> hit = hitTest(state_, x, y);
    if (!hit || !CellGrid::contains(hit->column, hit->row, state_.currentLayer))
        return "A click here changes nothing";
    const bool shown = hit->column < state_.gridWidth && hit->row < state_.gridHeight;
    const QString what = state_.eraseMode ? QString("empties")
                                          : QString("places %1 in").arg(kColourNames[state_.currentColour - 1]);
    return QString("A click here %1 column %2, row %3, layer %4%5")
        .arg(what)
        .arg(hit->column + 1)
        .arg(hit->row + 1)
        .arg(state_.currentLayer)
        .arg(shown ? "" : " (beyond the size shown)");
}

void TForm1::moveCellCursor(int columns, int rows) {
    const int size = static_cast<int>(state_.gridWidth);
    if (!cellCursor_) {
        cellCursor_ = Hit{size / 2, size / 2};  // the first press shows it at the centre
    } else {
        cellCursor_->column += columns;
        cellCursor_->row += rows;
    }
    showCellCursor();
}

void TForm1::showCellCursor() {
    if (!cellCursor_) return;
    const int size = static_cast<int>(state_.gridWidth);
    cellCursor_->column = std::clamp(cellCursor_->column, 0, size - 1);
    cellCursor_->row = std::clamp(cellCursor_->row, 0, size - 1);
    // The top face of the cube: the last square of its stack.
    const double side = state_.cellSize;
    const StackAnchor anchor = stackAnchor(grid_.at(cellCursor_->column, cellCursor_->row, state_.currentLayer), side);
    const int squares = squareCount(side * 0.5);
    const int x = anchor.x + squares, y = anchor.y - squares;
    Image1->setOutline(QRect(QPoint(x, static_cast<int>(y - side)), QPoint(static_cast<int>(x + side) - 1, y - 1)));
}

void TForm1::hideCellCursor() {
    cellCursor_.reset();
    Image1->setOutline(QRect());
}

// A press at the centre of the cell's top face, which selects that very cell at every size and
// layer.
void TForm1::placeAtCellCursor() {
    showCellCursor();
    const double s = state_.cellSize;
    const int layer = state_.currentLayer;
    pressAt(static_cast<int>(state_.originX + s * cellCursor_->column + layer * s / 2 + s / 2),
            static_cast<int>(state_.originY - s * cellCursor_->row - layer * s / 2 - s / 2));
}
