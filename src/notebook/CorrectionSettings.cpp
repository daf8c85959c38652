#include "notebook/CorrectionSettings.h"

#include "apa/ApaLine.h"

namespace notebook {
namespace {

// The choice digits, the first value and the scale factor; a text cut short gets the parts
// it lacks empty.
QStringList PartsOf(const QString& printHsub) {
    QStringList parts = printHsub.split(u',');
    while (parts.size() < 3) parts.append(QString());
    return parts;
}

}  // namespace

QString RepairedPrintHsub(const QString& stored) {
    return stored.indexOf(u',', 5) >= 0 ? stored : kDefaultPrintHsub;
}

int ChoiceOf(const QString& printHsub, int n) {
    const QString digits = PartsOf(printHsub).constFirst();
    if (n < 1 || n > digits.size()) return 0;
    return qMax(digits.at(n - 1).digitValue(), 0);
}

QString WithChoice(const QString& printHsub, int n, int choice) {
    QStringList parts = PartsOf(printHsub);
    QString& digits = parts.first();
    if (digits.size() < n) digits = digits.leftJustified(n, u'1');
    digits[n - 1] = QChar(u'0' + choice);
    return parts.join(u',');
}

QString ValueOf(const QString& printHsub, ConditionValue part) {
    return PartsOf(printHsub).at(static_cast<int>(part));
}

QString WithValue(const QString& printHsub, ConditionValue part, const QString& value) {
    QStringList parts = PartsOf(printHsub);
    parts[static_cast<int>(part)] = QString(value).remove(u',');
    return parts.join(u',');
}

CorrectionConditions ConditionsOf(const QString& printHsub) {
    const QString text = RepairedPrintHsub(printHsub);
    CorrectionConditions conditions;
    if (text.startsWith(u'2')) conditions.elevationSource = ElevationSource::Computed;
    const double k = apa::LenientNumber(text.section(u',', 2, 2));
    if (k > 0) conditions.scaleFactor = k;
    bool given = false;
    const double elevation = ValueOf(text, ConditionValue::First).trimmed().toDouble(&given);
    if (ChoiceOf(text, 2) == 2 && given) conditions.elevationWhenUnknown = elevation;
    conditions.scaleCorrection = ChoiceOf(text, 4) != 2;
    return conditions;
}

}  // namespace notebook
