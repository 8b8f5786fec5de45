#include "ui/additions/reach/speech.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <numeric>

#include "model/operations.h"
#include "ui/form/Unit1.h"
#include "ui/additions/cell_cursor.h"
#include "ui/additions/colour_words.h"
#include "ui/additions/reach/offered.h"

using namespace kadro;

namespace {

// An object of the accessible tree that no widget stands for: the notification and the cursor's
// cells. It lives as long as the widget it belongs to.
class VirtualAccessible : public QAccessibleInterface {
public:
    VirtualAccessible(QWidget* owner, QAccessible::Role role, std::function<QString()> name)
        : owner_(owner), role_(role), name_(std::move(name)) {}
    bool isValid() const override { return !owner_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return owner_ ? owner_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(owner_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    // A cell that the cursor has left keeps the name it had, so that a screen reader comparing
    // it with the next one by name and place finds them different.
    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name) return {};
        return role_ == QAccessible::Notification || focused ? name_() : left;
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        return owner_ ? QRect(owner_->mapToGlobal(QPoint(0, 0)), owner_->size()) : QRect();
    }
    QAccessible::Role role() const override { return role_; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = role_ != QAccessible::Notification;
        state.focused = focused && owner_ && owner_->hasFocus();
        return state;
    }
    bool focused = false;
    QString left;

private:
    QPointer<QWidget> owner_;
    QAccessible::Role role_;
    std::function<QString()> name_;
};

// A widget offered with one virtual child, or none while `child` gives none.
class ParentAccessible : public QAccessibleWidget {
public:
    ParentAccessible(QWidget* widget, QAccessible::Role role,
                     std::function<QAccessibleInterface*()> child)
        : QAccessibleWidget(widget, role), child_(std::move(child)) {}
    int childCount() const override { return child_() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? child_() : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child == child_() ? 0 : -1;
    }

private:
    std::function<QAccessibleInterface*()> child_;
};

// A value event of a control that does not show (the start-up animation's hidden progress bar
// moves 39 times) tells a listener nothing it can reach; it is not passed on.
void passOn(QAccessibleEvent* event) {
    if (event->type() == QAccessible::ValueChanged) {
        const auto* widget = qobject_cast<const QWidget*>(event->object());
        if (widget && !widget->isVisible()) return;
    }
    // The toolkit's own handling is what runs without a handler.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(passOn);
}

}  // namespace

struct Speech::Objects {
    VirtualAccessible* notification;
    std::array<VirtualAccessible*, 2> cells;  // the cursor's cell, the two taking turns
    int current = -1;                         // which of the two is the cursor's, if shown
};

Speech::Speech(TForm1& form, const ViewState& state, const CellGrid& grid, const CellCursor& cursor)
    : QObject(&form),
      form_(form),
      state_(state),
      grid_(grid),
      cursor_(cursor),
      statusBar_(new QWidget(&form)),
      objects_(new Objects{}) {
    static const bool installed = [] {
        QAccessible::installUpdateHandler(passOn);
        return true;
    }();
    (void)installed;
    // A status bar of no size: it shows nothing and takes no press, but a screen reader finds it.
    statusBar_->setGeometry(0, 0, 0, 0);
    statusBar_->setAccessibleName("Status");

    Objects* objects = objects_;
    objects->notification =
        new VirtualAccessible(statusBar_, QAccessible::Notification, [this] { return said_; });
    for (auto& cell : objects->cells)
        cell = new VirtualAccessible(form.Image1, QAccessible::Client,
                                     [this] { return cursorCell(); });
    offerAccessible(statusBar_, [bar = statusBar_, objects] {
        return new ParentAccessible(bar, QAccessible::StatusBar,
                                    [objects] { return objects->notification; });
    });
    offerAccessible(form.Image1, [area = form.Image1, objects] {
        return new ParentAccessible(
            area, QAccessible::Client, [objects]() -> QAccessibleInterface* {
                return objects->current < 0 ? nullptr : objects->cells[objects->current];
            });
    });
    connect(this, &QObject::destroyed, [objects, bar = statusBar_, area = form.Image1] {
        withdrawAccessible(bar);
        withdrawAccessible(area);
        for (QAccessibleInterface* object :
             {static_cast<QAccessibleInterface*>(objects->notification),
              static_cast<QAccessibleInterface*>(objects->cells[0]),
              static_cast<QAccessibleInterface*>(objects->cells[1])})
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(object));
        delete objects;
    });

    connect(&form, &TForm1::frameDrawn, this, [this] {
        const FrameSummary now = see();
        if (started_) {
            // The usual frame reads nothing from the history.
            const EditHistory& history = form_.history();
            const StepTaken taken = stepTaken(seen_, now);
            const std::optional<StepSummary> step = taken == StepTaken::None ? std::nullopt
                                                    : taken == StepTaken::Undone
                                                        ? history.nextRedo()
                                                        : history.nextUndo();
            QString sentence = changesSaid(seen_, now, step);
            if (!pending_.isEmpty()) sentence += (sentence.isEmpty() ? "" : ". ") + pending_;
            if (!sentence.isEmpty()) say(sentence);
        }
        pending_.clear();
        started_ = true;
        seen_ = now;
    });
    // A change that drew no frame after all (a layer stepped there and back before the tick)
    // is said when the frames stop.
    connect(&form, &TForm1::resting, this, [this] {
        if (pending_.isEmpty()) return;
        say(pending_);
        pending_.clear();
    });
    connect(&cursor, &CellCursor::changed, this, [this] {
        if (cursor_.cell()) {
            // The focus goes to the drawing area after the cursor has moved: the cell follows it.
            QTimer::singleShot(0, this, [this] { focusCell(); });
        } else {
            objects_->current = -1;
            if (cursorShown_) say("Cell cursor hidden");
        }
        cursorShown_ = cursor_.cell().has_value();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == form_.Image1 && cursor_.cell())
            QTimer::singleShot(0, this, [this] { focusCell(); });
    });
}

