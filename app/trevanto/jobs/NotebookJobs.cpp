// The notebook job: the observation notebook of a field book, as menu item 5 makes it, and
// the survey-class check a surveyor does on it.

#include <QDir>

#include "apa/ApaReader.h"
#include "calcstore/Numberings.h"
#include "notebook/NotebookDatabase.h"
#include "notebook/ObservationNotebook.h"
#include "notebook/SurveyClass.h"
#include "platform/Database.h"
#include "platform/Folders.h"
#include "trevanto/jobs/Job.h"

namespace trevanto_app {
namespace {

const QString kOutputOption = QStringLiteral("output");
const QString kClassOption = QStringLiteral("class");

std::optional<notebook::SurveyClass> ClassOption(const QCommandLineParser& parser) {
    if (!parser.isSet(kClassOption)) return std::nullopt;
    const auto surveyClass = notebook::ParseSurveyClass(parser.value(kClassOption));
    if (!surveyClass)
        throw JobError(QStringLiteral("知らない測量の級です: ") + parser.value(kClassOption) +
                       QStringLiteral("（1、2a、2b、3、4 のいずれか）"));
    return surveyClass;
}

QString OutputFolder(const QCommandLineParser& parser) {
    return parser.isSet(kOutputOption) ? trevanto_app::OutputFolder(parser.value(kOutputOption)) : platform::WorkFolder();
}

void ReportClass(const notebook::NotebookSummary& summary, notebook::SurveyClass surveyClass,
                 JobContext& context) {
    const std::vector<notebook::Measure> over = notebook::OverLimit(summary.measures, surveyClass);
    for (const notebook::Measure& m : over) context.out << notebook::DescribeExcess(m, surveyClass) << '\n';
    context.out << notebook::SurveyClassName(surveyClass) << QStringLiteral("の制限を超える値: ") << over.size()
                << QStringLiteral(" 件") << Qt::endl;
}

int Notebook(const QCommandLineParser& parser, JobContext& context) {
    const auto surveyClass = ClassOption(parser);
    const QString file = parser.positionalArguments().constFirst();
    const QString folder = OutputFolder(parser);
    const std::optional<QStringList> lines = apa::ReadApaFile(file);
    if (!lines) throw JobError(file + QStringLiteral(": APA データではありません。"));
    const QString districtPath = DistrictDatabase(context);
    const auto district = platform::Database::Open(districtPath);
    calcstore::Numberings numberings;
    numberings.ReadAllDB(districtPath);
    notebook::NotebookSources sources;
    sources.pointName = [&numberings](const QString& name) { return numberings.GetTenMei(name); };
    sources.district = district.get();
    const auto summary = notebook::BuildObservationNotebook(*lines, sources, folder);
    if (!summary) throw JobError(file + QStringLiteral(": 行がありません。"));
    context.out << QDir(folder).filePath(notebook::kNotebookTextName) << QStringLiteral(", ")
                << QDir(folder).filePath(notebook::kNotebookFileName) << QStringLiteral(": 観測点 ")
                << summary->stations << QStringLiteral("、手簿 ") << summary->lines << QStringLiteral(" 行")
                << Qt::endl;
    if (surveyClass) ReportClass(*summary, *surveyClass, context);
    for (const QString& problem : summary->problems) context.err << file << QStringLiteral(": ") << problem << '\n';
    context.err.flush();
    return summary->problems.isEmpty() ? kExitOk : kExitProblems;
}

void Declare(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(
        {QStringLiteral("o"), kOutputOption},
        QStringLiteral("SHUBO1.DAT と SHUBO.MDB を書くフォルダー。既定は作業フォルダーです。"),
        QStringLiteral("DIR")));
    parser.addOption(QCommandLineOption(
        kClassOption,
        QStringLiteral("測量の級（1、2a = 2級で1級TS、2b = 2級で2級TS、3、4）。その制限を超える"
                       "倍角差、観測差、高度定数の較差、距離の較差を 1 行ずつ表示します。"),
        QStringLiteral("CLASS")));
    parser.addPositionalArgument(QStringLiteral("FILE.APA"), QStringLiteral("APA 観測手簿ファイル。"),
                                 QStringLiteral("FILE.APA"));
}

}  // namespace

QList<Job> NotebookJobs() {
    Job notebookJob{
        .words = {QStringLiteral("notebook")},
        .summary = QStringLiteral("APA 観測手簿から観測手簿（SHUBO1.DAT と SHUBO.MDB）を作ります。"),
        .description = QStringLiteral(
            "点名は --database の地区（既定はデモ地区）の点番の規則で引き、観測点の標高はその地区の"
            "座標から取ります。観測点の数と手簿の行数を表示します。--class のときは制限を超える値"
            "とその件数も表示します（終了状態は 0 のまま）。\n"
            "終了状態: 0 作成した、1 作成したが整約できない視準がある（標準エラーに表示）、2 作成"
            "できない（APA データでない、読めない、書けない）。失敗したとき"
            "出力フォルダーの前の SHUBO1.DAT と SHUBO.MDB はそのままです。"),
        .argumentSyntax = QStringLiteral("FILE.APA"),
        .minArguments = 1,
        .maxArguments = 1,
        .declare = Declare,
        .run = Notebook};
    return {notebookJob};
}

}  // namespace trevanto_app
