// The notebook job: the observation notebook of a field book, as menu item 5 makes it, and
// the survey-class check a surveyor does on it.

#include <QDir>

#include "notebook/NotebookDatabase.h"
#include "platform/Folders.h"
#include "trevanto/jobs/NotebookRun.h"

namespace trevanto_app {
namespace {

const QString kOutputOption = QStringLiteral("output");

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
    const notebook::NotebookSummary summary = ReduceForJob(file, folder, context);
    context.out << QDir(folder).filePath(notebook::kNotebookTextName) << QStringLiteral(", ")
                << QDir(folder).filePath(notebook::kNotebookFileName) << QStringLiteral(": 観測点 ")
                << summary.stations << QStringLiteral("、手簿 ") << summary.lines << QStringLiteral(" 行")
                << Qt::endl;
    if (surveyClass) ReportClass(summary, *surveyClass, context);
    for (const QString& problem : summary.problems) context.err << file << QStringLiteral(": ") << problem << '\n';
    context.err.flush();
    return summary.problems.isEmpty() ? kExitOk : kExitProblems;
}

void Declare(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(
        {QStringLiteral("o"), kOutputOption},
        QStringLiteral("SHUBO1.DAT と SHUBO.MDB を書くフォルダー。既定は作業フォルダーです。"),
        QStringLiteral("DIR")));
    DeclareClassOption(parser, QStringLiteral("その制限を超える倍角差、観測差、高度定数の較差、距離の較差を 1 行ずつ"
                                              "表示します。"));
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
