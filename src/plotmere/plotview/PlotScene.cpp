#include "plotmere/plotview/PlotScene.h"

#include <limits>

#include "plotmere/plotview/ArcPath.h"
#include "plotmere/plotview/PlotFit.h"

namespace plotmere {
namespace {

Stroke Path(std::vector<GridPoint> points, int colour, bool dashed = false) {
    Stroke s;
    s.points = std::move(points);
    s.palette = colour;
    s.dashed = dashed;
    return s;
}

Stroke Marker(const GridPoint& at) {
    Stroke s;
    s.kind = Stroke::Kind::Marker;
    s.palette = palette::kRed;
    s.points = {at};
    return s;
}

Stroke Label(const GridPoint& at, const QString& text, bool above) {
    Stroke s;
    s.kind = Stroke::Kind::Label;
    s.points = {at};
    s.text = text;
    s.above = above;
    return s;
}

void AddLinks(const PlotTables& tables, double metresPerPixel, std::vector<Stroke>& strokes) {
    for (const PlotLink& link : tables.Links()) {
        const PlotPoint* a = tables.FindPoint(link.P1);
        const PlotPoint* b = tables.FindPoint(link.p2);
        if (!a || !b) continue;  // a link to a point never added draws nothing
        const LinkPen pen = PenFor(ColourName(link.cTag), link.r != 0);
        const GridPoint from{a->X, a->Y}, to{b->X, b->Y};
        if (link.r == 0) {
            strokes.push_back(Path({from, to}, pen.palette, pen.dashed));
        } else if (auto arc = ArcPolyline(from, to, link.r, metresPerPixel); !arc.empty()) {
            strokes.push_back(Path(std::move(arc), pen.palette));
        }
    }
}

bool Given(const QString& name) { return !name.trimmed().isEmpty(); }

class KoutenDrawing {
  public:
    explicit KoutenDrawing(const KoutenInput& input) : input_(input) {}

    // Element 1 (first = 0, P1 and P2) or element 2 (first = 2, P3 and P4).
    void AddElement(const Element& e, int first, int colour) {
        const GridPoint& centre = input_.points[first];
        if (e.kind == Element::Kind::Circle) {
            Stroke circle = Path({centre}, colour);
            circle.kind = Stroke::Kind::Circle;
            circle.radius = e.radius;
            Add(std::move(circle));
            AddNamed(first);
            return;
        }
        if (e.kind != Element::Kind::Line) return;
        Add(Path(e.moved ? std::vector{e.givenStart, e.givenSecond} : std::vector{e.start, e.second}, colour));
        if (e.moved) Add(Path({e.start, e.second}, palette::kGrey, true));
        AddNamed(first);
        if (Given(input_.names[first + 1])) AddNamed(first + 1);
    }

    void AddAnswers(const std::vector<GridPoint>& answers) {
        for (size_t i = 0; i < answers.size(); ++i) {
            Add(Marker(answers[i]));
            Add(Label(answers[i], QString::number(i + 1) + QStringLiteral("Ans"), false));
        }
    }

    PlotScene Take() {
        if (scene_.strokes.empty()) return {};
        WidenDegenerate(scene_.extent);
        return std::move(scene_);
    }

  private:
    void AddNamed(int index) {
        Add(Marker(input_.points[index]));
        Add(Label(input_.points[index], input_.names[index], false));
    }

    void Add(Stroke stroke) {
        // A circle's points are its centre: the extent takes in what defines the figure.
        for (const GridPoint& p : stroke.points) scene_.extent.Include(p.x, p.y);
        scene_.strokes.push_back(std::move(stroke));
    }

    const KoutenInput& input_;
    PlotScene scene_{{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                      -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()},
                     {}};
};

}  // namespace

PlotScene PlotViewScene(PlotTables& tables, double metresPerPixel) {
    WidenDegenerate(tables.extent());
    PlotScene scene{tables.extent(), {}};
    scene.strokes.reserve(tables.Links().size() + 2 * tables.Points().size());
    AddLinks(tables, metresPerPixel, scene.strokes);
    for (const PlotPoint& p : tables.Points()) {
        if (p.Tag != u"NONE") scene.strokes.push_back(Marker({p.X, p.Y}));
        scene.strokes.push_back(Label({p.X, p.Y}, p.TenName, true));
    }
    return scene;
}

PlotScene KoutenScene(const KoutenInput& input, const KoutenFigure& figure) {
    KoutenDrawing drawing(input);
    drawing.AddElement(figure.first, 0, palette::kBlue);
    drawing.AddElement(figure.second, 2, palette::kMagenta);  // the perpendicular runs from P3 to its foot
    drawing.AddAnswers(figure.answers);
    return drawing.Take();
}

}  // namespace plotmere
