// A long seeded stream of random user events through the main window's own events (presses,
// moves and releases on the drawing area, some releases never coming, every key of the window's
// table, the controls' keys), with the model's invariants checked after every event.
// KADRO_STREAM_EVENTS and KADRO_STREAM_SEED set the length and the seed; a failure prints the
// seed and the event number to replay it.
#include <QClipboard>
#include <QElapsedTimer>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "form_fixture.h"
#include "ui/additions/keys.h"
#include "ui/additions/undo.h"
#include "scenes.h"
#include "model/animation.h"
#include "model/design_text.h"
#include "model/history.h"
#include "model/recount.h"

using namespace kadro;

namespace {

// What a user may have on the clipboard: a design, a design with one fault, or anything at all.
std::string pasteText(std::mt19937& random) {
    auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    const int kind = pick(0, 2);
    if (kind == 2) {
        std::string garbage(static_cast<size_t>(pick(0, 200)), ' ');
        for (char& c : garbage) c = static_cast<char>(pick(0, 255));
        return garbage;
    }
    const int size = pick(kMinSize, kMaxSize);
    std::string text = "KADRO design\nsize " + std::to_string(size) + "\n";
    for (int layer = 1; layer <= size; ++layer) {
        text += "layer " + std::to_string(layer) + "\n";
        for (int row = 0; row < size; ++row) {
            for (int column = 0; column < size; ++column) text += ".YLAFR"[pick(0, 5)];
            text += '\n';
        }
    }
    if (kind == 1) text[static_cast<size_t>(pick(0, int(text.size()) - 1))] = static_cast<char>(pick(32, 126));
    return text;
}

// Counts the menus and dialogs open at once, and how many opened at all.
struct ModalWatch : QObject {
    ModalWatch() { QApplication::instance()->installEventFilter(this); }
    ~ModalWatch() override { QApplication::instance()->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((qobject_cast<QMenu*>(watched) || qobject_cast<QDialog*>(watched)) &&
            (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
            open += event->type() == QEvent::Show ? 1 : -1;
            opened += event->type() == QEvent::Show;
            most = std::max(most, open);
        }
        return false;
    }
    int open = 0, most = 0, opened = 0;
};

long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text ? std::strtol(text, nullptr, 10) : fallback;
}

const char* const kEventNames[] = {"press on drawing area", "press anywhere", "swatch", "grid toggle",
                                   "erase toggle", "up-down", "size", "CLEAR", "FILL", "intro tick",
                                   "frame tick", "About", "key", "paste", "right press",
                                   "move on drawing area", "release", "release that never came"};

// The keys the stream presses besides the window's own table: the colour keys (Ctrl+1 to 5
// recolour), the keys of the focused control and the cell cursor, and the focus keys.
const std::pair<Qt::Key, Qt::KeyboardModifiers> kControlKeys[] = {
    {Qt::Key_1, Qt::NoModifier}, {Qt::Key_2, Qt::NoModifier}, {Qt::Key_3, Qt::NoModifier},
    {Qt::Key_4, Qt::NoModifier}, {Qt::Key_5, Qt::NoModifier}, {Qt::Key_1, Qt::ControlModifier},
    {Qt::Key_2, Qt::ControlModifier}, {Qt::Key_3, Qt::ControlModifier}, {Qt::Key_4, Qt::ControlModifier},
    {Qt::Key_5, Qt::ControlModifier}, {Qt::Key_Left, Qt::NoModifier}, {Qt::Key_Right, Qt::NoModifier},
    {Qt::Key_Up, Qt::NoModifier}, {Qt::Key_Down, Qt::NoModifier}, {Qt::Key_Return, Qt::NoModifier},
    {Qt::Key_Insert, Qt::NoModifier}, {Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_Tab, Qt::NoModifier},
    {Qt::Key_Backtab, Qt::ShiftModifier},
};

}  // namespace

