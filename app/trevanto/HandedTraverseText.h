#pragma once
// A stored traverse calculation as a surveyor reads it: each parameter and element column
// under its meaning, points by name, angles as d-mm-ss, lengths in metres.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace trevanto_host {

struct StoredValue {
    qint32 type = 0;
    QVariant text;    // TextValue
    QVariant number;  // NumValue
};

// True when the stored calculation has the parameters and columns of one of the
// calculations traverse creation makes; then the text below reads it.
bool IsHandedTraverse(qint32 calcNo, const QList<StoredValue>& parameters, const QList<qint32>& columnTypes);

// The parameter and element lines; names gives each point ID its name.
QStringList HandedTraverseText(qint32 calcNo, const QList<StoredValue>& parameters,
                               const QList<QList<StoredValue>>& rows, const QHash<qint32, QString>& names);

}  // namespace trevanto_host
