#include "plotmere/plotview/PlotFit.h"

#include <cmath>

namespace plotmere {
namespace {

constexpr double kThin = 0.00001;
constexpr double kMargin = 1.2;

}  // namespace

void WidenDegenerate(Extent& extent) {
    if (std::fabs(extent.MaxY - extent.MinY) < kThin) {
        extent.MaxY += 1;
        extent.MinY -= 1;
    }
    if (std::fabs(extent.MaxX - extent.MinX) < kThin) {
        extent.MaxX += 1;
        extent.MinX -= 1;
    }
}

std::optional<ViewFit> FitExtent(const Extent& e, double pixelsWide, double pixelsHigh) {
    if (!(pixelsWide > 0 && pixelsHigh > 0)) return std::nullopt;
    const double aspectView = pixelsWide / pixelsHigh;
    const double aspectData = std::fabs((e.MaxY - e.MinY) / (e.MaxX - e.MinX));
    if (!(aspectView > 0 && aspectData > 0) || !std::isfinite(aspectData)) return std::nullopt;
    ViewFit fit;
    fit.pixelsWide = pixelsWide;
    fit.pixelsHigh = pixelsHigh;
    if (aspectData >= aspectView) {
        fit.width = (e.MaxY - e.MinY) * kMargin;
        fit.height = fit.width / aspectView;
    } else {
        fit.height = (e.MaxX - e.MinX) * kMargin;
        fit.width = aspectView * fit.height;
    }
    fit.left = (e.MinY + e.MaxY) / 2 - fit.width / 2;
    fit.top = (e.MinX + e.MaxX) / 2 + fit.height / 2;
    if (!(std::isfinite(fit.width) && std::isfinite(fit.height) && fit.width > 0 && fit.height > 0)) return std::nullopt;
    return fit;
}

}  // namespace plotmere
