#include "plotmere/plotview/ui/HostMouse.h"

#include <QScreen>

namespace plotmere {

short HostButtons(Qt::MouseButtons buttons) {
    return static_cast<short>((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                              (buttons & Qt::MiddleButton ? 4 : 0));
}

short HostShift(Qt::KeyboardModifiers modifiers) {
    return static_cast<short>((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                              (modifiers & Qt::AltModifier ? 4 : 0));
}

QPointF DrawingPosition(const QMouseEvent& event, const std::optional<ViewFit>& fit) {
    const QPointF at = event.position();
    return fit ? QPointF(fit->East(at.x()), fit->North(at.y())) : at;
}

float ScreenPoints(const QWidget& widget, Qt::Orientation orientation) {
    const QScreen* screen = widget.screen();
    if (!screen) return 0;
    const bool across = orientation == Qt::Horizontal;
    const double pixels = across ? screen->size().width() : screen->size().height();
    const double dpi = across ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? static_cast<float>(pixels * 72 / dpi) : 0;
}

}  // namespace plotmere
