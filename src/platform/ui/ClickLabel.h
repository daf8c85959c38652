#pragma once
// A label that opens something when clicked, as the status labels of the forms do.

#include <QLabel>

namespace platform {

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace platform
