#pragma once
// The prompt of a job without a display: messages go to stderr, questions are answered no
// (nothing is deleted or overwritten unasked), and input boxes take the answers the command
// line gave, in order, then are cancelled.

#include <QStringList>
#include <QTextStream>

#include "platform/Prompt.h"

namespace trevanto_app {

class ConsolePrompt : public platform::Prompt {
  public:
    ConsolePrompt(QTextStream& err, QStringList inputs) : err_(err), inputs_(std::move(inputs)) {}

    platform::PromptAnswer Message(const QString& text, const QString& title, platform::PromptIcon icon,
                                   platform::PromptButtons buttons) override;
    std::optional<QString> Input(const QString& text, const QString& title, const QString& defaultValue) override;
    platform::FileDialogResult OpenFile(const platform::FileDialogRequest&) override { return {}; }
    platform::FileDialogResult SaveFile(const platform::FileDialogRequest&) override { return {}; }
    void BeginWait() override {}
    void EndWait() override {}
    void Beep() override {}

    // How many messages were shown or questions left unanswered: a card routine that told
    // the user something, or asked in vain, did not end as it should.
    int Told() const { return told_; }

  private:
    int told_ = 0;
    QTextStream& err_;
    QStringList inputs_;
};

}  // namespace trevanto_app
