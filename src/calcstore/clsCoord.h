#pragma once
// One coordinate point of the calculation database or of a calculation being handed over.
// X is north, Y east, Z the height, all in metres.

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace calcstore {

class clsCoord {
  public:
    // The height of a point that has none: the double with bit pattern 0x7FEFFFFFFFFFFFE2,
    // just below the largest double, as the host stores it.
    static double NoHeight();

    clsCoord();

    // False exactly when Z holds the no-height marker (compared bit for bit).
    bool AssertZ() const;

    // The element the point belongs to; kept for the host, never read here.
    QVariant Youso() const { return youso_; }
    void SetYouso(const QVariant& element) { youso_ = element; }
    qint32 ID() const { return id_; }
    void SetID(qint32 id) { id_ = id; }
    double X() const { return x_; }
    void SetX(double x) { x_ = x; }
    double Y() const { return y_; }
    void SetY(double y) { y_ = y; }
    double Z() const { return z_; }
    void SetZ(double z) { z_ = z; }
    const QString& TenName() const { return tenName_; }
    void SetTenName(const QString& name) { tenName_ = name; }
    const QString& Memo() const { return memo_; }
    void SetMemo(const QString& memo) { memo_ = memo; }
    const QDateTime& UpdateDate() const { return updateDate_; }
    void SetUpdateDate(const QDateTime& when) { updateDate_ = when; }

  private:
    QVariant youso_;
    qint32 id_ = 0;
    double x_ = 0;
    double y_ = 0;
    double z_;
    QString tenName_;
    QString memo_;
    QDateTime updateDate_;
};

}  // namespace calcstore
