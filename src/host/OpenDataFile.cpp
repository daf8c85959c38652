#include "host/OpenDataFile.h"

#include <QFileInfo>

#include "host/MenuMessages.h"
#include "platform/Blanks.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"

namespace host {
namespace {

const QString kAllFilesFilter = QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|");

bool StartsApaFile(const QString& line) { return line.startsWith(QStringLiteral("A,")) && line.size() >= 5 && line[4] == u','; }

// A first line with a sixth character that is printable and not a comma marks a file whose
// lines all carry one extra trailing character field.
bool IsTrimmedForm(const QString& firstLine) {
    return firstLine.size() > 5 && firstLine[5].unicode() >= 32 && firstLine[5] != u',';
}

}  // namespace

QString DataFileFilter(const QString& code) {
    if (code == kCodeAnyFile) return kAllFilesFilter;
    const QString ext = code == kCodeApaFieldBook ? QStringLiteral("APA") : code;
    return QStringLiteral("TSﾃﾞｰﾀﾌｧｲﾙ (*.%1)|*.%1|").arg(ext) + kAllFilesFilter;
}

std::optional<QStringList> NormalizeApaLines(const QStringList& lines) {
    QStringList out;
    bool trimmedForm = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = platform::TrimBlanks(lines[i]);
        if (i == 0) {
            if (!StartsApaFile(line)) return std::nullopt;
            trimmedForm = IsTrimmedForm(line);
        }
        if (trimmedForm) {
            if (line.endsWith(u',')) line.chop(1);
            line.chop(1);
        }
        if (!line.endsWith(u',')) line += u',';
        out.append(line);
    }
    return out;
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
    QStringList lines;
    try {
        lines = platform::ReadTextLines(chosen.path);
        if (QFileInfo(chosen.path).size() == 0) values.LoadStatus = kLoadFailed;
    } catch (const platform::FileError&) {
        values.LoadStatus = kLoadFailed;  // unreadable: reported like an empty file
    }

    if (values.LoadStatus == 0 && code == kCodeApaFieldBook) {
        const auto apa = NormalizeApaLines(lines);
        if (!apa) {
            prompt.Show(msg::kNotApa, msg::kTitleConfirm, platform::PromptIcon::Critical);
            values.DataFile.clear();
            values.LoadStatus = kLoadFailed;
        } else {
            for (const QString& line : *apa) values.AppendDataLine(line);
        }
    } else if (values.LoadStatus == 0 && code == kCodeSima) {
        for (const QString& line : lines) values.AppendDataLine(platform::TrimBlanks(line));
    }

    if (values.LoadStatus == kLoadFailed)
        prompt.Show(msg::kReadError, msg::kTitleConfirm, platform::PromptIcon::Critical);
    return !values.DataFile.isEmpty();
}

}  // namespace host