class EventStreamTest : public MainAndAboutWindowTest {
protected:
    void SetUp() override {
        MainAndAboutWindowTest::SetUp();
        // Both timers stay enabled as at start-up, but their ticks are events of the stream,
        // driven by hand.
        form->Timer1->blockSignals(true);
        form->Timer2->blockSignals(true);
        form->show();  // shortcuts act in a shown, active window
    }

    std::vector<float> colours() const { return kadro::testing::coloursOf(*grid); }

    // Undoes every step and redoes them again. Undoing everything must give the animation's last
    // pattern (`floor`, empty before the animation ends) while no step was dropped for the
    // bounds, and redoing must give back what the grid held. Returns what broke, if anything.
    std::string historyRoundTripBroken(const std::vector<float>& floor) {
        form->wake();  // as any change does: a stroke whose release never came is recorded first
        const std::vector<float> live = colours();
        const size_t steps = form->history().undoSteps();
        for (size_t i = 0; i < steps; ++i) undoEdit(*form, *grid);
        if (!floor.empty() && form->history().droppedSteps() == 0 && colours() != floor)
            return "undoing everything does not give the animation's pattern";
        for (size_t i = 0; i < steps; ++i) redoEdit(*form, *grid);
        if (colours() != live) return "redoing everything does not give back the grid";
        return "";
    }

    // Returns an empty string when every invariant holds, else what broke.
    std::string invariantsBroken(bool afterTick) {
        const ViewState& s = state;
        if (!(s.gridWidth == s.gridHeight && s.gridHeight == s.gridDepth)) return "extents differ";
        if (s.gridDepth < kMinSize || s.gridDepth > kMaxSize || s.gridDepth != float(int(s.gridDepth)))
            return "extent out of range";
        if (s.currentLayer < 1 || s.currentLayer > s.gridDepth) return "layer out of range";
        if (s.currentColour < 1 || s.currentColour > 5) return "colour out of range";
        for (int c = 0; c < kGridSide; ++c)
            for (int r = 0; r < kGridSide; ++r)
                for (int l = 0; l < kGridSide; ++l) {
                    const GridCell& cell = grid->at(c, r, l);
                    if (cell.column != float(c) || cell.row != float(r) || cell.layer != float(l))
                        return "cell indices changed";
                    if (!(cell.colour >= 0.0f && cell.colour <= 5.0f && cell.colour == float(int(cell.colour))))
                        return "cell colour not a code";
                }
        if ((form->Button3->text() == "HIDE GRID") != s.gridVisible) return "grid caption";
        if ((form->Button4->text() == "ERASE IS ON") != s.eraseMode) return "erase caption";
        if (afterTick) {
            int counts[6] = {};
            for (int l = s.currentLayer; l <= int(s.gridDepth); ++l)
                for (int c = 0; c < int(s.gridWidth); ++c)
                    for (int r = 0; r < int(s.gridHeight); ++r) ++counts[int(grid->at(c, r, l).colour)];
            for (int code = 1; code <= 5; ++code) {
                if (s.colourCounts[code - 1] != counts[code]) return "count " + std::to_string(code);
                if (form->countLabel(ColourCode(code))->text() != QString::number(counts[code]))
                    return "label " + std::to_string(code);
            }
        }
        return "";
    }
};

