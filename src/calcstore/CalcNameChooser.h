#pragma once
// How the hand-off object lets the user name a new calculation entry and choose its folder
// without knowing the window that asks: the program installs a chooser that shows the
// registration dialog; a command line or a test installs another or none.

#include <QString>
#include <functional>
#include <optional>

namespace calcstore {

// What the user confirmed: the entry's name, blanks trimmed, and the folder to register it
// in (0 is the district root).
struct CalcEntryChoice {
    QString name;
    qint32 folderId = 0;
};

// Called while the chooser runs, each time a folder of the tree received a new name, with the
// district's region id, so that the host can show the tree again.
using RegionRefresh = std::function<void(qint32 regionId)>;

class CalcNameChooser {
  public:
    virtual ~CalcNameChooser() = default;
    // Offers defaultName for a calculation of type calcNo; nullopt when the user cancels.
    virtual std::optional<CalcEntryChoice> Choose(const QString& defaultName, qint32 calcNo,
                                                  const RegionRefresh& refreshRegion) = 0;
};

}  // namespace calcstore
