#include "host/MenuCommands.h"

#include <QDir>

#include "host/DistrictReader.h"
#include "host/MenuMessages.h"
#include "host/MenuSettings.h"
#include "host/MenuStatus.h"
#include "host/OpenDataFile.h"
#include "platform/FileError.h"
#include "platform/Folders.h"
#include "platform/Shell.h"
#include "platform/TextFile.h"

namespace host {
namespace {

// Shows the dialog error and tells whether the user chose something.
bool Chosen(platform::Prompt& prompt, const platform::FileDialogResult& result) {
    if (result.status == platform::DialogStatus::Failed)
        prompt.Show(msg::kDialogError, msg::kTitleConfirm, platform::PromptIcon::Critical);
    return result.status == platform::DialogStatus::Chosen;
}

}  // namespace

QString SaveCopyFilter(const QString& format) {
    return QStringLiteral("%1ﾌｧｲﾙ (*.%1)|*.%1|すべてのﾌｧｲﾙ (*.*)|*.*|").arg(format);
}

void CopyApaFileIntoDataFolder(platform::Prompt& prompt, ProcessValues& values) {
    platform::FileDialogRequest request;
    request.initialFolder = values.DataPath;
    request.filter = QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|");
    const platform::FileDialogResult source = prompt.OpenFile(request);
    if (!Chosen(prompt, source)) return;

    request.filter = SaveCopyFilter(values.Format);
    const platform::FileDialogResult target = prompt.SaveFile(request);
    if (!Chosen(prompt, target)) return;

    try {
        platform::CopyFileBytes(source.path, target.path);
    } catch (const platform::FileError& e) {
        prompt.Show(msg::kCannotCopy + u'\n' + e.Explanation() + u'\n' + e.Path(),
                    msg::kTitleConfirm, platform::PromptIcon::Critical);
        return;
    }
    values.DataFile = target.path;
}

void EditDataFile(platform::Prompt& prompt, ProcessValues& values, const QString& code,
                  const QString& workFolder) {
    if (code.isEmpty()) {
        values.DataFile.clear();
    } else if (!OpenDataFile(prompt, values, code)) {
        return;
    }
    const QString editor = platform::FindTextEditor(workFolder);
    if (editor.isEmpty() || !platform::StartTextEditor(editor, values.DataFile))
        prompt.Show(msg::kNoEditor, msg::kTitleWarning, platform::PromptIcon::Critical);
}

bool CheckSendFormat(platform::Prompt& prompt, const QString& format) {
    if (CanSendCoordinates(format)) return true;
    prompt.Show(msg::kChooseSendFormat, msg::kTitleConfirm, platform::PromptIcon::Exclamation);
    return false;
}

bool LoadDistrictCoordinates(platform::Prompt& prompt, ProcessValues& values) {
    QStringList lines;
    int count = -1;
    {
        const platform::WaitCursor wait(prompt);
        if (auto reader = CreateDistrictReader(kDistrictReaderClassId)) {
            reader->SetUp(3);
            reader->Begin(3);
            reader->Read(values.DataBaseName, values.RegName, lines, count);
        }
    }
    if (count < 0) return false;
    if (count == 0) {
        prompt.Show(msg::kNoDistrictCoordinates, QString(), platform::PromptIcon::Exclamation);
        return false;
    }
    values.ClearDataLines();
    for (const QString& line : lines.mid(0, count)) values.AppendDataLine(line);
    return true;
}

bool SetDataFolder(platform::SettingsStore& store, ProcessValues& values, const QString& folder) {
    if (folder.isEmpty()) return false;
    // Stored absolute: a relative folder would move with wherever the program starts.
    const QString path = platform::WithTrailingSlash(QDir::cleanPath(QDir(folder).absolutePath()));
    if (!QDir().mkpath(path))
        throw platform::FileError(path, QStringLiteral("フォルダーを作成できません。"));
    SaveDataPath(store, path);
    values.DataPath = path;
    return true;
}

}  // namespace host
