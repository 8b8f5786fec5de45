#include "ui/additions/tools/tools.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>
#include <cmath>

#include "model/animation.h"
#include "model/editing.h"
#include "model/operations.h"
#include "model/projection.h"
#include "model/visible_block.h"
#include "ui/additions/cell_cursor.h"
#include "ui/additions/colour_words.h"
#include "ui/additions/outline_layer.h"
#include "ui/additions/reach/accessibility.h"
#include "ui/additions/reach/speech.h"
#include "ui/form/Unit1.h"

using namespace kadro;

namespace {

enum class Mirrored { No, Yes };

QRect outlineOf(const PressArea& area) {
    return area.empty()
               ? QRect()
               : QRect(QPoint(area.left, area.top), QPoint(area.right - 1, area.bottom - 1));
}

// A tool's pointer: the cross of the place tool, white on black, with the tool's sign below right
// of it. Drawn at the screen's own pixel density, so that it is sharp at every scale.
QCursor toolPointer(const ToolRow& tool, Mirrored mirrored, qreal ratio) {
    constexpr int kSide = 24;  // in the window's pixels
    const int scale = std::max(1, static_cast<int>(std::ceil(ratio)));
    QPixmap pixmap(kSide * scale, kSide * scale);
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(scale);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, scale > 1);
    // Every stroke twice: black and wide, then white and narrow, so it shows on every colour.
    const auto stroke = [&](const QPainterPath& path, SignFill fill) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawPath(path);
        painter.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        if (fill == SignFill::Filled) painter.setBrush(Qt::white);
        painter.drawPath(path);
    };
    QPainterPath cross;  // through the hot spot at (7.5, 7.5)
    cross.moveTo(7.5, 1.5);
    cross.lineTo(7.5, 5.5);
    cross.moveTo(7.5, 9.5);
    cross.lineTo(7.5, 13.5);
    cross.moveTo(1.5, 7.5);
    cross.lineTo(5.5, 7.5);
    cross.moveTo(9.5, 7.5);
    cross.lineTo(13.5, 7.5);
    stroke(cross, SignFill::Lines);
    QPainterPath sign;
    if (tool.sign) tool.sign(sign);
    stroke(sign, tool.fill);
    if (mirrored == Mirrored::Yes) {  // above right of the cross: two triangles facing a line
        QPainterPath mirror;
        mirror.moveTo(19.5, 0.5);
        mirror.lineTo(19.5, 9.5);
        mirror.addPolygon(QPolygonF({{17.5, 2.5}, {14.5, 5}, {17.5, 7.5}}));
        mirror.closeSubpath();
        mirror.addPolygon(QPolygonF({{21.5, 2.5}, {24, 5}, {21.5, 7.5}}));
        mirror.closeSubpath();
        stroke(mirror, SignFill::Filled);
    }
    painter.end();
    // The hot spot is the cross's centre. Qt takes it in the window's pixels, but its X11 plugin
    // hands it to the server unscaled beside the picture's own pixels, so there it is given in
    // those.
    const int hot = QGuiApplication::platformName() == "xcb" ? 7 * scale + scale / 2 : 7;
    return QCursor(pixmap, hot, hot);
}

// What a tool's step did: "Line: 5 cells now red", "Brush stroke: 1 cell emptied".
QString changeSaid(const QString& what, int cells, uint8_t code) {
    const QString result = code ? "now " + colourName(code) : QString("emptied");
    return QString("%1: %2 %3").arg(what, counted(cells, "cell", "cells"), result);
}

}  // namespace

