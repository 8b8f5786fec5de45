#include "ui/additions/reach/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QToolButton>
#include <QToolTip>
#include <functional>

#include "model/palette.h"
#include "model/projection.h"
#include "ui/additions/colour_words.h"
#include "ui/additions/key_row.h"
#include "ui/additions/reach/offered.h"
#include "ui/additions/tools/tool_rows.h"
#include "ui/form/Unit1.h"

using namespace kadro;

namespace {

// A control Qt has no button for, offered to screen readers as a button whose press action
// does what a click does.
class PressableAccessible : public QAccessibleWidget {
public:
    PressableAccessible(QWidget* widget, std::function<void()> press)
        : QAccessibleWidget(widget, QAccessible::Button), press_(std::move(press)) {}
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << pressAction();
    }
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

// The layer up-down as a spin box: its value is the current layer, within 1 and the size, and
// the text it shows "Layer 2 of 5", which a screen reader says for a spin box's value.
class LayerAccessible : public QAccessibleWidget,
                        public QAccessibleValueInterface,
                        public QAccessibleTextInterface {
public:
    LayerAccessible(TUpDown* upDown, const ViewState& state)
        : QAccessibleWidget(upDown, QAccessible::SpinBox), upDown_(upDown), state_(state) {}
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    // The text, read only, with no selection and the caret at its start.
    QString shown() const {
        return QString("Layer %1 of %2")
            .arg(state_.currentLayer)
            .arg(static_cast<int>(state_.gridDepth));
    }
    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = *end = 0;
        return {};
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return QString::number(state_.currentLayer);
        return QAccessibleWidget::text(kind);
    }
    QVariant currentValue() const override { return state_.currentLayer; }
    // As many arrow clicks as it takes, each as the user's, held within the size.
    void setCurrentValue(const QVariant& value) override {
        const int wanted = value.toInt();
        for (int guard = 0; guard < kGridSide && state_.currentLayer != wanted; ++guard) {
            const int before = state_.currentLayer;
            upDown_->click(wanted > before ? UpDownButton::Up : UpDownButton::Down);
            if (state_.currentLayer == before) break;
        }
    }
    QVariant maximumValue() const override { return static_cast<int>(state_.gridDepth); }
    QVariant minimumValue() const override { return 1; }
    QVariant minimumStepSize() const override { return 1; }

private:
    TUpDown* upDown_;
    const ViewState& state_;
};

// The main window as a frame whose children are the controls that show; the hidden ones are
// not offered.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}
    int childCount() const override { return static_cast<int>(shown().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> controls = shown();
        return index >= 0 && index < controls.size()
                   ? QAccessible::queryAccessibleInterface(controls[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? static_cast<int>(shown().indexOf(qobject_cast<QWidget*>(child->object())))
                     : -1;
    }

private:
    QList<QWidget*> shown() const {
        QList<QWidget*> controls;
        for (QWidget* control : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!control->isHidden() && !control->isWindow()) controls.append(control);
        }
        return controls;
    }
};

void offerAsButton(QWidget* control, std::function<void()> press) {
    offerAccessible(control, [control, press] { return new PressableAccessible(control, press); });
}

}  // namespace

ScreenReaderNames::ScreenReaderNames(TForm1& form, const ViewState& state)
    : QObject(&form), form_(form), state_(state) {
    for (int code = 1; code <= kColourCount; ++code) {
        TShape* swatch = form.swatch(static_cast<ColourCode>(code));
        offerAsButton(swatch, [swatch] { emit swatch->mouseDown({0, 0}); });
        form.countLabel(static_cast<ColourCode>(code))
            ->setAccessibleName(QString("%1 cubes").arg(colourTitle(code)));
    }
    offerAsButton(form.Label14, [closeMark = form.Label14] { emit closeMark->clicked(); });
    offerAccessible(form.UpDown1,
                    [upDown = form.UpDown1, &state] { return new LayerAccessible(upDown, state); });
    offerAccessible(&form, [window = &form] { return new WindowAccessible(window); });
    form.UpDown1->upArrow()->setAccessibleName("One layer back");
    form.UpDown1->downArrow()->setAccessibleName("One layer forward");
    form.Label14->setAccessibleName("Close");
    form.UpDown1->setAccessibleName("Depth layer");
    form.ScrollBar4->setAccessibleName("Size");
    form.Image2->setAccessibleName("KADRO");
    form.Image1->installEventFilter(this);
    connect(&form, &TForm1::frameDrawn, this, [this] { describe(); });
    describe();
}

