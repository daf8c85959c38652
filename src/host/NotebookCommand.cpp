#include "host/NotebookCommand.h"

#include <QDir>
#include <QFileInfo>

#include "calcstore/clsConvert2.h"
#include "host/MenuSettings.h"
#include "host/state/SharedMessages.h"
#include "notebook/NotebookDatabase.h"
#include "notebook/ObservationNotebook.h"
#include "notebook/report/PrintSettings.h"
#include "platform/Database.h"
#include "platform/FileError.h"

namespace host {
namespace {

constexpr qsizetype kLinesShown = 10;

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

// The first lines of a list, then how many more there are.
QString Listed(const QStringList& lines) {
    QString text;
    for (qsizetype i = 0; i < lines.size() && i < kLinesShown; ++i) text += u'\n' + lines[i];
    if (lines.size() > kLinesShown)
        text += QStringLiteral("\nほか ") + QString::number(lines.size() - kLinesShown) + QStringLiteral(" 件");
    return text;
}

QString ClassReport(const notebook::NotebookSummary& summary, const std::optional<notebook::SurveyClass>& surveyClass) {
    if (!surveyClass) return QString();
    QStringList lines;
    for (const notebook::Measure& m : notebook::OverLimit(summary.measures, *surveyClass))
        lines << notebook::DescribeExcess(m, *surveyClass);
    return QStringLiteral("\n\n") + notebook::SurveyClassName(*surveyClass) + QStringLiteral("の制限を超える値: ") +
           QString::number(lines.size()) + QStringLiteral(" 件") + Listed(lines);
}

QString ProblemReport(const notebook::NotebookSummary& summary) {
    if (summary.problems.isEmpty()) return QString();
    return QStringLiteral("\n\n整約できない視準があります:") + Listed(summary.problems);
}

// A district the host named but that could not be read gave no elevations: say so.
QString DistrictReport(const QString& path, bool opened) {
    if (path.isEmpty() || opened) return QString();
    return QStringLiteral("\n\n地区のデータベースを開けないため、観測点の標高は読んでいません:\n") + path;
}

}  // namespace

std::optional<notebook::SurveyClass> StoredSurveyClass(const platform::SettingsStore& store) {
    return notebook::ParseSurveyClass(store.Peek(kSettingsSection, kSurveyClassKey));
}

bool MakeObservationNotebook(platform::Prompt& prompt, const ProcessValues& values,
                             platform::SettingsStore& store, const QString& workFolder) {
    const QStringList lines = values.DataLines.mid(1, values.DataCount);
    std::optional<notebook::NotebookSummary> summary;
    std::shared_ptr<platform::Database> district;
    try {
        platform::WaitCursor wait(prompt);
        district = OpenDistrict(values.DataBaseName);
        notebook::NotebookSources sources;
        if (calcstore::clsConvert2* handOff = values.HandOff)
            sources.pointName = [handOff](const QString& name) { return handOff->GetTenName(name); };
        sources.district = district.get();
        sources.pageNumber = store.Peek(notebook::report::kPrintSection, notebook::report::kPageNumberKey);
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
                    ProblemReport(*summary) + ClassReport(*summary, StoredSurveyClass(store)) +
                    DistrictReport(values.DataBaseName, district != nullptr),
                msg::kTitleConfirm, platform::PromptIcon::Information);
    return true;
}

}  // namespace host
