#include "platform/ScriptedPrompt.h"

namespace platform {

QList<ScriptedPrompt::Record> ScriptedPrompt::RecordsOf(Kind kind) const {
    QList<Record> out;
    for (const Record& r : records_)
        if (r.kind == kind) out.append(r);
    return out;
}

PromptAnswer ScriptedPrompt::Message(const QString& text, const QString& title, PromptIcon icon,
                                     PromptButtons buttons) {
    records_.append({Kind::Message, text, title, icon, buttons, {}});
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (messages_.empty()) {
        ++unanswered_;
        return buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel : PromptAnswer::No;
    }
    const PromptAnswer answer = messages_.front();
    messages_.pop_front();
    return answer;
}

std::optional<QString> ScriptedPrompt::Input(const QString& text, const QString& title,
                                             const QString& defaultValue) {
    Record record{Kind::Input, text, title, PromptIcon::None, PromptButtons::OkCancel, {}};
    record.request.fileName = defaultValue;
    records_.append(record);
    if (inputs_.empty()) {
        ++unanswered_;
        return std::nullopt;
    }
    const auto [answered, value] = inputs_.front();
    inputs_.pop_front();
    if (!answered) return std::nullopt;
    return value;
}

FileDialogResult ScriptedPrompt::NextFile(Kind kind, const FileDialogRequest& request) {
    records_.append({kind, {}, request.title, PromptIcon::None, PromptButtons::OkCancel, request});
    if (files_.empty()) {
        ++unanswered_;
        return {};
    }
    FileDialogResult result = files_.front();
    files_.pop_front();
    return result;
}

FileDialogResult ScriptedPrompt::OpenFile(const FileDialogRequest& request) {
    return NextFile(Kind::OpenFile, request);
}

FileDialogResult ScriptedPrompt::SaveFile(const FileDialogRequest& request) {
    return NextFile(Kind::SaveFile, request);
}

void ScriptedPrompt::BeginWait() {
    ++waitDepth_;
    ++waitCount_;
}

void ScriptedPrompt::Beep() {
    records_.append({Kind::Beep, {}, {}, PromptIcon::None, PromptButtons::Ok, {}});
}

}  // namespace platform
