#include "calcstore/CalcMessages.h"

#include "platform/Prompt.h"

namespace calcstore {
namespace {
const QString kCloseOthers = QStringLiteral("余分な現場や計算処理を閉じてから再度行ってください。");
}

QString CalcErrorText(int number) {
    switch (number) {
        case 1:
            return QStringLiteral(
                       "メモリーが不足しているため、入力値を表示する事ができません。\n") +
                   kCloseOthers;
        case 2:
            return QStringLiteral("入力要素をこれ以上増やすことができません。");
        case 3:
            return QStringLiteral("メモリーが不足しているため、枠を作成することができません。\n") +
                   kCloseOthers;
        case 4:
            return QStringLiteral(
                       "メモリーが不足しているため、新たにｳｨﾝﾄﾞｳを表示する事ができません。\n") +
                   kCloseOthers;
        default:
            return {};
    }
}

void ShowCalcError(const QVariant& message) {
    if (platform::HasActivePrompt()) ShowCalcError(platform::ActivePrompt(), message);
}

void ShowCalcError(platform::Prompt& prompt, const QVariant& message) {
    const QString text = message.metaType().id() == QMetaType::QString
                             ? message.toString()
                             : CalcErrorText(message.toInt());
    prompt.Show(text, QString(), platform::PromptIcon::Critical);
}

}  // namespace calcstore
