#pragma once
// Puts a report on paper: onto a printer, a PDF writer or an image, through QPainter. Each
// page has the layout's title, its header block and its table lines in the report's font,
// with the layout's rules. A page whose layout does not fit the paper within its margins
// (a landscape layout on portrait paper, wide margins) is drawn smaller as a whole, so that
// nothing of it is lost.

#include <QPageLayout>
#include <QPageSize>

#include "notebook/report/PrintSettings.h"
#include "notebook/report/ReportDocument.h"

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;

namespace notebook::report {

// The paper of the settings: their paper code (the given paper when it is 0 or unknown),
// orientation and margins in millimetres.
QPageLayout PageLayoutOf(const PrintSettings& settings, const QPageSize& defaultPaper);

// The report on the paper: its layout's lines per page made what a page of the paper holds
// within its margins in the report's font (a layout's own count is for A4 landscape, the
// paper it was drawn for), then the pages as BuildReportDocument lays them out. Throws
// platform::FileError, also when the margins leave no room for a heading and a row.
ReportDocument BuildReportForPaper(const ReportRequest& request, ReportLayout layout, const QPageLayout& paper);

// Paints every page, starting a new device page for each after the first. The device's page
// layout must be set. False when the device cannot be painted on (a printer that refuses).
bool PaintReport(const ReportDocument& document, QPagedPaintDevice& device);

// Paints one page from the painter's origin within the area (device pixels).
void PaintReportPage(const ReportDocument& document, size_t page, QPainter& painter, QPaintDevice& device,
                     QSizeF area);

}  // namespace notebook::report
