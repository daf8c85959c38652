#pragma once
// The main menu's commands that need no window of their own.

#include <QString>

#include "host/state/ProcessValues.h"
#include "platform/Prompt.h"
#include "platform/Settings.h"

namespace host {

// Item 1 in file mode: copies an APA file chosen anywhere into the data folder under a
// name the user gives, byte for byte; DataFile becomes the copy. A cancel ends quietly. A
// failed copy leaves an existing target as it was and says why.
void CopyApaFileIntoDataFolder(platform::Prompt& prompt, ProcessValues& values);

// Item 2: chooses a data file with the format code (none for a new file), then starts the
// text editor on it. workFolder is where the editor lookup may write its work file.
void EditDataFile(platform::Prompt& prompt, ProcessValues& values, const QString& code,
                  const QString& workFolder);

// Items 6 and 7: false, after the message, when the format cannot receive coordinates.
bool CheckSendFormat(platform::Prompt& prompt, const QString& format);

// Item 7: reads the district's points through the district coordinate reader into
// DataLines. True when there are points to show; a district without points says so, a
// failed read ends quietly.
bool LoadDistrictCoordinates(platform::Prompt& prompt, ProcessValues& values);

// The data folder dialog's confirm: a non-empty folder becomes DataPath (absolute, with "/"
// added), is created when missing and stored. False when the text is empty. Throws
// platform::FileError, leaving DataPath as it was, when the folder cannot be created or
// the choice cannot be stored.
bool SetDataFolder(platform::SettingsStore& store, ProcessValues& values, const QString& folder);

// The filter of item 1's save dialog, e.g. "APAﾌｧｲﾙ (*.APA)|*.APA|すべてのﾌｧｲﾙ (*.*)|*.*|".
QString SaveCopyFilter(const QString& format);

}  // namespace host
