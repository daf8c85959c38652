// The plain list of a station observed without sets: one line per sighting.

#include "notebook/NotebookFormat.h"
#include "notebook/NotebookLayout.h"

namespace notebook {
namespace {

void WriteHeader(NotebookPages& pages) {
    const QString units = QStringLiteral("    ﾟ　'  ") + u'"';
    pages.Line(QString());
    pages.Line(QStringLiteral("     視準点名       水 平 角   鉛 直 角       斜 距 離      目標高"));
    pages.Line(QString(17, u' ') + units + units + QStringLiteral("     (1)       (2)     m"));
}

void WriteSighting(NotebookPages& pages, const Sighting& s) {
    DataRow row;
    row[2] = s.face();
    row[3] = s.direction > 0 ? QString::number(s.direction) : QString();
    row[4] = s.name;
    row[5] = DmsOrBlank(s.horizontal);
    row[21] = DmsOrBlank(s.vertical);
    if (s.distance1 > 0) row[14] = FormatDigits(s.distance1, 5, 3, 9);
    if (s.distance2 > 0) row[15] = FormatDigits(s.distance2, 5, 3, 9);
    row[18] = Metres(s.targetHeight, 4, 8);
    row[19] = kPlainRow;
    row[22] = s.memo;
    const QString text = QStringLiteral("  [") + PadToBytes(row[4], 12) + QStringLiteral("] ") +
                         row[5].rightJustified(11) + row[21].rightJustified(11) + row[14].rightJustified(10) +
                         row[15].rightJustified(10) + row[18].rightJustified(8);
    pages.Row(text, std::move(row));
}

}  // namespace

void WritePlainList(NotebookPages& pages, const std::vector<Sighting>& sightings,
                    const std::vector<Sighting>& remeasured) {
    WriteHeader(pages);
    for (const Sighting& s : sightings) WriteSighting(pages, s);
    if (remeasured.empty()) return;
    WriteRemeasureSeparator(pages, kPlainRow);
    for (const Sighting& s : remeasured) WriteSighting(pages, s);
}

}  // namespace notebook