void ScreenReaderNames::installTooltips(const std::vector<KeyRow>& keys) {
    TForm1& form = form_;
    // The keys named on a control, once each: "(Page Up / Page Down; Ctrl+D copies it onto the
    // layer behind)".
    const auto keysOn = [&](QWidget* control) {
        QStringList plain, worded;
        for (const KeyRow& key : keys) {
            if (!key.tipOn.contains(control) || plain.contains(key.label)) continue;
            if (key.tipWords.isEmpty()) {
                plain << key.label;
            } else if (!worded.contains(key.label + " " + key.tipWords)) {
                worded << key.label + " " + key.tipWords;
            }
        }
        if (!plain.isEmpty()) worded.prepend(plain.join(" / "));
        return " (" + worded.join("; ") + ")";
    };
    for (int code = 1; code <= kColourCount; ++code) {
        const auto colour = static_cast<ColourCode>(code);
        form.swatch(colour)->setToolTip(
            QString(
                "%1: clicks place %2 cubes (key %3; Ctrl+%3 turns the current colour's cubes %2)")
                .arg(colourTitle(code), kPalette[code - 1].name)
                .arg(code));
        form.countLabel(colour)->setToolTip(
            QString("%1 cubes in the visible block").arg(colourTitle(code)) +
            keysOn(form.countLabel(colour)));
    }
    form.Label14->setToolTip("Closes KADRO; nothing is saved" + keysOn(form.Label14));
    form.Button2->setToolTip("CLEAR: empties the visible block" + keysOn(form.Button2));
    form.Button7->setToolTip("FILL: fills the visible block with the current colour" +
                             keysOn(form.Button7));
    form.Button3->setToolTip("Hides or shows the pattern on empty cells" + keysOn(form.Button3));
    form.Button4->setToolTip("Switches erasing on or off: clicks then empty cells" +
                             keysOn(form.Button4));
    // LOAD and SAVE do nothing; a design is kept through the clipboard.
    form.Button5->setToolTip(
        "Not available: KADRO keeps no files. Ctrl+V brings back a design copied with Ctrl+C");
    form.Button6->setToolTip(
        "Not available: KADRO keeps no files. Ctrl+C copies the design as text; keep it anywhere");
    form.Button11->setToolTip("Shows the About window");
    form.Label14->setAccessibleDescription(form.Label14->toolTip());
    // A screen reader says a button's name before its description, so the description does
    // not say the name again.
    for (QPushButton* button : {form.Button2, form.Button7}) {
        const QString tip = button->toolTip();
        QString description = tip.mid(tip.indexOf(": ") + 2);
        description[0] = description[0].toUpper();
        button->setAccessibleDescription(description);
    }
    const QString layerTip =
        "The layer that clicks edit: up cuts the front layers away" + keysOn(form.UpDown1);
    for (QWidget* layer : {static_cast<QWidget*>(form.UpDown1), static_cast<QWidget*>(form.Label5),
                           static_cast<QWidget*>(form.Label7)})
        layer->setToolTip(layerTip);
    const QString sizeTip = "Cells per side, 2 to 20" + keysOn(form.ScrollBar4);
    for (QWidget* size : {static_cast<QWidget*>(form.ScrollBar4),
                          static_cast<QWidget*>(form.Label6), static_cast<QWidget*>(form.Label10)})
        size->setToolTip(sizeTip);
    // The logo stands for the whole model: its tip names the keys that work on all of it.
    form.Image2->setToolTip(
        "KADRO. The whole model: T / Shift+T turn, V / Shift+V tip, H flips, Ctrl+arrows and "
        "Ctrl+Page Up / Down shift");
    QStringList tools;
    for (const ToolRow& tool : toolRows())
        tools << QKeySequence(tool.key).toString() + " " + tool.name;
    toolKeys_ = "\nTools: " + tools.join(", ") + "; M mirror; O cubes with edges";
}

