// The convert job: raw instrument files to field books, as menu item 3 does, for many files
// at once.

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "apa/ApaCheck.h"
#include "convert/Conversion.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "trevanto/jobs/Job.h"

namespace trevanto_app {
namespace {

const QString kFormatOption = QStringLiteral("format");
const QString kOutputOption = QStringLiteral("output");
const QString kOverwriteOption = QStringLiteral("overwrite");
const QString kAutoDetect = QStringLiteral("*");

// The format code as given, checked: "*" or a code of an instrument format.
QString FormatCode(const QCommandLineParser& parser) {
    const QString code = parser.value(kFormatOption).trimmed().toUpper();
    if (code == kAutoDetect || convert::ConvertibleFormats().contains(code)) return code;
    if (code == QStringLiteral("APA"))
        throw JobError(QStringLiteral("形式 APA のデータは観測手簿そのものです。変換は要りません。"));
    throw JobError(QStringLiteral("知らないデータ形式です: ") + parser.value(kFormatOption) +
                   QStringLiteral("（") + convert::ConvertibleFormats().join(QStringLiteral("、")) +
                   QStringLiteral("、または * で自動判別）"));
}

QString OutputFolder(const QCommandLineParser& parser) {
    return trevanto_app::OutputFolder(parser.isSet(kOutputOption) ? parser.value(kOutputOption) : QDir::currentPath());
}

// The run: options, and the field books it has written so far.
struct Batch {
    QString format;
    QString folder;
    bool overwrite = false;
    QSet<QString> written;  // absolute paths
};

// What a conversion left to report: the lines it skipped or converted with a failed check,
// the first few by number (a file of another layout skips every line), and a book without
// stations. Problems found: 1.
int ReportProblems(const QString& file, const convert::ConversionResult& result, JobContext& context) {
    int status = kExitOk;
    const qsizetype shown = std::min<qsizetype>(10, result.notes.size());
    for (const convert::LineNote& note : result.notes.first(shown))
        context.err << file << ':' << note.line
                    << (note.skipped ? QStringLiteral(": 読み飛ばしました: ") : QStringLiteral(": "))
                    << note.reason << '\n';
    const qsizetype noted = result.skippedLines + result.flaggedLines;
    if (noted > shown)
        context.err << file << QStringLiteral(": ほかに ") << noted - shown
                    << QStringLiteral(" 行に問題があります\n");
    if (noted > 0) status = kExitProblems;
    if (result.stations == 0) {
        context.err << file << QStringLiteral(": 観測点がありません（観測ブロックがないか、データ形式の指定が違います）\n");
        status = kExitProblems;
    }
    return status;
}

// A copied field book is what it was; its structural problems are told, not mended.
int ReportCopy(const QString& output, JobContext& context) {
    const qsizetype problems = apa::CheckApaFile(output).size();
    if (problems == 0) return kExitOk;
    context.err << output << QStringLiteral(": 写した観測手簿に構造の問題が ") << problems
                << QStringLiteral(" 件あります（trevanto apa check で表示）\n");
    return kExitProblems;
}

int Refuse(const QString& file, const QString& reason, JobContext& context) {
    context.err << file << QStringLiteral(": ") << reason << Qt::endl;
    return kExitTrouble;
}

int ConvertOne(const QString& file, Batch& batch, JobContext& context) {
    const QString output = QFileInfo(convert::ApaOutputPath(file, batch.folder)).absoluteFilePath();
    convert::ConversionResult result;
    try {
        platform::RequireReadableFile(file);
        if (batch.written.contains(output))
            return Refuse(file, output + QStringLiteral(" はこの実行で別のファイルから書いたので、置き換えません。"), context);
        const QFileInfo existing(output);
        if (existing.exists() && existing.size() > 0 && !batch.overwrite)
            return Refuse(file, output + QStringLiteral(" があります。置き換えるには --overwrite を付けてください。"), context);
        result = convert::ConvertFile(batch.format, file, output);
    } catch (const platform::FileError&) {
        context.err << TroubleText(std::current_exception()) << Qt::endl;
        return kExitTrouble;
    }
    if (result.outcome != convert::Outcome::Converted && result.outcome != convert::Outcome::Copied)
        return Refuse(file, QStringLiteral("変換できません: ") + convert::FailureText(result), context);
    batch.written.insert(output);
    context.out << file << QStringLiteral(" -> ") << output << QStringLiteral(": ");
    if (result.outcome == convert::Outcome::Copied) {
        context.out << QStringLiteral("APA データをそのまま写しました") << Qt::endl;
        return ReportCopy(output, context);
    }
    context.out << result.format << QStringLiteral("、観測点 ") << result.stations
                << QStringLiteral("、視準 ") << result.sightings;
    if (result.skippedLines > 0)
        context.out << QStringLiteral("、読み飛ばした行 ") << result.skippedLines;
    if (result.flaggedLines > 0)
        context.out << QStringLiteral("、検査の合わない行 ") << result.flaggedLines;
    context.out << Qt::endl;
    const int status = ReportProblems(file, result, context);
    context.err.flush();
    return status;
}

int Convert(const QCommandLineParser& parser, JobContext& context) {
    Batch batch{FormatCode(parser), OutputFolder(parser), parser.isSet(kOverwriteOption), {}};
    int status = kExitOk;
    for (const QString& file : parser.positionalArguments())
        status = std::max(status, ConvertOne(file, batch, context));
    return status;
}

void Declare(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(
        {QStringLiteral("f"), kFormatOption},
        QStringLiteral("データ形式（") + convert::ConvertibleFormats().join(QStringLiteral("、")) +
            QStringLiteral("）。既定は * で、ファイルの 1 行目から判別します。"),
        QStringLiteral("CODE"), kAutoDetect));
    parser.addOption(QCommandLineOption(
        {QStringLiteral("o"), kOutputOption},
        QStringLiteral("APA ファイルを書くフォルダー。既定は現在のフォルダーです。"),
        QStringLiteral("DIR")));
    parser.addOption(QCommandLineOption(
        kOverwriteOption, QStringLiteral("空でない同名の APA ファイルを置き換えます。")));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("変換する観測データファイル。"),
                                 QStringLiteral("FILE..."));
}

}  // namespace

QList<Job> ConvertJobs() {
    Job convertJob{
        .words = {QStringLiteral("convert")},
        .summary = QStringLiteral("観測機の観測データを APA 観測手簿に変換します。"),
        .description = QStringLiteral(
            "各 FILE を、名前の最後の 4 文字（拡張子）を除いて .APA を付けた名前で出力フォルダー"
            "に書きます。すでに APA のデータはそのまま写します。\n"
            "ファイルごとに 1 行を表示し、失敗したファイルがあっても次へ進みます。\n"
            "終了状態: 0 すべて変換、1 入力に問題がある（読み飛ばした行は標準エラーに行番号、"
            "観測点のない結果、構造に問題のある APA の写し）、2 変換できないファイルがある（読め"
            "ない、形式を判別できない、変換元そのものや同じ実行で書いたファイルを置き換える、"
            "--overwrite なしに空でない APA を置き換える）。"),
        .argumentSyntax = QStringLiteral("FILE..."),
        .minArguments = 1,
        .maxArguments = -1,
        .declare = Declare,
        .run = Convert};
    return {convertJob};
}

}  // namespace trevanto_app
