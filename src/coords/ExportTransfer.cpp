#include "coords/ExportTransfer.h"

#include <QDir>

#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/TextFile.h"

namespace coords {
namespace {

const QString kConfirm = QStringLiteral("確認");
const QString kPressAKey = QStringLiteral("何かキーを押してください。");
const QString kFormatTitle = QStringLiteral("転送形式の選択");

bool AskYes(platform::Prompt& prompt, const QString& text, const QString& title) {
    return prompt.Message(text, title, platform::PromptIcon::Question, platform::PromptButtons::YesNo) ==
           platform::PromptAnswer::Yes;
}

// The save dialog of the data folder for the format; empty when cancelled or failed (told).
QString ChooseSaveFile(platform::Prompt& prompt, const TransferSetting& setting) {
    platform::FileDialogRequest request;
    request.initialFolder = setting.dataFolder;
    request.fileName = setting.format == u"GSI" ? QStringLiteral("FILE01.GSI") : QString();
    request.filter = QStringLiteral("ﾌｧｲﾙ (*.") + setting.format + QStringLiteral(")|*.") + setting.format +
                     QStringLiteral("|すべてのﾌｧｲﾙ (*.*)|*.*|");
    const platform::FileDialogResult result = prompt.SaveFile(request);
    if (result.status == platform::DialogStatus::Failed)
        prompt.Show(QStringLiteral("エラーです。\n") + kPressAKey, kConfirm, platform::PromptIcon::Critical);
    return result.status == platform::DialogStatus::Chosen ? result.path : QString();
}

}  // namespace

QString TransferQuestion(const QString& format, const QString& maker) {
    const QString ask = QStringLiteral("転送しますか？");
    if (format == u"SC1") return QStringLiteral("カ－ドは初期化されます！！\n\n") + ask;
    if (format == u"SCR" || format == u"GSI" || (format == u"APA" && maker == u"FILE")) return ask;
    return QStringLiteral("座標デ－タを \n\n") + ask;
}

bool SavesInsteadOfSending(const QString& format, const QString& maker) {
    return format == u"GSI" || (format == u"APA" && maker == u"FILE");
}

ExportChoices AskExportChoices(platform::Prompt& prompt, const QString& format) {
    ExportChoices choices;
    choices.format = format;
    if (format == u"FC5")
        choices.fc5ThreeD = AskYes(prompt, QStringLiteral("転送するデ－タ形式は ３次元 でよろしですか ? ( No：２次元 )"), kFormatTitle);
    if (format == u"GSI")
        choices.gsi16 = AskYes(prompt, QStringLiteral("転送するﾃﾞ-ﾀﾌｫ-ﾏｯﾄは GSI_16 でよろしですか ? ( No：GSI_8 )"), kFormatTitle);
    if (format == u"3GD" || format == u"SDF")
        choices.job = prompt.Input(QStringLiteral("ﾄｰﾀﾙｽﾃｰｼｮﾝの登録ＪＯＢ名\n(半角文字16文字まで)"),
                                   QStringLiteral("ＪＯＢ名の入力"), kDefaultJob)
                          .value_or(QString());
    return choices;
}

bool TransferPoints(platform::Prompt& prompt, const TransferSetting& setting, const QList<TickedPoint>& points) {
    if (points.isEmpty()) return true;
    if (!AskYes(prompt, TransferQuestion(setting.format, setting.maker), kConfirm)) return true;
    const QString file = QDir(setting.workFolder).filePath(kExportFileName);
    const auto failed = [&prompt](const QString& why) {
        prompt.Show(QStringLiteral("座標ファイル作成に失敗しました。\n") + why + u'\n' + kPressAKey, kConfirm,
                    platform::PromptIcon::Critical);
        return false;
    };
    ExportResult result;
    try {
        result = ExportCoordinates(points, AskExportChoices(prompt, setting.format));
        platform::WriteFileBytes(file, ExportBytes(result));
    } catch (const ExportError& e) {
        return failed(e.Told());
    } catch (const platform::FileError& e) {
        return failed(e.Told());
    }
    if (!SavesInsteadOfSending(setting.format, setting.maker)) {
        setting.send(file);
        return true;
    }
    const QString target = ChooseSaveFile(prompt, setting);
    if (target.isEmpty() || result.lines.isEmpty()) return true;
    try {
        platform::CopyFileBytes(file, target);
    } catch (const platform::FileError& e) {
        prompt.Show(e.Told(), kConfirm, platform::PromptIcon::Critical);
    }
    return true;
}

}  // namespace coords