// What the names say follows what the picture and the counts show, so it changes only with a
// frame that was drawn.
void ScreenReaderNames::describe() {
    int32_t total = 0;
    for (int code = 1; code <= kColourCount; ++code) {
        const auto colour = static_cast<ColourCode>(code);
        const int32_t count = state_.countOf(colour);
        total += count;
        const QString name = QString("%1, %2").arg(colourTitle(code), countedCubes(count));
        if (form_.swatch(colour)->accessibleName() != name)
            form_.swatch(colour)->setAccessibleName(name);
    }
    // What a press there does, so that choosing a colour or erasing is said where the focus is.
    const PaletteEntry* colour = paletteEntryOf(static_cast<float>(state_.currentColour));
    const QString area = tool_.isEmpty() ? QString("Drawing area") : "Drawing area, " + tool_;
    const QString does = state_.eraseMode ? area + ", erasing"
                         : colour         ? QString("%1, placing %2").arg(area, colour->name)
                                          : area;
    if (form_.Image1->accessibleName() != does) form_.Image1->setAccessibleName(does);
    const int size = static_cast<int>(state_.gridDepth);
    if (state_.currentLayer != layerSaid_) {
        layerSaid_ = state_.currentLayer;
        QAccessibleValueChangeEvent event(form_.UpDown1, layerSaid_);
        QAccessible::updateAccessibility(&event);
    }
    const QString block = QString("Size %1 x %1 x %1, layer %2, %3 visible")
                              .arg(size)
                              .arg(state_.currentLayer)
                              .arg(countedCubes(total));
    if (form_.Image1->accessibleDescription() != block)
        form_.Image1->setAccessibleDescription(block);
}

bool ScreenReaderNames::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_.Image1 && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(),
                           pressTip(help->pos().x(), help->pos().y()) + toolKeys_, form_.Image1);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ScreenReaderNames::setTool(const QString& word, PressReach reach, PressDoes does,
                                std::function<QString(int x, int y)> tip) {
    tip_ = std::move(tip);
    tool_ = word;
    reach_ = reach;
    does_ = does;
    describe();
}

QString ScreenReaderNames::pressTip(int x, int y) const {
    if (tip_) return tip_(x, y);
    const std::optional<Hit> hit = hitTest(state_, x, y);
    if (!hit || !CellGrid::contains(hit->column, hit->row, state_.currentLayer))
        return "A click here changes nothing";
    const bool shown = hit->column < state_.gridWidth && hit->row < state_.gridHeight;
    if (reach_ == PressReach::BlockOnly && !shown) return "A click here changes nothing";
    const QString what = does_ == PressDoes::Pick ? QString("picks the colour of")
                         : state_.eraseMode
                             ? QString("empties")
                             : QString("places %1 in").arg(kPalette[state_.currentColour - 1].name);
    const QString tip = QString("click here %1 column %2, row %3, layer %4%5")
                            .arg(what)
                            .arg(hit->column + 1)
                            .arg(hit->row + 1)
                            .arg(state_.currentLayer)
                            .arg(shown ? "" : " (beyond the size shown)");
    if (tool_.isEmpty()) return "A " + tip;
    QString tool = tool_;
    tool[0] = tool[0].toUpper();
    return tool + ": a " + tip;
}
