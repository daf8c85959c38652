#pragma once
// One point numbering rule: the point numbers StartNo up to (not including) EndNo are named
// TenName followed by a name number counted from SetNo, with optional branch separators.
// A first character of code 1 in Eda1Name marks the "always" form, whose separator is
// written even when the number has no branch.

#include <QString>

namespace calcstore {

inline constexpr qint32 kOpenEnd = 1000000000;  // EndNo of a range without upper end
inline constexpr QChar kAlwaysMarker = QChar(1);

class Numbering {
  public:
    QString Sample() const { return sample_; }
    QString Eda2Name() const { return eda2Name_; }
    void SetEda2Name(const QString& name);
    QString Eda1Name() const { return eda1Name_; }
    // Also empties Eda2Name when the new value is empty or the marker alone.
    void SetEda1Name(const QString& name);
    QString TenName() const { return tenName_; }
    void SetTenName(const QString& name);
    qint32 SetNo() const { return setNo_; }
    void SetSetNo(qint32 value);  // negative values are ignored
    qint32 EndNo() const { return endNo_; }
    void SetEndNo(qint32 value);  // negative values are ignored
    qint32 StartNo() const { return startNo_; }
    void SetStartNo(qint32 value);  // a negative value is refused with a message
    qint16 MaxLen() const { return maxLen_; }
    void SetMaxLen(qint16 value);  // negative values are ignored

    // Copies every field of src into dis through the setters and returns dis.
    static Numbering& Copy(Numbering& dis, const Numbering& src);
    static void Swap(Numbering& a, Numbering& b);

    // The separator written before the first branch: Eda1Name without the marker.
    QString Eda1Separator() const;
    bool IsAlwaysForm() const { return eda1Name_.startsWith(kAlwaysMarker); }

  private:
    void RebuildSample();
    void RecomputeMaxLen();

    qint32 startNo_ = 0;
    qint32 endNo_ = 0;
    qint32 setNo_ = 0;
    QString tenName_;
    QString eda1Name_;
    QString eda2Name_;
    qint16 maxLen_ = 1;
    QString sample_ = QStringLiteral("0");
};

}  // namespace calcstore
