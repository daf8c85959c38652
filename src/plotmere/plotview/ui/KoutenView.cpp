#include "plotmere/plotview/ui/KoutenView.h"

#include <QPainter>

#include "plotmere/plotview/ui/ScenePainter.h"

namespace plotmere {

KoutenView::KoutenView(QWidget* parent) : SceneView(parent) {}

void KoutenView::Clear() {
    input_ = KoutenInput{};
    ansX1_ = ansY1_ = ansX2_ = ansY2_ = 0;
    ansCount_ = 0;
    scene_ = PlotScene{};
    update();
}

short KoutenView::Disp() {
    const KoutenFigure figure = SolveKouten(input_);
    ansCount_ = static_cast<short>(figure.answers.size());
    // An answer not found reads 0, as after Clear, rather than the last figure's point.
    const GridPoint first = figure.answers.empty() ? GridPoint{} : figure.answers[0];
    const GridPoint second = figure.answers.size() > 1 ? figure.answers[1] : GridPoint{};
    ansX1_ = first.x;
    ansY1_ = first.y;
    ansX2_ = second.x;
    ansY2_ = second.y;
    scene_ = KoutenScene(input_, figure);
    update();
    return ansCount_;
}

void KoutenView::Reflash() { update(); }

void KoutenView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintScene(painter, scene_, size());
}

std::optional<ViewFit> KoutenView::CurrentFit() const { return SceneFit(scene_, size()); }

}  // namespace plotmere
