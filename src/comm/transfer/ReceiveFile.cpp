#include "comm/transfer/ReceiveFile.h"

#include "comm/transfer/TransferLines.h"
#include "platform/Prompt.h"

namespace comm {

QString ChooseReceiveFile(platform::Prompt& prompt, const QString& dataFolder, const QString& format) {
    const bool any = format == u"*";
    platform::FileDialogRequest request;
    request.initialFolder = dataFolder;
    request.filter = (any ? QString()
                          : QStringLiteral("TSﾃﾞｰﾀﾌｧｲﾙ (*.") + format + QStringLiteral(")|*.") + format + u'|') +
                     QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|");
    request.filterIndex = 1;
    request.hideReadOnly = true;
    const platform::FileDialogResult result = prompt.SaveFile(request);
    if (result.status == platform::DialogStatus::Failed)
        prompt.Show(QStringLiteral("エラーです。\n何かキーを押してください。"), QStringLiteral("確認"),
                    platform::PromptIcon::Critical);
    if (result.status != platform::DialogStatus::Chosen || result.path.isEmpty()) return QString();
    return any ? result.path : WithFormatExtension(result.path, format);
}

}  // namespace comm