Tools::Tools(TForm1& form, const ViewState& state, CellGrid& grid, CellCursor& cursor,
             Speech& speech, ScreenReaderNames& names, OutlineLayer& outlines)
    : QObject(&form),
      form_(form),
      state_(state),
      grid_(grid),
      cursor_(cursor),
      speech_(speech),
      names_(names),
      outlines_(outlines),
      designedCursor_(form.Image1->cursor()),
      tool_(&toolRows().front()),
      beforePicker_(tool_) {
    // The hovered cell follows the pointer, also with no button down.
    form.Image1->setMouseTracking(true);
    form.Image1->installEventFilter(this);
    connect(&form, &TForm1::frameDrawn, this, [this] { follow(); });
    // Whatever else is about to change the model comes after a stroke whose release never came:
    // the stroke is recorded first, so that nothing later is written over or undone with it.
    connect(&form, &TForm1::changing, this, [this] {
        if (!strokePainting_) endStroke(Ending::Keep);
    });
    connect(&cursor, &CellCursor::changed, this, [this] {
        // The mark belongs to the cursor: when a press hides the cursor, the mouse takes over.
        if (!cursor_.cell()) mark_.reset();
        follow();
    });
}

int Tools::size() const { return static_cast<int>(state_.gridDepth); }

bool Tools::ready() const { return animationFinished(state_); }

bool Tools::designedPress() const {
    return !ready() || (tool_->gesture == Gesture::Press && !mirror());
}

uint8_t Tools::code() const {
    return state_.eraseMode ? 0 : static_cast<uint8_t>(state_.currentColour);
}

std::optional<LayerCell> Tools::cellAt(QPoint at) const {
    const std::optional<Hit> hit = hitTest(state_, at.x(), at.y());
    if (!hit || !insideLayer({hit->column, hit->row}, size())) return std::nullopt;
    return LayerCell{hit->column, hit->row};
}

void Tools::choose(const ToolRow& tool) {
    if (!ready()) return;
    if (drag_) endStroke(Ending::Drop);
    drag_.reset();
    mark_.reset();
    if (tool.gesture == Gesture::Pick && tool_->gesture != Gesture::Pick) beforePicker_ = tool_;
    tool_ = &tool;
    showTool();
    QString said = QString(tool.name);
    said[0] = said[0].toUpper();
    speech_.say(said);
}

void Tools::toggleMirror() {
    if (!ready()) return;
    mirror_ = mirror() ? Mirror::Off : Mirror::On;
    showTool();
    speech_.say(mirror() ? "Mirror on: changes are made on both sides" : "Mirror off");
}

LayerCells Tools::shape(LayerCell a, LayerCell b) const {
    const int n = size();
    return tool_->cells(layerCodes(grid_, n, state_.currentLayer), n, a, b);
}

void Tools::apply(const LayerCells& cells) {
    const int n = size(), layer = state_.currentLayer;
    if (layer < 1 || layer > n) return;
    LayerCodes codes = layerCodes(grid_, n, layer);
    const int changed = paintCells(codes, n, cells, code(), mirror_);
    if (changed == 0) {
        speech_.say(cells.count == 1 ? QString("Already %1").arg(colourName(code()))
                                     : QString("Nothing changed"));
        return;
    }
    form_.wake();
    form_.history().paint({n, n, layer, layer}, grid_, codes.data(), Recording::On, tool_->step);
    speech_.sayOnceShown(changeSaid(tool_->stepSaid, changed, code()));
}

void Tools::pick(LayerCell cell) {
    const int colour =
        static_cast<int>(grid_.at(cell.column, cell.row, state_.currentLayer).colour);
    if (colour < 1 || colour > kColourCount) {
        speech_.say("An empty cell: nothing picked");
        return;
    }
    tool_ = beforePicker_;
    showTool();
    const auto picked = static_cast<ColourCode>(colour);
    form_.ShapeMouseDown(form_.swatch(picked), picked);
    speech_.sayOnceShown(QString("Picked; back to %1").arg(tool_->name));
}

void Tools::fill(LayerCell cell) {
    // A fill whose start already has the colour it would get changes nothing, also in the mirror.
    if (grid_.at(cell.column, cell.row, state_.currentLayer).colour == static_cast<float>(code())) {
        speech_.say(QString("Already %1").arg(colourName(code())));
        return;
    }
    apply(shape(cell, cell));
}

