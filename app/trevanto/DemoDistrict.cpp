#include "trevanto/DemoDistrict.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cmath>
#include <limits>

#include "calcstore/clsCoord.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "trevanto/DistrictSchema.h"

namespace trevanto_host {
namespace {

struct DemoPoint {
    const char16_t* name;
    double x;
    double y;
    double z;  // NaN: no height
};

constexpr double kNoZ = std::numeric_limits<double>::quiet_NaN();

// Plane rectangular coordinates (zone IX), metres: a traverse around a small town block.
const DemoPoint kPoints[] = {
    {u"T1", -35012.345, -8123.456, 45.210},
    {u"T2", -35098.721, -8055.903, 44.872},
    {u"T3", -35160.004, -7968.117, 44.105},
    {u"T4", -35121.558, -7871.640, 43.998},
    {u"T5", -35040.212, -7820.377, 44.530},
    {u"T6", -34955.871, -7866.902, 45.013},
    {u"T7", -34921.330, -7962.415, 45.377},
    {u"T8", -34950.019, -8061.288, 45.402},
    {u"T9", -35001.777, -7915.064, 44.861},
    {u"T10", -35077.450, -7930.882, 44.420},
    {u"T11", -35030.118, -8010.530, 44.960},
    {u"T12", -34988.604, -8098.113, 45.311},
    {u"K1", -35230.560, -8140.220, 46.702},
    {u"K2", -35315.904, -8011.846, 47.118},
    {u"K3", -35287.341, -7845.009, 46.250},
    {u"K4", -35190.886, -7733.571, 45.872},
    {u"K5", -34870.125, -7745.390, 45.030},
    {u"K6", -34830.477, -8155.268, 46.004},
    {u"三角点 東山", -35402.118, -8302.771, 88.450},
    {u"三角点 西谷", -34702.930, -7602.314, 71.236},
    {u"基準点１", -35250.000, -7950.000, 46.180},
    {u"基準点２", -34900.000, -8050.000, 45.760},
    {u"水準点 BM3", -35110.442, -8205.903, 43.8812},
    {u"境界杭Ａ", -35055.205, -7888.140, kNoZ},
    {u"境界杭Ｂ", -35060.913, -7873.509, kNoZ},
    {u"境界杭Ｃ", -35072.466, -7878.004, kNoZ},
    {u"ﾏﾝﾎｰﾙ1", -35010.731, -7951.262, 44.702},
    {u"BM1", -35150.000, -8100.000, 44.1234},
    {u"BM2", -34980.000, -7800.000, 45.6789},
    {u"CP-101", -35033.880, -7990.155, 44.881},
};

struct DemoFolder {
    const char16_t* name;
    int parent;  // index into the folders, -1 for the district root
};

const DemoFolder kFolders[] = {
    {u"基準点測量", -1},
    {u"令和8年度", 0},
    {u"細部測量", -1},
    {u"境界確認", 2},
};

void AddFolders(platform::Database& db, const QDateTime& now) {
    auto calc = db.OpenRecordset(QStringLiteral("CALC"));
    QList<qint32> ids;
    for (const DemoFolder& folder : kFolders) {
        calc->AddNew();
        calc->SetField(QStringLiteral("Name"), QString::fromUtf16(folder.name));
        calc->SetField(QStringLiteral("ParentID"), folder.parent < 0 ? 0 : ids[folder.parent]);
        calc->SetField(QStringLiteral("Attributes"), 1);
        calc->SetField(QStringLiteral("DelFlg"), 2);
        calc->SetField(QStringLiteral("CreateDate"), now);
        calc->SetField(QStringLiteral("UpdateDate"), now);
        calc->SetField(QStringLiteral("CalcNo"), 0);
        calc->SetField(QStringLiteral("Mode"), 0);
        calc->Update();
        calc->MoveToLastModified();
        ids.append(calc->Field(QStringLiteral("ID")).toInt());
    }
}

void AddPoints(platform::Database& db, const QDateTime& now) {
    auto coord = db.OpenRecordset(QStringLiteral("COORD"));
    for (const DemoPoint& p : kPoints) {
        coord->AddNew();
        coord->SetField(QStringLiteral("Name"), QString::fromUtf16(p.name));
        coord->SetField(QStringLiteral("X"), p.x);
        coord->SetField(QStringLiteral("Y"), p.y);
        coord->SetField(QStringLiteral("Z"),
                        std::isnan(p.z) ? calcstore::clsCoord::NoHeight() : p.z);
        coord->SetField(QStringLiteral("Memo"), QString());
        coord->SetField(QStringLiteral("UpdateDate"), now);
        coord->SetField(QStringLiteral("DELFLG"), false);
        coord->Update();
    }
}

// T1... for point numbers 1 to 99, K1... from 100 on; branches written "-".
void AddNumberingRules(platform::Database& db) {
    const QString insert = QStringLiteral(
        "INSERT INTO TENBAN (StartNo, SetNo, TenName, Eda1Name, Eda2Name, MaxLen) VALUES (?, ?, ?, "
        "?, ?, ?)");
    db.Execute(insert, {1, 1, QStringLiteral("T"), QStringLiteral("-"), QStringLiteral("-"), 2});
    db.Execute(insert, {100, 1, QStringLiteral("K"), QStringLiteral("-"), QString(), 4});
}

}  // namespace

void FillDemoDistrict(const QString& databasePath) {
    auto db = platform::Database::Open(databasePath);
    const QDateTime now = QDateTime::currentDateTime();
    db->BeginTrans();
    try {
        CreateDistrictTables(*db);
        AddFolders(*db, now);
        AddPoints(*db, now);
        AddNumberingRules(*db);
        db->CommitTrans();
    } catch (...) {
        db->Rollback();
        throw;
    }
}

QString EnsureDemoDistrict(const QString& workFolder) {
    const QString path = QDir(workFolder).filePath(QStringLiteral("DemoDistrict.mdb"));
    if (QFile::exists(path)) return path;
    // Built under a temporary name so that a failed first start leaves nothing half made.
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    platform::Database::Create(partial);
    try {
        FillDemoDistrict(partial);
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    if (!QFile::rename(partial, path))
        throw platform::DbError(QStringLiteral("%1 を作成できません。").arg(path));
    return path;
}

}  // namespace trevanto_host
