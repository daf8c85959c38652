#pragma once
// A small closed traverse around the demo district's T1 to T4, with a side shot to a new
// point, handed to the host the way traverse creation hands one, so that a host round trip
// can be run by hand.

#include <QString>

namespace calcstore {
class clsConvert2;
}

namespace trevanto_host {

// Fills an empty hand-off object as a closed traverse in the folder, its points resolved
// against the district database at the path.
void FillSampleTraverse(calcstore::clsConvert2& handOff, const QString& databasePath, qint32 folderId);

}  // namespace trevanto_host
