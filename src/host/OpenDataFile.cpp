#include "host/OpenDataFile.h"

#include <QFileInfo>
#include <algorithm>

#include "apa/ApaReader.h"
#include "coords/SimaFile.h"
#include "host/MenuMessages.h"
#include "platform/Blanks.h"
#include "platform/CodePage.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"

namespace host {
namespace {

const QString kAllFilesFilter = QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|");
const QString kNotShiftJis = QStringLiteral(
    "このファイルには Shift-JIS として読めない文字が含まれています。\n"
    "その文字は正しく表示されませんが、編集しない行はそのままの内容で保存されます。");

bool HasEscapedBytes(const QStringList& lines) {
    return std::any_of(lines.begin(), lines.end(), platform::cp932::HasEscapedBytes);
}

}  // namespace

QString DataFileFilter(const QString& code) {
    if (code == kCodeAnyFile) return kAllFilesFilter;
    const QString ext = code == kCodeApaFieldBook ? QStringLiteral("APA") : code;
    return QStringLiteral("TSﾃﾞｰﾀﾌｧｲﾙ (*.%1)|*.%1|").arg(ext) + kAllFilesFilter;
}

bool OpenDataFile(platform::Prompt& prompt, ProcessValues& values, const QString& code) {
    values.DataFile.clear();
    values.LoadStatus = 0;

    platform::FileDialogRequest request;
    request.initialFolder = values.DataPath;
    request.filter = DataFileFilter(code);
    const platform::FileDialogResult chosen = prompt.OpenFile(request);
    if (chosen.status == platform::DialogStatus::Cancelled) return false;
    if (chosen.status == platform::DialogStatus::Failed) {
        prompt.Show(msg::kDialogError, msg::kTitleConfirm, platform::PromptIcon::Critical);
        return false;
    }

    values.DataFile = chosen.path;
    values.ClearDataLines();
    // Lines are loaded for field books and SIMA files; of a raw file (read by its converter)
    // only whether it can be read.
    const bool loads = code == kCodeApaFieldBook || code == kCodeSima;
    QStringList lines;
    try {
        // A SIMA file from a web tool may be UTF-8; the SIMA reader knows it.
        if (code == kCodeSima)
            lines = coords::ReadSimaFile(chosen.path).lines;
        else if (loads)
            lines = platform::ReadTextLines(chosen.path);
        else
            platform::RequireReadableFile(chosen.path);
        if (QFileInfo(chosen.path).size() == 0) values.LoadStatus = kLoadFailed;
    } catch (const platform::FileError&) {
        values.LoadStatus = kLoadFailed;  // unreadable: reported like an empty file
    }

    if (values.LoadStatus == 0 && code == kCodeApaFieldBook) {
        const auto book = apa::NormalizeApaLines(lines);
        if (!book) {
            prompt.Show(msg::kNotApa, msg::kTitleConfirm, platform::PromptIcon::Critical);
            values.DataFile.clear();
            values.LoadStatus = kLoadFailed;
        } else {
            for (const QString& line : *book) values.AppendDataLine(line);
            if (HasEscapedBytes(*book))
                prompt.Show(kNotShiftJis, msg::kTitleConfirm, platform::PromptIcon::Information);
        }
    } else if (values.LoadStatus == 0 && code == kCodeSima) {
        for (const QString& line : lines) values.AppendDataLine(platform::TrimBlanks(line));
    }

    if (values.LoadStatus == kLoadFailed)
        prompt.Show(msg::kReadError, msg::kTitleConfirm, platform::PromptIcon::Critical);
    return !values.DataFile.isEmpty();
}

}  // namespace host
