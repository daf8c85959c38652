#include "plotmere/plotview/ui/SceneView.h"

#include <QMouseEvent>
#include <QScreen>

namespace plotmere {
namespace {

short HostButtons(Qt::MouseButtons buttons) {
    return static_cast<short>((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                              (buttons & Qt::MiddleButton ? 4 : 0));
}

short HostShift(Qt::KeyboardModifiers modifiers) {
    return static_cast<short>((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                              (modifiers & Qt::AltModifier ? 4 : 0));
}

float ScreenPoints(const QWidget& widget, Qt::Orientation orientation) {
    const QScreen* screen = widget.screen();
    if (!screen) return 0;
    const bool across = orientation == Qt::Horizontal;
    const double pixels = across ? screen->size().width() : screen->size().height();
    const double dpi = across ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? static_cast<float>(pixels * 72 / dpi) : 0;
}

}  // namespace

SceneView::SceneView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(32, 32);
}

float SceneView::ScreenWidth() const { return ScreenPoints(*this, Qt::Horizontal); }
float SceneView::ScreenHeight() const { return ScreenPoints(*this, Qt::Vertical); }

QPointF SceneView::DrawingPosition(const QMouseEvent& event) const {
    const QPointF at = event.position();
    const std::optional<ViewFit> fit = CurrentFit();
    return fit ? QPointF(fit->East(at.x()), fit->North(at.y())) : at;
}

void SceneView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = DrawingPosition(*event);
    emit MouseMove(HostButtons(event->buttons()), HostShift(event->modifiers()), static_cast<float>(at.x()),
                   static_cast<float>(at.y()));
}

}  // namespace plotmere
