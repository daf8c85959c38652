#pragma once
// The demo field book of a closed traverse around the demo district: T1 → T2 → N1 → T4 → T1,
// each station backsighting the station before it and observed in one set on both faces.
// N1 is not in the district; from T2 a boundary mark 杭1, also new, is taken as a side shot.
// Its grid rows: T1: T4 T2 | T2: T1 N1 杭1 | N1: T2 T4 | T4: N1 T1.

#include <QByteArray>

#include "support/TestEnvironment.h"

namespace test {

inline QByteArray ClosedTraverseFieldBook() {
    return ReadBytes(QStringLiteral(TREVANTO_TEST_DATA "/../../data/demo/LOOP.APA"));
}

}  // namespace test
