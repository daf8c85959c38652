#pragma once
// Fitting an extent of survey coordinates to a drawing surface in map orientation: north up,
// east to the right, with a margin of a fifth around the data.

#include <optional>

#include "plotmere/plotview/GridPoint.h"
#include "plotmere/plotview/PlotTables.h"

namespace plotmere {

// Widens an extent thinner than 0.00001 m in either axis by 1 m to both sides.
void WidenDegenerate(Extent& extent);

// The drawing window on a surface of the given size in pixels: its top-left corner in survey
// coordinates and its size in metres.
struct ViewFit {
    double left = 0;    // east at the left edge
    double top = 0;     // north at the top edge
    double width = 1;   // metres across
    double height = 1;  // metres down
    double pixelsWide = 1;
    double pixelsHigh = 1;

    double PixelX(double east) const { return (east - left) * pixelsWide / width; }
    double PixelY(double north) const { return (top - north) * pixelsHigh / height; }
    double East(double pixelX) const { return left + pixelX * width / pixelsWide; }
    double North(double pixelY) const { return top - pixelY * height / pixelsHigh; }
    // Metres per pixel.
    double Scale() const { return width / pixelsWide; }
};

// The window that shows the extent (already widened) whole and centred on a surface of
// pixelsWide × pixelsHigh; none when the surface or the data have no positive aspect.
std::optional<ViewFit> FitExtent(const Extent& extent, double pixelsWide, double pixelsHigh);

}  // namespace plotmere
