#pragma once
// Where the user left the calculation registration dialog in each district: the folder it
// showed and the look of its list, kept in the per-user settings.

#include <QString>

namespace platform {
class SettingsStore;
}

namespace calcstore {

// The list's two looks: names in columns, or one row a name under the heading "名称".
inline constexpr int kListStyle = 2;
inline constexpr int kDetailStyle = 3;

struct CalcDialogPlace {
    qint32 folderId = 0;  // 0 is the district root
    int viewStyle = kListStyle;
};

// The district's stored place; a value that is missing or not a number reads as the default
// (the root, the list style).
CalcDialogPlace ReadCalcDialogPlace(const platform::SettingsStore& store,
                                    const QString& regionName);

// Throws platform::FileError when the store cannot be written.
void SaveCalcDialogPlace(platform::SettingsStore& store, const QString& regionName,
                         const CalcDialogPlace& place);

}  // namespace calcstore
