#include "trevanto/jobs/NotebookRun.h"

#include "apa/ApaReader.h"
#include "calcstore/Numberings.h"
#include "platform/Database.h"

namespace trevanto_app {

void DeclareClassOption(QCommandLineParser& parser, const QString& effect) {
    parser.addOption(QCommandLineOption(
        kClassOption, QStringLiteral("測量の級（1、2a = 2級で1級TS、2b = 2級で2級TS、3、4）。") + effect,
        QStringLiteral("CLASS")));
}

std::optional<notebook::SurveyClass> ClassOption(const QCommandLineParser& parser) {
    if (!parser.isSet(kClassOption)) return std::nullopt;
    const auto surveyClass = notebook::ParseSurveyClass(parser.value(kClassOption));
    if (!surveyClass)
        throw JobError(QStringLiteral("知らない測量の級です: ") + parser.value(kClassOption) +
                       QStringLiteral("（1、2a、2b、3、4 のいずれか）"));
    return surveyClass;
}

notebook::NotebookSummary ReduceForJob(const QString& file, const QString& folder, JobContext& context,
                                       const QString& pageNumber) {
    const std::optional<QStringList> lines = apa::ReadApaFile(file);
    if (!lines) throw JobError(file + QStringLiteral(": APA データではありません。"));
    const QString districtPath = DistrictDatabase(context);
    const auto district = platform::Database::Open(districtPath);
    calcstore::Numberings numberings;
    numberings.ReadAllDB(districtPath);
    notebook::NotebookSources sources;
    sources.pointName = [&numberings](const QString& name) { return numberings.GetTenMei(name); };
    sources.district = district.get();
    sources.pageNumber = pageNumber;
    const auto summary = notebook::BuildObservationNotebook(*lines, sources, folder);
    if (!summary) throw JobError(file + QStringLiteral(": 行がありません。"));
    return *summary;
}

}  // namespace trevanto_app
