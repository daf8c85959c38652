// The export job: the points of a SIMA file, or of the district, written in an instrument
// format as the SIMA editor's transfer writes them, to be sent with `send` or kept.

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "coords/CoordinateExport.h"
#include "coords/SimaFile.h"
#include "coords/SimaSheet.h"
#include "host/DistrictReader.h"
#include "platform/Folders.h"
#include "platform/TextFile.h"
#include "trevanto/DemoDistrict.h"
#include "trevanto/jobs/Job.h"

namespace trevanto_app {
namespace {

const QString kFormatOption = QStringLiteral("format");
const QString kOutputOption = QStringLiteral("output");
const QString kPointsOption = QStringLiteral("points");
const QString kDistrictOption = QStringLiteral("district");

QStringList SimaLines(const QCommandLineParser& parser, JobContext& context) {
    if (parser.isSet(kDistrictOption)) {
        if (!parser.positionalArguments().isEmpty()) throw JobError(QStringLiteral("--district のときは SIMA ファイルを指定しません。"));
        QStringList lines;
        int count = -1;
        if (auto reader = host::CreateDistrictReader(host::kDistrictReaderClassId))
            reader->Read(DistrictDatabase(context), trevanto_host::kDemoRegName, lines, count);
        if (count < 0) throw JobError(QStringLiteral("地区の座標を読めません。"));
        return lines.mid(0, count);
    }
    if (parser.positionalArguments().size() != 1) throw JobError(QStringLiteral("SIMA ファイルを一つ指定してください。"));
    return coords::ReadSimaFile(parser.positionalArguments().constFirst()).lines;
}

// The point numbers of --points. A number given alone must be in the file; a range such as
// 5-7 takes the numbers of it the file has.
QSet<int> WantedNumbers(const QString& list, const QSet<int>& present) {
    const auto refuse = [&list] {
        return JobError(QStringLiteral("--points は点番号と範囲（例 1,3,5-7）です: ") + list);
    };
    QSet<int> wanted;
    for (const QString& item : list.split(u',')) {
        const QStringList ends = item.trimmed().split(u'-');
        bool okFirst = false;
        bool okLast = ends.size() == 1;
        const int first = ends[0].trimmed().toInt(&okFirst);
        const int last = ends.size() == 2 ? ends[1].trimmed().toInt(&okLast) : first;
        if (!okFirst || !okLast || ends.size() > 2 || first < 1 || last < first) throw refuse();
        if (ends.size() == 1 && !present.contains(first))
            throw JobError(QStringLiteral("点番号 ") + QString::number(first) + QStringLiteral(" の点はありません。"));
        for (int n : present)
            if (n >= first && n <= last) wanted.insert(n);
    }
    return wanted;
}

// Every point, or the SIMA point numbers of --points, in file order.
QList<coords::TickedPoint> Chosen(const coords::SimaSheet& sheet, const QCommandLineParser& parser) {
    const QList<coords::TickedPoint> points = sheet.TickedPoints();
    if (!parser.isSet(kPointsOption)) return points;
    QSet<int> present;
    for (int row = 0; row < sheet.RowCount(); ++row) {
        bool ok = false;
        const int n = sheet.Row(row).number.toInt(&ok);
        if (ok && n > 0) present.insert(n);
    }
    const QSet<int> set = WantedNumbers(parser.value(kPointsOption), present);
    QList<coords::TickedPoint> picked;
    for (int row = 0; row < sheet.RowCount(); ++row)
        if (set.contains(sheet.Row(row).number.toInt())) picked.append(points[row]);
    return picked;
}

int Export(const QCommandLineParser& parser, JobContext& context) {
    coords::ExportChoices choices;
    choices.format = parser.value(kFormatOption).trimmed().toUpper();
    if (!coords::ExportsCoordinates(choices.format))
        throw JobError(QStringLiteral("座標を書ける形式は GSI、FC5、3GD、SDF、SC1、SCR、APA です: ") + parser.value(kFormatOption));
    choices.gsi16 = !parser.isSet(QStringLiteral("gsi8"));
    choices.fc5ThreeD = !parser.isSet(QStringLiteral("2d"));
    if (parser.isSet(QStringLiteral("job"))) choices.job = parser.value(QStringLiteral("job"));
    const QString output = parser.isSet(kOutputOption) ? parser.value(kOutputOption)
                                                       : QDir(platform::WorkFolder()).filePath(coords::kExportFileName);
    if (!parser.isSet(kDistrictOption) && QFileInfo(output).exists() &&
        QFileInfo(output).canonicalFilePath() == QFileInfo(parser.positionalArguments().value(0)).canonicalFilePath())
        throw JobError(QStringLiteral("書くファイルが読む SIMA ファイルと同じです: ") + output);
    const coords::SimaSheet sheet(SimaLines(parser, context));
    const QList<coords::TickedPoint> points = Chosen(sheet, parser);
    if (points.isEmpty()) {
        context.err << QStringLiteral("trevanto: 書く点がありません（A01 の点がありません）。") << Qt::endl;
        return kExitProblems;
    }
    coords::ExportResult result;
    try {
        result = coords::ExportCoordinates(points, choices);
    } catch (const coords::ExportError& e) {
        context.err << QStringLiteral("trevanto: ") << e.Told() << Qt::endl;
        return kExitProblems;  // nothing written: an older file stays
    }
    platform::WriteFileBytes(output, coords::ExportBytes(result));
    context.out << output << QStringLiteral(": ") << choices.format << QStringLiteral("、") << points.size()
                << QStringLiteral(" 点") << Qt::endl;
    return kExitOk;
}

}  // namespace

QList<Job> ExportJobs() {
    Job job{
        .words = {QStringLiteral("export")},
        .summary = QStringLiteral("SIMA ファイル（または地区）の座標を器械の形式で書きます。"),
        .description = QStringLiteral(
            "SIMA 編集の転送と同じファイルを書きます。送るには trevanto send を使います。"
            "終了状態: 0 書いた、1 書く点がない、読めない座標や桁に入らない座標があった（点と行を示し、何も書きません）、"
            "2 使い方の誤り、ファイルが読めない・書けない。"),
        .argumentSyntax = QStringLiteral("[FILE.sim]"),
        .minArguments = 0,
        .maxArguments = 1,
        .declare =
            [](QCommandLineParser& p) {
                p.addOptions({
                    {{QStringLiteral("f"), kFormatOption}, QStringLiteral("形式（GSI、FC5、3GD、SDF、SC1、SCR、APA）。"),
                     QStringLiteral("CODE")},
                    {{QStringLiteral("o"), kOutputOption}, QStringLiteral("書くファイル（既定は作業フォルダーの ZAHYO_SD.dat）。"),
                     QStringLiteral("FILE")},
                    {kPointsOption, QStringLiteral("書く点の SIMA 点番号（例 1,3,5-7）。ファイルの順に書きます。"), QStringLiteral("LIST")},
                    {QStringLiteral("gsi8"), QStringLiteral("GSI: 8 桁の語（GSI_8）。既定は GSI_16。")},
                    {QStringLiteral("2d"), QStringLiteral("FC5: X と Y だけ（2 次元）。既定は 3 次元。")},
                    {QStringLiteral("job"), QStringLiteral("3GD、SDF: 器械に登録する JOB 名（既定 SURVEY_XY_DAT）。"), QStringLiteral("NAME")},
                    {kDistrictOption, QStringLiteral("SIMA ファイルの代わりに地区（--database、既定はデモ地区）の点。")},
                });
                p.addPositionalArgument(QStringLiteral("FILE.sim"), QStringLiteral("SIMA 座標ファイル（A01 の点）。"));
            },
        .run = Export};
    return {job};
}

}  // namespace trevanto_app
