#pragma once
// What the two views draw, in survey coordinates, before any display: paths, circles,
// point markers and labels in palette colours, with the extent to fit.

#include <QString>
#include <vector>

#include "plotmere/plotview/GridPoint.h"
#include "plotmere/plotview/Intersections.h"
#include "plotmere/plotview/LinkStyle.h"
#include "plotmere/plotview/PlotTables.h"

namespace plotmere {

struct Stroke {
    enum class Kind {
        Path,    // a polyline through points
        Circle,  // centred on points[0], radius in metres
        Marker,  // a small circle of two pixels' radius at points[0]
        Label,   // text at points[0]
    };
    Kind kind = Kind::Path;
    int palette = palette::kBlack;
    bool dashed = false;
    std::vector<GridPoint> points;
    double radius = 0;
    QString text;
    bool above = false;  // a label standing on its point (bottom-left corner there), else hanging from it
};

struct PlotScene {
    Extent extent;
    std::vector<Stroke> strokes;
};

// The plot view's figure: every link (straight or arc, in its cTag's colour), then every
// point's red marker (none for Tag "NONE") and its name standing on it. Arcs need no chords
// shorter than metresPerPixel. Widens the tables' extent where it is thinner than
// 0.00001 m, as the redraw stores it.
PlotScene PlotViewScene(PlotTables& tables, double metresPerPixel = 0);

// The intersection view's figure: element 1 blue, element 2 magenta, a line moved by its
// offset dashed grey, red markers with the names of the given points, and the answers
// labelled 1Ans and 2Ans.
PlotScene KoutenScene(const KoutenInput& input, const KoutenFigure& figure);

}  // namespace plotmere
