#include "ui/loose_outline.h"

#include <QPaintEvent>
#include <QPainter>

#include "model/loose.h"
#include "model/projection.h"
#include "model/visible_block.h"
#include "ui/Unit1.h"
#include "ui/colour_words.h"
#include "ui/speech.h"

using namespace kadro;

LooseOutlines::LooseOutlines(TForm1& form, const ViewState& state, const CellGrid& grid, Speech& speech)
    : QWidget(form.Image1), state_(state), grid_(grid), speech_(speech) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(form.Image1->rect());
    hide();
    connect(&form, &TForm1::frameDrawn, this, [this] {
        if (isVisible()) follow();
    });
}

void LooseOutlines::toggle() {
    if (isVisible()) {
        hide();
        boxes_.clear();
        speech_.say("Loose cube outlines hidden");
        return;
    }
    said_ = -1;
    show();
    follow();
}

// Loose is judged on the whole block; the outlines go on the loose cubes that the frame shows.
void LooseOutlines::follow() {
    const int size = static_cast<int>(state_.gridDepth);
    const LooseCubes loose = looseCubes(grid_, size);
    const VisibleBlock block = visibleBlock(state_);
    std::vector<QRect> boxes;
    for (int c = 0; c < block.columns; ++c)
        for (int r = 0; r < block.rows; ++r)
            for (int l = block.firstLayer; l <= block.lastLayer; ++l)
                if (loose.at(c, r, l)) {
                    const CubeBox box = cubeBox(grid_.at(c, r, l), state_.cellSize);
                    boxes.emplace_back(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
                }
    if (boxes != boxes_) {
        for (const QRect& box : boxes_) update(box.adjusted(-2, -2, 2, 2));
        boxes_ = std::move(boxes);
        for (const QRect& box : boxes_) update(box.adjusted(-2, -2, 2, 2));
    }
    if (loose.count != said_) {
        said_ = loose.count;
        speech_.say(said_ == 0 ? QString("No loose cubes")
                               : counted(said_, "cube", "cubes", "loose"));
    }
}

void LooseOutlines::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& box : boxes_)
        if (event->rect().intersects(box.adjusted(-2, -2, 2, 2))) drawOutline(painter, box);
}
