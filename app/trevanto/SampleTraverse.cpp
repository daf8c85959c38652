#include "trevanto/SampleTraverse.h"

#include <QVariantList>

#include "calcstore/CalcTypes.h"
#include "calcstore/clsConvert2.h"

namespace trevanto_host {

void FillSampleTraverse(calcstore::clsConvert2& handOff, qint32 folderId) {
    constexpr qint32 kClosedTraverse = 7;
    handOff.SetCalcEntry(kClosedTraverse, calcstore::CalcTypeDefaultName(kClosedTraverse),
                         folderId);
    const double heights[] = {45.210, 44.872, 44.105, 43.998};
    for (qint32 number = 1; number <= 4; ++number) {
        handOff.AddZahyou(handOff.GetTenName(QString::number(number)), number,
                          number == 1 ? QStringLiteral("既知点") : QString(), heights[number - 1]);
    }
    handOff.AddParameter(calcstore::kTypeInteger, 4);     // stations
    handOff.AddParameter(calcstore::kTypeRefSokuten, 1);  // the known point
    handOff.AddParameter(calcstore::kTypeDouble, 0.5);    // instrument height, m
    handOff.AddParameter(calcstore::kTypeBoolean, true);  // both faces observed
    handOff.AddParameter(calcstore::kTypeString, QStringLiteral("観測者 山田"));

    // station, back sight, fore sight, angle (ddd.mmss), distance (m)
    for (qint32 type : {calcstore::kTypeSokuten, calcstore::kTypeSokuten, calcstore::kTypeSokuten,
                        calcstore::kTypeDouble, calcstore::kTypeDouble})
        handOff.AddElementCols(type);
    handOff.GetElements().AddItem({1, 4, 2, 91.2315, 110.063});
    handOff.GetElements().AddItem({2, 1, 3, 88.4702, 106.452});
    handOff.GetElements().AddItem({3, 2, 4, 90.1254, 104.117});
    handOff.GetElements().AddItem({4, 3, 1, 89.5729});  // distance left to the calculation
}

}  // namespace trevanto_host
