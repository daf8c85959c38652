#include "plotmere/plotview/ui/PlotViewEx.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <numbers>

#include "plotmere/plotview/HostError.h"
#include "plotmere/plotview/PlotScene.h"
#include "plotmere/plotview/ui/ScenePainter.h"

namespace plotmere {

PlotViewEx::PlotViewEx(QWidget* parent) : SceneView(parent) {}

void PlotViewEx::Clear() {
    tables_.Clear();
    update();
}

int PlotViewEx::AddPoint(const QString& TenName, double X, double Y, double Z, const QString& Tag) {
    return tables_.AddPoint(TenName, X, Y, Z, Tag);
}

void PlotViewEx::AddLink(int P1, int p2, const QString& cTag) { tables_.AddLink(P1, p2, 0, cTag); }

void PlotViewEx::AddLinkArc(int P1, int p2, double r, const QString& cTag) {
    tables_.AddLink(P1, p2, r, cTag);
}

void PlotViewEx::GetPoint(int32_t No, QString& TenName, double& X, double& Y, double& Z, QString& Tag) const {
    const PlotPoint& p = tables_.Point(No);
    TenName = p.TenName;
    X = p.X;
    Y = p.Y;
    Z = p.Z;
    Tag = p.Tag;
}

void PlotViewEx::GetLink(int32_t No, int32_t& P1, int32_t& p2, QString& cTag) const {
    const PlotLink& link = tables_.Link(No);
    P1 = link.P1;
    p2 = link.p2;
    cTag = link.cTag;
}

double PlotViewEx::Sec2Rad(const QString& vData) {
    bool ok = false;
    const double seconds = vData.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(seconds)) throw HostError::TypeMismatch();
    return seconds * std::numbers::pi / 648000;
}

void PlotViewEx::Reflash() { update(); }

void PlotViewEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const std::optional<ViewFit> fit = CurrentFit();
    PaintScene(painter, PlotViewScene(tables_, fit ? fit->Scale() : 0), size());
}

std::optional<ViewFit> PlotViewEx::CurrentFit() const {
    Extent extent = tables_.extent();
    WidenDegenerate(extent);
    return FitExtent(extent, width(), height());
}

void PlotViewEx::mouseReleaseEvent(QMouseEvent* event) {
    if (!CurrentFit()) return;
    const QPointF at = DrawingPosition(*event);
    if (const int32_t hit = PickPoint(tables_, at.x(), at.y(), searchRange_)) {
        const PlotPoint& p = tables_.Point(hit);
        emit SelectPoint(p.TenName, p.X, p.Y, p.Z, p.Tag);
    }
}

}  // namespace plotmere
