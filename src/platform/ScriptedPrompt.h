#pragma once
// A prompt that answers from a script, in order, and records everything it was asked.
// Used by the tests of forms and commands.

#include <QList>
#include <deque>

#include "platform/Prompt.h"

namespace platform {

class ScriptedPrompt : public Prompt {
  public:
    enum class Kind { Message, Input, OpenFile, SaveFile, Beep };
    struct Record {
        Kind kind;
        QString text;
        QString title;
        PromptIcon icon = PromptIcon::None;
        PromptButtons buttons = PromptButtons::Ok;
        FileDialogRequest request;  // file dialogs
    };

    // Answers, consumed in order by the call of the matching kind.
    void AnswerMessage(PromptAnswer answer) { messages_.push_back(answer); }
    void AnswerInput(const QString& value) { inputs_.push_back({true, value}); }
    void CancelInput() { inputs_.push_back({false, QString()}); }
    void AnswerFile(FileDialogResult result) { files_.push_back(std::move(result)); }
    void ChooseFile(const QString& path) { AnswerFile({DialogStatus::Chosen, path, {}}); }
    void CancelFile() { AnswerFile({DialogStatus::Cancelled, {}, {}}); }

    const QList<Record>& Records() const { return records_; }
    QList<Record> RecordsOf(Kind kind) const;
    void ClearRecords() { records_.clear(); }
    // Calls that found no scripted answer; a test that sees one forgot to script it.
    int Unanswered() const { return unanswered_; }
    int WaitDepth() const { return waitDepth_; }
    int WaitCount() const { return waitCount_; }

    PromptAnswer Message(const QString& text, const QString& title, PromptIcon icon,
                         PromptButtons buttons) override;
    std::optional<QString> Input(const QString& text, const QString& title,
                                 const QString& defaultValue) override;
    FileDialogResult OpenFile(const FileDialogRequest& request) override;
    FileDialogResult SaveFile(const FileDialogRequest& request) override;
    void BeginWait() override;
    void EndWait() override { --waitDepth_; }
    void Beep() override;

  private:
    FileDialogResult NextFile(Kind kind, const FileDialogRequest& request);

    std::deque<PromptAnswer> messages_;
    std::deque<std::pair<bool, QString>> inputs_;  // (answered, text)
    std::deque<FileDialogResult> files_;
    QList<Record> records_;
    int unanswered_ = 0;
    int waitDepth_ = 0;
    int waitCount_ = 0;
};

}  // namespace platform
