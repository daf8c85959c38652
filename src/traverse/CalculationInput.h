#pragma once
// One calculation as traverse creation hands it to the host: its points, parameters and
// element table, built from an assembled traverse by the table of CalculationKinds.h.

#include <QString>
#include <QVariantList>
#include <vector>

#include "traverse/TraverseAssembly.h"
#include "traverse/TraverseOptions.h"

namespace calcstore {
class clsConvert2;
}

namespace traverse {

struct InputPoint {
    QString name;
    qint32 id = 0;  // district ID, or a provisional negative one
    QString memo;
    double z = 0;  // calcstore::clsCoord::NoHeight() for no height to register
};

struct InputValue {
    qint32 type = 0;
    QVariant value;
};

struct CalculationInput {
    qint32 calcNo = 0;
    std::vector<InputPoint> points;
    std::vector<InputValue> parameters;
    std::vector<qint32> columns;
    std::vector<QVariantList> rows;
};

// Texts among the parameters of the two networks.
struct InputTexts {
    QString calcName;
    QString source;  // the field book the notebook was made from
};

// Classifies the traverse for the options' type, then builds its input. `rows` and
// `stations` are those the traverse was assembled from; its points must be resolved.
CalculationInput BuildCalculationInput(clsTrb& traverse, const std::vector<TraverseRow>& rows,
                                       const std::vector<StationRows>& stations,
                                       const TraverseOptions& options, const InputTexts& texts);

// Adds the points, parameters, element columns and rows to the hand-off object, which must
// be empty and named (GetCalcName).
void HandOver(const CalculationInput& input, calcstore::clsConvert2& handOff);

// An angle in whole seconds as ddd.mmss.
double PackedDms(qint64 seconds);

}  // namespace traverse
