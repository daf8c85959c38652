#pragma once
// Where the program keeps its files.

#include <QString>

namespace platform {

// The per-user work folder, where the program writes its own files (notebook files,
// export file, work files): $TREVANTO_HOME when set, else <data folder>/Brandel/Trevanto.
// Created when missing; throws FileError when it cannot be. Ends without a separator.
QString WorkFolder();

// The folder with a trailing "/" added when missing.
QString WithTrailingSlash(const QString& folder);

}  // namespace platform
