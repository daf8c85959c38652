#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

#include "notebook/report/paint/ReportFiles.h"
#include "notebook/report/paint/ReportPainter.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"

namespace notebook::report {

QByteArray ReportPdf(const ReportDocument& document, const QPageLayout& paper) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(paper);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Trevanto"));
        writer.setTitle(document.layout.title);
        if (!PaintReport(document, writer)) return QByteArray();
    }
    return bytes;
}

void WriteReportPdf(const QString& path, const ReportDocument& document, const QPageLayout& paper) {
    const QByteArray pdf = ReportPdf(document, paper);
    if (pdf.isEmpty()) throw platform::FileError(path, QStringLiteral("PDF を作れませんでした。"));
    platform::WriteFileBytes(path, pdf);
}

QImage RenderReportPage(const ReportDocument& document, const QPageLayout& paper, size_t page, int dotsPerInch) {
    const QRect full = paper.fullRectPixels(dotsPerInch);
    QImage image(full.size(), QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    const QRect area = paper.paintRectPixels(dotsPerInch);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(area.topLeft());
    PaintReportPage(document, page, painter, image, QSizeF(area.size()));
    return image;
}

}  // namespace notebook::report
