#include "plotmere/plotview/ui/ScenePainter.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <array>

namespace plotmere {
namespace {

constexpr double kMarkerPixels = 2;
constexpr int kLabelPoints = 9;

QPointF At(const ViewFit& fit, const GridPoint& p) { return {fit.PixelX(p.y), fit.PixelY(p.x)}; }

void Draw(QPainter& painter, const Stroke& s, const ViewFit& fit, const QFontMetricsF& metrics) {
    const QPointF first = At(fit, s.points.front());
    switch (s.kind) {
        case Stroke::Kind::Path: {
            QPolygonF line;
            line.reserve(static_cast<qsizetype>(s.points.size()));
            for (const GridPoint& p : s.points) line << At(fit, p);
            painter.drawPolyline(line);
            break;
        }
        case Stroke::Kind::Circle: {
            const double r = s.radius / fit.Scale();
            painter.drawEllipse(first, r, r);
            break;
        }
        case Stroke::Kind::Marker:
            painter.drawEllipse(first, kMarkerPixels, kMarkerPixels);
            break;
        case Stroke::Kind::Label: {
            const double top = s.above ? first.y() - metrics.height() : first.y();
            painter.drawText(QPointF(first.x(), top + metrics.ascent()), s.text);
            break;
        }
    }
}

}  // namespace

QColor PaletteColour(int entry) {
    static const std::array<QColor, 16> kPalette{
        QColor(0, 0, 0),     QColor(0, 0, 128),     QColor(0, 128, 0),   QColor(0, 128, 128),
        QColor(128, 0, 0),   QColor(128, 0, 128),   QColor(128, 128, 0), QColor(192, 192, 192),
        QColor(128, 128, 128), QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(0, 255, 255),
        QColor(255, 0, 0),   QColor(255, 0, 255),   QColor(255, 255, 0), QColor(255, 255, 255),
    };
    return kPalette[static_cast<size_t>(entry & 15)];
}

std::optional<ViewFit> SceneFit(const PlotScene& scene, QSize surface) {
    return FitExtent(scene.extent, surface.width(), surface.height());
}

std::optional<ViewFit> PaintScene(QPainter& painter, const PlotScene& scene, QSize surface) {
    painter.fillRect(QRect(QPoint(0, 0), surface), Qt::white);
    const std::optional<ViewFit> fit = SceneFit(scene, surface);
    if (!fit) return fit;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    QFont font = painter.font();
    font.setPointSize(kLabelPoints);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    for (const Stroke& s : scene.strokes) {
        if (s.points.empty()) continue;
        QPen pen(PaletteColour(s.palette), 0, s.dashed ? Qt::DashLine : Qt::SolidLine);
        painter.setPen(pen);
        Draw(painter, s, *fit, metrics);
    }
    painter.restore();
    return fit;
}

}  // namespace plotmere
