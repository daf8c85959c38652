#pragma once
// Reading a rendered view back: how many pixels of one colour lie in a box.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

namespace plotmere_test {

inline QImage Rendered(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

inline int Count(const QImage& image, const QColor& colour, QRect box = {}) {
    if (box.isNull()) box = image.rect();
    box &= image.rect();
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (image.pixelColor(x, y) == colour) ++n;
    return n;
}

// Pixels of type in a box: dark ones, whatever the smoothing of the glyphs.
inline int CountInk(const QImage& image, QRect box) {
    box &= image.rect();
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 160) ++n;
    return n;
}

// A box of the given half-size around a pixel.
inline QRect Around(QPointF at, int half) {
    return QRect(qRound(at.x()) - half, qRound(at.y()) - half, 2 * half + 1, 2 * half + 1);
}

}  // namespace plotmere_test
