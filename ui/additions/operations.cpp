#include "ui/additions/operations.h"

#include <QApplication>
#include <algorithm>

#include "model/animation.h"
#include "ui/additions/colour_words.h"
#include "ui/additions/notice.h"
#include "ui/additions/reach/speech.h"
#include "ui/form/Unit1.h"

using namespace kadro;

namespace {

// How a side is named, and a shift towards it, by Side.
struct SideWords {
    const char* name;
    const char* shift;
};
constexpr SideWords kSideWords[] = {
    {"the left side", "one cell left"}, {"the right side", "one cell right"},
    {"the bottom", "one cell down"},    {"the top", "one cell up"},
    {"the back", "one layer back"},     {"the front", "one layer forward"},
};
const char* sideName(Side side) { return kSideWords[static_cast<int>(side)].name; }
const char* shiftName(Side side) { return kSideWords[static_cast<int>(side)].shift; }

}  // namespace

ModelOperations::ModelOperations(TForm1& form, const ViewState& state, CellGrid& grid,
                                 Speech& speech, Notice& notice)
    : QObject(&form), form_(form), state_(state), grid_(grid), speech_(speech), notice_(notice) {}

bool ModelOperations::ready() const { return animationFinished(state_); }

int ModelOperations::size() const { return static_cast<int>(state_.gridDepth); }

void ModelOperations::apply(const Design& block, StepName name, const QString& said) {
    form_.wake();
    if (form_.history().paint(block.block(), grid_, block.codes.data(), Recording::On, name)) {
        speech_.sayOnceShown(said);
        return;
    }
    // Nothing changed (a flip of a symmetric model, say): no frame shows it.
    tell(said);
}

void ModelOperations::tell(const QString& sentence) {
    speech_.say(sentence);
    notice_.showSentence(sentence);
}

void ModelOperations::refuse(const QString& why) {
    QApplication::beep();
    tell(why);
}

void ModelOperations::stepLayer(Side towards) {
    const bool back = towards == Side::Back;
    const int layer = state_.currentLayer;
    if (back ? layer >= size() : layer <= 1) {
        tell(back ? "Back layer" : "Front layer");
        return;
    }
    form_.UpDown1->setPosition(layer);
    form_.UpDown1->click(back ? UpDownButton::Up : UpDownButton::Down);
}

void ModelOperations::turn(Turn turn) {
    if (!ready()) return;
    const char* said = turn == Turn::RightToFront    ? "Turned: the right side is in front."
                       : turn == Turn::LeftToFront   ? "Turned: the left side is in front."
                       : turn == Turn::TopToFront    ? "Tipped: the top is in front."
                       : turn == Turn::BottomToFront ? "Tipped: the bottom is in front."
                                                     : "Flipped: left and right swapped.";
    apply(turned(blockOf(grid_, size()), turn), stepName(turn), said);
}

void ModelOperations::shift(Side side) {
    if (!ready()) return;
    const std::optional<Design> moved = shifted(blockOf(grid_, size()), side);
    if (!moved) {
        refuse(QString("The model touches %1; nothing moved.").arg(sideName(side)));
        return;
    }
    apply(*moved, StepName::Shift, QString("Shifted %1.").arg(shiftName(side)));
}

void ModelOperations::copyLayer(Side towards) {
    if (!ready()) return;
    const int from = state_.currentLayer;
    const int to = towards == Side::Back ? from + 1 : from - 1;
    if (to < 1 || to > size()) {
        refuse(QString("Layer %1 is the %2; nothing copied.")
                   .arg(from)
                   .arg(to < 1 ? "first" : "last"));
        return;
    }
    apply(layerCopied(blockOf(grid_, size()), from, to), StepName::CopyLayer,
          QString("Copied layer %1 onto layer %2.").arg(from).arg(to));
    stepLayer(towards);
}

void ModelOperations::recolour(ColourCode colour) {
    if (!ready()) return;
    const auto from = static_cast<uint8_t>(state_.currentColour);
    const auto to = static_cast<uint8_t>(colour);
    if (from != to && from >= 1 && from <= kColourCount) {
        const Design block = blockOf(grid_, size());
        const auto cells = static_cast<ptrdiff_t>(size()) * size() * size();
        const auto count = std::count(block.codes.begin(), block.codes.begin() + cells, from);
        const QString cubes = counted(count, "cube is", "cubes are", colourName(from));
        const QString said = QString("%1 now %2.").arg(cubes, colourName(to));
        apply(recoloured(block, from, to), StepName::Recolour, said);
    }
    form_.ShapeMouseDown(form_.swatch(colour), colour);
    speech_.confirmColour();
}
