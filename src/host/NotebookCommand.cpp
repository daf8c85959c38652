#include "host/NotebookCommand.h"

#include <QDir>
#include <QFileInfo>

#include "calcstore/clsConvert2.h"
#include "host/MenuSettings.h"
#include "host/state/SharedMessages.h"
#include "notebook/NotebookDatabase.h"
#include "notebook/ObservationNotebook.h"
#include "platform/Database.h"
#include "platform/FileError.h"

namespace host {
namespace {

constexpr int kExcessesShown = 10;

// The district database when the host named one that can be opened; without it every
// station is a new point.
std::shared_ptr<platform::Database> OpenDistrict(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return nullptr;
    try {
        return platform::Database::Open(path);
    } catch (const platform::DbError&) {
        return nullptr;
    }
}

QString ClassReport(const notebook::NotebookSummary& summary, const QString& classText) {
    const auto surveyClass = notebook::ParseSurveyClass(classText);
    if (!surveyClass) return QString();
    const std::vector<notebook::Measure> over = notebook::OverLimit(summary.measures, *surveyClass);
    QString text = QStringLiteral("\n\n") + notebook::SurveyClassName(*surveyClass) + QStringLiteral("の制限を超える値: ") +
                   QString::number(over.size()) + QStringLiteral(" 件");
    for (size_t i = 0; i < over.size() && i < kExcessesShown; ++i)
        text += u'\n' + notebook::DescribeExcess(over[i], *surveyClass);
    if (over.size() > kExcessesShown)
        text += QStringLiteral("\nほか ") + QString::number(over.size() - kExcessesShown) + QStringLiteral(" 件");
    return text;
}

}  // namespace

bool MakeObservationNotebook(platform::Prompt& prompt, const ProcessValues& values,
                             platform::SettingsStore& store, const QString& workFolder) {
    const QStringList lines = values.DataLines.mid(1, values.DataCount);
    std::optional<notebook::NotebookSummary> summary;
    try {
        platform::WaitCursor wait(prompt);
        const auto district = OpenDistrict(values.DataBaseName);
        notebook::NotebookSources sources;
        if (calcstore::clsConvert2* handOff = values.HandOff)
            sources.pointName = [handOff](const QString& name) { return handOff->GetTenName(name); };
        sources.district = district.get();
        sources.pageNumber = store.Peek(kPrintSection, kPageNumberKey);
        summary = notebook::BuildObservationNotebook(lines, sources, workFolder);
    } catch (const platform::FileError& e) {
        prompt.Show(e.Explanation() + u'\n' + e.Path(), msg::kTitleConfirm, platform::PromptIcon::Critical);
        return false;
    } catch (const platform::DbError& e) {
        prompt.Show(e.Description(), msg::kTitleConfirm, platform::PromptIcon::Critical);
        return false;
    }
    if (!summary) return false;
    prompt.Show(QStringLiteral("観測手簿を作成しました。\n") + QDir(workFolder).filePath(notebook::kNotebookTextName) +
                    u'\n' + QDir(workFolder).filePath(notebook::kNotebookFileName) + QStringLiteral("\n観測点 ") +
                    QString::number(summary->stations) + QStringLiteral("、手簿 ") +
                    QString::number(summary->lines) + QStringLiteral(" 行") +
                    ClassReport(*summary, store.Peek(kSettingsSection, kSurveyClassKey)),
                msg::kTitleConfirm, platform::PromptIcon::Information);
    return true;
}

}  // namespace host
