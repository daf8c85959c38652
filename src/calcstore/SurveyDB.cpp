#include "calcstore/SurveyDB.h"

#include <QFileInfo>
#include <atomic>

#include "platform/AutomationError.h"
#include "platform/Database.h"
#include "platform/Prompt.h"
#include "platform/Recordset.h"

namespace calcstore {
namespace {

const QString kSource = QStringLiteral("SurveyDB.cls");

std::atomic<qint64> g_workspaceCounter{0};

platform::AutomationError CoordError(const QString& description) {
    return {kCoordNotFound, kSource, description};
}

void WriteCalcFields(platform::Recordset& rs, const Calcurate& record) {
    rs.SetField(QStringLiteral("Name"), record.Name());
    rs.SetField(QStringLiteral("ParentID"), record.ParentID());
    rs.SetField(QStringLiteral("Attributes"), record.Attributes());
    rs.SetField(QStringLiteral("DelFlg"), record.DelFlg());
    rs.SetField(QStringLiteral("CreateDate"), record.CreateDate());
    rs.SetField(QStringLiteral("UpdateDate"), record.UpdateDate());
    rs.SetField(QStringLiteral("CalcNo"), record.CalcNo());
    rs.SetField(QStringLiteral("Mode"), record.TourokuMode());
}

}  // namespace

SurveyDB::SurveyDB(platform::Prompt& prompt) : prompt_(prompt), points_(kSource) {}

SurveyDB::~SurveyDB() = default;

clsCoord& SurveyDB::Item(const QVariant& index) const {
    try {
        return points_.Item(index);
    } catch (const platform::AutomationError&) {
        throw CoordError(QStringLiteral("座標コレクションの要素が見つからない。"));
    }
}

void SurveyDB::SetDataBaseName(const QString& path) {
    if (path != dataBaseName_) db_.reset();
    dataBaseName_ = path;
}

platform::Workspace& SurveyDB::ActiveWorkspace() {
    return workspace_ ? *workspace_ : platform::Workspace::Default();
}

platform::Database& SurveyDB::Db() {
    if (!db_) db_ = ActiveWorkspace().OpenDatabase(dataBaseName_);
    return *db_;
}

void SurveyDB::SetTenName(const QString& name) {
    tenName_ = name;
    points_.Clear();
    if (!QFileInfo::exists(dataBaseName_))
        throw platform::AutomationError(kFileNotFound, kSource,
                                        QStringLiteral("ファイルが見つかりません。"));
    try {
        auto db = platform::Workspace::Default().OpenDatabase(dataBaseName_);
        // Another program may leave the Yes/No field empty, which means No.
        auto rs = db->OpenRecordset(
            QStringLiteral("SELECT * FROM COORD WHERE DELFLG IS NOT TRUE AND NAME = ?"), {name});
        for (; !rs->Eof(); rs->MoveNext()) {
            auto point = std::make_unique<clsCoord>();
            point->SetID(rs->Field(QStringLiteral("ID")).toInt());
            point->SetTenName(rs->Field(QStringLiteral("Name")).toString());
            point->SetX(rs->Field(QStringLiteral("X")).toDouble());
            point->SetY(rs->Field(QStringLiteral("Y")).toDouble());
            point->SetZ(rs->Field(QStringLiteral("Z")).toDouble());
            point->SetUpdateDate(rs->Field(QStringLiteral("UpdateDate")).toDateTime());
            static_cast<void>(points_.Add(QString(), std::move(point)));  // found by position
        }
    } catch (const platform::DbError& e) {
        points_.Clear();
        throw CoordError(e.Description());
    }
}

std::unique_ptr<platform::Recordset> SurveyDB::OpenRecordSet(const QString& source,
                                                             const QVariantList& params) {
    return Db().OpenRecordset(source, params);
}

void SurveyDB::SetWorkSpace() {
    UnSetWorkSpace();
    const qint64 number = ++g_workspaceCounter;
    workspace_ = std::make_unique<platform::Workspace>(
        QStringLiteral("WSP%1").arg(number, 10, 10, QLatin1Char('0')), QStringLiteral("admin"),
        QString());
}

void SurveyDB::UnSetWorkSpace() {
    db_.reset();
    workspace_.reset();
}

QString SurveyDB::WorkSpaceName() const {
    return workspace_ ? workspace_->Name() : QString();
}

void SurveyDB::StartTrans() {
    Db();  // the database joins the workspace before the transaction starts
    ActiveWorkspace().BeginTrans();
}

void SurveyDB::CommitTrans() {
    ActiveWorkspace().CommitTrans();
}

void SurveyDB::RollBackTrans() {
    ActiveWorkspace().Rollback();
}

bool SurveyDB::GetCalc(qint32 id, Calcurate& record) {
    try {
        auto rs = OpenRecordSet(QStringLiteral("SELECT * FROM CALC WHERE ID = ?"), {id});
        if (!rs->Eof()) {
            record.SetID(rs->Field(QStringLiteral("ID")).toInt());
            record.SetName(rs->Field(QStringLiteral("Name")).toString());
            record.SetParentID(rs->Field(QStringLiteral("ParentID")).toInt());
            record.SetAttributes(rs->Field(QStringLiteral("Attributes")).toInt());
            record.SetDelFlg(rs->Field(QStringLiteral("DelFlg")).toInt());
            record.SetCreateDate(rs->Field(QStringLiteral("CreateDate")).toDateTime());
            record.SetUpdateDate(rs->Field(QStringLiteral("UpdateDate")).toDateTime());
            record.SetCalcNo(rs->Field(QStringLiteral("CalcNo")).toInt());
            record.SetTourokuMode(rs->Field(QStringLiteral("Mode")).toInt());
        }
        return true;
    } catch (const platform::DbError&) {
        return false;
    }
}

qint32 SurveyDB::SetCalc(const Calcurate& record, qint32 id) {
    const bool edit = id != 0;
    const bool ownTransaction = !SenceTrans();
    bool begun = false;
    try {
        if (ownTransaction) {
            StartTrans();
            begun = true;
        }
        auto rs = edit ? OpenRecordSet(QStringLiteral("SELECT * FROM CALC WHERE ID = ?"), {id})
                       : OpenRecordSet(QStringLiteral("CALC"));
        if (edit && rs->Eof()) {
            prompt_.Show(QStringLiteral("指定されたデータは、既に存在しません。"), QString(),
                         platform::PromptIcon::Exclamation);
            if (begun) RollBackQuietly();
            return 0;
        }
        if (edit)
            rs->Edit();
        else
            rs->AddNew();
        WriteCalcFields(*rs, record);
        rs->Update();
        rs->MoveToLastModified();
        const qint32 written = rs->Field(QStringLiteral("ID")).toInt();
        if (ownTransaction) CommitTrans();
        return written;
    } catch (const platform::DbError& e) {
        prompt_.Show(e.Description(), QString(), platform::PromptIcon::Critical);
        if (begun && ActiveWorkspace().TransactionDepth() > 0) RollBackQuietly();
        return 0;
    }
}

// SetCalc reports its failure by its result; a roll back that fails as well (the database
// went away) must not turn that into an exception. The user has been told already.
void SurveyDB::RollBackQuietly() noexcept {
    try {
        RollBackTrans();
    } catch (const platform::DbError&) {
    }
}

}  // namespace calcstore
