// A host driving KobelinDlg through the C interface while traverse creation hands a
// calculation over, and the demo host keeping it in the district database.

#include "calcstore/Numberings.h"
#include "calcstore/clsConvert2.h"
#include "host/HostFixture.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "trevanto.h"
#include "trevanto/CalcReport.h"
#include "trevanto/DemoDistrict.h"
#include "trevanto/DemoHost.h"
#include "calcstore/InputItem.h"
#include "trevanto/SampleTraverse.h"

namespace {

QString Take(char* text) {
    const QString s = QString::fromUtf8(text);
    trv_string_free(text);
    return s;
}

// The C host: reads every getter and renumbers the points 1000 up.
struct CHost {
    trv_object* dlg = nullptr;
    int saves = 0;
    QStringList seen;
};

void OnSaveStart(void* user, int* saveOk) {
    auto* host = static_cast<CHost*>(user);
    ++host->saves;
    int32_t n = 0;
    char* text = nullptr;
    trv_kobelin_calc_no(host->dlg, &n);
    host->seen << QStringLiteral("calc %1").arg(n);
    trv_kobelin_calc_name(host->dlg, &text);
    host->seen << Take(text);
    trv_kobelin_calc_parent_id(host->dlg, &n);
    host->seen << QStringLiteral("parent %1").arg(n);
    int32_t count = 0;
    trv_kobelin_zahyou_count(host->dlg, &count);
    for (int32_t i = 1; i <= count; ++i) {
        int32_t id = 0;
        double z = 0;
        trv_kobelin_get_zahyou_data(host->dlg, nullptr, i, &text, &id, &z);
        host->seen << QStringLiteral("point %1 %2 %3").arg(Take(text)).arg(id).arg(z);
        trv_kobelin_get_zahyou_memo(host->dlg, nullptr, i, &text);
        if (!QString::fromUtf8(text).isEmpty())
            host->seen << QStringLiteral("memo ") + QString::fromUtf8(text);
        trv_string_free(text);
        const QByteArray key = QStringLiteral("C%1").arg(id).toUtf8();
        trv_kobelin_set_zahyou_id(host->dlg, key.constData(), 0, 1000 + i);
    }
    trv_kobelin_get_parameter_count(host->dlg, &count);
    for (int32_t i = 1; i <= count; ++i) {
        trv_value v;
        trv_kobelin_get_parameter_value(host->dlg, i, &v);
        host->seen << QStringLiteral("param %1 %2 %3 %4")
                          .arg(v.type)
                          .arg(v.integer)
                          .arg(v.number)
                          .arg(QString::fromUtf8(v.text));
        trv_value_clear(&v);
    }
    int32_t cols = 0, rows = 0;
    trv_kobelin_get_elements_cols_count(host->dlg, &cols);
    trv_kobelin_get_elements_rows_count(host->dlg, &rows);
    for (int32_t r = 0; r < rows; ++r) {
        QStringList cells;
        for (int32_t c = 0; c < cols; ++c) {
            trv_value v;
            if (trv_kobelin_get_elements_array(host->dlg, r, c, &v) != TRV_OK) continue;
            cells << (v.type == 2 ? QString::number(v.number) : QString::number(v.integer));
            trv_value_clear(&v);
        }
        host->seen << cells.join(u',');
    }
    *saveOk = 1;
}

// A calculation with a value of every type, its points numbered 1 to 4 with the names the
// numbering rules give them.
void FillEveryValueType(calcstore::clsConvert2& handOff, qint32 folderId) {
    handOff.SetCalcEntry(7, QStringLiteral("閉合トラバー"), folderId);
    const double heights[] = {45.210, 44.872, 44.105, 43.998};
    for (qint32 number = 1; number <= 4; ++number)
        handOff.AddZahyou(handOff.GetTenName(QString::number(number)), number,
                          number == 1 ? QStringLiteral("既知点") : QString(), heights[number - 1]);
    handOff.AddParameter(calcstore::kTypeInteger, 4);
    handOff.AddParameter(calcstore::kTypeRefSokuten, 1);
    handOff.AddParameter(calcstore::kTypeDouble, 0.5);
    handOff.AddParameter(calcstore::kTypeBoolean, true);
    handOff.AddParameter(calcstore::kTypeString, QStringLiteral("観測者 山田"));
    for (qint32 type : {calcstore::kTypeSokuten, calcstore::kTypeSokuten, calcstore::kTypeSokuten,
                        calcstore::kTypeDouble, calcstore::kTypeDouble})
        handOff.AddElementCols(type);
    handOff.GetElements().AddItem({1, 4, 2, 91.2315, 110.063});
    handOff.GetElements().AddItem({2, 1, 3, 88.4702, 106.452});
    handOff.GetElements().AddItem({3, 2, 4, 90.1254, 104.117});
    handOff.GetElements().AddItem({4, 3, 1, 89.5729});
}

}  // namespace

