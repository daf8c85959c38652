#pragma once
// Writes a PNG image whole or not at all: a failure leaves the old file and says why.

#include <QImage>
#include <QString>

namespace plotmere_app {

// Empty on success, else the reason.
QString SavePng(const QImage& image, const QString& path);

}  // namespace plotmere_app
