#include "platform/Prompt.h"

#include <stdexcept>

namespace platform {
namespace {
Prompt* g_prompt = nullptr;
}

QString DefaultPromptTitle() {
    return QStringLiteral("Trevanto");
}

QList<std::pair<QString, QString>> FilterPairs(const QString& filter) {
    QStringList parts = filter.split(u'|');
    if (!parts.isEmpty() && parts.last().isEmpty()) parts.removeLast();
    QList<std::pair<QString, QString>> pairs;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) pairs.append({parts[i], parts[i + 1]});
    return pairs;
}

Prompt& ActivePrompt() {
    if (!g_prompt) throw std::logic_error("no prompt installed");
    return *g_prompt;
}

void SetActivePrompt(Prompt* prompt) {
    g_prompt = prompt;
}

bool HasActivePrompt() {
    return g_prompt != nullptr;
}

}  // namespace platform
