#pragma once
// The intersection view: the host gives two elements, each a line (through two points, or
// from a point in a direction, optionally moved sideways) or a circle (a centre and a
// radius); Disp finds where they meet (at most two points), publishes the answers and
// draws the figure. Survey axes: X north (up), Y east (right); angles in decimal seconds of
// arc; distances in metres.
//
// Element 1 is built from P1 with P2, else Hang1, else R1; element 2 from P3 with P4, Hang2
// or R2. When element 1 is a line and only P3 is given, element 2 is the perpendicular from
// P3 onto it and its foot the answer. A positive offset (Hanare) moves a line to the right
// of its direction, a negative one to the left.

#include "plotmere/plotview/Intersections.h"
#include "plotmere/plotview/PlotScene.h"
#include "plotmere/plotview/ui/SceneView.h"

namespace plotmere {

class KoutenView : public SceneView {
    Q_OBJECT
    Q_PROPERTY(QString P1Name READ P1Name WRITE setP1Name)
    Q_PROPERTY(QString P2Name READ P2Name WRITE setP2Name)
    Q_PROPERTY(QString P3Name READ P3Name WRITE setP3Name)
    Q_PROPERTY(QString P4Name READ P4Name WRITE setP4Name)
    Q_PROPERTY(double P1X READ P1X WRITE setP1X)
    Q_PROPERTY(double P2X READ P2X WRITE setP2X)
    Q_PROPERTY(double P3X READ P3X WRITE setP3X)
    Q_PROPERTY(double P4X READ P4X WRITE setP4X)
    Q_PROPERTY(double P1Y READ P1Y WRITE setP1Y)
    Q_PROPERTY(double P2Y READ P2Y WRITE setP2Y)
    Q_PROPERTY(double P3Y READ P3Y WRITE setP3Y)
    Q_PROPERTY(double P4Y READ P4Y WRITE setP4Y)
    Q_PROPERTY(QString Hang1 READ Hang1 WRITE setHang1)
    Q_PROPERTY(QString Hang2 READ Hang2 WRITE setHang2)
    Q_PROPERTY(QString Hanare1 READ Hanare1 WRITE setHanare1)
    Q_PROPERTY(QString Hanare2 READ Hanare2 WRITE setHanare2)
    Q_PROPERTY(QString R1 READ R1 WRITE setR1)
    Q_PROPERTY(QString R2 READ R2 WRITE setR2)
    Q_PROPERTY(double AnsX1 READ AnsX1 WRITE setAnsX1)
    Q_PROPERTY(double AnsY1 READ AnsY1 WRITE setAnsY1)
    Q_PROPERTY(double AnsX2 READ AnsX2 WRITE setAnsX2)
    Q_PROPERTY(double AnsY2 READ AnsY2 WRITE setAnsY2)
    Q_PROPERTY(short AnsCount READ AnsCount WRITE setAnsCount)

  public:
    explicit KoutenView(QWidget* parent = nullptr);

    QString P1Name() const { return input_.names[0]; }
    void setP1Name(const QString& v) { input_.names[0] = v; }
    QString P2Name() const { return input_.names[1]; }
    void setP2Name(const QString& v) { input_.names[1] = v; }
    QString P3Name() const { return input_.names[2]; }
    void setP3Name(const QString& v) { input_.names[2] = v; }
    QString P4Name() const { return input_.names[3]; }
    void setP4Name(const QString& v) { input_.names[3] = v; }
    double P1X() const { return input_.points[0].x; }
    void setP1X(double v) { input_.points[0].x = v; }
    double P2X() const { return input_.points[1].x; }
    void setP2X(double v) { input_.points[1].x = v; }
    double P3X() const { return input_.points[2].x; }
    void setP3X(double v) { input_.points[2].x = v; }
    double P4X() const { return input_.points[3].x; }
    void setP4X(double v) { input_.points[3].x = v; }
    double P1Y() const { return input_.points[0].y; }
    void setP1Y(double v) { input_.points[0].y = v; }
    double P2Y() const { return input_.points[1].y; }
    void setP2Y(double v) { input_.points[1].y = v; }
    double P3Y() const { return input_.points[2].y; }
    void setP3Y(double v) { input_.points[2].y = v; }
    double P4Y() const { return input_.points[3].y; }
    void setP4Y(double v) { input_.points[3].y = v; }
    QString Hang1() const { return input_.hang[0]; }
    void setHang1(const QString& v) { input_.hang[0] = v; }
    QString Hang2() const { return input_.hang[1]; }
    void setHang2(const QString& v) { input_.hang[1] = v; }
    QString Hanare1() const { return input_.hanare[0]; }
    void setHanare1(const QString& v) { input_.hanare[0] = v; }
    QString Hanare2() const { return input_.hanare[1]; }
    void setHanare2(const QString& v) { input_.hanare[1] = v; }
    QString R1() const { return input_.radius[0]; }
    void setR1(const QString& v) { input_.radius[0] = v; }
    QString R2() const { return input_.radius[1]; }
    void setR2(const QString& v) { input_.radius[1] = v; }
    double AnsX1() const { return ansX1_; }
    void setAnsX1(double v) { ansX1_ = v; }
    double AnsY1() const { return ansY1_; }
    void setAnsY1(double v) { ansY1_ = v; }
    double AnsX2() const { return ansX2_; }
    void setAnsX2(double v) { ansX2_ = v; }
    double AnsY2() const { return ansY2_; }
    void setAnsY2(double v) { ansY2_ = v; }
    short AnsCount() const { return ansCount_; }
    void setAnsCount(short v) { ansCount_ = v; }

    // Empties the names and texts and sets the coordinates and answers to 0.
    Q_INVOKABLE void Clear();
    // Builds and intersects the elements, sets the answers (0 for one not found), draws;
    // returns AnsCount.
    Q_INVOKABLE short Disp();
    // Redraws the last figure.
    Q_INVOKABLE void Reflash();

    // The figure drawn by the last Disp.
    const PlotScene& Scene() const { return scene_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    std::optional<ViewFit> CurrentFit() const override;

  private:
    KoutenInput input_;
    double ansX1_ = 0, ansY1_ = 0, ansX2_ = 0, ansY2_ = 0;
    short ansCount_ = 0;
    PlotScene scene_;
};

}  // namespace plotmere
