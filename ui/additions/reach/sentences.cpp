#include "ui/additions/reach/sentences.h"

#include <QStringList>

#include "ui/additions/colour_words.h"

using namespace kadro;

QString whatAPressDoes(const FrameSummary& frame) {
    return frame.erasing ? QString("Erasing") : QString("Placing %1").arg(colourName(frame.colour));
}

StepTaken stepTaken(const FrameSummary& before, const FrameSummary& now) {
    if (now.recorded == before.recorded + 1) return StepTaken::New;
    if (now.recorded != before.recorded) return StepTaken::None;
    if (now.stepsDone == before.stepsDone + 1) return StepTaken::Redone;
    if (now.stepsDone + 1 == before.stepsDone) return StepTaken::Undone;
    return StepTaken::None;
}

namespace {

// An edit, an undo or a redo between the two frames.
QString editSaid(const FrameSummary& before, const FrameSummary& now, const StepSummary& step) {
    const StepTaken taken = stepTaken(before, now);
    const bool newStep = taken == StepTaken::New, undone = taken == StepTaken::Undone;
    const QString visible = QString("%1 visible").arg(countedCubes(now.cubes));
    QString what;
    switch (step.kind) {
        case StepSummary::Kind::Press:
            if (newStep) {
                return step.after == 0 ? QString("Emptied")
                                       : QString("%1 placed").arg(colourTitle(step.after));
            }
            what = QString("column %1, row %2, layer %3: %4")
                       .arg(step.column + 1)
                       .arg(step.row + 1)
                       .arg(step.layer)
                       .arg(colourName(undone ? step.before : step.after));
            break;
        case StepSummary::Kind::Clear:
            if (newStep) return QString("Cleared %1").arg(countedCubes(before.cubes - now.cubes));
            what = "CLEAR";
            break;
        case StepSummary::Kind::Fill:
            if (newStep) return QString("Filled with %1, %2").arg(colourName(step.after), visible);
            what = "FILL";
            break;
        case StepSummary::Kind::Paste:
            if (newStep) return QString("Design pasted, %1").arg(visible);
            what = "paste";
            break;
        case StepSummary::Kind::Operation:
            if (newStep) return {};  // the operation says itself
            what = stepWords(step.name);
            break;
    }
    return QString("%1: %2. %3").arg(undone ? "Undone" : "Redone", what, visible);
}

}  // namespace

QString changesSaid(const FrameSummary& before, const FrameSummary& now,
                    const std::optional<StepSummary>& step) {
    QStringList said;
    if (now.erasing != before.erasing || (!now.erasing && now.colour != before.colour))
        said << whatAPressDoes(now);
    if (now.grid != before.grid) said << (now.grid ? "Grid pattern shown" : "Grid pattern hidden");
    if (now.size != before.size) {
        if (now.focus != FrameSummary::Focus::SizeBar) said << QString("Size %1").arg(now.size);
    } else if (now.layer != before.layer && now.focus != FrameSummary::Focus::LayerBox) {
        QString layer = QString("Layer %1 of %2").arg(now.layer).arg(now.size);
        if (!now.cursorCell.isEmpty()) layer += ", " + now.cursorCell.toLower();
        said << layer;
    }
    if (step && stepTaken(before, now) != StepTaken::None) {
        const QString edit = editSaid(before, now, *step);
        if (!edit.isEmpty()) said << edit;
    }
    return said.join(". ");
}
