#pragma once
// A report written to a file or an image: PDF with the fonts embedded, RTF for a word
// processor, a PNG-ready image of one page. Files are replaced atomically: a failure leaves
// the old file as it was.

#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QString>

#include "notebook/report/ReportDocument.h"

namespace notebook::report {

// The report as a PDF document on the paper of the page layout; empty when Qt could not
// paint it.
QByteArray ReportPdf(const ReportDocument& document, const QPageLayout& paper);

// Writes ReportPdf to the path. Throws platform::FileError.
void WriteReportPdf(const QString& path, const ReportDocument& document, const QPageLayout& paper);

// One page as a white sheet of the paper's size at the resolution, margins included.
QImage RenderReportPage(const ReportDocument& document, const QPageLayout& paper, size_t page, int dotsPerInch);

// The report as RTF: the same lines in the report's font, a page break between pages, the
// paper, orientation and margins of the page layout.
QByteArray ReportRtf(const ReportDocument& document, const QPageLayout& paper);

// Writes ReportRtf to the path. Throws platform::FileError.
void WriteReportRtf(const QString& path, const ReportDocument& document, const QPageLayout& paper);

}  // namespace notebook::report
