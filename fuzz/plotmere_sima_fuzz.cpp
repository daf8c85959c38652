// Outside bytes of the plot view: a SIMA file read for plotting, its points and parcels put
// in the view's tables (each point's height also used as an arc radius to its successor)
// and the figure built and fitted as a redraw does.

#include <QByteArray>

#include "plotmere/plotview/PlotFit.h"
#include "plotmere/plotview/PlotScene.h"
#include "plotmere/plotview/SimaPlot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const plotmere::SimaPlot plot =
        plotmere::ReadSimaPlot(QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    plotmere::PlotTables tables;
    for (const plotmere::SimaPlotPoint& p : plot.points) {
        const int32_t n = tables.AddPoint(p.name, p.x, p.y, p.z, p.number);
        if (n > 1) tables.AddLink(n - 1, n, p.z, p.name);
    }
    for (const auto& parcel : plot.parcels)
        for (size_t i = 0; i + 1 < parcel.size(); ++i) tables.AddLink(parcel[i] + 1, parcel[i + 1] + 1, 0, QString());
    const plotmere::PlotScene scene = plotmere::PlotViewScene(tables);
    (void)plotmere::FitExtent(scene.extent, 640, 480);
    return 0;
}
