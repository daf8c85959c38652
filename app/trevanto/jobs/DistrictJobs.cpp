// The district job: where the district database is, and what it holds.

#include <QFileInfo>

#include "platform/Database.h"
#include "platform/FileError.h"
#include "platform/Folders.h"
#include "platform/Recordset.h"
#include "trevanto/DemoDistrict.h"
#include "trevanto/DistrictSchema.h"
#include "trevanto/jobs/Job.h"

namespace trevanto_app {
namespace {

int RowCount(platform::Database& db, const QString& table) {
    return db
        .OpenRecordset(QStringLiteral("SELECT count(*) AS n FROM ") +
                       platform::QuoteIdentifier(table))
        ->Field(QStringLiteral("n"))
        .toInt();
}

int District(const QCommandLineParser&, JobContext& context) {
    const QString path = DistrictDatabase(context);
    auto db = platform::Database::Open(path);
    context.out << (context.database.isEmpty()
                        ? QStringLiteral("デモ地区 ") + trevanto_host::kDemoRegName
                        : QStringLiteral("地区"))
                << ": " << path << '\n'
                << QStringLiteral("  計算とフォルダー ") << RowCount(*db, QStringLiteral("CALC"))
                << QStringLiteral("、座標 ") << RowCount(*db, QStringLiteral("COORD"))
                << QStringLiteral("、点番の規則 ") << RowCount(*db, QStringLiteral("TENBAN"))
                << Qt::endl;
    return kExitOk;
}

}  // namespace

QString DistrictDatabase(const JobContext& context) {
    const QString path = context.database.isEmpty()
                             ? trevanto_host::EnsureDemoDistrict(platform::WorkFolder())
                             : context.database;
    const QFileInfo file(path);
    if (!file.exists()) throw platform::FileError(path, {}, platform::FileFault::Missing);
    if (!file.isFile()) throw platform::FileError(path, {}, platform::FileFault::NotAFile);
    auto db = platform::Database::Open(path);
    trevanto_host::RequireDistrictTables(*db);
    return path;
}

QList<Job> DistrictJobs() {
    Job district{
        .words = {QStringLiteral("district")},
        .summary = QStringLiteral("地区のデータベースの場所と中身の件数を表示します。"),
        .description = QStringLiteral(
            "--database がないときはデモ地区を（なければ作って）示します。--database のファイルが"
            "地区のデータベースでなければ終了状態 2 です。"),
        .run = District};
    return {district};
}

}  // namespace trevanto_app
