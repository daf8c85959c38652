// Outside bytes of the coordinate transfer: a SIMA file (lines, point fields, the editor's
// row operations) and clipboard text pasted into the editor, exported in every format.

#include <QString>

#include "coords/CoordinateExport.h"
#include "coords/SimaFile.h"
#include "coords/SimaSheet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const coords::SimaText text = coords::ParseSimaBytes(bytes);
    (void)coords::SimaBytes(text);
    coords::SimaSheet sheet(text.lines);
    if (sheet.RowCount() > 0) {
        sheet.Commit(0, coords::PointField::X, text.lines.value(0));
        (void)sheet.CopyText(0, sheet.RowCount() - 1);
        sheet.DeleteRows(0, 0);
    }
    sheet.Paste(0, QString::fromUtf8(bytes.left(400)));
    for (const char* format : {"GSI", "FC5", "3GD", "SDF", "SC1", "APA"}) {
        coords::ExportChoices choices;
        choices.format = QString::fromLatin1(format);
        choices.gsi16 = size % 2 == 0;
        choices.job = text.lines.value(0);
        try {
            (void)coords::ExportBytes(coords::ExportCoordinates(sheet.TickedPoints(), choices));
        } catch (const coords::ExportError&) {
        }
    }
    return 0;
}