void Tools::actOn(LayerCell cell) {
    if (tool_->gesture == Gesture::Fill) return fill(cell);
    if (tool_->gesture == Gesture::Pick) return pick(cell);
    // A press with the mirror on, or the one cell of a stroke.
    LayerCells one;
    one.add(cell);
    apply(one);
}

void Tools::press(QPoint at) {
    const std::optional<LayerCell> cell = cellAt(at);
    switch (tool_->gesture) {
        case Gesture::Stroke:
            drag_ = Drag{state_.currentLayer, size(), std::nullopt, std::nullopt, {}, {}, {}, 0};
            drag_->before = layerCodes(grid_, drag_->size, drag_->layer);
            drag_->painted = drag_->before;
            if (cell) strokeTo(*cell);
            break;
        case Gesture::TwoCells:
            drag_ = Drag{state_.currentLayer, size(), cell, std::nullopt, {}, {}, {}, 0};
            follow();
            break;
        case Gesture::Press:
            if (!cell) {  // no mirror beyond the block
                form_.Image1MouseDown(form_.Image1, {at.x(), at.y()});
                break;
            }
            [[fallthrough]];
        case Gesture::Fill:
        case Gesture::Pick:
            if (cell) actOn(*cell);
            break;
        case Gesture::OnCube:
            pressCube(at);
            break;
    }
}

void Tools::pressCube(QPoint at) {
    const std::optional<CubeFace> under = cubeUnder(state_, grid_, at.x(), at.y());
    if (!under) {
        if (tool_->offCube == OffCube::Place) form_.Image1MouseDown(form_.Image1, {at.x(), at.y()});
        return;
    }
    if (tool_->cubeDrag == CubeDrag::PressOnly || state_.eraseMode) {
        if (!state_.eraseMode) return attach(*under);
        // Erasing: the cube pressed goes.
        const CubeCell cube = under->cube;
        paintOne(cube, 0);
        speech_.sayOnceShown(QString("%1: the cube at column %2, row %3, layer %4 removed")
                                 .arg(tool_->stepSaid)
                                 .arg(cube.column + 1)
                                 .arg(cube.row + 1)
                                 .arg(cube.layer));
        return;
    }
    const Design before = blockOf(grid_, size());
    drag_ = Drag{state_.currentLayer, size(), std::nullopt, std::nullopt, {}, {}, {}, 0};
    drag_->block.assign(before.codes.begin(), before.codes.end());
    strokeCube(at);
}

void Tools::strokeCube(QPoint at) {
    Drag& stroke = *drag_;
    if (stroke.size != size()) return;
    const std::optional<CubeFace> under = cubeUnder(state_, grid_, at.x(), at.y());
    if (!under) return;
    const CubeCell cell = tool_->onCube(*under);
    GridCell& cube = grid_.at(cell.column, cell.row, cell.layer);
    if (cube.colour == static_cast<float>(code())) return;
    strokePainting_ = true;
    form_.wake();
    strokePainting_ = false;
    cube.colour = static_cast<float>(code());
    ++stroke.cubes;
}

void Tools::paintOne(const CubeCell& cell, uint8_t code) {
    const int n = size();
    LayerCodes codes = layerCodes(grid_, n, cell.layer);
    LayerCells one;
    one.add({cell.column, cell.row});
    paintCells(codes, n, one, code, Mirror::Off);
    form_.wake();
    form_.history().paint({n, n, cell.layer, cell.layer}, grid_, codes.data(), Recording::On,
                          tool_->step);
}

void Tools::putBack(const std::vector<uint8_t>& block) {
    const int n = size();
    form_.wake();
    size_t i = 0;
    forEachCell(VisibleBlock{n, n, 1, n}, grid_,
                [&](GridCell& cell) { cell.colour = static_cast<float>(block[i++]); });
}

