#include "convert/ui/ConvertCommand.h"

#include <QFileInfo>
#include <algorithm>

#include "convert/Conversion.h"
#include "host/OpenDataFile.h"
#include "host/state/SharedMessages.h"
#include "platform/FileError.h"

namespace convert {
namespace {

const QString kOverwrite =
    QStringLiteral(" 登録済みＡＰＡファイルがあります。\n 上書きしてもよろしいですか ？");
const QString kCannotConvert = QStringLiteral("APA ファイルに変換できません。");
const QString kNoStation = QStringLiteral(
    "変換した APA ファイルには観測点がありません。\n"
    "ファイルに観測ブロックがないか、データ形式の指定が違います。");
const QString kSkipped = QStringLiteral("読めない行を読み飛ばしました: ");

// What the user should know of a conversion that wrote a field book: lines it could not
// read (a whole station of an unclosed block among them) and a book without stations.
QString ConversionNotice(const ConversionResult& result) {
    QStringList notice;
    if (result.outcome == Outcome::Converted && result.stations == 0) notice << kNoStation;
    if (result.skippedLines > 0) {
        QString text = kSkipped + QString::number(result.skippedLines) + QStringLiteral(" 行");
        const auto first = std::find_if(result.notes.begin(), result.notes.end(),
                                        [](const LineNote& note) { return note.skipped; });
        if (first != result.notes.end())
            text += QStringLiteral("\n最初は ") + QString::number(first->line) +
                    QStringLiteral(" 行目: ") + first->reason;
        notice << text;
    }
    if (result.flaggedLines > 0)
        notice << QStringLiteral("検査の合わない行があります（変換はしました）: ") +
                      QString::number(result.flaggedLines) + QStringLiteral(" 行");
    return notice.join(u'\n');
}

bool MayReplace(platform::Prompt& prompt, const QString& output) {
    if (QFileInfo(output).size() == 0) return true;
    return prompt.Message(kOverwrite, host::msg::kTitleConfirm, platform::PromptIcon::Question,
                          platform::PromptButtons::YesNo) == platform::PromptAnswer::Yes;
}

}  // namespace

void ConvertDataFile(platform::Prompt& prompt, host::ProcessValues& values) {
    if (values.Format == QStringLiteral("APA")) return;
    if (!host::OpenDataFile(prompt, values, values.Format)) return;
    if (values.LoadStatus == host::kLoadFailed) return;  // OpenDataFile has said why

    const QString output = ApaOutputPath(values.DataFile, values.DataPath);
    if (!MayReplace(prompt, output)) return;

    ConversionResult result;
    try {
        const platform::WaitCursor wait(prompt);
        result = ConvertFile(values.Format, values.DataFile, output);
    } catch (const platform::FileError& e) {
        prompt.Show(kCannotConvert + u'\n' + e.Explanation() + u'\n' + e.Path(),
                    host::msg::kTitleConfirm, platform::PromptIcon::Critical);
        return;
    }
    const QString failure = FailureText(result);
    if (!failure.isEmpty())
        prompt.Show(kCannotConvert + u'\n' + failure, host::msg::kTitleConfirm,
                    platform::PromptIcon::Critical);
    else if (const QString notice = ConversionNotice(result); !notice.isEmpty())
        prompt.Show(notice, host::msg::kTitleConfirm, platform::PromptIcon::Exclamation);
}

}  // namespace convert
