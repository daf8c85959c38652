// The convert job: raw instrument files to field books, as menu item 3 does, for many files
// at once.

#include <QDir>
#include <QFileInfo>

#include "convert/Conversion.h"
#include "platform/FileError.h"
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
    const QStringList known = QStringList{QStringLiteral("3GD"), QStringLiteral("3PD"),
                                          QStringLiteral("SDF"), QStringLiteral("SC1"),
                                          QStringLiteral("SCR"), QStringLiteral("FC5"),
                                          QStringLiteral("GSI"), QStringLiteral("DR2")};
    if (code == kAutoDetect || known.contains(code)) return code;
    if (code == QStringLiteral("APA"))
        throw JobError(QStringLiteral("形式 APA のデータは観測手簿そのものです。変換は要りません。"));
    throw JobError(QStringLiteral("知らないデータ形式です: ") + parser.value(kFormatOption) +
                   QStringLiteral("（") + known.join(QStringLiteral("、")) +
                   QStringLiteral("、または * で自動判別）"));
}

QString OutputFolder(const QCommandLineParser& parser) {
    const QString folder = parser.isSet(kOutputOption) ? parser.value(kOutputOption) : QDir::currentPath();
    if (!QFileInfo(folder).isDir())
        throw JobError(QStringLiteral("出力フォルダーがありません: ") + folder);
    return folder;
}

// What a conversion left to report: the lines it skipped, the first few by number (a file
// of another layout skips every line). Problems found: status 1.
int ReportSkipped(const QString& file, const convert::ConversionResult& result, JobContext& context) {
    if (result.skippedLines == 0) return kExitOk;
    const qsizetype shown = std::min<qsizetype>(10, result.notes.size());
    for (const convert::LineNote& note : result.notes.first(shown))
        context.err << file << ':' << note.line << QStringLiteral(": 読み飛ばしました: ")
                    << note.reason << '\n';
    if (result.skippedLines > shown)
        context.err << file << QStringLiteral(": ほかに ") << result.skippedLines - shown
                    << QStringLiteral(" 行を読み飛ばしました\n");
    return kExitProblems;
}

int ConvertOne(const QString& file, const QString& format, const QString& folder, bool overwrite,
               JobContext& context) {
    const QString output = convert::ApaOutputPath(file, folder);
    const QFileInfo existing(output);
    if (existing.exists() && existing.size() > 0 && !overwrite) {
        context.err << file << QStringLiteral(": ") << output
                    << QStringLiteral(" があります。置き換えるには --overwrite を付けてください。")
                    << Qt::endl;
        return kExitTrouble;
    }
    convert::ConversionResult result;
    try {
        result = convert::ConvertFile(format, file, output);
    } catch (const platform::FileError&) {
        context.err << file << QStringLiteral(": ") << TroubleText(std::current_exception())
                    << Qt::endl;
        return kExitTrouble;
    }
    if (result.outcome == convert::Outcome::Copied) {
        context.out << file << QStringLiteral(" -> ") << output
                    << QStringLiteral(": APA データをそのまま写しました") << Qt::endl;
        return kExitOk;
    }
    if (result.outcome != convert::Outcome::Converted) {
        context.err << file << QStringLiteral(": 変換できません: ") << convert::FailureText(result)
                    << Qt::endl;
        return kExitTrouble;
    }
    context.out << file << QStringLiteral(" -> ") << output << QStringLiteral(": ") << result.format
                << QStringLiteral("、観測点 ") << result.stations << QStringLiteral("、視準 ")
                << result.sightings;
    if (result.skippedLines > 0)
        context.out << QStringLiteral("、読み飛ばした行 ") << result.skippedLines;
    context.out << Qt::endl;
    const int status = ReportSkipped(file, result, context);
    context.err.flush();
    return status;
}

int Convert(const QCommandLineParser& parser, JobContext& context) {
    const QString format = FormatCode(parser);
    const QString folder = OutputFolder(parser);
    int status = kExitOk;
    for (const QString& file : parser.positionalArguments())
        status = std::max(status, ConvertOne(file, format, folder, parser.isSet(kOverwriteOption), context));
    return status;
}

void Declare(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(
        {QStringLiteral("f"), kFormatOption},
        QStringLiteral("データ形式（3GD、3PD、SDF、SC1、SCR、FC5、GSI、DR2）。既定は * で、"
                       "ファイルの 1 行目から判別します。"),
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
            "終了状態: 0 すべて変換、1 読み飛ばした行がある（標準エラーに行番号）、2 変換できない"
            "ファイルがある（読めない、形式を判別できない、置き換えを断った）。"),
        .argumentSyntax = QStringLiteral("FILE..."),
        .minArguments = 1,
        .maxArguments = -1,
        .declare = Declare,
        .run = Convert};
    return {convertJob};
}

}  // namespace trevanto_app
