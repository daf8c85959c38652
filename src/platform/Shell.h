#pragma once
// The desktop service the program uses: the text editor.

#include <QString>
#include <QStringList>

namespace platform {

// The command of the program that edits text files, or an empty string: $VISUAL, else
// $EDITOR, else the desktop's default for text/plain (inside the desktop's terminal,
// x-terminal-emulator, when the desktop entry says it is a terminal program; none when it
// is one and there is no terminal). Like the desktop lookup, it proves
// the folder writable by creating and removing the work file TESTSURVEY.TXT there; when
// that fails no editor is found.
QString FindTextEditor(const QString& folder);

// Starts the editor command detached. The file path is passed as one argument, never
// through a shell; an empty path starts the editor on a new file.
bool StartTextEditor(const QString& command, const QString& filePath);

// Splits a desktop entry's Exec line into program and arguments, dropping field codes.
QStringList DesktopExecArguments(const QString& exec);

}  // namespace platform
