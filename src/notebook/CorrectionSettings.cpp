#include "notebook/CorrectionSettings.h"

#include "apa/ApaLine.h"

namespace notebook {

QString RepairedPrintHsub(const QString& stored) {
    return stored.indexOf(u',', 5) >= 0 ? stored : kDefaultPrintHsub;
}

CorrectionConditions ConditionsOf(const QString& printHsub) {
    const QString text = RepairedPrintHsub(printHsub);
    CorrectionConditions conditions;
    if (text.startsWith(u'2')) conditions.elevationSource = ElevationSource::Computed;
    const double k = apa::LenientNumber(text.section(u',', 2, 2));
    if (k > 0) conditions.scaleFactor = k;
    return conditions;
}

}  // namespace notebook
