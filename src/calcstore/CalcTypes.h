#pragma once
// The calculation types a calculation can be handed over as, with their default names.

#include <QString>

namespace calcstore {

// The default entry name of a calculation type code; empty for a code that is not one.
QString CalcTypeDefaultName(qint32 calcNo);

}  // namespace calcstore