QString Tools::cubeTip(int x, int y) const {
    QString name = tool_->name;
    name[0] = name[0].toUpper();
    const std::optional<CubeFace> under = cubeUnder(state_, grid_, x, y);
    if (!under) {
        return tool_->offCube == OffCube::Place ? name + ": no cube here; a click places as P does"
                                                : name + ": no cube here";
    }
    const CubeCell cube = under->cube;
    const QString where = QString("column %1, row %2, layer %3")
                              .arg(cube.column + 1)
                              .arg(cube.row + 1)
                              .arg(cube.layer);
    if (state_.eraseMode) return QString("%1: a click here empties %2").arg(name, where);
    if (tool_->cubeDrag == CubeDrag::EveryCube)
        return QString("%1: a click here makes the cube at %2 %3")
            .arg(name, where, colourName(code()));
    const char* face = under->face == Face::Front   ? "front"
                       : under->face == Face::Upper ? "upper"
                                                    : "right";
    return QString("%1: a click here puts %2 onto the %3 face of the cube at %4")
        .arg(name, colourName(code()), face, where);
}

void Tools::attach(const CubeFace& face) {
    const CubeCell cell = tool_->onCube(face);
    const int n = size();
    const char* side = face.face == Face::Front   ? "in front"
                       : face.face == Face::Upper ? "above"
                                                  : "to the right";
    if (!insideBlock(cell, n)) {
        speech_.say(QString("No room %1").arg(side));
        return;
    }
    const int held = static_cast<int>(grid_.at(cell.column, cell.row, cell.layer).colour);
    if (held != 0) {
        const QString where = face.face == Face::Front ? QString("layer %1").arg(cell.layer)
                              : face.face == Face::Upper
                                  ? QString("row %1").arg(cell.row + 1)
                                  : QString("column %1").arg(cell.column + 1);
        speech_.say(QString("No room %1: %2 holds %3 there").arg(side, where, colourName(held)));
        return;
    }
    paintOne(cell, code());
    // A cube put in front of the layers shown: the layer comes forward to it, as Page Down.
    if (cell.layer < state_.currentLayer) {
        form_.UpDown1->setPosition(state_.currentLayer);
        form_.UpDown1->click(UpDownButton::Down);
    }
    speech_.sayOnceShown(QString("%1: %2 cube at column %3, row %4, layer %5")
                             .arg(tool_->stepSaid, colourName(code()))
                             .arg(cell.column + 1)
                             .arg(cell.row + 1)
                             .arg(cell.layer));
}

void Tools::drag(QPoint at) {
    if (!drag_) return;
    if (tool_->gesture == Gesture::OnCube) return strokeCube(at);
    const std::optional<LayerCell> cell = cellAt(at);
    if (tool_->gesture == Gesture::Stroke) {
        if (cell && cell != drag_->last) strokeTo(*cell);
        return;
    }
    follow();
}

void Tools::release(QPoint at) {
    if (!drag_) return;
    if (tool_->gesture == Gesture::Stroke || tool_->gesture == Gesture::OnCube) {
        endStroke(Ending::Keep);
        return;
    }
    const std::optional<LayerCell> end = cellAt(at), start = drag_->start;
    drag_.reset();
    follow();
    if (start && end) apply(shape(*start, *end));
}

void Tools::strokeTo(LayerCell cell) {
    Drag& stroke = *drag_;
    if (stroke.layer != state_.currentLayer || stroke.size != size()) return;
    LayerCells cells;
    if (stroke.last) {
        cells = lineCells(*stroke.last, cell);
    } else {
        cells.add(cell);
    }
    stroke.last = cell;
    if (paintCells(stroke.painted, stroke.size, cells, code(), mirror_) == 0) return;
    // Shown as it goes: the next frame draws what the stroke has painted so far.
    strokePainting_ = true;
    form_.wake();
    strokePainting_ = false;
    setLayerCodes(grid_, stroke.size, stroke.layer, stroke.painted);
}

