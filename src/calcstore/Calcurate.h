#pragma once
// One entry of the district's calculation tree (a CALC row): a folder or a calculation.

#include <QDateTime>
#include <QString>

namespace platform {
class Prompt;
}

namespace calcstore {

inline constexpr qint32 kAttrFolder = 1;
inline constexpr qint32 kAttrCalculation = 256;
inline constexpr qint32 kDelFlgPresent = 2;

class Calcurate {
  public:
    Calcurate();

    qint32 TourokuMode() const { return mode_; }  // column Mode
    void SetTourokuMode(qint32 mode) { mode_ = mode; }
    qint32 CalcNo() const { return calcNo_; }
    void SetCalcNo(qint32 calcNo) { calcNo_ = calcNo; }
    qint32 DelFlg() const { return delFlg_; }
    void SetDelFlg(qint32 flag) { delFlg_ = flag; }
    QDateTime UpdateDate() const { return updateDate_; }
    void SetUpdateDate(const QDateTime& when) { updateDate_ = when; }
    QDateTime CreateDate() const { return createDate_; }
    void SetCreateDate(const QDateTime& when) { createDate_ = when; }
    QString Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    qint32 Attributes() const { return attributes_; }
    void SetAttributes(qint32 attributes) { attributes_ = attributes; }
    qint32 ParentID() const { return parentId_; }
    void SetParentID(qint32 id) { parentId_ = id; }
    qint32 ID() const { return id_; }
    void SetID(qint32 id) { id_ = id; }
    QString colID() const { return colId_; }
    void SetColID(const QString& key) { colId_ = key; }  // by the owning collection only

    // Records are read and written through SurveyDB only; these sound the bell and give false.
    bool ReadDB(platform::Prompt& prompt);
    bool WriteDB(platform::Prompt& prompt);

  private:
    qint32 mode_ = 0;
    qint32 calcNo_ = 0;
    qint32 delFlg_ = kDelFlgPresent;
    QDateTime updateDate_;
    QDateTime createDate_;
    QString name_;
    qint32 attributes_ = 0;
    qint32 parentId_ = 0;
    qint32 id_ = 0;
    QString colId_;
};

}  // namespace calcstore
