#include "plotmere/plotview/ui/KoutenView.h"

#include <QMouseEvent>
#include <QPainter>

#include "plotmere/plotview/ui/HostMouse.h"
#include "plotmere/plotview/ui/ScenePainter.h"

namespace plotmere {

KoutenView::KoutenView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(32, 32);
}

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

float KoutenView::ScreenWidth() const { return ScreenPoints(*this, Qt::Horizontal); }
float KoutenView::ScreenHeight() const { return ScreenPoints(*this, Qt::Vertical); }

void KoutenView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintScene(painter, scene_, size());
}

void KoutenView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = DrawingPosition(*event, SceneFit(scene_, size()));
    emit MouseMove(HostButtons(event->buttons()), HostShift(event->modifiers()), static_cast<float>(at.x()),
                   static_cast<float>(at.y()));
}

}  // namespace plotmere