void Tools::endStroke(Ending ending) {
    if (drag_ && tool_->gesture == Gesture::OnCube) {
        const Drag stroke = std::move(*drag_);
        drag_.reset();
        if (stroke.cubes == 0) {
            if (ending == Ending::Keep) speech_.say(QString("Already %1").arg(colourName(code())));
            return;
        }
        const int n = stroke.size;
        if (ending == Ending::Drop) {
            putBack(stroke.block);
            speech_.say(QString("%1 stroke cancelled").arg(tool_->stepSaid));
            return;
        }
        speech_.say(QString("%1: %2 now %3")
                        .arg(tool_->stepSaid, countedCubes(stroke.cubes), colourName(code())));
        form_.history().record({n, n, 1, n}, grid_, stroke.block.data(), tool_->step);
        return;
    }
    if (!drag_ || tool_->gesture != Gesture::Stroke) return;
    const Drag stroke = *drag_;
    drag_.reset();
    if (stroke.painted == stroke.before) return;
    if (ending == Ending::Drop) {
        form_.wake();
        setLayerCodes(grid_, stroke.size, stroke.layer, stroke.before);
        speech_.say(QString("%1 stroke cancelled").arg(tool_->stepSaid));
        return;
    }
    // The grid holds the stroke already: the history records it from the layer as it began.
    int changed = 0;
    for (size_t i = 0; i < stroke.before.size(); ++i)
        changed += stroke.before[i] != stroke.painted[i];
    // Said now: the frames have shown the stroke as it went, so the next one may find nothing new.
    speech_.say(changeSaid(QString("%1 stroke").arg(tool_->stepSaid), changed, code()));
    form_.history().record({stroke.size, stroke.size, stroke.layer, stroke.layer}, grid_,
                           stroke.before.data(), tool_->step);
}

void Tools::settle() { endStroke(Ending::Keep); }

bool Tools::cancel() {
    if (drag_ && (tool_->gesture == Gesture::Stroke || tool_->gesture == Gesture::OnCube)) {
        endStroke(Ending::Drop);
        return true;
    }
    if (drag_) {
        drag_.reset();
        follow();
        QString name = tool_->name;
        name[0] = name[0].toUpper();
        speech_.say(QString("%1 cancelled").arg(name));
        return true;
    }
    if (mark_) {
        mark_.reset();
        follow();
        speech_.say("Start dropped");
        return true;
    }
    return false;
}

bool Tools::actAtCursor() {
    const std::optional<Hit> hit = cursor_.cell();
    if (!hit) return false;
    if (designedPress()) {
        // The designed press at the cursor's cell; one that changed nothing is said at once.
        const size_t recorded = form_.history().recordedSteps();
        cursor_.place();
        if (form_.history().recordedSteps() == recorded) speech_.sayUnchangedCell();
        return true;
    }
    if (tool_->gesture == Gesture::OnCube) {
        // As a press where a click changes the cursor's cell.
        const Point at = topFaceCentre(state_, hit->column, hit->row);
        pressCube({at.x, at.y});
        endStroke(Ending::Keep);
        return true;
    }
    const LayerCell cell{hit->column, hit->row};
    if (tool_->gesture != Gesture::TwoCells) {
        actOn(cell);
    } else if (!mark_) {
        mark_ = cell;
        follow();
        speech_.say(
            QString("Start marked at column %1, row %2").arg(cell.column + 1).arg(cell.row + 1));
    } else {
        const LayerCell start = *mark_;
        mark_.reset();
        follow();
        apply(shape(start, cell));
    }
    return true;
}

void Tools::setPending(const LayerCells& shaped) {
    pending_.clear();
    const int n = size();
    // Only the cells the step will change: a start marked before the size shrank lies outside.
    LayerCells cells;
    for (const LayerCell cell : shaped)
        if (insideLayer(cell, n)) cells.add(cell);
    const auto outline = [&](LayerCell cell) {
        return outlineOf(pressArea(state_, cell.column, cell.row));
    };
    if (tool_->pending == PendingOutline::AroundAll && cells.count > 0) {
        // The cells tile one rectangle of the picture: one outline round it all.
        const LayerCell first = cells.cells[0], last = cells.cells[cells.count - 1];
        pending_.push_back(outline(first) | outline(last));
        if (mirror()) pending_.push_back(outline(mirrored(first, n)) | outline(mirrored(last, n)));
        return;
    }
    for (const LayerCell cell : cells) {
        pending_.push_back(outline(cell));
        if (mirror()) pending_.push_back(outline(mirrored(cell, n)));
    }
}

