#pragma once
// The receive file dialog: where received observation data are registered.

#include <QString>

namespace platform {
class Prompt;
}

namespace comm {

// The save dialog in the data folder with an empty name, filtered to the format's extension
// (left out for "*") and all files. Returns the chosen path with the format as its
// extension (a name chosen under "*" is kept as it is); empty when the user cancels or the
// dialog fails, which the user is told ("エラーです。").
QString ChooseReceiveFile(platform::Prompt& prompt, const QString& dataFolder, const QString& format);

}  // namespace comm
