#pragma once
// Paints a plot scene on any surface (a widget, an image, a printer page): the scene's
// extent fitted to the surface, a white ground, thin undithered lines in the 16-colour
// palette so that a colour reads back exactly, and labels in 9-point type.

#include <QColor>
#include <QPainter>
#include <QSize>
#include <optional>

#include "plotmere/plotview/PlotFit.h"
#include "plotmere/plotview/PlotScene.h"

namespace plotmere {

// The colour of a palette entry, 0..15.
QColor PaletteColour(int entry);

// The window the scene's extent takes on a surface of this size; none when nothing can be
// drawn.
std::optional<ViewFit> SceneFit(const PlotScene& scene, QSize surface);

// Clears the surface and draws the scene fitted to it; returns the window drawn.
std::optional<ViewFit> PaintScene(QPainter& painter, const PlotScene& scene, QSize surface);

}  // namespace plotmere