class HostRoundTripTest : public HostFixture {};

TEST_F(HostRoundTripTest, CalculationReachesAHostWrittenInC) {
    const QString database = trevanto_host::EnsureDemoDistrict(folder_);
    trv_object* dlg = trv_create("Trevanto.KobelinDlg");
    ASSERT_NE(dlg, nullptr);
    CHost host{dlg, 0, {}};
    trv_kobelin_events events{nullptr, OnSaveStart, nullptr};
    trv_kobelin_set_events(dlg, &events, &host);
    trv_kobelin_set_database_name(dlg, database.toUtf8().constData());
    ASSERT_EQ(trv_kobelin_set_numbers(dlg), TRV_OK);

    calcstore::clsConvert2& handOff = *host::Process().HandOff;
    FillEveryValueType(handOff, 2);
    bool saveOk = false;
    EXPECT_TRUE(handOff.Save(saveOk));
    EXPECT_EQ(host.saves, 1);
    const QStringList expected = {
        QStringLiteral("calc 7"),
        QStringLiteral("閉合トラバー"),
        QStringLiteral("parent 2"),
        QStringLiteral("point T1 1 45.21"),
        QStringLiteral("memo 既知点"),
        QStringLiteral("point T2 2 44.872"),
        QStringLiteral("point T3 3 44.105"),
        QStringLiteral("point T4 4 43.998"),
        QStringLiteral("param 1 4 0 "),
        QStringLiteral("param 3 1 0 "),
        QStringLiteral("param 2 0 0.5 "),
        QStringLiteral("param 4 -1 0 "),
        QStringLiteral("param 0 0 0 観測者 山田"),
        QStringLiteral("1,4,2,91.2315,110.063"),
        QStringLiteral("2,1,3,88.4702,106.452"),
        QStringLiteral("3,2,4,90.1254,104.117"),
        QStringLiteral("4,3,1,89.5729,0"),
    };
    EXPECT_EQ(host.seen, expected);

    int32_t id = 0;
    EXPECT_EQ(trv_kobelin_get_new_zahyou(dlg, 3, &id), TRV_OK);
    EXPECT_EQ(id, 1003);
    char* name = nullptr;
    double z = 0;
    ASSERT_EQ(trv_kobelin_get_zahyou_data(dlg, "C3", 0, &name, &id, &z), TRV_OK);
    EXPECT_EQ(Take(name), QStringLiteral("T3"));
    EXPECT_EQ(id, 1003);

    handOff.Clear();
    int32_t count = -1;
    trv_kobelin_zahyou_count(dlg, &count);
    EXPECT_EQ(count, 0);
    trv_kobelin_get_elements_rows_count(dlg, &count);
    EXPECT_EQ(count, 0);

    trv_kobelin_set_events(dlg, nullptr, nullptr);  // no handler: Save fails
    saveOk = true;
    EXPECT_FALSE(handOff.Save(saveOk));
    EXPECT_EQ(host.saves, 1);

    trv_kobelin_program_term(dlg);
    trv_destroy(dlg);
}

