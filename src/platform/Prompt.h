#pragma once
// Every message box, question, input box, file dialog, hourglass pointer and bell of the
// program goes through Prompt, so that the forms show them and the tests answer them.

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

enum class PromptIcon { None, Critical, Question, Exclamation, Information };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// The title a message box gets when the caller gives none.
QString DefaultPromptTitle();

// A file dialog request. The filter is written "name|pattern|name|pattern|", the form the
// system's dialogs are described in; FilterPairs turns it into (name, pattern) pairs.
struct FileDialogRequest {
    QString title;
    QString initialFolder;
    QString fileName;  // proposed name
    QString filter;
    int filterIndex = 1;  // 1-based
    bool hideReadOnly = true;
};
QList<std::pair<QString, QString>> FilterPairs(const QString& filter);

enum class DialogStatus { Chosen, Cancelled, Failed };
struct FileDialogResult {
    DialogStatus status = DialogStatus::Cancelled;
    QString path;
    QString error;  // for Failed
};

class Prompt {
  public:
    virtual ~Prompt() = default;
    virtual PromptAnswer Message(const QString& text, const QString& title, PromptIcon icon,
                                 PromptButtons buttons) = 0;
    // nullopt when cancelled.
    virtual std::optional<QString> Input(const QString& text, const QString& title,
                                         const QString& defaultValue) = 0;
    virtual FileDialogResult OpenFile(const FileDialogRequest& request) = 0;
    virtual FileDialogResult SaveFile(const FileDialogRequest& request) = 0;
    virtual void BeginWait() = 0;  // hourglass pointer on
    virtual void EndWait() = 0;    // and off again
    virtual void Beep() = 0;

    // Shorthand for a single-button box.
    void Show(const QString& text, const QString& title, PromptIcon icon) {
        Message(text, title, icon, PromptButtons::Ok);
    }
};

// The prompt the forms and commands use. Tests install a scripted one before anything
// shows; the program installs the Qt one at start.
Prompt& ActivePrompt();
void SetActivePrompt(Prompt* prompt);
bool HasActivePrompt();

// Shows the hourglass for the lifetime of the object.
class WaitCursor {
  public:
    explicit WaitCursor(Prompt& prompt) : prompt_(prompt) { prompt_.BeginWait(); }
    ~WaitCursor() { prompt_.EndWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    Prompt& prompt_;
};

}  // namespace platform
