#pragma once
// The shared step that chooses a data file in the data folder and loads it.

#include <QString>
#include <QStringList>
#include <optional>

#include "host/state/ProcessValues.h"
#include "platform/Prompt.h"

namespace host {

// Format codes of OpenDataFile besides the instrument formats.
inline const QString kCodeApaFieldBook = QStringLiteral("***");  // APA file, loaded and checked
inline const QString kCodeSima = QStringLiteral("sim");          // SIMA file, loaded
inline const QString kCodeAnyFile = QStringLiteral("*");

// Lets the user choose a file (filter by code) and, for "***" and "sim", loads its lines
// into DataLines. Sets DataFile, DataCount and LoadStatus and shows the messages of a
// failed load. A field book with bytes that are not Shift-JIS loads (losslessly, see
// CodePage.h), and the user is told. Returns true when DataFile holds a chosen file
// afterwards (a file refused as not APA data is not kept).
bool OpenDataFile(platform::Prompt& prompt, ProcessValues& values, const QString& code);

// The file dialog filter OpenDataFile offers for a code.
QString DataFileFilter(const QString& code);

}  // namespace host
