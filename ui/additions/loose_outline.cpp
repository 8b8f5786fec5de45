#include "ui/additions/loose_outline.h"

#include <algorithm>
#include <climits>

#include "model/loose.h"
#include "model/projection.h"
#include "model/visible_block.h"
#include "render/frame_renderer.h"
#include "ui/form/Unit1.h"
#include "ui/additions/colour_words.h"
#include "ui/additions/outline_layer.h"
#include "ui/additions/reach/speech.h"

using namespace kadro;

namespace {

constexpr PixelRect kNowhere{INT_MAX, INT_MAX, INT_MIN, INT_MIN};

QString looseSentence(int loose, int hidden) {
    if (loose == 0) return "No loose cubes";
    QString sentence = countedCubes(loose, "loose");
    if (hidden > 0)
        sentence += QString("; %1 not in view: turn or cut away to see %2")
                        .arg(countedCubes(hidden, "loose"), hidden == 1 ? "it" : "them");
    return sentence;
}

}  // namespace

LooseOutlines::LooseOutlines(TForm1& form, const ViewState& state, const CellGrid& grid,
                             Speech& speech, OutlineLayer& outlines)
    : QObject(&form),
      form_(form),
      state_(state),
      grid_(grid),
      speech_(speech),
      outlines_(outlines),
      renderer_(std::make_unique<FrameRenderer>()),
      seen_(FrameRenderer::cellOwner(kGridSide - 1, kGridSide - 1, kGridSide - 1) + 1) {
    owners_.resize(static_cast<size_t>(form.Image1->width()) * form.Image1->height());
    connect(&form, &TForm1::frameDrawn, this, [this] {
        if (shown_) follow();
    });
}

LooseOutlines::~LooseOutlines() = default;

const std::vector<QRect>& LooseOutlines::boxes() const {
    return outlines_.boxes(OutlineLayer::Owner::LooseCubes);
}

void LooseOutlines::toggle() {
    if (shown_) {
        shown_ = false;
        outlines_.set(OutlineLayer::Owner::LooseCubes, {});
        speech_.say("Loose cube outlines hidden");
        return;
    }
    saidLoose_ = saidHidden_ = -1;
    shown_ = true;
    follow();
}

// Loose is judged on the whole block; the outlines go where the frame shows the loose cubes.
void LooseOutlines::follow() {
    const LooseCubes loose = looseCubes(grid_, static_cast<int>(state_.gridDepth));
    const int w = form_.Image1->width(), h = form_.Image1->height();
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
    const int hidden = loose.count - static_cast<int>(boxes.size());
    outlines_.set(OutlineLayer::Owner::LooseCubes, std::move(boxes));
    if (loose.count != saidLoose_ || hidden != saidHidden_) {
        saidLoose_ = loose.count, saidHidden_ = hidden;
        speech_.say(looseSentence(loose.count, hidden));
    }
}
