#pragma once
// The mouse as the host's events report it: buttons 1 left, 2 right, 4 middle; shift keys
// 1 Shift, 2 Ctrl, 4 Alt; the position in drawing units (X east, Y north).

#include <QMouseEvent>
#include <QWidget>

#include "plotmere/plotview/PlotFit.h"

namespace plotmere {

short HostButtons(Qt::MouseButtons buttons);
short HostShift(Qt::KeyboardModifiers modifiers);
// The event's position in drawing units under the window drawn; pixels when none was.
QPointF DrawingPosition(const QMouseEvent& event, const std::optional<ViewFit>& fit);
// The screen's width or height in points (twips × 0.05), as the host's forms measure it.
float ScreenPoints(const QWidget& widget, Qt::Orientation orientation);

}  // namespace plotmere