void Speech::focusCell() {
    Objects* objects = objects_;
    if (!cursor_.cell() || !form_.Image1->hasFocus()) return;
    objects->current = objects->current == 0 ? 1 : 0;
    objects->cells[objects->current]->left = cursorCell();
    for (int i = 0; i < 2; ++i) objects->cells[i]->focused = i == objects->current;
    if (!QAccessible::isActive()) return;
    QAccessibleEvent event(objects->cells[objects->current], QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void Speech::say(const QString& sentence) {
    said_ = sentence;
    if (!QAccessible::isActive()) return;
    QAccessibleEvent event(objects_->notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&event);
}

void Speech::confirmColour() {
    const FrameSummary now = see();
    if (started_ && !now.differsFrom(seen_)) say(whatAPressDoes(now));
}

QString Speech::cursorHolds() const {
    const std::optional<Hit> cell = cursor_.cell();
    return cell ? colourName(static_cast<int>(
                      grid_.at(cell->column, cell->row, state_.currentLayer).colour))
                : QString();
}

void Speech::sayUnchangedCell() {
    if (cursor_.cell()) say("Already " + cursorHolds());
}

QString Speech::cursorCell(Layer layer) const {
    const std::optional<Hit> cell = cursor_.cell();
    if (!cell) return {};
    return QString("Column %1, row %2%3: %4")
        .arg(cell->column + 1)
        .arg(cell->row + 1)
        .arg(layer == Layer::Said ? QString(", layer %1").arg(state_.currentLayer) : QString())
        .arg(cursorHolds());
}

void Speech::sayOnceShown(const QString& sentence) {
    if (!started_ || !see().differsFrom(seen_)) {
        say(sentence);
        return;
    }
    pending_ += (pending_.isEmpty() ? "" : ". ") + sentence;
}

FrameSummary Speech::see() const {
    const EditHistory& history = form_.history();
    FrameSummary seen;
    seen.colour = state_.currentColour;
    seen.erasing = state_.eraseMode;
    seen.grid = state_.gridVisible;
    seen.layer = state_.currentLayer;
    seen.size = static_cast<int>(state_.gridDepth);
    seen.cubes =
        std::accumulate(state_.colourCounts.begin(), state_.colourCounts.end(), int32_t{0});
    seen.stepsDone = history.droppedSteps() + history.undoSteps();
    seen.recorded = history.recordedSteps();
    seen.focus = form_.ScrollBar4->hasFocus() ? FrameSummary::Focus::SizeBar
                 : form_.UpDown1->hasFocus()  ? FrameSummary::Focus::LayerBox
                                              : FrameSummary::Focus::Elsewhere;
    seen.cursorCell = cursorCell(Layer::Left);
    return seen;
}
