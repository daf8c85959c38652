#pragma once
// The desktop services the program uses: the text editor and the single-instance lock.

#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>

namespace platform {

// The command of the program that edits text files, or an empty string: $VISUAL, else
// $EDITOR, else the desktop's default for text/plain. Like the desktop lookup, it proves
// the folder writable by creating and removing the work file TESTSURVEY.TXT there; when
// that fails no editor is found.
QString FindTextEditor(const QString& folder);

// Starts the editor command detached. The file path is passed as one argument, never
// through a shell; an empty path starts the editor on a new file.
bool StartTextEditor(const QString& command, const QString& filePath);

// Splits a desktop entry's Exec line into program and arguments, dropping field codes.
QStringList DesktopExecArguments(const QString& exec);

// Holds the program's single-instance lock in the runtime folder while it lives.
class SingleInstance {
  public:
    explicit SingleInstance(const QString& name);
    // False when another running process holds the lock.
    bool Acquire();
    QString LockPath() const { return path_; }

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
