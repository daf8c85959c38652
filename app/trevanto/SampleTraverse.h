#pragma once
// A small closed traverse around the demo district's T1 to T4, filled into the hand-off
// object the way traverse creation fills it, so a host round trip can be run by hand.

#include <QtGlobal>

namespace calcstore {
class clsConvert2;
}

namespace trevanto_host {

// Fills an empty hand-off object; point names come from the program's numbering rules.
void FillSampleTraverse(calcstore::clsConvert2& handOff, qint32 folderId);

}  // namespace trevanto_host
