#include "ui/loose_outline.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "model/loose.h"
#include "model/projection.h"
#include "model/visible_block.h"
#include "render/frame_renderer.h"
#include "ui/Unit1.h"
#include "ui/colour_words.h"
#include "ui/speech.h"

using namespace kadro;

namespace {

constexpr PixelRect kNowhere{INT_MAX, INT_MAX, INT_MIN, INT_MIN};

QString looseSentence(int loose, int hidden) {
    if (loose == 0) return "No loose cubes";
    QString sentence = countedCubes(loose, "loose");
    if (hidden > 0)
        sentence +=
            QString("; %1 not in view: turn or cut away to see %2")
                .arg(countedCubes(hidden, "loose"), hidden == 1 ? "it" : "them");
    return sentence;
}

}  // namespace

LooseOutlines::LooseOutlines(TForm1& form, const ViewState& state, const CellGrid& grid,
                             Speech& speech)
    : QWidget(form.Image1),
      form_(form),
      state_(state),
      grid_(grid),
      speech_(speech),
      renderer_(std::make_unique<FrameRenderer>()),
      seen_(FrameRenderer::cellOwner(kGridSide - 1, kGridSide - 1, kGridSide - 1) + 1) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(form.Image1->rect());
    owners_.resize(static_cast<size_t>(width()) * height());
    overlay_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    overlay_.fill(Qt::transparent);
    hide();
    connect(&form, &TForm1::frameDrawn, this, [this] {
        if (isVisible()) follow();
    });
}

LooseOutlines::~LooseOutlines() = default;

void LooseOutlines::toggle() {
    if (isVisible()) {
        hide();
        boxes_.clear();
        overlay_.fill(Qt::transparent);
        speech_.say("Loose cube outlines hidden");
        return;
    }
    saidLoose_ = saidHidden_ = -1;
    show();
    follow();
}

// Loose is judged on the whole block; the outlines go where the frame shows the loose cubes.
void LooseOutlines::follow() {
    const LooseCubes loose = looseCubes(grid_, static_cast<int>(state_.gridDepth));
    const int w = width(), h = height();
    std::fill(owners_.begin(), owners_.end(), FrameRenderer::kNoOwner);
    renderer_->drawOwners({owners_.data(), w, h, w}, state_, grid_, form_.width(), form_.height());
    std::fill(seen_.begin(), seen_.end(), kNowhere);
    for (int y = 0; y < h; ++y) {
        const Pixel* row = &owners_[static_cast<size_t>(y) * w];
        for (int x = 0; x < w; ++x) {
            if (row[x] == FrameRenderer::kNoOwner) continue;
            PixelRect& seen = seen_[row[x]];
            seen = {std::min(seen.left, x), std::min(seen.top, y), std::max(seen.right, x + 1),
                    std::max(seen.bottom, y + 1)};
        }
    }
    const VisibleBlock block = visibleBlock(state_);
    std::vector<QRect> boxes;
    for (int c = 0; c < block.columns; ++c)
        for (int r = 0; r < block.rows; ++r)
            for (int l = block.firstLayer; l <= block.lastLayer; ++l) {
                const PixelRect& seen = seen_[FrameRenderer::cellOwner(c, r, l)];
                if (!loose.at(c, r, l) || seen.empty()) continue;
                // The box, each side moved in by what is hidden of the stack on that side.
                const StackAnchor anchor = stackAnchor(grid_.at(c, r, l), state_.cellSize);
                const PixelRect whole = stackPixels(anchor.x, anchor.y, state_.cellSize);
                const CubeBox box = cubeBox(grid_.at(c, r, l), state_.cellSize);
                boxes.emplace_back(
                    QPoint(box.left + seen.left - whole.left, box.top + seen.top - whole.top),
                    QPoint(box.right - 1 - (whole.right - seen.right),
                           box.bottom - 1 - (whole.bottom - seen.bottom)));
            }
    if (boxes != boxes_) {
        QRect changed;
        for (const QRect& box : boxes_) changed |= box.adjusted(-2, -2, 2, 2);
        boxes_ = std::move(boxes);
        overlay_.fill(Qt::transparent);
        const PixelBuffer overlay{reinterpret_cast<Pixel*>(overlay_.bits()), overlay_.width(),
                                  overlay_.height(),
                                  static_cast<int>(overlay_.bytesPerLine() / sizeof(Pixel))};
        for (const QRect& box : boxes_) {
            paintOutline(overlay, {box.left(), box.top(), box.right() + 1, box.bottom() + 1});
            changed |= box.adjusted(-2, -2, 2, 2);
        }
        update(changed);
    }
    const int hidden = loose.count - static_cast<int>(boxes_.size());
    if (loose.count != saidLoose_ || hidden != saidHidden_) {
        saidLoose_ = loose.count, saidHidden_ = hidden;
        speech_.say(looseSentence(loose.count, hidden));
    }
}

void LooseOutlines::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), overlay_, event->rect());
}
