// Text helpers shared by the notebook's layouts.

#include "apa/AngleText.h"
#include "notebook/NotebookFormat.h"
#include "notebook/NotebookLayout.h"
#include "platform/CodePage.h"

namespace notebook {

QString PadToBytes(const QString& text, int bytes) {
    const int missing = bytes - platform::cp932::ByteLength(text);
    return missing > 0 ? text + QString(missing, u' ') : text;
}

QString DmsOrBlank(const Maybe& seconds) {
    return seconds ? apa::FormatDms(*seconds) : QString();
}

QString Metres(const Maybe& metres, int n, int maxLength) {
    return metres ? FormatDigits(*metres, n, 3, maxLength) : QString();
}

void WriteRemeasureSeparator(NotebookPages& pages, const QString& rowType) {
    DataRow row;
    row[4] = QStringLiteral(" 再測削除分 ");
    row[5] = QStringLiteral("----------");
    if (rowType == kVerticalRow) row[11] = QStringLiteral("鉛　直　角");
    row[19] = rowType;
    pages.Row(QStringLiteral("     --- [ 再測削除分 ] ----------"), std::move(row));
}

}  // namespace notebook
