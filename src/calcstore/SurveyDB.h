#pragma once
// Access to the district's calculation database: points by name, calculation-tree entries,
// and transactions in a private workspace or the engine's default one.

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

#include "calcstore/Calcurate.h"
#include "calcstore/clsCoord.h"
#include "platform/KeyedList.h"

namespace platform {
class Database;
class Prompt;
class Recordset;
class Workspace;
}  // namespace platform

namespace calcstore {

// Raised by SurveyDB for a missing point and for a load that failed.
inline constexpr qint32 kCoordNotFound = static_cast<qint32>(0x800401E8);
inline constexpr qint32 kFileNotFound = 53;

class SurveyDB {
  public:
    explicit SurveyDB(platform::Prompt& prompt);
    ~SurveyDB();
    SurveyDB(const SurveyDB&) = delete;
    SurveyDB& operator=(const SurveyDB&) = delete;

    int Count() const { return points_.Count(); }
    // By 1-based position; throws AutomationError kCoordNotFound when missing.
    clsCoord& Item(const QVariant& index) const;
    template <typename F>
    void ForEach(F&& f) const {
        points_.ForEach(std::forward<F>(f));
    }

    QString TenName() const { return tenName_; }
    // Loads every present point of that name, in database order. Throws AutomationError:
    // kFileNotFound when the database file is missing, kCoordNotFound when the load fails.
    void SetTenName(const QString& name);

    QString DataBaseName() const { return dataBaseName_; }
    void SetDataBaseName(const QString& path);

    // A recordset on the database, in the private workspace when one is set.
    std::unique_ptr<platform::Recordset> OpenRecordSet(const QString& source,
                                                       const QVariantList& params = {});

    void SetWorkSpace();  // a new private workspace WSP0000000001, WSP0000000002, ...
    void UnSetWorkSpace();
    bool SenceTrans() const { return workspace_ != nullptr; }
    QString WorkSpaceName() const;
    void StartTrans();
    void CommitTrans();
    void RollBackTrans();

    // Reads the CALC row of the id into the record (unchanged when there is none);
    // false on a database error.
    bool GetCalc(qint32 id, Calcurate& record);
    // Writes the record as a new row (id 0) or over row id; returns the row's id, or 0
    // after telling the user why it failed.
    qint32 SetCalc(const Calcurate& record, qint32 id = 0);

  private:
    platform::Database& Db();
    platform::Workspace& ActiveWorkspace();
    void RollBackQuietly() noexcept;

    platform::Prompt& prompt_;
    platform::KeyedList<clsCoord> points_;
    QString tenName_;
    QString dataBaseName_;
    std::unique_ptr<platform::Workspace> workspace_;
    std::shared_ptr<platform::Database> db_;
};

}  // namespace calcstore