void Tools::follow() {
    const int n = size();
    // The cell a press would change, while the pointer is over the block.
    const std::optional<LayerCell> under = pointer_ ? cellAt(*pointer_) : std::nullopt;
    hovered_ = QRect();
    if (tool_->gesture != Gesture::OnCube) {
        if (under) hovered_ = outlineOf(pressArea(state_, under->column, under->row));
    } else if (pointer_) {
        // The cube a press would act on, whatever its layer.
        const std::optional<CubeFace> cube = cubeUnder(state_, grid_, pointer_->x(), pointer_->y());
        if (cube) {
            const CubeBox box = cubeBox(
                grid_.at(cube->cube.column, cube->cube.row, cube->cube.layer), state_.cellSize);
            hovered_ = QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
        }
    }
    // Two cells being dragged, or marked with Enter, up to the cell they would end on.
    if (mark_ && !insideLayer(*mark_, n)) mark_.reset();
    LayerCells cells;
    if (drag_ && drag_->start && under) {
        cells = shape(*drag_->start, *under);
    } else if (mark_ && cursor_.cell()) {
        cells = shape(*mark_, {cursor_.cell()->column, cursor_.cell()->row});
    }
    setPending(cells);
    // The mirror's marker: an upright bar through the middle of the block's current layer.
    marker_ = QRect();
    if (mirror() && n >= 2) {
        const auto column = [&](int c) {
            return outlineOf(pressArea(state_, c, 0)) | outlineOf(pressArea(state_, c, n - 1));
        };
        const QRect left = column((n - 1) / 2), right = column(n / 2);
        const int middle = (left.left() + right.right() + 1) / 2;
        marker_ = QRect(middle - 2, left.top(), kMarkerWidth, left.height());
    }
    std::vector<QRect> boxes;
    for (const QRect& box : pending_)
        if (!box.isEmpty()) boxes.push_back(box);
    if (!hovered_.isEmpty()) boxes.push_back(hovered_);
    outlines_.set(OutlineLayer::Owner::Tools, std::move(boxes), marker_);
}

void Tools::showTool() {
    const Mirrored mirrored = mirror() ? Mirrored::Yes : Mirrored::No;
    form_.Image1->setCursor(designedPress()
                                ? designedCursor_
                                : toolPointer(*tool_, mirrored, form_.devicePixelRatioF()));
    QString word = tool_->gesture == Gesture::Press ? QString() : QString(tool_->name);
    if (mirror()) word += word.isEmpty() ? "mirrored" : ", mirrored";
    std::function<QString(int, int)> tip;
    if (tool_->gesture == Gesture::OnCube) tip = [this](int x, int y) { return cubeTip(x, y); };
    names_.setTool(
        word, tool_->gesture == Gesture::Press ? PressReach::WholeLayer : PressReach::BlockOnly,
        tool_->gesture == Gesture::Pick ? PressDoes::Pick : PressDoes::Change, std::move(tip));
    follow();
}

bool Tools::eventFilter(QObject* watched, QEvent* event) {
    if (watched != form_.Image1) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseMove: {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            pointer_ = at;
            if (drag_) {
                drag(at);
            } else {
                follow();
            }
            return false;
        }
        case QEvent::Leave:
            pointer_.reset();
            follow();
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            if (designedPress()) return false;
            const auto* mouse = static_cast<QMouseEvent*>(event);
            // A press with no other button down while a gesture is under way: its release never
            // came (the pointer was grabbed away), so the gesture ends here, a stroke kept.
            if (drag_ && mouse->buttons() == mouse->button()) {
                endStroke(Ending::Keep);
                drag_.reset();
            }
            if (!drag_) {
                cursor_.hide();
                press(mouse->position().toPoint());
            }
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!drag_) return false;
            if (mouse->buttons() == Qt::NoButton) release(mouse->position().toPoint());
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}
