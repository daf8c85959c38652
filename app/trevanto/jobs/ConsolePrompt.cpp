#include "trevanto/jobs/ConsolePrompt.h"

namespace trevanto_app {

platform::PromptAnswer ConsolePrompt::Message(const QString& text, const QString&, platform::PromptIcon,
                                              platform::PromptButtons buttons) {
    ++told_;
    err_ << QStringLiteral("trevanto: ") << text << Qt::endl;
    switch (buttons) {
        case platform::PromptButtons::YesNo:
        case platform::PromptButtons::YesNoCancel: return platform::PromptAnswer::No;
        case platform::PromptButtons::OkCancel: return platform::PromptAnswer::Cancel;
        case platform::PromptButtons::Ok: break;
    }
    return platform::PromptAnswer::Ok;
}

std::optional<QString> ConsolePrompt::Input(const QString& text, const QString&, const QString&) {
    if (inputs_.isEmpty()) {
        ++told_;
        err_ << QStringLiteral("trevanto: ") << text << QStringLiteral(" — 答えがありません（--card-file）。") << Qt::endl;
        return std::nullopt;
    }
    return inputs_.takeFirst();
}

}  // namespace trevanto_app