// District points handed with their IDs are reused as they are; only the new point is added
// and renumbered, and the stored element rows name the points by their district IDs.
TEST_F(HostRoundTripTest, DemoHostReusesDistrictPointsAndRenumbersNewOnes) {
    const QString database = trevanto_host::EnsureDemoDistrict(folder_);
    const auto before = platform::Database::Open(database)->OpenRecordset(
        QStringLiteral("SELECT * FROM COORD WHERE ID <= 4 ORDER BY ID"));
    trevanto_host::DemoHost host(database, 1, QStringLiteral("デモ地区"));
    host.Dialog().SetDataBaseName(database);
    host.Dialog().SetNumbers();
    calcstore::clsConvert2& handOff = *host::Process().HandOff;
    trevanto_host::FillSampleTraverse(handOff, database, 1);
    bool saveOk = false;
    ASSERT_TRUE(handOff.Save(saveOk)) << host.LastError().toStdString();
    for (qint32 id : {1, 2, 3, 4}) EXPECT_EQ(handOff.GetNewZahyouID(id), id);
    EXPECT_EQ(handOff.GetNewZahyouID(-1), 31);  // the demo district holds 30 points

    auto db = platform::Database::Open(database);
    EXPECT_EQ(db->OpenRecordset(QStringLiteral("SELECT * FROM COORD"))->RecordCount(), 31);
    auto after = db->OpenRecordset(QStringLiteral("SELECT * FROM COORD WHERE ID <= 4 ORDER BY ID"));
    for (; !before->Eof(); before->MoveNext(), after->MoveNext())
        for (const QString& field : {QStringLiteral("Name"), QStringLiteral("X"), QStringLiteral("Z"),
                                     QStringLiteral("UpdateDate")})
            EXPECT_EQ(after->Field(field), before->Field(field)) << field.toStdString();

    const QString text = trevanto_host::CalcText(database, host.LastStoredCalc());
    for (const QString& line :
         {QStringLiteral("計算 5: 閉合トラバー"), QStringLiteral("  31  杭 101"),
          QStringLiteral("   1  出発点  T1 (1)"), QStringLiteral("   2  出発方向角  未指定"),
          QStringLiteral("   3  出発点 X  -35012.345 m"), QStringLiteral("  路線"),
          QStringLiteral("   1  T1 (1) → T2 (2)  水平角 91-23-15  水平距離 110.063 m  高低差 -0.338 m  "
                         "天頂角 89-59-30  斜距離 110.063 m"),
          QStringLiteral("  放射"), QStringLiteral("   5  T2 (2) → 杭 101 (31)  水平角 300-10-20")})
        EXPECT_TRUE(text.contains(line)) << line.toStdString() << "\n" << text.toStdString();
    EXPECT_TRUE(trevanto_host::CalcTreeText(database).contains(
        QStringLiteral("    [5] 閉合トラバー  (7 閉合トラバー)")));
    handOff.Clear();
    host.Dialog().ProgramTerm();
}

TEST_F(HostRoundTripTest, FailedStoreLeavesTheDistrictAsItWas) {
    const QString database = trevanto_host::EnsureDemoDistrict(folder_);
    platform::Database::Open(database)->Execute(QStringLiteral("DROP TABLE COORD"));
    trevanto_host::DemoHost host(database, 1, QStringLiteral("デモ地区"));
    calcstore::clsConvert2& handOff = *host::Process().HandOff;
    FillEveryValueType(handOff, 1);
    bool saveOk = true;
    EXPECT_FALSE(handOff.Save(saveOk));
    EXPECT_FALSE(host.LastError().isEmpty());
    EXPECT_EQ(handOff.GetNewZahyouID(1), 1);  // not renumbered
    auto calc = platform::Database::Open(database)->OpenRecordset(
        QStringLiteral("SELECT * FROM CALC WHERE Attributes = 256"));
    EXPECT_EQ(calc->RecordCount(), 0);
    host.Dialog().ProgramTerm();
}

TEST_F(HostRoundTripTest, SetNumbersLoadsTheRulesAndProgramEndClearsThem) {
    const QString database = trevanto_host::EnsureDemoDistrict(folder_);
    calcstore::ProcessNumberings().Clear();
    trevanto_host::DemoHost host(database, 1, QStringLiteral("デモ地区"));
    host.Dialog().SetDataBaseName(database);
    host.Dialog().SetNumbers();
    EXPECT_EQ(host::Process().HandOff->GetTenName(QStringLiteral("150")), QStringLiteral("K51"));
    host::Process().HandOff->ProgEnd();  // the host answers with ProgramTerm
    EXPECT_EQ(calcstore::ProcessNumberings().Count(), 0);
    EXPECT_EQ(host::Process().HandOff, nullptr);
}