TEST_F(EventStreamTest, RandomUserEventsKeepTheModelSound) {
    const long events = environmentNumber("KADRO_STREAM_EVENTS", 20000);
    const auto seed = static_cast<uint32_t>(environmentNumber("KADRO_STREAM_SEED", 20261208));
    std::mt19937 random(seed);
    std::mt19937 pasteRandom(seed + 1);
    auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    TShape* swatches[] = {form->Shape1, form->Shape2, form->Shape3, form->Shape4, form->Shape5};
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    for (const auto& key : additions.keys->windowKeys())
        if (key != std::pair{Qt::Key_Q, Qt::KeyboardModifiers(Qt::ControlModifier)}) keys.push_back(key);  // ends
    keys.insert(keys.end(), std::begin(kControlKeys), std::end(kControlKeys));
    std::vector<long> pressed(keys.size());

    // The drawing area's events as the window system delivers them; the buttons held so far.
    Qt::MouseButtons held;
    auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButton button) {
        QMouseEvent event(type, at, form->Image1->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(form->Image1, &event);
    };
    auto anywhere = [&] { return QPoint(pick(-5, 770), pick(-5, 420)); };

    std::vector<float> floor;  // the animation's last pattern, once it is painted
    size_t undoable = 0, redoable = 0;
    long pasted = 0, refused = 0, lostReleases = 0;
    ModalWatch modals;
    // A refused paste's message box (Ctrl+V, Shift+Insert), closed from inside its own loop: the
    // stream runs no event loop of its own, so the timer ticks only there.
    QTimer closer;
    closer.setInterval(1);
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    closer.start();
    QElapsedTimer clock;
    clock.start();
    for (long n = 0; n < events; ++n) {
        // About one event in a hundred is a frame tick, as with a user clicking a few times a second;
        // while the start-up animation runs, one in five is a tick, so that it ends early in every
        // stream. Pastes come from a generator of their own.
        const int extra = std::uniform_int_distribution<int>(0, 149)(pasteRandom);
        const bool paste = extra == 0, rightPress = extra == 1;
        const int roll = paste || rightPress ? -1 : pick(0, 999);
        const bool starting = !animationFinished(state);
        int kind;
        if (paste) kind = 13;
        else if (rightPress) kind = 14;
        else if (roll < 10 || (starting && roll < 100)) kind = 10;
        else if (roll < 12 || (starting && roll < 200)) kind = 9;
        else if (roll < 13) kind = 11;
        else if (roll < 90) kind = 12;
        else if (roll < 250) kind = 15;
        else if (roll < 330) kind = 16;
        else if (roll < 340) kind = 17;
        else kind = pick(0, 8);
        const Qt::MouseButton button = roll < 0 ? Qt::LeftButton : buttons[pick(0, 6) / 5 * pick(1, 2)];
        switch (kind) {
            case 0:  // mostly the left button, now and then a double click's second press
                held |= button;
                mouse(pick(0, 9) ? QEvent::MouseButtonPress : QEvent::MouseButtonDblClick, anywhere(), button);
                break;
            case 1:
                held |= button;
                mouse(QEvent::MouseButtonPress, QPoint(pick(-100000, 100000), pick(-100000, 100000)), button);
                break;
            case 15: mouse(QEvent::MouseMove, anywhere(), Qt::NoButton); break;
            case 16:
                if (held.toInt() != 0) {
                    const Qt::MouseButton released = held & Qt::LeftButton ? Qt::LeftButton : Qt::MouseButton(held.toInt() & -held.toInt());
                    held &= ~released;
                    mouse(QEvent::MouseButtonRelease, anywhere(), released);
                }
                break;
            case 17:  // the pointer grabbed away: the release never comes
                lostReleases += held.toInt() != 0;
                held = Qt::NoButton;
                break;
            case 2: QTest::mousePress(swatches[pick(0, 4)], button); break;
            case 3: form->Button3->click(); break;
            case 4: form->Button4->click(); break;
            case 5: (pick(0, 1) ? form->UpDown1->upArrow() : form->UpDown1->downArrow())->click(); break;
            case 6: form->ScrollBar4->setValue(pick(kMinSize, kMaxSize)); break;
            case 7: form->Button2->click(); break;
            case 8: form->Button7->click(); break;
            case 9:
                if (form->Timer2->isActive()) form->Timer2Timer(form->Timer2);
                break;
            case 10:  // the frame timer's tick, while it runs: it sleeps when nothing changes
                if (form->Timer1->isActive()) form->Timer1Timer(form->Timer1);
                break;
            case 11:
                form->Button11->click();
                if (pick(0, 1)) about->hide();
                break;
            case 14: {  // through the window, as the window system delivers it, menus and all
                QWidget* window = std::uniform_int_distribution<int>(0, 3)(pasteRandom) || !about->isVisible()
                                      ? static_cast<QWidget*>(form.get())
                                      : static_cast<QWidget*>(about.get());
                const QList<QWidget*> controls = window->findChildren<QWidget*>();
                QWidget* control = controls[std::uniform_int_distribution<int>(0, int(controls.size()) - 1)(pasteRandom)];
                if (!control->isVisible()) break;
                QTest::mouseClick(window->windowHandle(), Qt::RightButton, {},
                                  control->mapTo(window, control->rect().center()));
                if (QWidget* popup = QApplication::activePopupWidget()) popup->close();  // as Escape would
                break;
            }
            case 13: {
                auto* data = new QMimeData;
                data->setText(QString::fromStdString(pasteText(pasteRandom)));
                QGuiApplication::clipboard()->setMimeData(data);
                const QByteArray text = data->text().toUtf8();
                const DesignReading reading = readDesign(std::string_view(text.constData(), size_t(text.size())));
                const bool pastes = reading.ok && animationFinished(state);
                form->wake();  // a stroke under way is recorded first, as the paste's own change does
                const std::vector<float> cells = colours();
                const int size = form->ScrollBar4->value(), layer = state.currentLayer;
                const size_t undo = form->history().undoSteps(), redo = form->history().redoSteps();
                QApplication::setActiveWindow(form.get());
                QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
                if (!pastes && (colours() != cells || form->ScrollBar4->value() != size ||
                                state.currentLayer != layer || form->history().undoSteps() != undo ||
                                form->history().redoSteps() != redo)) {
                    ADD_FAILURE() << "a refused paste changed something: " << reading.error;
                }
                ++(pastes ? pasted : refused);
                if (pastes) {
                    const DesignReading now = readDesign(designText(state, *grid));
                    if (form->ScrollBar4->value() != reading.design.size || now.design.codes != reading.design.codes)
                        ADD_FAILURE() << "the pasted design is not what the block holds";
                }
                break;
            }
            case 12: {
                const size_t which = static_cast<size_t>(pick(0, int(keys.size()) - 1));
                const auto& [key, modifiers] = keys[which];
                ++pressed[which];
                QApplication::setActiveWindow(form.get());
                QWidget* focused = QApplication::focusWidget();
                QTest::keyClick(focused && focused->window() == form.get() ? focused : form.get(), key, modifiers);
                break;
            }
        }
        if (floor.empty() && animationFinished(state)) floor = colours();
        // A sleeping frame timer means the labels already show what a tick would write.
        std::string broken = invariantsBroken(kind == 10 || !form->Timer1->isActive());
        const EditHistory& history = form->history();
        if (history.undoSteps() + history.redoSteps() > EditHistory::kMaxSteps || history.bytes() > EditHistory::kMaxBytes)
            broken = "history past its bounds";
        // Undoing the whole history is slow (thousands of steps), so it is done twenty times in
        // the stream, at the end among them.
        const long every = std::max(events / 20, 1L);
        if (broken.empty() && (n % every == every - 1 || n == events - 1)) broken = historyRoundTripBroken(floor);
        ASSERT_EQ(broken, "") << "after event " << n << " (" << kEventNames[kind] << ") of the stream with seed "
                              << seed << "; replay with KADRO_STREAM_SEED=" << seed;
        undoable = std::max(undoable, history.undoSteps());
        redoable = std::max(redoable, history.redoSteps());
    }
    // The stream must have reached the history, and its undo keys too, not only run beside it.
    EXPECT_GT(undoable, 10u);
    EXPECT_GT(redoable, 0u);
    EXPECT_LE(modals.most, 1) << "a menu or message opened inside another";
    EXPECT_GT(modals.opened, 0);
    EXPECT_GT(pasted, 0);
    EXPECT_GT(refused, 0);
    EXPECT_GT(lostReleases, 0);
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_GT(pressed[i], 0) << "key " << QKeySequence(QKeyCombination(keys[i].second, keys[i].first)).toString().toStdString()
                                 << " was never pressed";
    const double seconds = clock.elapsed() / 1000.0;
    std::printf("%ld events in %.1f s: %.0f events per second (seed %u); %ld designs pasted, %ld refused\n", events,
                seconds, events / seconds, seed, pasted, refused);
}
