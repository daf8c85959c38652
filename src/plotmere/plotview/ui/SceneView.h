#pragma once
// What both views share: a drawing surface that fills the control, the screen's size in
// points, and every mouse move told to the host in drawing units. The host's codes: buttons
// 1 left, 2 right, 4 middle; shift keys 1 Shift, 2 Ctrl, 4 Alt; X east, Y north.

#include <QWidget>
#include <optional>

#include "plotmere/plotview/PlotFit.h"

class QMouseEvent;

namespace plotmere {

class SceneView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(float ScreenWidth READ ScreenWidth)
    Q_PROPERTY(float ScreenHeight READ ScreenHeight)

  public:
    // The screen's width and height in points (twips × 0.05), as the host's forms measure it.
    float ScreenWidth() const;
    float ScreenHeight() const;

  signals:
    void MouseMove(short Button, short Shift, float X, float Y);

  protected:
    explicit SceneView(QWidget* parent);
    // The window the control draws in now; none when there is nothing to fit.
    virtual std::optional<ViewFit> CurrentFit() const = 0;
    // The event's position in drawing units under that window; pixels when there is none.
    QPointF DrawingPosition(const QMouseEvent& event) const;
    void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace plotmere
