#include "calcstore/Calcurate.h"

#include "platform/Prompt.h"

namespace calcstore {
namespace {
bool Unsupported(platform::Prompt& prompt) {
    for (int i = 0; i < 3; ++i) prompt.Beep();
    return false;
}
}  // namespace

Calcurate::Calcurate() : updateDate_(QDateTime::currentDateTime()), createDate_(updateDate_) {}

bool Calcurate::ReadDB(platform::Prompt& prompt) {
    return Unsupported(prompt);
}

bool Calcurate::WriteDB(platform::Prompt& prompt) {
    return Unsupported(prompt);
}

}  // namespace calcstore
