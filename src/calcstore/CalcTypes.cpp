#include "calcstore/CalcTypes.h"

namespace calcstore {

QString CalcTypeDefaultName(qint32 calcNo) {
    switch (calcNo) {
        case 5:
            return QStringLiteral("開放トラバー");
        case 6:
            return QStringLiteral("放射トラバー");
        case 7:
            return QStringLiteral("閉合トラバー");
        case 8:
            return QStringLiteral("結合トラバー");
        case 41:
            return QStringLiteral("厳密水平網平均計算（検定）");
        case 42:
            return QStringLiteral("厳密高低網平均計算（検定）");
        default:
            return {};
    }
}

}  // namespace calcstore
