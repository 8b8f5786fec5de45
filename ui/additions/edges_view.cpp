#include "ui/additions/edges_view.h"

#include "model/animation.h"
#include "ui/additions/reach/speech.h"
#include "ui/form/Unit1.h"

using kadro::Look;

EdgesView::EdgesView(TForm1& form, const kadro::ViewState& state, Speech& speech)
    : QObject(&form), form_(form), state_(state), speech_(speech) {}

void EdgesView::toggle() {
    if (!kadro::animationFinished(state_)) return;
    const bool edged = form_.look() == Look::Designed;
    form_.setLook(edged ? Look::Edged : Look::Designed);
    speech_.say(edged ? "Cubes with edges" : "Cubes as designed");
}
