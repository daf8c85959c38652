#pragma once
// The main menu's per-user settings (section "Trevanto") and its format choices.

#include <QList>
#include <QString>

#include "host/state/ProcessValues.h"
#include "platform/Settings.h"

namespace host {

inline const QString kSettingsSection = QStringLiteral("Trevanto");

// One entry of the format menu: its control name, caption and the values it selects.
struct FormatChoice {
    QString control;
    QString caption;
    QString tsType;
    QString format;
};

// The sixteen entries that select a format, in menu order ("キャンセル" is not one of them).
const QList<FormatChoice>& FormatChoices();

// Reads DataPath, Format, TStype, RSset and RSFuro; missing ones get their defaults, which
// are written back. The default data folder is <workFolder>/TSDATA/. Throws
// platform::FileError when a default cannot be written back, with every value set.
void LoadSettings(platform::SettingsStore& store, ProcessValues& values, const QString& workFolder);

// Stores Format and TStype, and RSset unless it is empty.
void SaveFormatSettings(platform::SettingsStore& store, const ProcessValues& values);

// Stores the data folder as DataPath.
void SaveDataPath(platform::SettingsStore& store, const QString& dataPath);

}  // namespace host
