#pragma once
// The prompt shown to the user with Qt's message boxes and file dialogs.

#include <QPointer>
#include <QWidget>

#include "platform/Prompt.h"

namespace platform {

class QtPrompt : public Prompt {
  public:
    PromptAnswer Message(const QString& text, const QString& title, PromptIcon icon,
                         PromptButtons buttons) override;
    std::optional<QString> Input(const QString& text, const QString& title,
                                 const QString& defaultValue) override;
    FileDialogResult OpenFile(const FileDialogRequest& request) override;
    FileDialogResult SaveFile(const FileDialogRequest& request) override;
    void BeginWait() override;
    void EndWait() override;
    void Beep() override;

  private:
    int waitDepth_ = 0;
};

// What the file dialogs say to a typed name that holds '"'.
inline const QString kQuoteInFileName =
    QStringLiteral("ファイル名に \" は使えません。別の名前を入力してください。");

// The "name|pattern|" filter in Qt's "name (pattern);;name (pattern)" form.
QString QtFileFilter(const QString& filter);

// Installs a QtPrompt as the active prompt unless one is installed already.
void InstallQtPromptIfNone();

}  // namespace platform
