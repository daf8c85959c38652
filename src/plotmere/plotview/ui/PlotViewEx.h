#pragma once
// The plot view: named survey points and the links between them (straight or arcs), drawn
// fitted to the control in map orientation (X north up, Y east to the right) with the
// names as labels. A click near a point tells the host which one.
//
// GetPoint and GetLink throw HostError 9 for a number outside the tables, Sec2Rad
// HostError 13 for text that is no number, and adding beyond 2³¹ − 1 records HostError 6.

#include <cstdint>

#include <optional>

#include "plotmere/plotview/PlotFit.h"
#include "plotmere/plotview/PlotTables.h"
#include "plotmere/plotview/ui/SceneView.h"

namespace plotmere {

class PlotViewEx : public SceneView {
    Q_OBJECT
    Q_PROPERTY(double SearchRange READ SearchRange WRITE setSearchRange)
    Q_PROPERTY(int PointCount READ PointCount)
    Q_PROPERTY(int LinkCount READ LinkCount)

  public:
    explicit PlotViewEx(QWidget* parent = nullptr);

    // Empties both tables (room for 1000 records each) and sets the extent to 0..1.
    Q_INVOKABLE void Clear();
    // Appends a point and returns the new point count.
    Q_INVOKABLE int AddPoint(const QString& TenName, double X, double Y, double Z, const QString& Tag);
    // A straight link between point numbers P1 and p2, which are not checked.
    Q_INVOKABLE void AddLink(int P1, int p2, const QString& cTag);
    // An arc of radius r: its centre left of P1 → p2 for r > 0, right for r < 0.
    Q_INVOKABLE void AddLinkArc(int P1, int p2, double r, const QString& cTag);
    int32_t PointCount() const { return tables_.PointCount(); }
    int32_t LinkCount() const { return tables_.LinkCount(); }
    // The pick tolerance in metres: half the side of the square window; 0 switches picking off.
    double SearchRange() const { return searchRange_; }
    void setSearchRange(double range) { searchRange_ = range; }
    void GetPoint(int32_t No, QString& TenName, double& X, double& Y, double& Z, QString& Tag) const;
    // The radius is not returned.
    void GetLink(int32_t No, int32_t& P1, int32_t& p2, QString& cTag) const;
    // Decimal seconds of arc as text, in radians; HostError 13 for text that is no finite number.
    static double Sec2Rad(const QString& vData);
    // Redraws everything.
    Q_INVOKABLE void Reflash();

    // The extent after the last redraw, for a host that frames its own view.
    const Extent& DataExtent() const { return tables_.extent(); }

  signals:
    // On a button's release over a point (the first added, when several are in reach).
    void SelectPoint(const QString& TenName, double X, double Y, double Z, const QString& Tag);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    std::optional<ViewFit> CurrentFit() const override;

  private:

    PlotTables tables_;
    double searchRange_ = 0;
};

}  // namespace plotmere
