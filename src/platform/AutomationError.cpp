#include "platform/AutomationError.h"

namespace platform {

AutomationError::AutomationError(qint32 number, QString source, QString description)
    : std::runtime_error(description.toStdString()),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

AutomationError AutomationError::InvalidArgument(const QString& source) {
    return {5, source, QStringLiteral("プロシージャの呼び出し、または引数が不正です。")};
}

AutomationError AutomationError::SubscriptOutOfRange(const QString& source) {
    return {9, source, QStringLiteral("インデックスが有効範囲にありません。")};
}

}  // namespace platform
