#include "platform/ui/ClickLabel.h"

#include <QMouseEvent>

namespace platform {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

}  // namespace platform
