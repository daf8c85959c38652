// The report job: one of the print form's three reports of a field book, written as PDF, RTF
// or the text notebook without a display, with the print settings the user keeps.

#include <QFileInfo>
#include <QPageSize>
#include <QTemporaryDir>

#include "notebook/CorrectionSettings.h"
#include "notebook/NotebookDatabase.h"
#include "notebook/report/ReportPreparation.h"
#include "notebook/report/paint/ReportFiles.h"
#include "notebook/report/paint/ReportPainter.h"
#include "platform/Database.h"
#include "platform/Settings.h"
#include "platform/TextFile.h"
#include "platform/ui/Fonts.h"
#include "trevanto/DemoDistrict.h"
#include "trevanto/jobs/NotebookRun.h"

namespace trevanto_app {
namespace {

using notebook::report::Report;

const QString kReportOption = QStringLiteral("report");
const QString kPdfOption = QStringLiteral("pdf");
const QString kRtfOption = QStringLiteral("rtf");
const QString kTextOption = QStringLiteral("text");

Report ReportOption(const QCommandLineParser& parser) {
    const QString text = parser.value(kReportOption);
    if (text == u"1") return Report::DistanceCorrection;
    if (text == u"2") return Report::DistanceHeight;
    if (text == u"3") return Report::ObservationNotebook;
    throw JobError(QStringLiteral("--report には 1、2、3 のどれかを指定してください。"));
}

// The one output option given, as (option, path).
std::pair<QString, QString> OutputOption(const QCommandLineParser& parser) {
    std::vector<QString> given;
    for (const QString& option : {kPdfOption, kRtfOption, kTextOption})
        if (parser.isSet(option)) given.push_back(option);
    if (given.size() != 1 || parser.value(given.front()).isEmpty())
        throw JobError(QStringLiteral("--pdf、--rtf、--text のどれかひとつに出力ファイルを指定してください。"));
    return {given.front(), parser.value(given.front())};
}

// Fills in what the report reads besides the reduction, as the print form does.
void PrepareReport(const QString& database, Report report, const notebook::report::PrintSettings& settings,
                   JobContext& context) {
    if (report == Report::DistanceCorrection) {
        const QString stored = platform::SettingsStore::User().Peek(QStringLiteral("Trevanto"), notebook::kPrintHsubKey);
        const auto conditions = notebook::ConditionsOf(notebook::RepairedPrintHsub(stored));
        if (!notebook::RunDistanceCorrection(database, conditions))
            throw JobError(notebook::report::kCorrectionSheetError);
        return;
    }
    const auto district = platform::Database::Open(DistrictDatabase(context));
    if (!notebook::report::WriteRegisteredHeights(database, district.get()))
        throw JobError(notebook::report::kHeightSheetError);
    if (report == Report::ObservationNotebook && !notebook::report::WritePageNumber(database, settings.firstPage))
        throw JobError(notebook::report::kHeightSheetError);
}

// The district's name as the menu shows it: the demo district's own, else its file's.
QString DistrictName(const JobContext& context) {
    return context.database.isEmpty() ? trevanto_host::kDemoRegName : QFileInfo(context.database).completeBaseName();
}

void WriteReport(const QString& option, const QString& path, const notebook::report::ReportDocument& document,
                 const QPageLayout& paper) {
    if (option == kPdfOption)
        notebook::report::WriteReportPdf(path, document, paper);
    else
        notebook::report::WriteReportRtf(path, document, paper);
}

int RunReport(const QCommandLineParser& parser, JobContext& context) {
    const auto surveyClass = ClassOption(parser);
    const Report report = ReportOption(parser);
    const auto [option, output] = OutputOption(parser);
    const QString file = parser.positionalArguments().constFirst();
    const auto settings = notebook::report::ReadPrintSettings(platform::SettingsStore::User());
    // A missing layout is told before any work, and then no file is written.
    std::optional<notebook::report::ReportLayout> layout;
    if (option != kTextOption)
        layout = notebook::report::ReadReportLayout(
            notebook::report::LayoutPath(settings.FontPoints(), report, settings.openSpacing));
    QTemporaryDir scratch;
    if (!scratch.isValid()) throw JobError(QStringLiteral("一時フォルダーを作れません: ") + scratch.errorString());
    const auto summary = ReduceForJob(file, scratch.path(), context, QString::number(settings.firstPage));
    if (option == kTextOption) {
        platform::CopyFileBytes(QDir(scratch.path()).filePath(notebook::kNotebookTextName), output);
        context.out << output << Qt::endl;
    } else {
        const QString database = QDir(scratch.path()).filePath(notebook::kNotebookFileName);
        PrepareReport(database, report, settings, context);
        platform::RegisterJapaneseFontSubstitutes();
        if (summary.stations == 0) throw JobError(file + QStringLiteral(": 観測点がありません。"));
        const QPageLayout paper = notebook::report::PageLayoutOf(settings, QPageSize(QPageSize::A4));
        const notebook::report::ReportDocument document = notebook::report::BuildReportForPaper(
            {database, report, settings, DistrictName(context), surveyClass}, *layout, paper);
        WriteReport(option, output, document, paper);
        context.out << output << QStringLiteral(": ") << document.pages.size() << QStringLiteral(" ページ")
                    << Qt::endl;
    }
    for (const QString& problem : summary.problems) context.err << file << QStringLiteral(": ") << problem << '\n';
    context.err.flush();
    return summary.problems.isEmpty() ? kExitOk : kExitProblems;
}

void Declare(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(
        kReportOption, QStringLiteral("帳票: 1 距離補正計算書、2 距離高さ計算書、3 観測手簿。"), QStringLiteral("N")));
    parser.addOption(QCommandLineOption(kPdfOption, QStringLiteral("帳票を PDF に書きます。"), QStringLiteral("OUT.pdf")));
    parser.addOption(QCommandLineOption(kRtfOption, QStringLiteral("帳票を RTF に書きます。"), QStringLiteral("OUT.rtf")));
    parser.addOption(QCommandLineOption(
        kTextOption, QStringLiteral("テキストの観測手簿 SHUBO1.DAT をそのまま写します。"), QStringLiteral("OUT.txt")));
    DeclareClassOption(parser, QStringLiteral("観測手簿（帳票 3）の見出しに級と制限を示し、制限を超える値に「*」を"
                                              "付けます。設定には残しません。"));
    parser.addPositionalArgument(QStringLiteral("FILE.APA"), QStringLiteral("APA 観測手簿ファイル。"),
                                 QStringLiteral("FILE.APA"));
}

}  // namespace

QList<Job> ReportJobs() {
    Job reportJob{
        .words = {QStringLiteral("report")},
        .summary = QStringLiteral("APA 観測手簿を整約して帳票を PDF、RTF またはテキストに書きます。"),
        .description = QStringLiteral(
            "印刷設定（フォント、サイズ、行間、余白、用紙、向き、ページ番号）は印刷設定画面で保存した"
            "ものを使います。用紙の既定は A4 です。標高は --database の地区（既定はデモ地区）に登録"
            "されたもの、距離補正の条件は保存された条件です。作業フォルダーの観測手簿は変えません。\n"
            "終了状態: 0 書いた、1 書いたが整約できない視準がある（標準エラーに表示）、2 書けない（使い方"
            "の誤り、APA データでない、帳票のレイアウトがない、読めない、書けない）。書けないときは出力"
            "ファイルを作りません。"),
        .argumentSyntax = QStringLiteral("FILE.APA"),
        .minArguments = 1,
        .maxArguments = 1,
        .declare = Declare,
        .run = RunReport};
    return {reportJob};
}

}  // namespace trevanto_app
